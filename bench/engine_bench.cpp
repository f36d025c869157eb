// The decision engine alone on the largest search it can get: all 21
// catalogue variants admissible and all 15 criteria active. Goal: a median
// under 100 microseconds per search.

#include "engine/normalization.h"
#include "engine/ranking.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A made-up catalogue in the shape of the real one: distinct costs and
// labour, scores from 1 to 10 for the score criteria.
TCandidateSet FullCatalogue() {
    TCandidateSet set;
    set.ActiveInternal.fill(true);
    set.ActiveExternal.fill(true);
    for (int v = 0; v < CatalogueSize; ++v) {
        TTechnologyVariant variant;
        variant.Name = "Вариант " + std::to_string(v + 1);
        variant.ProcessComposition = "Состав варианта " + std::to_string(v + 1);
        variant.InternalValues[0] = std::to_string(180 + (v * 37) % 400) + ",5";
        variant.InternalValues[1] = "0," + std::to_string(20 + (v * 13) % 70);
        for (int i = 2; i <= 8; ++i)
            variant.InternalValues[i] = std::to_string(1 + (v * (i + 3) + i) % 10);
        variant.InternalValues[9] = std::to_string(1 + v % 7) + ",5";
        for (int j = 0; j < ExternalFactorCount; ++j)
            variant.ExternalValues[j] = std::to_string(1 + (v * (j + 2) + 3 * j) % 10);
        set.Variants.push_back(variant);
    }
    return set;
}

void NormalizeAndRank(benchmark::State& state) {
    const TCandidateSet set = FullCatalogue();
    for (auto _ : state) {
        TNormalizedMatrix internal, external, game;
        BuildNormalizedMatrices(set, internal, external, game);
        TSearchResult result = RankVariants(internal, external, game);
        benchmark::DoNotOptimize(result);
    }
}

} // namespace

BENCHMARK(NormalizeAndRank)->Unit(benchmark::kMicrosecond);
