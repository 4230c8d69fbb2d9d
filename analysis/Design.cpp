// Design envelopes: each situation's sides as sums of exact terms (DesignTerms.h) over the plan its code
// gives the actions (DesignPlan.h), with the combination governing every stretch; and situations given as
// rules, enveloped rule by rule. The plan as rules, and combinations as text: DesignRules.cpp.
#include "vymath/analysis/Design.h"

#include "vymath/analysis/Error.h"

#include "DesignPlan.h"
#include "DesignTerms.h"
#include "Text.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace vymath {
namespace analysis {

namespace {

using terms::Env;
using terms::F;
using terms::Taken;
using terms::Term;
using text::Quoted;

// A combination at an abscissa: the factor of every case, its rule and leading action.
struct At {
    std::vector<double> factors;
    std::string rule, leading;
};

// A side of a situation: its design value, and the combination that gives it at each abscissa.
struct Side {
    F f;
    std::function<At(double)> at;
};

// The points of f with the combination of each stretch (in the order of `order`), into the situation.
EnvelopeLine LineOf(const F& f, const std::function<At(double)>& at, const std::vector<std::size_t>& order,
                    const std::vector<std::string>& names, DesignSituation& s) {
    EnvelopeLine line;
    const std::vector<F::Point> pts = f.GetPoints();
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const std::size_t j = i + 1 < pts.size() ? i : (i == 0 ? 0 : i - 1);
        const double mid = j + 1 < pts.size() ? pts[j].x + (pts[j + 1].x - pts[j].x) / 2 : pts[j].x;
        const At a = at(mid);
        DesignCombination c;
        for (std::size_t k : order)
            if (a.factors[k] != 0.0)
                c.factors.push_back({names[k], a.factors[k]});
        auto it = std::find(s.combinations.begin(), s.combinations.end(), c);
        if (it == s.combinations.end()) {
            c.rule = a.rule;
            c.leading = a.leading;
            it = s.combinations.insert(s.combinations.end(), c);
        }
        line.x.push_back(pts[i].x);
        line.y.push_back(pts[i].y);
        line.governing.push_back(static_cast<int>(it - s.combinations.begin()));
    }
    return line;
}

void Add(const Taken& taken, double scale, std::vector<double>& factors) {
    for (const auto& c : taken)
        factors[c.first] += scale == 1.0 ? c.second : c.second * scale;
}

// The envelope of the sides, each side's combination where it governs.
Side Worst(std::vector<Side> sides, bool upper, const F& zero) {
    if (sides.empty())
        return {zero, [](double) { return At(); }};
    if (sides.size() == 1)
        return sides.front();
    std::vector<const F*> fs;
    for (const Side& s : sides)
        fs.push_back(&s.f);
    const std::shared_ptr<Env> env = terms::Envelope(fs, upper);
    auto all = std::make_shared<std::vector<Side>>(std::move(sides));
    return {env->f, [env, all](double x) { return (*all)[static_cast<std::size_t>(env->LabelAt(x))].at(x); }};
}

// A situation's lower and upper envelope: on each side the worst of its parts' sides (sideOf(part, upper)).
template <class Part, class SideOf>
DesignSituation Enveloped(const std::string& name, const std::vector<Part>& parts, SideOf sideOf,
                          const F& zero, const std::vector<std::size_t>& order,
                          const std::vector<std::string>& names) {
    DesignSituation s;
    s.name = name;
    for (bool upper : {false, true}) {
        std::vector<Side> sides;
        for (const Part& p : parts)
            sides.push_back(sideOf(p, upper));
        const Side side = Worst(std::move(sides), upper, zero);
        (upper ? s.upper : s.lower) = LineOf(side.f, side.at, order, names, s);
    }
    return s;
}

// The design envelopes of an actions description under its code's plan.
class Builder {
public:
    Builder(const Actions& actions, const std::vector<std::string>& caseNames,
            const std::vector<const F*>& uppers, const std::vector<const F*>& lowers)
        : actions(actions), names(caseNames), terms(caseNames, uppers, lowers) {
        for (const std::string& c : CasesOf(actions))
            order.push_back(terms.Index(c));
    }

