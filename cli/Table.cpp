// The results as aligned tables for people.
#include "Table.h"

#include "analysis/Text.h"
#include "formats/Input.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <type_traits>

namespace vycli {

namespace {

using namespace vymath::analysis;
using vymath::text::Readable;

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

// One member, one force: the extremes of each envelope, then each envelope's points.
std::string SingleEnvelopeTable(const std::vector<std::string>& names, const Envelope& r,
                                const Labels& labels, const std::string& word) {
    std::string out = "Envelopes of " + Plural(names.size(), word) + ": " + NameList(names) + "\n\n";
    const auto nameOf = [&names](int m) {
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
                             Readable(e->x[static_cast<std::size_t>(i)]),
                             nameOf(e->GoverningOf(static_cast<std::size_t>(i)))});
        }
    out += extrema.Text("");
    for (const auto& [name, e] : {lines[1], lines[0]}) {
        out += "\n" + std::string(name) + " envelope, " + Plural(e->x.size(), "points") + "\n";
        Table t({labels.x, labels.y, "case"}, "nnt");
        for (std::size_t i = 0; i < e->x.size(); ++i)
            t.Add({Readable(e->x[i]), e->Placeholder(i) ? "-" : Readable(e->y[i]), nameOf(e->governing[i])});
        out += t.Text("  ");
    }
    return out;
}

// A model: a row a member and force (and situation), with the extremes and the coincident forces.
template <class Row>
std::string SummaryTable(const Model& model, const std::vector<Row>& rows, const Labels& labels,
                         const std::string& subject, bool design) {
    const std::vector<std::string>& forces = model.Forces();
    std::string out = Plural(model.Size(), "members") + ", " + (forces.size() == 1 ? "force " : "forces ") +
                      ForceList(model) + "; " + subject + "\n(with: the other forces " +
                      (design ? "under the governing combination" : "of the governing case") +
                      " there, left|right where they jump)\n\n";
    const std::string at = "at " + labels.x;
    const std::string governing = design ? "combination" : "case";
    std::vector<std::string> header = {"member", "force", "max",     at,         governing,
                                       "min",    at,      governing, "with max", "with min"};
    if (design)
        header.insert(header.begin() + 2, "situation");
    Table t(header, design ? "tttnntnnttt" : "ttnntnnttt");
    for (const Row& r : rows) {
        std::vector<std::string> row = {model.MemberName(r.member).empty() ? "-" : model.MemberName(r.member),
                                        forces[r.force]};
        if constexpr (std::is_same_v<Row, DesignSummaryRow>)
            row.push_back(r.name);
        for (const SummaryExtreme* e : {&r.max, &r.min}) {
            row.push_back(e->found ? Readable(e->y) : "-");
            row.push_back(e->found ? Readable(e->x) : "-");
            row.push_back(e->governing.empty() ? "-" : e->governing);
        }
        row.push_back(CoincidentText(r.max, forces));
        row.push_back(CoincidentText(r.min, forces));
        t.Add(row);
    }
    return out + t.Text("");
}

// One member, one force: the extremes of every situation with their combination, then each envelope's
// stretches, each with the combination governing it.
std::string SingleDesignTable(const std::vector<SituationResult>& design, const Labels& labels,
                              const std::string& subject) {
    std::string out =
        std::string(1, static_cast<char>(std::toupper(subject[0]))) + subject.substr(1) + "\n\n";
    const std::string at = "at " + labels.x, y = labels.y.empty() ? "" : " " + labels.y;
    Table extremes({"situation", "max" + y, at, "combination", "min" + y, at, "combination"}, "tnntnnt");
    for (const SituationResult& d : design) {
        std::vector<std::string> row = {d.situation.name};
        for (const Extreme* e : {&d.max, &d.min}) {
            row.push_back(e->found ? Readable(e->y) : "-");
            row.push_back(e->found ? Readable(e->x) : "-");
            if (!e->found) {
                row.push_back("-");
                continue;
            }
            const DesignCombination& c = d.situation.combinations[static_cast<std::size_t>(e->governing)];
            row.push_back(c.Text() + (c.Label().empty() ? "" : " (" + c.Label() + ")"));
        }
        extremes.Add(row);
    }
    out += extremes.Text("");
    // Each envelope's stretches: runs of points with one governing combination, to where the next begins.
    for (const SituationResult& d : design)
        for (const auto& [name, e] :
             {std::pair{"lower", &d.situation.lower}, std::pair{"upper", &d.situation.upper}}) {
            Table t({"from " + labels.x, "to " + labels.x, "combination"}, "nnt");
            std::size_t count = 0;
            for (std::size_t i = 0; i < e->x.size();) {
                if (e->JumpLeft(i)) { // a jump's zero-width stretch: no stretch of its own
                    ++i;
                    continue;
                }
                std::size_t j = i + 1;
                while (j < e->x.size() && e->governing[j] == e->governing[i])
                    ++j;
                const double to = e->x[j < e->x.size() ? j : j - 1];
                t.Add({Readable(e->x[i]), Readable(to),
                       d.situation.combinations[static_cast<std::size_t>(e->governing[i])].Text()});
                ++count;
                i = j;
            }
            out += "\n" + d.situation.name + ", " + name + " envelope: " + Plural(e->x.size(), "points") +
                   ", " + Plural(count, "stretches") + "\n" + t.Text("  ");
        }
    return out;
}

} // namespace

std::string EnvelopeTable(const Model& model, const EnvelopeRun& run, const Labels& labels) {
    if (vymath::formats::SingleForm(model))
        return SingleEnvelopeTable(run.members[0].diagrams, run.members[0].forces[0].envelope, labels,
                                   DiagramWord(run.kind));
    return SummaryTable(model, Summarise(model, run), labels, Subject(run), false);
}

