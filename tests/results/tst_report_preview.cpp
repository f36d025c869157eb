// The report preview and the print command: the modal preview as it opens,
// saving, printing to a file named or not by the print dialog, the status
// texts, and the report that the results window's print command builds.

#include "results/report_data.h"
#include "results/report_dialogs.h"
#include "results/report_preview.h"
#include "results/results_window.h"
#include "search/search.h"
#include "tests/results/result_cells.h"
#include "tests/support/result_builders.h"

#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Answers every dialog of the preview as told and remembers what it was asked.
class AnsweringDialogs : public ReportDialogs {
public:
    QString pdfAnswer;
    QString printerOutput; // the output path the print dialog hands back
    bool acceptPrinter = true;
    QStringList suggestions;
    QStringList errors;
    QStringList statuses;

    bool choosePrinter(QPrinter& printer, QWidget*) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printerOutput);
        return acceptPrinter;
    }
    bool setUpPage(QPrinter&, QWidget*) override { return true; }
    QString choosePdfFile(QWidget*, const QString& suggestedPath) override {
        suggestions << suggestedPath;
        return pdfAnswer;
    }
    void showError(QWidget*, const QString& text) override { errors << text; }
    void statusChanged(const QString& text) override { statuses << text; }
};

// Runs `inPreview` on the preview once it is open, then closes it.
void WithOpenPreview(const std::function<void()>& openReport,
                     const std::function<void(ReportPreview&)>& inPreview) {
    // The status window lets timers run while the pages are laid out, so wait
    // for the preview to be the modal window before answering it.
    bool reached = false;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* preview = qobject_cast<ReportPreview*>(QApplication::activeModalWidget());
        if (!preview || !preview->isVisible())
            return;
        poll.stop();
        reached = true;
        inPreview(*preview);
        preview->reject();
    });
    poll.start();
    openReport();
    QVERIFY(reached);
}

TReportParameters Parameters() {
    TReportParameters parameters;
    parameters.set("1variant", QStringLiteral("Вариант А"));
    parameters.set("data", QStringLiteral("Дата составления отчета: 01.02.2024"));
    return parameters;
}

} // namespace

class TestReportPreview : public QObject {
    Q_OBJECT
private slots:
    void init() { SetReportDialogs(&m_dialogs); }
    void cleanup() {
        SetReportDialogs(nullptr);
        m_dialogs = AnsweringDialogs();
    }
    void opensModalAtActualSize();
    void savesPdf();
    void printToFileWithoutName_data();
    void printToFileWithoutName();
    void unwritableFileIsReported();
    void cancelledDialogsWriteNothing_data();
    void cancelledDialogsWriteNothing();
    void printCommandReportsShownResult();

private:
    AnsweringDialogs m_dialogs;
};

void TestReportPreview::opensModalAtActualSize() {
    WithOpenPreview([] { RunReport("Report1", Parameters(), nullptr); },
                    [](ReportPreview& preview) {
                        QCOMPARE(preview.windowTitle(), QStringLiteral("Report Preview"));
                        QCOMPARE(preview.size(), QSize(995, 751));
                        QVERIFY(preview.isModal());
                        QCOMPARE(preview.view()->zoomFactor(), 1.0);
                        QTRY_COMPARE(preview.view()->pageCount(), 2);
                    });
    QVERIFY(m_dialogs.statuses.contains("Generating page 1"));
    QVERIFY(m_dialogs.statuses.contains("Generating page 2"));
}

void TestReportPreview::savesPdf() {
    QTemporaryDir directory;
    m_dialogs.pdfAnswer = directory.filePath(QStringLiteral("отчет")); // typed without extension
    WithOpenPreview([] { RunReport("Report1", Parameters(), nullptr); },
                    [](ReportPreview& preview) { preview.saveAsPdf(); });
    QVERIFY(QFileInfo::exists(directory.filePath(QStringLiteral("отчет.pdf"))));
    QCOMPARE(m_dialogs.suggestions.size(), 1);
    QVERIFY(QFileInfo(m_dialogs.suggestions.first()).fileName().startsWith("Отчет ЗИРС "));
    QVERIFY(m_dialogs.suggestions.first().endsWith(".pdf"));
    QVERIFY(m_dialogs.errors.isEmpty());
}

// The print dialog's "print to file" may hand back a folder, or nothing,
// instead of a file name: the preview then asks for the file.
void TestReportPreview::printToFileWithoutName_data() {
    QTest::addColumn<bool>("givesFolder");
    QTest::newRow("folder") << true;
    QTest::newRow("no name") << false;
}

