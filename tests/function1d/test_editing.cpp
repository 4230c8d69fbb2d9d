#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

using P = std::pair<double, double>;
using V = std::vector<P>;
using F = CVyMathFunction1D;
using J = std::vector<double>;
using Acc = VyMathTestAccess;

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

P Range(const F& f) {
    double a, b;
    f.GetFullRange(a, b);
    return {a, b};
}

F Empty() {
    return MakeFunction({}, 0, 1);
}

TEST(Editing, RemoveFirstPointWithinTolerance) {
    F f = MakeFunction({{0, 0}, {1, 1}, {2, 4}}, 0, 2);
    EXPECT_FALSE(f.Remove(1.5));
    EXPECT_FALSE(f.Remove(3));
    EXPECT_TRUE(f.Remove(1.000001));
    EXPECT_TRUE(f.Remove(2));
    EXPECT_EQ(PointsOf(f), (V{{0, 0}}));
    F j(0, 10, 0);
    j.Set(5, 1, 2);
    EXPECT_FALSE(j.Remove(5)); // inside the jump window
    EXPECT_TRUE(j.Remove(5 - 1e-5));
    EXPECT_EQ(Acc::Jumps(j), J{5});
    EXPECT_FALSE(Empty().Remove(0));
}

TEST(Editing, ListPointModesAppend) {
    F f;
    for (double x : {1, 2, 3})
        f.Set(x, x * x);
    const std::pair<F::InfoGetList, V> cases[] = {
        {F::ListAsStored, {{7, 7}, {-DBL_MAX, 0}, {1, 1}, {2, 4}, {3, 9}, {DBL_MAX, 0}}},
        {F::ListFiniteEnds, {{7, 7}, {0.8, 1}, {1, 1}, {2, 4}, {3, 9}, {3.2, 9}}},
        {F::ListOmitOpenEnds, {{7, 7}, {1, 1}, {2, 4}, {3, 9}}}};
    for (const auto& c : cases) {
        F::PointList l, d;
        l.AddPoint({7, 7});
        f.GetListPoint(l, c.first);
        EXPECT_EQ(ItemsOf(l), c.second) << c.first;
        F().GetListPoint(d, c.first); // the default function: its sentinels only as stored
        EXPECT_EQ(ItemsOf(d).size(), c.first == F::ListAsStored ? 2u : 0u);
    }
    F half = MakeFunction({{0, 5}, {1, 1}, {3, 2}, {DBL_MAX, 0}}, 0, DBL_MAX);
    F::PointList l;
    half.GetListPoint(l, F::ListFiniteEnds);
    EXPECT_EQ(ItemsOf(l), (V{{0, 5}, {1, 1}, {3, 2}, {3.2, 2}}));
}

TEST(Editing, ShiftMovesDomainPointsAndJumps) {
    F f(0, 10, 0);
    f.Set(5, 1, 2);
    F same = f;
    for (double dx : {1e-11, kNaN, kInf})
        same.ShiftOnX(dx);
    EXPECT_EQ(PointsOf(same), PointsOf(f));
    f.ShiftOnX(2);
    EXPECT_EQ(PointsOf(f), (V{{2, 0}, {5 - 1e-5 + 2, 1}, {5 + 1e-5 + 2, 2}, {12, 0}}));
    EXPECT_EQ(Acc::Jumps(f), J{7});
    EXPECT_EQ(Range(f), P(2, 12));
    F d;
    d.ShiftOnX(1e308); // an overflowing abscissa stays at DBL_MAX
    EXPECT_EQ(PointsOf(d), (V{{-DBL_MAX + 1e308, 0}, {DBL_MAX, 0}}));
}

