#include "TestSupport.h"

#include <algorithm>
#include <iomanip>

namespace {

using A = vymath::detail::Access;
using NoSolution = CVyMathTensorSym2D::NoSolution;

const double kSqrt2 = std::sqrt(2.0);

void ExpectVector(const double* v, const Nums& e, double tol = 1e-15) {
    ExpectNear(Nums(v, v + 3), e, tol);
}

// A 1-based matrix, from its rows, in the row-pointer form that Jacobi takes.
struct Matrix1 {
    explicit Matrix1(const std::vector<Nums>& m)
        : storage(m.size() + 1, Nums(m.size() + 1)), rows(m.size() + 1) {
        for (std::size_t p = 1; p <= m.size(); ++p) {
            std::copy(m[p - 1].begin(), m[p - 1].end(), storage[p].begin() + 1);
            rows[p] = storage[p].data();
        }
    }
    std::vector<Nums> storage;
    std::vector<double*> rows;
};

TEST(TensorEigen, InvariantsDegeneracyAndPlaneness) {
    const CVyMathTensorSym2D d = Tensor(1, 0, 2, 0, 0, 3);
    EXPECT_EQ((Nums{d.FirstInvariant(), d.SecondInvariant(), d.ThirstInvariant()}), (Nums{6, 11, 6}));
    // [1 2 4; 2 3 5; 4 5 6]: I2 = 6 + 3 + 18 − 4 − 16 − 25, det = −7 + 16 − 8.
    const CVyMathTensorSym2D g = Tensor(1, 2, 3, 4, 5, 6);
    EXPECT_EQ((Nums{g.FirstInvariant(), g.SecondInvariant(), g.Determinant()}), (Nums{10, -18, 1}));
    EXPECT_ROWS({Row("degenerate: exactly 1e-10", Tensor(1e-10, 0, 1, 0, 0, 1).IsDegenerate(), false),
                 Row("degenerate: within 1e-10", Tensor(0.5e-10, 0, 1, 0, 0, 1).IsDegenerate(), true)});
    // sqrt(2·(36/3 − 11)/3) = sqrt(2/3), the octahedral shear of diag(1, 2, 3).
    EXPECT_DOUBLE_EQ(A::OctahedralShear(d), std::sqrt(2.0 / 3.0));
    // Plane: T02, T12, T22 each strictly within 1e-10 of 0.
    auto plane = [](double t02, double t12, double t22) { return Tensor(1, 2, 3, t02, t12, t22).IsPlane(); };
    EXPECT_ROWS({Row("plane", plane(0, 0, 0), true), Row("T22 within 1e-10", plane(0, 0, 1e-11), true),
                 Row("T22 beyond", plane(0, 0, 1e-9), false),
                 Row("T02 exactly 1e-10", plane(1e-10, 0, 0), false),
                 Row("T12 beyond", plane(0, -1e-9, 0), false), Row("NaN T22", plane(0, 0, kNaN), false)});
}

TEST(TensorEigen, PrincipalAngleStressesAndDeviatoricPart) {
    EXPECT_DOUBLE_EQ(Tensor(3, 1, 1, 0, 0, 0).PrincipalAngleTensor(), CVyMath::dfPI / 8);
    // Near-zero denominator: 0.0 although sigma1 = 3 lies along the second axis.
    EXPECT_EQ(Tensor(1, 0, 3, 0, 0, 0).PrincipalAngleTensor(), 0.0);
    EXPECT_EQ(Tensor(1, 1e-7, 3, 0, 0, 0).PrincipalAngleTensor(), 0.0);
    EXPECT_TRUE(std::isnan(Tensor(1, kNaN, 3, 0, 0, 0).PrincipalAngleTensor()));
    // Only T00, T01, T11 count; the result is diag(sigma1, sigma2, 0) in the identity basis.
    const CVyMathTensorSym2D p =
        Tensor(3, 1, 1, 7, 8, 9, CVyMathMat33({1, 0.5, 0}, {0, 1, 0}, {0, 0, 1})).GetPrincipalStress();
    EXPECT_EQ(Components(p), (Nums{2 + kSqrt2, 0, 2 - kSqrt2, 0, 0, 0}));
    EXPECT_TRUE(p.GetBasis().IsMatID());
    // Deviatoric part T − (I1/3)·I, only in the identity basis.
    EXPECT_EQ(Components(Tensor(1, 7, 2, 8, 9, 3).DeviatoricStressTensor()), (Nums{-1, 7, 0, 8, 9, 1}));
    const CVyMathTensorSym2D t = Tensor(1, 0, 2, 0, 0, 3, CVyMathMat33({1, 0, 0.5}, {0, 1, 0}, {0, 0, 1}));
    EXPECT_THROW(t.DeviatoricStressTensor(), CVyMathTensorSym2D::InvalidateBase);
    EXPECT_EQ(Components(t), (Nums{1, 0, 2, 0, 0, 3}));
}

TEST(TensorEigen, SphericalAndRevolutionUseTheInPlaneValues) {
    EXPECT_ROWS(
        {Row("diag(5, 5, 5): the third value is taken as 0", Tensor(5, 0, 5, 0, 0, 5).IsSpherical(), false),
         Row("null", Tensor(0, 0, 0, 0, 0, 0).IsSpherical(), true),
         Row("in-plane values within 1e-10 of 0", Tensor(1e-11, 0, 1e-11, 0, 0, 7).IsSpherical(), true),
         Row("in-plane values exactly 1e-10", Tensor(1e-10, 0, 1e-10, 0, 0, 0).IsSpherical(), false)});
    // t: sigma2 = 2 against 0 for the first axis; u: sigma1 = 2, sigma2 = 0, axis compared with 0 exactly.
    const CVyMathTensorSym2D t = Tensor(2, 0, 2, 0, 0, 0), u = Tensor(2, 0, 0, 0, 0, 0);
    EXPECT_ROWS({Row("third axis", t.IsRevolution({0, 0, 1}), true),
                 Row("first axis", t.IsRevolution({1, 0, 0}), false),
                 Row("null axis", t.IsRevolution({0, 0, 0}), false),
                 Row("tiny first coordinate", u.IsRevolution({1e-300, 0, 0}), true),
                 Row("NaN first coordinate", u.IsRevolution({kNaN, 0, 0}), true),
                 Row("-0 first coordinate", u.IsRevolution({-0.0, 0, 0}), false)});
}

TEST(TensorEigen, EigenVectorsAndPrincipalDirections) {
    // [2 0 1; 0 1 0; 1 0 0] at lambda 0: D = 2, x = −1/2, y = 0.
    const CVyMathTensorSym2D t = Tensor(2, 0, 1, 1, 0, 0);
    double v[3], w[3] = {9, 9, 9};
    A::EigenVector(t, 0.0, v);
    ExpectVector(v, {-0.5 / std::sqrt(1.25), 0.0, 1.0 / std::sqrt(1.25)});
    // lambda = 1 makes the minor (1 − 1)(2 − 1) − 0 null: nothing written.
    EXPECT_THROW(A::EigenVector(t, 1.0, w), NoSolution);
    EXPECT_EQ(Nums(w, w + 3), (Nums{9, 9, 9}));
    // The in-plane principal values are roots of that minor, so they never solve.
    EXPECT_THROW(A::EigenVector(Tensor(3, 1, 1, 0.5, 0.25, 2), 2 + kSqrt2, w), NoSolution);

    // Principal directions; plane tensor: in-plane axes and a null third direction.
    const double c = std::cos(CVyMath::dfPI / 8), s = std::sin(CVyMath::dfPI / 8);
    double d1[3], d2[3], d3[3] = {9, 9, 9};
    Tensor(3, 1, 1, 0, 0, 0).GetPrincipalDirection(d1, d2, d3);
    ExpectVector(d2, {-s, c, 0});
    EXPECT_EQ(Nums(d3, d3 + 3), (Nums{0, 0, 0}));
    // Not plane: the same in-plane axes; the third solves the first two rows of T·v = 0:
    // x = (0.25·1 − 1·0.5)/2, y = (0.5·1 − 3·0.25)/2.
    Tensor(3, 1, 1, 0.5, 0.25, 2).GetPrincipalDirection(d1, d2, d3);
    ExpectVector(d1, {c, s, 0});
    const double n = std::sqrt(1.03125);
    ExpectVector(d3, {-0.125 / n, -0.125 / n, 1 / n});
    // Null in-plane minor at 0: d1 and d2 written, then NoSolution with d3 reset to null.
    EXPECT_THROW(Tensor(0, 0, 0, 0, 0, 3).GetPrincipalDirection(d1, d2, d3), NoSolution);
    EXPECT_EQ((std::vector<Nums>{Nums(d2, d2 + 3), Nums(d3, d3 + 3)}),
              (std::vector<Nums>{{0, 1, 0}, {0, 0, 0}}));
}

TEST(TensorEigen, JacobiEigenPairsFailuresAndGuards) {
    CVyMathTensorSym2D t;
    Matrix1 a({{2, 1}, {1, 2}}), v({{7, 7}, {7, 7}});
    double d[4] = {0, 0, 0, 0};
    int nrot = -1;
    // A null row with n >= 1 throws before any write.
    double* halfRows[3] = {nullptr, d, nullptr};
    EXPECT_THROW(A::Jacobi(t, halfRows, 2, d, v.rows.data(), &nrot), NoSolution);
    EXPECT_EQ(nrot, -1);
    A::Jacobi(t, a.rows.data(), 2, d, v.rows.data(), &nrot);
    EXPECT_EQ((Nums{double(nrot), d[1], d[2]}), (Nums{1, 1, 3}));
    // Column q of v is the eigenvector of d[q]; the upper triangle of a is destroyed, the rest kept.
    ExpectVector(&v.storage[2][0], {0, -1 / kSqrt2, 1 / kSqrt2});
    EXPECT_EQ(a.storage, (std::vector<Nums>{{0, 0, 0}, {0, 2, 0}, {0, 1, 2}}));
    // n < 1: nothing to solve, nothing read, *nrot = 0 unless nrot is null.
    A::Jacobi(t, nullptr, 0, nullptr, nullptr, &nrot);
    EXPECT_EQ(nrot, 0);
    A::Jacobi(t, nullptr, -3, nullptr, nullptr, nullptr);
    // Diagonal: no rotation, v set to the identity.
    Matrix1 g({{4, 0, 0}, {0, -1, 0}, {0, 0, 2}}), w({{0, 5, 0}, {0, 0, 0}, {0, 0, 0}});
    A::Jacobi(t, g.rows.data(), 3, d, w.rows.data(), &nrot);
    EXPECT_EQ((Nums{double(nrot), d[1], d[2], d[3]}), (Nums{0, 4, -1, 2}));
    EXPECT_EQ(w.storage[1], (Nums{0, 1, 0, 0}));
    // Rotations over all three pairs: [2 1 0; 1 2 1; 0 1 2] has the eigenvalues 2 − √2, 2, 2 + √2.
    Matrix1 f({{2, 1, 0}, {1, 2, 1}, {0, 1, 2}});
    A::Jacobi(t, f.rows.data(), 3, d, w.rows.data(), &nrot);
    for (int q = 1; q <= 3; ++q) { // column q of v is a unit eigenvector of d[q]: M v = d v, |v| = 1
        const double x = w.storage[1][q], y = w.storage[2][q], z = w.storage[3][q];
        ExpectNear({2 * x + y, x + 2 * y + z, y + 2 * z, x * x + y * y + z * z},
                   {d[q] * x, d[q] * y, d[q] * z, 1}, 1e-14);
    }
    std::sort(d + 1, d + 4);
    ExpectVector(d + 1, {2 - kSqrt2, 2, 2 + kSqrt2}, 1e-14);
    // A NaN off the diagonal never rotates and never converges: NoSolution after 50 sweeps.
    Matrix1 n({{1, kNaN}, {kNaN, 1}});
    EXPECT_THROW(A::Jacobi(t, n.rows.data(), 2, d, v.rows.data(), &nrot), NoSolution);
    EXPECT_EQ((Nums{double(nrot), d[1]}), (Nums{0, 1}));
}

TEST(TensorEigen, TextOutputByteForByte) {
    CVyMathTensorSym2D unit, t = Tensor(1.5, -2, 3, 4, 5.3, 6);
    std::ostringstream os, fixed;
    EXPECT_EQ(&(os << unit), &os);
    EXPECT_EQ(os.str(), "\n\tTenseur=  [ 1 0 0 ]\n\t\t  [ 0 1 0 ]\n\t\t  [ 0 0 1 ]\n");
    // The stream's own formatting applies and is left as it was.
    fixed << std::fixed << std::setprecision(1) << t;
    EXPECT_EQ(fixed.str(), "\n\tTenseur=  [ 1.5 -2.0 4.0 ]\n\t\t  [ -2.0 3.0 5.3 ]\n\t\t  [ 4.0 5.3 6.0 ]\n");
    EXPECT_EQ(fixed.precision(), 1);
}

} // namespace
