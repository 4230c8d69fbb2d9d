// The pieces of the moving-load search (MovingLoad.cpp): piecewise linear functions with jumps held as
// knots, their sums, the line's bounds over stretches, the sliding-window maximum and the trains' searches.
//
// Every function here is piecewise linear with jumps, held as knots: at each breakpoint the limit from
// the left, the value there (NaN where there is none: an axle exactly on a jump) and the limit from the
// right; linear from one knot's right limit to the next one's left limit, constant beyond the ends. The
// effect of a rigid group of axles, as a function of its first axle's position, is a sum of shifted copies
// of the line; a variable spacing takes the supremum of the next group's effect over a window. Minima
// are maxima of the line with its sign changed, except for a fixed train, whose one sum serves both.
#ifndef VYMATH_ANALYSIS_MOVINGPIECES_H
#define VYMATH_ANALYSIS_MOVINGPIECES_H

#include "vymath/analysis/MovingLoad.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace vymath {
namespace analysis {
namespace moving {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Knot {
    double x; // the breakpoint
    double l; // the limit from the left
    double m; // the value at x; NaN where the function has none
    double r; // the limit from the right
};
using Knots = std::vector<Knot>;

// The larger of two values, a NaN (no value) ignored.
inline double Max(double a, double b) {
    return b > a || a != a ? b : a;
}

// The largest of a knot's values.
inline double Star(const Knot& k) {
    return Max(Max(k.l, k.m), k.r);
}

// The value between knots i - 1 and i at x (i = 0: before the first, i = n: after the last).
inline double Between(const Knot* k, std::size_t n, std::size_t i, double x) {
    if (i == 0)
        return k[0].l;
    if (i == n)
        return k[n - 1].r;
    const Knot& a = k[i - 1];
    const Knot& b = k[i];
    return a.r + (b.l - a.r) * ((x - a.x) / (b.x - a.x));
}

// ---- The line (MovingLine.cpp) ----

// The line's vertices as knots: a jump's two points make one knot at the jump, read by Diagram::Sides;
// the ends close the line to 0 outside.
void LineKnots(const Diagram& d, Knots& out);
// The line travelled backward: x -> -x, the sides exchanged.
void Mirror(const Knots& in, Knots& out);
// The line with its sign changed.
void Negate(const Knots& in, Knots& out);
// The integral of the line's positive part (sign +1) or negative part (sign -1, a negative result), and
// the stretches where it is so, exact between the zeros.
double LaneArea(const Knots& k, double sign, std::vector<std::pair<double, double>>* stretches);
// The knot within tol of x, or k.size().
std::size_t KnotAt(const Knots& k, double x, double tol);
// How close to a vertex an axle stands on it: the rounding of positions summed from spacings.
double Tolerance(const Knots& k, const std::vector<double>& spacings);
// The axles' abscissas of a placement: forward p - c_k, backward p + c_k, c_k summed in order.
void Abscissas(const MovingPlacement& at, std::size_t axles, std::vector<double>& out);
// The effect of a model placed on the line, its lane load over laneArea; xs a buffer.
double Effect(const Knots& line, const LoadModel& model, const MovingPlacement& at, double laneArea,
              std::vector<double>& xs);
// Throws Error (Usage) for a model that breaks LoadModel's rules, naming it by its index.
void CheckModel(const LoadModel& m, std::size_t index);

// ---- Sums of shifted copies ----

// A knot with the slope of the segment after it (0 after the last): a sum of such functions adds the
// slopes, and reads a value between knots from the knot before it, without a division.
struct Node {
    double x, l, m, r, s;
};
using Nodes = std::vector<Node>;

// The slopes of the line's segments, each after its vertex (0 after the last).
inline void Slopes(const Knots& k, std::vector<double>& out) {
    out.resize(k.size());
    for (std::size_t i = 0; i + 1 < k.size(); ++i)
        out[i] = (k[i + 1].l - k[i].r) / (k[i + 1].x - k[i].x);
    out.back() = 0.0;
}

// Where a function stands before its first knot in a range: the last knot passed (abscissa, right value,
// slope after it), or before every knot its constant value.
struct Prior {
    double x, r, s;
};

// The line's knots first..last - 1, shifted by `shift` and scaled by `load`, read without being stored.
struct Leaf {
    const Knot* k;
    const double* slope;
    std::size_t first, last;
    double shift, load;

