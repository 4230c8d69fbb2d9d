// Editing and transformation of CVyMathFunction1D.
#include "vymath/CVyMathFunction1D.h"

#include "vymath/CVyMath.h"

#include "function1d/Lagrange.h"
#include "function1d/Search.h"
#include "function1d/Storage.h"

#include <algorithm>
#include <cmath>
#include <utility>

using vymath::detail::Tolerant;

using vymath::detail::Access;
using vymath::detail::Clamped;
using vymath::detail::ClampToDouble;
using vymath::detail::kOpenEnd;
using vymath::detail::ListPoints;
using vymath::detail::OrdinateAtStored;

std::vector<CVyMathFunction1D::Point> vymath::detail::ListPoints(const CVyMathFunction1D& f,
                                                                 CVyMathFunction1D::InfoGetList mode) {
    using Point = CVyMathFunction1D::Point;
    const Access::PointArray& points = Access::Points(f);
    std::vector<Point> list;
    const std::size_t n = points.size();
    if (n == 0)
        return list;
    list.reserve(n);
    const double tol = Access::Xtolerance(f);
    const bool leftOpen = Tolerant::Equal(Access::Xmin(f), -kOpenEnd, tol);
    const bool rightOpen = Tolerant::Equal(Access::Xmax(f), kOpenEnd, tol);
    const bool finiteEnds = mode == CVyMathFunction1D::ListFiniteEnds && n >= 3;
    // A tenth of the inner span, formed wide: inner points near -DBL_MAX and +DBL_MAX would overflow.
    const long double d = finiteEnds ? (static_cast<long double>(points[n - 2].x) - points[1].x) / 10 : 0.0L;

    if (!leftOpen || mode == CVyMathFunction1D::ListAsStored)
        list.push_back(points.front());
    else if (finiteEnds)
        list.push_back({ClampToDouble(points[1].x - d), points[1].y});
    if (n == 1)
        return list;
    for (std::size_t i = 1; i + 1 < n; ++i)
        list.push_back(points[i]);
    if (!rightOpen || mode == CVyMathFunction1D::ListAsStored)
        list.push_back(points.back());
    else if (finiteEnds)
        list.push_back({ClampToDouble(points[n - 2].x + d), points[n - 2].y});
    return list;
}

void CVyMathFunction1D::GetListPoint(PointList& list, InfoGetList mode) {
    for (const Point& p : ListPoints(*this, mode))
        list.AddPoint(p);
}

using vymath::detail::IsFinite;
using vymath::detail::IsNaN;
using vymath::detail::ValidateValue;

namespace {

// A factor the scaling operations apply: not 0 (exactly), not a NaN, not an infinity.
bool UsableFactor(double k) {
    return k != 0.0 && IsFinite(k);
}

} // namespace

bool CVyMathFunction1D::Remove(double x) {
    if (points.empty() || !IsDefined(x))
        return false;
    const std::size_t i = vymath::detail::FirstWithin(vymath::detail::View(*this), x, Xtolerance);
    if (i == points.size())
        return false;
    points.Erase(i);
    return true;
}

void CVyMathFunction1D::ShiftOnX(double dx) {
    if (points.empty() || !IsFinite(dx) || !(dx * dx > 1e-20))
        return;
    xmin = Clamped(xmin + dx);
    xmax = Clamped(xmax + dx);
    points.TransformX([dx](double x) { return Clamped(x + dx); });
    for (double& j : jumpAbscissas)
        j = Clamped(j + dx);
}

void CVyMathFunction1D::ScaleOnX(double kx) {
    if (!UsableFactor(kx))
        return;
    xmin = Clamped(xmin * kx);
    xmax = Clamped(xmax * kx);
    points.TransformX([kx](double x) { return Clamped(x * kx); });
    for (double& j : jumpAbscissas)
        j = Clamped(j * kx);
    if (kx < 0.0) {
        // Mirrored: restore the increasing order of the points and of the domain bounds.
        points.Reverse();
        std::swap(xmin, xmax);
    }
}

void CVyMathFunction1D::ScaleOnY(double ky) {
    if (!UsableFactor(ky))
        return;
    points.TransformY([ky](double y) { return Clamped(y * ky); });
}

void CVyMathFunction1D::Scale(double kx, double ky) {
    if (!UsableFactor(kx) || !UsableFactor(ky))
        return;
    ScaleOnX(kx);
    ScaleOnY(ky);
}

void CVyMathFunction1D::RevertValues() {
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n / 2; ++i) {
        const double low = points.Y()[i];
        points.SetY(i, points.Y()[n - 1 - i]);
        points.SetY(n - 1 - i, low);
    }
}

