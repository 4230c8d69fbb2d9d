#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

using P = std::pair<double, double>;
using V = std::vector<P>;
using F = CVyMathFunction1D;
using J = std::vector<double>;

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(EditingRemove, RemovesTheFirstPointWithinTolerance) {
    F f = MakeFunction({{0, 0}, {1, 1}, {2, 4}}, 0, 2);
    EXPECT_FALSE(f.Remove(1.5));
    EXPECT_FALSE(f.Remove(3));
    EXPECT_TRUE(f.Remove(1.000001));
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {2, 4}}));
    EXPECT_TRUE(f.Remove(2));
    EXPECT_EQ(PointsOf(f), (V{{0, 0}}));
    F j(0, 10, 0);
    j.Set(5, 1, 2);
    EXPECT_FALSE(j.Remove(5)); // inside the jump window
    EXPECT_TRUE(j.Remove(5 - 1e-5));
    EXPECT_EQ(VyMathTestAccess::Jumps(j), J{5});
    F e = f;
    e.Clear(true);
    EXPECT_FALSE(e.Remove(0));
}

TEST(EditingListPoint, ModesForOpenEndsAppendToTheList) {
    F f;
    f.Set(1, 1);
    f.Set(2, 4);
    f.Set(3, 9);
    CVyMathFunction1D::PointList stored, finite, omit;
    stored.AddPoint({7, 7});
    f.GetListPoint(stored, F::ListAsStored);
    f.GetListPoint(finite, F::ListFiniteEnds);
    f.GetListPoint(omit, F::ListOmitOpenEnds);
    EXPECT_EQ(ItemsOf(stored), (V{{7, 7}, {-DBL_MAX, 0}, {1, 1}, {2, 4}, {3, 9}, {DBL_MAX, 0}}));
    EXPECT_EQ(ItemsOf(finite), (V{{0.8, 1}, {1, 1}, {2, 4}, {3, 9}, {3.2, 9}}));
    EXPECT_EQ(ItemsOf(omit), (V{{1, 1}, {2, 4}, {3, 9}}));
    CVyMathFunction1D::PointList none;
    F().GetListPoint(none, F::ListFiniteEnds);
    EXPECT_TRUE(ItemsOf(none).empty());
}

TEST(EditingShift, MovesDomainPointsAndJumps) {
    F f(0, 10, 0);
    f.Set(5, 1, 2);
    F same = f;
    same.ShiftOnX(1e-11);
    same.ShiftOnX(kNaN);
    same.ShiftOnX(kInf);
    EXPECT_EQ(PointsOf(same), PointsOf(f));
    f.ShiftOnX(2);
    auto pts = PointsOf(f);
    ASSERT_EQ(pts.size(), 4u);
    EXPECT_EQ(pts[0], P(2, 0));
    EXPECT_DOUBLE_EQ(pts[1].first, 7 - 1e-5);
    EXPECT_DOUBLE_EQ(pts[2].first, 7 + 1e-5);
    EXPECT_EQ(pts[3], P(12, 0));
    EXPECT_EQ(VyMathTestAccess::Jumps(f), J{7});
    double a, b;
    f.GetFullRange(a, b);
    EXPECT_EQ(P(a, b), P(2, 12));
    // An overflowing abscissa stays at DBL_MAX.
    F d;
    d.ShiftOnX(1e308);
    EXPECT_EQ(PointsOf(d), (V{{-DBL_MAX + 1e308, 0}, {DBL_MAX, 0}}));
}

TEST(EditingScale, FactorsZeroNaNAndInfinityChangeNothing) {
    F f = MakeFunction({{0, 1}, {1, 2}, {3, 5}}, 0, 3);
    const V before = PointsOf(f);
    f.ScaleOnX(0);
    f.ScaleOnY(0);
    f.Scale(2, 0);
    f.Scale(0, 2);
    f *= 0.0;
    f.ScaleOnX(kNaN);
    f.ScaleOnY(kNaN);
    f.ScaleOnY(kInf);
    f.Scale(2, kNaN);
    f *= kNaN;
    f += kNaN;
    EXPECT_EQ(PointsOf(f), before);
    EXPECT_EQ(PointsOf(f * 0.0), before);
    double a, b;
    f.GetFullRange(a, b);
    EXPECT_EQ(P(a, b), P(0, 3));
}

