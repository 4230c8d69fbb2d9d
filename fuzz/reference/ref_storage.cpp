// Reference: Storage, construction, insertion and evaluation of RefFunction1D.
#include "RefFunction1D.h"

#include "vymath/CVyMathPolynom.h"

#include "RefInternal.h"

#include <algorithm>
#include <cmath>
#include <iterator>

using ref::detail::IsFinite;
using ref::detail::IsNaN;
using ref::detail::kOpenEnd;
using ref::detail::LagrangeLine;
using ref::detail::ValidateValue;

namespace {

constexpr double kDefaultTolerance = 1e-5;

// A domain bound as stored: infinities become the open-end value, a NaN the open end on its side.
double BoundOrOpen(double v, double openEnd) {
    if (IsNaN(v))
        return openEnd;
    ValidateValue(v);
    return v;
}

} // namespace

// ---- PointList ------------------------------------------------------------------------------

RefFunction1D::PointList::PointList() : cursor(points.end()) {}

RefFunction1D::PointList::PointList(const PointList& other) : points(other.points), cursor(points.end()) {
    cursor = std::next(points.begin(),
                       std::distance(other.points.begin(), std::list<Point>::const_iterator(other.cursor)));
}

RefFunction1D::PointList& RefFunction1D::PointList::operator=(const PointList& other) {
    if (this != &other) {
        const auto offset =
            std::distance(other.points.begin(), std::list<Point>::const_iterator(other.cursor));
        points = other.points;
        cursor = std::next(points.begin(), offset);
    }
    return *this;
}

RefFunction1D::PointList::~PointList() = default;

void RefFunction1D::PointList::AddPoint(const Point& p) {
    points.push_back(p);
}

void RefFunction1D::PointList::ResetCursor() {
    cursor = points.begin();
}

bool RefFunction1D::PointList::GetNext(double& x, double& y) {
    if (cursor == points.end())
        return false;
    x = cursor->x;
    y = cursor->y;
    ++cursor;
    return true;
}

bool RefFunction1D::PointList::GetLast(double& x, double& y) {
    if (points.empty())
        return false;
    x = points.back().x;
    y = points.back().y;
    return true;
}

// ---- Construction and copying -----------------------------------------------------------------

RefFunction1D::RefFunction1D()
    : points{{-kOpenEnd, 0.0}, {kOpenEnd, 0.0}}, xmin(-kOpenEnd), xmax(kOpenEnd),
      Xtolerance(kDefaultTolerance), Ytolerance(kDefaultTolerance), forceJumps(0) {}

RefFunction1D::RefFunction1D(double xmin_, double xmax_, int forceJumps_)
    : xmin(BoundOrOpen(xmin_, -kOpenEnd)), xmax(BoundOrOpen(xmax_, kOpenEnd)), Xtolerance(kDefaultTolerance),
      Ytolerance(kDefaultTolerance), forceJumps(forceJumps_) {
    points = {{xmin, 0.0}, {xmax, 0.0}};
}

namespace {

// n + 1 samples of `value` upwards from x0 by |x1 - x0| / n, by repeated addition of the step.
template <typename F>
void SampleUpwards(std::vector<RefFunction1D::Point>& points, double x0, double x1, int n, F value) {
    if (n <= 0 || !IsFinite(x0) || !IsFinite(x1))
        return;
    const double step = std::fabs(x1 - x0) / n;
    points.reserve(static_cast<std::size_t>(n) + 1);
    double x = x0;
    for (int i = 0; i <= n; ++i) {
        double y = value(x);
        if (ValidateValue(y))
            points.push_back({x, y});
        x += step;
        if (!IsFinite(x))
            break; // beyond the double range
    }
}

} // namespace

RefFunction1D::RefFunction1D(CVyMathPolynom& p, double x0, double x1, int n)
    : xmin(BoundOrOpen(x0, -kOpenEnd)), xmax(BoundOrOpen(x1, kOpenEnd)), Xtolerance(kDefaultTolerance),
      Ytolerance(kDefaultTolerance), forceJumps(0) {
    SampleUpwards(points, x0, x1, n, [&p](double x) { return p.ValPoly(x); });
}

RefFunction1D::RefFunction1D(double (*f)(double), double x0, double x1, int n)
    : xmin(BoundOrOpen(x0, -kOpenEnd)), xmax(BoundOrOpen(x1, kOpenEnd)), Xtolerance(kDefaultTolerance),
      Ytolerance(kDefaultTolerance), forceJumps(0) {
    if (f != nullptr)
        SampleUpwards(points, x0, x1, n, f);
}

