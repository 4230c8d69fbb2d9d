// Design envelopes by EN 1990, term by term.
#include "vymath/analysis/Design.h"

#include "vymath/CVyMathSetFunction1D.h"
#include "vymath/analysis/Error.h"
#include "vymath/analysis/Numbers.h"

#include "SetOf.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace vymath {
namespace analysis {

namespace {

using F = CVyMathFunction1D;

std::vector<F::Point> PointsOf(const F& f) {
    return f.GetPoints();
}

// An exact envelope of functions on one domain, with the governing function of every stretch.
struct Env {
    F f;
    std::vector<double> x;
    std::vector<int> label; // an index into the enveloped functions

    // The function governing the stretch that holds `at`.
    int LabelAt(double at) const {
        const std::size_t i = static_cast<std::size_t>(std::upper_bound(x.begin(), x.end(), at) - x.begin());
        return label[i == 0 ? 0 : i - 1];
    }
};

std::shared_ptr<Env> Envelope(const std::vector<const F*>& functions, bool upper) {
    CVyMathSetFunction1D set;
    std::vector<int> at;
    detail::SetOf(functions, set, at);
    F lower, higher;
    std::vector<int> lowerCase, upperCase;
    set.ExactEnvelopes(lower, higher, lowerCase, upperCase);
    auto e = std::make_shared<Env>();
    e->f = upper ? higher : lower;
    const std::vector<int>& cases = upper ? upperCase : lowerCase;
    for (const F::Point& p : PointsOf(e->f))
        e->x.push_back(p.x);
    for (int c : cases)
        e->label.push_back(c < 0 ? 0 : at[static_cast<std::size_t>(c)]); // no gap: one domain
    return e;
}

F Sum(const std::vector<const F*>& parts, const std::vector<double>& factors) {
    F out;
    F::Combine(parts, factors, out);
    return out;
}

// What an action takes at an abscissa: its load cases (indexes into the input's cases), each with a sign.
using Take = std::function<void(double, std::vector<std::pair<std::size_t, double>>&)>;

struct Term {
    F f;
    Take take;
};

// The situations of EN 1990 and the factors their rules give.
enum class Kind { Uls610, Uls610a, Uls610b, Characteristic, Frequent, QuasiPermanent, Accidental, Seismic };

bool Ultimate(Kind k) {
    return k == Kind::Uls610 || k == Kind::Uls610a || k == Kind::Uls610b;
}

class Builder {
public:
    Builder(const Actions& actions, const std::vector<std::string>& caseNames,
            const std::vector<const F*>& diagrams)
        : actions(actions), diagrams(diagrams) {
        for (std::size_t k = 0; k < caseNames.size(); ++k)
            caseIndex.emplace(caseNames[k], k);
        double a = 0, b = 0;
        for (std::size_t k = 0; k < diagrams.size(); ++k) {
            double ka, kb;
            diagrams[k]->GetFullRange(ka, kb);
            if (k == 0) {
                a = ka;
                b = kb;
            } else if (ka != a || kb != b) {
                throw Error(Error::Kind::Data, "design envelopes need every load case on one domain: case " +
                                                   Quoted(caseNames[k]) + " is on [" + Shortest(ka) + ", " +
                                                   Shortest(kb) + "], case " + Quoted(caseNames[0]) +
                                                   " on [" + Shortest(a) + ", " + Shortest(b) + "]");
            }
        }
        zero = F(a, b, 0);
        // Each case as a plain polyline on the envelopes' tolerance: a jump is its steep piece, as the sums
        // of the combinations have it.
        for (const F* d : diagrams)
            plain.push_back(Envelope({d}, true)->f);
        for (std::size_t i = 0; i < actions.actions.size(); ++i)
            if (actions.actions[i].type == ActionType::Variable)
                variables.push_back(i);
        Groups();
    }

