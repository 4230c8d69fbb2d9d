// The trains' searches: rigid groups summed pairwise, fixed trains by bounded stretches, variable spacings
// through windows.
#include "MovingPieces.h"

#include <cmath>

namespace vymath {
namespace analysis {
namespace moving {

namespace {

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

} // namespace

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

} // namespace moving
} // namespace analysis
} // namespace vymath
