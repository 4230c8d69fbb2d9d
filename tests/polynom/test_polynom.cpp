#include "TestAccess.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

CVyMathPolynom Make(int degree, std::vector<double> coefficients) {
    CVyMathPolynom p(degree);
    for (double c : coefficients)
        p.SetCoeff(c);
    return p;
}

TEST(Polynom, DegreeAndCoefficientsAreIndependent) {
    EXPECT_EQ(CVyMathPolynom().GetDegree(), 0.0);
    EXPECT_EQ(CVyMathPolynom().ValPoly(3.0), 0.0);
    EXPECT_EQ(CVyMathPolynom(2).ValPoly(5.0), 0.0);
    EXPECT_EQ(CVyMathPolynom(-4).GetDegree(), -4.0);
    EXPECT_EQ(Make(2, {1, 2, 3}).ValPoly(2.0), 17.0);
    const CVyMathPolynom one = Make(1, {1, 2, 3}); // degree 1, all three terms evaluated
    EXPECT_EQ(one.GetDegree(), 1.0);
    EXPECT_EQ(one.ValPoly(2.0), 17.0);
    // Running power: 1e308 * 1e308 overflows only after the last term is summed.
    EXPECT_EQ(Make(1, {0, 1}).ValPoly(1e308), 1e308);
}

TEST(Polynom, SetCoeffFromArrayReplacesEverythingOrNothing) {
    CVyMathPolynom p = Make(2, {9, 9, 9, 9, 9});
    double values[] = {4, 0, -1};
    p.SetCoeff(values, 3);
    EXPECT_EQ(VyMathTestAccess::PolynomCoefficients(p), (std::vector<double>{4, 0, -1}));
    EXPECT_EQ(p.ValPoly(2.0), 0.0);
    EXPECT_EQ(p.GetDegree(), 2.0);
    try {
        p.SetCoeff(values, -1);
        FAIL() << "no exception";
    } catch (const std::length_error& e) {
        EXPECT_EQ(std::string(e.what()), "vector<T> too long");
    }
    p.SetCoeff(nullptr, 2);
    EXPECT_EQ(VyMathTestAccess::PolynomCoefficients(p).size(), 3u);
    p.SetCoeff(values, 0);
    EXPECT_TRUE(VyMathTestAccess::PolynomCoefficients(p).empty());
}

TEST(Polynom, CopiesAreDeep) {
    CVyMathPolynom p = Make(1, {1, 1});
    CVyMathPolynom c(p);
    p.SetCoeff(1);
    EXPECT_EQ(c.ValPoly(2.0), 3.0);
    EXPECT_EQ(p.ValPoly(2.0), 7.0);
    CVyMathPolynom a(5);
    const CVyMathPolynom& r = (a = c);
    EXPECT_EQ(&r, &a);
    EXPECT_EQ(a.GetDegree(), 1.0);
    a = a;
    EXPECT_EQ(a.ValPoly(2.0), 3.0);
}

} // namespace
