// Section checks: the utilisation of a pair against curves whose answers are known by hand (a square, a
// rhombus, a regular octagon, a notched square), the curves refused, and whole members: the governing
// combination of rules built by hand, by the hull and by enumeration, a jump's sides, a bounded case's box,
// a pair that peaks between stations on a curve that is not convex.
#include "vymath/analysis/Check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace vymath::analysis;
using P = CVyMathFunction1D::Point;

const double kInf = std::numeric_limits<double>::infinity();

SectionCurve Curve(std::vector<P> v) {
    v.push_back(v.front());
    return SectionCurve(ClosedCurve(v));
}

const std::vector<P> kSquare = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
const std::vector<P> kRhombus = {{20, 0}, {0, 10}, {-20, 0}, {0, -10}};
// The rhombus with a notch where no pair of the members below goes (N > 0): not convex.
const std::vector<P> kNotchedRhombus = {{20, 0}, {0, 10}, {-20, 0}, {0, -10}, {12, -2.5}};
// A square notched from the top down to (0, 0.5), given clockwise.
const std::vector<P> kNotchedSquare = {{-1, 1}, {-0.5, 1}, {0, 0.5}, {0.5, 1}, {1, 1}, {1, -1}, {-1, -1}};

std::vector<P> Octagon() {
    std::vector<P> v;
    for (int k = 0; k < 8; ++k)
        v.push_back({std::cos(k * M_PI / 4), std::sin(k * M_PI / 4)});
    return v;
}

TEST(Check, UtilisationOfAPairByHand) {
    const SectionCurve square = Curve(kSquare), rhombus = Curve(kRhombus), octagon = Curve(Octagon()),
                       notched = Curve(kNotchedSquare);
    const CheckMethod ray = CheckMethod::Ray, held = CheckMethod::AtFirstForce;
    const double edge = 0.5 / std::cos(M_PI / 8); // towards the middle of an octagon's edge
    const struct {
        const char* name;
        const SectionCurve& curve;
        CheckMethod method;
        double n, m, u;
    } rows[] = {
        {"square, ray: the larger ratio", square, ray, 0.5, -0.25, 0.5},
        {"square, ray through a corner", square, ray, 2, 2, 2},
        {"square, origin", square, ray, 0, 0, 0},
        {"square, held N", square, held, 0.5, -0.25, 0.25},
        {"square, held N outside", square, held, 2, 0, kInf},
        {"square, held N on the side: not strictly inside", square, held, 1, 0.5, kInf},
        {"square, held N, M = 0 inside", square, held, -0.9, 0, 0},
        {"rhombus, ray", rhombus, ray, -10, 2.5, 0.75},
        {"rhombus, ray beyond", rhombus, ray, 20, 10, 2},
        {"rhombus, held N", rhombus, held, -15, -1, 0.4},
        {"rhombus, held N at the axis vertex", rhombus, held, 20, 0, kInf},
        {"octagon, ray to a vertex", octagon, ray, -0.5, 0, 0.5},
        {"octagon, ray to an edge's middle", octagon, ray, 0.5 * std::cos(M_PI / 8), 0.5 * std::sin(M_PI / 8),
         edge},
        {"octagon, held N at the top vertex", octagon, held, 0, -0.25, 0.25},
        {"notched square, ray to the notch's vertex", notched, ray, 0, 0.25, 0.5},
        {"notched square, ray past the notch", notched, ray, -0.5, 0.4, 0.5},
        {"notched square, held N under the notch", notched, held, 0.25, 0.375, 0.5},
        {"notched square, held N below", notched, held, 0.25, -0.5, 0.5},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const double u = r.curve.Utilisation(r.method, r.n, r.m);
        if (std::isinf(r.u))
            EXPECT_EQ(u, r.u);
        else
            EXPECT_NEAR(u, r.u, 1e-14);
    }
    EXPECT_TRUE(square.Convex() && rhombus.Convex() && octagon.Convex());
    EXPECT_FALSE(notched.Convex());
    EXPECT_EQ(notched.Vertices().front().x, -1); // as given, clockwise
}

