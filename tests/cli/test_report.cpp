// The results for people, on envelopes with the points that no member governs: a placeholder where no
// member is defined (+-DBL_MAX) and a folded value that no member passes through.
#include "Colours.h"
#include "Svg.h"
#include "Table.h"

#include "SampleRuns.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <regex>

namespace {

using vymath::analysis::EnvelopeLine;
using vymath::test::kNames;
using vymath::test::Sample;

TEST(Report, ExtremaLeavePlaceholdersOut) {
    const vymath::analysis::Envelope r = Sample();
    EXPECT_TRUE(r.lower.Placeholder(1));
    EXPECT_FALSE(r.lower.Placeholder(2));
    EXPECT_EQ(r.lower.IndexOfMax(), 2);
    EXPECT_EQ(r.lower.IndexOfMin(), 3);
    EXPECT_EQ(r.upper.IndexOfMax(), 2);
    EXPECT_EQ(r.upper.IndexOfMin(), 3);
}

TEST(Report, TableAndPlotShowNoPlaceholder) {
    const vymath::analysis::Envelope r = Sample();
    const vymath::test::SingleRun single(r);
    const std::string table = vycli::EnvelopeTable(*single.model, single.run, vycli::Labels());
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
    const std::string svg = vycli::EnvelopeSvg(kNames, r, {}, vycli::Labels(), "cases", "");
    std::size_t pieces = 0;
    for (std::size_t at = svg.find(" M"); at != std::string::npos; at = svg.find(" M", at + 1))
        ++pieces;
    EXPECT_EQ(pieces, 2u);
    EXPECT_NE(svg.find("stroke=\"#555555\" stroke-width=\"3.0\""), std::string::npos);
    EXPECT_EQ(svg.find("e+308"), std::string::npos);
}

TEST(Report, DesignPlotKeepsLongCombinationsWholeInTheLegend) {
    using namespace vymath::analysis;
    DesignCombination small{{{"G", 1.35}}, "", ""}, large;
    for (const char* c : {"DeadLoad", "Finishes", "ImposedSpan1", "ImposedSpan2", "SnowDrift", "WindWest"})
        large.factors.push_back({c, 1.5 * 0.7});
    SituationResult d;
    d.situation = {"ULS", {{0, 4}, {-1, -2}, {0, 0}}, {{0, 4}, {3, 5}, {1, 1}}, {small, large}};
    d.max = {true, 4, 5, 1, {}, {}};
    d.min = {true, 4, -2, 0, {}, {}};
    SituationResult sls = d;
    sls.situation.name = "SLS characteristic";
    const std::string svg = vycli::DesignSvg({d, sls}, vycli::Labels(), "B1, M", "EN 1990");
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

TEST(Report, EachStretchInTheColourOfItsGoverningCase) {
    // The upper envelope governed by 0, 1, 2, 0 in turn, the lower by 2 alone; each stretch's colour is its
    // case's in the legend.
    vymath::analysis::Envelope r;
    r.lower = EnvelopeLine{{0, 1, 2, 3, 4}, {-1, -1, -1, -1, -1}, {2, 2, 2, 2, 2}};
    r.upper = EnvelopeLine{{0, 1, 2, 3, 4}, {1, 2, 3, 2, 1}, {0, 1, 2, 0, 0}};
    const std::string svg = vycli::EnvelopeSvg({"A", "B", "C"}, r, {}, vycli::Labels(), "cases", "");
    const std::regex thick("<path d=\"[^\"]*\" stroke=\"(#[0-9a-f]{6})\" stroke-width=\"3.0\"/>");
    std::vector<std::string> colours;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), thick); it != std::sregex_iterator(); ++it)
        colours.push_back((*it)[1]);
    const auto& p = vycli::Palette();
    EXPECT_EQ(colours, (std::vector<std::string>{p[2], p[0], p[1], p[2], p[0]}));
}

} // namespace
