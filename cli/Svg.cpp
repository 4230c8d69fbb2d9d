// The SVG figures of the envelopes and design envelopes.
#include "Svg.h"

#include "Colours.h"
#include "SvgParts.h"
#include "analysis/Text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vycli {

namespace {

using namespace vymath::analysis;
using vymath::text::Readable;
using namespace svg;

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
                      const std::string& title, const std::string& code) {
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
           Escaped((title.empty() ? "Design envelopes by " : title + ": design envelopes by ") +
                   (code.empty() ? std::string("the rules") : code)) +
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

} // namespace vycli
