// Convex hulls of force pairs.
#include "Hull.h"

namespace vymath {
namespace analysis {

namespace {

using W = long double;

// (b - a) x (c - a), in extended precision.
W Cross(const TermPair& a, const TermPair& b, const TermPair& c) {
    return (W(b.n) - a.n) * (W(c.m) - a.m) - (W(b.m) - a.m) * (W(c.n) - a.n);
}

} // namespace

void ConvexHull(std::vector<TermPair>& pairs) {
    if (pairs.size() < 2)
        return;
    std::stable_sort(pairs.begin(), pairs.end(), [](const TermPair& a, const TermPair& b) {
        return a.n < b.n || (a.n == b.n && a.m < b.m);
    });
    // Andrew's monotone chain: the lower hull left to right, then the upper one back.
    std::vector<TermPair> hull;
    hull.reserve(2 * pairs.size());
    for (const TermPair& p : pairs) {
        while (hull.size() >= 2 && Cross(hull[hull.size() - 2], hull.back(), p) <= 0)
            hull.pop_back();
        if (hull.empty() || hull.back().n != p.n || hull.back().m != p.m)
            hull.push_back(p);
    }
    const std::size_t lower = hull.size();
    for (std::size_t i = pairs.size() - 1; i-- > 0;) {
        const TermPair& p = pairs[i];
        while (hull.size() > lower && Cross(hull[hull.size() - 2], hull.back(), p) <= 0)
            hull.pop_back();
        if (hull.back().n != p.n || hull.back().m != p.m)
            hull.push_back(p);
    }
    if (hull.size() > 1 && hull.back().n == hull.front().n && hull.back().m == hull.front().m)
        hull.pop_back();
    // From the lowest pair (then the leftmost): where the walk's angles start.
    std::size_t start = 0;
    for (std::size_t i = 1; i < hull.size(); ++i)
        if (hull[i].m < hull[start].m || (hull[i].m == hull[start].m && hull[i].n < hull[start].n))
            start = i;
    pairs.assign(hull.begin() + static_cast<std::ptrdiff_t>(start), hull.end());
    pairs.insert(pairs.end(), hull.begin(), hull.begin() + static_cast<std::ptrdiff_t>(start));
}

} // namespace analysis
} // namespace vymath
