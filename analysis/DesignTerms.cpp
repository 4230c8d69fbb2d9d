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

std::size_t Terms::Index(const std::string& name) const {
    const auto it = caseIndex.find(name);
    if (it == caseIndex.end())
        throw Error(Error::Kind::Data, "no load case " + Quoted(name) + " among the diagrams");
    return it->second;
}

F Terms::Arranged(const std::vector<CaseFactor>& cases, bool upper) const {
    std::vector<const F*> parts;
    std::vector<double> factors;
    for (const CaseFactor& c : cases) {
        parts.push_back(Case(c.loadCase, upper, c.factor));
        factors.push_back(c.factor);
    }
    return parts.empty() ? zero : Sum(parts, factors);
}

Term Terms::Permanent(const std::vector<std::string>& cases, double sup, double inf, bool upper) const {
    std::vector<CaseFactor> unit;
    std::vector<std::size_t> idx;
    for (const std::string& c : cases) {
        unit.push_back({c, 1.0});
        idx.push_back(Index(c));
    }
    const F all = Arranged(unit, upper);
    Term t;
    if (sup == inf) {
        t.f = Sum({&all}, {sup});
        t.take = [idx, sup](double, Taken& out) {
            for (std::size_t c : idx)
                out.push_back({c, sup});
        };
        return t;
    }
    const F high = Sum({&all}, {sup}), low = Sum({&all}, {inf});
    const std::shared_ptr<Env> env = Envelope({&high, &low}, upper);
    t.f = env->f;
    t.take = [idx, env, sup, inf](double x, Taken& out) {
        const double factor = env->LabelAt(x) == 0 ? sup : inf;
        for (std::size_t c : idx)
            out.push_back({c, factor});
    };
    return t;
}

Term Terms::Prestress(const std::vector<std::string>& cases, double factor, bool upper) const {
    std::vector<CaseFactor> scaled;
    std::vector<std::size_t> idx;
    for (const std::string& c : cases) {
        scaled.push_back({c, factor});
        idx.push_back(Index(c));
    }
    Term t;
    t.f = Arranged(scaled, upper);
    t.take = [idx, factor](double, Taken& out) {
        for (std::size_t c : idx)
            out.push_back({c, factor});
    };
    return t;
}

Term Terms::PresentOnce(const std::vector<std::string>& cases, Acting acting, double s, bool upper) const {
    Term t;
    std::vector<std::size_t> idx;
    auto signed_ = std::make_shared<std::vector<F>>();
    for (const std::string& c : cases) {
        idx.push_back(Index(c));
        signed_->push_back(Sum({Case(c, upper, s)}, {s}));
    }
    std::vector<const F*> fs;
    for (const F& f : *signed_)
        fs.push_back(&f);
    if (acting == Acting::Together) {
        t.f = Sum(fs, std::vector<double>(fs.size(), 1.0));
        t.take = [idx, s](double, Taken& out) {
            for (std::size_t c : idx)
                out.push_back({c, s});
        };
        return t;
    }
    const std::shared_ptr<Env> best = Envelope(fs, upper);
    if (acting == Acting::Exclusive) {
        t.f = best->f;
        t.take = [best, idx, s](double x, Taken& out) {
            out.push_back({idx[static_cast<std::size_t>(best->LabelAt(x))], s});
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
    t.take = [parts, best, single, idx, s, signed_](double x, Taken& out) {
        const std::size_t before = out.size();
        if (single->LabelAt(x) == 1)
            for (std::size_t k = 0; k < parts.size(); ++k)
                if (parts[k]->LabelAt(x) == 1)
                    out.push_back({idx[k], s});
        if (out.size() == before) // every case tied with zero there: the best one, never none
            out.push_back({idx[static_cast<std::size_t>(best->LabelAt(x))], s});
    };
    return t;
}

Term Terms::Present(const std::vector<std::string>& cases, Acting acting, double factor, bool bothSigns,
                    bool upper) const {
    if (!bothSigns)
        return PresentOnce(cases, acting, factor, upper);
    const Term plus = PresentOnce(cases, acting, factor, upper),
               minus = PresentOnce(cases, acting, -factor, upper);
    auto both = std::make_shared<std::pair<Term, Term>>(plus, minus);
    const std::shared_ptr<Env> env = Envelope({&both->first.f, &both->second.f}, upper);
    Term t;
    t.f = env->f;
    t.take = [both, env](double x, Taken& out) {
        (env->LabelAt(x) == 0 ? both->first : both->second).take(x, out);
    };
    return t;
}

const F* Terms::ArrangementFunction(const plan::Arrangement& a, bool upper,
                                    std::vector<std::unique_ptr<F>>& owned) const {
    if (a.direct)
        return Case(a.cases.front().loadCase, upper, 1.0);
    owned.push_back(std::make_unique<F>(Arranged(a.cases, upper)));
    return owned.back().get();
}

Term Terms::Parts(const std::vector<std::vector<plan::Arrangement>>& parts, bool absent, bool nested,
                  bool summed, bool upper) const {
    // Each part: its function, and which arrangement (-1: none) governs at x.
    struct Part {
        std::shared_ptr<Env> best, env; // env: against 0 (absent), or the best of several
        std::vector<std::vector<std::pair<std::size_t, double>>> taken;
        F f;
    };
    auto all = std::make_shared<std::vector<Part>>();
    all->reserve(parts.size());
    for (const std::vector<plan::Arrangement>& arrangements : parts) {
        Part p;
        std::vector<std::unique_ptr<F>> owned;
        std::vector<const F*> fs;
        for (const plan::Arrangement& a : arrangements) {
            fs.push_back(ArrangementFunction(a, upper, owned));
            p.taken.emplace_back();
            for (const CaseFactor& c : a.cases)
                p.taken.back().push_back({Index(c.loadCase), c.factor});
        }
        if (absent) {
            if (nested) {
                p.best = Envelope(fs, upper);
                p.env = Envelope({&zero, &p.best->f}, upper);
            } else {
                p.env = Envelope({&zero, fs.front()}, upper);
            }
            p.f = p.env->f;
        } else if (fs.size() == 1) {
            p.f = *fs.front();
        } else {
            p.best = Envelope(fs, upper);
            p.f = p.best->f;
        }
        all->push_back(std::move(p));
    }
    Term t;
    if (summed || all->size() != 1) {
        std::vector<const F*> fs;
        for (const Part& p : *all)
            fs.push_back(&p.f);
        t.f = fs.empty() ? zero : Sum(fs, std::vector<double>(fs.size(), 1.0));
    } else {
        t.f = all->front().f;
    }
    t.take = [all, absent](double x, Taken& out) {
        for (const Part& p : *all) {
            if (absent && p.env->LabelAt(x) == 0)
                continue;
            const std::size_t k = p.best ? static_cast<std::size_t>(p.best->LabelAt(x)) : 0;
            out.insert(out.end(), p.taken[k].begin(), p.taken[k].end());
        }
    };
    return t;
}

} // namespace terms
} // namespace analysis
} // namespace vymath
