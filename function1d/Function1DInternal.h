// Helpers shared by the CVyMathFunction1D sources. Not installed, not exported.
#ifndef VYMATH_FUNCTION1D_INTERNAL_H
#define VYMATH_FUNCTION1D_INTERNAL_H

#include "../foundation/VyMathInternal.h"

namespace vymath {
namespace detail {

// The line through (xl, yl) and (xh, yh) at x, in the two-term Lagrange form
// ((x - xh) yl) / (xl - xh) + ((x - xl) yh) / (xh - xl), with extended-precision intermediates so
// that a segment ending at a DBL_MAX sentinel (or ordinate) neither overflows nor gives a NaN.
// Two points with the same abscissa (no line through them) give yl.
inline double LagrangeLine(double xl, double yl, double xh, double yh, double x) {
    if (xl == xh)
        return yl;
    using W = long double;
    const W X = x, XL = xl, YL = yl, XH = xh, YH = yh;
    const W v = ((X - XH) * YL) / (XL - XH) + ((X - XL) * YH) / (XH - XL);
    return static_cast<double>(v);
}

} // namespace detail
} // namespace vymath

#endif // VYMATH_FUNCTION1D_INTERNAL_H
