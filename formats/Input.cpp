// Reading a model from CSV or JSON.
#include "Input.h"

#include "Csv.h"
#include "Json.h"
#include "Saf.h"
#include "Source.h"
#include "Table.h"
#include "analysis/Text.h"
#include "xlsx/Xlsx.h"

#include <vymath/analysis/Error.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <limits>
#include <tuple>

namespace vymath {
namespace formats {

namespace {

using analysis::Error;
using analysis::Field;
using analysis::Model;
using json::Json;
using json::Segment;
using text::Quoted;

[[noreturn]] void Fail(const std::string& message) {
    throw Error(Error::Kind::Data, message);
}

// The CSV dialect of the input, told from its first block where not given; the block is read again.
class Peeked {
public:
    using Reader = std::function<std::size_t(char*, std::size_t)>;
    explicit Peeked(Reader read) : read(std::move(read)) {
        start.resize(1 << 16);
        start.resize(this->read(start.data(), start.size()));
    }
    std::size_t Read(char* buf, std::size_t n) {
        if (used < start.size()) {
            const std::size_t k = std::min(n, start.size() - used);
            std::copy(start.data() + used, start.data() + used + k, buf);
            used += k;
            return k;
        }
        return read(buf, n);
    }
    std::string start;

private:
    Reader read;
    std::size_t used = 0;
};

std::string Describe(char delimiter) {
    return delimiter == '\t' ? "a tab" : delimiter == ';' ? "';'" : "','";
}

// CSV from read(buf, n) (up to n bytes, 0 at the end), named `file` in messages.
std::unique_ptr<Model> ReadCsv(const std::string& file, Peeked::Reader read, const ReadOptions& options) {
    Peeked peeked(std::move(read));
    const Dialect told = DialectOf(peeked.start);
    const char delimiter = options.delimiter ? options.delimiter : told.delimiter;
    TableOptions table = options.table;
    if (!options.decimalGiven)
        table.decimal = delimiter == ',' ? '.' : told.decimal;
    TableNaming naming;
    naming.source = file;
    naming.row = [file](std::size_t line) { return file + ":" + std::to_string(line); };
    naming.field = [file](std::size_t line, std::size_t column, const std::string& role) {
        return file + ":" + std::to_string(line) + ": field " + std::to_string(column + 1) + " (" + role +
               ")";
    };
    if (delimiter != ',')
        naming.hint = " (fields split at " + Describe(delimiter) + ")";
    TableReader reader(table, naming);
    CsvSplitter splitter(
        file,
        [&reader](const std::vector<std::string_view>& fields, std::size_t line) {
            if (const auto title = TableReader::TitleOf(fields))
                reader.Title(*title, line);
            else
                reader.Row(fields, line);
        },
        delimiter);
    const bool content = FeedLines(
        splitter, [&peeked](char* buf, std::size_t n) { return peeked.Read(buf, n); }, options.progress);
    if (!content)
        Fail(file + ": the file is empty");
    splitter.Finish();
    return reader.Finish();
}

// A workbook's sheets as tables: every sheet that fits (or the one asked for), each starting a table (its
// own "TABLE:" row another). A row's origin holds its sheet and its number.
constexpr int kSheetShift = 24;

std::unique_ptr<Model> ReadXlsx(XlsxWorkbook& book, const ReadOptions& options) {
    const std::vector<std::string>& sheets = book.SheetNames();
    TableNaming naming;
    naming.source = book.Name();
    naming.fields = "cells";
    naming.row = [name = book.Name(), sheets](std::size_t origin) {
        return name + ": sheet " + text::Quoted(sheets[origin >> kSheetShift]) + " row " +
               std::to_string(origin & ((std::size_t(1) << kSheetShift) - 1));
    };
    naming.field = [name = book.Name(), sheets](std::size_t origin, std::size_t column,
                                                const std::string& role) {
        return name + ": sheet " + text::Quoted(sheets[origin >> kSheetShift]) + " cell " +
               XlsxColumnName(column + 1) + std::to_string(origin & ((std::size_t(1) << kSheetShift) - 1)) +
               " (" + role + ")";
    };
    TableReader reader(options.table, naming);
    for (std::size_t s = 0; s < sheets.size(); ++s) {
        if (!options.sheet.empty() && sheets[s] != options.sheet)
            continue;
        const std::size_t base = s << kSheetShift;
        reader.Title(sheets[s], base + 1);
        book.ReadSheet(sheets[s], [&](std::size_t row, const std::vector<std::string_view>& cells) {
            if (const auto title = TableReader::TitleOf(cells))
                reader.Title(*title, base + row);
            else if (!cells.empty())
                reader.Row(cells, base + row);
            return true;
        });
    }
    if (!options.sheet.empty() && std::find(sheets.begin(), sheets.end(), options.sheet) == sheets.end()) {
        std::string list;
        for (const std::string& n : sheets)
            list += (list.empty() ? "" : ", ") + text::Quoted(n);
        Fail(book.Name() + ": no sheet " + text::Quoted(options.sheet) + "; the sheets: " + list);
    }
    return reader.Finish();
}

// The JSON form: each case's arrays become rows, numbered in document order; a row's place is its case's
// JSON pointer and its position in the arrays.
class JsonModel {
public:
    explicit JsonModel(std::string file) : file(std::move(file)) {}

