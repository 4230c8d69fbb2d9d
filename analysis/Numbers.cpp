// Doubles as text.
#include "vymath/analysis/Numbers.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace vymath {
namespace analysis {

void AppendShortest(std::string& out, double v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

std::string Shortest(double v) {
    std::string s;
    AppendShortest(s, v);
    return s;
}

std::string Readable(double v, int digits) {
    if (v == 0.0)
        v = 0.0; // no "-0" for people
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, digits);
    return std::string(buf, r.ptr);
}

ParseStatus ParseDouble(std::string_view text, double& v) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return ParseStatus::NotANumber;
    }
    double parsed = 0.0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (r.ptr != text.data() + text.size())
        return ParseStatus::NotANumber;
    if (r.ec == std::errc::result_out_of_range)
        return ParseStatus::OutOfRange;
    if (r.ec != std::errc())
        return ParseStatus::NotANumber;
    if (!std::isfinite(parsed))
        return ParseStatus::NotFinite;
    v = parsed;
    return ParseStatus::Ok;
}

const char* Describe(ParseStatus status) {
    switch (status) {
    case ParseStatus::Ok:
        return "is a number";
    case ParseStatus::NotANumber:
        return "is not a number";
    case ParseStatus::NotFinite:
        return "is not a finite number";
    case ParseStatus::OutOfRange:
        return "is out of the range of doubles";
    }
    return "is not a number";
}

} // namespace analysis
} // namespace vymath