    std::vector<DesignSituation> Run() {
        std::vector<DesignSituation> out;
        bool everyday = false;
        std::vector<std::size_t> accidental, seismic;
        for (std::size_t i = 0; i < actions.actions.size(); ++i) {
            const ActionType t = actions.actions[i].type;
            everyday = everyday || t == ActionType::Permanent || t == ActionType::Prestress ||
                       t == ActionType::Variable;
            if (t == ActionType::Accidental)
                accidental.push_back(i);
            if (t == ActionType::Seismic)
                seismic.push_back(i);
        }
        if (everyday) {
            out.push_back(actions.uls610ab ? Pair("ULS", Kind::Uls610a, Kind::Uls610b)
                                           : One("ULS", Kind::Uls610, 0));
            out.push_back(One("SLS characteristic", Kind::Characteristic, 0));
            out.push_back(One("SLS frequent", Kind::Frequent, 0));
            out.push_back(One("SLS quasi-permanent", Kind::QuasiPermanent, 0));
        }
        for (std::size_t i : accidental)
            out.push_back(One("accidental " + actions.actions[i].name, Kind::Accidental, i));
        for (std::size_t i : seismic)
            out.push_back(One(seismic.size() == 1 ? "seismic" : "seismic " + actions.actions[i].name,
                              Kind::Seismic, i));
        return out;
    }

private:
    using Factors = std::function<std::vector<double>(double)>;

    struct Built {
        F f;
        Factors factors;
    };

    const F* Case(const std::string& name) const { return &plain[caseIndex.at(name)]; }

    double Lead(Kind k, const Action& a) const {
        const DesignFactors& g = actions.factors;
        switch (k) {
        case Kind::Uls610:
        case Kind::Uls610b:
            return g.gammaQ;
        case Kind::Uls610a:
            return g.gammaQ * a.psi0;
        case Kind::Characteristic:
            return 1.0;
        case Kind::Frequent:
            return a.psi1;
        case Kind::Accidental:
            return actions.accidentalPsi1 ? a.psi1 : a.psi2;
        default:
            return a.psi2;
        }
    }

    double Accompanying(Kind k, const Action& a) const {
        if (Ultimate(k))
            return actions.factors.gammaQ * a.psi0;
        return k == Kind::Characteristic ? a.psi0 : a.psi2;
    }

    // The cases of an action summed, each times sign.
    F Summed(const Action& a, double sign) const {
        std::vector<const F*> parts;
        for (const std::string& c : a.cases)
            parts.push_back(Case(c));
        return Sum(parts, std::vector<double>(parts.size(), sign));
    }

    // A variable action's best arrangement on the side asked for, or its absence: max(0, .) or min(0, .).
    Term Unfavourable(const Action& a, bool upper) {
        Term t;
        std::vector<std::size_t> idx;
        for (const std::string& c : a.cases)
            idx.push_back(caseIndex.at(c));
        if (a.acting == Acting::Free) {
            std::vector<std::shared_ptr<Env>> parts;
            std::vector<const F*> fs;
            for (const std::string& c : a.cases) {
                parts.push_back(Envelope({&zero, Case(c)}, upper)); // zero first: a tie leaves the case out
                fs.push_back(&parts.back()->f);
            }
            t.f = Sum(fs, std::vector<double>(fs.size(), 1.0));
            t.take = [parts, idx](double x, std::vector<std::pair<std::size_t, double>>& out) {
                for (std::size_t k = 0; k < parts.size(); ++k)
                    if (parts[k]->LabelAt(x) == 1)
                        out.push_back({idx[k], 1.0});
            };
        } else if (a.acting == Acting::Exclusive) {
            std::vector<const F*> fs;
            for (const std::string& c : a.cases)
                fs.push_back(Case(c));
            const std::shared_ptr<Env> best = Envelope(fs, upper);
            const std::shared_ptr<Env> env = Envelope({&zero, &best->f}, upper);
            t.f = env->f;
            t.take = [best, env, idx](double x, std::vector<std::pair<std::size_t, double>>& out) {
                if (env->LabelAt(x) == 1)
                    out.push_back({idx[static_cast<std::size_t>(best->LabelAt(x))], 1.0});
            };
        } else {
            auto all = std::make_shared<F>(Summed(a, 1.0));
            const std::shared_ptr<Env> env = Envelope({&zero, all.get()}, upper);
            t.f = env->f;
            t.take = [env, all, idx](double x, std::vector<std::pair<std::size_t, double>>& out) {
                if (env->LabelAt(x) == 1)
                    for (std::size_t c : idx)
                        out.push_back({c, 1.0});
            };
        }
        return t;
    }

