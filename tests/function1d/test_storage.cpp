#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

using P = std::pair<double, double>;
using V = std::vector<P>;
using F = CVyMathFunction1D;

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// ---- Construction ------------------------------------------------------------------------------

TEST(Construction, DefaultIsTheZeroFunctionOnTheWholeLine) {
    F f;
    EXPECT_EQ(PointsOf(f), (V{{-DBL_MAX, 0}, {DBL_MAX, 0}}));
    double a, b;
    f.GetFullRange(a, b);
    EXPECT_EQ(a, -DBL_MAX);
    EXPECT_EQ(b, DBL_MAX);
    EXPECT_EQ(f.GetXtolerance(), 1e-5);
    EXPECT_EQ(f.GetYtolerance(), 1e-5);
    EXPECT_EQ(f.GetNumberElement(), 0);
    EXPECT_EQ(VyMathTestAccess::ForceJumps(f), 0);
    double y = -1;
    EXPECT_TRUE(f.GetOrdinate(123.0, y));
    EXPECT_EQ(y, 0.0);
}

TEST(Construction, BoundsConstructorHoldsTheEndsAndForceJumps) {
    F f(0, 10, 1);
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {10, 0}}));
    EXPECT_EQ(VyMathTestAccess::ForceJumps(f), 1);
    EXPECT_EQ(f.GetNumberElement(), 2);
    // Non-finite bounds become open ends.
    F g(-kInf, kNaN, 0);
    EXPECT_EQ(PointsOf(g), (V{{-DBL_MAX, 0}, {DBL_MAX, 0}}));
}

TEST(Construction, PolynomialSamplingRunsUpwardsFromX0) {
    CVyMathPolynom p(2);
    p.SetCoeff(0);
    p.SetCoeff(0);
    p.SetCoeff(1);
    F f(p, 0, 1, 4);
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {0.25, 0.0625}, {0.5, 0.25}, {0.75, 0.5625}, {1, 1}}));
    F down(p, 1, 0, 2); // still upwards from x0
    EXPECT_EQ(PointsOf(down), (V{{1, 1}, {1.5, 2.25}, {2, 4}}));
    double a, b;
    down.GetFullRange(a, b);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 0);
    EXPECT_TRUE(PointsOf(F(p, 0, 1, 0)).empty());
    EXPECT_TRUE(PointsOf(F(p, 0, 1, -3)).empty());
    EXPECT_TRUE(PointsOf(F(p, kNaN, 1, 3)).empty());
}

double Reciprocal(double x) {
    return 1.0 / (x - 1.0);
}
double Unset(double x) {
    return x < 0.5 ? kNaN : x;
}

TEST(Construction, FunctionSamplingValidatesOrdinates) {
    F f(&Reciprocal, 0, 2, 2); // f(1) = +inf is stored as DBL_MAX
    EXPECT_EQ(PointsOf(f), (V{{0, -1}, {1, DBL_MAX}, {2, 1}}));
    F g(&Unset, 0, 1, 2); // NaN samples are not stored
    EXPECT_EQ(PointsOf(g), (V{{0.5, 0.5}, {1, 1}}));
    EXPECT_TRUE(PointsOf(F(static_cast<double (*)(double)>(nullptr), 0, 1, 2)).empty());
}

TEST(Construction, ResamplingStopsAtTheFirstUndefinedAbscissa) {
    F g(0, 10, 0);
    g.Set(5, 10);
    F r(g, 0, 10, 4);
    EXPECT_EQ(PointsOf(r), (V{{0, 0}, {2.5, 5}, {5, 10}, {7.5, 5}, {10, 0}}));
    F late(g, -5, 5, 2); // g has no value at -5: no point at all
    EXPECT_TRUE(PointsOf(late).empty());
    F partial(g, 5, 15, 2); // 5 and 10 sampled, 15 fails and the abscissa stays there
    EXPECT_EQ(PointsOf(partial), (V{{5, 10}, {10, 0}}));
}

TEST(Construction, StretchingMapsTheDomain) {
    F g(0, 4, 0);
    g.Set(2, 8);
    F s(g, 8.0);
    const V expected{{0, 0}, {8.0 / 3, 16.0 / 3}, {16.0 / 3, 16.0 / 3}, {8, 0}};
    const V got = PointsOf(s);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].first, expected[i].first, 1e-12);
        EXPECT_NEAR(got[i].second, expected[i].second, 1e-12);
    }
    double a, b;
    s.GetFullRange(a, b);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 8);
    F empty(F(), 3.0); // the default function has no element
    EXPECT_TRUE(PointsOf(empty).empty());
}

