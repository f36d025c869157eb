// Damaged, foreign and oversized catalogue files through the real search.
// Each file gives either the right result or a clear database error, never
// a crash; and the search only reads: the file's bytes stay as they were and
// no journal, WAL or shared-memory file appears beside it. The files are
// built here, in a temporary directory, for each row.

#include "search/search.h"
#include "search/search_messages.h"
#include "tests/support/catalogue_writer.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <map>
#include <unistd.h>

namespace {

using Row = QVariantMap;

const QStringList& ColumnNames() {
    return CatalogueColumnNames();
}

// Variant `n` of a made-up catalogue: admitted by WideOpenInputs(), with
// criterion values that differ from row to row so the engine ranks them.
Row Variant(int n) {
    Row row;
    row["Варианты технологии"] = QStringLiteral("Вариант %1").arg(n);
    row["Состав процеcса"] = QStringLiteral("Операции варианта %1").arg(n);
    row["Уклон"] = 100;
    row["Минуклон"] = 0;
    row["Толщина"] = 1 + n % 50;
    row["Температура"] = -25 + n % 40;
    row["Объем"] = n % 100;
    row["Износ"] = 100;
    row["Минизнос"] = 0;
    row["Огнеопасность"] = 1;
    row["Утяжеление"] = n % 2;
    row["Электроснабжение"] = 1;
    row["Стоимость"] = 100 + 7 * (n % 300);
    row["Трудоемкость, чел-ч/ м2"] = 0.1 + 0.01 * (n % 90);
    for (int i = 9; i < 22; ++i)
        row[ColumnNames()[i]] = 1 + (n * (i - 5)) % 10;
    row["Светоотражающ способность"] = 0.1 * (1 + n % 9);
    return row;
}

QList<Row> Variants(int count) {
    QList<Row> rows;
    for (int n = 1; n <= count; ++n)
        rows << Variant(n);
    return rows;
}

// Writes the table "Критерии" with `rows`, leaving out the columns named in
// `omitted`; `table` names the table for a catalogue that lacks it. The
// columns carry no declared type, so every cell keeps the type it is given.
void MakeCatalogue(const QString& path, const QList<Row>& rows, const QStringList& omitted = {},
                   const QString& table = QStringLiteral("Критерии"), const QString& pragma = {}) {
    QString error;
    QVERIFY2(WriteCatalogue(path, rows, CatalogueLayout{omitted, table, pragma, false}, &error),
             qPrintable(error));
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A request every made-up variant passes.
SearchInputs WideOpenInputs() {
    SearchInputs in;
    in.CriteriaGroup = FullGroup;
    in.SlopeText = "5";
    in.RepairVolumeText = "9999";
    in.RoofThicknessText = "100";
    in.MaxCostText = "99999999";
    in.AirTemperatureText = "45";
    in.WearText = "50";
    in.OpenFireAllowed = in.WeightingAllowed = in.PowerSupplyAccess = true;
    in.InternalTicks.fill(true);
    in.ExternalTicks.fill(true);
    return in;
}

using Builder = std::function<void(const QString& path)>;

// Every hostile file by name; a row of the test names one of these.
const std::map<QString, Builder>& Builders() {
    static const std::map<QString, Builder> builders = {
        {"empty file", [](const QString& path) { WriteBytes(path, {}); }},
        {"random bytes",
         [](const QString& path) {
             QRandomGenerator random(20240611);
             QByteArray bytes(8192, '\0');
             for (char& byte : bytes)
                 byte = static_cast<char>(random.bounded(256));
             WriteBytes(path, bytes);
         }},
        {"SQLite header, random pages",
         [](const QString& path) {
             MakeCatalogue(path, Variants(50));
             QByteArray bytes = ReadBytes(path);
             QRandomGenerator random(7);
             for (qsizetype i = 100; i < bytes.size(); ++i)
                 bytes[i] = static_cast<char>(random.bounded(256));
             WriteBytes(path, bytes);
         }},
        {"truncated",
         [](const QString& path) {
             MakeCatalogue(path, Variants(300));
             const QByteArray bytes = ReadBytes(path);
             WriteBytes(path, bytes.left(bytes.size() / 2));
         }},
        {"no table",
         [](const QString& path) { MakeCatalogue(path, Variants(3), {}, "Критерии_старые"); }},
        {"compared column missing",
         [](const QString& path) { MakeCatalogue(path, Variants(3), {"Минизнос"}); }},
        {"criterion column missing",
         [](const QString& path) { MakeCatalogue(path, Variants(3), {"Эстетичность кровли"}); }},
        {"name column missing",
         [](const QString& path) { MakeCatalogue(path, Variants(3), {"Варианты технологии"}); }},
        {"text in numeric columns",
         [](const QString& path) {
             QList<Row> rows = Variants(4);
             rows[1]["Уклон"] = "сто";          // a bound: the row fails the filter
             rows[2]["Стоимость"] = "";         // the same with an empty text
             rows[3]["Безотказность"] = "выс."; // a criterion: a missing value
             MakeCatalogue(path, rows);
         }},
        {"NULL in compared columns",
         [](const QString& path) {
             QList<Row> rows = Variants(5);
             rows[0]["Объем"] = QVariant();
             rows[2]["Минуклон"] = QVariant();
             rows[4]["Огнеопасность"] = QVariant();
             MakeCatalogue(path, rows);
         }},
        {"NULL in criterion columns",
         [](const QString& path) {
             QList<Row> rows = Variants(3);
             rows[0]["Трудоемкость, чел-ч/ м2"] = QVariant();
             rows[1]["Дождливая погода"] = QVariant();
             rows[2]["Светоотражающ способность"] = QVariant();
             MakeCatalogue(path, rows);
         }},
        {"no rows", [](const QString& path) { MakeCatalogue(path, {}); }},
        {"one row", [](const QString& path) { MakeCatalogue(path, Variants(1)); }},
        {"2000 rows", [](const QString& path) { MakeCatalogue(path, Variants(2000)); }},
        {"long texts",
         [](const QString& path) {
             QList<Row> rows = Variants(3);
             for (Row& row : rows) {
                 row["Варианты технологии"] = QString(200, u'Щ');
                 row["Состав процеcса"] = QString(10000, u'ж');
             }
             MakeCatalogue(path, rows);
         }},
        {"WAL mode",
         [](const QString& path) {
             MakeCatalogue(path, Variants(3), {}, "Критерии", "PRAGMA journal_mode=WAL");
         }},
        {"awkward folder name",
         [](const QString& path) {
             MakeCatalogue(path, Variants(2), {}, "Критерии", "PRAGMA journal_mode=WAL");
         }},
        {"directory", [](const QString& path) { QVERIFY(QDir().mkdir(path)); }},
        {"not readable",
         [](const QString& path) {
             MakeCatalogue(path, Variants(3));
             QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
         }},
    };
    return builders;
}

QStringList DirectoryEntries(const QString& directory) {
    return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                     QDir::NoDotAndDotDot);
}

} // namespace

