// Combination expressions: the terms read from NAME=EXPR (their errors are in the table of bad inputs).
#include "vymath/analysis/Combination.h"

#include <gtest/gtest.h>

namespace {

TEST(Combination, TermsOfAnExpression) {
    const struct {
        const char* arg;
        const char* name;
        std::vector<vymath::analysis::Term> terms;
    } rows[] = {
        {"ULS=1.35*G + 1.5*Q1 + 0.9*W", "ULS", {{1.35, "G"}, {1.5, "Q1"}, {0.9, "W"}}},
        {" SLS = G+Q ", "SLS", {{1, "G"}, {1, "Q"}}},
        {"D=-G - 2 * Q + 1e-3*W", "D", {{-1, "G"}, {-2, "Q"}, {1e-3, "W"}}},
        {"Q=1.5*\"Q span 1\"-\"Q-2\"", "Q", {{1.5, "Q span 1"}, {-1, "Q-2"}}},
        {"Twice=G+G", "Twice", {{1, "G"}, {1, "G"}}},
        {"Süd=0.6*Wind_Süd", "Süd", {{0.6, "Wind_Süd"}}},
    };
    for (const auto& row : rows) {
        const auto parsed = vymath::analysis::ParseCombinations({row.arg});
        ASSERT_EQ(parsed.size(), 1u);
        EXPECT_EQ(parsed[0].name, row.name);
        ASSERT_EQ(parsed[0].terms.size(), row.terms.size()) << row.arg;
        for (std::size_t k = 0; k < row.terms.size(); ++k) {
            EXPECT_EQ(parsed[0].terms[k].factor, row.terms[k].factor) << row.arg;
            EXPECT_EQ(parsed[0].terms[k].loadCase, row.terms[k].loadCase) << row.arg;
        }
    }
}

TEST(Combination, EveryMalformedExpressionIsAUsageError) {
    for (const char* arg :
         {"=G", "A=", "A=G+", "A=G*2", "A=*G", "A=2*", "A=G Q", "A=\"G", "A=1e999*G", "A=--G"}) {
        try {
            vymath::analysis::ParseCombinations({arg});
            ADD_FAILURE() << arg;
        } catch (const vymath::analysis::Error& e) {
            EXPECT_EQ(e.GetKind(), vymath::analysis::Error::Kind::Usage) << arg;
        }
    }
}

} // namespace
