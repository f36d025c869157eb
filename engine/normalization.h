#pragma once
// Turns the admissible variants into the normalized internal matrix (with its
// Laplace column) and the normalized external matrix.

#include "normalized_matrix.h"
#include "technology_variant.h"

// Empties and sizes all three matrices (the game matrix gets the variant rows
// and, when external factors remain, their columns and the Wald heading), then
// fills the internal and external matrices. Requires at least two variants.
void BuildNormalizedMatrices(const TCandidateSet& candidates, TNormalizedMatrix& internal,
                             TNormalizedMatrix& external, TNormalizedMatrix& game);
