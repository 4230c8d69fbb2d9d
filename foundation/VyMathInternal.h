// Library-internal helpers shared by the VyMath sources. Not installed, not exported.
#ifndef VYMATH_INTERNAL_H
#define VYMATH_INTERNAL_H

#include "vymath/CVyMath.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

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

// The tolerant comparisons of CVyMath, inline for the library's inner loops: two finite operands
// take the finite rule at once, any other pair goes to CVyMath's rows for NaN and the infinities.
// Same answers as CVyMath's for every input.
struct Tolerant {
    static bool Greater(double a, double b, double tol) {
        return IsFinite(a) && IsFinite(b) ? b + tol < a : CVyMath::Greater(a, b, tol);
    }
    static bool GreaterEqual(double a, double b, double tol) {
        return IsFinite(a) && IsFinite(b) ? a + tol > b || std::fabs(a - b) < tol
                                          : CVyMath::GreaterEqual(a, b, tol);
    }
    static bool Smaller(double a, double b, double tol) {
        return IsFinite(a) && IsFinite(b) ? a + tol < b : CVyMath::Smaller(a, b, tol);
    }
    static bool SmallerEqual(double a, double b, double tol) {
        return IsFinite(a) && IsFinite(b) ? a + tol < b || std::fabs(a - b) < tol
                                          : CVyMath::SmallerEqual(a, b, tol);
    }
    static bool Equal(double a, double b, double tol) {
        return IsFinite(a) && IsFinite(b) ? std::fabs(a - b) < tol : CVyMath::Equal(a, b, tol);
    }
    static bool IsNull(double x, double tol) { return Equal(x, 0.0, tol); }
    static int Signe(double x) { return Equal(x, 0.0, 1e-20) ? 0 : (Smaller(x, 0.0, 1e-20) ? -1 : 1); }
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
