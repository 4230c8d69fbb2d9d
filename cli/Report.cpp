// Tables, CSV and JSON of the results.
#include "Report.h"

#include <vymath/analysis/Numbers.h>

#include <csv.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace vycli {

namespace {

using namespace vymath::analysis;

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

// An envelope's opening brace and its "x" and "y" arrays, a key a line.
void AppendJsonXY(std::string& out, const std::vector<double>& x, const std::vector<double>& y,
                  const std::string& indent) {
    out += "{\n" + indent + "  \"x\": ";
    AppendJsonArray(out, x, AppendJsonNumber);
    out += ",\n" + indent + "  \"y\": ";
    AppendJsonArray(out, y, AppendJsonNumber);
}

void AppendJsonLine(std::string& out, const EnvelopeLine& e, const std::vector<std::string>& names,
                    const std::string& indent) {
    AppendJsonXY(out, e.x, e.y, indent);
    out += ",\n" + indent + "  \"case\": ";
    AppendJsonArray(out, e.member, [&names](std::string& o, int m) {
        if (m < 0)
            o += "null";
        else
            AppendJsonString(o, names[static_cast<std::size_t>(m)]);
    });
    out += "\n" + indent + "}";
}

void AppendFigures(std::string& out, const KeyFigures& c) {
    out += "{\"domain\": ";
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

// The key figures' cells after the name columns: table or CSV.
std::vector<std::string> FigureCells(const KeyFigures& c) {
    std::string zeros;
    for (double z : c.zeros)
        zeros += (zeros.empty() ? "" : " ") + Readable(z);
    return {"[" + Readable(c.xmin) + ", " + Readable(c.xmax) + "]",
            std::to_string(c.points),
            Readable(c.min.y),
            Readable(c.min.x),
            Readable(c.max.y),
            Readable(c.max.x),
            Readable(c.resultant),
            Readable(c.moment),
            c.excentricity ? Readable(*c.excentricity) : "-",
            zeros.empty() ? "-" : zeros};
}

std::vector<std::string> FigureHeader(const Labels& labels) {
    const std::string at = "at " + labels.x, y = labels.y.empty() ? "" : " " + labels.y;
    return {"domain",       "points",
            "min" + y,      at,
            "max" + y,      at,
            "resultant",    "moment",
            "excentricity", "zeros at " + labels.x};
}

void AppendFigureCsv(std::string& out, const KeyFigures& c) {
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

const char* kFigureColumns = "xmin,xmax,points,min_x,min_y,max_x,max_y,resultant,moment,excentricity,zeros\n";

std::string Plural(std::size_t n, const std::string& word) {
    return std::to_string(n) + " " + (n == 1 && word.back() == 's' ? word.substr(0, word.size() - 1) : word);
}

// Names in a list, quoted where a comma would make it ambiguous.
std::string NameList(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names)
        out += (out.empty() ? "" : ", ") + (n.find(',') == std::string::npos ? n : '"' + n + '"');
    return out;
}

// "N -12, Vz 3.5|-21.5": the other forces at an extreme, left|right where they differ.
std::string CoincidentText(const SummaryExtreme& e, const std::vector<std::string>& forces) {
    std::string out;
    for (const Coincident& c : e.coincident) {
        out += (out.empty() ? "" : ", ") + forces[c.force] + " ";
        const auto value = [](double v) { return std::isnan(v) ? std::string("-") : Readable(v); };
        out += value(c.left);
        if (!(c.left == c.right || (std::isnan(c.left) && std::isnan(c.right))))
            out += "|" + value(c.right);
    }
    return out.empty() ? "-" : out;
}

void AppendExtremeJson(std::string& out, const SummaryExtreme& e, const std::vector<std::string>& forces) {
    if (!e.found) {
        out += "null";
        return;
    }
    out += "{\"x\": ";
    AppendJsonNumber(out, e.x);
    out += ", \"y\": ";
    AppendJsonNumber(out, e.y);
    out += ", \"case\": ";
    if (e.loadCase.empty())
        out += "null";
    else
        AppendJsonString(out, e.loadCase);
    out += ", \"coincident\": {";
    for (std::size_t k = 0; k < e.coincident.size(); ++k) {
        const Coincident& c = e.coincident[k];
        out += k ? ", " : "";
        AppendJsonString(out, forces[c.force]);
        out += ": [";
        AppendJsonNumber(out, c.left);
        out += ", ";
        AppendJsonNumber(out, c.right);
        out += ']';
    }
    out += "}}";
}

// The factors of a combination: {"G": 1.35, "Q1": 1.5}.
void AppendFactors(std::string& out, const DesignCombination& c) {
    out += '{';
    for (std::size_t k = 0; k < c.factors.size(); ++k) {
        out += k ? ", " : "";
        AppendJsonString(out, c.factors[k].first);
        out += ": ";
        AppendJsonNumber(out, c.factors[k].second);
    }
    out += '}';
}

// A design envelope's points, each with the factors and the text of the combination governing from it.
void AppendDesignLine(std::string& out, const DesignLine& e, const DesignSituation& s,
                      const std::vector<std::string>& texts, const std::string& indent) {
    AppendJsonXY(out, e.x, e.y, indent);
    out += ",\n" + indent + "  \"factors\": ";
    AppendJsonArray(out, e.combination, [&s](std::string& o, int c) {
        AppendFactors(o, s.combinations[static_cast<std::size_t>(c)]);
    });
    out += ",\n" + indent + "  \"combination\": ";
    AppendJsonArray(out, e.combination, [&texts](std::string& o, int c) {
        AppendJsonString(o, texts[static_cast<std::size_t>(c)]);
    });
    out += "\n" + indent + "}";
}

// An extreme of a design envelope: where, the value, its combination, and with `forces` the values of
// the other forces under it.
void AppendDesignExtreme(std::string& out, const Extreme& e, const DesignSituation& s,
                         const std::vector<std::string>* forces, std::size_t force) {
    if (!e.found) {
        out += "null";
        return;
    }
    const DesignCombination& c = s.combinations[static_cast<std::size_t>(e.diagram)];
    out += "{\"x\": ";
    AppendJsonNumber(out, e.x);
    out += ", \"y\": ";
    AppendJsonNumber(out, e.y);
    out += ", \"combination\": ";
    AppendJsonString(out, c.Text());
    out += ", \"factors\": ";
    AppendFactors(out, c);
    if (forces != nullptr) {
        out += ", \"coincident\": {";
        bool first = true;
        for (std::size_t f = 0; f < forces->size(); ++f) {
            if (f == force)
                continue;
            out += first ? "" : ", ";
            first = false;
            AppendJsonString(out, (*forces)[f]);
            out += ": [";
            AppendJsonNumber(out, e.left[f]);
            out += ", ";
            AppendJsonNumber(out, e.right[f]);
            out += ']';
        }
        out += '}';
    }
    out += '}';
}

// One situation's envelopes and extremes as a JSON object, indented by `indent`.
void AppendSituation(std::string& out, const DesignResult& d, const std::vector<std::string>* forces,
                     std::size_t force, const std::string& indent) {
    const DesignSituation& s = d.situation;
    std::vector<std::string> texts;
    for (const DesignCombination& c : s.combinations)
        texts.push_back(c.Text());
    out += "{\n" + indent + "  \"lower\": ";
    AppendDesignLine(out, s.lower, s, texts, indent + "  ");
    out += ",\n" + indent + "  \"upper\": ";
    AppendDesignLine(out, s.upper, s, texts, indent + "  ");
    out += ",\n" + indent + "  \"max\": ";
    AppendDesignExtreme(out, d.max, s, forces, force);
    out += ",\n" + indent + "  \"min\": ";
    AppendDesignExtreme(out, d.min, s, forces, force);
    out += "\n" + indent + "}";
}

const DesignSituation& SituationOf(const std::vector<MemberResult>& results, const SummaryRow& r) {
    return results[r.member].forces[r.force].design[static_cast<std::size_t>(r.situation)].situation;
}

} // namespace

void AppendJsonString(std::string& out, const std::string& s) {
    out += nlohmann::json(s).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void AppendJsonNumber(std::string& out, double v) {
    if (std::isfinite(v))
        AppendShortest(out, v);
    else
        out += "null";
}

std::string CsvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos &&
        (s.empty() || (s.front() != ' ' && s.back() != ' ')))
        return s;
    std::string out(2 * s.size() + 2, '\0');
    out.resize(csv_write(out.data(), out.size(), s.data(), s.size()));
    return out;
}

