// Influence lines read from a model's cases (formats::LinesOf): names, section abscissas, units.
#include "formats/Input.h"
#include "formats/Moving.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using vymath::formats::LinesOf;
using vymath::formats::MovingLines;
using vymath::formats::ReadModelCsv;
using vymath::formats::ReadOptions;

// The lines of CSV text as the moving command reads them, or the message of the error.
std::string Read(const char* text, const std::string& section, MovingLines* out = nullptr) {
    ReadOptions options;
    options.table.columns.caseNames = {"line", "section"};
    try {
        const auto model = ReadModelCsv(text, "l.csv", options);
        const MovingLines lines = LinesOf(*model, section, "--section-x");
        if (out)
            *out = lines;
        return "";
    } catch (const vymath::analysis::Error& e) {
        return e.what();
    }
}

TEST(MovingLines, NamesSectionsAndFaults) {
    MovingLines lines;
    ASSERT_EQ(
        Read("member,section,xs,x,M,V\nS,a,2,0,0,1\nS,a,2,4,0,-1\nS,b,3,0,1,0\nS,b,3,4,1,0\n", "xs", &lines),
        "");
    // A line a member, section and force, each with its section's abscissa; xs is not a line.
    EXPECT_EQ(lines.names, (std::vector<std::string>{"S/a/M", "S/b/M", "S/a/V", "S/b/V"}));
    EXPECT_EQ(lines.sectionX, (std::vector<double>{2, 3, 2, 3}));
    EXPECT_EQ(lines.forceNames, (std::vector<std::string>{"M", "V"}));
    const struct {
        const char* text;
        const char* section;
        const char* message;
    } faults[] = {
        {"line,x,y\nA,0,0\nA,1,1\n", "xs",
         R"(--section-x "xs": l.csv has no column of numbers of that name)"},
        {"line,xs,x,y\nA,1,0,0\nA,2,1,1\n", "xs",
         R"(l.csv: line "A": the section abscissa (column "xs") is 1 and 2: one a line)"},
        {"line,x,y\n,m,kN-m\nA,0,0\nA,1,1\n", "", ""},
        {"line,x,y\n,ft,kN-m\nA,0,0\nA,1,1\n", "",
         R"(l.csv: column "x" is in "ft": influence lines are read in m, and as the effect of a 1 kN load )"
         R"((kN, kN-m), the loads' units; give them so)"},
        {"line,x,y\n,m,kip-ft\nA,0,0\nA,1,1\n", "",
         R"(l.csv: column "y" is in "kip-ft": influence lines are read in m, and as the effect of a 1 kN load )"
         R"((kN, kN-m), the loads' units; give them so)"},
        {"line,Step Type,x,y\nA,Max,0,0\nA,Min,0,0\nA,Max,1,1\nA,Min,1,0\n", "",
         R"(l.csv: line "A" has Max and Min rows: a line has one value at each x)"},
    };
    for (const auto& f : faults)
        EXPECT_EQ(Read(f.text, f.section), f.message) << f.text;
}

} // namespace
