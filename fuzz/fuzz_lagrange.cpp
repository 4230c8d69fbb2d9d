// The fast interpolation (LagrangeLines, LagrangeSegment) against the reference's wide form, bit for bit:
// lines of raw or special doubles, and lines built so that the value lies next to a midpoint between
// two doubles (yl = d, yh = d + K ulp(d), the query a fraction (j + 1/2 + e) / K of the way).
#include "FuzzCommon.h"

#include "function1d/Lagrange.h"
#include "reference/RefInternal.h"

#include <cstring>

namespace {

using fuzz::Check;

bool Same(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

double Raw(FuzzedDataProvider& in) {
    return in.ConsumeBool() ? fuzz::Value(in) : in.ConsumeFloatingPoint<double>();
}

void NearTie(FuzzedDataProvider& in, double& xl, double& yl, double& xh, double& yh, double& x) {
    const double d =
        std::ldexp(in.ConsumeFloatingPointInRange(1.0, 2.0), in.ConsumeIntegralInRange(-1074, 1023)) *
        (in.ConsumeBool() ? 1.0 : -1.0);
    const int K = in.ConsumeIntegralInRange(1, 1 << 20);
    const double ulp = std::nextafter(std::fabs(d), DBL_MAX) - std::fabs(d);
    yl = d;
    yh = d + K * ulp * (in.ConsumeBool() ? 1.0 : -1.0);
    const double e = in.ConsumeIntegralInRange(-64, 64) * 0x1p-14;
    const double w = (in.ConsumeIntegralInRange(0, K - 1) + 0.5 + e) / K;
    const int e0 = in.ConsumeIntegralInRange(-1070, 1020);
    xl = std::ldexp(in.ConsumeFloatingPointInRange(-2.0, 2.0), e0);
    xh = xl + std::ldexp(in.ConsumeFloatingPointInRange(0.5, 4.0), e0 + in.ConsumeIntegralInRange(-3, 3));
    x = xl + w * (xh - xl);
    if (in.ConsumeBool()) {
        std::swap(xl, xh);
        std::swap(yl, yh);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    constexpr std::size_t kMax = 9;
    double xl[kMax], yl[kMax], xh[kMax], yh[kMax], x[kMax], y[kMax];
    const std::size_t n = in.ConsumeIntegralInRange<std::size_t>(1, kMax);
    for (std::size_t i = 0; i < n; ++i) {
        if (in.ConsumeBool()) {
            NearTie(in, xl[i], yl[i], xh[i], yh[i], x[i]);
        } else {
            xl[i] = Raw(in), yl[i] = Raw(in), xh[i] = Raw(in), yh[i] = Raw(in), x[i] = Raw(in);
        }
    }
    double on[kMax];
    vymath::detail::LagrangeLines(xl, yl, xh, yh, x, y, n);
    vymath::detail::LagrangeSegment(xl[0], yl[0], xh[0], yh[0], x, on, n); // the first line at every query
    for (std::size_t i = 0; i < n; ++i) {
        const double want = ref::detail::LagrangeLine(xl[i], yl[i], xh[i], yh[i], x[i]);
        const double wantOn = ref::detail::LagrangeLine(xl[0], yl[0], xh[0], yh[0], x[i]);
        if (std::getenv("VYMATH_FUZZ_TRACE") != nullptr)
            std::fprintf(stderr, "%a %a %a %a %a -> %a, want %a; on the first line %a, want %a\n", xl[i],
                         yl[i], xh[i], yh[i], x[i], y[i], want, on[i], wantOn);
        Check(Same(y[i], want), "LagrangeLines gives the wide value");
        Check(Same(on[i], wantOn), "LagrangeSegment gives the wide value");
    }
    return 0;
}
