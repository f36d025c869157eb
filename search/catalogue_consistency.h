#pragma once
// Rules every catalogue should keep so that its flags and risk scores agree
// with the process each row describes. A finding is advice for the person
// who edits the catalogue, not an error: the search runs whatever it finds.
#include "engine/technology_variant.h"
#include "filter_parameters.h"

#include <string>
#include <vector>

struct TCatalogueFinding {
    int Row = 0;        // position of the variant in catalogue order, from 1
    std::string Name;   // `Варианты технологии` of that variant
    std::string Column; // the catalogue column the finding is about
    std::string Text;   // what disagrees, in Russian
};

// The rows are recognised by the words of their process composition:
// torch-on work ("наплавл", "горелк") and hot mastic ("горяч... мастик",
// "разогрев") use open fire; "горячим воздухом" is hot-air welding; a row
// whose process takes the carpet off ("до основания", "снятие изношенного
// кровельного ковра") is a tear-off; a row that is no tear-off and takes off
// neither top layers nor blisters ("снятие верхних", "снятие вздут",
// "вырезка") keeps the old carpet.
std::vector<TCatalogueFinding>
CheckCatalogueConsistency(const std::vector<TTechnologyVariant>& variants);

// Filter bounds wide enough to admit every row whose compared cells hold
// numbers, whatever its flags: the whole catalogue through the one query.
TFilterParameters WholeCatalogueParameters();
