// Tables, CSV and JSON of the results.
#include "Report.h"

#include "Numbers.h"

#include <csv.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>

namespace vycli {

namespace {

// Columns padded to their widest cell: text to the left, numbers to the right.
class Table {
public:
    explicit Table(std::vector<std::string> header, std::string numeric)
        : numeric(std::move(numeric)), rows{std::move(header)} {}
    void Add(std::vector<std::string> row) { rows.push_back(std::move(row)); }

    std::string Text(const std::string& indent) const {
        std::vector<std::size_t> width(rows.front().size(), 0);
        for (const auto& row : rows)
            for (std::size_t c = 0; c < row.size(); ++c)
                width[c] = std::max(width[c], Length(row[c]));
        std::string out;
        for (const auto& row : rows) {
            std::string line = indent;
            for (std::size_t c = 0; c < row.size(); ++c) {
                const std::string pad(width[c] - Length(row[c]), ' ');
                line += (c ? "  " : "") + (numeric[c] == 'n' ? pad + row[c] : row[c] + pad);
            }
            line.erase(line.find_last_not_of(' ') + 1);
            out += line + '\n';
        }
        return out;
    }

private:
    // Characters, not bytes, of UTF-8 text.
    static std::size_t Length(const std::string& s) {
        return static_cast<std::size_t>(std::count_if(
            s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    }

    std::string numeric; // 'n' for a numeric column, 't' for text
    std::vector<std::vector<std::string>> rows;
};

std::string CsvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos &&
        (s.empty() || (s.front() != ' ' && s.back() != ' ')))
        return s;
    std::string out(2 * s.size() + 2, '\0');
    out.resize(csv_write(out.data(), out.size(), s.data(), s.size()));
    return out;
}

void AppendJsonString(std::string& out, const std::string& s) {
    out += nlohmann::json(s).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// A JSON number; null for a value beyond the range of doubles (an overflow in a sum).
void AppendJsonNumber(std::string& out, double v) {
    if (std::isfinite(v))
        AppendShortest(out, v);
    else
        out += "null";
}

template <class T, class F>
void AppendJsonArray(std::string& out, const std::vector<T>& values, F append) {
    out += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i)
            out += ',';
        append(out, values[i]);
    }
    out += ']';
}

void AppendJsonLine(std::string& out, const EnvelopeLine& e, const std::vector<std::string>& names) {
    out += "{\n    \"x\": ";
    AppendJsonArray(out, e.x, AppendJsonNumber);
    out += ",\n    \"y\": ";
    AppendJsonArray(out, e.y, AppendJsonNumber);
    out += ",\n    \"case\": ";
    AppendJsonArray(out, e.member, [&names](std::string& o, int m) {
        if (m < 0)
            o += "null";
        else
            AppendJsonString(o, names[m]);
    });
    out += "\n  }";
}

std::string Plural(std::size_t n, const std::string& word) {
    return std::to_string(n) + " " + (n == 1 && word.back() == 's' ? word.substr(0, word.size() - 1) : word);
}

} // namespace

std::string UnitOf(const std::string& label) {
    const std::size_t open = label.rfind('['), close = label.rfind(']');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return "";
    return label.substr(open + 1, close - open - 1);
}

std::string EnvelopeTable(const EnvelopeResult& r, const Labels& labels) {
    std::string names;
    for (const std::string& n : r.members) // quoted where a comma would make the list ambiguous
        names += (names.empty() ? "" : ", ") + (n.find(',') == std::string::npos ? n : '"' + n + '"');
    std::string out = "Envelopes of " + Plural(r.members.size(), labels.members) + ": " + names + "\n\n";
    const auto caseOf = [&r](const EnvelopeLine& e, int i) {
        return e.member[i] < 0 ? std::string("-") : r.members[e.member[i]];
    };
    Table extrema({"", labels.y, "at " + labels.x, "case"}, "tnnt");
    const std::pair<const char*, const EnvelopeLine*> lines[] = {{"upper", &r.upper}, {"lower", &r.lower}};
    for (const auto& [name, e] : lines)
        for (const bool max : {true, false}) {
            const int i = max ? e->IndexOfMax() : e->IndexOfMin();
            if (i >= 0)
                extrema.Add({std::string(name) + (max ? " max" : " min"), Readable(e->y[i]),
                             Readable(e->x[i]), caseOf(*e, i)});
        }
    out += extrema.Text("");
    for (const auto& [name, e] : {lines[1], lines[0]}) {
        out += "\n" + std::string(name) + " envelope, " + Plural(e->x.size(), "points") + "\n";
        Table t({labels.x, labels.y, "case"}, "nnt");
        for (std::size_t i = 0; i < e->x.size(); ++i) {
            t.Add({Readable(e->x[i]), e->Placeholder(i) ? "-" : Readable(e->y[i]),
                   caseOf(*e, static_cast<int>(i))});
        }
        out += t.Text("  ");
    }
    return out;
}