    std::unique_ptr<Model> Read(const std::string& text) {
        Json doc = json::Parse(text, file, [](const std::vector<std::string>& t) -> std::string {
            const bool isCase = (t.size() == 2 && t[0] == "cases") || (t.size() == 4 && t[2] == "cases");
            return isCase ? "case" : t.size() == 2 && t[0] == "model" ? "member" : "key";
        });
        const bool model = doc.is_object() && doc.contains("model");
        if (!doc.is_object() ||
            !(model ? doc["model"].is_object() : doc.contains("cases") && doc["cases"].is_object()))
            Fail(file + ": expected an object {\"cases\": {NAME: {\"x\": [...], \"y\": [...]}, ...}} or "
                        "{\"model\": {MEMBER: {\"cases\": {NAME: {\"x\": [...], FORCE: [...], ...}}}}}");
        if (model) {
            if (doc["model"].empty())
                Fail(file + ": /model: no member");
            for (const auto& [name, value] : doc["model"].items()) {
                const std::string at = "/model" + Segment(name);
                if (!value.is_object() || value.size() != 1 || !value.contains("cases") ||
                    !value["cases"].is_object())
                    Fail(file + ": " + at + ": expected {\"cases\": {NAME: {\"x\": [...], FORCE: [...]}}}");
                Member(name, at, value["cases"], false);
            }
        } else {
            Member("", "", doc["cases"], true);
        }
        return Build(model);
    }

private:
    struct Case {
        std::string member, name;
        std::string memberPointer, pointer;
        const Json* value;
        std::size_t first; // the origin of its first row
    };

    void Member(const std::string& member, const std::string& at, const Json& cs, bool single) {
        const std::string casesAt = at + "/cases";
        if (cs.empty())
            Fail(file + ": " + casesAt + ": no case");
        for (const auto& [name, value] : cs.items()) {
            const std::string p = casesAt + Segment(name);
            bool shape = value.is_object() && value.contains("x") && value.size() >= 2;
            if (shape)
                for (const auto& [key, v] : value.items())
                    shape = shape && v.is_array() && (!single || key == "x" || key == "y");
            if (!shape)
                Fail(file + ": " + p + ": expected {\"x\": [...], " +
                     (single ? "\"y\": [...]}" : "FORCE: [...], ...}"));
            const std::size_t n = value["x"].size();
            for (const auto& [key, v] : value.items()) {
                if (key == "x")
                    continue;
                if (v.size() != n)
                    Fail(file + ": " + p + ": \"x\" has " + std::to_string(n) + " values, " +
                         text::Quoted(key) + " " + std::to_string(v.size()));
                if (std::find(forces.begin(), forces.end(), key) == forces.end())
                    forces.push_back(key);
            }
            cases.push_back({member, name, at, p, &value, 0});
        }
    }

