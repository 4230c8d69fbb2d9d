#include "vymath/CVyMathBasis.h"
#include "vymath/CVyMathMat33.h"

#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// A matrix from its rows, for readable expectations.
CVyMathMat33 Rows(const double (&r0)[3], const double (&r1)[3], const double (&r2)[3]) {
    const double c0[3] = {r0[0], r1[0], r2[0]};
    const double c1[3] = {r0[1], r1[1], r2[1]};
    const double c2[3] = {r0[2], r1[2], r2[2]};
    return CVyMathMat33(c0, c1, c2);
}

CVyMathMat33 Diag(double a, double b, double c) {
    return Rows({a, 0, 0}, {0, b, 0}, {0, 0, c});
}

void ExpectElements(const CVyMathMat33& m, const double (&r0)[3], const double (&r1)[3],
                    const double (&r2)[3]) {
    const double* rows[3] = {r0, r1, r2};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_DOUBLE_EQ(m.GetMat(i, j), rows[i][j]) << "element (" << i << ", " << j << ")";
}

TEST(Mat33, ConstructorsGiveIdentityOrZero) {
    CVyMathMat33 def;
    CVyMathMat33 id(true);
    CVyMathMat33 zero(false);
    ExpectElements(def, {1, 0, 0}, {0, 1, 0}, {0, 0, 1});
    ExpectElements(zero, {0, 0, 0}, {0, 0, 0}, {0, 0, 0});
    EXPECT_TRUE(def.IsMatID());
    EXPECT_TRUE(id.IsMatID());
    EXPECT_FALSE(zero.IsMatID());
    zero.SetMatrixID();
    EXPECT_TRUE(zero.IsMatID());
    id.SetNull();
    ExpectElements(id, {0, 0, 0}, {0, 0, 0}, {0, 0, 0});
}

TEST(Mat33, StorageIsColumnByColumn) {
    double v[9] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    CVyMathMat33 m;
    m.SetMat(v);
    EXPECT_EQ(m.GetMat(1, 0), 1.0);
    EXPECT_EQ(m.GetMat(0, 1), 3.0);
    EXPECT_EQ(m.GetMat(2, 1), 5.0);
    EXPECT_EQ(m.GetMat(1, 2), 7.0);

    const double c0[3] = {1, 2, 3}, c1[3] = {4, 5, 6}, c2[3] = {7, 8, 9};
    const CVyMathMat33 cols(c0, c1, c2);
    EXPECT_EQ(cols.GetMat(1, 0), 2.0);
    EXPECT_EQ(cols.GetMat(0, 1), 4.0);
    EXPECT_EQ(cols.GetMat(2, 2), 9.0);

    const double a[3] = {1, 2, 3}, b[3] = {4, 5, 6};
    const CVyMathMat33 dyad(a, b);
    ExpectElements(dyad, {4, 5, 6}, {8, 10, 12}, {12, 15, 18});

    // A null pointer leaves the matrix unchanged.
    m.SetMat(nullptr);
    EXPECT_EQ(m.GetMat(2, 2), 8.0);

    // operator() reads and writes the element in place.
    m(2, 1) = -7.5;
    EXPECT_EQ(m.GetMat(2, 1), -7.5);
    EXPECT_EQ(m(2, 1), -7.5);
}

TEST(Mat33, IndexOutsideZeroToTwoThrowsAndChangesNothing) {
    CVyMathMat33 m = Rows({1, 2, 3}, {4, 5, 6}, {7, 8, 9});
    const CVyMathMat33 before(m);
    EXPECT_THROW(m.GetMat(3, 0), CVyMathMat33::InvalidateIndex);
    EXPECT_THROW(m.GetMat(0, 3), CVyMathMat33::InvalidateIndex);
    EXPECT_THROW(m.GetMat(-1, 2), CVyMathMat33::InvalidateIndex);
    EXPECT_THROW(m(-1, 0), CVyMathMat33::InvalidateIndex);
    EXPECT_THROW(m(0, -1), CVyMathMat33::InvalidateIndex);
    EXPECT_THROW(m(2, 3) = 1.0, CVyMathMat33::InvalidateIndex);
    try {
        m(3, 3) = 0.0;
        ADD_FAILURE() << "no exception";
    } catch (const CVyMathException& e) {
        EXPECT_EQ(e.Message(), L"CVyMathMat33::operator(i,j) => out of range");
    }
    EXPECT_TRUE(m == before);
    EXPECT_EQ(m.GetMat(2, 2), 9.0);
}

