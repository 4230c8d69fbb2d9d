// The exact extremes of moving loads on influence lines: the alternatives and directions searched, the
// placement reported. The pieces are in MovingPieces.h.
#include "MovingPieces.h"

#include "vymath/analysis/Error.h"

#include <cmath>
#include <string>

namespace vymath {
namespace analysis {

MovingWorkspace::MovingWorkspace() : buffers(new Buffers) {}
MovingWorkspace::~MovingWorkspace() = default;

using namespace moving;

namespace {

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
