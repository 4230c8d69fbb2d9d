// Reference: the combinations of EN 1990 and of ASCE 7-16 (LRFD, ASD), enumerated.
#include "RefDesign.h"

#include <algorithm>
#include <map>

namespace ref {
namespace {

using vymath::analysis::Acting;
using vymath::analysis::Action;
using vymath::analysis::Actions;
using vymath::analysis::ActionType;

// The arrangements of an action: each a list of its cases (positions) with their signs.
using Arrangement = std::vector<std::pair<std::size_t, double>>;

std::vector<Arrangement> Arrangements(const Action& a, bool allowEmpty, bool bothSigns) {
    std::vector<Arrangement> out;
    const std::size_t n = a.cases.size();
    if (allowEmpty)
        out.push_back({});
    if (a.acting == Acting::Together) {
        Arrangement all;
        for (std::size_t c = 0; c < n; ++c)
            all.push_back({c, 1.0});
        out.push_back(all);
    } else if (a.acting == Acting::Exclusive) {
        for (std::size_t c = 0; c < n; ++c)
            out.push_back({{c, 1.0}});
    } else {
        for (unsigned mask = 1; mask < (1u << n); ++mask) {
            Arrangement some;
            for (std::size_t c = 0; c < n; ++c)
                if (mask & (1u << c))
                    some.push_back({c, 1.0});
            out.push_back(some);
        }
    }
    if (bothSigns) {
        const std::size_t count = out.size();
        for (std::size_t k = 0; k < count; ++k) {
            Arrangement minus = out[k];
            for (auto& c : minus)
                c.second = -1.0;
            if (!minus.empty())
                out.push_back(minus);
        }
    }
    return out;
}

struct Rules {
    double gSup, gInf, gP;
    std::vector<double> lead, acc; // per action (variable ones)
    bool leading;                  // a variable action leads
};

Rules RulesOf(const Actions& acts, const std::string& kind) {
    const auto g = [&](const char* name) { return acts.values.at(name); };
    Rules r{1.0, 1.0, 1.0, {}, {}, kind != "seismic"};
    if (kind == "6.10" || kind == "6.10a" || kind == "6.10b") {
        r.gSup = kind == "6.10b" ? g("xi") * g("gamma_G_sup") : g("gamma_G_sup");
        r.gInf = g("gamma_G_inf");
        r.gP = g("gamma_P");
    }
    const bool psi1 = acts.options.at("accidental_leading_psi").front() == "psi1";
    for (const Action& a : acts.actions) {
        double lead = a.psi2, acc = a.psi2;
        if (kind == "6.10" || kind == "6.10b") {
            lead = g("gamma_Q");
            acc = g("gamma_Q") * a.psi0;
        } else if (kind == "6.10a") {
            lead = g("gamma_Q") * a.psi0;
            acc = g("gamma_Q") * a.psi0;
        } else if (kind == "characteristic") {
            lead = 1.0;
            acc = a.psi0;
        } else if (kind == "frequent") {
            lead = a.psi1;
        } else if (kind == "accidental") {
            lead = psi1 ? a.psi1 : a.psi2;
        }
        r.lead.push_back(lead);
        r.acc.push_back(acc);
    }
    return r;
}

void Enumerate(const Actions& acts, const std::map<std::string, std::size_t>& index, const std::string& kind,
               int special, std::vector<std::vector<double>>& out) {
    const Rules rules = RulesOf(acts, kind);
    const std::size_t n = acts.actions.size();
    // Every action's options: a factor per case of it, or nothing (absent).
    std::vector<std::vector<std::vector<std::pair<std::size_t, double>>>> options(n);
    std::vector<std::size_t> variables;
    for (std::size_t i = 0; i < n; ++i)
        if (acts.actions[i].type == ActionType::Variable)
            variables.push_back(i);
    const std::vector<int> leaders = [&] {
        std::vector<int> l;
        if (rules.leading)
            for (std::size_t v : variables)
                l.push_back(static_cast<int>(v));
        if (l.empty())
            l.push_back(-1);
        return l;
    }();
    for (int leader : leaders) {
        for (std::size_t i = 0; i < n; ++i) {
            const Action& a = acts.actions[i];
            options[i].clear();
            const auto add = [&](const std::vector<Arrangement>& arrangements, double factor) {
                for (const Arrangement& arr : arrangements) {
                    std::vector<std::pair<std::size_t, double>> o;
                    for (const auto& c : arr)
                        o.push_back({index.at(a.cases[c.first]), c.second * factor});
                    options[i].push_back(o);
                }
            };
            switch (a.type) {
            case ActionType::Permanent:
                add(Arrangements(a, false, false), rules.gSup);
                if (rules.gInf != rules.gSup)
                    add(Arrangements(a, false, false), rules.gInf);
                break;
            case ActionType::Prestress:
                add(Arrangements(a, false, false), rules.gP);
                break;
            case ActionType::Variable:
                add(Arrangements(a, true, false),
                    static_cast<int>(i) == leader ? rules.lead[i] : rules.acc[i]);
                break;
            default: // accidental and seismic: in their own situation only, always present
                if (static_cast<int>(i) == special)
                    add(Arrangements(a, false, a.type == ActionType::Seismic), 1.0);
                else
                    options[i].push_back({});
                break;
            }
        }
        // The Cartesian product, variable actions that exclude each other never both present.
        std::vector<std::size_t> pick(n, 0);
        for (;;) {
            bool clash = false;
            for (std::size_t i : variables)
                for (std::size_t j : variables)
                    if (!options[i][pick[i]].empty() && !options[j][pick[j]].empty())
                        for (const std::string& other : acts.actions[i].notWith)
                            clash = clash || other == acts.actions[j].name;
            if (!clash) {
                std::vector<double> f(index.size(), 0.0);
                for (std::size_t i = 0; i < n; ++i)
                    for (const auto& c : options[i][pick[i]])
                        f[c.first] = c.second;
                out.push_back(f);
            }
            std::size_t k = 0;
            while (k < n && ++pick[k] == options[k].size())
                pick[k++] = 0;
            if (k == n)
                break;
        }
    }
}

// ASCE 7-16: a term is the actions of one load type at a factor, or a choice of at most one action among
// several types ("Lr or S or R"); Eh carries the factor of Ev acting with it.
struct UsTerm {
    std::vector<std::string> types;
    std::vector<double> factors; // one a type
    double ev = 0.0;
};
using UsRule = std::vector<UsTerm>;

std::vector<UsRule> UsRules(bool lrfd, double lf) {
    const UsTerm roof5{{"Lr", "S", "R"}, {0.5, 0.5, 0.5}}, roof16{{"Lr", "S", "R"}, {1.6, 1.6, 1.6}},
        roof1{{"Lr", "S", "R"}, {1.0, 1.0, 1.0}}, roof75{{"Lr", "S", "R"}, {0.75, 0.75, 0.75}};
    const auto one = [](const char* type, double factor) { return UsTerm{{type}, {factor}}; };
    if (lrfd)
        return {{one("D", 1.4)},
                {one("D", 1.2), one("L", 1.6), roof5},
                {one("D", 1.2), roof16, UsTerm{{"L", "W"}, {lf, 0.5}}},
                {one("D", 1.2), one("W", 1.0), one("L", lf), roof5},
                {one("D", 0.9), one("W", 1.0)},
                {one("D", 1.2), UsTerm{{"Eh"}, {1.0}, 1.0}, one("L", lf), one("S", 0.2)},
                {one("D", 0.9), UsTerm{{"Eh"}, {1.0}, -1.0}}};
    return {{one("D", 1.0)},
            {one("D", 1.0), one("L", 1.0)},
            {one("D", 1.0), roof1},
            {one("D", 1.0), one("L", 0.75), roof75},
            {one("D", 1.0), one("W", 0.6)},
            {one("D", 1.0), one("L", 0.75), one("W", 0.75 * 0.6), roof75},
            {one("D", 0.6), one("W", 0.6)},
            {one("D", 1.0), UsTerm{{"Eh"}, {0.7}, 0.7}},
            {one("D", 1.0), UsTerm{{"Eh"}, {0.525}, 0.525}, one("L", 0.75), one("S", 0.75)},
            {one("D", 0.6), UsTerm{{"Eh"}, {0.7}, -0.7}}};
}

// An option of a term: the cases with their factors, and the actions present.
struct Option {
    std::vector<std::pair<std::size_t, double>> cases;
    std::vector<std::size_t> present;
};

// A variable action's arrangements: W and Eh either way unless their cases are exclusive; free cases each
// absent or acting (either way, for W and Eh).
std::vector<Arrangement> UsArrangements(const Action& a) {
    const bool signs = (a.kind == "W" || a.kind == "Eh") && a.acting != Acting::Exclusive;
    if (a.acting != Acting::Free || !signs)
        return Arrangements(a, false, signs);
    std::vector<Arrangement> out;
    const std::size_t n = a.cases.size();
    std::size_t count = 1;
    for (std::size_t c = 0; c < n; ++c)
        count *= 3;
    for (std::size_t code = 1; code < count; ++code) {
        Arrangement some;
        for (std::size_t c = 0, rest = code; c < n; ++c, rest /= 3)
            if (rest % 3 != 0)
                some.push_back({c, rest % 3 == 1 ? 1.0 : -1.0});
        out.push_back(some);
    }
    return out;
}

void EnumerateUs(const Actions& acts, const std::map<std::string, std::size_t>& index, const UsRule& rule,
                 std::vector<std::vector<double>>& out) {
    const std::size_t n = acts.actions.size();
    const auto caseOf = [&](std::size_t action, std::size_t c) {
        return index.at(acts.actions[action].cases[c]);
    };
    // Ev's cases at factor 1 of it: its own, or those of the action it is a factor of.
    std::vector<std::pair<std::size_t, double>> ev;
    for (const Action& a : acts.actions)
        if (a.kind == "Ev") {
            if (a.of.empty()) {
                for (const std::string& c : a.cases)
                    ev.push_back({index.at(c), 1.0});
            } else {
                for (const Action& b : acts.actions)
                    if (b.name == a.of)
                        for (const std::string& c : b.cases)
                            ev.push_back({index.at(c), a.ofFactor});
            }
        }
    std::vector<std::vector<Option>> fixed, slots; // D's terms first: their factors are added first
    for (const UsTerm& t : rule) {
        if (t.types.size() == 1 && t.types[0] == "D") {
            for (std::size_t i = 0; i < n; ++i)
                if (acts.actions[i].kind == "D") {
                    fixed.emplace_back();
                    for (const Arrangement& arr : Arrangements(acts.actions[i], false, false)) {
                        Option o{{}, {i}};
                        for (const auto& c : arr)
                            o.cases.push_back({caseOf(i, c.first), c.second * t.factors[0]});
                        fixed.back().push_back(o);
                    }
                }
            continue;
        }
        const auto options = [&](std::size_t i, double factor) {
            std::vector<Option> out;
            for (const Arrangement& arr : UsArrangements(acts.actions[i])) {
                Option o{{}, {i}};
                for (const auto& c : arr)
                    o.cases.push_back({caseOf(i, c.first), c.second * factor});
                if (t.ev != 0.0)
                    for (const auto& c : ev)
                        o.cases.push_back({c.first, t.ev * c.second});
                out.push_back(o);
            }
            return out;
        };
        if (t.types.size() == 1) { // each action of the type present or not
            for (std::size_t i = 0; i < n; ++i)
                if (acts.actions[i].kind == t.types[0]) {
                    slots.push_back({Option()});
                    for (const Option& o : options(i, t.factors[0]))
                        slots.back().push_back(o);
                }
        } else { // at most one action of the types
            slots.push_back({Option()});
            for (std::size_t k = 0; k < t.types.size(); ++k)
                for (std::size_t i = 0; i < n; ++i)
                    if (acts.actions[i].kind == t.types[k])
                        for (const Option& o : options(i, t.factors[k]))
                            slots.back().push_back(o);
        }
    }
    fixed.insert(fixed.end(), slots.begin(), slots.end());
    std::vector<std::size_t> pick(fixed.size(), 0);
    for (;;) {
        std::vector<bool> present(n, false);
        for (std::size_t s = 0; s < fixed.size(); ++s)
            for (std::size_t i : fixed[s][pick[s]].present)
                present[i] = true;
        bool clash = false;
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = 0; j < n; ++j)
                if (present[i] && present[j])
                    for (const std::string& other : acts.actions[i].notWith)
                        clash = clash || other == acts.actions[j].name;
        if (!clash) {
            std::vector<double> f(index.size(), 0.0);
            for (std::size_t s = 0; s < fixed.size(); ++s)
                for (const auto& c : fixed[s][pick[s]].cases)
                    f[c.first] += c.second;
            out.push_back(f);
        }
        std::size_t k = 0;
        while (k < fixed.size() && ++pick[k] == fixed[k].size())
            pick[k++] = 0;
        if (k == fixed.size())
            break;
    }
}

} // namespace

