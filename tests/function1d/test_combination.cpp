// Load combinations on merged abscissas.
#include "TestSupport.h"

namespace {

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
    // At each merged abscissa the factored sum of the members' own values, bit for bit.
    std::vector<double> xs;
    for (const P& p : PointsOf(r)) {
        xs.push_back(p.first);
        EXPECT_EQ(p.second, 1.35 * At(g, p.first) + 1.5 * At(q, p.first)) << p.first;
    }
    EXPECT_EQ(xs, (std::vector<double>{0, 3, 5, 6 - 1e-5, 6 + 1e-5, 8.5, 10}));
    EXPECT_EQ(r.GetJumpAbscissas(), std::vector<double>{6.0});
}

TEST(Combination, DomainToleranceAndAliasing) {
    F a(0.0, 10.0, 0), b(2.0, 12.0, 0);
    a.Set(4.0, 1.0);
    b.SetXtolerance(1e-7);
    b.SetYtolerance(1e-3);
    b.Set(4.000001, 3.0); // within a's tolerance of 4, not within the result's: kept as its own point
    ASSERT_EQ(F::Combine({&a, &b}, {1.0, 1.0}, a), F::CombineDone); // into a member
    EXPECT_EQ(Range(a), P(2, 10));
    EXPECT_EQ(a.GetXtolerance(), 1e-7);
    EXPECT_EQ(a.GetYtolerance(), 1e-5);
    EXPECT_EQ(a.GetNumberElement(), 4); // 2, 4, 4.000001, 10
}

TEST(Combination, BadInputGivesItsCodeAndChangesNothing) {
    const F g = DeadLoad(), far(20.0, 30.0, 0), touching(10.0, 20.0, 0);
    F empty;
    empty.Clear(true);
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
        {"NaN factor", {&g}, {kNaN}, F::CombineBadFactor},
        {"infinite factor", {&g}, {-kInf}, F::CombineBadFactor},
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
