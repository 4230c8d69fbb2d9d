// A member's diagrams as the runs use them.
#include "Formed.h"

#include "Text.h"

#include <algorithm>
#include <unordered_map>

namespace vymath {
namespace analysis {

namespace {

using text::Quoted;

// The terms of combination d of force f read on one side by read(diagram, left, right), summed.
template <class Read>
bool Sum(const Formed& formed, std::size_t d, std::size_t f, bool upper, double& left, double& right,
         Read read) {
    double l = 0.0, r = 0.0;
    for (const auto& [c, factor] : formed.terms[d]) {
        double cl, cr;
        if (!read(formed.cases[f][c].Side(upper, factor), cl, cr))
            return false;
        l += factor * cl;
        r += factor * cr;
    }
    left = l;
    right = r;
    return true;
}

} // namespace

bool Formed::AnyBounded() const {
    for (const CaseDiagram& d : Of(0))
        if (d.Bounded())
            return true;
    return false;
}

std::vector<const Diagram*> Formed::Bounds(std::size_t f, bool upper) const {
    std::vector<const Diagram*> out;
    for (const CaseDiagram& d : Of(f))
        out.push_back(upper ? &d.upper : &d.Lower());
    return out;
}

bool Formed::Sides(std::size_t d, double x, std::size_t f, bool upper, double& left, double& right) const {
    const Diagram& own = upper ? Of(f)[d].upper : Of(f)[d].Lower();
    if (combined.empty() || !std::binary_search(own.jumps.begin(), own.jumps.end(), x))
        return own.Sides(x, left, right);
    return Sum(*this, d, f, upper, left, right,
               [x](const Diagram& c, double& l, double& r) { return c.Sides(x, l, r); });
}

bool Formed::Slopes(std::size_t d, double x, std::size_t f, bool upper, double& left, double& right) const {
    if (combined.empty())
        return (upper ? cases[f][d].upper : cases[f][d].Lower()).Slopes(x, left, right);
    return Sum(*this, d, f, upper, left, right,
               [x](const Diagram& c, double& l, double& r) { return c.Slopes(x, l, r); });
}

Formed Form(const Model& model, std::size_t m, const std::vector<Combination>& combinations) {
    Formed out;
    const std::size_t forces = model.Forces().size();
    for (std::size_t f = 0; f < forces; ++f)
        out.cases.push_back(model.Diagrams(m, f));
    if (combinations.empty())
        return out;
    const std::vector<std::string>& cases = model.Cases(m);
    std::unordered_map<std::string, std::size_t> caseIndex;
    for (std::size_t c = 0; c < cases.size(); ++c)
        caseIndex.emplace(cases[c], c);
    const std::string member =
        model.MemberName(m).empty() ? "" : "member " + Quoted(model.MemberName(m)) + ": ";
    for (const Combination& c : combinations) {
        out.terms.emplace_back();
        for (const Term& t : c.terms) {
            const auto it = caseIndex.find(t.loadCase);
            if (it == caseIndex.end())
                throw Error(Error::Kind::Data,
                            member + "combination " + Quoted(c.name) + ": no case " + Quoted(t.loadCase));
            out.terms.back().push_back({it->second, t.factor});
        }
    }
    for (std::size_t f = 0; f < forces; ++f) {
        std::vector<CaseDiagram> combined;
        for (std::size_t k = 0; k < combinations.size(); ++k) {
            std::string label = member + "combination " + Quoted(combinations[k].name);
            if (forces > 1)
                label += ", force " + Quoted(model.Forces()[f]);
            bool bounded = false;
            std::vector<const Diagram*> upper, lower;
            for (const auto& [c, factor] : out.terms[k]) {
                const CaseDiagram& d = out.cases[f][c];
                bounded = bounded || d.Bounded();
                upper.push_back(&d.Side(true, factor));
                lower.push_back(&d.Side(false, factor));
            }
            CaseDiagram formed;
            formed.upper = FormCombination(label, combinations[k], upper);
            if (bounded)
                formed.lower = FormCombination(label, combinations[k], lower);
            combined.push_back(std::move(formed));
        }
        out.combined.push_back(std::move(combined));
    }
    return out;
}

} // namespace analysis
} // namespace vymath
