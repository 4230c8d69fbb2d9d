// The results as JSON.
#include "Input.h"
#include "Json.h"
#include "Results.h"

#include <vymath/analysis/Summary.h>

namespace vymath {
namespace formats {

namespace {

using namespace analysis;
using json::AppendArray;
using json::AppendNumber;
using json::AppendString;

// An envelope's opening brace and its "x" and "y" arrays, a key a line.
void AppendXY(std::string& out, const EnvelopeLine& e, const std::string& indent) {
    out += "{\n" + indent + "  \"x\": ";
    AppendArray(out, e.x, AppendNumber);
    out += ",\n" + indent + "  \"y\": ";
    AppendArray(out, e.y, AppendNumber);
}

void AppendLine(std::string& out, const EnvelopeLine& e, const std::vector<std::string>& names,
                const std::string& indent) {
    AppendXY(out, e, indent);
    out += ",\n" + indent + "  \"case\": ";
    AppendArray(out, e.governing, [&names](std::string& o, int m) {
        if (m < 0)
            o += "null";
        else
            AppendString(o, names[static_cast<std::size_t>(m)]);
    });
    out += "\n" + indent + "}";
}

// {"OTHER": [left, right], ...}
void AppendCoincident(std::string& out, const std::vector<Coincident>& coincident,
                      const std::vector<std::string>& forces) {
    out += '{';
    for (std::size_t k = 0; k < coincident.size(); ++k) {
        const Coincident& c = coincident[k];
        out += k ? ", " : "";
        AppendString(out, forces[c.force]);
        out += ": [";
        AppendNumber(out, c.left);
        out += ", ";
        AppendNumber(out, c.right);
        out += ']';
    }
    out += '}';
}

void AppendExtreme(std::string& out, const SummaryExtreme& e, const std::vector<std::string>& forces) {
    if (!e.found) {
        out += "null";
        return;
    }
    out += "{\"x\": ";
    AppendNumber(out, e.x);
    out += ", \"y\": ";
    AppendNumber(out, e.y);
    out += ", \"case\": ";
    if (e.governing.empty())
        out += "null";
    else
        AppendString(out, e.governing);
    out += ", \"coincident\": ";
    AppendCoincident(out, e.coincident, forces);
    out += '}';
}

// The factors of a combination: {"G": 1.35, "Q1": 1.5}.
void AppendFactors(std::string& out, const DesignCombination& c) {
    out += '{';
    for (std::size_t k = 0; k < c.factors.size(); ++k) {
        out += k ? ", " : "";
        AppendString(out, c.factors[k].first);
        out += ": ";
        AppendNumber(out, c.factors[k].second);
    }
    out += '}';
}

// A design envelope's points, each with the factors and the text of the combination governing from it.
void AppendDesignLine(std::string& out, const EnvelopeLine& e, const DesignSituation& s,
                      const std::vector<std::string>& texts, const std::string& indent) {
    AppendXY(out, e, indent);
    out += ",\n" + indent + "  \"factors\": ";
    // A jump's zero-width stretch names no combination: null.
    AppendArray(out, e.governing, [&s](std::string& o, int c) {
        if (c < 0)
            o += "null";
        else
            AppendFactors(o, s.combinations[static_cast<std::size_t>(c)]);
    });
    out += ",\n" + indent + "  \"combination\": ";
    AppendArray(out, e.governing, [&texts](std::string& o, int c) {
        if (c < 0)
            o += "null";
        else
            AppendString(o, texts[static_cast<std::size_t>(c)]);
    });
    out += "\n" + indent + "}";
}

// An extreme of a design envelope: where, the value, its combination with the rule that forms it (under the
// code's word for its rules) and the leading action, and in a model the values of the other forces under it.
void AppendDesignExtreme(std::string& out, const Extreme& e, const SummaryExtreme* summary,
                         const DesignSituation& s, const std::vector<std::string>& forces,
                         const std::string& ruleWord) {
    if (!e.found) {
        out += "null";
        return;
    }
    const DesignCombination& c = s.combinations[static_cast<std::size_t>(e.governing)];
    out += "{\"x\": ";
    AppendNumber(out, e.x);
    out += ", \"y\": ";
    AppendNumber(out, e.y);
    out += ", \"combination\": ";
    AppendString(out, c.Text());
    out += ", \"factors\": ";
    AppendFactors(out, c);
    if (!c.rule.empty()) {
        out += ", ";
        AppendString(out, ruleWord);
        out += ": ";
        AppendString(out, c.rule);
        out += ", \"leading\": ";
        if (c.leading.empty())
            out += "null";
        else
            AppendString(out, c.leading);
    }
    if (summary != nullptr) {
        out += ", \"coincident\": ";
        AppendCoincident(out, summary->coincident, forces);
    }
    out += '}';
}

// One situation's envelopes and extremes as a JSON object, indented by `indent`; `row` its summary row in
// a model.
void AppendSituation(std::string& out, const SituationResult& d, const DesignSummaryRow* row,
                     const std::vector<std::string>& forces, const std::string& ruleWord,
                     const std::string& indent) {
    const DesignSituation& s = d.situation;
    std::vector<std::string> texts;
    for (const DesignCombination& c : s.combinations)
        texts.push_back(c.Text());
    out += "{\n" + indent + "  \"lower\": ";
    AppendDesignLine(out, s.lower, s, texts, indent + "  ");
    out += ",\n" + indent + "  \"upper\": ";
    AppendDesignLine(out, s.upper, s, texts, indent + "  ");
    out += ",\n" + indent + "  \"max\": ";
    AppendDesignExtreme(out, d.max, row ? &row->max : nullptr, s, forces, ruleWord);
    out += ",\n" + indent + "  \"min\": ";
    AppendDesignExtreme(out, d.min, row ? &row->min : nullptr, s, forces, ruleWord);
    out += "\n" + indent + "}";
}

void AppendFigures(std::string& out, const KeyFigures& c) {
    out += "{\"domain\": ";
    AppendArray(out, std::vector<double>{c.xmin, c.xmax}, AppendNumber);
    out += ", \"points\": " + std::to_string(c.points);
    for (const auto& [key, e] : {std::pair{"min", c.min}, std::pair{"max", c.max}}) {
        out += ", \"" + std::string(key) + "\": {\"x\": ";
        AppendNumber(out, e.x);
        out += ", \"y\": ";
        AppendNumber(out, e.y);
        out += '}';
    }
    out += ", \"zeros\": ";
    AppendArray(out, c.zeros, AppendNumber);
    out += ", \"resultant\": ";
    AppendNumber(out, c.resultant);
    out += ", \"moment\": ";
    AppendNumber(out, c.moment);
    out += ", \"excentricity\": ";
    if (c.excentricity)
        AppendNumber(out, *c.excentricity);
    else
        out += "null";
    out += '}';
}

// A document's opening brace, and the units where the input gives any: "units": {"x": "m", FORCE: UNIT, ...}
// (those it gives).
std::string Opening(const Model& model) {
    const Model::Units& units = model.GetUnits();
    if (!units.Any())
        return "{\n";
    std::string out = "{\n  \"units\": {";
    bool first = true;
    const auto add = [&](const std::string& key, const std::string& unit) {
        if (unit.empty())
            return;
        out += first ? "" : ", ";
        first = false;
        AppendString(out, key);
        out += ": ";
        AppendString(out, unit);
    };
    add("x", units.x);
    for (std::size_t f = 0; f < units.forces.size(); ++f)
        add(model.Forces()[f], units.forces[f]);
    return out + "},\n";
}

// {"model": {MEMBER: {FORCE: {KEY: VALUE, ...}, ...}, ...}}: item(out, m, f, k) appends the k-th
// "KEY: VALUE" of member m's force f and is false past the last one.
template <class Item>
std::string ByMemberAndForce(const Model& model, Item item) {
    std::string out = Opening(model) + "  \"model\": {";
    for (std::size_t m = 0; m < model.Size(); ++m) {
        out += m ? ",\n    " : "\n    ";
        AppendString(out, model.MemberName(m));
        out += ": {";
        for (std::size_t f = 0; f < model.Forces().size(); ++f) {
            out += f ? ",\n      " : "\n      ";
            AppendString(out, model.Forces()[f]);
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

} // namespace

std::string ToJson(const Model& model, const EnvelopeRun& run) {
    if (SingleForm(model)) {
        const MemberEnvelopes& m = run.members[0];
        std::string out = Opening(model) + "  \"members\": ";
        AppendArray(out, m.diagrams, [](std::string& o, const std::string& s) { AppendString(o, s); });
        out += ",\n  \"lower\": ";
        AppendLine(out, m.forces[0].envelope.lower, m.diagrams, "  ");
        out += ",\n  \"upper\": ";
        AppendLine(out, m.forces[0].envelope.upper, m.diagrams, "  ");
        out += "\n}\n";
        return out;
    }
    const std::vector<SummaryRow> rows = Summarise(model, run);
    const std::vector<std::string>& forces = model.Forces();
    // The rows come by member and force: row m * forces + f.
    return ByMemberAndForce(model, [&](std::string& out, std::size_t m, std::size_t f, std::size_t k) {
        const SummaryRow& r = rows[m * forces.size() + f];
        const MemberEnvelopes& member = run.members[m];
        switch (k) {
        case 0:
            out += "\"lower\": ";
            AppendLine(out, member.forces[f].envelope.lower, member.diagrams, "        ");
            return true;
        case 1:
            out += "\"upper\": ";
            AppendLine(out, member.forces[f].envelope.upper, member.diagrams, "        ");
            return true;
        case 2:
            out += "\"max\": ";
            AppendExtreme(out, r.max, forces);
            return true;
        case 3:
            out += "\"min\": ";
            AppendExtreme(out, r.min, forces);
            return true;
        default:
            return false;
        }
    });
}

std::string ToJson(const Model& model, const DesignRun& run) {
    const std::vector<std::string>& forces = model.Forces();
    if (SingleForm(model)) {
        const std::vector<SituationResult>& design = run.members[0].forces[0];
        std::string out = Opening(model) + "  \"situations\": {";
        for (std::size_t k = 0; k < design.size(); ++k) {
            out += k ? ",\n    " : "\n    ";
            AppendString(out, design[k].situation.name);
            out += ": ";
            AppendSituation(out, design[k], nullptr, forces, run.ruleWord, "    ");
        }
        out += "\n  }\n}\n";
        return out;
    }
    const std::vector<DesignSummaryRow> rows = Summarise(model, run);
    std::size_t next = 0; // rows come by member, force and situation, as the items are asked for
    return ByMemberAndForce(model, [&](std::string& out, std::size_t m, std::size_t f, std::size_t k) {
        const std::vector<SituationResult>& design = run.members[m].forces[f];
        if (k == design.size())
            return false;
        AppendString(out, design[k].situation.name);
        out += ": ";
        AppendSituation(out, design[k], &rows[next++], forces, run.ruleWord, "        ");
        return true;
    });
}

std::string ToJson(const Model& model, const KeyFigureRun& run) {
    if (SingleForm(model)) {
        const MemberFigures& m = run.members[0];
        std::string out = Opening(model) + "  \"cases\": {";
        for (std::size_t k = 0; k < m.diagrams.size(); ++k) {
            out += k ? ",\n    " : "\n    ";
            AppendString(out, m.diagrams[k]);
            out += ": ";
            AppendFigures(out, m.forces[0][k]);
        }
        out += "\n  }\n}\n";
        return out;
    }
    return ByMemberAndForce(model, [&](std::string& out, std::size_t m, std::size_t f, std::size_t c) {
        if (c == run.members[m].diagrams.size())
            return false;
        AppendString(out, run.members[m].diagrams[c]);
        out += ": ";
        AppendFigures(out, run.members[m].forces[f][c]);
        return true;
    });
}

std::string ToJson(const std::vector<SituationCombinations>& situations, const std::string& ruleWord) {
    std::string out = "{\n  \"situations\": {";
    for (std::size_t k = 0; k < situations.size(); ++k) {
        const SituationCombinations& s = situations[k];
        out += k ? ",\n    " : "\n    ";
        AppendString(out, s.name);
        out += ": {\"count\": " + std::to_string(s.count) + ", \"combinations\": [";
        for (std::size_t c = 0; c < s.combinations.size(); ++c) {
            const DesignCombination& d = s.combinations[c];
            out += c ? ",\n      {" : "\n      {";
            AppendString(out, ruleWord);
            out += ": ";
            AppendString(out, d.rule);
            out += ", \"leading\": ";
            if (d.leading.empty())
                out += "null";
            else
                AppendString(out, d.leading);
            out += ", \"combination\": ";
            AppendString(out, d.Text());
            out += ", \"factors\": ";
            AppendFactors(out, d);
            out += '}';
        }
        out += s.combinations.empty() ? "]}" : "\n    ]}";
    }
    out += situations.empty() ? "}\n}\n" : "\n  }\n}\n";
    return out;
}

} // namespace formats
} // namespace vymath