TEST(Editing, ScaleIgnoresZeroNaNInfinityAndClamps) {
    F f = MakeFunction({{0, 1}, {1, 2}, {3, 5}}, 0, 3);
    const V before = PointsOf(f);
    for (double k : {0.0, kNaN, kInf}) {
        f.ScaleOnX(k);
        f.ScaleOnY(k);
        f.Scale(2, k);
        f.Scale(k, 2);
        f *= k;
        EXPECT_EQ(PointsOf(f * k), before) << k;
    }
    f += kNaN;
    EXPECT_EQ(PointsOf(f), before);
    EXPECT_EQ(Range(f), P(0, 3));

    F j(0, 10, 0);
    j.Set(5, 1, 3);
    j.ScaleOnX(2);
    j.ScaleOnY(2);
    EXPECT_EQ(Acc::Jumps(j), J{10});
    EXPECT_EQ(Range(j), P(0, 20));
    EXPECT_EQ(PointsOf(j), (V{{0, 0}, {(5 - 1e-5) * 2, 2}, {(5 + 1e-5) * 2, 6}, {20, 0}}));
    F big = MakeFunction({{0, DBL_MAX / 2}, {1, -DBL_MAX / 2}}, 0, 1);
    big.Scale(3, 10);
    EXPECT_EQ(PointsOf(big), (V{{0, DBL_MAX}, {3, -DBL_MAX}}));
}

TEST(Editing, NegativeAbscissaFactorMirrors) {
    F f(0, 3, 0);
    f.Set(1, 1);
    f.Set(2, 2, 4);
    f.ScaleOnX(-1);
    EXPECT_EQ(Range(f), P(-3, 0));
    EXPECT_EQ(PointsOf(f), (V{{-3, 0}, {-(2 + 1e-5), 4}, {-(2 - 1e-5), 2}, {-1, 1}, {0, 0}}));
    EXPECT_EQ(Acc::Jumps(f), J{-2});
    EXPECT_TRUE(f.IsDiscontinued(-2));
    F g = MakeFunction({{0, 1}, {2, 3}}, 0, 2);
    g.Scale(-0.5, 2);
    EXPECT_EQ(PointsOf(g), (V{{-1, 6}, {0, 2}}));
}

TEST(Editing, RevertValues) {
    const std::pair<V, V> cases[] = {{{{0, 1}, {1, 2}, {3, 5}}, {{0, 5}, {1, 2}, {3, 1}}},
                                     {{{0, 1}, {1, 2}, {2, 3}, {3, 4}}, {{0, 4}, {1, 3}, {2, 2}, {3, 1}}},
                                     {{{0, 1}}, {{0, 1}}},
                                     {{}, {}}};
    for (const auto& c : cases) {
        std::vector<F::Point> pts;
        for (const P& p : c.first)
            pts.push_back({p.first, p.second});
        F f = MakeFunction(pts, 0, 3);
        f.RevertValues();
        EXPECT_EQ(PointsOf(f), c.second);
    }
}

TEST(Editing, ArithmeticIndexByIndex) {
    F a = MakeFunction({{0, 1}, {1, 2}}, 0, 1);
    F b = MakeFunction({{0, 10}, {1, 20}}, 0, 1);
    EXPECT_EQ(PointsOf(a + b), (V{{0, 11}, {1, 22}}));
    EXPECT_EQ(PointsOf(operator-(a, b)), (V{{0, 9}, {1, 18}})); // b minus a
    F copy = (a += 3.0);
    copy += 1.0; // a copy: a is unchanged by it
    EXPECT_EQ(PointsOf(a), (V{{0, 4}, {1, 5}}));
    EXPECT_EQ(PointsOf(copy), (V{{0, 5}, {1, 6}}));
    EXPECT_EQ(&(a += b), &a);
    EXPECT_EQ(&(a *= 0.5), &a);
    EXPECT_EQ(PointsOf(a), (V{{0, 7}, {1, 12.5}}));
    F c = MakeFunction({{5, 1}, {6, 1}}, 5, 6); // abscissas are not compared
    EXPECT_EQ(PointsOf(c + b), (V{{5, 11}, {6, 21}}));
    // A shorter operand leaves the points beyond its count alone.
    F l = MakeFunction({{0, 1}, {1, 2}, {2, 3}}, 0, 2);
    EXPECT_EQ(PointsOf(l + b), (V{{0, 11}, {1, 22}, {2, 3}}));
    EXPECT_EQ(PointsOf(operator-(l, b)), (V{{0, 9}, {1, 18}, {2, -3}}));
    F big = MakeFunction({{0, DBL_MAX}, {1, -DBL_MAX}}, 0, 1);
    big += big;
    EXPECT_EQ(PointsOf(big), (V{{0, DBL_MAX}, {1, -DBL_MAX}}));
    big += kInf;
    EXPECT_EQ(PointsOf(big), (V{{0, DBL_MAX}, {1, DBL_MAX}}));
}

