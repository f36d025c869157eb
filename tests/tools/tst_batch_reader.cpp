// The pieces of a batch in-process: lines and CSV records as spreadsheets
// write them, the criterion names, report file names, and the kept catalogue
// connection against the single search's filter on awkward catalogues.

#include "search/catalogue.h"
#include "tests/support/catalogue_writer.h"
#include "tools/search-tool/batch_answer.h"
#include "tools/search-tool/batch_progress.h"
#include "tools/search-tool/batch_reader.h"
#include "tools/search-tool/request_fields.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QList<BatchRow> ReadAll(const QByteArray& bytes, BatchFormat format,
                        QString* headerError = nullptr) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    BatchRowReader reader(buffer, format);
    QList<BatchRow> rows;
    if (const auto error = reader.Start()) {
        if (headerError)
            *headerError = *error;
        return rows;
    }
    BatchRow row;
    while (reader.Next(row))
        rows << row;
    return rows;
}

QStringList Names(const TCatalogueOutcome& outcome) {
    if (const auto* error = std::get_if<TCatalogueError>(&outcome))
        return {"error: " + error->Text};
    QStringList names;
    for (const TTechnologyVariant& v : std::get<std::vector<TTechnologyVariant>>(outcome))
        names << QString::fromStdString(v.Name) + "|" + QString::fromStdString(v.MinSlope) + "|" +
                     QString::fromStdString(v.InternalValues[0]);
    return names;
}

} // namespace

class BatchReaderTest : public QObject {
    Q_OBJECT
private slots:
    void splitCsvRecord_data() {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QStringList>("fields"); // {"<open>"}: a quote left open
        QTest::newRow("plain") << QByteArray("a;b;c") << QStringList{"a", "b", "c"};
        QTest::newRow("empty fields") << QByteArray(";;") << QStringList{"", "", ""};
        QTest::newRow("quoted separator") << QByteArray("\"a;b\";c") << QStringList{"a;b", "c"};
        QTest::newRow("doubled quote")
            << QByteArray("\"say \"\"hi\"\"\";x") << QStringList{"say \"hi\"", "x"};
        QTest::newRow("line end inside quotes")
            << QByteArray("\"a\nb\";c") << QStringList{"a\nb", "c"};
        QTest::newRow("quote inside a plain field")
            << QByteArray("5\" wide;x") << QStringList{"5\" wide", "x"};
        QTest::newRow("text after the closing quote")
            << QByteArray("\"a\"b;c") << QStringList{"ab", "c"};
        QTest::newRow("quote left open") << QByteArray("\"a;b") << QStringList{"<open>"};
        QTest::newRow("Cyrillic") << QByteArray("ул. Мира;да") << QStringList{"ул. Мира", "да"};
    }
    void splitCsvRecord() {
        QFETCH(QByteArray, record);
        QFETCH(QStringList, fields);
        const auto split = SplitCsvRecord(record, ';');
        QCOMPARE(split.value_or(QStringList{"<open>"}), fields);
    }

