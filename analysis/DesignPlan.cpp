// The design situations of an actions description, formed from its code's data.
#include "DesignPlan.h"

#include "vymath/analysis/Error.h"

#include "Text.h"

#include <algorithm>
#include <functional>

namespace vymath {
namespace analysis {
namespace plan {

namespace {

using text::Quoted;

// The maximal groups of the actions (positions in `members`) that may act together, not_with splitting
// them (Bron-Kerbosch on the compatibility graph), sorted.
std::vector<std::vector<std::size_t>> CompatibleGroups(const Actions& actions,
                                                       const std::vector<std::size_t>& members) {
    std::vector<std::vector<std::size_t>> groups;
    const std::size_t n = members.size();
    std::vector<std::vector<bool>> clash(n, std::vector<bool>(n, false));
    for (std::size_t i = 0; i < n; ++i)
        for (const std::string& other : actions.actions[members[i]].notWith)
            for (std::size_t j = 0; j < n; ++j)
                if (actions.actions[members[j]].name == other)
                    clash[i][j] = clash[j][i] = true;
    std::function<void(std::vector<std::size_t>, std::vector<std::size_t>, std::vector<std::size_t>)> grow =
        [&](std::vector<std::size_t> r, std::vector<std::size_t> p, std::vector<std::size_t> x) {
            if (p.empty() && x.empty()) {
                std::sort(r.begin(), r.end());
                groups.push_back(r);
                return;
            }
            const std::vector<std::size_t> candidates = p;
            for (std::size_t v : candidates) {
                std::vector<std::size_t> r2 = r, p2, x2;
                r2.push_back(v);
                for (std::size_t u : p)
                    if (u != v && !clash[u][v])
                        p2.push_back(u);
                for (std::size_t u : x)
                    if (!clash[u][v])
                        x2.push_back(u);
                grow(r2, p2, x2);
                p.erase(std::find(p.begin(), p.end(), v));
                x.push_back(v);
            }
        };
    std::vector<std::size_t> all(n);
    for (std::size_t i = 0; i < n; ++i)
        all[i] = i;
    grow({}, all, {});
    std::sort(groups.begin(), groups.end());
    return groups;
}

class Builder {
public:
    explicit Builder(const Actions& actions) : actions(actions), code(*actions.code) {}

