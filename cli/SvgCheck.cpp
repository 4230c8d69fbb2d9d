// The SVG figures of a member's section checks.
#include "Svg.h"

#include "Colours.h"
#include "SvgParts.h"
#include "analysis/Text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vycli {

using namespace vymath::analysis;
using namespace svg;
using vymath::text::Readable;

namespace {

// A closed polygon's path.
std::string Polygon(const std::vector<CVyMathFunction1D::Point>& points, const Figure& fig) {
    std::vector<double> x, y;
    for (const auto& p : points)
        x.push_back(p.x), y.push_back(p.y);
    if (!points.empty())
        x.push_back(points[0].x), y.push_back(points[0].y);
    return fig.Path(x, y, std::vector<bool>(x.size(), true));
}

std::string Frame() {
    return "<rect x=\"" + Fixed(kLeft, 0) + "\" y=\"" + Fixed(kTop, 0) + "\" width=\"" +
           Fixed(kRight - kLeft, 0) + "\" height=\"" + Fixed(kBottom - kTop, 0) +
           "\" fill=\"none\" stroke=\"#444\" stroke-width=\"1\"/>\n";
}

std::string Title(const std::string& text) {
    return "<text x=\"" + Fixed(kLeft, 0) +
           "\" y=\"30\" font-size=\"16\" font-weight=\"bold\" fill=\"#222\">" + Escaped(text) + "</text>\n";
}

// The utilisation along the member, the limit 1 and the largest marked.
std::string AlongPanel(const SituationCheck& s, const Labels& labels, const std::string& title) {
    double xmin = std::numeric_limits<double>::infinity(), xmax = -xmin, ymax = 1.0;
    std::vector<bool> keep;
    for (std::size_t i = 0; i < s.along.x.size(); ++i) {
        xmin = std::min(xmin, s.along.x[i]), xmax = std::max(xmax, s.along.x[i]);
        keep.push_back(std::isfinite(s.along.u[i]));
        if (keep.back())
            ymax = std::max(ymax, s.along.u[i]);
    }
    if (!(xmax > xmin))
        xmin = 0.0, xmax = 1.0;
    const double step = NiceTicks(0.0, ymax, 6).step;
    ymax = std::ceil(ymax / step - 1e-9) * step;
    const Figure fig(xmin, xmax, 0.0, ymax);
    std::string svg = Title(title) + Axes(fig, NiceTicks(xmin, xmax, 8), NiceTicks(0.0, ymax, 6),
                                          Labels{labels.x, "utilisation"});
    svg += "<line x1=\"" + Fixed(kLeft, 0) + "\" y1=\"" + Fixed(fig.Y(1.0), 2) + "\" x2=\"" +
           Fixed(kRight, 0) + "\" y2=\"" + Fixed(fig.Y(1.0), 2) +
           "\" stroke=\"#c0392b\" stroke-width=\"1.2\" stroke-dasharray=\"6 4\"/>\n";
    svg += "<path d=\"" + fig.Path(s.along.x, s.along.u, keep) + "\" fill=\"none\" stroke=\"" + ColourOf(0) +
           "\" stroke-width=\"" + Fixed(kEnvelopeWidth, 0) + "\" stroke-linejoin=\"round\"/>\n" + Frame();
    if (s.max.found && std::isfinite(s.max.u)) {
        const std::string xunit = UnitOf(labels.x);
        svg += PlaceLabels({{s.max.x, s.max.u, ColourOf(0), "max u " + Readable(s.max.u, 4),
                             "x = " + Readable(s.max.x, 4) + (xunit.empty() ? "" : " " + xunit) + ", " +
                                 Shortened(s.max.combination.Text(), 40),
                             true}},
                           fig);
    }
    return svg;
}

// The plane of the two forces: the curve, the hull of the attainable pairs where the largest is, its pair.
std::string PlanePanel(const SituationCheck& s, const std::vector<CVyMathFunction1D::Point>& curve,
                       const std::array<std::string, 2>& forces, const std::string& title) {
    double xmin = 0.0, xmax = 0.0, ymin = 0.0, ymax = 0.0;
    const auto extend = [&](double x, double y) {
        xmin = std::min(xmin, x), xmax = std::max(xmax, x), ymin = std::min(ymin, y),
        ymax = std::max(ymax, y);
    };
    for (const auto& p : curve)
        extend(p.x, p.y);
    for (const auto& p : s.hull)
        extend(p.x, p.y);
    if (s.max.found)
        extend(s.max.forces[0], s.max.forces[1]);
    const Figure fig(xmin, xmax, ymin, ymax);
    std::string svg = Title(title) + Axes(fig, NiceTicks(xmin, xmax, 8), NiceTicks(ymin, ymax, 6),
                                          Labels{forces[0], forces[1]});
    svg += "<path d=\"" + Polygon(curve, fig) +
           "\" fill=\"#f2f2f2\" stroke=\"#444\" stroke-width=\"2\" stroke-linejoin=\"round\"/>\n";
    if (!s.hull.empty())
        svg += "<path d=\"" + Polygon(s.hull, fig) + "\" fill=\"" + ColourOf(0) +
               "\" fill-opacity=\"0.15\" stroke=\"" + ColourOf(0) +
               "\" stroke-width=\"1.5\" stroke-dasharray=\"5 3\"/>\n";
    svg += Frame();
    if (s.max.found)
        svg += PlaceLabels({{s.max.forces[0], s.max.forces[1], ColourOf(0),
                             forces[0] + " " + Readable(s.max.forces[0], 4) + ", " + forces[1] + " " +
                                 Readable(s.max.forces[1], 4),
                             "u = " + Readable(s.max.u, 4), true}},
                           fig);
    return svg;
}

} // namespace

std::string CheckSvg(const std::vector<SituationCheck>& situations,
                     const std::vector<CVyMathFunction1D::Point>& curve,
                     const std::array<std::string, 2>& forces, const Labels& labels,
                     const std::string& title) {
    std::string svg = SvgHead(kWidth, 2 * kHeight * static_cast<double>(situations.size()));
    for (std::size_t k = 0; k < situations.size(); ++k) {
        const SituationCheck& s = situations[k];
        const std::string name = (title.empty() ? "" : title + ", ") + s.name;
        svg += "<g transform=\"translate(0 " + Fixed(2 * kHeight * static_cast<double>(k), 0) + ")\">\n" +
               AlongPanel(s, labels, name + ": utilisation along the member") + "</g>\n";
        svg +=
            "<g transform=\"translate(0 " + Fixed(2 * kHeight * static_cast<double>(k) + kHeight, 0) +
            ")\">\n" +
            PlanePanel(s, curve, forces, name + ": the curve and the attainable pairs where u is largest") +
            "</g>\n";
    }
    return svg + "</svg>\n";
}

} // namespace vycli
