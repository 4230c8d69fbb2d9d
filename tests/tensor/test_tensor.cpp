#include "vymath/CVyMath.h"
#include "vymath/CVyMathMat33.h"
#include "vymath/CVyMathTensorSym2D.h"

#include "TestAccess.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

CVyMathMat33 Rows(const double (&r0)[3], const double (&r1)[3], const double (&r2)[3]) {
    const double c0[3] = {r0[0], r1[0], r2[0]};
    const double c1[3] = {r0[1], r1[1], r2[1]};
    const double c2[3] = {r0[2], r1[2], r2[2]};
    return CVyMathMat33(c0, c1, c2);
}

// A tensor from its packed components, in the given basis (identity when none).
CVyMathTensorSym2D Tensor(double t00, double t01, double t11, double t02, double t12, double t22,
                          CVyMathMat33 basis = CVyMathMat33()) {
    const double c[6] = {t00, t01, t11, t02, t12, t22};
    return CVyMathTensorSym2D(c, &basis);
}

void ExpectComponents(CVyMathTensorSym2D t, const double (&c)[6], double tol = 0.0) {
    for (int k = 0; k < 6; ++k)
        EXPECT_NEAR(t.GetComponent(k), c[k], tol) << "position " << k;
}

CVyMathMat33 SkewedBasis() {
    CVyMathMat33 b;
    b(0, 1) = 0.5;
    return b;
}

TEST(Tensor, DefaultIsUnitInIdentityBasis) {
    CVyMathTensorSym2D t;
    ExpectComponents(t, {1, 0, 1, 0, 0, 1});
    EXPECT_TRUE(t.IsUnit());
    EXPECT_TRUE(t.ConvertToMat().IsMatID());
    ASSERT_NE(VyMathTestAccess::BasisPtr(t), nullptr);
    EXPECT_TRUE(VyMathTestAccess::BasisPtr(t)->IsMatID());
    t.SetNull();
    EXPECT_FALSE(t.IsUnit());
    t.SetUnit();
    EXPECT_TRUE(t.IsUnit());
}

TEST(Tensor, PackedComponentOrderAndPositionsOutOfRange) {
    CVyMathTensorSym2D t;
    const double c[6] = {1, 2, 3, 4, 5, 6};
    t.SetComponents(c);
    t.SetComponents(nullptr); // changes nothing
    const double full[3][3] = {{1, 2, 4}, {2, 3, 5}, {4, 5, 6}};
    const CVyMathMat33 m = t.TransposeTensor().ConvertToMat();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(t(i, j), full[i][j]) << i << ", " << j;
            EXPECT_EQ(m.GetMat(i, j), full[i][j]) << i << ", " << j;
        }
    EXPECT_THROW(t.GetComponent(6), CVyMathTensorSym2D::InvalidateData);
    EXPECT_THROW(t.GetComponent(-1), CVyMathTensorSym2D::InvalidateData);
    EXPECT_THROW(t(3, 0), CVyMathTensorSym2D::InvalidateData);
    EXPECT_THROW(t(0, -1), CVyMathTensorSym2D::InvalidateData);
    ExpectComponents(t, {1, 2, 3, 4, 5, 6});
}

