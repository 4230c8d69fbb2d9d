// Reference: Extrema of RefFunction1D: turning points, plateau edges, local and global extremes.
#include "RefFunction1D.h"

#include "RefInternal.h"

#include <cfloat>
#include <cmath>

using ref::detail::IsNaN;
using ref::detail::kOpenEnd;

namespace {

using Point = RefFunction1D::Point;

// Slope of the segment a -> b, of which only the sign is used. A segment shorter than xtol is
// flat; a rise of exactly +-DBL_MAX is reduced to its sign, and so is a quotient of two overflowed
// differences (inf / inf), which would otherwise be a NaN.
double SegmentSlope(const Point& a, const Point& b, double xtol) {
    const double dx = b.x - a.x;
    if (ref::IsNull(dx, xtol))
        return 0.0;
    const double dy = b.y - a.y;
    if (dy == DBL_MAX)
        return dx > 0 ? 1.0 : -1.0;
    if (dy == -DBL_MAX)
        return dx > 0 ? -1.0 : 1.0;
    const double s = dy / dx;
    if (IsNaN(s))
        return (dy > 0) == (dx > 0) ? 1.0 : -1.0;
    return s;
}

// Kind of vertex between an incoming and an outgoing slope.
enum class Turn { None, Peak, Valley, RiseToFlat, FlatToFall, FallToFlat, FlatToRise };

Turn Classify(double incoming, double outgoing) {
    const int a = ref::Signe(incoming);
    const int b = ref::Signe(outgoing);
    if (a == 1 && b == -1)
        return Turn::Peak;
    if (a == -1 && b == 1)
        return Turn::Valley;
    if (a == 1 && b == 0)
        return Turn::RiseToFlat;
    if (a == 0 && b == -1)
        return Turn::FlatToFall;
    if (a == -1 && b == 0)
        return Turn::FallToFlat;
    if (a == 0 && b == 1)
        return Turn::FlatToRise;
    return Turn::None;
}

bool IsMaximum(Turn t) {
    return t == Turn::Peak || t == Turn::RiseToFlat || t == Turn::FlatToFall;
}

bool IsMinimum(Turn t) {
    return t == Turn::Valley || t == Turn::FallToFlat || t == Turn::FlatToRise;
}

bool IsSentinel(double x) {
    return x == kOpenEnd || x == -kOpenEnd;
}

} // namespace

void RefFunction1D::Extrema(PointList& list) const {
    const std::size_t n = points.size();
    if (n == 0)
        return;
    const Point& first = points.front();
    const Point& last = points.back();
    if (ConstantOrdinates()) {
        // Wide intermediates: the middle of [-DBL_MAX, +DBL_MAX] is 0, not an overflow.
        const long double x0 = first.x;
        const long double xm = x0 + (static_cast<long double>(last.x) - x0) * 0.5L;
        list.AddPoint(first);
        list.AddPoint({static_cast<double>(xm), first.y});
        list.AddPoint(last);
        return;
    }
    // Not constant, so at least two points.
    list.AddPoint(first);
    for (std::size_t k = 1; k + 1 < n; ++k) {
        const Turn t = Classify(SegmentSlope(points[k - 1], points[k], Xtolerance),
                                SegmentSlope(points[k], points[k + 1], Xtolerance));
        if (t != Turn::None)
            list.AddPoint(points[k]);
    }
    list.AddPoint(last);
}

bool RefFunction1D::AngularPoint(void) {
    if (points.empty())
        return false;
    PointList list;
    Extrema(list);
    int count = 0;
    double x, y;
    list.ResetCursor();
    while (list.GetNext(x, y))
        ++count;
    return count != 2;
}

void RefFunction1D::LocalMinMax(PointList& minima, PointList& maxima) const {
    const std::size_t n = points.size();
    if (n == 0)
        return;
    if (n == 1) {
        minima.AddPoint(points.front());
        maxima.AddPoint(points.front());
        return;
    }
    if (IsSentinel(points[0].x) && IsSentinel(points[1].x))
        return;
    minima.AddPoint(points.front());
    maxima.AddPoint(points.front());

    auto repeated = [this](const Point& a, const Point& b) {
        return ref::Equal(a.x, b.x, Xtolerance) && ref::Equal(a.y, b.y, Ytolerance);
    };
    // The carried slope starts with the first segment that is not a repeated point, so that the
    // first point is never reported a second time.
    double carried = 0.0;
    for (std::size_t i = 1; i < n; ++i) {
        if (!repeated(points[i - 1], points[i])) {
            carried = SegmentSlope(points[i - 1], points[i], Xtolerance);
            break;
        }
    }
    std::size_t prev = 0;
    for (std::size_t cur = 1; cur < n; ++cur) {
        if (!repeated(points[prev], points[cur])) {
            const double s = SegmentSlope(points[prev], points[cur], Xtolerance);
            const Turn t = Classify(carried, s);
            if (IsMaximum(t))
                maxima.AddPoint(points[prev]);
            else if (IsMinimum(t))
                minima.AddPoint(points[prev]);
            carried = s;
        }
        prev = cur;
    }
    minima.AddPoint(points.back());
    maxima.AddPoint(points.back());
}

