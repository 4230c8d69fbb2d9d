#include "vymath/CVyMath.h"
#include "vymath/CVyMathMat33.h"
#include "vymath/CVyMathTensorSym2D.h"

#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <sstream>
#include <vector>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kSqrt2 = std::sqrt(2.0);

CVyMathTensorSym2D Tensor(double t00, double t01, double t11, double t02, double t12, double t22,
                          CVyMathMat33 basis = CVyMathMat33()) {
    const double c[6] = {t00, t01, t11, t02, t12, t22};
    return CVyMathTensorSym2D(c, &basis);
}

void ExpectVector(const double* v, double x, double y, double z, double tol = 1e-15) {
    EXPECT_NEAR(v[0], x, tol);
    EXPECT_NEAR(v[1], y, tol);
    EXPECT_NEAR(v[2], z, tol);
}

// A 1-based n x n matrix in the row-pointer form that Jacobi takes.
struct Matrix1 {
    explicit Matrix1(int n) : storage(n + 1, std::vector<double>(n + 1, 0.0)), rows(n + 1, nullptr) {
        for (int p = 1; p <= n; ++p)
            rows[p] = storage[p].data();
    }
    double** get() { return rows.data(); }
    double& operator()(int p, int q) { return storage[p][q]; }
    std::vector<std::vector<double>> storage;
    std::vector<double*> rows;
};

TEST(TensorEigen, InvariantsAndDeterminant) {
    const CVyMathTensorSym2D d = Tensor(1, 0, 2, 0, 0, 3);
    EXPECT_EQ(d.FirstInvariant(), 6.0);
    EXPECT_EQ(d.SecondInvariant(), 11.0);
    EXPECT_EQ(d.ThirstInvariant(), 6.0);
    EXPECT_EQ(d.Determinant(), 6.0);
    EXPECT_FALSE(d.IsDegenerate());
    EXPECT_FALSE(d.IsPlane());

    // [1 2 4; 2 3 5; 4 5 6]: I2 = 6 + 3 + 18 − 4 − 16 − 25, det = −7 + 16 − 8.
    const CVyMathTensorSym2D g = Tensor(1, 2, 3, 4, 5, 6);
    EXPECT_EQ(g.FirstInvariant(), 10.0);
    EXPECT_EQ(g.SecondInvariant(), -18.0);
    EXPECT_EQ(g.Determinant(), 1.0);

    // Degenerate: determinant strictly within 1e-10 of 0.
    EXPECT_TRUE(Tensor(1, 1, 1, 0, 0, 1).IsDegenerate());
    EXPECT_FALSE(Tensor(1e-10, 0, 1, 0, 0, 1).IsDegenerate());
    EXPECT_TRUE(Tensor(0.5e-10, 0, 1, 0, 0, 1).IsDegenerate());

    EXPECT_DOUBLE_EQ(VyMathTestAccess::Hydrostatic(d), 2.0);
    // sqrt(2·(36/3 − 11)/3) = sqrt(2/3), the octahedral shear of diag(1, 2, 3).
    EXPECT_DOUBLE_EQ(VyMathTestAccess::OctahedralShear(d), std::sqrt(2.0 / 3.0));
    EXPECT_EQ(VyMathTestAccess::OctahedralShear(Tensor(4, 0, 4, 0, 0, 4)), 0.0);
    EXPECT_TRUE(std::isnan(VyMathTestAccess::OctahedralShear(Tensor(kNaN, 0, 1, 0, 0, 1))));
}

TEST(TensorEigen, PlaneTestsTheOutOfPlaneComponents) {
    EXPECT_TRUE(Tensor(1, 2, 3, 0, 0, 0).IsPlane());
    EXPECT_TRUE(Tensor(1, 2, 3, 0, 0, 1e-11).IsPlane());
    EXPECT_FALSE(Tensor(1, 2, 3, 0, 0, 1e-9).IsPlane());
    EXPECT_FALSE(Tensor(1, 2, 3, 1e-10, 0, 0).IsPlane()); // exactly 1e-10 is not within 1e-10
    EXPECT_FALSE(Tensor(1, 2, 3, 0, -1e-9, 0).IsPlane());
    EXPECT_FALSE(Tensor(1, 2, 3, 0, 0, kNaN).IsPlane());
}

