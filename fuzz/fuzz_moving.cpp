// Differential fuzzing of the exact moving-load extremes: random influence lines (with jumps, ends that
// are not 0) and load models (fixed, ranged and open spacings, alternatives, lane loads, directions),
// against the brute force of fuzz/reference/ref_moving.cpp. Abscissas, spacings and their ranges lie on a
// grid of 0.25, so that the reference's sweep of the ranges at that step meets every position where the
// extreme can stand. Checked: the extremes agree within 1e-9 of the scale of the effects; a sweep of
// positions at a fine step never finds more; the reported placement gives the value bit for bit through
// MovingEffect, and the reference's own reading of it agrees; spacings lie in their ranges; the lane
// load's stretches are where the line is unfavourable.
#include "FuzzCommon.h"
#include "reference/RefMoving.h"

#include "vymath/analysis/Diagram.h"
#include "vymath/analysis/MovingLoad.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace vymath::analysis;

bool Trace() {
    return std::getenv("VYMATH_FUZZ_TRACE") != nullptr;
}

const double kInf = std::numeric_limits<double>::infinity();

std::vector<ref::MovingVertex> Negated(std::vector<ref::MovingVertex> line) {
    for (auto& v : line) {
        v.left = -v.left;
        v.right = -v.right;
    }
    return line;
}