    std::unique_ptr<Model> Build(bool named) {
        std::size_t origin = 0;
        for (Case& c : cases) {
            c.first = origin;
            origin += (*c.value)["x"].size();
        }
        // Where a row and its fields stand: the case's pointer, the array and the position in it.
        auto blocks = std::make_shared<std::vector<Case>>(cases);
        const auto caseOf = [blocks](std::size_t o) -> const Case& {
            const auto it = std::upper_bound(blocks->begin(), blocks->end(), o,
                                             [](std::size_t v, const Case& b) { return v < b.first; });
            return *std::prev(it);
        };
        analysis::Places places;
        places.source = file;
        places.row = [file = file, caseOf](std::size_t o) {
            const Case& c = caseOf(o);
            return file + ": " + c.pointer + "/x/" + std::to_string(o - c.first);
        };
        places.field = [file = file, caseOf, forces = forces](std::size_t o, const Field& f) {
            const Case& c = caseOf(o);
            switch (f.role) {
            case Field::Role::Member:
                return file + ": " + c.memberPointer + " (member)";
            case Field::Role::Case:
                return file + ": " + c.pointer + " (case)";
            case Field::Role::X:
                return file + ": " + c.pointer + "/x/" + std::to_string(o - c.first) + " (x)";
            default:
                return file + ": " + c.pointer + Segment(forces[f.force]) + "/" +
                       std::to_string(o - c.first) + " (" + forces[f.force] + ")";
            }
        };
        auto model = std::make_unique<Model>(forces, places, named);
        std::vector<double> values(forces.size());
        for (const Case& c : cases) {
            const Json& xs = (*c.value)["x"];
            for (std::size_t i = 0; i < xs.size(); ++i) {
                for (std::size_t f = 0; f < forces.size(); ++f)
                    values[f] = c.value->contains(forces[f]) ? Number((*c.value)[forces[f]][i], places,
                                                                      c.first + i, {Field::Role::Force, f})
                                                             : std::numeric_limits<double>::quiet_NaN();
                const double x = Number(xs[i], places, c.first + i, {Field::Role::X});
                model->Add(c.member, c.name, x, values.data(), c.first + i);
            }
        }
        return model;
    }

    static double Number(const Json& j, const analysis::Places& places, std::size_t origin, const Field& f) {
        if (!j.is_number())
            Fail(places.field(origin, f) + " " + j.dump() + " is not a number");
        const double v = j.get<double>();
        if (!std::isfinite(v))
            Fail(places.field(origin, f) + " " + j.dump() + " is out of the range of doubles");
        return v;
    }