void RefFunction1D::ValuesGlobalMinMax(double& vmin, double& vmax) const {
    PointList minima, maxima;
    LocalMinMax(minima, maxima);
    double x, y;
    minima.ResetCursor();
    if (minima.GetNext(x, y)) {
        vmin = y;
        while (minima.GetNext(x, y))
            vmin = ref::Min(vmin, y);
    }
    maxima.ResetCursor();
    if (maxima.GetNext(x, y)) {
        vmax = y;
        while (maxima.GetNext(x, y))
            vmax = ref::Max(vmax, y);
    }
}

void RefFunction1D::GlobalMinMax(PointList& minima, PointList& maxima) const {
    PointList localMin, localMax;
    LocalMinMax(localMin, localMax);
    double vmin = 0.0, vmax = 0.0;
    ValuesGlobalMinMax(vmin, vmax);
    const double minBound = vmin + (std::fabs(vmin) * 1e-10 + 1e-10);
    const double maxBound = vmax - (std::fabs(vmax) * 1e-10 + 1e-10);
    double x, y;
    localMin.ResetCursor();
    while (localMin.GetNext(x, y))
        if (y <= minBound)
            minima.AddPoint({x, y});
    localMax.ResetCursor();
    while (localMax.GetNext(x, y))
        if (y >= maxBound)
            maxima.AddPoint({x, y});
}

void RefFunction1D::OnlyExtrema(PointList& candidates, PointList& result) const {
    if (points.empty())
        return;
    result.AddPoint(points.front());

    double x, y;
    candidates.ResetCursor();
    if (candidates.GetNext(x, y)) {
        // The first candidate holding the smallest (largest) ordinate, exact comparisons.
        double ymin = y, ymax = y, xAtMin = x, xAtMax = x;
        while (candidates.GetNext(x, y)) {
            if (y < ymin) {
                ymin = y;
                xAtMin = x;
            }
            if (y > ymax) {
                ymax = y;
                xAtMax = x;
            }
        }
        double y0 = points.front().y, unused;
        result.ResetCursor();
        result.GetNext(unused, y0);
        const double yl = points.back().y;
        auto passes = [&](double v) {
            return std::fabs(y0 - v) > Ytolerance && std::fabs(ymax - ymin) > Ytolerance &&
                   std::fabs(v - yl) > Ytolerance;
        };
        const Point low{xAtMin, ymin}, high{xAtMax, ymax};
        const Point& firstOut = xAtMax > xAtMin ? low : high;
        const Point& secondOut = xAtMax > xAtMin ? high : low;
        if (passes(firstOut.y))
            result.AddPoint(firstOut);
        if (passes(secondOut.y))
            result.AddPoint(secondOut);
    }
    result.AddPoint(points.back());
}

void RefFunction1D::ExtremaInteractionCurves(PointList& list) const {
    if (points.empty())
        return;
    double ymin = points.front().y, ymax = points.front().y;
    for (const Point& p : points) {
        ymin = ref::Min(ymin, p.y);
        ymax = ref::Max(ymax, p.y);
    }
    double xAtMin = 0.0, xAtMax = 0.0;
    for (const Point& p : points) {
        if (ref::Equal(p.y, ymin, Ytolerance))
            xAtMin = p.x;
        if (ref::Equal(p.y, ymax, Ytolerance))
            xAtMax = p.x;
    }
    double yLow = 0.0, yHigh = 0.0;
    GetOrdinate(xmin, yLow);
    GetOrdinate(xmax, yHigh);
    list.AddPoint({xmin, yLow});
    list.AddPoint({xAtMin, ymin});
    list.AddPoint({xAtMax, ymax});
    list.AddPoint({xmax, yHigh});
}

void RefFunction1D::ValuesGlobalMinMaxInteractionCurves(double& vmin, double& vmax) {
    if (points.empty())
        return;
    vmin = vmax = points.front().y;
    for (const Point& p : points) {
        vmin = ref::Min(vmin, p.y);
        vmax = ref::Max(vmax, p.y);
    }
}
