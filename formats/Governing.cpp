// The combinations that govern a design run, member by member, with the extremes each gives: JSON and CSV.
#include "Csv.h"
#include "Json.h"
#include "Results.h"
#include "analysis/Text.h"

#include <cmath>

namespace vymath {
namespace formats {

namespace {

using namespace analysis;
using json::AppendNumber;
using json::AppendString;

struct GoverningExtreme {
    std::size_t force;
    bool max;
    const Extreme* at;
};

struct Governing {
    const std::string* situation;
    const DesignCombination* combination;
    std::vector<GoverningExtreme> extremes;
};

// A member's distinct governing combinations (by situation and factors), in the order of the forces and
// situations, with the extremes each governs.
std::vector<Governing> GoverningOf(const MemberDesign& m) {
    std::vector<Governing> out;
    const auto find = [&out](const std::string& situation, const DesignCombination& c) -> Governing& {
        for (Governing& g : out)
            if (*g.situation == situation && *g.combination == c)
                return g;
        out.push_back({&situation, &c, {}});
        return out.back();
    };
    for (std::size_t f = 0; f < m.forces.size(); ++f)
        for (const SituationResult& s : m.forces[f]) {
            for (const DesignCombination& c : s.situation.combinations)
                find(s.situation.name, c);
            for (const Extreme* e : {&s.max, &s.min})
                if (e->found && e->governing >= 0)
                    find(s.situation.name, s.situation.combinations[static_cast<std::size_t>(e->governing)])
                        .extremes.push_back({f, e == &s.max, e});
        }
    return out;
}

std::string Number(double v) {
    return std::isnan(v) ? std::string() : text::Shortest(v);
}

} // namespace

std::string GoverningJson(const Model& model, const DesignRun& run) {
    const std::vector<std::string>& forces = model.Forces();
    std::string out = "{\n  \"model\": {";
    for (std::size_t m = 0; m < run.members.size(); ++m) {
        out += m ? ",\n    " : "\n    ";
        AppendString(out, model.MemberName(m));
        out += ": [";
        const std::vector<Governing> all = GoverningOf(run.members[m]);
        for (std::size_t k = 0; k < all.size(); ++k) {
            const Governing& g = all[k];
            out += k ? ",\n      {\"situation\": " : "\n      {\"situation\": ";
            AppendString(out, *g.situation);
            out += ", \"combination\": ";
            AppendString(out, g.combination->Text());
            out += ", \"factors\": {";
            for (std::size_t c = 0; c < g.combination->factors.size(); ++c) {
                out += c ? ", " : "";
                AppendString(out, g.combination->factors[c].first);
                out += ": ";
                AppendNumber(out, g.combination->factors[c].second);
            }
            out += "}, \"extremes\": [";
            for (std::size_t e = 0; e < g.extremes.size(); ++e) {
                const GoverningExtreme& x = g.extremes[e];
                out += e ? ",\n        {\"force\": " : "\n        {\"force\": ";
                AppendString(out, forces[x.force]);
                out += x.max ? ", \"extreme\": \"max\", \"x\": " : ", \"extreme\": \"min\", \"x\": ";
                AppendNumber(out, x.at->x);
                out += ", \"y\": ";
                AppendNumber(out, x.at->y);
                out += ", \"coincident\": {";
                bool first = true;
                for (std::size_t f = 0; f < forces.size(); ++f) {
                    if (f == x.force)
                        continue;
                    out += first ? "" : ", ";
                    first = false;
                    AppendString(out, forces[f]);
                    out += ": [";
                    AppendNumber(out, x.at->left[f]);
                    out += ", ";
                    AppendNumber(out, x.at->right[f]);
                    out += ']';
                }
                out += "}}";
            }
            out += g.extremes.empty() ? "]}" : "\n      ]}";
        }
        out += all.empty() ? "]" : "\n    ]";
    }
    out += run.members.empty() ? "}\n}\n" : "\n  }\n}\n";
    return out;
}

std::string GoverningCsv(const Model& model, const DesignRun& run) {
    const std::vector<std::string>& forces = model.Forces();
    std::string out = "member,situation,combination,force,extreme,x,y";
    for (const std::string& f : forces)
        out += ',' + CsvField(f + " left") + ',' + CsvField(f + " right");
    out += '\n';
    for (std::size_t m = 0; m < run.members.size(); ++m)
        for (const Governing& g : GoverningOf(run.members[m])) {
            const std::string head = CsvField(model.MemberName(m)) + ',' + CsvField(*g.situation) + ',' +
                                     CsvField(g.combination->Text()) + ',';
            if (g.extremes.empty())
                out += head + ",,," + std::string(2 * forces.size(), ',') + '\n';
            for (const GoverningExtreme& x : g.extremes) {
                out += head + CsvField(forces[x.force]) + (x.max ? ",max," : ",min,") + Number(x.at->x) +
                       ',' + Number(x.at->y);
                for (std::size_t f = 0; f < forces.size(); ++f)
                    out += ',' + Number(x.at->left[f]) + ',' + Number(x.at->right[f]);
                out += '\n';
            }
        }
    return out;
}

} // namespace formats
} // namespace vymath
