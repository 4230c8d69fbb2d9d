// The rows of a model, grouped by member.
#include "vymath/analysis/Model.h"

#include "vymath/analysis/Numbers.h"

#include <cmath>
#include <stdexcept>

namespace vymath {
namespace analysis {

Model::Model(std::vector<std::string> forces_) : forces(std::move(forces_)) {
    if (forces.empty())
        throw std::invalid_argument("a model needs at least one force");
}

std::size_t Model::Find(std::string_view member) const {
    const auto it = memberIndex.find(std::string(member));
    return it == memberIndex.end() ? members.size() : it->second;
}

void Model::Add(std::string_view member, std::string_view loadCase, double x, const double* values,
                std::size_t origin) {
    if (members.empty() || members[last].name != member) {
        const auto found = memberIndex.find(std::string(member));
        if (found == memberIndex.end()) {
            last = members.size();
            memberIndex.emplace(std::string(member), last);
            members.push_back(Member());
            members.back().name = std::string(member);
        } else {
            last = found->second;
        }
    }
    Member& m = members[last];
    std::uint32_t c;
    if (!m.caseOf.empty() && m.cases[m.caseOf.back()] == loadCase) {
        c = m.caseOf.back();
    } else {
        const auto found = m.caseIndex.find(std::string(loadCase));
        if (found == m.caseIndex.end()) {
            c = static_cast<std::uint32_t>(m.cases.size());
            m.cases.emplace_back(loadCase);
            m.caseIndex.emplace(std::string(loadCase), c);
        } else {
            c = found->second;
        }
    }
    m.caseOf.push_back(c);
    m.x.push_back(x);
    m.values.insert(m.values.end(), values, values + forces.size());
    m.origin.push_back(origin);
    ++rows;
}

std::string Model::Label(std::size_t m, std::size_t c, std::size_t f) const {
    std::string label;
    if (!members[m].name.empty())
        label = "member " + Quoted(members[m].name) + ", ";
    label += "case " + Quoted(members[m].cases[c]);
    if (forces.size() > 1 && f < forces.size())
        label += ", force " + Quoted(forces[f]);
    return label;
}

std::vector<Diagram> Model::Diagrams(std::size_t m, std::size_t f, const Locator& where) const {
    const Member& member = members[m];
    const std::size_t nf = forces.size();
    // The member's rows by case, each in row order.
    std::vector<std::vector<Row>> byCase(member.cases.size());
    for (std::size_t r = 0; r < member.caseOf.size(); ++r) {
        const double y = member.values[r * nf + f];
        if (std::isnan(y)) {
            throw Error(Error::Kind::Data, where(member.origin[r]) + ": " + Label(m, member.caseOf[r]) +
                                               ": no value for force " + Quoted(forces[f]));
        }
        byCase[member.caseOf[r]].push_back({member.x[r], y, member.origin[r]});
    }
    std::vector<Diagram> out;
    out.reserve(byCase.size());
    for (std::size_t c = 0; c < byCase.size(); ++c)
        out.push_back(BuildDiagram(Label(m, c, f), std::move(byCase[c]), where));
    return out;
}

} // namespace analysis
} // namespace vymath
