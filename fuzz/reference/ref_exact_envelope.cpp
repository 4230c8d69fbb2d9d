// Reference: the exact envelopes by brute force. Every abscissa where the governing member may change is
// collected (every vertex in the range, the crossing of every pair of segments of two members); on each
// stretch between two neighbouring ones every member's segment is looked up and the tournament over the
// positions is played out; then every collected abscissa is visited for the points.
#include "RefExactEnvelope.h"

#include "RefInternal.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

namespace ref {
namespace {

const double kOutTolerance = 1e-9;
const double kSpacing = 2 * kOutTolerance; // the least distance between two output points

// A member's segment from point s to s + 1, or no segment (s < 0).
struct Seg {
    int member;
    int s;
};

bool SameSeg(Seg a, Seg b) {
    return a.s == b.s && (a.s < 0 || a.member == b.member);
}

struct Point3 {
    double x, y;
    int member;
    Seg source;
};

class Brute {
public:
    Brute(const std::vector<Polyline>& m, bool upper, double lo, double hi)
        : m(m), upper(upper), lo(lo), hi(hi), placeholder(upper ? -DBL_MAX : DBL_MAX) {}

    void Run(std::vector<double>& xs, std::vector<double>& ys, std::vector<int>& cases) {
        if (!(hi - lo >= kSpacing)) {
            std::vector<int> candidates;
            for (int k = 0; k < static_cast<int>(m.size()); ++k)
                if (!m[k].x.empty() && m[k].x.front() <= lo && lo <= m[k].x.back())
                    candidates.push_back(k);
            int best;
            double v;
            if (Best(candidates, lo, best, v))
                out.push_back({lo, v, best, Seg{best, -1}});
            else
                out.push_back({lo, placeholder, -1, Seg{-1, -1}});
        } else {
            const std::vector<double> grid = Grid();
            std::vector<Seg> owners;
            for (std::size_t k = 0; k + 1 < grid.size(); ++k)
                owners.push_back(Tournament(0, static_cast<int>(m.size()), grid[k], grid[k + 1]));
            const Seg none{-1, -1};
            Junction(grid[0], none, owners[0], false, true);
            for (std::size_t k = 1; k + 1 < grid.size(); ++k)
                Junction(grid[k], owners[k - 1], owners[k], true, true);
            Junction(grid.back(), owners.back(), none, true, false);
        }
        for (const Point3& p : out) {
            xs.push_back(p.x);
            ys.push_back(p.y);
            cases.push_back(p.member);
        }
    }

private:
    bool Better(double a, double b) const { return upper ? a > b : a < b; }

    static bool Tied(double a, double b) {
        return std::fabs(a - b) <= 1e-10 * std::max(1.0, std::max(std::fabs(a), std::fabs(b)));
    }

    double SegValue(Seg g, double x) const {
        const Polyline& p = m[g.member];
        if (x == p.x[g.s])
            return p.y[g.s];
        if (x == p.x[g.s + 1])
            return p.y[g.s + 1];
        return detail::LagrangeLine(p.x[g.s], p.y[g.s], p.x[g.s + 1], p.y[g.s + 1], x);
    }

    double PointValue(int member, double x) const {
        const Polyline& p = m[member];
        bool found = false;
        double v = 0.0;
        for (std::size_t i = 0; i < p.x.size(); ++i)
            if (p.x[i] == x && (!found || Better(p.y[i], v))) {
                v = p.y[i];
                found = true;
            }
        if (found)
            return v;
        for (std::size_t i = 0; i + 1 < p.x.size(); ++i)
            if (p.x[i] < x && x < p.x[i + 1])
                return SegValue({member, static_cast<int>(i)}, x);
        return v;
    }

