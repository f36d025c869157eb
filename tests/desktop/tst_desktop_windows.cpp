// The program's windows on a desktop with a window manager: where the pop-ups
// open after the manager has placed, moved, maximised and restored the main
// window, where the keyboard is after the splash, Enter on a focused button,
// resizing from any point of the border. Positions are the X server's; input
// goes through the server, as a user's would.

#include "x_desktop.h"

#include "report/report_template.h"
#include "results/report_preview.h"
#include "results/results_window.h"
#include "ui/application.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/masked_edit.h"
#include "ui/message_boxes.h"
#include "ui/message_dialog.h"
#include "ui/splash_window.h"
#include "widgets/window_look.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

// Where a point of a widget lies on the screen, by the server's account of
// its top-level window.
QPoint OnScreen(const QWidget* widget, QPoint local) {
    const QWidget* window = widget->window();
    return ServerGeometry(window->winId()).topLeft() + widget->mapTo(window, local);
}

QPoint CentreOnScreen(const QWidget* widget) {
    return OnScreen(widget, widget->rect().center());
}

// The pop-up that Qt has open now (a list or a menu), once the server shows it.
QWidget* OpenPopup() {
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup || !popup->isVisible() || !popup->windowHandle() ||
        !popup->windowHandle()->isExposed())
        return nullptr;
    return popup;
}

bool Near(QPoint actual, QPoint expected, int tolerance = 2) {
    return (actual - expected).manhattanLength() <= 2 * tolerance &&
           std::abs(actual.x() - expected.x()) <= tolerance &&
           std::abs(actual.y() - expected.y()) <= tolerance;
}

QString Describe(QPoint point) {
    return QStringLiteral("(%1, %2)").arg(point.x()).arg(point.y());
}

// Takes each message instead of showing a box.
class RecordedBoxes : public MessageBoxes {
public:
    explicit RecordedBoxes(QStringList& messages) : m_messages(messages) {}
    void showInformation(TsuiMessageDialog&, const QString& text) override {
        m_messages.append(text);
    }
    void showError(QWidget*, const QString& text) override { m_messages.append(text); }

private:
    QStringList& m_messages;
};

} // namespace

class TestDesktopWindows : public QObject {
    Q_OBJECT

    QTemporaryDir m_folder;
    std::unique_ptr<TApplicationObjects> m_objects;
    QStringList m_messages;
    RecordedBoxes m_recordedBoxes{m_messages};

    TForm1* form1() const { return m_objects->Form1(); }
    template <typename T> T* find(TForm1* window, const char* name) const {
        return window->findChild<T*>(QLatin1String(name));
    }

    // Waits until the server and Qt agree on where the window lies.
    void expectQtAgreesWithServer(const QWidget* window) {
        QRect server;
        QTRY_VERIFY2_WITH_TIMEOUT(
            (server = ServerGeometry(window->winId())) == window->geometry(),
            qPrintable(QStringLiteral("the server has %1 at %2, Qt at %3")
                           .arg(window->objectName(), Describe(server.topLeft()),
                                Describe(window->geometry().topLeft()))),
            5000);
    }

