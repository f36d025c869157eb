#include "catalogue_table.h"

#include "catalogue.h"
#include "catalogue_columns.h"
#include "catalogue_connection.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

std::variant<TCatalogueTable, TCatalogueReadError> ReadCatalogueTable(const QString& cataloguePath,
                                                                      QString* filterError) {
    CatalogueConnection connection(cataloguePath);
    if (!connection.isOpen())
        return TCatalogueReadError{TCatalogueReadError::FileUnreadable, connection.error()};
    QSqlDatabase& db = connection.database();
    const QString table = QString::fromUtf8(CatalogueTableName);

    TCatalogueTable result;
    {
        // The declared types, so a copy of the table can declare the same.
        QSqlQuery info(db);
        if (!info.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
            return TCatalogueReadError{TCatalogueReadError::FileUnreadable,
                                       EngineErrorText(info.lastError())};
        while (info.next()) {
            result.Columns << info.value(1).toString();
            result.DeclaredTypes << info.value(2).toString();
        }
        if (result.Columns.isEmpty())
            return TCatalogueReadError{TCatalogueReadError::TableMissing,
                                       QStringLiteral("В каталоге нет таблицы «%1».").arg(table)};
    }

    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT * FROM \"%1\"").arg(table)))
        return TCatalogueReadError{TCatalogueReadError::FileUnreadable,
                                   EngineErrorText(query.lastError())};
    const int columns = query.record().count();
    while (query.next()) {
        std::vector<QVariant> row(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c)
            row[static_cast<std::size_t>(c)] = query.value(c);
        result.Rows.push_back(std::move(row));
    }
    if (query.lastError().isValid())
        return TCatalogueReadError{TCatalogueReadError::FileUnreadable,
                                   EngineErrorText(query.lastError())};
    // A generated or hidden column can make the two lists differ; the
    // result's own names are what the rows hold.
    if (columns != result.Columns.size()) {
        result.Columns.clear();
        result.DeclaredTypes.clear();
        for (int c = 0; c < columns; ++c) {
            result.Columns << query.record().fieldName(c);
            result.DeclaredTypes << QString();
        }
    }
    query.finish();

    if (filterError) {
        filterError->clear();
        QSqlQuery filter(db);
        if (!filter.prepare(FilterQueryText()))
            *filterError = EngineErrorText(filter.lastError());
    }
    return result;
}

int ColumnIndex(const TCatalogueTable& table, const char* name) {
    const QString wanted = QString::fromUtf8(name);
    for (int i = 0; i < table.Columns.size(); ++i) {
        if (table.Columns[i] == wanted)
            return i;
    }
    return -1;
}
