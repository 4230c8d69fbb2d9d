// Design envelopes by EN 1990: hand-computed values and governing combinations of each situation, the
// rules that shape them (leading action, not_with, exclusive and free cases, both signs of the seismic
// action, 6.10a/b), and the errors of an actions description.
#include "formats/Actions.h"
#include "vymath/analysis/Analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using namespace vymath::analysis;

// A diagram through (0, y0) and (10, y10).
Diagram Line(double y0, double y10) {
    const Locator where = [](std::size_t) { return std::string(); };
    return BuildDiagram("case", {{0, y0, 0}, {10, y10, 0}}, where);
}

struct Probe {
    const char* situation;
    bool upper;
    double x, y;
    const char* combination;
};

// The design line's value at x (at one of its points) and the combination governing there.
void Check(const std::vector<DesignSituation>& all, const Probe& p) {
    SCOPED_TRACE(std::string(p.situation) + (p.upper ? " upper at " : " lower at ") + std::to_string(p.x));
    for (const DesignSituation& s : all) {
        if (s.name != p.situation)
            continue;
        const EnvelopeLine& line = p.upper ? s.upper : s.lower;
        for (std::size_t i = 0; i < line.x.size(); ++i)
            if (std::fabs(line.x[i] - p.x) < 1e-9) {
                EXPECT_NEAR(line.y[i], p.y, 1e-12);
                EXPECT_EQ(s.combinations[static_cast<std::size_t>(line.governing[i])].Text(), p.combination);
                return;
            }
        ADD_FAILURE() << "no point there";
        return;
    }
    ADD_FAILURE() << "no such situation";
}

std::vector<DesignSituation> Design(const std::string& json, const std::vector<std::string>& names,
                                    const std::vector<const Diagram*>& diagrams) {
    std::vector<const CVyMathFunction1D*> functions;
    for (const Diagram* d : diagrams)
        functions.push_back(&d->f);
    const Actions actions = vymath::formats::ReadActions(json, "actions.json");
    CheckActions(actions, names);
    return DesignEnvelopes(actions, names, functions);
}

TEST(Design, SituationsOfAPermanentAndAVariableAction) {
    // G = 10; Q = 4 - x, unfavourable upwards on [0, 4], downwards beyond (category B: 0.7, 0.5, 0.3).
    const Diagram g = Line(10, 10), q = Line(4, -6);
    const auto all = Design(R"({"actions": [{"name": "G", "type": "permanent", "cases": ["G"]},
                                         {"name": "Q", "type": "imposed", "category": "B", "cases": ["Q"]}]})",
                            {"G", "Q"}, {&g, &q});
    ASSERT_EQ(all.size(), 4u);
    for (const Probe& p : std::initializer_list<Probe>{
             {"ULS", true, 0, 13.5 + 1.5 * 4, "1.35*G + 1.5*Q"},
             {"ULS", true, 4, 13.5, "1.35*G"}, // Q crosses zero: its factor 0 beyond
             {"ULS", false, 0, 10, "1*G"},
             {"ULS", false, 10, 10 - 1.5 * 6, "1*G + 1.5*Q"},
             {"SLS characteristic", true, 0, 14, "1*G + 1*Q"},
             {"SLS frequent", true, 0, 12, "1*G + 0.5*Q"},
             {"SLS quasi-permanent", false, 10, 10 - 0.3 * 6, "1*G + 0.3*Q"},
         })
        Check(all, p);
}

TEST(Design, LeadingActionsExclusionsAndSigns) {
    // H (roof, psi 0) excludes S (snow at or below 1000 m: 0.5, 0.2, 0); W blows one way at a time.
    const Diagram h = Line(5, 5), s = Line(3, 3), wx = Line(2, 2), wy = Line(-1, -1), e1 = Line(2, 2),
                  e2 = Line(-3, -3), a = Line(7, 7);
    const std::vector<std::string> names{"H", "S", "Wx", "Wy", "E1", "E2", "A"};
    const auto all = Design(R"({"uls": "6.10a/b", "actions": [
              {"name": "H", "type": "imposed", "category": "H", "cases": ["H"], "not_with": ["S"]},
              {"name": "S", "type": "snow", "cases": ["S"]},
              {"name": "W", "type": "wind", "cases": ["Wx", "Wy"], "acting": "exclusive"},
              {"name": "E", "type": "seismic", "cases": ["E1", "E2"], "acting": "exclusive"},
              {"name": "A", "type": "accidental", "cases": ["A"]}]})",
                            names, {&h, &s, &wx, &wy, &e1, &e2, &a});
    // ULS by 6.10a (every variable action at gQ psi0) and 6.10b (one leading at gQ), the worse:
    // H's group: H leading with W at psi0 (1.5*5 + 0.9*2 = 9.3); S's group: S leading, 6.3.
    // Lower: W from the west (Wy) only, leading in 6.10b: -1.5.
    for (const Probe& p : std::initializer_list<Probe>{
             {"ULS", true, 0, 1.5 * 5 + 1.5 * 0.6 * 2, "1.5*H + 0.9*Wx"},
             {"ULS", false, 0, -1.5, "1.5*Wy"},
             {"SLS characteristic", true, 0, 5 + 0.6 * 2, "1*H + 0.6*Wx"},
             {"accidental A", true, 0, 7 + 0.2 * 3, "0.2*S + 1*A"}, // psi1 of the leading snow; H's psi1 is 0
             {"seismic", true, 0, 3, "-1*E2"},
             {"seismic", false, 0, -3, "1*E2"},
         })
        Check(all, p);
}