    std::size_t size() const { return last - first; }
    Node At(std::size_t i) const {
        const Knot& q = k[first + i];
        return {q.x + shift, load * q.l, load * q.m, load * q.r, load * slope[first + i]};
    }
    Prior Before() const {
        if (first == 0)
            return {k[0].x + shift, load * k[0].l, 0.0};
        const Knot& q = k[first - 1];
        return {q.x + shift, load * q.r, load * slope[first - 1]};
    }
};

// Stored nodes.
struct Stored {
    const Node* k;
    std::size_t n;

    std::size_t size() const { return n; }
    Node At(std::size_t i) const { return k[i]; }
};

struct AppendNodes {
    Nodes& out;
    void Put(const Node& k) { out.push_back(k); }
};

struct AppendKnots {
    Knots& out;
    void Put(const Node& k) { out.push_back({k.x, k.l, k.m, k.r}); }
};

// The sum of two functions over a range, knot by knot, to the sink; each starts from its prior, and
// the sum's prior is returned.
template <class F, class G, class Sink>
Prior Sum(const F& f, Prior pf, const G& g, Prior pg, Sink& sink) {
    const std::size_t nf = f.size(), ng = g.size();
    double fx = pf.x, fr = pf.r, fs = pf.s, gx = pg.x, gr = pg.r, gs = pg.s;
    std::size_t i = 0, j = 0;
    Node a{}, b{};
    if (nf > 0)
        a = f.At(0);
    if (ng > 0)
        b = g.At(0);
    while (i < nf || j < ng) {
        if (j == ng || (i < nf && a.x < b.x)) {
            const double v = gr + gs * (a.x - gx);
            sink.Put({a.x, a.l + v, a.m + v, a.r + v, a.s + gs});
            fx = a.x, fr = a.r, fs = a.s;
            if (++i < nf)
                a = f.At(i);
        } else if (i == nf || b.x < a.x) {
            const double v = fr + fs * (b.x - fx);
            sink.Put({b.x, b.l + v, b.m + v, b.r + v, b.s + fs});
            gx = b.x, gr = b.r, gs = b.s;
            if (++j < ng)
                b = g.At(j);
        } else {
            sink.Put({a.x, a.l + b.l, a.m + b.m, a.r + b.r, a.s + b.s});
            fx = a.x, fr = a.r, fs = a.s;
            gx = b.x, gr = b.r, gs = b.s;
            if (++i < nf)
                a = f.At(i);
            if (++j < ng)
                b = g.At(j);
        }
    }
    const double x = std::max(pf.x, pg.x);
    return {x, pf.r + pf.s * (x - pf.x) + pg.r + pg.s * (x - pg.x), pf.s + pg.s};
}

// The best knot side of a search: the largest value (smallest for the minimum), then the smallest
// abscissa, then at one abscissa the value before the left limit before the right one. Knots may come
// in any order; never one at 0 or beyond (the vehicle off the line gives 0).
struct Best {
    double value = 0.0;
    double x = kNaN;
    Side side = Side::None; // None: the value at x; Left, Right: the limits (sweep coordinates)
};

template <bool Largest>
inline void Consider(Best& b, const Knot& k) {
    const auto offer = [&](double v, Side side) {
        if (Largest ? v > b.value : v < b.value)
            b = {v, k.x, side};
        else if (v == b.value && b.x == b.x && k.x < b.x)
            b = {v, k.x, side};
    };
    if (k.m == k.m)
        offer(k.m, Side::None);
    offer(k.l, Side::Left);
    offer(k.r, Side::Right);
}

// The largest and smallest of the knots fed to it.
struct Sweep {
    Best max, min;
    void Put(const Node& n) {
        const Knot k{n.x, n.l, n.m, n.r};
        Consider<true>(max, k);
        Consider<false>(min, k);
    }
};

// Ranks of the sides, as the order of the limits along the line: left, value, right.
inline int Rank(Side s) {
    return s == Side::Left ? 0 : s == Side::None ? 1 : 2;
}

inline double ValueOf(const Knot& k, Side s) {
    return s == Side::Left ? k.l : s == Side::Right ? k.r : k.m;
}

// Where a window's maximum comes from: the window's near end (the smallest spacing), its far end (the
// largest), or a vertex inside; an end on a vertex of f or between two (then the segment, the knot after
// it).
struct Source {
    enum Kind : unsigned char { Near, Far, Inside } kind = Near;
    Side side = Side::None; // the side of the vertex read
    std::size_t knot = 0;   // the vertex of f; npos for an end between vertices
    std::size_t seg = 0;    // an end between vertices: its segment of f
    bool operator==(const Source& o) const {
        return kind == o.kind && side == o.side && knot == o.knot && seg == o.seg;
    }
};

constexpr std::size_t npos = static_cast<std::size_t>(-1);

constexpr std::uint32_t kNone = static_cast<std::uint32_t>(-1);

// A knot of a window's maximum as it was made, enough to tell again where each value comes from: at an
// event, the vertex (or segment) at either end and the largest vertex inside; at a crossing, the
// candidate taking over. And the candidate governing up to the next knot.
struct WindowKnot {
    enum : std::uint8_t { AtNear = 1, AtFar = 2, Crossing = 4 };
    std::uint32_t near, far, inside; // near, far: the vertex there, or the segment; inside: a vertex or kNone
    std::uint8_t flags;
    std::uint8_t kind; // a crossing's candidate: Source::Kind; its index in near, far or inside
    std::uint8_t nextKind;
    std::uint32_t nextIndex; // the segment of the near or far end, or the vertex inside (kNone: none)
};

// The best of candidates offered in order: the first strictly larger.
struct Pick {
    double v = -std::numeric_limits<double>::infinity();
    Source s;
    void Offer(double value, const Source& from) {
        if (value > v) {
            v = value;
            s = from;
        }
    }
};

// Bounds of the line over stretches: the largest and smallest value of each block of vertices (their
// limits and values), and of runs of 2^j blocks, so that a stretch's bounds take O(log V) to find.
class LineBounds {
public:
    static const std::size_t kBlock = 16;