TEST(Check, CurvesRefused) {
    const struct {
        const char* name;
        std::vector<P> points; // as given, closed or not
        const char* error;
    } rows[] = {
        {"not closed",
         {{1, 0}, {0, 1}, {-1, 0}, {0, -1}},
         "the curve is not closed: its last vertex (0, -1) is not its first (1, 0)"},
        {"two vertices", {{1, 0}, {-1, 0}, {1, 0}}, "the curve has fewer than 3 vertices"},
        {"origin outside", {{1, 1}, {2, 1}, {2, 2}, {1, 1}}, "the curve does not enclose the origin"},
        {"origin on an edge",
         {{-1, 0}, {1, 0}, {0, 1}, {-1, 0}},
         "the curve passes through the origin: it must enclose it"},
        {"a bow tie",
         {{-1, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}},
         "the curve crosses itself: edges 1 and 3 meet"},
        {"a vertex on another edge",
         {{-1, -1}, {1, -1}, {1, 1}, {0, 1}, {0.5, -1}, {-1, 1}, {-1, -1}},
         "the curve crosses itself: edges 1 and 4 meet"},
        {"folding back",
         {{-1, -1}, {1, -1}, {1, 1}, {1, 0}, {-1, 1}, {-1, -1}},
         "the curve folds back on itself at vertex 3 (1, 1)"},
        {"a vertex twice in a row",
         {{-1, -1}, {1, -1}, {1, -1}, {0, 1}, {-1, -1}},
         "two successive vertices of the curve coincide at (1, -1)"},
        {"the first vertex again, which the curve cannot hold apart",
         {{-1, -1}, {1, -1}, {-1, -1}, {0, 1}, {-1, -1}},
         "vertex 3 (-1, -1) lies within 1e-05 of vertex 5"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        try {
            SectionCurve c{ClosedCurve(r.points)};
            ADD_FAILURE() << "accepted";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), r.error);
        }
    }
}

// Member C1 with the forces P and M on [0, 2], rows given by case: (x, P, M), a bound where given.
struct Row {
    const char* c;
    Bound bound;
    double x, n, m;
};

Model MemberOf(const std::vector<Row>& rows) {
    Model model({"P", "M"});
    std::size_t origin = 0;
    for (const Row& r : rows) {
        const double v[2] = {r.n, r.m};
        model.Add("C1", r.c, r.bound, r.x, v, origin++);
    }
    return model;
}

Capacity CapacityOf(const std::vector<P>& curve, CheckMethod method) {
    Capacity c;
    c.sections.push_back({"S", {"P", "M"}, Curve(curve), "capacity.json: /sections/S"});
    c.fallback = 0;
    c.method = method;
    return c;
}

// G with 1.35 or 1.0; Q1 and Q2 free, one of them leading (1.5) and the other accompanying (1.05).
std::vector<SituationRules> Uls() {
    const auto free = [](const char* c, double f) {
        return RuleTerm{c, {Alternative{}, Alternative{{{c, f}}}}};
    };
    const RuleTerm g{"G", {Alternative{{{"G", 1.35}}}, Alternative{{{"G", 1.0}}}}};
    return {{"ULS",
             {{"Q1 leads", "Q1", {g, free("Q1", 1.5), free("Q2", 1.05)}},
              {"Q2 leads", "Q2", {g, free("Q1", 1.05), free("Q2", 1.5)}}}}};
}

