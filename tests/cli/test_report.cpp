// The results as text, on envelopes with the points that no member governs: a placeholder where no
// member is defined (+-DBL_MAX) and a folded value that no member passes through.
#include "Plot.h"
#include "Report.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace {

using vymath::analysis::EnvelopeLine;

const std::vector<std::string> kNames = {"G", "Q \"1\""};

vymath::analysis::Envelope Sample() {
    vymath::analysis::Envelope r;
    r.lower = EnvelopeLine{{0, 1, 2, 3}, {-1, -DBL_MAX, 0.1 + 0.2, -2}, {0, -1, -1, 1}};
    r.upper = EnvelopeLine{{0, 1, 2, 3}, {1, DBL_MAX, 5, -0.0}, {1, -1, 0, 0}};
    return r;
}

TEST(Report, ExtremaLeavePlaceholdersOut) {
    const vymath::analysis::Envelope r = Sample();
    EXPECT_TRUE(r.lower.Placeholder(1));
    EXPECT_FALSE(r.lower.Placeholder(2));
    EXPECT_EQ(r.lower.IndexOfMax(), 2);
    EXPECT_EQ(r.lower.IndexOfMin(), 3);
    EXPECT_EQ(r.upper.IndexOfMax(), 2);
    EXPECT_EQ(r.upper.IndexOfMin(), 3);
}

TEST(Report, MachineReadableTextToTheByte) {
    const vymath::analysis::Envelope r = Sample();
    EXPECT_EQ(vycli::EnvelopeJson(kNames, r),
              "{\n"
              "  \"members\": [\"G\",\"Q \\\"1\\\"\"],\n"
              "  \"lower\": {\n"
              "    \"x\": [0,1,2,3],\n"
              "    \"y\": [-1,-1.7976931348623157e+308,0.30000000000000004,-2],\n"
              "    \"case\": [\"G\",null,null,\"Q \\\"1\\\"\"]\n"
              "  },\n"
              "  \"upper\": {\n"
              "    \"x\": [0,1,2,3],\n"
              "    \"y\": [1,1.7976931348623157e+308,5,-0],\n"
              "    \"case\": [\"Q \\\"1\\\"\",null,\"G\",\"G\"]\n"
              "  }\n"
              "}\n");
    EXPECT_EQ(vycli::EnvelopeCsv(kNames, r), "envelope,x,y,case\n"
                                             "lower,0,-1,G\n"
                                             "lower,1,-1.7976931348623157e+308,\n"
                                             "lower,2,0.30000000000000004,\n"
                                             "lower,3,-2,\"Q \"\"1\"\"\"\n"
                                             "upper,0,1,\"Q \"\"1\"\"\"\n"
                                             "upper,1,1.7976931348623157e+308,\n"
                                             "upper,2,5,G\n"
                                             "upper,3,-0,G\n");
    const vymath::analysis::KeyFigures overflow{0, 1, 2, {0, 0}, {1, 1}, {}, 1e308, INFINITY, std::nullopt};
    EXPECT_EQ(
        vycli::InspectJson({"G"}, {overflow}),
        "{\n  \"cases\": {\n    \"G\": {\"domain\": [0,1], \"points\": 2, \"min\": {\"x\": 0, \"y\": 0}, "
        "\"max\": {\"x\": 1, \"y\": 1}, \"zeros\": [], \"resultant\": 1e+308, \"moment\": null, "
        "\"excentricity\": null}\n  }\n}\n");
}

TEST(Report, TableAndPlotShowNoPlaceholder) {
    const vymath::analysis::Envelope r = Sample();
    const std::string table = vycli::EnvelopeTable(kNames, r, vycli::Labels());
    EXPECT_EQ(table, "Envelopes of 2 cases: G, Q \"1\"\n\n"
                     "             y  at x  case\n"
                     "upper max    5     2  G\n"
                     "upper min    0     3  G\n"
                     "lower max  0.3     2  -\n"
                     "lower min   -2     3  Q \"1\"\n\n"
                     "lower envelope, 4 points\n"
                     "  x    y  case\n"
                     "  0   -1  G\n"
                     "  1    -  -\n"
                     "  2  0.3  -\n"
                     "  3   -2  Q \"1\"\n\n"
                     "upper envelope, 4 points\n"
                     "  x  y  case\n"
                     "  0  1  Q \"1\"\n"
                     "  1  -  -\n"
                     "  2  5  G\n"
                     "  3  0  G\n");
    // Each envelope's line breaks at its placeholder: one piece each after it (the stretch that the fold
    // interpolated drawn grey), a dot for the single points before it.
    const std::string svg = vycli::EnvelopeSvg(kNames, r, {}, vycli::Labels(), "");
    std::size_t pieces = 0;
    for (std::size_t at = svg.find(" M"); at != std::string::npos; at = svg.find(" M", at + 1))
        ++pieces;
    EXPECT_EQ(pieces, 2u);
    EXPECT_NE(svg.find("stroke=\"#555555\" stroke-width=\"3.0\""), std::string::npos);
    EXPECT_EQ(svg.find("e+308"), std::string::npos);
}

TEST(Report, DesignPlotKeepsLongCombinationsWholeInTheLegend) {
    using namespace vymath::analysis;
    DesignCombination small{{{"G", 1.35}}}, large;
    for (const char* c : {"DeadLoad", "Finishes", "ImposedSpan1", "ImposedSpan2", "SnowDrift", "WindWest"})
        large.factors.push_back({c, 1.5 * 0.7});
    DesignResult d;
    d.situation = {"ULS", {{0, 4}, {-1, -2}, {0, 0}}, {{0, 4}, {3, 5}, {1, 1}}, {small, large}};
    d.max = {true, 4, 5, 1, {}, {}};
    d.min = {true, 4, -2, 0, {}, {}};
    DesignResult sls = d;
    sls.situation.name = "SLS characteristic";
    const std::string svg = vycli::DesignSvg({d, sls}, vycli::Labels(), "B1, M");
    // One panel a situation, each legend entry (the text right of the plot) whole, broken before a sign
    // into lines that fit the legend.
    std::vector<std::string> entries;
    const std::string legend = "<text x=\"812\"";
    for (std::size_t at = svg.find(legend); at != std::string::npos; at = svg.find(legend, at + 1)) {
        const std::size_t from = svg.find('>', at) + 1;
        const std::string line = svg.substr(from, svg.find('<', from) - from);
        EXPECT_LE(line.size(), 49u) << line;
        if (line[0] == '+')
            entries.back() += " " + line;
        else
            entries.push_back(line);
    }
    EXPECT_EQ(entries, (std::vector<std::string>{small.Text(), large.Text(), small.Text(), large.Text()}));
}

} // namespace
