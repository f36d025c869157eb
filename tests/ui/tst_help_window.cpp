// The help window: the page as laid out, the modal show that returns on
// "ОК" or the close button, the two links and their hover colours.

#include "ui/help_window.h"

#include "widgets/contacts.h"

#include <QPushButton>
#include <QUrl>
#include <QtTest>

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void page_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        auto row = [](const char* name, QRect geometry, QString text) {
            QTest::newRow(name) << QString::fromLatin1(name) << geometry << text;
        };
        row("ProductName", {414, 61, 84, 20}, QStringLiteral("СПРАВКА"));
        row("Label7", {31, 114, 922, 75}, {});
        row("Label8", {31, 188, 850, 39}, {});
        row("Label9", {31, 244, 914, 86},
            QStringLiteral("ЗИРС предназначена для многокритериального выбора наиболее "
                           "эффективного варианта технологии ремонта многослойных рулонных и "
                           "мастичных кровель с учетом внутренних и внешних факторов, "
                           "характеризующих техническое состояние кровли, условия производства "
                           "ремонтных работ и последующей эксплуатации отремонтированной кровли."));
        row("Label10", {31, 342, 906, 51},
            QStringLiteral("ЗИРС в своей базе данных содержит параметры двадцати известных "
                           "вариантов технологии, в том числе") +
                QString(13, QLatin1Char(' ')) +
                QStringLiteral("с заменой и без замены изношенной кровли, а также с нанесением и "
                               "без нанесения поверх ее ремонтного слоя. "));
        row("Label11", {31, 399, 914, 82},
            QStringLiteral(
                "Алгоритм поиска оптимального варианта технологии, используемый в ЗИРС, основан "
                "на применении современных методов теории нечетких множеств и теории "
                "статистических решений. При этом используются следующие принципы "
                "многокритериальной оптимизации: принцип недостаточного обоснования (по "
                "критерию Лапласа) и принцип гарантированного результата (по критерию Вальда). "));
        row("Label13", {31, 499, 914, 43},
            QStringLiteral("Более подробная информация о сравниваемых вариантах технологии "
                           "ремонта многослойных кровель размещена на сайте  "));
        row("Label12", {31, 554, 922, 44}, {});
        row("label1", {746, 575, 126, 21}, QStringLiteral("разработчикам."));
    }
    void page() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        TForm6 window;
        auto* label = window.findChild<QLabel*>(name);
        QVERIFY(label);
        QCOMPARE(label->parentWidget(), &window);
        QCOMPARE(label->geometry(), geometry);
        QCOMPARE(label->accessibleDescription(), name);
        if (!text.isEmpty())
            QCOMPARE(label->text(), text);
        else
            QVERIFY(!label->text().trimmed().isEmpty());
        QCOMPARE(label->textFormat(), Qt::PlainText);
        if (name == QLatin1String("ProductName")) {
            QCOMPARE(label->font().family(), QStringLiteral("MS Sans Serif"));
            QCOMPARE(label->font().pixelSize(), 16);
            QVERIFY(label->font().bold());
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0x80));
            return;
        }
        QCOMPARE(label->font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(label->font().pixelSize(), 19);
        QVERIFY(!label->font().bold());
        if (name.startsWith(QLatin1String("Label")))
            QVERIFY(label->wordWrap());
    }

    // The site link shows its own address; its box grows so the whole address
    // shows even where it is longer than the box laid out for it.
    void siteLinkShowsAddress() {
        TForm6 window;
        auto* link = window.findChild<LinkLabel*>(QStringLiteral("label2"));
        QVERIFY(link);
        QCOMPARE(link->text(), DevelopersWebSite);
        QCOMPARE(link->pos(), QPoint(194, 521));
        QCOMPARE(link->height(), 21);
        QVERIFY(link->width() >= 112);
        QVERIFY(link->width() >= link->fontMetrics().horizontalAdvance(DevelopersWebSite));
    }

    void frame() {
        TForm6 window;
        QCOMPARE(window.size(), QSize(987, 721));
        QCOMPARE(window.minimumSize(), QSize(107, 36));
        QCOMPARE(window.windowTitle(),
                 QStringLiteral("Экспертная автоматизированная система (ЗИРС) Тавелин"));
        QCOMPARE(window.accessibleDescription(), QStringLiteral("TForm6"));
        QVERIFY(window.findChild<QWidget*>(QStringLiteral("systemMenuButton")));
        QVERIFY(window.findChild<QWidget*>(QStringLiteral("closeButton")));
        QVERIFY(!window.findChild<QWidget*>(QStringLiteral("maximiseButton")));
        QVERIFY(!window.findChild<QWidget*>(QStringLiteral("minimiseButton")));
        auto* ok = window.findChild<QPushButton*>(QStringLiteral("suiButton1"));
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("ОК"));
        QCOMPARE(ok->geometry(), QRect(764, 640, 117, 28));
        QCOMPARE(ok->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(ok->font().pixelSize(), 11);
    }

    void closers_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("ОК") << QStringLiteral("suiButton1");
        QTest::newRow("title-bar close") << QStringLiteral("closeButton");
    }
    // Modal while shown, hidden again by either button, and as often as asked.
    void closers() {
        QFETCH(QString, button);
        TForm6 window;
        for (int showing = 0; showing < 2; ++showing) {
            bool wasModal = false;
            QTimer::singleShot(0, &window, [&] {
                wasModal = window.isVisible() && window.isWindow() &&
                           QApplication::activeModalWidget() == &window;
                QTest::mouseClick(window.findChild<QWidget*>(button), Qt::LeftButton);
            });
            window.showModal();
            QVERIFY(wasModal);
            QVERIFY(!window.isVisible());
        }
    }

    // Only the two closers close the page: Escape and Enter away from the
    // button leave it open.
    void keysLeaveThePageOpen_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }
    void keysLeaveThePageOpen() {
        QFETCH(int, key);
        TForm6 window;
        bool openAfterKey = false;
        QTimer::singleShot(0, &window, [&] {
            QTest::keyClick(&window, Qt::Key(key));
            openAfterKey = window.isVisible();
            window.close();
        });
        window.showModal();
        QVERIFY(openAfterKey);
    }

    void links() {
        TForm6 window;
        QList<QUrl> opened;
        window.openUrl = [&](const QUrl& url) { opened.append(url); };
        window.show();
        QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("label2")), Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>{QUrl(DevelopersWebSite)});
        QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("label1")), Qt::LeftButton);
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened.last(), QUrl(QStringLiteral("mailto:") + DevelopersMailbox));
        QVERIFY(window.isVisible());
        // A press that is let go outside the link is no click.
        auto* mail = window.findChild<QWidget*>(QStringLiteral("label1"));
        QTest::mousePress(mail, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseRelease(mail, Qt::LeftButton, {}, QPoint(-20, 40));
        QCOMPARE(opened.size(), 2);
    }

    void hoverColours_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("site") << QStringLiteral("label2");
        QTest::newRow("mail") << QStringLiteral("label1");
    }
    void hoverColours() {
        QFETCH(QString, name);
        const QColor rest(0x18, 0x55, 0x6E);
        const QColor hover(0x00, 0x00, 0xFF);
        TForm6 window;
        window.show();
        auto* link = window.findChild<LinkLabel*>(name);
        QVERIFY(link);
        QVERIFY(link->font().underline());
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(link->textColour(), rest);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(link, &enter);
        QCOMPARE(link->textColour(), hover);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(link, &leave);
        QCOMPARE(link->textColour(), rest);
        // Closed while the mouse rests on the link: the next showing is at rest.
        QCoreApplication::sendEvent(link, &enter);
        window.close();
        window.show();
        QCOMPARE(link->textColour(), rest);
    }
};

QTEST_MAIN(HelpWindowTest)
#include "tst_help_window.moc"
