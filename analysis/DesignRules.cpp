// Design rules as data: a code's plan expanded into rules (a term an action, a rule a sum of terms), the
// distinct combinations of a situation's rules, and a combination as text.
#include "vymath/analysis/Design.h"

#include "DesignPlan.h"
#include "Text.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>
#include <string>

namespace vymath {
namespace analysis {

namespace {

using text::Quoted;
using text::Readable;

// The rules of a plan's situations.
class Expander {
public:
    explicit Expander(const Actions& actions) : actions(actions) {}

    std::vector<SituationRules> Run() const {
        std::vector<SituationRules> out;
        for (const plan::Situation& ps : plan::Build(actions)) {
            SituationRules sr;
            sr.name = ps.name;
            for (const plan::Variant& v : ps.variants)
                Rules(v, sr.rules);
            out.push_back(std::move(sr));
        }
        return out;
    }

private:
    using Terms = std::vector<std::pair<std::size_t, RuleTerm>>; // (action, term)

    static Alternative Of(const std::vector<CaseFactor>& cases) { return {cases}; }

    static std::vector<CaseFactor> Scaled(const std::vector<std::string>& cases, double factor) {
        std::vector<CaseFactor> out;
        for (const std::string& c : cases)
            out.push_back({c, factor});
        return out;
    }

    // The ways a present action's terms may read: one list of terms, or one a rule of their own.
    std::vector<Terms> FixedTerms(const plan::Fixed& f) const {
        const std::string& name = actions.actions[f.action].name;
        const auto term = [&](std::vector<Alternative> alternatives) {
            return std::make_pair(f.action, RuleTerm{name, std::move(alternatives)});
        };
        switch (f.kind) {
        case plan::FixedKind::Permanent:
            if (f.sup == f.inf)
                return {{term({Of(Scaled(f.cases, f.sup))})}};
            return {{term({Of(Scaled(f.cases, f.sup)), Of(Scaled(f.cases, f.inf))})}};
        case plan::FixedKind::Prestress:
            return {{term({Of(Scaled(f.cases, f.sup))})}};
        case plan::FixedKind::Parts: {
            Terms out;
            for (const std::vector<plan::Arrangement>& part : f.parts) {
                std::vector<Alternative> alternatives;
                for (const plan::Arrangement& a : part)
                    alternatives.push_back(Of(a.cases));
                out.push_back(term(alternatives));
            }
            return {out};
        }
        case plan::FixedKind::Components: {
            // A rule per leading component, each component a term of either sign.
            std::vector<Terms> out;
            for (std::size_t i = 0; i < f.cases.size(); ++i) {
                out.emplace_back();
                for (std::size_t j = 0; j < f.cases.size(); ++j) {
                    const double factor = j == i ? f.sup : f.others * f.sup;
                    out.back().push_back(term({Of({{f.cases[j], factor}}), Of({{f.cases[j], -factor}})}));
                }
            }
            return out;
        }
        default:
            break;
        }
        // Present: the arrangements at the factor, at both signs for a seismic action; a free action's
        // non-empty subsets as one rule per case present (and sign), the others each present or not.
        const std::vector<double> signs =
            f.bothSigns ? std::vector<double>{f.sup, -f.sup} : std::vector<double>{f.sup};
        if (f.acting == Acting::Together) {
            std::vector<Alternative> alternatives;
            for (double s : signs)
                alternatives.push_back(Of(Scaled(f.cases, s)));
            return {{term(alternatives)}};
        }
        if (f.acting == Acting::Exclusive) {
            std::vector<Alternative> alternatives;
            for (double s : signs)
                for (const std::string& c : f.cases)
                    alternatives.push_back(Of({{c, s}}));
            return {{term(alternatives)}};
        }
        std::vector<Terms> out;
        for (double s : signs)
            for (std::size_t j = 0; j < f.cases.size(); ++j) {
                out.emplace_back();
                for (std::size_t i = 0; i < f.cases.size(); ++i)
                    out.back().push_back(i == j ? term({Of({{f.cases[i], s}})})
                                                : term({Alternative(), Of({{f.cases[i], s}})}));
            }
        return out;
    }