TEST(EditingScale, ScalesAbscissasOrdinatesAndClampsOverflow) {
    F f(0, 10, 0);
    f.Set(5, 1, 3);
    f.ScaleOnX(2);
    EXPECT_EQ(VyMathTestAccess::Jumps(f), J{10});
    double a, b;
    f.GetFullRange(a, b);
    EXPECT_EQ(P(a, b), P(0, 20));
    EXPECT_EQ(PointsOf(f)[1].first, (5 - 1e-5) * 2);
    f.ScaleOnY(2);
    EXPECT_EQ(PointsOf(f)[2].second, 6);
    F g = MakeFunction({{0, 1}, {1, 2}}, 0, 1);
    g.Scale(3, -2);
    EXPECT_EQ(PointsOf(g), (V{{0, -2}, {3, -4}}));
    F big = MakeFunction({{0, DBL_MAX / 2}, {1, -DBL_MAX / 2}}, 0, 1);
    big.ScaleOnY(10);
    EXPECT_EQ(PointsOf(big), (V{{0, DBL_MAX}, {1, -DBL_MAX}}));
}

TEST(EditingScale, NegativeAbscissaFactorMirrorsTheFunction) {
    F f(0, 3, 0);
    f.Set(1, 1);
    f.Set(2, 2, 4);
    f.ScaleOnX(-1);
    double a, b;
    f.GetFullRange(a, b);
    EXPECT_EQ(P(a, b), P(-3, 0));
    EXPECT_EQ(PointsOf(f), (V{{-3, 0}, {-(2 + 1e-5), 4}, {-(2 - 1e-5), 2}, {-1, 1}, {0, 0}}));
    EXPECT_EQ(VyMathTestAccess::Jumps(f), J{-2});
    double y;
    EXPECT_TRUE(f.GetOrdinate(-1, y));
    EXPECT_EQ(y, 1);
    EXPECT_TRUE(f.IsDiscontinued(-2));
    F g = MakeFunction({{0, 1}, {2, 3}}, 0, 2);
    g.Scale(-0.5, 2);
    EXPECT_EQ(PointsOf(g), (V{{-1, 6}, {0, 2}}));
}

TEST(EditingRevert, ReversesOrdinatesOverFixedAbscissas) {
    F f = MakeFunction({{0, 1}, {1, 2}, {3, 5}}, 0, 3);
    f.RevertValues();
    EXPECT_EQ(PointsOf(f), (V{{0, 5}, {1, 2}, {3, 1}}));
    F g = MakeFunction({{0, 1}, {1, 2}, {2, 3}, {3, 4}}, 0, 3);
    g.RevertValues();
    EXPECT_EQ(PointsOf(g), (V{{0, 4}, {1, 3}, {2, 2}, {3, 1}}));
    F one = MakeFunction({{0, 1}}, 0, 3);
    one.RevertValues();
    EXPECT_EQ(PointsOf(one), (V{{0, 1}}));
    F e = one;
    e.Clear(true);
    e.RevertValues();
    EXPECT_TRUE(PointsOf(e).empty());
}