class HostileCatalogueTest : public QObject {
    Q_OBJECT

private slots:
    void searchSurvivesTheFile_data();
    void searchSurvivesTheFile();
};

void HostileCatalogueTest::searchSurvivesTheFile_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<SearchOutcomeKind>("kind");
    QTest::addColumn<int>("admissible"); // checked for results only

    const auto error = SearchOutcomeKind::DatabaseError;
    const auto result = SearchOutcomeKind::Result;
    const auto message = SearchOutcomeKind::Message;
    QTest::newRow("empty file") << "empty file" << error << 0;
    QTest::newRow("random bytes") << "random bytes" << error << 0;
    QTest::newRow("SQLite header, random pages") << "SQLite header, random pages" << error << 0;
    QTest::newRow("truncated") << "truncated" << error << 0;
    QTest::newRow("no table") << "no table" << error << 0;
    QTest::newRow("compared column missing") << "compared column missing" << error << 0;
    QTest::newRow("criterion column missing") << "criterion column missing" << error << 0;
    QTest::newRow("name column missing") << "name column missing" << error << 0;
    QTest::newRow("text in numeric columns") << "text in numeric columns" << result << 2;
    QTest::newRow("NULL in compared columns") << "NULL in compared columns" << result << 2;
    QTest::newRow("NULL in criterion columns") << "NULL in criterion columns" << result << 3;
    QTest::newRow("no rows") << "no rows" << message << 0;
    QTest::newRow("one row") << "one row" << result << 1;
    QTest::newRow("2000 rows") << "2000 rows" << result << 2000;
    QTest::newRow("long texts") << "long texts" << result << 3;
    QTest::newRow("WAL mode") << "WAL mode" << result << 3;
    QTest::newRow("awkward folder name") << "awkward folder name" << result << 2;
    QTest::newRow("directory") << "directory" << error << 0;
    QTest::newRow("not readable") << "not readable" << error << 0;
}