TEST(TensorEigen, PrincipalAngleAndStresses) {
    const CVyMathTensorSym2D t = Tensor(3, 1, 1, 0, 0, 0);
    EXPECT_DOUBLE_EQ(t.PrincipalAngleTensor(), CVyMath::dfPI / 8);
    EXPECT_DOUBLE_EQ(Tensor(0, 1, 0, 0, 0, 0).PrincipalAngleTensor(), CVyMath::dfPI / 4);
    EXPECT_DOUBLE_EQ(Tensor(0, -1, 0, 0, 0, 0).PrincipalAngleTensor(), -CVyMath::dfPI / 4);
    // Near-zero denominator: 0.0 although sigma1 = 3 lies along the second axis.
    EXPECT_EQ(Tensor(1, 0, 3, 0, 0, 0).PrincipalAngleTensor(), 0.0);
    EXPECT_EQ(Tensor(1, 1e-7, 3, 0, 0, 0).PrincipalAngleTensor(), 0.0);
    EXPECT_EQ(Tensor(3, 0, 1, 0, 0, 0).PrincipalAngleTensor(), 0.0);
    EXPECT_TRUE(std::isnan(Tensor(1, kNaN, 3, 0, 0, 0).PrincipalAngleTensor()));

    // Only T00, T01, T11 count; the result is diag(sigma1, sigma2, 0) in the identity basis.
    CVyMathMat33 skew;
    skew(1, 0) = 0.5;
    CVyMathTensorSym2D p = Tensor(3, 1, 1, 7, 8, 9, skew).GetPrincipalStress();
    EXPECT_DOUBLE_EQ(p.GetComponent(0), 2 + kSqrt2);
    EXPECT_DOUBLE_EQ(p.GetComponent(2), 2 - kSqrt2);
    for (int k : {1, 3, 4, 5})
        EXPECT_EQ(p.GetComponent(k), 0.0) << "position " << k;
    EXPECT_TRUE(VyMathTestAccess::BasisPtr(p)->IsMatID());
}

TEST(TensorEigen, SphericalAndRevolutionUseTheInPlaneValues) {
    EXPECT_FALSE(Tensor(5, 0, 5, 0, 0, 5).IsSpherical()); // third value taken as 0
    EXPECT_TRUE(Tensor(0, 0, 0, 0, 0, 0).IsSpherical());
    EXPECT_TRUE(Tensor(1e-11, 0, 1e-11, 0, 0, 7).IsSpherical());
    EXPECT_FALSE(Tensor(1e-10, 0, 1e-10, 0, 0, 0).IsSpherical());

    const CVyMathTensorSym2D t = Tensor(2, 0, 2, 0, 0, 0);
    EXPECT_TRUE(t.IsRevolution({0, 0, 1}));
    EXPECT_FALSE(t.IsRevolution({1, 0, 0})); // sigma2 = 2 against 0
    EXPECT_FALSE(t.IsRevolution({0, 1, 0}));
    EXPECT_FALSE(t.IsRevolution({0, 0, 0}));

    const CVyMathTensorSym2D u = Tensor(2, 0, 0, 0, 0, 0); // sigma1 = 2, sigma2 = 0
    EXPECT_TRUE(u.IsRevolution({1e-300, 0, 0}));           // exact test against 0, no tolerance
    EXPECT_TRUE(u.IsRevolution({kNaN, 0, 0}));
    EXPECT_FALSE(u.IsRevolution({-0.0, 0, 0}));
    EXPECT_FALSE(u.IsRevolution({0, 1, 1}));
}

TEST(TensorEigen, EigenVectorSolvesTheFirstTwoRows) {
    // [2 0 1; 0 1 0; 1 0 0] at lambda 0: D = 2, x = −1/2, y = 0.
    const CVyMathTensorSym2D t = Tensor(2, 0, 1, 1, 0, 0);
    double v[3] = {9, 9, 9};
    VyMathTestAccess::EigenVector(t, 0.0, v);
    const double n = std::sqrt(1.25);
    ExpectVector(v, -0.5 / n, 0.0, 1.0 / n);

    // lambda = 1 makes the minor (1 − 1)(2 − 1) − 0 null: nothing written.
    double w[3] = {9, 9, 9};
    try {
        VyMathTestAccess::EigenVector(t, 1.0, w);
        ADD_FAILURE() << "no exception";
    } catch (const CVyMathTensorSym2D::NoSolution& e) {
        EXPECT_EQ(e.Message(), L"Determinant is null");
    }
    ExpectVector(w, 9, 9, 9, 0.0);

    // The in-plane principal values are roots of that minor, so they never solve.
    const CVyMathTensorSym2D g = Tensor(3, 1, 1, 0.5, 0.25, 2);
    EXPECT_THROW(VyMathTestAccess::EigenVector(g, 2 + kSqrt2, w), CVyMathTensorSym2D::NoSolution);
    EXPECT_THROW(VyMathTestAccess::EigenVector(g, 2 - kSqrt2, w), CVyMathTensorSym2D::NoSolution);
}

