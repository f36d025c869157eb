#pragma once
// The catalogue table read whole, every column and every row in catalogue
// order, with each cell as the database holds it (integer, real, text or
// empty). The catalogue tool checks, exports and copies it.

#include <QString>
#include <QStringList>
#include <QVariant>

#include <variant>
#include <vector>

struct TCatalogueTable {
    QStringList Columns;                     // the table's own order and names
    QStringList DeclaredTypes;               // as the table declares them ("SMALLINT", "")
    std::vector<std::vector<QVariant>> Rows; // catalogue order, one cell per column
};

// Why a catalogue could not be read at all.
struct TCatalogueReadError {
    enum Kind { FileUnreadable, TableMissing } What = FileUnreadable;
    QString Text;
};

// Reads the table `Критерии` through the same read-only connection the
// search uses, in the order the filter query returns rows (no ordering
// clause). When `filterError` is given it also prepares the filter query on
// the file and leaves there the engine's text if that fails (empty if not).
std::variant<TCatalogueTable, TCatalogueReadError>
ReadCatalogueTable(const QString& cataloguePath, QString* filterError = nullptr);

// Position of a column by its exact name, or -1.
int ColumnIndex(const TCatalogueTable& table, const char* name);
