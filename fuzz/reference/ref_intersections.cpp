// Reference: Crossings of two RefFunction1D and the envelope of one function through its extrema.
#include "RefFunction1D.h"

#include "RefInternal.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <list>
#include <vector>

using ref::detail::IsFinite;

namespace {

constexpr double kMergeTolerance = 1e-10;
constexpr double kCrossingThreshold = 0.001;

// Inserts x into the increasing list unless an entry lies within the merge tolerance of it.
void MergeAbscissa(std::list<double>& merged, double x) {
    auto it = merged.begin();
    while (it != merged.end() && ref::Smaller(*it, x, kMergeTolerance))
        ++it;
    if (it != merged.end() && ref::Equal(*it, x, kMergeTolerance))
        return;
    merged.insert(it, x);
}

// Zero of the line through (xa, fa - ga) and (xb, fb - gb). When the double form overflows (differences
// of ordinates next to +-DBL_MAX), the differences and the quotient are formed with wide intermediates;
// the result is kept inside [xa, xb].
double CrossingAbscissa(double xa, double fa, double ga, double xb, double fb, double gb) {
    const double da = fa - ga;
    const double db = fb - gb;
    const double xi = (xa * db - xb * da) / (db - da);
    if (IsFinite(xi))
        return xi;
    using W = long double;
    const W wa = W(fa) - ga, wb = W(fb) - gb;
    const W w = (W(xa) * wb - W(xb) * wa) / (wb - wa);
    const W lo = xa < xb ? xa : xb, hi = xa < xb ? xb : xa;
    return static_cast<double>(w < lo ? lo : (w > hi ? hi : w));
}

} // namespace

int RefFunction1D::GetIntersectionAbscissas(RefFunction1D* other, PointList& result) {
    result.ResetCursor();
    double lastX, lastY;
    if (other == nullptr || points.empty() || other->points.empty())
        return result.GetLast(lastX, lastY) ? 1 : 0;

    RefFunction1D& f = *this;
    RefFunction1D& g = *other;

    // This function's abscissas in storage order; a closed curve's are sorted first (entries within
    // the merge tolerance of their predecessor dropped), so that the list is always increasing.
    std::list<double> merged;
    const bool increasing = std::is_sorted(points.begin(), points.end(),
                                           [](const Point& a, const Point& b) { return a.x < b.x; });
    if (increasing) {
        for (const Point& p : points)
            merged.push_back(p.x);
    } else {
        std::vector<double> xs;
        xs.reserve(points.size());
        for (const Point& p : points)
            xs.push_back(p.x);
        std::sort(xs.begin(), xs.end());
        for (double x : xs)
            if (merged.empty() || !ref::Equal(merged.back(), x, kMergeTolerance))
                merged.push_back(x);
    }
    PointList others;
    g.GetListPoint(others, ListFiniteEnds);
    double x, y;
    others.ResetCursor();
    while (others.GetNext(x, y))
        MergeAbscissa(merged, x);

    for (auto it = merged.begin(); it != merged.end() && std::next(it) != merged.end(); ++it) {
        try {
            const double xa = *it;
            const double xb = *std::next(it);
            if (!f.DefinedAt(xa) || !f.DefinedAt(xb) || !g.DefinedAt(xa) || !g.DefinedAt(xb))
                continue;
            double fa = 0.0, fb = 0.0, ga = 0.0, gb = 0.0;
            f.GetOrdinate(xa, fa);
            f.GetOrdinate(xb, fb);
            g.GetOrdinate(xa, ga);
            g.GetOrdinate(xb, gb);
            const double da = fa - ga;
            const double db = fb - gb;
            if (ref::Smaller(db * da, 0.0, kCrossingThreshold)) {
                const double xi = CrossingAbscissa(xa, fa, ga, xb, fb, gb);
                double yi = 0.0;
                g.GetOrdinate(xi, yi);
                result.AddPoint({xi, yi});
            }
        } catch (...) {
            // A failure on one pair (allocation when appending) does not stop the walk.
        }
    }
    return result.GetLast(lastX, lastY) ? 1 : 0;
}

void RefFunction1D::EnvelopeMaxMin(RefFunction1D& upper, RefFunction1D& lower) const {
    // The extrema are taken before the targets change, so that this function may be one of them.
    PointList minima, maxima;
    LocalMinMax(minima, maxima);
    const double a = xmin, b = xmax;
    upper.SetDomain(a, b);
    lower.SetDomain(a, b);
    double x, y;
    minima.ResetCursor();
    while (minima.GetNext(x, y))
        lower.Set(x, y);
    maxima.ResetCursor();
    while (maxima.GetNext(x, y))
        upper.Set(x, y);
}
