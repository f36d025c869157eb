#pragma once
// The elimination behind DetMatrix and the cofactors of ReversMatrix, on
// plain row-major blocks of doubles. Internal to the matrix routines.

#include <cstddef>
#include <vector>

// A working matrix, stored row by row in one block.
struct TWorkMatrix {
    std::size_t Rows = 0;
    std::size_t Columns = 0;
    std::vector<double> Cells;

    double& At(std::size_t i, std::size_t j) { return Cells[i * Columns + j]; }
    double At(std::size_t i, std::size_t j) const { return Cells[i * Columns + j]; }
};

// The elimination step applied to the accumulator d and the square matrix m
// (consumed): no pivoting except the exchange of a zero leading element with
// the first row below it that has a non-zero one; remainders below 1e-10 of
// their entry count as zero. Returns the determinant times d.
double Eliminate(double d, TWorkMatrix& m);

// The determinants of all minors of the square matrix `whole` (order n >= 2):
// minors[i * n + j] for the minor without row i and column j, and the
// determinant of `whole` itself, each bit for bit what Eliminate gives for
// that matrix on its own.
std::vector<double> MinorDeterminants(const TWorkMatrix& whole, double& determinant);