std::string UnitOf(const std::string& label) {
    const std::size_t open = label.rfind('['), close = label.rfind(']');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return "";
    return label.substr(open + 1, close - open - 1);
}

std::string EnvelopeTable(const std::vector<std::string>& names, const Envelope& r, const Labels& labels) {
    std::string out =
        "Envelopes of " + Plural(names.size(), labels.members) + ": " + NameList(names) + "\n\n";
    const auto caseOf = [&names](const EnvelopeLine& e, int i) {
        const int m = e.member[static_cast<std::size_t>(i)];
        return m < 0 ? std::string("-") : names[static_cast<std::size_t>(m)];
    };
    Table extrema({"", labels.y, "at " + labels.x, "case"}, "tnnt");
    const std::pair<const char*, const EnvelopeLine*> lines[] = {{"upper", &r.upper}, {"lower", &r.lower}};
    for (const auto& [name, e] : lines)
        for (const bool max : {true, false}) {
            const int i = max ? e->IndexOfMax() : e->IndexOfMin();
            if (i >= 0)
                extrema.Add({std::string(name) + (max ? " max" : " min"),
                             Readable(e->y[static_cast<std::size_t>(i)]),
                             Readable(e->x[static_cast<std::size_t>(i)]), caseOf(*e, i)});
        }
    out += extrema.Text("");
    for (const auto& [name, e] : {lines[1], lines[0]}) {
        out += "\n" + std::string(name) + " envelope, " + Plural(e->x.size(), "points") + "\n";
        Table t({labels.x, labels.y, "case"}, "nnt");
        for (std::size_t i = 0; i < e->x.size(); ++i)
            t.Add({Readable(e->x[i]), e->Placeholder(i) ? "-" : Readable(e->y[i]),
                   caseOf(*e, static_cast<int>(i))});
        out += t.Text("  ");
    }
    return out;
}

