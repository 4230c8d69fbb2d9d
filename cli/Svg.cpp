// The SVG figures of the envelopes.
#include "Svg.h"

#include "Colours.h"
#include "analysis/Text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vycli {

namespace {

using namespace vymath::analysis;
using vymath::text::Readable;

constexpr double kWidth = 960, kHeight = 560;
constexpr double kLeft = 88, kRight = 760, kTop = 52, kBottom = 492; // the plot area
constexpr double kFont = 13, kSmall = 12;
constexpr const char* kMarkerText = "#222222";
constexpr std::size_t kLegendRows = 16, kLegendChars = 19;
constexpr double kEnvelopeWidth = 3;
constexpr double kDesignWidth = 1180; // room in the legend for combinations

std::string Fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v == 0.0 ? 0.0 : v);
    return buf;
}

// A width estimate of text in the figure's sans-serif font.
double TextWidth(const std::string& s, double size) {
    return 0.6 * size * static_cast<double>(Characters(s));
}

// s cut to at most n characters, the last of them an ellipsis when cut.
std::string Shortened(const std::string& s, std::size_t n) {
    if (Characters(s) <= n)
        return s;
    std::size_t kept = 0, i = 0;
    for (; i < s.size(); ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80 && kept++ == n - 1)
            break;
    return s.substr(0, i) + "\xE2\x80\xA6"; // U+2026
}

// Ticks at 1, 2 or 5 times a power of ten, about `count` of them over [a, b].
struct Ticks {
    double step;
    int decimals;
    std::vector<double> at;
};

Ticks NiceTicks(double a, double b, int count) {
    const double raw = (b - a) / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / power;
    Ticks t;
    t.step = (f < 1.5 ? 1.0 : f < 3.5 ? 2.0 : f < 7.5 ? 5.0 : 10.0) * power;
    t.decimals = std::max(0, -static_cast<int>(std::floor(std::log10(t.step) + 1e-9)));
    if (t.step / std::pow(10.0, -t.decimals) < 0.99)
        ++t.decimals;
    for (double v = std::ceil(a / t.step - 1e-9) * t.step; v <= b + t.step * 1e-9; v += t.step)
        t.at.push_back(std::fabs(v) < t.step * 1e-9 ? 0.0 : v);
    return t;
}

