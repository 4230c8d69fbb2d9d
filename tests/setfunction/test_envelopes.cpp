#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace {

using F = CVyMathFunction1D;
using Set = CVyMathSetFunction1D;
using V = std::vector<std::pair<double, double>>;

const F kUp = MakeFunction({{0, 0}, {10, 10}}, 0, 10);
const F kDown = MakeFunction({{0, 10}, {10, 0}}, 0, 10);

// {lower, upper} points after EnveloppeMaxMin of g1 and g2 into the given outputs.
std::pair<V, V> Envelope(F g1, F g2, F lower = F(0, 10, 0)) {
    F upper = lower;
    Set().EnveloppeMaxMin(&g1, &g2, &lower, &upper);
    return {PointsOf(lower), PointsOf(upper)};
}

TEST(TwoFunctionEnvelope, ValuesAtPointsAndCrossingsIntoWhatTheOutputsHold) {
    // S = {0, 5, 10} set into default functions, whose sentinels stay.
    EXPECT_EQ(Envelope(kUp, kDown, F()),
              (std::pair<V, V>{{{-DBL_MAX, 0}, {0, 0}, {5, 5}, {10, 0}, {DBL_MAX, 0}},
                               {{-DBL_MAX, 0}, {0, 10}, {5, 5}, {10, 10}, {DBL_MAX, 0}}}));
    // Only one defined at 0 and at 6: its value. Neither at 8: lower gets +DBL_MAX, upper -DBL_MAX.
    EXPECT_EQ(
        Envelope(MakeFunction({{0, 1}, {8, 1}}, 0, 4), MakeFunction({{6, 3}, {8, 3}}, 6, 7)),
        (std::pair<V, V>{{{0, 1}, {6, 3}, {8, DBL_MAX}, {10, 0}}, {{0, 1}, {6, 3}, {8, -DBL_MAX}, {10, 0}}}));
    // A null output is skipped; a null input does nothing.
    F f1 = kUp, f2 = kDown, upperOnly(0, 10, 0), untouched(0, 10, 0);
    Set().EnveloppeMaxMin(&f1, &f2, nullptr, &upperOnly);
    Set().EnveloppeMaxMin(nullptr, &f2, &untouched, &untouched);
    EXPECT_EQ(std::make_pair(PointsOf(upperOnly), PointsOf(untouched)),
              std::make_pair(V{{0, 10}, {5, 5}, {10, 10}}, V{{0, 0}, {10, 0}}));
}

TEST(SetEnvelope, EmptyAndSingleMember) {
    Set s;
    F lower(0, 5, 0), upper(1, 6, 0), f = MakeFunction({{0, 1}, {5, 3}, {10, 2}}, 0, 10), lo, hi;
    EXPECT_FALSE(s.EnvelopMaxMin(lower, upper)); // outputs untouched
    EXPECT_EQ(PointsOf(lower), (V{{0, 0}, {5, 0}}));
    s.AddFunction(&f);
    EXPECT_TRUE(s.EnvelopMaxMin(lo, hi) && lo == f);
    // upper only gets the range and the tolerance.
    EXPECT_EQ(std::make_pair(PointsOf(hi), hi.GetXtolerance()), std::make_pair(V{{0, 0}, {10, 0}}, 1e-9));
}

TEST(SetEnvelope, MembersFoldOneAtATime) {
    F f1 = kUp, f2 = kDown, f3 = MakeFunction({{0, 4}, {4, 8}, {10, 4}}, 0, 10), lo12, hi12, lower, upper;
    Set two, three;
    two.AddFunction(&f1);
    two.AddFunction(&f2);
    three = two;
    three.AddFunction(&f3);
    ASSERT_TRUE(two.EnvelopMaxMin(lo12, hi12) && three.EnvelopMaxMin(lower, upper));
    // The same fold by hand: lower of (previous lower, third), upper of (third, previous upper).
    F lo(0, 10, 0), hi(0, 10, 0);
    lo.SetXtolerance(1e-9);
    hi.SetXtolerance(1e-9);
    three.EnveloppeMaxMin(&lo12, &f3, &lo, nullptr);
    three.EnveloppeMaxMin(&f3, &hi12, nullptr, &hi);
    EXPECT_EQ(std::make_pair(PointsOf(lower), PointsOf(upper)), std::make_pair(PointsOf(lo), PointsOf(hi)));
}

TEST(SetEnvelope, MinimalStep) {
    Set s;
    F ten = MakeFunction({{0, 0}, {5, 1}, {10, 0}}, 0, 10),
      half = MakeFunction({{0, 0}, {0.5, 7}, {1, 0}}, 0, 1), one = MakeFunction({{2, 1}}, 0, 4);
    s.AddFunction(&one); // one element: no step
    EXPECT_EQ(VyMathTestAccess::MinimalStep(s), 0.0);
    s.AddFunction(&ten);
    s.AddFunction(&half);
    EXPECT_EQ(VyMathTestAccess::MinimalStep(s), 0.5);
}

} // namespace