std::string DesignTable(const Model& model, const DesignRun& run, const Labels& labels) {
    if (vymath::formats::SingleForm(model))
        return SingleDesignTable(run.members[0].forces[0], labels, Subject(run));
    return SummaryTable(model, Summarise(model, run), labels, Subject(run), true);
}

std::string KeyFigureTable(const Model& model, const KeyFigureRun& run, const Labels& labels) {
    const bool single = vymath::formats::SingleForm(model);
    std::vector<std::string> header = FigureHeader(labels);
    const std::string word = run.kind == DiagramKind::LoadCases ? "case" : "combination";
    if (single)
        header.insert(header.begin(), word);
    else
        header.insert(header.begin(), {"member", "force", word});
    Table t(header, single ? "ttnnnnnnnnt" : "ttttnnnnnnnnt");
    for (std::size_t m = 0; m < run.members.size(); ++m)
        for (std::size_t f = 0; f < run.members[m].forces.size(); ++f)
            for (std::size_t c = 0; c < run.members[m].diagrams.size(); ++c) {
                std::vector<std::string> row = FigureCells(run.members[m].forces[f][c]);
                if (single)
                    row.insert(row.begin(), run.members[m].diagrams[c]);
                else
                    row.insert(row.begin(), {model.MemberName(m).empty() ? "-" : model.MemberName(m),
                                             model.Forces()[f], run.members[m].diagrams[c]});
                t.Add(row);
            }
    return t.Text("");
}

std::string CheckTable(const Model& model, const Capacity& capacity, const CheckRun& run) {
    Table t({"member", "section", "situation", "u", "x", "side", "combination", "forces"}, "tttnnttt");
    for (std::size_t m = 0; m < run.members.size(); ++m) {
        const Section& s = capacity.sections[run.members[m].section];
        for (const SituationCheck& c : run.members[m].situations) {
            std::vector<std::string> row{model.MemberName(m).empty() ? "-" : model.MemberName(m), s.name,
                                         c.name};
            if (!c.max.found) {
                row.insert(row.end(), {"-", "-", "", "-", "-"});
            } else {
                row.insert(row.end(), {Readable(c.max.u), Readable(c.max.x),
                                       c.max.side == CheckSide::Left    ? "left"
                                       : c.max.side == CheckSide::Right ? "right"
                                                                        : "",
                                       c.max.combination.Text(),
                                       s.forces[0] + " " + Readable(c.max.forces[0]) + ", " + s.forces[1] +
                                           " " + Readable(c.max.forces[1])});
            }
            t.Add(row);
        }
    }
    return t.Text("");
}

namespace {

// A moving load's extreme as table cells after the line's: value, lane, position, side, direction,
// alternative, spacings, the lane's stretches.
std::vector<std::string> MovingCells(const MovingExtreme& e, bool alternatives) {
    const MovingPlacement& p = e.placement;
    const bool placed = e.found && !std::isnan(p.position);
    std::string spacings, lane;
    if (placed)
        for (double s : p.spacings)
            spacings += (spacings.empty() ? "" : " ") + Readable(s);
    for (const auto& [a, b] : e.laneStretches)
        lane += (lane.empty() ? "" : " ") + Readable(a) + ".." + Readable(b);
    std::vector<std::string> cells{
        Readable(e.value),
        Readable(e.laneValue),
        placed ? Readable(p.position) : "-",
        placed && p.side != Side::None ? (p.side == Side::Left ? "left" : "right") : "-",
        placed ? (p.direction == Direction::Forward ? "forward" : "backward") : "-",
        spacings.empty() ? "-" : spacings,
        lane.empty() ? "-" : lane};
    if (alternatives)
        cells.insert(cells.begin() + 5, e.found ? std::to_string(e.alternative) : "-");
    return cells;
}

} // namespace

std::string MovingTable(const vymath::formats::MovingLines& lines, const std::vector<MovingResult>& results,
                        const MovingLoad& load) {
    const bool alternatives = load.alternatives.size() > 1;
    std::string out = "Moving load " + load.source + " on " + Plural(lines.names.size(), "lines") + "\n\n";
    std::vector<std::string> header{"line", "",          "value",    "lane",          "position",
                                    "side", "direction", "spacings", "lane stretches"};
    std::string numeric = "ttnnnttnt";
    if (alternatives)
        header.insert(header.begin() + 7, "alternative"), numeric.insert(7, "n");
    if (lines.sections)
        header.insert(header.begin() + 1, "section x"), numeric.insert(1, "n");
    Table t(header, numeric);
    for (std::size_t k = 0; k < lines.names.size(); ++k)
        for (const bool max : {true, false}) {
            std::vector<std::string> row = MovingCells(max ? results[k].max : results[k].min, alternatives);
            row.insert(row.begin(), {max ? lines.names[k] : "", max ? "max" : "min"});
            if (lines.sections)
                row.insert(row.begin() + 1, max ? Readable(lines.sectionX[k]) : "");
            t.Add(row);
        }
    out += t.Text("");
    for (const vymath::formats::MovingEnvelope& e : vymath::formats::EnvelopesOf(lines, results)) {
        std::string what = lines.forceNames[e.force];
        if (lines.named)
            what = "member " + e.member + ", " + what;
        out += "\nEnvelope along the member (" + what + ")\n";
        Table v({"x", "max", "min"}, "nnn");
        for (std::size_t i = 0; i < e.x.size(); ++i)
            v.Add({Readable(e.x[i]), Readable(e.max[i]), Readable(e.min[i])});
        out += v.Text("  ");
    }
    return out;
}

} // namespace vycli