TEST(Construction, SineStartsAtZeroAndRefusesBadSteps) {
    F s(1, 1, 0, 0, 1, 0.5);
    EXPECT_EQ(PointsOf(s), (V{{0, 0}, {0.5, std::sin(0.5)}, {1, std::sin(1.0)}}));
    F shifted(1, 1, 0, 0.25, 1, 0.5);
    EXPECT_EQ(PointsOf(shifted), PointsOf(s));
    EXPECT_TRUE(PointsOf(F(1, 1, 0, 0, 1, -0.1)).empty());  // negative step
    EXPECT_TRUE(PointsOf(F(1, 1, 0, 0, 1, 2.0)).empty());   // step beyond xmax
    EXPECT_TRUE(PointsOf(F(1, 1, 0, 0, -1, 0.5)).empty());  // xmax below 0
    EXPECT_TRUE(PointsOf(F(1, 1, 0, 0, 1, 0.0)).empty());   // never reaches xmax
    EXPECT_TRUE(PointsOf(F(1, 1, 0, 0, 1, -5e-6)).empty()); // passes the guards, still refused
    EXPECT_TRUE(PointsOf(F(1, 1, 0, 0, kInf, 0.5)).empty());
}

TEST(Construction, CopiesCarryEverything) {
    F f(0, 10, 1);
    f.SetXtolerance(0.01);
    f.SetYtolerance(0.02);
    f.Set(5, 1, 2);
    F c(f);
    EXPECT_EQ(PointsOf(c), PointsOf(f));
    EXPECT_EQ(VyMathTestAccess::Jumps(c), std::vector<double>{5});
    EXPECT_EQ(VyMathTestAccess::ForceJumps(c), 1);
    EXPECT_EQ(c.GetXtolerance(), 0.01);
    c.SetXtolerance(kNaN); // ignored
    c.SetYtolerance(kNaN);
    EXPECT_EQ(c.GetXtolerance(), 0.01);
    EXPECT_EQ(c.GetYtolerance(), 0.02);
    c.SetXtolerance(-1.0); // taken as given
    EXPECT_EQ(c.GetXtolerance(), -1.0);
    F d;
    const F& r = (d = f);
    EXPECT_EQ(&r, &d);
    EXPECT_EQ(PointsOf(d), PointsOf(f));
    EXPECT_EQ(VyMathTestAccess::ForceJumps(d), 1);
    EXPECT_EQ(d.GetYtolerance(), 0.02);
    d = d;
    EXPECT_EQ(PointsOf(d), PointsOf(f));
}

// ---- Insertion -----------------------------------------------------------------------------------

TEST(Insertion, SetCodesAtTheToleranceBoundary) {
    F f(0, 10, 0);
    ASSERT_EQ(f.Set(1, 2), F::InsertDone);
    ASSERT_EQ(f.Set(3, 4), F::InsertDone);
    EXPECT_EQ(f.Set(1.000001, 2), F::InsertExists);
    EXPECT_EQ(f.Set(1.000001, 5), F::InsertConflict);
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {1, 2}, {3, 4}, {10, 0}}));
    EXPECT_EQ(f.Set(0.000001, 7), F::InsertDone); // replaces the first point, abscissa included
    EXPECT_EQ(PointsOf(f), (V{{0.000001, 7}, {1, 2}, {3, 4}, {10, 0}}));
    EXPECT_EQ(f.Set(10.000001, 8), F::InsertDone);
    EXPECT_EQ(PointsOf(f).back(), P(10.000001, 8));
}

TEST(Insertion, SetValidatesOrdinatesAndAbscissas) {
    F f(0, 10, 0);
    EXPECT_EQ(f.Set(2, kNaN), F::InsertRefused);
    EXPECT_EQ(f.Set(2, kInf), F::InsertDone);
    EXPECT_EQ(f.Set(3, -kInf), F::InsertDone);
    EXPECT_EQ(f.Set(kNaN, 1), F::InsertRefused);
    EXPECT_EQ(f.Set(kInf, 1), F::InsertRefused);
    EXPECT_EQ(f.Set(-kInf, 1), F::InsertRefused);
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {2, DBL_MAX}, {3, -DBL_MAX}, {10, 0}}));
}