    std::vector<DesignSituation> Run() {
        std::vector<DesignSituation> out;
        for (const plan::Situation& ps : plan::Build(actions))
            out.push_back(Enveloped(
                ps.name, ps.variants,
                [this](const plan::Variant& v, bool upper) { return VariantSide(v, upper); }, terms.Zero(),
                order, names));
        return out;
    }

private:
    // The terms of an optional action in a variant.
    struct OptionalTerms {
        std::shared_ptr<Term> unit, atBase, atPick;
    };

    // A group of optional actions acting together: its members, each choice's envelope of bonuses and the
    // members it picks from, and its total.
    struct Group {
        std::vector<std::size_t> members;
        std::vector<std::shared_ptr<Env>> choice;
        std::vector<std::vector<std::size_t>> choiceMembers;
        F total;
    };

    std::shared_ptr<Term> FixedTerm(const plan::Fixed& f, bool upper) const {
        switch (f.kind) {
        case plan::FixedKind::Permanent:
            return std::make_shared<Term>(terms.Permanent(f.cases, f.sup, f.inf, upper));
        case plan::FixedKind::Prestress:
            return std::make_shared<Term>(terms.Prestress(f.cases, f.sup, upper));
        case plan::FixedKind::Present:
            return std::make_shared<Term>(terms.Present(f.cases, f.acting, f.sup, f.bothSigns, upper));
        case plan::FixedKind::Components: {
            // Each component in turn at the factor, the others at `others` times it, every sign.
            const double lead = f.sup, other = f.others * f.sup;
            std::vector<std::vector<plan::Arrangement>> parts(1);
            const std::size_t n = f.cases.size();
            for (std::size_t i = 0; i < n; ++i)
                for (unsigned signs = 0; signs < (1u << n); ++signs) {
                    plan::Arrangement a;
                    for (std::size_t j = 0; j < n; ++j)
                        a.cases.push_back(
                            {f.cases[j], (signs >> j & 1u ? -1.0 : 1.0) * (j == i ? lead : other)});
                    parts.front().push_back(a);
                }
            return std::make_shared<Term>(terms.Parts(parts, false, false, false, upper));
        }
        default:
            return std::make_shared<Term>(terms.Parts(f.parts, false, false, true, upper));
        }
    }

    OptionalTerms Optional(const plan::Optional& o, bool upper) {
        OptionalTerms t;
        if (o.uniform) {
            std::shared_ptr<Term>& cached = (upper ? unitUpper : unitLower)[o.action];
            if (!cached)
                cached = std::make_shared<Term>(terms.Parts(o.unit, true, o.nested, o.free, upper));
            t.unit = cached;
            return t;
        }
        if (o.hasBase)
            t.atBase = std::make_shared<Term>(terms.Parts(o.atBase, true, o.nested, o.free, upper));
        if (o.choice >= 0)
            t.atPick = std::make_shared<Term>(terms.Parts(o.atPick, true, o.nested, o.free, upper));
        return t;
    }