struct Box {
    double x0, y0, x1, y1;
    bool Overlaps(const Box& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
    bool Inside(const Box& o) const { return x0 >= o.x0 && x1 <= o.x1 && y0 >= o.y0 && y1 <= o.y1; }
};

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

struct Marker {
    double x, y;
    const char* colour;
    std::string line1, line2;
    bool above;
};

// Labels beside their markers: the first position, in order of preference, that stays inside the
// plot and clear of the labels and markers placed before.
std::string PlaceLabels(const std::vector<Marker>& markers, const Figure& fig) {
    const Box area{kLeft + 2, kTop + 2, kRight - 2, kBottom - 2};
    std::vector<Box> taken;
    for (const Marker& m : markers)
        taken.push_back({fig.X(m.x) - 6, fig.Y(m.y) - 6, fig.X(m.x) + 6, fig.Y(m.y) + 6});
    std::string svg;
    for (const Marker& m : markers) {
        const double px = fig.X(m.x), py = fig.Y(m.y);
        const double w = std::max(TextWidth(m.line1, kSmall), TextWidth(m.line2, kSmall)) + 10;
        const double h = 2 * kSmall + 10;
        // Offsets of the box's corner nearest to the marker, then farther out.
        std::vector<std::pair<double, double>> offsets;
        for (const double gap : {10.0, 34.0, 64.0, 100.0})
            for (const double side : {1.0, -1.0})
                for (const double up : {m.above ? -1.0 : 1.0, m.above ? 1.0 : -1.0})
                    offsets.push_back({side * gap, up * gap * 0.6});
        Box best{px + 10, py - h - 10, px + 10 + w, py - 10};
        bool found = false;
        for (const auto& [dx, dy] : offsets) {
            const double bx = dx > 0 ? px + dx : px + dx - w;
            const double by = dy < 0 ? py + dy - h : py + dy;
            const Box b{bx, by, bx + w, by + h};
            if (!b.Inside(area) ||
                std::any_of(taken.begin(), taken.end(), [&b](const Box& t) { return b.Overlaps(t); }))
                continue;
            best = b;
            found = true;
            break;
        }
        if (!found) // no free place: inside the plot at least
            best = {std::clamp(best.x0, area.x0, area.x1 - w), std::clamp(best.y0, area.y0, area.y1 - h), 0,
                    0},
            best.x1 = best.x0 + w, best.y1 = best.y0 + h;
        taken.push_back(best);
        const double cx = std::clamp(px, best.x0, best.x1), cy = std::clamp(py, best.y0, best.y1);
        svg += "<line x1=\"" + Fixed(px, 2) + "\" y1=\"" + Fixed(py, 2) + "\" x2=\"" + Fixed(cx, 2) +
               "\" y2=\"" + Fixed(cy, 2) + "\" stroke=\"" + m.colour + "\" stroke-width=\"1\"/>\n";
        svg += "<rect x=\"" + Fixed(best.x0, 2) + "\" y=\"" + Fixed(best.y0, 2) + "\" width=\"" +
               Fixed(w, 2) + "\" height=\"" + Fixed(h, 2) +
               "\" rx=\"3\" fill=\"white\" fill-opacity=\"0.9\" stroke=\"" + m.colour +
               "\" stroke-width=\"0.8\"/>\n";
        svg += "<text x=\"" + Fixed(best.x0 + 5, 2) + "\" y=\"" + Fixed(best.y0 + 4 + kSmall, 2) +
               "\" font-size=\"" + Fixed(kSmall, 0) + "\" fill=\"" + m.colour +
               "\"><tspan font-weight=\"bold\" fill=\"" + kMarkerText + "\">" + Escaped(m.line1) +
               "</tspan><tspan x=\"" + Fixed(best.x0 + 5, 2) + "\" dy=\"" + Fixed(kSmall + 2, 0) +
               "\" fill=\"#333\">" + Escaped(m.line2) + "</tspan></text>\n";
    }
    std::string dots;
    for (const Marker& m : markers)
        dots += "<circle cx=\"" + Fixed(fig.X(m.x), 2) + "\" cy=\"" + Fixed(fig.Y(m.y), 2) +
                "\" r=\"4.5\" fill=\"white\" stroke=\"" + m.colour + "\" stroke-width=\"2.2\"/>\n";
    return svg + dots;
}

// The envelope in pieces, each in the colour of the case governing it: a run of stretches with one
// governing case, from its first point to the point where the next case takes over. Placeholders
// (where no case is defined) are left out.
std::string EnvelopePaths(const EnvelopeLine& e, const Figure& fig) {
    std::string svg;
    const std::size_t n = e.x.size();
    for (std::size_t i = 0; i < n;) {
        if (e.Placeholder(i)) {
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        // A jump's zero-width stretch (which names no case) is drawn with the stretch before it.
        while (
            j < n && !e.Placeholder(j) &&
            (e.governing[j] == e.governing[i] || (e.governing[j] < 0 && j + 1 < n && e.x[j + 1] == e.x[j])))
            ++j;
        const std::size_t last = j < n && !e.Placeholder(j) ? j : j - 1; // the run ends where the next begins
        const std::vector<double> x(e.x.begin() + static_cast<std::ptrdiff_t>(i),
                                    e.x.begin() + static_cast<std::ptrdiff_t>(last + 1));
        const std::vector<double> y(e.y.begin() + static_cast<std::ptrdiff_t>(i),
                                    e.y.begin() + static_cast<std::ptrdiff_t>(last + 1));
        if (x.size() == 1) // a single point governed alone: a dot
            svg += "<circle cx=\"" + Fixed(fig.X(x[0]), 2) + "\" cy=\"" + Fixed(fig.Y(y[0]), 2) +
                   "\" r=\"2\" fill=\"" + ColourOf(e.governing[i]) + "\"/>\n";
        else
            svg += "<path d=\"" + fig.Path(x, y, std::vector<bool>(x.size(), true)) + "\" stroke=\"" +
                   ColourOf(e.governing[i]) + "\" stroke-width=\"" + Fixed(kEnvelopeWidth, 1) + "\"/>\n";
        i = j;
    }
    return svg;
}

// How a panel is drawn: how many characters a legend entry keeps on a line, the legend's heading, and
// whether the envelopes' least and greatest values are marked both (or only the upper's greatest and
// the lower's least).
struct Layout {
    std::size_t legendChars = kLegendChars;
    bool wrap = false; // a long legend entry on several lines, broken before its terms' signs
    std::vector<const char*> heading = {"envelopes: thick, in the", "colour of the governing",
                                        "case; the cases: thin"};
    bool allExtremes = true;
    bool governing = false; // the title counts the governing members ("ULS: 7 governing combinations")
};

// Text in lines of at most n characters, broken before " + " and " - " where it is too long.
std::vector<std::string> Wrapped(const std::string& text, std::size_t n) {
    std::vector<std::string> lines{""};
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end =
            std::min({text.find(" + ", from + 1), text.find(" - ", from + 1), text.size()});
        const std::string piece = text.substr(from, end - from);
        if (!lines.back().empty() && Characters(lines.back()) + Characters(piece) > n)
            lines.push_back(piece.substr(1)); // without the space before the sign
        else
            lines.back() += piece;
        from = end;
    }
    return lines;
}

std::string SvgHead(double width, double height) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           Fixed(width, 0) + "\" height=\"" + Fixed(height, 0) + "\" viewBox=\"0 0 " + Fixed(width, 0) + " " +
           Fixed(height, 0) + "\" font-family=\"DejaVu Sans, Arial, Helvetica, sans-serif\">\n" +
           "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
}

