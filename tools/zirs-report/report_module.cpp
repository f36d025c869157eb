#include "report/report_module.h"

#include "report/report_parameters.h"
#include "report/report_pdf.h"

#include <QDate>
#include <QGuiApplication>

extern "C" Q_DECL_EXPORT bool
ZirsWriteSearchReport(int& argc, char** argv, const SearchInputs& inputs, const SearchState& state,
                      const QString& dateText, const QString& path, QString* error) {
    if (!state.Result) {
        if (error)
            *error = QStringLiteral("no result to report");
        return false;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString date = dateText.isEmpty() ? ReportDateText(QDate::currentDate()) : dateText;
    return WriteReportPdf(BuildReportParameters(state, inputs, date), path, error);
}
