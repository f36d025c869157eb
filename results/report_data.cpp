#include "results/report_data.h"

#include "report/report_parameters.h"
#include "results/report_preview.h"
#include "results/results_window.h"
#include "search/search.h"

#include <QDate>

void PrintReport(const TForm4& results, const SearchInputs& currentFields, const SearchState& state,
                 QWidget* parent) {
    // The rows come from the table as the window shows it; a row the last
    // result did not fill reads as empty.
    TReportRows rows;
    for (int row = 1; row <= ReportRowCount; ++row) {
        rows[row - 1].Name = results.resultCell(row, 1);
        rows[row - 1].Composition = results.resultCell(row, 2);
        rows[row - 1].CriterionText = results.resultCell(row, 3);
    }
    const int admissibleCount = state.Result ? state.Result->AdmissibleCount : 0;
    const int catalogueCount = state.Result ? state.Result->CatalogueCount : CatalogueSize;
    const TReportParameters parameters =
        BuildReportParameters(rows, currentFields, admissibleCount, state.AppliedInternalHeadings,
                              state.AppliedExternalHeadings, ReportDateText(QDate::currentDate()),
                              catalogueCount);
    RunReport(QStringLiteral("Report1"), parameters, parent);
}
