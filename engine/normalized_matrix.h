#pragma once
// A number as the engine keeps it, and the tables the engine builds from it.

#include <optional>
#include <string>
#include <vector>

// Text: the three-significant-digit rendering (ValueToText); Value: the
// double read back from Text (TextToValue). Later steps use Value only.
struct TRoundedValue {
    std::string Text;
    double Value = 0.0;
};

struct TNormalizedColumn {
    int CriterionIndex = 0; // internal 0..9 or external 0..4
    std::string Heading;
};

struct TNormalizedRow {
    std::string Name;
    std::string ProcessComposition;
    std::vector<TRoundedValue> Cells;       // one per criterion column
    std::optional<TRoundedValue> Aggregate; // Laplace or Wald cell, where the matrix has one
};

// Rows in the order the search leaves them (candidate order, or ranked for
// the matrix that was sorted); columns in ascending criterion index.
struct TNormalizedMatrix {
    std::vector<TNormalizedColumn> Columns;
    std::string AggregateHeading; // empty when the matrix has no aggregate column
    std::vector<TNormalizedRow> Rows;

    bool HasAggregate() const { return !AggregateHeading.empty(); }
};
