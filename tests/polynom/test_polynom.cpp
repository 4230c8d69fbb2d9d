#include "vymath/CVyMathPolynom.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

TEST(Polynom, DegreeAndCoefficientsAreIndependent) {
    CVyMathPolynom zero;
    EXPECT_EQ(zero.GetDegree(), 0.0);
    EXPECT_EQ(zero.ValPoly(3.0), 0.0);
    CVyMathPolynom two(2);
    EXPECT_EQ(two.GetDegree(), 2.0);
    EXPECT_EQ(two.ValPoly(5.0), 0.0);
    CVyMathPolynom neg(-4);
    EXPECT_EQ(neg.GetDegree(), -4.0);
    CVyMathPolynom one(1); // degree 1, three terms evaluated
    one.SetCoeff(1);
    one.SetCoeff(2);
    one.SetCoeff(3);
    EXPECT_EQ(one.GetDegree(), 1.0);
    EXPECT_EQ(one.ValPoly(2.0), 17.0);
}

TEST(Polynom, ValPolyUsesARunningPower) {
    CVyMathPolynom p(2);
    p.SetCoeff(1);
    p.SetCoeff(2);
    p.SetCoeff(3);
    EXPECT_EQ(p.ValPoly(2.0), 17.0);
    EXPECT_EQ(p.ValPoly(0.0), 1.0);
    // 1e308 * 1e308 overflows only after the last term is summed: the result stays finite.
    CVyMathPolynom q(1);
    q.SetCoeff(0);
    q.SetCoeff(1);
    EXPECT_EQ(q.ValPoly(1e308), 1e308);
}

TEST(Polynom, SetCoeffFromArrayReplacesEverything) {
    CVyMathPolynom p(2);
    for (int i = 0; i < 5; ++i)
        p.SetCoeff(9);
    double values[] = {4, 0, -1};
    p.SetCoeff(values, 3);
    EXPECT_EQ(p.ValPoly(2.0), 0.0);
    EXPECT_EQ(p.GetDegree(), 2.0);
    p.SetCoeff(values, 0);
    EXPECT_EQ(p.ValPoly(2.0), 0.0);
}

TEST(Polynom, SetCoeffRejectsBadCountsWithoutChange) {
    CVyMathPolynom p(0);
    p.SetCoeff(7);
    double values[] = {1};
    try {
        p.SetCoeff(values, -1);
        FAIL() << "no exception";
    } catch (const std::length_error& e) {
        EXPECT_EQ(std::string(e.what()), "vector<T> too long");
    }
    EXPECT_EQ(p.ValPoly(1.0), 7.0);
    p.SetCoeff(nullptr, 2);
    EXPECT_EQ(p.ValPoly(1.0), 7.0);
}

TEST(Polynom, CopiesAreDeep) {
    CVyMathPolynom p(1);
    p.SetCoeff(1);
    p.SetCoeff(1);
    CVyMathPolynom c(p);
    p.SetCoeff(1);
    EXPECT_EQ(c.ValPoly(2.0), 3.0);
    EXPECT_EQ(p.ValPoly(2.0), 7.0);
    CVyMathPolynom a(5);
    const CVyMathPolynom& r = (a = c);
    EXPECT_EQ(&r, &a);
    EXPECT_EQ(a.GetDegree(), 1.0);
    EXPECT_EQ(a.ValPoly(2.0), 3.0);
    a = a;
    EXPECT_EQ(a.ValPoly(2.0), 3.0);
}

} // namespace