TEST(TensorEigen, PrincipalDirections) {
    const double c = std::cos(CVyMath::dfPI / 8), s = std::sin(CVyMath::dfPI / 8);
    double d1[3], d2[3], d3[3] = {9, 9, 9};

    // Plane tensor: in-plane axes and a null third direction.
    Tensor(3, 1, 1, 0, 0, 0).GetPrincipalDirection(d1, d2, d3);
    ExpectVector(d1, c, s, 0);
    ExpectVector(d2, -s, c, 0);
    ExpectVector(d3, 0, 0, 0, 0.0);

    // Not plane: the same in-plane axes; the third solves the first two rows of T·v = 0:
    // x = (0.25·1 − 1·0.5)/2, y = (0.5·1 − 3·0.25)/2.
    Tensor(3, 1, 1, 0.5, 0.25, 2).GetPrincipalDirection(d1, d2, d3);
    ExpectVector(d1, c, s, 0);
    ExpectVector(d2, -s, c, 0);
    const double n = std::sqrt(1.03125);
    ExpectVector(d3, -0.125 / n, -0.125 / n, 1 / n);

    // Null in-plane minor at 0: d1 and d2 written, then NoSolution with d3 left null.
    double e3[3] = {9, 9, 9};
    EXPECT_THROW(Tensor(0, 0, 0, 0, 0, 3).GetPrincipalDirection(d1, d2, e3), CVyMathTensorSym2D::NoSolution);
    ExpectVector(d1, 1, 0, 0);
    ExpectVector(d2, 0, 1, 0);
    ExpectVector(e3, 0, 0, 0, 0.0);
}

TEST(TensorEigen, DeviatoricPartNeedsTheIdentityBasis) {
    const CVyMathTensorSym2D dev = Tensor(1, 7, 2, 8, 9, 3).DeviatoricStressTensor();
    const double expected[6] = {-1, 7, 0, 8, 9, 1};
    CVyMathTensorSym2D copy(dev);
    for (int k = 0; k < 6; ++k)
        EXPECT_DOUBLE_EQ(copy.GetComponent(k), expected[k]) << "position " << k;

    CVyMathMat33 skew;
    skew(2, 0) = 0.5;
    CVyMathTensorSym2D t = Tensor(1, 0, 2, 0, 0, 3, skew);
    EXPECT_THROW(t.DeviatoricStressTensor(), CVyMathTensorSym2D::InvalidateBase);
    EXPECT_EQ(t.GetComponent(0), 1.0);
    EXPECT_EQ(t.GetComponent(5), 3.0);
}

TEST(TensorEigen, JacobiTwoByTwoInOneRotation) {
    CVyMathTensorSym2D t;
    Matrix1 a(2), v(2);
    a(1, 1) = 2;
    a(1, 2) = a(2, 1) = 1;
    a(2, 2) = 2;
    double d[3] = {0, 0, 0};
    int nrot = -1;
    VyMathTestAccess::Jacobi(t, a.get(), 2, d, v.get(), &nrot);
    EXPECT_EQ(nrot, 1);
    EXPECT_EQ(d[1], 1.0);
    EXPECT_EQ(d[2], 3.0);
    // Column q of v is the eigenvector of d[q].
    const double h = 1 / kSqrt2;
    EXPECT_NEAR(v(1, 1), h, 1e-15);
    EXPECT_NEAR(v(2, 1), -h, 1e-15);
    EXPECT_NEAR(v(1, 2), h, 1e-15);
    EXPECT_NEAR(v(2, 2), h, 1e-15);
    // Upper triangle destroyed, diagonal and lower triangle kept.
    EXPECT_EQ(a.storage[1], (std::vector<double>{0, 2, 0}));
    EXPECT_EQ(a.storage[2], (std::vector<double>{0, 1, 2}));
}