    std::string file;
    std::vector<std::string> forces;
    std::vector<Case> cases;
};

std::string Lowercase(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

} // namespace

ReadOptions OptionsOf(const ReadWords& words) {
    const auto name = [&](const std::string& option) {
        return words.spelling ? words.spelling(option) : "--" + option;
    };
    const auto oneOf = [&](const std::string& option, const std::string& value,
                           std::initializer_list<const char*> allowed) {
        if (value.empty())
            return std::size_t{0};
        std::string list;
        std::size_t k = 0;
        for (const char* a : allowed) {
            if (value == a)
                return k + 1;
            list += (k++ ? ", " : "") + std::string(a);
        }
        throw Error(Error::Kind::Usage, name(option) + " " + Quoted(value) + ": expected one of " + list);
    };
    ReadOptions read;
    static const Format formats[] = {Format::Auto, Format::Csv, Format::Json, Format::Xlsx, Format::Saf};
    if (const std::size_t f = oneOf("format", words.format, {"auto", "csv", "json", "xlsx", "saf"}))
        read.format = formats[f - 1];
    if (const std::size_t d = oneOf("delimiter", words.delimiter, {",", ";", "tab"}))
        read.delimiter = ",;\t"[d - 1];
    if (const std::size_t d = oneOf("decimal", words.decimal, {".", ","})) {
        read.decimalGiven = true;
        read.table.decimal = ".,"[d - 1];
    }
    read.sheet = words.sheet;
    read.table.table = words.table;
    read.table.columns = words.columns;
    read.table.moments = words.moments;
    for (const auto& [option, text, target] : {std::tuple{"units", &words.units, &read.table.units},
                                               {"from-units", &words.fromUnits, &read.table.from}})
        if (!text->empty()) {
            UnitSystem system;
            if (!ParseUnitSystem(*text, system))
                throw Error(Error::Kind::Usage,
                            name(option) + " " + Quoted(*text) +
                                ": expected FORCE,LENGTH in units this tool knows, as kN,m or kip,ft");
            *target = system;
        }
    return read;
}

Format FormatOf(const std::string& path, Format requested) {
    if (requested != Format::Auto)
        return requested;
    if (path == "-")
        return Format::Csv;
    const std::size_t dot = path.find_last_of("./");
    const std::string ext = dot == std::string::npos || path[dot] == '/' ? "" : Lowercase(path.substr(dot));
    if (ext == ".csv" || ext == ".tsv" || ext == ".txt")
        return Format::Csv;
    if (ext == ".json")
        return Format::Json;
    if (ext == ".xlsx")
        return Format::Xlsx;
    throw Error(Error::Kind::Usage,
                path + ": cannot tell the format from the extension (.csv, .tsv, .txt, .json or "
                       ".xlsx): use --format");
}

std::unique_ptr<Model> ReadModelJson(const std::string& text, const std::string& source) {
    return JsonModel(source).Read(text);
}

std::unique_ptr<Model> ReadModelCsv(std::string_view text, const std::string& source,
                                    const ReadOptions& options) {
    std::size_t at = 0;
    return ReadCsv(
        source,
        [text, &at](char* buf, std::size_t n) {
            const std::size_t k = std::min(n, text.size() - at);
            std::copy(text.data() + at, text.data() + at + k, buf);
            at += k;
            return k;
        },
        options);
}

std::unique_ptr<Model> ReadModel(const std::string& path, const ReadOptions& options) {
    const Format format = FormatOf(path, options.format);
    if (format == Format::Json) {
        Source source(path, NameOf(path));
        return ReadModelJson(source.All(), source.Name());
    }
    if (format == Format::Xlsx || format == Format::Saf) {
        if (path == "-")
            throw Error(Error::Kind::Usage, "a workbook is read from a file, not from standard input");
        try {
            XlsxWorkbook book = XlsxWorkbook::Open(path);
            const auto& sheets = book.SheetNames();
            const bool saf =
                format == Format::Saf ||
                (options.sheet.empty() && std::find(sheets.begin(), sheets.end(), kSafSheet) != sheets.end());
            return saf ? ReadSaf(book, options) : ReadXlsx(book, options);
        } catch (const XlsxError& e) {
            Fail(e.what());
        }
    }
    const std::string file = NameOf(path);
    Source source(path, file);
    return ReadCsv(
        file, [&source](char* buf, std::size_t n) { return source.Read(buf, n); }, options);
}

std::unique_ptr<Model> ReadModel(const std::string& path, Format format,
                                 const analysis::ColumnRequest& columns,
                                 const std::function<void(std::size_t)>& progress) {
    ReadOptions options;
    options.format = format;
    options.table.columns = columns;
    options.progress = progress;
    return ReadModel(path, options);
}

} // namespace formats
} // namespace vymath
