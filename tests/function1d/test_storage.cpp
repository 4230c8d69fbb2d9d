#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <tuple>

namespace {

using P = std::pair<double, double>;
using V = std::vector<P>;
using F = CVyMathFunction1D;
using J = std::vector<double>;

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

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
F Emptied(F f) {
    f.Clear(true);
    return f;
}
// Everything a copy carries.
auto State(F f) {
    return std::make_tuple(PointsOf(f), VyMathTestAccess::Jumps(f), VyMathTestAccess::ForceJumps(f),
                           f.GetXtolerance(), f.GetYtolerance(), Range(f));
}
// GetOrdinate at x, NaN when it fails.
double Ord(const F& f, double x) {
    double y = kNaN;
    return f.GetOrdinate(x, y) ? y : kNaN;
}
// The points that GetNext reads from the cursor on.
V Walk(F::PointList& l) {
    V out;
    P p;
    while (l.GetNext(p.first, p.second))
        out.push_back(p);
    return out;
}
double Unset(double x) {
    return x < 0.5 ? kNaN : 1.0 / (x - 1.0);
}

TEST(Construction, DefaultBoundsAndCopies) {
    EXPECT_EQ(State(F()),
              std::make_tuple(V{{-DBL_MAX, 0}, {DBL_MAX, 0}}, J{}, 0, 1e-5, 1e-5, P(-DBL_MAX, DBL_MAX)));
    EXPECT_EQ(PointsOf(F(-kInf, kNaN, 0)), (V{{-DBL_MAX, 0}, {DBL_MAX, 0}})); // non-finite bounds: open ends
    F b(0, 10, 1);
    b.SetXtolerance(0.01);
    b.SetYtolerance(0.02);
    b.SetXtolerance(kNaN); // a NaN tolerance is ignored
    b.Set(5, 1, 2);
    EXPECT_EQ(State(b),
              std::make_tuple(V{{0, 0}, {4.99, 1}, {5.01, 2}, {10, 0}}, J{5}, 1, 0.01, 0.02, P(0, 10)));
    F c(b), d;
    const F& r = (d = b);
    EXPECT_EQ(&r, &d);
    d = d;
    EXPECT_EQ(State(c), State(b));
    EXPECT_EQ(State(d), State(b));
    c.SetXtolerance(-1.0); // taken as given
    EXPECT_EQ(c.GetXtolerance(), -1.0);
}

TEST(Construction, SamplingConstructors) {
    CVyMathPolynom p(2);
    for (double k : {0.0, 0.0, 1.0})
        p.SetCoeff(k);
    EXPECT_EQ(PointsOf(F(p, 0, 1, 4)), (V{{0, 0}, {0.25, 0.0625}, {0.5, 0.25}, {0.75, 0.5625}, {1, 1}}));
    F down(p, 1, 0, 2); // upwards from x0 even when x1 < x0
    EXPECT_EQ(PointsOf(down), (V{{1, 1}, {1.5, 2.25}, {2, 4}}));
    EXPECT_EQ(Range(down), P(1, 0));
    for (int n : {0, -3})
        EXPECT_TRUE(PointsOf(F(p, 0, 1, n)).empty());
    F bad(p, kNaN, kInf, 3); // no samples; the bounds become open ends
    EXPECT_TRUE(PointsOf(bad).empty());
    EXPECT_EQ(Range(bad), P(-DBL_MAX, DBL_MAX));
    // A span that overflows: samples stop where the abscissa would become infinite.
    CVyMathPolynom one(0);
    one.SetCoeff(1);
    EXPECT_EQ(PointsOf(F(one, -DBL_MAX, DBL_MAX, 2)), (V{{-DBL_MAX, 1}}));
    // f(1) = +inf stored as DBL_MAX, NaN samples skipped; a null f gives nothing.
    EXPECT_EQ(PointsOf(F(&Unset, 0, 2, 4)), (V{{0.5, -2}, {1, DBL_MAX}, {1.5, 2}, {2, 1}}));
    EXPECT_TRUE(PointsOf(F(static_cast<double (*)(double)>(nullptr), 0, 1, 2)).empty());
    // Resampling advances only after a success.
    F g(0, 10, 0);
    g.Set(5, 10);
    EXPECT_EQ(PointsOf(F(g, 0, 10, 4)), (V{{0, 0}, {2.5, 5}, {5, 10}, {7.5, 5}, {10, 0}}));
    EXPECT_TRUE(PointsOf(F(g, -5, 5, 2)).empty());
    EXPECT_EQ(PointsOf(F(g, 5, 15, 2)), (V{{5, 10}, {10, 0}}));
    // Stretching [0, 4] with 3 elements onto [0, 8].
    F h(0, 4, 0);
    h.Set(2, 8);
    F s(h, 8.0);
    const V want{{0, 0}, {8.0 / 3, 16.0 / 3}, {16.0 / 3, 16.0 / 3}, {8, 0}};
    const V got = PointsOf(s);
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i].first, want[i].first, 1e-12);
        EXPECT_NEAR(got[i].second, want[i].second, 1e-12);
    }
    EXPECT_EQ(Range(s), P(0, 8));
    EXPECT_TRUE(PointsOf(F(F(), 3.0)).empty()); // the default function has no element
    EXPECT_EQ(Range(F(h, kInf)), P(0, DBL_MAX));
}