TEST(TensorEigen, JacobiDiagonalAndGeneral) {
    CVyMathTensorSym2D t;
    Matrix1 a(3), v(3);
    a(1, 1) = 4;
    a(2, 2) = -1;
    a(3, 3) = 2;
    v(1, 2) = 5; // overwritten by the identity
    double d[4] = {0, 0, 0, 0};
    int nrot = -1;
    VyMathTestAccess::Jacobi(t, a.get(), 3, d, v.get(), &nrot);
    EXPECT_EQ(nrot, 0);
    EXPECT_EQ(std::vector<double>(d, d + 4), (std::vector<double>{0, 4, -1, 2}));
    EXPECT_EQ(v.storage[1], (std::vector<double>{0, 1, 0, 0}));

    // A full symmetric matrix: A·v_q = d_q·v_q, orthonormal columns, trace kept.
    const double m[3][3] = {{4, 1, 2}, {1, 3, 0}, {2, 0, 5}};
    Matrix1 g(3), w(3);
    for (int p = 1; p <= 3; ++p)
        for (int q = 1; q <= 3; ++q)
            g(p, q) = m[p - 1][q - 1];
    VyMathTestAccess::Jacobi(t, g.get(), 3, d, w.get(), &nrot);
    EXPECT_GT(nrot, 0);
    EXPECT_NEAR(d[1] + d[2] + d[3], 12.0, 1e-12);
    for (int q = 1; q <= 3; ++q) {
        for (int i = 1; i <= 3; ++i) {
            double av = 0;
            for (int k = 1; k <= 3; ++k)
                av += m[i - 1][k - 1] * w(k, q);
            EXPECT_NEAR(av, d[q] * w(i, q), 1e-12);
        }
        EXPECT_NEAR(w(1, q) * w(1, q) + w(2, q) * w(2, q) + w(3, q) * w(3, q), 1.0, 1e-12);
    }
    EXPECT_EQ(g(3, 1), 2.0); // lower triangle untouched
}

TEST(TensorEigen, JacobiFailuresAndGuards) {
    CVyMathTensorSym2D t;
    // A NaN off the diagonal never rotates and never converges: NoSolution after 50 sweeps.
    Matrix1 a(2), v(2);
    a(1, 1) = a(2, 2) = 1;
    a(1, 2) = a(2, 1) = kNaN;
    double d[3] = {0, 0, 0};
    int nrot = -1;
    try {
        VyMathTestAccess::Jacobi(t, a.get(), 2, d, v.get(), &nrot);
        ADD_FAILURE() << "no exception";
    } catch (const CVyMathException& e) {
        EXPECT_EQ(e.Message(), L"Determinant is null");
    }
    EXPECT_EQ(nrot, 0);
    EXPECT_EQ(d[1], 1.0);

    // n < 1: nothing to solve, nothing read.
    nrot = 7;
    VyMathTestAccess::Jacobi(t, nullptr, 0, nullptr, nullptr, &nrot);
    EXPECT_EQ(nrot, 0);
    VyMathTestAccess::Jacobi(t, nullptr, -3, nullptr, nullptr, nullptr);

    // A null array or row with n >= 1 throws before any write.
    a.rows[2] = nullptr;
    EXPECT_THROW(VyMathTestAccess::Jacobi(t, a.get(), 2, d, v.get(), &nrot), CVyMathTensorSym2D::NoSolution);
    EXPECT_THROW(VyMathTestAccess::Jacobi(t, v.get(), 2, nullptr, v.get(), &nrot),
                 CVyMathTensorSym2D::NoSolution);
    EXPECT_EQ(nrot, 0);
}

TEST(TensorEigen, TextOutputByteForByte) {
    CVyMathTensorSym2D unit;
    std::ostringstream os;
    os << "x";
    std::ostream& r = (os << unit);
    EXPECT_EQ(&r, &os);
    EXPECT_EQ(os.str(), "x\n\tTenseur=  [ 1 0 0 ]\n\t\t  [ 0 1 0 ]\n\t\t  [ 0 0 1 ]\n");

    CVyMathTensorSym2D t = Tensor(1.5, -2, 3, 4, 5.3, 6);
    std::ostringstream plain;
    plain << t;
    EXPECT_EQ(plain.str(), "\n\tTenseur=  [ 1.5 -2 4 ]\n\t\t  [ -2 3 5.3 ]\n\t\t  [ 4 5.3 6 ]\n");

    // The stream's own formatting applies and is left as it was.
    std::ostringstream fixed;
    fixed << std::fixed << std::setprecision(1) << t;
    EXPECT_EQ(fixed.str(), "\n\tTenseur=  [ 1.5 -2.0 4.0 ]\n\t\t  [ -2.0 3.0 5.3 ]\n\t\t  [ 4.0 5.3 6.0 ]\n");
    EXPECT_EQ(fixed.precision(), 1);
}

} // namespace
