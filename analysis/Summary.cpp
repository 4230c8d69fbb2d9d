// A model's results as rows.
#include "vymath/analysis/Summary.h"

#include <utility>

namespace vymath {
namespace analysis {

namespace {

// name: the governing case or combination, empty where none is known.
SummaryExtreme SummaryOf(const Extreme& e, std::string name, std::size_t force) {
    SummaryExtreme s;
    s.found = e.found;
    if (!e.found)
        return s;
    s.x = e.x;
    s.y = e.y;
    s.loadCase = std::move(name);
    for (std::size_t f = 0; f < e.left.size(); ++f)
        if (f != force)
            s.coincident.push_back({f, e.left[f], e.right[f]});
    return s;
}

std::string CaseOf(const Extreme& e, const MemberResult& r) {
    return e.diagram >= 0 ? r.diagrams[static_cast<std::size_t>(e.diagram)] : std::string();
}

std::string CombinationOf(const Extreme& e, const DesignSituation& s) {
    return e.found ? s.combinations[static_cast<std::size_t>(e.diagram)].Text() : std::string();
}

} // namespace

std::vector<SummaryRow> Summarise(const Model& model, const std::vector<MemberResult>& results) {
    std::vector<SummaryRow> rows;
    rows.reserve(results.size() * model.Forces().size());
    for (std::size_t m = 0; m < results.size(); ++m)
        for (std::size_t f = 0; f < results[m].forces.size(); ++f) {
            const ForceResult& r = results[m].forces[f];
            if (r.design.empty())
                rows.push_back({m, f, SummaryOf(r.max, CaseOf(r.max, results[m]), f),
                                SummaryOf(r.min, CaseOf(r.min, results[m]), f)});
            for (std::size_t s = 0; s < r.design.size(); ++s) {
                const DesignResult& d = r.design[s];
                rows.push_back({m, f, SummaryOf(d.max, CombinationOf(d.max, d.situation), f),
                                SummaryOf(d.min, CombinationOf(d.min, d.situation), f), static_cast<int>(s)});
            }
        }
    return rows;
}

std::vector<std::string> SummaryColumns(const std::vector<std::string>& forces, bool design) {
    std::vector<std::string> names = {"member",   "force", "max",   "max_x",
                                      "max_case", "min",   "min_x", "min_case"};
    if (design) {
        names.insert(names.begin() + 2, "situation");
        names[5] = "max_combination";
        names[8] = "min_combination";
    }
    for (const char* extreme : {"max_", "min_"})
        for (const std::string& f : forces) {
            names.push_back(extreme + f + "_left");
            names.push_back(extreme + f + "_right");
        }
    return names;
}

} // namespace analysis
} // namespace vymath
