#pragma once
// The dialogs the report preview asks, behind one seam: normally the
// toolkit's printer, page set-up, file and error dialogs; a test installs its
// own answers so no dialog waits for a click.

#include <QString>

class QPrinter;
class QWidget;

class ReportDialogs {
public:
    virtual ~ReportDialogs() = default;
    // Printer, copies, collation, duplex; false when cancelled.
    virtual bool choosePrinter(QPrinter& printer, QWidget* parent);
    // Paper, orientation and margins of the printer; false when cancelled.
    virtual bool setUpPage(QPrinter& printer, QWidget* parent);
    // The PDF file to write, offered with `suggestedPath`; empty when cancelled.
    virtual QString choosePdfFile(QWidget* parent, const QString& suggestedPath);
    virtual void showError(QWidget* parent, const QString& text);
    // Each text of the status window as it changes.
    virtual void statusChanged(const QString& text);
};

// The dialogs in use; SetReportDialogs(nullptr) restores the toolkit's.
ReportDialogs& CurrentReportDialogs();
void SetReportDialogs(ReportDialogs* dialogs);