TEST(EditingArithmetic, OrdinatesIndexByIndex) {
    F a = MakeFunction({{0, 1}, {1, 2}}, 0, 1);
    F b = MakeFunction({{0, 10}, {1, 20}}, 0, 1);
    EXPECT_EQ(PointsOf(a + b), (V{{0, 11}, {1, 22}}));
    EXPECT_EQ(PointsOf(operator-(a, b)), (V{{0, 9}, {1, 18}})); // b minus a
    EXPECT_EQ(PointsOf(a * 2.0), (V{{0, 2}, {1, 4}}));
    EXPECT_EQ(PointsOf(a), (V{{0, 1}, {1, 2}}));
    F copy = (a += 3.0);
    EXPECT_EQ(PointsOf(a), (V{{0, 4}, {1, 5}}));
    EXPECT_EQ(PointsOf(copy), PointsOf(a));
    copy += 1.0; // a copy: a is unchanged
    EXPECT_EQ(PointsOf(a), (V{{0, 4}, {1, 5}}));
    EXPECT_EQ(&(a += b), &a);
    EXPECT_EQ(PointsOf(a), (V{{0, 14}, {1, 25}}));
    EXPECT_EQ(&(a *= 0.5), &a);
    EXPECT_EQ(PointsOf(a), (V{{0, 7}, {1, 12.5}}));
    // Abscissas are not compared: the result lies on a's abscissas.
    F c = MakeFunction({{5, 1}, {6, 1}}, 5, 6);
    EXPECT_EQ(PointsOf(c + b), (V{{5, 11}, {6, 21}}));
}

TEST(EditingArithmetic, ShorterOperandNaNAndOverflow) {
    F a = MakeFunction({{0, 1}, {1, 2}, {2, 3}}, 0, 2);
    F b = MakeFunction({{0, 10}, {1, 20}}, 0, 1);
    EXPECT_EQ(PointsOf(a + b), (V{{0, 11}, {1, 22}, {2, 3}}));
    EXPECT_EQ(PointsOf(operator-(a, b)), (V{{0, 9}, {1, 18}, {2, -3}}));
    EXPECT_EQ(PointsOf(b + a), (V{{0, 11}, {1, 22}}));
    F big = MakeFunction({{0, DBL_MAX}, {1, -DBL_MAX}}, 0, 1);
    F big2 = big;
    big += big2;
    EXPECT_EQ(PointsOf(big), (V{{0, DBL_MAX}, {1, -DBL_MAX}}));
    big += kInf;
    EXPECT_EQ(PointsOf(big), (V{{0, DBL_MAX}, {1, DBL_MAX}}));
    for (const auto& p : PointsOf(big * kNaN))
        EXPECT_FALSE(std::isnan(p.second));
}

TEST(EditingEquality, DomainTolerancesAndEqualLengthLists) {
    F a = MakeFunction({{0, 0}, {1, 1}, {2, 4}}, 0, 2);
    F b = MakeFunction({{1e-11, -1e-11}, {1, 1 + 1e-11}, {2, 4}}, 0, 2);
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a != b);
    F c = a;
    c.SetXtolerance(1e-6);
    EXPECT_FALSE(a == c);
    EXPECT_TRUE(a != c);
    F d = MakeFunction({{0, 0}, {1, 1 + 1e-9}, {2, 4}}, 0, 2);
    EXPECT_FALSE(a == d);
    F e = MakeFunction({{0, 0}, {1, 1}, {2, 4}}, 0, 3);
    EXPECT_FALSE(a == e);
    // A list that is a prefix of the other: unequal, in both directions.
    F prefix = MakeFunction({{0, 0}, {1, 1}}, 0, 2);
    EXPECT_FALSE(a == prefix);
    EXPECT_FALSE(prefix == a);
    F open;
    F withPoint;
    withPoint.Set(1, 1);
    EXPECT_FALSE(open == withPoint);
    EXPECT_FALSE(withPoint == open);
    EXPECT_TRUE(open == F());
    // Jump abscissas take no part.
    F j1(0, 2, 0), j2(0, 2, 0);
    j1.Set(1, 1, 2);
    VyMathTestAccess::SetPoints(j2, VyMathTestAccess::Points(j1));
    EXPECT_TRUE(j1 == j2);
}

