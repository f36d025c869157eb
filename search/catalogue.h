#pragma once
// Read-only access to the catalogue file and its one filter query.

#include "engine/technology_variant.h"
#include "search/filter_parameters.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

#include <string>
#include <variant>
#include <vector>

// The catalogue's file name, looked for in the working folder when no other
// file is named.
inline constexpr const char* DefaultCatalogueFileName = "database.mdb";

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

// A catalogue connection kept for many searches, for batch work: the file is
// opened read-only once and the filter query prepared once; each search only
// binds its parameters. Connections belong to the thread that opened them,
// so each thread keeps its own. Every search gets exactly the outcome
// RunCatalogueFilter would give on the same file.
class TCatalogueConnection {
public:
    TCatalogueConnection();
    ~TCatalogueConnection();
    TCatalogueConnection(const TCatalogueConnection&) = delete;
    TCatalogueConnection& operator=(const TCatalogueConnection&) = delete;

    // Opens the file, prepares the query and checks the result's columns by
    // one run; any failure comes back as the error RunCatalogueFilter would
    // report, and the connection stays unusable.
    std::optional<TCatalogueError> Open(const QString& cataloguePath);

    // The admissible variants, and in `catalogueRows` the rows of the table
    // (counted once when the connection opened; the file does not change
    // while it is open).
    TCatalogueOutcome Filter(const TFilterParameters& parameters, int& catalogueRows);

private:
    struct Session;
    std::unique_ptr<Session> Current;
};
