#pragma once
// The report module's entry points for a batch: the GUI application object
// is made once for the whole batch, and reports are then written one per
// roof, from any thread.

#include "search/search.h"

#include <QString>

class QCoreApplication;

// Makes the GUI application object (offscreen, no window) the reports need;
// the caller must hold no application object at that moment and deletes
// the one returned when the batch is done.
using StartReportApplicationFunction = QCoreApplication* (*)(int& argc, char** argv);
inline constexpr const char* StartReportApplicationSymbol = "ZirsStartReportApplication";

// Writes the two-page report of the state's result to `path`, whole or not
// at all; needs the application object above. `dateText` empty means today.
using WriteBatchReportFunction = bool (*)(const SearchInputs& inputs, const SearchState& state,
                                          const QString& dateText, const QString& path,
                                          QString* error);
inline constexpr const char* WriteBatchReportSymbol = "ZirsWriteBatchReport";