std::string EnvelopeCsv(const std::vector<std::string>& names, const Envelope& r) {
    std::string out = "envelope,x,y,case\n";
    for (const auto& [name, e] : {std::pair{"lower", &r.lower}, std::pair{"upper", &r.upper}})
        for (std::size_t i = 0; i < e->x.size(); ++i) {
            out += name;
            out += ',';
            AppendShortest(out, e->x[i]);
            out += ',';
            AppendShortest(out, e->y[i]);
            const int m = e->member[i];
            out += ',' + (m < 0 ? std::string() : CsvField(names[static_cast<std::size_t>(m)])) + '\n';
        }
    return out;
}

std::string EnvelopeJson(const std::vector<std::string>& names, const Envelope& r) {
    std::string out = "{\n  \"members\": ";
    AppendJsonArray(out, names, AppendJsonString);
    out += ",\n  \"lower\": ";
    AppendJsonLine(out, r.lower, names, "  ");
    out += ",\n  \"upper\": ";
    AppendJsonLine(out, r.upper, names, "  ");
    out += "\n}\n";
    return out;
}

std::string InspectTable(const std::vector<std::string>& names, const std::vector<KeyFigures>& r,
                         const Labels& labels) {
    std::vector<std::string> header = FigureHeader(labels);
    header.insert(header.begin(), labels.members == "cases" ? "case" : "combination");
    Table t(header, "ttnnnnnnnnt");
    for (std::size_t k = 0; k < r.size(); ++k) {
        std::vector<std::string> row = FigureCells(r[k]);
        row.insert(row.begin(), names[k]);
        t.Add(row);
    }
    return t.Text("");
}

std::string InspectCsv(const std::vector<std::string>& names, const std::vector<KeyFigures>& r) {
    std::string out = std::string("case,") + kFigureColumns;
    for (std::size_t k = 0; k < r.size(); ++k) {
        out += CsvField(names[k]);
        AppendFigureCsv(out, r[k]);
    }
    return out;
}

