#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

using P = std::pair<double, double>;
using V = std::vector<P>;
using F = CVyMathFunction1D;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

int calls = 0;
double XMinusOne(double x) {
    ++calls;
    return x - 1;
}
double XMinusPoint4(double x) {
    return x - 0.4;
}
double PointThreeMinusX(double x) {
    return 0.3 - x;
}
double ThreeXMinusOne(double x) {
    ++calls;
    return 3 * x - 1;
}

TEST(RootsBisectionOfACallersFunction, BracketOrientationAndStop) {
    F f;
    EXPECT_NEAR(f.RootBissection(&XMinusOne, 0, 3, 1e-9), 1.0, 1e-9);
    EXPECT_EQ(f.RootBissection(&XMinusOne, 1, 3, 1e-9), 0.0); // a zero end is no sign change
    EXPECT_EQ(f.RootBissection(&XMinusOne, 2, 3, 1e-9), 0.0);
    // The stop test is strict: |dx| = 0.25 = xacc goes on to 0.375.
    EXPECT_EQ(f.RootBissection(&XMinusPoint4, 0, 1, 0.25), 0.375);
    // Oriented on the negative end (x2 here): the estimate stays where the value is not above 0.
    EXPECT_EQ(f.RootBissection(&PointThreeMinusX, 0, 1, 0.2), 0.375);
    EXPECT_EQ(f.RootBissection(static_cast<double (*)(double)>(nullptr), 0, 1, 0.1), 0.0);
    EXPECT_EQ(f.RootBissection(&XMinusOne, kNaN, 3, 0.1), 0.0);
}

TEST(RootsBisectionOfACallersFunction, GivesUpAfterFortyHalvings) {
    F f;
    calls = 0;
    // Dyadic midpoints never make 3x - 1 exactly zero; xacc 0 never stops.
    EXPECT_EQ(f.RootBissection(&ThreeXMinusOne, 0, 1, 0.0), 0.0);
    EXPECT_EQ(calls, 42);
    calls = 0;
    EXPECT_NEAR(f.RootBissection(&ThreeXMinusOne, 0, 1, 1e-6), 1.0 / 3, 1e-6);
    EXPECT_LT(calls, 42);
}

TEST(RootsBisectionOfTheFunction, EvaluatesTheCurveAndFailsOutsideIt) {
    F f = MakeFunction({{0, -1}, {2, 1}}, 0, 2);
    EXPECT_EQ(f.RootBissection(2, 0, 1e-9), 1.0);  // the first midpoint is exactly 0
    EXPECT_EQ(f.RootBissection(-1, 2, 1e-9), 0.0); // an end outside the domain
    F e = f;
    e.Clear(true);
    EXPECT_EQ(e.RootBissection(0, 2, 1e-9), 0.0);
    // Ends at -DBL_MAX and +DBL_MAX: the span would overflow; the first midpoint is 0.
    F wide;
    VyMathTestAccess::SetPoints(wide, {{-DBL_MAX, -1}, {DBL_MAX, 3}});
    EXPECT_EQ(wide.RootBissection(-DBL_MAX, DBL_MAX, 1e-5), -DBL_MAX / 2);
}

TEST(RootsUniqueAbscisse, ClosedCurveSegments) {
    // Unclosed curve: the second ordinate is never found, the first one is tested.
    F open = MakeFunction({{1, -1}, {2, 1}, {3, 1}}, 1, 3);
    EXPECT_EQ(open.RootBissectionUniqueAbscisse(1, 2, 1e-5), 1.5);
    // Segment (1, -1) -> (3, 1) running right, met second at every midpoint: its ordinate is B.
    F loop = MakeFunction({{3, 5}, {1, 5}, {1, -1}, {3, 1}}, 1, 3);
    EXPECT_EQ(loop.RootBissectionUniqueAbscisse(1, 3, 1e-5), 2.0);
    // Segment running left: the first ordinate.
    F left = MakeFunction({{3, 1}, {1, -1}}, 1, 3);
    EXPECT_EQ(left.RootBissectionUniqueAbscisse(3, 1, 1e-5), 2.0);
    // x1 not a stored abscissa: failure.
    EXPECT_EQ(open.RootBissectionUniqueAbscisse(1.2, 2, 1e-5), 0.0);
    EXPECT_EQ(open.RootBissectionUniqueAbscisse(kNaN, 2, 1e-5), 0.0);
}

