#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

using P = std::pair<double, double>;
using F = CVyMathFunction1D;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

F Empty() {
    F f(0, 2, 0);
    f.Clear(true);
    return f;
}

TEST(ShapeOnCurve, ComparesTheValueWithTheCallersStrictTolerance) {
    F f = MakeFunction({{0, 0}, {2, 4}}, 0, 2);
    EXPECT_TRUE(f.IsOnCurve(1, 2.4, 0.5));
    EXPECT_FALSE(f.IsOnCurve(1, 2.5, 0.5)); // exactly tol apart
    EXPECT_FALSE(f.IsOnCurve(3, 6, 1.0));   // outside the domain
    EXPECT_FALSE(f.IsOnCurve(kNaN, 0, 1.0));
    F e = Empty();
    EXPECT_FALSE(e.IsOnCurve(0, 0, 1.0));
}

TEST(ShapeDiscontinued, CountsTheJumpsOwnPointsThroughTheFactor) {
    F f(0, 10, 0);
    EXPECT_FALSE(f.IsDiscontinued(5.0));
    f.Set(5, 1, 2);
    EXPECT_TRUE(f.IsDiscontinued(5.0));
    EXPECT_TRUE(f.IsDiscontinued(5.0 + 1e-5));
    EXPECT_TRUE(f.IsDiscontinued(5.0 - 1e-5));
    EXPECT_FALSE(f.IsDiscontinued(5.0 + 2e-5));
}

TEST(ShapeConstant, ComparesWithTheFirstOrdinate) {
    F drift = MakeFunction({{0, 1}, {1, 1 + 0.6e-5}, {2, 1 + 1.2e-5}}, 0, 2);
    EXPECT_FALSE(drift.IsConstant());
    F near = MakeFunction({{0, 1}, {1, 1 + 0.6e-5}, {2, 1 - 0.6e-5}}, 0, 2);
    EXPECT_TRUE(near.IsConstant());
    EXPECT_TRUE(MakeFunction({{3, 7}}, 0, 5).IsConstant());
    EXPECT_FALSE(Empty().IsConstant());
}

TEST(ShapeLinear, WholeFunctionComparesSlopesExactly) {
    F f = MakeFunction({{0, 0}, {1, 1}, {2, 2}}, 0, 3);
    EXPECT_TRUE(f.IsLinear(DBL_MIN, DBL_MAX));
    EXPECT_TRUE(f.IsLinear(0.5, 1.5));
    EXPECT_TRUE(f.IsLinear(0.0, 2.0));
    f.Set(3, 3.0000001);
    EXPECT_FALSE(f.IsLinear(DBL_MIN, DBL_MAX));
    EXPECT_FALSE(f.IsLinear(0.5, 2.5));
    EXPECT_FALSE(f.IsLinear(1.9, 3.0));
    EXPECT_TRUE(f.IsLinear(0.5, 2.0)); // x2 on the point 2: the last segment is not reached
    EXPECT_TRUE(f.IsLinear(2.2, 2.8)); // one segment
    EXPECT_TRUE(MakeFunction({{0, 0}, {1, 5}}, 0, 1).IsLinear(DBL_MIN, DBL_MAX));
}

TEST(ShapeLinear, SubRangesSentinelsAndDegenerateInputs) {
    // Only the exact pair (DBL_MIN, DBL_MAX) is the whole function.
    F f = MakeFunction({{0, 5}, {1, 1}, {2, 2}, {3, 3}}, 0, 3);
    EXPECT_FALSE(f.IsLinear(DBL_MIN, DBL_MAX));
    EXPECT_TRUE(f.IsLinear(1.0, DBL_MAX)); // starts with the segment beginning at 1
    EXPECT_FALSE(f.IsLinear(0.5, DBL_MAX));
    // x1 right of x2 tests the same range.
    F g = MakeFunction({{0, 0}, {1, 1}, {2, 2}, {3, 3.0000001}}, 0, 3);
    EXPECT_FALSE(g.IsLinear(2.5, 0.5));
    EXPECT_TRUE(g.IsLinear(1.5, 0.5));
    // Empty: false; one point: true.
    EXPECT_FALSE(Empty().IsLinear(DBL_MIN, DBL_MAX));
    EXPECT_FALSE(Empty().IsLinear(0, 1));
    F one = MakeFunction({{1, 1}}, 0, 2);
    EXPECT_TRUE(one.IsLinear(DBL_MIN, DBL_MAX));
    EXPECT_TRUE(one.IsLinear(0, 2));
}

