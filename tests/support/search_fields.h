#pragma once
// The main window's inputs written compactly in test tables.

#include "search/search_inputs.h"

#include <QString>

// The six fields as "slope|volume|thickness|cost|temperature|wear".
void SetFields(SearchInputs& inputs, const QString& joined);
QString FieldsJoined(const SearchInputs& inputs);

// The inputs as the main window holds them after the user chose `group` (and
// `subject`), typed `fields` and ticked the conditions given as "1"/"0" for
// open fire, weighting and power supply: the window's own rules set the
// criteria ticks.
SearchInputs WindowInputs(int group, const QString& fields, const char* conditions,
                          int subject = NoSubject);
