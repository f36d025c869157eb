// The number of known variants comes from the catalogue searched: the
// rejected count, the results window's line and the report's sentence agree
// with it for any catalogue size. An old Access file in place of the
// catalogue is named as such and left untouched.

#include "report/report_parameters.h"
#include "results/considered_count.h"
#include "results/results_window.h"
#include "search/criteria_selection.h"
#include "search/search.h"
#include "tests/support/catalogue_writer.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

namespace {

SearchInputs FullRequest() {
    SearchInputs in;
    in.SlopeText = "3";
    in.RepairVolumeText = "100";
    in.RoofThicknessText = "20";
    in.MaxCostText = "1000";
    in.AirTemperatureText = "10";
    in.WearText = "30";
    TCriteriaWindowState window;
    ApplyCriteriaGroup(FullGroup, window);
    in.CriteriaGroup = FullGroup;
    in.InternalTicks = window.InternalTicks;
    in.ExternalTicks = window.ExternalTicks;
    return in;
}

QString LabelText(const QWidget& window, const char* name) {
    return window.findChild<QLabel*>(name)->text();
}

} // namespace

class CatalogueSizeTest : public QObject {
    Q_OBJECT
private slots:
    void searchCountsTheCatalogue_data();
    void searchCountsTheCatalogue();
    void consideredWording_data();
    void consideredWording();
    void rejectedWording_data();
    void rejectedWording();
    void reportSentence_data();
    void reportSentence();
    void resultsWindowLine();
    void accessFileIsExplainedAndKept_data();
    void accessFileIsExplainedAndKept();

private:
    QTemporaryDir m_dir;
};

void CatalogueSizeTest::searchCountsTheCatalogue_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("needFire");
    QTest::newRow("24, three need open fire") << 24 << 3;
    QTest::newRow("21, none rejected") << 21 << 0;
    QTest::newRow("2, one left") << 2 << 1;
}

void CatalogueSizeTest::searchCountsTheCatalogue() {
    QFETCH(int, rows);
    QFETCH(int, needFire);
    QList<QVariantMap> list;
    for (int r = 0; r < rows; ++r) {
        QVariantMap row = PermissiveRow(QStringLiteral("Вариант %1").arg(r));
        row["Стоимость"] = 100 + r;
        row["Безотказность"] = 1 + r % 10;
        row["Огнеопасность"] = r < needFire ? 0 : 1;
        list << row;
    }
    const QString path = m_dir.filePath(QStringLiteral("size%1.mdb").arg(rows));
    QVERIFY(WriteCatalogue(path, list));

    SearchInputs in = FullRequest();
    SearchState state;
    const SearchOutcome outcome = RunSearch(in, path, state);
    QCOMPARE(outcome.Kind, SearchOutcomeKind::Result);
    QCOMPARE(state.Result->CatalogueCount, rows);
    QCOMPARE(state.Result->AdmissibleCount, rows - needFire);
    QCOMPARE(state.Result->RejectedCount, needFire);
    const TReportParameters report = BuildReportParameters(state, in, QStringLiteral("01.02.2027"));
    QVERIFY(report.value("variants").contains(QStringLiteral(" из %1 ").arg(rows)));
}

void CatalogueSizeTest::consideredWording_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("line");
    QTest::newRow("21") << 21 << "Рассмотрен 21 вариант технологии, из них отклонено с учетом ";
    QTest::newRow("24") << 24 << "Рассмотрено 24 варианта технологии, из них отклонено с учетом ";
    QTest::newRow("25") << 25 << "Рассмотрено 25 вариантов технологии, из них отклонено с учетом ";
    QTest::newRow("11") << 11 << "Рассмотрено 11 вариантов технологии, из них отклонено с учетом ";
    QTest::newRow("12") << 12 << "Рассмотрено 12 вариантов технологии, из них отклонено с учетом ";
    QTest::newRow("101") << 101 << "Рассмотрен 101 вариант технологии, из них отклонено с учетом ";
    QTest::newRow("2000") << 2000
                          << "Рассмотрено 2000 вариантов технологии, из них отклонено с учетом ";
}

void CatalogueSizeTest::consideredWording() {
    QFETCH(int, count);
    QFETCH(QString, line);
    const ConsideredCountTexts t = ConsideredCountWording(count);
    QCOMPARE(t.Verb + ' ' + t.Count + ' ' + t.Rest, line);
}

void CatalogueSizeTest::rejectedWording_data() {
    QTest::addColumn<int>("rejected");
    QTest::addColumn<QString>("text");
    QTest::newRow("1 as the window always wrote it") << 1 << "1 вариантов.";
    QTest::newRow("4") << 4 << "4 варианта.";
    QTest::newRow("20") << 20 << "20 вариантов.";
    QTest::newRow("21") << 21 << "21 вариант.";
    QTest::newRow("23") << 23 << "23 варианта.";
    QTest::newRow("111") << 111 << "111 вариантов.";
    QTest::newRow("112") << 112 << "112 вариантов.";
    QTest::newRow("1999") << 1999 << "1999 вариантов.";
}