TEST(Construction, SineStartsAtZeroAndRefusesBadSteps) {
    const V want{{0, 0}, {0.5, std::sin(0.5)}, {1, std::sin(1.0)}};
    EXPECT_EQ(PointsOf(F(1, 1, 0, 0, 1, 0.5)), want);
    EXPECT_EQ(PointsOf(F(1, 1, 0, 0.25, 1, 0.5)), want);
    // Negative step, step beyond xmax, xmax below 0, zero step, a step passing the guards, infinite xmax.
    const double bad[][2] = {{1, -0.1}, {1, 2.0}, {-1, 0.5}, {1, 0.0}, {1, -5e-6}, {kInf, 0.5}};
    for (const auto& b : bad)
        EXPECT_TRUE(PointsOf(F(1, 1, 0, 0, b[0], b[1])).empty()) << b[0] << " " << b[1];
}

TEST(Insertion, SetCodesValidationAndOrder) {
    F f(0, 10, 0);
    ASSERT_EQ(f.Set(1, 2), F::InsertDone);
    ASSERT_EQ(f.Set(3, 4), F::InsertDone);
    EXPECT_EQ(f.Set(1.000001, 2), F::InsertExists);
    EXPECT_EQ(f.Set(1.000001, 5), F::InsertConflict);
    EXPECT_EQ(f.Set(2, kNaN), F::InsertRefused);
    for (double x : {kNaN, kInf, -kInf})
        EXPECT_EQ(f.Set(x, 1), F::InsertRefused);
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {1, 2}, {3, 4}, {10, 0}}));
    EXPECT_EQ(f.Set(0.000001, 7), F::InsertDone); // the end point is replaced, abscissa included
    EXPECT_EQ(f.Set(10.000001, 8), F::InsertDone);
    EXPECT_EQ(f.Set(2, kInf), F::InsertDone);
    EXPECT_EQ(PointsOf(f), (V{{0.000001, 7}, {1, 2}, {2, DBL_MAX}, {3, 4}, {10.000001, 8}}));
    // A point exactly Xtolerance below its neighbour goes before it.
    f.SetXtolerance(0.5);
    EXPECT_EQ(f.Set(2.5, 9), F::InsertDone);
    EXPECT_EQ(PointsOf(f)[3], P(2.5, 9));
    F e = Emptied(F(0, 10, 0));
    EXPECT_EQ(e.Set(4, 1), F::InsertDone);
    EXPECT_EQ(e.Set(2, 3), F::InsertDone);
    EXPECT_EQ(e.Set(9, 9), F::InsertDone);
    EXPECT_EQ(PointsOf(e), (V{{2, 3}, {4, 1}, {9, 9}}));
}

TEST(Insertion, JumpsAndForceJumps) {
    F f(0, 10, 0);
    EXPECT_EQ(f.Set(5, 1, 1), F::InsertDone);
    EXPECT_EQ(f.Set(7, 1, 2), F::InsertDone);
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {5, 1}, {7 - 1e-5, 1}, {7 + 1e-5, 2}, {10, 0}}));
    EXPECT_EQ(f.Set(8, kNaN, 1), F::InsertConflict);
    EXPECT_EQ(f.Set(8, 1, kNaN), F::InsertConflict);
    EXPECT_EQ(f.Set(kNaN, 1, 2), F::InsertRefused);
    EXPECT_EQ(VyMathTestAccess::Jumps(f), J{7});
    // The jump abscissa is recorded whatever the two insertions report.
    EXPECT_EQ(f.Set(7, 1, 2), F::InsertExists);
    EXPECT_EQ(f.Set(7, 5, 2), F::InsertConflict);
    EXPECT_EQ(VyMathTestAccess::Jumps(f), (J{7, 7, 7}));
    F forced(0, 10, 1);
    EXPECT_EQ(forced.Set(5, 1, 1), F::InsertDone);
    EXPECT_EQ(PointsOf(forced), (V{{0, 0}, {5 - 1e-5, 1}, {5 + 1e-5, 1}, {10, 0}}));
    EXPECT_EQ(VyMathTestAccess::Jumps(forced), J{5});
}

