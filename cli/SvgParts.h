// The pieces every SVG figure of the tool shares: the page and plot geometry, numbers as SVG text, text
// widths, and tick positions. Not a public header of the tool's formats.
#ifndef VYMATH_CLI_SVGPARTS_H
#define VYMATH_CLI_SVGPARTS_H

#include "Text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace vycli {
namespace svg {

constexpr double kWidth = 960, kHeight = 560;
constexpr double kLeft = 88, kRight = 760, kTop = 52, kBottom = 492; // the plot area
constexpr double kFont = 13, kSmall = 12;
constexpr const char* kMarkerText = "#222222";
constexpr std::size_t kLegendRows = 16, kLegendChars = 19;
constexpr double kEnvelopeWidth = 3;
constexpr double kDesignWidth = 1180; // room in the legend for combinations

// v with `decimals` decimals, "-0" written 0.
std::string Fixed(double v, int decimals);
// A width estimate of text in the figure's sans-serif font.
double TextWidth(const std::string& s, double size);
// s cut to at most n characters, the last of them an ellipsis when cut.
std::string Shortened(const std::string& s, std::size_t n);

// Ticks at 1, 2 or 5 times a power of ten, about `count` of them over [a, b].
struct Ticks {
    double step;
    int decimals;
    std::vector<double> at;
};
Ticks NiceTicks(double a, double b, int count);

// The SVG document's opening, a white page of width x height.
std::string SvgHead(double width, double height);

// The plot area of one panel: data coordinates to the page's.
class Figure {
public:
    Figure(double xmin, double xmax, double ymin, double ymax)
        : xmin(xmin), xmax(xmax), ymin(ymin), ymax(ymax) {}

    double X(double x) const { return kLeft + (x - xmin) / (xmax - xmin) * (kRight - kLeft); }
    double Y(double y) const { return kBottom - (y - ymin) / (ymax - ymin) * (kBottom - kTop); }

    // A polyline through the points, broken where `keep` is false. Of the points that fall in one
    // pixel column only the first, the lowest, the highest and the last are drawn: the same picture
    // from a few thousand points, however many the diagrams have.
    std::string Path(const std::vector<double>& x, const std::vector<double>& y,
                     const std::vector<bool>& keep) const {
        std::string d;
        bool open = false;
        std::vector<std::size_t> column; // first, lowest, highest, last of the current column
        const auto flush = [&]() {
            std::sort(column.begin(), column.end());
            column.erase(std::unique(column.begin(), column.end()), column.end());
            for (std::size_t i : column) {
                d += (open ? " L" : " M") + Fixed(X(x[i]), 2) + ' ' + Fixed(Y(y[i]), 2);
                open = true;
            }
            column.clear();
        };
        for (std::size_t i = 0; i < x.size(); ++i) {
            if (!keep[i]) {
                flush();
                open = false;
                continue;
            }
            if (!column.empty() && std::floor(X(x[i])) != std::floor(X(x[column[0]])))
                flush();
            if (column.empty()) {
                column = {i, i, i, i};
                continue;
            }
            if (y[i] < y[column[1]])
                column[1] = i;
            if (y[i] > y[column[2]])
                column[2] = i;
            column[3] = i;
        }
        flush();
        return d;
    }

private:
    double xmin, xmax, ymin, ymax;
};

// A marked point and its two lines of label, placed above it where there is room.
struct Marker {
    double x, y;
    const char* colour;
    std::string line1, line2;
    bool above;
};

// Labels beside their markers: the first position, in order of preference, that stays inside the
// plot and clear of the labels and markers placed before.
std::string PlaceLabels(const std::vector<Marker>& markers, const Figure& fig);

// The plot area's grid, ticks and tick labels, and the axis labels.
std::string Axes(const Figure& fig, const Ticks& xt, const Ticks& yt, const Labels& labels);

} // namespace svg
} // namespace vycli

#endif // VYMATH_CLI_SVGPARTS_H
