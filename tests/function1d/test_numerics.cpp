#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

namespace {

using F = CVyMathFunction1D;
using A = VyMathTestAccess;
using C = std::vector<double>;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

void ExpectCoefficientsNear(const CVyMathPolynom& p, const C& expected, double tol) {
    const C& c = A::PolynomCoefficients(p);
    ASSERT_EQ(c.size(), expected.size());
    for (std::size_t i = 0; i < c.size(); ++i)
        EXPECT_NEAR(c[i], expected[i], tol) << "coefficient " << i;
}

// Row pointers over a row-major 2D array held in `m`.
std::vector<double*> Rows(std::vector<double>& m, int n) {
    std::vector<double*> rows;
    for (int i = 0; i < n; ++i)
        rows.push_back(m.data() + i * n);
    return rows;
}

// ---- ApproxPolynomiale ----------------------------------------------------------------------------

TEST(ApproxPolynomiale, FitsByLeastSquaresWithTheDegreeAsked) {
    F line = MakeFunction({{0, 1}, {1, 3}, {2, 5}}, 0, 2);
    CVyMathPolynom p1 = line.ApproxPolynomiale(1);
    EXPECT_EQ(p1.GetDegree(), 1.0);
    ExpectCoefficientsNear(p1, {1, 2}, 1e-12); // constant term first
    CVyMathPolynom p0 = line.ApproxPolynomiale(0);
    EXPECT_EQ(p0.GetDegree(), 0.0);
    ExpectCoefficientsNear(p0, {3}, 1e-12); // the mean ordinate

    F square = MakeFunction({{0, 0}, {1, 1}, {2, 4}}, 0, 2);
    CVyMathPolynom p2 = square.ApproxPolynomiale(2);
    EXPECT_EQ(p2.GetDegree(), 2.0);
    ExpectCoefficientsNear(p2, {0, 0, 1}, 1e-12);

    // Not through the points: S = 3, 3, 5 and b = 2, 3 give c1 = 1/2, c0 = 1/6.
    F bent = MakeFunction({{0, 0}, {1, 1}, {2, 1}}, 0, 2);
    ExpectCoefficientsNear(bent.ApproxPolynomiale(1), {1.0 / 6.0, 0.5}, 1e-12);
}

TEST(ApproxPolynomiale, DegreeMinusOneIsEmptyAndBelowThrows) {
    F f = MakeFunction({{0, 1}, {1, 3}}, 0, 1);
    CVyMathPolynom none = f.ApproxPolynomiale(-1);
    EXPECT_EQ(none.GetDegree(), -1.0);
    EXPECT_TRUE(A::PolynomCoefficients(none).empty());
    EXPECT_THROW(f.ApproxPolynomiale(-2), std::invalid_argument);
    EXPECT_THROW(f.ApproxPolynomiale(-1000), std::invalid_argument);
    EXPECT_EQ(PointsOf(f), (std::vector<std::pair<double, double>>{{0, 1}, {1, 3}}));
}

TEST(ApproxPolynomiale, ZeroRowOfTheNormalMatrixGivesTheMeanThenZeros) {
    F empty = MakeFunction({}, 0, 1);
    CVyMathPolynom e = empty.ApproxPolynomiale(2);
    EXPECT_EQ(e.GetDegree(), 2.0);
    EXPECT_EQ(A::PolynomCoefficients(e), (C{0, 0, 0}));
    EXPECT_EQ(A::PolynomCoefficients(empty.ApproxPolynomiale(0)), (C{0}));

    F atZero = MakeFunction({{0, 2}, {0, 4}}, 0, 1);
    CVyMathPolynom z1 = atZero.ApproxPolynomiale(1);
    EXPECT_EQ(z1.GetDegree(), 1.0);
    EXPECT_EQ(A::PolynomCoefficients(z1), (C{3, 0}));
    EXPECT_EQ(A::PolynomCoefficients(atZero.ApproxPolynomiale(3)), (C{3, 0, 0, 0}));
    // Degree 0 has no zero row: solved normally, same mean.
    EXPECT_EQ(A::PolynomCoefficients(atZero.ApproxPolynomiale(0)), (C{3}));
}

// ---- PolynomInterpol ------------------------------------------------------------------------------

TEST(PolynomInterpol, NevilleStartsAtTheFirstNearestAbscissa) {
    F f;
    double xa[] = {0, 1, 2};
    double ya[] = {0, 1, 4};
    double y = 0, dy = 0;
    // Index 1 wins over the equally near index 2: corrections 0.5 then 0.75.
    f.PolynomInterpol(xa, ya, 3, 1.5, &y, &dy);
    EXPECT_DOUBLE_EQ(y, 2.25);
    EXPECT_DOUBLE_EQ(dy, 0.75);
    // On an abscissa: starts from its ordinate, every correction is 0.
    f.PolynomInterpol(xa, ya, 3, 2.0, &y, &dy);
    EXPECT_EQ(y, 4.0);
    EXPECT_EQ(dy, 0.0);
    // Two points, tie at distance 1 goes to index 0: y = 2, then the correction c = 2.
    double xb[] = {1, 3};
    double yb[] = {2, 6};
    f.PolynomInterpol(xb, yb, 2, 2.0, &y, &dy);
    EXPECT_EQ(y, 4.0);
    EXPECT_EQ(dy, 2.0);
}

TEST(PolynomInterpol, SinglePointAndInvalidInputs) {
    F f;
    double xa[] = {5};
    double ya[] = {7};
    double y = 0, dy = 99;
    f.PolynomInterpol(xa, ya, 1, -100.0, &y, &dy);
    EXPECT_EQ(y, 7.0);
    EXPECT_EQ(dy, 99.0); // not written for n = 1
    y = 1;
    f.PolynomInterpol(xa, ya, 0, 2.0, &y, &dy);
    f.PolynomInterpol(xa, ya, -3, 2.0, &y, &dy);
    f.PolynomInterpol(nullptr, ya, 1, 2.0, &y, &dy);
    f.PolynomInterpol(xa, nullptr, 1, 2.0, &y, &dy);
    f.PolynomInterpol(xa, ya, 1, 2.0, nullptr, &dy);
    f.PolynomInterpol(xa, ya, 1, 2.0, &y, nullptr);
    EXPECT_EQ(y, 1.0);
    EXPECT_EQ(dy, 99.0);
}

// ---- LuDecomp and LuBackSubstitution ---------------------------------------------------------------

TEST(LuDecomp, PivotsByScaledMagnitudeTiesToTheLaterRow) {
    std::vector<double> m = {0, 1, 1, 0};
    auto rows = Rows(m, 2);
    int indx[2] = {-7, -7};
    A::LuDecomp(rows.data(), 2, indx);
    EXPECT_EQ(indx[0], 1);
    EXPECT_EQ(indx[1], 1);
    EXPECT_EQ(m, (C{1, 0, 0, 1}));

    // Scaled magnitudes 2/2 and 4/4 tie: row 1 is taken. L21 = 0.5, U22 = 1 - 0.5 * 3.
    std::vector<double> t = {2, 1, 4, 3};
    auto trows = Rows(t, 2);
    A::LuDecomp(trows.data(), 2, indx);
    EXPECT_EQ(indx[0], 1);
    EXPECT_EQ(indx[1], 1);
    EXPECT_EQ(t, (C{4, 3, 0.5, -0.5}));
    double b[2] = {3, 7}; // 2x + y = 3, 4x + 3y = 7
    A::LuBackSubstitution(trows.data(), 2, indx, b);
    EXPECT_EQ(b[0], 1.0);
    EXPECT_EQ(b[1], 1.0);
}

TEST(LuDecomp, ZeroPivotBecomesTinyAndZeroRowStopsBeforeAnyChange) {
    std::vector<double> s = {1, 1, 1, 1};
    auto srows = Rows(s, 2);
    int indx[2] = {-7, -7};
    A::LuDecomp(srows.data(), 2, indx);
    EXPECT_EQ(s, (C{1, 1, 1, 1e-20}));
    EXPECT_EQ(indx[0], 1);
    EXPECT_EQ(indx[1], 1);

    std::vector<double> z = {1, 2, 0, 0};
    auto zrows = Rows(z, 2);
    indx[0] = indx[1] = -7;
    A::LuDecomp(zrows.data(), 2, indx);
    EXPECT_EQ(z, (C{1, 2, 0, 0}));
    EXPECT_EQ(indx[0], -7);
    EXPECT_EQ(indx[1], -7);

    // Null pointers and n < 1 change nothing.
    std::vector<double*> withNull = {z.data(), nullptr};
    A::LuDecomp(withNull.data(), 2, indx);
    A::LuDecomp(nullptr, 2, indx);
    A::LuDecomp(srows.data(), 2, nullptr);
    A::LuDecomp(srows.data(), 0, indx);
    EXPECT_EQ(indx[0], -7);
    EXPECT_EQ(s, (C{1, 1, 1, 1e-20}));

    // A column of NaN: no candidate compares, the pivot stays on the diagonal.
    std::vector<double> q = {kNaN, 1, kNaN, 2};
    auto qrows = Rows(q, 2);
    A::LuDecomp(qrows.data(), 2, indx);
    EXPECT_EQ(indx[0], 0);
    EXPECT_EQ(indx[1], 1);
    EXPECT_EQ(q[1], 1.0); // row 0 not exchanged
}

TEST(LuBackSubstitution, SolvesUndoingThePermutation) {
    // After LuDecomp of rows (0, 1), (1, 0): X = (3, 2) solves y = 2, x = 3.
    std::vector<double> m = {1, 0, 0, 1};
    auto rows = Rows(m, 2);
    int indx[2] = {1, 1};
    double b[2] = {2, 3};
    A::LuBackSubstitution(rows.data(), 2, indx, b);
    EXPECT_EQ(b[0], 3.0);
    EXPECT_EQ(b[1], 2.0);

    // 3x3 with the known solution (1, 1, 1).
    std::vector<double> g = {1, 2, 3, 0, 1, 4, 5, 6, 0};
    auto grows = Rows(g, 3);
    int gi[3];
    A::LuDecomp(grows.data(), 3, gi);
    double gb[3] = {6, 5, 11};
    A::LuBackSubstitution(grows.data(), 3, gi, gb);
    for (double v : gb)
        EXPECT_NEAR(v, 1.0, 1e-12);
}

TEST(LuBackSubstitution, LeadingZerosSkipTheProductsAndBadInputChangesNothing) {
    // The NaN below the diagonal only meets the leading zero of b: skipped, so the result stays finite.
    std::vector<double> m = {1, 0, kNaN, 1};
    auto rows = Rows(m, 2);
    int indx[2] = {0, 1};
    double b[2] = {0, 5};
    A::LuBackSubstitution(rows.data(), 2, indx, b);
    EXPECT_EQ(b[0], 0.0);
    EXPECT_EQ(b[1], 5.0);

    double c[2] = {2, 3};
    A::LuBackSubstitution(rows.data(), 0, indx, c);
    int bad[2] = {2, 1};
    A::LuBackSubstitution(rows.data(), 2, bad, c);
    bad[0] = -1;
    A::LuBackSubstitution(rows.data(), 2, bad, c);
    A::LuBackSubstitution(nullptr, 2, indx, c);
    A::LuBackSubstitution(rows.data(), 2, nullptr, c);
    A::LuBackSubstitution(rows.data(), 2, indx, nullptr);
    EXPECT_EQ(c[0], 2.0);
    EXPECT_EQ(c[1], 3.0);
}

// ---- Spline ---------------------------------------------------------------------------------------

TEST(Spline, SecondDerivativesOneBased) {
    // Natural ends on a straight line (uneven spacing): all zero, element 0 untouched.
    double x[] = {-1, 0, 1, 3};
    double y[] = {-1, 1, 3, 7};
    double y2[] = {42, 9, 9, 9};
    A::Spline(x, y, 3, 1e30, 1e30, y2);
    EXPECT_EQ(y2[0], 42.0);
    EXPECT_EQ(y2[1], 0.0);
    EXPECT_EQ(y2[2], 0.0);
    EXPECT_EQ(y2[3], 0.0);

    // Clamped with the true end slopes of x^2: the spline is x^2 itself, y'' = 2.
    double qx[] = {0, 0, 1, 2};
    double qy[] = {0, 0, 1, 4};
    double q2[4] = {42, 0, 0, 0};
    A::Spline(qx, qy, 3, 0.0, 4.0, q2);
    EXPECT_EQ(q2[0], 42.0);
    for (int i = 1; i <= 3; ++i)
        EXPECT_NEAR(q2[i], 2.0, 1e-12);

    // Two points, zero end slopes: 3x^2 - 2x^3, y'' = 6 - 12x.
    double tx[] = {0, 0, 1};
    double ty[] = {0, 0, 1};
    double t2[3] = {42, 0, 0};
    A::Spline(tx, ty, 2, 0.0, 0.0, t2);
    EXPECT_EQ(t2[1], 6.0);
    EXPECT_EQ(t2[2], -6.0);
}

TEST(Spline, NaturalEndOnlyStrictlyAbove9_9e29) {
    double x[] = {0, 0, 1};
    double y[] = {0, 0, 1};
    double y2[3] = {0, 0, 0};
    A::Spline(x, y, 2, 9.9e29, 1e30, y2); // lower end imposed: u1 = (1 - 9.9e29) * 3
    EXPECT_DOUBLE_EQ(y2[1], -2.97e30);
    EXPECT_EQ(y2[2], 0.0);
    A::Spline(x, y, 2, std::nextafter(9.9e29, 1e31), 1e30, y2);
    EXPECT_EQ(y2[1], 0.0);
    A::Spline(x, y, 2, 1e30, 9.9e29, y2); // upper end imposed: un = (9.9e29 - 1) * 3
    EXPECT_EQ(y2[1], 0.0);
    EXPECT_DOUBLE_EQ(y2[2], 2.97e30);
    A::Spline(x, y, 2, kNaN, 1e30, y2); // NaN takes the imposed branch
    EXPECT_TRUE(std::isnan(y2[1]));
}

TEST(Spline, TooFewPointsOrNullArraysWriteNothing) {
    double x[] = {0, 0, 1};
    double y[] = {0, 0, 1};
    double y2[3] = {5, 5, 5};
    A::Spline(x, y, 1, 0.0, 0.0, y2);
    A::Spline(x, y, 0, 0.0, 0.0, y2);
    A::Spline(x, y, -2, 0.0, 0.0, y2);
    A::Spline(nullptr, y, 2, 0.0, 0.0, y2);
    A::Spline(x, nullptr, 2, 0.0, 0.0, y2);
    A::Spline(x, y, 2, 0.0, 0.0, nullptr);
    EXPECT_EQ(y2[0], 5.0);
    EXPECT_EQ(y2[1], 5.0);
    EXPECT_EQ(y2[2], 5.0);
}

} // namespace
