// Carrying over Access (Jet 4) catalogues: files written by the tests' own
// Jet writer (checked against mdb-export as well) come over cell for cell,
// and damaged ones give a clear error and never a catalogue.

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

namespace {

struct Run {
    int ExitCode = -1;
    QByteArray Out;
    QString Err;
};

Run Program(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        qFatal("%s did not finish", qPrintable(program));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

Run Tool(const QStringList& arguments) {
    return Program(QStringLiteral(ZIRS_CATALOGUE_PROGRAM), arguments);
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

constexpr int Page = 4096;
// The writer puts the table's definition on page 5; its usage-map pointer
// (row byte, then page) starts at offset 55.
constexpr int UsageMapRowByte = 5 * Page + 55;

} // namespace

class LegacyImportTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void writerAgreesWithMdbExport();
    void bundledCatalogueCarriesOver_data();
    void bundledCatalogueCarriesOver();
    void columnTypesAndLongMemos();
    void damagedFiles_data();
    void damagedFiles();
    void realAccessFile();

private:
    QString fixture(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
};

void LegacyImportTest::initTestCase() {
    // A charset chosen for libmdb from outside must not change what is read.
    qputenv("MDBICONV", "CP1251");
    const QString python = QStandardPaths::findExecutable("python3");
    if (python.isEmpty())
        QSKIP("python3 is needed for the Jet writer");
    const Run made = Program(python, {QStringLiteral(ZIRS_TEST_SOURCE_DIR "/legacy_fixtures.py"),
                                      ZIRS_BUILT_CATALOGUE, m_dir.path()});
    QVERIFY2(made.ExitCode == 0, qPrintable(made.Err));
}

void LegacyImportTest::writerAgreesWithMdbExport() {
    const QString mdbExport = QStandardPaths::findExecutable("mdb-export");
    if (mdbExport.isEmpty())
        QSKIP("mdb-export (package mdbtools) is not installed");
    // mdb-export itself looks names up in the charset MDBICONV names.
    const QByteArray charset = qgetenv("MDBICONV");
    qunsetenv("MDBICONV");
    const Run run = Program(mdbExport, {"-d", ";", "-q", "'", fixture("wide.mdb"), "Критерии"});
    qputenv("MDBICONV", charset);
    QCOMPARE(run.ExitCode, 0);
    const QStringList lines = QString::fromUtf8(run.Out).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[0].startsWith("Варианты технологии;Состав процеcса;Уклон;"));
    QVERIFY(lines[0].endsWith(";Цена;Точная;Метка"));
    // The last columns of the first row: the long, the double, the single,
    // the byte, the currency, the decimal and the boolean.
    QVERIFY2(lines[1].endsWith(";-2147483648;0.1;0.5;255;-922337203685477.5808;"
                               "-123456789012.345678;0"),
             qPrintable(lines[1].right(120)));
    QVERIFY(lines[1].contains(QStringLiteral("roof ").repeated(4000).trimmed()));
}

void LegacyImportTest::bundledCatalogueCarriesOver_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("plain") << "bundled.mdb";
    QTest::newRow("password-protected") << "password.mdb";
    QTest::newRow("encoded") << "encoded.mdb";
}

void LegacyImportTest::bundledCatalogueCarriesOver() {
    QFETCH(QString, file);
    const QString carried = m_dir.filePath("carried-" + file);
    const Run run = Tool({"import-legacy", m_dir.filePath(file), "--into", carried});
    QVERIFY2(run.ExitCode == 0, qPrintable(run.Err));
    // Same columns, rows, order and values: the CSV of both is the same.
    const QString original = m_dir.filePath("original.csv");
    const QString copy = m_dir.filePath("copy.csv");
    QCOMPARE(Tool({"export", ZIRS_BUILT_CATALOGUE, "--csv", original}).ExitCode, 0);
    QCOMPARE(Tool({"export", carried, "--csv", copy}).ExitCode, 0);
    QCOMPARE(Bytes(copy), Bytes(original));
}

