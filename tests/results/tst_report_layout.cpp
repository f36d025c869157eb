// The report template and how it is laid out: the items of both pages, the
// PDF's text at the template's places, clipping and the page count.

#include "report/report_pdf.h"
#include "report/report_renderer.h"
#include "report/report_template.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr double PointsPerCentimetre = 72.0 / 2.54;
constexpr double Tolerance = 0.05; // cm

const TReportItem* FindItem(const TReportPage& page, const QString& name) {
    for (const TReportItem& item : page.Items) {
        if (item.Name == name)
            return &item;
    }
    return nullptr;
}

struct PdfWord {
    double Left, Top, Right; // cm
    QString Text;
};

// The words of each page with their boxes, as poppler reads them back.
std::vector<std::vector<PdfWord>> ReadPdfWords(const QString& pdfPath) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    process.waitForFinished();
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    std::vector<std::vector<PdfWord>> pages;
    static const QRegularExpression element(
        QStringLiteral("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"[\\d.]+\">([^<]*)</word>"));
    for (auto match = element.globalMatch(html); match.hasNext();) {
        const auto found = match.next();
        if (found.captured(0).startsWith(QLatin1String("<page"))) {
            pages.emplace_back();
            continue;
        }
        pages.back().push_back({found.captured(1).toDouble() / PointsPerCentimetre,
                                found.captured(2).toDouble() / PointsPerCentimetre,
                                found.captured(3).toDouble() / PointsPerCentimetre,
                                found.captured(4)});
    }
    return pages;
}

// Which word on the page lies nearest to (x, y) and reads `text`.
const PdfWord* NearestWord(const std::vector<PdfWord>& words, const QString& text, double x,
                           double y, bool byRightEdge) {
    const PdfWord* best = nullptr;
    double bestDistance = 1e9;
    for (const PdfWord& word : words) {
        if (word.Text != text)
            continue;
        const double dx = (byRightEdge ? word.Right : word.Left) - x;
        const double distance = std::hypot(dx, word.Top - y);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = &word;
        }
    }
    return best;
}

TReportParameters SampleParameters() {
    TReportParameters parameters;
    parameters.set("1variant", QStringLiteral("Ремонт с применением наплавляемых материалов"));
    parameters.set("1tehn", QStringLiteral("Очистка; огрунтовка; наплавление"));
    parameters.set("1kriterii", QStringLiteral("0,563"));
    parameters.set("uklon", QStringLiteral("12,5"));
    parameters.set("obem", QStringLiteral("300"));
    parameters.set("tolschina", QStringLiteral("40"));
    parameters.set("stoimost", QStringLiteral("1000"));
    parameters.set("temperatura", QStringLiteral("-5"));
    parameters.set("iznos", QStringLiteral("60"));
    parameters.set("sovokupkr", QStringLiteral("применена полная совокупность локальных "
                                               "критериев, в том числе:"));
    parameters.set("variants", QStringLiteral("Указанным условиям удовлетворяют 5 из 21 "
                                              "известного варианта технологии ремонта "
                                              "многослойных"));
    parameters.set("adres", QStringLiteral("Москва, ул. Строителей, 12"));
    parameters.set("data", QStringLiteral("Дата составления отчета: 09.03.2024"));
    parameters.set("vnukriterii", QStringLiteral("стоимость ремонта кровли.\r\n \r\nВывод.\r\n"));
    return parameters;
}

// Dark pixels inside a rectangle given in centimetres.
int DarkPixels(const QImage& image, double left, double top, double right, double bottom) {
    const double dotsPerCm = image.dotsPerMeterX() / 100.0;
    int count = 0;
    for (int y = int(top * dotsPerCm); y < int(bottom * dotsPerCm); ++y) {
        for (int x = int(left * dotsPerCm); x < int(right * dotsPerCm); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                ++count;
        }
    }
    return count;
}

QImage RenderPage(int pageIndex, const TReportParameters& parameters) {
    const int dotsPerMetre = 300 * 10000 / 254;
    QImage image(int(21.0 * dotsPerMetre / 100), int(29.7 * dotsPerMetre / 100),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    RenderReportPage(painter, BuiltInReportTemplate().Pages.at(pageIndex), parameters);
    return image;
}

} // namespace