    // Opens the pop-up behind a click on `control` at `local` and checks that
    // its top-left corner lies at `expected` (in `control`'s coordinates).
    void checkPopupAt(QWidget* control, QPoint local, QPoint expected) {
        QVERIFY(Click(OnScreen(control, local)));
        QTRY_VERIFY(OpenPopup() != nullptr);
        QWidget* popup = OpenPopup();
        const QString kind = QString::fromLatin1(popup->metaObject()->className());
        const QPoint wanted = OnScreen(control, expected);
        QPoint actual;
        // A pop-up may still be on its way to its place; give it the time.
        const bool placed = QTest::qWaitFor([&] {
            actual = ServerGeometry(popup->winId()).topLeft();
            return Near(actual, wanted);
        });
        // Closed before the verdict, so a failure leaves no pop-up behind.
        popup->close();
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QVERIFY2(placed, qPrintable(QStringLiteral("%1 opened at %2, expected at %3")
                                        .arg(kind, Describe(actual), Describe(wanted))));
    }

private slots:
    void initTestCase() {
        QVERIFY(m_folder.isValid());
        QVERIFY(QFile::copy(QStringLiteral(ZIRS_BUILT_CATALOGUE),
                            m_folder.filePath(QStringLiteral("database.mdb"))));
        QVERIFY(QDir::setCurrent(m_folder.path()));
        PrepareApplication(*qApp);
        SetMessageBoxes(&m_recordedBoxes);
        m_objects = std::make_unique<TApplicationObjects>();

        // The splash is closed by a key, as the user closes it, once it is on
        // screen; the main window's first show waits for that.
        bool keySent = false;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            Tform5* splash = m_objects->Form5();
            if (!keySent && splash && splash->windowHandle() &&
                splash->windowHandle()->isExposed() && QApplication::activeWindow() == splash) {
                keySent = PressKey(QStringLiteral("space"));
            }
        });
        closer.start(20);
        form1()->show();
        closer.stop();
        QVERIFY(keySent);
        QVERIFY(QTest::qWaitForWindowActive(form1()));
    }

    void cleanupTestCase() {
        SetMessageBoxes(nullptr);
        m_objects.reset();
    }

    // The user types straight away after the splash: the address field has
    // the keyboard.
    void focusIsInTheAddressFieldAfterTheSplash() {
        auto* address = find<TAdvMaskEdit>(form1(), "DBAdvMaskEdit7");
        QTRY_COMPARE(QApplication::focusWidget(), address);
        // The pointer may not rest on the field for this to hold.
        QVERIFY(MovePointer({2, 2}));
        QVERIFY(PressKey(QStringLiteral("7")));
        QTRY_COMPARE(address->text(), QStringLiteral("7"));
        address->clear();
    }

    void popupsOpenAtTheirControls_data() {
        QTest::addColumn<QString>("before");
        // The rows run in this order and each one starts where the last left.
        QTest::newRow("placed by the window manager") << QString();
        QTest::newRow("after a title-bar drag") << QStringLiteral("drag");
        QTest::newRow("after maximise and restore") << QStringLiteral("maximise");
        QTest::newRow("after the results window came and went") << QStringLiteral("results");
    }

    void popupsOpenAtTheirControls() {
        QFETCH(QString, before);
        TForm1* window = form1();
        if (before == QLatin1String("drag")) {
            const QRect start = ServerGeometry(window->winId());
            auto* title = window->findChild<QWidget*>(QStringLiteral("titleBar"));
            const QPoint grab = OnScreen(title, {300, 10});
            QVERIFY(PressButton(grab));
            for (int step = 1; step <= 4; ++step)
                QVERIFY(MovePointer(grab + QPoint(10 * step, 5 * step)));
            QVERIFY(ReleaseButton());
            // The window follows the pointer exactly, the first time too.
            QTRY_COMPARE(ServerGeometry(window->winId()).topLeft(),
                         start.topLeft() + QPoint(40, 20));
        } else if (before == QLatin1String("maximise")) {
            const QRect normal = ServerGeometry(window->winId());
            auto* maximise = window->findChild<QToolButton*>(QStringLiteral("maximiseButton"));
            QVERIFY(Click(CentreOnScreen(maximise)));
            QTRY_VERIFY(window->isMaximized());
            QTRY_COMPARE(ServerGeometry(window->winId()).size(),
                         window->screen()->availableGeometry().size());
            expectQtAgreesWithServer(window);
            QVERIFY(Click(CentreOnScreen(maximise)));
            QTRY_VERIFY(!window->isMaximized());
            QTRY_COMPARE(ServerGeometry(window->winId()), normal);
        } else if (before == QLatin1String("results")) {
            TForm4* results = m_objects->Form4();
            results->ShowSearchResult(TSearchResult{}, SearchInputs{});
            QVERIFY(QTest::qWaitForWindowExposed(results));
            expectQtAgreesWithServer(results);
            auto* close = results->findChild<QToolButton*>(QStringLiteral("closeButton"));
            QVERIFY(Click(CentreOnScreen(close)));
            QTRY_VERIFY(!results->isVisible());
            QVERIFY(QTest::qWaitForWindowActive(window));
        }
        expectQtAgreesWithServer(window);
        if (QTest::currentTestFailed())
            return;

        // The criteria-group list opens under its box.
        auto* list = find<QComboBox>(window, "suiComboBox1");
        checkPopupAt(list, list->rect().center(), list->rect().bottomLeft() + QPoint(0, 1));
        if (QTest::currentTestFailed())
            return;
        // Each menu opens under its item of the menu bar.
        auto* bar = find<QMenuBar>(window, "menuBar");
        for (QAction* menu : bar->actions()) {
            const QRect item = bar->actionGeometry(menu);
            checkPopupAt(bar, item.center(), item.bottomLeft() + QPoint(0, 1));
            if (QTest::currentTestFailed())
                return;
        }
    }

    // The window manager shows each window's own title, with nothing added.
    void titlesAreTheWindowsOwn_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("title");
        const QString program =
            QStringLiteral("Экспертная автоматизированная система (ЗИРС) \"Тавелин\"");
        QTest::newRow("main") << QStringLiteral("main") << program;
        QTest::newRow("results") << QStringLiteral("results") << program;
        QTest::newRow("help") << QStringLiteral("help")
                              << QStringLiteral(
                                     "Экспертная автоматизированная система (ЗИРС) Тавелин");
        QTest::newRow("message box") << QStringLiteral("message") << ProgramTitle;
        QTest::newRow("report preview")
            << QStringLiteral("preview") << QStringLiteral("Report Preview");
    }

    void titlesAreTheWindowsOwn() {
        QFETCH(QString, window);
        QFETCH(QString, title);
        std::unique_ptr<QWidget> owned;
        QWidget* shown = nullptr;
        if (window == QLatin1String("main")) {
            shown = form1();
        } else if (window == QLatin1String("results")) {
            shown = m_objects->Form4();
        } else if (window == QLatin1String("help")) {
            shown = m_objects->Form6();
        } else if (window == QLatin1String("message")) {
            auto* box = new TsuiMessageDialog();
            box->setText(QStringLiteral("Проверка"));
            owned.reset(box);
        } else {
            owned = std::make_unique<ReportPreview>(BuiltInReportTemplate(), TReportParameters{});
        }
        if (owned)
            shown = owned.get();
        const bool wasVisible = shown->isVisible();
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        QTRY_COMPARE(ServerTitle(shown->winId()), title);
        if (!wasVisible)
            shown->hide();
    }

    // A damaged catalogue: the error box is centred on the main window and
    // carries the program's title, the Russian first line and the engine's
    // text; it is at least as wide as its caption needs.
    void catalogueErrorBoxSitsOnItsWindow() {
        TForm1* window = form1();
        const QString catalogue = QDir::current().filePath(QStringLiteral("database.mdb"));
        QFile damaged(catalogue);
        QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write(QByteArray(4096, '\x5a'));
        damaged.close();
        auto* group = find<QComboBox>(window, "suiComboBox1");
        group->setCurrentIndex(0);
        emit group->activated(0);
        const char* fields[] = {"DBAdvMaskEdit1", "DBAdvMaskEdit2", "DBAdvMaskEdit3",
                                "DBAdvMaskEdit4", "DBAdvMaskEdit5", "DBAdvMaskEdit6"};
        const QStringList values = {QStringLiteral("10"), QStringLiteral("100"),
                                    QStringLiteral("10"), QStringLiteral("2000"),
                                    QStringLiteral("10"), QStringLiteral("50")};
        for (int i = 0; i < 6; ++i)
            find<QLineEdit>(window, fields[i])->setText(values[i]);

        SetMessageBoxes(nullptr);
        QRect box, main;
        QString title, text;
        QTimer::singleShot(0, this, [&] {
            QMessageBox* shown = nullptr;
            if (!QTest::qWaitFor([&] {
                    shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                    return shown && shown->windowHandle() && shown->windowHandle()->isExposed();
                }))
                return;
            // Let the window manager finish placing it.
            QRect last;
            (void)QTest::qWaitFor([&] {
                const QRect now = ServerGeometry(shown->winId());
                const bool still = now == last;
                last = now;
                return still;
            });
            box = last;
            main = ServerGeometry(window->winId());
            title = ServerTitle(shown->winId());
            text = shown->text();
            const QString shotFolder = qEnvironmentVariable("ZIRS_SHOTS");
            if (!shotFolder.isEmpty())
                window->screen()->grabWindow(0).save(shotFolder + QStringLiteral("/error_box.png"));
            shown->accept();
        });
        find<QPushButton>(window, "suiButton1")->click();
        SetMessageBoxes(&m_recordedBoxes);
        for (const char* field : fields)
            find<QLineEdit>(window, field)->clear();
        QFile::remove(catalogue);
        QVERIFY(QFile::copy(QStringLiteral(ZIRS_BUILT_CATALOGUE), catalogue));

        QVERIFY(box.isValid());
        QCOMPARE(title, ProgramTitle);
        QVERIFY2(
            text.startsWith(QStringLiteral("Не удалось прочитать базу данных «database.mdb».\n")),
            qPrintable(text));
        QVERIFY(text.section(QLatin1Char('\n'), 1).size() > 0);
        // Centred; the box's client area lies lower than its frame's centre
        // by up to the height of the window manager's title bar.
        QVERIFY2(
            std::abs(box.center().x() - main.center().x()) <= 2 &&
                box.center().y() >= main.center().y() - 2 &&
                box.center().y() <= main.center().y() + 24,
            qPrintable(Describe(box.center()) + QStringLiteral(" vs ") + Describe(main.center())));
        QVERIFY(box.width() >= 300);
    }

    // Enter and keypad Enter on the focused search button run a search: with
    // nothing entered it ends with its first message.
    void enterPressesTheFocusedButton_data() {
        QTest::addColumn<QString>("key");
        QTest::newRow("Enter") << QStringLiteral("Return");
        QTest::newRow("keypad Enter") << QStringLiteral("KP_Enter");
    }

    void enterPressesTheFocusedButton() {
        QFETCH(QString, key);
        TForm1* window = form1();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto* search = find<QPushButton>(window, "suiButton1");
        search->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(search->hasFocus());
        m_messages.clear();
        QVERIFY(PressKey(key));
        QTRY_COMPARE(m_messages.size(), 1);
    }

    // The border resizes the window also where a control lies under it: the
    // right edge beside the menu bar, the bottom-right corner.
    void resizingFromTheBorderOverAControl_data() {
        QTest::addColumn<QPoint>("grab");
        QTest::addColumn<QSize>("growth");
        QTest::addColumn<QString>("underneath"); // the control under the grabbed point
        const QPoint rightEdge(TForm1::ClientWidth - 2, SkinnedWindow::TitleBarHeight + 10);
        QTest::newRow("right edge over the menu bar")
            << rightEdge << QSize(30, 0) << QStringLiteral("menuBar");
        QTest::newRow("right edge over the title bar")
            << QPoint(TForm1::ClientWidth - 2, 12) << QSize(25, 0) << QStringLiteral("titleBar");
        QTest::newRow("bottom-right corner")
            << QPoint(TForm1::ClientWidth - 2, TForm1::ClientHeight - 2) << QSize(30, 20)
            << QString();
    }

    void resizingFromTheBorderOverAControl() {
        QFETCH(QPoint, grab);
        QFETCH(QSize, growth);
        QFETCH(QString, underneath);
        TForm1* window = form1();
        window->resize(TForm1::ClientWidth, TForm1::ClientHeight);
        QTRY_COMPARE(ServerGeometry(window->winId()).size(),
                     QSize(TForm1::ClientWidth, TForm1::ClientHeight));
        expectQtAgreesWithServer(window);
        if (QTest::currentTestFailed())
            return;
        if (!underneath.isEmpty()) {
            auto* control = window->findChild<QWidget*>(underneath);
            QVERIFY(control);
            QVERIFY(QRect(control->mapTo(window, QPoint(0, 0)), control->size()).contains(grab));
        }
        const QRect start = ServerGeometry(window->winId());
        const QPoint from = start.topLeft() + grab;
        QVERIFY(PressButton(from));
        for (int step = 1; step <= 3; ++step)
            QVERIFY(MovePointer(from + QPoint(growth.width(), growth.height()) * step / 3));
        QVERIFY(ReleaseButton());
        QTRY_COMPARE(ServerGeometry(window->winId()).size(), start.size() + growth);
        QCOMPARE(ServerGeometry(window->winId()).topLeft(), start.topLeft());
    }
};

QTEST_MAIN(TestDesktopWindows)
#include "tst_desktop_windows.moc"
