#include "engine/membership.h"

#include "engine/stored_value.h"

#include <algorithm>
#include <cmath>

namespace {

using R = TCurveDirection;
using K = TKnotKind;

// ((x^3*a + x^2*b) + c*x) + d at extended precision, powers by repeated
// multiplication; `first` is the index of a in the coefficients.
long double CubicAt(const TVector& u, std::size_t first, double x) {
    const long double xl = x;
    const long double x2 = xl * xl;
    const long double x3 = xl * xl * xl;
    return ((x3 * u[first] + x2 * u[first + 1]) + u[first + 2] * xl) + u[first + 3];
}

// The exact S-step both pieces approximate.
long double SmoothStepAt(const TMembershipCurve& curve, double x) {
    const long double t =
        (static_cast<long double>(x) - curve.X0) / (static_cast<long double>(curve.X1) - curve.X0);
    return 3.0L * (t * t) - 2.0L * (t * t * t);
}

long double LeftPiece(const TMembershipCurve& curve, double x) {
    return curve.ClosedForm ? SmoothStepAt(curve, x) : CubicAt(curve.Coefficients, 0, x);
}

long double RightPiece(const TMembershipCurve& curve, double x) {
    return curve.ClosedForm ? SmoothStepAt(curve, x) : CubicAt(curve.Coefficients, 4, x);
}

double RawMembership(const TMembershipCurve& curve, double x) {
    if (curve.Direction == R::Rising) {
        if (x <= curve.X0)
            return 0.0;
        if (x <= curve.XM)
            return Stored(LeftPiece(curve, x));
        if (x <= curve.X1)
            return Stored(RightPiece(curve, x));
        return 1.0;
    }
    // The upper bound is tested first: x >= X1 gives 0 without evaluating
    // the curve, which also covers a curve whose knots coincide.
    if (x >= curve.X1)
        return 0.0;
    if (x < curve.X0)
        return 1.0;
    if (x <= curve.XM)
        return Stored(1.0L - LeftPiece(curve, x));
    return Stored(1.0L - RightPiece(curve, x));
}

double Weighted(const TMembershipCurve& curve, double s) {
    return Stored((curve.Weight * s + 1.0L) - curve.Weight);
}

// The knot system in monomial form, every entry computed at extended
// precision and rounded to double when stored.
void BuildKnotSystem(double x0, double xm, double x1, TMatrix& a, TVector& b) {
    InitMatrix(8, 8, a);
    InitVector(8, b);
    const auto square = [](double x) { return Stored(static_cast<long double>(x) * x); };
    const auto cube = [](double x) { return Stored(static_cast<long double>(x) * x * x); };
    const auto threeSquares = [](double x) {
        return Stored(3.0L * (static_cast<long double>(x) * x));
    };
    const auto twice = [](double x) { return Stored(2.0L * x); };
    const auto sixTimes = [](double x) { return Stored(6.0L * x); };

    // p1(x0) = 0
    a[0] = {cube(x0), square(x0), x0, 1, 0, 0, 0, 0};
    b[0] = 0.0;
    // p1(xm) = 0.5
    a[1] = {cube(xm), square(xm), xm, 1, 0, 0, 0, 0};
    b[1] = 0.5;
    // p2(xm) = 0.5
    a[2] = {0, 0, 0, 0, cube(xm), square(xm), xm, 1};
    b[2] = 0.5;
    // p2(x1) = 1
    a[3] = {0, 0, 0, 0, cube(x1), square(x1), x1, 1};
    b[3] = 1.0;
    // p1'(x0) = 0
    a[4] = {threeSquares(x0), twice(x0), 1, 0, 0, 0, 0, 0};
    b[4] = 0.0;
    // p2'(x1) = 0
    a[5] = {0, 0, 0, 0, threeSquares(x1), twice(x1), 1, 0};
    b[5] = 0.0;
    // p1'(xm) = p2'(xm)
    a[6] = {threeSquares(xm), twice(xm), 1, 0, -threeSquares(xm), -twice(xm), -1, 0};
    b[6] = 0.0;
    // p1''(xm) = p2''(xm)
    a[7] = {sixTimes(xm), 2, 0, 0, -sixTimes(xm), -2, 0, 0};
    b[7] = 0.0;
}

// Whether the solved pieces, evaluated as MembershipValue evaluates them,
// meet the four knot values. Written so that NaN fails.
bool MeetsKnotConditions(const TMembershipCurve& curve) {
    constexpr double tolerance = 1e-6;
    const TVector& u = curve.Coefficients;
    const double misses[] = {
        std::fabs(Stored(CubicAt(u, 0, curve.X0))),
        std::fabs(Stored(CubicAt(u, 0, curve.XM)) - 0.5),
        std::fabs(Stored(CubicAt(u, 4, curve.XM)) - 0.5),
        std::fabs(Stored(CubicAt(u, 4, curve.X1)) - 1.0),
    };
    return std::all_of(std::begin(misses), std::end(misses),
                       [](double miss) { return miss <= tolerance; });
}

// Solves the knot system of the curve's knots for its coefficients, falling
// back on the exact S-step when that fails or misses the knots.
TMembershipCurve SolveCurve(TMembershipCurve curve) {
    TMatrix a;
    TVector b;
    BuildKnotSystem(curve.X0, curve.XM, curve.X1, a, b);
    TVector u;
    LSystem(a, b, u);
    if (MatrixError() || u.size() != 8) {
        curve.ClosedForm = true;
        return curve;
    }
    curve.Coefficients = std::move(u);
    curve.ClosedForm = !MeetsKnotConditions(curve);
    return curve;
}

} // namespace