TEST(Editing, EqualityNeedsSameDomainTolerancesAndLists) {
    F a = MakeFunction({{0, 0}, {1, 1}, {2, 4}}, 0, 2);
    EXPECT_TRUE(a == MakeFunction({{1e-11, -1e-11}, {1, 1 + 1e-11}, {2, 4}}, 0, 2));
    F c = a;
    c.SetXtolerance(1e-6);
    EXPECT_FALSE(a == c);
    EXPECT_TRUE(a != c);
    EXPECT_FALSE(a == MakeFunction({{0, 0}, {1, 1 + 1e-9}, {2, 4}}, 0, 2));
    EXPECT_FALSE(a == MakeFunction({{0, 0}, {1, 1}, {2, 4}}, 0, 3));
    // A list that is a prefix of the other: unequal both ways.
    F prefix = MakeFunction({{0, 0}, {1, 1}}, 0, 2);
    F withPoint;
    withPoint.Set(1, 1);
    EXPECT_FALSE(a == prefix || prefix == a || F() == withPoint || withPoint == F());
    EXPECT_TRUE(F() == F());
    F j1(0, 2, 0), j2(0, 2, 0); // jump abscissas take no part
    j1.Set(1, 1, 2);
    Acc::SetPoints(j2, Acc::Points(j1));
    EXPECT_TRUE(j1 == j2);
}

TEST(Editing, CloseCurveAddsCrossingsAndTheFirstPoint) {
    const std::pair<F, V> cases[] = {
        {MakeFunction({{1, -1}, {2, 1}, {3, 1}}, 1, 3), {{1, -1}, {1.5, 0}, {2, 1}, {3, 1}, {1, -1}}},
        {MakeFunction({{-1, -1}, {1, 1}}, -1, 1), {{-1, -1}, {1, 1}, {-1, -1}}}, // straddles x = 0
        {MakeFunction({{2, -1}, {2, 1}, {3, 1}}, 2, 3), {{2, -1}, {2, 0}, {2, 1}, {3, 1}, {2, -1}}},
        {MakeFunction({{-1, 0}, {0, -1}, {1, 0}}, -1, 1), {{-1, 0}, {0, -1}, {1, 0}, {-1, 0}}},
        {Empty(), {}}};
    for (auto c : cases) {
        c.first.CloseCurve();
        EXPECT_EQ(PointsOf(c.first), c.second);
    }
}

TEST(Editing, MergeSamePointsAndWiderDomain) {
    F f = MakeFunction({{0, 0}, {1, 1}, {2, 4}}, 0, 2);
    F open;
    open.Set(1, 1);
    open.Set(2, 4);
    for (F* t : {&f, &open}) {
        F copy = *t;
        t->Merge(&copy);
        EXPECT_EQ(PointsOf(*t), PointsOf(copy));
    }
    F h = MakeFunction({{0, 0}, {1, 1}}, 0, 1);
    F g = MakeFunction({{0, 0}, {2, 2}}, 0, 2);
    h.Merge(&g);
    F none;
    h.Merge(&none); // nothing to merge: not even the domain changes
    h.Merge(nullptr);
    EXPECT_EQ(PointsOf(h), (V{{0, 0}, {1, 1}, {2, 2}}));
    EXPECT_EQ(Range(h), P(0, 2));
}

