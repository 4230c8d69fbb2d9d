#include "TestSupport.h"

#include <stdexcept>

namespace {

using A = vymath::detail::Access;
using C = std::vector<double>;

// Element by element within 1e-12 (relative beyond 1), NaN matching NaN.
void ExpectSame(const C& got, const C& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t k = 0; k < want.size(); ++k)
        EXPECT_NEAR(std::isnan(got[k]) ? 1e300 : got[k], std::isnan(want[k]) ? 1e300 : want[k],
                    1e-12 * std::fmax(1.0, std::fabs(want[k])))
            << "element " << k;
}

TEST(ApproxPolynomiale, LeastSquaresWithTheDegreeAsked) {
    // Points, degree, expected coefficients (constant term first).
    const std::tuple<std::vector<CVyMathFunction1D::Point>, int, C> cases[] = {
        {{{0, 0}, {1, 1}, {2, 1}}, 1, {1.0 / 6.0, 0.5}}, // S = 3, 3, 5 and b = 2, 3
        {{{0, 1}, {1, 3}}, -1, {}},
        // A zero row of the normal matrix (all points at x = 0): the mean ordinate, then zeros.
        {{{0, 2}, {0, 4}}, 1, {3, 0}},
    };
    for (const auto& [points, degree, expected] : cases) {
        SCOPED_TRACE(::testing::Message() << "degree " << degree << ", points " << points.size());
        const CVyMathPolynom p = MakeFunction(points, 0, 2).ApproxPolynomiale(degree);
        EXPECT_EQ(p.GetDegree(), degree);
        ExpectSame(p.GetCoefficients(), expected);
    }
    EXPECT_THROW(MakeFunction({{0, 1}}, 0, 1).ApproxPolynomiale(-2), std::invalid_argument);
}

TEST(PolynomInterpol, NevilleFromTheFirstNearestAbscissa) {
    double xa[] = {0, 1, 2}, ya[] = {0, 1, 4};
    const double cases[][4] = {
        // n, x, expected y, expected dy (99: not written)
        {3, 1.5, 2.25, 0.75}, // index 1 beats the equally near index 2: corrections 0.5, then 0.75
        {1, -100, 0.0, 99.0}, // one point: ya[0], dy not written
        {0, 1.0, -1.0, 99.0}, // n < 1: nothing written
    };
    for (const auto& c : cases) {
        double y = -1, dy = 99;
        CVyMathFunction1D().PolynomInterpol(xa, ya, static_cast<int>(c[0]), c[1], &y, &dy);
        EXPECT_EQ((C{y, dy}), (C{c[2], c[3]})) << "n = " << c[0] << ", x = " << c[1];
    }
}

TEST(LuDecomp, ScaledPivotingTiesZeroPivotsZeroRowsAndTheSolve) {
    // Matrix (decomposed in place), expected indx, expected LU.
    std::tuple<C, std::vector<int>, C> cases[] = {
        {{2, 1, 4, 3}, {1, 1}, {4, 3, 0.5, -0.5}},      // scaled 2/2 and 4/4 tie: the later row wins
        {{1, 1, 1, 1}, {1, 1}, {1, 1, 1, 1e-20}},       // zero pivot becomes 1e-20
        {{1, 2, 0, 0}, {-7, -7}, {1, 2, 0, 0}},         // zero row: nothing changed, indx unwritten
        {{NAN, 1, NAN, 2}, {0, 1}, {NAN, 1, NAN, NAN}}, // NaN column: pivot stays on the diagonal
    };
    for (auto& [m, expectedIndx, lu] : cases) {
        std::vector<int> indx = {-7, -7};
        double* rows[2] = {m.data(), m.data() + 2};
        A::LuDecomp(rows, 2, indx.data());
        EXPECT_EQ(indx, expectedIndx);
        ExpectSame(m, lu);
    }
    // An indx entry outside 0..n-1: nothing changed. Then 2x + y = 3, 4x + 3y = 7 from the
    // tied case's LU: X = (1, 1), the permutation undone.
    double b[2] = {3, 7};
    int indx[2] = {1, 1}, bad[2] = {2, -1};
    double* tied[2] = {std::get<0>(cases[0]).data(), std::get<0>(cases[0]).data() + 2};
    A::LuBackSubstitution(tied, 2, bad, b);
    A::LuBackSubstitution(tied, 2, indx, b);
    EXPECT_EQ(C(b, b + 2), (C{1, 1}));
}

TEST(Spline, OneBasedSecondDerivatives) {
    // Natural ends on a straight line (uneven spacing): all zero, element 0 untouched.
    double x[] = {-1, 0, 1, 3}, y[] = {-1, 1, 3, 7}, y2[] = {42, 9, 9, 9};
    A::Spline(x, y, 3, 1e30, 1e30, y2);
    EXPECT_EQ(C(y2, y2 + 4), (C{42, 0, 0, 0}));
    // Two points (0, 0), (1, 1), x[1..2] as both x and y: zero end slopes give 3x^2 - 2x^3, y'' = 6 - 12x.
    const double cases[][5] = {
        // n, yp1, ypn, expected y2[1], y2[2] (5: not written)
        {2, 0.0, 0.0, 6.0, -6.0},
        {2, 9.9e29, 1e30, -2.97e30, 0.0},                  // 9.9e29 is imposed: u1 = (1 - 9.9e29) * 3
        {2, std::nextafter(9.9e29, 1e31), 1e30, 0.0, 0.0}, // strictly above: natural
        {1, 0.0, 0.0, 5.0, 5.0},                           // n < 2: nothing written
    };
    for (const auto& c : cases) {
        double t2[3] = {5, 5, 5};
        A::Spline(x, x, static_cast<int>(c[0]), c[1], c[2], t2);
        ExpectSame(C(t2 + 1, t2 + 3), C(c + 3, c + 5));
    }
}

} // namespace
