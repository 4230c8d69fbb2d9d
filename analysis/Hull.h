// Convex hulls of force pairs and the vertices of their Minkowski sum, each vertex with the pair every
// hull gives it. Not installed.
#ifndef VYMATH_ANALYSIS_HULL_H
#define VYMATH_ANALYSIS_HULL_H

#include "Curve.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vymath {
namespace analysis {

// A force pair one term can give, and which: alternative * 4 + corner (bit 0: the first force at the upper
// end of its box, bit 1: the second).
struct TermPair {
    double n, m;
    std::uint32_t id;
};

// The convex hull of the pairs in place: counter-clockwise from the lowest (then leftmost) pair, pairs on
// its edges and repeated ones dropped; one pair, or two, where they all lie on a point or a line. On ties the
// first pair stays. O(k log k).
void ConvexHull(std::vector<TermPair>& pairs);

// An edge of a hull in the Minkowski walk: its direction's diamond angle and its hull.
struct HullEdge {
    double key;
    std::uint32_t hull;
};

// Visits every vertex of the Minkowski sum of the hulls (each counter-clockwise from its lowest pair, as
// ConvexHull leaves them): visit(index) with index[h] the vertex of hull h that the sum's vertex takes. The
// edges of all hulls are merged by angle, so that each step moves one hull to its next vertex: at most
// (sum of the hulls' sizes) vertices, some on the sum's edges. `edges` and `index` are scratch space.
// O(E log E) for E edges, plus the visits.
template <class Visit>
void MinkowskiVertices(const std::vector<std::vector<TermPair>>& hulls, std::vector<HullEdge>& edges,
                       std::vector<std::uint32_t>& index, Visit visit) {
    edges.clear();
    for (std::size_t h = 0; h < hulls.size(); ++h) {
        const std::vector<TermPair>& p = hulls[h];
        if (p.size() < 2)
            continue;
        for (std::size_t i = 0; i < p.size(); ++i) {
            const TermPair& a = p[i];
            const TermPair& b = p[i + 1 == p.size() ? 0 : i + 1];
            edges.push_back({DiamondAngle(b.n - a.n, b.m - a.m), static_cast<std::uint32_t>(h)});
        }
    }
    std::sort(edges.begin(), edges.end(), [](const HullEdge& a, const HullEdge& b) {
        return a.key < b.key || (a.key == b.key && a.hull < b.hull);
    });
    index.assign(hulls.size(), 0);
    visit(index);
    for (std::size_t k = 0; k + 1 < edges.size(); ++k) {
        std::uint32_t& i = index[edges[k].hull];
        i = i + 1 == hulls[edges[k].hull].size() ? 0 : i + 1;
        visit(index);
    }
}

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_HULL_H
