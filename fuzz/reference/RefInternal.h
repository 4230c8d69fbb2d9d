// The reference's own scalar rules: the tolerant comparisons row by row as their table reads, the
// value checks and the wide interpolation. A test oracle, independent of the library's code.
#ifndef VYMATH_FUZZ_REFINTERNAL_H
#define VYMATH_FUZZ_REFINTERNAL_H

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace ref {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

inline bool IsNaNValue(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits == 0x7FF8000000000000ULL || x != x;
}

// One comparison: the NaN stage, the infinity rows in their order, then the finite rule.
enum Op { kGreater, kGreaterEqual, kSmaller, kSmallerEqual, kEqual };

inline bool Compare(Op op, double a, double b, double tol) {
    if (IsNaNValue(a) || IsNaNValue(b))
        return false;
    //                              G      GE     S      SE     E
    static const bool same[5] = {false, true, false, true, true};
    static const bool above[5] = {true, true, false, false, false};
    static const bool below[5] = {false, false, true, true, false};
    if ((a == kInf && b == kInf) || (a == -kInf && b == -kInf))
        return same[op];
    if (a == kInf || b == -kInf)
        return above[op];
    if (a == -kInf || b == kInf)
        return below[op];
    switch (op) {
    case kGreater:
        return b + tol < a;
    case kGreaterEqual:
        return a + tol > b || std::fabs(a - b) < tol;
    case kSmaller:
        return a + tol < b;
    case kSmallerEqual:
        return a + tol < b || std::fabs(a - b) < tol;
    default:
        return std::fabs(a - b) < tol;
    }
}

inline bool Greater(double a, double b, double tol) {
    return Compare(kGreater, a, b, tol);
}
inline bool GreaterEqual(double a, double b, double tol) {
    return Compare(kGreaterEqual, a, b, tol);
}
inline bool Smaller(double a, double b, double tol) {
    return Compare(kSmaller, a, b, tol);
}
inline bool SmallerEqual(double a, double b, double tol) {
    return Compare(kSmallerEqual, a, b, tol);
}
inline bool Equal(double a, double b, double tol) {
    return Compare(kEqual, a, b, tol);
}
inline bool IsNull(double x, double tol) {
    return Equal(x, 0.0, tol);
}
inline int Signe(double x) {
    return Equal(x, 0.0, 1e-20) ? 0 : (Smaller(x, 0.0, 1e-20) ? -1 : 1);
}
inline double Sqr(double x) {
    return x * x;
}
inline double Min(double a, double b) {
    if (IsNaNValue(a) && !IsNaNValue(b))
        return b;
    if (IsNaNValue(b) && !IsNaNValue(a))
        return a;
    return Smaller(a, b, 1e-20) ? a : b;
}
inline double Max(double a, double b) {
    if (IsNaNValue(a) && !IsNaNValue(b))
        return b;
    if (IsNaNValue(b) && !IsNaNValue(a))
        return a;
    return Greater(a, b, 1e-20) ? a : b;
}

namespace detail {

constexpr double kOpenEnd = DBL_MAX;

inline bool IsNaN(double x) {
    return IsNaNValue(x);
}
inline bool IsFinite(double x) {
    return x - x == 0.0;
}
inline bool ValidateValue(double& v) {
    if (IsNaN(v))
        return false;
    if (Equal(v, kInf, 1e-10))
        v = DBL_MAX;
    else if (Equal(v, -kInf, 1e-10))
        v = -DBL_MAX;
    return true;
}
inline double ClampToDouble(long double v) {
    if (v > static_cast<long double>(DBL_MAX))
        return DBL_MAX;
    if (v < -static_cast<long double>(DBL_MAX))
        return -DBL_MAX;
    return static_cast<double>(v);
}
inline double LagrangeLine(double xl, double yl, double xh, double yh, double x) {
    if (xl == xh)
        return yl;
    using W = long double;
    const W X = x, XL = xl, YL = yl, XH = xh, YH = yh;
    return ClampToDouble(((X - XH) * YL) / (XL - XH) + ((X - XL) * YH) / (XH - XL));
}

} // namespace detail
} // namespace ref

#endif // VYMATH_FUZZ_REFINTERNAL_H
