#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <tuple>

namespace {

using P = std::pair<double, double>;
using R = std::tuple<bool, double, double>;
using VR = std::vector<R>;
using B = std::vector<bool>;
using F = CVyMathFunction1D;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const F kEmpty = MakeFunction({}, 0, 2);

bool Symetric(std::vector<F::Point> pts, double ytol = 1e-5) {
    F f = MakeFunction(std::move(pts), -100, 100);
    f.SetYtolerance(ytol);
    return f.IsSymetric(DBL_MIN, DBL_MAX);
}
P Slope(const F& f, double x) {
    double s[2] = {9, 9};
    f.Slope(x, s);
    return {s[0], s[1]};
}
// Result and outputs (preset to -1) of GetNearAbscissas (tol < 0: a null tolerance) and
// FindMultipleOrdinates.
R Near(F f, double x, double tol = -1) {
    P p(-1, -1);
    return {f.GetNearAbscissas(x, p.first, p.second, tol < 0 ? nullptr : &tol), p.first, p.second};
}
R Multi(F f, double x) {
    P p(-1, -1);
    return {f.FindMultipleOrdinates(x, p.first, p.second), p.first, p.second};
}

TEST(Shape, Predicates) {
    F f = MakeFunction({{0, 0}, {2, 4}}, 0, 2), empty = kEmpty, j(0, 10, 0);
    j.Set(5, 1, 2);
    // IsOnCurve: strict at exactly tol; outside the domain, NaN x, empty function: false. The jump's own
    // points count through the factor 1.01. IsConstant compares every ordinate with the first.
    EXPECT_EQ(B({f.IsOnCurve(1, 2.4, 0.5), f.IsOnCurve(1, 2.5, 0.5), f.IsOnCurve(3, 6, 1.0),
                 f.IsOnCurve(kNaN, 0, 1.0), empty.IsOnCurve(0, 0, 1.0), j.IsDiscontinued(5),
                 j.IsDiscontinued(5 + 1e-5), j.IsDiscontinued(5 + 2e-5),
                 MakeFunction({{0, 1}, {1, 1 + 0.6e-5}, {2, 1 + 1.2e-5}}, 0, 2).IsConstant(),
                 MakeFunction({{0, 1}, {1, 1 + 0.6e-5}, {2, 1 - 0.6e-5}}, 0, 2).IsConstant(),
                 MakeFunction({{3, 7}}, 0, 5).IsConstant(), empty.IsConstant()}),
              B({1, 0, 0, 0, 0, 1, 1, 0, 0, 1, 1, 0}));
    const F l = MakeFunction({{0, 0}, {1, 1}, {2, 2}}, 0, 3), one = MakeFunction({{1, 1}}, 0, 2);
    const F h = MakeFunction({{0, 5}, {1, 1}, {2, 2}, {3, 3}}, 0, 3);
    const F s = MakeFunction({{0, 5}, {1, 1}, {2, 0}, {3, -1}, {4, 7}}, 0, 4);
    F g = l;
    g.Set(3, 3.0000001);
    // IsLinear compares slopes exactly. (2.5, 0.5) is swapped; (0.5, 2) does not reach the last segment;
    // (2.2, 2.8) is one segment. Only the exact pair (DBL_MIN, DBL_MAX) is the whole function; x1 on a
    // point starts there. IsSymetric: opposite ordinates from both ends, strictly within Ytolerance, the
    // middle point not examined. Sub-range: the points within [x1, x2] (Xtolerance), swapped bounds
    // allowed, fewer than two points symmetric.
    EXPECT_EQ(B({l.IsLinear(DBL_MIN, DBL_MAX), g.IsLinear(DBL_MIN, DBL_MAX), g.IsLinear(0.5, 2.5),
                 g.IsLinear(2.5, 0.5), g.IsLinear(0.5, 2), g.IsLinear(2.2, 2.8), h.IsLinear(DBL_MIN, DBL_MAX),
                 h.IsLinear(1.0, DBL_MAX), h.IsLinear(0.5, DBL_MAX), kEmpty.IsLinear(DBL_MIN, DBL_MAX),
                 one.IsLinear(DBL_MIN, DBL_MAX)}),
              B({1, 0, 0, 0, 1, 1, 0, 1, 0, 0, 1}));
    EXPECT_EQ(B({Symetric({{0, 1}, {1, 0.5}, {2, -1}}), Symetric({{0, 1}, {5, 3}, {6, 2}, {7, -1}}),
                 Symetric({{0, 1}, {1, 1}}), Symetric({{4, 9}}), kEmpty.IsSymetric(DBL_MIN, DBL_MAX),
                 Symetric({{0, 1}, {1, -0.75}}, 0.25), Symetric({{0, 1}, {1, -0.75}}, 0.5),
                 s.IsSymetric(1, 3), s.IsSymetric(1.000005, 3), s.IsSymetric(3, 1), s.IsSymetric(-9, -5),
                 s.IsSymetric(DBL_MIN, DBL_MAX), s.IsSymetric(1, 4)}),
              B({1, 0, 0, 1, 0, 0, 1, 1, 1, 1, 1, 0, 0}));
}

TEST(Shape, LocalQueries) {
    const F f = MakeFunction({{0, 0}, {1, 1}, {2, 3}}, 0, 2);
    F g = MakeFunction({{0, 0}, {1, 3}, {2, 4}, {3, 9}}, 0, 2), jump(0, 10, 0);
    jump.Set(5, 1, 2);
    // Slopes ending at Find's indices; no segment before x: the first one's; fewer than two points: 0.
    EXPECT_EQ(std::vector<P>({Slope(f, 1.5), Slope(f, 1), Slope(g, 0), Slope(g, -4),
                              Slope(MakeFunction({{1, 1}}, 0, 2), 1), Slope(kEmpty, 1)}),
              std::vector<P>({{1, 2}, {1, 1}, {3, 3}, {3, 3}, {0, 0}, {0, 0}}));
    f.Slope(1, nullptr); // no write, no crash
    // Near abscissas. On a point: the segment ending there; inside a jump: its two points. Undefined x:
    // false, both on the first point, or on the last when x >= xmax (not the last point).
    EXPECT_EQ(VR({Near(g, 1.5), Near(g, 1), Near(g, 0), Near(g, 1.05, 0.1), Near(jump, 5, 1e-6)}),
              VR({{1, 1, 2}, {1, 0, 1}, {1, 0, 0}, {1, 0, 1}, {1, 5 - 1e-5, 5 + 1e-5}}));
    EXPECT_EQ(VR({Near(g, 5), Near(g, kNaN), Near(MakeFunction({{0, 0}, {2, 2}}, 0, 9), 5), Near(kEmpty, 1)}),
              VR({{0, 3, 3}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}));
    // FindUniqueAbscissa: no interpolation; a point outside the domain is not found; y untouched when false.
    double y = -1;
    EXPECT_EQ(B({g.FindUniqueAbscissa(1.5, y), g.FindUniqueAbscissa(3, y), y == -1,
                 g.FindUniqueAbscissa(1.000005, y), y == 3}),
              B({0, 0, 1, 1, 1}));
    // FindMultipleOrdinates: two vertices at x = 2 (no straddle counted); no hit; the top edge running
    // back; one hit writes y1 only; empty function.
    const F sq = MakeFunction({{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}}, 0, 2);
    EXPECT_EQ(VR({Multi(sq, 1), Multi(sq, 2), Multi(sq, 3),
                  Multi(MakeFunction({{0, 0}, {4, 2}, {0, 4}}, 0, 4), 1), Multi(f, 1.5), Multi(kEmpty, 1)}),
              VR({{1, 0, 2}, {1, 0, 2}, {0, -1, -1}, {1, 0.5, 3.5}, {0, 2, -1}, {0, -1, -1}}));
}

} // namespace
