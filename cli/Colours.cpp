// The colours of the plots and the report.
#include "Colours.h"

#include <algorithm>
#include <limits>

namespace vycli {

using namespace vymath::analysis;

const std::vector<std::string>& Palette() {
    static const std::vector<std::string> palette = {"#e69f00", "#009e73", "#cc79a7", "#8c564b", "#7f7f7f",
                                                     "#bcbd22", "#17becf", "#9467bd", "#56b4e9", "#f0a0a0"};
    return palette;
}

const char* ColourOf(int k) {
    return k < 0 ? "#555555" : Palette()[static_cast<std::size_t>(k) % Palette().size()].c_str();
}

std::vector<std::size_t> CombinationOrder(const SituationResult& d) {
    const DesignSituation& s = d.situation;
    std::vector<double> weight(s.combinations.size(), 0.0);
    for (const EnvelopeLine* line : {&s.lower, &s.upper})
        for (std::size_t i = 0; i + 1 < line->x.size(); ++i)
            if (line->governing[i] >= 0)
                weight[static_cast<std::size_t>(line->governing[i])] += line->x[i + 1] - line->x[i];
    for (const Extreme* e : {&d.min, &d.max})
        if (e->found)
            weight[static_cast<std::size_t>(e->governing)] = std::numeric_limits<double>::infinity();
    std::vector<std::size_t> order(weight.size());
    for (std::size_t c = 0; c < order.size(); ++c)
        order[c] = c;
    std::stable_sort(order.begin(), order.end(),
                     [&weight](std::size_t a, std::size_t b) { return weight[a] > weight[b]; });
    return order;
}

RankedSituation Ranked(const SituationResult& d) {
    const DesignSituation& s = d.situation;
    const std::vector<std::size_t> order = CombinationOrder(d);
    std::vector<int> rank(order.size());
    RankedSituation out{{s.lower, s.upper}, {}};
    for (std::size_t r = 0; r < order.size(); ++r) {
        rank[order[r]] = static_cast<int>(r);
        out.names.push_back(s.combinations[order[r]].Text());
    }
    for (EnvelopeLine* line : {&out.envelope.lower, &out.envelope.upper})
        for (int& c : line->governing)
            c = c < 0 ? c : rank[static_cast<std::size_t>(c)];
    return out;
}

} // namespace vycli
