#include "TestSupport.h"
#include "foundation/VyMathInternal.h"

#include <cstdint>
#include <cstring>

namespace {

const double kSNaN = std::numeric_limits<double>::signaling_NaN();
const double kRoot = std::sqrt(2e-10);

TEST(Comparisons, TableOfToleranceInfinityAndNaNCases) {
    // a, b, tol and the results of Greater, GreaterEqual, Smaller, SmallerEqual, Equal as digits.
    const std::tuple<double, double, double, const char*> rows[] = {
        {0.0, 0.5, 0.5, "00000"},        {0.0, 0.25, 0.5, "01011"},         {1.5, 1.0, 0.5, "01000"},
        {1.75, 1.0, 0.5, "11000"},       {1.0, 1.75, 0.5, "00110"},         {0.5, 1.0, 0.5, "00000"},
        {1.0, 1.0, -1.0, "10110"},       {kInf, kInf, 0.0, "01011"},        {-kInf, -kInf, 0.0, "01011"},
        {kInf, DBL_MAX, 1e300, "11000"}, {kInf, -kInf, 0.0, "11000"},       {5.0, kInf, 0.0, "00110"},
        {5.0, -kInf, 0.0, "11000"},      {-kInf, -DBL_MAX, 1e308, "00110"}, {kNaN, kNaN, 1.0, "00000"},
        {kInf, kNaN, 1.0, "00000"},      {0.0, 0.0, kNaN, "00000"}};
    for (const auto& [a, b, tol, expected] : rows) {
        const std::string got = {"01"[CVyMath::Greater(a, b, tol)], "01"[CVyMath::GreaterEqual(a, b, tol)],
                                 "01"[CVyMath::Smaller(a, b, tol)], "01"[CVyMath::SmallerEqual(a, b, tol)],
                                 "01"[CVyMath::Equal(a, b, tol)]};
        EXPECT_EQ(got, expected) << a << " " << b << " " << tol;
        EXPECT_EQ(CVyMath::Greater(a, b, tol), CVyMath::Smaller(b, a, tol)); // for every input
    }
    EXPECT_TRUE(CVyMath::IsNull(-0.25, 0.5) && !CVyMath::IsNull(-0.5, 0.5));
}

TEST(ScalarHelpers, ConstantsSignMinMaxSqrtAndValidation) {
    const std::uint64_t nanBits = 0x7FF8000000000000ULL;
    EXPECT_EQ(std::memcmp(&CVyMath::dfNAN, &nanBits, sizeof nanBits), 0);
    EXPECT_EQ(CVyMath::dfPI, 3.141592653589793); // bits 0x400921FB54442D18
    EXPECT_EQ(CVyMath::dfINFINITE, kInf);
    using Op = double (*)(double, double);
    const Op mn = CVyMath::Min, mx = CVyMath::Max, mna = CVyMath::MinAbs, mxa = CVyMath::MaxAbs;
    const Op sg = [](double a, double) { return double(CVyMath::Signe(a)); };
    const Op sq = [](double a, double) { return CVyMath::Sqrt(a); };
    const Op nan = [](double a, double) { return double(vymath::detail::IsNaN(a)); };
    const Op ok = [](double a, double) { return vymath::detail::ValidateValue(a) ? a : 7.0; }; // 7: refused
    // Results compared bit for bit: the sign of a zero shows which argument won a tie within 1e-20.
    const std::tuple<Op, double, double, double> cases[] = {
        {sg, -1e-21, 0, 0},       {sg, -2e-20, 0, -1},    {sg, -1e-20, 0, 1},     {sg, kNaN, 0, 1},
        {sg, -kInf, 0, -1},       {mn, kNaN, 2.0, 2.0},   {mn, 2.0, kNaN, 2.0},   {mx, kNaN, kNaN, kNaN},
        {mn, 1.0, 2.0, 1.0},      {mx, 1.0, 2.0, 2.0},    {mn, 0.0, -0.0, -0.0},  {mx, -0.0, 0.0, 0.0},
        {mna, -2.0, 3.0, -2.0},   {mna, 2.0, -2.0, -2.0}, {mxa, -3.0, 2.0, -3.0}, {mna, 1.0, kNaN, kNaN},
        {mxa, kNaN, 1.0, 1.0},    {sq, 4.0, 0, 2.0},      {sq, 2e-10, 0, kRoot},  {sq, 1e-10, 0, 0.0},
        {sq, -4.0, 0, 0.0},       {sq, kNaN, 0, 0.0},     {sq, -kInf, 0, 0.0},    {sq, kInf, 0, kInf},
        {nan, -kNaN, 0, 1},       {nan, kSNaN, 0, 1},     {nan, kInf, 0, 0},      {ok, kInf, 0, DBL_MAX},
        {ok, -kInf, 0, -DBL_MAX}, {ok, -3.5, 0, -3.5},    {ok, kNaN, 0, 7}};
    for (const auto& [op, a, b, expected] : cases) {
        const double got = op(a, b);
        EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << a << ", " << b << " -> " << got;
    }
}

} // namespace
