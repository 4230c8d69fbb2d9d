// Doubles and names as text.
#include "Text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace vymath {
namespace text {

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

std::string Folded(std::string_view s) {
    std::string out;
    for (char c : s)
        if (c != ' ' && c != '_')
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string Escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u != 0x7F) {
            out += c;
            continue;
        }
        static const char hex[] = "0123456789abcdef";
        out += '\\';
        if (c == '\n' || c == '\r' || c == '\t') {
            out += c == '\n' ? 'n' : c == '\r' ? 'r' : 't';
        } else {
            out += 'x';
            out += hex[u >> 4];
            out += hex[u & 15];
        }
    }
    return out;
}

std::string Quoted(std::string_view text) {
    return '"' + Escaped(text) + '"';
}

bool IsUtf8(std::string_view s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const auto* end = p + s.size();
    while (p < end) {
        if (*p < 0x80) {
            ++p;
            continue;
        }
        int n;
        std::uint32_t c;
        if ((*p & 0xE0) == 0xC0)
            n = 1, c = *p & 0x1F;
        else if ((*p & 0xF0) == 0xE0)
            n = 2, c = *p & 0x0F;
        else if ((*p & 0xF8) == 0xF0)
            n = 3, c = *p & 0x07;
        else
            return false;
        if (end - p <= n)
            return false;
        for (int k = 1; k <= n; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (p[k] & 0x3F);
        }
        static const std::uint32_t least[] = {0, 0x80, 0x800, 0x10000};
        if (c < least[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        p += n + 1;
    }
    return true;
}

std::string Choices(const std::vector<std::string>& names, bool quoted) {
    bool run = names.size() > 2;
    for (std::size_t k = 0; k < names.size() && run; ++k)
        run = names[k].size() == 1 && (k == 0 || names[k][0] == names[k - 1][0] + 1);
    if (run && !quoted)
        return names.front() + " to " + names.back();
    std::string out;
    for (std::size_t k = 0; k < names.size(); ++k) {
        out += k == 0 ? "" : k + 1 == names.size() ? " or " : ", ";
        out += quoted ? Quoted(names[k]) : names[k];
    }
    return out;
}

} // namespace text
} // namespace vymath
