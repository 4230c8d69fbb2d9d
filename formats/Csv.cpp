// CSV text into rows.
#include "Csv.h"

#include <vymath/analysis/Error.h>

#include <csv.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace vymath {
namespace formats {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Whether a field is a number written with the decimal separator `decimal`: "-1,5", "2,7E-3".
bool NumberWith(std::string_view s, char decimal) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        ++i;
    const std::size_t digits = i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i;
    if (i == digits || i >= s.size() || s[i] != decimal)
        return false;
    ++i;
    const std::size_t fraction = i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i;
    if (i == fraction)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '-' || s[i] == '+'))
            ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i;
    }
    return i == s.size();
}

extern "C" void OnField(void* s, std::size_t len, void* data) {
    static_cast<CsvSplitter*>(data)->Field(static_cast<const char*>(s), len);
}
extern "C" void OnRowEnd(int, void* data) {
    static_cast<CsvSplitter*>(data)->EndRow();
}

// libcsv's error in words: in strict mode a parse error is a quote out of place.
std::string Problem(csv_parser& parser,
                    const char* quote = " in an unquoted field, or text after a closing quote") {
    const int error = csv_error(&parser);
    return error == CSV_EPARSE ? std::string("a quote") + quote : csv_strerror(error);
}

[[noreturn]] void Fail(const std::string& message) {
    throw analysis::Error(analysis::Error::Kind::Data, message);
}

} // namespace

CsvSplitter::CsvSplitter(std::string name_, RowSink row, char delimiter_)
    : name(std::move(name_)), sink(std::move(row)), delimiter(delimiter_) {
    parser = new csv_parser;
    if (csv_init(parser, CSV_STRICT | CSV_STRICT_FINI) != 0) {
        delete parser;
        throw std::bad_alloc();
    }
    csv_set_delim(parser, static_cast<unsigned char>(delimiter));
    if (delimiter == '\t') // a tab separates fields: only spaces are trimmed
        csv_set_space_func(parser, [](unsigned char c) { return c == ' ' ? 1 : 0; });
}

CsvSplitter::~CsvSplitter() {
    csv_free(parser);
    delete parser;
}

void CsvSplitter::Field(const char* s, std::size_t len) {
    if (count == 0)
        rowLine = line;
    if (count < fields.size())
        fields[count].assign(s, len);
    else
        fields.emplace_back(s, len);
    ++count;
}

void CsvSplitter::EndRow() {
    views.clear();
    for (std::size_t k = 0; k < count; ++k)
        views.emplace_back(fields[k]);
    count = 0;
    sink(views, rowLine);
}

void CsvSplitter::Line(const char* s, std::size_t n) {
    ++line;
    if (parser->pstate == 0 && std::memchr(s, '"', n) == nullptr) { // libcsv is between rows
        std::size_t len = n;
        if (len > 0 && s[len - 1] == '\n')
            --len;
        if (len > 0 && s[len - 1] == '\r')
            --len;
        if (std::memchr(s, '\r', len) == nullptr) {
            Split(s, len);
            return;
        }
    }
    if (csv_parse(parser, s, n, OnField, OnRowEnd, this) != n)
        Fail(name + ":" + std::to_string(line) + ": " + Problem(*parser));
}

void CsvSplitter::Finish() {
    if (csv_fini(parser, OnField, OnRowEnd, this) != 0)
        Fail(name + ":" + std::to_string(line) + ": " + Problem(*parser, " is not closed"));
}

// A line without quotes that starts a row, split as libcsv would split it: fields trimmed of spaces and
// tabs, a blank line skipped. The same rows, faster.
void CsvSplitter::Split(const char* s, std::size_t len) {
    if (std::all_of(s, s + len, IsBlank))
        return;
    const char* end = s + len;
    views.clear();
    for (const char* p = s;;) {
        const char* comma =
            static_cast<const char*>(std::memchr(p, delimiter, static_cast<std::size_t>(end - p)));
        const char* stop = comma ? comma : end;
        const char* a = p;
        const char* b = stop;
        while (a < b && (*a == ' ' || (*a == '\t' && delimiter != '\t')))
            ++a;
        while (b > a && (b[-1] == ' ' || (b[-1] == '\t' && delimiter != '\t')))
            --b;
        views.emplace_back(a, static_cast<std::size_t>(b - a));
        if (!comma)
            break;
        p = comma + 1;
    }
    sink(views, line);
}

