#pragma once
// Read-only access to the catalogue file and its one filter query.

#include "engine/technology_variant.h"
#include "search/filter_parameters.h"

#include <QString>
#include <QVariant>

#include <string>
#include <variant>
#include <vector>

// The filter query, its 22 lines joined by line breaks, each exactly as the
// catalogue's query has always been written (trailing and doubled blanks
// included).
QString FilterQueryText();

// The database engine's own error text, or a clear one of ours for a missing
// file or a missing column.
struct TCatalogueError {
    QString Text;
};

using TCatalogueOutcome = std::variant<std::vector<TTechnologyVariant>, TCatalogueError>;

// Opens the catalogue file read-only, runs the filter query with its eleven
// parameters bound as numbers and returns the admissible variants in the
// table's stored order. The file is never created or written; the connection
// is closed and removed before returning, so nothing is held between
// searches. Every failure (missing file, not a database, damaged, locked, a
// table or column missing) comes back as an error, never as a crash.
TCatalogueOutcome RunCatalogueFilter(const QString& cataloguePath,
                                     const TFilterParameters& parameters);
// The same, also giving the number of rows in the catalogue table, counted in
// the same read of the file as the filter (0 when the filter fails).
TCatalogueOutcome RunCatalogueFilter(const QString& cataloguePath,
                                     const TFilterParameters& parameters, int& catalogueRows);

// A catalogue cell as the criterion text the rest of the system reads:
// integers as digits, fixed-point values in their shortest exact form with
// the decimal comma ("0,45", "350,5"), an empty cell as empty text, any other
// text as it stands.
std::string CatalogueCellText(const QVariant& cell);
