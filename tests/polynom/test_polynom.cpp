#include "TestSupport.h"

#include <stdexcept>

namespace {

using C = std::vector<double>;

CVyMathPolynom Make(int degree, C coefficients) {
    CVyMathPolynom p(degree);
    for (double c : coefficients)
        p.SetCoeff(c);
    return p;
}

TEST(Polynom, DegreeCoefficientsAndDeepCopies) {
    CVyMathPolynom none, negative(-4), one = Make(1, {1, 2, 3}), c(one), a(5); // degree 1, all terms used
    one.SetCoeff(1);
    EXPECT_EQ(&(a = a = c), &a); // a copy, then a self-assignment
    // Running power: 1e308 * 1e308 overflows only after the last term is summed.
    EXPECT_EQ(C({none.GetDegree(), none.ValPoly(3.0), negative.GetDegree(), one.GetDegree(), one.ValPoly(2.0),
                 c.ValPoly(2.0), a.ValPoly(2.0), a.GetDegree(), Make(1, {0, 1}).ValPoly(1e308)}),
              C({0, 0, -4, 1, 25, 17, 17, 1, 1e308}));
    // SetCoeff from an array replaces everything or nothing.
    CVyMathPolynom p = Make(2, {9, 9, 9, 9, 9});
    double values[] = {4, 0, -1};
    p.SetCoeff(values, 3);
    EXPECT_THROW(p.SetCoeff(values, -1), std::length_error);
    p.SetCoeff(nullptr, 2); // ignored, as is the failed call
    EXPECT_EQ(std::make_pair(VyMathTestAccess::PolynomCoefficients(p), p.GetDegree()),
              std::make_pair(C{4, 0, -1}, 2.0));
    p.SetCoeff(values, 0);
    EXPECT_TRUE(VyMathTestAccess::PolynomCoefficients(p).empty());
}

} // namespace
