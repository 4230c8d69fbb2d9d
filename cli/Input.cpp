// Reading the diagrams of the load cases from CSV or JSON.
#include "Input.h"

#include "Failure.h"
#include "Numbers.h"
#include "Progress.h"

#include <csv.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <memory>
#include <regex>
#include <set>
#include <unordered_map>

namespace vycli {

namespace {

using Json = nlohmann::ordered_json;

std::string Lowercase(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string ReadAll(const std::string& path, const std::string& file) {
    std::string text;
    if (path == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        if (std::cin.bad())
            DataError(file + ": cannot read");
        return text;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!in)
        DataError(file + ": cannot read: " + std::strerror(errno));
    char buf[1 << 16];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, in.get())) > 0)
        text.append(buf, n);
    if (std::ferror(in.get()))
        DataError(file + ": cannot read: " + std::strerror(errno));
    return text;
}

// Case names go into JSON and SVG text: they must be UTF-8.
bool IsUtf8(const std::string& s) {
    try {
        (void)Json(s).dump();
        return true;
    } catch (const Json::type_error&) {
        return false;
    }
}

// Cases by name, in order of first appearance.
class CaseIndex {
public:
    explicit CaseIndex(std::vector<CaseRows>& cases) : cases(cases) {}
    // The case named `name`, added when new; false when the name is new and not UTF-8.
    CaseRows* Find(const std::string& name) {
        if (last != nullptr && last->name == name)
            return last;
        const auto it = index.find(name);
        if (it != index.end())
            return last = &cases[it->second];
        if (!IsUtf8(name))
            return nullptr;
        index.emplace(name, cases.size());
        cases.push_back({name, {}});
        return last = &cases.back();
    }

private:
    std::vector<CaseRows>& cases;
    std::unordered_map<std::string, std::size_t> index;
    CaseRows* last = nullptr;
};

// libcsv's callbacks gather a row's fields; the row is checked and stored when it ends.
struct CsvReader {
    explicit CsvReader(Input& in) : in(in), index(in.cases) {}

    Input& in;
    CaseIndex index;
    std::vector<std::string> fields;
    std::size_t count = 0;   // fields of the current row
    std::size_t line = 0;    // the line being fed
    std::size_t rowLine = 0; // where the current row began
    bool header = false;     // the header has been read
    std::size_t rows = 0;

    std::string At(std::size_t where) const { return in.file + ":" + std::to_string(where); }

    void Field(const char* s, std::size_t len) {
        if (count == 0)
            rowLine = line;
        if (count < fields.size())
            fields[count].assign(s, len);
        else
            fields.emplace_back(s, len);
        ++count;
    }

    void EndRow() {
        const std::size_t n = count;
        count = 0;
        if (!header) {
            Header(n);
            return;
        }
        if (n != 3)
            DataError(At(rowLine) + ": " + std::to_string(n) + (n == 1 ? " field" : " fields") +
                      ", expected 3 (case,x,y)");
        if (fields[0].empty())
            DataError(At(rowLine) + ": field 1 (case) is empty");
        double v[2];
        for (int k = 0; k < 2; ++k) {
            const ParseStatus status = ParseDouble(fields[1 + k], v[k]);
            if (status != ParseStatus::Ok)
                DataError(At(rowLine) + ": field " + std::to_string(2 + k) + (k == 0 ? " (x) " : " (y) ") +
                          Quoted(fields[1 + k]) + " " + Describe(status));
        }
        CaseRows* c = index.Find(fields[0]);
        if (c == nullptr)
            DataError(At(rowLine) + ": field 1 (case) is not UTF-8 text");
        c->rows.push_back({v[0], v[1], rowLine});
        ++rows;
    }

