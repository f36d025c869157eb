#include "tests/support/catalogue_writer.h"

#include "search/catalogue_columns.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <utility>

namespace {

// The columns with the types the bundled catalogue declares for them, in its
// order; the names are the ones the program reads.
const QList<std::pair<QString, QString>>& Schema() {
    static const QList<std::pair<QString, QString>> columns = [] {
        QList<std::pair<QString, QString>> list;
        const auto add = [&list](const char* name, const char* type) {
            list.append({QString::fromUtf8(name), QString::fromLatin1(type)});
        };
        add(NameColumn, "VARCHAR(200)");
        add(ProcessCompositionColumn, "TEXT");
        add(MaxSlopeColumn, "SMALLINT");
        add(MinThicknessColumn, "SMALLINT");
        add(MinTemperatureColumn, "SMALLINT");
        add(MinVolumeColumn, "SMALLINT");
        add(MaxWearColumn, "SMALLINT");
        for (int i = 0; i < InternalCriterionCount; ++i) {
            const char* type = i == 0   ? "DECIMAL(19,4)"
                               : i == 1 ? "DECIMAL(3,2)"
                               : i == 9 ? "DECIMAL(3,1)"
                                        : "SMALLINT";
            add(InternalCriterionColumns[std::size_t(i)], type);
        }
        for (const char* factor : ExternalFactorColumns)
            add(factor, "SMALLINT");
        add(MinSlopeColumn, "DECIMAL(3,1)");
        add(MinWearColumn, "DECIMAL(4,1)");
        add(NoOpenFireColumn, "SMALLINT");
        add(NoWeightingColumn, "SMALLINT");
        add(NoPowerSupplyColumn, "SMALLINT");
        return list;
    }();
    return columns;
}

QString Quoted(const QString& name) {
    return QLatin1Char('"') + name + QLatin1Char('"');
}

} // namespace

const QStringList& CatalogueColumnNames() {
    static const QStringList names = [] {
        QStringList list;
        for (const auto& column : Schema())
            list << column.first;
        return list;
    }();
    return names;
}

QVariantMap PermissiveRow(const QString& name) {
    QVariantMap row;
    row[NameColumn] = name;
    row[ProcessCompositionColumn] = QStringLiteral("Состав: ") + name;
    row[MaxSlopeColumn] = 100;
    row[MinSlopeColumn] = -2;
    row[MinThicknessColumn] = 1;
    row[MinTemperatureColumn] = -25;
    row[MinVolumeColumn] = 0;
    row[MaxWearColumn] = 100;
    row[MinWearColumn] = 0;
    row[NoOpenFireColumn] = 1;
    row[NoWeightingColumn] = 1;
    row[NoPowerSupplyColumn] = 1;
    for (const char* score : InternalCriterionColumns)
        row[score] = 5;
    for (const char* score : ExternalFactorColumns)
        row[score] = 5;
    row[InternalCriterionColumns[0]] = 100;
    row[InternalCriterionColumns[1]] = 0.5;
    row[InternalCriterionColumns[9]] = 0.5;
    return row;
}

TFilterParameters WideOpenParameters() {
    TFilterParameters p;
    p.k = p.s = 0.0;
    p.l = 40000;
    p.m = 100;
    p.n = 1000000;
    p.o = 45;
    p.p = p.t = 0;
    p.r1 = p.r2 = p.r3 = 0;
    return p;
}

bool WriteCatalogue(const QString& path, const QList<QVariantMap>& rows,
                    const CatalogueLayout& layout, QString* error) {
    static int counter = 0;
    const QString connection = QStringLiteral("catalogue-writer-%1").arg(++counter);
    const QString table =
        layout.Table.isEmpty() ? QString::fromUtf8(CatalogueTableName) : layout.Table;
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        ok = db.open();
        QStringList definitions;
        QStringList names;
        for (const auto& [name, type] : Schema()) {
            if (layout.Omitted.contains(name))
                continue;
            definitions << (layout.DeclaredTypes ? Quoted(name) + QLatin1Char(' ') + type
                                                 : Quoted(name));
            names << Quoted(name);
        }
        QSqlQuery query(db);
        if (ok && !layout.Pragma.isEmpty())
            ok = query.exec(layout.Pragma);
        // Test catalogues are throw-away files: no need to wait for the disk.
        ok = ok && query.exec(QStringLiteral("PRAGMA synchronous = OFF")) && db.transaction();
        ok = ok && query.exec(QStringLiteral("CREATE TABLE %1 (%2)")
                                  .arg(Quoted(table), definitions.join(QStringLiteral(", "))));
        const QString insert =
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(Quoted(table), names.join(QStringLiteral(", ")),
                     QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
        for (const QVariantMap& row : rows) {
            ok = ok && query.prepare(insert);
            int position = 0;
            for (const auto& column : Schema()) {
                if (!layout.Omitted.contains(column.first))
                    query.bindValue(position++, row.value(column.first));
            }
            ok = ok && query.exec();
        }
        ok = ok && db.commit();
        if (!ok && error)
            *error = query.lastError().text() + QLatin1Char(' ') + db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
