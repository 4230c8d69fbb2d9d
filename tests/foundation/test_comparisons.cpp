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

// a, b, tol and the results of Greater, GreaterEqual, Smaller, SmallerEqual, Equal as digits.
struct Row {
    double a, b, tol;
    const char* expected;
};

TEST(Comparisons, TableOfToleranceInfinityAndNaNCases) {
    const Row rows[] = {
        {0.0, 0.5, 0.5, "00000"},          {0.0, 0.25, 0.5, "01011"},   {1.5, 1.0, 0.5, "01000"},
        {1.75, 1.0, 0.5, "11000"},         {1.0, 1.75, 0.5, "00110"},   {0.5, 1.0, 0.5, "00000"},
        {0.75, 1.0, 0.5, "01011"},         {0.0, 2.0, 0.5, "00110"},    {1.0, 1.0, -1.0, "10110"},
        {1.5, 1.0, -1.0, "10110"},         {kInf, kInf, 0.0, "01011"},  {-kInf, -kInf, 0.0, "01011"},
        {kInf, DBL_MAX, 1e300, "11000"},   {kInf, -kInf, 0.0, "11000"}, {-kInf, kInf, 0.0, "00110"},
        {kInf, 5.0, 1e308, "11000"},       {5.0, -kInf, 0.0, "11000"},  {5.0, kInf, 0.0, "00110"},
        {-kInf, -DBL_MAX, 1e308, "00110"}, {kNaN, kNaN, 1.0, "00000"},  {kInf, kNaN, 1.0, "00000"},
        {kNaN, -kInf, 1.0, "00000"},       {0.0, 0.0, kNaN, "00000"}};
    for (const Row& r : rows) {
        const bool got[] = {CVyMath::Greater(r.a, r.b, r.tol), CVyMath::GreaterEqual(r.a, r.b, r.tol),
                            CVyMath::Smaller(r.a, r.b, r.tol), CVyMath::SmallerEqual(r.a, r.b, r.tol),
                            CVyMath::Equal(r.a, r.b, r.tol)};
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(got[k], r.expected[k] == '1')
                << "op " << k << ": " << r.a << " " << r.b << " " << r.tol;
    }
    EXPECT_TRUE(CVyMath::IsNull(-0.25, 0.5));
    EXPECT_FALSE(CVyMath::IsNull(-0.5, 0.5));
    const double values[] = {-kInf, -1.0, 0.0, 1e-20, 1.0, 1.5, kInf, kNaN};
    for (double a : values)
        for (double b : values)
            for (double tol : {0.0, 0.5, 1e-10})
                EXPECT_EQ(CVyMath::Greater(a, b, tol), CVyMath::Smaller(b, a, tol))
                    << a << " " << b << " " << tol;
}

TEST(ScalarHelpers, ConstantsSignMinMaxAndPowers) {
    const auto bits = [](double v) {
        std::uint64_t b;
        std::memcpy(&b, &v, sizeof b);
        return b;
    };
    EXPECT_EQ(bits(CVyMath::dfPI), 0x400921FB54442D18ULL);
    EXPECT_EQ(bits(CVyMath::dfINFINITE), 0x7FF0000000000000ULL);
    EXPECT_EQ(bits(CVyMath::dfNAN), 0x7FF8000000000000ULL);
    const std::pair<double, int> signs[] = {{0.0, 0},  {-1e-21, 0}, {-2e-20, -1}, {-1e-20, 1},
                                            {kNaN, 1}, {-kInf, -1}, {kInf, 1}};
    for (const auto& s : signs)
        EXPECT_EQ(CVyMath::Signe(s.first), s.second) << s.first;
    // Binary helpers; the sign of a zero result shows which argument won a tie within 1e-20.
    using Bin = double (*)(double, double);
    const Bin mn = CVyMath::Min, mx = CVyMath::Max, mna = CVyMath::MinAbs, mxa = CVyMath::MaxAbs;
    const struct {
        Bin op;
        double a, b, expected;
    } bins[] = {{mn, kNaN, 2.0, 2.0},   {mn, 2.0, kNaN, 2.0},   {mx, kNaN, 2.0, 2.0},
                {mx, kNaN, kNaN, kNaN}, {mn, 1.0, 2.0, 1.0},    {mx, 1.0, 2.0, 2.0},
                {mn, 0.0, -0.0, -0.0},  {mx, -0.0, 0.0, 0.0},   {mna, -3.0, 2.0, 2.0},
                {mna, -2.0, 3.0, -2.0}, {mna, 2.0, -2.0, -2.0}, {mxa, -3.0, 2.0, -3.0},
                {mxa, 2.0, -2.0, -2.0}, {mna, 1.0, kNaN, kNaN}, {mxa, kNaN, 1.0, 1.0}};
    for (const auto& c : bins) {
        const double got = c.op(c.a, c.b);
        EXPECT_TRUE(std::isnan(c.expected)
                        ? std::isnan(got)
                        : got == c.expected && std::signbit(got) == std::signbit(c.expected))
            << &c - bins << ": " << got;
    }
    EXPECT_EQ(CVyMath::Sqr(-3.0), 9.0);
    EXPECT_EQ(CVyMath::Cube(-2.0), -8.0);
    const std::pair<double, double> roots[] = {{4.0, 2.0},  {1e-10, 0.0}, {-4.0, 0.0},
                                               {kNaN, 0.0}, {-kInf, 0.0}, {kInf, kInf}};
    for (const auto& r : roots)
        EXPECT_EQ(CVyMath::Sqrt(r.first), r.second) << r.first;
    EXPECT_GT(CVyMath::Sqrt(2e-10), 0.0);
    double a = 1.0, b = 2.0;
    CVyMath::Swap(a, b);
    EXPECT_EQ(std::make_pair(a, b), std::make_pair(2.0, 1.0));
}

TEST(InternalHelpers, IsNaNAndValidateValue) {
    using vymath::detail::IsNaN;
    using vymath::detail::ValidateValue;
    EXPECT_TRUE(IsNaN(CVyMath::dfNAN) && IsNaN(-kNaN) && IsNaN(std::numeric_limits<double>::signaling_NaN()));
    EXPECT_FALSE(IsNaN(kInf) || IsNaN(0.0));
    const std::pair<double, double> valid[] = {{kInf, DBL_MAX}, {-kInf, -DBL_MAX}, {-3.5, -3.5}};
    for (const auto& c : valid) {
        double v = c.first;
        EXPECT_TRUE(ValidateValue(v));
        EXPECT_EQ(v, c.second);
    }
    double v = kNaN;
    EXPECT_FALSE(ValidateValue(v));
    EXPECT_TRUE(std::isnan(v));
}

} // namespace
