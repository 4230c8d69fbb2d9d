// Capacity files: every fault named by its place, and what a good file gives.
#include "formats/Capacity.h"

#include <vymath/analysis/Error.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using vymath::formats::ReadCapacity;

const std::string kSquare = R"("curve": [[-1, -1], [1, -1], [1, 1], [-1, 1], [-1, -1]])";

std::string Fault(const std::string& text) {
    try {
        ReadCapacity(text, "c.json");
        return "";
    } catch (const vymath::analysis::Error& e) {
        return e.what();
    }
}

TEST(Capacity, FaultsNamedByTheirPlace) {
    const std::string s = R"({"sections": {"S": {"forces": ["P", "M3"], )" + kSquare + "}}";
    const struct {
        std::string text, message;
    } cases[] = {
        {"[]", "c.json: expected an object {\"sections\": {...}, \"members\": {...}, \"default\": ...}"},
        {R"({"sections": {}})",
         "c.json: /sections: expected \"sections\": an object of one section at least"},
        {s + R"(, "size": 1})", "c.json: /size: unknown key \"size\""},
        {R"({"sections": {"S": {"forces": ["P", "P"], )" + kSquare + "}}}",
         "c.json: /sections/S/forces: the section's two forces are both \"P\""},
        {R"({"sections": {"S": {"forces": ["P"], )" + kSquare + "}}}",
         "c.json: /sections/S/forces: expected \"forces\": the names of two of the model's forces"},
        {R"({"sections": {"S": {"forces": ["P", "M"], "curve": [[0, 1], 2]}}})",
         "c.json: /sections/S/curve/1: expected a point [P, M]"},
        {R"({"sections": {"a/b": {"forces": ["P", "M"], "curve": [], "x": 1}}})",
         "c.json: /sections/a~1b/x: unknown key \"x\""},
        {s + R"(, "members": {"C1": "T"}})", "c.json: /members/C1: no section \"T\""},
        {s + R"(, "default": 3})", "c.json: /default: expected a section's name"},
        {s + R"(, "method": "median"})", "c.json: /method: expected \"ray\" or \"at-first-force\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Fault(c.text), c.message) << c.text;
}

TEST(Capacity, SectionsMembersAndMethod) {
    const auto c = ReadCapacity(
        R"({"sections": {"A": {"forces": ["P", "M3"], )" + kSquare + R"(}, "B": {"forces": ["M2", "M3"], )" +
            kSquare + R"(}}, "members": {"C1": "B"}, "default": "A", "method": "at-first-force"})",
        "c.json");
    ASSERT_EQ(c.sections.size(), 2u);
    EXPECT_EQ(c.sections[1].forces[0], "M2");
    ASSERT_EQ(c.members.size(), 1u);
    EXPECT_EQ(c.members[0].second, 1u);
    EXPECT_EQ(c.fallback, std::optional<std::size_t>(0));
    EXPECT_EQ(c.method, vymath::analysis::CheckMethod::AtFirstForce);
}

} // namespace
