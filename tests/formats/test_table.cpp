// The table reader on CSV text: faults found by fuzzing (fuzz/fuzz_table.cpp).
#include "formats/Input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using vymath::formats::ReadModelCsv;
using vymath::formats::ReadOptions;

// The message of reading text, or "" where it reads.
std::string Message(const char* text, const ReadOptions& options = ReadOptions()) {
    try {
        ReadModelCsv(text, "t.csv", options);
        return "";
    } catch (const vymath::analysis::Error& e) {
        return e.what();
    }
}

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
         R"(t.csv:1: expected the header "case,x,y" or "member,case,x,FORCE,...", found "case\x01,x,y")"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(Message(r.text), r.message);
    ReadOptions options;
    options.table.cases = {"G"};
    std::vector<std::string> notes;
    options.table.note = [&notes](const std::string& note) { notes.push_back(note); };
    ReadModelCsv("case,x,y\nG,0,1\nG,1,2\n\"Q\r\n1\",0,1\n", "t.csv", options);
    EXPECT_EQ(notes, std::vector<std::string>{
                         R"(t.csv: cases left out (no combination or action names them): Q\r\n1)"});
}

// A table without rows leaves the tables after it as they are, and the messages name what is missing.
TEST(Table, TablesWithoutRows) {
    const auto model = ReadModelCsv(
        "TABLE: A\nmember,case,x,M\nTABLE: B\nmember,case,x,V\nB1,G,0,1\nB1,G,1,2\n", "t.csv", {});
    EXPECT_EQ(model->Forces(), std::vector<std::string>{"V"});
    EXPECT_EQ(model->Rows(), 2u);
    ReadOptions titled;
    titled.table.table = "T";
    EXPECT_EQ(Message("case,x,y\nG,0,1\nG,1,2\n", titled), R"(t.csv: no table "T"; the tables: none)");
    EXPECT_EQ(Message("TABLE: A\n"), "t.csv: no header row");
    EXPECT_EQ(Message("TABLE: A\ncase,x,y\nTABLE: B\nfoo\n"), "t.csv: no rows after the header");
}

} // namespace
