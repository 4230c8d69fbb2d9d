// Library-internal helpers shared by the VyMath sources. Not installed, not exported.
#ifndef VYMATH_INTERNAL_H
#define VYMATH_INTERNAL_H

#include "vymath/CVyMath.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

// Platforms: GCC or Clang on x86-64 (and 32-bit x86). The exact numbers rest on the x87 80-bit long
// double of the wide intermediates; another long double would change results.
static_assert(std::numeric_limits<long double>::digits == 64,
              "VyMath needs the 80-bit x87 long double (64-bit mantissa): build on x86-64 with GCC or Clang");
static_assert(std::numeric_limits<double>::is_iec559, "VyMath needs IEEE 754 doubles");
// The searches on long arrays fetch ahead with __builtin_prefetch.
#if defined(__has_builtin)
#if !__has_builtin(__builtin_prefetch)
#error "VyMath uses __builtin_prefetch: build with GCC or Clang"
#endif
#elif !defined(__GNUC__)
#error "VyMath uses __builtin_prefetch: build with GCC or Clang"
#endif

// Defines the three members of a nested error struct Owner::Name: the default constructor with its
// fixed message, the copy constructor and the destructor.
#define VYMATH_DEFINE_ERROR(Owner, Name, text)                                                               \
    Owner::Name::Name() : CVyMathException(text) {}                                                          \
    Owner::Name::Name(const Name& other) : CVyMathException(other) {}                                        \
    Owner::Name::~Name() = default;

namespace vymath {
namespace detail {

// The value that stands for an unbounded end in stored data.
constexpr double kOpenEnd = DBL_MAX;

// Bits of the library's quiet NaN.
constexpr std::uint64_t kQuietNaNBits = 0x7FF8000000000000ULL;

// True for every NaN, quiet or signalling, of either sign.
inline bool IsNaN(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    if (bits == kQuietNaNBits)
        return true;
    return x != x;
}

// False for a NaN (v unchanged); otherwise true, with +inf and -inf replaced by +DBL_MAX and -DBL_MAX.
inline bool ValidateValue(double& v) {
    if (IsNaN(v))
        return false;
    if (v > DBL_MAX)
        v = DBL_MAX;
    else if (v < -DBL_MAX)
        v = -DBL_MAX;
    return true;
}

// A finite double: neither NaN nor an infinity.
inline bool IsFinite(double x) {
    return x - x == 0.0;
}

// v with an overflow kept at +-DBL_MAX.
inline double Clamped(double v) {
    ValidateValue(v);
    return v;
}

// a and b are the same double, bit for bit (0.0 and -0.0 differ).
inline bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The tolerant comparisons, defined once: CVyMath's out-of-line operations call these. Two finite
// operands take the finite rule at once; any other pair goes to the rows for NaN and the infinities
// (CVyMath.h has the table).
struct Tolerant {
    // The answer for a pair that is not two finite numbers, rows in order: a NaN gives false; the same
    // infinity twice gives sameInf; a = +inf or b = -inf gives aAbove; a = -inf or b = +inf gives aBelow.
    static bool NonFinite(double a, double b, bool sameInf, bool aAbove, bool aBelow) {
        if (IsNaN(a) || IsNaN(b))
            return false;
        if (a == b) // not both finite: the same infinity
            return sameInf;
        if (a > DBL_MAX || b < -DBL_MAX)
            return aAbove;
        return aBelow;
    }
    static bool Greater(double a, double b, double tol) {
        return IsFinite(a) && IsFinite(b) ? b + tol < a : NonFinite(a, b, false, true, false);
    }
    static bool GreaterEqual(double a, double b, double tol) {
        return IsFinite(a) && IsFinite(b) ? a + tol > b || std::fabs(a - b) < tol
                                          : NonFinite(a, b, true, true, false);
    }
    static bool Smaller(double a, double b, double tol) {
        return IsFinite(a) && IsFinite(b) ? a + tol < b : NonFinite(a, b, false, false, true);
    }
    static bool SmallerEqual(double a, double b, double tol) {
        return IsFinite(a) && IsFinite(b) ? a + tol < b || std::fabs(a - b) < tol
                                          : NonFinite(a, b, true, false, true);
    }
    static bool Equal(double a, double b, double tol) {
        return IsFinite(a) && IsFinite(b) ? std::fabs(a - b) < tol : NonFinite(a, b, true, false, false);
    }
    static bool IsNull(double x, double tol) { return Equal(x, 0.0, tol); }
    static int Signe(double x) { return Equal(x, 0.0, 1e-20) ? 0 : (Smaller(x, 0.0, 1e-20) ? -1 : 1); }
    // A NaN loses to a number; otherwise the tolerant order with tolerance 1e-20, ties to b.
    static double Min(double a, double b) {
        if (IsNaN(a) != IsNaN(b))
            return IsNaN(a) ? b : a;
        return Smaller(a, b, 1e-20) ? a : b;
    }
    static double Max(double a, double b) {
        if (IsNaN(a) != IsNaN(b))
            return IsNaN(a) ? b : a;
        return Greater(a, b, 1e-20) ? a : b;
    }
};

} // namespace detail
} // namespace vymath

#endif // VYMATH_INTERNAL_H
