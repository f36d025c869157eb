// zirs-search as scripts meet it: exit codes, usage errors and the JSON answer.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct ToolRun {
    int ExitCode = -1;
    QByteArray Out;
    QByteArray Err;
    QJsonObject Json() const { return QJsonDocument::fromJson(Out).object(); }
};

ToolRun RunTool(const QStringList& arguments, const QString& workingDir = QString()) {
    QProcess process;
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.start(QStringLiteral(ZIRS_SEARCH_PROGRAM), arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

const QStringList OpenRoof = {QStringLiteral("--catalogue"),   QStringLiteral(ZIRS_BUILT_CATALOGUE),
                              QStringLiteral("--slope"),       QStringLiteral("2"),
                              QStringLiteral("--volume"),      QStringLiteral("100"),
                              QStringLiteral("--thickness"),   QStringLiteral("20"),
                              QStringLiteral("--cost"),        QStringLiteral("2000"),
                              QStringLiteral("--temperature"), QStringLiteral("10"),
                              QStringLiteral("--wear"),        QStringLiteral("30"),
                              QStringLiteral("--open-fire"),   QStringLiteral("--weighting"),
                              QStringLiteral("--power-supply")};

} // namespace

class ZirsSearchToolTest : public QObject {
    Q_OBJECT
private slots:
    void usageErrorsExitTwo_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown option") << QStringList{"--colour", "red"};
        QTest::newRow("stray argument") << QStringList{"database.mdb"};
        QTest::newRow("missing value") << QStringList{"--slope"};
        QTest::newRow("unknown group") << QStringList{"--group", "partial"};
        QTest::newRow("subject without special")
            << QStringList{"--group", "full", "--subject", "owner"};
        QTest::newRow("subject alone") << QStringList{"--subject", "owner"};
        QTest::newRow("unknown subject")
            << QStringList{"--group", "special", "--subject", "tenant"};
        QTest::newRow("internal without selective")
            << QStringList{"--group", "full", "--internal", "1"};
        QTest::newRow("external without group") << QStringList{"--external", "1"};
        QTest::newRow("index out of range")
            << QStringList{"--group", "selective", "--internal", "10"};
        QTest::newRow("external out of range")
            << QStringList{"--group", "selective", "--external", "5"};
        QTest::newRow("double comma") << QStringList{"--group", "selective", "--internal", "1,,2"};
        QTest::newRow("trailing comma") << QStringList{"--group", "selective", "--internal", "1,"};
        QTest::newRow("signed index") << QStringList{"--group", "selective", "--internal", "+1"};
        QTest::newRow("flag with value") << QStringList{"--tables=yes"};
        QTest::newRow("option twice") << QStringList{"--slope", "1", "--slope", "2"};
        QTest::newRow("date without report") << QStringList{"--date", "01.01.2026"};
        // Usage errors come before the catalogue check.
        QTest::newRow("usage before missing file")
            << QStringList{"--catalogue", "/nonexistent/x.mdb", "--subject", "owner"};
    }
    void usageErrorsExitTwo() {
        QFETCH(QStringList, arguments);
        const ToolRun run = RunTool(arguments);
        QCOMPARE(run.ExitCode, 2);
        QVERIFY(run.Out.isEmpty());
        QVERIFY(run.Err.contains("usage: zirs-search"));
    }

    void missingOrBrokenCatalogueExitsOne() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // No file at all: a clear text naming it, before validation.
        ToolRun run = RunTool({"--group", "full"}, dir.path());
        QCOMPARE(run.ExitCode, 1);
        QVERIFY(run.Err.contains("database.mdb"));
        QVERIFY(!QFile::exists(dir.filePath("database.mdb")));

        // A directory of that name counts as missing.
        QVERIFY(QDir(dir.path()).mkdir("database.mdb"));
        run = RunTool({}, dir.path());
        QCOMPARE(run.ExitCode, 1);
        QVERIFY(QDir(dir.path()).rmdir("database.mdb"));

        // Not a database: validation first, then the engine's error on one line.
        QFile junk(dir.filePath("database.mdb"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
        junk.close();
        run = RunTool({}, dir.path());
        QCOMPARE(run.ExitCode, 0);
        QCOMPARE(run.Json().value("message").toString(),
                 QStringLiteral("Следует заполнить \"Группу учитываемых критериев\"."));
        run = RunTool(QStringList(OpenRoof.mid(2)) << "--group"
                                                   << "full",
                      dir.path());
        QCOMPARE(run.ExitCode, 1);
        QVERIFY(run.Out.isEmpty());
        QCOMPARE(run.Err.count('\n'), 1);
    }

    void messageAnswerCarriesClampedFields() {
        const ToolRun run = RunTool({"--catalogue", ZIRS_BUILT_CATALOGUE, "--group", "full",
                                     "--slope", "150", "--volume", "99999999999"});
        QCOMPARE(run.ExitCode, 0);
        const QJsonObject json = run.Json();
        QCOMPARE(json.value("status").toString(), QStringLiteral("message"));
        QCOMPARE(json.value("message").toString(),
                 QStringLiteral("Следует заполнить \"Условия производства работ\"."));
        const QJsonObject fields = json.value("fields").toObject();
        QCOMPARE(fields.value("slope").toString(), QStringLiteral("100"));
        QCOMPARE(fields.value("volume").toString(), QStringLiteral("40000"));
        QCOMPARE(fields.value("thickness").toString(), QString());
        QVERIFY(!json.contains("kind"));
    }

    void waldResultWithTables() {
        const ToolRun run = RunTool(QStringList(OpenRoof) << "--group"
                                                          << "full"
                                                          << "--tables");
        QCOMPARE(run.ExitCode, 0);
        const QJsonObject json = run.Json();
        QCOMPARE(json.value("status").toString(), QStringLiteral("result"));
        QCOMPARE(json.value("kind").toString(), QStringLiteral("Wald"));
        const int n = json.value("admissible").toInt();
        QVERIFY(n >= 2);
        QCOMPARE(json.value("rejected").toInt(), 21 - n);
        const QJsonArray ranked = json.value("ranked").toArray();
        QCOMPARE(ranked.size(), qMin(n, 5));
        for (int p = 0; p < ranked.size(); ++p)
            QCOMPARE(ranked.at(p).toObject().value("place").toInt(), p + 1);

        const QJsonObject tables = json.value("tables").toObject();
        const QJsonObject game = tables.value("game").toObject();
        const QJsonArray gameHeadings = game.value("headings").toArray();
        QCOMPARE(gameHeadings.last().toString(), QStringLiteral("Критерий эффективности Вальда"));
        QCOMPARE(gameHeadings.size(), json.value("external_headings").toArray().size() + 1);
        // The game matrix is held ranked: its first rows are the places.
        const QJsonArray gameRows = game.value("rows").toArray();
        QCOMPARE(gameRows.size(), n);
        for (int p = 0; p < ranked.size(); ++p) {
            const QJsonObject row = gameRows.at(p).toObject();
            QCOMPARE(row.value("name"), ranked.at(p).toObject().value("name"));
            QCOMPARE(row.value("cells").toArray().last(),
                     ranked.at(p).toObject().value("criterion"));
        }
        const QJsonArray internalHeadings =
            tables.value("internal").toObject().value("headings").toArray();
        QCOMPARE(internalHeadings.last().toString(),
                 QStringLiteral("Критерий эффективности (Лапласа)"));
    }

    void laplaceResultLeavesOnlyNamesInOtherTables() {
        const ToolRun run = RunTool(QStringList(OpenRoof) << "--group"
                                                          << "selective"
                                                          << "--internal"
                                                          << "0,7"
                                                          << "--external"
                                                          << ""
                                                          << "--tables");
        QCOMPARE(run.ExitCode, 0);
        const QJsonObject json = run.Json();
        QCOMPARE(json.value("kind").toString(), QStringLiteral("Laplace"));
        QCOMPARE(json.value("criterion_heading").toString(),
                 QStringLiteral("Критерий эффективности (Лапласа)"));
        QVERIFY(json.value("external_headings").toArray().isEmpty());
        const QJsonObject tables = json.value("tables").toObject();
        for (const char* name : {"external", "game"}) {
            const QJsonObject table = tables.value(name).toObject();
            QVERIFY(table.value("headings").toArray().isEmpty());
            const QJsonArray rows = table.value("rows").toArray();
            QCOMPARE(rows.size(), json.value("admissible").toInt());
            for (const auto& row : rows) {
                QVERIFY(!row.toObject().value("name").toString().isEmpty());
                QVERIFY(row.toObject().value("cells").toArray().isEmpty());
            }
        }
    }

    void reportWritesTwoPagesWithTheGivenDate() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString pdf = dir.filePath("отчет.pdf");
        ToolRun run = RunTool(QStringList(OpenRoof) << "--group"
                                                    << "full"
                                                    << "--address"
                                                    << "ул. Строителей, д. 5"
                                                    << "--report" << pdf << "--date"
                                                    << "01.02.2027");
        QCOMPARE(run.ExitCode, 0);
        QCOMPARE(run.Json().value("status").toString(), QStringLiteral("result"));
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString pages = QString::fromUtf8(text.readAllStandardOutput());
        QCOMPARE(pages.count(QLatin1Char('\f')), 2);
        QVERIFY(pages.contains("Дата составления отчета: 01.02.2027"));
        QVERIFY(pages.contains("ул. Строителей, д. 5"));
        QVERIFY(pages.contains("Страница 2 из 2"));

        // A message writes no report; an unwritable path is exit 1 with a clear text.
        const QString none = dir.filePath("none.pdf");
        run = RunTool({"--catalogue", ZIRS_BUILT_CATALOGUE, "--report", none});
        QCOMPARE(run.ExitCode, 0);
        QVERIFY(!QFile::exists(none));
        run = RunTool(QStringList(OpenRoof) << "--group"
                                            << "full"
                                            << "--report" << dir.filePath("missing/dir/r.pdf"));
        QCOMPARE(run.ExitCode, 1);
        QVERIFY(run.Err.contains("r.pdf"));
    }
};

QTEST_GUILESS_MAIN(ZirsSearchToolTest)
#include "zirs_search_tool_test.moc"