// The plot area's grid, ticks and tick labels, and the axis labels.
std::string Axes(const Figure& fig, const Ticks& xt, const Ticks& yt, const Labels& labels) {
    std::string svg = "<g stroke=\"#e3e3e3\" stroke-width=\"1\">\n";
    for (double v : xt.at)
        svg += "<line x1=\"" + Fixed(fig.X(v), 2) + "\" y1=\"" + Fixed(kTop, 0) + "\" x2=\"" +
               Fixed(fig.X(v), 2) + "\" y2=\"" + Fixed(kBottom, 0) + "\"/>\n";
    for (double v : yt.at)
        svg += "<line x1=\"" + Fixed(kLeft, 0) + "\" y1=\"" + Fixed(fig.Y(v), 2) + "\" x2=\"" +
               Fixed(kRight, 0) + "\" y2=\"" + Fixed(fig.Y(v), 2) + "\"/>\n";
    svg += "</g>\n<g font-size=\"" + Fixed(kSmall, 0) + "\" fill=\"#333\">\n";
    for (double v : xt.at)
        svg += "<text x=\"" + Fixed(fig.X(v), 2) + "\" y=\"" + Fixed(kBottom + 18, 0) +
               "\" text-anchor=\"middle\">" + Fixed(v, xt.decimals) + "</text>\n";
    for (double v : yt.at)
        svg += "<text x=\"" + Fixed(kLeft - 8, 0) + "\" y=\"" + Fixed(fig.Y(v) + 4, 2) +
               "\" text-anchor=\"end\">" + Fixed(v, yt.decimals) + "</text>\n";
    svg += "</g>\n";
    svg += "<text x=\"" + Fixed((kLeft + kRight) / 2, 0) + "\" y=\"" + Fixed(kBottom + 44, 0) +
           "\" font-size=\"" + Fixed(kFont, 0) + "\" text-anchor=\"middle\" fill=\"#222\">" +
           Escaped(labels.x) + "</text>\n";
    svg += "<text transform=\"translate(24 " + Fixed((kTop + kBottom) / 2, 0) +
           ") rotate(-90)\" font-size=\"" + Fixed(kFont, 0) + "\" text-anchor=\"middle\" fill=\"#222\">" +
           Escaped(labels.y) + "</text>\n";
    return svg;
}

