#include "TestSupport.h"

using Pts = V;
using List = F::PointList;

TEST(GetIntersectionAbscissas, CrossingsInIncreasingXAboveTheThreshold) {
    F jump = Poly({{0, 3}, {4, 0}}); // 3 until 2, then 0
    jump.Set(2, 3, 0);
    const std::tuple<const char*, F, F, Pts> cases[] = {
        {"two crossings", Poly({{0, 0}, {1, 2}, {2, 0}}), Poly({{0, 1}, {2, 1}}), {{0.5, 1}, {1.5, 1}}},
        {"the other's inner abscissa splits",
         Poly({{0, 0}, {4, 4}}),
         Poly({{0, 3}, {2, 3}, {4, -3}}),
         {{2.25, 2.25}}},
        {"product exactly -0.001: not below the threshold",
         Poly({{0, 0.001}, {1, -1}}),
         Poly({{0, 0}, {1, 0}}),
         {}},
        {"product below the threshold",
         Poly({{0, 0.0625}, {1, -0.0625}}),
         Poly({{0, 0}, {1, 0}}),
         {{0.5, 0}}},
        {"on a merged abscissa", Poly({{0, -1}, {1, 0}, {2, 1}}), Poly({{0, 0}, {2, 0}}), {}},
        {"only (1, 2) defined", Poly({{0, 0}, {2, 2}}), Poly({{1, 2}, {3, 0}}), {{1.5, 1.5}}},
        {"2 inside the jump window", Poly({{0, 2}, {2, 2}, {4, 2}}), jump, {}},
        {"unsorted: sorted first",
         MakeFunction({{0, 0}, {4, 4}, {2, 2}}, 0, 4),
         Poly({{0, 1}, {4, 1}}),
         {{1, 1}}}};
    for (auto [name, f, g, want] : cases) {
        SCOPED_TRACE(name);
        List r;
        EXPECT_EQ(f.GetIntersectionAbscissas(&g, r), want.empty() ? 0 : 1);
        EXPECT_EQ(ItemsOf(r), want);
    }
}

TEST(GetIntersectionAbscissas, ResultCountsEarlierPointsAndCursorIsReset) {
    F f = Poly({{0, 0}, {2, 0.02}}), g = Poly({{0, 0.01}, {2, 0.01}}), empty = MakeFunction({}, 0, 1);
    List r, e;
    r.AddPoint({9, 9});
    double x, y;                                     // the cursor is at the end
    EXPECT_EQ(f.GetIntersectionAbscissas(&g, r), 1); // a close crossing is missed; r holds (9, 9)
    EXPECT_TRUE(r.GetNext(x, y) && x == 9.0);        // back on the first point
    EXPECT_ROWS({Row("an empty function", empty.GetIntersectionAbscissas(&g, e), 0),
                 Row("a null other", g.GetIntersectionAbscissas(nullptr, e), 0)});
    EXPECT_TRUE(ItemsOf(e).empty());
}

TEST(EnvelopeMaxMin, InsertsLocalExtremaIntoTargets) {
    F f = Poly({{0, 0}, {1, 2}, {2, 1}, {3, 3}}), upper, lower, held(0, 3, 0), up, low;
    f.EnvelopeMaxMin(upper, lower);
    double a, b;
    upper.GetFullRange(a, b);
    EXPECT_EQ(std::make_tuple(PointsOf(lower), PointsOf(upper), a, b),
              std::make_tuple(Pts{{0, 0}, {2, 1}, {3, 3}}, Pts{{0, 0}, {1, 2}, {3, 3}}, 0.0, 3.0));
    held.Set(1, 5); // abscissa 1 taken with another ordinate: refused by Set, dropped
    f.EnvelopeMaxMin(held, lower);
    EXPECT_EQ(PointsOf(held), (Pts{{0, 0}, {1, 5}, {3, 3}}));
    f.EnvelopeMaxMin(f, lower); // this function as a target: its extrema were taken first
    EXPECT_EQ(PointsOf(f), (Pts{{0, 0}, {1, 2}, {2, 1}, {3, 3}}));
    F().EnvelopeMaxMin(up, low); // the default function inserts nothing
    EXPECT_EQ(PointsOf(up), (Pts{{-DBL_MAX, 0}, {DBL_MAX, 0}}));
}
