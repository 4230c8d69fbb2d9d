#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <tuple>

namespace {

using P = std::pair<double, double>;
using V = std::vector<P>;
using F = CVyMathFunction1D;
using J = std::vector<double>;
using VV = std::vector<V>;
using VD = std::vector<std::pair<V, P>>;
using I = std::vector<int>;
using B = std::vector<bool>;

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kFail = -777;
const int D = F::InsertDone, C = F::InsertConflict, E = F::InsertExists, R = F::InsertRefused;

P Range(const F& f) {
    P r;
    f.GetFullRange(r.first, r.second);
    return r;
}
P Bracket(const F& f, double x) {
    int lo = -7, hi = -7;
    f.Find(x, lo, hi);
    return {lo, hi};
}
// The points and range after SetDomain(a, b).
std::pair<V, P> Dom(F f, double a, double b) {
    f.SetDomain(a, b);
    return {PointsOf(f), Range(f)};
}
// Everything a copy carries.
auto State(F f) {
    return std::make_tuple(PointsOf(f), VyMathTestAccess::Jumps(f), VyMathTestAccess::ForceJumps(f),
                           f.GetXtolerance(), f.GetYtolerance(), Range(f));
}
// GetOrdinate at x: y, kFail when it fails and leaves y alone, NaN when the result and y disagree.
double Ord(const F& f, double x) {
    double y = kFail;
    return f.GetOrdinate(x, y) == (y != kFail) ? y : kNaN;
}
// The points that GetNext reads from the cursor on.
V Walk(F::PointList& l) {
    V out;
    for (P p; l.GetNext(p.first, p.second);)
        out.push_back(p);
    return out;
}
double (*const kUnset)(double) = [](double x) { return x < 0.5 ? kNaN : 1.0 / (x - 1.0); };

TEST(Construction, DefaultCopiesSamplingAndSine) {
    const V zero{{-DBL_MAX, 0}, {DBL_MAX, 0}};
    EXPECT_EQ(State(F()), std::make_tuple(zero, J{}, 0, 1e-5, 1e-5, P(-DBL_MAX, DBL_MAX)));
    EXPECT_EQ(PointsOf(F(-kInf, kNaN, 0)), zero); // non-finite bounds: open ends
    F b(0, 10, 1);
    b.SetXtolerance(0.01);
    b.SetYtolerance(0.02);
    b.SetXtolerance(kNaN); // ignored
    b.Set(5, 1, 2);
    F c(b), d;
    EXPECT_EQ(&(d = d = b), &d); // a copy, then a self-assignment
    EXPECT_EQ(State(b),
              std::make_tuple(V{{0, 0}, {4.99, 1}, {5.01, 2}, {10, 0}}, J{5}, 1, 0.01, 0.02, P(0, 10)));
    EXPECT_EQ(std::make_pair(State(c), State(d)), std::make_pair(State(b), State(b)));
    c.SetXtolerance(-1.0); // taken as given
    EXPECT_EQ(c.GetXtolerance(), -1.0);
    CVyMathPolynom p(2);
    double square[] = {0, 0, 1};
    p.SetCoeff(square, 3);
    const F g = MakeFunction({{0, 0}, {5, 10}, {10, 0}}, 0, 10),
            h = MakeFunction({{0, 0}, {1.5, 6}, {3, 0}}, 0, 3);
    // Upwards from x0 even when x1 < x0; nothing for n <= 0 or non-finite bounds; samples stop where the
    // abscissa overflows; f(1) = +inf stored as DBL_MAX, NaN samples skipped, a null f gives nothing.
    // Resampling advances only after a success. Stretching [0, 3] with 3 elements onto [0, 6]; the default
    // function has no element.
    const std::pair<F, V> cases[] = {
        {F(p, 0, 1, 4), {{0, 0}, {0.25, 0.0625}, {0.5, 0.25}, {0.75, 0.5625}, {1, 1}}},
        {F(p, 1, 0, 2), {{1, 1}, {1.5, 2.25}, {2, 4}}},
        {F(p, 0, 1, 0), {}},
        {F(p, kNaN, kInf, 3), {}},
        {F(p, -DBL_MAX, DBL_MAX, 2), {{-DBL_MAX, DBL_MAX}}},
        {F(kUnset, 0, 2, 4), {{0.5, -2}, {1, DBL_MAX}, {1.5, 2}, {2, 1}}},
        {F(static_cast<double (*)(double)>(nullptr), 0, 1, 2), {}},
        {F(g, 5, 15, 2), {{5, 10}, {10, 0}}},
        {F(h, 6.0), {{0, 0}, {2, 4}, {4, 4}, {6, 0}}},
        {F(F(), 3.0), {}}};
    for (const auto& c : cases)
        EXPECT_EQ(PointsOf(c.first), c.second) << &c - cases;
    EXPECT_EQ(V({Range(F(p, 1, 0, 2)), Range(F(p, kNaN, kInf, 3)), Range(F(h, 6.0)), Range(F(h, kInf))}),
              V({{1, 0}, {-DBL_MAX, DBL_MAX}, {0, 6}, {0, DBL_MAX}}));
    // The sine is sampled from 0, not from xmin.
    const V want{{0, 0}, {0.5, std::sin(0.5)}, {1, std::sin(1.0)}};
    EXPECT_EQ(PointsOf(F(1, 1, 0, 0, 1, 0.5)), want);
    EXPECT_EQ(PointsOf(F(1, 1, 0, 0.25, 1, 0.5)), want);
    // The sine refuses a negative step, a step beyond xmax, xmax below 0, a zero step, a step passing the
    // guards, an infinite xmax.
    const double bad[][2] = {{1, -0.1}, {1, 2.0}, {-1, 0.5}, {1, 0.0}, {1, -5e-6}, {kInf, 0.5}};
    for (const auto& b : bad)
        EXPECT_TRUE(PointsOf(F(1, 1, 0, 0, b[0], b[1])).empty()) << b[0] << " " << b[1];
}

TEST(Insertion, SetCodesValidationOrderAndJumps) {
    F f(0, 10, 0), e = MakeFunction({}, 0, 10);
    EXPECT_EQ(I({f.Set(1, 2), f.Set(3, 4), f.Set(1.000001, 2), f.Set(1.000001, 5), f.Set(2, kNaN),
                 f.Set(kNaN, 1), f.Set(kInf, 1), f.Set(0.000001, 7), f.Set(10.000001, 8), f.Set(2, kInf)}),
              I({D, D, E, C, R, R, R, D, D, D}));
    // End points replaced, abscissa included; +inf stored as DBL_MAX.
    EXPECT_EQ(PointsOf(f), (V{{0.000001, 7}, {1, 2}, {2, DBL_MAX}, {3, 4}, {10.000001, 8}}));
    f.SetXtolerance(0.5); // a point exactly Xtolerance below its neighbour goes before it
    EXPECT_EQ(I({f.Set(2.5, 9), e.Set(4, 1), e.Set(2, 3), e.Set(9, 9)}), I({D, D, D, D}));
    EXPECT_EQ(std::make_pair(PointsOf(f)[3], PointsOf(e)),
              std::make_pair(P(2.5, 9), V{{2, 3}, {4, 1}, {9, 9}}));
    // Jumps.
    F j(0, 10, 0), forced(0, 10, 1);
    EXPECT_EQ(I({j.Set(5, 1, 1), j.Set(7, 1, 2), j.Set(8, kNaN, 1), j.Set(8, 1, kNaN), j.Set(kNaN, 1, 2)}),
              I({D, D, C, C, R}));
    EXPECT_EQ(std::make_pair(PointsOf(j), VyMathTestAccess::Jumps(j)),
              std::make_pair(V{{0, 0}, {5, 1}, {7 - 1e-5, 1}, {7 + 1e-5, 2}, {10, 0}}, J{7}));
    // The jump abscissa is recorded whatever the two insertions report.
    EXPECT_EQ(I({j.Set(7, 1, 2), j.Set(7, 5, 2), forced.Set(5, 1, 1)}), I({E, C, D}));
    EXPECT_EQ(VyMathTestAccess::Jumps(j), (J{7, 7, 7}));
    EXPECT_EQ(std::make_pair(PointsOf(forced), VyMathTestAccess::Jumps(forced)),
              std::make_pair(V{{0, 0}, {5 - 1e-5, 1}, {5 + 1e-5, 1}, {10, 0}}, J{5}));
}

TEST(Insertion, SetUniqueAbscissaSetConstantAndReplace) {
    F u, e = MakeFunction({}, 0, 1), x = MakeFunction({{0, 0}, {5, 5}, {10, 0}}, 0, 10);
    // The second x = 2 goes next to the end, not next to 2.
    EXPECT_EQ(
        I({u.SetUniqueAbscissa(1, 10, 0.1), u.SetUniqueAbscissa(2, 20, 0.1), u.SetUniqueAbscissa(3, 30, 0.1),
           u.SetUniqueAbscissa(2, 20.000001, 0.1), u.SetUniqueAbscissa(2, 25, 0.1),
           u.SetUniqueAbscissa(4, kNaN, 0.1), e.SetUniqueAbscissa(1, 1, 0.1)}),
        I({D, D, D, E, D, R, R}));
    EXPECT_EQ(PointsOf(u), (V{{-DBL_MAX, 0}, {1, 10}, {2, 20}, {3, 30}, {2.1, 25}, {DBL_MAX, 0}}));
    // Index == number of points, negative index, NaN; point 0 is not searched.
    EXPECT_EQ(I({x.SetUniqueAbscissaAtIndex(3, 3, 0.1, 3), x.SetUniqueAbscissaAtIndex(3, 3, 0.1, -1),
                 x.SetUniqueAbscissaAtIndex(1, kNaN, 0.1, 0), x.SetUniqueAbscissaAtIndex(5, 5, 0.1, 1),
                 x.SetUniqueAbscissaAtIndex(5, 6, 0.1, 1), x.SetUniqueAbscissaAtIndex(0, 7, 0.1, 2)}),
              I({R, R, R, E, D, D}));
    EXPECT_EQ(PointsOf(x), (V{{0, 0}, {5.1, 6}, {0, 7}, {5, 5}, {10, 0}}));

    F f(0, 10, 0), g = MakeFunction({{0, 0}, {4, 1}, {10, 0}}, 0, 10), h(0, 10, 0);
    // No point beyond both; 0 fails GreaterEqual(0, 7, Xtolerance); NaN y; reversed bounds; NaN bound;
    // in front of the curve; reaching into the curve: only its start.
    EXPECT_EQ(I({f.SetConstant(2, 30, 7), f.SetConstant(0, 3, 7), f.SetConstant(0, 3, -7),
                 f.SetConstant(2, 3, kNaN), f.SetConstant(5, 4, 1), f.SetConstant(kNaN, 4, 1),
                 f.SetConstant(2, 3, 7), f.SetConstant(-5, -3, 2), f.SetConstant(-8, 4, 1)}),
              I({R, C, E, C, R, R, D, D, D}));
    EXPECT_EQ(PointsOf(f), (V{{-8, 1}, {-5, 2}, {-3, 2}, {0, 0}, {2, 7}, {3, 7}, {10, 0}}));
    // Points exactly Xtolerance away keep the order, in front of the curve and inside it; -0.5, once
    // stored, ends the next stretch.
    g.SetXtolerance(0.5);
    h.SetXtolerance(0.5);
    EXPECT_EQ(I({g.SetConstant(2, 3.5, 7), g.SetConstant(-0.5, 1, 3), g.SetConstant(-2, -0.5, 4),
                 h.SetConstant(-1, -0.5, 3)}),
              I({D, D, D, D}));
    EXPECT_EQ(PointsOf(g), (V{{-2, 4}, {-0.5, 3}, {0, 0}, {2, 7}, {3.5, 7}, {4, 1}, {10, 0}}));
    EXPECT_EQ(PointsOf(h), (V{{-1, 3}, {-0.5, 3}, {0, 0}, {10, 0}}));
    F r = MakeFunction({{0, 0}, {1, 1}, {2, 4}}, 0, 2);
    EXPECT_EQ(B({r.Replace(1.000001, 5), r.Replace(1.5, 5), r.Replace(3, 5), r.Replace(2, kNaN),
                 MakeFunction({}, 0, 2).Replace(0, 1)}),
              B({1, 0, 0, 0, 0}));
    EXPECT_EQ(PointsOf(r), (V{{0, 0}, {1.000001, 5}, {2, 4}}));
}

TEST(Lookup, IsDefinedFindBracketingAndGetOrdinate) {
    F f(0, 10, 0), bounded = MakeFunction({{2, 0}, {3, 0}}, 0, 10),
                   line = MakeFunction({{0, 0}, {1, 1}, {2, 2}}, 0, 2);
    f.Set(5, 1, 2);
    // Not strictly inside the jump window; the points bound it, not the domain.
    EXPECT_EQ(B({f.IsDefined(5), f.IsDefined(5 + 1e-5), f.IsDefined(10.000009), f.IsDefined(10.00002),
                 bounded.IsDefined(1), MakeFunction({}, 0, 10).IsDefined(2.5),
                 MakeFunction({}, 0, 10).Find(3), line.Find(2.000009), line.Find(2.00001)}),
              B({0, 1, 1, 0, 0, 0, 0, 1, 0}));
    const F pair01 = MakeFunction({{0, 0}, {1, 1}}, 0, 1), one = MakeFunction({{3, 1}}, 0, 10);
    EXPECT_EQ(
        V({Bracket(line, 0), Bracket(line, 1.5), Bracket(line, 1.000001), Bracket(line, -5), Bracket(line, 7),
           Bracket(pair01, -5), Bracket(pair01, 0.5), Bracket(one, 7), Bracket(MakeFunction({}, 0, 10), 7)}),
        V({{0, 0}, {1, 2}, {1, 1}, {0, 1}, {1, 2}, {0, 0}, {0, 1}, {0, 0}, {-1, -1}}));
    // GetOrdinate.
    const F two = MakeFunction({{0, 0}, {2, 4}}, 0, 2),
            three = MakeFunction({{0, 0}, {1, 1}, {2, 4}}, -10, 10);
    const F steep = MakeFunction({{0, 0}, {1, DBL_MAX / 2}, {2, DBL_MAX}}, -10, 10);
    F g = MakeFunction({{0.75, 10}, {1.25, 20}, {2, 20}}, 0.75, 2), sentinels;
    g.SetXtolerance(0.25); // x = 1 is exactly Xtolerance from both neighbours: interpolated
    sentinels.Set(5, 10);
    // Within Xtolerance of the domain; outside it; NaN x; end segments extended; empty; stacked points
    // give the lower one's y; beyond the double range: +-DBL_MAX; the default function is 0.
    EXPECT_EQ(
        J({Ord(two, 1), Ord(two, -0.000001), Ord(two, -1), Ord(two, kNaN), Ord(three, 3), Ord(three, -1),
           Ord(MakeFunction({{0, 5}, {1, 7}}, -10, 10), -3), Ord(MakeFunction({{0, 5}}, -10, 10), 8),
           Ord(MakeFunction({}, 0, 2), 0.5), Ord(MakeFunction({{0, 0}, {1, 1}, {1, -1}}, 0, 10), 5),
           Ord(MakeFunction({{0, 0}, {5, DBL_MAX}, {10, 0}}, 0, 10), 2.5), Ord(steep, 5), Ord(steep, -5),
           Ord(F(), 123), Ord(g, 1)}),
        J({2, 0, kFail, kFail, 7, -1, 5, 5, kFail, 1, DBL_MAX / 2, DBL_MAX, -DBL_MAX, 0, 15}));
    // Next to the sentinels the wide intermediates keep the value finite.
    EXPECT_TRUE(PointsOf(sentinels).size() == 3 && sentinels.GetNumberElement() == 1 &&
                std::abs(Ord(sentinels, 7) - 10) < 1e-9 && std::abs(Ord(sentinels, -3) - 10) < 1e-9);
}

TEST(Domain, SetDomainClearAndCount) {
    const F g = MakeFunction({{0, 0}, {10, 10}}, 0, 10);
    // Reversed bounds: refused. Narrowing puts the curve's values at the new ends, widening
    // -DBL_MAX; an empty function gets (a, -DBL_MAX), (b, DBL_MAX) only; a lower bound past every point
    // gives the curve's values at both ends.
    EXPECT_EQ(
        VD({Dom(F(), 0, 10), Dom(g, 8, 2), Dom(g, 2, 8), Dom(g, -5, 12), Dom(MakeFunction({}, 0, 4), 1, 2),
            Dom(MakeFunction({{0, 0}, {4, 4}}, 0, 10), 6, 8), Dom(F(), -kInf, kInf)}),
        VD({{{{0, 0}, {10, 0}}, {0, 10}},
            {{{0, 0}, {10, 10}}, {0, 10}},
            {{{2, 2}, {8, 8}}, {2, 8}},
            {{{-5, -DBL_MAX}, {0, 0}, {10, 10}, {12, -DBL_MAX}}, {-5, 12}},
            {{{1, -DBL_MAX}, {2, DBL_MAX}}, {0, 4}},
            {{{6, 6}, {8, 8}}, {6, 8}},
            {{{-DBL_MAX, 0}, {DBL_MAX, 0}}, {-DBL_MAX, DBL_MAX}}}));
    F f, one = MakeFunction({{3, 1}}, -DBL_MAX, DBL_MAX), e = MakeFunction({}, 0, 1);
    f.Set(1, 1);
    f.Clear(false);
    one.Clear(false); // a one-point function then has two copies
    e.Clear(false);
    EXPECT_EQ(VV({PointsOf(f), PointsOf(one), PointsOf(e)}),
              VV({{{-DBL_MAX, 0}, {DBL_MAX, 0}}, {{3, 1}, {3, 1}}, {}}));
    f.Clear(true);
    EXPECT_EQ(std::make_tuple(PointsOf(f), f.GetNumberElement(), Range(f)),
              std::make_tuple(V{}, 0, P(-DBL_MAX, DBL_MAX)));
}

TEST(PointListTest, CursorWalkAndCopies) {
    F::PointList l, assigned;
    double x = 0, y = 0;
    EXPECT_TRUE(Walk(l).empty() && !l.GetLast(x, y)); // a fresh list reads as empty
    l.AddPoint({1, 2});
    l.AddPoint({3, 4});
    l.ResetCursor();
    EXPECT_TRUE(l.GetNext(x, y) && P(x, y) == P(1, 2) && l.GetLast(x, y) && P(x, y) == P(3, 4));
    F::PointList copy(l); // copies read on from the same position
    assigned = l;
    EXPECT_EQ(std::make_tuple(Walk(copy), Walk(assigned), Walk(l)),
              std::make_tuple(V{{3, 4}}, V{{3, 4}}, V{{3, 4}}));
    assigned.ResetCursor();
    EXPECT_EQ(Walk(assigned), (V{{1, 2}, {3, 4}}));
}

TEST(Insertion, BisectionOnSortedPointsStopsWhereTheWalkStops) {
    // The walk as written: the first point within Xtolerance of x, or the first one x goes before.
    const auto walk = [](const std::vector<F::Point>& pts, double x, double tol, bool& found) {
        for (std::size_t i = 0; i < pts.size(); ++i) {
            found = CVyMath::Equal(pts[i].x, x, tol);
            if (found || CVyMath::SmallerEqual(x, pts[i].x, tol) || x < pts[i].x)
                return i;
        }
        found = false;
        return pts.size();
    };
    std::mt19937 random(7);
    std::uniform_int_distribution<int> step(0, 4);
    for (double tol : {1e-5, 0.5, 1.0, -1.0, 0.0}) {
        F f(0, 100, 0);
        f.SetXtolerance(tol);
        std::vector<F::Point> pts;
        double x = 0;
        for (int i = 0; i < 60; ++i, x += 0.5 * step(random)) // ties, gaps of exactly 0.5 and 1
            pts.push_back({x, 0});
        VyMathTestAccess::SetPoints(f, pts);
        for (double q = -1; q <= x + 1; q += 0.25) {
            bool found = false, expectedFound = false;
            const std::size_t i = VyMathTestAccess::LocateInsertion(f, q, found);
            ASSERT_EQ(i, walk(pts, q, tol, expectedFound)) << tol << " " << q;
            ASSERT_EQ(found, expectedFound) << tol << " " << q;
        }
    }
}

} // namespace