TEST(Insertion, SetUniqueAbscissaAndAtIndex) {
    F f;
    for (double x : {1, 2, 3})
        EXPECT_EQ(f.SetUniqueAbscissa(x, 10 * x, 0.1), F::InsertDone);
    EXPECT_EQ(f.SetUniqueAbscissa(2, 20.000001, 0.1), F::InsertExists);
    EXPECT_EQ(f.SetUniqueAbscissa(2, 25, 0.1), F::InsertDone); // next to the end, not next to 2
    EXPECT_EQ(f.SetUniqueAbscissa(4, kNaN, 0.1), F::InsertRefused);
    EXPECT_EQ(PointsOf(f), (V{{-DBL_MAX, 0}, {1, 10}, {2, 20}, {3, 30}, {2.1, 25}, {DBL_MAX, 0}}));
    F e = Emptied(F(0, 1, 0));
    EXPECT_EQ(e.SetUniqueAbscissa(1, 1, 0.1), F::InsertRefused);
    EXPECT_TRUE(PointsOf(e).empty());
    F g(0, 10, 0);
    g.Set(5, 5);
    EXPECT_EQ(g.SetUniqueAbscissaAtIndex(3, 3, 0.1, 3), F::InsertRefused); // index == number of points
    EXPECT_EQ(g.SetUniqueAbscissaAtIndex(3, 3, 0.1, -1), F::InsertRefused);
    EXPECT_EQ(g.SetUniqueAbscissaAtIndex(1, kNaN, 0.1, 0), F::InsertRefused);
    EXPECT_EQ(g.SetUniqueAbscissaAtIndex(5, 5, 0.1, 1), F::InsertExists);
    EXPECT_EQ(g.SetUniqueAbscissaAtIndex(5, 6, 0.1, 1), F::InsertDone);
    EXPECT_EQ(g.SetUniqueAbscissaAtIndex(0, 7, 0.1, 2), F::InsertDone); // point 0 is not searched
    EXPECT_EQ(PointsOf(g), (V{{0, 0}, {5.1, 6}, {0, 7}, {5, 5}, {10, 0}}));
}

TEST(Insertion, SetConstant) {
    F f(0, 10, 0);
    EXPECT_EQ(f.SetConstant(2, 30, 7), F::InsertRefused);
    EXPECT_EQ(f.SetConstant(0, 3, 7), F::InsertConflict); // 0 fails GreaterEqual(0, 7, Xtolerance)
    EXPECT_EQ(f.SetConstant(0, 3, -7), F::InsertExists);
    EXPECT_EQ(f.SetConstant(2, 3, kNaN), F::InsertConflict);
    EXPECT_EQ(f.SetConstant(5, 4, 1), F::InsertRefused); // reversed bounds
    EXPECT_EQ(f.SetConstant(kNaN, 4, 1), F::InsertRefused);
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {10, 0}}));
    EXPECT_EQ(f.SetConstant(2, 3, 7), F::InsertDone);
    EXPECT_EQ(f.SetConstant(-5, -3, 2), F::InsertDone); // in front of the curve
    EXPECT_EQ(f.SetConstant(-8, 4, 1), F::InsertDone);  // reaches into the curve: only its start
    EXPECT_EQ(PointsOf(f), (V{{-8, 1}, {-5, 2}, {-3, 2}, {0, 0}, {2, 7}, {3, 7}, {10, 0}}));
    // Points exactly Xtolerance away keep the order, in front of the curve and inside it.
    F g(0, 10, 0);
    g.Set(4, 1);
    g.SetXtolerance(0.5);
    EXPECT_EQ(g.SetConstant(2, 3.5, 7), F::InsertDone);
    EXPECT_EQ(g.SetConstant(-0.5, 1, 3), F::InsertDone);
    EXPECT_EQ(g.SetConstant(-2, -0.5, 4), F::InsertDone); // -0.5 is now stored: the stretch ends there
    EXPECT_EQ(PointsOf(g), (V{{-2, 4}, {-0.5, 3}, {0, 0}, {2, 7}, {3.5, 7}, {4, 1}, {10, 0}}));
    F h(0, 10, 0);
    h.SetXtolerance(0.5);
    EXPECT_EQ(h.SetConstant(-1, -0.5, 3), F::InsertDone);
    EXPECT_EQ(PointsOf(h), (V{{-1, 3}, {-0.5, 3}, {0, 0}, {10, 0}}));
}

