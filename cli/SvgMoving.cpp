// The SVG figure of an influence line with the vehicle at the positions of its extremes.
#include "Svg.h"

#include "SvgParts.h"
#include "analysis/Text.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vycli {

using namespace vymath::analysis;
using namespace svg;
using vymath::text::Readable;

std::string MovingSvg(const Diagram& line, const MovingResult& r, const MovingLoad& load,
                      const Labels& labels, const std::string& title) {
    constexpr double top = 150, bottom = kBottom + 20; // the plot, below the two strips of axles
    constexpr double strip = 44;                       // each strip's height, from kTop
    const char* colours[] = {"#c0392b", "#2a6fb0"};    // max, min
    const std::vector<CVyMathFunction1D::Point> points = line.Points();
    double xmin = points.front().x, xmax = points.back().x, ymin = 0.0, ymax = 0.0;
    for (const auto& pt : points)
        ymin = std::min(ymin, pt.y), ymax = std::max(ymax, pt.y);
    // Each extreme's axles: abscissa and load.
    std::vector<std::pair<double, double>> axles[2];
    double heaviest = 0.0;
    for (int w = 0; w < 2; ++w) {
        const MovingExtreme& e = w == 0 ? r.max : r.min;
        if (!e.found || std::isnan(e.placement.position))
            continue;
        const LoadModel& m = load.alternatives[e.alternative];
        double at = e.placement.position;
        const double sign = e.placement.direction == Direction::Forward ? -1.0 : 1.0;
        for (std::size_t k = 0; k < m.loads.size(); ++k) {
            if (k > 0)
                at += sign * e.placement.spacings[k - 1];
            axles[w].emplace_back(at, m.factor * m.loads[k]);
            heaviest = std::max(heaviest, m.factor * m.loads[k]);
            xmin = std::min(xmin, at), xmax = std::max(xmax, at);
        }
    }
    if (!(xmax > xmin))
        xmin -= 0.5, xmax += 0.5;
    if (!(ymax > ymin))
        ymin -= 0.5, ymax += 0.5;
    const double ystep = NiceTicks(ymin, ymax, 6).step;
    ymin = std::floor(ymin / ystep + 1e-9) * ystep;
    ymax = std::ceil(ymax / ystep - 1e-9) * ystep;
    const Ticks yt = NiceTicks(ymin, ymax, 6);
    const Ticks xt = NiceTicks(xmin, xmax, 8);
    const auto X = [&](double x) { return kLeft + (x - xmin) / (xmax - xmin) * (kRight - kLeft); };
    const auto Y = [&](double y) { return bottom - (y - ymin) / (ymax - ymin) * (bottom - top); };

    std::string svg = SvgHead(kWidth, kHeight + 40);
    svg += "<text x=\"" + Fixed(kLeft, 0) +
           "\" y=\"30\" font-size=\"16\" font-weight=\"bold\" fill=\"#222\">" +
           Escaped(title + ": " + load.source) + "</text>\n";
    // The lane load's stretches, shaded over the plot.
    for (int w = 0; w < 2; ++w)
        for (const auto& [a, b] : (w == 0 ? r.max : r.min).laneStretches)
            svg += "<rect x=\"" + Fixed(X(a), 2) + "\" y=\"" + Fixed(top, 0) + "\" width=\"" +
                   Fixed(X(b) - X(a), 2) + "\" height=\"" + Fixed(bottom - top, 0) + "\" fill=\"" +
                   colours[w] + "\" fill-opacity=\"0.10\"/>\n";
    // Grid, ticks and labels.
    svg += "<g stroke=\"#e3e3e3\" stroke-width=\"1\">\n";
    for (double v : xt.at)
        svg += "<line x1=\"" + Fixed(X(v), 2) + "\" y1=\"" + Fixed(top, 0) + "\" x2=\"" + Fixed(X(v), 2) +
               "\" y2=\"" + Fixed(bottom, 0) + "\"/>\n";
    for (double v : yt.at)
        svg += "<line x1=\"" + Fixed(kLeft, 0) + "\" y1=\"" + Fixed(Y(v), 2) + "\" x2=\"" + Fixed(kRight, 0) +
               "\" y2=\"" + Fixed(Y(v), 2) + "\"/>\n";
    svg += "</g>\n<g font-size=\"" + Fixed(kSmall, 0) + "\" fill=\"#333\">\n";
    for (double v : xt.at)
        svg += "<text x=\"" + Fixed(X(v), 2) + "\" y=\"" + Fixed(bottom + 18, 0) +
               "\" text-anchor=\"middle\">" + Fixed(v, xt.decimals) + "</text>\n";
    for (double v : yt.at)
        svg += "<text x=\"" + Fixed(kLeft - 8, 0) + "\" y=\"" + Fixed(Y(v) + 4, 2) +
               "\" text-anchor=\"end\">" + Fixed(v, yt.decimals) + "</text>\n";
    svg += "</g>\n";
    svg += "<text x=\"" + Fixed((kLeft + kRight) / 2, 0) + "\" y=\"" + Fixed(bottom + 44, 0) +
           "\" font-size=\"" + Fixed(kFont, 0) + "\" text-anchor=\"middle\" fill=\"#222\">" +
           Escaped(labels.x) + "</text>\n";
    svg += "<text transform=\"translate(24 " + Fixed((top + bottom) / 2, 0) + ") rotate(-90)\" font-size=\"" +
           Fixed(kFont, 0) + "\" text-anchor=\"middle\" fill=\"#222\">" + Escaped(labels.y) + "</text>\n";
    // The zero line and the influence line, its jumps drawn as the vertical strokes they are.
    svg += "<line x1=\"" + Fixed(kLeft, 0) + "\" y1=\"" + Fixed(Y(0), 2) + "\" x2=\"" + Fixed(kRight, 0) +
           "\" y2=\"" + Fixed(Y(0), 2) + "\" stroke=\"#222\" stroke-width=\"1\"/>\n<path d=\"";
    for (std::size_t k = 0; k < points.size(); ++k)
        svg += (k ? " L" : "M") + Fixed(X(points[k].x), 2) + ' ' + Fixed(Y(points[k].y), 2);
    svg += "\" fill=\"none\" stroke=\"#222\" stroke-width=\"2\" stroke-linejoin=\"round\"/>\n";
    // Each extreme's vehicle in its strip above the plot, its axles' abscissas dotted down the plot.
    for (int w = 0; w < 2; ++w) {
        const MovingExtreme& e = w == 0 ? r.max : r.min;
        const double y0 = kTop + w * (strip + 4), y1 = y0 + strip;
        std::string text = std::string(w == 0 ? "max " : "min ") + Readable(e.value, 5);
        const std::string unit = UnitOf(labels.y);
        text += unit.empty() ? "" : " " + unit;
        if (e.found && !std::isnan(e.placement.position))
            text += std::string(", ") +
                    (e.placement.direction == Direction::Forward ? "forward" : "backward") +
                    ", first axle at " + Readable(e.placement.position, 5);
        else
            text += e.found ? ", the lane load alone" : w == 0 ? ", never positive" : ", never negative";
        svg += "<text x=\"" + Fixed(kRight + 12, 0) + "\" y=\"" + Fixed(y0 + 16, 0) + "\" font-size=\"" +
               Fixed(kSmall, 0) + "\" fill=\"" + colours[w] + "\">" + (w == 0 ? "max" : "min") +
               ": the axles (arrows),</text>\n<text x=\"" + Fixed(kRight + 12, 0) + "\" y=\"" +
               Fixed(y0 + 32, 0) + "\" font-size=\"" + Fixed(kSmall, 0) + "\" fill=\"" + colours[w] +
               "\">the lane load (shaded)</text>\n";
        svg += "<text x=\"" + Fixed(kLeft, 0) + "\" y=\"" + Fixed(y0 + 12, 0) + "\" font-size=\"" +
               Fixed(kSmall, 0) + "\" fill=\"" + colours[w] + "\">" + Escaped(text) + "</text>\n";
        svg += "<g stroke=\"" + std::string(colours[w]) + "\" fill=\"" + colours[w] + "\">\n";
        for (const auto& [x, p] : axles[w]) {
            const double length = heaviest > 0 ? 8 + 18 * p / heaviest : 8;
            svg += "<line x1=\"" + Fixed(X(x), 2) + "\" y1=\"" + Fixed(y1 - length, 2) + "\" x2=\"" +
                   Fixed(X(x), 2) + "\" y2=\"" + Fixed(y1 - 5, 2) + "\" stroke-width=\"2\"/>\n";
            svg += "<path d=\"M" + Fixed(X(x) - 4, 2) + ' ' + Fixed(y1 - 6, 2) + " L" + Fixed(X(x) + 4, 2) +
                   ' ' + Fixed(y1 - 6, 2) + " L" + Fixed(X(x), 2) + ' ' + Fixed(y1, 2) +
                   " Z\" stroke=\"none\"/>\n";
            svg += "<line x1=\"" + Fixed(X(x), 2) + "\" y1=\"" + Fixed(top, 0) + "\" x2=\"" + Fixed(X(x), 2) +
                   "\" y2=\"" + Fixed(bottom, 0) + "\" stroke-width=\"1\" stroke-dasharray=\"2 3\"/>\n";
        }
        svg += "</g>\n";
    }
    svg += "<rect x=\"" + Fixed(kLeft, 0) + "\" y=\"" + Fixed(top, 0) + "\" width=\"" +
           Fixed(kRight - kLeft, 0) + "\" height=\"" + Fixed(bottom - top, 0) +
           "\" fill=\"none\" stroke=\"#444\" stroke-width=\"1\"/>\n";
    return svg + "</svg>\n";
}

} // namespace vycli
