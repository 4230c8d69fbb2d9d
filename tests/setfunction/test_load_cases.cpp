// The beam example's diagrams checked against the beam formulas.
#include "TestSupport.h"
#include "beam_diagrams.h"

#include <algorithm>

namespace {

constexpr double kSpan = 10.0;

F CaseDiagram(int k) {
    return beam::Diagram(kSpan, 200, beam::LoadCases(kSpan)[static_cast<std::size_t>(k)].moment);
}

TEST(LoadCases, MaximaAndZerosMatchTheBeamFormulas) {
    struct Case {
        const char* name;
        int k;
        P max;
    };
    const Case cases[] = {{"uniform: qL^2/8 at midspan", 0, {5, 10.0 * kSpan * kSpan / 8}},
                          {"point loads: P a b / L under the first load",
                           1,
                           {3, 50.0 * 3 * 7 / kSpan + 30.0 * 2.5 * 3 / kSpan}},
                          // Reaction 39 kN; zero shear at 2 + 39 / 20 = 3.95 m.
                          {"partial load", 2, {3.95, 39 * 3.95 - 20 * 1.95 * 1.95 / 2}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        F::PointList minima, maxima;
        CaseDiagram(c.k).GlobalMinMax(minima, maxima);
        const V got = ItemsOf(maxima);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_NEAR(got[0].first, c.max.first, 1e-12);
        EXPECT_NEAR(got[0].second, c.max.second, 1e-9);
    }
    // Uplift: M = -2.5 x^2 + 31.4 x - 64 right of it, zero at 2.56 m, then at the right support.
    F::PointList zeros;
    CaseDiagram(3).GetAllZero(zeros, 1e-9);
    const V z = ItemsOf(zeros);
    ASSERT_EQ(z.size(), 2u);
    EXPECT_NEAR(z[0].first, 2.56, 1e-3);
    EXPECT_NEAR(z[1].first, kSpan, 1e-12);
}

TEST(LoadCases, EnvelopesBoundEveryCase) {
    std::vector<F> diagrams;
    for (int k = 0; k < 4; ++k)
        diagrams.push_back(CaseDiagram(k));
    CVyMathSetFunction1D set;
    for (auto& d : diagrams)
        set.AddFunction(&d);
    F lower, upper;
    ASSERT_TRUE(set.EnvelopMaxMin(lower, upper));
    for (int i = 0; i <= 40; ++i) {
        const double x = kSpan * i / 40;
        double least = HUGE_VAL, most = -HUGE_VAL;
        for (const auto& d : diagrams) {
            least = std::min(least, At(d, x));
            most = std::max(most, At(d, x));
        }
        EXPECT_NEAR(At(lower, x), least, 1e-9) << x;
        EXPECT_NEAR(At(upper, x), most, 1e-9) << x;
    }
}

} // namespace
