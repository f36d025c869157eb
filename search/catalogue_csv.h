#pragma once
// The catalogue as a CSV file that LibreOffice Calc opens as it is: UTF-8
// with a byte order mark, semicolons between fields, CR LF between records,
// the decimal comma, a header row with the table's own column names. Text
// cells are always quoted; numbers never are; an empty cell is an empty
// field. Exporting what was imported gives the same bytes again.

#include "catalogue_table.h"

#include <QByteArray>
#include <QString>

#include <variant>

QByteArray CatalogueCsv(const TCatalogueTable& table);

struct TCsvError {
    QString Text;
};

// Reads a CSV file back into a table. Cells of text columns (by declared
// type: the catalogue's own columns have theirs, others take none) stay
// text; elsewhere a field that reads as a number, with a decimal comma or
// point, becomes that number, and any other text stays as it is for the
// check to judge. An unquoted empty field is an empty cell.
std::variant<TCatalogueTable, TCsvError> CatalogueFromCsv(const QByteArray& bytes);

// The type the catalogue declares for one of its own columns ("SMALLINT",
// "DECIMAL(19,4)", …), or empty for a column it does not know.
QString KnownColumnType(const QString& column);

// A number as a field holds it: "-12", "350,5", "0.45", "1,5E+300". Empty
// when the text is not a number.
QVariant NumberFromText(const QString& text);