class TestReportLayout : public QObject {
    Q_OBJECT
private slots:
    void templateShape();
    void itemPlaces_data();
    void itemPlaces();
    void fixedTextsFitTheirItems();
    void pdfTextAtTemplatePlaces();
    void longTextsStayInsideTheirItems();
    void unwritablePdfReportsFailure();
};

void TestReportLayout::templateShape() {
    const TReportTemplate& report = BuiltInReportTemplate();
    QCOMPARE(report.ReportName, QStringLiteral("Report1"));
    QCOMPARE(int(report.Pages.size()), 2);
    QCOMPARE(report.Pages[0].Name, QStringLiteral("Page1"));
    QCOMPARE(report.Pages[1].Name, QStringLiteral("Page2"));
    QCOMPARE(int(report.Pages[0].Items.size()), 57);
    QCOMPARE(int(report.Pages[1].Items.size()), 6);

    // Every parameter the template shows is one of the report's 23 names.
    QSet<QString> names;
    for (const char* name : ReportParameterNames())
        names.insert(QString::fromLatin1(name));
    int parameterItems = 0;
    for (const TReportPage& page : report.Pages) {
        for (const TReportItem& item : page.Items) {
            if (!item.Parameter.isEmpty()) {
                QVERIFY2(names.contains(item.Parameter), qPrintable(item.Parameter));
                ++parameterItems;
            }
        }
    }
    QCOMPARE(parameterItems, 23);
}

void TestReportLayout::itemPlaces_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QList<double>>("box"); // left, top, width, height
    QTest::addColumn<QString>("face");
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QString>("content");

    const int left = Qt::AlignLeft, centre = Qt::AlignHCenter, right = Qt::AlignRight;
    const QString a = QStringLiteral("Times New Roman CYR"), b = QStringLiteral("Times New Roman");
    const int text = int(TReportItemKind::Text), memo = int(TReportItemKind::Memo),
              ptext = int(TReportItemKind::ParameterText),
              pmemo = int(TReportItemKind::ParameterMemo),
              hline = int(TReportItemKind::HorizontalLine),
              vline = int(TReportItemKind::VerticalLine);

    QTest::newRow("Text1") << 0 << "Text1" << text << QList<double>{9.63, 2.10, 1.94, 0} << a
                           << 13.0 << true << left << "ОТЧЕТ";
    QTest::newRow("Memo1")
        << 0 << "Memo1" << memo << QList<double>{4.39, 2.76, 12.92, 1.28} << a << 13.0 << true
        << centre
        << "о результатах автоматизированного поиска оптимального\r\nварианта технологии "
           "ремонта многослойной кровли";
    QTest::newRow("DataText5") << 0 << "DataText5" << ptext << QList<double>{7.40, 4.00, 12.74, 0}
                               << a << 12.0 << false << left << "adres";
    QTest::newRow("Text8") << 0 << "Text8" << text << QList<double>{1.23, 6.40, 3.34, 0} << a
                           << 12.0 << false << left << "Уклон кровли, %  ";
    QTest::newRow("Text24") << 0 << "Text24" << text << QList<double>{13.33, 6.90, 0.24, 0} << a
                            << 10.0 << false << left << "2";
    QTest::newRow("Text9") << 0 << "Text9" << text << QList<double>{11.13, 7.00, 7.84, 0} << a
                           << 12.0 << false << left << "ремонта 1 м   кровли, руб";
    QTest::newRow("Text25") << 0 << "Text25" << text << QList<double>{17.67, 7.50, 0.24, 0} << a
                            << 10.0 << false << left << "о";
    QTest::newRow("Text6") << 0 << "Text6" << text << QList<double>{11.13, 7.60, 7.44, 0} << a
                           << 12.0 << false << left << "Температура атмосферного воздуха,  С ";
    QTest::newRow("DataText12") << 0 << "DataText12" << ptext << QList<double>{18.60, 8.20, 1.70, 0}
                                << a << 12.0 << true << left << "iznos";
    QTest::newRow("VLine5") << 0 << "VLine5" << vline << QList<double>{17.80, 11.40, 0, 15.64} << ""
                            << 0.0 << false << left << "";
    QTest::newRow("Memo2") << 0 << "Memo2" << memo << QList<double>{17.90, 11.50, 2.32, 1.48} << b
                           << 11.0 << false << left
                           << "Глобальный \r\nкритерий эф-\r\nфективности ";
    QTest::newRow("DataMemo2") << 0 << "DataMemo2" << pmemo
                               << QList<double>{2.25, 16.60, 7.62, 3.28} << b << 11.0 << false
                               << left << "2variant";
    QTest::newRow("DataText3") << 0 << "DataText3" << ptext << QList<double>{18.00, 20.10, 2.14, 0}
                               << b << 11.0 << false << centre << "3kriterii";
    QTest::newRow("HLine5") << 0 << "HLine5" << hline << QList<double>{1.00, 23.50, 19.24, 0} << ""
                            << 0.0 << false << left << "";
    QTest::newRow("Text22") << 0 << "Text22" << text << QList<double>{1.08, 23.60, 1.24, 0} << b
                            << 11.0 << false << centre << "4";
    QTest::newRow("DataText4") << 0 << "DataText4" << ptext << QList<double>{18.00, 23.70, 2.24, 0}
                               << b << 11.0 << false << centre << "4kriterii";
    QTest::newRow("Page1 Text15") << 0 << "Text15" << text << QList<double>{17.33, 27.10, 2.94, 0}
                                  << a << 12.0 << false << left << "Страница 1 из 2";
    QTest::newRow("Page2 Text2") << 1 << "Text2" << text << QList<double>{2.03, 2.00, 18.24, 0} << a
                                 << 12.0 << false << left
                                 << "        3. При комплексной оценке эффективности сравниваемых "
                                    "вариантов технологии";
    QTest::newRow("Page2 DataMemo8")
        << 1 << "DataMemo8" << pmemo << QList<double>{2.00, 4.40, 17.02, 14.88} << a << 12.0
        << false << left << "vnukriterii";
    QTest::newRow("Page2 DataText10")
        << 1 << "DataText10" << ptext << QList<double>{9.676, 26.40, 10.0, 0} << a << 12.0 << false
        << right << "data";
    QTest::newRow("Page2 Text15") << 1 << "Text15" << text << QList<double>{16.656, 27.20, 2.94, 0}
                                  << a << 12.0 << false << left << "Страница 2 из 2";
}

