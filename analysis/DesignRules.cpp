// The rules of EN 1990: its situations, its partial and psi factors.
#include "DesignRules.h"
#include "DesignTerms.h"
#include "Text.h"

#include "vymath/analysis/Design.h"
#include "vymath/analysis/Error.h"

#include <algorithm>
#include <map>

namespace vymath {
namespace analysis {

namespace {

struct Psi {
    double psi0, psi1, psi2;
};

// EN 1990 Table A1.1, imposed loads on buildings by category (EN 1991-1-1).
const std::map<std::string, Psi> kImposed = {
    {"A", {0.7, 0.5, 0.3}}, {"B", {0.7, 0.5, 0.3}}, {"C", {0.7, 0.7, 0.6}}, {"D", {0.7, 0.7, 0.6}},
    {"E", {1.0, 0.9, 0.8}}, {"F", {0.7, 0.7, 0.6}}, {"G", {0.7, 0.5, 0.3}}, {"H", {0.0, 0.0, 0.0}},
};
const Psi kSnowHigh{0.7, 0.5, 0.2}; // above 1000 m, and in Finland, Iceland, Norway, Sweden
const Psi kSnowLow{0.5, 0.2, 0.0};
const Psi kWind{0.6, 0.2, 0.0};
const Psi kTemperature{0.6, 0.5, 0.0}; // not fire

} // namespace

bool TablePsi(const std::string& kind, const std::string& category, double psi[3]) {
    const Psi* p = nullptr;
    if (kind == "imposed") {
        const auto it = kImposed.find(category);
        p = it == kImposed.end() ? nullptr : &it->second;
    } else if (kind == "snow") {
        p = category == "high" ? &kSnowHigh : category == "low" ? &kSnowLow : nullptr;
    } else if (kind == "wind") {
        p = &kWind;
    } else if (kind == "temperature") {
        p = &kTemperature;
    }
    if (p == nullptr)
        return false;
    psi[0] = p->psi0;
    psi[1] = p->psi1;
    psi[2] = p->psi2;
    return true;
}

namespace rules {

std::vector<Situation> SituationsOf(const Actions& actions) {
    std::vector<Situation> out;
    bool everyday = false;
    std::vector<std::size_t> accidental, seismic;
    for (std::size_t i = 0; i < actions.actions.size(); ++i) {
        const ActionType t = actions.actions[i].type;
        everyday =
            everyday || t == ActionType::Permanent || t == ActionType::Prestress || t == ActionType::Variable;
        if (t == ActionType::Accidental)
            accidental.push_back(i);
        if (t == ActionType::Seismic)
            seismic.push_back(i);
    }
    const std::size_t none = static_cast<std::size_t>(-1);
    if (everyday) {
        out.push_back({"ULS",
                       actions.uls610ab ? std::vector{Expression::Uls610a, Expression::Uls610b}
                                        : std::vector{Expression::Uls610},
                       none});
        out.push_back({"SLS characteristic", {Expression::Characteristic}, none});
        out.push_back({"SLS frequent", {Expression::Frequent}, none});
        out.push_back({"SLS quasi-permanent", {Expression::QuasiPermanent}, none});
    }
    for (std::size_t i : accidental)
        out.push_back({"accidental " + actions.actions[i].name, {Expression::Accidental}, i});
    for (std::size_t i : seismic)
        out.push_back({seismic.size() == 1 ? "seismic" : "seismic " + actions.actions[i].name,
                       {Expression::Seismic},
                       i});
    return out;
}

bool Ultimate(Expression e) {
    return e == Expression::Uls610 || e == Expression::Uls610a || e == Expression::Uls610b;
}

PermanentFactors Permanent(Expression e, const DesignFactors& g) {
    if (!Ultimate(e))
        return {1.0, 1.0};
    return {e == Expression::Uls610b ? g.xi * g.gammaGsup : g.gammaGsup, g.gammaGinf};
}

double Prestress(Expression e, const DesignFactors& g) {
    return Ultimate(e) ? g.gammaP : 1.0;
}

double Leading(Expression e, const Action& a, const Actions& actions) {
    const DesignFactors& g = actions.factors;
    switch (e) {
    case Expression::Uls610:
    case Expression::Uls610b:
        return g.gammaQ;
    case Expression::Uls610a:
        return g.gammaQ * a.psi0;
    case Expression::Characteristic:
        return 1.0;
    case Expression::Frequent:
        return a.psi1;
    case Expression::Accidental:
        return actions.accidentalPsi1 ? a.psi1 : a.psi2;
    default:
        return a.psi2;
    }
}

double Accompanying(Expression e, const Action& a, const DesignFactors& g) {
    if (Ultimate(e))
        return g.gammaQ * a.psi0;
    return e == Expression::Characteristic ? a.psi0 : a.psi2;
}

bool HasLeading(Expression e) {
    return e != Expression::Seismic;
}

} // namespace rules

namespace {

const char* Label(rules::Expression e) {
    switch (e) {
    case rules::Expression::Uls610:
        return "6.10";
    case rules::Expression::Uls610a:
        return "6.10a";
    case rules::Expression::Uls610b:
        return "6.10b";
    case rules::Expression::Characteristic:
        return "6.14b";
    case rules::Expression::Frequent:
        return "6.15b";
    case rules::Expression::QuasiPermanent:
        return "6.16b";
    case rules::Expression::Accidental:
        return "6.11b";
    default:
        return "6.12b";
    }
}

// The cases of an action, each times factor.
Alternative All(const Action& a, double factor) {
    Alternative out;
    for (const std::string& c : a.cases)
        out.factors.push_back({c, factor});
    return out;
}

// A variable action's terms: absent, or its cases at the factor as its acting says.
void AddVariable(const Action& a, double factor, std::vector<RuleTerm>& terms) {
    if (a.acting == Acting::Free) {
        for (const std::string& c : a.cases)
            terms.push_back({a.name, {Alternative{}, Alternative{{{c, factor}}}}});
        return;
    }
    RuleTerm t{a.name, {Alternative{}}};
    if (a.acting == Acting::Together)
        t.alternatives.push_back(All(a, factor));
    else
        for (const std::string& c : a.cases)
            t.alternatives.push_back(Alternative{{{c, factor}}});
    terms.push_back(std::move(t));
}

// An accidental or seismic action present in its situation, at each of the signs.
RuleTerm Present(const Action& a, const std::vector<double>& signs) {
    RuleTerm t{a.name, {}};
    const std::size_t n = a.cases.size();
    if (a.acting == Acting::Free && n > 12)
        throw Error(Error::Kind::Data, a.place + ": the action " + text::Quoted(a.name) + " has " +
                                           std::to_string(n) +
                                           " cases acting freely: a section check takes at most 12");
    for (double sign : signs) {
        if (a.acting == Acting::Together) {
            t.alternatives.push_back(All(a, sign));
        } else if (a.acting == Acting::Exclusive) {
            for (const std::string& c : a.cases)
                t.alternatives.push_back(Alternative{{{c, sign}}});
        } else {
            for (std::size_t mask = 1; mask < (std::size_t{1} << n); ++mask) {
                Alternative alt;
                for (std::size_t k = 0; k < n; ++k)
                    if (mask >> k & 1)
                        alt.factors.push_back({a.cases[k], sign});
                t.alternatives.push_back(std::move(alt));
            }
        }
    }
    return t;
}

} // namespace

std::vector<SituationRules> DesignRules(const Actions& actions) {
    std::vector<std::size_t> variables;
    for (std::size_t i = 0; i < actions.actions.size(); ++i)
        if (actions.actions[i].type == ActionType::Variable)
            variables.push_back(i);
    const std::vector<std::vector<std::size_t>> groups = terms::CompatibleGroups(actions, variables);
    const bool several = std::count_if(groups.begin(), groups.end(),
                                       [](const std::vector<std::size_t>& g) { return !g.empty(); }) > 1;
    std::vector<SituationRules> out;
    for (const rules::Situation& s : rules::SituationsOf(actions)) {
        SituationRules situation{s.name, {}};
        for (rules::Expression e : s.expressions) {
            std::vector<RuleTerm> fixed;
            for (std::size_t i = 0; i < actions.actions.size(); ++i) {
                const Action& a = actions.actions[i];
                if (a.type == ActionType::Permanent) {
                    const rules::PermanentFactors f = rules::Permanent(e, actions.factors);
                    RuleTerm t{a.name, {All(a, f.sup)}};
                    if (f.inf != f.sup)
                        t.alternatives.push_back(All(a, f.inf));
                    fixed.push_back(std::move(t));
                } else if (a.type == ActionType::Prestress) {
                    fixed.push_back({a.name, {All(a, rules::Prestress(e, actions.factors))}});
                } else if (i == s.special) {
                    fixed.push_back(Present(a, e == rules::Expression::Seismic
                                                   ? std::vector<double>{1.0, -1.0}
                                                   : std::vector<double>{1.0}));
                }
            }
            const auto rule = [&](const std::vector<std::size_t>& group, std::size_t leading) {
                Rule r{Label(e), "", fixed};
                for (std::size_t m : group) {
                    const Action& a = actions.actions[variables[m]];
                    if (m == leading)
                        r.leading = a.name;
                    AddVariable(a,
                                m == leading ? rules::Leading(e, a, actions)
                                             : rules::Accompanying(e, a, actions.factors),
                                r.terms);
                }
                situation.rules.push_back(std::move(r));
            };
            const std::size_t none = static_cast<std::size_t>(-1);
            bool any = false;
            for (const std::vector<std::size_t>& group : groups) {
                if (group.empty())
                    continue;
                any = true;
                if (rules::HasLeading(e))
                    for (std::size_t m : group)
                        rule(group, m);
                // Every one accompanying: the leading one absent, an action of another group.
                if (!rules::HasLeading(e) || several)
                    rule(group, none);
            }
            if (!any)
                rule({}, none);
        }
        out.push_back(std::move(situation));
    }
    return out;
}

} // namespace analysis
} // namespace vymath
