// Membership curves: the solved S-curve on the fixed scale and on spread
// knots, the weighting, the piece boundaries, and the mended cases (values
// beyond the end knot, missing values, ill-conditioned knot systems,
// coinciding knots).

#include "engine/membership.h"

#include <QtTest>

#include <cmath>

using TValues = std::vector<std::optional<double>>;
Q_DECLARE_METATYPE(TValues)
Q_DECLARE_METATYPE(TVector)
Q_DECLARE_METATYPE(TCurveDirection)
Q_DECLARE_METATYPE(TKnotKind)

namespace {

const TValues NoValues;

bool Near(double actual, double expected) {
    return std::fabs(actual - expected) <= 1e-12;
}

} // namespace

class TestMembership : public QObject {
    Q_OBJECT

private slots:
    // The whole table of criterion rules, row by row: a changed direction,
    // knot kind or weight of any criterion changes every search it takes part in.
    void rules_data() {
        QTest::addColumn<int>("rule");
        QTest::addColumn<TCurveDirection>("direction");
        QTest::addColumn<TKnotKind>("knots");
        QTest::addColumn<int>("weightTenths");
        const auto row = [](const char* name, int rule, TCurveDirection direction, TKnotKind knots,
                            int tenths) {
            QTest::newRow(name) << rule << direction << knots << tenths;
        };
        const TCurveDirection up = TCurveDirection::Rising;
        const TCurveDirection down = TCurveDirection::Falling;
        const TKnotKind spread = TKnotKind::Spread;
        const TKnotKind fixed = TKnotKind::FixedScale;
        row("internal 0 cost", 0, down, spread, 10);
        row("internal 1 labour", 1, down, spread, 5);
        row("internal 2 injury hazard", 2, down, fixed, 8);
        row("internal 3 reliability", 3, up, fixed, 4);
        row("internal 4 waste-free work", 4, up, fixed, 1);
        row("internal 5 air pollution", 5, down, fixed, 4);
        row("internal 6 fire hazard", 6, down, fixed, 7);
        row("internal 7 durability", 7, up, fixed, 10);
        row("internal 8 aesthetics", 8, up, fixed, 1);
        row("internal 9 light reflectance", 9, down, spread, 1);
        row("external 0 rainy weather", 10, down, fixed, 2);
        row("external 1 power cuts", 11, down, fixed, 2);
        row("external 2 hidden defects", 12, down, fixed, 5);
        row("external 3 material supply", 13, down, fixed, 1);
        row("external 4 broken drainage", 14, down, fixed, 2);
    }
    void rules() {
        QFETCH(int, rule);
        QFETCH(TCurveDirection, direction);
        QFETCH(TKnotKind, knots);
        QFETCH(int, weightTenths);
        QCOMPARE(int(CriterionRules.size()), 15);
        const TCriterionRule& actual = CriterionRules[std::size_t(rule)];
        QCOMPARE(actual.Direction, direction);
        QCOMPARE(actual.Knots, knots);
        // The nearest extended value to the weight (a correctly rounded
        // division), not the double 0,7 widened.
        const long double weight = weightTenths / 10.0L;
        QCOMPARE(actual.Weight, weight);
        if (weightTenths % 5 != 0)
            QVERIFY(actual.Weight != static_cast<long double>(static_cast<double>(weight)));
        QCOMPARE(&actual, rule < InternalCriterionCount
                              ? &InternalRule(rule)
                              : &ExternalRule(rule - InternalCriterionCount));
    }

    void fixedScale_data() {
        QTest::addColumn<int>("rule"); // 0..14, internal first
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("expected");
        QTest::newRow("rising at the lower knot") << 7 << 1.0 << 0.0;
        QTest::newRow("rising at the middle knot") << 7 << 5.5 << 0.5;
        QTest::newRow("rising at the upper knot") << 7 << 10.0 << 1.0;
        QTest::newRow("rising quarter") << 7 << 3.25 << 0.15625;
        QTest::newRow("rising three quarters") << 7 << 7.75 << 0.84375;
        QTest::newRow("falling, w 0,5, upper knot") << 12 << 10.0 << 0.5;
        QTest::newRow("falling, w 0,5, lower knot") << 12 << 1.0 << 1.0;
        QTest::newRow("falling, w 0,5, middle knot") << 12 << 5.5 << 0.75;
        QTest::newRow("falling, w 0,8, upper knot") << 2 << 10.0 << 0.2;
        QTest::newRow("rising beyond the upper knot") << 7 << 11.0 << 1.0;
        QTest::newRow("rising below the lower knot") << 7 << 0.0 << 0.0;
        QTest::newRow("falling below the lower knot") << 2 << 0.5 << 1.0;
        QTest::newRow("falling beyond the upper knot") << 2 << 12.0 << 0.2;
    }