TEST(Insertion, SetIntoEmptyFunctionAndBeyondTheEnds) {
    F f(0, 10, 0);
    f.Clear(true);
    EXPECT_EQ(f.Set(4, 1), F::InsertDone);
    EXPECT_EQ(f.Set(2, 3), F::InsertDone);
    EXPECT_EQ(PointsOf(f), (V{{2, 3}, {4, 1}}));
    EXPECT_EQ(f.Set(9, 9), F::InsertDone);
    EXPECT_EQ(PointsOf(f), (V{{2, 3}, {4, 1}, {9, 9}}));
}

TEST(Insertion, PointExactlyOneToleranceBelowANeighbourKeepsTheOrder) {
    F f(0, 10, 0);
    f.Set(1, 1);
    f.SetXtolerance(0.5);
    EXPECT_EQ(f.Set(0.5, 9), F::InsertDone);
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {0.5, 9}, {1, 1}, {10, 0}}));
}

TEST(Insertion, JumpsAndForceJumps) {
    F f(0, 10, 0);
    EXPECT_EQ(f.Set(5, 1, 1), F::InsertDone);
    EXPECT_TRUE(VyMathTestAccess::Jumps(f).empty());
    EXPECT_EQ(f.Set(7, 1, 2), F::InsertDone);
    EXPECT_EQ(VyMathTestAccess::Jumps(f), std::vector<double>{7});
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {5, 1}, {7 - 1e-5, 1}, {7 + 1e-5, 2}, {10, 0}}));
    EXPECT_EQ(f.Set(8, kNaN, 1), F::InsertConflict);
    EXPECT_EQ(f.Set(8, 1, kNaN), F::InsertConflict);
    EXPECT_EQ(f.Set(kNaN, 1, 2), F::InsertRefused);
    EXPECT_EQ(VyMathTestAccess::Jumps(f).size(), 1u);
    // The jump abscissa is recorded whatever the two insertions report.
    EXPECT_EQ(f.Set(7, 1, 2), F::InsertExists);
    EXPECT_EQ(f.Set(7, 5, 2), F::InsertConflict);
    EXPECT_EQ(VyMathTestAccess::Jumps(f), (std::vector<double>{7, 7, 7}));

    F forced(0, 10, 1);
    EXPECT_EQ(forced.Set(5, 1, 1), F::InsertDone);
    EXPECT_EQ(PointsOf(forced), (V{{0, 0}, {5 - 1e-5, 1}, {5 + 1e-5, 1}, {10, 0}}));
    EXPECT_EQ(VyMathTestAccess::Jumps(forced), std::vector<double>{5});
}

TEST(Insertion, SetUniqueAbscissaBuildsInFrontOfTheLastPoint) {
    F f;
    EXPECT_EQ(f.SetUniqueAbscissa(1, 10, 0.1), F::InsertDone);
    EXPECT_EQ(f.SetUniqueAbscissa(2, 20, 0.1), F::InsertDone);
    EXPECT_EQ(f.SetUniqueAbscissa(3, 30, 0.1), F::InsertDone);
    EXPECT_EQ(PointsOf(f), (V{{-DBL_MAX, 0}, {1, 10}, {2, 20}, {3, 30}, {DBL_MAX, 0}}));
    EXPECT_EQ(f.SetUniqueAbscissa(2, 20.000001, 0.1), F::InsertExists);
    EXPECT_EQ(f.SetUniqueAbscissa(2, 25, 0.1), F::InsertDone); // next to the end, not next to 2
    EXPECT_EQ(PointsOf(f), (V{{-DBL_MAX, 0}, {1, 10}, {2, 20}, {3, 30}, {2.1, 25}, {DBL_MAX, 0}}));
    EXPECT_EQ(f.SetUniqueAbscissa(4, kNaN, 0.1), F::InsertRefused);
    F empty(0, 1, 0);
    empty.Clear(true);
    EXPECT_EQ(empty.SetUniqueAbscissa(1, 1, 0.1), F::InsertRefused);
    EXPECT_TRUE(PointsOf(empty).empty());
}

