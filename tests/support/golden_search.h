#pragma once
// Whole searches kept as data: a request written with zirs-search's option
// names, and the answer of a search written as zirs-search prints it, plus
// the criteria the search applied (which the report lists).

#include "search/search.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

// The request as the main window would hold it: the group's and the subject's
// rules set the ticks, "internal" and "external" then replace them.
// Keys: address, group, subject, slope, volume, thickness, cost, temperature,
// wear (texts), open-fire, weighting, power-supply (true when ticked),
// internal, external ("0,3,7").
SearchInputs GoldenRequestInputs(const QJsonObject& request);

// The same request as zirs-search options: "--key value", or "--key" alone
// for a ticked condition; --tables is added.
QStringList GoldenRequestArguments(const QJsonObject& request);

// The answer of one search on `inputs` as RunSearch left it in a fresh
// state, as zirs-search --tables prints it, with the applied criteria added.
QJsonObject GoldenAnswer(const SearchOutcome& outcome, const SearchInputs& inputs,
                         const SearchState& state);

// The answer keys zirs-search does not print.
inline const QStringList GoldenStateOnlyKeys = {QStringLiteral("applied_internal"),
                                                QStringLiteral("applied_external")};

// The rows of a golden table file: [{ "name", "request", "answer" }, …].
QJsonArray ReadGoldenRows(const QString& path, QString* error);
