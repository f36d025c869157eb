#include "results/report_data.h"

#include "report/report_parameters.h"
#include "results/report_preview.h"
#include "search/search.h"

#include <QDate>

void PrintReport(const SearchInputs& currentFields, const SearchState& state, QWidget* parent) {
    RunReport(QStringLiteral("Report1"),
              BuildReportParameters(state, currentFields, ReportDateText(QDate::currentDate())),
              parent);
}
