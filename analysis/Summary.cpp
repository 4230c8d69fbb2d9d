// A model's results as rows.
#include "vymath/analysis/Summary.h"

namespace vymath {
namespace analysis {

namespace {

SummaryExtreme SummaryOf(const Extreme& e, const MemberResult& r, std::size_t force) {
    SummaryExtreme s;
    s.found = e.found;
    if (!e.found)
        return s;
    s.x = e.x;
    s.y = e.y;
    if (e.diagram >= 0)
        s.loadCase = r.diagrams[static_cast<std::size_t>(e.diagram)];
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
            rows.push_back({m, f, SummaryOf(r.max, results[m], f), SummaryOf(r.min, results[m], f)});
        }
    return rows;
}

std::vector<std::string> SummaryColumns(const std::vector<std::string>& forces) {
    std::vector<std::string> names = {"member",   "force", "max",   "max_x",
                                      "max_case", "min",   "min_x", "min_case"};
    for (const char* extreme : {"max_", "min_"})
        for (const std::string& f : forces) {
            names.push_back(extreme + f + "_left");
            names.push_back(extreme + f + "_right");
        }
    return names;
}

} // namespace analysis
} // namespace vymath
