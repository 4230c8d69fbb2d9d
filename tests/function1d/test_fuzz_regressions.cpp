// Inputs found by fuzzing, each once a broken invariant.
#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

using F = CVyMathFunction1D;

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

double Identity(double x) {
    return x;
}

TEST(FuzzRegressions, SamplingConstructorsNeverStoreANaNDomain) {
    CVyMathPolynom p(0);
    p.SetCoeff(1.0);
    const F sampled[] = {F(p, kNaN, 1.0, 2), F(&Identity, 0.0, kNaN, 2), F(F(), kNaN, kInf, 2),
                         F(F(0, 1, 0), kNaN), F(1.0, 1.0, 0.0, kNaN, 1.0, 0.5)};
    for (const F& f : sampled) {
        double a, b;
        f.GetFullRange(a, b);
        EXPECT_FALSE(std::isnan(a));
        EXPECT_FALSE(std::isnan(b));
        EXPECT_TRUE(F(f) == f); // a copy equals its source
    }
    double a, b;
    sampled[0].GetFullRange(a, b);
    EXPECT_EQ(a, -DBL_MAX);
    EXPECT_EQ(b, 1.0);
    sampled[2].GetFullRange(a, b);
    EXPECT_EQ(b, DBL_MAX);
}

TEST(FuzzRegressions, SamplingStopsAtTheEndOfTheDoubleRange) {
    // Three steps of DBL_MAX / 3 from a negative start pass DBL_MAX: no infinite abscissa is stored.
    CVyMathPolynom p(0);
    p.SetCoeff(0.0);
    const F f(p, -35.911362603233371, DBL_MAX, 3);
    const auto& pts = VyMathTestAccess::Points(f);
    ASSERT_EQ(pts.size(), 3u);
    for (const auto& pt : pts)
        EXPECT_TRUE(std::isfinite(pt.x));
    const F r(F(), -35.911362603233371, DBL_MAX, 3);
    for (const auto& pt : VyMathTestAccess::Points(r))
        EXPECT_TRUE(std::isfinite(pt.x));
}

TEST(FuzzRegressions, CrossingOfOrdinatesAtOppositeSentinels) {
    // The differences of the ordinates overflow to +-inf in double; the crossing is still found.
    F f = MakeFunction({{0, DBL_MAX}, {1, -DBL_MAX}}, 0, 1);
    F g = MakeFunction({{0, -DBL_MAX}, {1, DBL_MAX}}, 0, 1);
    F::PointList crossings;
    EXPECT_EQ(f.GetIntersectionAbscissas(&g, crossings), 1);
    EXPECT_EQ(ItemsOf(crossings), (std::vector<std::pair<double, double>>{{0.5, 0.0}}));
}

TEST(FuzzRegressions, FiniteEndsOfASpanBeyondTheDoubleRange) {
    // Inner points near -DBL_MAX and +DBL_MAX: a tenth of their span overflows in double.
    F f;
    f.Set(-DBL_MAX / 2, 1);
    f.Set(0, 2);
    f.Set(DBL_MAX / 2, 3);
    F::PointList list;
    f.GetListPoint(list, F::ListFiniteEnds);
    EXPECT_EQ(ItemsOf(list), (std::vector<std::pair<double, double>>{{-DBL_MAX / 2 - DBL_MAX / 10, 1},
                                                                     {-DBL_MAX / 2, 1},
                                                                     {0, 2},
                                                                     {DBL_MAX / 2, 3},
                                                                     {DBL_MAX / 2 + DBL_MAX / 10, 3}}));
    f.Set(-DBL_MAX * 0.95, 0);
    F::PointList wide;
    f.GetListPoint(wide, F::ListFiniteEnds);
    wide.ResetCursor();
    double x, y;
    ASSERT_TRUE(wide.GetNext(x, y));
    EXPECT_EQ(x, -DBL_MAX);
}

} // namespace
