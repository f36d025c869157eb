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

inline constexpr int ReportRowCount = 4;

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

// The one report of a search: the first four places of the state's result
// with the texts the results table shows (one row for a single variant,
// min(n, 5) rows otherwise; the others empty), its n, the criteria the search
// behind it applied, the fields and ticks as they stand now and the date
// (without its label). With no result in the state the rows are empty and n
// is 0. The results window's print command and zirs-search's report both use
// it.
TReportParameters BuildReportParameters(const SearchState& state, const SearchInputs& currentFields,
                                        const QString& dateText);

// "Указанным условиям удовлетворяют n из N известного варианта …", the
// adjective and noun after N agreeing with it ("из 24 известных вариантов").
QString SatisfiedVariantsText(int admissibleCount, int catalogueCount);