void TestReportLayout::itemPlaces() {
    QFETCH(int, page);
    QFETCH(QString, name);
    QFETCH(int, kind);
    QFETCH(QList<double>, box);
    QFETCH(QString, face);
    QFETCH(double, size);
    QFETCH(bool, bold);
    QFETCH(int, alignment);
    QFETCH(QString, content);

    const TReportItem* item = FindItem(BuiltInReportTemplate().Pages.at(page), name);
    QVERIFY(item);
    QCOMPARE(int(item->Kind), kind);
    QCOMPARE(item->Left, box[0]);
    QCOMPARE(item->Top, box[1]);
    QCOMPARE(item->Width, box[2]);
    QCOMPARE(item->Height, box[3]);
    if (!item->isLine()) {
        QCOMPARE(item->FontFace, face);
        QCOMPARE(item->PointSize, size);
        QCOMPARE(item->Bold, bold);
        QCOMPARE(int(item->Alignment), alignment);
        QCOMPARE(item->Parameter.isEmpty() ? item->Text : item->Parameter, content);
    }
    QCOMPARE(item->Underline, name == QLatin1String("DataText5"));
}

// The report's own wording is never clipped, so each fixed line must stay
// within a hair of the width the template gives it.
void TestReportLayout::fixedTextsFitTheirItems() {
    QImage device(10, 10, QImage::Format_RGB32);
    device.setDotsPerMeterX(1200 * 10000 / 254);
    device.setDotsPerMeterY(1200 * 10000 / 254);
    for (const TReportPage& page : BuiltInReportTemplate().Pages) {
        for (const TReportItem& item : page.Items) {
            if (item.Kind != TReportItemKind::Text)
                continue;
            const QFontMetricsF metrics(ReportItemFont(item), &device);
            const double width =
                metrics.horizontalAdvance(item.Text.trimmed()) / device.logicalDpiX() * 2.54;
            QVERIFY2(width <= item.Width + Tolerance, qPrintable(page.Name + "/" + item.Name));
        }
    }
}

