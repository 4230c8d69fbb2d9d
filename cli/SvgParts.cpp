// The pieces every SVG figure of the tool shares.
#include "SvgParts.h"

#include "Text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vycli {
namespace svg {

std::string Fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v == 0.0 ? 0.0 : v);
    return buf;
}

double TextWidth(const std::string& s, double size) {
    return 0.6 * size * static_cast<double>(Characters(s));
}

std::string Shortened(const std::string& s, std::size_t n) {
    if (Characters(s) <= n)
        return s;
    std::size_t kept = 0, i = 0;
    for (; i < s.size(); ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80 && kept++ == n - 1)
            break;
    return s.substr(0, i) + "\xE2\x80\xA6"; // U+2026
}

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

std::string SvgHead(double width, double height) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           Fixed(width, 0) + "\" height=\"" + Fixed(height, 0) + "\" viewBox=\"0 0 " + Fixed(width, 0) + " " +
           Fixed(height, 0) + "\" font-family=\"DejaVu Sans, Arial, Helvetica, sans-serif\">\n" +
           "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
}

namespace {

struct Box {
    double x0, y0, x1, y1;
    bool Overlaps(const Box& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
    bool Inside(const Box& o) const { return x0 >= o.x0 && x1 <= o.x1 && y0 >= o.y0 && y1 <= o.y1; }
};

} // namespace

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

} // namespace svg
} // namespace vycli
