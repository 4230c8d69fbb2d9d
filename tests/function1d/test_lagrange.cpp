// LagrangeLines and LagrangeSegment against their extended-precision definition, bit for bit, on random
// lines of every scale and on queries built to land next to a midpoint between two doubles.
// VYMATH_LAGRANGE_QUERIES sets the number of queries (10^7 by default; the long run takes 10^9).
#include "function1d/Lagrange.h"
#include "function1d/Search.h"

#include "TestSupport.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>

namespace {

using vymath::detail::LagrangeLines;
using vymath::detail::LagrangeLineWide;
using vymath::detail::LagrangeSegment;
using vymath::detail::SameBits;

struct Line {
    double xl, yl, xh, yh, x;
};

class Cases {
public:
    explicit Cases(std::uint64_t seed) : rng(seed) {}

    // One line of the kind k % 6.
    Line Next(std::uint64_t k) {
        switch (k % 6) {
        case 0: // any scales and signs
            return Around(Any(), Any(), Any(), Any());
        case 1: // ordinary data: similar scales
            return Around(Scaled(0), Scaled(0), Scaled(0), Scaled(0));
        case 2: // opposite ordinates: the terms cancel near the zero
            return Around(Scaled(0), Scaled(0), std::fabs(Scaled(0)), -std::fabs(Scaled(0)));
        case 3:
            return Sentinel();
        default:
            return NearTie();
        }
    }

private:
    double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    double Sign() { return Int(0, 1) != 0 ? 1.0 : -1.0; }
    // Any finite double: random bits, with zeros and subnormals.
    double Any() {
        std::uint64_t bits = rng();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return IsFinite(v) ? v : Sign() * Uniform(0.0, 1.0);
    }
    // A double of magnitude about 2^(spread * e) for a random e in [-1, 1].
    double Scaled(int exponentSpread) {
        const int spread = exponentSpread > 0 ? exponentSpread : Int(0, 3) == 0 ? 60 : 8;
        return Sign() * std::ldexp(Uniform(1.0, 2.0), Int(-spread, spread));
    }

public:
    // Another query on the line l of the kind k.
    double Another(const Line& l, int k) {
        if (k < 4)
            return Query(std::min(l.xl, l.xh), std::max(l.xl, l.xh));
        const double w =
            (Int(0, tieK - 1) + 0.5 + Int(-24, 24) * 0x1p-13 + Uniform(-1.0, 1.0) * 0x1p-40) / tieK;
        const double x = tieXl + w * (tieXh - tieXl);
        return std::isfinite(x) ? x : l.x;
    }

private:
    // The query: inside, beside an end by a few ulps, or beyond the segment.
    Line Around(double xl, double xh, double yl, double yh) {
        if (xl > xh)
            std::swap(xl, xh);
        const double x = Query(xl, xh);
        return Int(0, 1) != 0 ? Line{xl, yl, xh, yh, x} : Line{xh, yh, xl, yl, x};
    }
    double Query(double xl, double xh) {
        double x;
        switch (Int(0, 4)) {
        case 0:
            x = xl + (xh - xl) * Uniform(0.0, 1.0);
            break;
        case 1:
            x = Step(xl, Int(-4, 4));
            break;
        case 2:
            x = Step(xh, Int(-4, 4));
            break;
        case 3:
            x = xl + (xh - xl) * Uniform(-3.0, 4.0);
            break;
        default:
            x = Any();
        }
        return IsFinite(x) ? x : xl;
    }
    static double Step(double v, int ulps) {
        for (; ulps > 0; --ulps)
            v = std::nextafter(v, kInf);
        for (; ulps < 0; ++ulps)
            v = std::nextafter(v, -kInf);
        return v;
    }
    // A segment ending at the DBL_MAX sentinel, or with a DBL_MAX ordinate.
    Line Sentinel() {
        const double a = Scaled(0), b = a + std::fabs(Scaled(0));
        switch (Int(0, 3)) {
        case 0:
            return Around(-DBL_MAX, a, Scaled(0), Scaled(0));
        case 1:
            return Around(b, DBL_MAX, Scaled(0), Scaled(0));
        case 2:
            return Around(a, b, Sign() * DBL_MAX, Scaled(0));
        default:
            return Around(-DBL_MAX, DBL_MAX, Sign() * DBL_MAX, Sign() * DBL_MAX);
        }
    }
    // yl = D, yh = D + K ulp(D) over [xl, xl + L]: at w = (j + 1/2 + e) / K of the way the value is
    // D + (j + 1/2 + e) ulp(D), e ulp(D) from a midpoint; e spans a few extended ulps (2^-11 ulp(D)).
    Line NearTie() {
        const double d = Scaled(Int(0, 1) != 0 ? 1000 : 20);
        const int K = Int(0, 1) != 0 ? Int(1, 8) : Int(1, 1 << 20);
        const double ulp = std::nextafter(std::fabs(d), kInf) - std::fabs(d);
        const double yh = d + K * ulp * Sign();
        const double e = Int(-24, 24) * 0x1p-13 + Uniform(-1.0, 1.0) * 0x1p-40;
        const double w = (Int(0, K - 1) + 0.5 + e) / K;
        const int e0 = Int(-200, 200);
        const double xl = Sign() * std::ldexp(Uniform(1.0, 2.0), e0),
                     L = std::ldexp(Uniform(1.0, 2.0), e0 + Int(-2, 2));
        const double xh = xl + L;
        tieK = K, tieXl = xl, tieXh = xh;
        Line line = Int(0, 1) != 0 ? Line{xl, d, xh, yh, xl + w * (xh - xl)}
                                   : Line{xh, yh, xl, d, xl + w * (xh - xl)};
        if (!IsFinite(line.yl) || !IsFinite(line.yh) || !IsFinite(line.x))
            return Around(xl, xh, d, d);
        return line;
    }
    static bool IsFinite(double v) { return std::isfinite(v); }

