// The catalogue filter over small catalogues built at test time: inclusive
// bounds, condition flags, stored order, criterion texts, and every kind of
// bad catalogue file.

#include "search/catalogue.h"
#include "tests/support/catalogue_writer.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Sets one parameter by its query name; the slope and the wear go to both
// parameters that carry them, as the binding does.
void SetParameter(TFilterParameters& p, const QString& name, double value) {
    if (name == "k") {
        p.k = p.s = value;
    } else if (name == "l") {
        p.l = static_cast<int>(value);
    } else if (name == "m") {
        p.m = static_cast<int>(value);
    } else if (name == "n") {
        p.n = value;
    } else if (name == "o") {
        p.o = static_cast<int>(value);
    } else if (name == "p") {
        p.p = p.t = static_cast<int>(value);
    } else if (name == "r1") {
        p.r1 = static_cast<int>(value);
    } else if (name == "r2") {
        p.r2 = static_cast<int>(value);
    } else if (name == "r3") {
        p.r3 = static_cast<int>(value);
    }
}

QStringList Names(const std::vector<TTechnologyVariant>& variants) {
    QStringList names;
    for (const auto& v : variants)
        names << QString::fromStdString(v.Name);
    return names;
}

QStringList DirectoryEntries(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
}

QStringList CatalogueConnections() {
    QStringList ours;
    for (const QString& name : QSqlDatabase::connectionNames()) {
        if (name.startsWith("zirs-catalogue"))
            ours << name;
    }
    return ours;
}

} // namespace

class CatalogueTest : public QObject {
    Q_OBJECT

private slots:
    void queryTextIsTheFixedOne();
    void inclusiveBounds_data();
    void inclusiveBounds();
    void emptyComparedCellIsNotAdmissible_data();
    void emptyComparedCellIsNotAdmissible();
    void conditionFlags_data();
    void conditionFlags();
    void rowsComeInStoredOrder();
    void cellTexts();
    void hugeCostLimitAdmitsEveryCost();
    void badCatalogueFiles_data();
    void badCatalogueFiles();
    void lockedCatalogue();
    void walModeCatalogueLeavesNoFiles();
    void missingFileIsNotCreated();
    void bundledCatalogueHolds21Variants();

private:
    QTemporaryDir dir_;
};

void CatalogueTest::queryTextIsTheFixedOne() {
    const QStringList lines = FilterQueryText().split(u'\n');
    QCOMPARE(lines.size(), 22);
    QCOMPARE(lines[0], QString("SELECT * FROM Критерии"));
    QCOMPARE(lines[1], QString("WHERE Уклон >= :k "));
    QCOMPARE(lines[2], QString("AND "));
    QCOMPARE(lines[14], QString("AND"));
    QCOMPARE(lines[19], QString("Минуклон <=  :s"));
    QCOMPARE(lines[21], QString("Минизнос <=  :t"));
}

void CatalogueTest::inclusiveBounds_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("cell");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("admitted");
    QTest::newRow("slope = Уклон") << "Уклон" << QVariant(10) << "k" << 10.0 << true;
    QTest::newRow("slope above Уклон") << "Уклон" << QVariant(10) << "k" << 10.5 << false;
    QTest::newRow("fractional slope below Уклон") << "Уклон" << QVariant(2) << "k" << 1.5 << true;
    QTest::newRow("fractional slope above Уклон") << "Уклон" << QVariant(2) << "k" << 2.5 << false;
    QTest::newRow("slope = Минуклон") << "Минуклон" << QVariant(2.5) << "k" << 2.5 << true;
    QTest::newRow("slope below Минуклон") << "Минуклон" << QVariant(2.5) << "k" << 2.4 << false;
    QTest::newRow("volume = Объем") << "Объем" << QVariant(50) << "l" << 50.0 << true;
    QTest::newRow("volume below Объем") << "Объем" << QVariant(50) << "l" << 49.0 << false;
    QTest::newRow("thickness = Толщина") << "Толщина" << QVariant(10) << "m" << 10.0 << true;
    QTest::newRow("thickness below Толщина") << "Толщина" << QVariant(10) << "m" << 9.0 << false;
    QTest::newRow("cost = Стоимость") << "Стоимость" << QVariant(350) << "n" << 350.0 << true;
    QTest::newRow("cost under kopecks") << "Стоимость" << QVariant(350.5) << "n" << 350.0 << false;
    QTest::newRow("cost over kopecks") << "Стоимость" << QVariant(350.5) << "n" << 351.0 << true;
    QTest::newRow("temperature = Температура")
        << "Температура" << QVariant(-10) << "o" << -10.0 << true;
    QTest::newRow("temperature below Температура")
        << "Температура" << QVariant(-10) << "o" << -11.0 << false;
    QTest::newRow("wear = Износ") << "Износ" << QVariant(60) << "p" << 60.0 << true;
    QTest::newRow("wear above Износ") << "Износ" << QVariant(60) << "p" << 61.0 << false;
    QTest::newRow("wear above Минизнос") << "Минизнос" << QVariant(12.5) << "p" << 13.0 << true;
    QTest::newRow("wear below Минизнос") << "Минизнос" << QVariant(12.5) << "p" << 12.0 << false;
    QTest::newRow("wear = Минизнос") << "Минизнос" << QVariant(40) << "p" << 40.0 << true;
}

