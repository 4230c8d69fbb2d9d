// Design codes as data: EN 1990's psi factors read back from the shipped file, ASCE 7's numbered
// combinations (LRFD and ASD) on hand-computed values, the rules of DesignRules enveloping to the same
// design lines, and the faults of an actions description under a code.
#include "formats/Actions.h"
#include "formats/Codes.h"
#include "vymath/analysis/Analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>

namespace {

using namespace vymath::analysis;

Diagram Line(double y0, double y10) {
    const Locator where = [](std::size_t) { return std::string(); };
    return BuildDiagram("case", {{0, y0, 0}, {10, y10, 0}}, where);
}

std::vector<const CVyMathFunction1D*> Functions(const std::vector<Diagram>& diagrams) {
    std::vector<const CVyMathFunction1D*> out;
    for (const Diagram& d : diagrams)
        out.push_back(&d.f);
    return out;
}

Actions Read(const std::string& json) {
    return vymath::formats::ReadActions(json, "actions.json");
}

TEST(DesignCodes, En1990PsiFactorsOfTableA11) {
    // Every entry of the table (buildings), as an action of each kind reads it from the shipped file.
    const struct {
        const char* action;
        double psi0, psi1, psi2;
    } rows[] = {
        {R"("type": "imposed", "category": "A")", 0.7, 0.5, 0.3},
        {R"("type": "imposed", "category": "B")", 0.7, 0.5, 0.3},
        {R"("type": "imposed", "category": "C")", 0.7, 0.7, 0.6},
        {R"("type": "imposed", "category": "D")", 0.7, 0.7, 0.6},
        {R"("type": "imposed", "category": "E")", 1.0, 0.9, 0.8},
        {R"("type": "imposed", "category": "F")", 0.7, 0.7, 0.6},
        {R"("type": "imposed", "category": "G")", 0.7, 0.5, 0.3},
        {R"("type": "imposed", "category": "H")", 0.0, 0.0, 0.0},
        {R"("type": "snow", "country": "FI")", 0.7, 0.5, 0.2},
        {R"("type": "snow", "country": "IS")", 0.7, 0.5, 0.2},
        {R"("type": "snow", "country": "NO")", 0.7, 0.5, 0.2},
        {R"("type": "snow", "country": "SE")", 0.7, 0.5, 0.2},
        {R"("type": "snow", "country": "DE", "altitude_over_1000m": true)", 0.7, 0.5, 0.2},
        {R"("type": "snow", "country": "DE")", 0.5, 0.2, 0.0},
        {R"("type": "snow")", 0.5, 0.2, 0.0},
        {R"("type": "wind")", 0.6, 0.2, 0.0},
        {R"("type": "temperature")", 0.6, 0.5, 0.0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.action);
        const Actions a =
            Read(std::string(R"({"actions": [{"name": "Q", "cases": ["Q"], )") + row.action + "}]}");
        EXPECT_EQ(a.actions[0].psi0, row.psi0);
        EXPECT_EQ(a.actions[0].psi1, row.psi1);
        EXPECT_EQ(a.actions[0].psi2, row.psi2);
    }
}

struct Probe {
    const char* situation;
    bool upper;
    double y;
    const char* combination;
    const char* label;
};

// The value at x = 0 and its combination (constant diagrams: one stretch).
void Check(const std::vector<DesignSituation>& all, const Probe& p) {
    SCOPED_TRACE(std::string(p.situation) + (p.upper ? " upper" : " lower"));
    for (const DesignSituation& s : all)
        if (s.name == p.situation) {
            const EnvelopeLine& line = p.upper ? s.upper : s.lower;
            EXPECT_NEAR(line.y.front(), p.y, 1e-12);
            const DesignCombination& c = s.combinations[static_cast<std::size_t>(line.governing.front())];
            EXPECT_EQ(c.Text(), p.combination);
            EXPECT_EQ(c.Label(), p.label);
            return;
        }
    ADD_FAILURE() << "no such situation";
}

// Constant cases of the given values under the actions of `json`.
std::vector<DesignSituation> Constant(const std::string& json,
                                      const std::vector<std::pair<std::string, double>>& cases) {
    std::vector<std::string> names;
    std::vector<Diagram> d;
    for (const auto& c : cases) {
        names.push_back(c.first);
        d.push_back(Line(c.second, c.second));
    }
    const Actions a = Read(json);
    CheckActions(a, names);
    return DesignEnvelopes(a, names, Functions(d));
}

TEST(DesignCodes, En1990SetsCategoriesPermanentsComponentsAndAccidents) {
    const struct {
        const char* json;
        std::vector<std::pair<std::string, double>> cases;
        std::vector<Probe> probes;
    } rows[] = {
        // Sets B, A and C; 6.10a/b for Set B only.
        {R"({"verifications": ["STR", "EQU", "GEO"], "uls": "6.10a/b", "actions": [
            {"name": "G", "type": "permanent", "cases": ["G"]},
            {"name": "Q", "type": "imposed", "category": "B", "cases": ["Q"]}]})",
         {{"G", 10}, {"Q", 4}},
         {{"ULS STR", true, 13.5 + 1.05 * 4, "1.35*G + 1.05*Q", "6.10a"}, // 6.10b: 11.475 + 6
          {"ULS EQU", true, 11 + 6, "1.1*G + 1.5*Q", "6.10, Q leading"},
          {"ULS EQU", false, 9, "0.9*G", "6.10"},
          {"ULS GEO", true, 10 + 1.3 * 4, "1*G + 1.3*Q", "6.10, Q leading"}}},
        // Cases of categories B and E in one action: leading all at gamma_Q, accompanying at their psi0.
        {R"({"actions": [{"name": "Q", "type": "imposed", "categories": {"Qb": "B", "Qe": "E"}},
                         {"name": "W", "type": "wind", "cases": ["W"]}]})",
         {{"Qb", 2}, {"Qe", 3}, {"W", 4}},
         {{"ULS", true, 6 + 1.05 * 2 + 4.5, "1.05*Qb + 1.5*Qe + 1.5*W", "6.10, W leading"},
          {"SLS characteristic", true, 4 + 0.7 * 2 + 3, "0.7*Qb + 1*Qe + 1*W", "6.14b, W leading"}}},
        // Upper and lower characteristic values; an imperfection either way.
        {R"({"actions": [{"name": "G", "type": "permanent", "cases": {"sup": ["Gs"], "inf": ["Gi"]}},
                         {"name": "I", "type": "permanent", "cases": ["I"], "acting": "reversible"}]})",
         {{"Gs", 10}, {"Gi", 8}, {"I", 2}},
         {{"ULS", true, 13.5 + 2.7, "1.35*Gs + 1.35*I", "6.10"},
          {"ULS", false, 8 - 2.7, "1*Gi - 1.35*I", "6.10"},
          {"SLS characteristic", false, 8 - 2, "1*Gi - 1*I", "6.14b"}}},
        // 100/30: Ey leads (5 + 0.3 * 2 against 2 + 0.3 * 5), every sign.
        {R"({"actions": [{"name": "G", "type": "permanent", "cases": ["G"]},
                         {"name": "E", "type": "seismic", "components": ["Ex", "Ey"], "rule": "100/30"}]})",
         {{"G", 1}, {"Ex", 2}, {"Ey", -5}},
         {{"seismic", true, 1 + 5.6, "1*G + 0.3*Ex - 1*Ey", "6.12b"},
          {"seismic", false, 1 - 5.6, "1*G - 0.3*Ex + 1*Ey", "6.12b"}}},
        // psi2 on the leading action for A1 alone; A2 replaces the snow, which would lead otherwise.
        {R"({"actions": [{"name": "Q", "type": "imposed", "category": "C", "cases": ["Q"]},
                         {"name": "S", "type": "snow", "cases": ["S"]},
                         {"name": "A1", "type": "accidental", "cases": ["A1"], "leading_psi": "psi2"},
                         {"name": "A2", "type": "accidental", "cases": ["A2"], "replaces": ["S"]}]})",
         {{"Q", 2}, {"S", 4}, {"A1", 10}, {"A2", 20}},
         {{"accidental A1", true, 10 + 1.2, "0.6*Q + 1*A1", "6.11b"},
          {"accidental A2", true, 20 + 1.4, "0.7*Q + 1*A2", "6.11b, Q leading"}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.json);
        const std::vector<DesignSituation> all = Constant(row.json, row.cases);
        for (const Probe& p : row.probes)
            Check(all, p);
    }
}

