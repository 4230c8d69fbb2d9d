#include "TestSupport.h"

namespace {

using R = std::tuple<bool, double, double>;

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
    EXPECT_ROWS({Row("IsOnCurve within tol", f.IsOnCurve(1, 2.4, 0.5), true),
                 Row("IsOnCurve strict at exactly tol", f.IsOnCurve(1, 2.5, 0.5), false),
                 Row("IsOnCurve outside the domain", f.IsOnCurve(3, 6, 1.0), false),
                 Row("IsOnCurve NaN x", f.IsOnCurve(kNaN, 0, 1.0), false),
                 Row("IsOnCurve empty", empty.IsOnCurve(0, 0, 1.0), false),
                 Row("IsDiscontinued at the jump", j.IsDiscontinued(5), true),
                 Row("IsDiscontinued on a point of the jump (factor 1.01)", j.IsDiscontinued(5 + 1e-5), true),
                 Row("IsDiscontinued beyond", j.IsDiscontinued(5 + 2e-5), false),
                 Row("IsConstant compares with the first ordinate",
                     MakeFunction({{0, 1}, {1, 1 + 0.6e-5}, {2, 1 + 1.2e-5}}, 0, 2).IsConstant(), false),
                 Row("IsConstant within Ytolerance of the first",
                     MakeFunction({{0, 1}, {1, 1 + 0.6e-5}, {2, 1 - 0.6e-5}}, 0, 2).IsConstant(), true),
                 Row("IsConstant one point", MakeFunction({{3, 7}}, 0, 5).IsConstant(), true),
                 Row("IsConstant empty", empty.IsConstant(), false)});
    const F l = MakeFunction({{0, 0}, {1, 1}, {2, 2}}, 0, 3), one = MakeFunction({{1, 1}}, 0, 2);
    const F h = MakeFunction({{0, 5}, {1, 1}, {2, 2}, {3, 3}}, 0, 3);
    F g = l;
    g.Set(3, 3.0000001); // IsLinear compares slopes exactly
    EXPECT_ROWS({Row("IsLinear line", l.IsLinear(DBL_MIN, DBL_MAX), true),
                 Row("IsLinear slopes compared exactly", g.IsLinear(DBL_MIN, DBL_MAX), false),
                 Row("IsLinear sub-range reaching the last segment", g.IsLinear(0.5, 2.5), false),
                 Row("IsLinear swapped bounds", g.IsLinear(2.5, 0.5), false),
                 Row("IsLinear short of the last segment", g.IsLinear(0.5, 2), true),
                 Row("IsLinear one segment", g.IsLinear(2.2, 2.8), true),
                 Row("IsLinear whole: only (DBL_MIN, DBL_MAX)", h.IsLinear(DBL_MIN, DBL_MAX), false),
                 Row("IsLinear x1 on a point starts there", h.IsLinear(1.0, DBL_MAX), true),
                 Row("IsLinear x1 before a point", h.IsLinear(0.5, DBL_MAX), false),
                 Row("IsLinear empty", kEmpty.IsLinear(DBL_MIN, DBL_MAX), false),
                 Row("IsLinear one point", one.IsLinear(DBL_MIN, DBL_MAX), true)});
    // IsSymetric: opposite ordinates from both ends, strictly within Ytolerance. Sub-range: the points
    // within [x1, x2] (Xtolerance).
    const F s = MakeFunction({{0, 5}, {1, 1}, {2, 0}, {3, -1}, {4, 7}}, 0, 4);
    EXPECT_ROWS({Row("middle point not examined", Symetric({{0, 1}, {1, 0.5}, {2, -1}}), true),
                 Row("inner pair not opposite", Symetric({{0, 1}, {5, 3}, {6, 2}, {7, -1}}), false),
                 Row("equal ends", Symetric({{0, 1}, {1, 1}}), false),
                 Row("one point", Symetric({{4, 9}}), true),
                 Row("empty", kEmpty.IsSymetric(DBL_MIN, DBL_MAX), false),
                 Row("exactly Ytolerance off", Symetric({{0, 1}, {1, -0.75}}, 0.25), false),
                 Row("within Ytolerance", Symetric({{0, 1}, {1, -0.75}}, 0.5), true),
                 Row("sub-range", s.IsSymetric(1, 3), true),
                 Row("sub-range bound within Xtolerance", s.IsSymetric(1.000005, 3), true),
                 Row("swapped bounds", s.IsSymetric(3, 1), true),
                 Row("no point in range", s.IsSymetric(-9, -5), true),
                 Row("whole function", s.IsSymetric(DBL_MIN, DBL_MAX), false),
                 Row("sub-range to the end", s.IsSymetric(1, 4), false)});
}

