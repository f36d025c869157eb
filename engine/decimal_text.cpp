#include "engine/decimal_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace {

// The power of ten of the leading non-zero digit of a validated number in
// full-stop form ("-0.00123e-5" gives -8), saturated far beyond any range;
// only its sign matters. A number without a non-zero digit gives nullopt.
std::optional<long> LeadingPowerOfTen(const std::string& number) {
    const std::size_t first = number.find_first_of("123456789");
    const std::size_t mark = number.find_first_of("eE");
    if (first == std::string::npos || (mark != std::string::npos && first > mark))
        return std::nullopt;
    const std::size_t point = std::min(number.find('.'), std::min(mark, number.size()));
    long power =
        first < point ? static_cast<long>(point - first) - 1 : -static_cast<long>(first - point);
    if (mark != std::string::npos) {
        std::size_t pos = mark + 1;
        const bool negative = number[pos] == '-';
        if (number[pos] == '-' || number[pos] == '+')
            ++pos;
        long exponent = 0;
        for (; pos < number.size(); ++pos)
            exponent = std::min(exponent * 10 + (number[pos] - '0'), 100000000L);
        power += negative ? -exponent : exponent;
    }
    return power;
}

// Some library versions report subnormal results (such as 4,94E-324, the
// least double) as out of range. Extended precision covers the whole range of
// double with normal numbers, so it gives the nearest double there; an
// underflow below half the least subnormal is the number 0. An overflow is no
// number at all, or, where the caller asks for the nearest double, the
// infinity of its sign.
std::optional<double> ReadOutOfRange(const std::string& number, bool overflowToInfinity) {
    const double zero = number[0] == '-' ? -0.0 : 0.0;
    const std::optional<long> power = LeadingPowerOfTen(number);
    if (!power)
        return zero;
    if (*power >= 0) {
        if (!overflowToInfinity)
            return std::nullopt;
        return number[0] == '-' ? -std::numeric_limits<double>::infinity()
                                : std::numeric_limits<double>::infinity();
    }
    long double wide = 0.0L;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), wide);
    if (result.ec != std::errc() || result.ptr != number.data() + number.size())
        return zero;
    return static_cast<double>(wide);
}

std::optional<double> ReadDecimalText(std::string_view text, bool overflowToInfinity) {
    // Validate the shape first; from_chars then does the correctly rounded
    // conversion on a copy with the comma turned into the full stop.
    std::size_t pos = 0;
    const std::size_t n = text.size();
    if (pos < n && text[pos] == '-')
        ++pos;
    std::size_t digits = 0;
    std::size_t decimals = 0; // digits after the comma
    std::uint64_t mantissa = 0;
    bool comma = false;
    while (pos < n) {
        const char c = text[pos];
        if (c >= '0' && c <= '9') {
            ++digits;
            decimals += comma ? 1 : 0;
            if (digits <= 15)
                mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
        } else if (c == ',' && !comma) {
            comma = true;
        } else {
            break;
        }
        ++pos;
    }
    if (digits == 0)
        return std::nullopt;
    if (pos == n && digits <= 15 && decimals < ExactPowers<double>) {
        // The common catalogue and table texts ("350", "0,45", "0,563"): the
        // digits make an integer below 2^53 and the scale an exact power of
        // ten, so one double division is the correctly rounded value.
        const double value =
            static_cast<double>(mantissa) / PowerOfTen<double>(static_cast<int>(decimals));
        return text[0] == '-' ? -value : value;
    }
    if (pos < n && (text[pos] == 'E' || text[pos] == 'e')) {
        ++pos;
        if (pos < n && (text[pos] == '-' || text[pos] == '+'))
            ++pos;
        const std::size_t expStart = pos;
        while (pos < n && text[pos] >= '0' && text[pos] <= '9')
            ++pos;
        if (pos == expStart)
            return std::nullopt;
    }
    if (pos != n)
        return std::nullopt;

    std::string copy(text);
    for (char& c : copy) {
        if (c == ',')
            c = '.';
    }
    // from_chars accepts no leading '+' and reads "5." and ".5" as numbers.
    double value = 0.0;
    const auto result = std::from_chars(copy.data(), copy.data() + copy.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return ReadOutOfRange(copy, overflowToInfinity);
    if (result.ec != std::errc() || result.ptr != copy.data() + copy.size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> ReadDecimal(std::string_view text) {
    return ReadDecimalText(text, false);
}

std::optional<double> ReadDecimalToNearest(std::string_view text) {
    return ReadDecimalText(text, true);
}
