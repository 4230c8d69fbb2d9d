#include "TestAccess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>

namespace {

using F = CVyMathFunction1D;
using Set = CVyMathSetFunction1D;
using V = std::vector<std::pair<double, double>>;

const F kUp = MakeFunction({{0, 0}, {10, 10}}, 0, 10);
const F kDown = MakeFunction({{0, 10}, {10, 0}}, 0, 10);

TEST(TwoFunctionEnvelope, ValuesAtPointsAndCrossingsIntoWhatTheOutputsHold) {
    F f1 = kUp, f2 = kDown;
    struct Case {
        F g1, g2, lower, upper;
        V lo, hi;
    };
    Case cases[] = {// S = {0, 5, 10} set into default functions, whose sentinels stay.
                    {kUp,
                     kDown,
                     F(),
                     F(),
                     {{-DBL_MAX, 0}, {0, 0}, {5, 5}, {10, 0}, {DBL_MAX, 0}},
                     {{-DBL_MAX, 0}, {0, 10}, {5, 5}, {10, 10}, {DBL_MAX, 0}}},
                    // Neither is defined at 8 (outside both domains): lower gets +DBL_MAX, upper -DBL_MAX.
                    {MakeFunction({{0, 1}, {8, 1}}, 0, 4),
                     MakeFunction({{6, 3}, {8, 3}}, 6, 7),
                     F(0, 10, 0),
                     F(0, 10, 0),
                     {{0, 1}, {6, 3}, {8, DBL_MAX}, {10, 0}},
                     {{0, 1}, {6, 3}, {8, -DBL_MAX}, {10, 0}}},
                    // Only one defined: its value.
                    {MakeFunction({{0, 2}, {2, 2}}, 0, 2),
                     MakeFunction({{0, 1}, {4, 1}}, 0, 4),
                     F(0, 10, 0),
                     F(0, 10, 0),
                     {{0, 1}, {2, 1}, {4, 1}, {10, 0}},
                     {{0, 2}, {2, 2}, {4, 1}, {10, 0}}}};
    for (auto& c : cases) {
        Set().EnveloppeMaxMin(&c.g1, &c.g2, &c.lower, &c.upper);
        EXPECT_EQ(PointsOf(c.lower), c.lo);
        EXPECT_EQ(PointsOf(c.upper), c.hi);
    }
    // A null output is skipped; a null input does nothing.
    F upperOnly(0, 10, 0), lowerOnly(0, 10, 0), untouched(0, 10, 0);
    Set s;
    s.EnveloppeMaxMin(&f1, &f2, nullptr, &upperOnly);
    s.EnveloppeMaxMin(&f1, &f2, &lowerOnly, nullptr);
    s.EnveloppeMaxMin(nullptr, &f2, &untouched, &untouched);
    s.EnveloppeMaxMin(&f1, nullptr, &untouched, &untouched);
    EXPECT_EQ(PointsOf(upperOnly), (V{{0, 10}, {5, 5}, {10, 10}}));
    EXPECT_EQ(PointsOf(lowerOnly), (V{{0, 0}, {5, 5}, {10, 0}}));
    EXPECT_EQ(PointsOf(untouched), (V{{0, 0}, {10, 0}}));
}

TEST(SetEnvelope, EmptyAndSingleMember) {
    Set s;
    F lower(0, 5, 0), upper(1, 6, 0);
    EXPECT_FALSE(s.EnvelopMaxMin(lower, upper));
    EXPECT_EQ(PointsOf(lower), (V{{0, 0}, {5, 0}}));
    EXPECT_EQ(PointsOf(upper), (V{{1, 0}, {6, 0}}));
    F f = MakeFunction({{0, 1}, {5, 3}, {10, 2}}, 0, 10);
    s.AddFunction(&f);
    F lo, hi;
    ASSERT_TRUE(s.EnvelopMaxMin(lo, hi));
    EXPECT_TRUE(lo == f);
    EXPECT_EQ(PointsOf(hi), (V{{0, 0}, {10, 0}})); // only the range and tolerance
    EXPECT_EQ(hi.GetXtolerance(), 1e-9);
}

TEST(SetEnvelope, MembersFoldOneAtATime) {
    F f1 = kUp, f2 = kDown, f3 = MakeFunction({{0, 4}, {4, 8}, {10, 4}}, 0, 10);
    Set two, three;
    for (F* f : {&f1, &f2, &f3}) {
        if (f != &f3)
            two.AddFunction(f);
        three.AddFunction(f);
    }
    F lo12, hi12, lower, upper;
    ASSERT_TRUE(two.EnvelopMaxMin(lo12, hi12));
    EXPECT_EQ(PointsOf(lo12), (V{{0, 0}, {5, 5}, {10, 0}}));
    EXPECT_EQ(PointsOf(hi12), (V{{0, 10}, {5, 5}, {10, 10}}));
    EXPECT_EQ(lo12.GetXtolerance(), 1e-9);
    ASSERT_TRUE(three.EnvelopMaxMin(lower, upper));
    // The same fold by hand: lower of (previous lower, third), upper of (third, previous upper).
    F lo(0, 10, 0), hi(0, 10, 0);
    lo.SetXtolerance(1e-9);
    hi.SetXtolerance(1e-9);
    three.EnveloppeMaxMin(&lo12, &f3, &lo, nullptr);
    three.EnveloppeMaxMin(&f3, &hi12, nullptr, &hi);
    EXPECT_EQ(PointsOf(lower), PointsOf(lo));
    EXPECT_EQ(PointsOf(upper), PointsOf(hi));
    for (double x = 0; x <= 10; x += 0.5) {
        double y1, y2, y3, l, u;
        ASSERT_TRUE(f1.GetOrdinate(x, y1) && f2.GetOrdinate(x, y2) && f3.GetOrdinate(x, y3));
        ASSERT_TRUE(lower.GetOrdinate(x, l) && upper.GetOrdinate(x, u));
        EXPECT_NEAR(l, std::min({y1, y2, y3}), 1e-9) << x;
        EXPECT_NEAR(u, std::max({y1, y2, y3}), 1e-9) << x;
    }
}

TEST(SetEnvelope, MinimalStep) {
    Set s;
    EXPECT_EQ(VyMathTestAccess::MinimalStep(s), 0.0);
    F ten(0, 10, 0), three(0, 1, 0), one = MakeFunction({{2, 1}}, 0, 4); // one element: no step
    for (int i = 1; i < 10; ++i)
        ten.Set(i, i % 3);
    three.Set(0.5, 7);
    s.AddFunction(&one);
    EXPECT_EQ(VyMathTestAccess::MinimalStep(s), 0.0);
    s.AddFunction(&ten);
    s.AddFunction(&three);
    EXPECT_EQ(VyMathTestAccess::MinimalStep(s), 0.5);
}

} // namespace
