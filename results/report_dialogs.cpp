#include "results/report_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

bool ReportDialogs::choosePrinter(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setMinMax(1, 2);
    return dialog.exec() == QDialog::Accepted;
}

bool ReportDialogs::setUpPage(QPrinter& printer, QWidget* parent) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QString ReportDialogs::choosePdfFile(QWidget* parent, const QString& suggestedPath) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Сохранить отчет"), suggestedPath,
                                        QStringLiteral("Документ PDF (*.pdf)"));
}

void ReportDialogs::showError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QStringLiteral("Report Preview"), text);
}

void ReportDialogs::statusChanged(const QString&) {}

namespace {
ReportDialogs* g_override = nullptr;
}

ReportDialogs& CurrentReportDialogs() {
    static ReportDialogs toolkitDialogs;
    return g_override ? *g_override : toolkitDialogs;
}

void SetReportDialogs(ReportDialogs* dialogs) {
    g_override = dialogs;
}
