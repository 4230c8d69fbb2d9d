// Shared helpers of the VyMath fuzz targets: decoding values from the fuzzer's input and checks.
#ifndef VYMATH_FUZZ_COMMON_H
#define VYMATH_FUZZ_COMMON_H

#include <fuzzer/FuzzedDataProvider.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace fuzz {

// A double that favours the values where the library has rules of its own: zero, tolerances,
// DBL_MAX sentinels, DBL_MIN, infinities, NaN, small integers and halves.
inline double Value(FuzzedDataProvider& in) {
    static const double special[] = {0.0,
                                     -0.0,
                                     1.0,
                                     -1.0,
                                     0.5,
                                     2.0,
                                     10.0,
                                     1e-5,
                                     -1e-5,
                                     1e-10,
                                     1e-20,
                                     DBL_MAX,
                                     -DBL_MAX,
                                     DBL_MIN,
                                     std::numeric_limits<double>::infinity(),
                                     -std::numeric_limits<double>::infinity(),
                                     std::numeric_limits<double>::quiet_NaN(),
                                     1e300,
                                     -1e300};
    const int kind = in.ConsumeIntegralInRange(0, 7);
    switch (kind) {
    case 0:
        return in.PickValueInArray(special);
    case 1:
        return in.ConsumeFloatingPoint<double>();
    case 2:
        return static_cast<double>(in.ConsumeIntegralInRange(-20, 20)) / 2.0;
    default:
        return in.ConsumeFloatingPointInRange(-100.0, 100.0);
    }
}

// A tolerance: mostly small positive values, sometimes zero, negative, huge or NaN.
inline double Tolerance(FuzzedDataProvider& in) {
    static const double choices[] = {
        1e-5, 1e-9, 1e-3, 0.25, 0.0, -1e-5, 1e6, DBL_MAX, std::numeric_limits<double>::quiet_NaN()};
    return in.PickValueInArray(choices);
}

[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

inline void Check(bool ok, const char* what) {
    if (!ok)
        Fail(what);
}

} // namespace fuzz

#endif // VYMATH_FUZZ_COMMON_H
