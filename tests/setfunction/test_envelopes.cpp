#include "TestAccess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>

namespace {

using F = CVyMathFunction1D;
using Set = CVyMathSetFunction1D;
using V = std::vector<std::pair<double, double>>;

TEST(TwoFunctionEnvelope, CrossingLinesGiveTheirCrossing) {
    F f1 = MakeFunction({{0, 0}, {10, 10}}, 0, 10);
    F f2 = MakeFunction({{0, 10}, {10, 0}}, 0, 10);
    F lower, upper;
    Set s;
    s.EnveloppeMaxMin(&f1, &f2, &lower, &upper);
    EXPECT_EQ(PointsOf(lower), (V{{-DBL_MAX, 0}, {0, 0}, {5, 5}, {10, 0}, {DBL_MAX, 0}}));
    EXPECT_EQ(PointsOf(upper), (V{{-DBL_MAX, 0}, {0, 10}, {5, 5}, {10, 10}, {DBL_MAX, 0}}));
}

TEST(TwoFunctionEnvelope, NullOutputsAreSkipped) {
    F f1 = MakeFunction({{0, 0}, {10, 10}}, 0, 10);
    F f2 = MakeFunction({{0, 10}, {10, 0}}, 0, 10);
    Set s;
    F upperOnly(0, 10, 0);
    s.EnveloppeMaxMin(&f1, &f2, nullptr, &upperOnly);
    EXPECT_EQ(PointsOf(upperOnly), (V{{0, 10}, {5, 5}, {10, 10}}));
    F lowerOnly(0, 10, 0);
    s.EnveloppeMaxMin(&f1, &f2, &lowerOnly, nullptr);
    EXPECT_EQ(PointsOf(lowerOnly), (V{{0, 0}, {5, 5}, {10, 0}}));
    F untouched(0, 10, 0);
    s.EnveloppeMaxMin(nullptr, &f2, &untouched, &untouched);
    s.EnveloppeMaxMin(&f1, nullptr, &untouched, &untouched);
    EXPECT_EQ(PointsOf(untouched), (V{{0, 0}, {10, 0}}));
}

TEST(TwoFunctionEnvelope, WhereNeitherIsDefinedTheSentinelsGoIn) {
    // Both functions hold a point at 8 outside their own domains: neither evaluates there.
    F f1 = MakeFunction({{0, 1}, {8, 1}}, 0, 4);
    F f2 = MakeFunction({{6, 3}, {8, 3}}, 6, 7);
    F lower(0, 10, 0), upper(0, 10, 0);
    Set s;
    s.EnveloppeMaxMin(&f1, &f2, &lower, &upper);
    EXPECT_EQ(PointsOf(lower), (V{{0, 1}, {6, 3}, {8, DBL_MAX}, {10, 0}}));
    EXPECT_EQ(PointsOf(upper), (V{{0, 1}, {6, 3}, {8, -DBL_MAX}, {10, 0}}));
}

TEST(TwoFunctionEnvelope, WhereOnlyOneIsDefinedItsValueGoesIn) {
    F gap = MakeFunction({{0, 2}, {2, 2}}, 0, 2);
    F g = MakeFunction({{0, 1}, {4, 1}}, 0, 4);
    F lower(0, 10, 0), upper(0, 10, 0);
    Set().EnveloppeMaxMin(&gap, &g, &lower, &upper);
    EXPECT_EQ(PointsOf(lower), (V{{0, 1}, {2, 1}, {4, 1}, {10, 0}}));
    EXPECT_EQ(PointsOf(upper), (V{{0, 2}, {2, 2}, {4, 1}, {10, 0}}));
}

TEST(SetEnvelope, EmptySetLeavesTheOutputs) {
    Set s;
    F lower(0, 5, 0), upper(1, 6, 0);
    EXPECT_FALSE(s.EnvelopMaxMin(lower, upper));
    EXPECT_EQ(PointsOf(lower), (V{{0, 0}, {5, 0}}));
    EXPECT_EQ(PointsOf(upper), (V{{1, 0}, {6, 0}}));
}

TEST(SetEnvelope, OneMember) {
    F f = MakeFunction({{0, 1}, {5, 3}, {10, 2}}, 0, 10);
    Set s;
    s.AddFunction(&f);
    F lower, upper;
    ASSERT_TRUE(s.EnvelopMaxMin(lower, upper));
    EXPECT_TRUE(lower == f);
    EXPECT_EQ(PointsOf(upper), (V{{0, 0}, {10, 0}}));
    EXPECT_EQ(upper.GetXtolerance(), 1e-9);
    double a, b;
    upper.GetFullRange(a, b);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 10);
}

TEST(SetEnvelope, TwoMembersOnTheSetRange) {
    F f1 = MakeFunction({{0, 0}, {10, 10}}, 0, 10);
    F f2 = MakeFunction({{0, 10}, {10, 0}}, 0, 10);
    Set s;
    s.AddFunction(&f1);
    s.AddFunction(&f2);
    F lower, upper;
    ASSERT_TRUE(s.EnvelopMaxMin(lower, upper));
    EXPECT_EQ(PointsOf(lower), (V{{0, 0}, {5, 5}, {10, 0}}));
    EXPECT_EQ(PointsOf(upper), (V{{0, 10}, {5, 5}, {10, 10}}));
    EXPECT_EQ(lower.GetXtolerance(), 1e-9);
}

TEST(SetEnvelope, ThreeMembersFoldOneAtATime) {
    F f1 = MakeFunction({{0, 0}, {10, 10}}, 0, 10);
    F f2 = MakeFunction({{0, 10}, {10, 0}}, 0, 10);
    F f3 = MakeFunction({{0, 4}, {4, 8}, {10, 4}}, 0, 10);
    Set s;
    s.AddFunction(&f1);
    s.AddFunction(&f2);
    s.AddFunction(&f3);
    F lower, upper;
    ASSERT_TRUE(s.EnvelopMaxMin(lower, upper));

    // The same fold done by hand with the two-function envelope.
    Set two;
    two.AddFunction(&f1);
    two.AddFunction(&f2);
    F lo12, hi12;
    ASSERT_TRUE(two.EnvelopMaxMin(lo12, hi12));
    F lo(0, 10, 0), hi(0, 10, 0);
    lo.SetXtolerance(1e-9);
    hi.SetXtolerance(1e-9);
    s.EnveloppeMaxMin(&lo12, &f3, &lo, nullptr);
    s.EnveloppeMaxMin(&f3, &hi12, nullptr, &hi);
    EXPECT_EQ(PointsOf(lower), PointsOf(lo));
    EXPECT_EQ(PointsOf(upper), PointsOf(hi));

    // And the values: the smallest and the largest of the three at every abscissa.
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
    F ten(0, 10, 0);
    for (int i = 1; i < 10; ++i)
        ten.Set(i, i % 3);
    F three(0, 1, 0);
    three.Set(0.5, 7);
    s.AddFunction(&ten);
    s.AddFunction(&three);
    EXPECT_EQ(VyMathTestAccess::MinimalStep(s), 0.5);
    Set single;
    F one = MakeFunction({{2, 1}}, 0, 4); // one element: no step
    single.AddFunction(&one);
    EXPECT_EQ(VyMathTestAccess::MinimalStep(single), 0.0);
    single.AddFunction(&three);
    EXPECT_EQ(VyMathTestAccess::MinimalStep(single), 0.5);
}

} // namespace