    void fixedScale() {
        QFETCH(int, rule);
        QFETCH(double, x);
        QFETCH(double, expected);
        const TMembershipCurve curve = BuildMembershipCurve(CriterionRules[rule], NoValues);
        QVERIFY(!curve.ClosedForm);
        const double value = MembershipValue(curve, x);
        QVERIFY2(Near(value, expected), qPrintable(QString::number(value, 'g', 17)));
    }

    // The solved coefficients, not the exact curve, give these doubles; an
    // independent implementation of the same path gets the same bits.
    void solvedCurveIsUsedWhereWellConditioned() {
        const TMembershipCurve curve = BuildMembershipCurve(InternalRule(7), NoValues);
        QCOMPARE(curve.Coefficients.size(), std::size_t(8));
        QVERIFY(MembershipValue(curve, 3.25) == 0.15624999999999906);
        QVERIFY(MembershipValue(curve, 10.0) == 1.0000000000000098);
        const TMembershipCurve spread = BuildMembershipCurve(InternalRule(0), {100.0, 250.0});
        QVERIFY(!spread.ClosedForm);
        QVERIFY(MembershipValue(spread, 137.5) == 0.843750000000002);
    }

    // The coefficients the cofactor solve gives, to the last bit, for knots
    // of several sizes (including a zero lower knot, whose zero leading
    // element forces a row exchange).
    void solvedCoefficients_data() {
        QTest::addColumn<int>("rule");
        QTest::addColumn<TValues>("values");
        QTest::addColumn<TVector>("expected");
        QTest::newRow("fixed scale")
            << 7 << TValues{}
            << TVector{-0x1.67980e0bf08bcp-9, 0x1.72d4ce7c500fdp-5,  -0x1.511e8d2b31837p-4,
                       0x1.45e1ccbad1fecp-5,  -0x1.67980e0bf08ecp-9, 0x1.72d4ce7c50138p-5,
                       -0x1.511e8d2b3185p-4,  0x1.45e1ccbad1f8p-5};
        QTest::newRow("costs 100 to 250")
            << 0 << TValues{100.0, 250.0}
            << TVector{-0x1.3e254e465d6f4p-21, 0x1.463940c326d04p-12, -0x1.6c16c16c16bfcp-5,
                       0x1.ed097b425ecd6p+0,   -0x1.3e254e465d7ap-21, 0x1.463940c326d94p-12,
                       -0x1.6c16c16c16cap-5,   0x1.ed097b425edep+0};
        QTest::newRow("labour 0,3 to 1,2")
            << 1 << TValues{0.3, 1.2}
            << TVector{-0x1.5f2a7db7a8e84p+1, 0x1.8b0fcd6e9e04ep+2, -0x1.7b425ed097b34p+1,
                       0x1.a12f684bda118p-2,  -0x1.5f2a7db7a8e9p+1, 0x1.8b0fcd6e9e06p+2,
                       -0x1.7b425ed097b2p+1,  0x1.a12f684bda08p-2};
        QTest::newRow("reflectance 0 to 7,5")
            << 9 << TValues{0.0, 7.5}
            << TVector{-0x1.36b06e70b7412p-8, 0x1.b4e81b4e81b4ap-5, 0x0p+0,  0x0p+0,
                       -0x1.36b06e70b742p-8,  0x1.b4e81b4e81b48p-5, 0x1p-52, 0x1p-51};
    }

    void solvedCoefficients() {
        QFETCH(int, rule);
        QFETCH(TValues, values);
        QFETCH(TVector, expected);
        const TMembershipCurve curve = BuildMembershipCurve(CriterionRules[rule], values);
        QVERIFY(!curve.ClosedForm);
        QCOMPARE(curve.Coefficients, expected);
    }

    void lowWeightNeverFallsFar() {
        for (int rule : {4, 8, InternalCriterionCount + 3}) {
            const TMembershipCurve curve = BuildMembershipCurve(CriterionRules[rule], NoValues);
            for (double x = 1.0; x <= 10.0; x += 0.25)
                QVERIFY(MembershipValue(curve, x) >= 0.9 - 1e-15);
        }
    }

    void spreadKnots() {
        const TMembershipCurve curve = BuildMembershipCurve(InternalRule(0), {250.0, 100.0, 175.0});
        QCOMPARE(curve.X0, 100.0);
        QCOMPARE(curve.XM, 175.0);
        QCOMPARE(curve.X1, 250.0);
        QVERIFY(Near(MembershipValue(curve, 100.0), 1.0));
        QVERIFY(Near(MembershipValue(curve, 175.0), 0.5));
        // The upper knot gives 0 without evaluating the curve.
        QCOMPARE(MembershipValue(curve, 250.0), 0.0);
    }