TEST(EditingCloseCurve, ClosesAndInsertsCrossings) {
    F f = MakeFunction({{1, -1}, {2, 1}, {3, 1}}, 1, 3);
    f.CloseCurve();
    EXPECT_EQ(PointsOf(f), (V{{1, -1}, {1.5, 0}, {2, 1}, {3, 1}, {1, -1}}));
    // A segment straddling x = 0 gets no crossing.
    F g = MakeFunction({{-1, -1}, {1, 1}}, -1, 1);
    g.CloseCurve();
    EXPECT_EQ(PointsOf(g), (V{{-1, -1}, {1, 1}, {-1, -1}}));
    // A vertical step through zero: its abscissa.
    F v = MakeFunction({{2, -1}, {2, 1}, {3, 1}}, 2, 3);
    v.CloseCurve();
    EXPECT_EQ(PointsOf(v), (V{{2, -1}, {2, 0}, {2, 1}, {3, 1}, {2, -1}}));
    // Zeros already at vertices: only the closing point is added; they are then the curve's zeros.
    F d = MakeFunction({{-1, 0}, {0, -1}, {1, 0}, {0, 1}}, -1, 1);
    d.CloseCurve();
    EXPECT_EQ(PointsOf(d), (V{{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}}));
    CVyMathFunction1D::PointList zeros;
    d.GetAllZeroInteractionCurves(zeros, 0);
    EXPECT_EQ(ItemsOf(zeros), (V{{1, 0}, {-1, 0}}));
    F e = f;
    e.Clear(true);
    e.CloseCurve();
    EXPECT_TRUE(PointsOf(e).empty());
}

TEST(EditingMerge, SamePointsAndWiderDomains) {
    F f = MakeFunction({{0, 0}, {1, 1}, {2, 4}}, 0, 2);
    F copy = f;
    f.Merge(&copy);
    EXPECT_EQ(PointsOf(f), PointsOf(copy));
    F open;
    open.Set(1, 1);
    open.Set(2, 4);
    F openCopy = open;
    open.Merge(&openCopy);
    EXPECT_EQ(PointsOf(open), PointsOf(openCopy));
    // g reaching further: the domain becomes the union.
    F h = MakeFunction({{0, 0}, {1, 1}}, 0, 1);
    F g = MakeFunction({{0, 0}, {2, 2}}, 0, 2);
    h.Merge(&g);
    EXPECT_EQ(PointsOf(h), (V{{0, 0}, {1, 1}, {2, 2}}));
    double a, b;
    h.GetFullRange(a, b);
    EXPECT_EQ(P(a, b), P(0, 2));
    // Nothing to merge: no change at all, not even the domain.
    F none;
    h.Merge(&none);
    h.Merge(nullptr);
    EXPECT_EQ(PointsOf(h), (V{{0, 0}, {1, 1}, {2, 2}}));
    h.GetFullRange(a, b);
    EXPECT_EQ(P(a, b), P(0, 2));
}

TEST(EditingMerge, ConflictsBecomeJumpsFollowingTheTrend) {
    F rising = MakeFunction({{0, 0}, {1, 1}, {2, 2}}, 0, 2);
    F g = MakeFunction({{1, 3}}, 0, 2);
    rising.Merge(&g);
    EXPECT_EQ(PointsOf(rising), (V{{0, 0}, {1 - 1e-5, 1}, {1 + 1e-5, 3}, {2, 2}}));
    EXPECT_EQ(VyMathTestAccess::Jumps(rising), J{1});
    F falling = MakeFunction({{0, 2}, {1, 1}, {2, 0}}, 0, 2);
    falling.Merge(&g);
    EXPECT_EQ(PointsOf(falling), (V{{0, 2}, {1 - 1e-5, 3}, {1 + 1e-5, 1}, {2, 0}}));
}

TEST(EditingMerge, AtAJumpTheValueJoinsTheNearerSide) {
    F base(0, 2, 0);
    base.Set(1, 1, 3); // (1 - 1e-5, 1), (1 + 1e-5, 3)
    auto mergeOne = [&base](double x, double y) {
        F f = base;
        F g = MakeFunction({{x, y}}, 0, 2);
        f.Merge(&g);
        return PointsOf(f);
    };
    EXPECT_EQ(mergeOne(0.999994, 0.5), (V{{0, 0}, {1 - 1e-5, 0.5}, {1 + 1e-5, 3}, {2, 0}}));
    EXPECT_EQ(mergeOne(1.000004, 3.5), (V{{0, 0}, {1 - 1e-5, 1}, {1 + 1e-5, 3.5}, {2, 0}}));
    EXPECT_EQ(mergeOne(0.999994, 1.5), PointsOf(base)); // inside the jump: absorbed
}