TEST(Insertion, SetUniqueAbscissaAtIndexComparesOnlyThatPoint) {
    F f(0, 10, 0);
    f.Set(5, 5);
    EXPECT_EQ(f.SetUniqueAbscissaAtIndex(3, 3, 0.1, 3), F::InsertRefused);
    EXPECT_EQ(f.SetUniqueAbscissaAtIndex(3, 3, 0.1, -1), F::InsertRefused);
    EXPECT_EQ(f.SetUniqueAbscissaAtIndex(5, 5, 0.1, 1), F::InsertExists);
    EXPECT_EQ(f.SetUniqueAbscissaAtIndex(5, 6, 0.1, 1), F::InsertDone);
    EXPECT_EQ(f.SetUniqueAbscissaAtIndex(0, 7, 0.1, 2), F::InsertDone); // point 0 not searched
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {5.1, 6}, {0, 7}, {5, 5}, {10, 0}}));
    EXPECT_EQ(f.SetUniqueAbscissaAtIndex(1, kNaN, 0.1, 0), F::InsertRefused);
}

TEST(Insertion, SetConstantCodes) {
    F f(0, 10, 0);
    EXPECT_EQ(f.SetConstant(2, 30, 7), F::InsertRefused);
    EXPECT_EQ(f.SetConstant(0, 3, 7), F::InsertConflict);
    EXPECT_EQ(f.SetConstant(0, 3, -7), F::InsertExists);
    EXPECT_EQ(f.SetConstant(2, 3, kNaN), F::InsertConflict);
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {10, 0}}));
    EXPECT_EQ(f.SetConstant(2, 3, 7), F::InsertDone);
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {2, 7}, {3, 7}, {10, 0}}));
    EXPECT_EQ(f.SetConstant(5, 4, 1), F::InsertRefused); // reversed bounds
    EXPECT_EQ(f.SetConstant(kNaN, 4, 1), F::InsertRefused);
}

TEST(Insertion, SetConstantInFrontOfTheCurve) {
    F f(0, 10, 0);
    EXPECT_EQ(f.SetConstant(-5, -3, 2), F::InsertDone);
    EXPECT_EQ(PointsOf(f), (V{{-5, 2}, {-3, 2}, {0, 0}, {10, 0}}));
    EXPECT_EQ(f.SetConstant(-8, 4, 1), F::InsertDone); // reaches into the curve: only its start
    EXPECT_EQ(PointsOf(f), (V{{-8, 1}, {-5, 2}, {-3, 2}, {0, 0}, {10, 0}}));
}

TEST(Insertion, SetConstantNextToAPointExactlyOneToleranceAway) {
    F f(0, 10, 0);
    f.Set(4, 1);
    f.SetXtolerance(0.5);
    EXPECT_EQ(f.SetConstant(2, 3.5, 7), F::InsertDone);
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {2, 7}, {3.5, 7}, {4, 1}, {10, 0}}));
}

TEST(Insertion, ReplaceOverwritesWithinTolerance) {
    F f = MakeFunction({{0, 0}, {1, 1}, {2, 4}}, 0, 2);
    EXPECT_TRUE(f.Replace(1.000001, 5));
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {1.000001, 5}, {2, 4}}));
    EXPECT_FALSE(f.Replace(1.5, 5));
    EXPECT_FALSE(f.Replace(3, 5));
    EXPECT_FALSE(f.Replace(2, kNaN));
    F empty(0, 1, 0);
    empty.Clear(true);
    EXPECT_FALSE(empty.Replace(0, 1));
}

// ---- Lookup and evaluation -------------------------------------------------------------------------

TEST(Lookup, IsDefinedWithJumpWindows) {
    F f(0, 10, 0);
    f.Set(5, 1, 2);
    EXPECT_FALSE(f.IsDefined(5.0));
    EXPECT_TRUE(f.IsDefined(5.0 + 1e-5));
    EXPECT_TRUE(f.IsDefined(5.0 - 1e-5));
    EXPECT_TRUE(f.IsDefined(10.000009));
    EXPECT_FALSE(f.IsDefined(10.00002));
    EXPECT_FALSE(f.IsDefined(-0.00002));
    F g = MakeFunction({{2, 0}, {3, 0}}, 0, 10); // the stored points bound it, not the domain
    EXPECT_FALSE(g.IsDefined(1.0));
    g.Clear(true);
    EXPECT_FALSE(g.IsDefined(2.5));
}

