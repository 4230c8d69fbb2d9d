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
bool Symetric(std::vector<CVyMathFunction1D::Point> pts) {
    return MakeFunction(std::move(pts), -100, 100).IsSymetric(DBL_MIN, DBL_MAX);
}

TEST(Shape, OnCurveDiscontinuedAndConstant) {
    F f = MakeFunction({{0, 0}, {2, 4}}, 0, 2);
    EXPECT_TRUE(f.IsOnCurve(1, 2.4, 0.5));
    EXPECT_FALSE(f.IsOnCurve(1, 2.5, 0.5)); // exactly tol apart
    EXPECT_FALSE(f.IsOnCurve(3, 6, 1.0));   // outside the domain
    EXPECT_FALSE(f.IsOnCurve(kNaN, 0, 1.0));
    EXPECT_FALSE(Empty().IsOnCurve(0, 0, 1.0));
    F j(0, 10, 0);
    EXPECT_FALSE(j.IsDiscontinued(5.0));
    j.Set(5, 1, 2);
    for (double x : {5.0, 5.0 + 1e-5, 5.0 - 1e-5}) // the jump's own points count through the factor 1.01
        EXPECT_TRUE(j.IsDiscontinued(x)) << x;
    EXPECT_FALSE(j.IsDiscontinued(5.0 + 2e-5));
    // Every ordinate is compared with the first, not with its neighbour.
    EXPECT_FALSE(MakeFunction({{0, 1}, {1, 1 + 0.6e-5}, {2, 1 + 1.2e-5}}, 0, 2).IsConstant());
    EXPECT_TRUE(MakeFunction({{0, 1}, {1, 1 + 0.6e-5}, {2, 1 - 0.6e-5}}, 0, 2).IsConstant());
    EXPECT_TRUE(MakeFunction({{3, 7}}, 0, 5).IsConstant());
    EXPECT_FALSE(Empty().IsConstant());
}

TEST(Shape, IsLinearComparesSlopesExactly) {
    F f = MakeFunction({{0, 0}, {1, 1}, {2, 2}}, 0, 3);
    for (P r : {P(DBL_MIN, DBL_MAX), P(0.5, 1.5), P(0.0, 2.0)})
        EXPECT_TRUE(f.IsLinear(r.first, r.second)) << r.first;
    f.Set(3, 3.0000001);
    for (P r : {P(DBL_MIN, DBL_MAX), P(0.5, 2.5), P(1.9, 3.0), P(2.5, 0.5)}) // (2.5, 0.5): swapped
        EXPECT_FALSE(f.IsLinear(r.first, r.second)) << r.first;
    for (P r : {P(0.5, 2.0), P(2.2, 2.8), P(1.5, 0.5)}) // the last segment not reached; one segment
        EXPECT_TRUE(f.IsLinear(r.first, r.second)) << r.first;
    // Only the exact pair (DBL_MIN, DBL_MAX) is the whole function; x1 on a point
    // starts there.
    F g = MakeFunction({{0, 5}, {1, 1}, {2, 2}, {3, 3}}, 0, 3);
    EXPECT_FALSE(g.IsLinear(DBL_MIN, DBL_MAX));
    EXPECT_TRUE(g.IsLinear(1.0, DBL_MAX));
    EXPECT_FALSE(g.IsLinear(0.5, DBL_MAX));
    EXPECT_FALSE(Empty().IsLinear(DBL_MIN, DBL_MAX) || Empty().IsLinear(0, 1));
    F one = MakeFunction({{1, 1}}, 0, 2);
    EXPECT_TRUE(one.IsLinear(DBL_MIN, DBL_MAX) && one.IsLinear(0, 2));
}

TEST(Shape, IsSymetricPairsOppositeOrdinatesFromBothEnds) {
    EXPECT_TRUE(Symetric({{0, 1}, {1, 0}, {2, -1}}));
    EXPECT_TRUE(Symetric({{0, 1}, {1, 0.5}, {2, -1}})); // the middle point is not examined
    EXPECT_TRUE(Symetric({{0, 1}, {1, -1}}));
    EXPECT_FALSE(Symetric({{0, 1}, {5, 3}, {6, 2}, {7, -1}}));
    EXPECT_FALSE(Symetric({{0, 1}, {1, 1}})); // opposite, not equal
    EXPECT_TRUE(Symetric({{4, 9}}));
    EXPECT_FALSE(Empty().IsSymetric(DBL_MIN, DBL_MAX));
    F t = MakeFunction({{0, 1}, {1, -0.75}}, 0, 1);
    t.SetYtolerance(0.25); // strict
    EXPECT_FALSE(t.IsSymetric(DBL_MIN, DBL_MAX));
    t.SetYtolerance(0.5);
    EXPECT_TRUE(t.IsSymetric(DBL_MIN, DBL_MAX));
    // Sub-range: the points within [x1, x2] (Xtolerance); swapped bounds; no
    // point in range is symmetric.
    F f = MakeFunction({{0, 5}, {1, 1}, {2, 0}, {3, -1}, {4, 7}}, 0, 4);
    for (P r : {P(1, 3), P(0.5, 3.5), P(1.000005, 3), P(3, 1), P(1.2, 1.8), P(-9, -5)})
        EXPECT_TRUE(f.IsSymetric(r.first, r.second)) << r.first << " " << r.second;
    for (P r : {P(DBL_MIN, DBL_MAX), P(0, 3), P(1, 4), P(-9, 9)})
        EXPECT_FALSE(f.IsSymetric(r.first, r.second)) << r.first << " " << r.second;
}