    // An action that is always present, its cases times sign: its best arrangement on the side asked for
    // (exclusive: one case; free: a non-empty subset, the sum of the favourable cases or else the best one).
    Term Present(const Action& a, bool upper, double sign) {
        Term t;
        std::vector<std::size_t> idx;
        auto signed_ = std::make_shared<std::vector<F>>();
        for (const std::string& c : a.cases) {
            idx.push_back(caseIndex.at(c));
            signed_->push_back(Sum({Case(c)}, {sign}));
        }
        std::vector<const F*> fs;
        for (const F& f : *signed_)
            fs.push_back(&f);
        if (a.acting == Acting::Together) {
            t.f = Sum(fs, std::vector<double>(fs.size(), 1.0));
            t.take = [idx, sign](double, std::vector<std::pair<std::size_t, double>>& out) {
                for (std::size_t c : idx)
                    out.push_back({c, sign});
            };
            return t;
        }
        const std::shared_ptr<Env> best = Envelope(fs, upper);
        if (a.acting == Acting::Exclusive) {
            t.f = best->f;
            t.take = [best, idx, sign](double x, std::vector<std::pair<std::size_t, double>>& out) {
                out.push_back({idx[static_cast<std::size_t>(best->LabelAt(x))], sign});
            };
            return t;
        }
        std::vector<std::shared_ptr<Env>> parts;
        std::vector<const F*> sum;
        for (const F* f : fs) {
            parts.push_back(Envelope({&zero, f}, upper));
            sum.push_back(&parts.back()->f);
        }
        // Where no case is on the favourable side, the best single case (best first: a tie takes it).
        const std::shared_ptr<Env> single = Envelope({&best->f, &zero}, !upper);
        sum.push_back(&single->f);
        t.f = Sum(sum, std::vector<double>(sum.size(), 1.0));
        t.take = [parts, best, single, idx, sign, signed_](double x,
                                                           std::vector<std::pair<std::size_t, double>>& out) {
            const std::size_t before = out.size();
            if (single->LabelAt(x) == 1)
                for (std::size_t k = 0; k < parts.size(); ++k)
                    if (parts[k]->LabelAt(x) == 1)
                        out.push_back({idx[k], sign});
            if (out.size() == before) // every case tied with zero there: the best one, never none
                out.push_back({idx[static_cast<std::size_t>(best->LabelAt(x))], sign});
        };
        return t;
    }

    // The seismic action at both signs.
    Term Seismic(const Action& a, bool upper) {
        const Term plus = Present(a, upper, 1.0), minus = Present(a, upper, -1.0);
        auto both = std::make_shared<std::pair<Term, Term>>(plus, minus);
        const std::shared_ptr<Env> env = Envelope({&both->first.f, &both->second.f}, upper);
        Term t;
        t.f = env->f;
        t.take = [both, env](double x, std::vector<std::pair<std::size_t, double>>& out) {
            (env->LabelAt(x) == 0 ? both->first : both->second).take(x, out);
        };
        return t;
    }

