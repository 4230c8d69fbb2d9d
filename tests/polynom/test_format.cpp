#include "TestSupport.h"

namespace {

using namespace std::string_literals;

CVyMathPolynom Polynom(int degree, std::vector<double> c) {
    CVyMathPolynom p(degree);
    p.SetCoeff(c.data(), static_cast<int>(c.size()));
    return p;
}

// Form 1 or 2 of the polynomial, written through another polynomial (the argument is what is written).
std::string Form(int form, int degree, std::vector<double> c, int prec, wchar_t v = L'x') {
    std::ostringstream os;
    auto format = form == 2 ? &CVyMathPolynom::FormatPolynomial2 : &CVyMathPolynom::FormatPolynomial1;
    (Polynom(1, {7, 7}).*format)(os, Polynom(degree, c), v, prec);
    return os.str();
}

TEST(FormatPolynomial, BothFormsByteForByte) {
    EXPECT_EQ(Form(2, 2, {1, 2, 3}, 3), "1 + 2 X^1 + 3 X^2 \0"s);
    EXPECT_EQ(Form(2, 3, {-1, 0, 1, -1}, 2), "- 1 + X^2 - 1 X^3 \0"s); // 0 skipped, +1 loses its magnitude
    EXPECT_EQ(Form(2, 1, {0.05, 5}, 1), "5 X^1 \0"s);                  // 0.05 null within 0.1: no sign
    EXPECT_EQ(Form(2, 0, {0.1}, 1), "0.1 \0"s);                        // exactly tol is not null
    EXPECT_EQ(Form(2, 0, {5}, -1), "\0"s);                             // negative prec: tol 10
    EXPECT_EQ(Form(2, 3, {1, 2}, 3), "1 + 2 X^1 \0"s);                 // missing coefficients count as 0
    EXPECT_EQ(Form(1, 2, {-2, 1, 4}, 3), "- 2 + (x + 2) + 4 (x + 2) (x - 1) \0"s);
    EXPECT_EQ(Form(1, 1, {0, 1}, 3, static_cast<wchar_t>(0x3A9)), "? \0"s); // outside 0..255
}

TEST(FormatPolynomial, AppendsSetsThePrecisionOnlyWhenWritingAndDoesNotFlush) {
    SyncCounter buf;
    std::ostream os(&buf);
    os.precision(9);
    Polynom(0, {}).FormatPolynomial2(os, Polynom(0, {0}), L'x', 3);    // only the NUL
    vymath::detail::Access::FormatMonomial(os, 0.0004, L'x', 3, 1e-3); // null factor
    EXPECT_EQ(os.precision(), 9);
    vymath::detail::Access::FormatMonomial(os, 1e-3, L'x', 3, 1e-3); // exactly tol: not null
    vymath::detail::Access::FormatMonomial(os, 1e-25, L'x', 3,
                                           0.0); // within 1e-20 of 0 the sign is not positive
    Polynom(0, {}).FormatPolynomial1(os, Polynom(1, {1.23456, 1}), L't', 3);
    EXPECT_EQ(buf.str(), "\0x (x - 0.001) (x + 1e-25) 1.23 + (t - 1.23) \0"s);
    EXPECT_EQ(os.precision(), 3);
    EXPECT_EQ(buf.syncs, 0);
}

} // namespace
