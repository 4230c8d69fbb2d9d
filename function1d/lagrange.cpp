// The interpolation between two points at double-precision speed, equal bit for bit to its
// extended-precision definition LagrangeLineWide.
//
// The exact value r = ((x - xh) yl) / (xl - xh) + ((x - xl) yh) / (xh - xl) = (A yl - D yh) / C with
// A = x - xh, D = x - xl, C = xl - xh is computed as a double-double r + delta: the differences are
// error-free (two-sum), the products are error-free (two-product with FMA), the numerator's low part
// carries their errors, and the quotient is corrected once through the FMA remainder. Its error is
// below 2^-99 S, S = (|A yl| + |D yh|) / |C| = |T1| + |T2|.
//
// The extended form rounds six times to 64 bits: each term to within (1 + 2^-64)^3 / (1 - 2^-64) of
// its value, their sum once more, so its result v lies within 5.0002 * 2^-64 S of r; it never
// overflows nor underflows there (15-bit exponent). The double it gives is v rounded to nearest,
// so where [r - w, r + w] (w covering both errors) holds no midpoint between two doubles, all of it
// rounds to the double nearest to r + delta, which is then the result. The test is done against h,
// half the smaller gap around that double: |delta| + w < h.
#include "function1d/Lagrange.h"

#include <cstdint>
#include <cstring>

#if defined(__x86_64__) && defined(__ELF__) && (defined(__GNUC__) || defined(__clang__))
#define VYMATH_LAGRANGE_X86 1
#include <immintrin.h>
#endif

