// Design envelopes by EN 1990: each situation's sides as sums of exact terms (DesignTerms.h) under the
// code's rules (DesignRules.h), with the combination governing every stretch.
#include "vymath/analysis/Design.h"

#include "DesignRules.h"
#include "DesignTerms.h"
#include "Text.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <memory>
#include <string>

namespace vymath {
namespace analysis {

namespace {

using rules::Expression;
using terms::Env;
using terms::F;
using terms::Term;
using text::Quoted;
using text::Readable;

// The factor of every case at an abscissa, on one side of one expression.
using Factors = std::function<std::vector<double>(double)>;

// A side of an expression: its design value, and the combination that gives it at each abscissa.
struct Side {
    F f;
    Factors factors;
};

// Permanent actions: their cases at the upper or the lower factor, chosen where the envelope of the two
// says so.
struct PermanentTerm {
    std::vector<std::size_t> cases;
    std::shared_ptr<Env> env; // upper or lower factor, where they differ
    double sup, inf;
};

// The terms present in every combination of an expression, in the actions' order: the permanent and
// prestress actions and the situation's accidental or seismic action.
struct FixedTerms {
    std::vector<F> functions;
    std::vector<PermanentTerm> permanent;
    std::vector<std::pair<std::size_t, double>> prestress; // (case, factor)
    std::shared_ptr<Term> special;
};

// A group of variable actions that may act together: at their accompanying factors, with the best
// leading one (or none) on top.
struct Group {
    std::vector<std::size_t> members; // positions in the variable actions
    std::shared_ptr<Env> lead;        // k: members[k] leads (present or not)
    F total;
};

// The variable actions of an expression: each action's unfavourable term, the groups, and the envelope
// of the groups' totals where there are several.
struct VariableTerms {
    std::shared_ptr<std::vector<Term>> terms = std::make_shared<std::vector<Term>>();
    std::shared_ptr<std::vector<Group>> groups = std::make_shared<std::vector<Group>>();
    std::shared_ptr<Env> best;
    std::vector<double> lead, accompanying; // each action's factors
};

class Builder {
public:
    Builder(const Actions& actions, const std::vector<std::string>& caseNames,
            const std::vector<const F*>& uppers, const std::vector<const F*>& lowers)
        : actions(actions), terms(caseNames, uppers, lowers) {
        for (std::size_t i = 0; i < actions.actions.size(); ++i)
            if (actions.actions[i].type == ActionType::Variable)
                variables.push_back(i);
        groups = terms::CompatibleGroups(actions, variables);
    }

    std::vector<DesignSituation> Run() {
        std::vector<DesignSituation> out;
        for (const rules::Situation& s : rules::SituationsOf(actions))
            out.push_back(s.expressions.size() == 2 ? Pair(s.name, s.expressions[0], s.expressions[1])
                                                    : One(s.name, s.expressions[0], s.special));
        return out;
    }

private:
    std::vector<std::size_t> CasesOf(const Action& a) const {
        std::vector<std::size_t> idx;
        for (const std::string& c : a.cases)
            idx.push_back(terms.Index(c));
        return idx;
    }

    // The permanent and prestress actions at the expression's factors, and the special action.
    FixedTerms Fixed(Expression e, std::size_t special, bool upper) const {
        FixedTerms out;
        out.functions.reserve(actions.actions.size());
        for (std::size_t i = 0; i < actions.actions.size(); ++i) {
            const Action& a = actions.actions[i];
            if (a.type == ActionType::Permanent) {
                const rules::PermanentFactors factors = rules::Permanent(e, actions.factors);
                PermanentTerm p{CasesOf(a), nullptr, factors.sup, factors.inf};
                const F all = terms.Summed(a, upper, 1.0);
                if (p.sup == p.inf) {
                    out.functions.push_back(terms::Sum({&all}, {p.sup}));
                } else {
                    const F sup = terms::Sum({&all}, {p.sup}), inf = terms::Sum({&all}, {p.inf});
                    p.env = terms::Envelope({&sup, &inf}, upper);
                    out.functions.push_back(p.env->f);
                }
                out.permanent.push_back(p);
            } else if (a.type == ActionType::Prestress) {
                const double factor = rules::Prestress(e, actions.factors);
                out.functions.push_back(terms.Summed(a, upper, factor));
                for (std::size_t c : CasesOf(a))
                    out.prestress.push_back({c, factor});
            } else if (i == special && (e == Expression::Accidental || e == Expression::Seismic)) {
                out.special = std::make_shared<Term>(e == Expression::Seismic ? terms.Seismic(a, upper)
                                                                              : terms.Present(a, upper, 1.0));
                out.functions.push_back(out.special->f);
            }
        }
        return out;
    }

    // Every group of compatible variable actions at their accompanying factors, and the best leading one
    // of the group (or none) on top; the best group where there are several.
    VariableTerms Variable(Expression e, bool upper) const {
        VariableTerms out;
        for (std::size_t v : variables) {
            const Action& a = actions.actions[v];
            out.terms->push_back(terms.Unfavourable(a, upper));
            out.lead.push_back(rules::Leading(e, a, actions));
            out.accompanying.push_back(rules::Accompanying(e, a, actions.factors));
        }
        for (const std::vector<std::size_t>& members : groups) {
            if (members.empty())
                continue;
            Group grp{members, nullptr, F()};
            std::vector<const F*> parts;
            std::vector<double> factors;
            std::vector<F> bonus;
            bonus.reserve(members.size());
            for (std::size_t m : members) {
                const F& term = (*out.terms)[m].f;
                parts.push_back(&term);
                factors.push_back(out.accompanying[m]);
                bonus.push_back(terms::Sum({&term}, {out.lead[m] - out.accompanying[m]}));
            }
            if (rules::HasLeading(e)) {
                // One action of the group leads, present or not (its leading factor is never below its
                // accompanying one, so where all are absent the bonus is 0).
                std::vector<const F*> choices;
                for (const F& b : bonus)
                    choices.push_back(&b);
                grp.lead = terms::Envelope(choices, upper);
                parts.push_back(&grp.lead->f);
                factors.push_back(1.0);
            }
            grp.total = terms::Sum(parts, factors);
            out.groups->push_back(std::move(grp));
        }
        if (out.groups->size() > 1) {
            std::vector<const F*> totals;
            for (const Group& grp : *out.groups)
                totals.push_back(&grp.total);
            out.best = terms::Envelope(totals, upper);
        }
        return out;
    }

