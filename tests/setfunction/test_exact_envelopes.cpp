// The exact envelopes: crossings at any magnitude, points only where the governing member needs them,
// steps at domain ends and gaps, ties, and the spacing of points.
#include "TestSupport.h"

#include <memory>

namespace {

struct Pt3 {
    double x, y;
    int member;
};
using Env = std::vector<Pt3>;

const double kStep = 2e-9; // the width of a step

// The lower (upper) envelope of the members as (x, y, governing member) triples.
Env Envelope(const std::vector<const F*>& members, bool upper) {
    CVyMathSetFunction1D set;
    for (const F* m : members)
        set.AddFunction(const_cast<F*>(m));
    F lower, higher;
    std::vector<int> lowerCase, upperCase;
    EXPECT_TRUE(set.ExactEnvelopes(lower, higher, lowerCase, upperCase));
    const V pts = PointsOf(upper ? higher : lower);
    const std::vector<int>& cases = upper ? upperCase : lowerCase;
    EXPECT_EQ(pts.size(), cases.size());
    Env out;
    for (std::size_t i = 0; i < pts.size() && i < cases.size(); ++i)
        out.push_back({pts[i].first, pts[i].second, cases[i]});
    return out;
}

void ExpectEnv(const Env& got, const Env& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE("point " + std::to_string(i));
        EXPECT_NEAR(got[i].x, want[i].x, 1e-15 * std::max(1.0, std::fabs(want[i].x)));
        EXPECT_NEAR(got[i].y, want[i].y, 1e-12 * std::max(1.0, std::fabs(want[i].y)));
        EXPECT_EQ(got[i].member, want[i].member);
    }
}