namespace vymath {
namespace detail {
namespace {

// w = kBound (|p1| + |p2|) / |c|: 5.0002 * 2^-64 for the extended roundings, the double-double error
// and the roundings of p1, p2, c and of w itself, with room to spare.
constexpr double kBound = 6.0 * 0x1p-64;
// |xl - xh| at most this: 1 / (xl - xh) is a normal number (the DBL_MAX sentinels fall back). An
// overflow in the other differences leaves a NaN in the error terms, and the test fails.
constexpr double kSpanLimit = 0x1p1021;
// Results within [kResultMin, kResultMax]: h is a normal number and v is never clamped.
constexpr double kResultMin = 0x1p-1000;
constexpr double kResultMax = 0x1p1020;
// |p1| + |p2| at least this: the absolute errors of underflowing error terms (a few 2^-1074 in the
// numerator) stay far below the slack of kBound (2^-64 of it).
constexpr double kProductMin = 0x1p-960;
constexpr std::uint64_t kExponentMask = 0x7ff0000000000000ULL;
constexpr std::uint64_t kMantissaMask = 0x000fffffffffffffULL;

// A line with both ordinates zero: its value is a signed zero whose sign double arithmetic gives as
// the wide form does (no overflow with abscissas below this).
constexpr double kZeroLimit = 0x1p1022;

// Where the fast test fails: zero lines in double arithmetic, the rest in the wide form (counted).
inline double Slow(double xl, double yl, double xh, double yh, double x, std::size_t& wide) {
    if (yl == 0.0 && yh == 0.0 && xl != xh && std::fabs(x) < kZeroLimit && std::fabs(xl) < kZeroLimit &&
        std::fabs(xh) < kZeroLimit)
        return ((x - xh) * yl) / (xl - xh) + ((x - xl) * yh) / (xh - xl);
    ++wide;
    return LagrangeLineWide(xl, yl, xh, yh, x);
}

#ifdef VYMATH_LAGRANGE_X86

__attribute__((target("fma"))) inline void TwoSum(double a, double b, double& s, double& e) {
    s = a + b;
    const double bb = s - a;
    e = (a - (s - bb)) + (b - bb);
}

__attribute__((target("fma"))) inline void TwoDiff(double a, double b, double& s, double& e) {
    s = a - b;
    const double bb = s - a;
    e = (a - (s - bb)) - (b + bb);
}

// Half the smaller gap between r and its neighbours, for a normal r.
inline double HalfGap(double r) {
    std::uint64_t bits;
    std::memcpy(&bits, &r, sizeof r);
    const std::uint64_t power = bits & kExponentMask; // 2^E <= |r| < 2^(E+1)
    double p;
    std::memcpy(&p, &power, sizeof p);
    return (bits & kMantissaMask) == 0 ? p * 0x1p-54 : p * 0x1p-53;
}

// One value by the double-double form and its test, the model of the vector kernels (and the one-line
// kernel's way for a line whose slope it cannot prepare); wide counts the values in the wide form.
__attribute__((target("fma"))) inline double LineFma(double xl, double yl, double xh, double yh, double x,
                                                     std::size_t& wide) {
    if (xl == xh)
        return yl;
    double a, ae, d, de, c, ce;
    TwoDiff(x, xh, a, ae);
    TwoDiff(x, xl, d, de);
    TwoDiff(xl, xh, c, ce);
    const double p1 = a * yl, e1 = __builtin_fma(a, yl, -p1);
    const double p2 = d * yh, e2 = __builtin_fma(d, yh, -p2);
    double s, se;
    TwoDiff(p1, p2, s, se);
    const double t = ((e1 - e2) + (ae * yl - de * yh)) + se;
    double nh, nl;
    TwoSum(s, t, nh, nl);
    const double rc = 1.0 / c;
    const double q1 = nh * rc;
    const double rem = __builtin_fma(-q1, c, nh);
    const double q2 = ((rem + nl) - q1 * ce) * rc;
    double r, delta;
    TwoSum(q1, q2, r, delta);
    const double p = std::fabs(p1) + std::fabs(p2);
    const double w = kBound * p * std::fabs(rc);
    const double ar = std::fabs(r);
    if (std::fabs(c) <= kSpanLimit && ar >= kResultMin && ar <= kResultMax && p >= kProductMin &&
        std::fabs(delta) + w < HalfGap(r))
        return r;
    return Slow(xl, yl, xh, yh, x, wide);
}

#define VYMATH_AVX2 __attribute__((target("avx2,fma"), always_inline))

VYMATH_AVX2 inline __m256d Abs4(__m256d v) {
    return _mm256_andnot_pd(_mm256_set1_pd(-0.0), v);
}

VYMATH_AVX2 inline void TwoSum4(__m256d a, __m256d b, __m256d& s, __m256d& e) {
    s = _mm256_add_pd(a, b);
    const __m256d bb = _mm256_sub_pd(s, a);
    e = _mm256_add_pd(_mm256_sub_pd(a, _mm256_sub_pd(s, bb)), _mm256_sub_pd(b, bb));
}

VYMATH_AVX2 inline void TwoDiff4(__m256d a, __m256d b, __m256d& s, __m256d& e) {
    s = _mm256_sub_pd(a, b);
    const __m256d bb = _mm256_sub_pd(s, a);
    e = _mm256_sub_pd(_mm256_sub_pd(a, _mm256_sub_pd(s, bb)), _mm256_add_pd(b, bb));
}

// Four lines at once: the same operations as LineFma, lane by lane. Lanes that fall back are set in
// the returned mask and left to the caller.
VYMATH_AVX2 inline int LinesAvx2(const double* xl, const double* yl, const double* xh, const double* yh,
                                 const double* xq, __m256d& out) {
    const __m256d XL = _mm256_loadu_pd(xl), YL = _mm256_loadu_pd(yl), XH = _mm256_loadu_pd(xh),
                  YH = _mm256_loadu_pd(yh), X = _mm256_loadu_pd(xq);
    __m256d a, ae, d, de, c, ce;
    TwoDiff4(X, XH, a, ae);
    TwoDiff4(X, XL, d, de);
    TwoDiff4(XL, XH, c, ce);
    const __m256d p1 = _mm256_mul_pd(a, YL), e1 = _mm256_fmsub_pd(a, YL, p1);
    const __m256d p2 = _mm256_mul_pd(d, YH), e2 = _mm256_fmsub_pd(d, YH, p2);
    __m256d s, se;
    TwoDiff4(p1, p2, s, se);
    const __m256d t = _mm256_add_pd(
        _mm256_add_pd(_mm256_sub_pd(e1, e2), _mm256_sub_pd(_mm256_mul_pd(ae, YL), _mm256_mul_pd(de, YH))),
        se);
    __m256d nh, nl;
    TwoSum4(s, t, nh, nl);
    const __m256d rc = _mm256_div_pd(_mm256_set1_pd(1.0), c);
    const __m256d q1 = _mm256_mul_pd(nh, rc);
    const __m256d rem = _mm256_fnmadd_pd(q1, c, nh);
    const __m256d q2 = _mm256_mul_pd(_mm256_sub_pd(_mm256_add_pd(rem, nl), _mm256_mul_pd(q1, ce)), rc);
    __m256d r, delta;
    TwoSum4(q1, q2, r, delta);
    const __m256d p = _mm256_add_pd(Abs4(p1), Abs4(p2));
    const __m256d w = _mm256_mul_pd(_mm256_mul_pd(_mm256_set1_pd(kBound), p), Abs4(rc));
    const __m256d ar = Abs4(r);
    // Half the smaller gap: 2^E * 2^-53, or 2^E * 2^-54 on a power of two.
    const __m256d power = _mm256_and_pd(r, _mm256_castsi256_pd(_mm256_set1_epi64x(kExponentMask)));
    const __m256d onPower = _mm256_castsi256_pd(_mm256_cmpeq_epi64(
        _mm256_castpd_si256(_mm256_and_pd(r, _mm256_castsi256_pd(_mm256_set1_epi64x(kMantissaMask)))),
        _mm256_setzero_si256()));
    const __m256d h =
        _mm256_mul_pd(power, _mm256_blendv_pd(_mm256_set1_pd(0x1p-53), _mm256_set1_pd(0x1p-54), onPower));
    __m256d ok = _mm256_cmp_pd(Abs4(c), _mm256_set1_pd(kSpanLimit), _CMP_LE_OQ);
    ok = _mm256_and_pd(ok, _mm256_cmp_pd(ar, _mm256_set1_pd(kResultMin), _CMP_GE_OQ));
    ok = _mm256_and_pd(ok, _mm256_cmp_pd(ar, _mm256_set1_pd(kResultMax), _CMP_LE_OQ));
    ok = _mm256_and_pd(ok, _mm256_cmp_pd(p, _mm256_set1_pd(kProductMin), _CMP_GE_OQ));
    ok = _mm256_and_pd(ok, _mm256_cmp_pd(_mm256_add_pd(Abs4(delta), w), h, _CMP_LT_OQ));
    // The same abscissa twice: yl, as the definition gives it.
    const __m256d same = _mm256_cmp_pd(XL, XH, _CMP_EQ_OQ);
    out = _mm256_blendv_pd(r, YL, same);
    return _mm256_movemask_pd(
        _mm256_andnot_pd(same, _mm256_andnot_pd(ok, _mm256_castsi256_pd(_mm256_set1_epi64x(-1)))));
}

__attribute__((target("avx2,fma"))) std::size_t LinesAvx2Loop(const double* xl, const double* yl,
                                                              const double* xh, const double* yh,
                                                              const double* x, double* y, std::size_t n) {
    std::size_t fallbacks = 0, i = 0;
    for (; i + 4 <= n; i += 4) {
        __m256d v;
        int slow = LinesAvx2(xl + i, yl + i, xh + i, yh + i, x + i, v);
        double lanes[4];
        _mm256_storeu_pd(lanes, v);
        while (slow != 0) {
            const int k = __builtin_ctz(static_cast<unsigned>(slow));
            lanes[k] = Slow(xl[i + k], yl[i + k], xh[i + k], yh[i + k], x[i + k], fallbacks);
            slow &= slow - 1;
        }
        std::memcpy(y + i, lanes, sizeof lanes);
    }
    if (i < n) { // the last one to three, padded with lines through one abscissa
        double in[5][4] = {}, lanes[4];
        for (std::size_t k = 0; i + k < n; ++k) {
            in[0][k] = xl[i + k], in[1][k] = yl[i + k], in[2][k] = xh[i + k], in[3][k] = yh[i + k];
            in[4][k] = x[i + k];
        }
        fallbacks += LinesAvx2Loop(in[0], in[1], in[2], in[3], in[4], lanes, 4);
        std::memcpy(y + i, lanes, (n - i) * sizeof(double));
    }
    return fallbacks;
}

// Many queries on one line: its slope K = (yh - yl) / (xh - xl) as a double-double, once, then
// r = y0 + (x - x0) K per query from the nearer end (x0, y0) (exact difference, error-free product).
// The error of K is below 2^-100 |K|, so r is within kSegmentError (|y0| + |(x - x0) K|) of the exact
// value, and the wide form's bound is that of LineFma: kBound (|x - xh| |yl| + |x - xl| |yh|) / |xl - xh|.
constexpr double kSegmentError = 0x1p-96;
// The slope's setup holds where |xl - xh| is in [kSpanMin, kSpanLimit] and each |y| / |xl - xh| is
// zero or in [kFactorMin, kFactorMax]: the bound's factors are normal numbers, and the underflow of
// their products with |x - xl| or |x - xh| stays within the bound's slack (results are >= 2^-1000).
constexpr double kSpanMin = 0x1p-60;
constexpr double kFactorMin = 0x1p-1000;
constexpr double kFactorMax = 0x1p1000;
// A slope below this (but zero) leaves too few bits in its low part.
constexpr double kSlopeMin = 0x1p-900;

__attribute__((target("avx2,fma"))) std::size_t SegmentAvx2(double xl, double yl, double xh, double yh,
                                                            const double* x, double* y, std::size_t n) {
    std::size_t fallbacks = 0;
    if (xl == xh) {
        for (std::size_t i = 0; i < n; ++i)
            y[i] = yl;
        return 0;
    }
    double nh, nl, ch, cl;
    TwoDiff(yh, yl, nh, nl);
    TwoDiff(xh, xl, ch, cl);
    // One division: kh within an ulp or two of nh / ch, its remainder nearly exact, the correction
    // with the reciprocal (an error of 2^-104 |K| at most).
    const double rc = 1.0 / ch;
    const double kh = nh * rc;
    const double kl = ((__builtin_fma(-kh, ch, nh) + nl) - kh * cl) * rc;
    const double fl = std::fabs(yl * rc), fh = std::fabs(yh * rc);
    const auto factor = [](double y, double f) { return y == 0.0 || (f >= kFactorMin && f <= kFactorMax); };
    const bool ready =
        std::fabs(ch) >= kSpanMin && std::fabs(ch) <= kSpanLimit && factor(yl, fl) && factor(yh, fh) &&
        (kh == 0.0 ? nh == 0.0 && nl == 0.0 : std::fabs(kh) >= kSlopeMin && std::fabs(kh) <= kResultMax);
    std::size_t i = 0;
    if (ready) {
        const __m256d XL = _mm256_set1_pd(xl), YL = _mm256_set1_pd(yl), XH = _mm256_set1_pd(xh),
                      YH = _mm256_set1_pd(yh);
        const __m256d KH = _mm256_set1_pd(kh), KL = _mm256_set1_pd(kl);
        const __m256d FL = _mm256_set1_pd(kBound * fl), FH = _mm256_set1_pd(kBound * fh);
        const __m256d EL = _mm256_set1_pd(kSegmentError * std::fabs(yl)),
                      EH = _mm256_set1_pd(kSegmentError * std::fabs(yh)), E = _mm256_set1_pd(kSegmentError);
        for (; i < n; i += 4) {
            const std::size_t m = std::min<std::size_t>(4, n - i);
            double tail[4];
            if (m < 4) { // the last one to three queries, padded with the first of them
                for (std::size_t k = 0; k < 4; ++k)
                    tail[k] = x[i + (k < m ? k : 0)];
            }
            const __m256d X = _mm256_loadu_pd(m < 4 ? tail : x + i);
            // From the nearer end: r = y0 + (x - x0) K, with no cancellation between y0 and the product
            // beyond that of the line's own values.
            const __m256d toL = Abs4(_mm256_sub_pd(X, XL)), toH = Abs4(_mm256_sub_pd(X, XH));
            const __m256d nearH = _mm256_cmp_pd(toH, toL, _CMP_LT_OQ);
            __m256d d, de;
            TwoDiff4(X, _mm256_blendv_pd(XL, XH, nearH), d, de);
            const __m256d p = _mm256_mul_pd(d, KH), pe = _mm256_fmsub_pd(d, KH, p);
            const __m256d lo = _mm256_fmadd_pd(d, KL, _mm256_fmadd_pd(de, KH, pe));
            __m256d s, se, r, delta;
            TwoSum4(_mm256_blendv_pd(YL, YH, nearH), p, s, se);
            TwoSum4(s, _mm256_add_pd(se, lo), r, delta);
            const __m256d w = _mm256_fmadd_pd(
                toH, FL,
                _mm256_fmadd_pd(toL, FH, _mm256_fmadd_pd(Abs4(p), E, _mm256_blendv_pd(EL, EH, nearH))));
            const __m256d ar = Abs4(r);
            const __m256d power = _mm256_and_pd(r, _mm256_castsi256_pd(_mm256_set1_epi64x(kExponentMask)));
            const __m256d onPower = _mm256_castsi256_pd(_mm256_cmpeq_epi64(
                _mm256_castpd_si256(_mm256_and_pd(r, _mm256_castsi256_pd(_mm256_set1_epi64x(kMantissaMask)))),
                _mm256_setzero_si256()));
            const __m256d h = _mm256_mul_pd(
                power, _mm256_blendv_pd(_mm256_set1_pd(0x1p-53), _mm256_set1_pd(0x1p-54), onPower));
            __m256d ok = _mm256_cmp_pd(ar, _mm256_set1_pd(kResultMin), _CMP_GE_OQ);
            ok = _mm256_and_pd(ok, _mm256_cmp_pd(ar, _mm256_set1_pd(kResultMax), _CMP_LE_OQ));
            ok = _mm256_and_pd(ok, _mm256_cmp_pd(_mm256_add_pd(Abs4(delta), w), h, _CMP_LT_OQ));
            int slow = (_mm256_movemask_pd(ok) ^ 0xf) & ((1 << m) - 1);
            if (slow == 0 && m == 4) {
                _mm256_storeu_pd(y + i, r);
                continue;
            }
            double lanes[4];
            _mm256_storeu_pd(lanes, r);
            while (slow != 0) {
                const int k = __builtin_ctz(static_cast<unsigned>(slow));
                lanes[k] = Slow(xl, yl, xh, yh, x[i + k], fallbacks);
                slow &= slow - 1;
            }
            std::memcpy(y + i, lanes, m * sizeof(double));
        }
    }
    for (; i < n; ++i)
        y[i] = LineFma(xl, yl, xh, yh, x[i], fallbacks);
    return fallbacks;
}

#endif // VYMATH_LAGRANGE_X86

std::size_t LinesWide(const double* xl, const double* yl, const double* xh, const double* yh, const double* x,
                      double* y, std::size_t n) {
    std::size_t fallbacks = 0;
    for (std::size_t i = 0; i < n; ++i) {
        fallbacks += xl[i] == xh[i] ? 0 : 1;
        y[i] = LagrangeLineWide(xl[i], yl[i], xh[i], yh[i], x[i]);
    }
    return fallbacks;
}

std::size_t SegmentWide(double xl, double yl, double xh, double yh, const double* x, double* y,
                        std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        y[i] = LagrangeLineWide(xl, yl, xh, yh, x[i]);
    return xl == xh ? 0 : n;
}

} // namespace
} // namespace detail
} // namespace vymath

