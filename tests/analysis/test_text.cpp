// Doubles as text: shortest output that reads back to the same bits, strict parsing of fields.
#include "analysis/Text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <cstring>
#include <random>

namespace {

using vymath::text::ParseDouble;
using vymath::text::ParseStatus;

TEST(Text, ShortestTextReadsBackToTheSameBits) {
    const struct {
        double v;
        const char* text;
    } rows[] = {
        {0.1, "0.1"},   {0.1 + 0.2, "0.30000000000000004"},   {-0.0, "-0"},       {1e-5, "1e-05"},
        {100.0, "100"}, {DBL_MAX, "1.7976931348623157e+308"}, {5e-324, "5e-324"}, {-12.00001, "-12.00001"}};
    for (const auto& row : rows)
        EXPECT_EQ(vymath::text::Shortest(row.v), row.text);

    std::mt19937_64 bits(14);
    for (int i = 0; i < 20000; ++i) {
        std::uint64_t b = bits();
        double v;
        std::memcpy(&v, &b, sizeof v);
        if (!std::isfinite(v))
            continue;
        double back = 0.0;
        ASSERT_EQ(ParseDouble(vymath::text::Shortest(v), back), ParseStatus::Ok) << vymath::text::Shortest(v);
        std::uint64_t c;
        std::memcpy(&c, &back, sizeof c);
        ASSERT_EQ(c, b) << vymath::text::Shortest(v);
    }
}

TEST(Text, ParsingTakesTheWholeFieldAndOnlyFiniteValues) {
    const struct {
        const char* text;
        ParseStatus status;
        double v;
    } rows[] = {
        {"+1.5", ParseStatus::Ok, 1.5},           {"-0.25", ParseStatus::Ok, -0.25},
        {"4.9e-324", ParseStatus::Ok, 5e-324},    {"+-1", ParseStatus::NotANumber, 0},
        {" 1", ParseStatus::NotANumber, 0},       {"1 ", ParseStatus::NotANumber, 0},
        {"", ParseStatus::NotANumber, 0},         {"0x10", ParseStatus::NotANumber, 0},
        {"1,5", ParseStatus::NotANumber, 0},      {"nan", ParseStatus::NotFinite, 0},
        {"-Infinity", ParseStatus::NotFinite, 0}, {"1e400", ParseStatus::OutOfRange, 0},
    };
    for (const auto& row : rows) {
        double v = 0.0;
        EXPECT_EQ(ParseDouble(row.text, v), row.status) << row.text;
        EXPECT_EQ(v, row.v) << row.text;
    }
}

TEST(Text, ReadableShowsSevenDigitsAndNoNegativeZero) {
    EXPECT_EQ(vymath::text::Readable(-0.0), "0");
    EXPECT_EQ(vymath::text::Readable(12.00001), "12.00001");
    EXPECT_EQ(vymath::text::Readable(1234567.8), "1234568");
    EXPECT_EQ(vymath::text::Readable(945.04731, 4), "945");
}

} // namespace
