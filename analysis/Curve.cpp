// A section's interaction curve: checked, prepared, and the utilisation of a force pair against it.
#include "Curve.h"

#include "Text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vymath {
namespace analysis {

namespace {

using Point = CVyMathFunction1D::Point;
using W = long double;
using text::Readable;

const double kInf = std::numeric_limits<double>::infinity();

std::string PointText(Point p) {
    return "(" + Readable(p.x) + ", " + Readable(p.y) + ")";
}

[[noreturn]] void Fail(const std::string& what) {
    throw Error(Error::Kind::Data, what);
}

// The sign of (b - a) x (c - a): exact for coordinates of few significant bits (the products of the
// differences fit the 64-bit mantissa).
int Orient(Point a, Point b, Point c) {
    const W v = (W(b.x) - a.x) * (W(c.y) - a.y) - (W(b.y) - a.y) * (W(c.x) - a.x);
    return v > 0 ? 1 : v < 0 ? -1 : 0;
}

// p lies on the closed segment [a, b], which it is collinear with.
bool Within(Point a, Point b, Point p) {
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

// The closed segments [a, b] and [c, e] have a point in common.
bool Meet(Point a, Point b, Point c, Point e) {
    const int o1 = Orient(a, b, c), o2 = Orient(a, b, e), o3 = Orient(c, e, a), o4 = Orient(c, e, b);
    if (o1 != o2 && o3 != o4 && o1 * o2 <= 0 && o3 * o4 <= 0 && !(o1 == 0 && o2 == 0))
        return true;
    return (o1 == 0 && Within(a, b, c)) || (o2 == 0 && Within(a, b, e)) || (o3 == 0 && Within(c, e, a)) ||
           (o4 == 0 && Within(c, e, b));
}

void Check(const std::vector<Point>& v) {
    const std::size_t n = v.size();
    for (std::size_t i = 0; i < n; ++i)
        if (v[i].x == v[(i + 1) % n].x && v[i].y == v[(i + 1) % n].y)
            Fail("two successive vertices of the curve coincide at " + PointText(v[i]));
    // A vertex where the curve turns straight back on itself.
    for (std::size_t i = 0; i < n; ++i) {
        const Point p = v[(i + n - 1) % n], q = v[i], r = v[(i + 1) % n];
        if (Orient(p, q, r) == 0 && (W(p.x) - q.x) * (W(r.x) - q.x) + (W(p.y) - q.y) * (W(r.y) - q.y) > 0)
            Fail("the curve folds back on itself at vertex " + std::to_string(i + 1) + " " + PointText(q));
    }
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1)
                continue; // neighbours through the closing vertex
            if (Meet(v[i], v[i + 1], v[j], v[(j + 1) % n]))
                Fail("the curve crosses itself: edges " + std::to_string(i + 1) + " and " +
                     std::to_string(j + 1) + " meet");
        }
    const Point o{0.0, 0.0};
    bool inside = false;
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = v[i], b = v[(i + 1) % n];
        if (Orient(a, b, o) == 0 && Within(a, b, o))
            Fail("the curve passes through the origin: it must enclose it");
        // A crossing of the ray from the origin along +x, the half-open rule at vertices.
        if ((a.y > 0) != (b.y > 0) && Orient(a, b, o) == (b.y > a.y ? 1 : -1))
            inside = !inside;
    }
    if (!inside)
        Fail("the curve does not enclose the origin");
}

} // namespace

double SectionCurve::Geometry::RayAll(double n, double m) const {
    double best = 0.0;
    for (std::size_t e = 0; e < v.size(); ++e)
        best = std::max(best, RayOn(e, n, m));
    return best;
}

double SectionCurve::Geometry::AtFirstForceAll(double n, double m) const {
    double up = kInf, down = kInf;
    bool on = false;
    std::size_t below = 0;
    for (std::size_t e = 0; e < v.size(); ++e) {
        const Point a = v[e], b = v[Next(e)];
        if (a.x == b.x) {
            on = on || (a.x == n && std::min(a.y, b.y) <= 0 && std::max(a.y, b.y) >= 0);
            continue;
        }
        if (n < std::min(a.x, b.x) || n > std::max(a.x, b.x))
            continue;
        const double y = EdgeY(e, n);
        if (y == 0)
            on = true;
        else if (y > 0)
            up = std::min(up, y);
        else
            down = std::min(down, -y);
        if ((a.x <= n) != (b.x <= n) && y < 0)
            ++below;
    }
    if (on || below % 2 == 0)
        return kInf;
    return m > 0 ? m / up : m < 0 ? -m / down : 0.0;
}

