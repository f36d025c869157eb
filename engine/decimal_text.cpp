#include "decimal_text.h"

#include <cctype>
#include <charconv>
#include <string>

std::optional<double> ReadDecimal(std::string_view text) {
    // Validate the shape first; from_chars then does the correctly rounded
    // conversion on a copy with the comma turned into the full stop.
    std::size_t pos = 0;
    const std::size_t n = text.size();
    if (pos < n && text[pos] == '-')
        ++pos;
    std::size_t digits = 0;
    bool comma = false;
    while (pos < n) {
        const char c = text[pos];
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == ',' && !comma) {
            comma = true;
        } else {
            break;
        }
        ++pos;
    }
    if (digits == 0)
        return std::nullopt;
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
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond the range of double: the exponent decides between 0 and infinity.
        return std::nullopt;
    }
    if (result.ec != std::errc() || result.ptr != copy.data() + copy.size())
        return std::nullopt;
    return value;
}
