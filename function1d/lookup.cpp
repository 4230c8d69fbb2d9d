// Tolerances, range, lookup and evaluation of CVyMathFunction1D.
#include "vymath/CVyMathFunction1D.h"

#include "function1d/Function1DInternal.h"

#include <algorithm>

using vymath::detail::Tolerant;

using vymath::detail::IsNaN;
using vymath::detail::kOpenEnd;

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

vymath::detail::CurveView CVyMathFunction1D::View() const {
    return {points.X(), points.Y(), points.size(), points.Sorted(), xmin, xmax, Xtolerance};
}

bool CVyMathFunction1D::Find(double x) {
    return vymath::detail::FirstWithin(View(), x, Xtolerance) < points.size();
}

void CVyMathFunction1D::Find(double x, int& lo, int& hi) const {
    vymath::detail::Bracket(View(), x, lo, hi);
}

bool CVyMathFunction1D::GetOrdinate(double x, double& y) const {
    return vymath::detail::Evaluate(View(), x, y);
}

// ---- Definedness and replacement --------------------------------------------------------------

bool CVyMathFunction1D::DefinedAt(double x) const {
    if (points.empty())
        return false;
    if (Tolerant::Smaller(x, points.front().x, Xtolerance))
        return false;
    if (Tolerant::Greater(x, points.back().x, Xtolerance))
        return false;
    for (double j : jumpAbscissas)
        if (vymath::detail::InJumpWindow(x, j, Xtolerance))
            return false;
    return true;
}

bool CVyMathFunction1D::IsDefined(double x) {
    return DefinedAt(x);
}

namespace {

using vymath::detail::CurveView;

// Locate for increasing finite queries on sorted points (n >= 2, finite tolerance and range): the
// count of points passed (p + tol < x) follows the queries, a step at a time, galloping beyond
// kWalk steps. The same tests in the same order as Locate, with that count for Bracket's.
class SortedCursor {
public:
    explicit SortedCursor(const CurveView& c) : c(c), last(static_cast<int>(c.n) - 1) {}

    // Starts again at x: the count of points passed by bisection.
    void Restart(double x) {
        const double tol = c.tol;
        a = vymath::detail::PartitionPoint(c.xs, 0, c.n, [x, tol](double p) { return p + tol < x; }, c.ys);
    }

    // Locate(c, x, lo, hi) for a finite x not below the previous one (or than the one restarted at).
    bool Locate(double x, int& lo, int& hi) {
        const double tol = c.tol;
        std::size_t walked = 0;
        while (a < c.n && c.xs[a] + tol < x && walked < kWalk)
            ++a, ++walked;
        if (walked == kWalk) {
            std::size_t step = 1;
            while (a + step <= c.n && c.xs[a + step - 1] + tol < x) {
                a += step;
                step *= 2;
            }
            a = vymath::detail::PartitionPoint(c.xs, a, a + step <= c.n ? a + step - 1 : c.n,
                                               [x, tol](double p) { return p + tol < x; });
        }
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
        if (vymath::detail::BracketFromCount(c, x, a, lo, hi))
            return true;
        lo = 0;
        hi = last;
        vymath::detail::BisectLiteral(c, x, lo, hi);
        return true;
    }

private:
    static constexpr std::size_t kWalk = 8; // sparser queries gallop: O(log distance) a query
    const CurveView& c;
    const int last;
    std::size_t a = 0;
};

} // namespace

std::size_t CVyMathFunction1D::GetOrdinates(const double* x, double* y, std::size_t n) const {
    if (x == nullptr || y == nullptr)
        return 0;
    // Queries in blocks: located one by one, then interpolated together. A query that fails becomes a
    // line through one abscissa with the NaN as its value.
    constexpr std::size_t kBlock = 256; // the block's five arrays stay in the L1 cache
    // Increasing queries after this many follow the cursor (gallop); fewer are searched afresh.
    constexpr std::size_t kRunToGallop = 4;
    double xl[kBlock], yl[kBlock], xh[kBlock], yh[kBlock], xq[kBlock];
    std::size_t found = 0;
    const CurveView view = View();
    using vymath::detail::IsFinite;
    // Sorted points with finite ends and tolerance: increasing queries take the cursor.
    const bool cursor = view.sorted && view.n >= 2 && IsFinite(view.tol) && IsFinite(view.xmin) &&
                        IsFinite(view.xmax);
    SortedCursor sorted(view);
    double previous = -DBL_MAX; // the cursor's last query
    vymath::detail::SweepHint hint;
    std::size_t run = 0; // queries in increasing order so far: a run of them follows the cursor
    for (std::size_t first = 0; first < n; first += kBlock) {
        const std::size_t m = std::min(kBlock, n - first);
        for (std::size_t k = 0; k < m; ++k) {
            const std::size_t i = first + k;
            const double q = x[i];
            xq[k] = q;
            int lo, hi;
            bool at;
            if (cursor && q - q == 0.0) {
                if (q < previous)
                    sorted.Restart(q);
                previous = q;
                at = sorted.Locate(q, lo, hi);
            } else {
                run = i > 0 && q >= x[i - 1] ? run + 1 : 0;
                at = vymath::detail::Locate(view, q, lo, hi, &hint, run >= kRunToGallop);
            }
            if (at) {
                xl[k] = view.xs[lo], yl[k] = view.ys[lo], xh[k] = view.xs[hi], yh[k] = view.ys[hi];
                if (lo == hi)
                    xl[k] = xh[k] = 0.0; // the point's own ordinate, whatever its abscissa is
                ++found;
            } else {
                xl[k] = xh[k] = 0.0, yl[k] = CVyMath::dfNAN;
            }
        }
        vymath::detail::LagrangeLines(xl, yl, xh, yh, xq, y + first, m);
    }
    return found;
}
