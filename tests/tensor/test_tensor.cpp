#include "TestSupport.h"

namespace {

using InvalidateBase = CVyMathTensorSym2D::InvalidateBase;

const CVyMathMat33 kSkew = Rows({1, 0.5, 0}, {0, 1, 0}, {0, 0, 1});

// The six packed components, then the basis element (0, 1): 0.5 marks kSkew, 0 the identity.
Nums State(CVyMathTensorSym2D t) {
    Nums s = Components(t);
    s.push_back(t.GetBasis().GetMat(0, 1));
    return s;
}

TEST(Tensor, UnitDefaultPackedOrderAndPositionsOutOfRange) {
    CVyMathTensorSym2D t;
    EXPECT_EQ(State(t), (Nums{1, 0, 1, 0, 0, 1, 0}));
    EXPECT_TRUE(t.IsUnit() && t.ConvertToMat().IsMatID() && t.GetBasis().IsMatID());
    const double c[6] = {1, 2, 3, 4, 5, 6};
    t.SetComponents(c);
    t.SetComponents(nullptr); // changes nothing
    EXPECT_TRUE(t.ConvertToMat() == Rows({1, 2, 4}, {2, 3, 5}, {4, 5, 6}));
    EXPECT_EQ((Nums{t(0, 1), t(1, 0), t(0, 2), t(2, 1), t(2, 2)}), (Nums{2, 2, 4, 5, 6}));
    EXPECT_THROW(t.GetComponent(6), CVyMathTensorSym2D::InvalidateData);
    EXPECT_THROW(t(3, 0), CVyMathTensorSym2D::InvalidateData);
}

TEST(Tensor, BasisIsAPrivateNeverNullCopy) {
    CVyMathMat33 b = kSkew;
    const double c[6] = {1, 2, 3, 4, 5, 6};
    CVyMathTensorSym2D t(c, &b), assigned;
    b(0, 1) = 0.75; // the tensor kept its own copy
    const CVyMathTensorSym2D copy(t);
    EXPECT_EQ(&(assigned = t), &assigned);
    EXPECT_EQ(State(copy), State(assigned));
    EXPECT_TRUE(&copy.GetBasis() != &t.GetBasis() && &assigned.GetBasis() != &t.GetBasis());
    // Self-assignment and SetBasis with the own basis keep the basis intact.
    const CVyMathTensorSym2D& alias = t;
    t = alias;
    t.SetBasis(&t.GetBasis());
    EXPECT_EQ(State(t), (Nums{1, 2, 3, 4, 5, 6, 0.5}));
    // A null basis stands for the identity; a null component array leaves the unit components.
    t.SetBasis(nullptr);
    EXPECT_TRUE(t.GetBasis().IsMatID() && CVyMathTensorSym2D(c, nullptr).GetBasis().IsMatID());
    EXPECT_EQ(State(CVyMathTensorSym2D(nullptr, &b)), (Nums{1, 0, 1, 0, 0, 1, 0.75}));
}

TEST(Tensor, EqualityNeedsEqualBasesAndComponents) {
    CVyMathTensorSym2D a = Tensor(1, 2, 3, 4, 5, 6), b = Tensor(1, 2, 3, 4, 5, 6, kSkew);
    EXPECT_TRUE(!(a == b) && a != b);
    CVyMathTensorSym2D c = Tensor(1, 2, 3, 4, 5, 6 + 0.5e-10), d = Tensor(1, 2 + 1e-10, 3, 4, 5, 6);
    EXPECT_TRUE(a == c && !(a == d)); // strictly within 1e-10
    CVyMathTensorSym2D n = Tensor(1, 2, std::nan(""), 4, 5, 6);
    EXPECT_FALSE(n == n);
    b.SetUnit(); // the unit tensor in another basis is not unit
    EXPECT_FALSE(b.IsUnit());
}

TEST(Tensor, CombiningChecksBasesBeforeChangingAnything) {
    CVyMathTensorSym2D a = Tensor(1, 2, 3, 4, 5, 6),
                       b = Tensor(1, 1, 1, 1, 1, 1, Rows({1, 0, 0}, {0, 1, 0}, {0, 0.001, 1}));
    EXPECT_THROW(a += b, InvalidateBase);
    EXPECT_THROW(a * b, InvalidateBase);
    EXPECT_THROW(a.IsInverse(b), InvalidateBase);
    EXPECT_EQ(State(a), (Nums{1, 2, 3, 4, 5, 6, 0}));
    // The product with a matrix checks no basis: rows of T times the columns of M (T·M, not M·T).
    EXPECT_TRUE(b * Rows({1, 0, 0}, {0, 2, 0}, {0, 0, 3}) == Rows({1, 2, 3}, {1, 2, 3}, {1, 2, 3}));
}

TEST(Tensor, SumsProductsAndScaling) {
    CVyMathTensorSym2D a = Tensor(1, 2, 3, 4, 5, 6, kSkew), b = Tensor(6, 5, 4, 3, 2, 1, kSkew);
    // Free sum and difference: the identity basis; += and -= keep the left operand's basis.
    EXPECT_EQ(State(a + b), (Nums{7, 7, 7, 7, 7, 7, 0}));
    EXPECT_EQ(State(a - b), (Nums{-5, -3, -1, 1, 3, 5, 0}));
    EXPECT_EQ(State(a += b), (Nums{7, 7, 7, 7, 7, 7, 0.5}));
    ((a -= b) += a) *= 0.5; // a += a doubles a
    EXPECT_EQ(State(a * 3.0), (Nums{3, 6, 9, 12, 15, 18, 0.5}));
    EXPECT_EQ(State(a), (Nums{1, 2, 3, 4, 5, 6, 0.5}));

    CVyMathTensorSym2D d = Tensor(2, 0, 4, 0, 0, 8), inv = Tensor(0.5, 0, 0.25, 0, 0, 0.125), unit;
    EXPECT_TRUE(d.IsInverse(inv) && inv.IsInverse(d) && !d.IsInverse(unit));
    // Full product of two symmetric matrices (not symmetric itself); T·T needs no basis check.
    CVyMathTensorSym2D s = Tensor(1, 2, 3, 0, 0, 1, kSkew), u = Tensor(0, 1, 0, 0, 0, 1, kSkew);
    EXPECT_TRUE(s * u == Rows({2, 1, 0}, {3, 2, 0}, {0, 0, 1}));
    EXPECT_TRUE(s * s == Rows({5, 8, 0}, {8, 13, 0}, {0, 0, 1}));
}

TEST(Tensor, TransformToAnotherBasis) {
    CVyMathTensorSym2D out = Tensor(0, 0, 0, 0, 0, 0, kSkew), self = Tensor(1, 0, 2, 0, 0, 3);
    Tensor(1, 2, 3, 4, 5, 6).GetTransformTensor(CVyMathMat33(), out);
    EXPECT_EQ(State(out), (Nums{1, 2, 3, 4, 5, 6, 0}));
    // A quarter turn about the third axis swaps the first two diagonal terms; out takes P as basis.
    const CVyMathMat33 quarter = Rows({0, -1, 0}, {1, 0, 0}, {0, 0, 1});
    const CVyMathTensorSym2D diag = Tensor(1, 0, 2, 0, 0, 3);
    diag.GetTransformTensor(quarter, out);
    EXPECT_EQ(State(out), (Nums{2, 0, 1, 0, 0, 3, -1}));
    // A shear P: P·T·P⁻¹ = [1 1 0; 0 2 0; 0 0 3]; only the upper triangle is kept.
    diag.GetTransformTensor(Rows({1, 1, 0}, {0, 1, 0}, {0, 0, 1}), out);
    // Singular P: throws before out is touched.
    EXPECT_THROW(diag.GetTransformTensor(Rows({1, 2, 3}, {2, 4, 6}, {0, 0, 1}), out),
                 CVyMathMat33::InvalidateDeterminant);
    EXPECT_EQ(State(out), (Nums{1, 1, 2, 0, 0, 3, 1}));
    // out may be the tensor itself.
    self.GetTransformTensor(quarter, self);
    EXPECT_EQ(State(self), (Nums{2, 0, 1, 0, 0, 3, -1}));
}

TEST(Tensor, RotationAboutTheThirdAxisAndPointInertia) {
    CVyMathTensorSym2D t = Tensor(1, 0, 2, 0, 0, 3, kSkew), shear = Tensor(0, 0, 0, 1, 0, 0);
    EXPECT_EQ(&t.Rotation_Tensor(CVyMath::dfPI / 2), &t);
    ExpectNear(State(t), {2, 0, 1, 0, 0, 3, 0.5}, 1e-15);
    // T02' = c·T02 + s·T12 at position 3, T12' = c·T12 − s·T02 at position 4.
    ExpectNear(State(shear.Rotation_Tensor(CVyMath::dfPI / 2)), {0, 0, 0, 0, -1, 0, 0}, 1e-15);
    // Any angle keeps the trace.
    EXPECT_NEAR(Tensor(1, 2, 3, 4, 5, 6).Rotation_Tensor(0.7).FirstInvariant(), 10.0, 1e-14);

    // Inertia of a point mass: the basis is set to the identity in place.
    const CVyMathMat33* before = &t.GetBasis();
    EXPECT_EQ(&t.InertiaTensor(2, 1, 0, 0), &t);
    EXPECT_EQ(State(t), (Nums{0, 0, 2, 0, 0, 2, 0}));
    EXPECT_TRUE(t.GetBasis().IsMatID() && &t.GetBasis() == before);
    EXPECT_EQ(State(t.InertiaTensor(2, 1, 2, 3)), (Nums{26, -4, 20, -6, -12, 10, 0}));
}

} // namespace