TEST(Mat33, CopiesAreIndependent) {
    const CVyMathMat33 m = Rows({1, 2, 3}, {4, 5, 6}, {7, 8, 10});
    std::unique_ptr<CVyMathMat33> c(m.Clone());
    std::unique_ptr<CVyMathMat33> s(m.CloneSame());
    ASSERT_NE(c.get(), &m);
    ASSERT_NE(c.get(), s.get());
    ExpectElements(*c, {1, 2, 3}, {4, 5, 6}, {7, 8, 10});
    ExpectElements(*s, {1, 2, 3}, {4, 5, 6}, {7, 8, 10});
    (*c)(0, 0) = 99.0;
    EXPECT_EQ(m.GetMat(0, 0), 1.0);

    CVyMathMat33 target(false);
    CVyMathMat33& r = (target = m);
    EXPECT_EQ(&r, &target);
    ExpectElements(target, {1, 2, 3}, {4, 5, 6}, {7, 8, 10});
    const CVyMathMat33& alias = target;
    target = alias;
    ExpectElements(target, {1, 2, 3}, {4, 5, 6}, {7, 8, 10});
}

TEST(Mat33, ProductKeepsOperandOrderAndSelfProductSquares) {
    const CVyMathMat33 a = Rows({1, 2, 0}, {0, 1, 0}, {0, 0, 1});
    const CVyMathMat33 b = Rows({1, 0, 0}, {3, 1, 0}, {0, 0, 1});
    ExpectElements(a * b, {7, 2, 0}, {3, 1, 0}, {0, 0, 1});
    ExpectElements(b * a, {1, 2, 0}, {3, 7, 0}, {0, 0, 1});

    CVyMathMat33 l(a);
    CVyMathMat33& r = (l *= b);
    EXPECT_EQ(&r, &l);
    ExpectElements(l, {7, 2, 0}, {3, 1, 0}, {0, 0, 1});

    CVyMathMat33 m = Rows({1, 2, 0}, {3, 4, 0}, {0, 0, 2});
    m *= m;
    ExpectElements(m, {7, 10, 0}, {15, 22, 0}, {0, 0, 4});
}

TEST(Mat33, ElementwiseArithmetic) {
    const CVyMathMat33 a = Rows({1, 2, 3}, {4, 5, 6}, {7, 8, 9});
    const CVyMathMat33 id;
    ExpectElements(a + id, {2, 2, 3}, {4, 6, 6}, {7, 8, 10});
    ExpectElements(a - id, {0, 2, 3}, {4, 4, 6}, {7, 8, 8});
    ExpectElements(a * 2.0, {2, 4, 6}, {8, 10, 12}, {14, 16, 18});

    CVyMathMat33 m(a);
    m += a;
    ExpectElements(m, {2, 4, 6}, {8, 10, 12}, {14, 16, 18});
    m -= id;
    ExpectElements(m, {1, 4, 6}, {8, 9, 12}, {14, 16, 17});
    m *= 0.5;
    ExpectElements(m, {0.5, 2, 3}, {4, 4.5, 6}, {7, 8, 8.5});
    m /= 0.5;
    ExpectElements(m, {1, 4, 6}, {8, 9, 12}, {14, 16, 17});

    // Division by zero is not tested: IEEE infinities and NaNs.
    CVyMathMat33 z(false);
    z(0, 0) = 1.0;
    z /= 0.0;
    EXPECT_EQ(z.GetMat(0, 0), kInf);
    EXPECT_TRUE(std::isnan(z.GetMat(1, 0)));

    ExpectElements(Rows({1, 2, 3}, {4, 5, 6}, {7, 8, 9}).GetTranspose(), {1, 4, 7}, {2, 5, 8}, {3, 6, 9});
}

TEST(Mat33, EqualityIsStrictWithinOneTenBillionth) {
    CVyMathMat33 a = Rows({1, 2, 3}, {4, 5, 6}, {7, 8, 9});
    CVyMathMat33 b(a);
    b(1, 2) = 6.0 + 0.5e-10;
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a != b);
    b(1, 2) = 6.0 + 2e-10;
    EXPECT_FALSE(a == b);
    EXPECT_TRUE(a != b);

    // Exactly 1e-10 apart is not equal.
    CVyMathMat33 z1(false), z2(false);
    z2(2, 0) = 1e-10;
    EXPECT_FALSE(z1 == z2);
    z2(2, 0) = 0.99e-10;
    EXPECT_TRUE(z1 == z2);

    CVyMathMat33 id;
    id(0, 1) = 0.5e-10;
    EXPECT_TRUE(id.IsMatID());
    id(0, 1) = 1e-10;
    EXPECT_FALSE(id.IsMatID());

    // A NaN element is equal to nothing, itself included.
    CVyMathMat33 n;
    n(1, 1) = kNaN;
    EXPECT_FALSE(n == n);
    EXPECT_TRUE(n != n);
    EXPECT_FALSE(n.IsMatID());
}

