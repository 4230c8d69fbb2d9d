// The analysis layer: a model's diagrams from rows, combinations, envelopes with their extremes and the
// coincident values of the other forces, errors naming the member and the row, and parallel runs.
#include "formats/Actions.h"
#include "vymath/analysis/Analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>

namespace {

using namespace vymath::analysis;

const double kNaN = std::nan("");

Places ModelCsv() {
    Places p;
    p.source = "model.csv";
    p.row = [](std::size_t origin) { return "model.csv:" + std::to_string(origin); };
    return p;
}

// Forces N, V, M of two members: B1 under G (uniform load) and Q (a point load at 2: V jumps there),
// B2 under G only; the rows of B1's two cases come apart, B2's in between.
Model Frame() {
    Model m({"N", "V", "M"}, ModelCsv());
    std::size_t line = 2;
    const auto add = [&](const char* member, const char* c, double x, double n, double v, double mo) {
        const double values[3] = {n, v, mo};
        m.Add(member, c, x, values, line++);
    };
    add("B1", "G", 0, -10, 5, 0);
    add("B1", "G", 2, -10, 0, 5);
    add("B1", "G", 4, -10, -5, 0);
    add("B2", "G", 0, 1, -1.5, 0);
    add("B2", "G", 2, 1, 0, -3);
    add("B2", "G", 4, 1, 1.5, 0);
    add("B1", "Q", 4, -2, -5, 0); // any order within a case
    add("B1", "Q", 0, -2, 5, 0);
    add("B1", "Q", 2, -2, 5, 10);
    add("B1", "Q", 2, -2, -5, 10); // the jump of V; M has two equal rows
    return m;
}

TEST(Analysis, ExtremesWithTheirCaseAndCoincidentForces) {
    const Model model = Frame();
    ASSERT_EQ(model.Size(), 2u);
    EXPECT_EQ(model.Cases(0), (std::vector<std::string>{"G", "Q"}));
    const std::vector<MemberEnvelopes> r = AnalyseEnvelopes(model, {}, EnvelopeMethod::Exact).members;
    const Extreme& max = r[0].forces[2].max; // M of B1
    EXPECT_EQ(r[0].diagrams, (std::vector<std::string>{"G", "Q"}));
    EXPECT_EQ(max.x, 2);
    EXPECT_EQ(max.y, 10);
    EXPECT_EQ(max.governing, 1);
    EXPECT_EQ(max.left, (std::vector<double>{-2, 5, 10})); // V of Q jumps at the point load
    EXPECT_EQ(max.right, (std::vector<double>{-2, -5, 10}));
    const Extreme& min = r[1].forces[2].min; // M of B2
    EXPECT_EQ(min.x, 2);
    EXPECT_EQ(min.y, -3);
    EXPECT_EQ(min.left, (std::vector<double>{1, 0, -3}));
    // The exact upper envelope of B1's M: Q, tied with G at the ends only, governs all of it.
    const EnvelopeLine& upper = r[0].forces[2].envelope.upper;
    EXPECT_EQ(upper.x, (std::vector<double>{0, 2, 4}));
    EXPECT_EQ(upper.governing, (std::vector<int>{1, 1, 1}));
}

TEST(Analysis, CombinationsOfEveryMember) {
    Model model = Frame();
    const double values[3] = {0, 0, 0};
    model.Add("B2", "Q", 0, values, 20);
    model.Add("B2", "Q", 4, values, 21);
    const std::vector<MemberEnvelopes> r =
        AnalyseEnvelopes(model, ParseCombinations({"ULS=1.35*G + 1.5*Q"}), EnvelopeMethod::Exact).members;
    const Extreme& max = r[0].forces[2].max;
    EXPECT_EQ(r[0].diagrams, std::vector<std::string>{"ULS"});
    EXPECT_DOUBLE_EQ(max.y, 1.35 * 5 + 1.5 * 10);
    // V either side of Q's jump at its station, the cases' sides summed (G's V is 0 there); not the
    // combination's stored window ends 2 -+ 1e-5, where G's V is -+2.5e-5.
    EXPECT_EQ(max.x, 2);
    EXPECT_EQ(max.left[1], 1.5 * 5);
    EXPECT_EQ(max.right[1], -1.5 * 5);

    // The same extreme as the ULS design envelope of the actions, with the coincident forces under its
    // governing combination; actions and combinations exclude each other.
    const Actions actions =
        vymath::formats::ReadActions(R"({"actions": [{"name": "G", "type": "permanent", "cases": ["G"]},
        {"name": "Q", "type": "imposed", "category": "B", "cases": ["Q"]}]})",
                                     "actions.json");
    const DesignRun designed = AnalyseDesign(model, actions);
    EXPECT_EQ(designed.actions, (std::vector<std::string>{"G", "Q"}));
    const SituationResult& uls = designed.members[0].forces[2][0];
    EXPECT_EQ(uls.situation.name, "ULS");
    EXPECT_DOUBLE_EQ(uls.max.y, max.y);
    EXPECT_EQ(uls.situation.combinations[static_cast<std::size_t>(uls.max.governing)].Text(),
              "1.35*G + 1.5*Q");
    EXPECT_EQ(uls.max.left[1], 1.5 * 5); // each case on its side of 2: G's V is 0 there
    EXPECT_EQ(uls.max.right[1], -1.5 * 5);
}