// D = 10, L = 5, S = 3, W = 4 either way, Eh = 3 either way with Ev = 0.2 D.
const std::vector<std::string> kUsNames{"D", "L", "S", "W", "Eh"};
const char* const kUsActions = R"("actions": [
    {"name": "D", "type": "D", "cases": ["D"]}, {"name": "L", "type": "L", "cases": ["L"]},
    {"name": "S", "type": "S", "cases": ["S"]}, {"name": "W", "type": "W", "cases": ["W"]},
    {"name": "Eh", "type": "Eh", "cases": ["Eh"]}, {"name": "Ev", "type": "Ev", "of": "D", "factor": 0.2}]})";

std::vector<DesignSituation> Us(const std::string& head) {
    static const std::vector<Diagram> d{Line(10, 10), Line(5, 5), Line(3, 3), Line(4, 4), Line(3, 3)};
    const Actions a = Read("{" + head + kUsActions);
    CheckActions(a, kUsNames);
    return DesignEnvelopes(a, kUsNames, Functions(d));
}

TEST(DesignCodes, AsceLrfdCombinations) {
    // 1: 14; 2: 12 + 8 + 1.5; 3: 12 + 4.8 + max(L, 0.5 W); 4: 12 + 4 + 5 + 1.5 = 22.5 governs;
    // 6: 12 + 2 + 3 + 5 + 0.6 = 22.6 (Ev adds 0.2 D) governs it. Lower: 7: 9 - 2 - 3 = 4 below 5: 9 - 4.
    for (const Probe& p : std::initializer_list<Probe>{
             {"LRFD", true, 22.6, "1.4*D + 1*L + 0.2*S + 1*Eh", "LRFD 6"},
             {"LRFD", false, 4, "0.7*D - 1*Eh", "LRFD 7"},
         })
        Check(Us(R"("code": "ASCE7-16-LRFD", )"), p);
    // L at 0.5 in 3, 4 and 6: 6 gives 20.1, 4 gives 20, 2 (1.6 L, untouched) 21.5.
    Check(Us(R"("code": "ASCE7-16-LRFD", "L_factor_0.5": true, )"),
          {"LRFD", true, 21.5, "1.2*D + 1.6*L + 0.5*S", "LRFD 2"});
}

