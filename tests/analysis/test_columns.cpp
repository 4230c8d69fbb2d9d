// Column roles in a header, filters, and the summary's rows and columns.
#include "formats/Actions.h"
#include "vymath/analysis/Analysis.h"
#include "vymath/analysis/Columns.h"
#include "vymath/analysis/Summary.h"

#include "TestSupport.h"

namespace {

using namespace vymath::analysis;
using Names = std::vector<std::string>;

Layout Resolve(const Names& header, ColumnRequest request = ColumnRequest()) {
    return ResolveColumns(header, request);
}

TEST(Columns, DefaultsAndNamedColumns) {
    const Layout single = Resolve({"Case", "X", "Y"}); // the single form's header, any letter case
    const Layout model = Resolve({"member", "case", "x", "N", "V"});
    ColumnRequest export_{{"Story", "Frame"},
                          "OutputCase",
                          "Station",
                          "",
                          "",
                          {"M3", "V2"},
                          {{"CaseType", {"Combination", ""}}},
                          {}};
    const Layout named = Resolve(
        {"Story", "Frame", "Station", "OutputCase", "CaseType", "Step_Type", "P", "V2", "M3"}, export_);
    ColumnRequest filtered;
    filtered.filters = {{"kind", {"a"}}};
    const Layout rest = Resolve({"case", "x", "kind", "M"}, filtered); // a filter column is no force
    EXPECT_ROWS({
        ::Row("model member", model.members.front(), 0),
        ::Row("named case", named.loadCase, 3),
        ::Row("named x", named.x, 2),
        ::Row("filter column", named.filters.front().first, 4),
        ::Row("the step column found", named.step, 5),
        ::Row("no step number", named.stepNumber, -1),
    });
    EXPECT_TRUE(single.members.empty());
    EXPECT_EQ(named.members, (std::vector<int>{0, 1}));
    EXPECT_ROWS({
        ::Row("single forces", single.forceNames, Names{"Y"}),
        ::Row("model forces", model.forceNames, Names{"N", "V"}),
        ::Row("named forces in the asked order", named.forceNames, Names{"M3", "V2"}),
        ::Row("filtered forces", rest.forceNames, Names{"M"}),
    });
    EXPECT_TRUE(named.Keeps(Names{"S1", "1", "0", "C", "", "Max", "0", "0", "0"}));
    EXPECT_FALSE(named.Keeps(Names{"S1", "1", "0", "C", "LinStatic", "", "0", "0", "0"}));
    EXPECT_EQ(named.Role(8), "M3");
    EXPECT_EQ(named.Role(5), "step");
    // A filter's column may have a role as well.
    ColumnRequest byCase;
    byCase.filters = {{"case", {"G"}}};
    EXPECT_EQ(Resolve({"case", "x", "M"}, byCase).forceNames, Names{"M"});
    // Default names of the case column: the first the header has; a named case column alone.
    ColumnRequest lines, byName;
    lines.caseNames = byName.caseNames = {"line", "section"};
    byName.loadCase = "S";
    EXPECT_ROWS({
        ::Row("first default", Resolve({"Line", "x", "y"}, lines).loadCase, 0),
        ::Row("second default", Resolve({"member", "section", "x", "M"}, lines).loadCase, 1),
        ::Row("named", Resolve({"S", "section", "x", "M"}, byName).loadCase, 0),
    });
}

TEST(Columns, Errors) {
    const auto error = [](const Names& header, const ColumnRequest& request) {
        try {
            ResolveColumns(header, request);
        } catch (const Error& e) {
            return std::string(e.GetKind() == Error::Kind::Usage ? "usage: " : "data: ") + e.what();
        }
        return std::string("no error");
    };
    ColumnRequest force, twoRoles, none, lines;
    lines.caseNames = {"line", "section"};
    force.forces = {"M9"};
    twoRoles.x = "case";
    EXPECT_ROWS({
        ::Row(
            "no x", error({"case", "y", "z"}, none),
            std::string(
                "data: expected the header \"case,x,y\" or \"member,case,x,FORCE,...\", found \"case,y,z\"")),
        ::Row("no line", error({"member", "x", "M"}, lines),
              std::string("data: expected the header \"line,x,y\" or \"member,line,x,FORCE,...\", found "
                          "\"member,x,M\"")),
        ::Row("named column missing", error({"case", "x", "M"}, force),
              std::string("usage: no column \"M9\" (force) in the header \"case,x,M\"")),
        ::Row("two roles", error({"case", "x", "M"}, twoRoles),
              std::string("usage: the column \"case\" is given two roles")),
        ::Row("twice in the header", error({"case", "x", "M", "M"}, none),
              std::string("data: the column \"M\" appears twice in the header \"case,x,M,M\"")),
        ::Row(
            "no force", error({"member", "case", "x"}, none),
            std::string("data: no force column in the header \"member,case,x\": expected at least one after "
                        "case and x")),
    });
    const std::vector<Filter> filters = ParseFilters({"StepType=Max", "Kind=a=b", "StepType="});
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].values, (Names{"Max", ""}));
    EXPECT_EQ(filters[1].values, Names{"a=b"});
    EXPECT_THROW(ParseFilters({"StepType"}), Error);
}

