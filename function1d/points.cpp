// The point array of CVyMathFunction1D and the point list its queries fill.
#include "vymath/CVyMathFunction1D.h"

#include "foundation/VyMathInternal.h"

#include <algorithm>
#include <iterator>

using vymath::detail::IsFinite;

namespace {

using Point = CVyMathFunction1D::Point;

// 1 when a point at a, or the pair (a, b), makes the array irregular: b below a, or a NaN.
std::size_t Descent(double a, double b) {
    return a <= b ? 0 : 1;
}

std::size_t NotFinite(double x) {
    return IsFinite(x) ? 0 : 1;
}

} // namespace

// ---- PointArray -----------------------------------------------------------------------------

CVyMathFunction1D::PointArray::PointArray(std::initializer_list<Point> pts) {
    for (const Point& p : pts)
        PushBack(p);
}

void CVyMathFunction1D::PointArray::Insert(std::size_t pos, Point p) {
    const std::size_t n = xs.size();
    if (pos > 0 && pos < n)
        irregular -= Descent(xs[pos - 1], xs[pos]);
    if (pos > 0)
        irregular += Descent(xs[pos - 1], p.x);
    if (pos < n)
        irregular += Descent(p.x, xs[pos]);
    irregular += NotFinite(p.x);
    xs.insert(xs.begin() + static_cast<std::ptrdiff_t>(pos), p.x);
    ys.insert(ys.begin() + static_cast<std::ptrdiff_t>(pos), p.y);
}

void CVyMathFunction1D::PointArray::Insert(std::size_t pos, Point p, Point q) {
    Insert(pos, q);
    Insert(pos, p);
}

void CVyMathFunction1D::PointArray::Erase(std::size_t pos) {
    Erase(pos, pos + 1);
}

void CVyMathFunction1D::PointArray::Erase(std::size_t first, std::size_t last) {
    if (first >= last)
        return;
    const std::size_t n = xs.size();
    for (std::size_t i = first; i < last; ++i) {
        irregular -= NotFinite(xs[i]);
        if (i + 1 < n)
            irregular -= Descent(xs[i], xs[i + 1]);
    }
    if (first > 0)
        irregular -= Descent(xs[first - 1], xs[first]);
    if (first > 0 && last < n)
        irregular += Descent(xs[first - 1], xs[last]);
    xs.erase(xs.begin() + static_cast<std::ptrdiff_t>(first), xs.begin() + static_cast<std::ptrdiff_t>(last));
    ys.erase(ys.begin() + static_cast<std::ptrdiff_t>(first), ys.begin() + static_cast<std::ptrdiff_t>(last));
}

void CVyMathFunction1D::PointArray::InsertBefore(
    const std::vector<std::pair<std::size_t, Point>>& insertions) {
    if (insertions.empty())
        return;
    std::vector<double> nx, ny;
    nx.reserve(xs.size() + insertions.size());
    ny.reserve(xs.size() + insertions.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i <= xs.size(); ++i) {
        for (; next < insertions.size() && insertions[next].first == i; ++next) {
            nx.push_back(insertions[next].second.x);
            ny.push_back(insertions[next].second.y);
        }
        if (i < xs.size()) {
            nx.push_back(xs[i]);
            ny.push_back(ys[i]);
        }
    }
    xs.swap(nx);
    ys.swap(ny);
    Recount();
}

void CVyMathFunction1D::PointArray::Set(std::size_t i, Point p) {
    const std::size_t n = xs.size();
    irregular -= NotFinite(xs[i]);
    if (i > 0)
        irregular -= Descent(xs[i - 1], xs[i]);
    if (i + 1 < n)
        irregular -= Descent(xs[i], xs[i + 1]);
    xs[i] = p.x;
    ys[i] = p.y;
    irregular += NotFinite(p.x);
    if (i > 0)
        irregular += Descent(xs[i - 1], p.x);
    if (i + 1 < n)
        irregular += Descent(p.x, xs[i + 1]);
}

void CVyMathFunction1D::PointArray::PushBack(Point p) {
    Insert(xs.size(), p);
}

void CVyMathFunction1D::PointArray::PopBack() {
    Erase(xs.size() - 1);
}

void CVyMathFunction1D::PointArray::Clear() {
    xs.clear();
    ys.clear();
    irregular = 0;
}

void CVyMathFunction1D::PointArray::Assign(const std::vector<Point>& pts) {
    xs.resize(pts.size());
    ys.resize(pts.size());
    for (std::size_t i = 0; i < pts.size(); ++i) {
        xs[i] = pts[i].x;
        ys[i] = pts[i].y;
    }
    Recount();
}

void CVyMathFunction1D::PointArray::Reserve(std::size_t n) {
    xs.reserve(n);
    ys.reserve(n);
}

void CVyMathFunction1D::PointArray::Swap(PointArray& other) {
    xs.swap(other.xs);
    ys.swap(other.ys);
    std::swap(irregular, other.irregular);
}

void CVyMathFunction1D::PointArray::Reverse() {
    std::reverse(xs.begin(), xs.end());
    std::reverse(ys.begin(), ys.end());
    Recount();
}

std::vector<Point> CVyMathFunction1D::PointArray::ToVector() const {
    std::vector<Point> out(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i)
        out[i] = {xs[i], ys[i]};
    return out;
}

void CVyMathFunction1D::PointArray::Recount() {
    irregular = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        irregular += NotFinite(xs[i]);
        if (i + 1 < xs.size())
            irregular += Descent(xs[i], xs[i + 1]);
    }
}

// ---- PointList ------------------------------------------------------------------------------

CVyMathFunction1D::PointList::PointList() : cursor(points.end()) {}

CVyMathFunction1D::PointList::PointList(const PointList& other) : points(other.points), cursor(points.end()) {
    cursor = std::next(points.begin(),
                       std::distance(other.points.begin(), std::list<Point>::const_iterator(other.cursor)));
}

CVyMathFunction1D::PointList& CVyMathFunction1D::PointList::operator=(const PointList& other) {
    if (this != &other) {
        const auto offset =
            std::distance(other.points.begin(), std::list<Point>::const_iterator(other.cursor));
        points = other.points;
        cursor = std::next(points.begin(), offset);
    }
    return *this;
}

CVyMathFunction1D::PointList::~PointList() = default;

void CVyMathFunction1D::PointList::AddPoint(const Point& p) {
    points.push_back(p);
}

void CVyMathFunction1D::PointList::ResetCursor() {
    cursor = points.begin();
}

bool CVyMathFunction1D::PointList::GetNext(double& x, double& y) {
    if (cursor == points.end())
        return false;
    x = cursor->x;
    y = cursor->y;
    ++cursor;
    return true;
}

bool CVyMathFunction1D::PointList::GetLast(double& x, double& y) {
    if (points.empty())
        return false;
    x = points.back().x;
    y = points.back().y;
    return true;
}