TEST(DesignCodes, AsceAsdCombinations) {
    // 6: 10 + 3.75 + 0.45 * 4 + 2.25 = 17.8; 9: 10 + 0.105 D + 0.525 Eh + 3.75 + 2.25 = 18.625 governs.
    // Lower: 10: 0.6 D - 0.14 D - 0.7 Eh = 2.5 below 7: 6 - 2.4.
    for (const Probe& p : std::initializer_list<Probe>{
             {"ASD", true, 10 + 0.7 * 0.75 * 2 + 0.525 * 3 + 3.75 + 2.25,
              "1.105*D + 0.75*L + 0.75*S + 0.525*Eh", "ASD 9"},
             {"ASD", false, 6 - 0.7 * 2 - 2.1, "0.46*D - 0.7*Eh", "ASD 10"},
         })
        Check(Us(R"("code": "ASCE7-16-ASD", )"), p);
}

// A line's value at x, between its points.
double ValueAt(const EnvelopeLine& l, double x) {
    std::size_t i = 0;
    while (i + 2 < l.x.size() && l.x[i + 1] <= x)
        ++i;
    const double t = l.x[i + 1] == l.x[i] ? 0.0 : (x - l.x[i]) / (l.x[i + 1] - l.x[i]);
    return l.y[i] + t * (l.y[i + 1] - l.y[i]);
}

