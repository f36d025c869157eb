#include "engine/matrix_routines.h"

#include "engine/elimination.h"
#include "engine/stored_value.h"

#include <utility>

namespace {

thread_local bool errorFlag = false;
thread_local std::string errorText;

// Messages are made of their lines joined by a single carriage return.
constexpr const char* LineBreak = "\r";

void ClearError() {
    errorFlag = false;
}

void RecordError(std::string message) {
    errorFlag = true;
    errorText = std::move(message);
}

std::string SingularMessage() {
    return std::string("Функция DetMatrix ") + LineBreak + "матрица особенная";
}

std::string NotSquareMessage(const char* routineLine, const TMatrix& a) {
    return std::string(routineLine) + LineBreak + "матрица не квадратная," + LineBreak +
           "ее размерность " + std::to_string(a.size()) + " x " + std::to_string(a[0].size());
}

// The column count is taken from row 0 alone. A shorter row reads as if
// padded with zeros, so a ragged matrix can never make us read past a row.
double EntryOf(const TVector& row, std::size_t j) {
    return j < row.size() ? row[j] : 0.0;
}

bool IsSquare(const TMatrix& a) {
    return a[0].size() == a.size();
}

// The square working copy of a; row 0 gives the order.
TWorkMatrix WorkingCopy(const TMatrix& a) {
    const std::size_t n = a.size();
    TWorkMatrix m;
    m.Rows = m.Columns = n;
    m.Cells.resize(n * n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j)
            m.At(i, j) = EntryOf(a[i], j);
    }
    return m;
}

} // namespace

void InitVector(std::size_t n, TVector& v) {
    v.resize(n, 0.0);
}

void InitMatrix(std::size_t rows, std::size_t columns, TMatrix& m) {
    m.resize(rows);
    for (TVector& row : m)
        row.resize(columns, 0.0);
}

void MultMatrixVector(const TMatrix& a, const TVector& v, TVector& r) {
    ClearError();
    if (a.empty()) {
        RecordError(std::string("Функция MultMatrixVector :") + LineBreak + "Не задана матрица");
        return;
    }
    const std::size_t columns = a[0].size();
    if (v.size() != columns) {
        RecordError(std::string("Функция MultMatrixVector :") + LineBreak +
                    "Число столбцов  матрицы (" + std::to_string(columns) + ")" + LineBreak +
                    "не совпадает с размерностью векора (" + std::to_string(v.size()) + ")");
        return;
    }
    TVector t(a.size(), 0.0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < columns; ++j)
            t[i] = Stored(static_cast<long double>(EntryOf(a[i], j)) * v[j] + t[i]);
    }
    r = std::move(t);
}

double DetMatrix(const TMatrix& a) {
    ClearError();
    if (a.empty()) {
        RecordError(std::string("Функция DetMatrix :") + LineBreak + "Не задана матрица");
        return 0.0;
    }
    if (!IsSquare(a)) {
        RecordError(NotSquareMessage("Функция DetMatrix ", a));
        return 0.0;
    }
    TWorkMatrix work = WorkingCopy(a);
    return Eliminate(1.0, work);
}

void ReversMatrix(const TMatrix& a, TMatrix& r) {
    ClearError();
    if (a.empty()) {
        RecordError(std::string("Функция ReversMatrix :") + LineBreak + "Не задана матрица");
        return;
    }
    if (!IsSquare(a)) {
        RecordError(NotSquareMessage("Функция DetMatrix :", a));
        return;
    }
    const std::size_t n = a.size();
    if (n == 1) {
        // The cofactor of the empty minor is 1, so the inverse is 1 / a.
        const double d = DetMatrix(a);
        if (d == 0.0) {
            RecordError(SingularMessage());
            return;
        }
        r = TMatrix{{Stored(1.0L / d)}};
        return;
    }
    // The determinant and every cofactor come from the same elimination
    // DetMatrix uses, computed together.
    double d = 0.0;
    const std::vector<double> minors = MinorDeterminants(WorkingCopy(a), d);
    if (d == 0.0) {
        RecordError(SingularMessage());
        return;
    }
    TMatrix q(n, TVector(n, 0.0));
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            double c = minors[i * n + j];
            if ((i + j) % 2 == 1)
                c = -c;
            q[j][i] = Stored(static_cast<long double>(c) / d);
        }
    }
    r = std::move(q);
}

void LSystem(const TMatrix& a, const TVector& b, TVector& x) {
    ClearError();
    if (a.empty()) {
        RecordError(std::string("Функция LSystem :") + LineBreak + "Не задана матрица");
        return;
    }
    TMatrix inverse;
    ReversMatrix(a, inverse);
    MultMatrixVector(inverse, b, x);
}

bool MatrixError() {
    return errorFlag;
}

const std::string& MatrixErrorText() {
    return errorText;
}
