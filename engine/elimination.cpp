#include "engine/elimination.h"

#include "engine/stored_value.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// A remainder below 1e-10 of the entry it came from is cancellation noise
// and counts as an exact zero; the bound is taken at extended precision.
// Double arithmetic decides all but the cases within a relative 2^-50 of the
// bound (its error is below 2^-51), which the extended comparison settles.
bool IsCancellationNoise(double remainder, double entry) {
    const double size = std::fabs(remainder);
    const double limit = std::fabs(entry) * 1e-10;
    if (limit > 1e-290 && limit < 1e290) {
        if (size < limit * (1.0 - 0x1p-50))
            return true;
        if (size > limit * (1.0 + 0x1p-50))
            return false;
    }
    return std::fabs(static_cast<long double>(remainder)) <
           std::fabs(static_cast<long double>(entry)) * 1e-10L;
}

// The remainder of entry (i, j) at stage s, exactly as the method states it.
double Remainder(const TWorkMatrix& m, std::size_t s, std::size_t i, std::size_t j, double p) {
    const double entry = m.At(i, j);
    const double remainder = Stored(static_cast<long double>(entry) -
                                    static_cast<long double>(m.At(i, s)) * m.At(s, j) * p);
    return IsCancellationNoise(remainder, entry) ? 0.0 : remainder;
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

// The states of an elimination before each of its stages from stage First
// on, with the row exchanges it made. Recording ends at the last stage asked
// for, or at a zero pivot with no row to exchange. Rows are known by their
// original index, since exchanges move them.
struct TStageRecord {
    std::size_t Rows = 0;
    std::size_t Columns = 0;
    std::size_t First = 0;
    std::vector<double> States;        // one Rows x Columns block per stage
    std::vector<double> Accumulators;  // one per stage
    std::vector<std::size_t> Orders;   // one Rows block per stage: the row at each position
    std::vector<std::size_t> Partners; // per stage carried out: the position exchanged with s

    std::size_t LastRecorded() const { return First + Accumulators.size() - 1; }
    const double* StateBefore(std::size_t s) const {
        return States.data() + (s - First) * Rows * Columns;
    }
    double AccumulatorBefore(std::size_t s) const { return Accumulators[s - First]; }
    std::size_t PositionBefore(std::size_t s, std::size_t row) const {
        const std::size_t* order = Orders.data() + (s - First) * Rows;
        return static_cast<std::size_t>(std::find(order, order + Rows, row) - order);
    }
};

// Records the elimination of m (which it carries out in place) from stage
// `first`, with `order` the rows at their positions (kept up to date), into
// `record`, whose storage is reused.
void RecordStages(TWorkMatrix& m, std::vector<std::size_t>& order, double d, std::size_t first,
                  std::size_t last, TStageRecord& record) {
    record.Rows = m.Rows;
    record.Columns = m.Columns;
    record.First = first;
    record.States.clear();
    record.Accumulators.clear();
    record.Orders.clear();
    record.Partners.clear();
    for (std::size_t s = first;; ++s) {
        record.States.insert(record.States.end(), m.Cells.begin(), m.Cells.end());
        record.Accumulators.push_back(d);
        record.Orders.insert(record.Orders.end(), order.begin(), order.end());
        if (s == last)
            return;
        std::size_t partner = s;
        if (m.At(s, s) == 0.0) {
            for (std::size_t i = s + 1; i < m.Rows && partner == s; ++i) {
                if (m.At(i, s) != 0.0)
                    partner = i;
            }
            if (partner == s)
                return; // a zero determinant from here on
            for (std::size_t j = 0; j < m.Columns; ++j)
                std::swap(m.At(s, j), m.At(partner, j));
            std::swap(order[s], order[partner]);
            d = -d;
        }
        record.Partners.push_back(partner);
        ReduceStage(m, s, d, m.At(s, s));
    }
}

// Working storage of MinorDeterminants, kept from one call to the next (one
// per thread) so that its buffers are allocated once.
struct TCofactorScratch {
    TStageRecord All;
    std::vector<TStageRecord> WithoutRow;
    std::vector<TStageRecord> WithoutColumn;
    std::vector<char> RowRecorded;
    std::vector<char> ColumnRecorded;
    TWorkMatrix Work;
    std::vector<std::size_t> Order;
};

constexpr std::size_t Keep = static_cast<std::size_t>(-1);

// The recorded state before stage s without row `row` and column `column`
// (Keep keeps them all; otherwise they are at least `from`), from row and
// column `from` on.
void CopyState(const TStageRecord& record, std::size_t s, std::size_t row, std::size_t column,
               std::size_t from, TWorkMatrix& out) {
    const double* state = record.StateBefore(s);
    out.Rows = record.Rows - from - (row == Keep ? 0 : 1);
    out.Columns = record.Columns - from - (column == Keep ? 0 : 1);
    out.Cells.resize(out.Rows * out.Columns);
    double* target = out.Cells.data();
    for (std::size_t i = from; i < record.Rows; ++i) {
        if (i == row)
            continue;
        const double* source = state + i * record.Columns;
        if (column == Keep) {
            target = std::copy(source + from, source + record.Columns, target);
        } else {
            target = std::copy(source + from, source + column, target);
            target = std::copy(source + column + 1, source + record.Columns, target);
        }
    }
}

// The first recorded stage that a minor without row `row` and column
// `column` (Keep for none; the column in the record's own numbering) cannot
// share with the record: where the column becomes the pivot column or the
// row becomes the pivot row, by place or by exchange. The last recorded
// state when it shares them all.
std::size_t PartingStage(const TStageRecord& record, std::size_t row, std::size_t column) {
    for (std::size_t s = record.First; s < record.LastRecorded(); ++s) {
        if (s == column)
            return s;
        if (row != Keep) {
            const std::size_t position = record.PositionBefore(s, row);
            if (position == s || record.Partners[s - record.First] == position)
                return s;
        }
    }
    return record.LastRecorded();
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

// A minor goes through the very same operations as the whole matrix until
// its missing column becomes the pivot column or its missing row takes part
// in a stage (as the pivot row or as the row exchanged into that place):
// the same pivots, the same exchanges, the same remainders and rounding.
// Past that point, the minors without the same row share their further
// stages with the whole matrix without that row, until their own missing
// column comes up; likewise the minors without the same column. So each
// minor's elimination starts from a recorded state, with bit-identical
// results, which saves most of the work of the inverse.
std::vector<double> MinorDeterminants(const TWorkMatrix& whole, double& determinant) {
    thread_local TCofactorScratch scratch;
    const std::size_t n = whole.Rows;
    const std::size_t lastStage = n - 2; // the minors' final stage
    TWorkMatrix& work = scratch.Work;
    std::vector<std::size_t>& order = scratch.Order;
    order.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = i;
    work = whole;
    RecordStages(work, order, 1.0, 0, lastStage, scratch.All);
    const TStageRecord& all = scratch.All;

    // The whole matrix's own elimination goes on from its last state.
    CopyState(all, all.LastRecorded(), Keep, Keep, all.LastRecorded(), work);
    determinant = Eliminate(all.AccumulatorBefore(all.LastRecorded()), work);

    // Recorded when first needed: the whole matrix without one row, or
    // without one column, from the stage where it parts from the whole
    // matrix on.
    scratch.WithoutRow.resize(n);
    scratch.WithoutColumn.resize(n);
    scratch.RowRecorded.assign(n, 0);
    scratch.ColumnRecorded.assign(n, 0);
    const auto ordersBefore = [&](std::size_t from) {
        const auto begin = all.Orders.begin() + static_cast<std::ptrdiff_t>((from - all.First) * n);
        order.assign(begin, begin + static_cast<std::ptrdiff_t>(n));
    };
    const auto rowRecord = [&](std::size_t row, std::size_t from) -> const TStageRecord& {
        TStageRecord& record = scratch.WithoutRow[row];
        if (!scratch.RowRecorded[row]) {
            CopyState(all, from, all.PositionBefore(from, row), Keep, 0, work);
            ordersBefore(from);
            order.erase(std::find(order.begin(), order.end(), row));
            RecordStages(work, order, all.AccumulatorBefore(from), from, lastStage, record);
            scratch.RowRecorded[row] = 1;
        }
        return record;
    };
    const auto columnRecord = [&](std::size_t column, std::size_t from) -> const TStageRecord& {
        TStageRecord& record = scratch.WithoutColumn[column];
        if (!scratch.ColumnRecorded[column]) {
            CopyState(all, from, Keep, column, 0, work);
            ordersBefore(from);
            RecordStages(work, order, all.AccumulatorBefore(from), from, lastStage, record);
            scratch.ColumnRecorded[column] = 1;
        }
        return record;
    };

    std::vector<double> minors(n * n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t rowParts = PartingStage(all, i, Keep);
        for (std::size_t j = 0; j < n; ++j) {
            const std::size_t columnParts = PartingStage(all, Keep, j);
            const TStageRecord* from = &all;
            std::size_t start = std::min(rowParts, columnParts);
            std::size_t row = i;
            std::size_t column = j;
            if (start < all.LastRecorded() && rowParts < columnParts) {
                from = &rowRecord(i, rowParts);
                start = PartingStage(*from, Keep, j);
                row = Keep;
            } else if (start < all.LastRecorded() && columnParts < rowParts) {
                from = &columnRecord(j, columnParts);
                start = PartingStage(*from, i, Keep);
                column = Keep;
            }
            const std::size_t position = row == Keep ? Keep : from->PositionBefore(start, row);
            CopyState(*from, start, position, column, start, work);
            minors[i * n + j] = Eliminate(from->AccumulatorBefore(start), work);
        }
    }
    return minors;
}