// The envelopes of DesignRules' situations are those of the actions, value for value and combination for
// combination; every term is one action's.
void SameThroughRules(const std::string& json, const std::vector<std::string>& names,
                      const std::vector<Diagram>& diagrams) {
    SCOPED_TRACE(json);
    const Actions a = Read(json);
    const std::vector<SituationRules> rules = DesignRules(a);
    std::vector<std::string> actionNames;
    for (const Action& act : a.actions)
        actionNames.push_back(act.name);
    for (const SituationRules& s : rules)
        for (const Rule& r : s.rules)
            for (const RuleTerm& t : r.terms)
                EXPECT_NE(std::find(actionNames.begin(), actionNames.end(), t.action), actionNames.end());
    const auto f = Functions(diagrams);
    const std::vector<DesignSituation> direct = DesignEnvelopes(a, names, f),
                                       viaRules = DesignEnvelopes(rules, names, f, f);
    ASSERT_EQ(direct.size(), viaRules.size());
    for (std::size_t k = 0; k < direct.size(); ++k) {
        SCOPED_TRACE(direct[k].name);
        EXPECT_EQ(direct[k].name, viaRules[k].name);
        for (bool upper : {false, true}) {
            const EnvelopeLine &p = upper ? direct[k].upper : direct[k].lower,
                               &q = upper ? viaRules[k].upper : viaRules[k].lower;
            for (double x : {0.0, 2.5, 5.0, 7.5, 10.0})
                EXPECT_NEAR(ValueAt(p, x), ValueAt(q, x), 1e-12) << (upper ? "upper at " : "lower at ") << x;
        }
    }
}

TEST(DesignCodes, RulesEnvelopeAsTheActions) {
    const std::vector<Diagram> d{Line(10, 8), Line(4, -6), Line(-2, 3),
                                 Line(1, -1), Line(3, -2), Line(-2, 2)};
    SameThroughRules(R"({"uls": "6.10a/b", "verifications": ["STR", "EQU"], "actions": [
        {"name": "G", "type": "permanent", "cases": {"sup": ["G"], "inf": ["Q1"]}},
        {"name": "Q", "type": "imposed", "categories": {"Q2": "B", "Q3": "E"}},
        {"name": "W", "type": "wind", "cases": ["W1", "W2"], "acting": "exclusive"},
        {"name": "A", "type": "accidental", "cases": ["A"], "leading_psi": "psi2"}]})",
                     {"G", "Q1", "Q2", "Q3", "W1", "W2", "A"},
                     {d[0], Line(9, 7), d[1], d[2], d[3], d[4], d[5]});
    SameThroughRules(R"({"actions": [
        {"name": "G", "type": "permanent", "cases": ["G", "I"], "acting": "reversible"},
        {"name": "Q", "type": "imposed", "category": "C", "cases": ["Q1", "Q2"], "acting": "free"},
        {"name": "E", "type": "seismic", "components": ["Ex", "Ey"], "rule": "100/30"}]})",
                     {"G", "I", "Q1", "Q2", "Ex", "Ey"}, d);
    SameThroughRules(std::string("{\"code\": \"ASCE7-16-LRFD\", ") + kUsActions, kUsNames,
                     {d[0], d[1], d[2], d[3], d[4]});
}

TEST(DesignCodes, NationalAnnexValues) {
    const std::string folder = ::testing::TempDir(); // ends in a separator
    const auto write = [&](const char* name, const char* text) { std::ofstream(folder + name) << text; };
    write("annex.json", R"({"psi": {"B": [0.5, 0.4, 0.3], "snow": [0.6, 0.3, 0.1]}, "gamma": {"G_sup": 1.2},
                            "xi": 0.9, "accidental_leading_psi": "psi2"})");
    write("bad_annex.json", R"({"xi": 1.5})");
    const char* actions = R"({"annex": "%s", "actions": [
        {"name": "Q", "type": "imposed", "category": "B", "cases": ["Q"]},
        {"name": "S", "type": "snow", "country": "SE", "cases": ["S"]}]})";
    const auto read = [&](const char* annex) {
        std::string json = actions;
        json.replace(json.find("%s"), 2, annex);
        return vymath::formats::ReadActions(json, folder + "actions.json");
    };
    const Actions a = read("annex.json");
    EXPECT_EQ((std::vector<double>{a.actions[0].psi0, a.actions[0].psi1, a.actions[0].psi2}),
              (std::vector<double>{0.5, 0.4, 0.3}));
    EXPECT_EQ((std::vector<double>{a.actions[1].psi0, a.actions[1].psi1, a.actions[1].psi2}),
              (std::vector<double>{0.6, 0.3, 0.1})); // every snow entry
    EXPECT_EQ(a.values.at("gamma_G_sup"), 1.2);
    EXPECT_EQ(a.values.at("xi"), 0.9);
    EXPECT_EQ(a.values.at("gamma_Q"), 1.5);
    EXPECT_EQ(a.options.at("accidental_leading_psi").front(), "psi2");
    try {
        read("bad_annex.json");
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), folder + "bad_annex.json: /xi: the value 1.5 is outside [0, 1]");
    }
}