bool FeedLines(CsvSplitter& splitter, const std::function<std::size_t(char*, std::size_t)>& read,
               const std::function<void(std::size_t)>& progress) {
    constexpr std::size_t kBlock = 1 << 20;
    std::vector<char> buf(kBlock);
    std::size_t kept = 0, total = 0; // kept: the start of a line not yet complete
    bool content = false;
    for (;;) {
        if (buf.size() - kept < kBlock / 2)
            buf.resize(std::max(buf.size() * 2, kept + kBlock)); // a very long line
        const std::size_t got = read(buf.data() + kept, buf.size() - kept);
        const std::size_t end = kept + got;
        if (!content)
            content = std::any_of(buf.data() + kept, buf.data() + end,
                                  [](char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n'; });
        std::size_t pos = 0;
        while (pos < end) {
            const char* nl = static_cast<const char*>(std::memchr(buf.data() + pos, '\n', end - pos));
            if (nl == nullptr)
                break;
            const std::size_t next = static_cast<std::size_t>(nl - buf.data()) + 1;
            splitter.Line(buf.data() + pos, next - pos);
            pos = next;
        }
        if (got == 0) {
            if (pos < end)
                splitter.Line(buf.data() + pos, end - pos);
            break;
        }
        std::memmove(buf.data(), buf.data() + pos, end - pos);
        kept = end - pos;
        total += got;
        if (progress)
            progress(total);
    }
    return content;
}

Dialect DialectOf(std::string_view start) {
    Dialect d;
    std::vector<std::string_view> lines;
    for (std::size_t from = 0; from < start.size() && lines.size() < 200;) {
        std::size_t nl = start.find('\n', from);
        const bool whole = nl != std::string_view::npos;
        if (!whole && !lines.empty())
            break; // a line cut by the block's end
        std::string_view line = start.substr(from, whole ? nl - from : std::string_view::npos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        from = whole ? nl + 1 : start.size();
        if (line.find_first_not_of(" \t,;") == std::string_view::npos)
            continue;
        lines.push_back(line);
    }
    // The header: the first line that is no title.
    const auto title = [](std::string_view l) {
        const std::size_t i = l.find_first_not_of(" \t\"");
        return i != std::string_view::npos && l.substr(i, 6) == "TABLE:";
    };
    std::size_t h = 0;
    while (h < lines.size() && title(lines[h]))
        ++h;
    if (h == lines.size())
        return d;
    std::size_t count[3] = {0, 0, 0}; // , ; tab
    bool quoted = false;
    for (char c : lines[h]) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted)
            count[0] += c == ',', count[1] += c == ';', count[2] += c == '\t';
    }
    if (count[1] > count[0] && count[1] >= count[2])
        d.delimiter = ';';
    else if (count[2] > count[0] && count[2] > count[1])
        d.delimiter = '\t';
    if (d.delimiter == ',')
        return d;
    std::size_t commas = 0, points = 0;
    for (std::size_t k = h + 1; k < lines.size(); ++k)
        for (std::size_t from = 0; from <= lines[k].size();) {
            const std::size_t end = std::min(lines[k].find(d.delimiter, from), lines[k].size());
            const std::string_view field = lines[k].substr(from, end - from);
            commas += NumberWith(field, ',');
            points += NumberWith(field, '.');
            from = end + 1;
        }
    if (commas > 0 && points == 0)
        d.decimal = ',';
    return d;
}

std::string CsvField(std::string_view s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos &&
        (s.empty() || (s.front() != ' ' && s.back() != ' ')))
        return std::string(s);
    std::string out(2 * s.size() + 2, '\0');
    out.resize(csv_write(out.data(), out.size(), s.data(), s.size()));
    return out;
}

} // namespace formats
} // namespace vymath