void CatalogueTest::inclusiveBounds() {
    QFETCH(QString, column);
    QFETCH(QVariant, cell);
    QFETCH(QString, parameter);
    QFETCH(double, value);
    QFETCH(bool, admitted);
    const QString path = dir_.filePath(QString("bounds-%1.mdb").arg(QTest::currentDataTag()));
    QVariantMap row = PermissiveRow("Вариант");
    row[column] = cell;
    QVERIFY(WriteCatalogue(path, {PermissiveRow("Первый"), row}));
    TFilterParameters p = WideOpenParameters();
    SetParameter(p, parameter, value);
    const auto outcome = RunCatalogueFilter(path, p);
    QVERIFY(std::holds_alternative<std::vector<TTechnologyVariant>>(outcome));
    const QStringList expected =
        admitted ? QStringList{"Первый", "Вариант"} : QStringList{"Первый"};
    QCOMPARE(Names(std::get<std::vector<TTechnologyVariant>>(outcome)), expected);
}

void CatalogueTest::emptyComparedCellIsNotAdmissible_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("cell");
    for (const char* column :
         {"Уклон", "Минуклон", "Объем", "Толщина", "Стоимость", "Температура", "Износ", "Минизнос",
          "Огнеопасность", "Утяжеление", "Электроснабжение"}) {
        QTest::addRow("%s empty", column) << QString::fromUtf8(column) << QVariant();
        // SQLite ranks text above every number; it must not pass a bound.
        QTest::addRow("%s blank text", column) << QString::fromUtf8(column) << QVariant("");
    }
}

void CatalogueTest::emptyComparedCellIsNotAdmissible() {
    QFETCH(QString, column);
    QFETCH(QVariant, cell);
    const QString path = dir_.filePath(QString("empty-%1.mdb").arg(QTest::currentDataTag()));
    QVariantMap row = PermissiveRow("Пустой");
    row[column] = cell;
    QVERIFY(WriteCatalogue(path, {row, PermissiveRow("Полный")}));
    const auto outcome = RunCatalogueFilter(path, WideOpenParameters());
    QCOMPARE(Names(std::get<std::vector<TTechnologyVariant>>(outcome)), QStringList{"Полный"});
}

void CatalogueTest::conditionFlags_data() {
    QTest::addColumn<bool>("fire");
    QTest::addColumn<bool>("weighting");
    QTest::addColumn<bool>("power");
    QTest::addColumn<QStringList>("admitted");
    // The row names spell their flags: fire, weighting, power (1 = not needed).
    QTest::newRow("all available")
        << true << true << true << QStringList{"000", "100", "010", "001", "111"};
    QTest::newRow("none available") << false << false << false << QStringList{"111"};
    QTest::newRow("no open fire") << false << true << true << QStringList{"100", "111"};
    QTest::newRow("no weighting") << true << false << true << QStringList{"010", "111"};
    QTest::newRow("no power") << true << true << false << QStringList{"001", "111"};
}

