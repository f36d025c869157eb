#pragma once
// Dense linear algebra on dynamic arrays of double: just enough to solve the
// 8 x 8 knot systems of the membership curves. The solver goes through the
// cofactor inverse and the elimination determinant on purpose: the numbers
// the engine produces depend on this exact path, rounding included.
//
// The routines never throw and never report to the user. A routine that
// meets an invalid input records a message in the error state and returns
// without touching its output.

#include <cstddef>
#include <string>
#include <vector>

using TVector = std::vector<double>;
// A matrix is an array of rows; the column count is the length of row 0.
using TMatrix = std::vector<TVector>;

// Gives the vector length n; entries already present keep their values,
// added entries are 0.
void InitVector(std::size_t n, TVector& v);
// Gives the matrix the given number of rows, each of the given length;
// entries already present keep their values, added entries are 0.
void InitMatrix(std::size_t rows, std::size_t columns, TMatrix& m);

// r = a * v.
void MultMatrixVector(const TMatrix& a, const TVector& v, TVector& r);
// The determinant by elimination; 0 on error.
double DetMatrix(const TMatrix& a);
// r = a^-1 by cofactors.
void ReversMatrix(const TMatrix& a, TMatrix& r);
// x = a^-1 * b. After a failed solve x still holds what it held before.
void LSystem(const TMatrix& a, const TVector& b, TVector& x);

// The error state: cleared at the start of each MultMatrixVector, DetMatrix,
// ReversMatrix and LSystem call and set when one of its checks fails. The
// text keeps the last failure's message until the next failure replaces it.
// The state is per thread, so concurrent searches cannot disturb each other.
bool MatrixError();
const std::string& MatrixErrorText();
