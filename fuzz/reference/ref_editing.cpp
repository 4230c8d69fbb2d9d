// Reference: Editing and transformation of RefFunction1D.
#include "RefFunction1D.h"

#include "RefInternal.h"

#include <algorithm>
#include <cmath>
#include <utility>

using ref::detail::ClampToDouble;
using ref::detail::kOpenEnd;

void RefFunction1D::GetListPoint(PointList& list, InfoGetList mode) {
    const std::size_t n = points.size();
    if (n == 0)
        return;
    const bool leftOpen = ref::Equal(xmin, -kOpenEnd, Xtolerance);
    const bool rightOpen = ref::Equal(xmax, kOpenEnd, Xtolerance);
    const bool finiteEnds = mode == ListFiniteEnds && n >= 3;
    // A tenth of the inner span, formed wide: inner points near -DBL_MAX and +DBL_MAX would overflow.
    const long double d = finiteEnds ? (static_cast<long double>(points[n - 2].x) - points[1].x) / 10 : 0.0L;

    if (!leftOpen || mode == ListAsStored)
        list.AddPoint(points.front());
    else if (finiteEnds)
        list.AddPoint({ClampToDouble(points[1].x - d), points[1].y});
    if (n == 1)
        return;
    for (std::size_t i = 1; i + 1 < n; ++i)
        list.AddPoint(points[i]);
    if (!rightOpen || mode == ListAsStored)
        list.AddPoint(points.back());
    else if (finiteEnds)
        list.AddPoint({ClampToDouble(points[n - 2].x + d), points[n - 2].y});
}

using ref::detail::IsFinite;
using ref::detail::IsNaN;
using ref::detail::ValidateValue;

namespace {

// A factor the scaling operations apply: not 0 (exactly), not a NaN, not an infinity.
bool UsableFactor(double k) {
    return k != 0.0 && IsFinite(k);
}

// v moved or scaled, an overflow kept at +-DBL_MAX.
double Clamped(double v) {
    ValidateValue(v);
    return v;
}

} // namespace

bool RefFunction1D::Remove(double x) {
    if (points.empty() || !IsDefined(x))
        return false;
    for (auto it = points.begin(); it != points.end(); ++it) {
        if (ref::Equal(it->x, x, Xtolerance)) {
            points.erase(it);
            return true;
        }
    }
    return false;
}

void RefFunction1D::ShiftOnX(double dx) {
    if (points.empty() || !IsFinite(dx) || !(dx * dx > 1e-20))
        return;
    xmin = Clamped(xmin + dx);
    xmax = Clamped(xmax + dx);
    for (Point& p : points)
        p.x = Clamped(p.x + dx);
    for (double& j : jumpAbscissas)
        j = Clamped(j + dx);
}

void RefFunction1D::ScaleOnX(double kx) {
    if (!UsableFactor(kx))
        return;
    xmin = Clamped(xmin * kx);
    xmax = Clamped(xmax * kx);
    for (Point& p : points)
        p.x = Clamped(p.x * kx);
    for (double& j : jumpAbscissas)
        j = Clamped(j * kx);
    if (kx < 0.0) {
        // Mirrored: restore the increasing order of the points and of the domain bounds.
        std::reverse(points.begin(), points.end());
        std::swap(xmin, xmax);
    }
}

void RefFunction1D::ScaleOnY(double ky) {
    if (!UsableFactor(ky))
        return;
    for (Point& p : points)
        p.y = Clamped(p.y * ky);
}

void RefFunction1D::Scale(double kx, double ky) {
    if (!UsableFactor(kx) || !UsableFactor(ky))
        return;
    ScaleOnX(kx);
    ScaleOnY(ky);
}

void RefFunction1D::RevertValues() {
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n / 2; ++i)
        std::swap(points[i].y, points[n - 1 - i].y);
}

// ---- Arithmetic and equality ------------------------------------------------------------------

RefFunction1D& RefFunction1D::operator+=(RefFunction1D& g) {
    const std::size_t n = std::min(points.size(), g.points.size());
    for (std::size_t i = 0; i < n; ++i)
        points[i].y = Clamped(points[i].y + g.points[i].y);
    return *this;
}

RefFunction1D RefFunction1D::operator+=(const double& value) {
    if (!IsNaN(value))
        for (Point& p : points)
            p.y = Clamped(p.y + value);
    return *this;
}

const RefFunction1D& RefFunction1D::operator*=(const double& k) {
    ScaleOnY(k);
    return *this;
}

RefFunction1D RefFunction1D::operator*(const double& k) {
    RefFunction1D result(*this);
    result *= k;
    return result;
}

RefFunction1D operator+(RefFunction1D& a, RefFunction1D& b) {
    RefFunction1D result;
    result = a;
    result += b;
    return result;
}

RefFunction1D operator-(RefFunction1D& a, RefFunction1D& b) {
    RefFunction1D result = a * -1.0;
    result += b;
    return result;
}

