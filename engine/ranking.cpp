#include "engine/ranking.h"

#include "engine/criterion_headings.h"
#include "engine/rounded_value.h"

#include <algorithm>
#include <utility>

namespace {

// The ranking key: the number read back from the aggregate cell's text.
double KeyOf(const TNormalizedRow& row) {
    return row.Aggregate ? row.Aggregate->Value : 0.0;
}

// +1 if a is greater, -1 if smaller, 0 if equal.
int Compare(double a, double b) {
    if (a > b)
        return 1;
    if (a < b)
        return -1;
    return 0;
}

// Greatest key first. The partitioning is kept exactly as it is: which of
// several equal keys ends up first decides places in the ranking.
void QuickSort(std::vector<TNormalizedRow>& rows, int lo, int hi) {
    int i = lo;
    int j = hi;
    const double pivot = KeyOf(rows[(lo + hi) / 2]);
    do {
        while (Compare(pivot, KeyOf(rows[i])) == -1 && i < hi)
            ++i;
        while (Compare(KeyOf(rows[j]), pivot) == -1 && j > lo)
            --j;
        if (i <= j) {
            if (i != j && Compare(KeyOf(rows[i]), KeyOf(rows[j])) != 0)
                std::swap(rows[i], rows[j]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (lo < j)
        QuickSort(rows, lo, j);
    if (i < hi)
        QuickSort(rows, i, hi);
}

std::vector<std::string> HeadingsOf(const TNormalizedMatrix& matrix) {
    std::vector<std::string> headings;
    for (const TNormalizedColumn& column : matrix.Columns)
        headings.push_back(column.Heading);
    return headings;
}

// The game cell is the fuzzy intersection min(L, X) of the Laplace value and
// the external membership; the Wald value the least game cell of the row.
// The game matrix is brought in line with the two normalized matrices (both
// still in candidate order) whatever it held, so it always matches them.
void FillGameMatrix(const TNormalizedMatrix& internal, const TNormalizedMatrix& external,
                    TNormalizedMatrix& game) {
    const std::size_t count = std::min(internal.Rows.size(), external.Rows.size());
    game.Columns = external.Columns;
    game.AggregateHeading = WaldHeading;
    game.Rows.resize(count);
    for (std::size_t r = 0; r < count; ++r) {
        const TNormalizedRow& source = internal.Rows[r];
        TNormalizedRow& row = game.Rows[r];
        // Usually already in place: the normalization laid the rows out.
        if (row.Name != source.Name)
            row.Name = source.Name;
        if (row.ProcessComposition != source.ProcessComposition)
            row.ProcessComposition = source.ProcessComposition;
        const double laplace = KeyOf(source);
        double wald = laplace;
        row.Cells.clear();
        for (std::size_t c = 0; c < external.Rows[r].Cells.size(); ++c) {
            const double factor = external.Rows[r].Cells[c].Value;
            row.Cells.push_back(RoundValue(laplace > factor ? factor : laplace));
            if (c == 0 || row.Cells.back().Value < wald)
                wald = row.Cells.back().Value;
        }
        row.Aggregate = RoundValue(wald);
    }
}

// Places 1..5 from the first rows of the ranked matrix; later places stay
// empty apart from their number.
void FillPlaces(const TNormalizedMatrix& ranked, TSearchResult& result) {
    for (std::size_t p = 0; p < result.Ranked.size(); ++p) {
        TRankedVariant& place = result.Ranked[p];
        place = TRankedVariant();
        place.Place = static_cast<int>(p) + 1;
        if (p < ranked.Rows.size()) {
            const TNormalizedRow& row = ranked.Rows[p];
            place.Name = row.Name;
            place.ProcessComposition = row.ProcessComposition;
            place.CriterionText = row.Aggregate ? row.Aggregate->Text : std::string();
        }
    }
}

} // namespace

void SortByCriterion(TNormalizedMatrix& matrix) {
    if (matrix.Rows.size() > 1)
        QuickSort(matrix.Rows, 0, static_cast<int>(matrix.Rows.size()) - 1);
}

TSearchResult RankVariants(TNormalizedMatrix& internal, TNormalizedMatrix& external,
                           TNormalizedMatrix& game) {
    TSearchResult result;
    result.AdmissibleCount = static_cast<int>(internal.Rows.size());
    result.RejectedCount = CatalogueSize - result.AdmissibleCount;
    result.InternalHeadings = HeadingsOf(internal);

    if (external.Columns.empty()) {
        SortByCriterion(internal);
        result.Kind = TResultKind::Laplace;
        result.CriterionHeading = LaplaceHeading;
        FillPlaces(internal, result);
        return result;
    }

    FillGameMatrix(internal, external, game);
    SortByCriterion(game);
    result.Kind = TResultKind::Wald;
    result.CriterionHeading = WaldHeading;
    result.ExternalHeadings = HeadingsOf(external);
    FillPlaces(game, result);
    return result;
}

TSearchResult MakeSingleResult(const TTechnologyVariant& only) {
    TSearchResult result;
    result.Kind = TResultKind::Single;
    result.AdmissibleCount = 1;
    result.RejectedCount = CatalogueSize - 1;
    result.CriterionHeading = NoCriterionHeading;
    for (std::size_t p = 0; p < result.Ranked.size(); ++p)
        result.Ranked[p].Place = static_cast<int>(p) + 1;
    result.Ranked[0].Name = only.Name;
    result.Ranked[0].ProcessComposition = only.ProcessComposition;
    return result;
}