TEST(Lookup, FindBracketsByBisection) {
    F f = MakeFunction({{0, 0}, {1, 1}, {2, 2}}, 0, 2);
    int lo = -7, hi = -7;
    f.Find(0, lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 0);
    f.Find(1.5, lo, hi);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 2);
    f.Find(1.000001, lo, hi);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 1);
    f.Find(-5, lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 1);
    f.Find(7, lo, hi);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 2);
    F two = MakeFunction({{0, 0}, {1, 1}}, 0, 1);
    two.Find(-5, lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 0);
    two.Find(0.5, lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 1);
    F one = MakeFunction({{3, 1}}, 0, 10);
    one.Find(7, lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 0);
    one.Clear(true);
    one.Find(7, lo, hi);
    EXPECT_EQ(lo, -1);
    EXPECT_EQ(hi, -1);
    EXPECT_FALSE(one.Find(7));
    EXPECT_TRUE(f.Find(2.000009));
    EXPECT_FALSE(f.Find(2.00001));
}

TEST(Evaluation, InterpolatesAndRespectsTheDomain) {
    F f = MakeFunction({{0, 0}, {2, 4}}, 0, 2);
    double y = -1;
    EXPECT_TRUE(f.GetOrdinate(1, y));
    EXPECT_EQ(y, 2);
    EXPECT_TRUE(f.GetOrdinate(-0.000001, y));
    EXPECT_EQ(y, 0);
    y = 42;
    EXPECT_FALSE(f.GetOrdinate(-1, y));
    EXPECT_FALSE(f.GetOrdinate(kNaN, y));
    EXPECT_EQ(y, 42);
    F g(0.75, 2, 0);
    g.Set(0.75, 10);
    g.Set(1.25, 20);
    g.Set(2, 20);
    g.SetXtolerance(0.25);
    EXPECT_TRUE(g.GetOrdinate(1, y));
    EXPECT_EQ(y, 15);
}

TEST(Evaluation, BeyondTheStoredPointsInsideTheDomain) {
    F three = MakeFunction({{0, 0}, {1, 1}, {2, 4}}, -10, 10);
    double y;
    ASSERT_TRUE(three.GetOrdinate(3, y));
    EXPECT_EQ(y, 7); // end segment extended
    ASSERT_TRUE(three.GetOrdinate(-1, y));
    EXPECT_EQ(y, -1);
    F two = MakeFunction({{0, 5}, {1, 7}}, -10, 10);
    ASSERT_TRUE(two.GetOrdinate(-3, y));
    EXPECT_EQ(y, 5); // two points: the first ordinate before the first point
    F one = MakeFunction({{0, 5}}, -10, 10);
    ASSERT_TRUE(one.GetOrdinate(8, y));
    EXPECT_EQ(y, 5);
    F empty(0, 1, 0);
    empty.Clear(true);
    EXPECT_FALSE(empty.GetOrdinate(0.5, y));
}

TEST(Evaluation, StaysFiniteNextToSentinels) {
    F f;
    f.Set(5, 10);
    EXPECT_EQ(PointsOf(f).size(), 3u);
    EXPECT_EQ(f.GetNumberElement(), 1);
    double y = 0;
    ASSERT_TRUE(f.GetOrdinate(7, y));
    EXPECT_TRUE(std::isfinite(y));
    EXPECT_NEAR(y, 10, 1e-9);
    ASSERT_TRUE(f.GetOrdinate(-3, y));
    EXPECT_NEAR(y, 10, 1e-9);
    F big(0, 10, 0);
    big.Set(5, kInf);
    ASSERT_TRUE(big.GetOrdinate(2.5, y));
    EXPECT_EQ(y, DBL_MAX / 2);
    F steep = MakeFunction({{0, 0}, {1, DBL_MAX / 2}, {2, DBL_MAX}}, -10, 10); // extrapolated beyond the double range
    ASSERT_TRUE(steep.GetOrdinate(5, y));
    EXPECT_EQ(y, DBL_MAX);
    ASSERT_TRUE(steep.GetOrdinate(-5, y));
    EXPECT_EQ(y, -DBL_MAX);
}

TEST(Evaluation, StackedAbscissasDoNotDivideByZero) {
    F f = MakeFunction({{0, 0}, {1, 1}, {1, -1}}, 0, 10);
    double y;
    ASSERT_TRUE(f.GetOrdinate(5, y));
    EXPECT_EQ(y, 1);
}

