/// @file
/// The key figures of a diagram: domain, extremes, zeros, resultant, moment and excentricity.
#ifndef VYMATH_ANALYSIS_KEYFIGURES_H
#define VYMATH_ANALYSIS_KEYFIGURES_H

#include "vymath/CVyMathFunction1D.h"
#include "vymath/analysis/Diagram.h"
#include "vymath/analysis/Export.h"

#include <optional>
#include <vector>

namespace vymath {
namespace analysis {

/// A point of a diagram.
struct Extremum {
    double x; ///< the abscissa
    double y; ///< the value
};

/// What `inspect` reports of one diagram.
struct KeyFigures {
    double xmin;               ///< the domain's lower bound
    double xmax;               ///< the domain's upper bound
    int points;                ///< GetNumberElement
    Extremum min;              ///< the first of the global minima
    Extremum max;              ///< the first of the global maxima
    std::vector<double> zeros; ///< the first point when it is zero, then GetAllZero's (1e-9)
    double resultant;          ///< GetResultantAndMoment: the area
    double moment;             ///< GetResultantAndMoment: the area's moment about the domain's middle
    std::optional<double> excentricity; ///< where the resultant acts, from x = 0; none for a null one
};

/// The key figures of f, from the library's operations on a copy. O(n) for n points, plus the zeros'
/// bisections.
VYMATH_ANALYSIS_API KeyFigures Inspect(const CVyMathFunction1D& f);

/// The key figures of a diagram as a reader of results is shown them: Inspect(d.f), with an extreme or a
/// zero that lies in a jump's stored window (j -+ Xtolerance, and the zeros' 1e-9 beyond) reported at the
/// jump's abscissa j, and a zero there once. O(n + log jumps) more.
VYMATH_ANALYSIS_API KeyFigures Inspect(const Diagram& d);

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_KEYFIGURES_H