// ---- Arithmetic and equality ------------------------------------------------------------------

CVyMathFunction1D& CVyMathFunction1D::operator+=(CVyMathFunction1D& g) {
    const std::size_t n = std::min(points.size(), g.points.size());
    for (std::size_t i = 0; i < n; ++i)
        points.SetY(i, Clamped(points.Y()[i] + g.points.Y()[i]));
    return *this;
}

CVyMathFunction1D CVyMathFunction1D::operator+=(const double& value) {
    if (!IsNaN(value))
        points.TransformY([value](double y) { return Clamped(y + value); });
    return *this;
}

const CVyMathFunction1D& CVyMathFunction1D::operator*=(const double& k) {
    ScaleOnY(k);
    return *this;
}

CVyMathFunction1D CVyMathFunction1D::operator*(const double& k) {
    CVyMathFunction1D result(*this);
    result *= k;
    return result;
}

CVyMathFunction1D operator+(CVyMathFunction1D& a, CVyMathFunction1D& b) {
    CVyMathFunction1D result;
    result = a;
    result += b;
    return result;
}

CVyMathFunction1D operator-(CVyMathFunction1D& a, CVyMathFunction1D& b) {
    CVyMathFunction1D result = a * -1.0;
    result += b;
    return result;
}

bool CVyMathFunction1D::operator==(CVyMathFunction1D other) {
    return vymath::detail::SameValue(*this, other);
}

bool vymath::detail::SameValue(const CVyMathFunction1D& m, const CVyMathFunction1D& f) {
    using Point = CVyMathFunction1D::Point;
    const double xmin = Access::Xmin(m), xmax = Access::Xmax(m), tol = Access::Xtolerance(m);
    if (Access::Xmin(f) != xmin || Access::Xmax(f) != xmax || Access::Xtolerance(f) != tol ||
        Access::Ytolerance(f) != Access::Ytolerance(m))
        return false;
    // The same domain and tolerance open the same ends of both; without one, the lists are the points.
    if (!Tolerant::Equal(xmin, -kOpenEnd, tol) && !Tolerant::Equal(xmax, kOpenEnd, tol)) {
        const Access::PointArray &points = Access::Points(m), &other = Access::Points(f);
        if (points.size() != other.size())
            return false;
        const double *x = points.X(), *y = points.Y(), *ox = other.X(), *oy = other.Y();
        for (std::size_t i = 0; i < points.size(); ++i)
            if (!Tolerant::Equal(x[i], ox[i], 1e-10) || !Tolerant::Equal(y[i], oy[i], 1e-10))
                return false;
        return true;
    }
    const std::vector<Point> mine = ListPoints(m, CVyMathFunction1D::ListFiniteEnds),
                             theirs = ListPoints(f, CVyMathFunction1D::ListFiniteEnds);
    // Lists of different lengths are unequal, which keeps the relation symmetric.
    if (mine.size() != theirs.size())
        return false;
    for (std::size_t i = 0; i < mine.size(); ++i)
        if (!Tolerant::Equal(mine[i].x, theirs[i].x, 1e-10) ||
            !Tolerant::Equal(mine[i].y, theirs[i].y, 1e-10))
            return false;
    return true;
}

bool CVyMathFunction1D::operator!=(const CVyMathFunction1D& other) {
    return !(*this == other);
}

// ---- Closing, merging, appending ------------------------------------------------------------

void CVyMathFunction1D::CloseCurve() {
    if (points.empty())
        return;
    std::vector<Point> closed;
    closed.reserve(points.size() + 1);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point p = points[i == 0 ? 0 : i - 1];
        const Point c = points[i];
        if (p.y * c.y < -1e-20) {
            const double x0 =
                Tolerant::Equal(c.x, p.x, 1e-5) ? c.x : RootBissectionUniqueAbscisse(p.x, c.x, 1e-5);
            if (x0 * x0 > 1e-20 && !Tolerant::Smaller(x0, xmin, Xtolerance) &&
                !Tolerant::Greater(x0, xmax, Xtolerance) && p.x * c.x > 1e-20)
                closed.push_back({x0, 0.0});
        }
        closed.push_back(c);
    }
    closed.push_back(points.front());
    points.Assign(closed);
}

