#pragma once
// Reading numbers written with the decimal comma, whatever the locale.

#include <optional>
#include <string_view>

// Reads an optional minus sign, digits with at most one decimal comma (at
// least one digit in all) and an optional exponent ("E-005", "e+3") into the
// nearest double. Anything else, the empty text included, is no number, and
// so is a number beyond the range of double (a catalogue value that large is
// no value at all).
std::optional<double> ReadDecimal(std::string_view text);

// The same, except that a number beyond the range of double reads as the
// infinity of its sign, its nearest double: the read-back of a rounded text.
std::optional<double> ReadDecimalToNearest(std::string_view text);
