#include "engine/rounded_value.h"

#include "engine/decimal_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr char DecimalSeparator = ',';

// 0.d1d2d3 * 10^E with d1 not zero and trailing zeros of d1d2d3 dropped:
// Digits holds Count characters, Integer their value.
struct TThreeDigits {
    char Digits[3] = {};
    int Count = 0;
    int Integer = 0;
    int Exponent = 0;
};

void CutExactly(long double magnitude, int& three, int& exponent);

// The quick way to the same three digits, where it is safe. The result only
// depends on the first four digits of the 18-digit expansion, and only on
// which side of a fourth digit 5 it lies: 5629 and 5630 both give 563. So
// the magnitude is scaled into [1000, 10000) with a single rounding (the
// power of ten is exact), in double when it is a double (most values are:
// memberships, game cells, Wald values), otherwise in extended and then
// rounded to double. Unless that lies within 1e-11 of a boundary ddd5 (far
// more than those roundings, at most about 1.2e-12 here, and the 18-digit
// rounding, at most 5e-15, can move it), its integer part gives the digits.
// Otherwise, or outside the exactly scaled range, it declines. No x87
// rounding-mode switches: they would cost more than the rest together.
template <typename TFloat> bool CutQuickly(TFloat magnitude, int& three, int& exponent) {
    const double narrow = static_cast<double>(magnitude);
    std::uint64_t bits = 0;
    std::memcpy(&bits, &narrow, sizeof bits);
    const int biased = static_cast<int>((bits >> 52) & 0x7ff);
    if (biased == 0 || biased == 0x7ff)
        return false; // subnormal or beyond the range of double
    // 0.d1d2.. * 10^E: a first guess from the binary exponent (log10 2 is
    // 0,30103 to five places, a guess off by one at most), then corrected.
    const long guess = (biased - 1023) * 30103L;
    int e = static_cast<int>(guess >= 0 ? guess / 100000 : -((-guess + 99999) / 100000)) + 1;
    TFloat scaled = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 4 - e;
        if (k >= ExactPowers<TFloat> || -k >= ExactPowers<TFloat>)
            return false;
        scaled = k >= 0 ? magnitude * PowerOfTen<TFloat>(k) : magnitude / PowerOfTen<TFloat>(-k);
        if (scaled >= 10000)
            ++e;
        else if (scaled < 1000)
            --e;
        else
            break;
    }
    if (!(scaled >= 1000 && scaled < 10000))
        return false;
    const double near = static_cast<double>(scaled);
    const int four = static_cast<int>(near);
    if (std::fabs(near - (four / 10 * 10 + 5)) < 1e-11)
        return false;
    three = four / 10 + (four % 10 >= 5 ? 1 : 0);
    exponent = e;
    return true;
}

TThreeDigits CutToThreeDigits(long double magnitude) {
    int three = 0;
    int exponent = 0;
    const double narrow = static_cast<double>(magnitude);
    const bool quick = static_cast<long double>(narrow) == magnitude
                           ? CutQuickly(narrow, three, exponent)
                           : CutQuickly(magnitude, three, exponent);
    if (!quick)
        CutExactly(magnitude, three, exponent);
    if (three == 1000) {
        // 9,995 and up carry into a fourth digit: 0.999.. becomes 0.1 * 10^(E+1).
        three = 100;
        ++exponent;
    }
    TThreeDigits result;
    result.Exponent = exponent;
    result.Count = 3;
    while (three % 10 == 0) {
        three /= 10;
        --result.Count;
    }
    result.Integer = three;
    for (int i = result.Count - 1; i >= 0; --i, three /= 10)
        result.Digits[i] = static_cast<char>('0' + three % 10);
    return result;
}