    // The maximal groups of variable actions that may act together (not_with splits them), by
    // Bron-Kerbosch on the compatibility graph.
    void Groups() {
        const std::size_t n = variables.size();
        std::vector<std::vector<bool>> clash(n, std::vector<bool>(n, false));
        for (std::size_t i = 0; i < n; ++i)
            for (const std::string& other : actions.actions[variables[i]].notWith)
                for (std::size_t j = 0; j < n; ++j)
                    if (actions.actions[variables[j]].name == other)
                        clash[i][j] = clash[j][i] = true;
        std::function<void(std::vector<std::size_t>, std::vector<std::size_t>, std::vector<std::size_t>)>
            grow = [&](std::vector<std::size_t> r, std::vector<std::size_t> p, std::vector<std::size_t> x) {
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
    }

    // One situation on one side: the sum of its terms, with what each takes at an abscissa.
    Built Side(Kind kind, std::size_t special, bool upper) {
        const DesignFactors& g = actions.factors;
        const bool uls = Ultimate(kind);
        std::vector<F> keep; // the summed functions (reserved: pointers to them are taken)
        keep.reserve(actions.actions.size() + 2);
        std::vector<const F*> sum;
        struct Fixed {
            std::vector<std::size_t> cases;
            std::shared_ptr<Env> env; // upper or lower factor, where they differ
            double sup, inf;
        };
        std::vector<Fixed> permanent;
        std::vector<std::pair<std::size_t, double>> prestress;
        std::shared_ptr<Term> extra;
        for (std::size_t i = 0; i < actions.actions.size(); ++i) {
            const Action& a = actions.actions[i];
            std::vector<std::size_t> idx;
            for (const std::string& c : a.cases)
                idx.push_back(caseIndex.at(c));
            if (a.type == ActionType::Permanent) {
                Fixed p{idx, nullptr, uls ? (kind == Kind::Uls610b ? g.xi * g.gammaGsup : g.gammaGsup) : 1.0,
                        uls ? g.gammaGinf : 1.0};
                const F all = Summed(a, 1.0);
                if (p.sup == p.inf) {
                    keep.push_back(Sum({&all}, {p.sup}));
                } else {
                    const F sup = Sum({&all}, {p.sup}), inf = Sum({&all}, {p.inf});
                    p.env = Envelope({&sup, &inf}, upper);
                    keep.push_back(p.env->f);
                }
                permanent.push_back(p);
            } else if (a.type == ActionType::Prestress) {
                const double factor = uls ? g.gammaP : 1.0;
                keep.push_back(Summed(a, factor));
                for (std::size_t c : idx)
                    prestress.push_back({c, factor});
            } else if (i == special && (kind == Kind::Accidental || kind == Kind::Seismic)) {
                extra = std::make_shared<Term>(kind == Kind::Seismic ? Seismic(a, upper)
                                                                     : Present(a, upper, 1.0));
                keep.push_back(extra->f);
            }
        }
        // Variable actions: every group of compatible ones at their accompanying factors, and the best
        // leading one of the group (or none) on top; the best group.
        struct Group {
            std::vector<std::size_t> members; // positions in `variables`
            std::shared_ptr<Env> lead;        // k: members[k] leads (present or not)
            F total;
        };
        auto terms = std::make_shared<std::vector<Term>>();
        for (std::size_t v : variables)
            terms->push_back(Unfavourable(actions.actions[v], upper));
        auto chosen = std::make_shared<std::vector<Group>>();
        std::vector<F> leadParts;
        for (const std::vector<std::size_t>& members : groups) {
            if (members.empty())
                continue;
            Group grp{members, nullptr, F()};
            std::vector<const F*> parts;
            std::vector<double> factors;
            std::vector<F> bonus;
            bonus.reserve(members.size());
            for (std::size_t m : members) {
                const Action& a = actions.actions[variables[m]];
                parts.push_back(&(*terms)[m].f);
                factors.push_back(Accompanying(kind, a));
                bonus.push_back(Sum({&(*terms)[m].f}, {Lead(kind, a) - Accompanying(kind, a)}));
            }
            if (kind != Kind::Seismic) {
                // One action of the group leads, present or not (its leading factor is never below its
                // accompanying one, so where all are absent the bonus is 0).
                std::vector<const F*> choices;
                for (const F& b : bonus)
                    choices.push_back(&b);
                grp.lead = Envelope(choices, upper);
                parts.push_back(&grp.lead->f);
                factors.push_back(1.0);
            }
            grp.total = Sum(parts, factors);
            chosen->push_back(std::move(grp));
        }
        std::shared_ptr<Env> best;
        if (chosen->size() > 1) {
            std::vector<const F*> totals;
            for (const Group& grp : *chosen)
                totals.push_back(&grp.total);
            best = Envelope(totals, upper);
            keep.push_back(best->f);
        } else if (chosen->size() == 1) {
            keep.push_back(chosen->front().total);
        }
        for (const F& f : keep)
            sum.push_back(&f);
        Built out;
        out.f = sum.empty() ? zero : Sum(sum, std::vector<double>(sum.size(), 1.0));
        const std::size_t cases = diagrams.size();
        std::vector<double> lead, acc;
        for (std::size_t v : variables) {
            lead.push_back(Lead(kind, actions.actions[v]));
            acc.push_back(Accompanying(kind, actions.actions[v]));
        }
        out.factors = [=](double x) {
            std::vector<double> f(cases, 0.0);
            for (const Fixed& p : permanent) {
                const double factor = p.env == nullptr || p.env->LabelAt(x) == 0 ? p.sup : p.inf;
                for (std::size_t c : p.cases)
                    f[c] = factor;
            }
            for (const auto& p : prestress)
                f[p.first] = p.second;
            std::vector<std::pair<std::size_t, double>> taken;
            if (extra) {
                extra->take(x, taken);
                for (const auto& c : taken)
                    f[c.first] = c.second;
            }
            if (chosen->empty())
                return f;
            const Group& grp = (*chosen)[best ? static_cast<std::size_t>(best->LabelAt(x)) : 0];
            const int leading = grp.lead ? grp.lead->LabelAt(x) : -1;
            for (std::size_t k = 0; k < grp.members.size(); ++k) {
                const std::size_t m = grp.members[k];
                taken.clear();
                (*terms)[m].take(x, taken);
                for (const auto& c : taken)
                    f[c.first] = static_cast<int>(k) == leading ? lead[m] : acc[m];
            }
            return f;
        };
        return out;
    }

    DesignCombination Combination(const std::vector<double>& factors) const {
        DesignCombination c;
        for (const Action& a : actions.actions)
            for (const std::string& name : a.cases) {
                const double v = factors[caseIndex.at(name)];
                if (v != 0.0)
                    c.factors.push_back({name, v});
            }
        return c;
    }

    // The points of f with the combination of each stretch, into the situation's list.
    DesignLine Line(const F& f, const Factors& factors, DesignSituation& s) const {
        DesignLine line;
        const std::vector<F::Point> pts = PointsOf(f);
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const std::size_t j = i + 1 < pts.size() ? i : (i == 0 ? 0 : i - 1);
            const double mid = j + 1 < pts.size() ? pts[j].x + (pts[j + 1].x - pts[j].x) / 2 : pts[j].x;
            const DesignCombination c = Combination(factors(mid));
            auto it = std::find(s.combinations.begin(), s.combinations.end(), c);
            if (it == s.combinations.end())
                it = s.combinations.insert(s.combinations.end(), c);
            line.x.push_back(pts[i].x);
            line.y.push_back(pts[i].y);
            line.combination.push_back(static_cast<int>(it - s.combinations.begin()));
        }
        return line;
    }

