// The CSV round trip: export, import and export again give the same bytes,
// and the imported catalogue answers every request as the original does.

#include "search/catalogue_csv.h"
#include "search/catalogue_writer.h"
#include "search/criteria_selection.h"
#include "search/search.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

TCatalogueTable ReadTable(const QString& path) {
    auto read = ReadCatalogueTable(path);
    if (!std::holds_alternative<TCatalogueTable>(read))
        qFatal("catalogue not read");
    return std::get<TCatalogueTable>(read);
}

TCatalogueTable FromCsv(const QByteArray& bytes) {
    auto table = CatalogueFromCsv(bytes);
    if (const auto* error = std::get_if<TCsvError>(&table))
        qFatal("CSV refused: %s", qPrintable(error->Text));
    return std::get<TCatalogueTable>(table);
}

// A spread of requests over the bounds, the conditions and all groups.
QList<SearchInputs> Requests() {
    QList<SearchInputs> requests;
    const QStringList slopes = {"0", "2,5", "10", "25"};
    const QStringList wears = {"10", "45", "80"};
    const QStringList temperatures = {"-25", "5", "20"};
    int n = 0;
    for (const QString& slope : slopes)
        for (const QString& wear : wears)
            for (const QString& temperature : temperatures)
                for (int conditions = 0; conditions < 8; ++conditions) {
                    SearchInputs in;
                    in.SlopeText = slope;
                    in.RepairVolumeText = n % 2 ? "1000" : "100";
                    in.RoofThicknessText = "20";
                    in.MaxCostText = n % 3 ? "3000" : "900";
                    in.AirTemperatureText = temperature;
                    in.WearText = wear;
                    in.OpenFireAllowed = conditions & 1;
                    in.WeightingAllowed = conditions & 2;
                    in.PowerSupplyAccess = conditions & 4;
                    TCriteriaWindowState window;
                    ApplyCriteriaGroup(n % 2 ? FullGroup : SpecialGroup, window);
                    if (n % 2 == 0)
                        ApplySubjectPreset(n / 2 % 3, window);
                    in.CriteriaGroup = n % 2 ? FullGroup : SpecialGroup;
                    in.Subject = window.Subject;
                    in.InternalTicks = window.InternalTicks;
                    in.ExternalTicks = window.ExternalTicks;
                    requests << in;
                    ++n;
                }
    return requests;
}

QString Describe(const SearchOutcome& outcome, const SearchState& state) {
    QString text = QString::number(int(outcome.Kind)) + outcome.Text;
    if (outcome.Kind == SearchOutcomeKind::Result) {
        const TSearchResult& r = *state.Result;
        text += QStringLiteral("|%1|%2|%3|%4|")
                    .arg(int(r.Kind))
                    .arg(r.AdmissibleCount)
                    .arg(r.RejectedCount)
                    .arg(r.CatalogueCount);
        for (const auto& place : r.Ranked)
            text += QString::fromStdString(place.Name + "/" + place.CriterionText + ";");
    }
    return text;
}

} // namespace

class CatalogueCsvTest : public QObject {
    Q_OBJECT
private slots:
    void roundTripKeepsBytesAndResults();
    void fieldsAndTypes_data();
    void fieldsAndTypes();
    void malformedFiles_data();
    void malformedFiles();
    void numbers_data();
    void numbers();
    void importRefusesFaultyCatalogue();
    void replaceKeepsBackup();

private:
    QTemporaryDir m_dir;
};

void CatalogueCsvTest::roundTripKeepsBytesAndResults() {
    const QByteArray first = CatalogueCsv(ReadTable(ZIRS_BUILT_CATALOGUE));
    QVERIFY(first.startsWith("\xEF\xBB\xBF\"Варианты технологии\";\"Состав процеcса\";"));
    const QString text = QString::fromUtf8(first);
    QVERIFY(text.contains(QRegularExpression(";\\d+,\\d+;")));
    QVERIFY(!text.contains(QRegularExpression(";-?\\d+\\.\\d+;")));

    const QString copy = m_dir.filePath("copy.mdb");
    const TInstallOutcome installed = InstallCatalogue(FromCsv(first), copy, false);
    QVERIFY2(installed.Installed, qPrintable(installed.Error));
    QCOMPARE(CatalogueCsv(ReadTable(copy)), first);

    for (SearchInputs in : Requests()) {
        SearchInputs again = in;
        SearchState original, imported;
        const SearchOutcome a = RunSearch(in, ZIRS_BUILT_CATALOGUE, original);
        const SearchOutcome b = RunSearch(again, copy, imported);
        QCOMPARE(Describe(b, imported), Describe(a, original));
    }
}

void CatalogueCsvTest::fieldsAndTypes_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QVariantList>("cells");
    // Names of our own text and number columns and one the catalogue does not know.
    const QByteArray header = "\"Варианты технологии\";\"Минуклон\";\"Заметки\"\r\n";
    QTest::newRow("plain") << header + "\"Ремонт\";2,5;\"x\"\r\n"
                           << QVariantList{"Ремонт", 2.5, "x"};
    QTest::newRow("point and integer") << header + "\"Р\";3;7\r\n" << QVariantList{"Р", 3LL, 7LL};
    QTest::newRow("decimal point") << header + "\"Р\";0.45;\"\"\r\n" << QVariantList{"Р", 0.45, ""};
    QTest::newRow("empty cells") << header + ";;\r\n"
                                 << QVariantList{QVariant(), QVariant(), QVariant()};
    QTest::newRow("separator quote and break inside")
        << header + "\"a;b \"\"c\"\"\r\nd\";1;\"5\"\r\n"
        << QVariantList{"a;b \"c\"\r\nd", 1LL, "5"};
    QTest::newRow("no BOM, LF, no last break")
        << QByteArray(header).replace("\r\n", "\n") + "7;8;9" << QVariantList{"7", 8LL, 9LL};
    QTest::newRow("text left in number column") << header + "\"Р\";\"1 200\";x\r\n"
                                                << QVariantList{"Р", "1 200", "x"};
}

