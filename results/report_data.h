#pragma once
// The print command of the results window: the report of the shown result.

class QWidget;
struct SearchInputs;
struct SearchState;

// Builds the report of the state's result (the one the results window shows)
// with the main window's fields as they stand now, then opens the preview;
// returns when the preview is closed.
void PrintReport(const SearchInputs& currentFields, const SearchState& state, QWidget* parent);