const std::array<TCriterionRule, CriterionRuleCount> CriterionRules = {{
    {R::Falling, K::Spread, 1.0L},     // internal 0: cost
    {R::Falling, K::Spread, 0.5L},     // internal 1: labour intensity
    {R::Falling, K::FixedScale, 0.8L}, // internal 2: injury hazard
    {R::Rising, K::FixedScale, 0.4L},  // internal 3: reliability
    {R::Rising, K::FixedScale, 0.1L},  // internal 4: waste-free work
    {R::Falling, K::FixedScale, 0.4L}, // internal 5: air pollution
    {R::Falling, K::FixedScale, 0.7L}, // internal 6: fire hazard
    {R::Rising, K::FixedScale, 1.0L},  // internal 7: durability
    {R::Rising, K::FixedScale, 0.1L},  // internal 8: aesthetics
    {R::Falling, K::Spread, 0.1L},     // internal 9: light reflectance
    {R::Falling, K::FixedScale, 0.2L}, // external 0: rainy weather
    {R::Falling, K::FixedScale, 0.2L}, // external 1: power cuts
    {R::Falling, K::FixedScale, 0.5L}, // external 2: hidden defects
    {R::Falling, K::FixedScale, 0.1L}, // external 3: material supply
    {R::Falling, K::FixedScale, 0.2L}, // external 4: broken drainage
}};

TMembershipCurve BuildMembershipCurve(const TCriterionRule& rule,
                                      const std::vector<std::optional<double>>& values) {
    TMembershipCurve curve;
    curve.Direction = rule.Direction;
    curve.Weight = rule.Weight;

    if (rule.Knots == K::FixedScale) {
        curve.X0 = 1.0;
        curve.XM = 5.5;
        curve.X1 = 10.0;
    } else {
        bool any = false;
        for (const std::optional<double>& value : values) {
            if (!value)
                continue;
            if (!any || *value < curve.X0)
                curve.X0 = *value;
            if (!any || *value > curve.X1)
                curve.X1 = *value;
            any = true;
        }
        curve.XM = Stored((static_cast<long double>(curve.X1) + curve.X0) / 2.0L);
    }

    if (!(curve.X0 < curve.X1)) {
        // Coinciding knots: no curve between them to solve for, and every
        // value lies on a flat end (see RawMembership).
        curve.ClosedForm = true;
        return curve;
    }
    if (rule.Knots == K::FixedScale) {
        // Twelve of the fifteen criteria share these knots, and the solve is
        // deterministic: solving once gives the very same coefficients.
        static const TMembershipCurve fixedScale = SolveCurve(curve);
        curve.Coefficients = fixedScale.Coefficients;
        curve.ClosedForm = fixedScale.ClosedForm;
        return curve;
    }
    return SolveCurve(curve);
}

double MembershipValue(const TMembershipCurve& curve, double x) {
    return Weighted(curve, RawMembership(curve, x));
}

double MissingMembershipValue(const TMembershipCurve& curve) {
    return Weighted(curve, 0.0);
}
