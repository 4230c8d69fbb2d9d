/// @file
/// A diagram built from rows of (x, value): the rules every front-end reads its input by.
#ifndef VYMATH_ANALYSIS_DIAGRAM_H
#define VYMATH_ANALYSIS_DIAGRAM_H

#include "vymath/CVyMathFunction1D.h"
#include "vymath/analysis/Error.h"
#include "vymath/analysis/Export.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vymath {
namespace analysis {

/// One point as read: the abscissa, the value, and the row's origin (the front-end's numbering).
struct Row {
    double x;           ///< the abscissa
    double y;           ///< the value
    std::size_t origin; ///< the front-end's number of the row (a line, an index), for messages
};

/// A diagram: the function, and the abscissas of its jumps in increasing order.
struct VYMATH_ANALYSIS_API Diagram {
    CVyMathFunction1D f;       ///< the function built from the rows
    std::vector<double> jumps; ///< the abscissas where two rows made a jump, increasing

    /// The values on both sides of x: at a jump's abscissa, or within its window j -+ Xtolerance, the
    /// two stored points of the jump (left, right); elsewhere GetOrdinate(x) twice. False (left and
    /// right untouched) outside the domain. O(log n + log jumps).
    bool Sides(double x, double& left, double& right) const;

    /// The slopes of the input's lines left and right of x (a jump's sides at its abscissa): what decides
    /// between diagrams equal at a station. False (slopes untouched) outside the domain; an end's outer
    /// slope is 0. O(n): it reads the points.
    bool Slopes(double x, double& left, double& right) const;

    /// The points as the input gave them: the stored points, each jump's two at its abscissa (left value
    /// first) instead of at j -+ Xtolerance. What a reader of results is shown. O(n).
    std::vector<CVyMathFunction1D::Point> Points() const;
};

/// A load case's diagram. A bounded case (an analysis program's Max and Min rows: an envelope-type
/// combination, a response spectrum, a moving load) has two: its upper bound and its lower bound, which never
/// act together; a case without step type has one, both bounds.
struct VYMATH_ANALYSIS_API CaseDiagram {
    Diagram upper;                ///< the Max diagram, or the case's only one
    std::optional<Diagram> lower; ///< the Min diagram of a bounded case
    /// Whether the case has two bounds.
    bool Bounded() const { return lower.has_value(); }
    /// The lower bound: the Min diagram, or the only one.
    const Diagram& Lower() const { return lower ? *lower : upper; }
    /// The bound that a factor of the given sign takes to the upper (or lower) side of a sum: the upper bound
    /// for a positive factor on the upper side or a negative one on the lower side, else the lower bound.
    const Diagram& Side(bool upperSide, double factor) const {
        return (factor >= 0) == upperSide ? upper : Lower();
    }
};

/// Builds the diagram of rows (any order): the bounds constructor on the rows' extent, then Set at
/// each abscissa in increasing order. Two rows at one abscissa are a jump, left value first (in row
/// order), stored at x -+ 1e-5; at the first abscissa only the right value is kept and at the last only
/// the left one, the other side lying outside the diagram.
///
/// Throws Error (Data), its message starting with where(origin) of the row at fault and then `label`
/// (as `case "G"`): a third row at one abscissa, a single abscissa, or a point the function cannot
/// store as given (an abscissa within the tolerance of another, twice that beside a jump).
/// O(n log n) for n rows.
VYMATH_ANALYSIS_API Diagram BuildDiagram(const std::string& label, std::vector<Row> rows,
                                         const Locator& where);

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_DIAGRAM_H
