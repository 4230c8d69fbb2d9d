// Reference: the combinations of EN 1990, enumerated.
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

} // namespace

std::vector<std::vector<double>> Combinations(const Actions& actions,
                                              const std::vector<std::string>& caseNames,
                                              const std::string& situation) {
    std::map<std::string, std::size_t> index;
    for (std::size_t k = 0; k < caseNames.size(); ++k)
        index.emplace(caseNames[k], k);
    std::vector<std::vector<double>> out;
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
