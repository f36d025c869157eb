#pragma once
// zirs-search draws a report through a module loaded only when a report is
// asked for: a plain search then starts without the GUI libraries (fonts,
// painting, PDF), which would otherwise double its start-up time.

#include "engine/search_result.h"
#include "search/search.h"

#include <QString>

// Writes the two-page report of `result` to `path`. Creates the GUI
// application object it needs (offscreen, no window) from argc/argv; the
// caller must hold no application object at that moment. `dateText` empty
// means today's date.
using WriteSearchReportFunction = bool (*)(int& argc, char** argv, const SearchInputs& inputs,
                                           const SearchState& state, const QString& dateText,
                                           const QString& path, QString* error);

inline constexpr const char* WriteSearchReportSymbol = "ZirsWriteSearchReport";
inline constexpr const char* ReportModuleFileName = "zirs-report.so";
