// zirs-search --batch as a maintenance office meets it: answers equal to the
// single search, row errors that never stop the batch, input order under
// several workers, exit codes, the atomic --out and a report per roof.

#include "search/search.h"
#include "tests/support/catalogue_writer.h"
#include "tools/search-tool/request_fields.h"
#include "tools/search-tool/search_json.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct ToolRun {
    int ExitCode = -1;
    QByteArray Out;
    QByteArray Err;
    QList<QByteArray> Lines() const {
        QList<QByteArray> lines = Out.split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }
};

ToolRun RunTool(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.start(QStringLiteral(ZIRS_SEARCH_PROGRAM), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QStringList Batch(const QString& input, const QStringList& more = {}) {
    return QStringList{"--catalogue", ZIRS_BUILT_CATALOGUE, "--batch", input} + more;
}

QJsonObject ObjectOf(const QByteArray& json) {
    return QJsonDocument::fromJson(json).object();
}

QByteArray Compact(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// A batch answer without what the batch adds, as the single search prints it.
QByteArray WithoutBatchKeys(const QByteArray& line) {
    QJsonObject answer = ObjectOf(line);
    answer.remove("line");
    answer.remove("id");
    return Compact(answer);
}

// The single search's answer worked out in this process: the same reading
// of the request and the same RunSearch the tool runs.
QByteArray ExpectedAnswer(const QJsonObject& request) {
    SearchRequestFields fields;
    for (auto item = request.begin(); item != request.end(); ++item) {
        if (item.value().isBool())
            SetRequestFlag(fields, item.key(), item.value().toBool());
        else if (item.key() != "id")
            SetRequestText(fields, item.key(), item.value().toString());
    }
    auto inputs = MakeSearchInputs(fields);
    if (!std::holds_alternative<SearchInputs>(inputs))
        return "usage: " + std::get<QString>(inputs).toUtf8();
    SearchInputs& in = std::get<SearchInputs>(inputs);
    SearchState state;
    const SearchOutcome outcome = RunSearch(in, ZIRS_BUILT_CATALOGUE, state);
    return Compact(SearchAnswerJson(outcome, in, state, false));
}

// The requests of the README's table, as JSON rows.
QList<QJsonObject> GoldenRequests() {
    const auto row = [](const QString& group, const QStringList& numbers, bool conditions) {
        QJsonObject r{{"address", "ул. Садовая, д. 5"}, {"group", group}};
        const QStringList keys = {"slope", "volume", "thickness", "cost", "temperature", "wear"};
        for (int i = 0; i < 6; ++i)
            r.insert(keys[i], numbers[i]);
        for (const char* flag : {"open-fire", "weighting", "power-supply"})
            r.insert(flag, conditions);
        return r;
    };
    QList<QJsonObject> rows = {
        row("full", {"3", "200", "20", "3000", "-25", "30"}, true),
        row("full", {"1", "1000", "15", "9999", "15", "80"}, true),
        row("selective", {"2", "500", "20", "2500", "10", "45"}, true),
        row("full", {"3", "300", "20", "3000", "10", "45"}, true),
        row("special", {"3", "300", "20", "3000", "10", "45"}, true),
    };
    rows[2].insert("internal", "cost,labour,reliability,durability");
    rows[2].insert("external", "");
    rows[4].insert("subject", "owner");
    return rows;
}

// Requests over the whole range of the fields, with now and then a text
// that is out of range, no number, or a decimal comma.
QList<QJsonObject> RandomRequests(int count, quint32 seed) {
    QRandomGenerator random(seed);
    const auto pick = [&](const QStringList& items) { return items[random.bounded(items.size())]; };
    const auto number = [&](int low, int high) {
        switch (random.bounded(12)) {
        case 0:
            return QString();
        case 1:
            return QStringLiteral("x");
        case 2:
            return QString::number(high + 1 + random.bounded(1000));
        default:
            return QString::number(low + random.bounded(high - low + 1));
        }
    };
    QList<QJsonObject> rows;
    for (int i = 0; i < count; ++i) {
        QJsonObject r{{"id", i}, {"address", QStringLiteral("дом %1").arg(i)}};
        const QString group = pick({"full", "full", "special", "selective", ""});
        if (!group.isEmpty())
            r.insert("group", group);
        if (group == "special" && random.bounded(8) != 0)
            r.insert("subject", pick({"owner", "contractor", "designer"}));
        if (group == "selective") {
            QStringList internal, external;
            for (const QString& name : InternalCriterionNames())
                if (random.bounded(2))
                    internal << (random.bounded(2) ? name : QString::number(internal.size()));
            for (const QString& name : ExternalFactorNames())
                if (random.bounded(3) == 0)
                    external << name;
            r.insert("internal", internal.join(','));
            r.insert("external", external.join(','));
        }
        QString slope = number(-3, 12);
        if (random.bounded(4) == 0 && !slope.isEmpty() && slope != "x")
            slope += QStringLiteral(",%1").arg(random.bounded(10));
        r.insert("slope", slope);
        r.insert("volume", number(0, 2000));
        r.insert("thickness", number(1, 60));
        r.insert("cost", number(100, 10000));
        r.insert("temperature", number(-25, 45));
        r.insert("wear", number(0, 100));
        for (const char* flag : {"open-fire", "weighting", "power-supply"})
            r.insert(flag, random.bounded(4) != 0);
        rows << r;
    }
    return rows;
}

QByteArray JsonLines(const QList<QJsonObject>& rows) {
    QByteArray text;
    for (const QJsonObject& row : rows)
        text += Compact(row) + '\n';
    return text;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString PdfText(const QString& path) {
    QProcess text;
    text.start("pdftotext", {"-layout", path, "-"});
    text.waitForFinished(30000);
    return QString::fromUtf8(text.readAllStandardOutput());
}

const QByteArray WaldRow = "{\"group\":\"full\",\"slope\":\"3\",\"volume\":\"300\",\"thickness\":"
                           "\"20\",\"cost\":\"2000\",\"temperature\":\"10\",\"wear\":\"45\",\"open-"
                           "fire\":true,\"weighting\":true,\"power-supply\":true";

} // namespace

class ZirsSearchBatchTest : public QObject {
    Q_OBJECT
private slots:
    void jsonLinesAnswersEqualSingleSearches() {
        QList<QJsonObject> requests = GoldenRequests() + RandomRequests(300, 20261211);
        const ToolRun run =
            RunTool(Batch("-", {"--format", "jsonl", "--jobs", "2"}), JsonLines(requests));
        QCOMPARE(run.ExitCode, 0);
        QVERIFY(run.Err.isEmpty());
        const QList<QByteArray> lines = run.Lines();
        QCOMPARE(lines.size(), requests.size());
        int results = 0;
        for (int i = 0; i < requests.size(); ++i) {
            const QJsonObject answer = ObjectOf(lines[i]);
            QCOMPARE(answer.value("line").toInt(), i + 1);
            QCOMPARE(answer.value("id"), requests[i].value("id").isUndefined()
                                             ? QJsonValue(QJsonValue::Null)
                                             : requests[i].value("id"));
            const QByteArray expected = ExpectedAnswer(requests[i]);
            if (expected.startsWith("usage: ")) {
                QCOMPARE(answer.value("status").toString(), QStringLiteral("usage"));
                continue;
            }
            QCOMPARE(WithoutBatchKeys(lines[i]), expected);
            results += answer.value("status") == "result";
        }
        // The random requests reach every ending, results among them.
        QVERIFY(results > 30);

        // And the golden ones equal what the single tool itself prints.
        for (int i = 0; i < GoldenRequests().size(); ++i) {
            QStringList options = {"--catalogue", ZIRS_BUILT_CATALOGUE};
            const QJsonObject request = requests[i];
            for (auto item = request.begin(); item != request.end(); ++item) {
                if (item.value().isBool())
                    options << "--" + item.key();
                else
                    options << "--" + item.key() << item.value().toString();
            }
            const ToolRun single = RunTool(options);
            QCOMPARE(single.ExitCode, 0);
            QCOMPARE(WithoutBatchKeys(lines[i]), Compact(ObjectOf(single.Out)));
        }
    }

    void jsonLinesRowErrorsNeverStopTheBatch() {
        // A byte order mark, CRLF line ends, an empty line and every kind of
        // bad row between good ones.
        const QByteArray input = "\xEF\xBB\xBF" + WaldRow + ",\"id\":\"a\"}\r\n" +
                                 "{\"group\": \"full\",\r\n" +  // malformed
                                 "\r\n" +                       // empty: no row
                                 "[1, 2]\n" +                   // not an object
                                 "{\"colour\": \"red\"}\n" +    // unknown key
                                 "{\"open-fire\": \"yes\"}\n" + // wrong type
                                 "{\"slope\": 3}\n" +           // a number for a text
                                 "{\"group\": \"partial\"}\n" + // unknown group
                                 "{\"internal\": \"cost\", \"group\": \"full\"}\n" + WaldRow +
                                 ",\"id\":7}"; // no final line end
        const ToolRun run = RunTool(Batch("-", {"--format", "jsonl"}), input);
        QCOMPARE(run.ExitCode, 0);
        const QList<QByteArray> lines = run.Lines();
        QCOMPARE(lines.size(), 9);
        const QList<int> expectedLines = {1, 2, 4, 5, 6, 7, 8, 9, 10};
        const QStringList statuses = {"result", "usage", "usage", "usage", "usage",
                                      "usage",  "usage", "usage", "result"};
        for (int i = 0; i < lines.size(); ++i) {
            const QJsonObject answer = ObjectOf(lines[i]);
            QCOMPARE(answer.value("line").toInt(), expectedLines[i]);
            QCOMPARE(answer.value("status").toString(), statuses[i]);
            if (statuses[i] == "usage") {
                QCOMPARE(answer.keys(), QStringList({"id", "line", "message", "status"}));
                QVERIFY(!answer.value("message").toString().isEmpty());
            }
        }
        QCOMPARE(ObjectOf(lines[0]).value("id").toString(), QStringLiteral("a"));
        QVERIFY(!ObjectOf(lines[0]).contains("tables"));

        // --tables adds the matrices to every row's answer.
        const ToolRun tables = RunTool(Batch("-", {"--format", "jsonl", "--tables"}), input);
        QCOMPARE(tables.ExitCode, 0);
        QVERIFY(ObjectOf(tables.Lines()[0]).value("tables").toObject().contains("game"));
        QCOMPARE(ObjectOf(lines[8]).value("id").toInt(), 7);
        QCOMPARE(WithoutBatchKeys(lines[0]), WithoutBatchKeys(lines[8]));
        QVERIFY(ObjectOf(lines[3]).value("message").toString().contains("colour"));
        QVERIFY(ObjectOf(lines[4]).value("message").toString().contains("open-fire"));
    }

    void csvAsASpreadsheetSavesIt() {
        // Comma-separated this time, with a BOM, CRLF, columns in another
        // order, no "subject" column, a quoted field spanning two lines, a
        // padded row, an empty row, a row with a field too many and the
        // flag spellings a spreadsheet uses.
        const QByteArray input =
            "\xEF\xBB\xBF"
            "wear,slope,volume,thickness,cost,temperature,group,open-fire,weighting,power-supply,"
            "address,id,internal,external\r\n"
            "45,3,300,20,2000,10,full,да,Да,1,\"ул. Мира, д. 2\",r1,,\r\n"
            "30,2,500,20,1000,10,selective,TRUE,true,1,\"две\r\nстроки\",r2,"
            "\"cost,labour,reliability,durability\",\r\n"
            "45,3,300,20,2000,10,full,1,1,1,,r3,,,,,\r\n"
            ",,,,,,,,,,,,,\r\n"
            "45,3,300,20,2000,10,full,1,1,1,a,r4,,,surplus\r\n"
            "45,3,300,20,2000,10,full,может быть,1,1,b,r5,,\r\n"
            "80,1,1000,15,9999,15,full,1,да,true,c,r6,,\r\n"
            "45,3,300,20,2000,10,,,,,d,r7,,\r\n";
        const ToolRun run = RunTool(Batch("-", {"--format", "csv", "--jobs", "3"}), input);
        QCOMPARE(run.ExitCode, 0);
        QVERIFY(run.Out.startsWith("\xEF\xBB\xBF"
                                   "line;id;address;status;outcome;admissible;"
                                   "rejected;name1;criterion1;"));

        // Read back by the batch's own rules (';' and quotes) via a JSON twin.
        const QByteArray twin = JsonLines(
            {ObjectOf(WaldRow + ",\"address\":\"ул. Мира, д. 2\"}"),
             ObjectOf("{\"group\":\"selective\",\"slope\":\"2\",\"volume\":\"500\",\"thickness\":"
                      "\"20\",\"cost\":\"1000\",\"temperature\":\"10\",\"wear\":\"30\",\"open-"
                      "fire\":true,\"weighting\":true,\"power-supply\":true,\"internal\":\"cost,"
                      "labour,reliability,durability\",\"external\":\"\"}"),
             ObjectOf("{\"group\":\"full\",\"slope\":\"1\",\"volume\":\"1000\",\"thickness\":"
                      "\"15\",\"cost\":\"9999\",\"temperature\":\"15\",\"wear\":\"80\",\"open-"
                      "fire\":true,\"weighting\":true,\"power-supply\":true}")});
        const QList<QByteArray> twinLines =
            RunTool(Batch("-", {"--format", "jsonl"}), twin).Lines();
        QCOMPARE(twinLines.size(), 3);
        const QJsonObject wald = ObjectOf(twinLines[0]);
        const QJsonObject laplace = ObjectOf(twinLines[1]);
        const QJsonObject one = ObjectOf(twinLines[2]);
        QCOMPARE(wald.value("kind").toString(), QStringLiteral("Wald"));
        QCOMPARE(laplace.value("kind").toString(), QStringLiteral("Laplace"));
        QCOMPARE(one.value("kind").toString(), QStringLiteral("Single"));
        const auto countsOf = [](const QJsonObject& answer) {
            return QByteArray::number(answer.value("admissible").toInt()) + ';' +
                   QByteArray::number(answer.value("rejected").toInt());
        };
        const auto placesOf = [](const QJsonObject& answer) {
            QByteArray places;
            const QJsonArray ranked = answer.value("ranked").toArray();
            for (int p = 0; p < 5; ++p) {
                const QJsonObject variant = ranked.at(p).toObject();
                places += ';' + variant.value("name").toString().toUtf8() + ';' +
                          variant.value("criterion").toString().toUtf8();
            }
            return places;
        };
        const QByteArray waldPlaces = placesOf(wald);
        QVERIFY(waldPlaces.contains(";0,"));

        const auto csvRow = [](const QStringList& fields) {
            QStringList cells;
            for (QString cell : fields) {
                if (cell.contains(';') || cell.contains('"') || cell.contains('\n'))
                    cell = '"' + cell.replace("\"", "\"\"") + '"';
                cells << cell;
            }
            return cells.join(';').toUtf8() + '\n';
        };
        const QStringList none(10 + 1); // five empty places and no report
        const QByteArray counts = countsOf(wald);
        QByteArray expected =
            "\xEF\xBB\xBF" +
            csvRow({"line", "id", "address", "status", "outcome", "admissible", "rejected", "name1",
                    "criterion1", "name2", "criterion2", "name3", "criterion3", "name4",
                    "criterion4", "name5", "criterion5", "report"});
        expected += "2;r1;ул. Мира, д. 2;result;Вальд;" + counts + waldPlaces + ";\n";
        expected +=
            "3;r2;\"две\nстроки\";result;Лаплас;" + countsOf(laplace) + placesOf(laplace) + ";\n";
        expected += "5;r3;;result;Вальд;" + counts + waldPlaces + ";\n";
        expected += csvRow(
            QStringList{"7", "r4", "a", "usage", "the row has 15 fields, the header 14", "", ""} +
            none);
        expected += csvRow(QStringList{"8", "r5", "b", "usage",
                                       "\"open-fire\" must be 1/0, да/нет or true/false, not "
                                       "\"может быть\"",
                                       "", ""} +
                           none);
        expected += "9;r6;c;result;один вариант;" + countsOf(one) + ';' +
                    one.value("ranked")[0]["name"].toString().toUtf8() + QByteArray(10, ';') + '\n';
        expected +=
            csvRow(QStringList{"10", "r7", "d", "message",
                               "Следует заполнить \"Группу учитываемых критериев\".", "", ""} +
                   none);
        QCOMPARE(QString::fromUtf8(run.Out), QString::fromUtf8(expected));
    }

    void inputOrderKeptWhateverTheJobs() {
        // Rows of very different cost (messages before the filter, empty
        // results, Wald rankings) so that workers finish out of order.
        const QByteArray input = JsonLines(RandomRequests(3000, 7));
        const ToolRun one = RunTool(Batch("-", {"--format", "jsonl", "--jobs", "1"}), input);
        const ToolRun four = RunTool(Batch("-", {"--format", "jsonl", "--jobs", "4"}), input);
        QCOMPARE(one.ExitCode, 0);
        QCOMPARE(four.ExitCode, 0);
        QCOMPARE(four.Lines().size(), 3000);
        QVERIFY(four.Out == one.Out);
        const QList<QByteArray> lines = four.Lines();
        for (int i = 0; i < lines.size(); i += 499)
            QCOMPARE(ObjectOf(lines[i]).value("id").toInt(), i);
    }

    void unusableCatalogueExitsOneWithNoAnswer_data() {
        QTest::addColumn<QByteArray>("catalogueBytes"); // empty: no file at all
        QTest::addColumn<QString>("errorText");
        QTest::newRow("missing") << QByteArray() << "not found";
        QTest::newRow("not a database") << QByteArray(4096, 'x') << "not a database";
        QTest::newRow("empty file is no catalogue") << QByteArray(1, '\0') << "";
    }
    void unusableCatalogueExitsOneWithNoAnswer() {
        QFETCH(QByteArray, catalogueBytes);
        QFETCH(QString, errorText);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString catalogue = dir.filePath("database.mdb");
        if (!catalogueBytes.isEmpty())
            QVERIFY(WriteFile(catalogue, catalogueBytes));
        const QString out = dir.filePath("answers.jsonl");
        QVERIFY(WriteFile(out, "earlier answers\n"));
        for (const QString format : {"jsonl", "csv"}) {
            const QByteArray input = format == "csv" ? "group\nfull\n" : WaldRow + "}\n";
            for (const QStringList& target : {QStringList(), QStringList{"--out", out}}) {
                const ToolRun run = RunTool(QStringList{"--catalogue", catalogue, "--batch", "-",
                                                        "--format", format, "--jobs", "2"} +
                                                target,
                                            input);
                QCOMPARE(run.ExitCode, 1);
                QVERIFY(run.Out.isEmpty());
                QCOMPARE(run.Err.count('\n'), 1);
                QVERIFY2(run.Err.contains(errorText.toUtf8()), run.Err.constData());
            }
        }
        QCOMPARE(ReadFile(out), QByteArray("earlier answers\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
                 catalogueBytes.isEmpty() ? 1 : 2);
    }

    void outReplacedOnlyWhenTheBatchIsDone() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString out = dir.filePath("answers.jsonl");
        const QString input = dir.filePath("roofs.jsonl");
        QVERIFY(WriteFile(out, "earlier answers\n"));
        QVERIFY(WriteFile(input, WaldRow + "}\n" + WaldRow + "}\n"));

        // Run under way: the old answers stay in place until the end.
        QProcess process;
        process.start(QStringLiteral(ZIRS_SEARCH_PROGRAM),
                      Batch("-", {"--format", "jsonl", "--out", out}));
        QVERIFY(process.waitForStarted());
        process.write(WaldRow + "}\n");
        QTest::qWait(300);
        QCOMPARE(ReadFile(out), QByteArray("earlier answers\n"));
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(process.readAllStandardOutput().isEmpty());
        QCOMPARE(ObjectOf(ReadFile(out)).value("status").toString(), QStringLiteral("result"));

        // From a file named .jsonl, no --format needed.
        const ToolRun run = RunTool(Batch(input, {"--out", out}));
        QCOMPARE(run.ExitCode, 0);
        QCOMPARE(ReadFile(out).count('\n'), 2);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void batchUsageErrorsExitTwo_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("format unknown by name") << QStringList{"--batch", "roofs.txt"};
        QTest::newRow("standard input without format") << QStringList{"--batch", "-"};
        QTest::newRow("unknown format") << QStringList{"--batch", "-", "--format", "xml"};
        QTest::newRow("no jobs") << QStringList{"--batch", "a.csv", "--jobs", "0"};
        QTest::newRow("jobs not a number") << QStringList{"--batch", "a.csv", "--jobs", "two"};
        QTest::newRow("signed jobs") << QStringList{"--batch", "a.csv", "--jobs", "+2"};
        QTest::newRow("request option in a batch")
            << QStringList{"--batch", "a.csv", "--group", "full"};
        QTest::newRow("flag in a batch") << QStringList{"--batch", "a.csv", "--open-fire"};
        QTest::newRow("single report in a batch")
            << QStringList{"--batch", "a.csv", "--report", "r.pdf"};
        QTest::newRow("date without report dir") << QStringList{"--batch", "a.csv", "--date", "1"};
        QTest::newRow("out without batch") << QStringList{"--out", "a.jsonl"};
        QTest::newRow("jobs without batch") << QStringList{"--jobs", "2"};
        QTest::newRow("report dir without batch") << QStringList{"--report-dir", "r"};
        QTest::newRow("batch twice") << QStringList{"--batch", "a.csv", "--batch", "b.csv"};
        QTest::newRow("tables in CSV") << QStringList{"--batch", "a.csv", "--tables"};
    }
    void batchUsageErrorsExitTwo() {
        QFETCH(QStringList, arguments);
        const ToolRun run = RunTool(QStringList{"--catalogue", "/nonexistent/x.mdb"} + arguments);
        QCOMPARE(run.ExitCode, 2);
        QVERIFY(run.Out.isEmpty());
        QVERIFY(run.Err.contains("usage: zirs-search"));
    }

    void unreadableInputOrHeaderExitsOne_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("errorText");
        QTest::newRow("no header") << QByteArray("\n\n") << "no header row";
        QTest::newRow("unknown column") << QByteArray("group;colour\nfull;red\n") << "colour";
        QTest::newRow("column twice") << QByteArray("slope,slope\n1,2\n") << "twice";
        QTest::newRow("request-only option") << QByteArray("group;report\nfull;x\n") << "report";
    }
    void unreadableInputOrHeaderExitsOne() {
        QFETCH(QByteArray, csv);
        QFETCH(QString, errorText);
        const ToolRun run = RunTool(Batch("-", {"--format", "csv"}), csv);
        QCOMPARE(run.ExitCode, 1);
        QVERIFY(run.Out.isEmpty());
        QVERIFY2(run.Err.contains(errorText.toUtf8()), run.Err.constData());

        const ToolRun missing = RunTool(Batch("/nonexistent/roofs.csv"));
        QCOMPARE(missing.ExitCode, 1);
        QVERIFY(missing.Err.contains("/nonexistent/roofs.csv"));
    }

    void reportPerAnsweredRoof() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString reports = dir.filePath("отчеты");
        const QByteArray roof = WaldRow + ",\"address\":\"ул. Строителей, д. 5/7 \\\"А\\\"\"}";
        const QByteArray input =
            roof + "\n" + "{\"group\":\"full\",\"address\":\"нет условий\"}\n" + WaldRow + "}\n";
        const ToolRun run = RunTool(
            Batch("-", {"--format", "jsonl", "--report-dir", reports, "--date", "01.02.2027"}),
            input);
        QCOMPARE(run.ExitCode, 0);
        const QList<QByteArray> lines = run.Lines();
        QCOMPARE(lines.size(), 3);
        const QString first = reports + "/0001-ул. Строителей, д. 5_7 _А_.pdf";
        QCOMPARE(ObjectOf(lines[0]).value("report").toString(), first);
        QVERIFY(!ObjectOf(lines[1]).contains("report")); // a message: no report
        QCOMPARE(ObjectOf(lines[2]).value("report").toString(), reports + "/0003.pdf");
        QCOMPARE(QDir(reports).entryList(QDir::Files).size(), 2);

        // The very report the single search writes for the same roof.
        const QString single = dir.filePath("single.pdf");
        QStringList options = {"--catalogue", ZIRS_BUILT_CATALOGUE, "--report", single,
                               "--date",      "01.02.2027"};
        const QJsonObject request = ObjectOf(roof);
        for (auto item = request.begin(); item != request.end(); ++item)
            options << "--" + item.key()
                    << (item.value().isBool() ? QStringList()
                                              : QStringList{item.value().toString()});
        QCOMPARE(RunTool(options).ExitCode, 0);
        const QString text = PdfText(first);
        QVERIFY(text.contains("Дата составления отчета: 01.02.2027"));
        QCOMPARE(text.count('\f'), 2);
        QCOMPARE(text, PdfText(single));

        // A folder that cannot be made: exit 1 before any answer.
        QVERIFY(WriteFile(dir.filePath("file"), "x"));
        const ToolRun blocked =
            RunTool(Batch("-", {"--format", "jsonl", "--report-dir", dir.filePath("file/sub")}),
                    WaldRow + "}\n");
        QCOMPARE(blocked.ExitCode, 1);
        QVERIFY(blocked.Out.isEmpty());
    }

    void damagedPagesStopTheBatchBeforeAnyAnswer() {
        // The table's later pages are damaged: the file opens and the
        // query prepares, but each connection's first run through the rows
        // meets the damage, so no row is answered from a broken catalogue.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString catalogue = dir.filePath("database.mdb");
        QList<QVariantMap> rows;
        for (int i = 0; i < 40; ++i) {
            QVariantMap row = PermissiveRow(QString("Вариант %1").arg(i));
            row["Состав процеcса"] = QString(300, QChar(u'ж')); // spread over many pages
            rows << row;
        }
        QVERIFY(WriteCatalogue(catalogue, rows));
        QFile file(catalogue);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const qint64 half = file.size() / 2 / 4096 * 4096;
        file.seek(half);
        file.write(QByteArray(file.size() - half, char(0x5A)));
        file.close();

        const ToolRun run =
            RunTool({"--catalogue", catalogue, "--batch", "-", "--format", "jsonl", "--jobs", "2"},
                    "{\"group\":\"partial\"}\n" + WaldRow + "}\n");
        QCOMPARE(run.ExitCode, 1);
        QVERIFY(run.Out.isEmpty());
        QCOMPARE(run.Err.count('\n'), 1);
        QVERIFY(run.Err.contains("malformed"));
    }
};

QTEST_GUILESS_MAIN(ZirsSearchBatchTest)
#include "zirs_search_batch_test.moc"
