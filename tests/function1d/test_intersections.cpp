#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cfloat>

using Pts = std::vector<std::pair<double, double>>;
using List = CVyMathFunction1D::PointList;

namespace {

CVyMathFunction1D Poly(std::vector<CVyMathFunction1D::Point> pts) {
    const double lo = pts.front().x, hi = pts.back().x;
    return MakeFunction(std::move(pts), lo, hi);
}

} // namespace

TEST(GetIntersectionAbscissas, CrossingsBetweenMergedAbscissasInIncreasingX) {
    CVyMathFunction1D f = Poly({{0, 0}, {2, 2}});
    CVyMathFunction1D g = Poly({{0, 2}, {2, 0}});
    List r;
    EXPECT_EQ(f.GetIntersectionAbscissas(&g, r), 1);
    EXPECT_EQ(ItemsOf(r), (Pts{{1, 1}}));

    CVyMathFunction1D hat = Poly({{0, 0}, {1, 2}, {2, 0}});
    CVyMathFunction1D one = Poly({{0, 1}, {2, 1}});
    List r2;
    EXPECT_EQ(hat.GetIntersectionAbscissas(&one, r2), 1);
    EXPECT_EQ(ItemsOf(r2), (Pts{{0.5, 1}, {1.5, 1}}));

    // The other function's inner abscissa 2 splits the pair (0, 4): the crossing of x and
    // 7 - 2x on [2, 4] is at 7/3 (the pair (0, 4) alone would give 1.5).
    CVyMathFunction1D line = Poly({{0, 0}, {4, 4}});
    CVyMathFunction1D bent = Poly({{0, 3}, {2, 3}, {4, -1}});
    List r3;
    EXPECT_EQ(line.GetIntersectionAbscissas(&bent, r3), 1);
    const Pts got = ItemsOf(r3);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_DOUBLE_EQ(got[0].first, 7.0 / 3.0);
    EXPECT_DOUBLE_EQ(got[0].second, 7.0 / 3.0);
}

TEST(GetIntersectionAbscissas, ProductThresholdIsStrict) {
    CVyMathFunction1D zero = Poly({{0, 0}, {1, 0}});
    // Differences 0.001 and -1: the product is exactly -0.001, not below it.
    CVyMathFunction1D atThreshold = Poly({{0, 0.001}, {1, -1}});
    List r;
    EXPECT_EQ(atThreshold.GetIntersectionAbscissas(&zero, r), 0);
    EXPECT_TRUE(ItemsOf(r).empty());
    // Differences 0.002 and -1: reported, on the line through (0, 0.002) and (1, -1).
    CVyMathFunction1D below = Poly({{0, 0.002}, {1, -1}});
    EXPECT_EQ(below.GetIntersectionAbscissas(&zero, r), 1);
    EXPECT_EQ(ItemsOf(r), (Pts{{-0.002 / -1.002, 0}}));

    // Close crossing: differences -0.01 and 0.01 (product -0.0001) are not reported.
    CVyMathFunction1D low = Poly({{0, 0}, {2, 0.02}});
    CVyMathFunction1D mid = Poly({{0, 0.01}, {2, 0.01}});
    List r2;
    EXPECT_EQ(low.GetIntersectionAbscissas(&mid, r2), 0);

    // A crossing on a merged abscissa gives a zero difference there: product 0, not reported.
    CVyMathFunction1D through = Poly({{0, -1}, {1, 0}, {2, 1}});
    CVyMathFunction1D axis = Poly({{0, 0}, {2, 0}});
    List r3;
    EXPECT_EQ(through.GetIntersectionAbscissas(&axis, r3), 0);
}

TEST(GetIntersectionAbscissas, SkipsPairsWhereEitherIsUndefined) {
    // g starts at 1 and f ends at 2: only the pair (1, 2) is examined.
    CVyMathFunction1D f = Poly({{0, 0}, {2, 2}});
    CVyMathFunction1D g = Poly({{1, 2}, {3, 0}});
    List r;
    EXPECT_EQ(f.GetIntersectionAbscissas(&g, r), 1);
    EXPECT_EQ(ItemsOf(r), (Pts{{1.5, 1.5}}));

    // g jumps from 3 to 0 at x = 2; the constant 2 crosses it inside the jump window.
    CVyMathFunction1D jump(0, 4, 0);
    jump.Set(0, 3);
    jump.Set(2, 3, 0);
    CVyMathFunction1D two = Poly({{0, 2}, {4, 2}});
    List r2;
    EXPECT_EQ(two.GetIntersectionAbscissas(&jump, r2), 1); // the window's ends are defined
    ASSERT_EQ(ItemsOf(r2).size(), 1u);
    EXPECT_NEAR(ItemsOf(r2)[0].first, 2.0, 1e-5);
    // With a merged abscissa strictly inside the window, both pairs around it are skipped.
    CVyMathFunction1D twoAt2 = Poly({{0, 2}, {2, 2}, {4, 2}});
    List r3;
    EXPECT_EQ(twoAt2.GetIntersectionAbscissas(&jump, r3), 0);
}