// The first three digits, rounded by the fourth, of the exact 18-digit
// expansion, and E.
void CutExactly(long double magnitude, int& three, int& exponent) {
    // Both give the correctly rounded 18-significant-digit expansion
    // "d.ddddddddddddddddde-XX": glibc prints long doubles exactly, and
    // to_chars does the same for doubles several times faster. Most values
    // here are doubles (the memberships, game cells and Wald values).
    char buffer[64];
    const double narrow = static_cast<double>(magnitude);
    if (static_cast<long double>(narrow) == magnitude) {
        const auto written = std::to_chars(buffer, buffer + sizeof buffer - 1, narrow,
                                           std::chars_format::scientific, 17);
        *written.ptr = '\0';
    } else {
        std::snprintf(buffer, sizeof buffer, "%.17Le", magnitude);
    }
    // Only the first four digits and the exponent matter from here on.
    const char* const fraction = buffer + 2; // past "d."
    exponent = std::atoi(std::strchr(buffer, 'e') + 1) + 1;

    three = (buffer[0] - '0') * 100 + (fraction[0] - '0') * 10 + (fraction[1] - '0');
    if (fraction[2] >= '5')
        ++three;
}

// Writes the digits into `text` (room for 16 characters): fixed notation
// for -3 <= E <= 3, otherwise "1,23E-005". Returns the end.
char* WriteNumber(const TThreeDigits& number, char* text) {
    const int e = number.Exponent;
    if (e >= -3 && e <= 3) {
        if (e <= 0) {
            *text++ = '0';
            *text++ = DecimalSeparator;
            for (int i = 0; i < -e; ++i)
                *text++ = '0';
            for (int i = 0; i < number.Count; ++i)
                *text++ = number.Digits[i];
            return text;
        }
        for (int i = 0; i < e; ++i)
            *text++ = i < number.Count ? number.Digits[i] : '0';
        if (number.Count > e) {
            *text++ = DecimalSeparator;
            for (int i = e; i < number.Count; ++i)
                *text++ = number.Digits[i];
        }
        return text;
    }
    *text++ = number.Digits[0];
    if (number.Count > 1) {
        *text++ = DecimalSeparator;
        for (int i = 1; i < number.Count; ++i)
            *text++ = number.Digits[i];
    }
    *text++ = 'E';
    const int power = e - 1;
    if (power < 0)
        *text++ = '-';
    const int magnitude = std::abs(power); // at most 4951 for a long double
    if (magnitude >= 1000)
        *text++ = static_cast<char>('0' + magnitude / 1000);
    *text++ = static_cast<char>('0' + magnitude / 100 % 10);
    *text++ = static_cast<char>('0' + magnitude / 10 % 10);
    *text++ = static_cast<char>('0' + magnitude % 10);
    return text;
}

// The text of a value, and for a finite non-zero value its digits (with
// Count 0 otherwise).
std::string TextAndDigits(long double value, TThreeDigits& number) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0.0L)
        return "0";
    number = CutToThreeDigits(std::fabs(value));
    char text[24];
    char* end = text;
    if (value < 0)
        *end++ = '-';
    end = WriteNumber(number, end);
    return std::string(text, end);
}

// The nearest double to the digits' value, as reading their text gives it,
// without the text: an integer below 1000 times or over an exact power of
// ten is correctly rounded by a single double operation.
bool ReadBackQuickly(const TThreeDigits& number, bool negative, double& value) {
    const int scale = number.Exponent - number.Count;
    if (scale >= ExactPowers<double> || scale <= -ExactPowers<double>)
        return false;
    const double integer = number.Integer;
    value = scale >= 0 ? integer * PowerOfTen<double>(scale) : integer / PowerOfTen<double>(-scale);
    if (negative)
        value = -value;
    return true;
}

} // namespace

std::string ValueToText(long double value) {
    TThreeDigits number;
    return TextAndDigits(value, number);
}

double TextToValue(std::string_view text) {
    if (text == "INF")
        return std::numeric_limits<double>::infinity();
    if (text == "-INF")
        return -std::numeric_limits<double>::infinity();
    if (text == "NAN")
        return std::numeric_limits<double>::quiet_NaN();
    return ReadDecimalToNearest(text).value_or(0.0);
}

TRoundedValue RoundValue(long double value) {
    TRoundedValue rounded;
    TThreeDigits number;
    rounded.Text = TextAndDigits(value, number);
    if (number.Count > 0 && ReadBackQuickly(number, value < 0, rounded.Value))
        return rounded;
    rounded.Value = TextToValue(rounded.Text);
    return rounded;
}
