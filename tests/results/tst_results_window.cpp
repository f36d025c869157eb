// The results window: its layout, the texts a search result turns into, the
// refill by a later search, the mail link and the print button.

#include "results/results_window.h"
#include "tests/results/result_cells.h"
#include "tests/support/result_builders.h"

#include "results/cell_text.h"

#include "engine/criterion_headings.h"
#include "widgets/contacts.h"

#include <QClipboard>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolTip>
#include <QUrl>
#include <QtTest>

namespace {

// The longest composition of the bundled catalogue's Wald search: eight lines
// of a 280-pixel cell, one more than its 160-pixel row holds.
const QString LongComposition = QStringLiteral(
    "Очистка кровли и срезка вздутий; укладка разделительного слоя из геотекстиля; раскатка "
    "мембраны и механическое крепление к основанию телескопическим крепежом; сварка швов "
    "горячим воздухом; устройство примыканий.");

QFont CellFont() {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(19);
    return font;
}

SearchInputs Request(const QString& address, int subject) {
    SearchInputs inputs;
    inputs.Address = address;
    inputs.Subject = subject;
    return inputs;
}

} // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT

private:
    QString labelText(const TForm4& window, const char* name) {
        auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("<missing>");
    }
    QTableWidget* grid(const TForm4& window) {
        return window.findChild<QTableWidget*>(QStringLiteral("AdvColumnGrid1"));
    }
    QString criterionHeader(const TForm4& window) {
        return grid(window)->horizontalHeaderItem(3)->text();
    }

