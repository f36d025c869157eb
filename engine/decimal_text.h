#pragma once
// Reading numbers written with the decimal comma, whatever the locale.

#include <array>
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

// Exact powers of ten: a double holds 10^k exactly for k up to 22, a long
// double up to 27, so one multiplication or division by them rounds
// correctly. PowerOfTen<T>(k) for 0 <= k < ExactPowers<T>.
template <typename TFloat> constexpr int ExactPowers = sizeof(TFloat) == sizeof(double) ? 23 : 28;

template <typename TFloat> TFloat PowerOfTen(int k) {
    static const auto table = [] {
        std::array<TFloat, ExactPowers<TFloat>> powers{};
        powers[0] = 1;
        for (int i = 1; i < ExactPowers<TFloat>; ++i)
            powers[i] = powers[i - 1] * 10;
        return powers;
    }();
    return table[k];
}
