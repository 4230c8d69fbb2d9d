/// @file
/// The tolerant comparisons and scalar helpers: struct CVyMath.
#ifndef VYMATH_CVYMATH_H
#define VYMATH_CVYMATH_H

#include "vymath/VyMathExport.h"

/// The tolerant comparisons and scalar helpers used by every VyMath class.
///
/// Every test of equality or order between two doubles in the library goes through these
/// comparisons, always with an explicit tolerance. They are pure functions: no state, no
/// allocation, no exceptions.
///
/// NaN and infinities get fixed answers, decided in this order:
///   1. a or b is a NaN: every comparison is false.
///   2. infinities, first matching row decides:
///
/// | operands                         | true                                  | false                 |
/// | -------------------------------- | ------------------------------------- | --------------------- |
/// | a = b = +inf or a = b = -inf     | GreaterEqual, SmallerEqual, Equal     | Greater, Smaller      |
/// | a = +inf or b = -inf             | Greater, GreaterEqual                 | the others            |
/// | a = -inf or b = +inf             | Smaller, SmallerEqual                 | the others            |
///
///   3. finite values: the strict arithmetic rule given beside each operation.
///
/// An infinity is never within any tolerance of a finite value. The tolerance is used unchanged;
/// its sign is not checked.
struct VYMATH_API CVyMath {
    /// pi, bits 0x400921FB54442D18.
    static const double dfPI;
    /// Positive infinity.
    static const double dfINFINITE;
    /// The quiet NaN with bits 0x7FF8000000000000.
    static const double dfNAN;

    /// Does nothing: the struct holds no data.
    CVyMath& operator=(const CVyMath&) { return *this; }

    /// a is more than tol above b: b + tol < a. Greater(a, b, t) == Smaller(b, a, t) for every input.
    static bool Greater(double a, double b, double tol);
    /// a + tol > b, or else |a - b| < tol. GreaterEqual(0.5, 1.0, 0.5) is false.
    static bool GreaterEqual(double a, double b, double tol);
    /// a is more than tol below b: a + tol < b.
    static bool Smaller(double a, double b, double tol);
    /// a + tol < b, or else |a - b| < tol.
    static bool SmallerEqual(double a, double b, double tol);
    /// |a - b| < tol, strictly: values exactly tol apart are not equal.
    static bool Equal(double a, double b, double tol);
    /// Equal(x, 0.0, tol).
    static bool IsNull(double x, double tol);

    /// 0 when Equal(x, 0, 1e-20), -1 when Smaller(x, 0, 1e-20), else +1. A NaN gives +1.
    static int Signe(double x);
    /// The smaller value with tolerance 1e-20: a when Smaller(a, b, 1e-20), else b. A NaN loses to a
    /// number; two NaNs and values within 1e-20 of each other give b.
    static double Min(double a, double b);
    /// The larger value with tolerance 1e-20: a when Greater(a, b, 1e-20), else b. NaN as for Min.
    static double Max(double a, double b);
    /// The argument itself (sign kept) of smaller magnitude: a only when |a| < |b| (ties, NaN: b).
    static double MinAbs(double a, double b);
    /// The argument itself (sign kept) of larger magnitude: a only when |a| > |b| (ties, NaN: b).
    static double MaxAbs(double a, double b);
    /// x * x.
    static double Sqr(double x);
    /// x * (x * x).
    static double Cube(double x);
    /// The square root when x > 1e-10, else 0.0 (negative, tiny, NaN and -inf give 0; +inf gives +inf).
    static double Sqrt(double x);
    /// Exchanges a and b.
    static void Swap(double& a, double& b);
};

#endif // VYMATH_CVYMATH_H
