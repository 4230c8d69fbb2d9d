// The beam example's diagrams checked against the beam formulas.
#include "beam_diagrams.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kSpan = 10.0;
constexpr int kIntervals = 200;

CVyMathFunction1D CaseDiagram(int k) {
    return beam::Diagram(kSpan, kIntervals, beam::LoadCases(kSpan)[static_cast<std::size_t>(k)].moment);
}

// The single global maximum of a diagram.
void GlobalMax(CVyMathFunction1D& f, double& x, double& y) {
    CVyMathFunction1D::PointList minima, maxima;
    f.GlobalMinMax(minima, maxima);
    maxima.ResetCursor();
    ASSERT_TRUE(maxima.GetNext(x, y));
    double x2, y2;
    EXPECT_FALSE(maxima.GetNext(x2, y2));
}

TEST(LoadCases, MaximaMatchTheBeamFormulas) {
    double x, y;
    CVyMathFunction1D uniform = CaseDiagram(0);
    GlobalMax(uniform, x, y);
    EXPECT_NEAR(y, 10.0 * kSpan * kSpan / 8, 1e-9); // qL^2/8
    EXPECT_NEAR(x, 5.0, 1e-12);

    CVyMathFunction1D points = CaseDiagram(1);
    GlobalMax(points, x, y);
    EXPECT_NEAR(y, 50.0 * 3 * 7 / kSpan + 30.0 * 2.5 * 3 / kSpan, 1e-9); // P a b / L under the first load
    EXPECT_NEAR(x, 3.0, 1e-12);

    CVyMathFunction1D partial = CaseDiagram(2);
    GlobalMax(partial, x, y);
    // Reaction 39 kN; zero shear at 2 + 39 / 20 = 3.95 m; M = 39 * 3.95 - 20 * 1.95^2 / 2.
    EXPECT_NEAR(x, 3.95, 1e-12);
    EXPECT_NEAR(y, 39 * 3.95 - 20 * 1.95 * 1.95 / 2, 1e-9);
}

TEST(LoadCases, UpliftCaseChangesSign) {
    CVyMathFunction1D m = CaseDiagram(3);
    CVyMathFunction1D::PointList zeros;
    m.GetAllZero(zeros, 1e-9);
    // M = -2.5 x^2 + 31.4 x - 64 right of the uplift: zeros at 2.56 m and at the right support.
    double x, y;
    zeros.ResetCursor();
    ASSERT_TRUE(zeros.GetNext(x, y));
    EXPECT_NEAR(x, 2.56, 1e-3);
    ASSERT_TRUE(zeros.GetNext(x, y));
    EXPECT_NEAR(x, kSpan, 1e-12);
    EXPECT_FALSE(zeros.GetNext(x, y));
}

TEST(LoadCases, EnvelopesBoundEveryCase) {
    std::vector<CVyMathFunction1D> diagrams;
    for (int k = 0; k < 4; ++k)
        diagrams.push_back(CaseDiagram(k));
    CVyMathSetFunction1D set;
    for (auto& d : diagrams)
        set.AddFunction(&d);
    CVyMathFunction1D lower, upper;
    ASSERT_TRUE(set.EnvelopMaxMin(lower, upper));
    for (int i = 0; i <= 40; ++i) {
        const double x = kSpan * i / 40;
        double lo = 0, hi = 0, least = HUGE_VAL, most = -HUGE_VAL;
        for (auto& d : diagrams) {
            double y;
            ASSERT_TRUE(d.GetOrdinate(x, y));
            least = std::min(least, y);
            most = std::max(most, y);
        }
        ASSERT_TRUE(lower.GetOrdinate(x, lo));
        ASSERT_TRUE(upper.GetOrdinate(x, hi));
        EXPECT_NEAR(lo, least, 1e-9) << x;
        EXPECT_NEAR(hi, most, 1e-9) << x;
    }
    double y;
    ASSERT_TRUE(upper.GetOrdinate(5.0, y));
    EXPECT_NEAR(y, 125.0, 1e-9); // the uniform load governs midspan
    ASSERT_TRUE(lower.GetOrdinate(1.0, y));
    EXPECT_NEAR(y, 5.0 * 1 * 9 / 2 - 32.0 * 8 * 1 / kSpan, 1e-9); // the uplift case governs near the support
}

} // namespace
