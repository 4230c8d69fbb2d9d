// Building the diagrams of the cases.
#include "Diagrams.h"

#include "Failure.h"
#include "Numbers.h"
#include "Progress.h"

#include <algorithm>
#include <cmath>

namespace vycli {

namespace {

using Point = CVyMathFunction1D::Point;

// The rows of a case at one abscissa: one (a point) or two (a jump).
struct Group {
    const Row* first;
    const Row* second; // null for a point
};

class Builder {
public:
    Builder(const Input& in, const CaseRows& c) : in(in), c(c) {}

    CVyMathFunction1D Build() {
        Sort();
        CVyMathFunction1D f(groups.front().first->x, groups.back().first->x, 0);
        for (std::size_t i = 0; i < groups.size(); ++i) {
            const Group& g = groups[i];
            const auto code =
                g.second ? f.Set(g.first->x, g.first->y, g.second->y) : f.Set(g.first->x, g.first->y);
            if (code != CVyMathFunction1D::InsertDone)
                TooClose(f, i);
        }
        Verify(f);
        return f;
    }

private:
    // Rows by abscissa, the file order kept at equal abscissas; then grouped.
    void Sort() {
        rows.reserve(c.rows.size());
        for (const Row& r : c.rows)
            rows.push_back(&r);
        std::stable_sort(rows.begin(), rows.end(), [](const Row* a, const Row* b) { return a->x < b->x; });
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (!groups.empty() && groups.back().first->x == rows[i]->x) {
                if (groups.back().second != nullptr)
                    DataError(in.Where(c, rows[i]->origin) + ": case " + Quoted(c.name) +
                              " has a third row at x = " + Shortest(rows[i]->x) +
                              ": a jump takes two rows, the left value first");
                groups.back().second = rows[i];
            } else {
                groups.push_back({rows[i], nullptr});
            }
        }
        if (groups.size() < 2)
            DataError(in.Where(c, rows.front()->origin) + ": case " + Quoted(c.name) + " has " +
                      (rows.size() == 1 ? "a single point" : "a single abscissa") +
                      ", at x = " + Shortest(rows.front()->x) + ": a diagram needs two abscissas at least");
        // At the ends of the domain only the side inside it counts: the right value at the first
        // abscissa, the left one at the last.
        if (groups.front().second != nullptr)
            groups.front() = {groups.front().second, nullptr};
        groups.back().second = nullptr;
    }

    // Every row stands in f as given: (x, y) for a point, (x -+ Xtolerance, left and right) for a jump
    // (or one point where the library finds both sides equal).
    void Verify(CVyMathFunction1D& f) {
        const std::vector<Point> stored = StoredPoints(f);
        const double t = f.GetXtolerance();
        const auto is = [&stored](std::size_t k, double x, double y) {
            return k < stored.size() && stored[k].x == x && stored[k].y == y;
        };
        std::size_t k = 0;
        for (std::size_t i = 0; i < groups.size(); ++i) {
            const Group& g = groups[i];
            const double x = g.first->x;
            if (g.second && is(k, x - t, g.first->y) && is(k + 1, x + t, g.second->y))
                k += 2;
            else if (is(k, x, g.first->y))
                k += 1;
            else
                TooClose(f, i);
        }
        if (k != stored.size())
            TooClose(f, groups.size() - 1);
    }

    // Group i was refused or overwritten: a neighbour lies within the abscissa tolerance.
    [[noreturn]] void TooClose(CVyMathFunction1D& f, std::size_t i) {
        const double x = groups[i].first->x;
        std::size_t n = i == 0 ? 1 : i - 1;
        if (i > 0 && i + 1 < groups.size() && groups[i + 1].first->x - x < x - groups[i - 1].first->x)
            n = i + 1;
        const Row* other = groups[n].first;
        DataError(in.Where(c, groups[i].first->origin) + ": case " + Quoted(c.name) + ": x = " + Shortest(x) +
                  " is too close to x = " + Shortest(other->x) + " (" + in.Where(c, other->origin) +
                  "): points closer than the abscissa tolerance " + Shortest(f.GetXtolerance()) +
                  " (twice that beside a jump) cannot be told apart");
    }

    const Input& in;
    const CaseRows& c;
    std::vector<const Row*> rows;
    std::vector<Group> groups;
};

} // namespace

std::vector<Point> StoredPoints(CVyMathFunction1D& f) {
    CVyMathFunction1D::PointList list;
    f.GetListPoint(list, CVyMathFunction1D::ListAsStored);
    std::vector<Point> points;
    double x, y;
    list.ResetCursor();
    while (list.GetNext(x, y))
        points.push_back({x, y});
    return points;
}

std::vector<Member> BuildDiagrams(const Input& in, Progress& progress) {
    std::vector<Member> members;
    members.reserve(in.cases.size());
    progress.Stage("building " + std::to_string(in.cases.size()) + " diagrams", in.cases.size());
    for (const CaseRows& c : in.cases) {
        members.push_back({c.name, Builder(in, c).Build()});
        progress.Advance(members.size());
    }
    return members;
}

} // namespace vycli