    std::mt19937_64 rng;
    int tieK = 1;
    double tieXl = 0.0, tieXh = 1.0;
};

std::uint64_t QueryCount() {
    const char* env = std::getenv("VYMATH_LAGRANGE_QUERIES");
    return env != nullptr ? std::strtoull(env, nullptr, 10) : 10000000ULL;
}

TEST(Lagrange, FastPathsGiveTheExtendedValueBitForBit) {
    constexpr std::size_t kBatch = 1021; // odd, so that the vector loop's tail is exercised
    constexpr int kKinds = 6;
    const char* const names[kKinds] = {"any", "ordinary", "cancelling", "sentinel", "near tie", "near tie"};
    const std::uint64_t total = QueryCount();
    Cases cases(20261207);
    constexpr std::size_t kRun = 7; // queries a line in LagrangeSegment
    std::vector<double> xl(kBatch), yl(kBatch), xh(kBatch), yh(kBatch), x(kBatch), y(kBatch), q(kRun),
        qy(kRun);
    std::uint64_t compared = 0, differences = 0, queries[kKinds] = {}, fallbacks[kKinds] = {};
    std::uint64_t segmentQueries[kKinds] = {}, segmentFallbacks[kKinds] = {};
    for (std::uint64_t batch = 0; compared < total; ++batch) {
        const int kind = static_cast<int>(batch % kKinds); // one kind a batch
        const std::size_t m = static_cast<std::size_t>(std::min<std::uint64_t>(kBatch, total - compared));
        for (std::size_t i = 0; i < m; ++i) {
            const Line l = cases.Next(kind);
            xl[i] = l.xl, yl[i] = l.yl, xh[i] = l.xh, yh[i] = l.yh, x[i] = l.x;
            if (i % kRun != 0)
                continue;
            // Some more queries on the same line, together.
            q[0] = l.x;
            for (std::size_t k = 1; k < kRun; ++k)
                q[k] = cases.Another(l, kind);
            segmentFallbacks[kind] += LagrangeSegment(l.xl, l.yl, l.xh, l.yh, q.data(), qy.data(), kRun);
            segmentQueries[kind] += kRun;
            for (std::size_t k = 0; k < kRun; ++k) {
                const double want = LagrangeLineWide(l.xl, l.yl, l.xh, l.yh, q[k]);
                if (!SameBits(qy[k], want) && ++differences <= 10)
                    ADD_FAILURE() << std::hexfloat << "segment xl " << l.xl << " yl " << l.yl << " xh "
                                  << l.xh << " yh " << l.yh << " x " << q[k] << ": " << qy[k] << ", want "
                                  << want;
            }
        }
        fallbacks[kind] += LagrangeLines(xl.data(), yl.data(), xh.data(), yh.data(), x.data(), y.data(), m);
        queries[kind] += m;
        for (std::size_t i = 0; i < m; ++i) {
            const double want = LagrangeLineWide(xl[i], yl[i], xh[i], yh[i], x[i]);
            if (!SameBits(y[i], want) && ++differences <= 10)
                ADD_FAILURE() << std::hexfloat << "xl " << xl[i] << " yl " << yl[i] << " xh " << xh[i]
                              << " yh " << yh[i] << " x " << x[i] << ": " << y[i] << ", want " << want;
        }
        compared += m;
    }
    EXPECT_EQ(differences, 0u);
    std::uint64_t onOneLine = 0;
    for (std::uint64_t s : segmentQueries)
        onOneLine += s;
    std::printf("%llu lines (LagrangeLines) and %llu queries on one line (LagrangeSegment, %zu "
                "a line) compared: %llu differences\n",
                static_cast<unsigned long long>(compared), static_cast<unsigned long long>(onOneLine), kRun,
                static_cast<unsigned long long>(differences));
    for (int k = 0; k < kKinds - 1; ++k) { // the near ties are two kinds
        const auto rate = [k](const std::uint64_t* part, const std::uint64_t* all) {
            const double whole = static_cast<double>(all[k] + (k == 4 ? all[5] : 0));
            return 100.0 * static_cast<double>(part[k] + (k == 4 ? part[5] : 0)) / std::max(1.0, whole);
        };
        std::printf("  %-10s fell back: lines %.3g%%, on one line %.3g%%\n", names[k],
                    rate(fallbacks, queries), rate(segmentFallbacks, segmentQueries));
    }
}

// The special cases of the definition, each through both entry points.
TEST(Lagrange, SpecialCasesAsDefined) {
    const Line lines[] = {
        {1.0, 2.0, 1.0, 5.0, 7.0},           // one abscissa twice: yl
        {-0.0, 2.0, 0.0, 5.0, 7.0},          // signed zeros are one abscissa
        {0.0, 0.0, 1.0, 0.0, 0.5},           // a zero value keeps its sign
        {0.0, -0.0, 1.0, -0.0, 0.5},         //
        {0.0, 1.0, 1.0, -1.0, 0.5},          // an exact zero from two cancelling terms
        {-DBL_MAX, 3.0, 1.0, 4.0, 0.0},      // the sentinel abscissa
        {0.0, DBL_MAX, 1.0, DBL_MAX, 2.0},   // beyond DBL_MAX: clamped
        {0.0, -DBL_MAX, 1.0, -DBL_MAX, 2.0}, //
        {0.0, 1e-320, 1.0, 3e-320, 0.25},    // subnormal values
        {0.0, 1.0, 1.0, 2.0, kNaN},          // NaN and infinite arguments
        {0.0, 1.0, 1.0, 2.0, kInf},          {kNaN, 1.0, 1.0, 2.0, 0.5}, {0.0, kInf, 1.0, 2.0, 0.5},
    };
    for (const Line& l : lines) {
        const double want = LagrangeLineWide(l.xl, l.yl, l.xh, l.yh, l.x);
        const double xs[4] = {l.x, l.x, l.x, l.x};
        double batch, segment[4];
        LagrangeLines(&l.xl, &l.yl, &l.xh, &l.yh, &l.x, &batch, 1);
        LagrangeSegment(l.xl, l.yl, l.xh, l.yh, xs, segment, 4);
        EXPECT_TRUE(SameBits(batch, want)) << l.xl << " " << l.x;
        EXPECT_TRUE(SameBits(segment[0], want) && SameBits(segment[3], want)) << l.xl << " " << l.x;
    }
}

} // namespace

