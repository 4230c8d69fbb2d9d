// Inputs found by fuzzing, each once a broken invariant.
#include "TestSupport.h"

namespace {

double Identity(double x) {
    return x;
}

TEST(FuzzRegressions, SamplingConstructorsNeverStoreANaNDomain) {
    CVyMathPolynom p(0);
    p.SetCoeff(1.0);
    EXPECT_ROWS(
        {Row("polynomial, NaN x0", Range(F(p, kNaN, 1.0, 2)), {-DBL_MAX, 1}),
         Row("function pointer, NaN x1", Range(F(&Identity, 0.0, kNaN, 2)), {0, DBL_MAX}),
         Row("resampling, NaN and infinite bounds", Range(F(F(), kNaN, kInf, 2)), {-DBL_MAX, DBL_MAX}),
         Row("stretch to NaN: an open end", Range(F(F(0, 1, 0), kNaN)), {0, DBL_MAX}),
         Row("sine, NaN xmin", Range(F(1.0, 1.0, 0.0, kNaN, 1.0, 0.5)), {-DBL_MAX, 1})});
}

TEST(FuzzRegressions, SamplingStopsAtTheEndOfTheDoubleRange) {
    // Three steps of DBL_MAX / 3 from a negative start pass DBL_MAX: no infinite abscissa is stored.
    CVyMathPolynom p(0);
    p.SetCoeff(0.0);
    for (const F& f : {F(p, -35.911362603233371, DBL_MAX, 3), F(F(), -35.911362603233371, DBL_MAX, 3)})
        for (const auto& pt : PointsOf(f))
            EXPECT_TRUE(std::isfinite(pt.first));
    EXPECT_EQ(PointsOf(F(p, -35.911362603233371, DBL_MAX, 3)).size(), 3u);
}

TEST(FuzzRegressions, CrossingOfOrdinatesAtOppositeSentinels) {
    // The differences of the ordinates overflow to +-inf in double; the crossing is still found.
    F f = MakeFunction({{0, DBL_MAX}, {1, -DBL_MAX}}, 0, 1),
      g = MakeFunction({{0, -DBL_MAX}, {1, DBL_MAX}}, 0, 1);
    F::PointList crossings;
    EXPECT_EQ(f.GetIntersectionAbscissas(&g, crossings), 1);
    EXPECT_EQ(ItemsOf(crossings), (V{{0.5, 0.0}}));
}

TEST(FuzzRegressions, FiniteEndsOfASpanBeyondTheDoubleRange) {
    // Inner points near -DBL_MAX and +DBL_MAX: a tenth of their span overflows in double.
    F f;
    f.Set(-DBL_MAX / 2, 1);
    f.Set(0, 2);
    f.Set(DBL_MAX / 2, 3);
    F::PointList list, wide;
    f.GetListPoint(list, F::ListFiniteEnds);
    EXPECT_EQ(ItemsOf(list), (V{{-DBL_MAX / 2 - DBL_MAX / 10, 1},
                                {-DBL_MAX / 2, 1},
                                {0, 2},
                                {DBL_MAX / 2, 3},
                                {DBL_MAX / 2 + DBL_MAX / 10, 3}}));
    f.Set(-DBL_MAX * 0.95, 0); // the end stops at -DBL_MAX
    f.GetListPoint(wide, F::ListFiniteEnds);
    EXPECT_EQ(ItemsOf(wide).front().first, -DBL_MAX);
}

} // namespace
