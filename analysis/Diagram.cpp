// Building a diagram from rows.
#include "vymath/analysis/Diagram.h"

#include "Text.h"

#include <algorithm>
#include <cmath>

namespace vymath {
namespace analysis {

using text::Quoted;
using text::Shortest;

namespace {

using Point = CVyMathFunction1D::Point;

// The rows at one abscissa: one (a point) or two (a jump).
struct Group {
    const Row* first;
    const Row* second; // null for a point
};

class Builder {
public:
    Builder(const std::string& label, std::vector<Row>& rows, const Locator& where)
        : label(label), rows(rows), where(where) {}

    Diagram Build() {
        Gather();
        Diagram d{CVyMathFunction1D(groups.front().first->x, groups.back().first->x, 0), {}};
        for (std::size_t i = 0; i < groups.size(); ++i) {
            const auto& g = groups[i];
            const auto code =
                g.second ? d.f.Set(g.first->x, g.first->y, g.second->y) : d.f.Set(g.first->x, g.first->y);
            if (code != CVyMathFunction1D::InsertDone)
                TooClose(d.f, i);
        }
        Verify(d);
        return d;
    }

private:
    // Rows by abscissa, the given order kept at equal abscissas; then grouped.
    void Gather() {
        std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.x < b.x; });
        for (const Row& r : rows) {
            if (!groups.empty() && groups.back().first->x == r.x) {
                if (groups.back().second != nullptr)
                    Fail(r.origin, " has a third row at x = " + Shortest(r.x) +
                                       ": a jump takes two rows, the left value first");
                groups.back().second = &r;
            } else {
                groups.push_back({&r, nullptr});
            }
        }
        if (groups.size() < 2)
            Fail(rows.front().origin,
                 std::string(" has ") + (rows.size() == 1 ? "a single point" : "a single abscissa") +
                     ", at x = " + Shortest(rows.front().x) + ": a diagram needs two abscissas at least");
        // At the ends of the domain only the side inside it counts.
        if (groups.front().second != nullptr)
            groups.front() = {groups.front().second, nullptr};
        groups.back().second = nullptr;
    }

    // Every row stands in f as given: (x, y) for a point, (x -+ Xtolerance, left and right) for a jump
    // (one point where the library finds both sides equal).
    void Verify(Diagram& d) {
        CVyMathFunction1D& f = d.f;
        const std::vector<Point> stored = f.GetPoints();
        const double t = f.GetXtolerance();
        const auto is = [&stored](std::size_t k, double px, double py) {
            return k < stored.size() && stored[k].x == px && stored[k].y == py;
        };
        std::size_t k = 0;
        for (std::size_t i = 0; i < groups.size(); ++i) {
            const auto& g = groups[i];
            const double gx = g.first->x;
            if (g.second && is(k, gx - t, g.first->y) && is(k + 1, gx + t, g.second->y)) {
                d.jumps.push_back(gx);
                k += 2;
            } else if (is(k, gx, g.first->y))
                k += 1;
            else
                TooClose(f, i);
        }
        if (k != stored.size())
            TooClose(f, groups.size() - 1);
    }

    [[noreturn]] void Fail(std::size_t origin, const std::string& what) const {
        throw Error(Error::Kind::Data, where(origin) + ": " + label + what);
    }

    // Group i was refused or overwritten: a neighbour lies within the abscissa tolerance.
    [[noreturn]] void TooClose(CVyMathFunction1D& f, std::size_t i) const {
        const double x = groups[i].first->x;
        std::size_t n = i == 0 ? 1 : i - 1;
        if (i > 0 && i + 1 < groups.size() && groups[i + 1].first->x - x < x - groups[i - 1].first->x)
            n = i + 1;
        const Row* other = groups[n].first;
        Fail(groups[i].first->origin,
             ": x = " + Shortest(x) + " is too close to x = " + Shortest(other->x) + " (" +
                 where(other->origin) + "): points closer than the abscissa tolerance " +
                 Shortest(f.GetXtolerance()) + " (twice that beside a jump) cannot be told apart");
    }

    const std::string& label;
    std::vector<Row>& rows;
    const Locator& where;
    std::vector<Group> groups;
};

} // namespace

bool Diagram::Sides(double x, double& left, double& right) const {
    double v;
    if (!f.GetOrdinate(x, v))
        return false;
    left = right = v;
    const double t = const_cast<CVyMathFunction1D&>(f).GetXtolerance(); // a getter that is not const
    const auto at = std::lower_bound(jumps.begin(), jumps.end(), x - t);
    if (at != jumps.end() && *at <= x + t) {
        f.GetOrdinate(*at - t, left);
        f.GetOrdinate(*at + t, right);
    }
    return true;
}

std::vector<CVyMathFunction1D::Point> Diagram::Points() const {
    std::vector<Point> points = f.GetPoints();
    const double t = const_cast<CVyMathFunction1D&>(f).GetXtolerance();
    std::size_t k = 0;
    for (const double j : jumps) {
        while (k < points.size() && points[k].x < j - t)
            ++k;
        for (; k < points.size() && points[k].x <= j + t; ++k)
            points[k].x = j;
    }
    return points;
}

bool Diagram::Slopes(double x, double& left, double& right) const {
    double v;
    if (!f.GetOrdinate(x, v))
        return false;
    const std::vector<Point> p = Points();
    const auto slope = [&p](std::size_t a, std::size_t b) {
        return p[b].x == p[a].x ? 0.0 : (p[b].y - p[a].y) / (p[b].x - p[a].x);
    };
    // The points left of x and right of it; those at x are the sides of a jump (or a vertex).
    std::size_t a = 0;
    while (a < p.size() && p[a].x < x)
        ++a;
    std::size_t b = a;
    while (b < p.size() && p[b].x == x)
        ++b;
    left = a == 0 ? 0.0 : slope(a - 1, a < b ? a : (a < p.size() ? a : a - 1));
    right = b >= p.size() ? 0.0 : slope(a < b ? b - 1 : (a == 0 ? 0 : a - 1), b);
    return true;
}

Diagram BuildDiagram(const std::string& label, std::vector<Row> rows, const Locator& where) {
    return Builder(label, rows, where).Build();
}

} // namespace analysis
} // namespace vymath
