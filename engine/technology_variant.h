#pragma once
// One catalogue row and the set of admissible variants handed to the engine.
// Texts are UTF-8. Criterion values travel as the catalogue's own decimal text
// with the comma ("350", "0,45", "" for an empty cell), so every later step
// reads exactly the stored value.

#include <array>
#include <string>
#include <vector>

constexpr int InternalCriterionCount = 10;
constexpr int ExternalFactorCount = 5;
// The bundled catalogue holds this many variants. A search takes the figure
// from the catalogue it reads; this one stands where no catalogue was read.
constexpr int CatalogueSize = 21;

struct TTechnologyVariant {
    std::string Name;
    std::string ProcessComposition;
    // The filter bounds, as the catalogue holds them (informational: the
    // filter itself compares inside the database).
    std::string MaxSlope;
    std::string MinSlope;
    std::string MinThickness;
    std::string MinTemperature;
    std::string MinVolume;
    std::string MaxWear;
    std::string MinWear;
    int NoOpenFire = 0;
    int NoWeighting = 0;
    int NoPowerSupply = 0;
    std::array<std::string, InternalCriterionCount> InternalValues;
    std::array<std::string, ExternalFactorCount> ExternalValues;
};

struct TCandidateSet {
    std::vector<TTechnologyVariant> Variants; // catalogue order
    std::array<bool, InternalCriterionCount> ActiveInternal{};
    std::array<bool, ExternalFactorCount> ActiveExternal{};
};
