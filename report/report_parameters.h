#pragma once
// The named texts of one report and how they are assembled. Everything here
// is plain text: the report shows each value exactly as given and computes
// nothing of its own.

#include "engine/search_result.h"
#include "search/search_inputs.h"

#include <QDate>
#include <QString>

#include <array>
#include <string>
#include <utility>
#include <vector>

struct SearchState;

// Parameter set of one report: names and texts in the order they were set.
// Setting a name again replaces its text in place; an unknown name reads as
// an empty text, as the template shows a parameter that was never set.
class TReportParameters {
public:
    void set(const QString& name, const QString& text);
    QString value(const QString& name) const;
    bool contains(const QString& name) const;
    const std::vector<std::pair<QString, QString>>& entries() const { return m_entries; }
    int size() const { return static_cast<int>(m_entries.size()); }

private:
    std::vector<std::pair<QString, QString>> m_entries;
};

// One data row of the results table as the report reads it.
struct TReportRow {
    QString Name;
    QString Composition;
    QString CriterionText;
};

inline constexpr int ReportRowCount = 4;
using TReportRows = std::array<TReportRow, ReportRowCount>;

// The 23 parameter names in the order they are set.
const std::array<const char*, 23>& ReportParameterNames();

// The criteria text "vnukriterii": the internal headings, the block of the
// external factors when any of them is ticked, the work conditions left out,
// and the conclusion; every line ends with CR LF.
QString BuildCriteriaText(const std::vector<std::string>& internalHeadings,
                          const std::vector<std::string>& externalHeadings,
                          const SearchInputs& currentFields);

// Today's date (or any date) as the report writes it: dd.MM.yyyy, whatever
// the machine's regional settings.
QString ReportDateText(const QDate& date);

// The caption of the criteria group as the main window's list shows it;
// empty when no group is chosen.
QString CriteriaGroupCaption(int criteriaGroup);

// Builds the whole parameter set from its sources. `admissibleCount` is the n
// of the shown result; `dateText` is the date alone (without the label);
// `catalogueCount` the number of variants in the catalogue searched.
TReportParameters BuildReportParameters(const TReportRows& rows, const SearchInputs& currentFields,
                                        int admissibleCount,
                                        const std::vector<std::string>& internalHeadings,
                                        const std::vector<std::string>& externalHeadings,
                                        const QString& dateText,
                                        int catalogueCount = CatalogueSize);

// "Указанным условиям удовлетворяют n из N известного варианта …", the
// adjective and noun after N agreeing with it ("из 24 известных вариантов").
QString SatisfiedVariantsText(int admissibleCount, int catalogueCount);

// The first four places of a result, with the same texts the results table
// shows in its rows (rows beyond the result's rows are empty).
TReportRows ReportRowsFromResult(const TSearchResult& result);

// The report of `result` (its first four places, the same texts as the results
// table's rows, and its n) with the criteria the state applied for it.
TReportParameters BuildReportParametersFromResult(const TSearchResult& result,
                                                  const SearchInputs& currentFields,
                                                  const SearchState& state,
                                                  const QString& dateText);

// The report of the state's shown result, as the print command builds it from
// the results table; used where there is no window (the headless tool).
// With no result in the state the rows are empty and n is 0.
TReportParameters BuildReportParametersFromState(const SearchState& state,
                                                 const SearchInputs& currentFields,
                                                 const QString& dateText);