// One plot of kHeight: the title, axes, the members thin, the envelopes thick, the extremes marked,
// the legend right of the plot.
std::string Panel(const std::vector<std::string>& names, const Envelope& r,
                  const std::vector<Series>& members, const Labels& labels, const std::string& word,
                  const std::string& title, const Layout& layout) {
    // The extent of everything drawn; the zero line always shows.
    double xmin = std::numeric_limits<double>::infinity(), xmax = -xmin, ymin = 0.0, ymax = 0.0;
    const auto extend = [&](double x, double y) {
        xmin = std::min(xmin, x), xmax = std::max(xmax, x), ymin = std::min(ymin, y),
        ymax = std::max(ymax, y);
    };
    for (const Series& s : members)
        for (const auto& line : s.lines)
            for (const auto& p : line)
                extend(p.x, p.y);
    for (const EnvelopeLine* e : {&r.lower, &r.upper})
        for (std::size_t i = 0; i < e->x.size(); ++i)
            if (!e->Placeholder(i))
                extend(e->x[i], e->y[i]);
    if (!(xmax > xmin))
        xmin -= 0.5, xmax += 0.5;
    if (!(ymax > ymin))
        ymin -= 0.5, ymax += 0.5;
    const double ystep = NiceTicks(ymin, ymax, 6).step; // the axis ends on ticks
    ymin = std::floor(ymin / ystep + 1e-9) * ystep;
    ymax = std::ceil(ymax / ystep - 1e-9) * ystep;
    const Ticks yt = NiceTicks(ymin, ymax, 6);
    const Ticks xt = NiceTicks(xmin, xmax, 8);
    const Figure fig(xmin, xmax, ymin, ymax);

    std::string svg =
        "<text x=\"" + Fixed(kLeft, 0) + "\" y=\"30\" font-size=\"16\" font-weight=\"bold\" fill=\"#222\">" +
        Escaped(layout.governing ? title + ": " + std::to_string(names.size()) + " governing " + word
                                 : (title.empty() ? "Envelopes of " : title + ": envelopes of ") +
                                       std::to_string(names.size()) + " " + word) +
        "</text>\n";

    svg += Axes(fig, xt, yt, labels);

    // The members, the zero line and the envelopes over them.
    svg += "<g fill=\"none\" stroke-linejoin=\"round\">\n";
    for (std::size_t k = 0; k < members.size(); ++k)
        for (const auto& line : members[k].lines) {
            std::vector<double> x, y;
            for (const auto& p : line)
                x.push_back(p.x), y.push_back(p.y);
            svg += "<path d=\"" + fig.Path(x, y, std::vector<bool>(x.size(), true)) + "\" stroke=\"" +
                   ColourOf(static_cast<int>(k)) + "\" stroke-width=\"1.1\" stroke-opacity=\"0.55\"/>\n";
        }
    svg += "<line x1=\"" + Fixed(kLeft, 0) + "\" y1=\"" + Fixed(fig.Y(0), 2) + "\" x2=\"" + Fixed(kRight, 0) +
           "\" y2=\"" + Fixed(fig.Y(0), 2) + "\" stroke=\"#222\" stroke-width=\"1\"/>\n";
    svg += "<g stroke-linecap=\"round\">\n" + EnvelopePaths(r.lower, fig) + EnvelopePaths(r.upper, fig) +
           "</g>\n";
    svg += "<rect x=\"" + Fixed(kLeft, 0) + "\" y=\"" + Fixed(kTop, 0) + "\" width=\"" +
           Fixed(kRight - kLeft, 0) + "\" height=\"" + Fixed(kBottom - kTop, 0) +
           "\" stroke=\"#444\" stroke-width=\"1\"/>\n</g>\n";

    // Extrema of each envelope.
    const std::string xunit = UnitOf(labels.x), yunit = UnitOf(labels.y);
    std::vector<Marker> markers;
    for (const auto& [e, upper] : {std::pair{&r.upper, true}, std::pair{&r.lower, false}})
        for (const bool max : {true, false}) {
            if (!layout.allExtremes && max != upper)
                continue;
            const int k = max ? e->IndexOfMax() : e->IndexOfMin();
            if (k < 0)
                continue;
            const std::size_t i = static_cast<std::size_t>(k);
            const int m = e->GoverningOf(i);
            markers.push_back({e->x[i], e->y[i], ColourOf(m),
                               std::string(upper ? "upper " : "lower ") + (max ? "max " : "min ") +
                                   Readable(e->y[i], 4) + (yunit.empty() ? "" : " " + yunit),
                               "x = " + Readable(e->x[i], 4) + (xunit.empty() ? "" : " " + xunit) +
                                   (m < 0 ? "" : ", " + names[static_cast<std::size_t>(m)]),
                               max});
        }
    svg += PlaceLabels(markers, fig);

    // Legend, right of the plot.
    double ly = kTop + 6;
    const double lx = kRight + 18;
    const auto entry = [&](const std::string& name, const char* colour, double width, const char* opacity) {
        svg += "<line x1=\"" + Fixed(lx, 0) + "\" y1=\"" + Fixed(ly, 0) + "\" x2=\"" + Fixed(lx + 26, 0) +
               "\" y2=\"" + Fixed(ly, 0) + "\" stroke=\"" + colour + "\" stroke-width=\"" + Fixed(width, 1) +
               "\" stroke-opacity=\"" + opacity + "\"/>\n";
        for (const std::string& line : layout.wrap ? Wrapped(name, layout.legendChars) : std::vector{name}) {
            svg += "<text x=\"" + Fixed(lx + 34, 0) + "\" y=\"" + Fixed(ly + 4, 0) + "\" font-size=\"" +
                   Fixed(kSmall, 0) + "\" fill=\"#222\">" + Escaped(Shortened(line, layout.legendChars)) +
                   "</text>\n";
            ly += 15;
        }
        ly += 5;
    };
    // Each case in its colour: thick where it governs an envelope somewhere, thin where it never does.
    std::vector<bool> governs(names.size(), false);
    bool folded = false;
    for (const EnvelopeLine* e : {&r.lower, &r.upper})
        for (std::size_t i = 0; i < e->governing.size(); ++i) {
            if (e->governing[i] >= 0)
                governs[static_cast<std::size_t>(e->governing[i])] = true;
            folded = folded || (e->governing[i] < 0 && !e->Placeholder(i) && !e->JumpLeft(i));
        }
    for (const char* line : layout.heading) {
        svg += "<text x=\"" + Fixed(lx, 0) + "\" y=\"" + Fixed(ly + 4, 0) + "\" font-size=\"" +
               Fixed(kSmall - 1, 0) + "\" fill=\"#555\">" + line + "</text>\n";
        ly += 15;
    }
    ly += 10;
    std::size_t shown = 0; // the entries that fit in the panel, wrapped ones taking several lines
    for (; shown < names.size() && shown < kLegendRows; ++shown) {
        const std::size_t lines = layout.wrap ? Wrapped(names[shown], layout.legendChars).size() : 1;
        if (ly + 15.0 * static_cast<double>(lines) + 5 > kHeight - 24)
            break;
        entry(names[shown], ColourOf(static_cast<int>(shown)), governs[shown] ? kEnvelopeWidth : 1.3, "1");
    }
    if (folded)
        entry("(between points)", ColourOf(-1), kEnvelopeWidth, "1");
    if (shown < names.size())
        svg += "<text x=\"" + Fixed(lx, 0) + "\" y=\"" + Fixed(ly + 4, 0) + "\" font-size=\"" +
               Fixed(kSmall, 0) + "\" fill=\"#555\">and " + std::to_string(names.size() - shown) +
               " more</text>\n";
    return svg;
}

} // namespace

