/// @file
/// Moving loads on influence lines: the exact largest and smallest effect of a vehicle (a train of axles,
/// its spacings fixed or in a range) with a lane load, over every position of the vehicle, both ways.
///
/// **The line.** An influence line is a Diagram: y(x) is the effect of a unit load at x. Its vertices are
/// its stored points, except that the two points of a jump (j -+ Xtolerance) make one vertex at j with
/// both values (Diagram::Sides); the line is linear between vertices and 0 beyond its ends, so that an
/// axle there carries nothing (the vehicle enters and leaves the structure). An axle exactly at an end
/// carries the end value; an axle exactly on a jump has no value: only the limits from either side count.
///
/// **The effect.** Travelling forward, the axle listed first stands at the position p and axle k at
/// p - c_k, c_k the sum of the spacings before it; backward at p + c_k. The effect is
/// sum_k (factor * P_k) y(x_k), plus the lane load's, (lane * lane_factor) times the integral of the
/// line's positive part for the maximum (its negative part for the minimum), wherever the vehicle stands.
/// The maximum is the supremum of the effect over every position, direction, alternative and spacing in
/// its range; where axles stand on jumps (or on an end whose value is not 0) it is the limit as the
/// vehicle approaches its position from one side, reported as such (MovingPlacement::side). A variable
/// spacing may approach its value too, so that axles on different jumps may read different sides
/// (MovingPlacement::sides). The minimum is the same with the line's sign changed. Placing the load as
/// reported (MovingEffect) gives the reported value bit for bit.
///
/// **Ties.** Of equal values: the earlier alternative; forward before backward; the position the vehicle
/// reaches first (the smallest one forward, the largest backward); at one position the exact placement,
/// then the limit from behind (the side the vehicle comes from), then from ahead; then the smallest value
/// of each variable spacing in turn, the first listed first.
///
/// **Method and cost.** The effect of a train of fixed spacings is piecewise linear in the position, its
/// breakpoints where an axle meets a vertex: the shifted copies of the line are summed pairwise in a
/// balanced tree, O(A V log A) for A axles and V vertices, and the sum's breakpoints are read with both
/// limits. The positions are cut into stretches (about 64 vertices an axle each), each bounded from the
/// line's largest and smallest values over every axle's reach, and only the stretches whose bound can
/// beat the best value found are summed: on a line with a few peaks, a small part of the positions. A
/// variable spacing joins the rigid groups of axles on either side by a dynamic programme:
/// F(x) = G(x) + max over s in [min, max] of F'(x - D - s), G the group's effect, D its length and F' the
/// effect of the axles behind; the maximum over the window is a sliding-window maximum of a piecewise
/// linear function (a running maximum for an open range), O(n) for its n breakpoints, and it has at most
/// 6n of them (where a vertex meets either end of the window, and where the governing candidate changes
/// between them). The lane load is integrated exactly between the line's zeros, O(V). Memory: the
/// functions summed and windowed, O(A V) for a fixed train, in a workspace reused from line to line.
#ifndef VYMATH_ANALYSIS_MOVINGLOAD_H
#define VYMATH_ANALYSIS_MOVINGLOAD_H

#include "vymath/analysis/Diagram.h"
#include "vymath/analysis/Export.h"

