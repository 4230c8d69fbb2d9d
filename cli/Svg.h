// The envelopes of one member's force as an SVG figure: each case (or combination) as a thin line,
// the two envelopes as thick ones in the colour of the case governing each stretch, axes with ticks
// and labels, the zero line, a legend of the cases, and the extrema of each envelope marked with their
// value, abscissa and governing case.
#ifndef VYMATH_CLI_SVG_H
#define VYMATH_CLI_SVG_H

#include "Text.h"

#include <vymath/CVyMathFunction1D.h>
#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/Check.h>

#include <array>
#include <string>
#include <vector>

namespace vycli {

// A case's lines: its diagram's points, or a bounded case's two bounds.
struct Series {
    std::vector<std::vector<CVyMathFunction1D::Point>> lines;
};

// The points of a case's diagrams, their jumps at their station.
Series SeriesOf(const vymath::analysis::CaseDiagram& d);

// names[k] is the diagram of members[k] (members may be empty: the envelopes alone); word says what they
// are ("cases", "combinations"). The title, when not empty, comes before "envelopes of N cases". Points of
// an envelope where no case is defined are left out of its line.
std::string EnvelopeSvg(const std::vector<std::string>& names, const vymath::analysis::Envelope& r,
                        const std::vector<Series>& members, const Labels& labels, const std::string& word,
                        const std::string& title);

// Design envelopes of one member's force: one plot a situation, one under the other, each envelope in
// the colour of the combination governing each stretch (ranked by CombinationOrder), the upper's greatest
// and the lower's least value marked, and the combinations in the legend. The title, when not empty,
// names the member and force; `code` the design code ("EN 1990").
std::string DesignSvg(const std::vector<vymath::analysis::SituationResult>& design, const Labels& labels,
                      const std::string& title, const std::string& code);

// A member's section checks, two plots a situation: the utilisation along the member with the limit 1 and
// the largest marked; the plane of the two forces with the curve, the hull of the attainable pairs where the
// largest is and its pair. The title names the member.
std::string CheckSvg(const std::vector<vymath::analysis::SituationCheck>& situations,
                     const std::vector<CVyMathFunction1D::Point>& curve,
                     const std::array<std::string, 2>& forces, const Labels& labels,
                     const std::string& title);

// An influence line with the vehicle at the positions of its extremes: the line, the lane load's stretches
// shaded, and the axles as arrows at their abscissas, the maximum's above the axis and the minimum's below,
// each with its value. The title names the line.
std::string MovingSvg(const vymath::analysis::Diagram& line, const vymath::analysis::MovingResult& r,
                      const vymath::analysis::MovingLoad& load, const Labels& labels,
                      const std::string& title);

} // namespace vycli

#endif // VYMATH_CLI_SVG_H
