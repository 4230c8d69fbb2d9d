// The envelopes as an SVG figure: each member as a thin line, the two envelopes as thick ones, axes
// with ticks and labels, the zero line, a legend, and the extrema of each envelope marked with their
// value, abscissa and governing member.
#ifndef VYMATH_CLI_PLOT_H
#define VYMATH_CLI_PLOT_H

#include "Report.h"

#include <vymath/CVyMathFunction1D.h>

#include <string>
#include <vector>

namespace vycli {

struct Series {
    std::string name;
    std::vector<CVyMathFunction1D::Point> points;
};

// Points of an envelope that no member governs are left out of its line.
std::string EnvelopeSvg(const EnvelopeResult& r, const std::vector<Series>& members, const Labels& labels);

} // namespace vycli

#endif // VYMATH_CLI_PLOT_H
