#pragma once
// Search results made by hand, for the parts that show or report them.

#include "engine/search_result.h"

// A ranked result of `admissible` variants: place p holds "Вариант p",
// "Состав p" and the criterion text "0,5p"; places beyond n stay empty. The
// rejected count is what the bundled catalogue of 21 leaves.
TSearchResult RankedResult(int admissible, TResultKind kind = TResultKind::Wald);

// A single admissible variant: place 1 holds "Вариант 1" and "Состав 1"
// without a criterion text.
TSearchResult SingleResult();
