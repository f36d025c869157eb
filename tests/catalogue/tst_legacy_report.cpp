// What the Access reader hands over: the table comes through exactly, and
// anything short of a whole, consistent report is refused with a reason.

#include "search/legacy_report.h"

#include <QtTest>

#include <cmath>
#include <cstring>

Q_DECLARE_METATYPE(TLegacyChildRun)

namespace {

QByteArray SampleReport(quint32 declaredRows, int rows) {
    LegacyReportWriter out;
    out.begin({"Варианты технологии", "Стоимость", "Состав процеcса"},
              {"VARCHAR(200)", "DECIMAL(19,4)", "TEXT"}, declaredRows);
    for (int r = 0; r < rows; ++r) {
        out.beginRow();
        out.textCell(QStringLiteral("Вариант %1").arg(r).toUtf8());
        r % 2 ? out.realCell(0.1 + r) : out.integerCell(-r);
        r == 1 ? out.nullCell() : out.textCell(QByteArray(20000, 'x'));
    }
    out.end();
    return out.bytes();
}

QString ErrorOf(const TLegacyOutcome& outcome) {
    const auto* error = std::get_if<TLegacyError>(&outcome);
    return error ? error->Text : QString();
}

} // namespace

class LegacyReportTest : public QObject {
    Q_OBJECT
private slots:
    void wholeReportComesThrough();
    void everyCutIsRefused();
    void rowCountMustMatchDefinition();
    void childEndings_data();
    void childEndings();
};

void LegacyReportTest::wholeReportComesThrough() {
    const TLegacyOutcome outcome = ParseLegacyReport(SampleReport(3, 3));
    QVERIFY2(std::holds_alternative<TCatalogueTable>(outcome), qPrintable(ErrorOf(outcome)));
    const auto& table = std::get<TCatalogueTable>(outcome);
    QCOMPARE(table.Columns, (QStringList{"Варианты технологии", "Стоимость", "Состав процеcса"}));
    QCOMPARE(table.DeclaredTypes, (QStringList{"VARCHAR(200)", "DECIMAL(19,4)", "TEXT"}));
    QCOMPARE(table.Rows.size(), std::size_t(3));
    QCOMPARE(table.Rows[2][0].toString(), QStringLiteral("Вариант 2"));
    QCOMPARE(table.Rows[0][1], QVariant(qint64(0)));
    // The double arrives bit for bit.
    const double sent = 0.1 + 1;
    const double got = table.Rows[1][1].toDouble();
    QCOMPARE(std::memcmp(&sent, &got, sizeof sent), 0);
    QVERIFY(table.Rows[1][2].isNull());
    QCOMPARE(table.Rows[0][2].toString().size(), 20000);
}

void LegacyReportTest::everyCutIsRefused() {
    const QByteArray whole = SampleReport(3, 3);
    for (qsizetype size = 0; size < whole.size(); size += size < 200 ? 1 : 997) {
        const TLegacyOutcome outcome = ParseLegacyReport(whole.left(size));
        QVERIFY2(std::holds_alternative<TLegacyError>(outcome), qPrintable(QString::number(size)));
    }
    QVERIFY(!ErrorOf(ParseLegacyReport(whole + 'x')).isEmpty());
    QByteArray badTag = whole;
    badTag[badTag.indexOf(QByteArray("R\x03", 2)) + 1] = 9;
    QVERIFY(ErrorOf(ParseLegacyReport(badTag)).contains("неизвестный вид ячейки"));
}

void LegacyReportTest::rowCountMustMatchDefinition() {
    QVERIFY(ErrorOf(ParseLegacyReport(SampleReport(4, 3)))
                .contains("в определении таблицы 4 строк, а прочитано 3"));
    QVERIFY(!ErrorOf(ParseLegacyReport(SampleReport(2, 3))).isEmpty());
    QVERIFY(ErrorOf(ParseLegacyReport(SampleReport(0, 0))).isEmpty());
}

void LegacyReportTest::childEndings_data() {
    QTest::addColumn<TLegacyChildRun>("run");
    QTest::addColumn<QString>("message");
    TLegacyChildRun crash;
    crash.Crashed = true;
    crash.Errors = "Warning: defaulting to 0\nunknown page type\n";
    QTest::newRow("crash") << crash << "прервалось аварийно (unknown page type)";
    TLegacyChildRun hang;
    hang.TimedOut = true;
    QTest::newRow("timeout") << hang << "не закончилось за 10 с";
    TLegacyChildRun missing;
    missing.ExitCode = LegacyTableMissing;
    QTest::newRow("no table") << missing << "нет таблицы «Критерии»";
    TLegacyChildRun open;
    open.ExitCode = LegacyCannotOpen;
    QTest::newRow("cannot open") << open << "не открывается";
    TLegacyChildRun partial;
    partial.Output = SampleReport(3, 3).left(300);
    QTest::newRow("exit 0 with a cut report") << partial << "каталог не записан";
    TLegacyChildRun notStarted;
    notStarted.Started = false;
    QTest::newRow("not started") << notStarted << "не удалось запустить";
    TLegacyChildRun unknown;
    unknown.ExitCode = 77;
    QTest::newRow("other exit") << unknown << "с ошибкой 77";
}

void LegacyReportTest::childEndings() {
    QFETCH(TLegacyChildRun, run);
    QFETCH(QString, message);
    const QString error = ErrorOf(InterpretLegacyChild(run, 10));
    QVERIFY2(error.contains(message), qPrintable(error));
}

QTEST_GUILESS_MAIN(LegacyReportTest)
#include "tst_legacy_report.moc"
