#include "results/report_preview.h"

#include "report/report_pdf.h"
#include "report/report_renderer.h"
#include "results/report_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QStandardPaths>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString GeneratingPattern = QStringLiteral("Generating page %p");
const QString PrintingPattern = QStringLiteral("Печать страницы %p");

QAction* AddAction(QToolBar* bar, const QString& name, const QString& text,
                   const QKeySequence& shortcut = {}) {
    QAction* action = bar->addAction(text);
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QString DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

QString SuggestedPdfPath(const QString& folder) {
    return QDir(folder).filePath(DefaultReportFileName(ReportDateText(QDate::currentDate())));
}

} // namespace

ReportStatusWindow::ReportStatusWindow(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint), m_label(new QLabel(this)) {
    setObjectName(QStringLiteral("ReportStatus"));
    setWindowTitle(QStringLiteral("Report Status"));
    m_label->setObjectName(QStringLiteral("statusLabel"));
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setMinimumWidth(220);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
}

void ReportStatusWindow::showPage(const QString& pattern, int page) {
    QString text = pattern;
    text.replace(QStringLiteral("%p"), QString::number(page));
    m_label->setText(text);
    CurrentReportDialogs().statusChanged(text);
    if (!isVisible())
        show();
    // Let the window paint before the page is drawn; user input waits.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

ReportPreview::ReportPreview(const TReportTemplate& report, const TReportParameters& parameters,
                             QWidget* parent)
    : QDialog(parent), m_report(report), m_parameters(parameters),
      m_printer(QPrinter::HighResolution), m_status(new ReportStatusWindow(this)) {
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(QStringLiteral("Report Preview"));
    setModal(true);
    resize(995, 751);

    // The sheet is A4 and the items are placed from its corner.
    PrepareReportDevice(m_printer);
    m_printer.setFullPage(true);
    m_printer.setDocName(QStringLiteral("Отчет ЗИРС"));

    m_view = new QPrintPreviewWidget(&m_printer, this);
    m_view->setObjectName(QStringLiteral("previewView"));
    m_view->setViewMode(QPrintPreviewWidget::SinglePageView);
    m_view->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_view->setZoomFactor(1.0);
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, &ReportPreview::layOutPages);

    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("previewToolBar"));
    connect(AddAction(bar, QStringLiteral("printAction"), QStringLiteral("Печать..."),
                      QKeySequence::Print),
            &QAction::triggered, this, &ReportPreview::print);
    connect(
        AddAction(bar, QStringLiteral("pageSetupAction"), QStringLiteral("Параметры страницы...")),
        &QAction::triggered, this, &ReportPreview::setUpPage);
    connect(AddAction(bar, QStringLiteral("saveAction"), QStringLiteral("Сохранить в PDF..."),
                      QKeySequence::Save),
            &QAction::triggered, this, &ReportPreview::saveAsPdf);
    bar->addSeparator();
    connect(AddAction(bar, QStringLiteral("firstPageAction"), QStringLiteral("|<")),
            &QAction::triggered, m_view, [this] { m_view->setCurrentPage(1); });
    connect(AddAction(bar, QStringLiteral("previousPageAction"), QStringLiteral("<")),
            &QAction::triggered, m_view,
            [this] { m_view->setCurrentPage(m_view->currentPage() - 1); });
    connect(AddAction(bar, QStringLiteral("nextPageAction"), QStringLiteral(">")),
            &QAction::triggered, m_view,
            [this] { m_view->setCurrentPage(m_view->currentPage() + 1); });
    connect(AddAction(bar, QStringLiteral("lastPageAction"), QStringLiteral(">|")),
            &QAction::triggered, m_view, [this] { m_view->setCurrentPage(m_view->pageCount()); });
    bar->addSeparator();
    connect(
        AddAction(bar, QStringLiteral("zoomInAction"), QStringLiteral("+"), QKeySequence::ZoomIn),
        &QAction::triggered, m_view, [this] { m_view->zoomIn(); });
    connect(
        AddAction(bar, QStringLiteral("zoomOutAction"), QStringLiteral("−"), QKeySequence::ZoomOut),
        &QAction::triggered, m_view, [this] { m_view->zoomOut(); });
    connect(AddAction(bar, QStringLiteral("actualSizeAction"), QStringLiteral("100 %")),
            &QAction::triggered, m_view, [this] {
                m_view->setZoomMode(QPrintPreviewWidget::CustomZoom);
                m_view->setZoomFactor(1.0);
            });
    connect(AddAction(bar, QStringLiteral("fitWidthAction"), QStringLiteral("По ширине")),
            &QAction::triggered, m_view, [this] { m_view->fitToWidth(); });
    connect(AddAction(bar, QStringLiteral("wholePageAction"), QStringLiteral("Вся страница")),
            &QAction::triggered, m_view, [this] { m_view->fitInView(); });
    bar->addSeparator();
    connect(AddAction(bar, QStringLiteral("closeAction"), QStringLiteral("Закрыть")),
            &QAction::triggered, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_view, 1);
}

