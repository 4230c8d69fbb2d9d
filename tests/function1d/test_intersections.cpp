#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cfloat>

using Pts = std::vector<std::pair<double, double>>;
using List = CVyMathFunction1D::PointList;
using F = CVyMathFunction1D;

namespace {

F Poly(std::vector<F::Point> pts) {
    const double lo = pts.front().x, hi = pts.back().x;
    return MakeFunction(std::move(pts), lo, hi);
}

} // namespace

TEST(GetIntersectionAbscissas, CrossingsInIncreasingXAboveTheThreshold) {
    F jump(0, 4, 0); // 3 until 2, then 0
    jump.Set(0, 3);
    jump.Set(2, 3, 0);
    struct Case {
        F f, g;
        Pts crossings;
    };
    const Case cases[] = {
        {Poly({{0, 0}, {2, 2}}), Poly({{0, 2}, {2, 0}}), {{1, 1}}},
        {Poly({{0, 0}, {1, 2}, {2, 0}}), Poly({{0, 1}, {2, 1}}), {{0.5, 1}, {1.5, 1}}},
        // g's inner abscissa 2 splits the pair (0, 4): x meets 7 - 2x at 7/3.
        {Poly({{0, 0}, {4, 4}}), Poly({{0, 3}, {2, 3}, {4, -1}}), {{7.0 / 3, 7.0 / 3}}},
        // Product exactly -0.001 is not below the threshold; 0.002 * -1 is.
        {Poly({{0, 0.001}, {1, -1}}), Poly({{0, 0}, {1, 0}}), {}},
        {Poly({{0, 0.002}, {1, -1}}), Poly({{0, 0}, {1, 0}}), {{-0.002 / -1.002, 0}}},
        {Poly({{0, 0}, {2, 0.02}}), Poly({{0, 0.01}, {2, 0.01}}), {}},  // close crossing
        {Poly({{0, -1}, {1, 0}, {2, 1}}), Poly({{0, 0}, {2, 0}}), {}},  // on a merged abscissa
        {Poly({{0, 0}, {2, 2}}), Poly({{1, 2}, {3, 0}}), {{1.5, 1.5}}}, // only (1, 2) defined
        {Poly({{0, 2}, {2, 2}, {4, 2}}), jump, {}},                     // 2 inside the jump window
        {MakeFunction({{0, 0}, {4, 4}, {2, 2}}, 0, 4), Poly({{0, 1}, {4, 1}}), {{1, 1}}}, // sorted first
        {MakeFunction({{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}}, -1, 1),
         Poly({{-1, -0.5}, {1, -0.5}}),
         {}}};
    for (auto c : cases) {
        List r;
        EXPECT_EQ(c.f.GetIntersectionAbscissas(&c.g, r), c.crossings.empty() ? 0 : 1);
        const Pts got = ItemsOf(r);
        ASSERT_EQ(got.size(), c.crossings.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_DOUBLE_EQ(got[i].first, c.crossings[i].first);
            EXPECT_DOUBLE_EQ(got[i].second, c.crossings[i].second);
        }
    }
    // Around a stored jump, the window's ends are defined.
    List r;
    EXPECT_EQ(Poly({{0, 2}, {4, 2}}).GetIntersectionAbscissas(&jump, r), 1);
    ASSERT_EQ(ItemsOf(r).size(), 1u);
    EXPECT_NEAR(ItemsOf(r)[0].first, 2.0, 1e-5);
}

TEST(GetIntersectionAbscissas, ResultCountsEarlierPointsAndCursorIsReset) {
    F f = Poly({{0, 0}, {2, 0.02}});
    F g = Poly({{0, 0.01}, {2, 0.01}});
    F empty = MakeFunction({}, 0, 1);
    List r, e;
    r.AddPoint({9, 9});
    double x, y;
    r.ResetCursor();
    r.GetNext(x, y);
    EXPECT_EQ(f.GetIntersectionAbscissas(&g, r), 1);
    ASSERT_TRUE(r.GetNext(x, y)); // back on the first point
    EXPECT_EQ(x, 9.0);
    EXPECT_EQ(g.GetIntersectionAbscissas(&empty, r), 1);
    EXPECT_EQ(ItemsOf(r), (Pts{{9, 9}}));
    EXPECT_EQ(empty.GetIntersectionAbscissas(&g, e) + g.GetIntersectionAbscissas(&empty, e) +
                  g.GetIntersectionAbscissas(nullptr, e),
              0);
    EXPECT_TRUE(ItemsOf(e).empty());
}

TEST(EnvelopeMaxMin, InsertsLocalExtremaIntoTargets) {
    F f = Poly({{0, 0}, {1, 2}, {2, 1}, {3, 3}});
    F upper, lower;
    f.EnvelopeMaxMin(upper, lower);
    EXPECT_EQ(PointsOf(lower), (Pts{{0, 0}, {2, 1}, {3, 3}}));
    EXPECT_EQ(PointsOf(upper), (Pts{{0, 0}, {1, 2}, {3, 3}}));
    double a, b;
    upper.GetFullRange(a, b);
    EXPECT_EQ(std::make_pair(a, b), std::make_pair(0.0, 3.0));
    F held(0, 3, 0); // abscissa 1 taken with another ordinate: refused by Set, dropped
    held.Set(1, 5);
    f.EnvelopeMaxMin(held, lower);
    EXPECT_EQ(PointsOf(held), (Pts{{0, 0}, {1, 5}, {3, 3}}));
    F low3; // this function as a target: its extrema were taken first
    f.EnvelopeMaxMin(f, low3);
    EXPECT_EQ(PointsOf(f), (Pts{{0, 0}, {1, 2}, {2, 1}, {3, 3}}));
    EXPECT_EQ(PointsOf(low3), (Pts{{0, 0}, {2, 1}, {3, 3}}));
    F up4, low4; // the default function inserts nothing
    F().EnvelopeMaxMin(up4, low4);
    EXPECT_EQ(PointsOf(up4), (Pts{{-DBL_MAX, 0}, {DBL_MAX, 0}}));
    EXPECT_EQ(PointsOf(low4), PointsOf(up4));
}