TEST(Analysis, ErrorsNameTheMemberAndTheRow) {
    const struct {
        const char* what;
        std::vector<std::string> combinations;
        Error::Kind kind;
        std::string message;
    } cases[] = {
        {"a case no member has",
         {"ULS=G+W"},
         Error::Kind::Usage,
         "combination \"ULS\": no case \"W\" in model.csv"},
        {"a member without a case of a combination",
         {"ULS=G+Q"},
         Error::Kind::Data,
         "member \"B2\": combination \"ULS\": no case \"Q\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            AnalyseEnvelopes(Frame(), ParseCombinations(c.combinations), EnvelopeMethod::Exact);
            ADD_FAILURE();
        } catch (const Error& e) {
            EXPECT_EQ(e.GetKind(), c.kind);
            EXPECT_EQ(e.what(), c.message);
        }
    }
    const auto message = [](const Model& model) {
        try {
            AnalyseEnvelopes(model, {}, EnvelopeMethod::Exact);
        } catch (const Error& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    Model model = Frame();
    const double third[3] = {-2, 0, 10}, missing[3] = {-2, kNaN, 1};
    model.Add("B2", "G", 3, missing, 31);
    EXPECT_EQ(message(model), "model.csv:31: member \"B2\", case \"G\": no value for force \"V\"");
    model.Add("B1", "Q", 2, third, 30);
    EXPECT_EQ(message(model), // the first member in order is reported
              "model.csv:30: member \"B1\", case \"Q\", force \"N\" has a third row at x = 2: a jump takes "
              "two rows, "
              "the left value first");
}

TEST(Analysis, EnvelopeFunctionsAndTheirGoverningDiagrams) {
    const Locator where = [](std::size_t) { return std::string(); };
    const Diagram a = BuildDiagram("a", {{0, 0, 0}, {2, 4, 0}, {4, 0, 0}}, where);
    const Diagram b = BuildDiagram("b", {{0, 2, 0}, {4, 2, 0}}, where);
    const auto ys = [](const CVyMathFunction1D& f) {
        std::vector<double> y;
        for (const CVyMathFunction1D::Point& p : f.GetPoints())
            y.push_back(p.y);
        return y;
    };
    for (EnvelopeMethod method : {EnvelopeMethod::Exact, EnvelopeMethod::Fold}) {
        SCOPED_TRACE(method == EnvelopeMethod::Exact ? "exact" : "fold");
        // A single diagram (here with a copy of itself, which never governs) is both envelopes.
        const EnvelopeFunctions one = EnvelopeFunctionsOf({&a.f, &a.f}, method);
        EXPECT_EQ(ys(one.lower), ys(a.f));
        EXPECT_EQ(ys(one.upper), ys(a.f));
        EXPECT_EQ(one.upperGoverning, (std::vector<int>{0, 0, 0}));
        // The lines are the functions' stored points; the copy of b at 2 maps to b, at 1.
        const EnvelopeFunctions two = EnvelopeFunctionsOf({&a.f, &b.f, &b.f}, method);
        const Envelope lines = EnvelopeOf({&a.f, &b.f, &b.f}, method);
        EXPECT_EQ(lines.upper.x.size(), two.upper.GetPoints().size());
        EXPECT_EQ(lines.upper.governing, two.upperGoverning);
        EXPECT_EQ(lines.lower.y.back(), two.lower.GetPoints().back().y);
        EXPECT_EQ(two.upperGoverning.front(), 1);
        // The first two equal (the set keeps one): b, third, governs where it is above a and is named.
        const Envelope third = EnvelopeOf({&a.f, &a.f, &b.f}, method);
        EXPECT_EQ(third.upper.governing.front(), 2);
        EXPECT_EQ(third.lower.governing.back(), 0);
    }
    EXPECT_TRUE(EnvelopeFunctionsOf({}, EnvelopeMethod::Exact).upperGoverning.empty());
}

TEST(Analysis, EveryReaderSRowsAreCheckedByTheModel) {
    Places places = ModelCsv();
    places.field = [](std::size_t origin, const Field& f) {
        static const char* const roles[] = {"member", "case", "x", "force"};
        return "model.csv:" + std::to_string(origin) + ": " + roles[static_cast<int>(f.role)] +
               (f.role == Field::Role::Force ? " " + std::to_string(f.force) : "");
    };
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* member;
        const char* loadCase;
        double x, n, m;
        const char* message;
    } rows[] = {
        {"", "G", 0, 1, 1, "model.csv:7: member is empty"},
        {"B1", "", 0, 1, 1, "model.csv:7: case is empty"},
        {"B1", "Q\xC3", 0, 1, 1, "model.csv:7: case is not UTF-8 text"},
        {"B\xED\xA0\x80", "G", 0, 1, 1, "model.csv:7: member is not UTF-8 text"}, // a surrogate
        {"B1", "G", kNaN, 1, 1, "model.csv:7: x nan is not a finite number"},
        {"B1", "G", 0, 1, -inf, "model.csv:7: force 1 -inf is not a finite number"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.message);
        Model model({"N", "M"}, places);
        const double values[2] = {r.n, r.m};
        try {
            model.Add(r.member, r.loadCase, r.x, values, 7);
            ADD_FAILURE();
        } catch (const Error& e) {
            EXPECT_EQ(e.GetKind(), Error::Kind::Data);
            EXPECT_EQ(e.what(), std::string(r.message));
        }
    }
    // A NaN value is no value (an error only where its case is enveloped); without names, one member "".
    Model single({"y"}, places, false);
    const double nan[1] = {kNaN};
    single.Add("", "G", 0, nan, 1);
    EXPECT_EQ(single.MemberName(0), "");
    EXPECT_FALSE(single.Named());
}

// A bounded case: ENV's Max and Min rows (an envelope-type combination) beside the plain case G, on one
// member with one force M.
Model Bounded(std::vector<std::tuple<const char*, Bound, double, double>> rows) {
    Model m({"M"}, ModelCsv());
    std::size_t line = 2;
    for (const auto& [c, bound, x, y] : rows)
        m.Add("B1", c, bound, x, &y, line++);
    return m;
}

TEST(Analysis, BoundedCasesGiveEachEnvelopeTheirBound) {
    const Model model = Bounded({{"G", Bound::None, 0, 1},
                                 {"G", Bound::None, 4, 1},
                                 {"ENV", Bound::Max, 0, 3},
                                 {"ENV", Bound::Min, 0, -2},
                                 {"ENV", Bound::Max, 4, 0},
                                 {"ENV", Bound::Min, 4, -1}});
    // The cases: the upper envelope takes ENV's Max (3 at 0), the lower its Min (-2 at 0); no coincident
    // value is given under a bounded case.
    const MemberEnvelopes cases = AnalyseEnvelopes(model, {}, EnvelopeMethod::Exact).members[0];
    EXPECT_EQ(cases.bounded, (std::vector<bool>{false, true}));
    EXPECT_EQ(cases.forces[0].max.y, 3);
    EXPECT_EQ(cases.forces[0].min.y, -2);
    EXPECT_EQ(cases.forces[0].min.governing, 1);
    EXPECT_TRUE(std::isnan(cases.forces[0].max.left[0]));
    // A combination takes each bound on the side its factor's sign gives it.
    const EnvelopeRun combined =
        AnalyseEnvelopes(model, ParseCombinations({"P=G + 2*ENV", "N=G - 2*ENV"}), EnvelopeMethod::Exact);
    const ForceEnvelope& m = combined.members[0].forces[0];
    EXPECT_EQ(combined.members[0].bounded, (std::vector<bool>{true, true}));
    EXPECT_EQ(m.max.y, 1 + 2 * 3.0); // P with ENV's Max
    EXPECT_EQ(m.min.y, 1 - 2 * 3.0); // N with ENV's Max, times -2
    const KeyFigureRun figures = AnalyseKeyFigures(model, {});
    EXPECT_EQ(figures.members[0].diagrams, (std::vector<std::string>{"G", "ENV (Max)", "ENV (Min)"}));
    EXPECT_EQ(figures.members[0].forces[0][2].min.y, -2);
    // Design: the variable action ENV at 1.5 on the upper side with its Max, on the lower with its Min.
    const Actions actions = vymath::formats::ReadActions(R"({"actions": [{"name": "G", "type": "permanent",
        "cases": ["G"]}, {"name": "Q", "type": "imposed", "category": "B", "cases": ["ENV"]}]})",
                                                         "actions.json");
    const SituationResult uls =
        AnalyseDesign(model, actions).members[0].forces[0][0]; // a copy: the run is a temporary
    EXPECT_EQ(uls.max.y, 1.35 * 1 + 1.5 * 3);
    EXPECT_EQ(uls.min.y, 1 * 1 + 1.5 * -2);
}

