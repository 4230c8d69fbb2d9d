// Tolerances, range, lookup and evaluation of CVyMathFunction1D.
#include "vymath/CVyMathFunction1D.h"

#include "function1d/Search.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

using vymath::detail::Tolerant;

using vymath::detail::IsNaN;
using vymath::detail::kOpenEnd;
using vymath::detail::View;

// ---- Tolerances, range, lookup ----------------------------------------------------------------

void CVyMathFunction1D::SetXtolerance(double t) {
    if (!IsNaN(t))
        Xtolerance = t;
}

void CVyMathFunction1D::SetYtolerance(double t) {
    if (!IsNaN(t))
        Ytolerance = t;
}

double CVyMathFunction1D::GetXtolerance() {
    return Xtolerance;
}

double CVyMathFunction1D::GetYtolerance() {
    return Ytolerance;
}

void CVyMathFunction1D::GetFullRange(double& xmin_, double& xmax_) const {
    xmin_ = xmin;
    xmax_ = xmax;
}

int CVyMathFunction1D::GetNumberElement() const {
    int n = static_cast<int>(points.size());
    if (n < 2)
        return n;
    if (Tolerant::Equal(xmin, -kOpenEnd, Xtolerance))
        --n;
    if (Tolerant::Equal(xmax, kOpenEnd, Xtolerance))
        --n;
    return n;
}

bool CVyMathFunction1D::Find(double x) {
    return vymath::detail::FirstWithin(View(*this), x, Xtolerance) < points.size();
}

void CVyMathFunction1D::Find(double x, int& lo, int& hi) const {
    vymath::detail::Bracket(View(*this), x, lo, hi);
}

bool CVyMathFunction1D::GetOrdinate(double x, double& y) const {
    return vymath::detail::Evaluate(View(*this), x, y);
}

// ---- Definedness and replacement --------------------------------------------------------------

bool vymath::detail::DefinedAt(const CVyMathFunction1D& f, double x) {
    const Access::PointArray& points = Access::Points(f);
    const double tol = Access::Xtolerance(f);
    if (points.empty())
        return false;
    if (Tolerant::Smaller(x, points.front().x, tol))
        return false;
    if (Tolerant::Greater(x, points.back().x, tol))
        return false;
    for (double j : Access::Jumps(f))
        if (InJumpWindow(x, j, tol))
            return false;
    return true;
}

bool CVyMathFunction1D::IsDefined(double x) {
    return vymath::detail::DefinedAt(*this, x);
}

namespace {

using vymath::detail::CurveView;

const double kNone = std::numeric_limits<double>::quiet_NaN(); // no run: no query compares within

// The next double toward +inf of a finite v below DBL_MAX (toward -inf: -Above(-v)).
double Above(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof v);
    if (v == 0.0)
        bits = 1; // the smallest subnormal, from either zero
    else if (v > 0.0)
        ++bits;
    else
        --bits;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}
double Below(double v) {
    return -Above(-v);
}

// Locate for increasing finite queries on sorted points (n >= 2, finite tolerance and range; any view
// may construct it, only those may use it): the count of points passed (p + tol < x) follows the
// queries, kProbes points at a time, galloping beyond. The same tests in the same order as Locate,
// with that count for Bracket's.
class SortedCursor {
public:
    explicit SortedCursor(const CurveView& c) : c(c), last(static_cast<int>(c.n) - 1) {
        // [inner, outer]: the queries that are on neither end nor out of range (tol > 0). Each test is
        // monotonic in x: from where it holds (a few ulps from the rounded bound) it holds onwards.
        const double tol = c.tol;
        if (!(tol > 0.0) || c.n < 2)
            return;
        const auto lowOk = [&](double x) { return x - c.xs[0] >= tol && !(x + tol < c.xmin); };
        const auto highOk = [&](double x) { return x - c.xs[last] <= -tol && !(c.xmax + tol < x); };
        double lo = std::max(c.xs[0] + tol, c.xmin - tol), hi = std::min(c.xs[last] - tol, c.xmax + tol);
        for (int k = 0; k < kSteps && !lowOk(lo); ++k)
            lo = Above(lo);
        for (int k = 0; k < kSteps && !highOk(hi); ++k)
            hi = Below(hi);
        if (lowOk(lo) && highOk(hi))
            inner = lo, outer = hi;
    }