std::string EnvelopeCsv(const EnvelopeResult& r) {
    std::string out = "envelope,x,y,case\n";
    for (const auto& [name, e] : {std::pair{"lower", &r.lower}, std::pair{"upper", &r.upper}})
        for (std::size_t i = 0; i < e->x.size(); ++i) {
            out += name;
            out += ',';
            AppendShortest(out, e->x[i]);
            out += ',';
            AppendShortest(out, e->y[i]);
            out += ',' + (e->member[i] < 0 ? std::string() : CsvField(r.members[e->member[i]])) + '\n';
        }
    return out;
}

std::string EnvelopeJson(const EnvelopeResult& r) {
    std::string out = "{\n  \"members\": ";
    AppendJsonArray(out, r.members, AppendJsonString);
    out += ",\n  \"lower\": ";
    AppendJsonLine(out, r.lower, r.members);
    out += ",\n  \"upper\": ";
    AppendJsonLine(out, r.upper, r.members);
    out += "\n}\n";
    return out;
}

std::string InspectTable(const std::vector<Inspection>& r, const Labels& labels) {
    const std::string at = "at " + labels.x;
    Table t({labels.members == "cases" ? "case" : "combination", "domain", "points", "min " + labels.y, at,
             "max " + labels.y, at, "resultant", "moment", "excentricity", "zeros at " + labels.x},
            "ttnnnnnnnnt");
    for (const Inspection& c : r) {
        std::string zeros;
        for (double z : c.zeros)
            zeros += (zeros.empty() ? "" : " ") + Readable(z);
        t.Add({c.name, "[" + Readable(c.xmin) + ", " + Readable(c.xmax) + "]", std::to_string(c.points),
               Readable(c.min.y), Readable(c.min.x), Readable(c.max.y), Readable(c.max.x),
               Readable(c.resultant), Readable(c.moment), c.excentricity ? Readable(*c.excentricity) : "-",
               zeros.empty() ? "-" : zeros});
    }
    return t.Text("");
}

std::string InspectCsv(const std::vector<Inspection>& r) {
    std::string out = "case,xmin,xmax,points,min_x,min_y,max_x,max_y,resultant,moment,excentricity,zeros\n";
    for (const Inspection& c : r) {
        out += CsvField(c.name);
        for (double v : {c.xmin, c.xmax})
            AppendShortest(out += ',', v);
        out += ',' + std::to_string(c.points);
        for (double v : {c.min.x, c.min.y, c.max.x, c.max.y, c.resultant, c.moment})
            AppendShortest(out += ',', v);
        out += ',';
        if (c.excentricity)
            AppendShortest(out, *c.excentricity);
        out += ',';
        for (std::size_t i = 0; i < c.zeros.size(); ++i)
            AppendShortest(out += (i ? " " : ""), c.zeros[i]);
        out += '\n';
    }
    return out;
}

std::string InspectJson(const std::vector<Inspection>& r) {
    std::string out = "{\n  \"cases\": {";
    for (std::size_t k = 0; k < r.size(); ++k) {
        const Inspection& c = r[k];
        out += k ? ",\n    " : "\n    ";
        AppendJsonString(out, c.name);
        out += ": {\"domain\": ";
        AppendJsonArray(out, std::vector<double>{c.xmin, c.xmax}, AppendJsonNumber);
        out += ", \"points\": " + std::to_string(c.points);
        for (const auto& [key, e] : {std::pair{"min", c.min}, std::pair{"max", c.max}}) {
            out += ", \"" + std::string(key) + "\": {\"x\": ";
            AppendJsonNumber(out, e.x);
            out += ", \"y\": ";
            AppendJsonNumber(out, e.y);
            out += '}';
        }
        out += ", \"zeros\": ";
        AppendJsonArray(out, c.zeros, AppendJsonNumber);
        out += ", \"resultant\": ";
        AppendJsonNumber(out, c.resultant);
        out += ", \"moment\": ";
        AppendJsonNumber(out, c.moment);
        out += ", \"excentricity\": ";
        if (c.excentricity)
            AppendJsonNumber(out, *c.excentricity);
        else
            out += "null";
        out += '}';
    }
    out += "\n  }\n}\n";
    return out;
}

} // namespace vycli