TEST(EditingMerge, UnusableDomainFallsBackOnStoredOrdinates) {
    // An inverted domain: GetOrdinate fails everywhere, the stored ordinates are used.
    F rising = MakeFunction({{0, 0}, {1, 1}, {2, 2}}, 2, 0);
    F g = MakeFunction({{1, 3}}, 2, 0);
    rising.Merge(&g);
    EXPECT_EQ(PointsOf(rising), (V{{0, 0}, {1 - 1e-5, 1}, {1 + 1e-5, 3}, {2, 2}}));
    F falling = MakeFunction({{0, 2}, {1, 1}, {2, 0}}, 2, 0);
    falling.Merge(&g);
    EXPECT_EQ(PointsOf(falling), (V{{0, 2}, {1 - 1e-5, 3}, {1 + 1e-5, 1}, {2, 0}}));
}

TEST(EditingConcat, AppendsShiftsTheCallersFunctionAndRecordsTheJump) {
    F f = MakeFunction({{0, 0}, {1, 1}}, 0, 1);
    F g = MakeFunction({{0, 1}, {1, 3}}, 0, 1);
    f.Concat(&g);
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {1, 1}, {2, 3}}));
    EXPECT_TRUE(VyMathTestAccess::Jumps(f).empty());
    EXPECT_EQ(PointsOf(g), (V{{1, 1}, {2, 3}}));
    double a, b;
    g.GetFullRange(a, b);
    EXPECT_EQ(P(a, b), P(1, 2));
    f.GetFullRange(a, b);
    EXPECT_EQ(P(a, b), P(0, 2));
    // Ends that do not meet: the merge makes a jump at 1, Concat records one at 1 + Xtolerance.
    F h = MakeFunction({{0, 0}, {1, 1}}, 0, 1);
    h.SetXtolerance(0.125);
    F k = MakeFunction({{0, 5}, {1, 3}}, 0, 1);
    h.Concat(&k);
    EXPECT_EQ(PointsOf(h), (V{{0, 0}, {0.875, 1}, {1.125, 5}, {1.25, 5}, {2, 3}}));
    EXPECT_EQ(VyMathTestAccess::Jumps(h), (J{1, 1.125}));
}

TEST(EditingConcat, EmptyAndDegenerateOperands) {
    F e = MakeFunction({}, 0, 1);
    F g = MakeFunction({{0, 1}, {1, 3}}, 0, 1);
    e.Concat(&g);
    EXPECT_EQ(PointsOf(e), PointsOf(g));
    EXPECT_EQ(PointsOf(g), (V{{0, 1}, {1, 3}})); // not shifted
    F f = MakeFunction({{0, 0}, {1, 1}}, 0, 1);
    F none;
    f.Concat(&none);
    f.Concat(nullptr);
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {1, 1}}));
    // One point at an open lower end: nothing to append, no point (0, 0) nor jump invented.
    F lone;
    VyMathTestAccess::SetPoints(lone, {{0.5, 3}});
    F h = MakeFunction({{0.5, 0}, {1, 1}}, 0.5, 1);
    h.Concat(&lone);
    EXPECT_EQ(PointsOf(h), (V{{0.5, 0}, {1, 1}}));
    EXPECT_TRUE(VyMathTestAccess::Jumps(h).empty());
    // Concat with itself appends a copy.
    F s = MakeFunction({{0, 0}, {1, 1}}, 0, 1);
    s.SetXtolerance(0.125);
    s.Concat(&s);
    EXPECT_EQ(PointsOf(s), (V{{0, 0}, {0.875, 0}, {1.125, 1}, {1.25, 0}, {2, 1}}));
    EXPECT_EQ(VyMathTestAccess::Jumps(s), (J{1, 1.125}));
}

} // namespace