    DesignSituation One(const std::string& name, Kind kind, std::size_t special) {
        DesignSituation s;
        s.name = name;
        const Built lower = Side(kind, special, false), upper = Side(kind, special, true);
        s.lower = Line(lower.f, lower.factors, s);
        s.upper = Line(upper.f, upper.factors, s);
        return s;
    }

    // (6.10a) and (6.10b) together: the worse of the two on each side.
    DesignSituation Pair(const std::string& name, Kind a, Kind b) {
        DesignSituation s;
        s.name = name;
        for (bool upper : {false, true}) {
            const Built first = Side(a, 0, upper), second = Side(b, 0, upper);
            const std::shared_ptr<Env> env = Envelope({&first.f, &second.f}, upper);
            const Factors factors = [env, f1 = first.factors, f2 = second.factors](double x) {
                return env->LabelAt(x) == 0 ? f1(x) : f2(x);
            };
            (upper ? s.upper : s.lower) = Line(env->f, factors, s);
        }
        return s;
    }

    const Actions& actions;
    const std::vector<const F*>& diagrams;
    std::vector<F> plain; // the diagrams as plain polylines
    std::map<std::string, std::size_t> caseIndex;
    F zero;
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
    return Builder(actions, caseNames, diagrams).Run();
}

} // namespace analysis
} // namespace vymath