#include <cstddef>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vymath {
namespace analysis {

/// The spacing of two neighbouring axles: fixed (min == max) or any value in [min, max], max +infinity
/// for an open range (at least min).
struct AxleSpacing {
    double min = 0.0; ///< the smallest spacing, 0 or more
    double max = 0.0; ///< the largest, min or more; +infinity for an open range
};

/// The ways a vehicle travels.
enum class Travel {
    Both,    ///< forward and backward
    Forward, ///< towards larger abscissas: the axle listed first leads
    Backward ///< towards smaller abscissas
};

/// The way a vehicle travels in one result.
enum class Direction {
    Forward, ///< the other axles at smaller abscissas than the one listed first
    Backward ///< at larger ones
};

/// Which value an axle on a jump reads: the limit from the left, from the right, or none (the exact
/// placement: the end value at an end of the line).
enum class Side { None, Left, Right };

/// One load model: a vehicle and a lane load.
struct LoadModel {
    std::vector<double> loads;         ///< the axle loads in order, each 0 or more (none: a lane load alone)
    std::vector<AxleSpacing> spacings; ///< one fewer than the loads
    double factor = 1.0;               ///< on the axle loads (a dynamic allowance), 0 or more
    double lane = 0.0;                 ///< the lane load q, 0 or more, on every unfavourable part of the line
    double laneFactor = 1.0;           ///< on the lane load, 0 or more
    Travel directions = Travel::Both;  ///< the ways the vehicle travels
};

/// A load: one model, or several alternatives of which the worst governs.
struct MovingLoad {
    std::vector<LoadModel> alternatives; ///< one at least
    std::string source;                  ///< the load's name in messages ("hl93.json")
};

/// Where a vehicle stands.
struct MovingPlacement {
    /// The abscissa of the axle listed first; NaN when the vehicle stands off the line (then only the lane
    /// load counts).
    double position = std::numeric_limits<double>::quiet_NaN();
    Direction direction = Direction::Forward; ///< the way it travels
    /// Left: the limit as the vehicle approaches the position from smaller abscissas (the axles on jumps
    /// read their left values), Right: from larger ones; None: the vehicle stands exactly there. The side of
    /// the first axle in sides that is not None.
    Side side = Side::None;
    std::vector<double> spacings; ///< the spacings, each range resolved to its worst value
    /// The side each axle reads, None for one on no jump and no end; empty: every axle reads `side`.
    std::vector<Side> sides;
};

/// The largest (or smallest) effect of a load on one line.
struct MovingExtreme {
    bool found = false;          ///< the effect is positive (negative) somewhere; else value 0
    double value = 0.0;          ///< the supremum (infimum): vehicle and lane
    double laneValue = 0.0;      ///< the lane load's part of it
    std::size_t alternative = 0; ///< the governing alternative
    MovingPlacement placement;   ///< where the vehicle stands (position NaN when it adds nothing)
    /// The stretches [a, b] the lane load covers (where the line is positive, negative for the minimum),
    /// increasing; none when the lane load is 0.
    std::vector<std::pair<double, double>> laneStretches;
};

/// The extremes of a load on one line.
struct MovingResult {
    MovingExtreme max; ///< the largest effect
    MovingExtreme min; ///< the smallest
};

class MovingWorkspace;
VYMATH_ANALYSIS_API MovingResult MovingExtremes(const Diagram& line, const MovingLoad& load,
                                                MovingWorkspace& work);

/// Buffers reused from line to line, one a thread: a call keeps them for the next one.
class VYMATH_ANALYSIS_API MovingWorkspace {
public:
    MovingWorkspace();  ///< empty buffers
    ~MovingWorkspace(); ///< releases them
    /// Not copied.
    MovingWorkspace(const MovingWorkspace&) = delete;
    /// Not assigned.
    MovingWorkspace& operator=(const MovingWorkspace&) = delete;
    /// The buffers, defined and used by the implementation only.
    struct Buffers;

private:
    std::unique_ptr<Buffers> buffers;
    friend MovingResult MovingExtremes(const Diagram& line, const MovingLoad& load, MovingWorkspace& work);
};

/// The exact largest and smallest effect of the load on the influence line, as the file's contract says:
/// value, governing alternative, placement (position, direction, sides, resolved spacings) and the lane
/// load's stretches; ties as stated there. A maximum that is never positive (a minimum never negative)
/// is not found: value 0, position NaN. Throws Error (Data) for a line of fewer than two points or with
/// an open end, and Error (Usage) for a load that breaks LoadModel's rules (as the load file's reader
/// checks). Cost: see the file's contract; the workspace keeps its buffers for the next call.
VYMATH_ANALYSIS_API MovingResult MovingExtremes(const Diagram& line, const MovingLoad& load,
                                                MovingWorkspace& work);

/// Which extreme: the lane load covers the line's positive part for the maximum, its negative part for
/// the minimum.
enum class MovingExtremum { Max, Min };

/// The effect of one model placed on the line; the placement a result reports gives its value bit for
/// bit. The axles stand at their abscissas (position and spacings as given), an axle within a few units of
/// rounding (64 epsilons of the line's and the train's extent) of a vertex standing on it and reading the
/// side asked (Side::None on a jump: the mean of its two values); the lane load's part for the extremum
/// is added. Throws Error (Data) for a line as MovingExtremes does, Error (Usage) for a model that breaks
/// LoadModel's rules or a placement whose spacings (or sides, when given) do not match its axles.
/// O(A log V + V).
VYMATH_ANALYSIS_API double MovingEffect(const Diagram& line, const LoadModel& model,
                                        const MovingPlacement& at, MovingExtremum which);

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_MOVINGLOAD_H