void TestReportPreview::printToFileWithoutName() {
    QFETCH(bool, givesFolder);
    QTemporaryDir directory;
    m_dialogs.printerOutput = givesFolder ? directory.path() : QString();
    m_dialogs.pdfAnswer = directory.filePath(QStringLiteral("печать.pdf"));
    WithOpenPreview([] { RunReport("Report1", Parameters(), nullptr); },
                    [](ReportPreview& preview) { preview.print(); });
    QCOMPARE(m_dialogs.suggestions.size(), 1);
    if (givesFolder)
        QCOMPARE(QFileInfo(m_dialogs.suggestions.first()).absolutePath(), directory.path());
    QVERIFY(QFileInfo(m_dialogs.pdfAnswer).size() > 0);
    QVERIFY(m_dialogs.statuses.contains(QStringLiteral("Печать страницы 2")));
    QVERIFY(m_dialogs.errors.isEmpty());
}

void TestReportPreview::unwritableFileIsReported() {
    QTemporaryDir directory;
    m_dialogs.pdfAnswer = directory.filePath(QStringLiteral("нет/отчет.pdf"));
    WithOpenPreview([] { RunReport("Report1", Parameters(), nullptr); },
                    [](ReportPreview& preview) { preview.saveAsPdf(); });
    QCOMPARE(m_dialogs.errors.size(), 1);
    QVERIFY(m_dialogs.errors.first().contains(m_dialogs.pdfAnswer));
}

// Cancelling the print dialog, the save dialog, or the save dialog the print
// dialog's "print to file" leads to, leaves every folder as it was.
void TestReportPreview::cancelledDialogsWriteNothing_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("printerAccepted");
    QTest::addColumn<QString>("printerOutput"); // relative to the test folder
    QTest::addColumn<int>("saveDialogs");
    QTest::newRow("print dialog cancelled") << "print" << false << "печать.pdf" << 0;
    QTest::newRow("save dialog cancelled") << "save" << true << "" << 1;
    QTest::newRow("print to a folder, save dialog cancelled") << "print" << true << "." << 1;
}

void TestReportPreview::cancelledDialogsWriteNothing() {
    QFETCH(QString, command);
    QFETCH(bool, printerAccepted);
    QFETCH(QString, printerOutput);
    QFETCH(int, saveDialogs);
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    m_dialogs.acceptPrinter = printerAccepted;
    m_dialogs.printerOutput =
        printerOutput.isEmpty() ? QString() : directory.filePath(printerOutput);
    m_dialogs.pdfAnswer.clear(); // every save dialog is cancelled
    WithOpenPreview([] { RunReport("Report1", Parameters(), nullptr); },
                    [&](ReportPreview& preview) {
                        if (command == QLatin1String("print"))
                            preview.print();
                        else
                            preview.saveAsPdf();
                    });
    QCOMPARE(m_dialogs.suggestions.size(), saveDialogs);
    for (const QString& suggestion : m_dialogs.suggestions)
        QVERIFY(!QFileInfo::exists(suggestion));
    QCOMPARE(QDir(directory.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
    QVERIFY(m_dialogs.errors.isEmpty());
    QVERIFY(!m_dialogs.statuses.contains(QStringLiteral("Печать страницы 1")));
}

// The command reports the shown result (its rows as the results table shows
// them, n and the applied criteria) with the fields as they stand now.
void TestReportPreview::printCommandReportsShownResult() {
    const TSearchResult result = RankedResult(2, TResultKind::Laplace);
    SearchState state;
    state.Result = result;
    state.AppliedInternalHeadings = {"Стоимость ремонта кровли"};

    SearchInputs fields;
    fields.CriteriaGroup = FullGroup;
    fields.SlopeText = QStringLiteral("10");
    TForm4 results;
    results.ShowSearchResult(result, fields);
    fields.SlopeText = QStringLiteral("15"); // edited after the search

    TReportParameters shown;
    WithOpenPreview([&] { PrintReport(fields, state, nullptr); },
                    [&](ReportPreview& preview) { shown = preview.parameters(); });
    QCOMPARE(shown.size(), 23);
    QCOMPARE(shown.value("1variant"), QStringLiteral("Вариант 1"));
    QCOMPARE(shown.value("2tehn"), QStringLiteral("Состав 2"));
    QCOMPARE(shown.value("2kriterii"), QStringLiteral("0,52"));
    QVERIFY(shown.value("3variant").isEmpty());
    QCOMPARE(shown.value("uklon"), QStringLiteral("15"));
    QVERIFY(shown.value("variants").contains(QStringLiteral(" 2 из 21 ")));
    QVERIFY(shown.value("vnukriterii").startsWith(QStringLiteral("стоимость ремонта кровли.\r\n")));
    QVERIFY(shown.value("data").startsWith(QStringLiteral("Дата составления отчета: ")));
    for (int row = 1; row <= 4; ++row) {
        QCOMPARE(shown.value(QStringLiteral("%1variant").arg(row)), ResultCell(results, row, 1));
        QCOMPARE(shown.value(QStringLiteral("%1tehn").arg(row)), ResultCell(results, row, 2));
        QCOMPARE(shown.value(QStringLiteral("%1kriterii").arg(row)), ResultCell(results, row, 3));
    }
}

QTEST_MAIN(TestReportPreview)
#include "tst_report_preview.moc"