void CatalogueTest::conditionFlags() {
    QFETCH(bool, fire);
    QFETCH(bool, weighting);
    QFETCH(bool, power);
    QFETCH(QStringList, admitted);
    const QString path = dir_.filePath(QString("flags-%1.mdb").arg(QTest::currentDataTag()));
    QList<QVariantMap> rows;
    for (const QString flags : {"000", "100", "010", "001", "111"}) {
        QVariantMap row = PermissiveRow(flags);
        row["Огнеопасность"] = flags[0] == u'1' ? 1 : 0;
        row["Утяжеление"] = flags[1] == u'1' ? 1 : 0;
        row["Электроснабжение"] = flags[2] == u'1' ? 1 : 0;
        rows << row;
    }
    QVERIFY(WriteCatalogue(path, rows));
    TFilterParameters p = WideOpenParameters();
    p.r1 = fire ? 0 : 1;
    p.r2 = weighting ? 0 : 1;
    p.r3 = power ? 0 : 1;
    const auto outcome = RunCatalogueFilter(path, p);
    QCOMPARE(Names(std::get<std::vector<TTechnologyVariant>>(outcome)), admitted);
}

void CatalogueTest::rowsComeInStoredOrder() {
    const QString path = dir_.filePath("order.mdb");
    QList<QVariantMap> rows;
    for (const char* name : {"Я", "Б", "Ж", "А", "Ю"})
        rows << PermissiveRow(QString::fromUtf8(name));
    rows[2]["Уклон"] = 1; // "Ж" falls out: the rest keep their order
    rows[0]["Стоимость"] = 999;
    rows[4]["Стоимость"] = 1;
    QVERIFY(WriteCatalogue(path, rows));
    TFilterParameters p = WideOpenParameters();
    p.k = p.s = 5;
    const auto outcome = RunCatalogueFilter(path, p);
    QCOMPARE(Names(std::get<std::vector<TTechnologyVariant>>(outcome)),
             (QStringList{"Я", "Б", "А", "Ю"}));
}

void CatalogueTest::cellTexts() {
    const QString path = dir_.filePath("texts.mdb");
    QVariantMap row = PermissiveRow("Тексты");
    row["Стоимость"] = 350.50;
    row["Трудоемкость, чел-ч/ м2"] = 0.45;
    row["Опасность травматизма"] = 7;
    row["Безотказность"] = QVariant(); // an empty criterion cell
    row["Светоотражающ способность"] = 0.7;
    row["Нарушение водоотвода с кровли"] = QVariant();
    row["Минуклон"] = 1.5;
    row["Минизнос"] = 12.5;
    row["Огнеопасность"] = 0;
    QVariantMap whole = PermissiveRow("Целые");
    whole["Стоимость"] = 1200.00;
    whole["Трудоемкость, чел-ч/ м2"] = 1.0;
    QVERIFY(WriteCatalogue(path, {row, whole}));
    TFilterParameters p = WideOpenParameters();
    p.k = p.s = 2;
    p.p = p.t = 20;
    const auto variants = std::get<std::vector<TTechnologyVariant>>(RunCatalogueFilter(path, p));
    QCOMPARE(variants.size(), std::size_t(2));
    const TTechnologyVariant& v = variants[0];
    QCOMPARE(v.ProcessComposition, std::string("Состав: Тексты"));
    QCOMPARE(v.InternalValues[0], std::string("350,5"));
    QCOMPARE(v.InternalValues[1], std::string("0,45"));
    QCOMPARE(v.InternalValues[2], std::string("7"));
    QCOMPARE(v.InternalValues[3], std::string());
    QCOMPARE(v.InternalValues[9], std::string("0,7"));
    QCOMPARE(v.ExternalValues[3], std::string("5"));
    QCOMPARE(v.ExternalValues[4], std::string());
    QCOMPARE(v.MaxSlope, std::string("100"));
    QCOMPARE(v.MinSlope, std::string("1,5"));
    QCOMPARE(v.MinWear, std::string("12,5"));
    QCOMPARE(v.MinTemperature, std::string("-25"));
    QCOMPARE(v.NoOpenFire, 0);
    QCOMPARE(v.NoWeighting, 1);
    QCOMPARE(variants[1].InternalValues[0], std::string("1200"));
    QCOMPARE(variants[1].InternalValues[1], std::string("1"));
}

void CatalogueTest::hugeCostLimitAdmitsEveryCost() {
    const QString path = dir_.filePath("huge-cost.mdb");
    QVariantMap dear = PermissiveRow("Дорогой");
    dear["Стоимость"] = 999999999999999.9999;
    QVERIFY(WriteCatalogue(path, {PermissiveRow("Дешевый"), dear}));
    TFilterParameters p = WideOpenParameters();
    p.n = 99999999999999999999.0L;
    QCOMPARE(Names(std::get<std::vector<TTechnologyVariant>>(RunCatalogueFilter(path, p))),
             (QStringList{"Дешевый", "Дорогой"}));
    p.n = 9223372036854775807.0L; // the greatest 64-bit integer, bound exactly
    QCOMPARE(std::get<std::vector<TTechnologyVariant>>(RunCatalogueFilter(path, p)).size(),
             std::size_t(2));
}

