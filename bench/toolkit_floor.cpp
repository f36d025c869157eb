// The toolkit floor for zirs-search: the least a QtCore + QtSql program does
// to read the catalogue. zirs-search is timed against it.
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("database.mdb"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open())
        return 1;
    QSqlQuery query(db);
    int rows = 0;
    if (query.exec(QStringLiteral("SELECT * FROM Критерии")))
        while (query.next())
            ++rows;
    return rows > 0 ? 0 : 1;
}
