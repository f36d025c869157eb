#pragma once
// Turns the admissible variants into the normalized internal matrix (with its
// Laplace column) and the normalized external matrix.

#include "engine/normalized_matrix.h"
#include "engine/technology_variant.h"

// Empties and sizes all three matrices (the game matrix gets the variant rows
// and, when external factors remain, their columns and the Wald heading), then
// fills the internal and external matrices. Requires at least two variants.
void BuildNormalizedMatrices(const TCandidateSet& candidates, TNormalizedMatrix& internal,
                             TNormalizedMatrix& external, TNormalizedMatrix& game);

// The Laplace criterion of one row: the plain mean of its rounded internal
// memberships (their read-back values), summed and divided at extended
// precision and rounded from there, not from a double. A row without
// internal criteria gets 1, so the external factors alone rank it.
TRoundedValue LaplaceCriterion(const std::vector<TRoundedValue>& internalCells);
