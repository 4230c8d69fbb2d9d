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
    EXPECT_ROWS(
        {Row("default degree", none.GetDegree(), 0), Row("default value", none.ValPoly(3.0), 0),
         Row("negative degree kept", negative.GetDegree(), -4),
         Row("SetCoeff beyond the degree", one.GetDegree(), 1),
         Row("every coefficient used", one.ValPoly(2.0), 25), Row("a deep copy", c.ValPoly(2.0), 17),
         Row("assigned", a.ValPoly(2.0), 17), Row("assigned degree", a.GetDegree(), 1),
         Row("the running power overflows after the last term", Make(1, {0, 1}).ValPoly(1e308), 1e308)});
    // SetCoeff from an array replaces everything or nothing.
    CVyMathPolynom p = Make(2, {9, 9, 9, 9, 9});
    double values[] = {4, 0, -1};
    p.SetCoeff(values, 3);
    EXPECT_THROW(p.SetCoeff(values, -1), std::length_error);
    p.SetCoeff(nullptr, 2); // ignored, as is the failed call
    EXPECT_EQ(std::make_pair(p.GetCoefficients(), p.GetDegree()), std::make_pair(C{4, 0, -1}, 2.0));
    p.SetCoeff(values, 0);
    EXPECT_TRUE(p.GetCoefficients().empty());
}

} // namespace
