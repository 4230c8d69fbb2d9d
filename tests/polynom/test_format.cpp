#include "TestAccess.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

// A string buffer that counts flushes.
struct SyncCounter : std::stringbuf {
    int syncs = 0;
    int sync() override {
        ++syncs;
        return std::stringbuf::sync();
    }
};

CVyMathPolynom Poly(int degree, std::vector<double> c) {
    CVyMathPolynom p(degree);
    for (double v : c)
        p.SetCoeff(v);
    return p;
}

std::string Form2(const CVyMathPolynom& p, int prec) {
    std::ostringstream os;
    p.FormatPolynomial2(os, p, L'x', prec);
    return os.str();
}

std::string Form1(const CVyMathPolynom& p, wchar_t v, int prec) {
    std::ostringstream os;
    p.FormatPolynomial1(os, p, v, prec);
    return os.str();
}

TEST(FormatPolynomial2, PowersOfXWithSignsAndSkippedNullTerms) {
    EXPECT_EQ(Form2(Poly(2, {1, 2, 3}), 3), "1 + 2 X^1 + 3 X^2 \0"s);
    // Zero skipped, +1 loses its magnitude, -1 keeps it, a negative first term has its sign.
    EXPECT_EQ(Form2(Poly(3, {-1, 0, 1, -1}), 2), "- 1 + X^2 - 1 X^3 \0"s);
    // 0.05 is null within 0.1: the first written term has no sign.
    EXPECT_EQ(Form2(Poly(1, {0.05, 5}), 1), "5 X^1 \0"s);
    EXPECT_EQ(Form2(Poly(1, {0.05, 5}), 2), "0.05 + 5 X^1 \0"s);
    EXPECT_EQ(Form2(Poly(1, {0.001, -0.0004}), 2), "\0"s);
}

TEST(FormatPolynomial2, TolerancesAreStrict) {
    // prec 1: tol 0.1, and 0.1 itself is not null.
    EXPECT_EQ(Form2(Poly(0, {0.1}), 1), "0.1 \0"s);
    // prec 0: tol 1. 1 is not null, 2 is not 1 (|2 - 1| = tol), 1.5 counts as 1, 0.5 is null.
    EXPECT_EQ(Form2(Poly(3, {1, 2, 1.5, 0.5}), 0), "1 + 2 X^1 + X^2 \0"s);
    // Negative prec: tol 10.
    EXPECT_EQ(Form2(Poly(0, {5}), -1), "\0"s);
    // A huge prec gives tol 0: even 0 is written, with the sign of a non-positive value.
    EXPECT_EQ(Form2(Poly(0, {0}), 400), "- 0 \0"s);
}

TEST(FormatPolynomial2, WritesTheArgumentLeavesPrecisionAndDoesNotFlush) {
    CVyMathPolynom self = Poly(1, {7, 7});
    CVyMathPolynom arg = Poly(1, {1.23456, -2});
    SyncCounter buf;
    std::ostream os(&buf);
    self.FormatPolynomial2(os, arg, L'x', 3);
    EXPECT_EQ(buf.str(), "1.23 - 2 X^1 \0"s);
    EXPECT_EQ(os.precision(), 3);
    EXPECT_EQ(buf.syncs, 0);
    // Nothing written but the NUL: the precision is not set.
    std::ostringstream quiet;
    quiet.precision(9);
    self.FormatPolynomial2(quiet, Poly(0, {0}), L'x', 3);
    EXPECT_EQ(quiet.precision(), 9);
}

TEST(FormatPolynomial2, MissingCoefficientsCountAsZero) {
    EXPECT_EQ(Form2(Poly(3, {1, 2}), 3), "1 + 2 X^1 \0"s);
    EXPECT_EQ(Form2(Poly(5, {}), 3), "\0"s);
    EXPECT_EQ(Form2(Poly(-1, {1, 2}), 3), "\0"s); // degree below 0: only the NUL
    EXPECT_EQ(Form1(Poly(3, {1, 2}), L'x', 3), "1 + 2 (x - 1) \0"s);
    EXPECT_EQ(Form1(Poly(2, {}), L'x', 3), "\0"s);
}

TEST(FormatPolynomial1, ProductFormWithFactorsOfTheLowerCoefficients) {
    EXPECT_EQ(Form1(Poly(1, {2, 3}), L'x', 3), "2 + 3 (x - 2) \0"s);
    EXPECT_EQ(Form1(Poly(2, {-2, 1, 4}), L'x', 3), "- 2 + (x + 2) + 4 (x + 2) (x - 1) \0"s);
    EXPECT_EQ(Form1(Poly(2, {0, 0, 5}), L'x', 3), "5 x x \0"s);
    EXPECT_EQ(Form1(Poly(2, {0.0001, 0, 0}), L'x', 3), "\0"s);
    // Written from the argument, precision left on the stream.
    CVyMathPolynom self = Poly(0, {9});
    std::ostringstream os;
    self.FormatPolynomial1(os, Poly(1, {0.5, 1}), L't', 4);
    EXPECT_EQ(os.str(), "0.5 + (t - 0.5) \0"s);
    EXPECT_EQ(os.precision(), 4);
}

TEST(FormatPolynomial1, VariableNarrowing) {
    EXPECT_EQ(Form1(Poly(1, {0, 1}), L'z', 3), "z \0"s);
    EXPECT_EQ(Form1(Poly(1, {0, 1}), static_cast<wchar_t>(0xE9), 3), "\xE9 \0"s);
    EXPECT_EQ(Form1(Poly(1, {0, 1}), static_cast<wchar_t>(0x3A9), 3), "? \0"s);
    EXPECT_EQ(Form1(Poly(1, {0, 1}), static_cast<wchar_t>(-5), 3), "? \0"s);
}

TEST(FormatMonomial, OneLinearFactor) {
    auto factor = [](double r, wchar_t v, int prec, double tol, std::streamsize& precAfter) {
        std::ostringstream os;
        os.precision(9);
        VyMathTestAccess::FormatMonomial(os, r, v, prec, tol);
        precAfter = os.precision();
        return os.str();
    };
    std::streamsize prec = 0;
    EXPECT_EQ(factor(2, L'x', 3, 1e-3, prec), "(x - 2) ");
    EXPECT_EQ(prec, 3);
    EXPECT_EQ(factor(-2.5, L'x', 3, 1e-3, prec), "(x + 2.5) ");
    EXPECT_EQ(factor(1e-3, L'x', 3, 1e-3, prec), "(x - 0.001) "); // exactly tol: not null
    EXPECT_EQ(factor(0.0004, L'x', 3, 1e-3, prec), "x ");
    EXPECT_EQ(prec, 9); // a null factor leaves the precision alone
    // Within 1e-20 of zero the sign counts as not positive: '+'.
    EXPECT_EQ(factor(1e-25, L'y', 2, 0.0, prec), "(y + 1e-25) ");
    EXPECT_EQ(factor(3, static_cast<wchar_t>(0x1234), 2, 0.01, prec), "(? - 3) ");
}

} // namespace