    // The factor of every case at x: the permanent actions' side, prestress, the special action's
    // arrangement, the variable actions of the best group with the leading one's factor.
    Factors FactorsAt(const FixedTerms& fixed, const VariableTerms& variable) const {
        const std::size_t cases = terms.Cases();
        return [cases, permanent = fixed.permanent, prestress = fixed.prestress, special = fixed.special,
                variable](double x) {
            std::vector<double> f(cases, 0.0);
            for (const PermanentTerm& p : permanent) {
                const double factor = p.env == nullptr || p.env->LabelAt(x) == 0 ? p.sup : p.inf;
                for (std::size_t c : p.cases)
                    f[c] = factor;
            }
            for (const auto& p : prestress)
                f[p.first] = p.second;
            std::vector<std::pair<std::size_t, double>> taken;
            if (special) {
                special->take(x, taken);
                for (const auto& c : taken)
                    f[c.first] = c.second;
            }
            if (variable.groups->empty())
                return f;
            const Group& grp =
                (*variable.groups)[variable.best ? static_cast<std::size_t>(variable.best->LabelAt(x)) : 0];
            const int leading = grp.lead ? grp.lead->LabelAt(x) : -1;
            for (std::size_t k = 0; k < grp.members.size(); ++k) {
                const std::size_t m = grp.members[k];
                taken.clear();
                (*variable.terms)[m].take(x, taken);
                for (const auto& c : taken)
                    f[c.first] = static_cast<int>(k) == leading ? variable.lead[m] : variable.accompanying[m];
            }
            return f;
        };
    }

    // One side of one expression: the sum of its terms, with what each takes at an abscissa.
    Side SideOf(Expression e, std::size_t special, bool upper) const {
        const FixedTerms fixed = Fixed(e, special, upper);
        const VariableTerms variable = Variable(e, upper);
        std::vector<const F*> sum;
        for (const F& f : fixed.functions)
            sum.push_back(&f);
        if (variable.best)
            sum.push_back(&variable.best->f);
        else if (variable.groups->size() == 1)
            sum.push_back(&variable.groups->front().total);
        return {sum.empty() ? terms.Zero() : terms::Sum(sum, std::vector<double>(sum.size(), 1.0)),
                FactorsAt(fixed, variable)};
    }

    DesignCombination Combination(const std::vector<double>& factors) const {
        DesignCombination c;
        for (const Action& a : actions.actions)
            for (const std::string& name : a.cases) {
                const double v = factors[terms.Index(name)];
                if (v != 0.0)
                    c.factors.push_back({name, v});
            }
        return c;
    }

    // The points of f with the combination of each stretch, into the situation's list.
    EnvelopeLine Line(const F& f, const Factors& factors, DesignSituation& s) const {
        EnvelopeLine line;
        const std::vector<F::Point> pts = f.GetPoints();
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const std::size_t j = i + 1 < pts.size() ? i : (i == 0 ? 0 : i - 1);
            const double mid = j + 1 < pts.size() ? pts[j].x + (pts[j + 1].x - pts[j].x) / 2 : pts[j].x;
            const DesignCombination c = Combination(factors(mid));
            auto it = std::find(s.combinations.begin(), s.combinations.end(), c);
            if (it == s.combinations.end())
                it = s.combinations.insert(s.combinations.end(), c);
            line.x.push_back(pts[i].x);
            line.y.push_back(pts[i].y);
            line.governing.push_back(static_cast<int>(it - s.combinations.begin()));
        }
        return line;
    }

    DesignSituation One(const std::string& name, Expression e, std::size_t special) const {
        DesignSituation s;
        s.name = name;
        const Side lower = SideOf(e, special, false), upper = SideOf(e, special, true);
        s.lower = Line(lower.f, lower.factors, s);
        s.upper = Line(upper.f, upper.factors, s);
        return s;
    }

    // (6.10a) and (6.10b) together: the worse of the two on each side.
    DesignSituation Pair(const std::string& name, Expression a, Expression b) const {
        DesignSituation s;
        s.name = name;
        for (bool upper : {false, true}) {
            const Side first = SideOf(a, 0, upper), second = SideOf(b, 0, upper);
            const std::shared_ptr<Env> env = terms::Envelope({&first.f, &second.f}, upper);
            const Factors factors = [env, f1 = first.factors, f2 = second.factors](double x) {
                return env->LabelAt(x) == 0 ? f1(x) : f2(x);
            };
            (upper ? s.upper : s.lower) = Line(env->f, factors, s);
        }
        return s;
    }

    const Actions& actions;
    terms::Terms terms;
    std::vector<std::size_t> variables;           // positions of the variable actions
    std::vector<std::vector<std::size_t>> groups; // maximal compatible groups, positions in `variables`
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

} // namespace analysis
} // namespace vymath