// ---- Domain, clearing, counting ---------------------------------------------------------------------

TEST(Domain, SetDomainNarrowsAndWidens) {
    F f;
    f.SetDomain(0, 10);
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {10, 0}}));
    F g = MakeFunction({{0, 0}, {10, 10}}, 0, 10);
    g.SetDomain(2, 8);
    EXPECT_EQ(PointsOf(g), (V{{2, 2}, {8, 8}}));
    double a, b;
    g.GetFullRange(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 8);
    F h = MakeFunction({{0, 0}, {10, 10}}, 0, 10);
    h.SetDomain(-5, 12);
    EXPECT_EQ(PointsOf(h), (V{{-5, -DBL_MAX}, {0, 0}, {10, 10}, {12, -DBL_MAX}}));
}

TEST(Domain, SetDomainOnEmptyAndDegenerateInput) {
    F e(0, 4, 0);
    e.Clear(true);
    e.SetDomain(1, 2);
    EXPECT_EQ(PointsOf(e), (V{{1, -DBL_MAX}, {2, DBL_MAX}}));
    double a, b;
    e.GetFullRange(a, b);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 4);

    F g = MakeFunction({{0, 0}, {10, 10}}, 0, 10);
    g.SetDomain(8, 2); // reversed
    g.SetDomain(kNaN, 5);
    EXPECT_EQ(PointsOf(g), (V{{0, 0}, {10, 10}}));
    g.GetFullRange(a, b);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 10);

    F beyond = MakeFunction({{0, 0}, {4, 4}}, 0, 10); // lower bound past every point
    beyond.SetDomain(6, 8);                           // both new ends carry the values the curve had there
    EXPECT_EQ(PointsOf(beyond), (V{{6, 6}, {8, 8}}));

    F open;
    open.SetDomain(-kInf, kInf);
    EXPECT_EQ(PointsOf(open), (V{{-DBL_MAX, 0}, {DBL_MAX, 0}}));
}

TEST(Domain, ClearKeepsEndsOrNothing) {
    F f;
    f.Set(1, 1);
    f.Set(2, 2);
    f.Clear(false);
    EXPECT_EQ(PointsOf(f), (V{{-DBL_MAX, 0}, {DBL_MAX, 0}}));
    f.Clear(true);
    EXPECT_TRUE(PointsOf(f).empty());
    EXPECT_EQ(f.GetNumberElement(), 0);
    double a, b;
    f.GetFullRange(a, b);
    EXPECT_EQ(a, -DBL_MAX);
    f.Clear(false);
    EXPECT_TRUE(PointsOf(f).empty());
    F one = MakeFunction({{3, 1}}, 0, 10);
    one.Clear(false);
    EXPECT_EQ(PointsOf(one), (V{{3, 1}, {3, 1}}));
}

TEST(Domain, NumberOfElementsDiscountsOpenEnds) {
    F f;
    f.SetDomain(-DBL_MAX, 5); // right end closed now
    EXPECT_EQ(f.GetNumberElement(), 1);
    F one = MakeFunction({{3, 1}}, -DBL_MAX, DBL_MAX);
    EXPECT_EQ(one.GetNumberElement(), 1);
}

// ---- PointList ---------------------------------------------------------------------------------------

TEST(PointListTest, CursorWalkAndCopies) {
    F::PointList l;
    double x = 0, y = 0;
    EXPECT_FALSE(l.GetNext(x, y)); // a fresh list reads as empty
    EXPECT_FALSE(l.GetLast(x, y));
    l.AddPoint({1, 2});
    l.AddPoint({3, 4});
    EXPECT_TRUE(l.GetLast(x, y));
    EXPECT_EQ(x, 3);
    l.ResetCursor();
    ASSERT_TRUE(l.GetNext(x, y));
    EXPECT_EQ(y, 2);
    F::PointList copy(l); // the copy reads on from the same position
    ASSERT_TRUE(copy.GetNext(x, y));
    EXPECT_EQ(x, 3);
    EXPECT_FALSE(copy.GetNext(x, y));
    ASSERT_TRUE(l.GetNext(x, y));
    EXPECT_EQ(x, 3);
    F::PointList assigned;
    assigned = l;
    EXPECT_FALSE(assigned.GetNext(x, y));
    assigned.ResetCursor();
    EXPECT_TRUE(assigned.GetNext(x, y));
}

} // namespace