std::string InspectJson(const std::vector<std::string>& names, const std::vector<KeyFigures>& r) {
    std::string out = "{\n  \"cases\": {";
    for (std::size_t k = 0; k < r.size(); ++k) {
        out += k ? ",\n    " : "\n    ";
        AppendJsonString(out, names[k]);
        out += ": ";
        AppendFigures(out, r[k]);
    }
    out += "\n  }\n}\n";
    return out;
}

std::string SummaryTable(const Model& model, const std::vector<MemberResult>& results,
                         const std::vector<SummaryRow>& rows, const Labels& labels,
                         const std::string& subject) {
    const std::vector<std::string>& forces = model.Forces();
    const bool design = !rows.empty() && rows.front().situation >= 0;
    std::string out = Plural(model.Size(), "members") + ", " + (forces.size() == 1 ? "force " : "forces ") +
                      NameList(forces) + "; " + subject + "\n(with: the other forces " +
                      (design ? "under the governing combination" : "of the governing case") +
                      " there, left|right where they jump)\n\n";
    const std::string at = "at " + labels.x;
    const std::string governing = design ? "combination" : "case";
    std::vector<std::string> header = {"member", "force", "max",     at,         governing,
                                       "min",    at,      governing, "with max", "with min"};
    if (design)
        header.insert(header.begin() + 2, "situation");
    Table t(header, design ? "tttnntnnttt" : "ttnntnnttt");
    for (const SummaryRow& r : rows) {
        std::vector<std::string> row = {model.MemberName(r.member).empty() ? "-" : model.MemberName(r.member),
                                        forces[r.force]};
        if (design)
            row.push_back(SituationOf(results, r).name);
        for (const SummaryExtreme* e : {&r.max, &r.min}) {
            row.push_back(e->found ? Readable(e->y) : "-");
            row.push_back(e->found ? Readable(e->x) : "-");
            row.push_back(e->loadCase.empty() ? "-" : e->loadCase);
        }
        row.push_back(CoincidentText(r.max, forces));
        row.push_back(CoincidentText(r.min, forces));
        t.Add(row);
    }
    return out + t.Text("");
}

std::string SummaryCsv(const Model& model, const std::vector<MemberResult>& results,
                       const std::vector<SummaryRow>& rows) {
    const std::vector<std::string>& forces = model.Forces();
    const bool design = !rows.empty() && rows.front().situation >= 0;
    std::string out;
    for (const std::string& name : SummaryColumns(forces, design))
        out += (out.empty() ? "" : ",") + CsvField(name);
    out += '\n';
    const std::size_t nf = forces.size();
    std::vector<std::string> cells(4 * nf);
    const auto number = [](double v) {
        std::string s;
        if (!std::isnan(v))
            AppendShortest(s, v);
        return s;
    };
    for (const SummaryRow& r : rows) {
        out += CsvField(model.MemberName(r.member)) + ',' + CsvField(forces[r.force]);
        if (design)
            out += ',' + CsvField(SituationOf(results, r).name);
        for (const SummaryExtreme* e : {&r.max, &r.min}) {
            out += ',' + (e->found ? number(e->y) : "") + ',' + (e->found ? number(e->x) : "") + ',' +
                   CsvField(e->loadCase);
        }
        std::fill(cells.begin(), cells.end(), std::string());
        for (std::size_t k = 0; k < 2; ++k)
            for (const Coincident& c : (k == 0 ? r.max : r.min).coincident) {
                cells[2 * (k * nf + c.force)] = number(c.left);
                cells[2 * (k * nf + c.force) + 1] = number(c.right);
            }
        for (const std::string& c : cells)
            out += ',' + c;
        out += '\n';
    }
    return out;
}

std::string ModelJson(const Model& model, const std::vector<MemberResult>& results,
                      const std::vector<SummaryRow>& rows) {
    const std::vector<std::string>& forces = model.Forces();
    std::string out = "{\n  \"model\": {";
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const SummaryRow& r = rows[k];
        const MemberResult& m = results[r.member];
        if (r.force == 0) {
            out += k ? "\n    },\n    " : "\n    ";
            AppendJsonString(out, model.MemberName(r.member));
            out += ": {";
        }
        out += r.force ? ",\n      " : "\n      ";
        AppendJsonString(out, forces[r.force]);
        out += ": {\n        \"lower\": ";
        AppendJsonLine(out, m.forces[r.force].envelope.lower, m.diagrams, "        ");
        out += ",\n        \"upper\": ";
        AppendJsonLine(out, m.forces[r.force].envelope.upper, m.diagrams, "        ");
        out += ",\n        \"max\": ";
        AppendExtremeJson(out, r.max, forces);
        out += ",\n        \"min\": ";
        AppendExtremeJson(out, r.min, forces);
        out += "\n      }";
    }
    out += rows.empty() ? "\n  }\n}\n" : "\n    }\n  }\n}\n";
    return out;
}