void HostileCatalogueTest::searchSurvivesTheFile() {
    QFETCH(QString, fixture);
    QFETCH(SearchOutcomeKind, kind);
    QFETCH(int, admissible);

    if (fixture == "not readable" && ::geteuid() == 0) {
        // QSKIP itself trips clang's pedantic check on empty variadic arguments.
        QTest::qSkip("running as root: permission bits do not stop root from reading the file",
                     __FILE__, __LINE__);
        return;
    }

    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    // A working directory whose name a database URI must escape (the WAL-mode
    // catalogue there is opened by URI).
    const QString folder = fixture == "awkward folder name" ? "Кровля №1 #2?a=b&c%20" : ".";
    QVERIFY(QDir(directory.path()).mkpath(folder));
    const QString path = QDir(directory.filePath(folder)).filePath("database.mdb");
    Builders().at(fixture)(path);
    if (QTest::currentTestFailed())
        return;
    const QByteArray before = ReadBytes(path);
    const QString folderPath = QFileInfo(path).absolutePath();
    const QStringList entriesBefore = DirectoryEntries(folderPath);

    SearchInputs inputs = WideOpenInputs();
    SearchState state;
    const SearchOutcome outcome = RunSearch(inputs, path, state);

    QCOMPARE(outcome.Kind, kind);
    switch (kind) {
    case SearchOutcomeKind::DatabaseError:
        QVERIFY2(!outcome.Text.trimmed().isEmpty(), "a database error names its cause");
        QVERIFY(!state.CatalogueRan);
        break;
    case SearchOutcomeKind::Message:
        QCOMPARE(outcome.Text, QString::fromUtf8(NoVariantMessage));
        break;
    case SearchOutcomeKind::Result:
        QVERIFY(state.Result);
        QCOMPARE(state.Result->AdmissibleCount, admissible);
        QCOMPARE(static_cast<int>(state.Catalogue.Variants.size()), admissible);
        for (const TTechnologyVariant& variant : state.Catalogue.Variants)
            QVERIFY(!variant.Name.empty());
        break;
    }
    if (fixture == "long texts") {
        const TTechnologyVariant& first = state.Catalogue.Variants.front();
        QCOMPARE(QString::fromStdString(first.Name), QString(200, u'Щ'));
        QCOMPARE(QString::fromStdString(first.ProcessComposition), QString(10000, u'ж'));
        QCOMPARE(QString::fromStdString(state.Result->Ranked[0].ProcessComposition),
                 QString(10000, u'ж'));
    }

    QCOMPARE(ReadBytes(path), before);
    QCOMPARE(DirectoryEntries(folderPath), entriesBefore);
}

QTEST_GUILESS_MAIN(HostileCatalogueTest)
#include "tst_hostile_catalogue.moc"