    // The outcome of two segments on their common stretch [L, R]: the winner left of the crossing c and
    // right of it; c is +inf without a crossing.
    void Duel(Seg a, Seg b, Seg& left, Seg& right, double& c) const {
        const Polyline& pa = m[a.member];
        const Polyline& pb = m[b.member];
        const double L = std::max(pa.x[a.s], pb.x[b.s]);
        const double R = std::min(pa.x[a.s + 1], pb.x[b.s + 1]);
        const double aL = SegValue(a, L), bL = SegValue(b, L), aR = SegValue(a, R), bR = SegValue(b, R);
        c = kInf;
        if (Tied(aL, bL) && Tied(aR, bR)) {
            left = right = a.member < b.member ? a : b;
        } else if (Tied(aL, bL)) {
            left = right = Better(aR, bR) ? a : b;
        } else if (Tied(aR, bR) || Better(aL, bL) == Better(aR, bR)) {
            left = right = Better(aL, bL) ? a : b;
        } else {
            const long double dL = static_cast<long double>(aL) - static_cast<long double>(bL);
            const long double dR = static_cast<long double>(aR) - static_cast<long double>(bR);
            const long double wide =
                static_cast<long double>(L) +
                (static_cast<long double>(R) - static_cast<long double>(L)) * (dL / (dL - dR));
            c = std::min(std::max(static_cast<double>(wide), L), R);
            left = Better(aL, bL) ? a : b;
            right = Better(aL, bL) ? b : a;
        }
    }

    // lo, hi, every vertex between them and every crossing strictly between them.
    std::vector<double> Grid() const {
        std::vector<double> g{lo, hi};
        for (const Polyline& p : m)
            for (double x : p.x)
                if (lo <= x && x <= hi)
                    g.push_back(x);
        for (std::size_t i = 0; i < m.size(); ++i)
            for (std::size_t j = i + 1; j < m.size(); ++j)
                for (std::size_t si = 0; si + 1 < m[i].x.size(); ++si)
                    for (std::size_t sj = 0; sj + 1 < m[j].x.size(); ++sj) {
                        const Seg a{static_cast<int>(i), static_cast<int>(si)};
                        const Seg b{static_cast<int>(j), static_cast<int>(sj)};
                        if (!(m[i].x[si] < m[i].x[si + 1]) || !(m[j].x[sj] < m[j].x[sj + 1]) ||
                            !(std::max(m[i].x[si], m[j].x[sj]) < std::min(m[i].x[si + 1], m[j].x[sj + 1])))
                            continue;
                        Seg left, right;
                        double c;
                        Duel(a, b, left, right, c);
                        if (lo < c && c < hi)
                            g.push_back(c);
                    }
        std::sort(g.begin(), g.end());
        g.erase(std::unique(g.begin(), g.end()), g.end());
        return g;
    }

    // The member's segment of nonzero width covering [from, to], or none.
    Seg Covering(int member, double from, double to) const {
        const Polyline& p = m[member];
        for (std::size_t s = 0; s + 1 < p.x.size(); ++s)
            if (p.x[s] < p.x[s + 1] && p.x[s] <= from && to <= p.x[s + 1])
                return {member, static_cast<int>(s)};
        return {member, -1};
    }

    Seg Tournament(int first, int last, double from, double to) const {
        if (last - first == 1)
            return Covering(first, from, to);
        const int mid = first + (last - first) / 2;
        const Seg a = Tournament(first, mid, from, to), b = Tournament(mid, last, from, to);
        if (a.s < 0)
            return b;
        if (b.s < 0)
            return a;
        Seg left, right;
        double c;
        Duel(a, b, left, right, c);
        return c >= to ? left : right;
    }

    bool Best(const std::vector<int>& candidates, double x, int& best, double& v) const {
        bool any = false;
        for (int k : candidates) {
            const double value = PointValue(k, x);
            if (!any || (Better(value, v) && !Tied(value, v))) {
                best = k;
                v = value;
            }
            any = true;
        }
        return any;
    }

    // source: the segment the point lies on, or none for a point value and the placeholder (member -1).
    void Add(double x, double y, int member, Seg source, bool outerBefore = false) {
        if (outerBefore && x - out.back().x < kSpacing)
            return;
        while (!out.empty() && x - out.back().x < kSpacing) {
            if (out.size() == 1) {
                x = Step(out.front().x, 1.0);
                if (source.s >= 0)
                    y = SegValue(source, x);
                break;
            }
            const Point3 before = out[out.size() - 2];
            const double back = Step(x, -1.0);
            if ((before.source.s >= 0 || before.member < 0) && back - before.x >= kSpacing) {
                out.back() = {back, before.source.s < 0 ? before.y : SegValue(before.source, back),
                              before.member, before.source};
                break;
            }
            out.pop_back();
        }
        out.push_back({x, y, member, source});
    }

