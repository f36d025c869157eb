#pragma once
// The outcome of a search that reached a result.

#include "technology_variant.h"

#include <array>
#include <string>
#include <vector>

enum class TResultKind { Single, Laplace, Wald };

struct TRankedVariant {
    int Place = 0; // 1..5
    std::string Name;
    std::string ProcessComposition;
    std::string CriterionText; // empty for Single and for places beyond n
};

struct TSearchResult {
    TResultKind Kind = TResultKind::Single;
    int AdmissibleCount = 0;
    int RejectedCount = 0;
    // The number of variants in the catalogue the search read: the figure
    // the results window and the report give as "known".
    int CatalogueCount = CatalogueSize;
    std::string CriterionHeading;
    std::array<TRankedVariant, 5> Ranked;
    std::vector<std::string> InternalHeadings; // ranked kinds only
    std::vector<std::string> ExternalHeadings; // Wald only
};
