#include "TestSupport.h"

namespace {

using Fn = double (*)(double);

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
    const F wide = MakeFunction({{-DBL_MAX, -1}, {DBL_MAX, 3}}, -DBL_MAX, DBL_MAX);
    const double third40 = std::floor(std::ldexp(1, 40) / 3) * std::ldexp(1, -40); // 1/3 from below
    EXPECT_ROWS(
        {Row("a zero end is no sign change", f.RootBissection(xm1, 1, 3, 1e-9), 0),
         Row("no sign change", f.RootBissection(xm1, 2, 3, 1e-9), 0),
         Row("|dx| = xacc goes on", f.RootBissection(xm04, 0, 1, 0.25), 0.375),
         Row("the estimate stays on the non-positive end", f.RootBissection(m03x, 0, 1, 0.2), 0.375),
         Row("null f", f.RootBissection(nullptr, 0, 1, 0.1), 0),
         Row("NaN end", f.RootBissection(xm1, kNaN, 3, 0.1), 0),
         Row("the 40th halving gets below 2^-39", f.RootBissection(x3m1, 0, 1, std::ldexp(1, -39)), third40),
         Row("40 halvings never get below 2^-40", f.RootBissection(x3m1, 0, 1, std::ldexp(1, -40)), 0),
         Row("on the curve: the first midpoint is exactly 0", f.RootBissection(2, 0, 1e-9), 1),
         Row("an end outside the domain", f.RootBissection(-1, 2, 1e-9), 0),
         Row("empty function", MakeFunction({}, 0, 2).RootBissection(0, 2, 1e-9), 0),
         Row("ends at -+DBL_MAX: the span does not overflow", F(wide).RootBissection(-DBL_MAX, DBL_MAX, 1e-5),
             -DBL_MAX / 2)});
    // xacc 0 never stops and dyadic midpoints never make 3x - 1 zero: each end and each of the 40 steps
    // evaluated once, then failure.
    calls = 0;
    EXPECT_EQ(f.RootBissection(x3m1, 0, 1, 0.0), 0.0);
    EXPECT_EQ(calls, 42);
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
    EXPECT_ROWS(
        {Row("first point not examined, zero products no sign change",
             Zeros(MakeFunction({{0, 0}, {1, 1}, {2, 0}}, 0, 2), 1e-9), {{2, 0}}),
         Row("a vertical step", Zeros(MakeFunction({{0, -1}, {1, -1}, {1.000005, 1}, {2, 1}}, 0, 2), 1e-9),
             {{1.000005, 0}}),
         Row("nothing inside a jump window", Zeros(jump, 1e-9), {}),
         Row("one point", Zeros(MakeFunction({{1, 0}}, 0, 2), 1e-9), {}),
         Row("no point", Zeros(MakeFunction({}, 0, 2), 1e-9), {}),
         Row("a successful bisection: its estimate", Zeros(MakeFunction({{0, -1}, {1, 2}}, 0, 1), 0.1),
             {{0.3125, 0}}),
         Row("accuracy too fine: the segment's crossing", Zeros(f, 1e-12), {{1, 0}}),
         Row("an end outside the domain: the segment's crossing",
             Zeros(MakeFunction({{-1, -1}, {3, 1}}, 0, 3), 1e-9), {{1, 0}})});
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