TEST(ShapeSymetric, WholeFunctionPairsOrdinatesFromBothEnds) {
    EXPECT_TRUE(MakeFunction({{0, 1}, {1, 0}, {2, -1}}, 0, 2).IsSymetric(DBL_MIN, DBL_MAX));
    EXPECT_TRUE(MakeFunction({{0, 1}, {1, 0.5}, {2, -1}}, 0, 2).IsSymetric(DBL_MIN, DBL_MAX));
    EXPECT_TRUE(MakeFunction({{0, 1}, {1, -1}}, 0, 1).IsSymetric(DBL_MIN, DBL_MAX));
    EXPECT_FALSE(MakeFunction({{0, 1}, {5, 3}, {6, 2}, {7, -1}}, 0, 7).IsSymetric(DBL_MIN, DBL_MAX));
    EXPECT_FALSE(MakeFunction({{0, 1}, {1, 1}}, 0, 1).IsSymetric(DBL_MIN, DBL_MAX)); // opposite, not equal
    EXPECT_TRUE(MakeFunction({{4, 9}}, 0, 7).IsSymetric(DBL_MIN, DBL_MAX));
    EXPECT_FALSE(Empty().IsSymetric(DBL_MIN, DBL_MAX));
    // Strict Ytolerance.
    F f = MakeFunction({{0, 1}, {1, -0.75}}, 0, 1);
    f.SetYtolerance(0.25);
    EXPECT_FALSE(f.IsSymetric(DBL_MIN, DBL_MAX));
    f.SetYtolerance(0.5);
    EXPECT_TRUE(f.IsSymetric(DBL_MIN, DBL_MAX));
}

TEST(ShapeSymetric, SubRangeWalksThePointsWithinTheBounds) {
    F f = MakeFunction({{0, 5}, {1, 1}, {2, 0}, {3, -1}, {4, 7}}, 0, 4);
    EXPECT_FALSE(f.IsSymetric(DBL_MIN, DBL_MAX));
    EXPECT_TRUE(f.IsSymetric(1, 3));
    EXPECT_TRUE(f.IsSymetric(0.5, 3.5));
    EXPECT_TRUE(f.IsSymetric(1.000005, 3)); // point 1 is within Xtolerance of the bound
    EXPECT_FALSE(f.IsSymetric(0, 3));
    EXPECT_FALSE(f.IsSymetric(1, 4));
    EXPECT_TRUE(f.IsSymetric(3, 1));     // swapped
    EXPECT_TRUE(f.IsSymetric(1.2, 1.8)); // no point in range
    EXPECT_TRUE(f.IsSymetric(-9, -5));   // before the curve
    EXPECT_FALSE(f.IsSymetric(-9, 9));
}

TEST(ShapeSlope, SlopesOfTheSegmentsEndingAtFindsIndices) {
    F f = MakeFunction({{0, 0}, {1, 1}, {2, 3}}, 0, 2);
    double s[2] = {-1, -1};
    f.Slope(1.5, s);
    EXPECT_EQ(s[0], 1);
    EXPECT_EQ(s[1], 2);
    f.Slope(2.0, s);
    EXPECT_EQ(s[0], 2);
    EXPECT_EQ(s[1], 2);
    f.Slope(1.0, s);
    EXPECT_EQ(s[0], 1);
    EXPECT_EQ(s[1], 1);
    // No segment before x: the first segment's slope.
    F g = MakeFunction({{0, 0}, {1, 3}, {2, 4}}, 0, 2);
    g.Slope(0.5, s);
    EXPECT_EQ(s[0], 3);
    EXPECT_EQ(s[1], 3);
    g.Slope(0.0, s);
    EXPECT_EQ(s[0], 3);
    EXPECT_EQ(s[1], 3);
    g.Slope(-4, s);
    EXPECT_EQ(s[0], 3);
    EXPECT_EQ(s[1], 3);
    // Fewer than two points: zeros.
    MakeFunction({{1, 1}}, 0, 2).Slope(1, s);
    EXPECT_EQ(s[0], 0);
    EXPECT_EQ(s[1], 0);
    s[0] = s[1] = 9;
    Empty().Slope(1, s);
    EXPECT_EQ(s[0], 0);
    EXPECT_EQ(s[1], 0);
    f.Slope(1, nullptr); // no write, no crash
}

