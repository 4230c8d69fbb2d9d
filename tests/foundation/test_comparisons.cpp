#include "vymath/CVyMath.h"

#include "foundation/VyMathInternal.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

std::uint64_t Bits(double v) {
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

TEST(Constants, HaveTheirExactBits) {
    EXPECT_EQ(Bits(CVyMath::dfPI), 0x400921FB54442D18ULL);
    EXPECT_EQ(Bits(CVyMath::dfINFINITE), 0x7FF0000000000000ULL);
    EXPECT_EQ(Bits(CVyMath::dfNAN), 0x7FF8000000000000ULL);
}

TEST(Comparisons, ToleranceIsStrictAtExactlyTol) {
    EXPECT_FALSE(CVyMath::Equal(0.0, 0.5, 0.5));
    EXPECT_TRUE(CVyMath::Equal(0.0, 0.25, 0.5));
    EXPECT_FALSE(CVyMath::Greater(1.5, 1.0, 0.5));
    EXPECT_TRUE(CVyMath::Greater(1.75, 1.0, 0.5));
    EXPECT_FALSE(CVyMath::Smaller(1.0, 1.5, 0.5));
    EXPECT_TRUE(CVyMath::Smaller(1.0, 1.75, 0.5));
    EXPECT_FALSE(CVyMath::GreaterEqual(0.5, 1.0, 0.5));
    EXPECT_TRUE(CVyMath::GreaterEqual(0.75, 1.0, 0.5));
    EXPECT_FALSE(CVyMath::SmallerEqual(1.0, 0.5, 0.5));
    EXPECT_TRUE(CVyMath::SmallerEqual(1.0, 0.75, 0.5));
    EXPECT_TRUE(CVyMath::SmallerEqual(0.0, 2.0, 0.5));
    EXPECT_TRUE(CVyMath::IsNull(-0.25, 0.5));
    EXPECT_FALSE(CVyMath::IsNull(-0.5, 0.5));
}

TEST(Comparisons, ToleranceIsUsedUnchecked) {
    // A negative tolerance makes Equal impossible and Greater stricter; nothing clamps it.
    EXPECT_FALSE(CVyMath::Equal(1.0, 1.0, -1.0));
    EXPECT_FALSE(CVyMath::Greater(1.5, 1.0, 1.0));
    EXPECT_TRUE(CVyMath::Greater(1.5, 1.0, -1.0));
}

TEST(Comparisons, InfinityTable) {
    EXPECT_TRUE(CVyMath::Equal(kInf, kInf, 0.0));
    EXPECT_TRUE(CVyMath::GreaterEqual(-kInf, -kInf, 0.0));
    EXPECT_TRUE(CVyMath::SmallerEqual(kInf, kInf, 0.0));
    EXPECT_FALSE(CVyMath::Greater(kInf, kInf, 0.0));
    EXPECT_FALSE(CVyMath::Smaller(-kInf, -kInf, 0.0));
    EXPECT_FALSE(CVyMath::Equal(kInf, DBL_MAX, 1e300));
    EXPECT_TRUE(CVyMath::Greater(kInf, -kInf, 0.0));
    EXPECT_TRUE(CVyMath::Smaller(-kInf, kInf, 0.0));
    // a = +inf decides before b = +inf; b = -inf before a = -inf.
    EXPECT_TRUE(CVyMath::GreaterEqual(kInf, 5.0, 0.0));
    EXPECT_FALSE(CVyMath::SmallerEqual(kInf, 5.0, 1e308));
    EXPECT_TRUE(CVyMath::Greater(5.0, -kInf, 0.0));
    EXPECT_TRUE(CVyMath::Smaller(-kInf, 5.0, 0.0));
    EXPECT_TRUE(CVyMath::SmallerEqual(5.0, kInf, 0.0));
    EXPECT_FALSE(CVyMath::Equal(-kInf, -DBL_MAX, 1e308));
}

TEST(Comparisons, GreaterMirrorsSmaller) {
    const double values[] = {-kInf, -1.0, 0.0, 1e-20, 1.0, 1.5, kInf, kNaN};
    for (double a : values)
        for (double b : values)
            for (double tol : {0.0, 0.5, 1e-10})
                EXPECT_EQ(CVyMath::Greater(a, b, tol), CVyMath::Smaller(b, a, tol))
                    << a << " " << b << " " << tol;
}

TEST(Comparisons, EveryNaNOperandGivesFalse) {
    for (double other : {kNaN, 0.0, kInf, -kInf}) {
        EXPECT_FALSE(CVyMath::Equal(kNaN, other, 1.0));
        EXPECT_FALSE(CVyMath::Equal(other, kNaN, 1.0));
        EXPECT_FALSE(CVyMath::Greater(kNaN, other, 1.0));
        EXPECT_FALSE(CVyMath::GreaterEqual(other, kNaN, 1.0));
        EXPECT_FALSE(CVyMath::Smaller(kNaN, other, 1.0));
        EXPECT_FALSE(CVyMath::SmallerEqual(other, kNaN, 1.0));
    }
    EXPECT_FALSE(CVyMath::SmallerEqual(kNaN, kNaN, 1.0));
    EXPECT_FALSE(CVyMath::Equal(0.0, 0.0, kNaN));
}

TEST(ScalarHelpers, Signe) {
    EXPECT_EQ(CVyMath::Signe(0.0), 0);
    EXPECT_EQ(CVyMath::Signe(-1e-21), 0);
    EXPECT_EQ(CVyMath::Signe(-2e-20), -1);
    EXPECT_EQ(CVyMath::Signe(-1e-20), 1);
    EXPECT_EQ(CVyMath::Signe(kNaN), 1);
    EXPECT_EQ(CVyMath::Signe(-kInf), -1);
    EXPECT_EQ(CVyMath::Signe(kInf), 1);
}

TEST(ScalarHelpers, MinMaxWithNaNAndTies) {
    EXPECT_EQ(CVyMath::Min(kNaN, 2.0), 2.0);
    EXPECT_EQ(CVyMath::Min(2.0, kNaN), 2.0);
    EXPECT_EQ(CVyMath::Max(kNaN, 2.0), 2.0);
    EXPECT_TRUE(std::isnan(CVyMath::Max(kNaN, kNaN)));
    EXPECT_EQ(CVyMath::Min(1.0, 2.0), 1.0);
    EXPECT_EQ(CVyMath::Max(1.0, 2.0), 2.0);
    // Within 1e-20 the second argument wins: the sign of zero shows which.
    EXPECT_TRUE(std::signbit(CVyMath::Min(0.0, -0.0)));
    EXPECT_FALSE(std::signbit(CVyMath::Max(-0.0, 0.0)));
    EXPECT_EQ(CVyMath::Min(-kInf, 3.0), -kInf);
    EXPECT_EQ(CVyMath::Max(3.0, kInf), kInf);
}

TEST(ScalarHelpers, MinAbsMaxAbsKeepTheSign) {
    EXPECT_EQ(CVyMath::MinAbs(-3.0, 2.0), 2.0);
    EXPECT_EQ(CVyMath::MinAbs(-2.0, 3.0), -2.0);
    EXPECT_EQ(CVyMath::MinAbs(2.0, -2.0), -2.0);
    EXPECT_EQ(CVyMath::MaxAbs(-3.0, 2.0), -3.0);
    EXPECT_EQ(CVyMath::MaxAbs(2.0, -2.0), -2.0);
    EXPECT_TRUE(std::isnan(CVyMath::MinAbs(1.0, kNaN)));
    EXPECT_EQ(CVyMath::MaxAbs(kNaN, 1.0), 1.0);
}

TEST(ScalarHelpers, PowersRootAndSwap) {
    EXPECT_EQ(CVyMath::Sqr(-3.0), 9.0);
    EXPECT_EQ(CVyMath::Cube(-2.0), -8.0);
    EXPECT_EQ(CVyMath::Sqrt(4.0), 2.0);
    EXPECT_EQ(CVyMath::Sqrt(1e-10), 0.0);
    EXPECT_GT(CVyMath::Sqrt(2e-10), 0.0);
    EXPECT_EQ(CVyMath::Sqrt(-4.0), 0.0);
    EXPECT_EQ(CVyMath::Sqrt(kNaN), 0.0);
    EXPECT_EQ(CVyMath::Sqrt(-kInf), 0.0);
    EXPECT_EQ(CVyMath::Sqrt(kInf), kInf);
    double a = 1.0, b = 2.0;
    CVyMath::Swap(a, b);
    EXPECT_EQ(a, 2.0);
    EXPECT_EQ(b, 1.0);
}

TEST(InternalHelpers, IsNaNRecognisesEveryNaN) {
    using vymath::detail::IsNaN;
    EXPECT_TRUE(IsNaN(CVyMath::dfNAN));
    EXPECT_TRUE(IsNaN(-kNaN));
    EXPECT_TRUE(IsNaN(std::numeric_limits<double>::signaling_NaN()));
    EXPECT_FALSE(IsNaN(kInf));
    EXPECT_FALSE(IsNaN(0.0));
}

TEST(InternalHelpers, ValidateValueClampsInfinitiesAndRefusesNaN) {
    using vymath::detail::ValidateValue;
    double v = kInf;
    EXPECT_TRUE(ValidateValue(v));
    EXPECT_EQ(v, DBL_MAX);
    v = -kInf;
    EXPECT_TRUE(ValidateValue(v));
    EXPECT_EQ(v, -DBL_MAX);
    v = kNaN;
    EXPECT_FALSE(ValidateValue(v));
    EXPECT_TRUE(std::isnan(v));
    v = -3.5;
    EXPECT_TRUE(ValidateValue(v));
    EXPECT_EQ(v, -3.5);
}

} // namespace
