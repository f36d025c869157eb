#include "search/number_text.h"

#include <charconv>
#include <cmath>
#include <string>

std::optional<double> ReadSlopeText(const QString& text) {
    qsizetype pos = 0;
    const qsizetype n = text.size();
    const bool negative = pos < n && text[pos] == u'-';
    if (negative)
        ++pos;
    if (pos == n)
        return std::nullopt; // empty, or a lone minus sign

    std::string plain; // the number with a full stop, for from_chars
    plain.reserve(static_cast<std::size_t>(n - pos) + 2);
    bool comma = false;
    bool digits = false;
    bool nonZeroIntegerDigit = false;
    for (; pos < n; ++pos) {
        const QChar c = text[pos];
        if (c >= u'0' && c <= u'9') {
            digits = true;
            if (!comma && c != u'0')
                nonZeroIntegerDigit = true;
            plain.push_back(static_cast<char>(c.unicode()));
        } else if (c == u',' && !comma) {
            comma = true;
            plain.push_back('.');
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return 0.0; // a lone comma, with or without the sign

    double magnitude = 0.0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), magnitude,
                                        std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Too many digits for a double: huge when the integer part is not
        // zero, otherwise a fraction too small to tell from zero.
        magnitude = nonZeroIntegerDigit ? HUGE_VAL : 0.0;
    } else if (result.ec != std::errc() || result.ptr != plain.data() + plain.size()) {
        return std::nullopt;
    }
    if (magnitude == 0.0)
        return 0.0; // "-0" and "-," read as plain zero
    return negative ? -magnitude : magnitude;
}

std::optional<long double> ReadWholeText(const QString& text) {
    qsizetype pos = 0;
    const qsizetype n = text.size();
    const bool negative = pos < n && text[pos] == u'-';
    if (negative)
        ++pos;
    if (pos == n)
        return std::nullopt;
    long double value = 0.0L;
    for (; pos < n; ++pos) {
        const QChar c = text[pos];
        if (c < u'0' || c > u'9')
            return std::nullopt;
        // Exact while the value fits the 64-bit mantissa; beyond that each
        // step rounds, and past the extended range it becomes infinity,
        // which keeps every comparison with a bound right.
        value = value * 10.0L + static_cast<long double>(c.unicode() - u'0');
    }
    if (value == 0.0L)
        return 0.0L;
    return negative ? -value : value;
}
