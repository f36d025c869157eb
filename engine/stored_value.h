#pragma once
// The method computes every expression at extended precision (long double)
// and rounds to double only where a value is stored: in a matrix cell, a
// vector entry or a curve coefficient. Its figures rest on exactly these
// roundings, so each one is written as a call to Stored.

inline double Stored(long double value) {
    return static_cast<double>(value);
}
