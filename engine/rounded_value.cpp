#include "rounded_value.h"

#include "decimal_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

constexpr char DecimalSeparator = ',';

// d1 d2 d3 (trailing zeros dropped) and E of 0.d1d2d3 * 10^E.
struct TThreeDigits {
    std::string Digits;
    int Exponent = 0;
};

TThreeDigits CutToThreeDigits(long double magnitude) {
    // glibc prints long doubles exactly, so "%.17Le" is the correctly rounded
    // 18-significant-digit expansion: "d.ddddddddddddddddde+XX".
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17Le", magnitude);
    const std::string expansion(buffer);
    const std::size_t exponentMark = expansion.find('e');
    std::string digits = expansion.substr(0, 1) + expansion.substr(2, exponentMark - 2);
    int exponent = std::atoi(expansion.c_str() + exponentMark + 1) + 1;

    int three = (digits[0] - '0') * 100 + (digits[1] - '0') * 10 + (digits[2] - '0');
    if (digits[3] >= '5')
        ++three;
    if (three == 1000) {
        // 9,995 and up carry into a fourth digit: 0.999.. becomes 0.1 * 10^(E+1).
        three = 100;
        ++exponent;
    }
    TThreeDigits result;
    result.Digits = std::to_string(three);
    while (result.Digits.size() > 1 && result.Digits.back() == '0')
        result.Digits.pop_back();
    result.Exponent = exponent;
    return result;
}

std::string FixedNotation(const TThreeDigits& number) {
    const std::string& digits = number.Digits;
    const int e = number.Exponent;
    if (e <= 0)
        return std::string("0") + DecimalSeparator + std::string(-e, '0') + digits;
    const std::size_t whole = static_cast<std::size_t>(e);
    if (digits.size() <= whole)
        return digits + std::string(whole - digits.size(), '0');
    return digits.substr(0, whole) + DecimalSeparator + digits.substr(whole);
}

std::string ScientificNotation(const TThreeDigits& number) {
    std::string text = number.Digits.substr(0, 1);
    if (number.Digits.size() > 1)
        text += DecimalSeparator + number.Digits.substr(1);
    text += 'E';
    const int power = number.Exponent - 1;
    if (power < 0)
        text += '-';
    std::string powerDigits = std::to_string(std::abs(power));
    if (powerDigits.size() < 3)
        powerDigits.insert(0, 3 - powerDigits.size(), '0');
    return text + powerDigits;
}

} // namespace

std::string ValueToText(long double value) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0.0L)
        return "0";
    const TThreeDigits number = CutToThreeDigits(std::fabs(value));
    std::string text = number.Exponent >= -3 && number.Exponent <= 3 ? FixedNotation(number)
                                                                     : ScientificNotation(number);
    return value < 0 ? "-" + text : text;
}

double TextToValue(std::string_view text) {
    if (text == "INF")
        return std::numeric_limits<double>::infinity();
    if (text == "-INF")
        return -std::numeric_limits<double>::infinity();
    if (text == "NAN")
        return std::numeric_limits<double>::quiet_NaN();
    return ReadDecimal(text).value_or(0.0);
}

TRoundedValue RoundValue(long double value) {
    TRoundedValue rounded;
    rounded.Text = ValueToText(value);
    rounded.Value = TextToValue(rounded.Text);
    return rounded;
}