    Side VariantSide(const plan::Variant& v, bool upper) {
        std::vector<std::shared_ptr<Term>> fixed;
        std::vector<const F*> sum;
        for (const plan::Fixed& f : v.fixed) {
            fixed.push_back(FixedTerm(f, upper));
            sum.push_back(&fixed.back()->f);
        }
        auto optional = std::make_shared<std::vector<OptionalTerms>>();
        for (const plan::Optional& o : v.optional)
            optional->push_back(Optional(o, upper));
        // Each group at its base factors, with the best pick of each choice on top; the best group.
        auto groups = std::make_shared<std::vector<Group>>();
        for (const std::vector<std::size_t>& members : v.groups) {
            if (members.empty())
                continue;
            Group g;
            g.members = members;
            std::vector<const F*> parts;
            std::vector<double> factors;
            for (std::size_t m : members) {
                const plan::Optional& o = v.optional[m];
                if (!o.hasBase)
                    continue;
                parts.push_back(o.uniform ? &(*optional)[m].unit->f : &(*optional)[m].atBase->f);
                factors.push_back(o.uniform ? o.base : 1.0);
            }
            for (std::size_t c = 0; c < v.choices.size(); ++c) {
                std::vector<std::size_t> candidates;
                for (std::size_t m : members)
                    if (v.optional[m].choice == static_cast<int>(c))
                        candidates.push_back(m);
                g.choiceMembers.push_back(candidates);
                if (candidates.empty()) {
                    g.choice.push_back(nullptr);
                    continue;
                }
                std::vector<F> bonus;
                bonus.reserve(candidates.size());
                std::vector<const F*> choices;
                for (std::size_t m : candidates) {
                    const plan::Optional& o = v.optional[m];
                    const OptionalTerms& t = (*optional)[m];
                    if (o.uniform)
                        bonus.push_back(terms::Sum({&t.unit->f}, {o.pick - (o.hasBase ? o.base : 0.0)}));
                    else if (o.hasBase)
                        bonus.push_back(terms::Sum({&t.atPick->f, &t.atBase->f}, {1.0, -1.0}));
                    else
                        bonus.push_back(t.atPick->f);
                    choices.push_back(&bonus.back());
                }
                g.choice.push_back(terms::Envelope(choices, upper));
                parts.push_back(&g.choice.back()->f);
                factors.push_back(1.0);
            }
            g.total = terms::Sum(parts, factors);
            groups->push_back(std::move(g));
        }
        std::shared_ptr<Env> best;
        if (groups->size() > 1) {
            std::vector<const F*> totals;
            for (const Group& g : *groups)
                totals.push_back(&g.total);
            best = terms::Envelope(totals, upper);
            sum.push_back(&best->f);
        } else if (groups->size() == 1) {
            sum.push_back(&groups->front().total);
        }
        Side side;
        side.f = sum.empty() ? terms.Zero() : terms::Sum(sum, std::vector<double>(sum.size(), 1.0));
        const std::size_t cases = terms.Cases();
        side.at = [this, cases, &v, fixed, optional, groups, best](double x) {
            At a;
            a.rule = v.label;
            a.factors.assign(cases, 0.0);
            Taken taken;
            for (const std::shared_ptr<Term>& t : fixed)
                t->take(x, taken);
            Add(taken, 1.0, a.factors);
            if (groups->empty())
                return a;
            const Group& g = (*groups)[best ? static_cast<std::size_t>(best->LabelAt(x)) : 0];
            std::vector<std::size_t> picked(v.choices.size(), static_cast<std::size_t>(-1));
            for (std::size_t c = 0; c < v.choices.size(); ++c)
                if (g.choice[c])
                    picked[c] = g.choiceMembers[c][static_cast<std::size_t>(g.choice[c]->LabelAt(x))];
            for (std::size_t m : g.members) {
                const plan::Optional& o = v.optional[m];
                const OptionalTerms& t = (*optional)[m];
                const bool isPicked = o.choice >= 0 && picked[static_cast<std::size_t>(o.choice)] == m;
                if (!isPicked && !o.hasBase)
                    continue;
                taken.clear();
                if (o.uniform)
                    t.unit->take(x, taken);
                else
                    (isPicked ? t.atPick : t.atBase)->take(x, taken);
                Add(taken, o.uniform ? (isPicked ? o.pick : o.base) : 1.0, a.factors);
                if (isPicked && v.choices[static_cast<std::size_t>(o.choice)].leading && !taken.empty() &&
                    (!o.uniform || o.pick != o.base))
                    a.leading = actions.actions[o.action].name;
            }
            return a;
        };
        return side;
    }

    const Actions& actions;
    const std::vector<std::string>& names;
    terms::Terms terms;
    std::vector<std::size_t> order; // the actions' cases, as indexes of the input's cases
    std::map<std::size_t, std::shared_ptr<Term>> unitUpper, unitLower; // by action: the same in every rule
};

// The design envelopes of situations given as rules: each rule the sum of its terms' envelopes.
class RulesBuilder {
public:
    RulesBuilder(const std::vector<SituationRules>& situations, const std::vector<std::string>& caseNames,
                 const std::vector<const F*>& uppers, const std::vector<const F*>& lowers)
        : situations(situations), names(caseNames), terms(caseNames, uppers, lowers) {
        std::vector<bool> seen(caseNames.size(), false);
        for (const SituationRules& s : situations)
            for (const Rule& r : s.rules)
                for (const RuleTerm& t : r.terms)
                    for (const Alternative& a : t.alternatives)
                        for (const CaseFactor& c : a.factors) {
                            const std::size_t k = terms.Index(c.loadCase);
                            if (!seen[k])
                                order.push_back(k);
                            seen[k] = true;
                        }
    }

