// The exact extremes of moving loads on influence lines.
//
// Every function here is piecewise linear with jumps, held as knots: at each breakpoint the limit from
// the left, the value there (NaN where there is none: an axle exactly on a jump) and the limit from the
// right; linear from one knot's right limit to the next one's left limit, constant beyond the ends. The
// effect of a rigid group of axles, as a function of its first axle's position, is a sum of shifted copies
// of the line; a variable spacing takes the supremum of the next group's effect over a window. Minima
// are maxima of the line with its sign changed, except for a fixed train, whose one sum serves both.
#include "vymath/analysis/MovingLoad.h"

#include "Text.h"
#include "vymath/analysis/Error.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

namespace vymath {
namespace analysis {

namespace {

using text::Shortest;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

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

// ---- The line ----

// The line's vertices as knots: a jump's two points make one knot at the jump, read by Diagram::Sides;
// the ends close the line to 0 outside.
void LineKnots(const Diagram& d, Knots& out) {
    const std::vector<CVyMathFunction1D::Point> points = d.f.GetPoints();
    if (points.size() < 2)
        throw Error(Error::Kind::Data, "an influence line needs two points at least");
    if (!(points.front().x > -DBL_MAX && points.back().x < DBL_MAX))
        throw Error(Error::Kind::Data, "an influence line needs finite ends");
    const double t = const_cast<CVyMathFunction1D&>(d.f).GetXtolerance(); // a getter that is not const
    out.clear();
    std::size_t j = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double x = points[i].x, y = points[i].y;
        while (j < d.jumps.size() && d.jumps[j] + t < x)
            ++j;
        if (j < d.jumps.size() && d.jumps[j] - t <= x) {
            const double at = d.jumps[j];
            double left = y, right = y;
            d.Sides(at, left, right);
            out.push_back({at, left, left == right ? left : kNaN, right});
            while (i + 1 < points.size() && points[i + 1].x <= at + t)
                ++i;
            ++j;
            continue;
        }
        out.push_back({x, y, y, y});
    }
    if (out.size() < 2)
        throw Error(Error::Kind::Data, "an influence line needs two vertices at least");
    out.front().l = 0.0;
    out.front().m = out.front().r;
    out.back().m = out.back().l;
    out.back().r = 0.0;
}

// The line travelled backward: x -> -x, the sides exchanged.
void Mirror(const Knots& in, Knots& out) {
    out.resize(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Knot& k = in[in.size() - 1 - i];
        out[i] = {-k.x, k.r, k.m, k.l};
    }
}

void Negate(const Knots& in, Knots& out) {
    out.resize(in.size());
    for (std::size_t i = 0; i < in.size(); ++i)
        out[i] = {in[i].x, -in[i].l, -in[i].m, -in[i].r};
}

// The integral of the line's positive part (sign +1) or negative part (sign -1, a negative result), and
// the stretches where it is so, exact between the zeros.
double LaneArea(const Knots& k, double sign, std::vector<std::pair<double, double>>* stretches) {
    double area = 0.0;
    for (std::size_t i = 0; i + 1 < k.size(); ++i) {
        const double x0 = k[i].x, x1 = k[i + 1].x, a = sign * k[i].r, b = sign * k[i + 1].l;
        double from = x0, to = x1;
        if (a > 0.0 && b > 0.0) {
            area += (x1 - x0) * (a + b) / 2;
        } else if (a > 0.0) {
            to = x0 + (x1 - x0) * (a / (a - b));
            area += (to - x0) * a / 2;
        } else if (b > 0.0) {
            from = x0 + (x1 - x0) * (a / (a - b));
            area += (x1 - from) * b / 2;
        } else {
            continue;
        }
        if (stretches) {
            if (!stretches->empty() && stretches->back().second == from)
                stretches->back().second = to;
            else
                stretches->emplace_back(from, to);
        }
    }
    return sign * area;
}

// The knot within tol of x, or npos.
std::size_t KnotAt(const Knots& k, double x, double tol) {
    const auto it =
        std::lower_bound(k.begin(), k.end(), x - tol, [](const Knot& a, double v) { return a.x < v; });
    return it != k.end() && it->x <= x + tol ? static_cast<std::size_t>(it - k.begin()) : k.size();
}

// The line's value at x read from the side asked: on a knot (within tol) its limit or value (a jump's
// mean for None), elsewhere by interpolation, 0 beyond the ends.
double Read(const Knots& k, double x, Side side, double tol) {
    const std::size_t i = KnotAt(k, x, tol);
    if (i < k.size()) {
        const Knot& v = k[i];
        return side == Side::Left ? v.l : side == Side::Right ? v.r : v.m == v.m ? v.m : (v.l + v.r) / 2;
    }
    if (!(x > k.front().x && x < k.back().x))
        return 0.0;
    const auto it = std::lower_bound(k.begin(), k.end(), x, [](const Knot& a, double v) { return a.x < v; });
    return Between(k.data(), k.size(), static_cast<std::size_t>(it - k.begin()), x);
}

// How close to a vertex an axle stands on it: the rounding of positions summed from spacings.
double Tolerance(const Knots& k, const std::vector<double>& spacings) {
    double extent = std::fabs(k.front().x) + std::fabs(k.back().x);
    for (double s : spacings)
        extent += std::fabs(s);
    return 64 * DBL_EPSILON * extent;
}

// The axles' abscissas of a placement: forward p - c_k, backward p + c_k, c_k summed in order.
void Abscissas(const MovingPlacement& at, std::size_t axles, std::vector<double>& out) {
    out.resize(axles);
    double c = 0.0;
    for (std::size_t k = 0; k < axles; ++k) {
        if (k > 0)
            c += at.spacings[k - 1];
        out[k] = at.direction == Direction::Forward ? at.position - c : at.position + c;
    }
}

double Effect(const Knots& line, const LoadModel& model, const MovingPlacement& at, double laneArea,
              std::vector<double>& xs) {
    double vehicle = 0.0;
    if (!model.loads.empty() && at.position == at.position) {
        const double tol = Tolerance(line, at.spacings);
        Abscissas(at, model.loads.size(), xs);
        for (std::size_t k = 0; k < xs.size(); ++k) {
            const Side side = at.sides.empty() ? at.side : at.sides[k];
            vehicle += model.factor * model.loads[k] * Read(line, xs[k], side, tol);
        }
    }
    return vehicle + model.lane * model.laneFactor * laneArea;
}

void CheckModel(const LoadModel& m, std::size_t index) {
    const auto fail = [index](const std::string& what) {
        throw Error(Error::Kind::Usage, "load model " + std::to_string(index) + ": " + what);
    };
    const auto amount = [](double v) { return std::isfinite(v) && v >= 0.0; };
    for (double p : m.loads)
        if (!amount(p))
            fail("the axle load " + Shortest(p) + " is not a finite number of 0 or more");
    if (m.spacings.size() + (m.loads.empty() ? 0 : 1) != m.loads.size())
        fail(std::to_string(m.loads.size()) + " axles with " + std::to_string(m.spacings.size()) +
             " spacings: a train of n axles has n - 1");
    for (const AxleSpacing& s : m.spacings)
        if (!amount(s.min) || !(s.max >= s.min))
            fail("the spacing [" + Shortest(s.min) + ", " + Shortest(s.max) +
                 "] is not a range of 0 or more");
    if (!amount(m.factor) || !amount(m.lane) || !amount(m.laneFactor))
        fail("factor, lane and lane_factor are finite numbers of 0 or more");
}

// ---- Sums of shifted copies ----

// A knot with the slope of the segment after it (0 after the last): a sum of such functions adds the
// slopes, and reads a value between knots from the knot before it, without a division.
struct Node {
    double x, l, m, r, s;
};
using Nodes = std::vector<Node>;

// The slopes of the line's segments, each after its vertex (0 after the last).
void Slopes(const Knots& k, std::vector<double>& out) {
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
int Rank(Side s) {
    return s == Side::Left ? 0 : s == Side::None ? 1 : 2;
}

double ValueOf(const Knot& k, Side s) {
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

const std::size_t npos = static_cast<std::size_t>(-1);

const std::uint32_t kNone = static_cast<std::uint32_t>(-1);

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

} // namespace

// ---- The workspace ----

struct MovingWorkspace::Buffers {
    Knots line, mirror, negated, negatedMirror; // the line as travelled, and with its sign changed
    std::vector<double> lineSlopes, mirrorSlopes, negatedSlopes; // the slopes of their segments
    Nodes level, next;                                           // a level of pairwise sums, the one it makes
    std::vector<Prior> priors, nextPriors;                       // where each stands before its first knot
    std::vector<Stretch> stretches;                // a fixed train's positions, bounded stretch by stretch
    std::vector<std::size_t> order;                // the stretches by bound
    LineBounds lineBounds, mirrorBounds;           // the line's bounds over stretches
    std::vector<std::size_t> bounds, nextBounds;   // where each sum of a level starts
    std::vector<Knots> effects;                    // a variable train: each group's effect with those behind
    std::vector<std::vector<std::ptrdiff_t>> maps; // each group's effect: where its knots stand in the window
    std::vector<Knots> windows;                    // the windows' maxima
    std::vector<std::vector<WindowKnot>> made;     // how their knots were made
    std::vector<std::vector<double>> slopes;       // the slopes of the functions they are taken over
    Knots group;                                   // a group's own effect
    std::vector<std::size_t> deque;                // the window's candidates
    std::vector<double> xs;                        // axle abscissas
    std::vector<double> loads, offsets;            // a model's axle loads (factored), offsets in their group
    std::vector<Group> groups;                     // its rigid groups
};

MovingWorkspace::MovingWorkspace() : buffers(new Buffers) {}
MovingWorkspace::~MovingWorkspace() = default;

namespace {

using Buffers = MovingWorkspace::Buffers;

// The groups of a train, and each axle's offset from its group's first axle.
void Groups(const LoadModel& m, std::vector<Group>& groups, std::vector<double>& offsets) {
    groups.clear();
    offsets.assign(m.loads.size(), 0.0);
    std::size_t first = 0;
    for (std::size_t k = 0; k < m.loads.size(); ++k) {
        const bool end = k + 1 == m.loads.size() || m.spacings[k].min < m.spacings[k].max;
        if (!end)
            offsets[k + 1] = offsets[k] + m.spacings[k].min;
        if (end) {
            groups.push_back({first, k, offsets[k]});
            first = k + 1;
        }
    }
}

// The effect of the axles first..last (offsets from the first) on the line, at the group's positions in
// [from, to), by pairwise sums in a balanced tree; the last sum goes to the sink.
template <class Sink>
void GroupEffect(const Knots& line, const std::vector<double>& slopes, const std::vector<double>& loads,
                 const std::vector<double>& offsets, std::size_t first, std::size_t last, double from,
                 double to, Buffers& w, Sink& sink) {
    const auto leaf = [&](std::size_t a) {
        const double o = offsets[a];
        const auto before = [o](const Knot& q, double p) { return q.x + o < p; };
        const auto lo = std::lower_bound(line.begin(), line.end(), from, before);
        const auto hi = std::lower_bound(lo, line.end(), to, before);
        return Leaf{line.data(),
                    slopes.data(),
                    static_cast<std::size_t>(lo - line.begin()),
                    static_cast<std::size_t>(hi - line.begin()),
                    o,
                    loads[a]};
    };
    const std::size_t count = last - first + 1;
    if (count == 1) {
        const Leaf one = leaf(first);
        for (std::size_t i = 0; i < one.size(); ++i)
            sink.Put(one.At(i));
        return;
    }
    if (count == 2) {
        const Leaf a = leaf(first), b = leaf(last);
        Sum(a, a.Before(), b, b.Before(), sink);
        return;
    }
    // The first level: pairs of leaves (a last one alone copied).
    w.level.clear();
    w.bounds.clear();
    w.priors.clear();
    for (std::size_t a = first; a <= last; a += 2) {
        w.bounds.push_back(w.level.size());
        AppendNodes out{w.level};
        const Leaf one = leaf(a);
        if (a + 1 <= last) {
            const Leaf two = leaf(a + 1);
            w.priors.push_back(Sum(one, one.Before(), two, two.Before(), out));
        } else {
            for (std::size_t i = 0; i < one.size(); ++i)
                out.Put(one.At(i));
            w.priors.push_back(one.Before());
        }
    }
    w.bounds.push_back(w.level.size());
    // Then pairs of sums, until two are left for the sink.
    while (w.bounds.size() > 3) {
        w.next.clear();
        w.nextBounds.clear();
        w.nextPriors.clear();
        const std::size_t sums = w.bounds.size() - 1;
        for (std::size_t s = 0; s < sums; s += 2) {
            w.nextBounds.push_back(w.next.size());
            const Stored a{w.level.data() + w.bounds[s], w.bounds[s + 1] - w.bounds[s]};
            AppendNodes out{w.next};
            if (s + 1 < sums) {
                const Stored b{w.level.data() + w.bounds[s + 1], w.bounds[s + 2] - w.bounds[s + 1]};
                w.nextPriors.push_back(Sum(a, w.priors[s], b, w.priors[s + 1], out));
            } else {
                w.next.insert(w.next.end(), a.k, a.k + a.n);
                w.nextPriors.push_back(w.priors[s]);
            }
        }
        w.nextBounds.push_back(w.next.size());
        std::swap(w.level, w.next);
        std::swap(w.bounds, w.nextBounds);
        std::swap(w.priors, w.nextPriors);
    }
    Sum(Stored{w.level.data(), w.bounds[1]}, w.priors[0],
        Stored{w.level.data() + w.bounds[1], w.bounds[2] - w.bounds[1]}, w.priors[1], sink);
}

// The largest and smallest effect of a train of fixed spacings over its positions. The positions where
// an axle meets a vertex are cut into stretches, each bounded from the line's bounds over every axle's
// reach; only stretches that can hold a better value than the best found are summed exactly, those of
// the largest bound (smallest for the minimum) first.
void FixedTrain(const Knots& line, const std::vector<double>& slopes, const LineBounds& bounds,
                const std::vector<double>& loads, const std::vector<double>& offsets, Buffers& w,
                Sweep& sweep) {
    const std::size_t n = line.size(), axles = loads.size();
    const double start = line.front().x, length = line.back().x - start, reach = offsets.back();
    // About 64 vertices an axle a stretch.
    const std::size_t count =
        std::max<std::size_t>(1, static_cast<std::size_t>((1 + reach / length) * n / 64));
    if (count < 4) {
        GroupEffect(line, slopes, loads, offsets, 0, axles - 1, -kInf, kInf, w, sweep);
        return;
    }
    const double step = (length + reach) / static_cast<double>(count);
    double scale = 0.0;
    w.stretches.resize(count);
    for (std::size_t c = 0; c < count; ++c) {
        const double from = start + step * static_cast<double>(c);
        const double to = c + 1 == count ? kInf : start + step * static_cast<double>(c + 1);
        double top = 0.0, bottom = 0.0;
        for (std::size_t k = 0; k < axles; ++k) {
            double h, l;
            bounds.Range(from - offsets[k], std::min(to, line.back().x + reach) - offsets[k], h, l);
            top += loads[k] * h;
            bottom += loads[k] * l;
            scale = std::max(scale, loads[k] * std::max(h, -l));
        }
        w.stretches[c] = {c == 0 ? -kInf : from, to, top, bottom, false};
    }
    // Bounds a little wider than rounding may make the sums.
    const double slack = 1e-12 * scale * static_cast<double>(axles);
    const auto search = [&](bool largest) {
        w.order.resize(count);
        for (std::size_t c = 0; c < count; ++c)
            w.order[c] = c;
        std::sort(w.order.begin(), w.order.end(), [&](std::size_t a, std::size_t b) {
            const Stretch &p = w.stretches[a], &q = w.stretches[b];
            return largest ? (p.top > q.top || (p.top == q.top && a < b))
                           : (p.bottom < q.bottom || (p.bottom == q.bottom && a < b));
        });
        for (std::size_t c : w.order) {
            Stretch& s = w.stretches[c];
            const Best& best = largest ? sweep.max : sweep.min;
            const double bound = largest ? s.top + slack : -(s.bottom - slack);
            const double record = largest ? best.value : -best.value;
            if (bound < record || (bound == record && !(best.x == best.x && s.from < best.x)) || bound <= 0.0)
                break;
            if (s.done)
                continue;
            GroupEffect(line, slopes, loads, offsets, 0, axles - 1, s.from, s.to, w, sweep);
            s.done = true;
        }
    };
    search(true);
    search(false);
}

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

// The largest vertex inside a window (the far left too for an open one), the first of its sides in
// the order value, left, right.
void Inside(const Window& w, std::uint32_t vertex, Pick& p) {
    if (vertex != kNone)
        for (Side s : {Side::None, Side::Left, Side::Right})
            p.Offer(ValueOf(w.k[vertex], s), Source{Source::Inside, s, vertex, 0});
    if (w.open)
        p.Offer(w.k[0].l, Source{Source::Inside, Side::Left, 0, 0});
}

// Where a window knot's value from `side` comes from: the candidates offered in the order of increasing
// spacing (near end, inside, far end), the first strictly larger kept; at an end, only the limits that
// keep the next group within the range as the position approaches from `side`.
Source SourceOf(const Window& w, const WindowKnot& q, double x, Side side) {
    Pick p;
    if (q.flags & WindowKnot::Crossing) {
        if (q.kind == Source::Near)
            return {Source::Near, Side::None, npos, q.near};
        if (q.kind == Source::Far)
            return {Source::Far, Side::None, npos, q.far};
        Inside(w, q.inside, p);
        return p.s;
    }
    static const Side nearSides[3][3] = {{Side::Left, Side::Left, Side::Left},
                                         {Side::None, Side::Left, Side::Left},
                                         {Side::None, Side::Left, Side::Right}};
    static const Side farSides[3][3] = {{Side::None, Side::Left, Side::Right},
                                        {Side::None, Side::Right, Side::Right},
                                        {Side::Right, Side::Right, Side::Right}};
    const int r = Rank(side);
    if (q.flags & WindowKnot::AtNear)
        for (Side s : nearSides[r])
            p.Offer(ValueOf(w.k[q.near], s), Source{Source::Near, s, q.near, 0});
    else
        p.Offer(w.End(q.near, w.lo, x), Source{Source::Near, Side::None, npos, q.near});
    Inside(w, q.inside, p);
    if (!w.open) {
        if (q.flags & WindowKnot::AtFar)
            for (Side s : farSides[r])
                p.Offer(ValueOf(w.k[q.far], s), Source{Source::Far, s, q.far, 0});
        else
            p.Offer(w.End(q.far, w.hi, x), Source{Source::Far, Side::None, npos, q.far});
    }
    return p.s;
}

// Where the window's value comes from between knots: the candidate governing there.
Source SourceBetween(const Window& w, std::uint8_t kind, std::uint32_t index) {
    if (kind == Source::Near)
        return {Source::Near, Side::None, npos, index};
    if (kind == Source::Far)
        return {Source::Far, Side::None, npos, index};
    Pick p;
    Inside(w, index, p);
    return p.s;
}

// g(x) = sup over t in the window of f(t), with its limits: a knot where a vertex of f meets either end
// of the window, and where another candidate takes over between them. At a window end only the limits
// from inside count. Each knot keeps what SourceOf needs to tell where its values come from.
void WindowMax(const Window& w, Knots& g, std::vector<WindowKnot>& made, std::vector<std::size_t>& deque) {
    g.clear();
    made.clear();
    deque.clear();
    const std::size_t n = w.n;
    const Knot* k = w.k;
    const double lo = w.lo, hi = w.hi;
    const bool open = w.open;
    std::size_t ia = 0, ib = 0, head = 0; // vertices passed by the near end, by the far end
    std::uint8_t beforeKind = 255;
    std::uint32_t beforeIndex = 0;
    const auto put = [&g, &made](const Knot& q, const WindowKnot& r) {
        if (!g.empty() && g.back().x == q.x) { // two events rounded to one abscissa: the later governs after
            g.back().r = q.r;
            made.back().nextKind = r.nextKind;
            made.back().nextIndex = r.nextIndex;
        } else {
            g.push_back(q);
            made.push_back(r);
        }
    };
    const auto largestInside = [&]() {
        double c = head < deque.size() ? Star(k[deque[head]]) : -kInf;
        return open ? Max(c, k[0].l) : c;
    };
    while (ia < n || (!open && ib < n)) {
        const double ea = ia < n ? k[ia].x + lo : kInf;
        const double eb = !open && ib < n ? k[ib].x + hi : kInf;
        const double x = std::min(ea, eb);
        const bool atA = ea == x, atB = eb == x;
        // Inside the window (open): vertices the near end has passed and the far end has not reached.
        const std::size_t gone = atB ? ib + 1 : ib;
        while (head < deque.size() && deque[head] < gone)
            ++head;
        Knot a{x, 0, 0, 0}, b{x, 0, 0, 0};
        if (atA)
            a = k[ia];
        else
            a.l = a.m = a.r = w.End(ia, lo, x);
        const double c = largestInside();
        Knot q{x, Max(c, a.l), Max(Max(c, a.l), a.m), Max(Max(c, a.l), Max(a.m, a.r))};
        if (!open) {
            if (atB)
                b = k[ib];
            else
                b.l = b.m = b.r = w.End(ib, hi, x);
            q.l = Max(q.l, Star(b));
            q.m = Max(q.m, Max(b.m, b.r));
            q.r = Max(q.r, b.r);
        }
        WindowKnot record{
            static_cast<std::uint32_t>(ia),
            static_cast<std::uint32_t>(ib),
            head < deque.size() ? static_cast<std::uint32_t>(deque[head]) : kNone,
            static_cast<std::uint8_t>((atA ? WindowKnot::AtNear : 0) | (atB ? WindowKnot::AtFar : 0)),
            0,
            0,
            0};
        // Past the event.
        if (atA) {
            while (deque.size() > head && Star(k[deque.back()]) <= Star(k[ia]))
                deque.pop_back();
            deque.push_back(ia++);
        }
        if (atB)
            ++ib;
        while (head < deque.size() && deque[head] < ib)
            ++head;
        const double next = std::min(ia < n ? k[ia].x + lo : kInf, !open && ib < n ? k[ib].x + hi : kInf);
        // The candidates up to the next event: their values just past x and their slopes.
        const double cv = largestInside();
        const std::uint32_t cIndex = head < deque.size() ? static_cast<std::uint32_t>(deque[head]) : kNone;
        const double value[3] = {w.End(ia, lo, x), open ? -kInf : w.End(ib, hi, x), cv};
        const double slope[3] = {w.slope[ia], open ? 0.0 : w.slope[ib], 0.0};
        const std::uint32_t index[3] = {static_cast<std::uint32_t>(ia), static_cast<std::uint32_t>(ib),
                                        cIndex};
        const auto at = [&](int s, double y) {
            return s == 0 ? w.End(ia, lo, y) : s == 1 ? w.End(ib, hi, y) : cv;
        };
        // The first crossing after x0 where a candidate of a larger slope overtakes the governing one.
        const auto overtake = [&](int gov, double x0, double& cross) {
            int to = -1;
            cross = next;
            for (int s = 0; s < 3; ++s) {
                if (s == gov || slope[s] <= slope[gov] || (s == 1 && open) || (s == 2 && cv == -kInf))
                    continue;
                const double xs = x0 + (at(gov, x0) - at(s, x0)) / (slope[s] - slope[gov]);
                if (xs < cross || (xs == cross && to >= 0 && slope[s] > slope[to])) {
                    cross = xs;
                    to = s;
                }
            }
            return to;
        };
        int gov = 0;
        for (int s = 1; s < 3; ++s)
            if (value[s] > value[gov] || (value[s] == value[gov] && slope[s] > slope[gov]))
                gov = s;
        // A crossing within rounding of either event is the event's own: at the start the other candidate
        // governs from the event on, at the end the next event's knot takes the values.
        const double margin = 64 * DBL_EPSILON * (std::fabs(x) + std::fabs(next));
        double cross = next;
        for (int turn = 0; turn < 2 && next < kInf; ++turn) {
            const int to = overtake(gov, x, cross);
            if (to < 0 || cross > x + margin)
                break;
            gov = to;
        }
        record.nextKind = static_cast<std::uint8_t>(gov);
        record.nextIndex = index[gov];
        const bool first = g.empty(), last = next == kInf;
        if (first || last || !(q.l == q.m && q.m == q.r) || beforeKind != gov || beforeIndex != index[gov])
            put(q, record);
        // Where other candidates overtake the governing one before the next event.
        double x0 = x;
        for (int turn = 0; turn < 2 && next < kInf; ++turn) {
            const int to = overtake(gov, x0, cross);
            if (to < 0 || cross >= next - margin)
                break;
            if (cross > x0 + margin) {
                const double va = at(gov, cross), vb = at(to, cross);
                const double v = Max(va, vb);
                const int own = vb > va ? to : gov;
                WindowKnot r{index[0],
                             index[1],
                             cIndex,
                             WindowKnot::Crossing,
                             static_cast<std::uint8_t>(own),
                             static_cast<std::uint8_t>(to),
                             index[to]};
                put({cross, v, v, v}, r);
                x0 = cross;
            } else { // within rounding of the last crossing: governs from there
                made.back().nextKind = static_cast<std::uint8_t>(to), made.back().nextIndex = index[to];
            }
            gov = to;
        }
        beforeKind = static_cast<std::uint8_t>(gov);
        beforeIndex = index[gov];
    }
}

// ---- A train with variable spacings ----

// The sum of a group's own effect and the window's maximum shifted by `shift`, with where each knot
// stands in the window: its knot j (j), or inside its segment j (-1 - j).
void SumWithWindow(const Knots& f, const Knots& g, double shift, Knots& out,
                   std::vector<std::ptrdiff_t>& map) {
    out.clear();
    map.clear();
    const std::size_t nf = f.size(), ng = g.size();
    // The window's value between its knots j - 1 and j, at x (shifted).
    const auto window = [&](std::size_t j, double x) {
        if (j == 0)
            return g[0].l;
        if (j == ng)
            return g[ng - 1].r;
        const double xa = g[j - 1].x + shift, xb = g[j].x + shift;
        return g[j - 1].r + (g[j].l - g[j - 1].r) * ((x - xa) / (xb - xa));
    };
    std::size_t i = 0, j = 0;
    while (i < nf || j < ng) {
        const double gx = j < ng ? g[j].x + shift : kInf;
        if (j == ng || (i < nf && f[i].x < gx)) {
            const double v = window(j, f[i].x);
            out.push_back({f[i].x, f[i].l + v, f[i].m + v, f[i].r + v});
            map.push_back(-1 - static_cast<std::ptrdiff_t>(j));
            ++i;
        } else if (i == nf || gx < f[i].x) {
            const double v = Between(f.data(), nf, i, gx);
            out.push_back({gx, g[j].l + v, g[j].m + v, g[j].r + v});
            map.push_back(static_cast<std::ptrdiff_t>(j));
            ++j;
        } else {
            out.push_back({gx, f[i].l + g[j].l, f[i].m + g[j].m, f[i].r + g[j].r});
            map.push_back(static_cast<std::ptrdiff_t>(j));
            ++i;
            ++j;
        }
    }
}

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

// The train's effect with the variable spacings resolved, groups from the last to the first, on the line
// as travelled (values to maximise); then where the best of it stands, back through the windows.
void VariableTrain(const Knots& line, const std::vector<double>& slopes, const LoadModel& m,
                   const std::vector<double>& loads, const std::vector<Group>& groups,
                   const std::vector<double>& offsets, Buffers& w, Found& found) {
    const std::size_t count = groups.size();
    if (w.effects.size() < count) {
        w.effects.resize(count);
        w.maps.resize(count);
        w.windows.resize(count);
        w.made.resize(count);
        w.slopes.resize(count);
    }
    const auto windowOf = [&](std::size_t gi) {
        const AxleSpacing& s = m.spacings[groups[gi].last];
        const Knots& f = w.effects[gi + 1];
        return Window{f.data(), w.slopes[gi].data(), f.size(), s.min, s.max, std::isinf(s.max)};
    };
    for (std::size_t gi = count; gi-- > 0;) {
        const Group& gr = groups[gi];
        w.group.clear();
        AppendKnots own{w.group};
        GroupEffect(line, slopes, loads, offsets, gr.first, gr.last, -kInf, kInf, w, own);
        if (gi + 1 == count) {
            std::swap(w.effects[gi], w.group);
            continue;
        }
        const Knots& f = w.effects[gi + 1];
        std::vector<double>& slope = w.slopes[gi];
        slope.assign(f.size() + 1, 0.0);
        for (std::size_t i = 1; i < f.size(); ++i)
            slope[i] = (f[i].l - f[i - 1].r) / (f[i].x - f[i - 1].x);
        WindowMax(windowOf(gi), w.windows[gi], w.made[gi], w.deque);
        SumWithWindow(w.group, w.windows[gi], gr.length, w.effects[gi], w.maps[gi]);
    }
    Best best;
    std::size_t index = npos;
    const Knots& top = w.effects[0];
    for (std::size_t i = 0; i < top.size(); ++i) {
        const double before = best.value;
        Consider<true>(best, top[i]);
        if (best.value != before)
            index = i;
    }
    found.value = best.value;
    found.placed = index != npos;
    found.groupSides.assign(count, Side::None);
    found.spacings.resize(m.spacings.size());
    for (std::size_t k = 0; k < m.spacings.size(); ++k)
        found.spacings[k] = m.spacings[k].min;
    if (!found.placed)
        return;
    found.x = best.x;
    found.groupSides[0] = best.side;
    found.from.assign(count, best.x);
    found.to.assign(count, best.x);
    // Back through the windows. The group stands on knot `at` of its effect, read from `side`, or
    // between knots (at == npos) in segment `seg`, where its axles meet no vertex.
    double x = best.x;
    std::size_t at = index, seg = 0;
    Side side = best.side;
    for (std::size_t gi = 0; gi + 1 < count; ++gi) {
        const AxleSpacing& s = m.spacings[groups[gi].last];
        const std::vector<std::ptrdiff_t>& map = w.maps[gi];
        const std::vector<WindowKnot>& made = w.made[gi];
        const Knots& g = w.windows[gi];
        const Window window = windowOf(gi);
        const Knots& f = w.effects[gi + 1];
        const double u = x - groups[gi].length;
        // The window's candidate up to its knot j (j = 0: before its first knot, the near end's).
        const auto before = [&](std::size_t j) {
            return j == 0 ? Source{Source::Near, Side::None, npos, 0}
                          : SourceBetween(window, made[j - 1].nextKind, made[j - 1].nextIndex);
        };
        Source src;
        if (at != npos && map[at] >= 0) {
            const std::size_t j = static_cast<std::size_t>(map[at]);
            src = SourceOf(window, made[j], g[j].x, side);
        } else {
            // Inside a segment of the window: the candidate there.
            const std::ptrdiff_t ref = at != npos ? map[at] : seg == 0 ? -1 : map[seg - 1];
            if (at == npos && seg > 0 && ref >= 0)
                src = SourceBetween(window, made[static_cast<std::size_t>(ref)].nextKind,
                                    made[static_cast<std::size_t>(ref)].nextIndex);
            else
                src = before(static_cast<std::size_t>(-1 - ref));
        }
        double spacing = src.kind == Source::Far ? s.max : s.min;
        if (src.knot != npos) {
            at = src.knot;
            side = src.side;
            x = f[at].x;
            found.from[gi + 1] = found.to[gi + 1] = x;
            if (src.kind == Source::Inside)
                spacing = std::min(std::max(u - x, s.min), s.max);
        } else {
            at = npos;
            seg = src.seg;
            side = Side::None;
            x = u - spacing;
            found.from[gi + 1] = seg == 0 ? -kInf : f[seg - 1].x;
            found.to[gi + 1] = seg == f.size() ? kInf : f[seg].x;
        }
        found.spacings[groups[gi].last] = spacing;
        found.groupSides[gi + 1] = side;
    }
}

// A palindromic train travels the same both ways: backward adds nothing.
bool Symmetric(const LoadModel& m) {
    const std::size_t a = m.loads.size();
    for (std::size_t k = 0; k < a; ++k)
        if (m.loads[k] != m.loads[a - 1 - k])
            return false;
    for (std::size_t k = 0; k + 1 < a; ++k)
        if (m.spacings[k].min != m.spacings[a - 2 - k].min || m.spacings[k].max != m.spacings[a - 2 - k].max)
            return false;
    return true;
}

// The reported placement of a found extreme: sides in the line's own coordinates, None for axles on no
// jump and no end whose value is not 0. Whether an axle stands on a vertex, and on which side, is read in
// the programme's own coordinates (the vertex met at the axle's offset), so that rounding in the
// placement's abscissas does not move it across.
MovingPlacement PlacementOf(const Knots& line, const LoadModel& m, const std::vector<Group>& groups,
                            const std::vector<double>& offsets, Direction dir, const Found& f,
                            std::vector<double>& xs) {
    MovingPlacement at;
    at.direction = dir;
    if (!f.placed)
        return at;
    const bool back = dir == Direction::Backward;
    at.position = back ? -f.x : f.x;
    at.spacings = f.spacings;
    const double tol = Tolerance(line, at.spacings);
    Abscissas(at, m.loads.size(), xs);
    at.sides.assign(m.loads.size(), Side::None);
    for (std::size_t gi = 0; gi < groups.size(); ++gi)
        for (std::size_t k = groups[gi].first; k <= groups[gi].last; ++k) {
            const std::size_t i = KnotAt(line, xs[k], tol);
            if (i == line.size())
                continue;
            const Knot& v = line[i];
            if (v.l == v.m && v.m == v.r)
                continue;                                        // no jump: every side reads the same
            const double met = (back ? -v.x : v.x) + offsets[k]; // where the group meets this vertex
            Side side = f.groupSides[gi];
            if (!(met == f.from[gi] && met == f.to[gi]))
                side = met >= f.to[gi] ? Side::Left : met <= f.from[gi] ? Side::Right : side;
            if (back && side != Side::None)
                side = side == Side::Left ? Side::Right : Side::Left;
            at.sides[k] = side;
            if (at.side == Side::None)
                at.side = side;
        }
    return at;
}

} // namespace

MovingResult MovingExtremes(const Diagram& line, const MovingLoad& load, MovingWorkspace& work) {
    Buffers& w = *work.buffers;
    if (load.alternatives.empty())
        throw Error(Error::Kind::Usage, load.source + ": a load needs one model at least");
    for (std::size_t a = 0; a < load.alternatives.size(); ++a)
        CheckModel(load.alternatives[a], a);
    LineKnots(line, w.line);
    Mirror(w.line, w.mirror);
    Slopes(w.line, w.lineSlopes);
    Slopes(w.mirror, w.mirrorSlopes);
    w.lineBounds.Build(w.line);
    w.mirrorBounds.Build(w.mirror);
    w.negatedSlopes.resize(w.line.size());
    const double positive = LaneArea(w.line, 1.0, nullptr), negative = LaneArea(w.line, -1.0, nullptr);

    struct Candidate {
        double total;
        std::size_t alternative;
        Direction dir;
        Found found;
        std::vector<Group> groups;
        std::vector<double> offsets;
    };
    Candidate best[2]; // the maximum, the minimum (its values negated: both maximised)
    for (Candidate& c : best)
        c.total = -kInf;
    std::vector<double>& loads = w.loads;
    std::vector<double>& offsets = w.offsets;
    std::vector<Group>& groups = w.groups;
    for (std::size_t a = 0; a < load.alternatives.size(); ++a) {
        const LoadModel& m = load.alternatives[a];
        loads.resize(m.loads.size());
        for (std::size_t k = 0; k < loads.size(); ++k)
            loads[k] = m.factor * m.loads[k];
        const double q = m.lane * m.laneFactor;
        const double lane[2] = {q * positive, -(q * negative)};
        Groups(m, groups, offsets);
        for (Direction dir : {Direction::Forward, Direction::Backward}) {
            if (dir == Direction::Forward
                    ? m.directions == Travel::Backward
                    : m.directions == Travel::Forward || (m.directions == Travel::Both && Symmetric(m)))
                continue;
            const Knots& knots = dir == Direction::Forward ? w.line : w.mirror;
            const std::vector<double>& slopes = dir == Direction::Forward ? w.lineSlopes : w.mirrorSlopes;
            Found found[2];
            if (m.loads.empty()) {
                // a lane load alone
            } else if (groups.size() == 1) {
                Sweep sweep;
                FixedTrain(knots, slopes, dir == Direction::Forward ? w.lineBounds : w.mirrorBounds, loads,
                           offsets, w, sweep);
                const Best* b[2] = {&sweep.max, &sweep.min};
                for (int e = 0; e < 2; ++e) {
                    found[e].placed = b[e]->x == b[e]->x;
                    found[e].value = e == 0 ? b[e]->value : -b[e]->value;
                    found[e].x = b[e]->x;
                    found[e].groupSides.assign(1, b[e]->side);
                    found[e].from.assign(1, b[e]->x);
                    found[e].to.assign(1, b[e]->x);
                    found[e].spacings.resize(m.spacings.size());
                    for (std::size_t k = 0; k < m.spacings.size(); ++k)
                        found[e].spacings[k] = m.spacings[k].min;
                }
            } else {
                VariableTrain(knots, slopes, m, loads, groups, offsets, w, found[0]);
                Knots& negated = dir == Direction::Forward ? w.negated : w.negatedMirror;
                Negate(knots, negated);
                for (std::size_t i = 0; i < slopes.size(); ++i)
                    w.negatedSlopes[i] = -slopes[i];
                VariableTrain(negated, w.negatedSlopes, m, loads, groups, offsets, w, found[1]);
            }
            for (int e = 0; e < 2; ++e) {
                const double total = found[e].value + lane[e];
                if (total > best[e].total)
                    best[e] = {total, a, dir, found[e], groups, offsets};
            }
        }
    }
    MovingResult result;
    for (int e = 0; e < 2; ++e) {
        MovingExtreme& out = e == 0 ? result.max : result.min;
        const Candidate& c = best[e];
        if (!(c.total > 0.0))
            continue;
        const LoadModel& m = load.alternatives[c.alternative];
        MovingExtreme found;
        found.alternative = c.alternative;
        found.placement = PlacementOf(w.line, m, c.groups, c.offsets, c.dir, c.found, w.xs);
        const double area = e == 0 ? positive : negative;
        found.laneValue = m.lane * m.laneFactor * area;
        found.value = Effect(w.line, m, found.placement, area, w.xs);
        found.found = e == 0 ? found.value > 0.0 : found.value < 0.0; // (not when rounding gives 0)
        if (!found.found)
            continue;
        if (found.laneValue != 0.0)
            LaneArea(w.line, e == 0 ? 1.0 : -1.0, &found.laneStretches);
        out = std::move(found);
    }
    return result;
}

double MovingEffect(const Diagram& line, const LoadModel& model, const MovingPlacement& at,
                    MovingExtremum which) {
    CheckModel(model, 0);
    if (!model.loads.empty() && at.position == at.position &&
        (at.spacings.size() + 1 != model.loads.size() ||
         (!at.sides.empty() && at.sides.size() != model.loads.size())))
        throw Error(Error::Kind::Usage, "a placement of " + std::to_string(model.loads.size()) +
                                            " axles takes " + std::to_string(model.loads.size() - 1) +
                                            " spacings and as many sides as axles, or none");
    Knots knots;
    LineKnots(line, knots);
    std::vector<double> xs;
    return Effect(knots, model, at, LaneArea(knots, which == MovingExtremum::Max ? 1.0 : -1.0, nullptr), xs);
}

} // namespace analysis
} // namespace vymath
