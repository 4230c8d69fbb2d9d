// The results as files, to the byte: the JSON and CSV that the tool and the Python package both write.
#include "formats/Json.h"
#include "formats/Results.h"

#include "SampleRuns.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using vymath::test::SingleRun;

TEST(Results, MachineReadableTextToTheByte) {
    const SingleRun single(vymath::test::Sample());
    EXPECT_EQ(vymath::formats::ToJson(*single.model, single.run),
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
    EXPECT_EQ(vymath::formats::ToCsv(*single.model, single.run), "envelope,x,y,case\n"
                                                                 "lower,0,-1,G\n"
                                                                 "lower,1,-1.7976931348623157e+308,\n"
                                                                 "lower,2,0.30000000000000004,\n"
                                                                 "lower,3,-2,\"Q \"\"1\"\"\"\n"
                                                                 "upper,0,1,\"Q \"\"1\"\"\"\n"
                                                                 "upper,1,1.7976931348623157e+308,\n"
                                                                 "upper,2,5,G\n"
                                                                 "upper,3,-0,G\n");
    const vymath::analysis::KeyFigures overflow{0, 1, 2, {0, 0}, {1, 1}, {}, 1e308, INFINITY, std::nullopt};
    const SingleRun figures(vymath::test::Sample(), {overflow, overflow});
    const std::string json = vymath::formats::ToJson(*figures.model, figures.keyFigures);
    const std::string first =
        "{\n  \"cases\": {\n    \"G\": {\"domain\": [0,1], \"points\": 2, \"min\": {\"x\": 0, "
        "\"y\": 0}, \"max\": {\"x\": 1, \"y\": 1}, \"zeros\": [], \"resultant\": 1e+308, "
        "\"moment\": null, \"excentricity\": null},\n    \"Q";
    EXPECT_EQ(json.substr(0, first.size()), first);
}

TEST(Results, JsonFaultsNamedByTheirPlace) {
    const struct {
        const char* text;
        const char* message;
    } rows[] = {
        {"{\"a\": [1, 2, 1e999]}", "f.json: /a/2: \"1e999\" is out of the range of doubles"},
        {"{\"a\": {\"b\": 1, \"b\": 2}}", "f.json: /a/b: the key is given twice"},
        {"{\"a/~\": {\"b\": 1, \"b\": 2}}", "f.json: /a~1~0/b: the key is given twice"},
        {"{\n  \"a\": [1,]\n}",
         "f.json:2:11: syntax error while parsing value - unexpected ']'; expected '[', "
         "'{', or a literal"},
        {" \n", "f.json: the file is empty"},
    };
    for (const auto& r : rows) {
        try {
            vymath::formats::json::Parse(r.text, "f.json");
            ADD_FAILURE() << r.text;
        } catch (const std::exception& e) {
            EXPECT_EQ(e.what(), std::string(r.message));
        }
    }
}

} // namespace
