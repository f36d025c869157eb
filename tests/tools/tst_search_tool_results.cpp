// The real zirs-search program against the golden table of whole searches,
// and the report option when the report module is missing.

#include "tests/support/golden_search.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct ToolRun {
    int ExitCode = -1;
    QByteArray Out;
    QByteArray Err;
};

ToolRun RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

const QString Program = QStringLiteral(ZIRS_SEARCH_PROGRAM);
const QString Catalogue = QStringLiteral(ZIRS_BUILT_CATALOGUE);

} // namespace

class SearchToolResultsTest : public QObject {
    Q_OBJECT
private slots:
    void wholeSearch_data();
    void wholeSearch();
    void reportWithoutModule();
};

void SearchToolResultsTest::wholeSearch_data() {
    QTest::addColumn<QJsonObject>("request");
    QTest::addColumn<QJsonObject>("answer");
    QString error;
    const QJsonArray rows =
        ReadGoldenRows(QStringLiteral(ZIRS_TEST_DATA_DIR "/bundled_results.json"), &error);
    QVERIFY2(!rows.isEmpty(), qPrintable(error));
    for (const QJsonValue& value : rows) {
        const QJsonObject row = value.toObject();
        QTest::newRow(qPrintable(row.value(QLatin1String("name")).toString()))
            << row.value(QLatin1String("request")).toObject()
            << row.value(QLatin1String("answer")).toObject();
    }
}

void SearchToolResultsTest::wholeSearch() {
    QFETCH(QJsonObject, request);
    QFETCH(QJsonObject, answer);
    const ToolRun run = RunTool(Program, QStringList{QStringLiteral("--catalogue"), Catalogue} +
                                             GoldenRequestArguments(request));
    QVERIFY2(run.ExitCode == 0, run.Err.constData());
    for (const QString& key : GoldenStateOnlyKeys)
        answer.remove(key);
    const QJsonObject printed = QJsonDocument::fromJson(run.Out).object();
    QCOMPARE(QJsonDocument(printed).toJson(), QJsonDocument(answer).toJson());
}

// The report module is looked for beside the program: a copy of the program
// on its own cannot draw the report, says so and writes nothing.
void SearchToolResultsTest::reportWithoutModule() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString copy = folder.filePath(QStringLiteral("zirs-search"));
    QVERIFY(QFile::copy(Program, copy));
    const QString report = folder.filePath(QStringLiteral("report.pdf"));
    const ToolRun run = RunTool(copy, {"--catalogue", Catalogue, "--group", "full", "--slope", "3",
                                       "--volume", "300", "--thickness", "20", "--cost", "3000",
                                       "--temperature", "10", "--wear", "45", "--report", report});
    QCOMPARE(run.ExitCode, 1);
    QVERIFY(run.Out.isEmpty());
    QVERIFY2(run.Err.startsWith("zirs-search: cannot load the report module: "),
             run.Err.constData());
    QVERIFY(run.Err.contains("zirs-report.so"));
    QVERIFY(!QFile::exists(report));
}

QTEST_GUILESS_MAIN(SearchToolResultsTest)
#include "tst_search_tool_results.moc"
