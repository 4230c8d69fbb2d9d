// Uses the installed analysis layer as an outside project would; exits with 0 when the numbers match.
#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/Summary.h>

#include <cstdio>

#if defined(VYMATH_ANALYSIS_STATIC) != VYMATH_EXPECT_STATIC
#error "VYMATH_ANALYSIS_STATIC does not match the installed library flavour"
#endif

int main() {
    namespace va = vymath::analysis;
    va::Model model({"M"});
    const double rows[][2] = {{0, 0}, {5, 125}, {10, 0}}; // x, M of G
    for (const auto& r : rows)
        model.Add("B1", "G", r[0], &r[1], 0);
    const double q[][2] = {{0, 0}, {5, 50}, {10, 0}};
    for (const auto& r : q)
        model.Add("B1", "Q", r[0], &r[1], 0);
    const va::EnvelopeRun run =
        va::AnalyseEnvelopes(model, va::ParseCombinations({"ULS=1.35*G + 1.5*Q"}), va::EnvelopeMethod::Exact);
    const std::vector<va::SummaryRow> summary = va::Summarise(model, run);
    if (summary.size() != 1 || summary[0].max.y != 1.35 * 125 + 1.5 * 50 ||
        summary[0].max.governing != "ULS") {
        std::printf("wrong summary\n");
        return 1;
    }
    try {
        model.Add("", "G", 1, &rows[0][1], 7); // a member without a name in a named model
        std::printf("an empty member name was taken\n");
        return 1;
    } catch (const va::Error& e) { // thrown by the library, caught here: the type is exported
        std::printf("analysis: max %g at x = %g (%s); %s\n", summary[0].max.y, summary[0].max.x,
                    summary[0].max.governing.c_str(), e.what());
    }
    return 0;
}
