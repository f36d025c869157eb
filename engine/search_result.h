#pragma once
// The outcome of a search that reached a result.

#include "engine/technology_variant.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

enum class TResultKind { Single, Laplace, Wald };

// A result names at most this many of the best variants.
inline constexpr int RankedPlaceCount = 5;

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
    std::array<TRankedVariant, RankedPlaceCount> Ranked;
    std::vector<std::string> InternalHeadings; // ranked kinds only
    std::vector<std::string> ExternalHeadings; // Wald only
};

// The places a result fills, which the results table shows as rows: the one
// variant of a single result, else the first min(n, 5).
inline int ShownPlaceCount(const TSearchResult& result) {
    if (result.Kind == TResultKind::Single)
        return 1;
    return std::clamp(result.AdmissibleCount, 0, RankedPlaceCount);
}