    // Starts again at x: the count of points passed, by bisection.
    void Restart(double x) {
        const double tol = c.tol;
        a = vymath::detail::PartitionPoint(
            c.xs, 0, c.n, [x, tol](double p) { return p + tol < x; }, c.ys);
    }

    // Locate(c, x, lo, hi) for a finite x not below the previous one (or than the one restarted at).
    bool Locate(double x, int& lo, int& hi) {
        const double tol = c.tol;
        if (a + kProbes <= c.n) { // the next points at once, without a branch on each
            std::size_t passed = 0;
            for (std::size_t k = 0; k < kProbes; ++k)
                passed += c.xs[a + k] + tol < x ? 1 : 0;
            a += passed;
            if (passed == kProbes)
                Gallop(x);
        } else {
            Gallop(x);
        }
        if (x >= inner && x <= outer) // off both ends and in range
            return vymath::detail::BracketFromCount(c, x, a, lo, hi) || Bisect(x, lo, hi);
        if (x + tol < c.xmin || c.xmax + tol < x)
            return false;
        if (std::fabs(x - c.xs[0]) < tol) {
            lo = hi = 0;
            return true;
        }
        if (std::fabs(x - c.xs[last]) < tol) {
            lo = hi = last;
            return true;
        }
        if (x == c.xs[0] || x == c.xs[last]) {
            lo = hi = x == c.xs[0] ? 0 : last;
            return true;
        }
        return vymath::detail::BracketFromCount(c, x, a, lo, hi) || Bisect(x, lo, hi);
    }

    // After Locate(q) (q the last query located): the largest abscissa u such that every x in [q, u]
    // gives the bracket (a - 1, a) by the same tests, or a NaN where none is known. For x in [q, u],
    // with tol > 0 and 1 <= a <= n - 1: the points below a stay passed (p + tol < q <= x), a itself is
    // not (u < xs[a]), x - xs[a] <= u - xs[a] <= -tol (not on the point, BracketFromCount's common
    // case), x - xs[0] >= q - xs[0] >= tol and x - xs[last] <= -tol (not on an end), and x stays in
    // range. Each difference is monotonic in x, so checking it at q or u settles it for all x.
    double RunEnd(double q) const {
        const double tol = c.tol;
        if (!(tol > 0.0) || a == 0 || a >= c.n || !(q - c.xs[0] >= tol))
            return kNone;
        const double xa = c.xs[a];
        double u = xa - tol;
        for (int down = 0; !(u - xa <= -tol) && down < kSteps; ++down)
            u = Below(u);
        if (!(u - xa <= -tol))
            return kNone;
        u = std::max(u, q); // q itself gave that bracket
        if (!(u - c.xs[last] <= -tol) || c.xmax + tol < u)
            return kNone;
        return u;
    }
    std::size_t Passed() const { return a; }

private:
    void Gallop(double x) {
        const double tol = c.tol;
        std::size_t step = 1;
        while (a + step <= c.n && c.xs[a + step - 1] + tol < x) {
            a += step;
            step *= 2;
        }
        a = vymath::detail::PartitionPoint(c.xs, a, a + step <= c.n ? a + step - 1 : c.n,
                                           [x, tol](double p) { return p + tol < x; });
    }
    bool Bisect(double x, int& lo, int& hi) const {
        lo = 0;
        hi = last;
        vymath::detail::BisectLiteral(c, x, lo, hi);
        return true;
    }

    static constexpr std::size_t kProbes = 4; // points tested at once: most sorted queries pass fewer
    static constexpr int kSteps = 4;          // a rounded bound is within an ulp or two of the exact one
    const CurveView& c;
    const int last;
    std::size_t a = 0;
    double inner = DBL_MAX, outer = -DBL_MAX; // empty unless tol > 0
};

// Queries to interpolate together: their lines and where each value goes.
class Pending {
public:
    explicit Pending(double* y) : out(y) {}
    ~Pending() { Flush(); }
    void Add(double xl, double yl, double xh, double yh, double x, std::size_t i) {
        xls[m] = xl, yls[m] = yl, xhs[m] = xh, yhs[m] = yh, xs[m] = x, at[m] = i;
        if (++m == kBlock)
            Flush();
    }
    void Flush() {
        vymath::detail::LagrangeLines(xls, yls, xhs, yhs, xs, xs, m);
        for (std::size_t k = 0; k < m; ++k)
            out[at[k]] = xs[k];
        m = 0;
    }

private:
    static constexpr std::size_t kBlock = 256; // the block's arrays stay in the L1 cache
    double* out;
    double xls[kBlock], yls[kBlock], xhs[kBlock], yhs[kBlock], xs[kBlock];
    std::size_t at[kBlock];
    std::size_t m = 0;
};

} // namespace

