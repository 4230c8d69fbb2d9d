#include "vymath/CVyMathBasis.h"
#include "vymath/CVyMathMat33.h"

#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// A matrix from its rows, for readable expectations.
CVyMathMat33 Rows(const double (&r0)[3], const double (&r1)[3], const double (&r2)[3]) {
    const double c0[3] = {r0[0], r1[0], r2[0]}, c1[3] = {r0[1], r1[1], r2[1]}, c2[3] = {r0[2], r1[2], r2[2]};
    return CVyMathMat33(c0, c1, c2);
}

CVyMathMat33 Diag(double a, double b, double c) {
    return Rows({a, 0, 0}, {0, b, 0}, {0, 0, c});
}

void ExpectRows(const CVyMathMat33& m, const double (&r0)[3], const double (&r1)[3], const double (&r2)[3]) {
    const double* rows[3] = {r0, r1, r2};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_DOUBLE_EQ(m.GetMat(i, j), rows[i][j]) << "element (" << i << ", " << j << ")";
}

TEST(Mat33, ConstructionAndColumnByColumnStorage) {
    CVyMathMat33 def, id(true), zero(false);
    ExpectRows(def, {1, 0, 0}, {0, 1, 0}, {0, 0, 1});
    ExpectRows(zero, {0, 0, 0}, {0, 0, 0}, {0, 0, 0});
    EXPECT_TRUE(def.IsMatID() && id.IsMatID() && !zero.IsMatID());
    zero.SetMatrixID();
    id.SetNull();
    EXPECT_TRUE(zero.IsMatID() && id == CVyMathMat33(false));

    double v[9] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    CVyMathMat33 m;
    m.SetMat(v);
    ExpectRows(m, {0, 3, 6}, {1, 4, 7}, {2, 5, 8});
    m.SetMat(nullptr); // changes nothing
    m(2, 1) = -7.5;    // a reference to the element
    EXPECT_EQ(m.GetMat(2, 1), -7.5);
    EXPECT_EQ(m.GetMat(2, 2), 8.0);
    const double a[3] = {1, 2, 3}, b[3] = {4, 5, 6}, c[3] = {7, 8, 9};
    ExpectRows(CVyMathMat33(a, b, c), {1, 4, 7}, {2, 5, 8}, {3, 6, 9});
    ExpectRows(CVyMathMat33(a, b), {4, 5, 6}, {8, 10, 12}, {12, 15, 18}); // dyadic a·bᵀ
}

TEST(Mat33, IndexOutsideZeroToTwoThrowsAndChangesNothing) {
    CVyMathMat33 m = Rows({1, 2, 3}, {4, 5, 6}, {7, 8, 9});
    const CVyMathMat33 before(m);
    for (auto ij : {std::make_pair(3, 0), {0, 3}, {-1, 0}, {2, -1}}) {
        EXPECT_THROW(m.GetMat(ij.first, ij.second), CVyMathMat33::InvalidateIndex);
        EXPECT_THROW(m(ij.first, ij.second) = 1.0, CVyMathMat33::InvalidateIndex);
    }
    EXPECT_TRUE(m == before);
}

TEST(Mat33, CopiesAndArithmetic) {
    const CVyMathMat33 a = Rows({1, 2, 3}, {4, 5, 6}, {7, 8, 10});
    std::unique_ptr<CVyMathMat33> c(a.Clone()), s(a.CloneSame());
    ASSERT_TRUE(c.get() != &a && c.get() != s.get());
    (*c)(0, 0) = 99.0;
    EXPECT_EQ(a.GetMat(0, 0), 1.0);
    EXPECT_TRUE(*s == a);
    CVyMathMat33 m(false);
    EXPECT_EQ(&(m = a), &m);
    EXPECT_TRUE(m == a);

    const CVyMathMat33 id;
    ExpectRows(a + id, {2, 2, 3}, {4, 6, 6}, {7, 8, 11});
    ExpectRows(a - id, {0, 2, 3}, {4, 4, 6}, {7, 8, 9});
    ExpectRows(a * 2.0, {2, 4, 6}, {8, 10, 12}, {14, 16, 20});
    ExpectRows(a.GetTranspose(), {1, 4, 7}, {2, 5, 8}, {3, 6, 10});
    m += a;
    m -= id;
    m *= 0.5;
    m /= 0.25;
    ExpectRows(m, {2, 8, 12}, {16, 18, 24}, {28, 32, 38});
    m(1, 0) = 0.0;
    m /= 0.0; // not tested: IEEE infinities and NaNs
    EXPECT_TRUE(std::isinf(m.GetMat(0, 0)) && std::isnan(m.GetMat(1, 0)));

    // Products keep the operand order; M *= M squares M.
    const CVyMathMat33 p = Rows({1, 2, 0}, {0, 1, 0}, {0, 0, 1}), q = Rows({1, 0, 0}, {3, 1, 0}, {0, 0, 1});
    ExpectRows(p * q, {7, 2, 0}, {3, 1, 0}, {0, 0, 1});
    ExpectRows(q * p, {1, 2, 0}, {3, 7, 0}, {0, 0, 1});
    CVyMathMat33 l(p);
    EXPECT_EQ(&(l *= q), &l);
    ExpectRows(l, {7, 2, 0}, {3, 1, 0}, {0, 0, 1});
    CVyMathMat33 sq = Rows({1, 2, 0}, {3, 4, 0}, {0, 0, 2});
    sq *= sq;
    ExpectRows(sq, {7, 10, 0}, {15, 22, 0}, {0, 0, 4});
}