    // An optional action's terms at its base or pick factor: a term a part, absence its first alternative.
    Terms OptionalTerms(const plan::Optional& o, bool picked) const {
        Terms out;
        const auto& parts = o.uniform ? o.unit : picked ? o.atPick : o.atBase;
        const double scale = o.uniform ? (picked ? o.pick : o.base) : 1.0;
        for (const std::vector<plan::Arrangement>& part : parts) {
            RuleTerm t{actions.actions[o.action].name, {Alternative()}};
            for (const plan::Arrangement& a : part) {
                Alternative alt;
                for (const CaseFactor& c : a.cases)
                    alt.factors.push_back({c.loadCase, o.uniform ? c.factor * scale : c.factor});
                t.alternatives.push_back(alt);
            }
            out.push_back({o.action, t});
        }
        return out;
    }

    void Rules(const plan::Variant& v, std::vector<Rule>& rules) const {
        // The present actions: every combination of their readings.
        std::vector<Terms> fixed{{}};
        for (const plan::Fixed& f : v.fixed) {
            std::vector<Terms> next;
            for (const Terms& before : fixed)
                for (const Terms& reading : FixedTerms(f)) {
                    next.push_back(before);
                    next.back().insert(next.back().end(), reading.begin(), reading.end());
                }
            fixed = std::move(next);
        }
        const std::size_t none = static_cast<std::size_t>(-1);
        for (const std::vector<std::size_t>& group : v.groups) {
            // Each choice's picks in the group: its members that differ from their base, and none where a
            // member is the same either way (or the choice has no member here).
            std::vector<std::vector<std::size_t>> picks;
            for (std::size_t c = 0; c < v.choices.size(); ++c) {
                picks.emplace_back();
                bool same = true;
                for (std::size_t m : group) {
                    const plan::Optional& o = v.optional[m];
                    if (o.choice != static_cast<int>(c))
                        continue;
                    if (o.hasBase && o.uniform && o.pick == o.base)
                        continue;
                    picks.back().push_back(m);
                    same = false;
                }
                for (std::size_t m : group)
                    same = same || (v.optional[m].choice == static_cast<int>(c) && v.optional[m].hasBase &&
                                    v.optional[m].uniform && v.optional[m].pick == v.optional[m].base);
                // None picked here: the choice picks an action of another group (absent in this one).
                bool elsewhere = false;
                for (std::size_t m = 0; m < v.optional.size(); ++m)
                    elsewhere = elsewhere || (v.optional[m].choice == static_cast<int>(c) &&
                                              std::find(group.begin(), group.end(), m) == group.end());
                if (same || picks.back().empty() || elsewhere)
                    picks.back().push_back(none);
            }
            std::vector<std::size_t> at(picks.size(), 0);
            for (;;) {
                Rule r;
                r.label = v.label;
                Terms optional;
                for (std::size_t m : group) {
                    const plan::Optional& o = v.optional[m];
                    const bool picked =
                        o.choice >= 0 &&
                        picks[static_cast<std::size_t>(o.choice)][at[static_cast<std::size_t>(o.choice)]] ==
                            m;
                    if (picked && v.choices[static_cast<std::size_t>(o.choice)].leading)
                        r.leading = actions.actions[o.action].name;
                    if (picked || o.hasBase) {
                        const Terms t = OptionalTerms(o, picked);
                        optional.insert(optional.end(), t.begin(), t.end());
                    }
                }
                for (const Terms& reading : fixed) {
                    Terms all = reading;
                    all.insert(all.end(), optional.begin(), optional.end());
                    std::stable_sort(all.begin(), all.end(),
                                     [](const auto& a, const auto& b) { return a.first < b.first; });
                    Rule one = r;
                    for (auto& t : all)
                        one.terms.push_back(std::move(t.second));
                    if (std::find_if(rules.begin(), rules.end(),
                                     [&](const Rule& o) { return Same(o, one); }) == rules.end())
                        rules.push_back(std::move(one));
                }
                std::size_t k = 0;
                while (k < at.size() && ++at[k] == picks[k].size())
                    at[k++] = 0;
                if (k == at.size())
                    break;
            }
        }
    }