    std::vector<Situation> Run() {
        std::vector<Situation> out;
        for (const SituationTemplate& st : code.situations) {
            if (!Holds(st.when))
                continue;
            if (st.forEach) {
                std::vector<std::size_t> special;
                for (std::size_t k = 0; k < actions.actions.size(); ++k)
                    if (actions.actions[k].type == st.forEachRole)
                        special.push_back(k);
                for (std::size_t k : special) {
                    Situation s;
                    s.name =
                        special.size() == 1 && !st.singleName.empty() ? st.singleName : NameFor(st.name, k);
                    Variants(st, k, s);
                    out.push_back(std::move(s));
                }
                continue;
            }
            bool present = st.requiredRoles.empty();
            for (const Action& a : actions.actions)
                present = present || std::find(st.requiredRoles.begin(), st.requiredRoles.end(), a.type) !=
                                         st.requiredRoles.end();
            if (!present)
                continue;
            bool defaults = !st.defaultName.empty();
            for (const auto& w : st.when)
                defaults = defaults && actions.given.count(w.first) == 0;
            Situation s;
            s.name = defaults ? st.defaultName : st.name;
            Variants(st, kNone, s);
            out.push_back(std::move(s));
        }
        return out;
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    std::string NameFor(const std::string& pattern, std::size_t k) const {
        std::string name = pattern;
        const std::size_t at = name.find("{action}");
        return name.replace(at, 8, actions.actions[k].name);
    }

    bool Holds(const std::vector<std::pair<std::string, std::string>>& when) const {
        for (const auto& w : when) {
            const auto it = actions.options.find(w.first);
            if (it == actions.options.end() ||
                std::find(it->second.begin(), it->second.end(), w.second) == it->second.end())
                return false;
        }
        return true;
    }

    void Variants(const SituationTemplate& st, std::size_t special, Situation& s) {
        this->special = special;
        for (const RuleTemplate& rt : st.rules)
            if (Holds(rt.when))
                s.variants.push_back(VariantOf(rt));
    }

    // A named value for case c of action a (c is ignored but for psi of cases of several categories).
    double Named(const std::string& name, const Action& a, std::size_t c) const {
        if (name == "psi0" || name == "psi1" || name == "psi2") {
            const Psi p = a.casePsi.empty() ? Psi{a.psi0, a.psi1, a.psi2} : a.casePsi[c];
            return name == "psi0" ? p.psi0 : name == "psi1" ? p.psi1 : p.psi2;
        }
        const auto own = code.actionValues.find(name);
        if (own != code.actionValues.end()) {
            const auto given = a.values.find(name);
            return given != a.values.end() ? given->second : actions.values.at(own->second);
        }
        const auto value = actions.values.find(name);
        if (value != actions.values.end())
            return value->second;
        // An option whose choice names a value: the situation's special action may choose for itself.
        std::string choice = actions.options.at(name).front();
        if (special != kNone) {
            const auto mine = actions.actions[special].options.find(name);
            if (mine != actions.actions[special].options.end())
                choice = mine->second;
        }
        return Named(choice, a, c);
    }

    // The factor's product, left to right.
    double Evaluate(const Factor& f, const Action& a, std::size_t c) const {
        double v = 0.0;
        for (std::size_t k = 0; k < f.items.size(); ++k) {
            const double item = f.items[k].name.empty() ? f.items[k].number : Named(f.items[k].name, a, c);
            v = k == 0 ? item : v * item;
        }
        return v;
    }

    std::vector<std::size_t> Selected(const TermTemplate& t, const std::vector<std::string>& excluded) const {
        std::vector<std::size_t> out;
        for (std::size_t k = 0; k < actions.actions.size(); ++k) {
            const Action& a = actions.actions[k];
            if (a.type != t.role || (!t.type.empty() && a.kind != t.type))
                continue;
            if ((t.role == ActionType::Accidental || t.role == ActionType::Seismic) && k != special)
                continue;
            if (std::find(excluded.begin(), excluded.end(), a.name) != excluded.end())
                continue;
            out.push_back(k);
        }
        return out;
    }

    Variant VariantOf(const RuleTemplate& rt) {
        Variant v;
        v.label = rt.label;
        const std::vector<std::string> excluded =
            special == kNone ? std::vector<std::string>() : actions.actions[special].replaces;
        std::vector<bool> taken(actions.actions.size(), false);
        const auto take = [&](std::size_t k, const TermTemplate& t) {
            if (taken[k])
                throw Error(Error::Kind::Data, t.place + ": the action " + Quoted(actions.actions[k].name) +
                                                   " is in two terms of rule " + Quoted(rt.label));
            taken[k] = true;
        };
        for (const TermTemplate& t : rt.terms) {
            if (!t.oneOf.empty()) {
                const int c = static_cast<int>(v.choices.size());
                v.choices.push_back({false});
                for (const TermTemplate& member : t.oneOf)
                    for (std::size_t k : Selected(member, excluded)) {
                        take(k, member);
                        v.optional.push_back(OptionalOf(k, member, false, c));
                    }
            } else if (t.role == ActionType::Variable) {
                int c = -1;
                if (t.leading.Given()) {
                    c = static_cast<int>(v.choices.size());
                    v.choices.push_back({true});
                }
                for (std::size_t k : Selected(t, excluded)) {
                    take(k, t);
                    v.optional.push_back(OptionalOf(k, t, true, c));
                }
            } else {
                for (std::size_t k : Selected(t, excluded)) {
                    take(k, t);
                    v.fixed.push_back(FixedOf(k, t));
                }
            }
        }
        std::stable_sort(v.fixed.begin(), v.fixed.end(),
                         [](const Fixed& a, const Fixed& b) { return a.action < b.action; });
        std::stable_sort(v.optional.begin(), v.optional.end(),
                         [](const Optional& a, const Optional& b) { return a.action < b.action; });
        std::vector<std::size_t> members;
        for (const Optional& o : v.optional)
            members.push_back(o.action);
        v.groups = CompatibleGroups(actions, members);
        return v;
    }

    Fixed FixedOf(std::size_t k, const TermTemplate& t) const {
        const Action& a = actions.actions[k];
        Fixed f;
        f.action = k;
        f.cases = a.cases;
        if (a.type == ActionType::Prestress) {
            f.kind = FixedKind::Prestress;
            f.sup = f.inf = Evaluate(t.factor, a, 0);
            return f;
        }
        if (a.type != ActionType::Permanent) { // the situation's accidental or seismic action
            f.sup = Evaluate(t.factor, a, 0);
            if (a.components) {
                f.kind = FixedKind::Components;
                f.others = a.componentFactor;
            } else {
                f.kind = FixedKind::Present;
                f.acting = a.acting;
                f.bothSigns = code.Type(a.kind)->bothSigns;
            }
            return f;
        }
        f.sup = Evaluate(t.factor.Given() ? t.factor : t.sup, a, 0);
        f.inf = Evaluate(t.factor.Given() ? t.factor : t.inf, a, 0);
        if (a.acting == Acting::Together && a.casesInf.empty() && f.sup >= 0.0 && f.inf >= 0.0)
            return f; // FixedKind::Permanent
        f.kind = FixedKind::Parts;
        const auto scaled = [](const std::vector<std::string>& cases, double factor) {
            Arrangement arr;
            for (const std::string& c : cases)
                arr.cases.push_back({c, factor});
            return arr;
        };
        const std::vector<double> factors =
            f.sup == f.inf ? std::vector<double>{f.sup} : std::vector<double>{f.sup, f.inf};
        if (a.acting == Acting::Together) {
            f.parts.push_back(
                {scaled(a.cases, f.sup), scaled(a.casesInf.empty() ? a.cases : a.casesInf, f.inf)});
        } else if (a.acting == Acting::Exclusive) {
            f.parts.emplace_back();
            for (const std::string& c : a.cases)
                for (double factor : factors)
                    f.parts.back().push_back(scaled({c}, factor));
        } else { // reversible: each case at either sign
            for (const std::string& c : a.cases) {
                f.parts.emplace_back();
                for (double sign : {1.0, -1.0})
                    for (double factor : factors)
                        f.parts.back().push_back(scaled({c}, sign * factor));
            }
        }
        return f;
    }

    Optional OptionalOf(std::size_t k, const TermTemplate& t, bool hasBase, int choice) const {
        const Action& a = actions.actions[k];
        Optional o;
        o.action = k;
        o.choice = choice;
        o.hasBase = hasBase;
        o.free = a.acting == Acting::Free;
        // The parts' arrangements at factors +-1: free, one part a case; else one part.
        const bool bothSigns = code.Type(a.kind)->bothSigns && a.acting != Acting::Exclusive;
        const std::vector<double> signs =
            bothSigns ? std::vector<double>{1.0, -1.0} : std::vector<double>{1.0};
        std::vector<std::vector<std::pair<std::size_t, double>>> arrangements; // (case position, sign)
        std::vector<std::size_t> partOf;
        if (a.acting == Acting::Free) {
            for (std::size_t c = 0; c < a.cases.size(); ++c)
                for (double s : signs) {
                    arrangements.push_back({{c, s}});
                    partOf.push_back(c);
                }
        } else if (a.acting == Acting::Exclusive) {
            for (std::size_t c = 0; c < a.cases.size(); ++c) {
                arrangements.push_back({{c, 1.0}});
                partOf.push_back(0);
            }
        } else {
            for (double s : signs) {
                arrangements.emplace_back();
                for (std::size_t c = 0; c < a.cases.size(); ++c)
                    arrangements.back().push_back({c, s});
                partOf.push_back(0);
            }
        }
        const std::size_t parts = a.acting == Acting::Free ? a.cases.size() : 1;
        o.nested = a.acting == Acting::Exclusive || bothSigns;
        // The companion acting with it (Ev with Eh), at the term's factor for it.
        std::vector<CaseFactor> companion;
        if (!t.with.empty())
            for (const Action& e : actions.actions)
                if (e.type == ActionType::Companion && e.kind == t.with.front().type) {
                    const double factor = Evaluate(t.with.front().factor, e, 0);
                    if (e.of.empty()) {
                        for (const std::string& c : e.cases)
                            companion.push_back({c, factor});
                    } else {
                        for (const Action& of : actions.actions)
                            if (of.name == e.of)
                                for (const std::string& c : of.cases)
                                    companion.push_back({c, factor * e.ofFactor});
                    }
                }
        std::vector<double> base(a.cases.size(), 0.0), pick(a.cases.size(), 0.0);
        for (std::size_t c = 0; c < a.cases.size(); ++c) {
            if (hasBase)
                base[c] = Evaluate(t.factor, a, c);
            if (choice >= 0)
                pick[c] = Evaluate(hasBase ? t.leading : t.factor, a, c);
        }
        const auto same = [](const std::vector<double>& v) {
            return std::all_of(v.begin(), v.end(), [&](double x) { return x == v.front() && x >= 0.0; });
        };
        o.uniform = companion.empty() && same(base) && same(pick);
        const auto build = [&](const std::vector<double>* factors) {
            std::vector<std::vector<Arrangement>> out(parts);
            for (std::size_t i = 0; i < arrangements.size(); ++i) {
                Arrangement arr;
                for (const auto& cs : arrangements[i])
                    arr.cases.push_back(
                        {a.cases[cs.first], factors ? cs.second * (*factors)[cs.first] : cs.second});
                arr.direct = factors == nullptr && a.acting != Acting::Together && arr.cases.size() == 1 &&
                             arr.cases.front().factor == 1.0;
                if (factors)
                    arr.cases.insert(arr.cases.end(), companion.begin(), companion.end());
                out[partOf[i]].push_back(arr);
            }
            return out;
        };
        if (o.uniform) {
            o.unit = build(nullptr);
            o.base = base.front();
            o.pick = pick.front();
        } else {
            if (hasBase)
                o.atBase = build(&base);
            if (choice >= 0)
                o.atPick = build(&pick);
        }
        return o;
    }

    const Actions& actions;
    const Code& code;
    std::size_t special = kNone;
};

} // namespace

std::vector<Situation> Build(const Actions& actions) {
    if (!actions.code)
        throw Error(Error::Kind::Usage, actions.source + ": the actions name no design code");
    return Builder(actions).Run();
}

} // namespace plan
} // namespace analysis
} // namespace vymath