RefFunction1D::RefFunction1D(const RefFunction1D& g, double x0, double x1, int n)
    : xmin(BoundOrOpen(x0, -kOpenEnd)), xmax(BoundOrOpen(x1, kOpenEnd)), Xtolerance(kDefaultTolerance),
      Ytolerance(kDefaultTolerance), forceJumps(0) {
    if (n <= 0)
        return;
    const double step = std::fabs(x1 - x0) / n;
    double x = x0;
    for (int i = 0; i <= n; ++i) {
        double y;
        if (g.GetOrdinate(x, y)) {
            points.push_back({x, y});
            x += step;
            if (!IsFinite(x))
                break;
        }
    }
}

RefFunction1D::RefFunction1D(const RefFunction1D& g, double length)
    : Xtolerance(kDefaultTolerance), Ytolerance(kDefaultTolerance), forceJumps(0) {
    double a, b;
    g.GetFullRange(a, b);
    xmin = a;
    xmax = BoundOrOpen(a + length, kOpenEnd);
    const int m = g.GetNumberElement();
    if (m == 0 || !IsFinite(length))
        return;
    const double sourceStep = std::fabs(b - a) / m;
    const double targetStep = std::fabs(length) / m;
    double xs = a, xt = a;
    for (int i = 0; i <= m; ++i) {
        double y;
        if (g.GetOrdinate(xs, y)) {
            points.push_back({xt, y});
            xs += sourceStep;
            xt += targetStep;
            if (!IsFinite(xs) || !IsFinite(xt))
                break;
        }
    }
}

RefFunction1D::RefFunction1D(const double& amplitude, const double& pulsation, const double& phase,
                             double xmin_, double xmax_, double step)
    : xmin(BoundOrOpen(xmin_, -kOpenEnd)), xmax(BoundOrOpen(xmax_, kOpenEnd)), Xtolerance(kDefaultTolerance),
      Ytolerance(kDefaultTolerance), forceJumps(0) {
    if (ref::Smaller(step, 0.0, 1e-5) || ref::Greater(step, xmax_, 1e-5) || ref::Greater(0.0, xmax_, 1e-5))
        return;
    if (!(step > 0.0) || !IsFinite(xmax_))
        return; // would never pass xmax
    const double expected = (xmax_ + Xtolerance) / step;
    if (expected < 1e7)
        points.reserve(static_cast<std::size_t>(expected) + 2);
    double x = 0.0;
    while (!ref::Greater(x, xmax_, Xtolerance)) {
        double y = amplitude * std::sin(x * pulsation + phase);
        if (ValidateValue(y))
            points.push_back({x, y});
        const double next = x + step;
        if (next == x)
            break; // the step is lost in the abscissa: no progress possible
        x = next;
    }
}

RefFunction1D::RefFunction1D(const RefFunction1D& other) = default;

const RefFunction1D& RefFunction1D::operator=(const RefFunction1D& other) {
    if (this != &other) {
        points = other.points;
        jumpAbscissas = other.jumpAbscissas;
    }
    xmin = other.xmin;
    xmax = other.xmax;
    Xtolerance = other.Xtolerance;
    Ytolerance = other.Ytolerance;
    forceJumps = other.forceJumps;
    return *this;
}

RefFunction1D::~RefFunction1D() = default;

// ---- Tolerances, range, lookup ----------------------------------------------------------------

void RefFunction1D::SetXtolerance(double t) {
    if (!IsNaN(t))
        Xtolerance = t;
}

void RefFunction1D::SetYtolerance(double t) {
    if (!IsNaN(t))
        Ytolerance = t;
}

double RefFunction1D::GetXtolerance() {
    return Xtolerance;
}

double RefFunction1D::GetYtolerance() {
    return Ytolerance;
}

void RefFunction1D::GetFullRange(double& xmin_, double& xmax_) const {
    xmin_ = xmin;
    xmax_ = xmax;
}

int RefFunction1D::GetNumberElement() const {
    int n = static_cast<int>(points.size());
    if (n < 2)
        return n;
    if (ref::Equal(xmin, -kOpenEnd, Xtolerance))
        --n;
    if (ref::Equal(xmax, kOpenEnd, Xtolerance))
        --n;
    return n;
}

bool RefFunction1D::Find(double x) {
    for (const Point& p : points)
        if (ref::Equal(p.x, x, Xtolerance))
            return true;
    return false;
}

void RefFunction1D::Find(double x, int& lo, int& hi) const {
    const int n = static_cast<int>(points.size());
    if (n == 0) {
        lo = hi = -1;
        return;
    }
    lo = 0;
    hi = n - 1;
    if (x == points[lo].x) {
        hi = lo;
        return;
    }
    if (x == points[hi].x) {
        lo = hi;
        return;
    }
    if (n == 1)
        return;
    do {
        const int mid = (lo + hi) / 2;
        if (ref::Greater(x, points[mid].x, Xtolerance)) {
            lo = mid;
        } else if (ref::Equal(x, points[mid].x, Xtolerance)) {
            lo = hi = mid;
        } else {
            hi = mid;
        }
    } while (hi != lo + 1 && hi != lo);
}

