// zirs-catalogue as an engineer runs it: exit statuses, the JSON findings,
// the CSV round trip through files, and old Access files that cannot be
// carried over, which must never leave a catalogue behind.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int ExitCode = -1;
    QByteArray Out;
    QString Err;
};

Run Tool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(ZIRS_CATALOGUE_PROGRAM), arguments);
    if (!process.waitForFinished(60000))
        qFatal("zirs-catalogue did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The Jet 4 signature followed by a page 0 of zeros and junk pages.
QByteArray JetLookalike(int pages, char fill) {
    QByteArray bytes("\0\1\0\0Standard Jet DB\0", 20);
    bytes += QByteArray(1, '\1');
    bytes.resize(4096, '\0');
    bytes += QByteArray(4096 * pages, fill);
    return bytes;
}

} // namespace

class CatalogueToolTest : public QObject {
    Q_OBJECT
private slots:
    void usageErrors_data();
    void usageErrors();
    void checkStatusAndJson();
    void csvRoundTripThroughFiles();
    void legacyFilesThatCannotBeCarriedOver_data();
    void legacyFilesThatCannotBeCarriedOver();

private:
    QTemporaryDir m_dir;
};

void CatalogueToolTest::usageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList();
    QTest::newRow("unknown command") << QStringList{"repair", "x.mdb"};
    QTest::newRow("check without file") << QStringList{"check"};
    QTest::newRow("unknown option") << QStringList{"check", "x.mdb", "--fix"};
    QTest::newRow("export without csv") << QStringList{"export", "x.mdb"};
    QTest::newRow("csv without name") << QStringList{"export", "x.mdb", "--csv"};
    QTest::newRow("import without into") << QStringList{"import", "x.csv"};
    QTest::newRow("two files") << QStringList{"check", "a.mdb", "b.mdb"};
}

void CatalogueToolTest::usageErrors() {
    QFETCH(QStringList, arguments);
    const Run run = Tool(arguments);
    QCOMPARE(run.ExitCode, 2);
    QVERIFY(run.Err.contains("Использование:"));
}

void CatalogueToolTest::checkStatusAndJson() {
    Run clean = Tool({"check", ZIRS_BUILT_CATALOGUE});
    QCOMPARE(clean.ExitCode, 0);
    QVERIFY(clean.Out.isEmpty());

    const QString broken = m_dir.filePath("broken.mdb");
    QFile::copy(ZIRS_BUILT_CATALOGUE, broken);
    QFile::setPermissions(broken, QFile::ReadOwner | QFile::WriteOwner);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "broken");
        db.setDatabaseName(broken);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec("UPDATE \"Критерии\" SET \"Износ\" = NULL WHERE rowid = 3"));
        QVERIFY(q.exec("UPDATE \"Критерии\" SET \"Утяжеление\" = 5 WHERE rowid = 20"));
        db.close();
    }
    QSqlDatabase::removeDatabase("broken");

    const Run lines = Tool({"check", broken});
    QCOMPARE(lines.ExitCode, 1);
    const QStringList found = QString::fromUtf8(lines.Out).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(found.size(), 2);
    QVERIFY(found[0].startsWith("ошибка: строка 3 («"));
    QVERIFY(found[1].contains("столбец «Утяжеление»: нужно 0 или 1, а стоит 5"));

    const Run json = Tool({"check", broken, "--json"});
    QCOMPARE(json.ExitCode, 1);
    const QJsonArray array = QJsonDocument::fromJson(json.Out).array();
    QCOMPARE(array.size(), 2);
    QCOMPARE(array[1].toObject()["row"].toInt(), 20);
    QCOMPARE(array[1].toObject()["column"].toString(), QStringLiteral("Утяжеление"));

    QCOMPARE(Tool({"check", m_dir.filePath("absent.mdb")}).ExitCode, 1);
}

void CatalogueToolTest::csvRoundTripThroughFiles() {
    const QString csv = m_dir.filePath("catalogue.csv");
    const QString copy = m_dir.filePath("copy.mdb");
    const QString again = m_dir.filePath("again.csv");
    QCOMPARE(Tool({"export", ZIRS_BUILT_CATALOGUE, "--csv", csv}).ExitCode, 0);
    QCOMPARE(Tool({"import", csv, "--into", copy}).ExitCode, 0);
    QCOMPARE(Tool({"export", copy, "--csv", again}).ExitCode, 0);
    QCOMPARE(Bytes(again), Bytes(csv));

    // An existing catalogue is not touched without --replace.
    const QByteArray before = Bytes(copy);
    const Run refused = Tool({"import", csv, "--into", copy});
    QCOMPARE(refused.ExitCode, 1);
    QVERIFY(refused.Err.contains("--replace"));
    QCOMPARE(Bytes(copy), before);

    // A spreadsheet edit that breaks a score is refused, with the finding.
    QByteArray edited = Bytes(csv);
    const int lineEnd = edited.indexOf("\r\n") + 2;
    const int secondLine = edited.indexOf("\r\n", lineEnd);
    QByteArray row = edited.mid(lineEnd, secondLine - lineEnd);
    QList<QByteArray> cells = row.split(';');
    cells[cells.size() - 1] = "7";
    edited.replace(lineEnd, row.size(), cells.join(';'));
    Write(csv, edited);
    const Run faulty = Tool({"import", csv, "--into", copy, "--replace"});
    QCOMPARE(faulty.ExitCode, 1);
    QVERIFY2(faulty.Err.contains("строка 1 («") && faulty.Err.contains("«Электроснабжение»"),
             qPrintable(faulty.Err));
    QCOMPARE(Bytes(copy), before);
    QVERIFY(!QFile::exists(copy + ".bak"));
}

void CatalogueToolTest::legacyFilesThatCannotBeCarriedOver_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    QTest::newRow("ACCDB") << QByteArray("\0\1\0\0Standard ACE DB\0", 20) + QByteArray(8192, '\0')
                           << "ACCDB";
    QTest::newRow("not Access") << QByteArray("SQLite format 3\0", 16) << "это не файл Access";
    QTest::newRow("signature and zeros")
        << JetLookalike(3, '\0') << "каталог не записан|не открывается|нет таблицы";
    QTest::newRow("signature and junk")
        << JetLookalike(5, '\x5A') << "каталог не записан|не открывается|нет таблицы";
    QTest::newRow("signature only") << QByteArray("\0\1\0\0Standard Jet DB\0", 20)
                                    << "каталог не записан|не открывается|нет таблицы";
}

void CatalogueToolTest::legacyFilesThatCannotBeCarriedOver() {
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    const QString old = m_dir.filePath("old.mdb");
    const QString target = m_dir.filePath("new.mdb");
    Write(old, file);
    const Run run = Tool({"import-legacy", old, "--into", target});
    QCOMPARE(run.ExitCode, 1);
    QVERIFY2(run.Err.contains(QRegularExpression(message)), qPrintable(run.Err));
    QVERIFY(!QFile::exists(target));
    QCOMPARE(Bytes(old), file);
}

QTEST_GUILESS_MAIN(CatalogueToolTest)
#include "tst_catalogue_tool.moc"
