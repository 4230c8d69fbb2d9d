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

} // namespace svg
} // namespace vycli
