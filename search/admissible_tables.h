#pragma once
// The two tables of admissible variants as texts, for the analysis window:
// row 0 the headings, rows 1..N the variants in catalogue order; column 0 is
// an empty narrow column, 1 the name, 2 the process composition and
// criterion i column i + 3. A hidden column keeps its index and its texts.

#include "engine/technology_variant.h"

#include <string>
#include <vector>

struct TAdmissibleTable {
    std::vector<std::vector<std::string>> Cells; // [row][column]
    std::vector<bool> HiddenColumns;             // one per column
};

// 13 columns: the ten internal criteria; inactive criteria are hidden.
TAdmissibleTable InternalAdmissibleTable(const TCandidateSet& candidates);

// 8 columns: the five external factors; inactive factors are hidden.
TAdmissibleTable ExternalAdmissibleTable(const TCandidateSet& candidates);