TEST(Design, CombinationTextRoundsTheFactorsAsWritten) {
    // 0.85 * 1.35 is stored just below 1.1475, 1.5 * 0.7 just below 1.05; 9.99951 carries into a digit.
    EXPECT_EQ(
        (DesignCombination{{{"G", 0.85 * 1.35}, {"Q 1", 1.5 * 0.7}, {"E", -1.0}, {"W", 9.99951}}, "", ""}
             .Text()),
        "1.148*G + 1.05*\"Q 1\" - 1*E + 10*W");
    EXPECT_EQ((DesignCombination{{{"E", -0.123449}}, "", ""}.Text()), "-0.1234*E");
    EXPECT_EQ(DesignCombination().Text(), "0");
}

TEST(Design, BadDescriptionsNameThePlace) {
    const struct {
        const char* json;
        const char* message;
    } rows[] = {
        {R"({"actions": [{"name": "G", "type": "dead", "cases": ["G"]}]})",
         "actions.json: /actions/0/type: unknown type \"dead\" (permanent, prestress, imposed, snow, wind, "
         "temperature, variable, accidental or seismic)"},
        {R"({"actions": [{"name": "Q", "type": "imposed", "category": "K", "cases": ["G"]}]})",
         "actions.json: /actions/0/category: unknown category \"K\" (A to H)"},
        {R"({"actions": [{"name": "Q", "type": "wind", "cases": ["G"], "psi": [0.5, 1.2, 0]}]})",
         "actions.json: /actions/0/psi/1: psi 1.2 is outside [0, 1]"},
        {R"({"factors": {"gamma_Q": -1.5}, "actions": [{"name": "G", "type": "permanent", "cases": ["G"]}]})",
         "actions.json: /factors/gamma_Q: the factor -1.5 is not a finite number of 0 or more"},
        {R"({"actions": [{"name": "G", "type": "permanent", "cases": ["G"]},
                         {"name": "P", "type": "prestress", "cases": ["G"]}]})",
         "actions.json: /actions/1/cases/0: load case \"G\" is claimed by action \"G\" and by \"P\": it "
         "belongs to "
         "one action"},
        {R"({"actions": [{"name": "G", "type": "permanent", "cases": ["X"]}]})",
         "actions.json: /actions/0/cases/0: load case \"X\" is not in the input"},
        {R"({"actions": [{"name": "Q", "type": "permanent", "cases": ["Q"]}]})",
         "actions.json: load case \"G\" of the input belongs to no action: every case belongs to one"},
        // The parser's own failures: the place as line and column, or as the pointer it had reached.
        {"{\"actions\": [\n  {\"name\": \"G\"},]}", "actions.json:2:17: syntax error while parsing value - "
                                                    "unexpected ']'; expected '[', '{', or a literal"},
        {R"({"actions": [{"name": "G", "type": "variable", "cases": ["G"], "psi": [1, 1e400, 0]}]})",
         "actions.json: /actions/0/psi/1: \"1e400\" is out of the range of doubles"},
        {R"({"actions": [{"name": "G", "type": "permanent", "cases": ["G"], "cases": ["Q"]}]})",
         "actions.json: /actions/0/cases: the key is given twice"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.json);
        try {
            CheckActions(vymath::formats::ReadActions(row.json, "actions.json"), {"G", "Q"});
            ADD_FAILURE();
        } catch (const Error& e) {
            EXPECT_EQ(e.GetKind(), Error::Kind::Data);
            EXPECT_EQ(std::string(e.what()), row.message);
        }
    }
}

} // namespace
