#pragma once
// The search request: the window's inputs checked, clamped and read.

#include "search/search_inputs.h"

#include <QString>

#include <array>
#include <variant>

// Everything entered in the main window once validation has passed, each
// number as the value read from its field. The texts stay in the inputs,
// which validation rewrites where it clamps; the report prints those.
struct TSearchRequest {
    QString Address;
    int CriteriaGroup = NoGroup;
    int Subject = NoSubject;
    double Slope = 0.0;    // -2 to 100
    int RepairVolume = 0;  // 0 to 40000
    int RoofThickness = 1; // 1 to 100
    // A whole number of roubles with no upper bound: a typed limit beyond
    // every 64-bit integer must still admit every cost, so the value is held
    // at extended precision (exact up to 2^64).
    long double MaxCost = 0.0L;
    int AirTemperature = 0; // -25 to 45
    int Wear = 0;           // 0 to 100
    bool OpenFireAllowed = false;
    bool WeightingAllowed = false;
    bool PowerSupplyAccess = false;
    std::array<bool, InternalCriterionCount> InternalCriteria{};
    std::array<bool, ExternalFactorCount> ExternalFactors{};
};

// A check that failed: the message the search shows before it ends.
struct TRequestMessage {
    QString Text;
};

// Checks the criteria group, then the subject, then clamps the six numbers
// field by field (slope, volume, thickness, cost, temperature, wear). A
// clamped field's text is rewritten in `inputs` and stays rewritten even when
// a later field then fails to read; the failing field and those after it are
// left untouched.
std::variant<TSearchRequest, TRequestMessage> ValidateSearchRequest(SearchInputs& inputs);
