// The program's start: the one-copy rule and the catalogue test on the real
// program, and, in process, the splash before the main window, the help
// window from the menu and the end of the run with the main window.

#include "engine/search_result.h"
#include "results/results_window.h"
#include "ui/application.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/splash_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>

#include <sys/stat.h>

namespace {

const QString Program = QStringLiteral(ZIRS_PROGRAM);

// Whether process `pid` holds an exclusive flock on `path`, read from the
// kernel's lock table so that looking never takes the lock itself.
bool HoldsLock(qint64 pid, const QString& path) {
    struct stat info {};
    if (stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return false;
    const QByteArray inode = ":" + QByteArray::number(qulonglong(info.st_ino)) + " ";
    const QByteArray owner = " " + QByteArray::number(pid) + " ";
    for (const QByteArray& line : locks.readAll().split('\n')) {
        if (line.contains("FLOCK") && line.contains("WRITE") && line.contains(inode) &&
            line.contains(owner))
            return true;
    }
    return false;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

    QTemporaryDir runtime; // a private runtime folder: the lock of these tests only
    QTemporaryDir work;    // the working directory, with the catalogue
    std::vector<std::unique_ptr<QProcess>> started;

    QString lockPath() const { return runtime.filePath(QStringLiteral("MyMutex")); }

    QProcess* start(const QString& workingDirectory) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process->setProcessEnvironment(environment);
        process->setWorkingDirectory(workingDirectory);
        process->start(Program, {});
        started.push_back(std::move(process));
        return started.back().get();
    }

    // The program never ends on its own while it runs; a test ends its copies
    // with SIGKILL, which also shows that a crashed copy leaves no lock behind.
    static void kill(QProcess* process) {
        process->kill();
        QVERIFY(process->waitForFinished(10000));
    }

private slots:
    void initTestCase() {
        QVERIFY(QFile::exists(Program));
        QVERIFY(QFile::copy(QStringLiteral(ZIRS_BUILT_CATALOGUE),
                            work.filePath(QStringLiteral("database.mdb"))));
    }

    void cleanup() {
        for (auto& process : started) {
            if (process->state() != QProcess::NotRunning)
                kill(process.get());
        }
        started.clear();
    }

    void refusesSilentlyWithoutCatalogue_data() {
        QTest::addColumn<bool>("folderOfThatName");
        QTest::newRow("no file") << false;
        QTest::newRow("a folder named database.mdb") << true;
    }

    void refusesSilentlyWithoutCatalogue() {
        QFETCH(bool, folderOfThatName);
        QTemporaryDir elsewhere;
        if (folderOfThatName)
            QVERIFY(QDir(elsewhere.path()).mkdir(QStringLiteral("database.mdb")));
        QProcess* copy = start(elsewhere.path());
        QVERIFY(copy->waitForFinished(10000));
        QCOMPARE(copy->exitStatus(), QProcess::NormalExit);
        QCOMPARE(copy->exitCode(), 0);
        QVERIFY(copy->readAllStandardOutput().isEmpty());
        QVERIFY(copy->readAllStandardError().isEmpty());
        // The lock was taken before the catalogue was looked for.
        QVERIFY(QFile::exists(lockPath()));
    }

    void onlyOneCopyRuns() {
        QProcess* first = start(work.path());
        QVERIFY(first->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(HoldsLock(first->processId(), lockPath()), 10000);

        // A second copy ends at once and silently, even where no catalogue is.
        QTemporaryDir elsewhere;
        for (const QString& folder : {work.path(), elsewhere.path()}) {
            QProcess* second = start(folder);
            QVERIFY(second->waitForFinished(10000));
            QCOMPARE(second->exitStatus(), QProcess::NormalExit);
            QCOMPARE(second->exitCode(), 0);
            QVERIFY(second->readAllStandardOutput().isEmpty());
            QVERIFY(second->readAllStandardError().isEmpty());
        }
        QCOMPARE(first->state(), QProcess::Running);
        QVERIFY(HoldsLock(first->processId(), lockPath()));

        // Killed, the first copy takes its lock with it: a new start runs.
        kill(first);
        QProcess* third = start(work.path());
        QVERIFY(third->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(HoldsLock(third->processId(), lockPath()), 10000);
        QCOMPARE(third->state(), QProcess::Running);
    }

    // The splash plays alone; the main window reaches the screen, centred,
    // only once the splash has closed, and the splash is gone for good.
    void splashComesFirst() {
        TApplicationObjects objects;
        QPointer<Tform5> splash = objects.Form5();
        QVERIFY(splash);
        bool splashAlone = false;
        QTimer::singleShot(0, this, [&] {
            QWindow* main = objects.Form1()->windowHandle();
            splashAlone = QApplication::activeModalWidget() == splash.data() &&
                          splash->isVisible() && !(main && main->isExposed());
            QTest::keyClick(splash.data(), Qt::Key_Space);
        });
        objects.Form1()->show();
        QVERIFY(splashAlone);
        QTRY_VERIFY(!splash);
        QVERIFY(!objects.Form5());
        QVERIFY(QTest::qWaitForWindowExposed(objects.Form1()));
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY((objects.Form1()->geometry().center() - screenCentre).manhattanLength() <= 2);
    }

    void aboutShowsTheHelpWindowModally() {
        TApplicationObjects objects;
        objects.Form5()->close();
        QTRY_VERIFY(!objects.Form5());
        objects.Form1()->show();
        bool helpModal = false;
        QTimer::singleShot(0, this, [&] {
            helpModal = QApplication::activeModalWidget() == objects.Form6();
            objects.Form6()->close();
        });
        QMenuBar* bar = objects.Form1()->findChild<QMenuBar*>();
        bar->actions().at(1)->menu()->actions().at(0)->trigger();
        QVERIFY(helpModal);
        QVERIFY(!objects.Form6()->isVisible());
    }

    void closingTheMainWindowEndsTheRun() {
        TApplicationObjects objects;
        objects.Form5()->close();
        QTRY_VERIFY(!objects.Form5());
        objects.Form1()->show();
        TSearchResult result;
        result.AdmissibleCount = 1;
        result.RejectedCount = 20;
        result.Ranked[0] = {1, "Вариант", "Состав", ""};
        objects.Form4()->ShowSearchResult(result, SearchInputs{});
        QVERIFY(objects.Form4()->isVisible());
        QTimer::singleShot(0, objects.Form1(), &QWidget::close);
        // Should the run not end, this ends it with a failing code.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        guard.start(20000);
        QCOMPARE(QCoreApplication::exec(), 0);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
