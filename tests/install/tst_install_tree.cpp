// The tree `cmake --install` makes, tried as a user meets it: programs run
// from the prefix, the report module is found relative to the program, the
// menu entry starts the program beside the installed catalogue, and the
// desktop's own validators accept what was installed.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int ExitCode = -1;
    QByteArray Out;
    QByteArray Err;
};

Run RunProgram(const QString& program, const QStringList& arguments,
               const QString& workingDir = QDir::tempPath()) {
    QProcess process;
    process.setWorkingDirectory(workingDir);
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return {-1, {}, program.toUtf8() + " did not start"};
    process.waitForFinished(120000);
    const int code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return {code, process.readAllStandardOutput(), process.readAllStandardError()};
}

const QString DesktopEntry = QStringLiteral("share/applications/org.example.zirs_tavelin.desktop");
const QString Catalogue = QStringLiteral("share/zirs-tavelin/database.mdb");

// A roof the bundled catalogue ranks by the Wald criterion.
QStringList WaldRoof(const QString& catalogue) {
    return {"--catalogue",   catalogue, "--group",     "full", "--slope",     "3",
            "--volume",      "300",     "--thickness", "20",   "--cost",      "2000",
            "--temperature", "10",      "--wear",      "45",   "--open-fire", "--weighting",
            "--power-supply"};
}

QMap<QString, QString> ReadDesktopEntry(const QString& path) {
    QMap<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals > 0)
            keys.insert(line.left(equals), line.mid(equals + 1));
    }
    return keys;
}

} // namespace

class InstallTreeTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_scratch;
    QString m_prefix;

    QString Installed(const QString& relative) const { return m_prefix + '/' + relative; }

private slots:
    void initTestCase() {
        QVERIFY(m_scratch.isValid());
        m_prefix = m_scratch.filePath(QStringLiteral("prefix"));
        // Stripped like the package, so no build path survives in debug data.
        const Run install =
            RunProgram(QStringLiteral(ZIRS_CMAKE_COMMAND),
                       {"--install", ZIRS_BUILD_DIR, "--prefix", m_prefix, "--strip"});
        QVERIFY2(install.ExitCode == 0, install.Err.constData());
    }

    void searchAnswersFromInstalledTree() {
        const Run run = RunProgram(Installed("bin/zirs-search"), WaldRoof(Installed(Catalogue)),
                                   m_scratch.path());
        QVERIFY2(run.ExitCode == 0, run.Err.constData());
        const QJsonObject answer = QJsonDocument::fromJson(run.Out).object();
        QCOMPARE(answer.value("status").toString(), QStringLiteral("result"));
        QCOMPARE(answer.value("kind").toString(), QStringLiteral("Wald"));
    }

    // The tree is moved after installing: the report module must be found
    // relative to the program, not at the build's or the install's own path.
    void reportModuleFoundInMovedTree() {
        const QString moved = m_scratch.filePath(QStringLiteral("moved"));
        QVERIFY(QDir().rename(m_prefix, moved));
        const QString pdf = m_scratch.filePath(QStringLiteral("roof.pdf"));
        QStringList arguments = WaldRoof(moved + '/' + Catalogue);
        arguments << "--report" << pdf;
        const Run run = RunProgram(moved + "/bin/zirs-search", arguments, m_scratch.path());
        QVERIFY(QDir().rename(moved, m_prefix));
        QVERIFY2(run.ExitCode == 0, run.Err.constData());
        QFile report(pdf);
        QVERIFY(report.open(QIODevice::ReadOnly));
        QVERIFY(report.read(5) == "%PDF-");
    }

    // The build's program folder (where the built module lies) must not be
    // named in anything installed, or an installed program could load it.
    void noBuildPathInInstalledBinaries_data() {
        QTest::addColumn<QString>("binary");
        QTest::newRow("zirs") << QStringLiteral("bin/zirs");
        QTest::newRow("zirs-search") << QStringLiteral("bin/zirs-search");
        QTest::newRow("report module") << QStringLiteral("lib/zirs-tavelin/zirs-report.so");
    }
    void noBuildPathInInstalledBinaries() {
        QFETCH(QString, binary);
        QFile file(Installed(binary));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        // As a plain string and as the UTF-16 text of a QStringLiteral.
        const QString buildBin = QStringLiteral(ZIRS_BUILT_MODULE_DIR);
        QVERIFY(!bytes.contains(buildBin.toUtf8()));
        QVERIFY(!bytes.contains(
            QByteArray(reinterpret_cast<const char*>(buildBin.utf16()), buildBin.size() * 2)));
    }

    // No catalogue in the working directory: the installed program loads and
    // ends at once, silently, with status 0.
    void installedProgramRefusesWithoutCatalogue() {
        QTemporaryDir empty;
        const Run run = RunProgram(Installed("bin/zirs"), {}, empty.path());
        QCOMPARE(run.ExitCode, 0);
    }

    void menuEntryStartsBesideCatalogue() {
        const QMap<QString, QString> entry = ReadDesktopEntry(Installed(DesktopEntry));
        QCOMPARE(entry.value("Name"), QStringLiteral("ЗИРС Тавелин"));
        QCOMPARE(QDir(entry.value("Path")).canonicalPath(),
                 QDir(Installed("share/zirs-tavelin")).canonicalPath());
        QVERIFY(QFileInfo(entry.value("Path") + "/database.mdb").isFile());
        const QString command = entry.value("Exec").section(QLatin1Char(' '), 0, 0);
        QVERIFY2(QFileInfo(Installed("bin/" + command)).isExecutable(), qPrintable(command));
        QVERIFY(QFileInfo(
                    Installed("share/icons/hicolor/scalable/apps/" + entry.value("Icon") + ".svg"))
                    .isFile());
    }

    void iconAtEachSize_data() {
        QTest::addColumn<int>("size");
        for (const int size : {16, 32, 48, 64, 128, 256})
            QTest::addRow("%d px", size) << size;
    }
    void iconAtEachSize() {
        QFETCH(int, size);
        const QImage icon(
            Installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/zirs-tavelin.png").arg(size)));
        QCOMPARE(icon.size(), QSize(size, size));
    }

    // The validators' verdicts: exit 0, and nothing on the channels that
    // carry their complaints (man renders the page on stdout, warnings on stderr).
    void desktopToolsAccept_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("stdoutMustBeEmpty");
        QTest::newRow("desktop entry")
            << "desktop-file-validate" << QStringList{DesktopEntry} << true;
        QTest::newRow("metainfo")
            << "appstreamcli"
            << QStringList{"validate", "--no-net",
                           "share/metainfo/org.example.zirs_tavelin.metainfo.xml"}
            << false;
        QTest::newRow("zirs(1)") << "man"
                                 << QStringList{"--warnings", "-l", "share/man/man1/zirs.1.gz"}
                                 << false;
        QTest::newRow("zirs-search(1)")
            << "man" << QStringList{"--warnings", "-l", "share/man/man1/zirs-search.1.gz"} << false;
    }
    void desktopToolsAccept() {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(bool, stdoutMustBeEmpty);
        qputenv("MANWIDTH", "80");
        const Run run = RunProgram(program, arguments, m_prefix);
        const QByteArray said = run.Out + run.Err;
        QVERIFY2(run.ExitCode == 0, said.constData());
        QVERIFY2(run.Err.isEmpty(), run.Err.constData());
        if (stdoutMustBeEmpty)
            QVERIFY2(run.Out.isEmpty(), run.Out.constData());
        else
            QVERIFY(!run.Out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(InstallTreeTest)
#include "tst_install_tree.moc"