double SectionCurve::Geometry::Ray(double n, double m) const {
    if (n == 0 && m == 0)
        return 0.0;
    if (keys.empty())
        return RayAll(n, m);
    // The sector of the direction, then its edge and the neighbours (a direction within rounding of a
    // vertex's may land beside it).
    const std::size_t k = static_cast<std::size_t>(
        std::upper_bound(keys.begin(), keys.end(), DiamondAngle(n, m)) - keys.begin());
    const std::size_t count = v.size();
    const std::size_t e = (first + (k == 0 ? count - 1 : k - 1)) % count;
    const double best =
        std::max({RayOn((e + count - 1) % count, n, m), RayOn(e, n, m), RayOn(Next(e), n, m)});
    return best > 0 ? best : RayAll(n, m);
}

double SectionCurve::Geometry::AtFirstForce(double n, double m) const {
    if (lowerX.empty())
        return AtFirstForceAll(n, m);
    if (!(n > xmin && n < xmax))
        return kInf;
    const auto on = [this, n](const std::vector<double>& xs, const std::vector<std::size_t>& edges) {
        const std::size_t k =
            static_cast<std::size_t>(std::upper_bound(xs.begin(), xs.end(), n) - xs.begin());
        return EdgeY(edges[std::min(k, xs.size() - 1) - 1], n);
    };
    const double lower = on(lowerX, lowerEdge), upper = on(upperX, upperEdge);
    if (!(lower < 0 && upper > 0))
        return kInf;
    return m > 0 ? m / upper : m < 0 ? -m / -lower : 0.0;
}

SectionCurve::SectionCurve(const CVyMathFunction1D& closed) {
    auto g = std::make_shared<Geometry>();
    g->curve = closed;
    std::vector<Point> p = closed.GetPoints();
    for (const Point& q : p)
        if (!std::isfinite(q.x) || !std::isfinite(q.y))
            Fail("a vertex of the curve is not finite");
    if (p.size() < 4 || (p.size() == 4 && p.front().x == p.back().x && p.front().y == p.back().y &&
                         p[1].x == p[2].x && p[1].y == p[2].y))
        Fail("the curve has fewer than 3 vertices");
    if (p.front().x != p.back().x || p.front().y != p.back().y)
        Fail("the curve is not closed: its last vertex " + PointText(p.back()) + " is not its first " +
             PointText(p.front()));
    p.pop_back();
    Check(p);
    g->given = p;
    W area = 0;
    for (std::size_t i = 0; i < p.size(); ++i)
        area += W(p[i].x) * p[(i + 1) % p.size()].y - W(p[i].y) * p[(i + 1) % p.size()].x;
    if (area < 0)
        std::reverse(p.begin(), p.end());
    g->v = p;
    const std::size_t n = p.size();
    g->xmin = g->xmax = p[0].x;
    for (std::size_t e = 0; e < n; ++e) {
        const Point a = p[e], b = p[(e + 1) % n];
        g->d.push_back({b.x - a.x, b.y - a.y});
        g->c.push_back(a.x * b.y - a.y * b.x);
        g->slope.push_back(a.x == b.x ? 0.0 : (b.y - a.y) / (b.x - a.x));
        g->xmin = std::min(g->xmin, a.x);
        g->xmax = std::max(g->xmax, a.x);
        if (a.y == 0)
            g->axis.push_back(a.x);
        else if ((a.y > 0) != (b.y > 0) && b.y != 0)
            g->axis.push_back(a.x + (0 - a.y) * ((b.x - a.x) / (b.y - a.y)));
    }
    std::sort(g->axis.begin(), g->axis.end());
    g->convex = true;
    for (std::size_t i = 0; i < n && g->convex; ++i) {
        const Point a = p[(i + n - 1) % n], b = p[i], c = p[(i + 1) % n];
        g->convex = Orient(a, b, c) >= 0;
    }
    if (g->convex) {
        // The directions of the vertices turn once around the origin: sorted from the least.
        for (const Point& q : p)
            g->keys.push_back(DiamondAngle(q.x, q.y));
        g->first =
            static_cast<std::size_t>(std::min_element(g->keys.begin(), g->keys.end()) - g->keys.begin());
        std::rotate(g->keys.begin(), g->keys.begin() + static_cast<std::ptrdiff_t>(g->first), g->keys.end());
        if (!std::is_sorted(g->keys.begin(), g->keys.end()))
            g->keys.clear();
        // The lower chain from the lowest leftmost vertex to the lowest rightmost one, the upper chain back
        // from the highest rightmost to the highest leftmost: abscissas strictly increasing.
        const auto least = [&p](bool left, bool low) {
            std::size_t best = 0;
            for (std::size_t i = 1; i < p.size(); ++i) {
                const bool further = left ? p[i].x < p[best].x : p[i].x > p[best].x;
                if (further || (p[i].x == p[best].x && (low ? p[i].y < p[best].y : p[i].y > p[best].y)))
                    best = i;
            }
            return best;
        };
        bool monotone = true;
        const auto chain = [&](std::size_t from, std::size_t to, std::vector<double>& xs,
                               std::vector<std::size_t>& edges, bool reversed) {
            std::vector<std::pair<double, std::size_t>> points; // abscissa, edge leaving it
            for (std::size_t i = from;; i = (i + 1) % n) {
                points.push_back({p[i].x, i});
                if (i == to)
                    break;
            }
            if (reversed)
                std::reverse(points.begin(), points.end());
            for (std::size_t k = 0; k < points.size(); ++k) {
                xs.push_back(points[k].first);
                if (k > 0) {
                    monotone = monotone && xs[k] > xs[k - 1];
                    // The edge between entries k - 1 and k: it leaves the earlier vertex in polygon order.
                    edges.push_back(reversed ? points[k].second : points[k - 1].second);
                }
            }
        };
        chain(least(true, true), least(false, true), g->lowerX, g->lowerEdge, false);
        chain(least(false, false), least(true, false), g->upperX, g->upperEdge, true);
        if (!monotone || g->lowerX.size() < 2 || g->upperX.size() < 2) {
            g->lowerX.clear(), g->upperX.clear(), g->lowerEdge.clear(), g->upperEdge.clear();
            g->keys.clear();
            g->convex = false; // within rounding of a straight line: checked as any curve
        }
    }
    geometry = std::move(g);
}

