// The pieces every SVG figure of the tool shares: the page and plot geometry, numbers as SVG text, text
// widths, and tick positions. Not a public header of the tool's formats.
#ifndef VYMATH_CLI_SVGPARTS_H
#define VYMATH_CLI_SVGPARTS_H

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

} // namespace svg
} // namespace vycli

#endif // VYMATH_CLI_SVGPARTS_H