TEST(Check, GoverningCombinationByHullAndByEnumeration) {
    // u = |N| / 20 + |M| / 10 (ray) or |M| / (10 - |N| / 2) (held N) on the rhombus: worked out by hand over
    // the 8 combinations of each rule at each end, the governing one 1.35*G + 1.5*Q2 at x = 2.
    const Model model = MemberOf({{"G", Bound::None, 0, -4, 1},
                                  {"G", Bound::None, 2, -4, 1},
                                  {"Q1", Bound::None, 0, -2, 3},
                                  {"Q1", Bound::None, 2, -2, -2},
                                  {"Q2", Bound::None, 0, 0, -2},
                                  {"Q2", Bound::None, 2, 0, 5}});
    const struct {
        const char* name;
        const std::vector<P>& curve;
        CheckMethod method;
        double atZero, atTwo;
        CheckExactness exact;
    } rows[] = {
        {"ray, hull", kRhombus, CheckMethod::Ray, 0.42 + 0.585, 0.27 + 0.885, CheckExactness::Hull},
        {"ray, enumerated", kNotchedRhombus, CheckMethod::Ray, 0.42 + 0.585, 0.27 + 0.885,
         CheckExactness::Enumerated},
        {"held N, hull", kRhombus, CheckMethod::AtFirstForce, 5.85 / 5.8, 8.85 / 7.3, CheckExactness::Hull},
        {"held N, enumerated", kNotchedRhombus, CheckMethod::AtFirstForce, 5.85 / 5.8, 8.85 / 7.3,
         CheckExactness::Enumerated},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const CheckRun run = AnalyseChecks(model, CapacityOf(r.curve, r.method), Uls());
        const MemberCheck& c = run.members[0];
        EXPECT_EQ(c.exact, r.exact);
        const SituationCheck& s = c.situations[0];
        ASSERT_EQ(s.along.x, (std::vector<double>{0, 2}));
        EXPECT_NEAR(s.along.u[0], r.atZero, 1e-12);
        EXPECT_NEAR(s.along.u[1], r.atTwo, 1e-12);
        EXPECT_EQ(s.max.x, 2);
        EXPECT_EQ(s.max.side, CheckSide::None);
        EXPECT_EQ(s.max.rule, 1u);
        EXPECT_EQ(s.max.combination.Text(), "1.35*G + 1.5*Q2");
        EXPECT_EQ(s.max.forces, (std::array<double, 2>{1.35 * -4 + 0.0, 1.35 * 1 + 0.0 + 1.5 * 5}));
        EXPECT_EQ(s.max.u, s.along.u[1]);
    }
}

