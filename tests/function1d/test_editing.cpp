#include "TestSupport.h"

namespace {

using S = std::tuple<V, std::vector<double>, P>; // points, jump abscissas, domain
const auto Of = &MakeFunction;

S State(const F& f) {
    return S{PointsOf(f), f.GetJumpAbscissas(), Range(f)};
}

TEST(Editing, RemoveFirstPointWithinTolerance) {
    F f = Of({{0, 0}, {1, 1}, {2, 4}}, 0, 2), j(0, 10, 0), empty = Of({}, 0, 1);
    j.Set(5, 1, 2);
    EXPECT_ROWS({Row("no point there", f.Remove(1.5), false), Row("beyond the curve", f.Remove(3), false),
                 Row("within Xtolerance", f.Remove(1.000001), true), Row("the last point", f.Remove(2), true),
                 Row("inside a jump window", j.Remove(5), false),
                 Row("on the edge of a jump window: the jump abscissa stays", j.Remove(5 - 1e-5), true),
                 Row("empty", empty.Remove(0), false)});
    EXPECT_EQ(std::make_pair(PointsOf(f), std::get<1>(State(j))),
              std::make_pair(V{{0, 0}}, std::vector<double>{5}));
}

TEST(Editing, ListPointModesAppend) {
    F f;
    for (double x : {1, 2, 3})
        f.Set(x, x * x);
    const std::tuple<F, F::InfoGetList, V> cases[] = {
        {f, F::ListAsStored, {{7, 7}, {-DBL_MAX, 0}, {1, 1}, {2, 4}, {3, 9}, {DBL_MAX, 0}}},
        {f, F::ListFiniteEnds, {{7, 7}, {0.8, 1}, {1, 1}, {2, 4}, {3, 9}, {3.2, 9}}},
        {f, F::ListOmitOpenEnds, {{7, 7}, {1, 1}, {2, 4}, {3, 9}}},
        {F(), F::ListFiniteEnds, {{7, 7}}}}; // too few points: the sentinels are dropped
    for (auto c : cases) {
        F::PointList l;
        l.AddPoint({7, 7});
        std::get<0>(c).GetListPoint(l, std::get<1>(c));
        EXPECT_EQ(ItemsOf(l), std::get<2>(c)) << std::get<1>(c);
    }
}

TEST(Editing, ShiftMovesDomainPointsAndJumps) {
    F f(0, 10, 0), d;
    f.Set(5, 1, 2);
    for (double dx : {1e-11, std::nan(""), HUGE_VAL, 2.0}) // only the last one moves
        f.ShiftOnX(dx);
    EXPECT_EQ(State(f), (S{{{2, 0}, {5 - 1e-5 + 2, 1}, {5 + 1e-5 + 2, 2}, {12, 0}}, {7}, {2, 12}}));
    d.ShiftOnX(1e308); // an overflowing abscissa stays at DBL_MAX
    EXPECT_EQ(PointsOf(d), (V{{-DBL_MAX + 1e308, 0}, {DBL_MAX, 0}}));
}

TEST(Editing, ScaleMirrorsClampsAndIgnoresZeroNaNInfinity) {
    F f(0, 3, 0), big = Of({{0, DBL_MAX / 2}, {1, -DBL_MAX / 2}}, 0, 1);
    f.Set(2, 2, 4);
    for (double k : {0.0, std::nan(""), HUGE_VAL}) { // no change from any of these
        f.ScaleOnX(k);
        f.Scale(2, k); // one bad factor: no change at all
        f *= k;
        f += NAN;
        f = f * k;
    }
    f.ScaleOnX(-1); // mirrored: points reversed, bounds swapped
    EXPECT_EQ(State(f), (S{{{-3, 0}, {-(2 + 1e-5), 4}, {-(2 - 1e-5), 2}, {0, 0}}, {-2}, {-3, 0}}));
    big.Scale(3, 10);
    EXPECT_EQ(PointsOf(big), (V{{0, DBL_MAX}, {3, -DBL_MAX}}));
}

TEST(Editing, RevertValuesAndCloseCurve) {
    // Closing: crossings of y = 0 inserted, then the first point appended.
    const std::tuple<const char*, void (F::*)(), F, V> cases[] = {
        {"revert",
         &F::RevertValues,
         Of({{0, 1}, {1, 2}, {2, 3}, {3, 4}}, 0, 3),
         {{0, 4}, {1, 3}, {2, 2}, {3, 1}}},
        {"revert one point", &F::RevertValues, Of({{0, 1}}, 0, 3), {{0, 1}}},
        {"close",
         &F::CloseCurve,
         Of({{1, -1}, {2, 1}, {3, 1}}, 1, 3),
         {{1, -1}, {1.5, 0}, {2, 1}, {3, 1}, {1, -1}}},
        {"close, straddling x = 0",
         &F::CloseCurve,
         Of({{-1, -1}, {1, 1}}, -1, 1),
         {{-1, -1}, {1, 1}, {-1, -1}}},
        {"close, zero vertices",
         &F::CloseCurve,
         Of({{-1, 0}, {0, -1}, {1, 0}}, -1, 1),
         {{-1, 0}, {0, -1}, {1, 0}, {-1, 0}}},
        {"close empty", &F::CloseCurve, Of({}, 0, 1), {}}};
    for (auto [name, op, f, want] : cases) {
        SCOPED_TRACE(name);
        (f.*op)();
        EXPECT_EQ(PointsOf(f), want);
    }
}

TEST(Editing, ArithmeticIndexByIndex) {
    F a = Of({{0, 1}, {1, 2}}, 0, 1), b = Of({{0, 10}, {1, 20}}, 0, 1),
      l = Of({{5, 1}, {6, 2}, {7, 3}}, 5, 7), big = Of({{0, DBL_MAX}, {1, -DBL_MAX}}, 0, 1);
    EXPECT_EQ(PointsOf(operator-(a, b)), (V{{0, 9}, {1, 18}})); // b minus a
    // Abscissas are not compared; points beyond the shorter operand are unchanged.
    EXPECT_EQ(PointsOf(l + b), (V{{5, 11}, {6, 22}, {7, 3}}));
    F copy = (a += 3.0);
    copy += 1.0; // a copy: a is unchanged by it
    EXPECT_TRUE(&(a += b) == &a && &(a *= 0.5) == &a);
    EXPECT_EQ(PointsOf(a), (V{{0, 7}, {1, 12.5}}));
    big += big;
    EXPECT_EQ(PointsOf(big), (V{{0, DBL_MAX}, {1, -DBL_MAX}}));
    EXPECT_EQ(PointsOf(big += INFINITY), (V{{0, DBL_MAX}, {1, DBL_MAX}}));
}

TEST(Editing, EqualityNeedsSameDomainTolerancesAndLists) {
    F a = Of({{0, 0}, {1, 1}, {2, 4}}, 0, 2), c = a, prefix = Of({{0, 0}, {1, 1}}, 0, 2), j1(0, 2, 0);
    c.SetXtolerance(1e-6);
    j1.Set(1, 1, 2);
    F j2 = Of(j1.GetPoints(), 0, 2); // jump abscissas take no part
    EXPECT_ROWS(
        {Row("within 1e-10", a == Of({{1e-11, -1e-11}, {1, 1 + 1e-11}, {2, 4}}, 0, 2), true),
         Row("off by 1e-9", a == Of({{0, 0}, {1, 1 + 1e-9}, {2, 4}}, 0, 2), false),
         Row("another tolerance", a == c, false), Row("!= another tolerance", a != c, true),
         Row("another domain", a == Of({{0, 0}, {1, 1}, {2, 4}}, 0, 3), false),
         Row("a prefix list", a == prefix, false), Row("a prefix list, other way", prefix == a, false),
         Row("default functions", F() == F(), true), Row("jump abscissas take no part", j1 == j2, true)});
}

TEST(Editing, MergeWidensAndTurnsConflictsIntoJumps) {
    F h = Of({{0, 0}, {1, 1}}, 0, 1), g = Of({{0, 0}, {2, 2}}, 0, 2), none, base(0, 2, 0);
    h.Merge(&g);
    g = h;
    h.Merge(&g);    // the same points: nothing added
    h.Merge(&none); // only sentinels: not even the domain changes
    h.Merge(nullptr);
    EXPECT_EQ(State(h), (S{{{0, 0}, {1, 1}, {2, 2}}, {}, {0, 2}}));
    // Trend-following jump; an inverted domain (GetOrdinate fails) falls back on stored ordinates.
    for (P d : {P(0, 2), P(2, 0)}) {
        F up = Of({{0, 0}, {1, 1}, {2, 2}}, d.first, d.second),
          down = Of({{0, 2}, {1, 1}, {2, 0}}, d.first, d.second);
        g = Of({{1, 3}}, d.first, d.second);
        up.Merge(&g);
        down.Merge(&g);
        EXPECT_EQ(State(up), (S{{{0, 0}, {1 - 1e-5, 1}, {1 + 1e-5, 3}, {2, 2}}, {1}, d}));
        EXPECT_EQ(PointsOf(down), (V{{0, 2}, {1 - 1e-5, 3}, {1 + 1e-5, 1}, {2, 0}}));
    }
    // At an existing jump the value joins the nearer side.
    base.Set(1, 1, 3);
    const std::pair<F::Point, V> cases[] = {
        {{0.999994, 0.5}, {{0, 0}, {1 - 1e-5, 0.5}, {1 + 1e-5, 3}, {2, 0}}},
        {{1.000004, 3.5}, {{0, 0}, {1 - 1e-5, 1}, {1 + 1e-5, 3.5}, {2, 0}}}};
    for (const auto& c : cases) {
        F f = base, one = Of({c.first}, 0, 2);
        f.Merge(&one);
        EXPECT_EQ(PointsOf(f), c.second) << c.first.x;
    }
}

TEST(Editing, ConcatShiftsGAndRecordsTheJump) {
    F f = Of({{0, 0}, {1, 1}}, 0, 1), g = Of({{0, 1}, {1, 3}}, 0, 1), k = Of({{0, 5}, {1, 3}}, 0, 1);
    F h = f, s = f, none, lone = Of({{0.5, 3}}, -DBL_MAX, DBL_MAX); // lone: one point at an open end
    f.Concat(&g);
    EXPECT_EQ(State(f), (S{{{0, 0}, {1, 1}, {2, 3}}, {}, {0, 2}})); // ends meet: no jump
    EXPECT_EQ(State(g), (S{{{1, 1}, {2, 3}}, {}, {1, 2}}));
    // Ends apart: the merge makes a jump at 1, Concat records one at 1 + Xtolerance.
    h.SetXtolerance(0.125);
    h.Concat(&k);
    EXPECT_EQ(State(h), (S{{{0, 0}, {0.875, 1}, {1.125, 5}, {1.25, 5}, {2, 3}}, {1, 1.125}, {0, 2}}));
    s.SetXtolerance(0.125); // with itself: appends a copy
    s.Concat(&s);
    for (F* x : {&none, &lone, static_cast<F*>(nullptr)}) // nothing to append
        s.Concat(x);
    EXPECT_EQ(State(s), (S{{{0, 0}, {0.875, 0}, {1.125, 1}, {1.25, 0}, {2, 1}}, {1, 1.125}, {0, 2}}));
}

} // namespace