CVyMathFunction1D ClosedCurve(const std::vector<Point>& points) {
    double lo = 0.0, hi = 0.0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!std::isfinite(points[i].x) || !std::isfinite(points[i].y))
            Fail("vertex " + std::to_string(i + 1) + " of the curve is not finite");
        lo = i == 0 ? points[i].x : std::min(lo, points[i].x);
        hi = i == 0 ? points[i].x : std::max(hi, points[i].x);
    }
    CVyMathFunction1D f(lo, hi, 0);
    f.Clear(true);
    if (points.empty())
        return f;
    // The last point alone, the inner ones each in front of it, the first in front of them all.
    const std::size_t n = points.size();
    const auto near = [&](std::size_t i, std::size_t j) {
        Fail("vertex " + std::to_string(i + 1) + " " + PointText(points[i]) + " lies within " +
             Readable(f.GetXtolerance()) + " of vertex " + std::to_string(j + 1));
    };
    f.Set(points[n - 1].x, points[n - 1].y);
    for (std::size_t i = 1; i + 1 < n; ++i)
        if (f.SetUniqueAbscissaAtIndex(points[i].x, points[i].y, 0.0, f.GetNumberElement() - 1) !=
            CVyMathFunction1D::InsertDone)
            near(i, n - 1);
    if (n > 1 &&
        f.SetUniqueAbscissaAtIndex(points[0].x, points[0].y, 0.0, 0) != CVyMathFunction1D::InsertDone)
        near(0, 1);
    return f;
}

const CVyMathFunction1D& SectionCurve::Curve() const {
    return geometry->curve;
}

const std::vector<CVyMathFunction1D::Point>& SectionCurve::Vertices() const {
    return geometry->given;
}

bool SectionCurve::Convex() const {
    return geometry->convex;
}

double SectionCurve::Utilisation(CheckMethod method, double first, double second) const {
    return geometry->Of(method, first, second);
}

} // namespace analysis
} // namespace vymath
