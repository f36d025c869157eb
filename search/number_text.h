#pragma once
// Reading the numbers typed into the main window. The decimal separator is
// the comma whatever the machine's locale: the slope field's key filter turns
// a typed full stop into a comma, so a locale-dependent reader would refuse
// every fractional slope on a machine whose separator is the full stop.

#include <QString>

#include <optional>

// A slope: an optional leading minus, then digits with at most one comma and
// nothing else; at least one digit or the comma after the sign. A text
// without digits (",", "-,") reads 0. Texts of any length are safe: a value
// beyond the range of double reads as an infinity of its sign, which the
// clamping then replaces by its bound.
std::optional<double> ReadSlopeText(const QString& text);

// A whole number: an optional leading minus and at least one digit, read by
// its value whatever its length. Up to 2^64 the value is exact (extended
// precision has a 64-bit mantissa); beyond, it is the nearest extended value,
// which still compares correctly with every bound and catalogue value.
std::optional<long double> ReadWholeText(const QString& text);