    static bool Same(const Rule& a, const Rule& b) {
        if (a.label != b.label || a.leading != b.leading || a.terms.size() != b.terms.size())
            return false;
        for (std::size_t t = 0; t < a.terms.size(); ++t) {
            const RuleTerm &x = a.terms[t], &y = b.terms[t];
            if (x.action != y.action || x.alternatives.size() != y.alternatives.size())
                return false;
            for (std::size_t k = 0; k < x.alternatives.size(); ++k) {
                const auto &p = x.alternatives[k].factors, &q = y.alternatives[k].factors;
                if (p.size() != q.size())
                    return false;
                for (std::size_t c = 0; c < p.size(); ++c)
                    if (p[c].loadCase != q[c].loadCase || p[c].factor != q[c].factor)
                        return false;
            }
        }
        return true;
    }

    const Actions& actions;
};

// A factor of 0 or more to 4 significant digits, rounded half up from its shortest decimal form, as by
// hand: 0.85 * 1.35, stored just below 1.1475, is 1.148 (rounding the stored value would give 1.147).
std::string FactorText(double v) {
    char buf[40];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific); // "1.1475e+00"
    const std::string s(buf, r.ptr);
    const std::size_t e = s.find('e');
    std::string digits;
    for (std::size_t i = 0; i < e; ++i)
        if (s[i] != '.')
            digits += s[i];
    if (digits.size() <= 4 || digits[4] < '5')
        return Readable(v, 4);
    digits.resize(4);
    int exponent = std::stoi(s.substr(e + 1));
    std::size_t k = 4;
    while (k > 0 && digits[k - 1] == '9')
        digits[--k] = '0';
    if (k == 0) { // 9.9995 and the like: one more digit before the point
        digits = "1000";
        ++exponent;
    } else {
        ++digits[k - 1];
    }
    const std::string rounded = digits.substr(0, 1) + "." + digits.substr(1) + "e" + std::to_string(exponent);
    double value = 0.0;
    std::from_chars(rounded.data(), rounded.data() + rounded.size(), value);
    return Readable(value, 4);
}

} // namespace

std::string DesignCombination::Text() const {
    if (factors.empty())
        return "0";
    std::string out;
    for (std::size_t k = 0; k < factors.size(); ++k) {
        const double v = factors[k].second;
        if (k > 0)
            out += v < 0 ? " - " : " + ";
        else if (v < 0)
            out += "-";
        out += FactorText(v < 0 ? -v : v) + "*";
        const std::string& name = factors[k].first;
        out += name.find_first_of(" \t\"+-*") == std::string::npos ? name : Quoted(name);
    }
    return out;
}

std::string DesignCombination::Label() const {
    if (leading.empty())
        return rule;
    return rule.empty() ? leading + " leading" : rule + ", " + leading + " leading";
}

std::vector<SituationRules> DesignRules(const Actions& actions) {
    return Expander(actions).Run();
}

std::vector<DesignCombination> DistinctCombinations(const SituationRules& situation, std::size_t limit,
                                                    std::size_t& count) {
    std::vector<std::string> cases; // in order of appearance
    std::map<std::string, std::size_t> index;
    for (const Rule& r : situation.rules)
        for (const RuleTerm& t : r.terms)
            for (const Alternative& a : t.alternatives)
                for (const CaseFactor& c : a.factors)
                    if (index.emplace(c.loadCase, cases.size()).second)
                        cases.push_back(c.loadCase);
    std::set<std::vector<double>> seen;
    std::vector<DesignCombination> out;
    for (const Rule& r : situation.rules) {
        if (std::any_of(r.terms.begin(), r.terms.end(),
                        [](const RuleTerm& t) { return t.alternatives.empty(); }))
            continue;
        std::vector<std::size_t> pick(r.terms.size(), 0);
        for (;;) {
            std::vector<double> f(cases.size(), 0.0);
            for (std::size_t t = 0; t < r.terms.size(); ++t)
                for (const CaseFactor& c : r.terms[t].alternatives[pick[t]].factors)
                    f[index.at(c.loadCase)] += c.factor;
            if (seen.insert(f).second && out.size() < limit) {
                DesignCombination c;
                for (std::size_t k = 0; k < f.size(); ++k)
                    if (f[k] != 0.0)
                        c.factors.push_back({cases[k], f[k]});
                c.rule = r.label;
                c.leading = r.leading;
                out.push_back(std::move(c));
            }
            std::size_t k = r.terms.size();
            while (k > 0 && ++pick[k - 1] == r.terms[k - 1].alternatives.size())
                pick[--k] = 0;
            if (k == 0)
                break;
        }
    }
    count = seen.size();
    return out;
}

} // namespace analysis
} // namespace vymath
