#pragma once
// The fuzzy game matrix, the Wald criterion and the ranking.

#include "engine/normalized_matrix.h"
#include "engine/search_result.h"
#include "engine/technology_variant.h"

// Reorders the rows by their aggregate cell's Value, greatest first, with the
// system's own quicksort (its handling of equal keys is part of the result).
void SortByCriterion(TNormalizedMatrix& matrix);

// Fills the game matrix and its Wald column when external factors remain
// (sorting the game matrix), otherwise sorts the internal matrix by its
// Laplace column; returns the ranked result.
TSearchResult RankVariants(TNormalizedMatrix& internal, TNormalizedMatrix& external,
                           TNormalizedMatrix& game);

// The result of a search with exactly one admissible variant.
TSearchResult MakeSingleResult(const TTechnologyVariant& only);
