#include "elimination.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Every expression is evaluated at extended precision and rounded to double
// only where its result is stored, as the x87 hardware the method was tuned
// on does.
double Stored(long double value) {
    return static_cast<double>(value);
}

// The remainder of entry (i, j) at stage s, exactly as the method states it.
double Remainder(const TWorkMatrix& m, std::size_t s, std::size_t i, std::size_t j, double p) {
    const double entry = m.At(i, j);
    const double remainder = Stored(static_cast<long double>(entry) -
                                    static_cast<long double>(m.At(i, s)) * m.At(s, j) * p);
    // A remainder below 1e-10 of the entry it came from is cancellation
    // noise and counts as an exact zero.
    return std::fabs(static_cast<long double>(remainder)) <
                   std::fabs(static_cast<long double>(entry)) * 1e-10L
               ? 0.0
               : remainder;
}

bool PivotCrossFinite(const TWorkMatrix& m, std::size_t s) {
    for (std::size_t j = s; j < m.Columns; ++j) {
        if (!std::isfinite(m.At(s, j)))
            return false;
    }
    for (std::size_t i = s; i < m.Rows; ++i) {
        if (!std::isfinite(m.At(i, s)))
            return false;
    }
    return true;
}

// One reduction stage on the part of m below and right of (s, s), with the
// non-zero pivot p in place there: d takes the pivot, and each remainder
// overwrites the entry it was computed from (row s and column s, which it
// reads, stay untouched).
//
// The knot systems are half zeros. Where the factor m(i,s) or m(s,j) is 0
// (and nothing involved is infinite or NaN), the product is a signed zero,
// so the remainder is the entry itself, or for a zero entry the signed zero
// that the same operations give in double: no extended arithmetic needed.
void ReduceStage(TWorkMatrix& m, std::size_t s, double& d, double p) {
    d = Stored(static_cast<long double>(d) * p);
    p = Stored(1.0L / p);
    const bool shortcuts = std::isfinite(p) && PivotCrossFinite(m, s);
    for (std::size_t i = s + 1; i < m.Rows; ++i) {
        const double factor = m.At(i, s);
        for (std::size_t j = s + 1; j < m.Columns; ++j) {
            if (shortcuts && (factor == 0.0 || m.At(s, j) == 0.0)) {
                double& entry = m.At(i, j);
                if (entry == 0.0)
                    entry = entry - factor * m.At(s, j) * p;
            } else {
                m.At(i, j) = Remainder(m, s, i, j, p);
            }
        }
    }
}

// The states of an elimination before each of its stages, from stage First
// on, as far as the stages need no row exchange (and no further than Last).
struct TStageRecord {
    std::size_t Rows = 0;
    std::size_t Columns = 0;
    std::size_t First = 0;
    std::vector<double> States; // one Rows x Columns block per stage
    std::vector<double> Accumulators;

    std::size_t LastRecorded() const { return First + Accumulators.size() - 1; }
    const double* StateBefore(std::size_t s) const {
        return States.data() + (s - First) * Rows * Columns;
    }
    double AccumulatorBefore(std::size_t s) const { return Accumulators[s - First]; }
};

TStageRecord RecordStages(TWorkMatrix m, double d, std::size_t first, std::size_t last) {
    TStageRecord record;
    record.Rows = m.Rows;
    record.Columns = m.Columns;
    record.First = first;
    record.States.reserve((last - first + 1) * m.Cells.size());
    for (std::size_t s = first;; ++s) {
        record.States.insert(record.States.end(), m.Cells.begin(), m.Cells.end());
        record.Accumulators.push_back(d);
        if (s == last || m.At(s, s) == 0.0)
            return record; // past a zero pivot the exchange may differ
        ReduceStage(m, s, d, m.At(s, s));
    }
}

constexpr std::size_t Keep = static_cast<std::size_t>(-1);

// The recorded state before stage s without row `row` and column `column`
// (Keep keeps them all), from row and column `from` on.
void CopyState(const TStageRecord& record, std::size_t s, std::size_t row, std::size_t column,
               std::size_t from, TWorkMatrix& out) {
    const double* state = record.StateBefore(s);
    out.Rows = record.Rows - from - (row == Keep ? 0 : 1);
    out.Columns = record.Columns - from - (column == Keep ? 0 : 1);
    out.Cells.resize(out.Rows * out.Columns);
    std::size_t target = 0;
    for (std::size_t i = from; i < record.Rows; ++i) {
        if (i == row)
            continue;
        for (std::size_t j = from; j < record.Columns; ++j) {
            if (j != column)
                out.Cells[target++] = state[i * record.Columns + j];
        }
    }
}

} // namespace

double Eliminate(double d, TWorkMatrix& m) {
    const std::size_t n = m.Rows;
    for (std::size_t s = 0;; ++s) {
        if (s + 1 == n)
            return Stored(static_cast<long double>(d) * m.At(s, s));

        double p = m.At(s, s);
        if (p == 0.0) {
            for (std::size_t i = s + 1; i < n; ++i) {
                if (m.At(i, s) != 0.0) {
                    for (std::size_t j = s; j < n; ++j)
                        std::swap(m.At(s, j), m.At(i, j));
                    break;
                }
            }
            p = m.At(s, s);
            if (p == 0.0)
                return 0.0;
            d = -d;
        }
        ReduceStage(m, s, d, p);
    }
}

// A minor goes through the very same operations as the whole matrix in its
// stages before min(i, j): the same pivots, the same remainders, the same
// rounding. Past that, the minors without the same row i (and a column
// j > i) share their stages before j with the whole matrix without row i;
// likewise for the same column. So each minor's elimination starts from a
// recorded state with bit-identical results, which saves most of the work
// of the inverse. Recording stops before any row exchange, whose choice of
// row the shared states could not reproduce.
std::vector<double> MinorDeterminants(const TWorkMatrix& whole) {
    const std::size_t n = whole.Rows;
    const std::size_t lastStage = n - 2; // the minors' final stage
    const TStageRecord all = RecordStages(whole, 1.0, 0, lastStage);
    std::vector<TStageRecord> withoutRow(n);
    std::vector<TStageRecord> withoutColumn(n);
    TWorkMatrix work;

    std::vector<double> minors(n * n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            const std::size_t early = std::min(i, j);
            const TStageRecord* from = &all;
            std::size_t start = std::min(early, all.LastRecorded());
            std::size_t row = i;
            std::size_t column = j;
            if (i != j && all.LastRecorded() >= early && early < lastStage) {
                // Continue along the whole matrix without the earlier of
                // the two, recorded once per row or column.
                TStageRecord& shared = i < j ? withoutRow[i] : withoutColumn[j];
                if (shared.Accumulators.empty()) {
                    CopyState(all, early, i < j ? i : Keep, i < j ? Keep : j, 0, work);
                    shared = RecordStages(work, all.AccumulatorBefore(early), early, lastStage);
                }
                from = &shared;
                start = std::min(std::max(i, j), shared.LastRecorded());
                row = i < j ? Keep : i;
                column = i < j ? j : Keep;
            }
            CopyState(*from, start, row, column, start, work);
            minors[i * n + j] = Eliminate(from->AccumulatorBefore(start), work);
        }
    }
    return minors;
}