int SideCode(Side s) {
    return s == Side::Left ? -1 : s == Side::Right ? 1 : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    // The line: stations on a grid of 0.25, some interior ones with a jump. A long line (hundreds of
    // vertices, a wave with noise: the search by stretches of positions) takes trains of fixed spacings.
    const bool longLine = in.ConsumeIntegralInRange(0, 7) == 0;
    const double start = in.ConsumeIntegralInRange(-8, 8) * 0.25;
    std::vector<double> stations{start, start + in.ConsumeIntegralInRange(1, 40) * 0.25};
    std::vector<double> ordinates;
    if (longLine) {
        const int count = in.ConsumeIntegralInRange(256, 400);
        const double amplitude = in.ConsumeIntegralInRange(1, 8),
                     wave = in.ConsumeIntegralInRange(1, 40) * 0.01;
        const int noise = in.ConsumeIntegralInRange(0, 2);
        std::uint32_t seed = in.ConsumeIntegral<std::uint32_t>();
        stations.clear();
        for (int i = 0; i < count; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const int jitter = noise == 0 ? 0 : static_cast<int>(seed >> 16) % (2 * noise + 1) - noise;
            stations.push_back(start + i * 0.25);
            ordinates.push_back(0.5 * (std::round(amplitude * std::sin(wave * i)) + jitter));
        }
    } else {
        for (int k = in.ConsumeIntegralInRange(0, 6); k > 0; --k)
            stations.push_back(start + in.ConsumeIntegralInRange(0, 40) * 0.25);
        std::sort(stations.begin(), stations.end());
        stations.erase(std::unique(stations.begin(), stations.end()), stations.end());
    }
    std::vector<Row> rows;
    std::vector<ref::MovingVertex> line;
    for (std::size_t i = 0; i < stations.size(); ++i) {
        const double y = longLine ? ordinates[i] : in.ConsumeIntegralInRange(-8, 8) * 0.5;
        rows.push_back({stations[i], y, 0});
        line.push_back({stations[i], y, y, false});
        if (i > 0 && i + 1 < stations.size() && in.ConsumeIntegralInRange(0, longLine ? 60 : 3) == 0) {
            const double right = in.ConsumeIntegralInRange(-8, 8) * 0.5;
            rows.push_back({stations[i], right, 0});
            line.back().right = right;
            line.back().jump = right != y;
        }
    }
    const Locator where = [](std::size_t) { return std::string("row"); };
    const Diagram diagram = BuildDiagram("line", rows, where);

    // The load: one or two models.
    MovingLoad load;
    load.source = "fuzz";
    const int alternatives = in.ConsumeIntegralInRange(1, 2);
    for (int a = 0; a < alternatives; ++a) {
        LoadModel m;
        const int axles = in.ConsumeIntegralInRange(0, 9) == 0 ? 0 : in.ConsumeIntegralInRange(1, 4);
        int ranges = 0, open = 0;
        for (int k = 0; k < axles; ++k) {
            m.loads.push_back(in.ConsumeIntegralInRange(0, 8));
            if (k == 0)
                continue;
            const double min = in.ConsumeIntegralInRange(0, 16) * 0.25;
            const int kind = in.ConsumeIntegralInRange(0, 3);
            if (longLine)
                m.spacings.push_back({min, min});
            else if (kind == 1 && ranges < 2)
                m.spacings.push_back({min, min + in.ConsumeIntegralInRange(1, 8) * 0.25}), ++ranges;
            else if (kind == 2 && ranges < 2 && open == 0)
                m.spacings.push_back({min, kInf}), ++ranges, ++open;
            else
                m.spacings.push_back({min, min});
        }
        static const double factors[] = {1.0, 0.5, 1.25};
        m.factor = in.PickValueInArray(factors);
        static const double lanes[] = {0.0, 1.0, 2.5};
        m.lane = in.PickValueInArray(lanes);
        m.laneFactor = in.ConsumeBool() ? 1.0 : 0.5;
        m.directions = static_cast<Travel>(in.ConsumeIntegralInRange(0, 2));
        load.alternatives.push_back(m);
    }

    if (Trace()) {
        for (const auto& v : line)
            std::fprintf(stderr, "vertex %g: %g | %g%s\n", v.x, v.left, v.right, v.jump ? " jump" : "");
        for (const LoadModel& m : load.alternatives) {
            std::fprintf(stderr, "model: factor %g lane %g x %g directions %d; axles", m.factor, m.lane,
                         m.laneFactor, static_cast<int>(m.directions));
            for (std::size_t k = 0; k < m.loads.size(); ++k) {
                if (k > 0)
                    std::fprintf(stderr, " [%g, %g]", m.spacings[k - 1].min, m.spacings[k - 1].max);
                std::fprintf(stderr, " %g", m.loads[k]);
            }
            std::fprintf(stderr, "\n");
        }
    }

    MovingWorkspace work;
    const MovingResult result = MovingExtremes(diagram, load, work);

    double peak = 0.0;
    for (const auto& v : line)
        peak = std::max(peak, std::max(std::fabs(v.left), std::fabs(v.right)));
    const double positive = ref::LaneArea(line, 1.0), negative = ref::LaneArea(line, -1.0);
    double scale = 1.0;
    for (const LoadModel& m : load.alternatives) {
        for (double p : m.loads)
            scale += m.factor * p * peak;
        scale += m.lane * m.laneFactor * (positive + negative);
    }
    const double tol = 1e-9 * scale;

    for (int e = 0; e < 2; ++e) {
        const bool max = e == 0;
        const MovingExtreme& got = max ? result.max : result.min;
        const double sign = max ? 1.0 : -1.0;
        const std::vector<ref::MovingVertex> signed_ = max ? line : Negated(line);
        // The reference: the best alternative, vehicle and lane.
        double expected = 0.0;
        for (const LoadModel& m : load.alternatives) {
            ref::MovingTrain train;
            for (double p : m.loads)
                train.loads.push_back(m.factor * p);
            for (const AxleSpacing& s : m.spacings)
                train.spacings.push_back({s.min, s.max});
            train.forward = m.directions != Travel::Backward;
            train.backward = m.directions != Travel::Forward;
            const double total =
                ref::MovingMax(signed_, train, 0.25) + m.lane * m.laneFactor * (max ? positive : negative);
            expected = std::max(expected, total);
        }
        const double value = sign * got.value;
        if (Trace())
            std::fprintf(stderr, "%s: %.17g (alternative %zu, position %.17g %s side %d), reference %.17g\n",
                         max ? "max" : "min", got.value, got.alternative, got.placement.position,
                         got.placement.direction == Direction::Forward ? "forward" : "backward",
                         SideCode(got.placement.side), sign * expected);
        fuzz::Check(std::fabs(value - expected) <= tol, "moving-load extreme differs from the brute force");
        fuzz::Check(got.found == (got.value != 0.0), "found and value disagree");
        fuzz::Check(!got.found || value > 0.0, "an extreme of the wrong sign");
        if (!got.found)
            continue;
        const LoadModel& m = load.alternatives[got.alternative];
        const MovingPlacement& at = got.placement;
        // The placement gives the value, bit for bit, and as the reference reads it.
        fuzz::Check(MovingEffect(diagram, m, at, max ? MovingExtremum::Max : MovingExtremum::Min) ==
                        got.value,
                    "the reported placement does not give the value");
        const double lane = m.lane * m.laneFactor * (max ? positive : -negative);
        double vehicle = 0.0;
        if (at.position == at.position) {
            fuzz::Check(at.spacings.size() == m.spacings.size() && at.sides.size() == m.loads.size(),
                        "a placement without its spacings and sides");
            std::vector<double> loads;
            std::vector<int> sides;
            for (std::size_t k = 0; k < m.loads.size(); ++k) {
                loads.push_back(m.factor * m.loads[k]);
                sides.push_back(SideCode(at.sides[k]));
                fuzz::Check(k == 0 || (at.spacings[k - 1] >= m.spacings[k - 1].min &&
                                       at.spacings[k - 1] <= m.spacings[k - 1].max),
                            "a spacing outside its range");
            }
            vehicle = ref::MovingAt(line, loads, at.position, at.direction == Direction::Forward, at.spacings,
                                    sides);
            if (Trace())
                std::fprintf(stderr, "  the reference reads the placement as %.17g + lane %.17g\n", vehicle,
                             lane);
        }
        fuzz::Check(std::fabs(vehicle + lane - got.value) <= tol,
                    "the reference reads the placement otherwise");
        // The lane load's stretches: increasing, apart, where the line is unfavourable.
        double previous = -kInf;
        for (const auto& s : got.laneStretches) {
            fuzz::Check(s.first > previous && s.second > s.first, "lane stretches out of order");
            bool loaded = false; // (a stretch may touch 0 inside, where two meet)
            for (double f : {0.3183, 0.5, 0.7071}) {
                const double x = s.first + f * (s.second - s.first);
                loaded = loaded || sign * ref::LineValue(line, x, -1) > 0;
            }
            fuzz::Check(loaded, "a lane stretch where the line is favourable");
            previous = s.second;
        }
        fuzz::Check(got.laneStretches.empty() == (lane == 0.0), "lane stretches without a lane load");
        // A sweep of positions never finds more: each alternative, its spacings at a few values.
        for (const LoadModel& alt : load.alternatives) {
            std::vector<double> loads;
            for (double p : alt.loads)
                loads.push_back(alt.factor * p);
            const double altLane = alt.lane * alt.laneFactor * (max ? positive : negative);
            for (int pick = 0; pick < 3; ++pick) {
                std::vector<double> spacings;
                double length = 0.0;
                for (const AxleSpacing& s : alt.spacings) {
                    const double top = std::isinf(s.max) ? s.min + 7.0 : s.max;
                    spacings.push_back(pick == 0 || s.min == s.max ? s.min
                                       : pick == 1                 ? top
                                                                   : (s.min + top) / 2 + 0.1);
                    length += spacings.back();
                }
                const std::vector<int> exact(alt.loads.size(), 0);
                for (int dir = 0; dir < 2; ++dir) {
                    if ((dir == 0 && alt.directions == Travel::Backward) ||
                        (dir == 1 && alt.directions == Travel::Forward))
                        continue;
                    const double step = longLine ? 1.0 / 16 : 1.0 / 64;
                    for (double p = line.front().x - length - 1; p <= line.back().x + length + 1; p += step) {
                        const double swept =
                            ref::MovingAt(signed_, loads, p + step / 4, dir == 0, spacings, exact);
                        fuzz::Check(!(swept + altLane > value + tol), "a sweep finds more than the extreme");
                    }
                }
            }
        }
    }
    return 0;
}