TEST(Editing, MergeConflictsBecomeJumps) {
    // Trend-following jump; an inverted domain (GetOrdinate fails) falls back on stored ordinates.
    for (P dom : {P(0, 2), P(2, 0)}) {
        F rising = MakeFunction({{0, 0}, {1, 1}, {2, 2}}, dom.first, dom.second);
        F falling = MakeFunction({{0, 2}, {1, 1}, {2, 0}}, dom.first, dom.second);
        F g = MakeFunction({{1, 3}}, dom.first, dom.second);
        rising.Merge(&g);
        falling.Merge(&g);
        EXPECT_EQ(PointsOf(rising), (V{{0, 0}, {1 - 1e-5, 1}, {1 + 1e-5, 3}, {2, 2}}));
        EXPECT_EQ(PointsOf(falling), (V{{0, 2}, {1 - 1e-5, 3}, {1 + 1e-5, 1}, {2, 0}}));
        EXPECT_EQ(Acc::Jumps(rising), J{1});
    }
    // At an existing jump the value joins the nearer side.
    F base(0, 2, 0);
    base.Set(1, 1, 3);
    const std::pair<P, V> cases[] = {{{0.999994, 0.5}, {{0, 0}, {1 - 1e-5, 0.5}, {1 + 1e-5, 3}, {2, 0}}},
                                     {{1.000004, 3.5}, {{0, 0}, {1 - 1e-5, 1}, {1 + 1e-5, 3.5}, {2, 0}}},
                                     {{0.999994, 1.5}, PointsOf(base)}};
    for (const auto& c : cases) {
        F f = base;
        F g = MakeFunction({{c.first.first, c.first.second}}, 0, 2);
        f.Merge(&g);
        EXPECT_EQ(PointsOf(f), c.second) << c.first.first;
    }
}

TEST(Editing, ConcatShiftsGAndRecordsTheJump) {
    F f = MakeFunction({{0, 0}, {1, 1}}, 0, 1);
    F g = MakeFunction({{0, 1}, {1, 3}}, 0, 1);
    f.Concat(&g);
    EXPECT_EQ(PointsOf(f), (V{{0, 0}, {1, 1}, {2, 3}}));
    EXPECT_TRUE(Acc::Jumps(f).empty()); // ends meet
    EXPECT_EQ(PointsOf(g), (V{{1, 1}, {2, 3}}));
    EXPECT_EQ(Range(g), P(1, 2));
    EXPECT_EQ(Range(f), P(0, 2));
    // Ends apart: the merge makes a jump at 1, Concat records one at 1 + Xtolerance.
    F h = MakeFunction({{0, 0}, {1, 1}}, 0, 1);
    h.SetXtolerance(0.125);
    F k = MakeFunction({{0, 5}, {1, 3}}, 0, 1);
    h.Concat(&k);
    EXPECT_EQ(PointsOf(h), (V{{0, 0}, {0.875, 1}, {1.125, 5}, {1.25, 5}, {2, 3}}));
    EXPECT_EQ(Acc::Jumps(h), (J{1, 1.125}));
    // Concat with itself appends a copy.
    F s = MakeFunction({{0, 0}, {1, 1}}, 0, 1);
    s.SetXtolerance(0.125);
    s.Concat(&s);
    EXPECT_EQ(PointsOf(s), (V{{0, 0}, {0.875, 0}, {1.125, 1}, {1.25, 0}, {2, 1}}));
    EXPECT_EQ(Acc::Jumps(s), (J{1, 1.125}));
}

TEST(Editing, ConcatDegenerateOperands) {
    F e = Empty();
    F g = MakeFunction({{0, 1}, {1, 3}}, 0, 1);
    e.Concat(&g);
    EXPECT_EQ(PointsOf(e), (V{{0, 1}, {1, 3}}));
    EXPECT_EQ(PointsOf(g), (V{{0, 1}, {1, 3}})); // not shifted
    F f = MakeFunction({{0.5, 0}, {1, 1}}, 0.5, 1);
    F none, lone; // lone: one point at an open lower end, nothing to append
    Acc::SetPoints(lone, {{0.5, 3}});
    for (F* x : {&none, &lone, static_cast<F*>(nullptr)})
        f.Concat(x);
    EXPECT_EQ(PointsOf(f), (V{{0.5, 0}, {1, 1}}));
    EXPECT_TRUE(Acc::Jumps(f).empty());
}

} // namespace
