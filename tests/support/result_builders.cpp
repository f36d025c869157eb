#include "tests/support/result_builders.h"

#include "engine/criterion_headings.h"

#include <string>

TSearchResult RankedResult(int admissible, TResultKind kind) {
    TSearchResult result;
    result.Kind = kind;
    result.AdmissibleCount = admissible;
    result.RejectedCount = 21 - admissible;
    result.CriterionHeading = kind == TResultKind::Laplace ? LaplaceHeading : WaldHeading;
    for (int place = 1; place <= 5; ++place) {
        TRankedVariant& ranked = result.Ranked[std::size_t(place - 1)];
        ranked.Place = place;
        if (place <= admissible) {
            ranked.Name = "Вариант " + std::to_string(place);
            ranked.ProcessComposition = "Состав " + std::to_string(place);
            ranked.CriterionText = "0,5" + std::to_string(place);
        }
    }
    return result;
}

TSearchResult SingleResult() {
    TSearchResult result = RankedResult(1, TResultKind::Single);
    result.CriterionHeading = NoCriterionHeading;
    result.Ranked[0].CriterionText.clear();
    return result;
}