#ifdef VYMATH_LAGRANGE_X86

// The code paths are chosen once, when the library is loaded (GNU indirect functions). A resolver runs
// while relocations are applied, before any sanitizer runtime is ready: it is never instrumented.
#if defined(__clang__)
#define VYMATH_RESOLVER                                                                                      \
    __attribute__((visibility("hidden"), no_sanitize("address", "undefined", "thread", "coverage")))
#else
#define VYMATH_RESOLVER                                                                                      \
    __attribute__((visibility("hidden"), no_sanitize("address", "undefined", "thread"), no_sanitize_coverage))
#endif

extern "C" {
using VyMathLinesFn = std::size_t (*)(const double*, const double*, const double*, const double*,
                                      const double*, double*, std::size_t);
using VyMathSegmentFn = std::size_t (*)(double, double, double, double, const double*, double*, std::size_t);

VYMATH_RESOLVER VyMathLinesFn vymath_resolve_lagrange_lines() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") ? vymath::detail::LinesAvx2Loop
                                                                           : vymath::detail::LinesWide;
}

VYMATH_RESOLVER VyMathSegmentFn vymath_resolve_lagrange_segment() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") ? vymath::detail::SegmentAvx2
                                                                           : vymath::detail::SegmentWide;
}
}

namespace vymath {
namespace detail {

std::size_t LagrangeLines(const double* xl, const double* yl, const double* xh, const double* yh,
                          const double* x, double* y, std::size_t n)
    __attribute__((ifunc("vymath_resolve_lagrange_lines")));

std::size_t LagrangeSegment(double xl, double yl, double xh, double yh, const double* x, double* y,
                            std::size_t n) __attribute__((ifunc("vymath_resolve_lagrange_segment")));

} // namespace detail
} // namespace vymath

#else

namespace vymath {
namespace detail {

std::size_t LagrangeLines(const double* xl, const double* yl, const double* xh, const double* yh,
                          const double* x, double* y, std::size_t n) {
    return LinesWide(xl, yl, xh, yh, x, y, n);
}

std::size_t LagrangeSegment(double xl, double yl, double xh, double yh, const double* x, double* y,
                            std::size_t n) {
    return SegmentWide(xl, yl, xh, yh, x, y, n);
}

} // namespace detail
} // namespace vymath

#endif
