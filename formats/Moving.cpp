// Moving loads in the front-ends: the lines, the load's text, the results as JSON and CSV.
#include "Moving.h"

#include "Units.h"

#include "Csv.h"
#include "Json.h"
#include "Source.h"
#include "Units.h"
#include "analysis/Text.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <numeric>
#include <set>

namespace vymath {
namespace formats {

namespace {

using namespace analysis;
using json::AppendArray;
using json::AppendNumber;
using json::AppendString;
using text::Quoted;
using text::Shortest;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

const char* SideWord(Side s) {
    return s == Side::Left ? "left" : s == Side::Right ? "right" : nullptr;
}

void AppendSide(std::string& out, Side s) {
    const char* word = SideWord(s);
    if (word)
        AppendString(out, word);
    else
        out += "null";
}

void AppendExtreme(std::string& out, const MovingExtreme& e) {
    const MovingPlacement& p = e.placement;
    const bool placed = e.found && !std::isnan(p.position);
    out += "{\"value\": ";
    AppendNumber(out, e.value);
    out += ", \"lane_value\": ";
    AppendNumber(out, e.laneValue);
    out += ", \"position\": ";
    AppendNumber(out, placed ? p.position : kNaN);
    out += ", \"side\": ";
    AppendSide(out, placed ? p.side : Side::None);
    out += ", \"direction\": ";
    if (placed)
        AppendString(out, p.direction == Direction::Forward ? "forward" : "backward");
    else
        out += "null";
    out += ", \"alternative\": ";
    if (e.found)
        out += std::to_string(e.alternative);
    else
        out += "null";
    out += ", \"spacings\": ";
    AppendArray(out, placed ? p.spacings : std::vector<double>{}, AppendNumber);
    if (placed && std::count(p.sides.begin(), p.sides.end(), Side::Left) > 0 &&
        std::count(p.sides.begin(), p.sides.end(), Side::Right) > 0) {
        out += ", \"sides\": ";
        AppendArray(out, p.sides, AppendSide);
    }
    out += ", \"lane\": ";
    AppendArray(out, e.laneStretches, [](std::string& o, const std::pair<double, double>& s) {
        o += '[';
        AppendNumber(o, s.first);
        o += ", ";
        AppendNumber(o, s.second);
        o += ']';
    });
    out += '}';
}

// The line's extreme as CSV fields after the line's.
void AppendCsvExtreme(std::string& out, const char* which, const MovingExtreme& e) {
    const MovingPlacement& p = e.placement;
    const bool placed = e.found && !std::isnan(p.position);
    out += which;
    out += ',' + Shortest(e.value) + ',' + Shortest(e.laneValue) + ',';
    if (placed) {
        out += Shortest(p.position) + ',';
        out += SideWord(p.side) ? SideWord(p.side) : "";
        out += p.direction == Direction::Forward ? ",forward," : ",backward,";
    } else {
        out += ",,,";
    }
    if (e.found)
        out += std::to_string(e.alternative);
    out += ',';
    std::string spacings, lane;
    if (placed)
        for (double s : p.spacings)
            spacings += (spacings.empty() ? "" : " ") + Shortest(s);
    for (const auto& [a, b] : e.laneStretches)
        lane += (lane.empty() ? "" : " ") + Shortest(a) + ".." + Shortest(b);
    out += CsvField(spacings) + ',' + CsvField(lane) + '\n';
}

} // namespace

MovingLines LinesOf(const Model& model, const std::string& sectionColumn, const std::string& option) {
    MovingLines out;
    out.named = model.Named();
    out.source = model.Source();
    const std::vector<std::string>& forces = model.Forces();
    std::size_t section = forces.size();
    if (!sectionColumn.empty()) {
        section =
            static_cast<std::size_t>(std::find(forces.begin(), forces.end(), sectionColumn) - forces.begin());
        if (section == forces.size())
            throw Error(Error::Kind::Usage, option + " " + Quoted(sectionColumn) + ": " + model.Source() +
                                                " has no column of numbers of that name");
        if (forces.size() == 1)
            throw Error(Error::Kind::Data,
                        model.Source() + ": no column of the lines' values beside " + Quoted(sectionColumn));
    }
    // The loads are in kN and m: a line's abscissas and section are lengths in m and its ordinates the
    // effect of a 1 kN load (kN, kN-m). Other units are not converted here (an ordinate per kip is not a
    // moment in kip-ft): they stop the run.
    const Model::Units& units = model.GetUnits();
    const auto check = [&](const std::string& column, const std::string& unit, bool length) {
        Unit u;
        if (unit.empty() || (ParseUnit(unit, u) && u.value == 1.0L &&
                             (length ? u.dimension == Dimension::Length : u.dimension != Dimension::Length)))
            return;
        throw Error(Error::Kind::Data,
                    model.Source() + ": column " + Quoted(column) + " is in " + Quoted(unit) +
                        ": influence lines are read in m, and as the effect of a 1 kN load " +
                        "(kN, kN-m), the loads' units; give them so");
    };
    check("x", units.x, true);
    for (std::size_t f = 0; f < forces.size() && f < units.forces.size(); ++f)
        check(forces[f], units.forces[f], f == section);
    std::vector<std::size_t> kept; // the forces that are lines
    for (std::size_t f = 0; f < forces.size(); ++f)
        if (f != section) {
            kept.push_back(f);
            out.forceNames.push_back(forces[f]);
        }
    out.sections = section < forces.size();
    for (std::size_t m = 0; m < model.Size(); ++m) {
        const std::vector<std::string>& cases = model.Cases(m);
        std::vector<double> at(cases.size(), kNaN); // each line's section abscissa
        if (out.sections) {
            const Model::RowView rows = model.MemberRows(m);
            std::vector<bool> seen(cases.size(), false);
            for (std::size_t r = 0; r < rows.count; ++r) {
                const std::size_t c = rows.cases[r];
                const double v = rows.values[r * forces.size() + section];
                if (std::isnan(v) || (seen[c] && v != at[c]))
                    throw Error(Error::Kind::Data,
                                model.Source() + ": line " +
                                    Quoted((out.named ? model.MemberName(m) + "/" : "") + cases[c]) +
                                    ": the section abscissa (column " + Quoted(sectionColumn) + ") is " +
                                    (seen[c] ? Shortest(at[c]) + " and " : "") +
                                    (std::isnan(v) ? std::string("missing") : Shortest(v)) + ": one a line");
                seen[c] = true;
                at[c] = v;
            }
        }
        for (std::size_t k = 0; k < kept.size(); ++k) {
            std::vector<CaseDiagram> diagrams = model.Diagrams(m, kept[k]);
            for (std::size_t c = 0; c < cases.size(); ++c) {
                std::string name = (out.named ? model.MemberName(m) + "/" : "") + cases[c];
                if (kept.size() > 1)
                    name += "/" + out.forceNames[k];
                if (diagrams[c].Bounded())
                    throw Error(Error::Kind::Data,
                                model.Source() + ": line " + Quoted(name) +
                                    " has Max and Min rows: a line has one value at each x");
                out.names.push_back(std::move(name));
                out.members.push_back(model.MemberName(m));
                out.forces.push_back(k);
                out.sectionX.push_back(at[c]);
                out.lines.push_back(std::move(diagrams[c].upper));
            }
        }
    }
    return out;
}

std::string LoadText(const std::string& load, const std::vector<std::string>& folders, std::string& source) {
    namespace fs = std::filesystem;
    if (load.find('/') != std::string::npos || load.find('\\') != std::string::npos ||
        EndsWith(load, ".json")) {
        source = load;
        return Source(load, load).All();
    }
    std::set<std::string> shipped;
    for (const std::string& folder : folders) {
        std::error_code error;
        const fs::path path = fs::path(folder) / (load + ".json");
        if (fs::is_regular_file(path, error)) {
            source = load + ".json";
            return Source(path.string(), source).All();
        }
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
            if (it->path().extension() == ".json")
                shipped.insert(it->path().stem().string());
    }
    std::string names;
    for (const std::string& s : shipped)
        names += (names.empty() ? "" : ", ") + s;
    throw Error(Error::Kind::Usage, "load " + Quoted(load) + ": no such load; the shipped loads are " +
                                        (names.empty() ? std::string("not found") : names) +
                                        " (or give a .json file)");
}

std::vector<MovingEnvelope> EnvelopesOf(const MovingLines& lines, const std::vector<MovingResult>& results) {
    std::vector<MovingEnvelope> out;
    std::vector<std::vector<std::size_t>> members; // the lines of each envelope
    for (std::size_t k = 0; k < lines.names.size(); ++k) {
        if (std::isnan(lines.sectionX[k]))
            continue;
        std::size_t e = 0;
        while (e < out.size() && !(out[e].member == lines.members[k] && out[e].force == lines.forces[k]))
            ++e;
        if (e == out.size()) {
            out.push_back({lines.members[k], lines.forces[k], {}, {}, {}});
            members.emplace_back();
        }
        members[e].push_back(k);
    }
    for (std::size_t e = 0; e < out.size(); ++e) {
        std::vector<std::size_t>& ks = members[e];
        std::stable_sort(ks.begin(), ks.end(),
                         [&](std::size_t a, std::size_t b) { return lines.sectionX[a] < lines.sectionX[b]; });
        for (std::size_t k : ks) {
            out[e].x.push_back(lines.sectionX[k]);
            out[e].max.push_back(results[k].max.value);
            out[e].min.push_back(results[k].min.value);
        }
    }
    return out;
}

std::string MovingJson(const MovingLines& lines, const std::vector<MovingResult>& results,
                       const MovingLoad& load) {
    std::string out = "{\n  \"load\": ";
    AppendString(out, load.source);
    out += ",\n  \"lines\": {";
    for (std::size_t k = 0; k < lines.names.size(); ++k) {
        out += k ? ",\n    " : "\n    ";
        AppendString(out, lines.names[k]);
        out += ": {\"section_x\": ";
        AppendNumber(out, lines.sectionX[k]);
        out += ",\n      \"max\": ";
        AppendExtreme(out, results[k].max);
        out += ",\n      \"min\": ";
        AppendExtreme(out, results[k].min);
        out += '}';
    }
    out += lines.names.empty() ? "}" : "\n  }";
    if (lines.sections) {
        out += ",\n  \"envelope\": [";
        const std::vector<MovingEnvelope> envelopes = EnvelopesOf(lines, results);
        for (std::size_t e = 0; e < envelopes.size(); ++e) {
            const MovingEnvelope& v = envelopes[e];
            out += e ? ",\n    {\"member\": " : "\n    {\"member\": ";
            if (lines.named)
                AppendString(out, v.member);
            else
                out += "null";
            out += ", \"force\": ";
            AppendString(out, lines.forceNames[v.force]);
            for (const auto& [key, values] : {std::pair{"x", &v.x}, {"max", &v.max}, {"min", &v.min}}) {
                out += ",\n     \"" + std::string(key) + "\": ";
                AppendArray(out, *values, AppendNumber);
            }
            out += '}';
        }
        out += envelopes.empty() ? "]" : "\n  ]";
    }
    out += "\n}\n";
    return out;
}

std::string MovingCsv(const MovingLines& lines, const std::vector<MovingResult>& results) {
    std::string out =
        "line,section_x,extreme,value,lane_value,position,side,direction,alternative,spacings,lane\n";
    for (std::size_t k = 0; k < lines.names.size(); ++k)
        for (const auto& [which, e] : {std::pair{"max", &results[k].max}, {"min", &results[k].min}}) {
            out += CsvField(lines.names[k]) + ',';
            if (!std::isnan(lines.sectionX[k]))
                out += Shortest(lines.sectionX[k]);
            out += ',';
            AppendCsvExtreme(out, which, *e);
        }
    return out;
}

std::string MovingCase(const MovingLines& lines, const std::vector<MovingResult>& results,
                       const std::string& name) {
    if (!lines.sections)
        throw Error(Error::Kind::Usage, "a bounded case needs each line's section abscissa (--section-x)");
    const std::size_t forces = lines.forceNames.size();
    // A row pair a member and section: each force's max and min.
    struct Section {
        std::string member;
        double x;
        std::vector<double> max, min;
    };
    std::vector<Section> sections;
    for (std::size_t k = 0; k < lines.names.size(); ++k) {
        auto it = std::find_if(sections.begin(), sections.end(), [&](const Section& s) {
            return s.member == lines.members[k] && s.x == lines.sectionX[k];
        });
        if (it == sections.end())
            it = sections.insert(sections.end(),
                                 {lines.members[k], lines.sectionX[k], std::vector<double>(forces, kNaN),
                                  std::vector<double>(forces, kNaN)});
        if (!std::isnan(it->max[lines.forces[k]]))
            throw Error(Error::Kind::Data, lines.source + ": lines " + Quoted(lines.names[k]) +
                                               " and another of the same force stand at x = " +
                                               Shortest(lines.sectionX[k]) + ": one line a section");
        it->max[lines.forces[k]] = results[k].max.value;
        it->min[lines.forces[k]] = results[k].min.value;
    }
    std::string out = lines.named ? "member,case,step_type,x" : "case,step_type,x";
    for (const std::string& f : lines.forceNames)
        out += ',' + CsvField(f);
    out += '\n';
    for (const Section& s : sections)
        for (const auto& [step, values] : {std::pair{"Max", &s.max}, {"Min", &s.min}}) {
            if (lines.named)
                out += CsvField(s.member) + ',';
            out += CsvField(name) + ',' + step + ',' + Shortest(s.x);
            for (std::size_t f = 0; f < forces; ++f) {
                if (std::isnan((*values)[f]))
                    throw Error(Error::Kind::Data,
                                lines.source + ": " +
                                    (lines.named ? "member " + Quoted(s.member) + ", " : "") +
                                    "x = " + Shortest(s.x) + ": no line of " + Quoted(lines.forceNames[f]) +
                                    " at this section");
                out += ',' + Shortest((*values)[f]);
            }
            out += '\n';
        }
    return out;
}

} // namespace formats
} // namespace vymath