TEST(Summary, RowsInModelOrderWithTheOtherForces) {
    Model model({"N", "M"});
    const auto add = [&model](const char* member, const char* c, double x, double n, double m) {
        const double values[2] = {n, m};
        model.Add(member, c, x, values, 0);
    };
    add("B2", "G", 0, 1, 0); // B2 first in the input
    add("B2", "G", 2, 1, 4);
    add("B1", "G", 0, -3, 0);
    add("B1", "G", 2, -3, -2);
    add("B1", "Q", 0, -1, 6);
    add("B1", "Q", 2, -1, 1);
    const std::vector<SummaryRow> rows = Summarise(model, AnalyseEnvelopes(model, {}, EnvelopeMethod::Exact));
    ASSERT_EQ(rows.size(), 4u);
    const SummaryExtreme& max = rows[3].max; // B1, M
    ASSERT_EQ(max.coincident.size(), 1u);    // the other force only
    EXPECT_ROWS({
        ::Row("first member", model.MemberName(rows[0].member), std::string("B2")),
        ::Row("max case", max.governing, std::string("Q")),
        ::Row("min case", rows[3].min.governing, std::string("G")),
    });
    EXPECT_ROWS({
        ::Row("max", max.y, 6.0),
        ::Row("N of Q there, left", max.coincident[0].left, -1.0),
        ::Row("and right", max.coincident[0].right, -1.0),
    });
    EXPECT_EQ(rows[1].force, 1u);
    EXPECT_EQ(SummaryColumns({"N", "M"}),
              (Names{"member", "force", "max", "max_x", "max_case", "min", "min_x", "min_case", "max_N_left",
                     "max_N_right", "max_M_left", "max_M_right", "min_N_left", "min_N_right", "min_M_left",
                     "min_M_right"}));

    // Design results: one row a situation, the case of an extreme its combination as text.
    const Actions actions =
        vymath::formats::ReadActions(R"({"actions": [{"name": "G", "type": "permanent", "cases": ["G"]},
        {"name": "Q", "type": "imposed", "category": "B", "cases": ["Q"]}]})",
                                     "actions.json");
    Model b1({"N", "M"});
    for (const auto& [c, x, n, m] : {std::tuple{"G", 0.0, -3.0, 0.0},
                                     {"G", 2.0, -3.0, -2.0},
                                     {"Q", 0.0, -1.0, 6.0},
                                     {"Q", 2.0, -1.0, 1.0}}) // B1's rows
        b1.Add("B1", c, x, std::vector<double>{n, m}.data(), 0);
    const std::vector<DesignSummaryRow> situations = Summarise(b1, AnalyseDesign(b1, actions));
    ASSERT_EQ(situations.size(), 8u); // N and M, each in ULS and the three SLS
    EXPECT_EQ(situations[1].situation, 1u);
    EXPECT_EQ(situations[1].name, "SLS characteristic");
    EXPECT_EQ(situations[4].max.governing, "1*G + 1.5*Q");
    EXPECT_ROWS({
        ::Row("ULS max of M", situations[4].max.y, 1.5 * 6), // G is 0 there, favourable beyond
        ::Row("N under it", situations[4].max.coincident[0].left, -3.0 - 1.5),
    });
    // As columns: the situation third, the combinations as optional texts, N's own coincident cells empty.
    const std::vector<Column> columns = Tabulate(b1, situations);
    ASSERT_EQ(columns.size(), 17u);
    EXPECT_ROWS({
        ::Row("situation", columns[2].texts[1], std::string("SLS characteristic")),
        ::Row("combination", columns[5].texts[4], std::string("1*G + 1.5*Q")),
    });
    EXPECT_TRUE(columns[5].optional && !columns[2].optional);
    EXPECT_TRUE(std::isnan(columns[9].numbers[0])); // N's own N
    EXPECT_EQ(columns[9].numbers[4], -3.0 - 1.5);   // N under M's maximum
    EXPECT_EQ(SummaryColumns({"M"}, true),
              (Names{"member", "force", "situation", "max", "max_x", "max_combination", "min", "min_x",
                     "min_combination", "max_M_left", "max_M_right", "min_M_left", "min_M_right"}));
}

} // namespace
