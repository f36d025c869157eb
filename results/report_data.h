#pragma once
// The print command of the results window: the report of the shown result.

class QWidget;
class TForm4;
struct SearchInputs;
struct SearchState;

// Builds the report of the state's result (the one the results window shows)
// with the main window's fields as they stand now, then opens the preview;
// returns when the preview is closed.
void PrintReport(const SearchInputs& currentFields, const SearchState& state, QWidget* parent);

// The same, in the form the application still calls it with the window; the
// report no longer reads the window's table.
void PrintReport(const TForm4& results, const SearchInputs& currentFields, const SearchState& state,
                 QWidget* parent);