bool RefFunction1D::GetOrdinate(double x, double& y) const {
    if (points.empty() || IsNaN(x))
        return false;
    if (ref::Smaller(x, xmin, Xtolerance) || ref::Greater(x, xmax, Xtolerance))
        return false;
    if (ref::Equal(x, points.front().x, Xtolerance)) {
        y = points.front().y;
        return true;
    }
    if (ref::Equal(x, points.back().x, Xtolerance)) {
        y = points.back().y;
        return true;
    }
    int lo, hi;
    Find(x, lo, hi);
    if (lo == hi) {
        y = points[lo].y;
    } else {
        const Point& l = points[lo];
        const Point& h = points[hi];
        y = LagrangeLine(l.x, l.y, h.x, h.y, x);
    }
    return true;
}

// ---- Definedness and replacement --------------------------------------------------------------

bool RefFunction1D::DefinedAt(double x) const {
    if (points.empty())
        return false;
    if (ref::Smaller(x, points.front().x, Xtolerance))
        return false;
    if (ref::Greater(x, points.back().x, Xtolerance))
        return false;
    for (double j : jumpAbscissas)
        if (ref::Greater(x, j - Xtolerance, 0.0) && ref::Smaller(x, j + Xtolerance, 0.0))
            return false;
    return true;
}

bool RefFunction1D::IsDefined(double x) {
    return DefinedAt(x);
}

bool RefFunction1D::Replace(double x, double y) {
    if (!ValidateValue(y))
        return false;
    if (!DefinedAt(x))
        return false;
    for (Point& p : points) {
        if (ref::Equal(p.x, x, Xtolerance)) {
            p = {x, y};
            return true;
        }
    }
    return false;
}

// ---- Insertion ------------------------------------------------------------------------------

std::size_t RefFunction1D::LocateInsertion(double x, bool& found) const {
    // The walk from the first point: it stops at the first point within Xtolerance of x, or beyond x.
    std::size_t i = 0;
    for (; i < points.size(); ++i) {
        const Point& p = points[i];
        if (ref::Equal(p.x, x, Xtolerance) || ref::SmallerEqual(x, p.x, Xtolerance) || x < p.x)
            break;
    }
    found = i < points.size() && ref::Equal(points[i].x, x, Xtolerance);
    return i;
}

RefFunction1D::InfoInsertPoint RefFunction1D::Set(double x, double y) {
    if (!ValidateValue(y) || !IsFinite(x))
        return InsertRefused;
    if (!points.empty() &&
        (ref::Equal(x, points.front().x, Xtolerance) || ref::Equal(x, points.back().x, Xtolerance))) {
        Replace(x, y);
        return InsertDone;
    }
    bool found;
    const std::size_t i = LocateInsertion(x, found);
    if (found)
        return ref::Equal(points[i].y, y, Ytolerance) ? InsertExists : InsertConflict;
    points.insert(points.begin() + static_cast<std::ptrdiff_t>(i), Point{x, y});
    return InsertDone;
}

RefFunction1D::InfoInsertPoint RefFunction1D::Set(double x, double yLeft, double yRight) {
    if (!ValidateValue(yLeft) || !ValidateValue(yRight))
        return InsertConflict;
    if (!IsFinite(x))
        return InsertRefused;
    if (ref::Equal(yLeft, yRight, Ytolerance) && forceJumps == 0)
        return Set(x, yLeft);
    jumpAbscissas.push_back(x);
    const InfoInsertPoint r1 = Set(x - Xtolerance, yLeft);
    const InfoInsertPoint r2 = Set(x + Xtolerance, yRight);
    return r1 == r2 ? r1 : InsertConflict;
}

namespace {

// Inserts (x, y) at pos, or (x + offset, y) when `match` (a stored point with the abscissa x) has
// another ordinate; InsertExists when it has the same.
RefFunction1D::InfoInsertPoint InsertUnique(std::vector<RefFunction1D::Point>& points, std::size_t pos,
                                            const RefFunction1D::Point* match, double x, double y,
                                            double offset, double ytol) {
    if (match != nullptr) {
        if (ref::Equal(match->y, y, ytol))
            return RefFunction1D::InsertExists;
        x += offset;
        if (!IsFinite(x))
            return RefFunction1D::InsertRefused;
    }
    points.insert(points.begin() + static_cast<std::ptrdiff_t>(pos), RefFunction1D::Point{x, y});
    return RefFunction1D::InsertDone;
}

} // namespace

RefFunction1D::InfoInsertPoint RefFunction1D::SetUniqueAbscissa(double x, double y, double offset) {
    if (!ValidateValue(y) || !IsFinite(x) || points.empty())
        return InsertRefused;
    const Point* match = nullptr;
    for (const Point& p : points) {
        if (ref::Equal(p.x, x, Xtolerance)) {
            match = &p;
            break;
        }
    }
    return InsertUnique(points, points.size() - 1, match, x, y, offset, Ytolerance);
}

