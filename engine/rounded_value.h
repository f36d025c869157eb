#pragma once
// The three-significant-digit rounding every computed number passes through
// before a later step may use it. The rounding is part of the method: later
// steps see only the value read back from the text.

#include "engine/normalized_matrix.h"

#include <string>
#include <string_view>

// The general format "%1.3g" with the decimal comma: 18 significant digits
// rounded to nearest, then cut to three with the fourth digit deciding (a
// half goes away from zero); fixed notation for magnitudes from 0,0001 up to
// but not including 1000 ("0,000123", "0,563", "1"), otherwise "1,23E-005".
// Infinity and NaN, which valid input never produces, give "INF", "-INF" and
// "NAN".
std::string ValueToText(long double value);

// Reads a text in that form into the nearest double ("INF", "-INF" and "NAN"
// included, so every text ValueToText makes reads back). Any other text reads
// as 0.
double TextToValue(std::string_view text);

// The text of `value` together with the number read back from it.
TRoundedValue RoundValue(long double value);
