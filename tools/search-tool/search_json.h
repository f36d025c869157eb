#pragma once
// The answer of zirs-search as one JSON object.

#include "search/search.h"

#include <QJsonObject>

// status, message, fields, and for a result: kind, counts, heading, ranked
// places and the headings of the criteria applied; with `withTables`, when
// this search ran the engine, the three matrices in the order the search left
// them.
QJsonObject SearchAnswerJson(const SearchOutcome& outcome, const SearchInputs& inputs,
                             const SearchState& state, bool withTables);
