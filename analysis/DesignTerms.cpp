// The algebra of the design envelopes.
#include "DesignTerms.h"

#include "vymath/CVyMathSetFunction1D.h"
#include "vymath/analysis/Error.h"

#include "SetOf.h"
#include "Text.h"

#include <algorithm>

namespace vymath {
namespace analysis {
namespace terms {

using text::Quoted;
using text::Shortest;

int Env::LabelAt(double at) const {
    const std::size_t i = static_cast<std::size_t>(std::upper_bound(x.begin(), x.end(), at) - x.begin());
    return label[i == 0 ? 0 : i - 1];
}

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
    for (const F::Point& p : e->f.GetPoints())
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

Terms::Terms(const std::vector<std::string>& caseNames, const std::vector<const F*>& uppers,
             const std::vector<const F*>& lowers) {
    std::vector<const F*> diagrams = uppers;
    for (std::size_t k = 0; k < lowers.size(); ++k)
        if (lowers[k] != uppers[k])
            diagrams.push_back(lowers[k]);
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
                                               Shortest(kb) + "], case " + Quoted(caseNames[0]) + " on [" +
                                               Shortest(a) + ", " + Shortest(b) + "]");
        }
    }
    zero = F(a, b, 0);
    // Each case as a plain polyline on the envelopes' tolerance: a jump is its steep piece, as the sums
    // of the combinations have it.
    for (const F* d : uppers)
        plain.push_back(Envelope({d}, true)->f);
    for (std::size_t k = 0; k < lowers.size(); ++k)
        plainLower.push_back(lowers[k] == uppers[k] ? plain[k] : Envelope({lowers[k]}, true)->f);
}

F Terms::Summed(const Action& a, bool upper, double sign) const {
    std::vector<const F*> parts;
    for (const std::string& c : a.cases)
        parts.push_back(Case(c, upper, sign));
    return Sum(parts, std::vector<double>(parts.size(), sign));
}

Term Terms::Unfavourable(const Action& a, bool upper) const {
    Term t;
    std::vector<std::size_t> idx;
    for (const std::string& c : a.cases)
        idx.push_back(caseIndex.at(c));
    if (a.acting == Acting::Free) {
        std::vector<std::shared_ptr<Env>> parts;
        std::vector<const F*> fs;
        for (const std::string& c : a.cases) {
            parts.push_back(
                Envelope({&zero, Case(c, upper, 1.0)}, upper)); // zero first: a tie leaves the case out
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
            fs.push_back(Case(c, upper, 1.0));
        const std::shared_ptr<Env> best = Envelope(fs, upper);
        const std::shared_ptr<Env> env = Envelope({&zero, &best->f}, upper);
        t.f = env->f;
        t.take = [best, env, idx](double x, std::vector<std::pair<std::size_t, double>>& out) {
            if (env->LabelAt(x) == 1)
                out.push_back({idx[static_cast<std::size_t>(best->LabelAt(x))], 1.0});
        };
    } else {
        auto all = std::make_shared<F>(Summed(a, upper, 1.0));
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

Term Terms::Present(const Action& a, bool upper, double sign) const {
    Term t;
    std::vector<std::size_t> idx;
    auto signed_ = std::make_shared<std::vector<F>>();
    for (const std::string& c : a.cases) {
        idx.push_back(caseIndex.at(c));
        signed_->push_back(Sum({Case(c, upper, sign)}, {sign}));
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

Term Terms::Seismic(const Action& a, bool upper) const {
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

std::vector<std::vector<std::size_t>> CompatibleGroups(const Actions& actions,
                                                       const std::vector<std::size_t>& variables) {
    std::vector<std::vector<std::size_t>> groups;
    const std::size_t n = variables.size();
    std::vector<std::vector<bool>> clash(n, std::vector<bool>(n, false));
    for (std::size_t i = 0; i < n; ++i)
        for (const std::string& other : actions.actions[variables[i]].notWith)
            for (std::size_t j = 0; j < n; ++j)
                if (actions.actions[variables[j]].name == other)
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

} // namespace terms
} // namespace analysis
} // namespace vymath