std::vector<std::vector<double>> Combinations(const Actions& actions,
                                              const std::vector<std::string>& caseNames,
                                              const std::string& situation) {
    std::map<std::string, std::size_t> index;
    for (std::size_t k = 0; k < caseNames.size(); ++k)
        index.emplace(caseNames[k], k);
    std::vector<std::vector<double>> out;
    if (situation == "LRFD" || situation == "ASD") {
        const auto half = actions.options.find("L_factor_0.5");
        const bool l05 = half != actions.options.end() && half->second.front() == "true";
        for (const UsRule& rule : UsRules(situation == "LRFD", l05 ? 0.5 : 1.0))
            EnumerateUs(actions, index, rule, out);
        return out;
    }
    int special = -1;
    for (std::size_t i = 0; i < actions.actions.size(); ++i) {
        const Action& a = actions.actions[i];
        if ((a.type == ActionType::Accidental && situation == "accidental " + a.name) ||
            (a.type == ActionType::Seismic && (situation == "seismic" || situation == "seismic " + a.name)))
            special = static_cast<int>(i);
    }
    if (situation == "ULS" && actions.options.at("uls").front() == "6.10a/b") {
        Enumerate(actions, index, "6.10a", -1, out);
        Enumerate(actions, index, "6.10b", -1, out);
    } else if (situation == "ULS") {
        Enumerate(actions, index, "6.10", -1, out);
    } else if (situation == "SLS characteristic") {
        Enumerate(actions, index, "characteristic", -1, out);
    } else if (situation == "SLS frequent") {
        Enumerate(actions, index, "frequent", -1, out);
    } else if (situation == "SLS quasi-permanent") {
        Enumerate(actions, index, "quasi-permanent", -1, out);
    } else if (situation.rfind("accidental ", 0) == 0) {
        Enumerate(actions, index, "accidental", special, out);
    } else {
        Enumerate(actions, index, "seismic", special, out);
    }
    return out;
}

} // namespace ref
