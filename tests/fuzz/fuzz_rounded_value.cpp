// The rounding pair on any double and any long double: the three-digit text
// has the general format's shape, reads back, lies within half a unit of its
// third digit, and rendering the value read back gives the same text again.
// The input is also read as a text, so the reader meets malformed numbers.
//
// Input: bytes 0-7 a double, bytes 8-17 an 80-bit long double; the whole
// input is also a candidate text.

#include "engine/decimal_text.h"
#include "engine/rounded_value.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char* what, long double value, const std::string& text) {
    std::fprintf(stderr, "invariant broken: %s [%.21Lg -> \"%s\"]\n", what, value, text.c_str());
    std::abort();
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "0"; or fixed: "-"? digits ("," digits)?; or scientific: "-"? d ("," dd?)?
// "E" "-"? ddd+. At most three significant digits either way.
bool HasGeneralShape(const std::string& text) {
    if (text.empty())
        return false;
    if (text == "0")
        return true;
    std::size_t pos = text[0] == '-' ? 1 : 0;
    const std::size_t mark = text.find('E');
    const std::string mantissa = text.substr(pos, mark == std::string::npos ? mark : mark - pos);
    if (mantissa.empty() || mantissa.front() == ',' || mantissa.back() == ',' ||
        (mantissa.back() == '0' && mantissa.find(',') != std::string::npos))
        return false;
    int commas = 0;
    std::string significant;
    for (const char c : mantissa) {
        if (c == ',')
            ++commas;
        else if (!IsDigit(c))
            return false;
        else if (c != '0' || !significant.empty())
            significant += c;
    }
    while (!significant.empty() && significant.back() == '0')
        significant.pop_back();
    if (commas > 1 || significant.empty() || significant.size() > 3)
        return false;
    if (mark == std::string::npos)
        return true;
    if (!IsDigit(mantissa[0]) || mantissa[0] == '0' || (commas == 1 && mantissa[1] != ','))
        return false;
    pos = mark + 1;
    if (pos < text.size() && text[pos] == '-')
        ++pos;
    const std::string power = text.substr(pos);
    if (power.size() < 3)
        return false;
    for (const char c : power) {
        if (!IsDigit(c))
            return false;
    }
    return true;
}

void CheckRoundTrip(long double x, bool inDoubleRange) {
    const std::string text = ValueToText(x);
    if (!HasGeneralShape(text))
        Fail("text has the general format's shape", x, text);
    if ((text[0] == '-') != (x < 0))
        Fail("text keeps the sign", x, text);
    if (!inDoubleRange)
        return;
    if (!ReadDecimal(text))
        Fail("text reads back", x, text);
    const double back = TextToValue(text);
    if (!std::isfinite(back))
        Fail("text reads back finite", x, text);
    // Subnormal doubles carry too few bits to hold three digits exactly.
    if (std::fabs(back) < DBL_MIN)
        return;
    const long double error = std::fabs(static_cast<long double>(back) - x);
    if (error > 0.0050001L * std::fabs(x))
        Fail("value read back lies within half a unit of the third digit", x, text);
    const std::string again = ValueToText(back);
    if (again != text)
        Fail(("re-rendered text is the same: \"" + again + "\"").c_str(), x, text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size >= sizeof(double)) {
        double x = 0.0;
        std::memcpy(&x, data, sizeof x);
        // Above this the three-digit text (1,8E308) names no double.
        constexpr double largestRenderable = 1.795e308;
        if (std::isfinite(x))
            CheckRoundTrip(x, std::fabs(x) < largestRenderable);
    }
    if (size >= 18) {
        long double x = 0.0L;
        std::memcpy(&x, data + 8, 10);
        if (std::isfinite(x)) {
            const long double magnitude = std::fabs(x);
            CheckRoundTrip(x, magnitude == 0.0L || (magnitude > 1e-300L && magnitude < 1e300L));
        }
    }

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double read = TextToValue(text);
    if (const auto decimal = ReadDecimal(text)) {
        if (!(*decimal == read || (std::isnan(*decimal) && std::isnan(read))))
            Fail("TextToValue agrees with ReadDecimal", read, std::string(text));
        if (std::isfinite(read) && !HasGeneralShape(ValueToText(read)))
            Fail("any number read renders in the general shape", read, ValueToText(read));
    }
    return 0;
}