    void Build(const Knots& k) {
        line = &k;
        const std::size_t blocks = (k.size() + kBlock - 1) / kBlock;
        std::size_t levels = 1;
        while ((std::size_t{1} << levels) <= blocks)
            ++levels;
        hi.resize(levels);
        lo.resize(levels);
        hi[0].assign(blocks, -kInf);
        lo[0].assign(blocks, kInf);
        starts.resize(blocks);
        for (std::size_t i = 0; i < k.size(); ++i) {
            const std::size_t b = i / kBlock;
            if (i % kBlock == 0)
                starts[b] = k[i].x;
            hi[0][b] = Max(hi[0][b], Star(k[i]));
            lo[0][b] = -Max(-lo[0][b], Max(Max(-k[i].l, -k[i].m), -k[i].r));
        }
        for (std::size_t j = 1; j < levels; ++j) {
            const std::size_t half = std::size_t{1} << (j - 1), size = blocks - 2 * half + 1;
            hi[j].resize(size);
            lo[j].resize(size);
            for (std::size_t b = 0; b < size; ++b) {
                hi[j][b] = std::max(hi[j - 1][b], hi[j - 1][b + half]);
                lo[j][b] = std::min(lo[j - 1][b], lo[j - 1][b + half]);
            }
        }
    }

    // The line's largest and smallest values over [a, b] (0 counted where it reaches beyond the line).
    void Range(double a, double b, double& top, double& bottom) const {
        const Knots& k = *line;
        top = bottom = 0.0;
        if (b < k.front().x || a > k.back().x)
            return;
        const bool inside = a >= k.front().x && b <= k.back().x;
        // The blocks from the one holding the vertex at or before a to the one after b's.
        const auto first = std::upper_bound(starts.begin(), starts.end(), a);
        const std::size_t b0 =
            first == starts.begin() ? 0 : static_cast<std::size_t>(first - starts.begin()) - 1;
        const std::size_t b1 =
            std::min(starts.size() - 1,
                     static_cast<std::size_t>(std::upper_bound(first, starts.end(), b) - starts.begin()));
        std::size_t j = 0;
        while ((std::size_t{2} << j) <= b1 - b0 + 1)
            ++j;
        const std::size_t len = std::size_t{1} << j;
        const double h = std::max(hi[j][b0], hi[j][b1 + 1 - len]);
        const double l = std::min(lo[j][b0], lo[j][b1 + 1 - len]);
        top = inside ? h : std::max(h, 0.0);
        bottom = inside ? l : std::min(l, 0.0);
    }

private:
    const Knots* line = nullptr;
    std::vector<double> starts;
    std::vector<std::vector<double>> hi, lo;
};

// A rigid group of axles: those joined by fixed spacings.
struct Group {
    std::size_t first, last; // axles
    double length;           // from the first axle to the last
};

// A stretch of a fixed train's positions, with bounds of its effect there.
struct Stretch {
    double from, to, top, bottom;
    bool done;
};

// ---- The sliding-window maximum ----

// The window over f: t in [x - hi, x - lo] (hi infinite: t <= x - lo).
struct Window {
    const Knot* k;
    const double* slope; // of f's segments: slope[i] between knots i - 1 and i (0 before and after)
    std::size_t n;
    double lo, hi;
    bool open;