TEST(ExactEnvelopes, HandComputedEnvelopes) {
    const F rising = Poly({{0, 0}, {10, 10}}), falling = Poly({{0, 10}, {10, 0}});
    const F hump = Poly({{0, 0}, {1, 2e-3}, {2, 0}}), level = Poly({{0, 1e-3}, {2, 1e-3}});
    const F one = Poly({{0, 1}, {10, 1}}), three = Poly({{4, 3}, {6, 3}});
    const F left = Poly({{0, 1}, {4, 2}}), right = Poly({{6, 3}, {10, 0}});
    const F wavy = Poly({{0, 1 + 1e-12}, {5, 1 - 1e-12}, {10, 1 + 1e-12}});
    const F below = Poly({{0, -1}, {3, -2}, {7, -1}, {10, -5}});
    const F spike = Poly({{5, 3}});
    const F drop = Poly({{0, 0}, {5, 0}, {5 + 1e-10, -10}, {10, -10}});
    const double M = DBL_MAX;
    struct Case {
        const char* rule;
        std::vector<const F*> members;
        bool upper;
        Env want;
    } cases[] = {
        {"a crossing, lower", {&rising, &falling}, false, {{0, 0, 0}, {5, 5, 1}, {10, 0, 1}}},
        {"a crossing, upper; the last point's member ends there",
         {&rising, &falling},
         true,
         {{0, 10, 1}, {5, 5, 0}, {10, 10, 0}}},
        {"crossings of values near 1e-3 are placed",
         {&hump, &level},
         true,
         {{0, 1e-3, 1}, {0.5, 1e-3, 0}, {1, 2e-3, 0}, {1.5, 1e-3, 1}, {2, 1e-3, 1}}},
        {"a member whose domain starts and ends inside: steps",
         {&one, &three},
         true,
         {{0, 1, 0}, {4 - kStep, 1, 0}, {4, 3, 1}, {6, 3, 1}, {6 + kStep, 1, 0}, {10, 1, 0}}},
        {"a member that does not govern gives no point", {&one, &three}, false, {{0, 1, 0}, {10, 1, 0}}},
        {"a gap: the placeholder, member -1",
         {&left, &right},
         false,
         {{0, 1, 0}, {4, 2, 0}, {4 + kStep, M, -1}, {6 - kStep, M, -1}, {6, 3, 1}, {10, 0, 1}}},
        {"a gap, upper",
         {&left, &right},
         true,
         {{0, 1, 0}, {4, 2, 0}, {4 + kStep, -M, -1}, {6 - kStep, -M, -1}, {6, 3, 1}, {10, 0, 1}}},
        {"near-collinear members tie: the first governs, no crossing",
         {&one, &wavy},
         true,
         {{0, 1, 0}, {10, 1, 0}}},
        {"ties go to the first member also when it is added second",
         {&wavy, &one},
         false,
         {{0, 1 + 1e-12, 0}, {5, 1 - 1e-12, 0}, {10, 1 + 1e-12, 0}}},
        {"vertices of a member that never governs are left out",
         {&rising, &below},
         true,
         {{0, 0, 0}, {10, 10, 0}}},
        {"a single member is both envelopes",
         {&below},
         true,
         {{0, -1, 0}, {3, -2, 0}, {7, -1, 0}, {10, -5, 0}}},
        {"a one-point member above the others",
         {&one, &spike},
         true,
         {{0, 1, 0}, {5 - kStep, 1, 0}, {5, 3, 1}, {5 + kStep, 1, 0}, {10, 1, 0}}},
        {"a drop narrower than the tolerance becomes a step of the tolerance",
         {&drop},
         false,
         {{0, 0, 0}, {5 + 1e-10 - kStep, 0, 0}, {5 + 1e-10, -10, 0}, {10, -10, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        ExpectEnv(Envelope(c.members, c.upper), c.want);
    }
}

TEST(ExactEnvelopes, JumpsAndOpenEnds) {
    F jump = Poly({{0, 0}, {10, 0}});
    jump.Set(5, 1, 3); // the steep piece 5 -+ 1e-5
    const F two = Poly({{0, 2}, {10, 2}});
    const double cross = 5 + 1e-5 + (10 - 5 - 1e-5) / 3; // where 3 (at 5 + 1e-5) falling to 0 meets 2
    ExpectEnv(Envelope({&jump, &two}, false),
              {{0, 0, 0}, {5 - 1e-5, 1, 0}, {5, 2, 1}, {cross, 2, 0}, {10, 0, 0}});
    F open; // sentinels at -+DBL_MAX: the member runs to them, as GetOrdinate evaluates it
    open.Set(0, 5);
    const F bounded = Poly({{-2, 1}, {3, 1}});
    double near5;
    open.GetOrdinate(-2 - kStep, near5);
    ExpectEnv(Envelope({&open, &bounded}, true), {{-DBL_MAX, 0, 0}, {0, 5, 0}, {DBL_MAX, 0, 0}});
    ExpectEnv(Envelope({&open, &bounded}, false), {{-DBL_MAX, 0, 0},
                                                   {-2 - kStep, near5, 0},
                                                   {-2, 1, 1},
                                                   {3, 1, 1},
                                                   {3 + kStep, near5, 0},
                                                   {DBL_MAX, 0, 0}});
}

TEST(ExactEnvelopes, OutputsAndRefusals) {
    F a = Poly({{0, 1}, {4, 2}}), b = Poly({{2, 0}, {8, 3}});
    F empty = Poly({{1, 1}, {2, 2}});
    empty.Clear(true);
    CVyMathSetFunction1D set;
    for (F* f : {&a, &b, &empty})
        set.AddFunction(f);
    F lower(-1, 1, 1), upper;
    lower.Set(0.5, 1, 2);
    std::vector<int> lowerCase, upperCase;
    ASSERT_TRUE(set.ExactEnvelopes(lower, upper, lowerCase, upperCase));
    EXPECT_EQ(Range(lower), P(0, 8));
    EXPECT_EQ(lower.GetXtolerance(), 1e-9);
    EXPECT_TRUE(lower.GetJumpAbscissas().empty());
    EXPECT_EQ(lowerCase.back(), 1); // the member without points takes no part

    F closed = Poly({{0, 0}, {1, 1}, {2, 0}});
    vymath::detail::Access::SetPoints(closed, {{0, 0}, {2, 1}, {1, 2}, {0, 0}});
    set.AddFunction(&closed);
    std::vector<int> untouched{7};
    const V before = PointsOf(lower);
    EXPECT_ROWS({Row("a closed curve refuses", set.ExactEnvelopes(lower, upper, untouched, untouched), false),
                 Row("an empty set refuses",
                     CVyMathSetFunction1D().ExactEnvelopes(lower, upper, untouched, untouched), false)});
    EXPECT_EQ(PointsOf(lower), before);
    EXPECT_EQ(untouched, std::vector<int>{7});
}

} // namespace
