// Twenty copies of the program started at the same instant: exactly one keeps
// running, and after it is killed with SIGKILL a new copy starts.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <csignal>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray Program = QByteArrayLiteral(ZIRS_PROGRAM);

// Forks `count` children that each wait on one pipe, then start the program in
// `workDir` with the given runtime folder; closing the pipe releases them all
// at once.
std::vector<pid_t> StartTogether(int count, const QByteArray& workDir, const QByteArray& runtime) {
    int gate[2];
    if (pipe(gate) != 0)
        return {};
    std::vector<pid_t> children;
    for (int i = 0; i < count; ++i) {
        const pid_t pid = fork();
        if (pid == 0) {
            close(gate[1]);
            char byte;
            while (read(gate[0], &byte, 1) > 0) {
            }
            if (chdir(workDir.constData()) != 0)
                _exit(126);
            const int null = open("/dev/null", O_RDWR);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            setenv("XDG_RUNTIME_DIR", runtime.constData(), 1);
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            execl(Program.constData(), Program.constData(), static_cast<char*>(nullptr));
            _exit(127);
        }
        children.push_back(pid);
    }
    close(gate[0]);
    close(gate[1]);
    return children;
}

struct Survivors {
    std::vector<pid_t> Running;
    int ExitedCleanly = 0;
    int ExitedOtherwise = 0;
};

// Waits until every copy but `expectedRunning` has ended (or the time is up),
// then gives the rest a further moment to show they stay.
Survivors Settle(const std::vector<pid_t>& children, std::size_t expectedRunning) {
    Survivors result;
    std::vector<pid_t> running = children;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    auto reap = [&] {
        for (auto it = running.begin(); it != running.end();) {
            int status = 0;
            if (waitpid(*it, &status, WNOHANG) == *it) {
                if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
                    ++result.ExitedCleanly;
                else
                    ++result.ExitedOtherwise;
                it = running.erase(it);
            } else {
                ++it;
            }
        }
    };
    while (running.size() > expectedRunning && std::chrono::steady_clock::now() < deadline) {
        reap();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    reap();
    result.Running = running;
    return result;
}

void KillAll(const std::vector<pid_t>& pids) {
    for (pid_t pid : pids) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

} // namespace

class TestInstanceRace : public QObject {
    Q_OBJECT

private slots:
    void exactlyOneOfTwentySimultaneousCopiesRuns_data() {
        QTest::addColumn<int>("round");
        for (int round = 1; round <= 3; ++round)
            QTest::addRow("round %d", round) << round;
    }

    void exactlyOneOfTwentySimultaneousCopiesRuns() {
        QTemporaryDir runtime, work;
        QVERIFY(runtime.isValid() && work.isValid());
        QVERIFY(QFile::copy(QStringLiteral(ZIRS_BUILT_CATALOGUE),
                            work.filePath(QStringLiteral("database.mdb"))));
        const QByteArray workDir = QFile::encodeName(work.path());
        const QByteArray runtimeDir = QFile::encodeName(runtime.path());

        Survivors race = Settle(StartTogether(20, workDir, runtimeDir), 1);
        const std::vector<pid_t> running = race.Running;
        KillAll(running.size() == 1 ? std::vector<pid_t>{} : running);
        QCOMPARE(int(running.size()), 1);
        QCOMPARE(race.ExitedCleanly, 19);
        QCOMPARE(race.ExitedOtherwise, 0);

        // SIGKILL leaves no chance to clean up: the lock must die with the process.
        KillAll(running);
        Survivors next = Settle(StartTogether(1, workDir, runtimeDir), 1);
        KillAll(next.Running);
        QCOMPARE(int(next.Running.size()), 1);
    }
};

QTEST_GUILESS_MAIN(TestInstanceRace)
#include "tst_instance_race.moc"
