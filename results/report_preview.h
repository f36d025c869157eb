#pragma once
// The report's modal preview "Report Preview": both pages at 100 % zoom, with
// printing (printer, copies, collation, duplex, page set-up) and saving to
// PDF, and the status window that follows the pages being laid out.

#include "report/report_parameters.h"
#include "report/report_template.h"

#include <QDialog>
#include <QLabel>
#include <QPrinter>

class QPrintPreviewWidget;

// A small window titled "Report Status" that names the page in hand.
class ReportStatusWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReportStatusWindow(QWidget* parent);
    // `pattern` carries %p where the page number goes.
    void showPage(const QString& pattern, int page);
    QString text() const { return m_label->text(); }

private:
    QLabel* m_label;
};

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    ReportPreview(const TReportTemplate& report, const TReportParameters& parameters,
                  QWidget* parent = nullptr);

    const TReportParameters& parameters() const { return m_parameters; }
    QPrintPreviewWidget* view() const { return m_view; }

    void print();
    void setUpPage();
    void saveAsPdf();

private:
    void layOutPages(QPrinter* printer);
    // Prints to a PDF file named in the print dialog, or asks for one when the
    // dialog gave none (it then gives the folder, not a file).
    void printToPdf(const QString& outputPath);
    bool writePdf(const QString& chosenPath, const QString& statusPattern);

    const TReportTemplate& m_report;
    TReportParameters m_parameters;
    QPrinter m_printer;
    QPrintPreviewWidget* m_view;
    ReportStatusWindow* m_status;
};

// Lays out the named report with the parameters and shows the preview;
// returns when the preview is closed.
void RunReport(const QString& reportName, const TReportParameters& parameters, QWidget* parent);