TEST(DesignCodes, BadDescriptionsUnderACode) {
    const struct {
        const char* json;
        const char* message;
    } rows[] = {
        {R"({"code": "EN1991", "actions": []})", "actions.json: /code: unknown code \"EN1991\""},
        {R"({"actions": [{"name": "S", "type": "snow", "country": "Sweden", "cases": ["S"]}]})",
         "actions.json: /actions/0/country: unknown country \"Sweden\""},
        {R"({"actions": [{"name": "Q", "type": "variable", "psi": [0.7, 0.2, 0.3], "cases": ["S"]}]})",
         "actions.json: /actions/0/psi: psi1 >= psi2 is expected, found [0.7, 0.2, 0.3]"},
        {R"({"verifications": ["STR", "UPL"], "actions": [{"name": "G", "type": "permanent", "cases": ["G"]}]})",
         "actions.json: /verifications/1: "},
        {R"({"code": "ASCE7-16-LRFD", "actions": [{"name": "G", "type": "permanent", "cases": ["G"]}]})",
         "actions.json: /actions/0/type: unknown type \"permanent\""},
        {R"({"actions": [{"name": "E", "type": "seismic", "components": ["Ex"]}]})",
         "actions.json: /actions/0/components: expected two or three components, found 1"},
        {R"({"actions": [{"name": "E", "type": "seismic", "components": ["Ex", "Ey"], "rule": "SRSS"}]})",
         "actions.json: /actions/0/rule: unknown rule \"SRSS\""},
    };
    // Only psi1 >= psi2 is required.
    EXPECT_NO_THROW(
        Read(R"({"actions": [{"name": "Q", "type": "variable", "psi": [0.2, 0.5, 0.3], "cases": ["Q"]}]})"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.json);
        try {
            Read(row.json);
            ADD_FAILURE();
        } catch (const Error& e) {
            EXPECT_EQ(e.GetKind(), Error::Kind::Data);
            EXPECT_EQ(std::string(e.what()).rfind(row.message, 0), 0u) << e.what();
        }
    }
}

TEST(DesignCodes, BadCodeFilesNameThePlace) {
    const char* const types = R"("types": {"D": {"role": "permanent"}})";
    const char* const rules =
        R"("situations": [{"name": "U", "rules": [{"label": "1", "terms": [{"type": "D", "factor": 1}]}]}])";
    const struct {
        std::string json;
        const char* message;
    } rows[] = {
        {std::string(R"({"code": "X", "tables": {}, )") + types + ", " + rules + "}",
         "code.json: /tables: unknown key \"tables\""},
        {std::string(R"({"code": "X", "types": {"D": {"role": "dead"}}, )") + rules + "}",
         "code.json: /types/D/role: unknown role \"dead\""},
        {std::string(R"({"code": "X", "psi": {"B": {"psi": [0.7, 0.3, 0.5]}}, )") + types + ", " + rules +
             "}",
         "code.json: /psi/B/psi: psi1 >= psi2 is expected, found [0.7, 0.3, 0.5]"},
        {std::string(R"({"code": "X", "values": {"xi": {"value": 2, "range": [0, 1]}}, )") + types + ", " +
             rules + "}",
         "code.json: /values/xi/value: the value 2 is outside [0, 1]"},
        {std::string(R"({"code": "X", )") + types +
             R"(, "situations": [{"name": "U", "rules": [{"label": "1", "terms": [{"type": "D", "factor": "k"}]}]}]})",
         "code.json: /situations/0/rules/0/terms/0/factor: unknown value \"k\""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.json);
        try {
            vymath::formats::ReadCode(row.json, "code.json");
            ADD_FAILURE();
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(row.message, 0), 0u) << e.what();
        }
    }
}

} // namespace
