// Reference: section checks by brute force.
#include "RefCheck.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ref {
namespace {

using W = long double;
using vymath::analysis::SituationRules;

const double kInf = std::numeric_limits<double>::infinity();

double Cross(Point a, Point b) {
    return a.x * b.y - a.y * b.x;
}

// p on the closed segment [a, b], in extended precision.
bool OnSegment(Point a, Point b, Point p) {
    const W cross = (W(b.x) - a.x) * (W(p.y) - a.y) - (W(b.y) - a.y) * (W(p.x) - a.x);
    return cross == 0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) &&
           std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y);
}

// Whether the alternative holds a bounded case.
bool Bounded(const vymath::analysis::Alternative& a, const std::set<std::string>& bounded) {
    for (const auto& f : a.factors)
        if (bounded.count(f.loadCase))
            return true;
    return false;
}

// The alternative's pair at a corner of its box.
Point AlternativePair(const vymath::analysis::Alternative& a, int corner,
                      const std::map<std::string, CaseAt>& values) {
    double n = 0.0, m = 0.0;
    for (const auto& f : a.factors) {
        const CaseAt& v = values.at(f.loadCase);
        const double n1 = f.factor * v.nHi, n2 = f.factor * v.nLo, m1 = f.factor * v.mHi,
                     m2 = f.factor * v.mLo;
        n += (corner & 1) ? std::max(n1, n2) : std::min(n1, n2);
        m += (corner & 2) ? std::max(m1, m2) : std::min(m1, m2);
    }
    return {n, m};
}

} // namespace

double RayRatio(const std::vector<Point>& polygon, Point p, double slack) {
    if (p.x == 0 && p.y == 0)
        return 0.0;
    // The ray s p (s > 0) against a + l (b - a), 0 <= l <= 1: the least s.
    double nearest = kInf;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = polygon[i], b = polygon[(i + 1) % n];
        const Point d{b.x - a.x, b.y - a.y};
        const double det = Cross(p, d);
        if (det == 0) {
            if (Cross(p, a) != 0)
                continue; // parallel, apart
            const double pp = p.x * p.x + p.y * p.y;
            for (const Point e : {a, b}) {
                const double s = (e.x * p.x + e.y * p.y) / pp;
                if (s > 0)
                    nearest = std::min(nearest, s);
            }
            continue;
        }
        const double s = Cross(a, d) / det;
        const double l = Cross(a, p) / det;
        if (s > 0 && l >= -slack && l <= 1 + slack)
            nearest = std::min(nearest, s);
    }
    return 1.0 / nearest;
}

double HeldRatio(const std::vector<Point>& polygon, Point p) {
    const Point base{p.x, 0.0};
    const std::size_t n = polygon.size();
    // Strictly inside: on no edge, and an odd number of edges crossing the ray from (N, 0) along +M.
    bool inside = false;
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = polygon[i], b = polygon[(i + 1) % n];
        if (OnSegment(a, b, base))
            return kInf;
        if ((a.x > base.x) != (b.x > base.x)) {
            const W y = W(a.y) + (W(base.x) - a.x) * (W(b.y) - a.y) / (W(b.x) - a.x);
            if (y > 0)
                inside = !inside;
        }
    }
    if (!inside)
        return kInf;
    if (p.y == 0)
        return 0.0;
    // The nearest point of an edge on the vertical line, on p.y's side.
    double nearest = kInf;
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = polygon[i], b = polygon[(i + 1) % n];
        if (base.x < std::min(a.x, b.x) || base.x > std::max(a.x, b.x))
            continue;
        std::vector<double> ys;
        if (a.x == b.x)
            ys = {a.y, b.y};
        else if (base.x == a.x)
            ys = {a.y};
        else if (base.x == b.x)
            ys = {b.y};
        else
            ys = {a.y + (base.x - a.x) * (b.y - a.y) / (b.x - a.x)};
        for (const double y : ys)
            if (p.y > 0 ? y > 0 : y < 0)
                nearest = std::min(nearest, std::fabs(y));
    }
    return std::fabs(p.y) / nearest;
}

std::vector<Combination> Combinations(const SituationRules& situation,
                                      const std::map<std::string, CaseAt>& values,
                                      const std::set<std::string>& bounded) {
    std::vector<Combination> out;
    for (std::size_t r = 0; r < situation.rules.size(); ++r) {
        const auto& terms = situation.rules[r].terms;
        // Each term's choices: (alternative, corner).
        std::vector<std::vector<std::pair<std::size_t, int>>> choices(terms.size());
        for (std::size_t t = 0; t < terms.size(); ++t)
            for (std::size_t a = 0; a < terms[t].alternatives.size(); ++a)
                for (int k = 0; k < (Bounded(terms[t].alternatives[a], bounded) ? 4 : 1); ++k)
                    choices[t].push_back({a, k});
        bool none = false;
        for (const auto& c : choices)
            none = none || c.empty();
        if (none)
            continue;
        std::vector<std::size_t> at(terms.size(), 0);
        while (true) {
            Combination c{r, {}, {}, {0.0, 0.0}};
            for (std::size_t t = 0; t < terms.size(); ++t) {
                c.alternative.push_back(choices[t][at[t]].first);
                c.corner.push_back(choices[t][at[t]].second);
            }
            c.pair = PairOf(situation, c, values, bounded);
            out.push_back(c);
            std::size_t t = terms.size();
            while (t > 0 && ++at[t - 1] == choices[t - 1].size())
                at[--t] = 0;
            if (t == 0)
                break;
        }
    }
    return out;
}

Point PairOf(const SituationRules& situation, const Combination& c,
             const std::map<std::string, CaseAt>& values, const std::set<std::string>&) {
    const auto& terms = situation.rules[c.rule].terms;
    double n = 0.0, m = 0.0;
    for (std::size_t t = 0; t < terms.size(); ++t) {
        const Point p = AlternativePair(terms[t].alternatives[c.alternative[t]], c.corner[t], values);
        n += p.x;
        m += p.y;
    }
    return {n, m};
}

} // namespace ref
