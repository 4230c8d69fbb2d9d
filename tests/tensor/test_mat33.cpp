#include "TestSupport.h"

#include <memory>

namespace {

using A = vymath::detail::Access;

CVyMathMat33 Diag(double a, double b, double c) {
    return Rows({a, 0, 0}, {0, b, 0}, {0, 0, c});
}

// The nine elements row by row.
Nums Elements(const CVyMathMat33& m) {
    return {m.GetMat(0, 0), m.GetMat(0, 1), m.GetMat(0, 2), m.GetMat(1, 0), m.GetMat(1, 1),
            m.GetMat(1, 2), m.GetMat(2, 0), m.GetMat(2, 1), m.GetMat(2, 2)};
}

TEST(Mat33, ConstructionColumnByColumnStorageAndIndexRange) {
    CVyMathMat33 def, id(true), zero(false);
    EXPECT_TRUE(def.IsMatID() && id.IsMatID() && Elements(zero) == Nums(9, 0.0));
    double v[9] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    zero.SetMat(v);
    zero.SetMat(nullptr); // changes nothing
    zero(2, 1) = -7.5;    // a reference to the element
    EXPECT_EQ(Elements(zero), (Nums{0, 3, 6, 1, 4, 7, 2, -7.5, 8}));
    const double a[3] = {1, 2, 3}, b[3] = {4, 5, 6}, c[3] = {7, 8, 9};
    EXPECT_EQ(Elements(CVyMathMat33(a, b, c)), (Nums{1, 4, 7, 2, 5, 8, 3, 6, 9}));
    EXPECT_EQ(Elements(CVyMathMat33(a, b)), (Nums{4, 5, 6, 8, 10, 12, 12, 15, 18})); // dyadic a·bᵀ
    // An index outside 0..2 throws and changes nothing.
    for (auto ij : {std::make_pair(3, 0), {0, 3}, {-1, 0}, {2, -1}}) {
        EXPECT_THROW(zero.GetMat(ij.first, ij.second), CVyMathMat33::InvalidateIndex);
        EXPECT_THROW(zero(ij.first, ij.second) = 1.0, CVyMathMat33::InvalidateIndex);
    }
    EXPECT_EQ(Elements(zero), (Nums{0, 3, 6, 1, 4, 7, 2, -7.5, 8}));
}

TEST(Mat33, CopiesAndArithmetic) {
    const CVyMathMat33 a = Rows({1, 2, 3}, {4, 5, 6}, {7, 8, 10}), id,
                       p = Rows({1, 2, 0}, {0, 1, 0}, {0, 0, 1}), q = Rows({1, 0, 0}, {3, 1, 0}, {0, 0, 1});
    CVyMathMat33 m(false), l(p), sq = Rows({1, 2, 0}, {3, 4, 0}, {0, 0, 2});
    std::unique_ptr<CVyMathMat33> c(a.Clone()), s(a.CloneSame());
    EXPECT_TRUE(*c == a && *s == a && s.get() != c.get());
    EXPECT_EQ(&(m = a), &m);
    EXPECT_EQ(Elements((a + id) - id * 3.0), (Nums{-1, 2, 3, 4, 3, 6, 7, 8, 8}));
    EXPECT_EQ(Elements((((m += a) -= id) *= 0.5) /= 0.25), (Nums{2, 8, 12, 16, 18, 24, 28, 32, 38}));
    EXPECT_TRUE(std::isinf((m /= 0.0).GetMat(0, 0))); // no test of s: IEEE infinities
    // Products keep the operand order; M *= M squares M.
    EXPECT_EQ(Elements(q * p), (Nums{1, 2, 0, 3, 7, 0, 0, 0, 1}));
    EXPECT_EQ(Elements(l *= q), (Nums{7, 2, 0, 3, 1, 0, 0, 0, 1}));
    EXPECT_EQ(Elements(sq *= sq), (Nums{7, 10, 0, 15, 22, 0, 0, 0, 4}));
}

TEST(Mat33, EqualityIsStrictWithinOneTenBillionth) {
    const double deltas[] = {0.5e-10, 0.99e-10, 1e-10, 2e-10, std::nan("")}; // the first two are equal
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(deltas[k]);
        CVyMathMat33 a(false), b(false), id;
        b(2, 0) = deltas[k];
        id(0, 1) = deltas[k];
        EXPECT_ROWS({Row("==", a == b, k < 2), Row("!=", a != b, k >= 2), Row("IsMatID", id.IsMatID(), k < 2),
                     Row("a NaN equals nothing, itself included", b == b, k < 4)});
    }
}

TEST(Mat33, InverseByTheAdjugateAndTheSingularThreshold) {
    EXPECT_EQ(Elements(Diag(2, 4, 8).GetInverse()), Elements(Diag(0.5, 0.25, 0.125)));
    // Not symmetric (det 25), so transposed cofactors matter.
    const CVyMathMat33 a = Rows({2, 1, 0}, {0, 3, 1}, {1, 0, 4}), inv = a.GetInverse();
    EXPECT_TRUE((a * inv).IsMatID() && (inv * a).IsMatID());
    // Singular when |det| < 1e-10, whatever the scale: det 1e-9 and exactly 1e-10 invert.
    EXPECT_NEAR(Diag(0.001, 0.001, 0.001).GetInverse().GetMat(2, 2), 1000.0, 1e-9);
    EXPECT_DOUBLE_EQ(Diag(1e-10, 1, 1).GetInverse().GetMat(0, 0), 1e10);
    EXPECT_THROW(Diag(1e-4, 1e-4, 1e-4).GetInverse(), CVyMathMat33::InvalidateDeterminant);
    // A NaN determinant is not "equal to 0": all NaN, nothing thrown.
    EXPECT_TRUE(std::isnan(Diag(std::nan(""), 1, 1).GetInverse().GetMat(1, 1)));
}

TEST(Basis, SecondBlockIsZeroedAndCopied) {
    CVyMathBasis a, b;
    EXPECT_EQ(Nums(A::SecondBlock(a), A::SecondBlock(a) + 9), Nums(9, 0.0));
    b(0, 2) = 4.0;
    A::SecondBlock(b)[8] = -2.5;
    EXPECT_EQ(&(a = b), &a);
    const CVyMathBasis c(b);
    EXPECT_EQ((Nums{a.GetMat(0, 2), A::SecondBlock(a)[8], c.GetMat(0, 2), A::SecondBlock(c)[8]}),
              (Nums{4, -2.5, 4, -2.5}));
}

} // namespace