TEST(Shape, SlopesOfTheSegmentsEndingAtFindsIndices) {
    const F f = MakeFunction({{0, 0}, {1, 1}, {2, 3}}, 0, 2),
            g = MakeFunction({{0, 0}, {1, 3}, {2, 4}}, 0, 2);
    const F one = MakeFunction({{1, 1}}, 0, 2), empty = Empty();
    // No segment before x: the first segment's slope; fewer than two points:
    // zeros.
    const struct {
        const F& f;
        double x;
        P slopes;
    } cases[] = {{f, 1.5, {1, 2}}, {f, 2.0, {2, 2}}, {f, 1.0, {1, 1}}, {g, 0.5, {3, 3}},
                 {g, 0.0, {3, 3}}, {g, -4, {3, 3}},  {one, 1, {0, 0}}, {empty, 1, {0, 0}}};
    for (const auto& c : cases) {
        double s[2] = {9, 9};
        c.f.Slope(c.x, s);
        EXPECT_EQ(P(s[0], s[1]), c.slopes) << c.x;
    }
    f.Slope(1, nullptr); // no write, no crash
}

TEST(Shape, GetNearAbscissas) {
    F f = MakeFunction({{0, 0}, {1, 1}, {2, 2}}, 0, 2), wide = MakeFunction({{0, 0}, {1, 1}, {2, 2}}, 0, 10);
    F jump(0, 10, 0), empty = Empty();
    jump.Set(5, 1, 2);
    double small = 1e-6, tenth = 0.1;
    const struct {
        F& f;
        double x;
        double* tol;
        bool ok;
        P near;
    } cases[] = {{f, 1.5, nullptr, true, {1, 2}},    {f, 1.0, nullptr, true, {0, 1}}, // segment ending there
                 {f, 0.0, nullptr, true, {0, 0}},    {f, 1.05, nullptr, true, {1, 2}},
                 {f, 1.05, &tenth, true, {0, 1}},    {f, -3, nullptr, false, {0, 0}},
                 {f, 5, nullptr, false, {2, 2}},     {f, kNaN, nullptr, false, {0, 0}},
                 {wide, 5, nullptr, false, {0, 0}}, // tested against xmax, not the last point
                 {empty, 1, nullptr, false, {0, 0}}, {jump, 5.0, &small, true, {5 - 1e-5, 5 + 1e-5}}};
    for (const auto& c : cases) {
        P got(-1, -1);
        EXPECT_EQ(c.f.GetNearAbscissas(c.x, got.first, got.second, c.tol), c.ok) << c.x;
        EXPECT_EQ(got, c.near) << c.x;
    }
}

TEST(Shape, FindUniqueAbscissaAndMultipleOrdinates) {
    F f = MakeFunction({{0, 0}, {1, 1}, {2, 4}, {3, 9}}, 0, 2);
    double y = -1, y2 = -1;
    EXPECT_FALSE(f.FindUniqueAbscissa(1.5, y)); // no interpolation
    EXPECT_EQ(y, -1);
    EXPECT_TRUE(f.FindUniqueAbscissa(1.000005, y));
    EXPECT_EQ(y, 1);
    EXPECT_FALSE(f.FindUniqueAbscissa(3, y)); // stored, but outside the domain
    F sq = MakeFunction({{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}}, 0, 2);
    EXPECT_TRUE(sq.FindMultipleOrdinates(1, y, y2));
    EXPECT_EQ(P(y, y2), P(0, 2));
    y = y2 = -1;
    EXPECT_TRUE(sq.FindMultipleOrdinates(2, y, y2)); // two vertices, no straddle counted
    EXPECT_EQ(P(y, y2), P(0, 2));
    EXPECT_FALSE(sq.FindMultipleOrdinates(3, y, y2));
    EXPECT_TRUE(MakeFunction({{0, 0}, {4, 2}, {0, 4}}, 0, 4).FindMultipleOrdinates(1, y, y2));
    EXPECT_EQ(P(y, y2), P(0.5, 3.5)); // top edge running back to the left
    y = y2 = -1;
    EXPECT_FALSE(MakeFunction({{0, 0}, {1, 1}, {2, 2}}, 0, 2).FindMultipleOrdinates(1.5, y, y2));
    EXPECT_EQ(P(y, y2), P(1.5, -1)); // one hit: y1 written
    EXPECT_FALSE(Empty().FindMultipleOrdinates(1, y, y2));
}

} // namespace
