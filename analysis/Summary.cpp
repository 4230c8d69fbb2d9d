// A model's results as rows.
#include "vymath/analysis/Summary.h"

namespace vymath {
namespace analysis {

namespace {

// An extreme of the diagrams (names: MemberResult::diagrams) or of a design situation's combinations.
SummaryExtreme SummaryOf(const Extreme& e, const MemberResult& r, std::size_t force,
                         const DesignSituation* situation = nullptr) {
    SummaryExtreme s;
    s.found = e.found;
    if (!e.found)
        return s;
    s.x = e.x;
    s.y = e.y;
    const std::size_t k = static_cast<std::size_t>(e.diagram);
    if (e.diagram >= 0)
        s.loadCase = situation ? situation->combinations[k].Text() : r.diagrams[k];
    for (std::size_t f = 0; f < e.left.size(); ++f)
        if (f != force)
            s.coincident.push_back({f, e.left[f], e.right[f]});
    return s;
}

} // namespace

std::vector<SummaryRow> Summarise(const Model& model, const std::vector<MemberResult>& results) {
    std::vector<SummaryRow> rows;
    rows.reserve(results.size() * model.Forces().size());
    for (std::size_t m = 0; m < results.size(); ++m)
        for (std::size_t f = 0; f < results[m].forces.size(); ++f) {
            const ForceResult& r = results[m].forces[f];
            if (r.design.empty())
                rows.push_back({m, f, SummaryOf(r.max, results[m], f), SummaryOf(r.min, results[m], f)});
            for (std::size_t s = 0; s < r.design.size(); ++s) {
                const DesignResult& d = r.design[s];
                rows.push_back({m, f, SummaryOf(d.max, results[m], f, &d.situation),
                                SummaryOf(d.min, results[m], f, &d.situation), s});
            }
        }
    return rows;
}

std::vector<std::string> SummaryColumns(const std::vector<std::string>& forces, bool situations) {
    std::vector<std::string> names = {"member",   "force", "max",   "max_x",
                                      "max_case", "min",   "min_x", "min_case"};
    if (situations)
        names.insert(names.begin() + 2, "situation");
    for (const char* extreme : {"max_", "min_"})
        for (const std::string& f : forces) {
            names.push_back(extreme + f + "_left");
            names.push_back(extreme + f + "_right");
        }
    return names;
}

} // namespace analysis
} // namespace vymath