void CatalogueCsvTest::fieldsAndTypes() {
    QFETCH(QByteArray, csv);
    QFETCH(QVariantList, cells);
    const TCatalogueTable table = FromCsv(csv);
    QCOMPARE(table.Columns, (QStringList{"Варианты технологии", "Минуклон", "Заметки"}));
    QCOMPARE(table.DeclaredTypes, (QStringList{"VARCHAR(200)", "DECIMAL(3,1)", ""}));
    QCOMPARE(table.Rows.size(), std::size_t(1));
    for (int c = 0; c < cells.size(); ++c) {
        const QVariant& got = table.Rows[0][std::size_t(c)];
        QCOMPARE(got.isNull(), cells[c].isNull());
        QCOMPARE(got.typeId(), cells[c].typeId());
        QCOMPARE(got, cells[c]);
    }
}

void CatalogueCsvTest::malformedFiles_data() {
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QByteArray("\xEF\xBB\xBF") << "нет даже строки заголовка";
    QTest::newRow("short record") << QByteArray("a;b\r\n1\r\n") << "запись 2: полей 1";
    QTest::newRow("open quote") << QByteArray("a;b\r\n\"1;2\r\n") << "внутри поля в кавычках";
    QTest::newRow("text after quote")
        << QByteArray("a\r\n\"x\"y\r\n") << "после закрывающей кавычки";
    QTest::newRow("duplicate column") << QByteArray("a;a\r\n") << "«a» в заголовке дважды";
    QTest::newRow("empty column name") << QByteArray("a;;b\r\n") << "пустое имя столбца";
    QTest::newRow("not UTF-8") << QByteArray("\xC2\xE0\xF0\xE8\xE0\xED\xF2\xFB\r\n")
                               << "не в кодировке UTF-8";
}

void CatalogueCsvTest::malformedFiles() {
    QFETCH(QByteArray, csv);
    QFETCH(QString, message);
    auto table = CatalogueFromCsv(csv);
    QVERIFY(std::holds_alternative<TCsvError>(table));
    QVERIFY2(std::get<TCsvError>(table).Text.contains(message),
             qPrintable(std::get<TCsvError>(table).Text));
}

void CatalogueCsvTest::numbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("number");
    QTest::newRow("integer") << "-12" << QVariant(qint64(-12));
    QTest::newRow("comma") << "350,5" << QVariant(350.5);
    QTest::newRow("exponent") << "1,5E+300" << QVariant(1.5e300);
    QTest::newRow("beyond 64 bits") << "9223372036854775808" << QVariant(9223372036854775808.0);
    QTest::newRow("shortest digits of 0.1") << "0,1" << QVariant(0.1);
    QTest::newRow("blank inside") << "1 200" << QVariant();
    QTest::newRow("infinity") << "inf" << QVariant();
    QTest::newRow("two separators") << "1,2,3" << QVariant();
    QTest::newRow("sign alone") << "-" << QVariant();
    QTest::newRow("plus") << "+5" << QVariant();
    QTest::newRow("overflow") << "1e400" << QVariant();
}

void CatalogueCsvTest::numbers() {
    QFETCH(QString, text);
    QFETCH(QVariant, number);
    const QVariant got = NumberFromText(text);
    QCOMPARE(got.isValid(), number.isValid());
    if (number.isValid()) {
        QCOMPARE(got.typeId(), number.typeId());
        QCOMPARE(got, number);
    }
}

void CatalogueCsvTest::importRefusesFaultyCatalogue() {
    TCatalogueTable table = ReadTable(ZIRS_BUILT_CATALOGUE);
    const int flag = table.Columns.indexOf("Огнеопасность");
    table.Rows[5][std::size_t(flag)] = QVariant(qint64(3));
    const QString target = m_dir.filePath("refused.mdb");
    const TInstallOutcome outcome = InstallCatalogue(table, target, false);
    QVERIFY(!outcome.Installed);
    QCOMPARE(outcome.Findings.size(), std::size_t(1));
    QCOMPARE(outcome.Findings[0].Row, 6);
    QVERIFY(!QFileInfo::exists(target));
    // The temporary file beside the target is gone as well.
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).filter("refused").size(), 0);
}

void CatalogueCsvTest::replaceKeepsBackup() {
    const QString target = m_dir.filePath("database.mdb");
    QFile::copy(ZIRS_BUILT_CATALOGUE, target);
    const QByteArray before = CatalogueCsv(ReadTable(target));
    TCatalogueTable table = ReadTable(target);
    table.Rows.pop_back();

    const TInstallOutcome refused = InstallCatalogue(table, target, false);
    QVERIFY(!refused.Installed);
    QVERIFY(refused.Error.contains("--replace"));
    QCOMPARE(CatalogueCsv(ReadTable(target)), before);

    const TInstallOutcome replaced = InstallCatalogue(table, target, true);
    QVERIFY2(replaced.Installed, qPrintable(replaced.Error));
    QCOMPARE(ReadTable(target).Rows.size(), table.Rows.size());
    QCOMPARE(CatalogueCsv(ReadTable(BackupPath(target))), before);
    QVERIFY(BackupPath(target).endsWith("database.mdb.bak"));
}

QTEST_GUILESS_MAIN(CatalogueCsvTest)
#include "tst_catalogue_csv.moc"