void TestReportLayout::pdfTextAtTemplatePlaces() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("Отчет.pdf"));
    const TReportParameters parameters = SampleParameters();
    QString error;
    QVERIFY2(WriteReportPdf(parameters, path, &error), qPrintable(error));

    const auto pages = ReadPdfWords(path);
    QCOMPARE(int(pages.size()), 2);
    const TReportTemplate& report = BuiltInReportTemplate();
    int checked = 0;
    for (int pageIndex = 0; pageIndex < 2; ++pageIndex) {
        for (const TReportItem& item : report.Pages[pageIndex].Items) {
            if (item.isLine())
                continue;
            // The first line of the item as drawn; leading blanks only shift it.
            const QString firstLine = ReportItemText(item, parameters).split("\r\n").first();
            const QStringList words = firstLine.split(' ', Qt::SkipEmptyParts);
            if (words.isEmpty())
                continue;
            const bool leadingBlanks = firstLine.startsWith(' ');
            const bool byRight = item.Alignment == Qt::AlignRight;
            const bool centred = item.Alignment == Qt::AlignHCenter;
            const double expectedX = byRight ? item.Left + item.Width : item.Left;
            const PdfWord* first =
                NearestWord(pages[pageIndex], words.first(), expectedX, item.Top, false);
            const PdfWord* last =
                NearestWord(pages[pageIndex], words.last(), expectedX, item.Top, true);
            const QString where = report.Pages[pageIndex].Name + "/" + item.Name;
            QVERIFY2(first && last, qPrintable(where));
            QVERIFY2(std::abs(first->Top - item.Top) < Tolerance,
                     qPrintable(where + QString(" top %1").arg(first->Top)));
            if (centred) {
                const double middle = (first->Left + last->Right) / 2;
                QVERIFY2(std::abs(middle - (item.Left + item.Width / 2)) < Tolerance,
                         qPrintable(where + QString(" middle %1").arg(middle)));
            } else if (byRight) {
                QVERIFY2(std::abs(last->Right - expectedX) < Tolerance,
                         qPrintable(where + QString(" right %1").arg(last->Right)));
            } else if (!leadingBlanks) {
                QVERIFY2(std::abs(first->Left - item.Left) < Tolerance,
                         qPrintable(where + QString(" left %1").arg(first->Left)));
            }
            ++checked;
        }
    }
    QCOMPARE(checked, 43); // every item with a text, rows 2 to 4 being empty
}

void TestReportLayout::longTextsStayInsideTheirItems() {
    TReportParameters parameters;
    QString longText;
    for (int i = 0; i < 80; ++i)
        longText += QStringLiteral("очень длинное название варианта ");
    parameters.set("1variant", longText);
    parameters.set("1kriterii", QStringLiteral("0,123456789012345"));
    parameters.set("uklon", QStringLiteral("123456789012345678"));
    const QImage page1 = RenderPage(0, parameters);
    // Row 1's name fills its box, but nothing reaches the next row.
    QVERIFY(DarkPixels(page1, 2.3, 13.1, 9.8, 16.4) > 0);
    QCOMPARE(DarkPixels(page1, 2.3, 16.55, 9.8, 20.0), 0);
    // Neither the criterion value nor the slope runs over the rule or the next column.
    QCOMPARE(DarkPixels(page1, 20.33, 13.1, 21.0, 13.7), 0);
    QCOMPARE(DarkPixels(page1, 10.15, 6.3, 11.1, 7.0), 0);

    // A criteria text far longer than its box still leaves a two-page report
    // and nothing under the box but the date line.
    QString criteria;
    for (int i = 0; i < 60; ++i)
        criteria += QStringLiteral("стоимость ремонта кровли;\r\n");
    parameters.set("vnukriterii", criteria);
    QCOMPARE(DarkPixels(RenderPage(1, parameters), 2.0, 19.35, 19.1, 26.3), 0);
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("long.pdf"));
    QVERIFY(WriteReportPdf(parameters, path, nullptr));
    if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QCOMPARE(int(ReadPdfWords(path).size()), 2);
}

void TestReportLayout::unwritablePdfReportsFailure() {
    QTemporaryDir directory;
    QString error;
    QVERIFY(!WriteReportPdf({}, directory.path(), &error));
    QVERIFY(error.contains(directory.path()));
    QVERIFY(!WriteReportPdf({}, directory.filePath("missing/report.pdf"), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!WriteReportPdf({}, QString(), &error));
}

QTEST_MAIN(TestReportLayout)
#include "tst_report_layout.moc"