void LegacyImportTest::columnTypesAndLongMemos() {
    const QString carried = m_dir.filePath("wide-carried.mdb");
    const Run run = Tool({"import-legacy", fixture("wide.mdb"), "--into", carried});
    QVERIFY2(run.ExitCode == 0, qPrintable(run.Err));
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "wide");
    db.setDatabaseName(carried);
    QVERIFY(db.open());
    {
        QSqlQuery q(db);
        QVERIFY(q.exec("SELECT \"Заметка\", \"Пояснение\", \"Сжатая\", \"Код\", \"Вес\", \"Доля\", "
                       "\"Байт\", \"Цена\", \"Точная\", \"Метка\" FROM \"Критерии\""));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("roof ").repeated(4000));
        QCOMPARE(q.value(1).toString(), QStringLiteral("кровля ").repeated(1300));
        QCOMPARE(q.value(2).toString(), QStringLiteral("Latin only, compressed").repeated(40));
        QCOMPARE(q.value(3).toLongLong(), -2147483648LL);
        const double weight = q.value(4).toDouble(), tenth = 0.1;
        QCOMPARE(std::memcmp(&weight, &tenth, sizeof weight), 0);
        QCOMPARE(q.value(5).toDouble(), 0.5);
        QCOMPARE(q.value(6).toInt(), 255);
        QCOMPARE(q.value(7).toDouble(), -922337203685477.5808);
        QCOMPARE(q.value(8).toDouble(), -123456789012.345678);
        QCOMPARE(q.value(9).toInt(), 0);
        QVERIFY(q.next());
        QVERIFY(q.value(0).isNull());
        QCOMPARE(q.value(1).toString(), QStringLiteral("коротко"));
        QCOMPARE(q.value(3).toInt(), 7);
        QVERIFY(q.value(4).isNull());
        QVERIFY(q.value(6).isNull());
        QCOMPARE(q.value(7).toDouble(), 0.0001);
        QVERIFY(q.value(8).isNull());
        QCOMPARE(q.value(9).toInt(), 1);
        QVERIFY(q.next());
        QVERIFY(!q.next());
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("wide");
}

void LegacyImportTest::damagedFiles_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    const QByteArray whole = Bytes(fixture("bundled.mdb"));
    QVERIFY(whole.size() % Page == 0);
    for (int pages = 1; pages < whole.size() / Page; ++pages)
        QTest::addRow("cut after page %d", pages - 1)
            << whole.left(pages * Page) << "не открывается|нет таблицы|каталог не записан";
    QByteArray crash = whole;
    crash[UsageMapRowByte] = 9;
    QTest::newRow("usage-map pointer changed") << crash << "прервалось аварийно";
    QByteArray noise = whole.left(Page);
    QRandomGenerator random(1313);
    for (int i = 0; i < 8 * Page; ++i)
        noise += char(random.bounded(256));
    QTest::newRow("random pages") << noise
                                  << "не открывается|нет таблицы|каталог не записан|аварийно";
}

void LegacyImportTest::damagedFiles() {
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    const QString damaged = m_dir.filePath("damaged.mdb");
    const QString target = m_dir.filePath("never.mdb");
    Write(damaged, file);
    const Run run = Tool({"import-legacy", damaged, "--into", target});
    QCOMPARE(run.ExitCode, 1);
    QVERIFY2(run.Err.contains(QRegularExpression(message)), qPrintable(run.Err));
    QVERIFY(!QFile::exists(target));
}

void LegacyImportTest::realAccessFile() {
    // mrtg-contrib ships a real Access file; it has no catalogue table, so
    // the import must say that and nothing worse.
    const QStringList candidates = {"/usr/share/doc/mrtg-contrib/examples/Monitor.mdb",
                                    "/usr/share/mrtg-contrib/Monitor.mdb"};
    QString monitor;
    for (const QString& path : candidates)
        if (QFile::exists(path))
            monitor = path;
    if (monitor.isEmpty())
        QSKIP("Monitor.mdb from the package mrtg-contrib is not installed");
    const Run run = Tool({"import-legacy", monitor, "--into", m_dir.filePath("monitor.mdb")});
    QCOMPARE(run.ExitCode, 1);
    QVERIFY2(run.Err.contains("нет таблицы «Критерии»"), qPrintable(run.Err));
}

QTEST_GUILESS_MAIN(LegacyImportTest)
#include "tst_legacy_import.moc"