TEST(Shape, LocalQueries) {
    const F f = MakeFunction({{0, 0}, {1, 1}, {2, 3}}, 0, 2);
    F g = MakeFunction({{0, 0}, {1, 3}, {2, 4}, {3, 9}}, 0, 2), jump(0, 10, 0);
    jump.Set(5, 1, 2);
    EXPECT_ROWS({Row("segment ending at Find's upper index", Slope(f, 1.5), {1, 2}),
                 Row("on a point", Slope(f, 1), {1, 1}), Row("on the first point", Slope(g, 0), {3, 3}),
                 Row("no segment before x: the first one's", Slope(g, -4), {3, 3}),
                 Row("one point: 0", Slope(MakeFunction({{1, 1}}, 0, 2), 1), {0, 0}),
                 Row("empty: 0", Slope(kEmpty, 1), {0, 0})});
    f.Slope(1, nullptr); // no write, no crash
    EXPECT_ROWS({Row("between points", Near(g, 1.5), {1, 1, 2}),
                 Row("on a point: the segment ending there", Near(g, 1), {1, 0, 1}),
                 Row("on the first point", Near(g, 0), {1, 0, 0}),
                 Row("with a tolerance", Near(g, 1.05, 0.1), {1, 0, 1}),
                 Row("inside a jump: its two points", Near(jump, 5, 1e-6), {1, 5 - 1e-5, 5 + 1e-5}),
                 Row("undefined, x >= xmax: both on the last point", Near(g, 5), {0, 3, 3}),
                 Row("NaN x: both on the first point", Near(g, kNaN), {0, 0, 0}),
                 Row("undefined, x < xmax: both on the first point",
                     Near(MakeFunction({{0, 0}, {2, 2}}, 0, 9), 5), {0, 0, 0}),
                 Row("empty", Near(kEmpty, 1), {0, 0, 0})});
    // FindUniqueAbscissa: no interpolation; a point outside the domain is not found; y untouched when false.
    double y = -1;
    EXPECT_ROWS({Row("between points", g.FindUniqueAbscissa(1.5, y), false),
                 Row("outside the domain", g.FindUniqueAbscissa(3, y), false),
                 Row("y untouched", y == -1, true),
                 Row("within Xtolerance of a point", g.FindUniqueAbscissa(1.000005, y), true),
                 Row("y written", y == 3, true)});
    const F sq = MakeFunction({{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}}, 0, 2);
    EXPECT_ROWS({Row("two crossings", Multi(sq, 1), {1, 0, 2}),
                 Row("two vertices, no straddle counted", Multi(sq, 2), {1, 0, 2}),
                 Row("no hit", Multi(sq, 3), {0, -1, -1}),
                 Row("the top edge running back", Multi(MakeFunction({{0, 0}, {4, 2}, {0, 4}}, 0, 4), 1),
                     {1, 0.5, 3.5}),
                 Row("one hit writes y1 only", Multi(f, 1.5), {0, 2, -1}),
                 Row("empty", Multi(kEmpty, 1), {0, -1, -1})});
}

} // namespace