bool RefFunction1D::operator==(RefFunction1D other) {
    if (other.xmin != xmin || other.xmax != xmax || other.Xtolerance != Xtolerance ||
        other.Ytolerance != Ytolerance)
        return false;
    PointList mine, theirs;
    GetListPoint(mine, ListFiniteEnds);
    other.GetListPoint(theirs, ListFiniteEnds);
    // Lists of different lengths are unequal, which keeps the relation symmetric.
    mine.ResetCursor();
    theirs.ResetCursor();
    double px, py, qx, qy;
    for (;;) {
        const bool more = mine.GetNext(px, py);
        if (more != theirs.GetNext(qx, qy))
            return false;
        if (!more)
            return true;
        if (!ref::Equal(px, qx, 1e-10) || !ref::Equal(py, qy, 1e-10))
            return false;
    }
}

bool RefFunction1D::operator!=(const RefFunction1D& other) {
    return !(*this == other);
}

// ---- Closing, merging, appending ------------------------------------------------------------

void RefFunction1D::CloseCurve() {
    if (points.empty())
        return;
    std::vector<Point> closed;
    closed.reserve(points.size() + 1);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point p = points[i == 0 ? 0 : i - 1];
        const Point c = points[i];
        if (p.y * c.y < -1e-20) {
            const double x0 = ref::Equal(c.x, p.x, 1e-5) ? c.x : RootBissectionUniqueAbscisse(p.x, c.x, 1e-5);
            if (x0 * x0 > 1e-20 && !ref::Smaller(x0, xmin, Xtolerance) &&
                !ref::Greater(x0, xmax, Xtolerance) && p.x * c.x > 1e-20)
                closed.push_back({x0, 0.0});
        }
        closed.push_back(c);
    }
    closed.push_back(points.front());
    points.swap(closed);
}

double RefFunction1D::OrdinateAtStored(double x) const {
    double y = 0.0;
    if (GetOrdinate(x, y))
        return y;
    for (const Point& p : points)
        if (p.x == x)
            return p.y;
    for (const Point& p : points)
        if (ref::Equal(p.x, x, Xtolerance))
            return p.y;
    return 0.0;
}

void RefFunction1D::Merge(RefFunction1D* g) {
    if (g == nullptr)
        return;
    PointList incoming;
    g->GetListPoint(incoming, ListOmitOpenEnds);
    double x, y;
    incoming.ResetCursor();
    if (!incoming.GetNext(x, y))
        return;
    double ga, gb;
    g->GetFullRange(ga, gb);
    SetDomain(ref::Min(ga, xmin), ref::Max(gb, xmax));
    double t = 0.1 * Xtolerance;
    incoming.ResetCursor();
    while (incoming.GetNext(x, y)) {
        if (Set(x, y) != InsertConflict)
            continue;
        double a = x, b = x;
        if (IsDiscontinued(x)) {
            // At an existing jump the value joins the nearer side, lowering the left or raising the right.
            GetNearAbscissas(x, a, b, &t);
            const double ya = OrdinateAtStored(a);
            const double yb = OrdinateAtStored(b);
            const double db = std::fabs(yb - y);
            if (!(std::fabs(ya - y) > db + 1e-10 * db + 1e-10))
                Replace(a, ref::Min(ya, y));
            else
                Replace(b, ref::Max(yb, y));
        } else {
            // Two values at x become a jump whose direction follows the local trend.
            const double yf = OrdinateAtStored(x);
            GetNearAbscissas(x, a, b, &t);
            const double ya = OrdinateAtStored(a);
            const double yb = OrdinateAtStored(b);
            double left, right;
            if (ref::SmallerEqual(ya, yb, Ytolerance)) {
                left = ref::Min(yf, y);
                right = ref::Max(yf, y);
            } else {
                left = ref::Max(yf, y);
                right = ref::Min(yf, y);
            }
            Remove(x);
            Set(x, left, right);
        }
    }
}

void RefFunction1D::Concat(RefFunction1D* g) {
    if (g == nullptr || g->GetNumberElement() == 0)
        return;
    if (g == this) {
        RefFunction1D copy(*this);
        Concat(&copy);
        return;
    }
    if (points.empty()) {
        *this = *g;
        return;
    }
    const Point end = points.back();
    g->ShiftOnX(end.x);
    Merge(g);
    PointList appended;
    g->GetListPoint(appended, ListFiniteEnds);
    double x0, y0;
    appended.ResetCursor();
    if (!appended.GetNext(x0, y0))
        return; // g holds only an open-end sentinel: nothing was appended
    const double gap = end.y - y0;
    if (gap * gap > 1e-20) {
        Set(end.x + 2 * Xtolerance, y0);
        jumpAbscissas.push_back(end.x + Xtolerance);
    }
    double xl, yl;
    appended.GetLast(xl, yl);
    Set(xl, yl);
}