    void csvRecordsAcrossLines() {
        // A quoted field spans lines; a quote never closed costs one error
        // row and no more than MaxBatchRecordBytes.
        const QByteArray csv = "address;group\r\n"
                               "\"двор \"\"А\"\"\r\nкорпус 2\";full\r\n"
                               "5\" wide;full\n"
                               "\"open;full\n" +
                               QByteArray(MaxBatchRecordBytes, 'x') + "\nlast;full";
        const QList<BatchRow> rows = ReadAll(csv, BatchFormat::Csv);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[0].Line, 2);
        QCOMPARE(rows[0].Address, QStringLiteral("двор \"А\"\nкорпус 2"));
        QVERIFY(rows[0].Inputs);
        QCOMPARE(rows[1].Line, 4);
        QCOMPARE(rows[1].Address, QStringLiteral("5\" wide"));
        QCOMPARE(rows[2].Line, 5);
        QVERIFY(rows[2].Error.contains("longer"));
        QCOMPARE(rows[3].Line, 7);
        QCOMPARE(rows[3].Address, QStringLiteral("last"));
        QVERIFY(rows[3].Inputs);
    }

    void jsonLinesLines() {
        // A byte order mark only at the start, CRLF, a runaway line cut
        // short, blank lines skipped, a last line without its end.
        const QByteArray text = "\xEF\xBB\xBF{\"group\":\"full\"}\r\n"
                                "  \t\r\n"
                                "\xEF\xBB\xBF{}\n" +
                                QByteArray(MaxBatchRecordBytes + 10, ' ') + "x\n" +
                                "{\"address\":\"конец\"}";
        const QList<BatchRow> rows = ReadAll(text, BatchFormat::JsonLines);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[0].Line, 1);
        QVERIFY(rows[0].Inputs);
        QCOMPARE(rows[0].Inputs->CriteriaGroup, int(FullGroup));
        QCOMPARE(rows[1].Line, 3);
        QVERIFY(rows[1].Inputs); // Qt's JSON reader takes a mark before an object
        QCOMPARE(rows[2].Line, 4);
        QVERIFY(rows[2].Error.contains("longer"));
        QCOMPARE(rows[3].Line, 5);
        QCOMPARE(rows[3].Address, QStringLiteral("конец"));
    }

    void jsonValueTypes_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("error"); // empty: the row reads
        QTest::newRow("every key")
            << QByteArray(
                   "{\"id\":1,\"address\":\"a\",\"group\":\"special\",\"subject\":\"owner\","
                   "\"slope\":\"1\","
                   "\"volume\":\"1\",\"thickness\":\"1\",\"cost\":\"1\",\"temperature\":\"1\","
                   "\"wear\":\"1\","
                   "\"open-fire\":true,\"weighting\":false,\"power-supply\":true,\"tables\":true}")
            << QString();
        QTest::newRow("number for a text")
            << QByteArray("{\"volume\":300}") << "\"volume\" must be a string";
        QTest::newRow("text for a flag")
            << QByteArray("{\"weighting\":\"true\"}") << "\"weighting\" must be true or false";
        QTest::newRow("null flag")
            << QByteArray("{\"tables\":null}") << "\"tables\" must be true or false";
        QTest::newRow("object id")
            << QByteArray("{\"id\":{}}") << "\"id\" must be a string or a number";
        QTest::newRow("per-row catalogue")
            << QByteArray("{\"catalogue\":\"x\"}") << "unknown key \"catalogue\"";
        QTest::newRow("subject without special")
            << QByteArray("{\"group\":\"full\",\"subject\":\"owner\"}")
            << "--subject needs --group special";
        QTest::newRow("array") << QByteArray("[]") << "not a JSON object";
        QTest::newRow("string") << QByteArray("\"roof\"") << "not JSON";
    }
    void jsonValueTypes() {
        QFETCH(QByteArray, line);
        QFETCH(QString, error);
        const auto row = ReadJsonLinesRow(line, 9);
        QVERIFY(row);
        QCOMPARE(row->Line, 9);
        QVERIFY2(row->Error.startsWith(error), qPrintable(row->Error));
        QCOMPARE(bool(row->Inputs), error.isEmpty());
    }

    void csvFlagsAndHeader_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("fire"); // -1: the row has an error
        QTest::newRow("1") << QByteArray("open-fire\n1\n") << 1;
        QTest::newRow("0") << QByteArray("open-fire\n0\n") << 0;
        QTest::newRow("да") << QByteArray("open-fire\nДа\n") << 1;
        QTest::newRow("нет") << QByteArray("open-fire\nНЕТ\n") << 0;
        QTest::newRow("TRUE") << QByteArray("open-fire\nTRUE\n") << 1;
        QTest::newRow("padded false") << QByteArray("open-fire;group\n false ;full\n") << 0;
        QTest::newRow("empty") << QByteArray("group;open-fire\nfull;\n") << 0;
        QTest::newRow("missing column") << QByteArray("group\nfull\n") << 0;
        QTest::newRow("yes") << QByteArray("open-fire\nyes\n") << -1;
        QTest::newRow("2") << QByteArray("open-fire\n2\n") << -1;
        QTest::newRow("comma header") << QByteArray("group,open-fire\nfull,1\n") << 1;
        QTest::newRow("padded header") << QByteArray(" group ; open-fire \nfull;1\n") << 1;
    }
    void csvFlagsAndHeader() {
        QFETCH(QByteArray, csv);
        QFETCH(int, fire);
        const QList<BatchRow> rows = ReadAll(csv, BatchFormat::Csv);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].Inputs ? int(rows[0].Inputs->OpenFireAllowed) : -1, fire);
    }

    void criterionNamesEqualIndices_data() {
        QTest::addColumn<QString>("internal");
        QTest::addColumn<QString>("external");
        QTest::addColumn<QString>("sameByIndex"); // empty: refused
        QTest::newRow("all internal names") << "cost,labour,injury,reliability,waste,pollution,"
                                               "fire,durability,aesthetics,reflectance"
                                            << ""
                                            << "0,1,2,3,4,5,6,7,8,9|";
        QTest::newRow("all external names") << "cost"
                                            << "rain,power,defects,supply,drainage"
                                            << "0|0,1,2,3,4";
        QTest::newRow("names and indices mixed") << "9,durability"
                                                 << "1,drainage"
                                                 << "7,9|1,4";
        QTest::newRow("external name as internal") << "rain"
                                                   << ""
                                                   << "";
        QTest::newRow("internal name as external") << ""
                                                   << "cost"
                                                   << "";
        QTest::newRow("capital letter") << "Cost"
                                        << ""
                                        << "";
        QTest::newRow("padded name") << " cost"
                                     << ""
                                     << "";
    }
    void criterionNamesEqualIndices() {
        QFETCH(QString, internal);
        QFETCH(QString, external);
        QFETCH(QString, sameByIndex);
        SearchRequestFields byName;
        byName.Group = "selective";
        byName.Internal = internal;
        byName.External = external;
        const auto named = MakeSearchInputs(byName);
        if (sameByIndex.isEmpty()) {
            QVERIFY(std::holds_alternative<QString>(named));
            return;
        }
        SearchRequestFields byIndex = byName;
        byIndex.Internal = sameByIndex.section('|', 0, 0);
        byIndex.External = sameByIndex.section('|', 1, 1);
        const auto indexed = MakeSearchInputs(byIndex);
        QVERIFY(std::holds_alternative<SearchInputs>(named));
        QVERIFY(std::holds_alternative<SearchInputs>(indexed));
        QCOMPARE(std::get<SearchInputs>(named).InternalTicks,
                 std::get<SearchInputs>(indexed).InternalTicks);
        QCOMPARE(std::get<SearchInputs>(named).ExternalTicks,
                 std::get<SearchInputs>(indexed).ExternalTicks);
    }

    void reportFileNames_data() {
        QTest::addColumn<qint64>("line");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << qint64(7) << "ул. Мира, д. 2"
                               << "0007-ул. Мира, д. 2.pdf";
        QTest::newRow("no address") << qint64(12) << ""
                                    << "0012.pdf";
        QTest::newRow("line beyond four digits") << qint64(123456) << "x"
                                                 << "123456-x.pdf";
        QTest::newRow("path and shell characters") << qint64(1) << "../д. 5/7 \"А\" <b>|*?:\\"
                                                   << "0001-.._д. 5_7 _А_ _b______.pdf";
        QTest::newRow("line ends and tabs") << qint64(1) << "a\nb\tc\x7f"
                                            << "0001-a_b_c_.pdf";
        QTest::newRow("long address cut")
            << qint64(1) << QString(300, u'ж') << "0001-" + QString(100, u'ж') + ".pdf";
    }
    void reportFileNames() {
        QFETCH(qint64, line);
        QFETCH(QString, address);
        QFETCH(QString, name);
        QCOMPARE(BatchReportFileName(line, address), name);
    }

    void keptConnectionFiltersAsTheSingleSearch_data() {
        QTest::addColumn<QList<QVariantMap>>("rows");
        QTest::addColumn<QStringList>("omitted");
        QVariantMap text = PermissiveRow("text in a compared cell");
        text["Уклон"] = QString("");
        QVariantMap empty = PermissiveRow("empty compared cell");
        empty["Минизнос"] = QVariant();
        QVariantMap fraction = PermissiveRow("fraction");
        fraction["Минуклон"] = 2.5;
        fraction["Стоимость"] = 350.5;
        const QList<QVariantMap> mixed = {PermissiveRow("plain"), text, empty, fraction};
        QTest::newRow("awkward cells") << mixed << QStringList();
        QTest::newRow("column missing") << mixed << QStringList{"Эстетичность кровли"};
        QTest::newRow("no rows") << QList<QVariantMap>() << QStringList();
    }
    void keptConnectionFiltersAsTheSingleSearch() {
        QFETCH(QList<QVariantMap>, rows);
        QFETCH(QStringList, omitted);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("database.mdb");
        QVERIFY(WriteCatalogue(path, rows, WithoutColumns(omitted)));

        TCatalogueConnection connection;
        const auto opened = connection.Open(path);
        const TCatalogueOutcome single = RunCatalogueFilter(path, WideOpenParameters());
        if (opened) {
            // Refused at the start with the single search's own error.
            QCOMPARE(QStringList{"error: " + opened->Text}, Names(single));
            QVERIFY(!omitted.isEmpty());
            return;
        }
        QVERIFY(omitted.isEmpty());
        // The same connection, many times, with changing parameters.
        qsizetype most = 0;
        for (const double slope : {0.0, 2.5, 3.0, 2.5}) {
            for (const long double cost : {350.0L, 351.0L, 1e30L}) {
                TFilterParameters p = WideOpenParameters();
                p.k = p.s = slope;
                p.n = cost;
                int rows = -1, singleRows = -1;
                const QStringList kept = Names(connection.Filter(p, rows));
                QCOMPARE(kept, Names(RunCatalogueFilter(path, p, singleRows)));
                QCOMPARE(rows, singleRows);
                most = std::max(most, kept.size());
            }
        }
        // Neither the text nor the empty cell passes; both others do.
        QCOMPARE(most, rows.isEmpty() ? 0 : 2);
    }

    void keptConnectionRefusesWhatTheSingleSearchRefuses() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        TCatalogueConnection connection;
        QVERIFY(connection.Open(dir.filePath("missing.mdb")));
        QVERIFY(!QFile::exists(dir.filePath("missing.mdb")));
        int rows = -1;
        QVERIFY(
            std::holds_alternative<TCatalogueError>(connection.Filter(WideOpenParameters(), rows)));
    }

    void progressLine_data() {
        QTest::addColumn<qint64>("done");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("line");
        QTest::newRow("total unknown")
            << qint64(1500) << qint64(0) << 0.5 << "1500 rows  3000 rows/s";
        QTest::newRow("a third")
            << qint64(100) << qint64(300) << 2.0
            << "[##########....................] 100/300  50 rows/s  0:04 left";
        QTest::newRow("hours left")
            << qint64(1) << qint64(100000) << 1.0
            << "[..............................] 1/100000  1 rows/s  27:46:39 left";
        QTest::newRow("done") << qint64(300) << qint64(300) << 3.0
                              << "[##############################] 300/300  100 rows/s";
        QTest::newRow("nothing yet")
            << qint64(0) << qint64(10) << 0.0 << "[..............................] 0/10  0 rows/s";
    }
    void progressLine() {
        QFETCH(qint64, done);
        QFETCH(qint64, total);
        QFETCH(double, seconds);
        QFETCH(QString, line);
        QCOMPARE(BatchProgressText(done, total, seconds), line);
    }
};

QTEST_GUILESS_MAIN(BatchReaderTest)
#include "tst_batch_reader.moc"