    // At the middle knot the left piece serves both directions.
    void middleKnotUsesTheLeftPiece_data() {
        QTest::addColumn<bool>("rising");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("expected");
        QTest::newRow("rising at the knot") << true << 5.5 << 0.25;
        QTest::newRow("rising above it") << true << 5.75 << 0.75;
        QTest::newRow("falling at the knot") << false << 5.5 << 0.75;
        QTest::newRow("falling above it") << false << 5.75 << 0.25;
    }

    void middleKnotUsesTheLeftPiece() {
        QFETCH(bool, rising);
        QFETCH(double, x);
        QFETCH(double, expected);
        TMembershipCurve curve; // constant pieces tell them apart
        curve.X0 = 1.0;
        curve.XM = 5.5;
        curve.X1 = 10.0;
        curve.Direction = rising ? TCurveDirection::Rising : TCurveDirection::Falling;
        curve.Coefficients = {0, 0, 0, 0.25, 0, 0, 0, 0.75};
        QCOMPARE(MembershipValue(curve, x), expected);
    }

    void missingValueEarnsNothing() {
        QCOMPARE(MissingMembershipValue(BuildMembershipCurve(InternalRule(0), {1.0, 2.0})), 0.0);
        QCOMPARE(MissingMembershipValue(BuildMembershipCurve(InternalRule(3), NoValues)), 0.6);
        QCOMPARE(MissingMembershipValue(BuildMembershipCurve(ExternalRule(2), NoValues)), 0.5);
        // Spread knots come from the present values only.
        const TMembershipCurve curve =
            BuildMembershipCurve(InternalRule(0), {std::nullopt, 300.0, 120.0, std::nullopt});
        QCOMPARE(curve.X0, 120.0);
        QCOMPARE(curve.X1, 300.0);
    }

    // Close knots of some size make the monomial system so ill-conditioned
    // that its solution is far off (raw memberships like -11 or 503); those
    // curves use the exact S-step instead.
    void illConditionedKnotsUseTheExactCurve_data() {
        QTest::addColumn<int>("rule");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::newRow("costs 1000 and 1001") << 0 << 1000.0 << 1001.0;
        QTest::newRow("labour 2,17 and 2,18") << 1 << 2.17 << 2.18;
        QTest::newRow("costs 5000 and 5100") << 0 << 5000.0 << 5100.0;
    }

    void illConditionedKnotsUseTheExactCurve() {
        QFETCH(int, rule);
        QFETCH(double, low);
        QFETCH(double, high);
        const TMembershipCurve curve = BuildMembershipCurve(CriterionRules[rule], {low, high});
        QVERIFY(curve.ClosedForm);
        const long double w = CriterionRules[rule].Weight;
        const auto weighted = [w](long double s) { return double((w * s + 1.0L) - w); };
        QCOMPARE(MembershipValue(curve, low), 1.0);
        QCOMPARE(MembershipValue(curve, high), weighted(0.0L));
        QVERIFY(Near(MembershipValue(curve, curve.XM), weighted(0.5L)));
        const double quarter = low + (high - low) / 4;
        QVERIFY(Near(MembershipValue(curve, quarter), weighted(1.0L - 0.15625L)));
        for (int step = 0; step <= 40; ++step) {
            const double value = MembershipValue(curve, low + (high - low) * step / 40);
            QVERIFY(value >= double(1.0L - w) - 1e-15 && value <= 1.0 + 1e-15);
        }
    }

    // Fewer than two distinct present values leave the knots together; every
    // value then lies on a flat end: no division by zero, no NaN.
    void coincidingKnotsStayFinite_data() {
        QTest::addColumn<TValues>("values");
        QTest::newRow("one value") << TValues{7.0, 7.0};
        QTest::newRow("no value") << TValues{std::nullopt, std::nullopt};
    }

    void coincidingKnotsStayFinite() {
        QFETCH(TValues, values);
        for (int rule : {0, 1, 9}) {
            const TMembershipCurve curve = BuildMembershipCurve(CriterionRules[rule], values);
            QCOMPARE(MembershipValue(curve, 7.0), double(1.0L - CriterionRules[rule].Weight));
            QCOMPARE(MissingMembershipValue(curve), double(1.0L - CriterionRules[rule].Weight));
        }
        TCriterionRule rising = InternalRule(0);
        rising.Direction = TCurveDirection::Rising;
        const TMembershipCurve curve = BuildMembershipCurve(rising, values);
        QVERIFY(std::isfinite(MembershipValue(curve, 7.0)));
        QVERIFY(std::isfinite(MembershipValue(curve, 8.0)));
    }

    // Huge values overflow the stored powers; the curve still gives finite
    // memberships in range.
    void hugeSpreadStaysInRange() {
        const TMembershipCurve curve = BuildMembershipCurve(InternalRule(0), {1e200, 3e200});
        QVERIFY(curve.ClosedForm);
        QVERIFY(Near(MembershipValue(curve, 2e200), 0.5));
    }
};

QTEST_APPLESS_MAIN(TestMembership)
#include "tst_membership.moc"
