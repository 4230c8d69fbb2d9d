// Reference: moving loads on an influence line by brute force, the test oracle of the exact extremes.
#ifndef VYMATH_FUZZ_REFMOVING_H
#define VYMATH_FUZZ_REFMOVING_H

#include <utility>
#include <vector>

namespace ref {

// A vertex of an influence line: its abscissa, the values left and right of it (equal but at a jump)
// and whether it is a jump (no value exactly there).
struct MovingVertex {
    double x, left, right;
    bool jump;
};

// A train: axle loads (factor applied), spacings as [min, max] (max +inf: open), the ways it travels.
struct MovingTrain {
    std::vector<double> loads;
    std::vector<std::pair<double, double>> spacings;
    bool forward = true, backward = true;
};

// The line's value at x: side -1 the limit from the left, +1 from the right, 0 the value there (NaN
// exactly on a jump); 0 beyond the ends, the end value at an end.
double LineValue(const std::vector<MovingVertex>& line, double x, int side);

// The vehicle's effect with the first axle at p, the others at p -+ the sums of the spacings, axle k
// reading side sides[k].
double MovingAt(const std::vector<MovingVertex>& line, const std::vector<double>& loads, double p,
                bool forward, const std::vector<double>& spacings, const std::vector<int>& sides);

// The largest effect of the vehicle over every position (0 with it off the line): every axle on every
// vertex, read from both sides and exactly, each range of spacings swept at `step` (open ones as far as
// the line and the train reach), the groups of axles joined by fixed spacings approaching from sides
// that the spacings between them allow (a spacing at its smallest: the group behind no further right
// than the one ahead, at its largest no further left).
double MovingMax(const std::vector<MovingVertex>& line, const MovingTrain& train, double step);

// The integral of the line's positive part (sign +1) or, negated, of its negative part (sign -1).
double LaneArea(const std::vector<MovingVertex>& line, double sign);

} // namespace ref

#endif // VYMATH_FUZZ_REFMOVING_H