double vymath::detail::OrdinateAtStored(const CVyMathFunction1D& f, double x) {
    double y = 0.0;
    if (f.GetOrdinate(x, y))
        return y;
    const Access::PointArray& points = Access::Points(f);
    for (const CVyMathFunction1D::Point& p : points)
        if (p.x == x)
            return p.y;
    const double tol = Access::Xtolerance(f);
    for (const CVyMathFunction1D::Point& p : points)
        if (Tolerant::Equal(p.x, x, tol))
            return p.y;
    return 0.0;
}

void CVyMathFunction1D::Merge(CVyMathFunction1D* g) {
    if (g == nullptr)
        return;
    const std::vector<Point> incoming = ListPoints(*g, ListOmitOpenEnds);
    if (incoming.empty())
        return;
    double ga, gb;
    g->GetFullRange(ga, gb);
    SetDomain(Tolerant::Min(ga, xmin), Tolerant::Max(gb, xmax));
    double t = 0.1 * Xtolerance;
    // Plain insertions strictly inside the curve are gathered and made in one pass (an insertion costs
    // a move of the array after it): while the incoming points increase and the points are sorted, the
    // outcome of each Set is known from the points as they were and the last insertion gathered. Any
    // other case (an end point, a conflict) first makes the gathered insertions, then runs as written.
    std::vector<std::pair<std::size_t, Point>> gathered;
    const auto flush = [&] {
        points.InsertBefore(gathered);
        gathered.clear();
    };
    const auto gather = [&](double x, double y) {
        if (points.empty() || !points.Sorted() || !vymath::detail::IsFinite(x) || vymath::detail::IsNaN(y) ||
            Tolerant::Equal(x, points.front().x, Xtolerance) ||
            Tolerant::Equal(x, points.back().x, Xtolerance))
            return false;
        if (!gathered.empty() && !(x >= gathered.back().second.x))
            return false;
        bool found;
        const std::size_t i = vymath::detail::LocateInsertion(*this, x, found);
        if (!gathered.empty()) {
            // The last point gathered comes before points[i]: the walk stops on it unless x passes it.
            const Point& last = gathered.back().second;
            if (Tolerant::Equal(last.x, x, Xtolerance))
                return Tolerant::Equal(last.y, y,
                                       Ytolerance); // InsertExists changes nothing; a conflict is run
            if (vymath::detail::InsertsBefore(x, last.x, Xtolerance))
                return false; // x goes before it: run as written
        }
        if (found)
            return Tolerant::Equal(points.Y()[i], y, Ytolerance);
        if (i == 0 || i == points.size())
            return false; // a new end point
        gathered.push_back({i, {x, y}});
        return true;
    };
    for (const Point& p : incoming) {
        const double x = p.x, y = p.y;
        if (gather(x, y))
            continue;
        flush();
        if (Set(x, y) != InsertConflict)
            continue;
        double a = x, b = x;
        if (IsDiscontinued(x)) {
            // At an existing jump the value joins the nearer side, lowering the left or raising the right.
            GetNearAbscissas(x, a, b, &t);
            const double ya = OrdinateAtStored(*this, a);
            const double yb = OrdinateAtStored(*this, b);
            const double db = std::fabs(yb - y);
            if (!(std::fabs(ya - y) > db + 1e-10 * db + 1e-10))
                Replace(a, Tolerant::Min(ya, y));
            else
                Replace(b, Tolerant::Max(yb, y));
        } else {
            // Two values at x become a jump whose direction follows the local trend.
            const double yf = OrdinateAtStored(*this, x);
            GetNearAbscissas(x, a, b, &t);
            const double ya = OrdinateAtStored(*this, a);
            const double yb = OrdinateAtStored(*this, b);
            double left, right;
            if (Tolerant::SmallerEqual(ya, yb, Ytolerance)) {
                left = Tolerant::Min(yf, y);
                right = Tolerant::Max(yf, y);
            } else {
                left = Tolerant::Max(yf, y);
                right = Tolerant::Min(yf, y);
            }
            Remove(x);
            Set(x, left, right);
        }
    }
    flush();
}

void CVyMathFunction1D::Concat(CVyMathFunction1D* g) {
    if (g == nullptr || g->GetNumberElement() == 0)
        return;
    if (g == this) {
        CVyMathFunction1D copy(*this);
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
    const std::vector<Point> appended = ListPoints(*g, ListFiniteEnds);
    if (appended.empty())
        return; // g holds only an open-end sentinel: nothing was appended
    const double y0 = appended.front().y;
    const double gap = end.y - y0;
    if (gap * gap > 1e-20) {
        Set(end.x + 2 * Xtolerance, y0);
        jumpAbscissas.push_back(end.x + Xtolerance);
    }
    Set(appended.back().x, appended.back().y);
}