TEST(ShapeNearAbscissas, BracketsWithTheSegmentEndingAtAPoint) {
    F f = MakeFunction({{0, 0}, {1, 1}, {2, 2}}, 0, 2);
    double a = -1, b = -1;
    EXPECT_TRUE(f.GetNearAbscissas(1.5, a, b, nullptr));
    EXPECT_EQ(P(a, b), P(1, 2));
    EXPECT_TRUE(f.GetNearAbscissas(1.0, a, b, nullptr));
    EXPECT_EQ(P(a, b), P(0, 1));
    EXPECT_TRUE(f.GetNearAbscissas(0.0, a, b, nullptr));
    EXPECT_EQ(P(a, b), P(0, 0));
    EXPECT_TRUE(f.GetNearAbscissas(1.05, a, b, nullptr));
    EXPECT_EQ(P(a, b), P(1, 2));
    double tol = 0.1;
    EXPECT_TRUE(f.GetNearAbscissas(1.05, a, b, &tol));
    EXPECT_EQ(P(a, b), P(0, 1));
    EXPECT_FALSE(f.GetNearAbscissas(-3, a, b, nullptr));
    EXPECT_EQ(P(a, b), P(0, 0));
    EXPECT_FALSE(f.GetNearAbscissas(5, a, b, nullptr));
    EXPECT_EQ(P(a, b), P(2, 2));
    EXPECT_FALSE(f.GetNearAbscissas(kNaN, a, b, nullptr));
    EXPECT_EQ(P(a, b), P(0, 0));
    // Beyond the last point but below xmax: the first point, as the test is against xmax.
    F wide = MakeFunction({{0, 0}, {1, 1}, {2, 2}}, 0, 10);
    EXPECT_FALSE(wide.GetNearAbscissas(5, a, b, nullptr));
    EXPECT_EQ(P(a, b), P(0, 0));
    EXPECT_FALSE(Empty().GetNearAbscissas(1, a, b, nullptr));
    EXPECT_EQ(P(a, b), P(0, 0));
}

TEST(ShapeNearAbscissas, InsideAJumpWindowGivesTheJumpsPoints) {
    F f(0, 10, 0);
    f.Set(5, 1, 2);
    double a = 0, b = 0, tol = 1e-6;
    EXPECT_TRUE(f.GetNearAbscissas(5.0, a, b, &tol));
    EXPECT_EQ(P(a, b), P(5 - 1e-5, 5 + 1e-5));
}

TEST(ShapeFindUniqueAbscissa, OnlyStoredAbscissasInsideTheDomain) {
    F f = MakeFunction({{0, 0}, {1, 1}, {2, 4}, {3, 9}}, 0, 2);
    double y = -1;
    EXPECT_FALSE(f.FindUniqueAbscissa(1.5, y));
    EXPECT_EQ(y, -1);
    EXPECT_TRUE(f.FindUniqueAbscissa(1.000005, y));
    EXPECT_EQ(y, 1);
    EXPECT_FALSE(f.FindUniqueAbscissa(3, y)); // stored, but outside the domain
    EXPECT_EQ(y, 1);
}

TEST(ShapeFindMultipleOrdinates, ClosedPolylineGivesTwoOrdinatesInStorageOrder) {
    F sq = MakeFunction({{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}}, 0, 2);
    double y1 = -1, y2 = -1;
    EXPECT_TRUE(sq.FindMultipleOrdinates(1, y1, y2));
    EXPECT_EQ(P(y1, y2), P(0, 2));
    y1 = y2 = -1;
    EXPECT_TRUE(sq.FindMultipleOrdinates(2, y1, y2)); // two vertices, no straddle counted
    EXPECT_EQ(P(y1, y2), P(0, 2));
    EXPECT_FALSE(sq.FindMultipleOrdinates(3, y1, y2));
    // A triangle whose top edge runs back to the left.
    F tri = MakeFunction({{0, 0}, {4, 2}, {0, 4}}, 0, 4);
    EXPECT_TRUE(tri.FindMultipleOrdinates(1, y1, y2));
    EXPECT_EQ(P(y1, y2), P(0.5, 3.5));
    // An ordinary function: one hit, false, y1 written, y2 untouched.
    F inc = MakeFunction({{0, 0}, {1, 1}, {2, 2}}, 0, 2);
    y1 = y2 = -1;
    EXPECT_FALSE(inc.FindMultipleOrdinates(1.5, y1, y2));
    EXPECT_EQ(P(y1, y2), P(1.5, -1));
    EXPECT_FALSE(Empty().FindMultipleOrdinates(1, y1, y2));
}

} // namespace
