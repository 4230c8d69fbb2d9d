/// @file
/// The class CVyMathPolynom.
#ifndef VYMATH_CVYMATHPOLYNOM_H
#define VYMATH_CVYMATHPOLYNOM_H

#include "vymath/VyMathExport.h"

#include <ostream>
#include <vector>

namespace vymath {
namespace detail {
struct Access; // the library's one access point to private state (not installed)
} // namespace detail
} // namespace vymath

/// A polynomial in one variable with double coefficients.
///
/// Coefficient k multiplies x^k (constant term first). The degree is a separate field set at
/// construction: nothing keeps it equal to the number of coefficients minus one. Evaluation uses
/// every stored coefficient and ignores the degree; the text formatting walks the powers 0..degree.
class VYMATH_API CVyMathPolynom {
public:
    /// No coefficients, degree 0.
    CVyMathPolynom();
    /// No coefficients, degree as given (any value, negative included, is stored).
    explicit CVyMathPolynom(int degree);
    /// Deep copy of the coefficients and the degree.
    CVyMathPolynom(const CVyMathPolynom& other);
    /// Copies the coefficients (skipped for self-assignment), then the degree.
    const CVyMathPolynom& operator=(const CVyMathPolynom& other);
    virtual ~CVyMathPolynom();

    /// Appends a coefficient for the next higher power; the degree is unchanged.
    void SetCoeff(double c);
    /// Replaces all coefficients by values[0..count-1]; the degree is unchanged. A negative count
    /// throws std::length_error("vector<T> too long") and a null array with a positive count is
    /// ignored; both leave the coefficients unchanged.
    void SetCoeff(double* const values, int count);
    /// The degree field as a double (coefficients not consulted).
    double GetDegree() const;
    /// The stored coefficients, constant term first: the ones ValPoly sums, as many as were set
    /// (whatever the degree). O(1), a reference to the stored vector.
    const std::vector<double>& GetCoefficients() const;
    /// Sum of c[k] * x^k over the stored coefficients, with a running power (not Horner). Cost O(count).
    /// 0.0 without coefficients.
    double ValPoly(const double& x) const;

    /// Writes `p` (not this object) in powers of X, e.g. "1 + 2 X^1 + 3 X^2 " then a NUL; terms null within
    /// 10^-prec are skipped, +1 loses its magnitude for k >= 1. Leaves setprecision(prec) on the stream, no
    /// flush; the variable is unused. Coefficients missing up to the degree count as 0 (nothing written).
    void FormatPolynomial2(std::basic_ostream<char>& os, const CVyMathPolynom& p, wchar_t variable,
                           int prec) const;
    /// As FormatPolynomial2 in product form: term k is followed by the factors of c0 .. c(k-1), e.g.
    /// "2 + 3 (x - 2) " then a NUL. A variable code outside 0..255 is written as '?'.
    void FormatPolynomial1(std::basic_ostream<char>& os, const CVyMathPolynom& p, wchar_t variable,
                           int prec) const;

private:
    friend struct vymath::detail::Access;

    // One linear factor "(v - r) " ("(v + |r|) " for r <= 0), or "v " when r is null within tol
    // (precision then untouched). A variable code outside 0..255 is written as '?'.
    void FormatMonomial(std::basic_ostream<char>& os, double r, wchar_t variable, int prec, double tol) const;

    std::vector<double> coefficients;
    int degree;
};

#endif // VYMATH_CVYMATHPOLYNOM_H
