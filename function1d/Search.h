// The searches on a function's point arrays: where a query lies among the stored points, evaluation
// one query or many at a time, and where the function is defined. Not installed, not exported.
//
// Every search here gives exactly what the tolerant walk or bisection of its operation gives. Their
// fast forms need sorted points (finite abscissas in increasing order, PointArray::Sorted) and a
// finite query; there the tolerant comparisons reduce to their finite rule (for instance
// Greater(x, p, tol) is p + tol < x) and a predicate that holds for a prefix of the points is found by
// binary search. Elsewhere they fall back on the literal algorithm.
#ifndef VYMATH_FUNCTION1D_SEARCH_H
#define VYMATH_FUNCTION1D_SEARCH_H

#include "vymath/CVyMathFunction1D.h"

#include "foundation/Access.h"
#include "foundation/VyMathInternal.h"
#include "function1d/Lagrange.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <vector>

namespace vymath {
namespace detail {

// What the searches read of a function.
struct CurveView {
    const double* xs;
    const double* ys;
    std::size_t n;
    bool sorted;
    double xmin, xmax, tol;
};

// What the searches read of f: its point arrays, their order, the domain and Xtolerance.
inline CurveView View(const CVyMathFunction1D& f) {
    const Access::PointArray& p = Access::Points(f);
    return {p.X(), p.Y(), p.size(), p.Sorted(), Access::Xmin(f), Access::Xmax(f), Access::Xtolerance(f)};
}

// Arrays longer than this (128 KiB of abscissas) outgrow the L1 and L2 caches' share of a search: its
// probes are fetched ahead.
constexpr std::size_t kPrefetchAbove = 16384;
// Within the last this many points (8 KiB) the ordinates the caller reads next are fetched too.
constexpr std::size_t kPrefetchCompanionWithin = 1024;

// The first index in [first, last) where pred fails, pred holding for a prefix. Branch-free halving;
// on long arrays both possible next probes are fetched ahead.
template <typename Pred>
std::size_t PartitionPoint(const double* xs, std::size_t first, std::size_t last, Pred pred,
                           const double* companion = nullptr) {
    std::size_t len = last - first;
    if (len == 0)
        return first;
    const double* base = xs + first;
    if (len > kPrefetchAbove) {
        // Long arrays: both possible next probes fetched ahead, down to the last step; near the end the
        // companion array's entries there too (the ordinates to read next).
        while (len > 1) {
            const std::size_t half = len / 2, next = (len - half) / 2;
            if (companion != nullptr && len <= kPrefetchCompanionWithin) {
                __builtin_prefetch(companion + (base - xs) + next - 1);
                __builtin_prefetch(companion + (base - xs) + half + next - 1);
            }
            __builtin_prefetch(base + next - 1);
            __builtin_prefetch(base + half + next - 1);
            base = pred(base[half - 1]) ? base + half : base;
            len -= half;
        }
    }
    while (len > 1) {
        const std::size_t half = len / 2;
        base = pred(base[half - 1]) ? base + half : base;
        len -= half;
    }
    return static_cast<std::size_t>(base - xs) + (pred(*base) ? 1 : 0);
}

// The bisection of Find(x, lo, hi) as it is written: tolerant steps from (0, n - 1) that stop on a
// point within tol. Any order of points, any x.
inline void BisectLiteral(const CurveView& c, double x, int& lo, int& hi) {
    do {
        const int mid = (lo + hi) / 2;
        if (Tolerant::Greater(x, c.xs[mid], c.tol)) {
            lo = mid;
        } else if (Tolerant::Equal(x, c.xs[mid], c.tol)) {
            lo = hi = mid;
        } else {
            hi = mid;
        }
    } while (hi != lo + 1 && hi != lo);
}

// Find(x, lo, hi) from a = the number of points p with p + tol < x (those the bisection passes on
// the right), for sorted points, a finite x off both end abscissas and n >= 2. The bisection's steps
// depend on each point's class: right (p + tol < x), on x (|x - p| < tol) or left. On sorted points
// the classes come as right..., then on-x..., then left...; with at most one point on x the bisection
// meets it unless it is an end (never a midpoint), and otherwise closes on (a - 1, a). False where that
// does not settle it (two points on x, or a point exactly tol below x): the caller bisects.
inline bool BracketFromCount(const CurveView& c, double x, std::size_t a, int& lo, int& hi) {
    const std::size_t n = c.n;
    bool onPoint = false;
    if (a < n && c.tol > 0.0) {
        const double d = x - c.xs[a];
        if (std::fabs(d) < c.tol) {
            if (a + 1 < n && std::fabs(x - c.xs[a + 1]) < c.tol)
                return false;
            onPoint = true;
        } else if (!(d < c.tol)) {
            return false; // p + tol rounds to x or above while x - p >= tol: a later point may be on x
        }
    }
    const int last = static_cast<int>(n) - 1;
    if (a == 0) { // before or on the first point: the first point is never a midpoint (but for n = 2)
        lo = 0;
        hi = n >= 3 ? 1 : 0;
    } else if (a >= n - 1 && (onPoint || a == n)) { // on the last point, or beyond it
        lo = last - 1;
        hi = last;
    } else if (onPoint) {
        lo = hi = static_cast<int>(a);
    } else {
        lo = static_cast<int>(a) - 1;
        hi = static_cast<int>(a);
    }
    return true;
}

// Where a sweep stands: the count a of points passed (see BracketFromCount) for the abscissa `at`.
struct SweepHint {
    std::size_t passed = 0;
    double at = -DBL_MAX;
};

// Find(x, lo, hi) in O(log n). With a hint (sweeps) the hint moves to x, and with `gallop` a query not
// below the hint's abscissa gallops from there: O(log distance).
inline void Bracket(const CurveView& c, double x, int& lo, int& hi, SweepHint* hint = nullptr,
                    bool gallop = true) {
    const std::size_t n = c.n;
    if (n == 0) {
        lo = hi = -1;
        return;
    }
    lo = 0;
    hi = static_cast<int>(n) - 1;
    if (x == c.xs[0]) {
        hi = lo;
        return;
    }
    if (x == c.xs[n - 1]) {
        lo = hi;
        return;
    }
    if (n == 1)
        return;
    if (c.sorted && IsFinite(x)) {
        const double tol = c.tol;
        const auto right = [x, tol](double p) { return p + tol < x; };
        std::size_t a;
        if (hint != nullptr && gallop && x >= hint->at && hint->passed < n) {
            // Every point passed at the hint's abscissa is passed again: gallop, then halve the last step.
            std::size_t from = hint->passed, step = 1;
            while (from + step <= n && right(c.xs[from + step - 1])) {
                from += step;
                step *= 2;
            }
            a = PartitionPoint(c.xs, from, from + step <= n ? from + step - 1 : n, right);
        } else {
            a = PartitionPoint(c.xs, 0, n, right, c.ys);
        }
        if (hint != nullptr)
            *hint = {a, x};
        if (BracketFromCount(c, x, a, lo, hi))
            return;
        lo = 0;
        hi = static_cast<int>(n) - 1;
    }
    BisectLiteral(c, x, lo, hi);
}

// Where GetOrdinate(x, y) reads, with the search of Bracket (and its hint): false where it fails;
// otherwise the bracket (lo, hi), lo == hi on a point.
inline bool Locate(const CurveView& c, double x, int& lo, int& hi, SweepHint* hint = nullptr,
                   bool gallop = true) {
    if (c.n == 0 || IsNaN(x))
        return false;
    const double tol = c.tol;
    const int last = static_cast<int>(c.n) - 1;
    if (Tolerant::Smaller(x, c.xmin, tol) || Tolerant::Greater(x, c.xmax, tol))
        return false;
    if (Tolerant::Equal(x, c.xs[0], tol)) {
        lo = hi = 0;
        return true;
    }
    if (Tolerant::Equal(x, c.xs[last], tol)) {
        lo = hi = last;
        return true;
    }
    Bracket(c, x, lo, hi, hint, gallop);
    return true;
}

// GetOrdinate(x, y) with the search of Bracket (and its hint).
inline bool Evaluate(const CurveView& c, double x, double& y, SweepHint* hint = nullptr, bool gallop = true) {
    int lo, hi;
    if (!Locate(c, x, lo, hi, hint, gallop))
        return false;
    y = lo == hi ? c.ys[lo] : LagrangeLine(c.xs[lo], c.ys[lo], c.xs[hi], c.ys[hi], x);
    return true;
}

// GetOrdinate at each of n abscissas, bit for bit: y[i] its value, or a quiet NaN where it fails, and
// found[i] (when found is not null) whether it succeeded; returns the count found. Each query is located
// (increasing queries follow a cursor, O(n + m) for m of them; any other order costs a bisection,
// O(log n)), then interpolated with others by the batch kernels: the queries of a run within
// one segment together by LagrangeSegment, the rest by LagrangeLines. y may be x.
std::size_t EvaluateAll(const CurveView& view, const double* x, double* y, std::size_t n,
                        bool* found = nullptr);

// The first index whose abscissa equals x within tol (CVyMath::Equal), or n: the walk from the first
// point. On sorted points |x - p| < tol holds for one run, which starts at the first p with x - p < tol.
inline std::size_t FirstWithin(const CurveView& c, double x, double tol) {
    if (c.sorted && IsFinite(x)) {
        const std::size_t s = PartitionPoint(c.xs, 0, c.n, [x, tol](double p) { return !(x - p < tol); });
        return s < c.n && x - c.xs[s] > -tol ? s : c.n;
    }
    for (std::size_t i = 0; i < c.n; ++i)
        if (Tolerant::Equal(c.xs[i], x, tol))
            return i;
    return c.n;
}

// The first index whose abscissa p has not Greater(x, p, tol) (the walk `while Greater(x, p) ++i`).
inline std::size_t FirstNotBelow(const CurveView& c, double x, double tol) {
    if (c.sorted && IsFinite(x))
        return PartitionPoint(c.xs, 0, c.n, [x, tol](double p) { return p + tol < x; });
    std::size_t i = 0;
    while (i < c.n && Tolerant::Greater(x, c.xs[i], tol))
        ++i;
    return i;
}

// Sequential evaluation, as GetOrdinate gives it: a query not below the last one searched continues from
// where that one ended (O(n + m) for m increasing queries on n points); any other costs a bisection.
class Sweep {
public:
    explicit Sweep(const CurveView& c) : view(c) {}
    bool At(double x, double& y) { return Evaluate(view, x, y, &hint); }

private:
    CurveView view;
    SweepHint hint;
};

// x lies strictly inside the window (j - tol, j + tol) of the jump at j.
inline bool InJumpWindow(double x, double j, double tol) {
    return Tolerant::Greater(x, j - tol, 0.0) && Tolerant::Smaller(x, j + tol, 0.0);
}

// Among sorted finite jumps, the one whose window holds a non-NaN x, or null. The window bounds
// j - tol and j + tol both increase with j, so only the last jump whose lower bound x passes can hold it.
inline const double* WindowAround(const std::vector<double>& sortedJumps, double tol, double x) {
    const std::size_t p = std::partition_point(sortedJumps.begin(), sortedJumps.end(),
                                               [x, tol](double j) { return j - tol < x; }) -
                          sortedJumps.begin();
    return p > 0 && x < sortedJumps[p - 1] + tol ? &sortedJumps[p - 1] : nullptr;
}

// IsDefined for many queries on one function: its jump abscissas sorted once, so that a query costs
// O(log J) instead of a pass over the J jumps (a window test is j - tol < x < j + tol for a non-NaN x).
class Definedness {
public:
    Definedness(const CurveView& c, const std::vector<double>& jumps) : view(c), sorted(jumps) {
        literal = !IsFinite(c.tol) || !std::all_of(jumps.begin(), jumps.end(), IsFinite);
        if (!literal)
            std::sort(sorted.begin(), sorted.end());
    }
    bool At(double x) const {
        if (view.n == 0)
            return false;
        const double tol = view.tol;
        if (Tolerant::Smaller(x, view.xs[0], tol) || Tolerant::Greater(x, view.xs[view.n - 1], tol))
            return false;
        if (literal) {
            for (double j : sorted)
                if (InJumpWindow(x, j, tol))
                    return false;
            return true;
        }
        return IsNaN(x) || WindowAround(sorted, tol, x) == nullptr; // no window holds a NaN
    }

private:
    CurveView view;
    std::vector<double> sorted;
    bool literal; // non-finite jumps or tolerance: the windows one by one
};

// IsDefined(x) of f for const callers: x lies within the stored points (Xtolerance) and not strictly
// inside a jump window. False for an empty function. O(n + J), n points and J jumps.
bool DefinedAt(const CVyMathFunction1D& f, double x);

} // namespace detail
} // namespace vymath

#endif // VYMATH_FUNCTION1D_SEARCH_H