RefFunction1D::InfoInsertPoint RefFunction1D::SetUniqueAbscissaAtIndex(double x, double y, double offset,
                                                                       int index) {
    if (!ValidateValue(y) || !IsFinite(x))
        return InsertRefused;
    if (index < 0 || static_cast<std::size_t>(index) >= points.size())
        return InsertRefused;
    const std::size_t pos = static_cast<std::size_t>(index);
    const Point* match = ref::Equal(points[pos].x, x, Xtolerance) ? &points[pos] : nullptr;
    return InsertUnique(points, pos, match, x, y, offset, Ytolerance);
}

RefFunction1D::InfoInsertPoint RefFunction1D::SetConstant(double x1, double x2, double y) {
    if (!ValidateValue(y))
        return InsertConflict;
    if (!IsFinite(x1) || !IsFinite(x2) || x2 < x1 || points.empty())
        return InsertRefused;
    const double firstX = points.front().x;
    // Before the curve: not on the first point and below it (also exactly Xtolerance below it).
    const auto before = [this, firstX](double x) {
        return !ref::Equal(x, firstX, Xtolerance) && (ref::Smaller(x, firstX, Xtolerance) || x < firstX);
    };
    if (before(x1)) {
        // In front of the curve: (x1, y) first; (x2, y) only when it also lies before the curve.
        if (before(x2))
            points.insert(points.begin(), {Point{x1, y}, Point{x2, y}});
        else
            points.insert(points.begin(), Point{x1, y});
        return InsertDone;
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point& p = points[i];
        if (ref::Equal(x1, p.x, Xtolerance) || ref::Equal(x2, p.x, Xtolerance))
            return ref::GreaterEqual(p.y, y, Xtolerance) ? InsertExists : InsertConflict;
        // A point exactly Xtolerance beyond x1 or x2 still counts as beyond it, keeping the order.
        const bool beyond1 = ref::Smaller(x1, p.x, Xtolerance) || x1 < p.x;
        const bool beyond2 = ref::Smaller(x2, p.x, Xtolerance) || x2 < p.x;
        if (beyond1 && beyond2) {
            points.insert(points.begin() + static_cast<std::ptrdiff_t>(i), {Point{x1, y}, Point{x2, y}});
            return InsertDone;
        }
    }
    return InsertRefused;
}

// ---- Domain and clearing ----------------------------------------------------------------------

void RefFunction1D::SetDomain(double a, double b) {
    if (IsNaN(a) || IsNaN(b))
        return;
    ValidateValue(a);
    ValidateValue(b);
    if (b < a)
        return;
    if (points.empty()) {
        points.push_back({a, -kOpenEnd});
        points.push_back({b, kOpenEnd});
        return;
    }
    // Lower end.
    bool emptied = false;
    double wBefore = 0.0;
    if (ref::GreaterEqual(a, xmin, Xtolerance)) {
        double v = 0.0;
        GetOrdinate(a, v);
        std::size_t cut = 0;
        while (cut < points.size() && ref::Greater(a, points[cut].x, Xtolerance))
            ++cut;
        if (cut == points.size()) {
            // Every point lies below a: the upper end takes the value the curve had at b.
            emptied = true;
            GetOrdinate(b, wBefore);
        }
        points.erase(points.begin(), points.begin() + static_cast<std::ptrdiff_t>(cut));
        if (DefinedAt(a))
            points.front() = {a, v};
        else
            points.insert(points.begin(), Point{a, v});
    } else {
        points.insert(points.begin(), Point{a, -kOpenEnd});
    }
    xmin = a;
    // Upper end.
    if (!ref::Greater(b, xmax, Xtolerance)) {
        double w = wBefore;
        if (!emptied)
            GetOrdinate(b, w);
        while (!points.empty() && ref::Greater(points.back().x, b, Xtolerance))
            points.pop_back();
        if (DefinedAt(b))
            points.back() = {b, w};
        else
            points.push_back({b, w});
    } else {
        points.push_back({b, -kOpenEnd});
    }
    xmax = b;
}

void RefFunction1D::Clear(bool all) {
    if (all || points.empty()) {
        points.clear();
        return;
    }
    const Point first = points.front();
    const Point last = points.back();
    points.assign({first, last});
}

std::size_t RefFunction1D::GetOrdinates(const double* x, double* y, std::size_t n) const {
    if (x == nullptr || y == nullptr)
        return 0;
    std::size_t found = 0;
    for (std::size_t i = 0; i < n; ++i) {
        double v;
        if (GetOrdinate(x[i], v)) {
            y[i] = v;
            ++found;
        } else {
            y[i] = ref::kNaN;
        }
    }
    return found;
}
