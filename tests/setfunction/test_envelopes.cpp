#include "TestSupport.h"

namespace {

using Set = CVyMathSetFunction1D;

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

TEST(TwoFunctionEnvelope, OutputsThatAreTheInputs) {
    // Each value is read from the inputs as they stand after the points set before it.
    F a = kUp, b = kDown;
    Set().EnveloppeMaxMin(&a, &b, &a, &b);
    EXPECT_EQ(std::make_pair(PointsOf(a), PointsOf(b)),
              std::make_pair(V{{0, 0}, {5, 5}, {10, 0}}, V{{0, 10}, {5, 5}, {10, 10}}));
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
    F f1 = kUp, f2 = kDown, f3 = MakeFunction({{0, 4}, {4, 8}, {10, 4}}, 0, 10), lower, upper;
    Set three;
    for (F* f : {&f1, &f2, &f3})
        three.AddFunction(f);
    ASSERT_TRUE(three.EnvelopMaxMin(lower, upper));
    // Lower: min(x, 10 - x), with the third member's abscissa 4. Upper: 10 - x, the third member from
    // its crossing at 3 to the one at 6.4, then x.
    ExpectNear(PointsOf(lower), {{0, 0}, {4, 4}, {5, 5}, {10, 0}}, 1e-12);
    ExpectNear(PointsOf(upper), {{0, 10}, {3, 7}, {4, 8}, {5, 22.0 / 3}, {6.4, 6.4}, {10, 10}}, 1e-12);
}

TEST(SetEnvelope, MinimalStep) {
    Set s;
    F ten = MakeFunction({{0, 0}, {5, 1}, {10, 0}}, 0, 10),
      half = MakeFunction({{0, 0}, {0.5, 7}, {1, 0}}, 0, 1), one = MakeFunction({{2, 1}}, 0, 4);
    s.AddFunction(&one); // one element: no step
    EXPECT_EQ(vymath::detail::Access::MinimalStep(s), 0.0);
    s.AddFunction(&ten);
    s.AddFunction(&half);
    EXPECT_EQ(vymath::detail::Access::MinimalStep(s), 0.5);
}

} // namespace
