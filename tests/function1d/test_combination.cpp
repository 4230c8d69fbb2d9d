// Load combinations on merged abscissas.
#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>

namespace {

using F = CVyMathFunction1D;

// G: a triangle sampled at 0, 5, 10; Q: other abscissas and a jump from 4 to -2 at 6.
F DeadLoad() {
    F g(0.0, 10.0, 0);
    g.Set(5.0, 10.0);
    return g;
}

F LiveLoad() {
    F q(0.0, 10.0, 0);
    q.Set(3.0, 6.0);
    q.Set(6.0, 4.0, -2.0);
    q.Set(8.5, 1.0);
    return q;
}

TEST(Combination, FactoredSumOfDifferentAbscissasAndAJump) {
    const F g = DeadLoad(), q = LiveLoad();
    F r;
    ASSERT_EQ(F::Combine({&g, &q}, {1.35, 1.5}, r), F::CombineDone);
    const double t = 1e-5;
    // Hand-computed: G is 2x up to 5 and 20 - 2x after; Q rises to 6 at 3, falls to 4 at 6 - t, jumps to -2,
    // rises to 1 at 8.5, returns to 0 at 10.
    const auto gv = [](double x) { return x <= 5 ? 2 * x : 20 - 2 * x; };
    const std::vector<std::pair<double, double>> expected = {
        {0.0, 0.0},
        {3.0, 1.35 * 6.0 + 1.5 * 6.0},
        {5.0, 1.35 * 10.0 + 1.5 * (6.0 - 2.0 * 2.0 / (3.0 - t))},
        {6.0 - t, 1.35 * gv(6.0 - t) + 1.5 * 4.0},
        {6.0 + t, 1.35 * gv(6.0 + t) + 1.5 * -2.0},
        {8.5, 1.35 * 3.0 + 1.5 * 1.0},
        {10.0, 0.0}};
    const auto got = PointsOf(r);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].first, expected[i].first);
        EXPECT_NEAR(got[i].second, expected[i].second, 1e-9);
    }
    EXPECT_EQ(VyMathTestAccess::Jumps(r), std::vector<double>{6.0});
    // The members' own values in member order, bit for bit at the stored abscissas; the exact sum between.
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(0.0, 10.0);
    std::vector<double> xs = {0.0, 3.0, 5.0, 6.0 - t, 6.0 + t, 8.5, 10.0};
    for (int i = 0; i < 200; ++i)
        xs.push_back(u(rng));
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const double x = xs[i];
        if (std::fabs(x - 6.0) < t)
            continue; // inside the jump window
        double yr, yg, yq;
        ASSERT_TRUE(r.GetOrdinate(x, yr));
        g.GetOrdinate(x, yg);
        q.GetOrdinate(x, yq);
        if (i < 7)
            EXPECT_EQ(yr, 1.35 * yg + 1.5 * yq) << x;
        else
            EXPECT_NEAR(yr, 1.35 * yg + 1.5 * yq, 1e-9) << x;
    }
}

TEST(Combination, DomainToleranceAndAliasing) {
    F a(0.0, 10.0, 0), b(2.0, 12.0, 0);
    a.Set(4.0, 1.0);
    b.SetXtolerance(1e-7);
    b.SetYtolerance(1e-3);
    b.Set(4.000001, 3.0);  // within a's tolerance of 4, not within the result's: kept as its own point
    ASSERT_EQ(F::Combine({&a, &b}, {1.0, 1.0}, a), F::CombineDone); // into a member
    double lo, hi;
    a.GetFullRange(lo, hi);
    EXPECT_EQ(lo, 2.0);
    EXPECT_EQ(hi, 10.0);
    EXPECT_EQ(a.GetXtolerance(), 1e-7);
    EXPECT_EQ(a.GetYtolerance(), 1e-5);
    EXPECT_EQ(a.GetNumberElement(), 4); // 2, 4, 4.000001, 10
}

TEST(Combination, BadInputGivesItsCodeAndChangesNothing) {
    const F g = DeadLoad(), far(20.0, 30.0, 0), touching(10.0, 20.0, 0);
    F empty;
    empty.Clear(true);
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    struct Row {
        const char* name;
        std::vector<const F*> members;
        std::vector<double> factors;
        F::InfoCombine code;
    };
    const Row rows[] = {
        {"no members", {}, {}, F::CombineNoMembers},
        {"counts differ", {&g, &g}, {1.0}, F::CombineCountMismatch},
        {"null member", {&g, nullptr}, {1.0, 1.0}, F::CombineNullMember},
        {"NaN factor", {&g}, {nan}, F::CombineBadFactor},
        {"infinite factor", {&g}, {-inf}, F::CombineBadFactor},
        {"disjoint domains", {&g, &far}, {1.0, 1.0}, F::CombineNoCommonDomain},
        {"domains touching only", {&g, &touching}, {1.0, 1.0}, F::CombineNoCommonDomain},
        {"member without points", {&g, &empty}, {1.0, 1.0}, F::CombineNoCommonDomain},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        F r = LiveLoad();
        const auto before = PointsOf(r);
        EXPECT_EQ(F::Combine(row.members, row.factors, r), row.code);
        EXPECT_EQ(PointsOf(r), before);
    }
}

} // namespace
