#pragma once
// The command line of zirs-search, read into the inputs of one search.

#include "search/search_inputs.h"

#include <QString>
#include <QStringList>

#include <optional>

struct SearchToolOptions {
    QString CataloguePath = QStringLiteral("database.mdb");
    SearchInputs Inputs;
    bool PrintTables = false;
    QString ReportPath; // empty: no report
    std::optional<QString> ReportDate;
};

struct SearchToolUsage {
    std::optional<SearchToolOptions> Options; // set when the command line is sound
    QString Error;                            // what is wrong with it otherwise
};

// Reads the arguments (without the program name). With the full or special
// group the ticks follow the main window's rules for the group and subject;
// whatever the window could not express is a usage error.
SearchToolUsage ReadSearchToolOptions(const QStringList& arguments);

QString SearchToolUsageText();