TEST(GetIntersectionAbscissas, ResultCountsEarlierPointsAndCursorIsReset) {
    CVyMathFunction1D f = Poly({{0, 0}, {2, 0.02}});
    CVyMathFunction1D g = Poly({{0, 0.01}, {2, 0.01}});
    List r;
    r.AddPoint({9, 9});
    double x, y;
    r.ResetCursor();
    while (r.GetNext(x, y)) {
    }
    EXPECT_EQ(f.GetIntersectionAbscissas(&g, r), 1);
    ASSERT_TRUE(r.GetNext(x, y)); // back on the first point
    EXPECT_EQ(x, 9.0);

    // A function without points or a null other: nothing appended.
    CVyMathFunction1D empty(0, 1, 0);
    empty.Clear(true);
    List e;
    EXPECT_EQ(empty.GetIntersectionAbscissas(&g, e), 0);
    EXPECT_EQ(g.GetIntersectionAbscissas(&empty, e), 0);
    EXPECT_EQ(g.GetIntersectionAbscissas(nullptr, e), 0);
    EXPECT_TRUE(ItemsOf(e).empty());
    EXPECT_EQ(g.GetIntersectionAbscissas(&empty, r), 1);
    EXPECT_EQ(ItemsOf(r), (Pts{{9, 9}}));
}

TEST(GetIntersectionAbscissas, UnsortedAbscissasAreSortedFirst) {
    // Stored out of order: defined on [0, 2] (first and last stored abscissas), y = x there. Sorted,
    // the pair (0, 2) gives the crossing with 1; in storage order both pairs would reach 4 and be skipped.
    CVyMathFunction1D f = MakeFunction({{0, 0}, {4, 4}, {2, 2}}, 0, 4);
    CVyMathFunction1D one = Poly({{0, 1}, {4, 1}});
    List r;
    EXPECT_EQ(f.GetIntersectionAbscissas(&one, r), 1);
    EXPECT_EQ(ItemsOf(r), (Pts{{1, 1}}));

    // A closed curve is defined only at its closing abscissa: no pair is examined.
    CVyMathFunction1D diamond = MakeFunction({{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-1, 0}}, -1, 1);
    CVyMathFunction1D level = Poly({{-1, -0.5}, {1, -0.5}});
    List r2;
    EXPECT_EQ(diamond.GetIntersectionAbscissas(&level, r2), 0);
}

TEST(EnvelopeMaxMin, InsertsLocalExtremaIntoTargets) {
    CVyMathFunction1D f = Poly({{0, 0}, {1, 2}, {2, 1}, {3, 3}});
    CVyMathFunction1D upper, lower;
    f.EnvelopeMaxMin(upper, lower);
    EXPECT_EQ(PointsOf(lower), (Pts{{0, 0}, {2, 1}, {3, 3}}));
    EXPECT_EQ(PointsOf(upper), (Pts{{0, 0}, {1, 2}, {3, 3}}));
    double a, b;
    upper.GetFullRange(a, b);
    EXPECT_EQ(a, 0.0);
    EXPECT_EQ(b, 3.0);

    // A point refused by Set (abscissa 1 taken with another ordinate) is dropped.
    CVyMathFunction1D held(0, 3, 0);
    held.Set(1, 5);
    CVyMathFunction1D low2;
    f.EnvelopeMaxMin(held, low2);
    EXPECT_EQ(PointsOf(held), (Pts{{0, 0}, {1, 5}, {3, 3}}));

    // This function as a target: its extrema were taken first, it stays as it was.
    CVyMathFunction1D low3;
    f.EnvelopeMaxMin(f, low3);
    EXPECT_EQ(PointsOf(f), (Pts{{0, 0}, {1, 2}, {2, 1}, {3, 3}}));
    EXPECT_EQ(PointsOf(low3), (Pts{{0, 0}, {2, 1}, {3, 3}}));

    // The default function inserts nothing; default targets keep their sentinels.
    CVyMathFunction1D up4, low4;
    CVyMathFunction1D().EnvelopeMaxMin(up4, low4);
    EXPECT_EQ(PointsOf(up4), (Pts{{-DBL_MAX, 0}, {DBL_MAX, 0}}));
    EXPECT_EQ(PointsOf(low4), (Pts{{-DBL_MAX, 0}, {DBL_MAX, 0}}));
}
