// The interpolation between two points: its extended-precision definition and the batch kernels that
// give the same bits faster. Not installed, not exported.
#ifndef VYMATH_FUNCTION1D_LAGRANGE_H
#define VYMATH_FUNCTION1D_LAGRANGE_H

#include "foundation/VyMathInternal.h"

#include <cfloat>
#include <cstddef>

namespace vymath {
namespace detail {

// A wide intermediate as a double; beyond the double range it is +-DBL_MAX (an open end).
inline double ClampToDouble(long double v) {
    if (v > static_cast<long double>(DBL_MAX))
        return DBL_MAX;
    if (v < -static_cast<long double>(DBL_MAX))
        return -DBL_MAX;
    return static_cast<double>(v);
}

// The line through (xl, yl) and (xh, yh) at x, in the two-term Lagrange form
// ((x - xh) yl) / (xl - xh) + ((x - xl) yh) / (xh - xl), with extended-precision intermediates so
// that a segment ending at a DBL_MAX sentinel (or ordinate) neither overflows nor gives a NaN.
// Two points with the same abscissa (no line through them) give yl; a value beyond the double
// range is returned as +-DBL_MAX. This is the definition of every interpolated value; LagrangeLine
// gives the same bits faster.
inline double LagrangeLineWide(double xl, double yl, double xh, double yh, double x) {
    if (xl == xh)
        return yl;
    using W = long double;
    const W X = x, XL = xl, YL = yl, XH = xh, YH = yh;
    const W v = ((X - XH) * YL) / (XL - XH) + ((X - XL) * YH) / (XH - XL);
    // Beyond the double range (extrapolation next to a DBL_MAX ordinate) the value is an open end.
    return ClampToDouble(v);
}

// One interpolated value: the wide form itself. Alone, its two independent x87 divisions take less
// time than the double-double form and its test (about 8 ns a value against 15 on the machine measured,
// 16 against 22 in a dependent chain): the fast forms pay only four values at a time, below.
inline double LagrangeLine(double xl, double yl, double xh, double yh, double x) {
    return LagrangeLineWide(xl, yl, xh, yh, x);
}

// LagrangeLineWide(xl[i], yl[i], xh[i], yh[i], x[i]) for i < n, bit for bit, for any arguments. Where the
// CPU has AVX2 and FMA, four values at a time are first computed in double-double arithmetic (error-free
// sums and products, a corrected quotient) with a bound covering both their own error and the roundings
// of the extended-precision form (at most 5.0002 * 2^-64 (|T1| + |T2|), T1 and T2 the two Lagrange
// terms); where no midpoint between two doubles lies within that bound of a value, the rounded result is
// decided and stored. Otherwise (about 0.6% of the values on ordinary data, more where the two terms
// cancel; segments longer than 2^1021, results beyond 2^1020 or below 2^-1000, zeros) the value is
// computed by LagrangeLineWide, or for a line with both ordinates zero by the same formula in double,
// which gives the same signed zero. The code path is chosen once per process. Returns the count of
// values computed by LagrangeLineWide. y may be one of the input arrays, or apart from all of them.
std::size_t LagrangeLines(const double* xl, const double* yl, const double* xh, const double* yh,
                          const double* x, double* y, std::size_t n);

// LagrangeLines for one line and n queries, bit for bit: the line's slope is prepared once as a
// double-double (O(1), one division), then each query costs an error-free product and two error-free
// sums from the nearer end, four at a time, with the same decision test (its bound adds the slope's
// error). About 1.7 times as fast as LagrangeLines a query. Returns the count computed by
// LagrangeLineWide. y may be x, or apart from it.
std::size_t LagrangeSegment(double xl, double yl, double xh, double yh, const double* x, double* y,
                            std::size_t n);

} // namespace detail
} // namespace vymath

#endif // VYMATH_FUNCTION1D_LAGRANGE_H