std::string ModelInspectTable(const Model& model, const std::vector<MemberResult>& results,
                              const Labels& labels) {
    std::vector<std::string> header = FigureHeader(labels);
    header.insert(header.begin(), {"member", "force", labels.members == "cases" ? "case" : "combination"});
    Table t(header, "ttttnnnnnnnnt");
    for (std::size_t m = 0; m < results.size(); ++m)
        for (std::size_t f = 0; f < results[m].forces.size(); ++f)
            for (std::size_t c = 0; c < results[m].diagrams.size(); ++c) {
                std::vector<std::string> row = FigureCells(results[m].forces[f].figures[c]);
                row.insert(row.begin(), {model.MemberName(m).empty() ? "-" : model.MemberName(m),
                                         model.Forces()[f], results[m].diagrams[c]});
                t.Add(row);
            }
    return t.Text("");
}

std::string ModelInspectCsv(const Model& model, const std::vector<MemberResult>& results) {
    std::string out = std::string("member,force,case,") + kFigureColumns;
    for (std::size_t m = 0; m < results.size(); ++m)
        for (std::size_t f = 0; f < results[m].forces.size(); ++f)
            for (std::size_t c = 0; c < results[m].diagrams.size(); ++c) {
                out += CsvField(model.MemberName(m)) + ',' + CsvField(model.Forces()[f]) + ',' +
                       CsvField(results[m].diagrams[c]);
                AppendFigureCsv(out, results[m].forces[f].figures[c]);
            }
    return out;
}

// {"model": {MEMBER: {FORCE: {KEY: VALUE, ...}, ...}, ...}}: item(out, m, f, k) appends the k-th
// "KEY: VALUE" of member m's force f and is false past the last one.
template <class Item>
std::string ByMemberAndForce(const Model& model, const std::vector<MemberResult>& results, Item item) {
    std::string out = "{\n  \"model\": {";
    for (std::size_t m = 0; m < results.size(); ++m) {
        out += m ? ",\n    " : "\n    ";
        AppendJsonString(out, model.MemberName(m));
        out += ": {";
        for (std::size_t f = 0; f < results[m].forces.size(); ++f) {
            out += f ? ",\n      " : "\n      ";
            AppendJsonString(out, model.Forces()[f]);
            out += ": {";
            for (std::size_t k = 0;; ++k) {
                const std::size_t before = out.size();
                out += k ? ",\n        " : "\n        ";
                if (!item(out, m, f, k)) {
                    out.resize(before);
                    break;
                }
            }
            out += "\n      }";
        }
        out += "\n    }";
    }
    out += "\n  }\n}\n";
    return out;
}

std::string ModelInspectJson(const Model& model, const std::vector<MemberResult>& results) {
    return ByMemberAndForce(model, results,
                            [&](std::string& out, std::size_t m, std::size_t f, std::size_t c) {
                                if (c == results[m].diagrams.size())
                                    return false;
                                AppendJsonString(out, results[m].diagrams[c]);
                                out += ": ";
                                AppendFigures(out, results[m].forces[f].figures[c]);
                                return true;
                            });
}

std::string Subject(const std::vector<std::string>& combinations, const Actions* actions) {
    if (actions != nullptr) {
        std::vector<std::string> names;
        for (const Action& a : actions->actions)
            names.push_back(a.name);
        return "design envelopes by EN 1990 of " + Plural(names.size(), "actions") + ": " + NameList(names);
    }
    if (combinations.empty())
        return "envelopes of the load cases";
    return "envelopes of " + Plural(combinations.size(), "combinations") + ": " + NameList(combinations);
}