TEST(Mat33, EqualityIsStrictWithinOneTenBillionth) {
    const double deltas[] = {0.5e-10, 0.99e-10, 1e-10, 2e-10, kNaN}; // the first two are equal
    for (int k = 0; k < 5; ++k) {
        CVyMathMat33 a(false), b(false), id;
        b(2, 0) = deltas[k];
        id(0, 1) = deltas[k];
        EXPECT_EQ(a == b, k < 2) << deltas[k];
        EXPECT_EQ(a != b, k >= 2) << deltas[k];
        EXPECT_EQ(id.IsMatID(), k < 2) << deltas[k];
    }
    CVyMathMat33 n;
    n(1, 1) = kNaN;
    EXPECT_FALSE(n == n); // a NaN is equal to nothing, itself included
}

TEST(Mat33, InverseByTheAdjugateAndTheSingularThreshold) {
    ExpectRows(Diag(2, 4, 8).GetInverse(), {0.5, 0, 0}, {0, 0.25, 0}, {0, 0, 0.125});
    const CVyMathMat33 a = Rows({2, 1, 0}, {1, 3, 1}, {0, 1, 4}); // det 18
    const CVyMathMat33 inv = a.GetInverse();
    ExpectRows(inv, {11.0 / 18, -4.0 / 18, 1.0 / 18}, {-4.0 / 18, 8.0 / 18, -2.0 / 18},
               {1.0 / 18, -2.0 / 18, 5.0 / 18});
    EXPECT_TRUE((a * inv).IsMatID() && (inv * a).IsMatID());
    // Non-symmetric: the transposed cofactors.
    ExpectRows(Rows({1, 2, 0}, {0, 1, 0}, {0, 0, 1}).GetInverse(), {1, -2, 0}, {0, 1, 0}, {0, 0, 1});

    // Singular when |det| < 1e-10, whatever the scale: det 1e-9 and exactly 1e-10 invert.
    EXPECT_NEAR(Diag(0.001, 0.001, 0.001).GetInverse().GetMat(2, 2), 1000.0, 1e-9);
    EXPECT_DOUBLE_EQ(Diag(1e-10, 1, 1).GetInverse().GetMat(0, 0), 1e10);
    EXPECT_THROW(Diag(5e-11, 1, 1).GetInverse(), CVyMathMat33::InvalidateDeterminant);
    EXPECT_THROW(Diag(1e-4, 1e-4, 1e-4).GetInverse(), CVyMathMat33::InvalidateDeterminant);
    CVyMathMat33 rankTwo = Rows({1, 2, 3}, {2, 4, 6}, {0, 0, 1});
    const CVyMathMat33 before(rankTwo);
    EXPECT_THROW(rankTwo.GetInverse(), CVyMathMat33::InvalidateDeterminant);
    EXPECT_TRUE(rankTwo == before);
    // A NaN determinant is not "equal to 0": all NaN, nothing thrown.
    EXPECT_TRUE(std::isnan(Diag(kNaN, 1, 1).GetInverse().GetMat(1, 1)));
}

TEST(Basis, SecondBlockIsZeroedAndCopied) {
    CVyMathBasis a, b;
    EXPECT_TRUE(a.IsMatID());
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(VyMathTestAccess::SecondBlock(a)[k], 0.0);
    b(0, 2) = 4.0;
    VyMathTestAccess::SecondBlock(b)[8] = -2.5;
    EXPECT_EQ(&(a = b), &a);
    const CVyMathBasis c(b);
    for (const CVyMathBasis* x : {static_cast<const CVyMathBasis*>(&a), &c}) {
        EXPECT_EQ(x->GetMat(0, 2), 4.0);
        EXPECT_EQ(VyMathTestAccess::SecondBlock(*x)[8], -2.5);
    }
    // Inherited operations work on the matrix only; deleting through the base type is safe.
    std::unique_ptr<CVyMathMat33> asMatrix = std::make_unique<CVyMathBasis>(b);
    EXPECT_TRUE(*asMatrix == b);
}

} // namespace
