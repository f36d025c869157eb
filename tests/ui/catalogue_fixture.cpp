#include "catalogue_fixture.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>

namespace {

bool Execute(QSqlDatabase& db, const QString& statement) {
    QSqlQuery query(db);
    return query.exec(statement);
}

bool Fill(QSqlDatabase& db) {
    const QString create = QStringLiteral(
        "CREATE TABLE \"Критерии\" (\"Варианты технологии\" VARCHAR(200), \"Состав процеcса\" "
        "TEXT, \"Уклон\" SMALLINT, \"Толщина\" SMALLINT, \"Температура\" SMALLINT, \"Объем\" "
        "SMALLINT, \"Износ\" SMALLINT, \"Стоимость\" DECIMAL(19,4), \"Трудоемкость, чел-ч/ м2\" "
        "DECIMAL(3,2), \"Опасность травматизма\" SMALLINT, \"Безотказность\" SMALLINT, "
        "\"Безотходность\" SMALLINT, \"Загрязняемость\" SMALLINT, \"Пожароопасность\" SMALLINT, "
        "\"Долговечность\" SMALLINT, \"Эстетичность кровли\" SMALLINT, \"Светоотражающ "
        "способность\" DECIMAL(3,1), \"Дождливая погода\" SMALLINT, \"Потребность в "
        "электроснабжении\" SMALLINT, \"Опасность наличия скрытых дефектов\" SMALLINT, "
        "\"Перебои в снабжении материалами\" SMALLINT, \"Нарушение водоотвода с кровли\" "
        "SMALLINT, \"Минуклон\" DECIMAL(3,1), \"Минизнос\" DECIMAL(4,1), \"Огнеопасность\" "
        "SMALLINT, \"Утяжеление\" SMALLINT, \"Электроснабжение\" SMALLINT)");
    if (!Execute(db, create))
        return false;
    // Name, composition, bounds (slope, thickness, temperature, volume, wear),
    // cost, the other nine internal criteria, five external factors, lowest
    // slope and wear, and the three condition flags.
    const QStringList rows = {
        QStringLiteral("'Вариант А', 'Наплавляемый слой', 50, 1, -25, 0, 100, 500, 0.45, 3, 7, "
                       "5, 4, 6, 8, 6, 0.3, 4, 2, 5, 3, 6, 0, 0, 1, 1, 1"),
        QStringLiteral("'Вариант Б', 'Мастичный слой', 50, 1, -25, 0, 100, 900, 0.8, 5, 6, 7, "
                       "3, 4, 7, 8, 0.6, 6, 5, 3, 7, 4, 0, 0, 1, 1, 1"),
        QStringLiteral("'Вариант В', 'Замена кровли', 50, 1, -25, 0, 100, 1500, 1.2, 6, 9, 4, "
                       "5, 5, 9, 7, 0.5, 3, 7, 8, 5, 5, 0, 0, 1, 1, 1"),
    };
    for (const QString& row : rows) {
        if (!Execute(db, QStringLiteral("INSERT INTO \"Критерии\" VALUES (%1)").arg(row)))
            return false;
    }
    return true;
}

} // namespace

bool WriteThreeVariantCatalogue(const QString& path) {
    const QString connection = QUuid::createUuid().toString();
    bool written = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        written = db.open() && Fill(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return written;
}
