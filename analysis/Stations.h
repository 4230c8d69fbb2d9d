// Jumps at their station: how the runs present lines. The library stores a jump at j as two points at
// j -+ Xtolerance, and an envelope of diagrams with jumps has points in that window (the window's ends,
// crossings on the steep pieces); a reader of results wants the jump where the input put it. Not
// installed.
#ifndef VYMATH_ANALYSIS_STATIONS_H
#define VYMATH_ANALYSIS_STATIONS_H

#include "vymath/analysis/Diagram.h"
#include "vymath/analysis/Envelope.h"

#include <functional>
#include <vector>

namespace vymath {
namespace analysis {

// The jump abscissas of the diagrams, sorted, each once.
std::vector<double> JumpStations(const std::vector<const Diagram*>& diagrams);

// What governs a stretch, read at a station: its value left and right of it (the two sides of its own
// jump there, or its value twice). False where it has no value there.
using StationSides = std::function<bool(int governing, double station, double& left, double& right)>;
// The slopes of a diagram's input lines either side of a station (Diagram::Slopes).
using StationSlopes = std::function<bool(int diagram, double station, double& left, double& right)>;

// Which envelope a line is, and of how many diagrams, to decide between diagrams equal at a station
// (count 0: the line's own choice stands, as for design envelopes).
struct StationChoice {
    bool upper = true;
    std::size_t count = 0;
    StationSlopes slopes;
};

// The line with every point in a jump's window [j - tol, j + tol] replaced by the station's values: (j, L)
// and (j, R) where they differ, (j, L) alone where they do not. L is what governs the stretch ending at the
// window read left of j, R what governs the stretch leaving it read right of j (the line's own values at the
// window's ends where none is known: a fold's interpolated stretch). With a choice, the diagrams equal to
// those at j (within 1e-10 max(1, |v|)) are weighed by their input slopes there, so that the stored window
// of a jump does not name the wrong one of two diagrams that meet at the station. The zero-width stretch
// from (j, L) to (j, R) names no governing diagram (-1). Windows with no point of the line, or with a
// placeholder, are left as they are. O(n + stations), plus O(count n) at a station with a tie.
EnvelopeLine AtStations(const EnvelopeLine& line, const std::vector<double>& stations, double tol,
                        const StationSides& sides, const StationChoice& choice = {});

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_STATIONS_H
