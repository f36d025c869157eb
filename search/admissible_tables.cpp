#include "search/admissible_tables.h"

#include "engine/criterion_headings.h"

#include <array>

namespace {

constexpr int FirstCriterionColumn = 3;

template <std::size_t Count, typename ValueOf>
TAdmissibleTable MakeTable(const TCandidateSet& candidates,
                           const std::array<const char*, Count>& headings,
                           const std::array<bool, Count>& active, ValueOf valueOf) {
    TAdmissibleTable table;
    const std::size_t columns = FirstCriterionColumn + Count;
    table.HiddenColumns.assign(columns, false);
    std::vector<std::string> headingRow(columns);
    headingRow[1] = VariantNameHeading;
    headingRow[2] = ProcessCompositionHeading;
    for (std::size_t i = 0; i < Count; ++i) {
        headingRow[FirstCriterionColumn + i] = headings[i];
        table.HiddenColumns[FirstCriterionColumn + i] = !active[i];
    }
    table.Cells.push_back(std::move(headingRow));
    for (const TTechnologyVariant& variant : candidates.Variants) {
        std::vector<std::string> row(columns);
        row[1] = variant.Name;
        row[2] = variant.ProcessComposition;
        for (std::size_t i = 0; i < Count; ++i)
            row[FirstCriterionColumn + i] = valueOf(variant, i);
        table.Cells.push_back(std::move(row));
    }
    return table;
}

} // namespace

TAdmissibleTable InternalAdmissibleTable(const TCandidateSet& candidates) {
    return MakeTable(
        candidates, InternalCriterionHeadings, candidates.ActiveInternal,
        [](const TTechnologyVariant& v, std::size_t i) { return v.InternalValues[i]; });
}

TAdmissibleTable ExternalAdmissibleTable(const TCandidateSet& candidates) {
    return MakeTable(
        candidates, ExternalFactorHeadings, candidates.ActiveExternal,
        [](const TTechnologyVariant& v, std::size_t j) { return v.ExternalValues[j]; });
}
