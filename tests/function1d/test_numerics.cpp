#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

namespace {

using A = VyMathTestAccess;
using C = std::vector<double>;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// EXPECT_DOUBLE_EQ that also accepts NaN for NaN.
void ExpectSame(double got, double want) {
    if (std::isnan(want))
        EXPECT_TRUE(std::isnan(got));
    else
        EXPECT_DOUBLE_EQ(got, want);
}

// Row pointers over a row-major n x n array held in `m`.
std::vector<double*> Rows(C& m, int n) {
    std::vector<double*> rows;
    for (int i = 0; i < n; ++i)
        rows.push_back(m.data() + i * n);
    return rows;
}

TEST(ApproxPolynomiale, LeastSquaresWithTheDegreeAsked) {
    const struct {
        std::vector<CVyMathFunction1D::Point> points;
        int degree;
        C expected; // constant term first
    } cases[] = {
        {{{0, 1}, {1, 3}, {2, 5}}, 1, {1, 2}},
        {{{0, 1}, {1, 3}, {2, 5}}, 0, {3}}, // the mean ordinate
        {{{0, 0}, {1, 1}, {2, 4}}, 2, {0, 0, 1}},
        {{{0, 0}, {1, 1}, {2, 1}}, 1, {1.0 / 6.0, 0.5}}, // S = 3, 3, 5 and b = 2, 3
        {{{0, 1}, {1, 3}}, -1, {}},
        // A zero row of the normal matrix: the mean ordinate, then zeros.
        {{}, 2, {0, 0, 0}},
        {{}, 0, {0}},
        {{{0, 2}, {0, 4}}, 1, {3, 0}},
        {{{0, 2}, {0, 4}}, 3, {3, 0, 0, 0}},
        {{{0, 2}, {0, 4}}, 0, {3}}, // no zero row: solved normally
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "degree " << c.degree << ", points " << c.points.size());
        CVyMathFunction1D f = MakeFunction(c.points, 0, 2);
        const CVyMathPolynom p = f.ApproxPolynomiale(c.degree);
        EXPECT_EQ(p.GetDegree(), c.degree);
        const C& got = A::PolynomCoefficients(p);
        ASSERT_EQ(got.size(), c.expected.size());
        for (std::size_t i = 0; i < got.size(); ++i)
            EXPECT_NEAR(got[i], c.expected[i], 1e-12) << "coefficient " << i;
    }
    EXPECT_THROW(MakeFunction({{0, 1}}, 0, 1).ApproxPolynomiale(-2), std::invalid_argument);
}

TEST(PolynomInterpol, NevilleFromTheFirstNearestAbscissa) {
    double xa[] = {0, 1, 2}, ya[] = {0, 1, 4};
    const double cases[][4] = {
        // n, x, expected y, expected dy (99: not written)
        {3, 1.5, 2.25, 0.75}, // index 1 beats the equally near index 2: corrections 0.5, then 0.75
        {3, 2.0, 4.0, 0.0},   // on an abscissa: starts from its ordinate
        {2, 0.5, 0.5, 0.5},   // tie goes to index 0, then the correction c[0] = 0.5
        {1, -100, 0.0, 99.0}, // one point: ya[0], dy not written
        {0, 1.0, -1.0, 99.0}, // n < 1: nothing written
    };
    CVyMathFunction1D f;
    for (const auto& c : cases) {
        double y = -1, dy = 99;
        f.PolynomInterpol(xa, ya, static_cast<int>(c[0]), c[1], &y, &dy);
        EXPECT_DOUBLE_EQ(y, c[2]) << "n = " << c[0] << ", x = " << c[1];
        EXPECT_DOUBLE_EQ(dy, c[3]) << "n = " << c[0] << ", x = " << c[1];
    }
}

