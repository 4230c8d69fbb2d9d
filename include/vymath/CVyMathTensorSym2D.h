/// @file
/// The class CVyMathTensorSym2D and its free operators.
#ifndef VYMATH_CVYMATHTENSORSYM2D_H
#define VYMATH_CVYMATHTENSORSYM2D_H

#include "vymath/CVyMathException.h"
#include "vymath/CVyMathMat33.h"
#include "vymath/VyMathExport.h"

#include <memory>
#include <ostream>

namespace vymath {
namespace detail {
struct Access; // the library's one access point to private state (not installed)
} // namespace detail
} // namespace vymath

/// A symmetric second-order tensor in three dimensions (stress, inertia) held as
/// its six independent components together with the basis they are expressed in.
///
/// Packed component order: component Tij (i <= j) is at position j(j+1)/2 + i, that is
/// T00, T01, T11, T02, T12, T22 at positions 0..5. The basis is a heap CVyMathMat33 owned by the
/// tensor, never shared and never null; it only labels the frame, except in GetTransformTensor.
/// Operations combining two tensors first check that the bases are equal (within 1e-10 per element)
/// and throw InvalidateBase, before anything changes, when they are not. The principal values are
/// those of the in-plane part (T00, T01, T11): the third principal value is always reported as 0.
class VYMATH_API CVyMathTensorSym2D {
public:
    /// Thrown by GetEigenVector (and so GetPrincipalDirection) and by a Jacobi that fails.
    struct VYMATH_API NoSolution : public CVyMathException {
        /// Message "Determinant is null".
        NoSolution();
        /// Copies the message.
        NoSolution(const NoSolution& other);
        ~NoSolution() override;
    };
    /// Thrown for a component position or index out of range.
    struct VYMATH_API InvalidateData : public CVyMathException {
        /// Message "GetComponent : index out of range".
        InvalidateData();
        /// Copies the message.
        InvalidateData(const InvalidateData& other);
        ~InvalidateData() override;
    };
    /// Thrown when two combined tensors have different bases.
    struct VYMATH_API InvalidateBase : public CVyMathException {
        /// Message "Bases are differents".
        InvalidateBase();
        /// Copies the message.
        InvalidateBase(const InvalidateBase& other);
        ~InvalidateBase() override;
    };

    /// The unit tensor (T00 = T11 = T22 = 1) in a new identity basis.
    CVyMathTensorSym2D();
    /// Same components and a private copy of the other's basis.
    CVyMathTensorSym2D(const CVyMathTensorSym2D& other);
    /// Six components in packed order and a private copy of basis. A null basis stands for the
    /// identity; a null component array leaves the unit components.
    CVyMathTensorSym2D(const double* const components, CVyMathMat33* basis);
    /// Deletes the owned basis.
    virtual ~CVyMathTensorSym2D();
    /// Copies the components and a private copy of the other's basis; self-assignment is safe.
    CVyMathTensorSym2D& operator=(const CVyMathTensorSym2D& other);

    /// Copies six values in packed order. A null pointer changes nothing.
    void SetComponents(const double* const components);
    /// The component at packed position 0..5; throws InvalidateData for any other position.
    double GetComponent(int position);
    /// Tij for either order of i and j; throws InvalidateData for an index outside 0..2.
    double operator()(int i, int j) const;
    /// Replaces the owned basis by a fresh copy of basis (which may be the tensor's own basis).
    /// A null pointer sets the identity basis.
    void SetBasis(const CVyMathMat33* basis);
    /// The basis the components are expressed in, owned by the tensor. The reference holds until the
    /// tensor's basis is replaced (SetBasis, assignment, GetTransformTensor into it) or the tensor goes.
    /// O(1).
    const CVyMathMat33& GetBasis() const;
    /// All six components 0.0; the basis is unchanged.
    void SetNull();
    /// The unit components; the basis is unchanged.
    void SetUnit();
    /// The full symmetric 3x3 matrix, element (i, j) = Tij.
    CVyMathMat33 ConvertToMat() const;
    /// A copy (a symmetric tensor is its own transpose).
    CVyMathTensorSym2D TransposeTensor() const;

    /// False when the bases differ; otherwise every component pair within 1e-10 (strict).
    bool operator==(const CVyMathTensorSym2D& other);
    /// Negation of operator==.
    bool operator!=(const CVyMathTensorSym2D& other);
    /// Equal to the unit tensor in the identity basis: a unit tensor in another basis is not unit.
    bool IsUnit() const;
    /// T·U and then U·T are each the identity within 1e-10. Throws InvalidateBase if the bases differ.
    bool IsInverse(CVyMathTensorSym2D& u) const;

    /// Adds the components of other (basis checked first); the basis stays.
    CVyMathTensorSym2D& operator+=(CVyMathTensorSym2D& other);
    /// Subtracts the components of other (basis checked first); the basis stays.
    CVyMathTensorSym2D& operator-=(CVyMathTensorSym2D& other);
    /// The six components times s.
    CVyMathTensorSym2D& operator*=(const double& s);
    /// A copy, with a copy of the basis, whose components are times s.
    CVyMathTensorSym2D operator*(const double& s);
    /// The full matrix product ConvertToMat()·other.ConvertToMat(); basis checked first unless other
    /// is this tensor.
    CVyMathMat33 operator*(const CVyMathTensorSym2D& other) const;
    /// ConvertToMat()·m; no basis check.
    CVyMathMat33 operator*(const CVyMathMat33& m) const;

