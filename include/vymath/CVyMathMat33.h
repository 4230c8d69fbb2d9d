/// @file
/// The class CVyMathMat33 and its free operators.
#ifndef VYMATH_CVYMATHMAT33_H
#define VYMATH_CVYMATHMAT33_H

#include "vymath/CVyMathException.h"
#include "vymath/VyMathExport.h"

/// A 3x3 matrix of doubles with value semantics.
///
/// Element (i, j) is row i, column j, with i and j in 0..2. The nine elements are stored column by
/// column: element (i, j) is at position i + 3j, the order used by SetMat and by the three-column
/// constructor. A default matrix is the identity. Comparisons use CVyMath::Equal with tolerance 1e-10
/// per element (so a NaN element is equal to nothing). Index errors and singular inverses throw the
/// nested error structs, before the matrix is touched; arithmetic overflow follows IEEE rules.
class VYMATH_API CVyMathMat33 {
public:
    /// Thrown by GetMat and operator() for an index outside 0..2.
    struct VYMATH_API InvalidateIndex : public CVyMathException {
        /// Message "CVyMathMat33::operator(i,j) => out of range".
        InvalidateIndex();
        /// Copies the message.
        InvalidateIndex(const InvalidateIndex& other);
        ~InvalidateIndex() override;
    };
    /// Thrown by GetInverse when |determinant| < 1e-10.
    struct VYMATH_API InvalidateDeterminant : public CVyMathException {
        /// Message "Determinant of matrix is nul".
        InvalidateDeterminant();
        /// Copies the message.
        InvalidateDeterminant(const InvalidateDeterminant& other);
        ~InvalidateDeterminant() override;
    };

    /// The identity.
    CVyMathMat33();
    /// The identity when identity is true, the zero matrix when false.
    explicit CVyMathMat33(bool identity);
    /// Element-by-element copy.
    CVyMathMat33(const CVyMathMat33& other);
    /// Array k is column k: element (i, j) = (array j)[i].
    CVyMathMat33(const double (&c0)[3], const double (&c1)[3], const double (&c2)[3]);
    /// Dyadic product a bᵀ: element (i, j) = a[i] * b[j].
    CVyMathMat33(const double (&a)[3], const double (&b)[3]);
    /// Nothing to release.
    virtual ~CVyMathMat33();

    /// A new heap copy (sliced to CVyMathMat33); the caller deletes it.
    CVyMathMat33* Clone() const;
    /// Same as Clone.
    CVyMathMat33* CloneSame() const;
    /// Copies the nine elements; returns the left operand.
    CVyMathMat33& operator=(const CVyMathMat33& other);

    /// All nine elements 0.0.
    void SetNull();
    /// The identity.
    void SetMatrixID();
    /// Copies values[0..8] in storage order: element (i, j) = values[i + 3j]. A null pointer changes nothing.
    void SetMat(double* const values);
    /// Element (i, j), row first; throws InvalidateIndex for an index outside 0..2.
    double GetMat(int i, int j) const;
    /// Reference to element (i, j) for reading or writing; throws InvalidateIndex outside 0..2.
    double& operator()(int i, int j);
    /// Does nothing.
    virtual void Dump();

    /// Every element times s.
    CVyMathMat33& operator*=(double s);
    /// Every element divided by s (no test of s: division by zero gives IEEE infinities or NaNs).
    CVyMathMat33& operator/=(double s);
    /// This matrix L becomes L·B, computed into a temporary so B may be L itself (M *= M squares M).
    CVyMathMat33& operator*=(const CVyMathMat33& b);
    /// Adds b element by element.
    CVyMathMat33& operator+=(const CVyMathMat33& b);
    /// Subtracts b element by element.
    CVyMathMat33& operator-=(const CVyMathMat33& b);

    /// True when every element is within 1e-10 of the other's (strict); false with any NaN.
    bool operator==(const CVyMathMat33& other);
    /// Negation of operator==.
    bool operator!=(const CVyMathMat33& other);
    /// True when the matrix equals the identity under the operator== rule.
    bool IsMatID() const;
    /// The transpose.
    CVyMathMat33 GetTranspose() const;
    /// The inverse by the adjugate (each cofactor divided by det). Throws InvalidateDeterminant when
    /// |det| < 1e-10, whatever the scale of the elements (diag(1e-4, 1e-4, 1e-4) counts as singular).
    CVyMathMat33 GetInverse() const;

private:
    friend VYMATH_API CVyMathMat33 operator*(const CVyMathMat33& a, const CVyMathMat33& b);

    double elements[9];
};

/// The matrix product a·b: element (i, j) = sum over k of a(i, k)·b(k, j).
VYMATH_API CVyMathMat33 operator*(const CVyMathMat33& a, const CVyMathMat33& b);
/// Every element of m times s (there is no form with the scalar on the left).
VYMATH_API CVyMathMat33 operator*(const CVyMathMat33& m, double s);
/// Element-by-element sum.
VYMATH_API CVyMathMat33 operator+(const CVyMathMat33& a, const CVyMathMat33& b);
/// Element-by-element difference a - b.
VYMATH_API CVyMathMat33 operator-(const CVyMathMat33& a, const CVyMathMat33& b);

#endif // VYMATH_CVYMATHMAT33_H