TEST(Insertion, Replace) {
    F f = MakeFunction({{0, 0}, {1, 1}, {2, 4}}, 0, 2);
    EXPECT_TRUE(f.Replace(1.000001, 5));
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {1.000001, 5}, {2, 4}}));
    EXPECT_FALSE(f.Replace(1.5, 5));
    EXPECT_FALSE(f.Replace(3, 5));
    EXPECT_FALSE(f.Replace(2, kNaN));
    EXPECT_FALSE(Emptied(f).Replace(0, 1));
}

TEST(Lookup, IsDefinedFindAndBracketing) {
    F f(0, 10, 0);
    f.Set(5, 1, 2);
    const std::pair<double, bool> defined[] = {{5.0, false},      {5.0 + 1e-5, true}, {5.0 - 1e-5, true},
                                               {10.000009, true}, {10.00002, false},  {-0.00002, false}};
    for (const auto& d : defined)
        EXPECT_EQ(f.IsDefined(d.first), d.second) << d.first;
    EXPECT_FALSE(MakeFunction({{2, 0}, {3, 0}}, 0, 10).IsDefined(1.0)); // the points bound it, not the domain
    EXPECT_FALSE(Emptied(f).IsDefined(2.5));
    F three = MakeFunction({{0, 0}, {1, 1}, {2, 2}}, 0, 2);
    const std::pair<double, P> brackets[] = {
        {0, {0, 0}}, {1.5, {1, 2}}, {1.000001, {1, 1}}, {-5, {0, 1}}, {7, {1, 2}}};
    for (const auto& b : brackets)
        EXPECT_EQ(Bracket(three, b.first), b.second) << b.first;
    F two = MakeFunction({{0, 0}, {1, 1}}, 0, 1);
    EXPECT_EQ(Bracket(two, -5), P(0, 0));
    EXPECT_EQ(Bracket(two, 0.5), P(0, 1));
    F one = MakeFunction({{3, 1}}, 0, 10);
    EXPECT_EQ(Bracket(one, 7), P(0, 0));
    EXPECT_EQ(Bracket(Emptied(one), 7), P(-1, -1));
    EXPECT_FALSE(Emptied(one).Find(3));
    EXPECT_TRUE(three.Find(2.000009));
    EXPECT_FALSE(three.Find(2.00001));
}

TEST(Evaluation, GetOrdinate) {
    const F two = MakeFunction({{0, 0}, {2, 4}}, 0, 2),
            three = MakeFunction({{0, 0}, {1, 1}, {2, 4}}, -10, 10);
    const F steep = MakeFunction({{0, 0}, {1, DBL_MAX / 2}, {2, DBL_MAX}}, -10, 10), dflt;
    const F pair = MakeFunction({{0, 5}, {1, 7}}, -10, 10), single = MakeFunction({{0, 5}}, -10, 10);
    const F stacked = MakeFunction({{0, 0}, {1, 1}, {1, -1}}, 0, 10), empty = Emptied(two);
    const F big = MakeFunction({{0, 0}, {5, DBL_MAX}, {10, 0}}, 0, 10);
    F g(0.75, 2, 0), sentinels;
    for (double x : {0.75, 1.25, 2.0})
        g.Set(x, x == 0.75 ? 10 : 20);
    g.SetXtolerance(0.25);
    sentinels.Set(5, 10);
    const struct {
        const F& f;
        double x, y; // NaN: GetOrdinate is false
    } cases[] = {{two, 1, 2},           {two, -0.000001, 0},     {two, -1, kNaN},
                 {two, kNaN, kNaN},     {three, 3, 7},           {three, -1, -1},
                 {pair, -3, 5},         {single, 8, 5},          {empty, 0.5, kNaN},
                 {stacked, 5, 1},       {big, 2.5, DBL_MAX / 2}, {steep, 5, DBL_MAX},
                 {steep, -5, -DBL_MAX}, {dflt, 123.0, 0},        {g, 1, 15}};
    for (const auto& c : cases) {
        const double y = Ord(c.f, c.x);
        EXPECT_TRUE(std::isnan(c.y) ? std::isnan(y) : y == c.y) << &c - cases << ": " << y;
    }
    double y = 42;
    EXPECT_FALSE(two.GetOrdinate(-1, y));
    EXPECT_EQ(y, 42);
    // Next to the sentinels the wide intermediates keep the value finite.
    EXPECT_EQ(PointsOf(sentinels).size(), 3u);
    EXPECT_EQ(sentinels.GetNumberElement(), 1);
    EXPECT_NEAR(Ord(sentinels, 7), 10, 1e-9);
    EXPECT_NEAR(Ord(sentinels, -3), 10, 1e-9);
}