    std::vector<DesignSituation> Run() const {
        std::vector<DesignSituation> out;
        for (const SituationRules& sr : situations)
            out.push_back(Enveloped(
                sr.name, sr.rules, [this](const Rule& r, bool upper) { return RuleSide(r, upper); },
                terms.Zero(), order, names));
        return out;
    }

private:
    Side RuleSide(const Rule& r, bool upper) const {
        auto parts = std::make_shared<std::vector<Term>>();
        for (const RuleTerm& t : r.terms) {
            // The term's alternatives, the empty one as 0.
            std::vector<std::unique_ptr<F>> owned;
            std::vector<const F*> fs;
            auto taken = std::make_shared<std::vector<Taken>>();
            for (const Alternative& a : t.alternatives) {
                owned.push_back(std::make_unique<F>(terms.Arranged(a.factors, upper)));
                fs.push_back(owned.back().get());
                taken->emplace_back();
                for (const CaseFactor& c : a.factors)
                    taken->back().push_back({terms.Index(c.loadCase), c.factor});
            }
            if (fs.empty())
                throw Error(Error::Kind::Data, "rule " + Quoted(r.label) + ": the term of " +
                                                   Quoted(t.action) + " has no alternative");
            Term term;
            if (fs.size() == 1) {
                term.f = *fs.front();
                term.take = [taken](double, Taken& out) {
                    out.insert(out.end(), taken->front().begin(), taken->front().end());
                };
            } else {
                const std::shared_ptr<Env> env = terms::Envelope(fs, upper);
                term.f = env->f;
                term.take = [taken, env](double x, Taken& out) {
                    const Taken& t = (*taken)[static_cast<std::size_t>(env->LabelAt(x))];
                    out.insert(out.end(), t.begin(), t.end());
                };
            }
            parts->push_back(std::move(term));
        }
        std::vector<const F*> fs;
        for (const Term& t : *parts)
            fs.push_back(&t.f);
        Side side;
        side.f = fs.empty() ? terms.Zero() : terms::Sum(fs, std::vector<double>(fs.size(), 1.0));
        const std::size_t cases = terms.Cases();
        side.at = [parts, cases, &r](double x) {
            At a;
            a.rule = r.label;
            a.leading = r.leading;
            a.factors.assign(cases, 0.0);
            Taken taken;
            for (const Term& t : *parts)
                t.take(x, taken);
            Add(taken, 1.0, a.factors);
            return a;
        };
        return side;
    }

    const std::vector<SituationRules>& situations;
    const std::vector<std::string>& names;
    terms::Terms terms;
    std::vector<std::size_t> order;
};

} // namespace

std::vector<DesignSituation> DesignEnvelopes(const Actions& actions,
                                             const std::vector<std::string>& caseNames,
                                             const std::vector<const CVyMathFunction1D*>& diagrams) {
    return Builder(actions, caseNames, diagrams, diagrams).Run();
}

std::vector<DesignSituation> DesignEnvelopes(const Actions& actions,
                                             const std::vector<std::string>& caseNames,
                                             const std::vector<const CVyMathFunction1D*>& uppers,
                                             const std::vector<const CVyMathFunction1D*>& lowers) {
    return Builder(actions, caseNames, uppers, lowers).Run();
}

std::vector<DesignSituation> DesignEnvelopes(const std::vector<SituationRules>& situations,
                                             const std::vector<std::string>& caseNames,
                                             const std::vector<const CVyMathFunction1D*>& uppers,
                                             const std::vector<const CVyMathFunction1D*>& lowers) {
    return RulesBuilder(situations, caseNames, uppers, lowers).Run();
}

} // namespace analysis
} // namespace vymath
