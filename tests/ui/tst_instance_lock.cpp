// The one-copy lock's folder: a runtime folder someone else could plant the
// lock file in, or hold it in, is refused, and the private folder in /tmp is
// taken instead.

#include "ui/instance_lock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Any user but this one; the kernel's overflow user exists on every Linux.
constexpr uid_t OtherUser = 65534;

QString PrivateFallback() {
    return QStringLiteral("/tmp/zirs-%1").arg(getuid());
}

} // namespace

class InstanceLockTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { qunsetenv("XDG_RUNTIME_DIR"); }
    void runtimeFolder_data();
    void runtimeFolder();
};

void InstanceLockTest::runtimeFolder_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("own private folder") << "private" << true;
    QTest::newRow("owned by another user") << "other owner" << false;
    QTest::newRow("others can write") << "world-writable" << false;
    QTest::newRow("group can write") << "group-writable" << false;
    QTest::newRow("symlink to a private folder") << "symlink" << false;
}

void InstanceLockTest::runtimeFolder() {
    QFETCH(QString, kind);
    QFETCH(bool, accepted);
    QTemporaryDir base;
    QVERIFY(base.isValid());
    const QString target = base.filePath(QStringLiteral("target"));
    QVERIFY(QDir().mkdir(target));
    QVERIFY(chmod(QFile::encodeName(target).constData(), 0700) == 0);
    QString runtime = target;
    if (kind == QLatin1String("other owner")) {
        if (chown(QFile::encodeName(target).constData(), OtherUser, OtherUser) != 0)
            QSKIP("giving a folder to another user needs root");
    } else if (kind == QLatin1String("world-writable")) {
        QVERIFY(chmod(QFile::encodeName(target).constData(), 0703) == 0);
    } else if (kind == QLatin1String("group-writable")) {
        QVERIFY(chmod(QFile::encodeName(target).constData(), 0770) == 0);
    } else if (kind == QLatin1String("symlink")) {
        runtime = base.filePath(QStringLiteral("link"));
        QVERIFY(QFile::link(target, runtime));
    }
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));

    const QString folder = QString::fromStdString(InstanceLockFolder());
    QCOMPARE(folder, accepted ? runtime : PrivateFallback());

    // The lock itself is taken in the folder chosen, never in the refused one.
    const std::string name = "zirs-lock-test-" + std::to_string(getpid());
    QCOMPARE(AcquireInstanceLock(name), InstanceLockResult::Acquired);
    const QString lockFile = folder + QLatin1Char('/') + QString::fromStdString(name);
    QVERIFY(QFile::exists(lockFile));
    QCOMPARE(QFile::exists(target + QLatin1Char('/') + QString::fromStdString(name)), accepted);
    QFile::remove(lockFile);

    // The fallback folder, when taken, is ours alone. (On a fresh machine it
    // does not exist until a refused folder sends the lock there.)
    if (accepted)
        return;
    struct stat info {};
    QVERIFY(lstat(QFile::encodeName(PrivateFallback()).constData(), &info) == 0);
    QVERIFY(S_ISDIR(info.st_mode));
    QCOMPARE(info.st_uid, getuid());
    QCOMPARE(info.st_mode & 077, 0u);
}

QTEST_GUILESS_MAIN(InstanceLockTest)
#include "tst_instance_lock.moc"