TEST(Check, JumpSidesBoundedBoxAndPeaksBetweenStations) {
    // M jumps from 2 to 5 at x = 1: both sides are sections, the right one governs (u = max(|N|, |M|)).
    const Model jump = MemberOf({{"G", Bound::None, 0, -0.4, 0},
                                 {"G", Bound::None, 1, -0.4, 0.2},
                                 {"G", Bound::None, 1, -0.4, 0.5},
                                 {"G", Bound::None, 2, -0.4, 0}});
    const SituationCheck s =
        AnalyseChecks(jump, CapacityOf(kSquare, CheckMethod::Ray), {}).members[0].situations[0];
    EXPECT_EQ(s.name, "cases");
    EXPECT_EQ(s.along.x, (std::vector<double>{0, 1, 1, 2}));
    EXPECT_EQ(s.along.u, (std::vector<double>{0.4, 0.4, 0.5, 0.4}));
    EXPECT_EQ(s.along.side,
              (std::vector<CheckSide>{CheckSide::None, CheckSide::Left, CheckSide::Right, CheckSide::None}));
    EXPECT_EQ(s.max.side, CheckSide::Right);
    EXPECT_EQ(s.max.u, 0.5);

    // A bounded case enters with the corners of its box: N in [-3, -1], M in [-2, 4] (the factor's sign
    // swaps the bounds), on the rhombus the corner of |N| 3, |M| 4 governs.
    const Model box = MemberOf({{"E", Bound::Max, 0, -1, 4},
                                {"E", Bound::Min, 0, -3, -2},
                                {"E", Bound::Max, 2, -1, 4},
                                {"E", Bound::Min, 2, -3, -2}});
    const std::vector<Combination> reversed = ParseCombinations({"R=-1*E"});
    const struct {
        const char* name;
        std::vector<SituationRules> situations;
        std::array<double, 2> forces;
        std::array<Bound, 2> bounds;
    } rows[] = {
        {"as it is", {}, {-3, 4}, {Bound::Min, Bound::Max}},
        {"reversed", {CombinationRules(reversed)}, {3, -4}, {Bound::Min, Bound::Max}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const CheckMax max = AnalyseChecks(box, CapacityOf(kRhombus, CheckMethod::Ray), r.situations)
                                 .members[0]
                                 .situations[0]
                                 .max;
        EXPECT_NEAR(max.u, 0.55, 1e-15);
        EXPECT_EQ(max.forces, r.forces);
        ASSERT_EQ(max.bounds.size(), 1u);
        EXPECT_EQ(max.bounds[0].loadCase, "E");
        EXPECT_EQ(max.bounds[0].forces, r.bounds);
    }

    // On the notched square a pair moving from (-0.5, 0.4) to (0.5, 0.4) passes under the notch's vertex
    // (0, 0.5) half-way, between the stations: u 0.8 there, 0.5 (ray) or 0.4 (held N) at the ends.
    const Model under = MemberOf({{"G", Bound::None, 0, -0.5, 0.4}, {"G", Bound::None, 2, 0.5, 0.4}});
    for (const auto& [method, end] :
         {std::pair{CheckMethod::Ray, 0.5}, std::pair{CheckMethod::AtFirstForce, 0.4}}) {
        SCOPED_TRACE(method == CheckMethod::Ray ? "ray" : "held N");
        const MemberCheck c = AnalyseChecks(under, CapacityOf(kNotchedSquare, method), {}).members[0];
        const SituationCheck& peak = c.situations[0];
        EXPECT_EQ(c.exact, CheckExactness::Enumerated);
        EXPECT_EQ(peak.along.x, (std::vector<double>{0, 1, 2}));
        EXPECT_NEAR(peak.along.u[0], end, 1e-15);
        EXPECT_NEAR(peak.along.u[1], 0.8, 1e-15);
        EXPECT_EQ(peak.max.x, 1);
        EXPECT_EQ(peak.max.side, CheckSide::None);
        EXPECT_NEAR(peak.max.forces[0], 0, 1e-15);
    }
}

TEST(Check, RunErrors) {
    const Model model = MemberOf({{"G", Bound::None, 0, -4, 1}, {"G", Bound::None, 2, -4, 1}});
    Capacity noDefault = CapacityOf(kRhombus, CheckMethod::Ray);
    noDefault.fallback.reset();
    noDefault.membersPlace = "capacity.json: /members";
    Capacity otherForce = CapacityOf(kRhombus, CheckMethod::Ray);
    otherForce.sections[0].forces[1] = "M2";
    CheckOptions few;
    few.maxCombinations = 3;
    const std::vector<SituationRules> twoByTwo = {{"X",
                                                   {{"r",
                                                     "",
                                                     {{"a", {Alternative{}, Alternative{{{"G", 1}}}}},
                                                      {"b", {Alternative{}, Alternative{{{"G", 2}}}}}}}}}};
    const struct {
        const char* name;
        Capacity capacity;
        std::vector<SituationRules> situations;
        CheckOptions options;
        const char* error;
    } rows[] = {
        {"no section",
         noDefault,
         {},
         {},
         "capacity.json: /members: member \"C1\" of the input has no section, and there is no default"},
        {"a force the model lacks",
         otherForce,
         {},
         {},
         "capacity.json: /sections/S/forces/1: no force \"M2\" in the input; its forces: P, M"},
        {"a case no member has",
         CapacityOf(kRhombus, CheckMethod::Ray),
         {CombinationRules(ParseCombinations({"U=2*Q"}))},
         {},
         "situation \"combinations\", rule \"U\": no case \"Q\" in the input"},
        {"more combinations than the limit", CapacityOf(kNotchedRhombus, CheckMethod::Ray), twoByTwo, few,
         "member \"C1\": section \"S\" is not convex and a rule has more combinations at a section than the "
         "limit "
         "of 3"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        try {
            AnalyseChecks(model, r.capacity, r.situations, r.options);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), r.error);
        }
    }
    // Within the limit the same rule is enumerated: 4 combinations.
    few.maxCombinations = 4;
    EXPECT_NEAR(AnalyseChecks(model, CapacityOf(kNotchedRhombus, CheckMethod::Ray), twoByTwo, few)
                    .members[0]
                    .situations[0]
                    .max.u,
                3 * (4.0 / 20 + 1.0 / 10), 1e-15);
}

} // namespace