std::size_t CVyMathFunction1D::GetOrdinates(const double* x, double* y, std::size_t n) const {
    if (x == nullptr || y == nullptr)
        return 0;
    return vymath::detail::EvaluateAll(View(*this), x, y, n);
}

std::size_t vymath::detail::EvaluateAll(const CurveView& view, const double* x, double* y, std::size_t n,
                                        bool* found) {
    // Each query is located, then interpolated with others: a run of queries within one segment's
    // common case together on that line, the others in blocks (a query that fails as a line through
    // one abscissa with the NaN as its value).
    // Increasing queries after this many follow the hint (gallop); fewer are searched afresh.
    constexpr std::size_t kRunToGallop = 4;
    // Runs this long go through the one-line kernel (its setup costs about one query's work).
    constexpr std::size_t kMinRun = 3;
    std::size_t count = 0;
    using vymath::detail::IsFinite;
    // Sorted points with finite ends and tolerance: increasing queries take the cursor.
    const bool cursor =
        view.sorted && view.n >= 2 && IsFinite(view.tol) && IsFinite(view.xmin) && IsFinite(view.xmax);
    SortedCursor sorted(view);
    Pending pending(y);
    double previous = -DBL_MAX;          // the cursor's last query
    double runFrom = 0.0, runTo = kNone; // the queries in [runFrom, runTo] share the bracket (a - 1, a)
    std::size_t runA = 0;
    vymath::detail::SweepHint hint;
    std::size_t run = 0; // queries in increasing order so far: a run of them follows the hint
    for (std::size_t i = 0; i < n;) {
        const double q = x[i];
        if (q >= runFrom && q <= runTo) {
            std::size_t j = i + 1;
            while (j < n && x[j] >= runFrom && x[j] <= runTo)
                ++j;
            const double xl = view.xs[runA - 1], yl = view.ys[runA - 1], xh = view.xs[runA],
                         yh = view.ys[runA];
            if (j - i >= kMinRun) {
                vymath::detail::LagrangeSegment(xl, yl, xh, yh, x + i, y + i, j - i);
            } else {
                for (std::size_t k = i; k < j; ++k)
                    pending.Add(xl, yl, xh, yh, x[k], k);
            }
            count += j - i;
            if (found != nullptr)
                std::fill(found + i, found + j, true);
            previous = std::max(previous, x[j - 1]);
            i = j;
            continue;
        }
        int lo, hi;
        bool at;
        runTo = kNone;
        if (cursor && q - q == 0.0) {
            run = q >= previous ? run + 1 : 0;
            if (run < kRunToGallop) // not yet a run of increasing queries: searched afresh
                sorted.Restart(q);
            previous = q;
            at = sorted.Locate(q, lo, hi);
            // The kMinRun-th query from here on the same segment: a run starts at q.
            const std::size_t ahead = i + kMinRun - 1;
            if (at && lo + 1 == hi && ahead < n && x[ahead] >= q && x[ahead] < view.xs[hi]) {
                runTo = sorted.RunEnd(q);
                runFrom = q;
                runA = sorted.Passed();
                if (q <= runTo)
                    continue; // taken with the run
            }
        } else {
            run = i > 0 && q >= x[i - 1] ? run + 1 : 0;
            at = vymath::detail::Locate(view, q, lo, hi, &hint, run >= kRunToGallop);
        }
        if (at) {
            if (lo == hi)
                pending.Add(0.0, view.ys[lo], 0.0, 0.0, q, i); // the point's own ordinate
            else
                pending.Add(view.xs[lo], view.ys[lo], view.xs[hi], view.ys[hi], q, i);
            ++count;
        } else {
            pending.Add(0.0, CVyMath::dfNAN, 0.0, 0.0, q, i);
        }
        if (found != nullptr)
            found[i] = at;
        ++i;
    }
    return count;
}
