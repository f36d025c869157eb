#pragma once
// zirs-search --batch: every row of the input searched on one catalogue
// read, the answers written in input order.

#include "tools/search-tool/search_options.h"

#include <QCoreApplication>

#include <memory>

// Runs the batch the options describe and returns the exit code: 0 when
// every row was read and answered (row errors are in the answers), 1 when
// the catalogue, the input, the output or the report module cannot be used.
// With reports the application object is replaced by the report module's.
int RunBatchMain(std::unique_ptr<QCoreApplication>& application, int& argc, char** argv,
                 const SearchToolOptions& options);
