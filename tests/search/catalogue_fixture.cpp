#include "catalogue_fixture.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <utility>

namespace {

// Every column of the table with its declared type, in the table's order.
const QList<std::pair<QString, QString>>& Schema() {
    static const QList<std::pair<QString, QString>> columns = {
        {"Варианты технологии", "VARCHAR(200)"},
        {"Состав процеcса", "TEXT"},
        {"Уклон", "SMALLINT"},
        {"Толщина", "SMALLINT"},
        {"Температура", "SMALLINT"},
        {"Объем", "SMALLINT"},
        {"Износ", "SMALLINT"},
        {"Стоимость", "DECIMAL(19,4)"},
        {"Трудоемкость, чел-ч/ м2", "DECIMAL(3,2)"},
        {"Опасность травматизма", "SMALLINT"},
        {"Безотказность", "SMALLINT"},
        {"Безотходность", "SMALLINT"},
        {"Загрязняемость", "SMALLINT"},
        {"Пожароопасность", "SMALLINT"},
        {"Долговечность", "SMALLINT"},
        {"Эстетичность кровли", "SMALLINT"},
        {"Светоотражающ способность", "DECIMAL(3,1)"},
        {"Дождливая погода", "SMALLINT"},
        {"Потребность в электроснабжении", "SMALLINT"},
        {"Опасность наличия скрытых дефектов", "SMALLINT"},
        {"Перебои в снабжении материалами", "SMALLINT"},
        {"Нарушение водоотвода с кровли", "SMALLINT"},
        {"Минуклон", "DECIMAL(3,1)"},
        {"Минизнос", "DECIMAL(4,1)"},
        {"Огнеопасность", "SMALLINT"},
        {"Утяжеление", "SMALLINT"},
        {"Электроснабжение", "SMALLINT"},
    };
    return columns;
}

QString Quoted(const QString& name) {
    return '"' + name + '"';
}

} // namespace

QVariantMap PermissiveRow(const QString& name) {
    QVariantMap row;
    row["Варианты технологии"] = name;
    row["Состав процеcса"] = "Состав: " + name;
    row["Уклон"] = 100;
    row["Минуклон"] = -2;
    row["Толщина"] = 1;
    row["Температура"] = -25;
    row["Объем"] = 0;
    row["Износ"] = 100;
    row["Минизнос"] = 0;
    row["Огнеопасность"] = 1;
    row["Утяжеление"] = 1;
    row["Электроснабжение"] = 1;
    row["Стоимость"] = 100;
    row["Трудоемкость, чел-ч/ м2"] = 0.5;
    for (const char* score :
         {"Опасность травматизма", "Безотказность", "Безотходность", "Загрязняемость",
          "Пожароопасность", "Долговечность", "Эстетичность кровли", "Дождливая погода",
          "Потребность в электроснабжении", "Опасность наличия скрытых дефектов",
          "Перебои в снабжении материалами", "Нарушение водоотвода с кровли"})
        row[QString::fromUtf8(score)] = 5;
    row["Светоотражающ способность"] = 0.5;
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
                    const QStringList& omitted) {
    static int counter = 0;
    const QString connection = QStringLiteral("fixture-writer-%1").arg(++counter);
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
        db.setDatabaseName(path);
        ok = db.open();
        QStringList definitions;
        QStringList names;
        for (const auto& [name, type] : Schema()) {
            if (omitted.contains(name))
                continue;
            definitions << Quoted(name) + ' ' + type;
            names << name;
        }
        QSqlQuery query(db);
        // Fixtures are throw-away files: no need to wait for the disk.
        ok = ok && query.exec("PRAGMA synchronous = OFF") && db.transaction();
        ok = ok && query.exec("CREATE TABLE \"Критерии\" (" + definitions.join(", ") + ")");
        QStringList quotedNames;
        for (const QString& name : names)
            quotedNames << Quoted(name);
        const QString insert = "INSERT INTO \"Критерии\" (" + quotedNames.join(", ") +
                               ") VALUES (" + QStringList(names.size(), "?").join(", ") + ")";
        for (const QVariantMap& row : rows) {
            ok = ok && query.prepare(insert);
            for (int i = 0; i < names.size(); ++i)
                query.bindValue(i, row.value(names[i]));
            ok = ok && query.exec();
        }
        ok = ok && db.commit();
        if (!ok)
            qWarning() << "fixture:" << query.lastError().text() << db.lastError().text();
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
