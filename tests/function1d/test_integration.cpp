#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

using F = CVyMathFunction1D;
using Acc = VyMathTestAccess;

F Poly(std::vector<F::Point> pts) {
    const double lo = pts.front().x, hi = pts.back().x;
    return MakeFunction(std::move(pts), lo, hi);
}

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// {resultant, moment, excentricity, resultant of GetExcentricityAndResultant}; both results must be 1.
std::vector<double> Resultants(F f) {
    double r = 99, m = 99, e = 99, r2 = 99;
    EXPECT_EQ(f.GetResultantAndMoment(r, m) + f.GetExcentricityAndResultant(e, r2), 2);
    return {r, m, e, r2};
}

} // namespace

TEST(Trapzd, LevelsAloneAndFromTheCarriedEstimate) {
    // Hat (0, 0), (1, 3), (3, 0): level 1 samples the ends (0); level 2 adds f(1.5) = 2.25;
    // level 3 adds f(0.75) = 2.25 and f(2.25) = 1.125. Unit on [0, 1] integrated over [0, 3]: failing
    // samples repeat the sweep's previous one (0 before any, 0 at a failing end).
    const F hat = Poly({{0, 0}, {1, 3}, {3, 0}}), unit = Poly({{0, 1}, {1, 1}});
    const double hatLevels[] = {0.0, 0.0, 3.375, 4.21875}, unitLevels[] = {0.0, 1.5, 0.75, 1.875};
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(Acc::Trapzd(hat, 0, 3, n), hatLevels[n]) << n;
        EXPECT_EQ(Acc::Trapzd(unit, 0, 3, n), unitLevels[n]) << n;
    }
    EXPECT_EQ(Acc::Trapzd(hat, 0, 3, 0) + Acc::Trapzd(hat, 0, 3, 33), 0.0);
    double estimate = 123.0;
    EXPECT_EQ(Acc::Trapzd(hat, 0, 3, 1, estimate), 0.0);
    EXPECT_EQ(Acc::Trapzd(hat, 0, 3, 2, estimate), 3.375);
    EXPECT_EQ(estimate, 3.375);
    double other = 0.0; // level 3 refines whatever it is given: 0.5 * (0 + 3 * 3.375 / 2)
    EXPECT_EQ(Acc::Trapzd(hat, 0, 3, 3, other), 2.53125);
}

TEST(Qtrap, ConvergesClipsOrGivesZero) {
    const F f = MakeFunction({{0, 1}, {10, 1}}, 0, 10);
    const struct {
        double a, b, expected;
    } cases[] = {{0, 1, 1},         {1, 0, -1},   {2, 2, 0}, // (2, 2): every level exactly 0
                 {-5, 2, 2},        {8, 20, 2},   {20, 8, -2}, {12, 15, 0},
                 {-kInf, kInf, 10}, {kNaN, 1, 0}, {1, kNaN, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(f.Qtrap(c.a, c.b), c.expected) << c.a << " " << c.b;
    EXPECT_NEAR(Poly({{0, 0}, {1, 3}, {3, 0}}).Qtrap(0, 3), 4.5, 1e-4);
    EXPECT_EQ(Poly({{0, 1}, {1, -1}}).Qtrap(0, 1), 0.0); // antisymmetric: every level exactly 0
    // A kink off every dyadic point: integral 3 is reached, but where the true integral is 0 the
    // relative test never passes within 20 levels.
    EXPECT_NEAR(Poly({{0, -4}, {1, 2}, {3, 2}}).Qtrap(0, 3), 3.0, 1e-4);
    const F balanced = Poly({{0, -5}, {1, 1}, {3, 1}});
    EXPECT_NE(Acc::Trapzd(balanced, 0, 3, 20), 0.0);
    EXPECT_EQ(balanced.Qtrap(0, 3), 0.0);
    EXPECT_EQ(Poly({{0, kNaN}, {1, 1}}).Qtrap(0, 1), 0.0); // a NaN never passes
    // Open ends (the clipped width overflows) and an empty function give 0.
    EXPECT_EQ(F().Qtrap(-kInf, kInf) + F().Qtrap(0, 1) + MakeFunction({}, 0, 1).Qtrap(0, 1), 0.0);
    EXPECT_EQ(f.QtrapXFunc(0, 10) + f.QtrapXFunc(kNaN, -kInf), 0.0);
}

TEST(Resultant, SegmentAreasMomentsAndExcentricity) {
    using R = std::vector<double>;
    EXPECT_EQ(Resultants(Poly({{0, 0}, {10, 10}})), (R{50, 0, 5, 50})); // segment middle, not centroid
    EXPECT_EQ(Resultants(Poly({{0, 0}, {5, 5}, {10, 10}})), (R{50, -62.5, 6.25, 50}));
    EXPECT_EQ(Resultants(Poly({{10, 1}, {20, 1}})), (R{10, 0, 15, 10})); // measured from x = 0
    EXPECT_EQ(Resultants(Poly({{0, 1}, {1, -1}})), (R{0, 0, 0, 0}));
    EXPECT_EQ(Resultants(MakeFunction({{2, 3}}, 0, 4)), (R{0, 0, 0, 0}));
    // Null within Xtolerance (strictly): the resultant 1e-6 is reported only by the excentricity form.
    F tiny = Poly({{0, 1e-6}, {1, 1e-6}});
    EXPECT_EQ(Resultants(tiny), (R{0, 0, 0, 1e-6}));
    tiny.SetXtolerance(1e-7);
    EXPECT_EQ(Resultants(tiny), (R{1e-6, 0, 0.5, 1e-6}));
    F half = Poly({{0, 0.5}, {1, 0.5}}), quarter = Poly({{0, 0.25}, {1, 0.25}});
    half.SetXtolerance(0.5);
    quarter.SetXtolerance(0.5);
    EXPECT_EQ(Resultants(half)[0], 0.5);
    EXPECT_EQ(Resultants(quarter)[0], 0.0);
    // The default function: zero ordinates give no area although the width overflows.
    const R def = Resultants(F());
    EXPECT_EQ(def[0] + def[2] + def[3], 0.0);
    EXPECT_FALSE(std::isfinite(def[1]));
}

TEST(Excentricity, SixTimesFirstMomentAboutOrigin) {
    EXPECT_EQ(MakeFunction({{0, 1}, {1, 1}}, 5, 6).Excentricity(), 3.0); // the domain is not used
    EXPECT_EQ(Poly({{0, 0}, {10, 10}}).Excentricity(), 2000.0);
    EXPECT_EQ(Poly({{0, 0}, {1, 1}, {2, 1}}).Excentricity(), 11.0); // 6 * (1/3 + 3/2)
    EXPECT_EQ(MakeFunction({{2, 3}}, 0, 4).Excentricity(), 0.0);
}
