#pragma once
// Membership curves: each criterion value becomes a weighted degree of
// membership in the fuzzy set of variants that are good by that criterion.
// The curve is a smooth S-shaped step of two cubic pieces whose coefficients
// come from an 8 x 8 knot system.

#include "engine/matrix_routines.h"
#include "engine/technology_variant.h"

#include <array>
#include <optional>
#include <vector>

enum class TCurveDirection {
    Rising, // the larger the value, the better
    Falling // the smaller the value, the better
};

enum class TKnotKind {
    FixedScale, // knots 1, 5,5 and 10: the catalogue's score scale
    Spread      // knots at the least, middle and greatest value of this search
};

struct TCriterionRule {
    TCurveDirection Direction = TCurveDirection::Rising;
    TKnotKind Knots = TKnotKind::FixedScale;
    // Extended precision: the weights 0,4, 0,1, 0,8, 0,7 and 0,2 are not
    // doubles, and their extended rounding is what the results rest on.
    long double Weight = 1.0L;
};

constexpr int CriterionRuleCount = InternalCriterionCount + ExternalFactorCount;

// Internal criteria 0..9 first, then external factors 0..4.
extern const std::array<TCriterionRule, CriterionRuleCount> CriterionRules;

inline const TCriterionRule& InternalRule(int index) {
    return CriterionRules[index];
}
inline const TCriterionRule& ExternalRule(int index) {
    return CriterionRules[InternalCriterionCount + index];
}

struct TMembershipCurve {
    double X0 = 0.0; // lower knot
    double XM = 0.0; // middle knot: where the pieces meet
    double X1 = 0.0; // upper knot
    TCurveDirection Direction = TCurveDirection::Rising;
    long double Weight = 1.0L;
    // u0..u3: left piece p1, used up to XM; u4..u7: right piece p2.
    TVector Coefficients;
    // Set when the knot system could not be solved, or its solution misses
    // its own knot conditions (knots close together relative to their size
    // make the monomial system too ill-conditioned): the pieces are then the
    // exact curve 3t^2 - 2t^3, t = (x - X0) / (X1 - X0), which the solved
    // coefficients only approximate.
    bool ClosedForm = false;
};

// Builds the curve of one criterion. `values` are the criterion's values for
// all admissible variants (nullopt = missing); spread knots use the present
// ones only. With fewer than two distinct present values a spread curve has
// X0 == X1 and every value falls on a flat end, so nothing divides by zero.
TMembershipCurve BuildMembershipCurve(const TCriterionRule& rule,
                                      const std::vector<std::optional<double>>& values);

// The weighted membership (w*s + 1) - w of value x, s the raw membership.
// Beyond the knot where the raw curve reaches 1 (above X1 rising, below X0
// falling) s is 1.
double MembershipValue(const TMembershipCurve& curve, double x);

// A missing value earns no credit: raw membership 0, the worst, so the
// weighted membership is 1 - w.
double MissingMembershipValue(const TMembershipCurve& curve);
