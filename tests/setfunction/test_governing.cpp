// The governing member of each envelope point, on a two-span continuous beam under patterned live load.
#include "TestAccess.h"

#include <gtest/gtest.h>

namespace {

using F = CVyMathFunction1D;

constexpr double kSpan = 12.0, kLoad = 10.0; // m, kN/m

// Bending moment of a two-span continuous beam (supports at 0, L, 2L) with a uniform load on the
// loaded spans: support moment -qL^2/16 with one span loaded, -qL^2/8 with both.
F TwoSpanMoment(bool left, bool right) {
    const double L = kSpan, q = kLoad;
    const double mb = (left && right) ? -q * L * L / 8 : (left || right ? -q * L * L / 16 : 0.0);
    F f(0.0, 2 * L, 0);
    for (int i = 1; i < 48; ++i) {
        const double x = i * 0.5;
        const bool inLeft = x <= L;
        const double s = inLeft ? x : 2 * L - x; // from the outer support of the span
        const bool loaded = inLeft ? left : right;
        const double m = (loaded ? q * s * (L - s) / 2 : 0.0) + mb * s / L;
        f.Set(x, m);
    }
    return f;
}

TEST(Governing, PatternThatLoadsTheSpanGovernsItsMidspan) {
    F q1 = TwoSpanMoment(true, false), q2 = TwoSpanMoment(false, true), q12 = TwoSpanMoment(true, true);
    CVyMathSetFunction1D set;
    for (F* f : {&q1, &q2, &q12})
        set.AddFunction(f);
    F lower, upper, lowerRef, upperRef;
    std::vector<int> lowerCase{9, 9, 9}, upperCase;
    ASSERT_TRUE(set.EnvelopMaxMin(lower, upper, lowerCase, upperCase));
    ASSERT_TRUE(set.EnvelopMaxMin(lowerRef, upperRef));
    EXPECT_EQ(PointsOf(lower), PointsOf(lowerRef)); // the envelopes themselves are unchanged
    EXPECT_EQ(PointsOf(upper), PointsOf(upperRef));
    const auto lp = PointsOf(lower), up = PointsOf(upper);
    ASSERT_EQ(lowerCase.size(), lp.size()); // replaced, one entry a point
    ASSERT_EQ(upperCase.size(), up.size());
    const auto caseAt = [](const std::vector<std::pair<double, double>>& pts, const std::vector<int>& cases,
                           double x) {
        for (std::size_t i = 0; i < pts.size(); ++i)
            if (pts[i].first == x)
                return cases[i];
        return -2;
    };
    struct Row {
        double x;
        int upper, lower;
    };
    // Midspans: sagging from the pattern that loads the span, hogging from the one that loads the other.
    // Middle support: both spans loaded hog the most; every case is 0 at the end supports (the first wins).
    const Row rows[] = {{0.5 * kSpan, 0, 1}, {1.5 * kSpan, 1, 0}, {kSpan, 0, 2}, {0.0, 0, 0}, {2 * kSpan, 0, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.x);
        EXPECT_EQ(caseAt(up, upperCase, row.x), row.upper);
        EXPECT_EQ(caseAt(lp, lowerCase, row.x), row.lower);
    }
    // Every governing member attains its point within 1e-10.
    for (std::size_t i = 0; i < lp.size(); ++i) {
        ASSERT_GE(lowerCase[i], 0);
        double v;
        ASSERT_TRUE(set.GetElem(lowerCase[i])->GetOrdinate(lp[i].first, v));
        EXPECT_NEAR(v, lp[i].second, 1e-10);
    }
}

TEST(Governing, NoMemberDefinedGivesMinusOneAndAnEmptySetTouchesNothing) {
    F a(0.0, 5.0, 0), b(10.0, 15.0, 0);
    a.Set(2.0, 3.0);
    b.Set(12.0, -3.0);
    CVyMathSetFunction1D set;
    set.AddFunction(&a);
    set.AddFunction(&b);
    F lower, upper;
    std::vector<int> lowerCase, upperCase;
    ASSERT_TRUE(set.EnvelopMaxMin(lower, upper, lowerCase, upperCase));
    const auto lp = PointsOf(lower);
    for (std::size_t i = 0; i < lp.size(); ++i) {
        SCOPED_TRACE(lp[i].first);
        const bool gap = lp[i].first > 5.0 + 1e-5 && lp[i].first < 10.0 - 1e-5;
        EXPECT_EQ(lowerCase[i] == -1, gap);
    }
    CVyMathSetFunction1D none;
    std::vector<int> untouched{4};
    EXPECT_FALSE(none.EnvelopMaxMin(lower, upper, untouched, untouched));
    EXPECT_EQ(untouched, std::vector<int>{4});
}

} // namespace