    // Either end of the window as a function of x, between vertices: f on its segment i, shifted by lo
    // (the near end) or hi (the far end).
    double End(std::size_t i, double shift, double x) const {
        if (i == 0)
            return k[0].l;
        if (i == n)
            return k[n - 1].r;
        return k[i - 1].r + slope[i] * (x - (k[i - 1].x + shift));
    }
};

// Where a window knot's value from `side` comes from (MovingWindow.cpp).
Source SourceOf(const Window& w, const WindowKnot& q, double x, Side side);
// Where the window's value comes from between knots: the candidate governing there.
Source SourceBetween(const Window& w, std::uint8_t kind, std::uint32_t index);
// g(x) = sup over t in the window of f(t), with its limits and how each knot was made.
void WindowMax(const Window& w, Knots& g, std::vector<WindowKnot>& made, std::vector<std::size_t>& deque);

// One extreme found for one alternative and direction, in the coordinates of the line as travelled:
// where the first axle stands, each group's side, the spacings resolved.
struct Found {
    bool placed = false;
    double value = 0.0;
    double x = kNaN;
    std::vector<Side> groupSides;
    std::vector<double> spacings;
    // Where each group stands in its effect's knots: on the knot at `from` == `to`, or inside the segment
    // between them (the group's axles meet no vertex there); an axle of the group stands on a vertex
    // where the group's knot is, and reads the side of the segment it lies in.
    std::vector<double> from, to;
};

} // namespace moving

// ---- The workspace ----

struct MovingWorkspace::Buffers {
    moving::Knots line, mirror, negated, negatedMirror; // the line as travelled, and with its sign changed
    std::vector<double> lineSlopes, mirrorSlopes, negatedSlopes; // the slopes of their segments
    moving::Nodes level, next;                                   // a level of pairwise sums, the one it makes
    std::vector<moving::Prior> priors, nextPriors;               // where each stands before its first knot
    std::vector<moving::Stretch> stretches;        // a fixed train's positions, bounded stretch by stretch
    std::vector<std::size_t> order;                // the stretches by bound
    moving::LineBounds lineBounds, mirrorBounds;   // the line's bounds over stretches
    std::vector<std::size_t> bounds, nextBounds;   // where each sum of a level starts
    std::vector<moving::Knots> effects;            // a variable train: each group's effect with those behind
    std::vector<std::vector<std::ptrdiff_t>> maps; // each group's effect: where its knots stand in the window
    std::vector<moving::Knots> windows;            // the windows' maxima
    std::vector<std::vector<moving::WindowKnot>> made; // how their knots were made
    std::vector<std::vector<double>> slopes;           // the slopes of the functions they are taken over
    moving::Knots group;                               // a group's own effect
    std::vector<std::size_t> deque;                    // the window's candidates
    std::vector<double> xs;                            // axle abscissas
    std::vector<double> loads, offsets; // a model's axle loads (factored), offsets in their group
    std::vector<moving::Group> groups;  // its rigid groups
};

namespace moving {

using Buffers = MovingWorkspace::Buffers;

// ---- The trains (MovingTrain.cpp) ----

// The groups of a train, and each axle's offset from its group's first axle.
void Groups(const LoadModel& m, std::vector<Group>& groups, std::vector<double>& offsets);
// The largest and smallest effect of a train of fixed spacings over its positions.
void FixedTrain(const Knots& line, const std::vector<double>& slopes, const LineBounds& bounds,
                const std::vector<double>& loads, const std::vector<double>& offsets, Buffers& w,
                Sweep& sweep);
// The largest effect of a train with variable spacings, and where it stands.
void VariableTrain(const Knots& line, const std::vector<double>& slopes, const LoadModel& m,
                   const std::vector<double>& loads, const std::vector<Group>& groups,
                   const std::vector<double>& offsets, Buffers& w, Found& found);

} // namespace moving
} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_MOVINGPIECES_H
