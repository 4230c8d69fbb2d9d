// The table reader on CSV text: faults found by fuzzing (fuzz/fuzz_table.cpp).
#include "formats/Input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using vymath::formats::ReadModelCsv;
using vymath::formats::ReadOptions;

// Names and fields of quoted text may hold line ends and other control characters: the messages and notes
// show them escaped, one line each.
TEST(Table, MessagesStayOneLine) {
    const struct {
        const char* text;
        const char* message;
    } rows[] = {
        {"case,x,\"M\ny\"\nG,0,1\nG,1,\"a\nb\"\n", R"(t.csv:4: field 3 (M\ny) "a\nb" is not a number)"},
        {"case,x,\"y\r\"\nG,0,1\nG,1\n", R"(t.csv:3: 2 fields, expected 3 (case,x,y\r))"},
        {"case,x,Step Type,y\nG,0,\"Ma\tx\",1\n",
         R"(t.csv:2: field 3 (step) "Ma\tx" is not a step type (Max, Min, Mode, Step, Single Value or none))"},
        {"\"case\x01\",x,y\nG,0,1\n",
         R"(t.csv:1: expected the header "case,x,y" or "member,case,x,FORCE,...", )"
         R"(found "case\x01,x,y")"},
    };
    for (const auto& r : rows) {
        try {
            ReadModelCsv(r.text, "t.csv", ReadOptions());
            ADD_FAILURE() << r.text;
        } catch (const vymath::analysis::Error& e) {
            EXPECT_EQ(e.what(), std::string(r.message));
        }
    }
    ReadOptions options;
    options.table.cases = {"G"};
    std::vector<std::string> notes;
    options.table.note = [&notes](const std::string& note) { notes.push_back(note); };
    ReadModelCsv("case,x,y\nG,0,1\nG,1,2\n\"Q\r\n1\",0,1\n", "t.csv", options);
    EXPECT_EQ(notes, std::vector<std::string>{
                         R"(t.csv: cases left out (no combination or action names them): Q\r\n1)"});
}

} // namespace