namespace {

// GetOrdinate and GetOrdinates (runs on one segment, the cursor, the blocks) against Evaluate, one
// query at a time, on the same points, at random queries and at each point, each point +- tol
// and a few ulps beside those: the boundaries of every test the searches make.
void ExpectSameAsPlainSearch(F& f, std::mt19937_64& rng, const char* step) {
    SCOPED_TRACE(step);
    const auto points = f.GetPoints();
    std::vector<double> xs, ys, q;
    for (const auto& p : points)
        xs.push_back(p.x), ys.push_back(p.y);
    double xmin, xmax;
    f.GetFullRange(xmin, xmax);
    const double tol = f.GetXtolerance();
    const vymath::detail::CurveView plain{xs.data(), ys.data(), xs.size(), true, xmin, xmax, tol};
    std::uniform_real_distribution<double> u(xmin - 1.0, xmax + 1.0);
    for (int k = 0; k < 3000; ++k)
        q.push_back(u(rng));
    for (double p : xs)
        for (double b : {p - tol, p, p + tol})
            for (int s = -2; s <= 2; ++s)
                q.push_back(s < 0 ? std::nextafter(b, -kInf) : s > 0 ? std::nextafter(b, kInf) : b);
    std::sort(q.begin(), q.end());
    std::vector<double> batch(q.size()), shuffled = q, shuffledBatch(q.size());
    std::shuffle(shuffled.begin(), shuffled.end(), rng);
    f.GetOrdinates(q.data(), batch.data(), q.size());
    f.GetOrdinates(shuffled.data(), shuffledBatch.data(), q.size());
    int wrong = 0;
    const auto expect = [&](double x, double got, bool gotFound) {
        double want = kNaN;
        const bool found = vymath::detail::Evaluate(plain, x, want);
        if ((found != gotFound || (found && !SameBits(got, want))) && ++wrong <= 5)
            ADD_FAILURE() << std::hexfloat << "x " << x << ": " << got << ", want " << want;
    };
    for (std::size_t k = 0; k < q.size(); ++k) {
        double y = kNaN;
        const bool found = f.GetOrdinate(q[k], y);
        expect(q[k], y, found);
        expect(q[k], batch[k], !std::isnan(batch[k]));
        expect(shuffled[k], shuffledBatch[k], !std::isnan(shuffledBatch[k]));
    }
}

TEST(Evaluation, SearchesFollowEveryChangeOfThePoints) {
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> x(0.0, 1000.0), y(-5.0, 5.0);
    F f(0.0, 1000.0, 0);
    for (int k = 0; k < 600; ++k) // insertions anywhere
        f.Set(x(rng), y(rng));
    ExpectSameAsPlainSearch(f, rng, "inserted in random order");
    for (int k = 0; k < 150; ++k) {
        const auto points = f.GetPoints();
        f.Remove(points[std::uniform_int_distribution<std::size_t>(0, points.size() - 1)(rng)].x);
    }
    ExpectSameAsPlainSearch(f, rng, "removed");
    f.ScaleOnX(0.37);
    ExpectSameAsPlainSearch(f, rng, "scaled");
    F g(f);
    for (int k = 1; k <= 200; ++k) // appended
        g.Set(370.0 + k * 0.5, y(rng));
    ExpectSameAsPlainSearch(g, rng, "copied, then appended");
    F h(0.0, 1.0, 0);
    h.SetXtolerance(0.02); // points closer than two tolerances
    for (int k = 0; k < 100; ++k)
        h.Set(k * 0.03, y(rng));
    ExpectSameAsPlainSearch(h, rng, "tolerance wider than half the spacing");
}

} // namespace