TEST(RootsAllZero, VerticesAndCrossingsInOrderAppended) {
    F f = MakeFunction({{0, -1}, {2, 1}}, 0, 2);
    CVyMathFunction1D::PointList zeros;
    zeros.AddPoint({-7, -7});
    f.GetAllZero(zeros, 1e-9);
    EXPECT_EQ(ItemsOf(zeros), (V{{-7, -7}, {1, 0}}));
    f.GetAllZero(zeros, 1e-9);
    EXPECT_EQ(ItemsOf(zeros), (V{{-7, -7}, {1, 0}, {1, 0}}));
    // The first point is not examined; zero products are not sign changes.
    CVyMathFunction1D::PointList z2;
    MakeFunction({{0, 0}, {1, 1}, {2, 0}}, 0, 2).GetAllZero(z2, 1e-9);
    EXPECT_EQ(ItemsOf(z2), (V{{2, 0}}));
    // A vertex within Ytolerance of 0 comes before the crossing just left of it.
    CVyMathFunction1D::PointList z3;
    MakeFunction({{0, -1}, {1, 5e-6}, {2, 1}}, 0, 2).GetAllZero(z3, 1e-9);
    auto items = ItemsOf(z3);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], P(1, 5e-6));
    // Within Xtolerance of the vertex the curve takes its ordinate 5e-6 > 0: the sign changes there.
    EXPECT_NEAR(items[1].first, 1 - 1e-5, 2e-9);
    EXPECT_LE(items[1].first, 1 - 1e-5);
    EXPECT_EQ(items[1].second, 0.0);
    // A vertical step through zero gives its abscissa.
    CVyMathFunction1D::PointList z4;
    MakeFunction({{0, -1}, {1, -1}, {1.000005, 1}, {2, 1}}, 0, 2).GetAllZero(z4, 1e-9);
    EXPECT_EQ(ItemsOf(z4), (V{{1.000005, 0}}));
    // A crossing inside a jump window is not reported.
    F jump(0, 2, 0);
    jump.Set(0, -1);
    jump.Set(1, -1, 1);
    jump.Set(2, 1);
    CVyMathFunction1D::PointList z5;
    jump.GetAllZero(z5, 1e-9);
    EXPECT_TRUE(ItemsOf(z5).empty());
    // No point, one point: nothing.
    CVyMathFunction1D::PointList z6;
    F e = f;
    e.Clear(true);
    e.GetAllZero(z6, 1e-9);
    MakeFunction({{1, 0}}, 0, 2).GetAllZero(z6, 1e-9);
    EXPECT_TRUE(ItemsOf(z6).empty());
}

TEST(RootsAllZero, SuccessfulBisectionKeptFailedOneGivesTheSegmentCrossing) {
    // Successful: the bisection estimate itself (not the exact 1/3).
    CVyMathFunction1D::PointList ok;
    MakeFunction({{0, -1}, {1, 2}}, 0, 1).GetAllZero(ok, 0.1);
    EXPECT_EQ(ItemsOf(ok), (V{{0.3125, 0}}));
    // 40 halvings of a span of 3 cannot reach 1e-12: the crossing of the segment, not x = 0.
    F f = MakeFunction({{0, -1}, {3, 2}}, 0, 3);
    EXPECT_EQ(f.RootBissection(3, 0, 1e-12), 0.0);
    CVyMathFunction1D::PointList z1;
    f.GetAllZero(z1, 1e-12);
    EXPECT_EQ(ItemsOf(z1), (V{{1, 0}}));
    // Accuracy 0.
    CVyMathFunction1D::PointList z2;
    f.GetAllZero(z2, 0.0);
    EXPECT_EQ(ItemsOf(z2), (V{{1, 0}}));
    // A stored point outside the domain: the bisection cannot evaluate it.
    F out = MakeFunction({{-1, -1}, {3, 1}}, 0, 3);
    CVyMathFunction1D::PointList z3;
    out.GetAllZero(z3, 1e-9);
    EXPECT_EQ(ItemsOf(z3), (V{{1, 0}}));
}

TEST(RootsAllZeroInteractionCurves, VerticesOnZeroInsideTheDomain) {
    F c = MakeFunction({{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}}, -1, 1);
    CVyMathFunction1D::PointList zeros;
    zeros.AddPoint({9, 9});
    c.GetAllZeroInteractionCurves(zeros, 1e-9);
    EXPECT_EQ(ItemsOf(zeros), (V{{9, 9}, {1, 0}, {-1, 0}}));
    CVyMathFunction1D::PointList narrow;
    F d = MakeFunction({{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}}, -0.5, 1);
    d.GetAllZeroInteractionCurves(narrow, 1e-9);
    EXPECT_EQ(ItemsOf(narrow), (V{{1, 0}}));
    // No bisection between points.
    CVyMathFunction1D::PointList none;
    MakeFunction({{0, -1}, {1, 1}}, 0, 1).GetAllZeroInteractionCurves(none, 1e-9);
    EXPECT_TRUE(ItemsOf(none).empty());
}

} // namespace