TEST(Analysis, BoundedCasesNeedBothBoundsAtEveryStation) {
    const struct {
        std::vector<std::tuple<const char*, Bound, double, double>> rows;
        const char* message;
    } cases[] = {
        {{{"ENV", Bound::Max, 0, 1},
          {"ENV", Bound::Min, 0, 0},
          {"ENV", Bound::Max, 4, 1},
          {"ENV", Bound::Min, 2, 0}},
         "model.csv:5: member \"B1\", case \"ENV\": a Min row at x = 2 without its Max row"},
        {{{"ENV", Bound::Max, 0, 1}, {"ENV", Bound::Min, 0, 0}, {"ENV", Bound::Max, 4, 1}},
         "model.csv:4: member \"B1\", case \"ENV\": a Max row at x = 4 without its Min row"},
        {{{"ENV", Bound::Max, 0, 1}, {"ENV", Bound::None, 4, 0}},
         "model.csv:3: member \"B1\", case \"ENV\": a row without a step type among Max and Min rows"},
        {{{"G", Bound::None, 0, 1}, {"G", Bound::Min, 4, 0}},
         "model.csv:3: member \"B1\", case \"G\": a Min row among rows without a step type"},
    };
    for (const auto& c : cases) {
        try {
            AnalyseEnvelopes(Bounded(c.rows), {}, EnvelopeMethod::Exact);
            ADD_FAILURE() << c.message;
        } catch (const Error& e) {
            EXPECT_EQ(e.what(), std::string(c.message));
        }
    }
}

TEST(Analysis, TheSameResultsOnAnyNumberOfThreads) {
    Model model({"V", "M"});
    for (int m = 0; m < 40; ++m)
        for (int c = 0; c < 3; ++c)
            for (int i = 0; i <= 10; ++i) {
                const double x = i * 0.5, values[2] = {std::sin(x + m + c), std::cos(x * (c + 1) + m)};
                model.Add("M" + std::to_string(m), "C" + std::to_string(c), x, values, 0);
            }
    RunOptions one, two;
    one.threads = 1;
    two.threads = 2;
    const std::vector<MemberEnvelopes> a = AnalyseEnvelopes(model, {}, EnvelopeMethod::Exact, one).members,
                                       b = AnalyseEnvelopes(model, {}, EnvelopeMethod::Exact, two).members;
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t m = 0; m < a.size(); ++m)
        for (std::size_t f = 0; f < 2; ++f) {
            EXPECT_EQ(a[m].forces[f].envelope.upper.y, b[m].forces[f].envelope.upper.y);
            EXPECT_EQ(a[m].forces[f].envelope.lower.governing, b[m].forces[f].envelope.lower.governing);
            EXPECT_EQ(a[m].forces[f].max.left, b[m].forces[f].max.left);
        }
}

} // namespace
