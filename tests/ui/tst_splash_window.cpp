// The splash window: its shape, and the three ways it closes for good (a key
// that types a character, a click on the movie, the closing timer).

#include "ui/splash_window.h"

#include <QPointer>
#include <QtTest>

class SplashWindowTest : public QObject {
    Q_OBJECT

private:
    static QTimer* closingTimer(Tform5* splash) {
        return splash->findChild<QTimer*>(QStringLiteral("Timer1"));
    }

private slots:
    void shape() {
        auto* splash = new Tform5;
        QCOMPARE(splash->size(), QSize(536, 308));
        QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(splash->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(splash->accessibleDescription(), QStringLiteral("Tform5"));
        auto* movie = splash->findChild<SplashMovie*>(QStringLiteral("Flash1"));
        QVERIFY(movie);
        QCOMPARE(movie->geometry(), QRect(1, 1, 534, 306));
        QCOMPARE(movie->accessibleName(), QStringLiteral("ЗИРС \"Тавелин\""));
        delete splash;
    }

    // The timer counts from creation, whether or not the splash was shown.
    void timerStartsAtCreation() {
        QPointer<Tform5> splash = new Tform5;
        QTimer* timer = closingTimer(splash);
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 27500);
        QVERIFY(timer->isActive());
        delete splash;
    }

    // If start-up took longer than the timer, the splash is gone before the
    // main window could show it.
    void timerDestroysUnshownSplash() {
        QPointer<Tform5> splash = new Tform5;
        closingTimer(splash)->start(0);
        QTRY_VERIFY(splash.isNull());
    }

    void timerEndsModalShow() {
        QPointer<Tform5> splash = new Tform5;
        QTimer::singleShot(0, splash, [splash] { closingTimer(splash)->start(10); });
        splash->exec();
        QTRY_VERIFY(splash.isNull());
    }

    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("closes");
        QTest::newRow("letter") << int(Qt::Key_A) << QStringLiteral("a") << true;
        QTest::newRow("cyrillic letter") << int(Qt::Key_unknown) << QStringLiteral("ж") << true;
        QTest::newRow("digit") << int(Qt::Key_7) << QStringLiteral("7") << true;
        QTest::newRow("space") << int(Qt::Key_Space) << QStringLiteral(" ") << true;
        QTest::newRow("enter") << int(Qt::Key_Return) << QStringLiteral("\r") << true;
        QTest::newRow("escape") << int(Qt::Key_Escape) << QStringLiteral("\x1b") << true;
        QTest::newRow("shift alone") << int(Qt::Key_Shift) << QString() << false;
        QTest::newRow("ctrl alone") << int(Qt::Key_Control) << QString() << false;
    }
    void keys() {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(bool, closes);
        QPointer<Tform5> splash = new Tform5;
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(splash, &press);
        if (closes) {
            QTRY_VERIFY(splash.isNull());
        } else {
            QTest::qWait(20);
            QVERIFY(!splash.isNull());
            QVERIFY(splash->isVisible());
            delete splash;
        }
    }

    void clickOnMovieCloses() {
        QPointer<Tform5> splash = new Tform5;
        QTimer::singleShot(0, splash, [splash] {
            QTest::mouseClick(splash->findChild<QWidget*>(QStringLiteral("Flash1")), Qt::LeftButton,
                              {}, QPoint(200, 100));
        });
        splash->exec();
        QTRY_VERIFY(splash.isNull());
    }

    // Closing stops the movie too, so nothing keeps drawing afterwards.
    void closingStopsMovie() {
        auto* splash = new Tform5;
        splash->setAttribute(Qt::WA_DeleteOnClose, false);
        auto* movie = splash->findChild<SplashMovie*>(QStringLiteral("Flash1"));
        splash->show();
        QVERIFY(movie->isPlaying());
        splash->close();
        QVERIFY(!movie->isPlaying());
        QVERIFY(!closingTimer(splash)->isActive());
        delete splash;
    }
};

QTEST_MAIN(SplashWindowTest)
#include "tst_splash_window.moc"