    void Header(std::size_t n) {
        std::string found;
        for (std::size_t k = 0; k < n; ++k) {
            std::string f = fields[k];
            if (k == 0 && f.rfind("\xEF\xBB\xBF", 0) == 0)
                f.erase(0, 3); // a byte-order mark, as spreadsheets write it
            found += (k ? "," : "") + f;
        }
        if (n != 3 || Lowercase(found) != "case,x,y")
            DataError(At(rowLine) + ": expected the header \"case,x,y\", found " + Quoted(found));
        header = true;
    }
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

void ReadCsv(const std::string& text, Input& in, Progress& progress) {
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0)
        DataError(in.file + ": out of memory");
    std::unique_ptr<csv_parser, void (*)(csv_parser*)> guard(&parser, csv_free);
    CsvReader reader(in);
    progress.Stage("reading " + in.file, text.size());
    // Fed a line at a time, so that the callbacks know the line number.
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t nl = text.find('\n', pos);
        const std::size_t end = nl == std::string::npos ? text.size() : nl + 1;
        ++reader.line;
        if (csv_parse(&parser, text.data() + pos, end - pos, CsvField, CsvRowEnd, &reader) != end - pos)
            DataError(reader.At(reader.line) + ": " + CsvProblem(parser));
        pos = end;
        if ((reader.line & 0xFFF) == 0)
            progress.Advance(pos);
    }
    if (csv_fini(&parser, CsvField, CsvRowEnd, &reader) != 0)
        DataError(reader.At(reader.line) + ": " + CsvProblem(parser, " is not closed"));
    if (!reader.header)
        DataError(in.file + ": the file is empty");
    if (reader.rows == 0)
        DataError(in.file + ": no rows after the header");
}

// JSON Pointer of a case: /cases/NAME with '~' and '/' escaped.
std::string CasePointer(const std::string& name) {
    std::string p = "/cases/";
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

void ReadJson(const std::string& text, Input& in) {
    // The parser keeps the last of two equal keys: catch a case given twice while parsing.
    std::string topKey, twice;
    std::set<std::string> seen;
    const Json::parser_callback_t noteKeys = [&](int depth, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::key) {
            if (depth == 1)
                topKey = parsed.get<std::string>();
            else if (depth == 2 && topKey == "cases" && !seen.insert(parsed.get<std::string>()).second &&
                     twice.empty())
                twice = parsed.get<std::string>();
        }
        return true;
    };
    Json doc;
    try {
        doc = Json::parse(text, noteKeys);
    } catch (const Json::parse_error& e) {
        JsonSyntaxError(in.file, e);
    } catch (const Json::exception& e) { // a number beyond the range of doubles
        const std::string what = e.what();
        DataError(in.file + ": " + what.substr(what.find(']') + 2));
    }
    if (!twice.empty())
        DataError(in.file + ": " + CasePointer(twice) + ": the case is given twice");
    if (!doc.is_object() || !doc.contains("cases") || !doc["cases"].is_object())
        DataError(in.file + ": expected an object {\"cases\": {NAME: {\"x\": [...], \"y\": [...]}, ...}}");
    if (doc["cases"].empty())
        DataError(in.file + ": /cases: no case");
    CaseIndex index(in.cases);
    for (const auto& [name, value] : doc["cases"].items()) {
        const std::string at = in.file + ": " + CasePointer(name);
        if (name.empty())
            DataError(at + ": empty case name");
        if (!value.is_object() || value.size() != 2 || !value.contains("x") || !value.contains("y") ||
            !value["x"].is_array() || !value["y"].is_array())
            DataError(at + ": expected {\"x\": [...], \"y\": [...]}");
        const Json &xs = value["x"], &ys = value["y"];
        if (xs.size() != ys.size())
            DataError(at + ": \"x\" has " + std::to_string(xs.size()) + " values, \"y\" " +
                      std::to_string(ys.size()));
        CaseRows* c = index.Find(name);
        for (std::size_t i = 0; i < xs.size(); ++i) {
            double v[2];
            for (int k = 0; k < 2; ++k) {
                const Json& j = (k == 0 ? xs : ys)[i];
                const std::string place = at + (k == 0 ? "/x/" : "/y/") + std::to_string(i) + ": " + j.dump();
                if (!j.is_number())
                    DataError(place + " is not a number");
                v[k] = j.get<double>();
                if (!std::isfinite(v[k]))
                    DataError(place + " is out of the range of doubles");
            }
            c->rows.push_back({v[0], v[1], i});
        }
    }
}

} // namespace

std::string Input::Where(const CaseRows& c, std::size_t origin) const {
    if (format == Format::Json)
        return file + ": " + CasePointer(c.name) + "/x/" + std::to_string(origin);
    return file + ":" + std::to_string(origin);
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

Input ReadCases(const std::string& path, Format format, Progress& progress) {
    Input in;
    in.file = path == "-" ? "<stdin>" : path;
    in.format = format;
    const std::string text = ReadAll(path, in.file);
    if (text.find_first_not_of(" \t\r\n") == std::string::npos)
        DataError(in.file + ": the file is empty");
    if (format == Format::Json)
        ReadJson(text, in);
    else
        ReadCsv(text, in, progress);
    return in;
}

} // namespace vycli