    /// out gets the upper triangle of P·T·P⁻¹ (lower triangle dropped when P is not orthogonal) and a
    /// copy of P as basis. Throws CVyMathMat33::InvalidateDeterminant for a singular P, out untouched.
    void GetTransformTensor(const CVyMathMat33& p, CVyMathTensorSym2D& out) const;
    /// Turns the components about the third axis by theta radians (new first axis (cos, sin, 0) in
    /// the old axes); the basis is unchanged. Returns the tensor.
    CVyMathTensorSym2D& Rotation_Tensor(const double& theta);
    /// Inertia tensor of a point mass m at (x, y, z); the basis is set to the identity in place.
    CVyMathTensorSym2D& InertiaTensor(double m, double x, double y, double z);

    /// I1 = T11 + T00 + T22, the trace.
    double FirstInvariant() const;
    /// I2 = T00·T22 + T11·T00 + T11·T22 − T01² − T02² − T12².
    double SecondInvariant() const;
    /// I3, the determinant of the full matrix (the name is kept as published).
    double ThirstInvariant() const;
    /// Same as ThirstInvariant.
    double Determinant() const;
    /// Determinant within 1e-10 of 0 (strict).
    bool IsDegenerate() const;
    /// T02, T12 and T22 each within 1e-10 of 0 (strict).
    bool IsPlane() const;
    /// Angle in radians, in (−π/2, π/2), of the larger in-plane principal stress:
    /// atan(2·T01 / a) with a = T00 − T11 + sqrt((T00 − T11)² + 4·T01²), but 0.0 when |a| < 1e-5,
    /// so T01 = 0 with T11 > T00 also gives 0.0 although σ1 then lies along the second axis.
    double PrincipalAngleTensor() const;
    /// diag(σ1, σ2, 0) in the identity basis, σ1 ≥ σ2 the principal values of the in-plane part;
    /// T02, T12 and T22 play no part.
    CVyMathTensorSym2D GetPrincipalStress() const;
    /// d1, d2 = (cos θ, sin θ, 0), (−sin θ, cos θ, 0) with θ = PrincipalAngleTensor(). d3 is (0, 0, 0)
    /// for a plane tensor; otherwise the vector (x, y, 1), normalised, that satisfies the first two rows
    /// of T·v = 0, and NoSolution is thrown (d1, d2 written, d3 left (0, 0, 0)) when
    /// T00·T11 − T01² is within 1e-10 of 0.
    void GetPrincipalDirection(double (&d1)[3], double (&d2)[3], double (&d3)[3]) const;
    /// T − (I1/3)·I in the tensor's basis; throws InvalidateBase unless that basis is the identity.
    CVyMathTensorSym2D DeviatoricStressTensor() const;
    /// Both in-plane principal stresses within 1e-10 of each other and of 0 (the third is taken as 0,
    /// so diag(5, 5, 5) is not spherical).
    bool IsSpherical() const;
    /// With P = GetPrincipalStress(): true if axis[0] != 0 and σ2 ≈ 0, or axis[1] != 0 and σ1 ≈ 0, or
    /// axis[2] != 0 and σ1 ≈ σ2 (tolerance 1e-10). Axis components are compared with 0 exactly.
    bool IsRevolution(const double (&axis)[3]) const;

private:
    friend struct vymath::detail::Access;

    // I1 / 3, the mean normal stress.
    double HydrostaticConstraint() const;
    // sqrt(2·(I1²/3 − I2)/3), the octahedral shear stress (NaN for a negative radicand).
    double ShearingStressOctaedric() const;
    // Unit vector (x, y, 1)/|..| solving the first two rows of (T − λI)·v = 0 by Cramer's rule.
    // Throws NoSolution, v unwritten, when the 2x2 minor (T11 − λ)(T00 − λ) − T01² is within 1e-10 of 0.
    void GetEigenVector(double lambda, double* const v) const;
    // Cyclic Jacobi for a symmetric n x n matrix, arrays indexed 1..n: d gets the eigenvalues,
    // column q of v the eigenvector of d[q], *nrot the rotation count; a loses its upper triangle.
    // At most 50 sweeps, then NoSolution with the state reached. n < 1 sets *nrot = 0 (when nrot is
    // not null) and returns; a null array or row with n >= 1 throws NoSolution before any write.
    void Jacobi(double** a, int n, double* const d, double** v, int* nrot);

    double components[6];
    std::unique_ptr<CVyMathMat33> basis;
};

/// The sum of the components, in a new tensor with the identity basis (not the operands' basis).
/// Throws InvalidateBase when the bases differ.
VYMATH_API CVyMathTensorSym2D operator+(const CVyMathTensorSym2D& a, const CVyMathTensorSym2D& b);
/// As operator+, with differences a − b.
VYMATH_API CVyMathTensorSym2D operator-(const CVyMathTensorSym2D& a, const CVyMathTensorSym2D& b);
/// Writes std::endl and then the full matrix on three lines ("\tTenseur=  [ T00 T01 T02 ]",
/// "\t\t  [ T01 T11 T12 ]", "\t\t  [ T02 T12 T22 ]", each ended by std::endl), under the stream's
/// own formatting. The basis is not written.
VYMATH_API std::ostream& operator<<(std::ostream& os, CVyMathTensorSym2D& t);

#endif // VYMATH_CVYMATHTENSORSYM2D_H
