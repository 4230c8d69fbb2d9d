// Reference: Shape queries of RefFunction1D.
#include "RefFunction1D.h"

#include "RefInternal.h"

#include <cfloat>
#include <utility>

using ref::detail::IsNaN;
using ref::detail::LagrangeLine;

namespace {

// The pair (DBL_MIN, DBL_MAX), compared exactly, selects the whole function.
bool IsWholeFunction(double x1, double x2) {
    return x1 == DBL_MIN && x2 == DBL_MAX;
}

// Slope of the segment from a to b (IEEE division: a vertical segment gives an infinity).
double SegmentSlope(const RefFunction1D::Point& a, const RefFunction1D::Point& b) {
    return (b.y - a.y) / (b.x - a.x);
}

} // namespace

bool RefFunction1D::ConstantOrdinates() const {
    if (points.empty())
        return false;
    const double y0 = points.front().y;
    for (const Point& p : points)
        if (!ref::Equal(y0, p.y, Ytolerance))
            return false;
    return true;
}

bool RefFunction1D::IsConstant(void) {
    return ConstantOrdinates();
}

bool RefFunction1D::IsOnCurve(double x, double y, double tol) {
    if (points.empty())
        return false;
    double value = 0.0;
    if (!GetOrdinate(x, value))
        return false;
    return ref::Equal(value, y, tol);
}

bool RefFunction1D::IsDiscontinued(double x) {
    const double tol = Xtolerance * 1.01;
    for (double j : jumpAbscissas)
        if (ref::Equal(x, j, tol))
            return true;
    return false;
}

bool RefFunction1D::IsLinear(double x1, double x2) const {
    const int n = static_cast<int>(points.size());
    if (n == 0)
        return false;
    if (IsWholeFunction(x1, x2)) {
        for (int k = 2; k < n; ++k)
            if (SegmentSlope(points[k - 1], points[k]) != SegmentSlope(points[k - 2], points[k - 1]))
                return false;
        return true;
    }
    if (x2 < x1)
        std::swap(x1, x2);
    int a1, b1, a2, b2;
    Find(x1, a1, b1);
    Find(x2, a2, b2);
    // Both ends in one segment, on one point, or (Find's special cases) both at or before the first point.
    if (b2 <= b1)
        return true;
    double previous;
    if (a1 != b1)
        previous = SegmentSlope(points[a1], points[b1]);
    else if (b1 + 1 < n)
        previous = SegmentSlope(points[b1], points[b1 + 1]);
    else
        return true;
    for (int k = b1; k < b2 && k + 1 < n; ++k) {
        const double slope = SegmentSlope(points[k], points[k + 1]);
        if (slope != previous)
            return false;
        previous = slope;
    }
    return true;
}

bool RefFunction1D::IsSymetric(double x1, double x2) const {
    const int n = static_cast<int>(points.size());
    if (n == 0)
        return false;
    int first = 0;
    int last = n - 1;
    if (!IsWholeFunction(x1, x2)) {
        if (x2 < x1)
            std::swap(x1, x2);
        // Find gives the starting guesses; the walk covers the stored points within [x1, x2] (Xtolerance).
        int a1, b1, a2, b2;
        Find(x1, a1, b1);
        Find(x2, a2, b2);
        first = b1;
        while (first > 0 && !ref::Smaller(points[first - 1].x, x1, Xtolerance))
            --first;
        while (first < n && ref::Smaller(points[first].x, x1, Xtolerance))
            ++first;
        last = a2;
        while (last + 1 < n && !ref::Greater(points[last + 1].x, x2, Xtolerance))
            ++last;
        while (last >= 0 && ref::Greater(points[last].x, x2, Xtolerance))
            --last;
    }
    for (; first < last; ++first, --last)
        if (!ref::Equal(points[first].y, -points[last].y, Ytolerance))
            return false;
    return true;
}

void RefFunction1D::Slope(double x, double* const slopes) const {
    if (slopes == nullptr)
        return;
    const int n = static_cast<int>(points.size());
    if (n < 2) {
        slopes[0] = slopes[1] = 0.0;
        return;
    }
    int i1, i2;
    Find(x, i1, i2);
    // A missing segment before (x in or before the first segment) takes the first segment's slope.
    const double firstSlope = SegmentSlope(points[0], points[1]);
    slopes[0] = i1 >= 1 ? SegmentSlope(points[i1 - 1], points[i1]) : firstSlope;
    slopes[1] = i2 >= 1 ? SegmentSlope(points[i2 - 1], points[i2]) : firstSlope;
}

bool RefFunction1D::GetNearAbscissas(double x, double& xLeft, double& xRight, double* tol) {
    const std::size_t n = points.size();
    if (n == 0) {
        xLeft = xRight = 0.0;
        return false;
    }
    const double t = tol != nullptr ? *tol : Xtolerance;
    if (IsNaN(x) || (!IsDefined(x) && !IsDiscontinued(x))) {
        xLeft = xRight = ref::GreaterEqual(x, xmax, t) ? points[n - 1].x : points[0].x;
        return false;
    }
    std::size_t i = 0;
    while (i < n && ref::Greater(x, points[i].x, t))
        ++i;
    if (i == 0) {
        xLeft = xRight = points[0].x;
    } else if (i == n) {
        xLeft = xRight = points[n - 1].x;
    } else {
        xLeft = points[i - 1].x;
        xRight = points[i].x;
    }
    return true;
}

bool RefFunction1D::FindUniqueAbscissa(double x, double& y) {
    if (ref::Smaller(x, xmin, Xtolerance) || ref::Greater(x, xmax, Xtolerance))
        return false;
    for (const Point& p : points) {
        if (ref::Equal(p.x, x, Xtolerance)) {
            y = p.y;
            return true;
        }
    }
    return false;
}

bool RefFunction1D::FindMultipleOrdinates(double x, double& y1, double& y2) {
    if (ref::Smaller(x, xmin, Xtolerance) || ref::Greater(x, xmax, Xtolerance))
        return false;
    int hits = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point& c = points[i];
        const Point& b = points[i == 0 ? 0 : i - 1];
        double y;
        if (ref::Equal(c.x, x, Xtolerance)) {
            y = c.y;
        } else if ((ref::Smaller(b.x, x, Xtolerance) && ref::Greater(c.x, x, Xtolerance)) ||
                   (ref::Smaller(x, b.x, Xtolerance) && ref::Greater(x, c.x, Xtolerance))) {
            y = LagrangeLine(b.x, b.y, c.x, c.y, x);
        } else {
            continue;
        }
        if (hits++ == 0) {
            y1 = y;
        } else {
            y2 = y;
            return true;
        }
    }
    return false;
}