void CatalogueTest::badCatalogueFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("error");
    QTest::newRow("not a database") << "text"
                                    << "file is not a database";
    QTest::newRow("zero bytes") << "empty"
                                << "no such table: Критерии";
    QTest::newRow("truncated") << "truncated"
                               << "database disk image is malformed";
    QTest::newRow("corrupt pages") << "corrupt"
                                   << "database disk image is malformed";
    QTest::newRow("table missing") << "other table"
                                   << "no such table: Критерии";
    QTest::newRow("compared column missing") << "no Уклон"
                                             << "no such column: Уклон";
    QTest::newRow("column missing, rows admitted") << "no Состав процеcса"
                                                   << "нет столбца \"Состав процеcса\"";
    QTest::newRow("column missing, no row admitted") << "no Безотказность, no rows"
                                                     << "нет столбца \"Безотказность\"";
    QTest::newRow("composition with a Cyrillic с") << "cyrillic composition"
                                                   << "нет столбца \"Состав процеcса\"";
}

void CatalogueTest::badCatalogueFiles() {
    QFETCH(QString, kind);
    QFETCH(QString, error);
    QTemporaryDir here;
    const QString path = here.filePath("database.mdb");
    QList<QVariantMap> rows;
    for (int i = 0; i < 40; ++i) {
        QVariantMap row = PermissiveRow(QString("Вариант %1").arg(i));
        row["Состав процеcса"] = QString(300, QChar(u'ж')); // spread over many pages
        rows << row;
    }
    if (kind == "text") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
    } else if (kind == "empty") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (kind == "truncated" || kind == "corrupt") {
        QVERIFY(WriteCatalogue(path, rows));
        QFile file(path);
        QVERIFY(file.size() > 8 * 4096);
        QVERIFY(file.open(QIODevice::ReadWrite));
        if (kind == "truncated") {
            QVERIFY(file.resize(2 * 4096));
        } else {
            file.seek(4096); // every page after the first holds the table
            file.write(QByteArray(file.size() - 4096, char(0x5A)));
        }
    } else if (kind == "other table") {
        const QString connection = "bad-file-writer";
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec("CREATE TABLE Criteria (x INTEGER)"));
            db.close();
        }
        QSqlDatabase::removeDatabase(connection);
    } else if (kind.startsWith("no ")) {
        QString column = kind.mid(3);
        if (column.endsWith(", no rows")) {
            column.chop(9);
            rows.clear();
        }
        QVERIFY(WriteCatalogue(path, rows, WithoutColumns({column})));
    } else if (kind == "cyrillic composition") {
        QVERIFY(WriteCatalogue(path, rows, WithoutColumns({"Состав процеcса"})));
        const QString connection = "bad-file-writer";
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
            db.setDatabaseName(path);
            QVERIFY(db.open());
            // The same name with the Cyrillic с in sixth place of the second word.
            QVERIFY(
                QSqlQuery(db).exec("ALTER TABLE \"Критерии\" ADD COLUMN \"Состав процесса\" TEXT"));
            db.close();
        }
        QSqlDatabase::removeDatabase(connection);
    }
    const QByteArray before = FileBytes(path);
    const QStringList entriesBefore = DirectoryEntries(here.path());

    const auto outcome = RunCatalogueFilter(path, WideOpenParameters());

    QVERIFY(std::holds_alternative<TCatalogueError>(outcome));
    const QString text = std::get<TCatalogueError>(outcome).Text;
    QVERIFY2(text.contains(error), qPrintable(text));
    QCOMPARE(FileBytes(path), before);
    QCOMPARE(DirectoryEntries(here.path()), entriesBefore); // no journal left behind
    QCOMPARE(CatalogueConnections(), QStringList());
}

