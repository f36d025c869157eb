#include "engine/normalization.h"

#include "engine/criterion_headings.h"
#include "engine/decimal_text.h"
#include "engine/membership.h"
#include "engine/rounded_value.h"

#include <array>
#include <optional>
#include <vector>

namespace {

// Empties the matrix and gives it one row per variant with its name and
// composition, with room for `columns` cells.
void ResetRows(const TCandidateSet& candidates, std::size_t columns, TNormalizedMatrix& matrix) {
    matrix = TNormalizedMatrix();
    matrix.Rows.reserve(candidates.Variants.size());
    for (const TTechnologyVariant& variant : candidates.Variants) {
        TNormalizedRow row;
        row.Name = variant.Name;
        row.ProcessComposition = variant.ProcessComposition;
        row.Cells.reserve(columns);
        matrix.Rows.push_back(std::move(row));
    }
}

template <std::size_t Count> std::size_t CountActive(const std::array<bool, Count>& active) {
    std::size_t count = 0;
    for (bool flag : active)
        count += flag ? 1 : 0;
    return count;
}

// Text that does not read as a number is a missing value.
template <std::size_t Count>
std::vector<std::optional<double>>
ValuesOf(const TCandidateSet& candidates,
         std::array<std::string, Count> TTechnologyVariant::*values, int index) {
    std::vector<std::optional<double>> read;
    read.reserve(candidates.Variants.size());
    for (const TTechnologyVariant& variant : candidates.Variants)
        read.push_back(ReadDecimal((variant.*values)[index]));
    return read;
}

// Adds one column of weighted memberships, rounded, to the matrix.
void AddCriterionColumn(const TCriterionRule& rule, int index, const char* heading,
                        const std::vector<std::optional<double>>& values,
                        TNormalizedMatrix& matrix) {
    const TMembershipCurve curve = BuildMembershipCurve(rule, values);
    matrix.Columns.push_back({index, heading});
    for (std::size_t r = 0; r < matrix.Rows.size(); ++r) {
        const double membership =
            values[r] ? MembershipValue(curve, *values[r]) : MissingMembershipValue(curve);
        matrix.Rows[r].Cells.push_back(RoundValue(membership));
    }
}

} // namespace

TRoundedValue LaplaceCriterion(const std::vector<TRoundedValue>& internalCells) {
    if (internalCells.empty())
        return RoundValue(1.0L);
    long double sum = 0.0L;
    for (const TRoundedValue& cell : internalCells)
        sum += cell.Value;
    return RoundValue(sum / static_cast<long double>(internalCells.size()));
}

void BuildNormalizedMatrices(const TCandidateSet& candidates, TNormalizedMatrix& internal,
                             TNormalizedMatrix& external, TNormalizedMatrix& game) {
    const std::size_t k = CountActive(candidates.ActiveInternal);
    const std::size_t e = CountActive(candidates.ActiveExternal);
    ResetRows(candidates, k, internal);
    ResetRows(candidates, e, external);
    ResetRows(candidates, e, game);

    internal.AggregateHeading = LaplaceHeading;
    for (int i = 0; i < InternalCriterionCount; ++i) {
        if (!candidates.ActiveInternal[i])
            continue;
        AddCriterionColumn(InternalRule(i), i, InternalCriterionHeadings[i],
                           ValuesOf(candidates, &TTechnologyVariant::InternalValues, i), internal);
    }
    for (TNormalizedRow& row : internal.Rows)
        row.Aggregate = LaplaceCriterion(row.Cells);

    for (int j = 0; j < ExternalFactorCount; ++j) {
        if (!candidates.ActiveExternal[j])
            continue;
        AddCriterionColumn(ExternalRule(j), j, ExternalFactorHeadings[j],
                           ValuesOf(candidates, &TTechnologyVariant::ExternalValues, j), external);
        game.Columns.push_back(external.Columns.back());
    }
    if (!game.Columns.empty()) {
        // The game cells and the Wald column are filled by the ranking.
        game.AggregateHeading = WaldHeading;
        for (TNormalizedRow& row : game.Rows)
            row.Cells.resize(game.Columns.size());
    }
}