TEST(Tensor, BasisIsAPrivateNeverNullCopy) {
    CVyMathMat33 b = SkewedBasis();
    const double c[6] = {1, 2, 3, 4, 5, 6};
    CVyMathTensorSym2D t(c, &b);
    ASSERT_NE(VyMathTestAccess::BasisPtr(t), &b);
    b(0, 1) = 0.75; // the tensor kept its own copy
    EXPECT_EQ(VyMathTestAccess::BasisPtr(t)->GetMat(0, 1), 0.5);

    const CVyMathTensorSym2D copy(t);
    EXPECT_NE(VyMathTestAccess::BasisPtr(copy), VyMathTestAccess::BasisPtr(t));
    EXPECT_EQ(VyMathTestAccess::BasisPtr(copy)->GetMat(0, 1), 0.5);

    CVyMathTensorSym2D assigned;
    EXPECT_EQ(&(assigned = t), &assigned);
    EXPECT_NE(VyMathTestAccess::BasisPtr(assigned), VyMathTestAccess::BasisPtr(t));
    EXPECT_TRUE(assigned == t);

    // Self-assignment and SetBasis with the own basis keep the basis intact.
    const CVyMathTensorSym2D& alias = t;
    t = alias;
    EXPECT_EQ(VyMathTestAccess::BasisPtr(t)->GetMat(0, 1), 0.5);
    t.SetBasis(VyMathTestAccess::BasisPtr(t));
    EXPECT_EQ(VyMathTestAccess::BasisPtr(t)->GetMat(0, 1), 0.5);

    // A null basis stands for the identity; a null component array leaves the unit components.
    t.SetBasis(nullptr);
    ASSERT_NE(VyMathTestAccess::BasisPtr(t), nullptr);
    EXPECT_TRUE(VyMathTestAccess::BasisPtr(t)->IsMatID());
    const CVyMathTensorSym2D noBasis(c, nullptr);
    EXPECT_TRUE(VyMathTestAccess::BasisPtr(noBasis)->IsMatID());
    CVyMathMat33 skew = SkewedBasis();
    const CVyMathTensorSym2D noComponents(nullptr, &skew);
    ExpectComponents(noComponents, {1, 0, 1, 0, 0, 1});
    EXPECT_EQ(VyMathTestAccess::BasisPtr(noComponents)->GetMat(0, 1), 0.5);
}

TEST(Tensor, EqualityNeedsEqualBasesAndComponents) {
    CVyMathTensorSym2D a = Tensor(1, 2, 3, 4, 5, 6);
    CVyMathMat33 nearId;
    nearId(2, 1) = 0.001;
    CVyMathTensorSym2D b = Tensor(1, 2, 3, 4, 5, 6, nearId);
    EXPECT_TRUE(!(a == b) && a != b);
    CVyMathTensorSym2D c = Tensor(1, 2, 3, 4, 5, 6 + 0.5e-10), d = Tensor(1, 2 + 1e-10, 3, 4, 5, 6);
    EXPECT_TRUE(a == c && !(a == d));
    CVyMathTensorSym2D n = Tensor(1, 2, kNaN, 4, 5, 6);
    EXPECT_FALSE(n == n);

    // The unit tensor in another basis is not unit.
    CVyMathTensorSym2D u = Tensor(5, 5, 5, 5, 5, 5, SkewedBasis());
    u.SetUnit();
    EXPECT_FALSE(u.IsUnit());
}

TEST(Tensor, CombiningChecksBasesBeforeChangingAnything) {
    CVyMathMat33 nearId;
    nearId(2, 1) = 0.001;
    CVyMathTensorSym2D a = Tensor(1, 2, 3, 4, 5, 6);
    CVyMathTensorSym2D b = Tensor(1, 1, 1, 1, 1, 1, nearId);
    EXPECT_THROW(a += b, CVyMathTensorSym2D::InvalidateBase);
    EXPECT_THROW(a -= b, CVyMathTensorSym2D::InvalidateBase);
    EXPECT_THROW(a + b, CVyMathTensorSym2D::InvalidateBase);
    EXPECT_THROW(a - b, CVyMathTensorSym2D::InvalidateBase);
    EXPECT_THROW(a * b, CVyMathTensorSym2D::InvalidateBase);
    EXPECT_THROW(a.IsInverse(b), CVyMathTensorSym2D::InvalidateBase);
    ExpectComponents(a, {1, 2, 3, 4, 5, 6});
    ExpectComponents(b, {1, 1, 1, 1, 1, 1});
    EXPECT_EQ(VyMathTestAccess::BasisPtr(b)->GetMat(2, 1), 0.001);

    // The product with a matrix checks no basis: rows of T times the columns of M.
    const CVyMathMat33 m = Rows({1, 0, 0}, {0, 2, 0}, {0, 0, 3});
    EXPECT_EQ((b * m).GetMat(0, 1), 2.0);
    const CVyMathMat33 q = a * m;
    EXPECT_EQ(q.GetMat(0, 2), 12.0); // T02·3
    EXPECT_EQ(q.GetMat(2, 1), 10.0); // T21·2
}