    static double Step(double x, double direction) {
        double s = x + direction * kSpacing;
        while (std::fabs(x - s) < kSpacing)
            s = std::nextafter(s, direction * kInf);
        return s;
    }

    double Value(Seg g, double x) const { return g.s < 0 ? placeholder : SegValue(g, x); }
    static int Case(Seg g) { return g.s < 0 ? -1 : g.member; }

    bool Special(int member, double x) const {
        const Polyline& p = m[member];
        if (p.x.empty())
            return false;
        if (x == p.x.front() || x == p.x.back())
            return true;
        for (std::size_t i = 0; i + 1 < p.x.size(); ++i)
            if (p.x[i] == x && p.x[i + 1] == x)
                return true;
        return false;
    }

    void Junction(double x, Seg left, Seg right, bool hasLeft, bool hasRight) {
        std::vector<int> candidates;
        for (int k = 0; k < static_cast<int>(m.size()); ++k)
            if (Special(k, x))
                candidates.push_back(k);
        if (candidates.empty() && hasLeft && hasRight && left.s >= 0 && right.s >= 0 &&
            Tied(SegValue(left, x), SegValue(right, x))) {
            if (!SameSeg(left, right))
                Add(x, SegValue(right, x), right.member, right);
            return;
        }
        if (hasLeft && left.s >= 0)
            candidates.push_back(left.member);
        if (hasRight && right.s >= 0)
            candidates.push_back(right.member);
        std::sort(candidates.begin(), candidates.end());
        candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
        int best;
        double v;
        if (!Best(candidates, x, best, v)) {
            if (!hasLeft || !hasRight)
                Add(x, placeholder, -1, Seg{-1, -1});
            return;
        }
        const bool withLeft = hasLeft && left.s >= 0 && Tied(SegValue(left, x), v);
        const bool withRight = hasRight && right.s >= 0 && Tied(SegValue(right, x), v);
        if (!hasLeft) {
            if (withRight) {
                Add(x, SegValue(right, x), right.member, right);
            } else {
                Add(x, v, best, Seg{best, -1});
                Add(Step(x, 1.0), Value(right, Step(x, 1.0)), Case(right), right);
            }
            return;
        }
        if (!hasRight) {
            if (withLeft) {
                Add(x, SegValue(left, x), left.member, left);
            } else {
                Add(Step(x, -1.0), Value(left, Step(x, -1.0)), Case(left), left, true);
                Add(x, v, best, Seg{best, -1});
            }
            return;
        }
        if (withLeft && withRight) {
            if (!SameSeg(left, right))
                Add(x, SegValue(right, x), right.member, right);
            return;
        }
        if (!withLeft)
            Add(Step(x, -1.0), Value(left, Step(x, -1.0)), Case(left), left, true);
        if (withRight) {
            Add(x, SegValue(right, x), right.member, right);
        } else {
            Add(x, v, best, Seg{best, -1});
            Add(Step(x, 1.0), Value(right, Step(x, 1.0)), Case(right), right);
        }
    }

    const std::vector<Polyline>& m;
    const bool upper;
    const double lo, hi, placeholder;
    std::vector<Point3> out;
};

} // namespace

bool ExactEnvelope(const std::vector<Polyline>& members, double lo, double hi, bool upper,
                   std::vector<double>& xs, std::vector<double>& ys, std::vector<int>& cases) {
    if (members.empty() || !(lo <= hi))
        return false;
    for (const Polyline& p : members)
        for (std::size_t i = 0; i < p.x.size(); ++i)
            if (!detail::IsFinite(p.x[i]) || (i > 0 && p.x[i] < p.x[i - 1]))
                return false;
    xs.clear();
    ys.clear();
    cases.clear();
    Brute(members, upper, lo, hi).Run(xs, ys, cases);
    return true;
}

} // namespace ref
