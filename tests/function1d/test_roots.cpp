#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <tuple>

namespace {

using P = std::pair<double, double>;
using V = std::vector<P>;
using F = CVyMathFunction1D;
using Fn = double (*)(double);

const double kNaN = std::numeric_limits<double>::quiet_NaN();

int calls = 0;
const Fn xm1 = [](double x) { return x - 1; };
const Fn xm04 = [](double x) { return x - 0.4; };
const Fn m03x = [](double x) { return 0.3 - x; };
const Fn x3m1 = [](double x) { return ++calls, 3 * x - 1; };

// GetAllZero (or, with curves, GetAllZeroInteractionCurves) into a list already holding a marker,
// which must stay first (the results are appended); the found points only.
V Zeros(F f, double xacc, bool curves = false) {
    F::PointList l;
    l.AddPoint({-7, -7});
    curves ? f.GetAllZeroInteractionCurves(l, xacc) : f.GetAllZero(l, xacc);
    const V out = ItemsOf(l);
    EXPECT_EQ(out.front(), P(-7, -7));
    return V(out.begin() + 1, out.end());
}

TEST(RootsBisection, OfACallersFunctionAndOfTheCurve) {
    F f = MakeFunction({{0, -1}, {2, 1}}, 0, 2);
    // A zero end is no sign change; |dx| = xacc goes on; the estimate stays on the non-positive end
    // (x2 for 0.3 - x); a null f or a NaN end fails.
    EXPECT_EQ(
        std::vector<double>({f.RootBissection(xm1, 1, 3, 1e-9), f.RootBissection(xm1, 2, 3, 1e-9),
                             f.RootBissection(xm04, 0, 1, 0.25), f.RootBissection(m03x, 0, 1, 0.2),
                             f.RootBissection(nullptr, 0, 1, 0.1), f.RootBissection(xm1, kNaN, 3, 0.1)}),
        std::vector<double>({0, 0, 0.375, 0.375, 0, 0}));
    // Dyadic midpoints never make 3x - 1 exactly zero; xacc 0 never stops: 40 halvings, then failure.
    EXPECT_EQ(f.RootBissection(x3m1, 0, 1, 0.0), 0.0);
    EXPECT_EQ(calls, 42);
    // On the curve: the first midpoint is exactly 0; an end outside the domain, an empty function:
    // failure. Ends at -DBL_MAX and +DBL_MAX: the span would overflow; the first midpoint is 0.
    EXPECT_EQ(std::vector<double>({f.RootBissection(2, 0, 1e-9), f.RootBissection(-1, 2, 1e-9),
                                   MakeFunction({}, 0, 2).RootBissection(0, 2, 1e-9),
                                   MakeFunction({{-DBL_MAX, -1}, {DBL_MAX, 3}}, -DBL_MAX, DBL_MAX)
                                       .RootBissection(-DBL_MAX, DBL_MAX, 1e-5)}),
              std::vector<double>({1, 0, 0, -DBL_MAX / 2}));
}

TEST(RootsUniqueAbscisse, ClosedCurveSegments) {
    // Unclosed: no second ordinate, the first is used; (1, -1) -> (3, 1) met second at every midpoint;
    // a segment running left: the first ordinate; x1 not a stored abscissa: failure.
    const F open = MakeFunction({{1, -1}, {2, 1}, {3, 1}}, 1, 3),
            left = MakeFunction({{3, 1}, {1, -1}}, 1, 3),
            loop = MakeFunction({{3, 5}, {1, 5}, {1, -1}, {3, 1}}, 1, 3);
    const std::tuple<F, double, double, double> cases[] = {
        {open, 1, 2, 1.5}, {loop, 1, 3, 2}, {left, 3, 1, 2}, {open, 1.2, 2, 0}, {open, kNaN, 2, 0}};
    for (auto [f, x1, x2, root] : cases)
        EXPECT_EQ(f.RootBissectionUniqueAbscisse(x1, x2, 1e-5), root) << x1 << " " << x2;
}

TEST(RootsAllZero, VerticesAndCrossingsInOrder) {
    const F f = MakeFunction({{0, -1}, {3, 2}}, 0, 3);
    F jump = MakeFunction({{0, -1}, {2, 1}}, 0, 2);
    jump.Set(1, -1, 1);
    EXPECT_EQ(F(f).RootBissection(3, 0, 1e-12), 0.0); // 40 halvings of 3 cannot reach 1e-12
    // First point not examined, zero products no sign change; a vertical step; nothing inside a jump
    // window; one point; no point; a successful bisection gives its estimate (not 1/3), a failed one
    // (accuracy too fine, or an end outside the domain) the segment's crossing.
    const std::tuple<F, double, V> cases[] = {
        {MakeFunction({{0, 0}, {1, 1}, {2, 0}}, 0, 2), 1e-9, {{2, 0}}},
        {MakeFunction({{0, -1}, {1, -1}, {1.000005, 1}, {2, 1}}, 0, 2), 1e-9, {{1.000005, 0}}},
        {jump, 1e-9, {}},
        {MakeFunction({{1, 0}}, 0, 2), 1e-9, {}},
        {MakeFunction({}, 0, 2), 1e-9, {}},
        {MakeFunction({{0, -1}, {1, 2}}, 0, 1), 0.1, {{0.3125, 0}}},
        {f, 1e-12, {{1, 0}}},
        {MakeFunction({{-1, -1}, {3, 1}}, 0, 3), 1e-9, {{1, 0}}}};
    for (const auto& [g, xacc, want] : cases)
        EXPECT_EQ(Zeros(g, xacc), want) << &want - &std::get<2>(cases[0]);
    // A vertex within Ytolerance of 0 comes first; within Xtolerance left of it the curve takes its
    // ordinate 5e-6 > 0, so the crossing is found there.
    const V z = Zeros(MakeFunction({{0, -1}, {1, 5e-6}, {2, 1}}, 0, 2), 1e-9);
    ASSERT_EQ(z.size(), 2u);
    EXPECT_TRUE(z[0] == P(1, 5e-6) && z[1].first <= 1 - 1e-5 && z[1].first > 1 - 1e-5 - 2e-9 && !z[1].second);
}

TEST(RootsAllZeroInteractionCurves, VerticesOnZeroInsideTheDomain) {
    const std::vector<CVyMathFunction1D::Point> diamond = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    EXPECT_EQ(Zeros(MakeFunction(diamond, -1, 1), 1e-9, true), (V{{1, 0}, {-1, 0}}));
    EXPECT_EQ(Zeros(MakeFunction(diamond, -0.5, 1), 1e-9, true), (V{{1, 0}}));
    EXPECT_TRUE(Zeros(MakeFunction({{0, -1}, {1, 1}}, 0, 1), 1e-9, true).empty()); // no bisection
}

} // namespace