private slots:
    void layout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("text");
        const QColor title(0x00, 0x00, 0x51);
        const QString firstLine =
            QStringLiteral("Результат поиска оптимального варианта технологии ");
        auto row = [](const char* name, QRect geometry, int size, bool bold, QColor colour,
                      QString text) {
            QTest::newRow(name) << QString::fromLatin1(name) << geometry << size << bold << colour
                                << text;
        };
        row("Label2", {127, 36, 474, 29}, 21, false, Qt::white, firstLine);
        row("Label1", {127, 35, 474, 29}, 21, false, title, firstLine);
        row("Label3", {127, 63, 378, 26}, 21, false, Qt::white,
            QStringLiteral("ремонта многослойной кровли здания "));
        row("Label4", {127, 62, 354, 26}, 21, false, title,
            QStringLiteral("ремонта многослойной кровли здания: "));
        row("Label5", {485, 63, 300, 26}, 19, true, Qt::black, QString());
        row("Label7", {28, 102, 137, 21}, 19, false, Qt::black, QStringLiteral("Субъект поиска: "));
        row("Label8", {171, 102, 157, 22}, 19, true, Qt::black, QString());
        row("Label9", {28, 130, 106, 21}, 19, false, Qt::black, QStringLiteral("Рассмотрен"));
        row("Label15", {133, 130, 21, 19}, 19, true, Qt::black, QStringLiteral("21"));
        row("Label17", {162, 130, 425, 21}, 19, false, Qt::black,
            QStringLiteral("вариант технологии, из них отклонено с учетом "));
        row("Label11", {28, 157, 520, 21}, 19, false, Qt::black,
            QStringLiteral("технического состояния кровли и условий производства работ: "));
        row("Label13", {556, 157, 139, 19}, 19, true, Qt::black, QString());
        row("Label12", {28, 640, 656, 21}, 19, false, Qt::black,
            QStringLiteral(
                "Примечание. На первом месте указан оптимальный вариант технологии ремонта."));
        row("Label14", {28, 675, 271, 21}, 19, false, QColor(0x18, 0x55, 0x6E),
            QStringLiteral("Написать письмо разработчикам."));
    }
    void layout() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        QFETCH(QColor, colour);
        QFETCH(QString, text);
        TForm4 window;
        auto* label = window.findChild<QLabel*>(name);
        QVERIFY(label);
        QCOMPARE(label->parentWidget(), &window);
        QCOMPARE(label->geometry(), geometry);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(label->font().pixelSize(), pixelSize);
        QCOMPARE(label->font().bold(), bold);
        QCOMPARE(label->palette().color(QPalette::WindowText), colour);
        QCOMPARE(label->accessibleDescription(), name);
        // The whole line shows inside its box.
        QVERIFY(QFontMetricsF(label->font()).horizontalAdvance(text.trimmed()) <= geometry.width());
    }

    // The filled labels keep their whole text visible too.
    void filledTextsFit() {
        TForm4 window;
        window.ShowSearchResult(
            SingleResult(), Request(QStringLiteral("пр. Ленина, д. 112, корп. 3"), BuildingOwner));
        for (const char* name : {"Label5", "Label8", "Label13"}) {
            auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
            QVERIFY2(QFontMetricsF(label->font()).horizontalAdvance(label->text()) <=
                         label->width(),
                     name);
        }
    }

    void frameAndControls() {
        TForm4 window;
        QCOMPARE(window.size(), QSize(995, 751));
        QCOMPARE(window.windowTitle(),
                 QStringLiteral("Экспертная автоматизированная система (ЗИРС) \"Тавелин\""));
        QCOMPARE(window.accessibleDescription(), QStringLiteral("TForm4"));
        for (const char* button :
             {"systemMenuButton", "closeButton", "maximiseButton", "minimiseButton"})
            QVERIFY2(window.findChild<QWidget*>(QString::fromLatin1(button)), button);
        QVERIFY(!window.findChild<QMenuBar*>());
        // The shadows lie under their coloured copies.
        const QObjectList& children = window.children();
        QVERIFY(children.indexOf(window.findChild<QLabel*>("Label2")) <
                children.indexOf(window.findChild<QLabel*>("Label1")));
        QVERIFY(children.indexOf(window.findChild<QLabel*>("Label3")) <
                children.indexOf(window.findChild<QLabel*>("Label4")));

        auto* print = window.findChild<QPushButton*>(QStringLiteral("suiButton5"));
        QVERIFY(print);
        QCOMPARE(print->geometry(), QRect(937, 36, 49, 37));
        QCOMPARE(print->toolTip(), QStringLiteral("Приложение"));
        QVERIFY(!print->icon().isNull());
    }

    void gridLook() {
        TForm4 window;
        QTableWidget* table = grid(window);
        QVERIFY(table);
        QCOMPARE(table->geometry(), QRect(87, 201, 781, 399));
        QCOMPARE(table->columnCount(), 4);
        const QStringList headers = {QStringLiteral("  Место"),
                                     QStringLiteral("Допустимые варианты технологии ремонта"),
                                     QStringLiteral("Состав технологического      процесса"),
                                     QStringLiteral("Критерий эффективности (Вальда)")};
        const int widths[] = {65, 280, 280, 137};
        for (int column = 0; column < 4; ++column) {
            QCOMPARE(table->horizontalHeaderItem(column)->text(), headers[column]);
            QCOMPARE(table->columnWidth(column), widths[column]);
        }
        QVERIFY(table->horizontalHeader()->isVisibleTo(table));
        QCOMPARE(table->horizontalHeader()->height(), 75);
        QCOMPARE(table->font().pixelSize(), 19);
        QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(table->wordWrap());
        QCOMPARE(table->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(table->selectionMode(), QAbstractItemView::ContiguousSelection);

        window.ShowSearchResult(RankedResult(3, TResultKind::Wald), Request({}, NoSubject));
        QCOMPARE(table->rowHeight(0), 160);
        QVERIFY(!(table->item(0, 1)->flags() & Qt::ItemIsEditable));
        QCOMPARE(table->item(0, 0)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(table->item(0, 1)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QCOMPARE(table->item(0, 3)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }

    // When the window grows the grid grows between the heading and the note;
    // the note and the mail link keep their distance to the bottom edge, the
    // print button its distance to the right edge; at the laid-out size
    // everything is where it was laid out.
    void layoutFollowsWindowSize_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("grid");
        QTest::addColumn<QRect>("note");
        QTest::addColumn<QRect>("mail");
        QTest::addColumn<QRect>("print");
        QTest::newRow("laid out") << QSize(995, 751) << QRect(87, 201, 781, 399)
                                  << QRect(28, 640, 656, 21) << QRect(28, 675, 271, 21)
                                  << QRect(937, 36, 49, 37);
        QTest::newRow("maximised on 1280 x 1024")
            << QSize(1280, 1024) << QRect(87, 201, 1066, 672) << QRect(28, 913, 656, 21)
            << QRect(28, 948, 271, 21) << QRect(1222, 36, 49, 37);
    }

    void layoutFollowsWindowSize() {
        QFETCH(QSize, size);
        QFETCH(QRect, grid);
        QFETCH(QRect, note);
        QFETCH(QRect, mail);
        QFETCH(QRect, print);
        TForm4 window;
        window.show();
        window.resize(1400, 1100); // away and back: the layout depends on the size only
        window.resize(size);
        QCOMPARE(this->grid(window)->geometry(), grid);
        QCOMPARE(window.findChild<QWidget*>(QStringLiteral("Label12"))->geometry(), note);
        QCOMPARE(window.findChild<QWidget*>(QStringLiteral("Label14"))->geometry(), mail);
        QCOMPARE(window.findChild<QWidget*>(QStringLiteral("suiButton5"))->geometry(), print);
    }

    // A cell shows whole lines only: what does not fit ends its last whole
    // line with "…"; what fits is shown whole.
    void wrapToBox_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("cut");
        QTest::newRow("fits") << QStringLiteral("Очистка кровли; наплавление слоя.") << 275
                              << false;
        QTest::newRow("one line too many") << LongComposition << 275 << true;
        QTest::newRow("a word wider than the cell")
            << QString(60, QChar(0x0416)) << 60 << true; // Ж × 60, no blank to break at
    }

    void wrapToBox() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(bool, cut);
        const int height = 160 - 2 * WrappedCellDelegate::Margin - 1;
        const WrappedText wrapped = WrapToBox(text, CellFont(), width, height);
        const QFontMetrics metrics(CellFont());
        QCOMPARE(wrapped.Cut, cut);
        QVERIFY(!wrapped.Lines.isEmpty());
        QVERIFY(wrapped.Lines.size() * metrics.lineSpacing() <= height);
        for (const QString& line : wrapped.Lines)
            QVERIFY2(metrics.horizontalAdvance(line) <= width, qPrintable(line));
        QCOMPARE(wrapped.Lines.last().endsWith(QChar(0x2026)), cut);
        if (!cut)
            QCOMPARE(wrapped.Lines.join(QLatin1Char(' ')), text);
        else // the shown text is the start of the whole one
            QVERIFY(
                text.simplified()
                    .remove(QLatin1Char(' '))
                    .startsWith(wrapped.Lines.join(QString()).chopped(1).remove(QLatin1Char(' '))));
    }

    // The whole text of a cut cell is one hover away and one copy away.
    void cutCellShowsItsTextInATooltipAndCopies() {
        TSearchResult result = RankedResult(2, TResultKind::Wald);
        result.Ranked[0].ProcessComposition = LongComposition.toStdString();
        TForm4 window;
        window.ShowSearchResult(result, Request({}, NoSubject));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTableWidget* table = grid(window);

        auto tooltipAt = [&](int row, int column) -> QString {
            QToolTip::hideText();
            if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
                return QStringLiteral("<a tool tip stays>");
            const QRect cell = table->visualRect(table->model()->index(row, column));
            QHelpEvent help(QEvent::ToolTip, cell.center(),
                            table->viewport()->mapToGlobal(cell.center()));
            QApplication::sendEvent(table->viewport(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(tooltipAt(0, 2), LongComposition);
        QCOMPARE(tooltipAt(1, 2), QString()); // "Состав 2" fits

        table->setRangeSelected(QTableWidgetSelectionRange(0, 1, 1, 2), true);
        table->setFocus();
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Вариант 1\t") +
                                                           LongComposition +
                                                           QStringLiteral("\nВариант 2\tСостав 2"));
    }

    // A filled label shows a text that fits whole; a longer one is cut after a
    // whole letter with "…" and shown whole in its tool tip.
    void addressFitsOrIsCut_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("cut");
        QTest::newRow("short") << QStringLiteral("ул. Садовая, 5") << false;
        QTest::newRow("long") << QStringLiteral("Санкт-Петербург, Петроградская набережная, д. 7")
                              << true;
    }

    void addressFitsOrIsCut() {
        QFETCH(QString, address);
        QFETCH(bool, cut);
        TForm4 window;
        window.ShowSearchResult(RankedResult(3, TResultKind::Wald), Request(address, NoSubject));
        auto* label = window.findChild<QLabel*>(QStringLiteral("Label5"));
        const QString shown = label->text();
        QVERIFY(QFontMetricsF(label->font()).horizontalAdvance(shown) <= label->width());
        if (!cut) {
            QCOMPARE(shown, address);
            QCOMPARE(label->toolTip(), QString());
            return;
        }
        QVERIFY(shown.endsWith(QChar(0x2026)));
        QVERIFY(address.startsWith(shown.chopped(1)));
        QCOMPARE(label->toolTip(), address);
    }

    void outcome_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("admissible");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("rejected");
        const QString wald = QString::fromUtf8(WaldHeading);
        const QString laplace = QString::fromUtf8(LaplaceHeading);
        const int w = int(TResultKind::Wald);
        QTest::newRow("single") << int(TResultKind::Single) << 1 << 1
                                << QStringLiteral("Критерий эффективности отсутствует")
                                << QStringLiteral("20 вариантов.");
        QTest::newRow("wald 3") << w << 3 << 3 << wald << QStringLiteral("18 вариантов.");
        QTest::newRow("wald 7") << w << 7 << 5 << wald << QStringLiteral("14 вариантов.");
        QTest::newRow("wald 17") << w << 17 << 5 << wald << QStringLiteral("4 варианта.");
        QTest::newRow("wald 18") << w << 18 << 5 << wald << QStringLiteral("3 варианта.");
        QTest::newRow("wald 19") << w << 19 << 5 << wald << QStringLiteral("2 варианта.");
        QTest::newRow("wald 20") << w << 20 << 5 << wald << QStringLiteral("1 вариантов.");
        QTest::newRow("wald 21") << w << 21 << 5 << wald << QStringLiteral("0 вариантов.");
        QTest::newRow("laplace 2")
            << int(TResultKind::Laplace) << 2 << 2 << laplace << QStringLiteral("19 вариантов.");
    }
    void outcome() {
        QFETCH(int, kind);
        QFETCH(int, admissible);
        QFETCH(int, rows);
        QFETCH(QString, header);
        QFETCH(QString, rejected);
        TForm4 window;
        const TResultKind resultKind = TResultKind(kind);
        const TSearchResult result = resultKind == TResultKind::Single
                                         ? SingleResult()
                                         : RankedResult(admissible, resultKind);
        window.ShowSearchResult(result, Request(QStringLiteral("ул. Садовая, 5"), Designer));

        QTableWidget* table = grid(window);
        QCOMPARE(table->rowCount(), rows);
        QCOMPARE(criterionHeader(window), header);
        QCOMPARE(labelText(window, "Label13"), rejected);
        for (int row = 1; row <= rows; ++row) {
            const auto& ranked = result.Ranked[static_cast<std::size_t>(row - 1)];
            QCOMPARE(table->item(row - 1, 0)->text(), QString::number(row));
            QCOMPARE(ResultCell(window, row, 1), QString::fromStdString(ranked.Name));
            QCOMPARE(ResultCell(window, row, 2), QString::fromStdString(ranked.ProcessComposition));
            QCOMPARE(ResultCell(window, row, 3), QString::fromStdString(ranked.CriterionText));
        }
        QCOMPARE(ResultCell(window, rows + 1, 1), QString());
        if (resultKind == TResultKind::Single)
            QCOMPARE(ResultCell(window, 1, 3), QString());
        QCOMPARE(labelText(window, "Label5"), QStringLiteral("ул. Садовая, 5"));
        QVERIFY(window.isVisible());
        QVERIFY(!window.isModal());
        QCOMPARE(table->verticalScrollBar()->value(), 0);
    }

    void subjectAndAddress_data() {
        QTest::addColumn<int>("subject");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("subjectText");
        QTest::addColumn<QString>("addressText");
        QTest::newRow("no subject, no address")
            << int(NoSubject) << QString() << QStringLiteral("не указан.")
            << QStringLiteral("адрес не указан");
        QTest::newRow("owner") << int(BuildingOwner) << QStringLiteral("Дом 1")
                               << QStringLiteral("владелец здания.") << QStringLiteral("Дом 1");
        QTest::newRow("contractor") << int(Contractor) << QStringLiteral(" ")
                                    << QStringLiteral("подрядчик.") << QStringLiteral(" ");
        QTest::newRow("designer") << int(Designer) << QStringLiteral("Школа №3")
                                  << QStringLiteral("проектировщик.") << QStringLiteral("Школа №3");
    }
    void subjectAndAddress() {
        QFETCH(int, subject);
        QFETCH(QString, address);
        QFETCH(QString, subjectText);
        QFETCH(QString, addressText);
        TForm4 window;
        window.ShowSearchResult(SingleResult(), Request(address, subject));
        QCOMPARE(labelText(window, "Label8"), subjectText);
        QCOMPARE(labelText(window, "Label5"), addressText);
    }

    // A second search refills the open window: rows the first one left behind
    // are neither shown nor read by the report.
    void refillHidesEarlierRows() {
        TForm4 window;
        window.ShowSearchResult(RankedResult(5, TResultKind::Wald),
                                Request(QStringLiteral("A"), Designer));
        QCOMPARE(ResultCell(window, 4, 1), QStringLiteral("Вариант 4"));
        TSearchResult second = RankedResult(2, TResultKind::Laplace);
        second.Ranked[0].Name = "Другой";
        window.ShowSearchResult(second, Request({}, NoSubject));
        QVERIFY(window.isVisible());
        QCOMPARE(grid(window)->rowCount(), 2);
        QCOMPARE(ResultCell(window, 1, 1), QStringLiteral("Другой"));
        for (int row = 3; row <= 5; ++row)
            for (int column = 1; column <= 3; ++column)
                QCOMPARE(ResultCell(window, row, column), QString());
        QCOMPARE(criterionHeader(window), QString::fromUtf8(LaplaceHeading));
        QCOMPARE(labelText(window, "Label5"), QStringLiteral("адрес не указан"));
        QCOMPARE(labelText(window, "Label13"), QStringLiteral("19 вариантов."));
    }

    // Closing only hides; the next result shows the window again.
    void reshownAfterClose() {
        TForm4 window;
        window.ShowSearchResult(SingleResult(), Request({}, NoSubject));
        window.close();
        QVERIFY(!window.isVisible());
        window.ShowSearchResult(RankedResult(3, TResultKind::Wald), Request({}, NoSubject));
        QVERIFY(window.isVisible());
        QCOMPARE(grid(window)->rowCount(), 3);
    }

    void centredOnOwner() {
        QWidget owner;
        owner.setGeometry(100, 80, 1200, 900);
        owner.show();
        TForm4 window(&owner);
        window.ShowSearchResult(SingleResult(), Request({}, NoSubject));
        QCOMPARE(window.frameGeometry().center(), owner.frameGeometry().center());
    }

    void mailLink() {
        TForm4 window;
        QList<QUrl> opened;
        window.openUrl = [&](const QUrl& url) { opened.append(url); };
        window.show();
        auto* link = window.findChild<LinkLabel*>(QStringLiteral("Label14"));
        QVERIFY(link);
        QVERIFY(link->font().underline());
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);

        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(link, &enter);
        QCOMPARE(link->textColour(), QColor(0x00, 0x00, 0xFF));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(link, &leave);
        QCOMPARE(link->textColour(), QColor(0x18, 0x55, 0x6E));

        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("mailto:") + DevelopersMailbox)});
        QVERIFY(window.isVisible());
    }

    void printButtonRunsReport() {
        TForm4 window;
        auto* print = window.findChild<QPushButton*>(QStringLiteral("suiButton5"));
        QTest::mouseClick(print, Qt::LeftButton); // nothing wired: nothing happens
        int printed = 0;
        window.onPrint = [&] { ++printed; };
        QTest::mouseClick(print, Qt::LeftButton);
        QCOMPARE(printed, 1);
    }
};

QTEST_MAIN(ResultsWindowTest)
#include "tst_results_window.moc"
