// The rows of a model, checked and grouped by member.
#include "vymath/analysis/Model.h"

#include "Text.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace vymath {
namespace analysis {

using text::Quoted;

Model::Model(std::vector<std::string> forces_, Places places_, bool named_)
    : forces(std::move(forces_)), places(std::move(places_)), named(named_) {
    units.forces.resize(forces.size());
    if (forces.empty())
        throw std::invalid_argument("a model needs at least one force");
    for (std::size_t f = 0; f < forces.size(); ++f)
        if (std::find(forces.begin(), forces.begin() + static_cast<std::ptrdiff_t>(f), forces[f]) !=
            forces.begin() + static_cast<std::ptrdiff_t>(f))
            throw std::invalid_argument("the force " + Quoted(forces[f]) + " is given twice");
}

bool Model::Units::Any() const {
    if (!x.empty())
        return true;
    for (const std::string& f : forces)
        if (!f.empty())
            return true;
    return false;
}

void Model::SetUnits(Units u) {
    if (!u.forces.empty() && u.forces.size() != forces.size())
        throw std::invalid_argument("one unit a force expected");
    u.forces.resize(forces.size());
    units = std::move(u);
}

std::size_t Model::Find(std::string_view member) const {
    const auto it = memberIndex.find(std::string(member));
    return it == memberIndex.end() ? members.size() : it->second;
}

std::vector<std::string> Model::AllCases() const {
    std::vector<std::string> all;
    for (const Member& m : members)
        for (const std::string& c : m.cases)
            if (std::find(all.begin(), all.end(), c) == all.end())
                all.push_back(c);
    return all;
}

std::string Model::Where(std::size_t origin) const {
    return places.row ? places.row(origin) : "row " + std::to_string(origin);
}

void Model::Fail(std::size_t origin, const Field& field, const std::string& what) const {
    std::string at;
    if (places.field) {
        at = places.field(origin, field);
    } else {
        static const char* const roles[] = {"member", "case", "x"};
        at = Where(origin) + ": " +
             (field.role == Field::Role::Force ? forces[field.force] : roles[static_cast<int>(field.role)]);
    }
    throw Error(Error::Kind::Data, at + " " + what);
}

void Model::CheckName(std::string_view name, std::size_t origin, Field::Role role) const {
    if (name.empty())
        Fail(origin, {role}, "is empty");
    if (!text::IsUtf8(name))
        Fail(origin, {role}, "is not UTF-8 text");
}

void Model::Add(std::string_view member, std::string_view loadCase, Bound bound, double x,
                const double* values, std::size_t origin) {
    if (!std::isfinite(x))
        Fail(origin, {Field::Role::X}, text::Shortest(x) + " is not a finite number");
    for (std::size_t f = 0; f < forces.size(); ++f)
        if (std::isinf(values[f]))
            Fail(origin, {Field::Role::Force, f}, text::Shortest(values[f]) + " is not a finite number");
    if (members.empty() || members[last].name != member) {
        const auto found = memberIndex.find(std::string(member));
        if (found == memberIndex.end()) {
            if (named)
                CheckName(member, origin, Field::Role::Member);
            else if (!member.empty())
                throw std::invalid_argument("a model without member names takes the member \"\" only");
            last = members.size();
            memberIndex.emplace(std::string(member), last);
            members.push_back(Member());
            Member& added = members.back();
            added.name = std::string(member);
            if (last > 0) { // members of an export tend to have as many rows as the one before
                const std::size_t expected = members[last - 1].x.size();
                added.caseOf.reserve(expected);
                added.bound.reserve(expected);
                added.x.reserve(expected);
                added.values.reserve(expected * forces.size());
                added.origin.reserve(expected);
            }
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
            CheckName(loadCase, origin, Field::Role::Case);
            c = static_cast<std::uint32_t>(m.cases.size());
            m.cases.emplace_back(loadCase);
            m.bounded.push_back(bound != Bound::None);
            m.caseIndex.emplace(std::string(loadCase), c);
        } else {
            c = found->second;
        }
    }
    if ((bound != Bound::None) != (m.bounded[c] != 0))
        throw Error(Error::Kind::Data,
                    Where(origin) + ": " + Label(last, c) + ": " +
                        (bound == Bound::None  ? "a row without a step type among Max and Min rows"
                         : bound == Bound::Max ? "a Max row among rows without a step type"
                                               : "a Min row among rows without a step type"));
    m.caseOf.push_back(c);
    m.bound.push_back(bound);
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

void Model::CheckPairs(std::size_t m, std::size_t c, const std::vector<std::size_t>& rows) const {
    // The abscissas of the Max rows and of the Min rows, each with its row: the same, as many times each.
    const Member& member = members[m];
    std::vector<std::pair<double, std::size_t>> max, min;
    for (std::size_t r : rows)
        (member.bound[r] == Bound::Max ? max : min).push_back({member.x[r], r});
    std::stable_sort(max.begin(), max.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::stable_sort(min.begin(), min.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t k = 0; k < std::max(max.size(), min.size()); ++k) {
        if (k < max.size() && k < min.size() && max[k].first == min[k].first)
            continue;
        // The first abscissa where the two differ: the row there that has no partner.
        const bool maxLone = k >= min.size() || (k < max.size() && max[k].first < min[k].first);
        const auto& lone = maxLone ? max[k] : min[k];
        throw Error(Error::Kind::Data, Where(member.origin[lone.second]) + ": " + Label(m, c) + ": a " +
                                           (maxLone ? "Max row at x = " : "Min row at x = ") +
                                           text::Shortest(lone.first) + " without its " +
                                           (maxLone ? "Min" : "Max") + " row");
    }
}

std::vector<CaseDiagram> Model::Diagrams(std::size_t m, std::size_t f) const {
    const Member& member = members[m];
    const std::size_t nf = forces.size();
    const Locator where = [this](std::size_t origin) { return Where(origin); };
    // The member's rows by case and bound, each in row order.
    std::vector<std::vector<Row>> upper(member.cases.size()), lower(member.cases.size());
    std::vector<std::vector<std::size_t>> boundedRows(member.cases.size());
    for (std::size_t r = 0; r < member.caseOf.size(); ++r) {
        const double y = member.values[r * nf + f];
        if (std::isnan(y)) {
            throw Error(Error::Kind::Data, Where(member.origin[r]) + ": " + Label(m, member.caseOf[r]) +
                                               ": no value for force " + Quoted(forces[f]));
        }
        const std::uint32_t c = member.caseOf[r];
        (member.bound[r] == Bound::Min ? lower : upper)[c].push_back({member.x[r], y, member.origin[r]});
        if (member.bounded[c])
            boundedRows[c].push_back(r);
    }
    std::vector<CaseDiagram> out(member.cases.size());
    for (std::size_t c = 0; c < member.cases.size(); ++c) {
        if (!member.bounded[c]) {
            out[c].upper = BuildDiagram(Label(m, c, f), std::move(upper[c]), where);
            continue;
        }
        CheckPairs(m, c, boundedRows[c]);
        out[c].upper = BuildDiagram(Label(m, c, f) + " (Max)", std::move(upper[c]), where);
        out[c].lower = BuildDiagram(Label(m, c, f) + " (Min)", std::move(lower[c]), where);
    }
    return out;
}

} // namespace analysis
} // namespace vymath
