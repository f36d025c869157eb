#pragma once
// The command line of zirs-search: one search, or a batch of them.

#include "search/catalogue.h"
#include "search/search_inputs.h"

#include <QString>
#include <QStringList>

#include <optional>

enum class BatchFormat { Unknown, JsonLines, Csv };

struct BatchOptions {
    QString InputPath;  // "-" is standard input
    QString OutputPath; // empty: standard output
    BatchFormat Format = BatchFormat::Unknown;
    QString ReportDir; // empty: no reports
    int Jobs = 1;
};

struct SearchToolOptions {
    QString CataloguePath = QString::fromLatin1(DefaultCatalogueFileName);
    SearchInputs Inputs;
    bool PrintTables = false;
    QString ReportPath; // empty: no report
    std::optional<QString> ReportDate;
    std::optional<BatchOptions> Batch; // set for --batch; Inputs are then unused
};

enum class SearchToolAction { Run, Help, Version, UsageError };

struct SearchToolUsage {
    SearchToolAction Action = SearchToolAction::UsageError;
    std::optional<SearchToolOptions> Options; // set when the command line is sound
    QString Error;                            // what is wrong with it otherwise
};

// Reads the arguments (without the program name). With the full or special
// group the ticks follow the main window's rules for the group and subject;
// whatever the window could not express is a usage error.
SearchToolUsage ReadSearchToolOptions(const QStringList& arguments);

// The short usage printed after a usage error.
QString SearchToolUsageText();

// The usage, every option with its meaning, and the criterion names.
QString SearchToolHelpText();
