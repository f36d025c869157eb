#pragma once
// The print command of the results window: the report of the shown result.

class QWidget;
class TForm4;
struct SearchInputs;
struct SearchState;

// Builds the report from the results table's first four rows, the main
// window's fields as they stand, n and the criteria of the search behind the
// shown result, then opens the preview; returns when the preview is closed.
void PrintReport(const TForm4& results, const SearchInputs& currentFields, const SearchState& state,
                 QWidget* parent);