void ReportPreview::layOutPages(QPrinter* printer) {
    QPainter painter(printer);
    RenderReport(painter, *printer, m_report, m_parameters,
                 [this](int page) { m_status->showPage(GeneratingPattern, page); });
    painter.end();
    m_status->hide();
}

void ReportPreview::print() {
    ReportDialogs& dialogs = CurrentReportDialogs();
    if (!dialogs.choosePrinter(m_printer, this))
        return;
    if (m_printer.outputFormat() == QPrinter::PdfFormat) {
        printToPdf(m_printer.outputFileName());
        return;
    }
    QPainter painter;
    if (!painter.begin(&m_printer)) {
        dialogs.showError(this, QStringLiteral("Не удалось начать печать на принтере \"%1\".")
                                    .arg(m_printer.printerName()));
        return;
    }
    RenderReport(painter, m_printer, m_report, m_parameters,
                 [this](int page) { m_status->showPage(PrintingPattern, page); });
    painter.end();
    m_status->hide();
}

void ReportPreview::printToPdf(const QString& outputPath) {
    QString path = outputPath;
    const QFileInfo target(outputPath);
    if (outputPath.isEmpty() || target.isDir()) {
        const QString folder = outputPath.isEmpty() ? DocumentsFolder() : target.absoluteFilePath();
        path = CurrentReportDialogs().choosePdfFile(this, SuggestedPdfPath(folder));
        if (path.isEmpty())
            return;
    }
    writePdf(path, PrintingPattern);
}

void ReportPreview::setUpPage() {
    if (CurrentReportDialogs().setUpPage(m_printer, this))
        m_view->updatePreview();
}

void ReportPreview::saveAsPdf() {
    const QString path =
        CurrentReportDialogs().choosePdfFile(this, SuggestedPdfPath(DocumentsFolder()));
    if (!path.isEmpty())
        writePdf(path, GeneratingPattern);
}

bool ReportPreview::writePdf(const QString& chosenPath, const QString& statusPattern) {
    // A name typed without an extension still makes a file readers know.
    QString path = chosenPath;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    QString error;
    const bool written = WriteReportPdf(m_parameters, path, &error,
                                        [&](int page) { m_status->showPage(statusPattern, page); });
    m_status->hide();
    if (!written)
        CurrentReportDialogs().showError(this, error);
    return written;
}

void RunReport(const QString& reportName, const TReportParameters& parameters, QWidget* parent) {
    const TReportTemplate& report = BuiltInReportTemplate();
    if (report.ReportName != reportName) {
        CurrentReportDialogs().showError(parent,
                                         QStringLiteral("Отчет \"%1\" не найден.").arg(reportName));
        return;
    }
    ReportPreview preview(report, parameters, parent);
    preview.exec();
}
