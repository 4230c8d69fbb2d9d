// Reading a model from CSV or JSON.
#include "Input.h"

#include "Failure.h"
#include "Progress.h"

#include <vymath/analysis/Error.h>
#include <vymath/analysis/Numbers.h>

#include <csv.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <limits>
#include <memory>
#include <regex>
#include <set>

namespace vycli {

namespace {

using namespace vymath::analysis;
using Json = nlohmann::ordered_json;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string Lowercase(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// Names go into JSON, SVG and HTML text: they must be UTF-8 (well-formed, no overlong forms or
// surrogates).
bool IsUtf8(const std::string& s) {
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

// An input file read in blocks; standard input for "-".
class Source {
public:
    Source(const std::string& path, const std::string& file) : file(file) {
        if (path == "-")
            in = stdin;
        else {
            in = std::fopen(path.c_str(), "rb");
            if (in == nullptr)
                DataError(file + ": cannot read: " + std::strerror(errno));
            owned = true;
        }
    }
    ~Source() {
        if (owned)
            std::fclose(in);
    }
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;

    // Up to n bytes into buf; 0 at the end.
    std::size_t Read(char* buf, std::size_t n) {
        const std::size_t got = std::fread(buf, 1, n, in);
        if (got == 0 && std::ferror(in))
            DataError(file + ": cannot read: " + std::strerror(errno));
        return got;
    }

    std::string All() {
        std::string text;
        char buf[1 << 16];
        std::size_t n;
        while ((n = Read(buf, sizeof buf)) > 0)
            text.append(buf, n);
        return text;
    }

private:
    std::string file;
    std::FILE* in = nullptr;
    bool owned = false;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// libcsv's callbacks (or the fast path, for lines without quotes) gather a row's fields; the row is
// checked and added to the model when it ends.
class CsvReader {
public:
    CsvReader(ModelInput& in, const ColumnRequest& request) : in(in), request(request) {}

    std::string At(std::size_t where) const { return in.file + ":" + std::to_string(where); }

    // A field from libcsv, copied: its text lives only during the callback.
    void Field(const char* s, std::size_t len) {
        if (count == 0)
            rowLine = line;
        if (count < fields.size())
            fields[count].assign(s, len);
        else
            fields.emplace_back(s, len);
        ++count;
    }

    // The end of a row gathered by Field.
    void EndRow() {
        views.clear();
        for (std::size_t k = 0; k < count; ++k)
            views.emplace_back(fields[k]);
        count = 0;
        Row();
    }

    // A whole row of the current line, as views of the line's text (the fast path).
    void Row(const std::vector<std::string_view>& row) {
        rowLine = line;
        views = row;
        Row();
    }

    // The line being fed, and whether libcsv is between rows (the fast path may take the next line).
    std::size_t line = 0;
    std::size_t rows = 0; // data rows, kept or not

private:
    void Row() {
        const std::size_t n = views.size();
        if (!in.model) {
            Header();
            return;
        }
        if (n != layout.Columns())
            DataError(At(rowLine) + ": " + std::to_string(n) + (n == 1 ? " field" : " fields") +
                      ", expected " + std::to_string(layout.Columns()) + " (" + joined + ")");
        ++rows;
        if (!layout.Keeps(views))
            return;
        const std::string_view member =
            layout.member >= 0 ? Name(layout.member, lastMember) : std::string_view();
        const std::string_view loadCase = Name(layout.loadCase, lastCase);
        double x = 0.0;
        Number(layout.x, x, false);
        for (std::size_t f = 0; f < layout.forces.size(); ++f)
            Number(layout.forces[f], values[f], true);
        in.model->Add(member, loadCase, x, values.data(), rowLine);
    }

    // A member or case name; `last` is the previous row's, already checked.
    std::string_view Name(int column, std::string& last) {
        const std::string_view s = views[static_cast<std::size_t>(column)];
        if (s == last && !s.empty())
            return s;
        if (s.empty())
            DataError(At(rowLine) + ": " + Describe(column) + " is empty");
        last.assign(s);
        if (!IsUtf8(last))
            DataError(At(rowLine) + ": " + Describe(column) + " is not UTF-8 text");
        return s;
    }

    // A number; an empty force field is a missing value (NaN).
    void Number(int column, double& v, bool mayBeEmpty) {
        const std::string_view s = views[static_cast<std::size_t>(column)];
        if (mayBeEmpty && s.empty()) {
            v = kNaN;
            return;
        }
        const ParseStatus status = ParseDouble(s, v);
        if (status != ParseStatus::Ok)
            DataError(At(rowLine) + ": " + Describe(column) + " " + Quoted(std::string(s)) + " " +
                      vymath::analysis::Describe(status));
    }

    std::string Describe(int column) const {
        return "field " + std::to_string(column + 1) + " (" + layout.Role(static_cast<std::size_t>(column)) +
               ")";
    }

    void Header() {
        const std::size_t n = views.size();
        std::vector<std::string> header(views.begin(), views.end());
        if (!header.empty() && header[0].rfind("\xEF\xBB\xBF", 0) == 0)
            header[0].erase(0, 3); // a byte-order mark, as spreadsheets write it
        try {
            layout = ResolveColumns(header, request);
        } catch (const Error& e) {
            throw Failure(e.GetKind() == Error::Kind::Usage ? kUsageError : kDataError,
                          At(rowLine) + ": " + e.what());
        }
        for (std::size_t k = 0; k < n; ++k)
            joined += (k ? "," : "") + header[k];
        values.assign(layout.forces.size(), 0.0);
        in.named = layout.member >= 0;
        in.model = std::make_unique<Model>(layout.forceNames);
    }

    ModelInput& in;
    const ColumnRequest& request;
    Layout layout;
    std::string joined; // the header, for messages
    std::vector<double> values;
    std::vector<std::string> fields;     // libcsv's fields of the current row
    std::vector<std::string_view> views; // the current row's fields
    std::string lastMember, lastCase;    // the previous row's names
    std::size_t count = 0;               // fields of the current row
    std::size_t rowLine = 0;             // where the current row began
};

extern "C" void CsvField(void* s, std::size_t len, void* data) {
    static_cast<CsvReader*>(data)->Field(static_cast<const char*>(s), len);
}
extern "C" void CsvRowEnd(int, void* data) {
    static_cast<CsvReader*>(data)->EndRow();
}

// libcsv's error in words: in strict mode a parse error is a quote out of place.
std::string CsvProblem(csv_parser& parser,
                       const char* quote = " in an unquoted field, or text after a closing quote") {
    const int error = csv_error(&parser);
    return error == CSV_EPARSE ? std::string("a quote") + quote : csv_strerror(error);
}

// Lines are fed one at a time, so that the callbacks know the line number. A line without quotes that
// starts a row is split here as libcsv would split it (fields trimmed of spaces and tabs, a blank line
// skipped): the same rows, faster.
class CsvFeeder {
public:
    CsvFeeder(CsvReader& reader, const std::string& file) : reader(reader), file(file) {
        if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
            DataError(file + ": out of memory");
    }
    ~CsvFeeder() { csv_free(&parser); }
    CsvFeeder(const CsvFeeder&) = delete;
    CsvFeeder& operator=(const CsvFeeder&) = delete;

    void Line(const char* s, std::size_t n) {
        ++reader.line;
        if (parser.pstate == 0 && std::memchr(s, '"', n) == nullptr) { // libcsv is between rows
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
        if (csv_parse(&parser, s, n, CsvField, CsvRowEnd, &reader) != n)
            DataError(reader.At(reader.line) + ": " + CsvProblem(parser));
    }

    void Finish() {
        if (csv_fini(&parser, CsvField, CsvRowEnd, &reader) != 0)
            DataError(reader.At(reader.line) + ": " + CsvProblem(parser, " is not closed"));
    }

private:
    void Split(const char* s, std::size_t len) {
        if (std::all_of(s, s + len, IsBlank))
            return;
        const char* end = s + len;
        row.clear();
        for (const char* p = s;;) {
            const char* comma =
                static_cast<const char*>(std::memchr(p, ',', static_cast<std::size_t>(end - p)));
            const char* stop = comma ? comma : end;
            const char* a = p;
            const char* b = stop;
            while (a < b && IsBlank(*a))
                ++a;
            while (b > a && IsBlank(b[-1]))
                --b;
            row.emplace_back(a, static_cast<std::size_t>(b - a));
            if (!comma)
                break;
            p = comma + 1;
        }
        reader.Row(row);
    }

    CsvReader& reader;
    std::string file;
    csv_parser parser;
    std::vector<std::string_view> row;
};

void ReadCsv(const std::string& path, ModelInput& in, const ColumnRequest& request, Progress& progress) {
    Source source(path, in.file);
    CsvReader reader(in, request);
    CsvFeeder feeder(reader, in.file);
    progress.Stage("reading " + in.file);
    constexpr std::size_t kBlock = 1 << 20;
    std::vector<char> buf(kBlock);
    std::size_t kept = 0, total = 0; // kept: the start of a line not yet complete
    bool content = false;
    for (;;) {
        if (buf.size() - kept < kBlock / 2)
            buf.resize(std::max(buf.size() * 2, kept + kBlock)); // a very long line
        const std::size_t got = source.Read(buf.data() + kept, buf.size() - kept);
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
            feeder.Line(buf.data() + pos, next - pos);
            pos = next;
        }
        if (got == 0) {
            if (pos < end)
                feeder.Line(buf.data() + pos, end - pos);
            break;
        }
        std::memmove(buf.data(), buf.data() + pos, end - pos);
        kept = end - pos;
        total += got;
        progress.Advance(total);
    }
    if (!content)
        DataError(in.file + ": the file is empty");
    feeder.Finish();
    if (!in.model)
        DataError(in.file + ": the file is empty");
    if (reader.rows == 0)
        DataError(in.file + ": no rows after the header");
    if (in.model->Rows() == 0)
        DataError(in.file + ": no row matches the filters");
}

// A JSON Pointer segment: '~' and '/' escaped.
std::string Segment(const std::string& name) {
    std::string p = "/";
    for (char c : name)
        p += c == '~' ? "~0" : c == '/' ? "~1" : std::string(1, c);
    return p;
}

[[noreturn]] void JsonSyntaxError(const std::string& file, const Json::parse_error& e) {
    // "[json.exception.parse_error.101] parse error at line 3, column 7: syntax error ..."
    static const std::regex where(R"(at line (\d+), column (\d+): (.*))");
    std::smatch m;
    const std::string what = e.what();
    if (std::regex_search(what, m, where))
        DataError(file + ":" + m[1].str() + ":" + m[2].str() + ": " + m[3].str());
    DataError(file + ": " + what);
}

// The parser keeps the last of two equal keys: a key given twice is caught while parsing.
class DuplicateKeys {
public:
    bool operator()(int, Json::parse_event_t event, Json& parsed) {
        switch (event) {
        case Json::parse_event_t::object_start:
            keys.emplace_back();
            break;
        case Json::parse_event_t::object_end:
            keys.pop_back();
            if (!path.empty() && path.size() > keys.size())
                path.pop_back();
            break;
        case Json::parse_event_t::key: {
            const std::string key = parsed.get<std::string>();
            path.resize(keys.size() - 1);
            path.push_back(key);
            if (!keys.back().insert(key).second && twice.empty())
                twice = path;
            break;
        }
        default:
            break;
        }
        return true;
    }

    std::vector<std::string> twice; // the path of the first key given twice

private:
    std::vector<std::set<std::string>> keys; // of each open object
    std::vector<std::string> path;
};

std::string PointerOf(const std::vector<std::string>& path) {
    std::string p;
    for (const std::string& s : path)
        p += Segment(s);
    return p;
}

class JsonReader {
public:
    explicit JsonReader(ModelInput& in) : in(in) {}

    void Read(const std::string& text) {
        DuplicateKeys duplicates;
        Json doc;
        try {
            doc = Json::parse(text, std::ref(duplicates));
        } catch (const Json::parse_error& e) {
            JsonSyntaxError(in.file, e);
        } catch (const Json::exception& e) { // a number beyond the range of doubles
            const std::string what = e.what();
            DataError(in.file + ": " + what.substr(what.find(']') + 2));
        }
        if (!duplicates.twice.empty()) {
            const auto& t = duplicates.twice;
            const bool isCase = (t.size() == 2 && t[0] == "cases") || (t.size() == 4 && t[2] == "cases");
            DataError(in.file + ": " + PointerOf(t) + ": the " +
                      (isCase                             ? "case"
                       : t.size() == 2 && t[0] == "model" ? "member"
                                                          : "key") +
                      " is given twice");
        }
        const bool model = doc.is_object() && doc.contains("model");
        if (!doc.is_object() ||
            !(model ? doc["model"].is_object() : doc.contains("cases") && doc["cases"].is_object()))
            DataError(in.file +
                      ": expected an object {\"cases\": {NAME: {\"x\": [...], \"y\": [...]}, ...}} or "
                      "{\"model\": {MEMBER: {\"cases\": {NAME: {\"x\": [...], FORCE: [...], ...}}}}}");
        in.named = model;
        if (model) {
            if (doc["model"].empty())
                DataError(in.file + ": /model: no member");
            for (const auto& [name, value] : doc["model"].items()) {
                const std::string at = "/model" + Segment(name);
                if (name.empty())
                    DataError(in.file + ": " + at + ": empty member name");
                if (!value.is_object() || value.size() != 1 || !value.contains("cases") ||
                    !value["cases"].is_object())
                    DataError(in.file + ": " + at +
                              ": expected {\"cases\": {NAME: {\"x\": [...], FORCE: [...]}}}");
                Member(name, value["cases"], at + "/cases", false);
            }
        } else {
            Member("", doc["cases"], "/cases", true);
        }
        in.model = std::make_unique<Model>(forces);
        std::vector<double> values(forces.size());
        std::size_t origin = 0;
        for (const Case& c : cases) {
            in.blocks.emplace_back(origin, c.pointer);
            const Json& xs = (*c.value)["x"];
            for (std::size_t i = 0; i < xs.size(); ++i) {
                for (std::size_t f = 0; f < forces.size(); ++f)
                    values[f] = c.value->contains(forces[f])
                                    ? Number((*c.value)[forces[f]][i], c, forces[f], i)
                                    : kNaN;
                in.model->Add(c.member, c.name, Number(xs[i], c, "x", i), values.data(), origin++);
            }
        }
    }

private:
    struct Case {
        std::string member, name, pointer;
        const Json* value;
    };

    void Member(const std::string& member, const Json& cs, const std::string& at, bool legacy) {
        if (cs.empty())
            DataError(in.file + ": " + at + ": no case");
        for (const auto& [name, value] : cs.items()) {
            const std::string p = at + Segment(name);
            if (name.empty())
                DataError(in.file + ": " + p + ": empty case name");
            bool shape = value.is_object() && value.contains("x") && value.size() >= 2;
            if (shape)
                for (const auto& [key, v] : value.items())
                    shape = shape && v.is_array() && (!legacy || key == "x" || key == "y");
            if (!shape)
                DataError(in.file + ": " + p + ": expected {\"x\": [...], " +
                          (legacy ? "\"y\": [...]}" : "FORCE: [...], ...}"));
            const std::size_t n = value["x"].size();
            for (const auto& [key, v] : value.items()) {
                if (key == "x")
                    continue;
                if (v.size() != n)
                    DataError(in.file + ": " + p + ": \"x\" has " + std::to_string(n) + " values, " +
                              Quoted(key) + " " + std::to_string(v.size()));
                if (std::find(forces.begin(), forces.end(), key) == forces.end())
                    forces.push_back(key);
            }
            cases.push_back({member, name, p, &value});
        }
    }

    double Number(const Json& j, const Case& c, const std::string& key, std::size_t i) const {
        const std::string place =
            in.file + ": " + c.pointer + Segment(key) + "/" + std::to_string(i) + ": " + j.dump();
        if (!j.is_number())
            DataError(place + " is not a number");
        const double v = j.get<double>();
        if (!std::isfinite(v))
            DataError(place + " is out of the range of doubles");
        return v;
    }

    ModelInput& in;
    std::vector<std::string> forces;
    std::vector<Case> cases;
};

} // namespace

std::string ModelInput::Where(std::size_t origin) const {
    if (format != Format::Json)
        return file + ":" + std::to_string(origin);
    const auto it = std::upper_bound(blocks.begin(), blocks.end(), origin,
                                     [](std::size_t o, const auto& b) { return o < b.first; });
    const auto& block = *std::prev(it);
    return file + ": " + block.second + "/x/" + std::to_string(origin - block.first);
}

Format FormatOf(const std::string& path, Format requested) {
    if (requested != Format::Auto)
        return requested;
    if (path == "-")
        return Format::Csv;
    const std::size_t dot = path.find_last_of("./");
    const std::string ext = dot == std::string::npos || path[dot] == '/' ? "" : Lowercase(path.substr(dot));
    if (ext == ".csv")
        return Format::Csv;
    if (ext == ".json")
        return Format::Json;
    UsageError(path + ": cannot tell the format from the extension (.csv or .json): use --format");
}

ModelInput ReadModel(const std::string& path, Format format, const ColumnRequest& columns,
                     Progress& progress) {
    ModelInput in;
    in.file = path == "-" ? "<stdin>" : path;
    in.format = format;
    if (format == Format::Json) {
        Source source(path, in.file);
        const std::string text = source.All();
        if (text.find_first_not_of(" \t\r\n") == std::string::npos)
            DataError(in.file + ": the file is empty");
        JsonReader(in).Read(text);
    } else {
        ReadCsv(path, in, columns, progress);
    }
    return in;
}

vymath::analysis::Actions ReadActions(const std::string& path) {
    Source source(path, path);
    const std::string text = source.All();
    if (text.find_first_not_of(" \t\r\n") == std::string::npos)
        DataError(path + ": the file is empty");
    try {
        return vymath::analysis::ParseActions(text, path);
    } catch (const vymath::analysis::Error& e) {
        DataError(e.what());
    }
}

} // namespace vycli