std::string DesignTable(const std::vector<DesignResult>& design, const Labels& labels,
                        const std::string& subject) {
    std::string out =
        std::string(1, static_cast<char>(std::toupper(subject[0]))) + subject.substr(1) + "\n\n";
    const std::string at = "at " + labels.x, y = labels.y.empty() ? "" : " " + labels.y;
    Table extremes({"situation", "max" + y, at, "combination", "min" + y, at, "combination"}, "tnntnnt");
    for (const DesignResult& d : design) {
        std::vector<std::string> row = {d.situation.name};
        for (const Extreme* e : {&d.max, &d.min}) {
            row.push_back(e->found ? Readable(e->y) : "-");
            row.push_back(e->found ? Readable(e->x) : "-");
            row.push_back(e->found ? d.situation.combinations[static_cast<std::size_t>(e->diagram)].Text()
                                   : "-");
        }
        extremes.Add(row);
    }
    out += extremes.Text("");
    // Each envelope's stretches: runs of points with one governing combination, to where the next begins.
    for (const DesignResult& d : design)
        for (const auto& [name, e] :
             {std::pair{"lower", &d.situation.lower}, std::pair{"upper", &d.situation.upper}}) {
            Table t({"from " + labels.x, "to " + labels.x, "combination"}, "nnt");
            std::size_t count = 0;
            for (std::size_t i = 0; i < e->x.size();) {
                std::size_t j = i + 1;
                while (j < e->x.size() && e->combination[j] == e->combination[i])
                    ++j;
                const double to = e->x[j < e->x.size() ? j : j - 1];
                t.Add({Readable(e->x[i]), Readable(to),
                       d.situation.combinations[static_cast<std::size_t>(e->combination[i])].Text()});
                ++count;
                i = j;
            }
            out += "\n" + d.situation.name + ", " + name + " envelope: " + Plural(e->x.size(), "points") +
                   ", " + Plural(count, "stretches") + "\n" + t.Text("  ");
        }
    return out;
}

std::string DesignCsv(const std::vector<DesignResult>& design, const std::vector<std::string>& cases) {
    std::string out = "situation,envelope,x,y,combination";
    for (const std::string& c : cases)
        out += ',' + CsvField(c);
    out += '\n';
    for (const DesignResult& d : design) {
        const DesignSituation& s = d.situation;
        // Each combination's text and factors, one cell a case.
        std::vector<std::string> cells;
        for (const DesignCombination& c : s.combinations) {
            std::string row = ',' + CsvField(c.Text());
            for (const std::string& name : cases) {
                double v = 0.0;
                for (const auto& f : c.factors)
                    if (f.first == name)
                        v = f.second;
                AppendShortest(row += ',', v);
            }
            cells.push_back(row + '\n');
        }
        for (const auto& [name, e] : {std::pair{"lower", &s.lower}, std::pair{"upper", &s.upper}})
            for (std::size_t i = 0; i < e->x.size(); ++i) {
                out += CsvField(s.name) + ',' + name + ',';
                AppendShortest(out, e->x[i]);
                out += ',';
                AppendShortest(out, e->y[i]);
                out += cells[static_cast<std::size_t>(e->combination[i])];
            }
    }
    return out;
}

std::string DesignJson(const std::vector<DesignResult>& design) {
    std::string out = "{\n  \"situations\": {";
    for (std::size_t k = 0; k < design.size(); ++k) {
        out += k ? ",\n    " : "\n    ";
        AppendJsonString(out, design[k].situation.name);
        out += ": ";
        AppendSituation(out, design[k], nullptr, 0, "    ");
    }
    out += "\n  }\n}\n";
    return out;
}

std::string ModelDesignJson(const Model& model, const std::vector<MemberResult>& results) {
    const std::vector<std::string>& forces = model.Forces();
    return ByMemberAndForce(model, results,
                            [&](std::string& out, std::size_t m, std::size_t f, std::size_t k) {
                                const std::vector<DesignResult>& design = results[m].forces[f].design;
                                if (k == design.size())
                                    return false;
                                AppendJsonString(out, design[k].situation.name);
                                out += ": ";
                                AppendSituation(out, design[k], &forces, f, "        ");
                                return true;
                            });
}

} // namespace vycli