TEST(Domain, SetDomainNarrowsWidensAndRefuses) {
    F f;
    f.SetDomain(0, 10);
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {10, 0}}));
    EXPECT_EQ(Range(f), P(0, 10));
    F g = MakeFunction({{0, 0}, {10, 10}}, 0, 10);
    g.SetDomain(8, 2); // reversed: refused
    g.SetDomain(kNaN, 5);
    EXPECT_EQ(Range(g), P(0, 10));
    g.SetDomain(2, 8);
    EXPECT_EQ(PointsOf(g), (V{{2, 2}, {8, 8}}));
    EXPECT_EQ(Range(g), P(2, 8));
    F h = MakeFunction({{0, 0}, {10, 10}}, 0, 10);
    h.SetDomain(-5, 12);
    EXPECT_EQ(PointsOf(h), (V{{-5, -DBL_MAX}, {0, 0}, {10, 10}, {12, -DBL_MAX}}));
    F e = Emptied(F(0, 4, 0));
    e.SetDomain(1, 2);
    EXPECT_EQ(PointsOf(e), (V{{1, -DBL_MAX}, {2, DBL_MAX}}));
    EXPECT_EQ(Range(e), P(0, 4));
    F beyond = MakeFunction({{0, 0}, {4, 4}}, 0, 10); // lower bound past every point
    beyond.SetDomain(6, 8);                           // both ends carry the curve's values there
    EXPECT_EQ(PointsOf(beyond), (V{{6, 6}, {8, 8}}));
    F open;
    open.SetDomain(-kInf, kInf);
    EXPECT_EQ(PointsOf(open), (V{{-DBL_MAX, 0}, {DBL_MAX, 0}}));
    open.SetDomain(-DBL_MAX, 5); // right end closed now
    EXPECT_EQ(open.GetNumberElement(), 1);
}

TEST(Domain, ClearAndCount) {
    F f;
    f.Set(1, 1);
    f.Set(2, 2);
    f.Clear(false);
    EXPECT_EQ(PointsOf(f), (V{{-DBL_MAX, 0}, {DBL_MAX, 0}}));
    f.Clear(true);
    EXPECT_TRUE(PointsOf(f).empty());
    EXPECT_EQ(f.GetNumberElement(), 0);
    EXPECT_EQ(Range(f), P(-DBL_MAX, DBL_MAX));
    f.Clear(false);
    EXPECT_TRUE(PointsOf(f).empty());
    F one = MakeFunction({{3, 1}}, -DBL_MAX, DBL_MAX);
    EXPECT_EQ(one.GetNumberElement(), 1);
    one.Clear(false);
    EXPECT_EQ(PointsOf(one), (V{{3, 1}, {3, 1}}));
}

TEST(PointListTest, CursorWalkAndCopies) {
    F::PointList l;
    double x = 0, y = 0;
    EXPECT_TRUE(Walk(l).empty()); // a fresh list reads as empty
    EXPECT_FALSE(l.GetLast(x, y));
    l.AddPoint({1, 2});
    l.AddPoint({3, 4});
    EXPECT_TRUE(l.GetLast(x, y));
    EXPECT_EQ(P(x, y), P(3, 4));
    l.ResetCursor();
    ASSERT_TRUE(l.GetNext(x, y));
    F::PointList copy(l), assigned; // copies read on from the same position
    EXPECT_EQ(Walk(copy), (V{{3, 4}}));
    assigned = copy;
    EXPECT_TRUE(Walk(assigned).empty());
    assigned.ResetCursor();
    EXPECT_EQ(Walk(assigned), (V{{1, 2}, {3, 4}}));
}

} // namespace