TEST(Mat33, InverseByTheAdjugate) {
    ExpectElements(Diag(2, 4, 8).GetInverse(), {0.5, 0, 0}, {0, 0.25, 0}, {0, 0, 0.125});

    // det = 2·(3·4 − 1·1) − 1·(1·4 − 1·0) = 18.
    const CVyMathMat33 a = Rows({2, 1, 0}, {1, 3, 1}, {0, 1, 4});
    const CVyMathMat33 inv = a.GetInverse();
    EXPECT_DOUBLE_EQ(inv.GetMat(0, 0), 11.0 / 18.0);
    EXPECT_DOUBLE_EQ(inv.GetMat(0, 1), -4.0 / 18.0);
    EXPECT_DOUBLE_EQ(inv.GetMat(0, 2), 1.0 / 18.0);
    EXPECT_DOUBLE_EQ(inv.GetMat(2, 2), 5.0 / 18.0);
    EXPECT_TRUE((a * inv).IsMatID());
    EXPECT_TRUE((inv * a).IsMatID());

    // A non-symmetric matrix: the inverse is the transposed cofactors, not the cofactors.
    const CVyMathMat33 u = Rows({1, 2, 0}, {0, 1, 0}, {0, 0, 1});
    ExpectElements(u.GetInverse(), {1, -2, 0}, {0, 1, 0}, {0, 0, 1});
}

TEST(Mat33, SingularBelowOneTenBillionthOfDeterminant) {
    // det 1e-9 is not below 1e-10: the matrix inverts.
    const CVyMathMat33 small = Diag(0.001, 0.001, 0.001);
    const CVyMathMat33 inv = small.GetInverse();
    EXPECT_NEAR(inv.GetMat(0, 0), 1000.0, 1e-9);
    EXPECT_NEAR(inv.GetMat(2, 2), 1000.0, 1e-9);

    // det 1e-12 throws, although the matrix is invertible.
    EXPECT_THROW(Diag(1e-4, 1e-4, 1e-4).GetInverse(), CVyMathMat33::InvalidateDeterminant);
    // det exactly 1e-10 is not below the threshold; half of it is.
    EXPECT_DOUBLE_EQ(Diag(1e-10, 1, 1).GetInverse().GetMat(0, 0), 1e10);
    EXPECT_THROW(Diag(5e-11, 1, 1).GetInverse(), CVyMathMat33::InvalidateDeterminant);

    CVyMathMat33 rankTwo = Rows({1, 2, 3}, {2, 4, 6}, {0, 0, 1});
    const CVyMathMat33 before(rankTwo);
    try {
        rankTwo.GetInverse();
        ADD_FAILURE() << "no exception";
    } catch (const CVyMathException& e) {
        EXPECT_EQ(e.Message(), L"Determinant of matrix is nul");
    }
    EXPECT_TRUE(rankTwo == before);

    // A NaN determinant is not "equal to 0": the inverse is all NaN, nothing is thrown.
    CVyMathMat33 n;
    n(0, 0) = kNaN;
    EXPECT_TRUE(std::isnan(n.GetInverse().GetMat(1, 1)));
}

TEST(Basis, SecondBlockIsZeroedAndCopiedByAssignment) {
    CVyMathBasis a;
    EXPECT_TRUE(a.IsMatID());
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(VyMathTestAccess::SecondBlock(a)[k], 0.0);

    CVyMathBasis b;
    b(0, 2) = 4.0;
    VyMathTestAccess::SecondBlock(b)[0] = 1.5;
    VyMathTestAccess::SecondBlock(b)[8] = -2.5;
    CVyMathBasis& r = (a = b);
    EXPECT_EQ(&r, &a);
    EXPECT_EQ(a.GetMat(0, 2), 4.0);
    EXPECT_EQ(VyMathTestAccess::SecondBlock(a)[0], 1.5);
    EXPECT_EQ(VyMathTestAccess::SecondBlock(a)[8], -2.5);

    const CVyMathBasis c(b);
    EXPECT_EQ(c.GetMat(0, 2), 4.0);
    EXPECT_EQ(VyMathTestAccess::SecondBlock(c)[8], -2.5);

    // Inherited operations work on the matrix only; deleting through the base type is safe.
    std::unique_ptr<CVyMathMat33> asMatrix = std::make_unique<CVyMathBasis>(b);
    EXPECT_TRUE(*asMatrix == b);
    EXPECT_TRUE((b * b.GetInverse()).IsMatID());
}

} // namespace
