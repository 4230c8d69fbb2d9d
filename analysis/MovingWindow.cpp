// The sliding-window maximum of a piecewise linear function with jumps, and where its values come from.
#include "MovingPieces.h"

#include <cfloat>
#include <cmath>

namespace vymath {
namespace analysis {
namespace moving {

namespace {

// The largest vertex inside a window (the far left too for an open one), the first of its sides in
// the order value, left, right.
void Inside(const Window& w, std::uint32_t vertex, Pick& p) {
    if (vertex != kNone)
        for (Side s : {Side::None, Side::Left, Side::Right})
            p.Offer(ValueOf(w.k[vertex], s), Source{Source::Inside, s, vertex, 0});
    if (w.open)
        p.Offer(w.k[0].l, Source{Source::Inside, Side::Left, 0, 0});
}

} // namespace

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

} // namespace moving
} // namespace analysis
} // namespace vymath
