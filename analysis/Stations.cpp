// Jumps at their station.
#include "Stations.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace vymath {
namespace analysis {

namespace {

// The line's value at x by its points (x within its extent).
double ValueAt(const EnvelopeLine& line, double x) {
    const auto it = std::lower_bound(line.x.begin(), line.x.end(), x);
    const std::size_t i = static_cast<std::size_t>(it - line.x.begin());
    if (i < line.x.size() && line.x[i] == x)
        return line.y[i];
    if (i == 0)
        return line.y.front();
    if (i == line.x.size())
        return line.y.back();
    const double t = (x - line.x[i - 1]) / (line.x[i] - line.x[i - 1]);
    return line.y[i - 1] + t * (line.y[i] - line.y[i - 1]);
}

bool Tied(double a, double b) {
    return std::fabs(a - b) <= 1e-10 * std::max(1.0, std::max(std::fabs(a), std::fabs(b)));
}

// Of the diagrams equal to `chosen` on one side of j, the one governing beyond it: the greatest (least)
// value, then the steepest way up (down) away from j; ties to the first.
int Decide(int chosen, double value, double j, bool right, const StationSides& sides,
           const StationChoice& c) {
    std::vector<int> tied;
    for (std::size_t k = 0; k < c.count; ++k) {
        double l, r;
        if (sides(static_cast<int>(k), j, l, r) && Tied(right ? r : l, value))
            tied.push_back(static_cast<int>(k));
    }
    if (tied.size() < 2)
        return chosen;
    const double sign = c.upper ? 1.0 : -1.0;
    int best = chosen;
    double bestSlope = 0.0;
    bool known = false;
    for (const int k : tied) {
        double sl, sr;
        if (!c.slopes(k, j, sl, sr))
            continue;
        // Away from j: rightwards the slope itself, leftwards its opposite.
        const double away = sign * (right ? sr : -sl);
        if (!known || away > bestSlope) {
            best = k;
            bestSlope = away;
            known = true;
        }
    }
    return best;
}

} // namespace

std::vector<double> JumpStations(const std::vector<const Diagram*>& diagrams) {
    std::vector<double> all;
    for (const Diagram* d : diagrams)
        all.insert(all.end(), d->jumps.begin(), d->jumps.end());
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
}

EnvelopeLine AtStations(const EnvelopeLine& line, const std::vector<double>& stations, double tol,
                        const StationSides& sides, const StationChoice& choice) {
    if (stations.empty() || line.x.empty())
        return line;
    EnvelopeLine out;
    const std::size_t n = line.x.size();
    std::size_t i = 0;
    for (const double j : stations) {
        const std::size_t first = static_cast<std::size_t>(
            std::lower_bound(line.x.begin() + static_cast<std::ptrdiff_t>(i), line.x.end(), j - tol) -
            line.x.begin());
        std::size_t last = first; // one past the window's points
        while (last < n && line.x[last] <= j + tol)
            ++last;
        bool placeholder = false;
        for (std::size_t k = first; k < last; ++k)
            placeholder = placeholder || line.Placeholder(k);
        if (first == last || placeholder)
            continue;
        for (; i < first; ++i) { // the points before the window
            out.x.push_back(line.x[i]);
            out.y.push_back(line.y[i]);
            out.governing.push_back(line.governing[i]);
        }
        // What governs into the window and out of it.
        int before = first > 0 ? line.governing[first - 1] : line.governing[first];
        int after = line.governing[last - 1];
        double left = 0.0, right = 0.0, unused = 0.0;
        if (before < 0 || !sides(before, j, left, unused))
            left = ValueAt(line, std::max(j - tol, line.x.front()));
        else if (choice.count > 0)
            before = Decide(before, left, j, false, sides, choice);
        if (after < 0 || !sides(after, j, unused, right))
            right = ValueAt(line, std::min(j + tol, line.x.back()));
        else if (choice.count > 0)
            after = Decide(after, right, j, true, sides, choice);
        out.x.push_back(j);
        out.y.push_back(left);
        if (left == right) {
            out.governing.push_back(after);
        } else {
            out.governing.push_back(-1);
            out.x.push_back(j);
            out.y.push_back(right);
            out.governing.push_back(after);
        }
        i = last;
    }
    for (; i < n; ++i) {
        out.x.push_back(line.x[i]);
        out.y.push_back(line.y[i]);
        out.governing.push_back(line.governing[i]);
    }
    return out;
}

} // namespace analysis
} // namespace vymath