void CatalogueTest::lockedCatalogue() {
    const QString path = dir_.filePath("locked.mdb");
    QVERIFY(WriteCatalogue(path, {PermissiveRow("Один")}));
    const QByteArray before = FileBytes(path);
    const QString connection = "lock-holder";
    {
        QSqlDatabase holder = QSqlDatabase::addDatabase("QSQLITE", connection);
        holder.setDatabaseName(path);
        holder.setConnectOptions("QSQLITE_BUSY_TIMEOUT=0");
        QVERIFY(holder.open());
        QSqlQuery lock(holder);
        QVERIFY(lock.exec("BEGIN EXCLUSIVE"));

        const auto outcome = RunCatalogueFilter(path, WideOpenParameters());
        QVERIFY(std::holds_alternative<TCatalogueError>(outcome));
        QVERIFY2(std::get<TCatalogueError>(outcome).Text.contains("database is locked"),
                 qPrintable(std::get<TCatalogueError>(outcome).Text));

        QVERIFY(lock.exec("ROLLBACK"));
        holder.close();
    }
    QSqlDatabase::removeDatabase(connection);
    QCOMPARE(FileBytes(path), before);
    QCOMPARE(
        std::get<std::vector<TTechnologyVariant>>(RunCatalogueFilter(path, WideOpenParameters()))
            .size(),
        std::size_t(1));
}

void CatalogueTest::walModeCatalogueLeavesNoFiles() {
    QTemporaryDir here;
    const QString path = here.filePath("database.mdb");
    QVERIFY(WriteCatalogue(path, {PermissiveRow("Один"), PermissiveRow("Два")}));
    const QString connection = "wal-writer";
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery mode(db);
        QVERIFY(mode.exec("PRAGMA journal_mode = WAL"));
        QVERIFY(mode.next());
        QCOMPARE(mode.value(0).toString(), QString("wal"));
        mode.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    const QByteArray before = FileBytes(path);
    const QStringList entriesBefore = DirectoryEntries(here.path());
    QCOMPARE(entriesBefore, QStringList{"database.mdb"});

    const auto outcome = RunCatalogueFilter(path, WideOpenParameters());
    QCOMPARE(Names(std::get<std::vector<TTechnologyVariant>>(outcome)),
             (QStringList{"Один", "Два"}));
    QCOMPARE(FileBytes(path), before);
    QCOMPARE(DirectoryEntries(here.path()), entriesBefore);
}

void CatalogueTest::missingFileIsNotCreated() {
    const QString path = dir_.filePath("absent/database.mdb");
    const auto outcome = RunCatalogueFilter(path, WideOpenParameters());
    QVERIFY(std::holds_alternative<TCatalogueError>(outcome));
    QVERIFY(std::get<TCatalogueError>(outcome).Text.contains(path));
    QVERIFY(!QFile::exists(path));

    const QString inPlace = dir_.filePath("never.mdb");
    QVERIFY(
        std::holds_alternative<TCatalogueError>(RunCatalogueFilter(inPlace, WideOpenParameters())));
    QVERIFY(!QFile::exists(inPlace));

    // A folder is no catalogue file either.
    QVERIFY(std::holds_alternative<TCatalogueError>(
        RunCatalogueFilter(dir_.path(), WideOpenParameters())));
}

void CatalogueTest::bundledCatalogueHolds21Variants() {
    const QString path = ZIRS_BUILT_CATALOGUE;
    const QByteArray before = FileBytes(path);
    QVERIFY(!before.isEmpty());
    // The loosest request a window can make still admits only part of the
    // catalogue, so count the rows directly as well.
    const QString connection = "bundled-count";
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
        db.setDatabaseName(path);
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        QVERIFY(db.open());
        QSqlQuery count("SELECT COUNT(*), SUM(\"Огнеопасность\" IN (0, 1) AND \"Утяжеление\" "
                        "IN (0, 1) AND \"Электроснабжение\" IN (0, 1)) FROM \"Критерии\"",
                        db);
        QVERIFY(count.next());
        QCOMPARE(count.value(0).toInt(), 21);
        QCOMPARE(count.value(1).toInt(), 21);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);

    TFilterParameters p = WideOpenParameters();
    p.k = p.s = 1.5;
    p.p = p.t = 40;
    const auto variants = std::get<std::vector<TTechnologyVariant>>(RunCatalogueFilter(path, p));
    QVERIFY(variants.size() > 5);
    for (const auto& v : variants) {
        QVERIFY(!v.Name.empty());
        QVERIFY(!v.ProcessComposition.empty());
        for (const auto& value : v.InternalValues)
            QVERIFY(!value.empty());
        for (const auto& value : v.ExternalValues)
            QVERIFY(!value.empty());
    }
    QCOMPARE(FileBytes(path), before);
}

QTEST_GUILESS_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