Series SeriesOf(const CaseDiagram& d) {
    Series s{{d.upper.Points()}};
    if (d.Bounded())
        s.lines.push_back(d.lower->Points());
    return s;
}

std::string EnvelopeSvg(const std::vector<std::string>& names, const Envelope& r,
                        const std::vector<Series>& members, const Labels& labels, const std::string& word,
                        const std::string& title) {
    return SvgHead(kWidth, kHeight) + Panel(names, r, members, labels, word, title, Layout()) + "</svg>\n";
}

std::string DesignSvg(const std::vector<SituationResult>& design, const Labels& labels,
                      const std::string& title) {
    Layout layout;
    layout.legendChars = static_cast<std::size_t>((kDesignWidth - kRight - 62) / TextWidth("x", kSmall));
    layout.wrap = true;
    layout.heading = {"envelopes in the colour of the", "combination governing them"};
    layout.allExtremes = false;
    layout.governing = true;
    const double heading = 44;
    std::string svg = SvgHead(kDesignWidth, heading + kHeight * static_cast<double>(design.size()));
    svg += "<text x=\"" + Fixed(kLeft, 0) +
           "\" y=\"30\" font-size=\"18\" font-weight=\"bold\" fill=\"#222\">" +
           Escaped(title.empty() ? "Design envelopes by EN 1990" : title + ": design envelopes by EN 1990") +
           "</text>\n";
    for (std::size_t k = 0; k < design.size(); ++k) {
        const RankedSituation ranked = Ranked(design[k]);
        svg += "<g transform=\"translate(0 " + Fixed(heading + kHeight * static_cast<double>(k), 0) +
               ")\">\n" +
               Panel(ranked.names, ranked.envelope, {}, labels, "combinations", design[k].situation.name,
                     layout) +
               "</g>\n";
    }
    return svg + "</svg>\n";
}

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