TEST(LuDecomp, ScaledPivotingTiesZeroPivotsZeroRowsAndTheSolve) {
    struct {
        C m;
        int i0, i1;
        C lu;
    } cases[] = {
        // matrix, expected indx, expected LU
        {{0, 1, 1, 0}, 1, 1, {1, 0, 0, 1}},                // rows exchanged
        {{2, 1, 4, 3}, 1, 1, {4, 3, 0.5, -0.5}},           // scaled 2/2 and 4/4 tie: the later row wins
        {{1, 1, 1, 1}, 1, 1, {1, 1, 1, 1e-20}},            // zero pivot becomes 1e-20
        {{1, 2, 0, 0}, -7, -7, {1, 2, 0, 0}},              // zero row: nothing changed, indx unwritten
        {{kNaN, 1, kNaN, 2}, 0, 1, {kNaN, 1, kNaN, kNaN}}, // NaN column: pivot stays on the diagonal
    };
    for (auto& c : cases) {
        int indx[2] = {-7, -7};
        A::LuDecomp(Rows(c.m, 2).data(), 2, indx);
        EXPECT_EQ(indx[0], c.i0);
        EXPECT_EQ(indx[1], c.i1);
        for (int k = 0; k < 4; ++k)
            ExpectSame(c.m[k], c.lu[k]);
    }
    // 2x + y = 3, 4x + 3y = 7 from the tied case's LU: X = (1, 1), the permutation undone.
    double b[2] = {3, 7};
    int indx[2] = {1, 1};
    A::LuBackSubstitution(Rows(cases[1].m, 2).data(), 2, indx, b);
    EXPECT_EQ(C(b, b + 2), (C{1, 1}));
    // The NaN below the diagonal only meets the leading zero of b: skipped, the result stays finite.
    C nan = {1, 0, kNaN, 1};
    double z[2] = {0, 5};
    indx[0] = 0;
    A::LuBackSubstitution(Rows(nan, 2).data(), 2, indx, z);
    EXPECT_EQ(C(z, z + 2), (C{0, 5}));
    // n < 1 or an indx entry outside 0..n-1: nothing changed.
    int bad[2] = {2, -1};
    A::LuBackSubstitution(Rows(nan, 2).data(), 0, indx, z);
    A::LuBackSubstitution(Rows(nan, 2).data(), 2, bad, z);
    EXPECT_EQ(C(z, z + 2), (C{0, 5}));
}

TEST(Spline, OneBasedSecondDerivatives) {
    // Natural ends on a straight line (uneven spacing): all zero, element 0 untouched.
    double x[] = {-1, 0, 1, 3}, y[] = {-1, 1, 3, 7}, y2[] = {42, 9, 9, 9};
    A::Spline(x, y, 3, 1e30, 1e30, y2);
    EXPECT_EQ(C(y2, y2 + 4), (C{42, 0, 0, 0}));
    // Clamped with the true end slopes of x^2: y'' = 2 everywhere.
    double qx[] = {0, 0, 1, 2}, qy[] = {0, 0, 1, 4}, q2[4] = {42, 0, 0, 0};
    A::Spline(qx, qy, 3, 0.0, 4.0, q2);
    for (int i = 0; i <= 3; ++i)
        EXPECT_NEAR(q2[i], i == 0 ? 42.0 : 2.0, 1e-12);

    // Two points (0, 0), (1, 1): zero end slopes give 3x^2 - 2x^3, y'' = 6 - 12x.
    double tx[] = {0, 0, 1}, ty[] = {0, 0, 1};
    const double cases[][5] = {
        // n, yp1, ypn, expected y2[1], y2[2] (5: not written)
        {2, 0.0, 0.0, 6.0, -6.0},
        {2, 9.9e29, 1e30, -2.97e30, 0.0},                  // 9.9e29 is imposed: u1 = (1 - 9.9e29) * 3
        {2, std::nextafter(9.9e29, 1e31), 1e30, 0.0, 0.0}, // strictly above: natural
        {2, 1e30, 9.9e29, 0.0, 2.97e30},                   // un = (9.9e29 - 1) * 3
        {2, kNaN, 1e30, kNaN, kNaN},                       // NaN takes the imposed branch
        {1, 0.0, 0.0, 5.0, 5.0},                           // n < 2: nothing written
    };
    for (const auto& c : cases) {
        double t2[3] = {5, 5, 5};
        A::Spline(tx, ty, static_cast<int>(c[0]), c[1], c[2], t2);
        ExpectSame(t2[1], c[3]);
        ExpectSame(t2[2], c[4]);
    }
}

} // namespace