TEST(Tensor, SumsKeepOrResetTheBasis) {
    const CVyMathMat33 skew = SkewedBasis();
    CVyMathTensorSym2D a = Tensor(1, 2, 3, 4, 5, 6, skew);
    CVyMathTensorSym2D b = Tensor(6, 5, 4, 3, 2, 1, skew);

    const CVyMathTensorSym2D sum = a + b;
    ExpectComponents(sum, {7, 7, 7, 7, 7, 7});
    EXPECT_TRUE(VyMathTestAccess::BasisPtr(sum)->IsMatID());
    const CVyMathTensorSym2D diff = a - b;
    ExpectComponents(diff, {-5, -3, -1, 1, 3, 5});
    EXPECT_TRUE(VyMathTestAccess::BasisPtr(diff)->IsMatID());

    a += b;
    ExpectComponents(a, {7, 7, 7, 7, 7, 7});
    EXPECT_EQ(VyMathTestAccess::BasisPtr(a)->GetMat(0, 1), 0.5);
    a -= b;
    ExpectComponents(a, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(VyMathTestAccess::BasisPtr(a)->GetMat(0, 1), 0.5);
    a += a; // same object: doubles it
    ExpectComponents(a, {2, 4, 6, 8, 10, 12});

    a *= 0.5;
    const CVyMathTensorSym2D scaled = a * 3.0;
    ExpectComponents(scaled, {3, 6, 9, 12, 15, 18});
    ExpectComponents(a, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(VyMathTestAccess::BasisPtr(scaled)->GetMat(0, 1), 0.5);
    EXPECT_NE(VyMathTestAccess::BasisPtr(scaled), VyMathTestAccess::BasisPtr(a));
}

TEST(Tensor, ProductAndInverseTest) {
    CVyMathTensorSym2D d = Tensor(2, 0, 4, 0, 0, 8);
    CVyMathTensorSym2D inv = Tensor(0.5, 0, 0.25, 0, 0, 0.125);
    EXPECT_TRUE(d.IsInverse(inv));
    EXPECT_TRUE(inv.IsInverse(d));
    CVyMathTensorSym2D unit;
    EXPECT_FALSE(d.IsInverse(unit));

    // Full product of two symmetric matrices (not symmetric itself).
    CVyMathTensorSym2D a = Tensor(1, 2, 3, 0, 0, 1);
    CVyMathTensorSym2D b = Tensor(0, 1, 0, 0, 0, 1);
    CVyMathMat33 ab = a * b;
    EXPECT_TRUE(ab == Rows({2, 1, 0}, {3, 2, 0}, {0, 0, 1}));
    const CVyMathMat33 aa = a * a; // same object: no basis check needed
    EXPECT_EQ(aa.GetMat(0, 0), 5.0);
}

TEST(Tensor, TransformToAnotherBasis) {
    CVyMathTensorSym2D out = Tensor(0, 0, 0, 0, 0, 0, Rows({1, 1, 0}, {0, 1, 0}, {0, 0, 1}));
    Tensor(1, 2, 3, 4, 5, 6).GetTransformTensor(CVyMathMat33(), out);
    ExpectComponents(out, {1, 2, 3, 4, 5, 6});
    EXPECT_TRUE(VyMathTestAccess::BasisPtr(out)->IsMatID());

    // A quarter turn about the third axis swaps the first two diagonal terms; out takes P as basis.
    const CVyMathMat33 quarter = Rows({0, -1, 0}, {1, 0, 0}, {0, 0, 1});
    const CVyMathTensorSym2D diag = Tensor(1, 0, 2, 0, 0, 3);
    diag.GetTransformTensor(quarter, out);
    ExpectComponents(out, {2, 0, 1, 0, 0, 3});
    EXPECT_EQ(VyMathTestAccess::BasisPtr(out)->GetMat(0, 1), -1.0);
    ExpectComponents(diag, {1, 0, 2, 0, 0, 3});

    // A shear P: P·T·P⁻¹ = [1 1 0; 0 2 0; 0 0 3]; only the upper triangle is kept.
    const CVyMathMat33 shear = Rows({1, 1, 0}, {0, 1, 0}, {0, 0, 1});
    diag.GetTransformTensor(shear, out);
    ExpectComponents(out, {1, 1, 2, 0, 0, 3});

    // Singular P: throws before out is touched.
    const CVyMathMat33 singular = Rows({1, 2, 3}, {2, 4, 6}, {0, 0, 1});
    EXPECT_THROW(diag.GetTransformTensor(singular, out), CVyMathMat33::InvalidateDeterminant);
    ExpectComponents(out, {1, 1, 2, 0, 0, 3});
    EXPECT_EQ(VyMathTestAccess::BasisPtr(out)->GetMat(0, 1), 1.0);

    // out may be the tensor itself.
    CVyMathTensorSym2D self = Tensor(1, 0, 2, 0, 0, 3);
    self.GetTransformTensor(quarter, self);
    ExpectComponents(self, {2, 0, 1, 0, 0, 3});
}

TEST(Tensor, RotationAboutTheThirdAxis) {
    CVyMathTensorSym2D t = Tensor(1, 0, 2, 0, 0, 3, SkewedBasis());
    CVyMathTensorSym2D& r = t.Rotation_Tensor(CVyMath::dfPI / 2);
    EXPECT_EQ(&r, &t);
    ExpectComponents(t, {2, 0, 1, 0, 0, 3}, 1e-15);
    EXPECT_EQ(VyMathTestAccess::BasisPtr(t)->GetMat(0, 1), 0.5);

    // Shear components: T02' = c·T02 + s·T12 at position 3, T12' = c·T12 − s·T02 at position 4.
    CVyMathTensorSym2D shear = Tensor(0, 0, 0, 1, 0, 0);
    shear.Rotation_Tensor(CVyMath::dfPI / 2);
    ExpectComponents(shear, {0, 0, 0, 0, -1, 0}, 1e-15);

    // Turning by the principal angle pi/8 diagonalises T00 = 3, T11 = 1, T01 = 1.
    CVyMathTensorSym2D p = Tensor(3, 1, 1, 0, 0, 7);
    p.Rotation_Tensor(CVyMath::dfPI / 8);
    ExpectComponents(p, {2 + std::sqrt(2.0), 0, 2 - std::sqrt(2.0), 0, 0, 7}, 1e-14);

    // Any angle keeps the trace and T22.
    CVyMathTensorSym2D g = Tensor(1, 2, 3, 4, 5, 6);
    EXPECT_NEAR(g.Rotation_Tensor(0.7).FirstInvariant(), 10.0, 1e-14);
    EXPECT_EQ(g(2, 2), 6.0);
}

TEST(Tensor, InertiaOfAPointMass) {
    CVyMathTensorSym2D t = Tensor(9, 9, 9, 9, 9, 9, SkewedBasis());
    const CVyMathMat33* before = VyMathTestAccess::BasisPtr(t);
    CVyMathTensorSym2D& r = t.InertiaTensor(2, 1, 0, 0);
    EXPECT_EQ(&r, &t);
    ExpectComponents(t, {0, 0, 2, 0, 0, 2});
    EXPECT_TRUE(VyMathTestAccess::BasisPtr(t)->IsMatID());
    EXPECT_EQ(VyMathTestAccess::BasisPtr(t), before); // set in place

    t.InertiaTensor(2, 1, 2, 3);
    ExpectComponents(t, {26, -4, 20, -6, -12, 10});
}

} // namespace