void CatalogueSizeTest::rejectedWording() {
    QFETCH(int, rejected);
    QFETCH(QString, text);
    QCOMPARE(RejectedCountText(rejected), text);
}

void CatalogueSizeTest::reportSentence_data() {
    QTest::addColumn<int>("admissible");
    QTest::addColumn<int>("known");
    QTest::addColumn<QString>("text");
    QTest::newRow("bundled") << 5 << 21
                             << "Указанным условиям удовлетворяют 5 из 21 известного варианта "
                                "технологии ремонта многослойных";
    QTest::newRow("24") << 5 << 24
                        << "Указанным условиям удовлетворяют 5 из 24 известных вариантов "
                           "технологии ремонта многослойных";
    QTest::newRow("101") << 1 << 101
                         << "Указанным условиям удовлетворяют 1 из 101 известного варианта "
                            "технологии ремонта многослойных";
    QTest::newRow("11") << 3 << 11
                        << "Указанным условиям удовлетворяют 3 из 11 известных вариантов "
                           "технологии ремонта многослойных";
}

void CatalogueSizeTest::reportSentence() {
    QFETCH(int, admissible);
    QFETCH(int, known);
    QFETCH(QString, text);
    QCOMPARE(SatisfiedVariantsText(admissible, known), text);
}

void CatalogueSizeTest::resultsWindowLine() {
    TForm4 window;
    const QRect countPlace = window.findChild<QLabel*>("Label15")->geometry();
    const QRect restPlace = window.findChild<QLabel*>("Label17")->geometry();
    TSearchResult result;
    result.Kind = TResultKind::Single;
    result.AdmissibleCount = 1;
    result.Ranked[0].Name = "Вариант";

    result.CatalogueCount = 2024;
    result.RejectedCount = 2023;
    window.ShowSearchResult(result, SearchInputs{});
    QCOMPARE(LabelText(window, "Label9"), QStringLiteral("Рассмотрено"));
    QCOMPARE(LabelText(window, "Label15"), QStringLiteral("2024"));
    QCOMPARE(LabelText(window, "Label17"),
             QStringLiteral("варианта технологии, из них отклонено с учетом "));
    QCOMPARE(LabelText(window, "Label13"), QStringLiteral("2023 варианта."));
    // The longer verb and number push the rest of the line along.
    const QRect moved = window.findChild<QLabel*>("Label17")->geometry();
    QVERIFY(moved.x() > restPlace.x());
    QVERIFY(window.findChild<QLabel*>("Label15")->geometry().right() < moved.x());

    result.CatalogueCount = 21;
    result.RejectedCount = 20;
    window.ShowSearchResult(result, SearchInputs{});
    QCOMPARE(LabelText(window, "Label9"), QStringLiteral("Рассмотрен"));
    QCOMPARE(LabelText(window, "Label15"), QStringLiteral("21"));
    QCOMPARE(LabelText(window, "Label17"),
             QStringLiteral("вариант технологии, из них отклонено с учетом "));
    QCOMPARE(LabelText(window, "Label13"), QStringLiteral("20 вариантов."));
    QCOMPARE(window.findChild<QLabel*>("Label15")->geometry(), countPlace);
    QCOMPARE(window.findChild<QLabel*>("Label17")->geometry(), restPlace);
}

void CatalogueSizeTest::accessFileIsExplainedAndKept_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    QTest::newRow("Jet") << QByteArray("\0\1\0\0Standard Jet DB\0\1\0\0\0", 24) +
                                QByteArray(4072, 'j')
                         << "Microsoft Access (Jet)";
    QTest::newRow("ACE") << QByteArray("\0\1\0\0Standard ACE DB\0\2\0\0\0", 24) +
                                QByteArray(4072, 'a')
                         << "ACCDB";
}

void CatalogueSizeTest::accessFileIsExplainedAndKept() {
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath("database.mdb");
    {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
    }
    SearchInputs in = FullRequest();
    SearchState state;
    const SearchOutcome outcome = RunSearch(in, path, state);
    QCOMPARE(outcome.Kind, SearchOutcomeKind::DatabaseError);
    QVERIFY2(outcome.Text.contains(message), qPrintable(outcome.Text));
    QVERIFY(outcome.Text.contains("zirs-catalogue import-legacy"));
    QVERIFY(outcome.Text.contains("«database.mdb»"));
    QFile in2(path);
    QVERIFY(in2.open(QIODevice::ReadOnly));
    QCOMPARE(in2.readAll(), file);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

QTEST_MAIN(CatalogueSizeTest)
#include "tst_catalogue_size.moc"
