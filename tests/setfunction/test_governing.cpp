// The governing member of each envelope point.
#include "TestSupport.h"

namespace {

// The case of the stored point at x (within 1e-9), -2 when no point is there.
int CaseAt(const F& f, const std::vector<int>& cases, double x) {
    const V pts = PointsOf(f);
    for (std::size_t i = 0; i < pts.size(); ++i)
        if (std::fabs(pts[i].first - x) < 1e-9)
            return cases[i];
    return -2;
}

TEST(Governing, FirstMemberAttainingEachPoint) {
    // Upper: 10 - x down to 3, then 7 up to x = 7, then x. Lower: x up to 5, then 10 - x.
    F up = Poly({{0, 0}, {10, 10}}), down = Poly({{0, 10}, {10, 0}}), seven = Poly({{0, 7}, {10, 7}});
    CVyMathSetFunction1D set;
    for (F* f : {&up, &down, &seven})
        set.AddFunction(f);
    F lower, upper, lowerRef, upperRef;
    std::vector<int> lowerCase{9, 9, 9}, upperCase;
    ASSERT_TRUE(set.EnvelopMaxMin(lower, upper, lowerCase, upperCase));
    ASSERT_TRUE(set.EnvelopMaxMin(lowerRef, upperRef));
    EXPECT_EQ(PointsOf(lower), PointsOf(lowerRef)); // the envelopes themselves are unchanged
    EXPECT_EQ(PointsOf(upper), PointsOf(upperRef));
    ASSERT_EQ(lowerCase.size(), PointsOf(lower).size()); // replaced, one entry a point
    ASSERT_EQ(upperCase.size(), PointsOf(upper).size());
    EXPECT_ROWS({Row("upper at 0", CaseAt(upper, upperCase, 0), 1),
                 Row("upper at 3: a tie, the first member wins", CaseAt(upper, upperCase, 3), 1),
                 Row("upper at 5", CaseAt(upper, upperCase, 5), 2),
                 Row("upper at 7: a tie", CaseAt(upper, upperCase, 7), 0),
                 Row("lower at 5: a tie", CaseAt(lower, lowerCase, 5), 0),
                 Row("lower at 10", CaseAt(lower, lowerCase, 10), 1)});
}

TEST(Governing, NoMemberDefinedGivesMinusOneAndAnEmptySetTouchesNothing) {
    // Points beyond the domains: at 8 neither member is defined.
    F a = MakeFunction({{0, 1}, {8, 1}}, 0, 4), b = MakeFunction({{6, 3}, {8, 3}}, 6, 7), lower, upper;
    CVyMathSetFunction1D set;
    set.AddFunction(&a);
    set.AddFunction(&b);
    std::vector<int> lowerCase, upperCase;
    ASSERT_TRUE(set.EnvelopMaxMin(lower, upper, lowerCase, upperCase));
    EXPECT_ROWS({Row("lower at 0", CaseAt(lower, lowerCase, 0), 0),
                 Row("lower at 6", CaseAt(lower, lowerCase, 6), 1),
                 Row("lower at 8: none defined", CaseAt(lower, lowerCase, 8), -1),
                 Row("upper at 8: none defined", CaseAt(upper, upperCase, 8), -1)});
    std::vector<int> untouched{4};
    EXPECT_FALSE(CVyMathSetFunction1D().EnvelopMaxMin(lower, upper, untouched, untouched));
    EXPECT_EQ(untouched, std::vector<int>{4});
}

} // namespace
