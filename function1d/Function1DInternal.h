// Helpers shared by the CVyMathFunction1D sources. Not installed, not exported.
#ifndef VYMATH_FUNCTION1D_INTERNAL_H
#define VYMATH_FUNCTION1D_INTERNAL_H

#include "../foundation/VyMathInternal.h"

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
// range is returned as +-DBL_MAX.
inline double LagrangeLine(double xl, double yl, double xh, double yh, double x) {
    if (xl == xh)
        return yl;
    using W = long double;
    const W X = x, XL = xl, YL = yl, XH = xh, YH = yh;
    const W v = ((X - XH) * YL) / (XL - XH) + ((X - XL) * YH) / (XH - XL);
    // Beyond the double range (extrapolation next to a DBL_MAX ordinate) the value is an open end.
    return ClampToDouble(v);
}

} // namespace detail
} // namespace vymath

#endif // VYMATH_FUNCTION1D_INTERNAL_H
