// Library-internal helpers shared by the VyMath sources. Not installed, not exported.
#ifndef VYMATH_INTERNAL_H
#define VYMATH_INTERNAL_H

#include <cfloat>
#include <cstdint>
#include <cstring>

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

} // namespace detail
} // namespace vymath

#endif // VYMATH_INTERNAL_H
