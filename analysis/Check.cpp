// Section checks along every member.
#include "vymath/analysis/Check.h"

#include "Curve.h"
#include "Hull.h"
#include "Members.h"
#include "Text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <unordered_map>

namespace vymath {
namespace analysis {

namespace {

using text::Quoted;
using text::Shortest;
using Point = CVyMathFunction1D::Point;

const double kInf = std::numeric_limits<double>::infinity();

// A situation's rules with every load case as the member's case position.
struct Alternative_ {
    std::vector<std::pair<std::uint32_t, double>> factors;
    bool bounded = false; // one of its cases is: four corners
};
struct Term_ {
    std::vector<Alternative_> alternatives;
};
struct Rule_ {
    std::vector<Term_> terms;
};

// A case's values at a section: each force's upper and lower bound (equal for a case that is not bounded).
struct CaseValues {
    double nHi, nLo, mHi, mLo;
};

// The pairs term t gives with the cases' values: per alternative its sum, or the four corners of its box.
void PairsOf(const Term_& term, const CaseValues* values, std::vector<TermPair>& out) {
    out.clear();
    for (std::uint32_t a = 0; a < term.alternatives.size(); ++a) {
        const Alternative_& alt = term.alternatives[a];
        double nLo = 0.0, nHi = 0.0, mLo = 0.0, mHi = 0.0;
        for (const auto& [c, f] : alt.factors) {
            const CaseValues& v = values[c];
            const double n1 = f * v.nHi, n2 = f * v.nLo, m1 = f * v.mHi, m2 = f * v.mLo;
            nLo += std::min(n1, n2);
            nHi += std::max(n1, n2);
            mLo += std::min(m1, m2);
            mHi += std::max(m1, m2);
        }
        if (!alt.bounded) {
            out.push_back({nLo, mLo, a * 4});
            continue;
        }
        out.push_back({nLo, mLo, a * 4});
        out.push_back({nHi, mLo, a * 4 + 1});
        out.push_back({nLo, mHi, a * 4 + 2});
        out.push_back({nHi, mHi, a * 4 + 3});
    }
}

// The pair of a combination: the terms' pairs added in term order.
Point SumOf(const std::vector<std::vector<TermPair>>& pairs, const std::vector<std::uint32_t>& index) {
    double n = 0.0, m = 0.0;
    for (std::size_t t = 0; t < pairs.size(); ++t) {
        n += pairs[t][index[t]].n;
        m += pairs[t][index[t]].m;
    }
    return {n, m};
}

// The best of a section or a stretch: its utilisation and the combination that gives it.
struct Best {
    double u = -1.0;
    std::size_t rule = 0;
    std::vector<std::uint32_t> ids; // the pair id of every term
    Point pair{0.0, 0.0};
};

// One entry of the utilisation along a member, with what governs it.
struct Entry {
    double x;
    CheckSide side;
    Best best;
    double t = -1.0;      // inside a stretch: its parameter from station `from`
    std::size_t from = 0; // the stretch's first station
};

class MemberRun {
public:
    MemberRun(const Model& model, std::size_t m, const Section& section,
              const std::array<std::size_t, 2>& forces, CheckMethod method, const CheckOptions& options)
        : model(model), member(m), section(section), geometry(section.curve.Prepared()), method(method),
          options(options) {
        const std::string& name = model.MemberName(m);
        label = name.empty() ? "" : "member " + Quoted(name) + ": ";
        for (std::size_t k = 0; k < 2; ++k)
            diagrams[k] = model.Diagrams(m, forces[k]);
    }

    // The rules with the member's case positions; errors for a case it lacks.
    std::vector<Rule_> Resolve(const SituationRules& s) const {
        const std::vector<std::string>& cases = model.Cases(member);
        std::unordered_map<std::string, std::uint32_t> index;
        for (std::size_t c = 0; c < cases.size(); ++c)
            index.emplace(cases[c], static_cast<std::uint32_t>(c));
        std::vector<Rule_> out;
        for (const Rule& r : s.rules) {
            Rule_ rule;
            for (const RuleTerm& t : r.terms) {
                Term_ term;
                for (const Alternative& a : t.alternatives) {
                    Alternative_ alt;
                    for (const CaseFactor& f : a.factors) {
                        const auto it = index.find(f.loadCase);
                        if (it == index.end())
                            throw Error(Error::Kind::Data, label + "situation " + Quoted(s.name) + ", rule " +
                                                               Quoted(r.label) + ": no load case " +
                                                               Quoted(f.loadCase));
                        alt.factors.push_back({it->second, f.factor});
                        alt.bounded = alt.bounded || diagrams[0][it->second].Bounded() ||
                                      diagrams[1][it->second].Bounded();
                    }
                    term.alternatives.push_back(std::move(alt));
                }
                rule.terms.push_back(std::move(term));
            }
            out.push_back(std::move(rule));
        }
        return out;
    }

    // The stations of the cases the rules name, with their values; false when none is named.
    bool Prepare(const std::vector<std::vector<Rule_>>& situations) {
        std::set<std::uint32_t> named;
        for (const auto& rules : situations)
            for (const Rule_& r : rules)
                for (const Term_& t : r.terms)
                    for (const Alternative_& a : t.alternatives)
                        for (const auto& f : a.factors)
                            named.insert(f.first);
        if (named.empty())
            return false;
        used.assign(named.begin(), named.end());
        std::vector<const Diagram*> all;
        for (const std::uint32_t c : used)
            for (std::size_t k = 0; k < 2; ++k) {
                all.push_back(&diagrams[k][c].upper);
                if (diagrams[k][c].Bounded())
                    all.push_back(&*diagrams[k][c].lower);
            }
        double lo = -kInf, hi = kInf;
        for (const Diagram* d : all) {
            double a, b;
            d->f.GetFullRange(a, b);
            lo = std::max(lo, a);
            hi = std::min(hi, b);
        }
        if (!(lo < hi))
            throw Error(Error::Kind::Data, label + "its cases have no common domain");
        x = {lo, hi};
        for (const Diagram* d : all)
            for (const Point& p : d->Points())
                if (p.x > lo && p.x < hi)
                    x.push_back(p.x);
        std::sort(x.begin(), x.end());
        x.erase(std::unique(x.begin(), x.end()), x.end());
        jump.assign(x.size(), false);
        for (const Diagram* d : all)
            for (const double j : d->jumps) {
                const auto it = std::lower_bound(x.begin(), x.end(), j);
                if (it != x.end() && *it == j)
                    jump[static_cast<std::size_t>(it - x.begin())] = true;
            }
        // values[(station * 2 + side) * cases + case]
        const std::size_t cases = model.Cases(member).size();
        values.assign(x.size() * 2 * cases, CaseValues{0, 0, 0, 0});
        std::vector<double> y(x.size());
        for (const std::uint32_t c : used)
            for (std::size_t k = 0; k < 2; ++k)
                for (const bool upper : {true, false}) {
                    const Diagram& d = upper ? diagrams[k][c].upper : diagrams[k][c].Lower();
                    d.f.GetOrdinates(x.data(), y.data(), x.size());
                    for (std::size_t s = 0; s < x.size(); ++s) {
                        if (std::isnan(y[s]))
                            throw Error(Error::Kind::Data, label + "case " + Quoted(model.Cases(member)[c]) +
                                                               " has no value at x = " + Shortest(x[s]));
                        for (std::size_t side = 0; side < 2; ++side)
                            Slot(s, side, c, k, upper) = y[s];
                    }
                    for (const double j : d.jumps) {
                        const auto it = std::lower_bound(x.begin(), x.end(), j);
                        if (it == x.end() || *it != j)
                            continue;
                        const std::size_t s = static_cast<std::size_t>(it - x.begin());
                        d.Sides(j, Slot(s, 0, c, k, upper), Slot(s, 1, c, k, upper));
                    }
                }
        return true;
    }

    SituationCheck Run(const std::string& name, const std::vector<Rule_>& rules) {
        SituationCheck out;
        out.name = name;
        std::vector<Entry> entries;
        for (std::size_t s = 0; s < x.size(); ++s)
            for (std::size_t side = 0; side < (jump[s] ? 2u : 1u); ++side) {
                Entry e{
                    x[s], jump[s] ? (side == 0 ? CheckSide::Left : CheckSide::Right) : CheckSide::None, {}};
                const CaseValues* v = &values[(s * 2 + side) * model.Cases(member).size()];
                for (std::size_t r = 0; r < rules.size(); ++r)
                    AtSection(rules[r], r, v, x[s], e.best);
                entries.push_back(std::move(e));
            }
        if (!geometry.convex)
            Stretches(rules, entries);
        for (const Entry& e : entries) {
            out.along.x.push_back(e.x);
            out.along.u.push_back(e.best.u);
            out.along.side.push_back(e.side);
        }
        std::size_t top = entries.size();
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i].best.u >= 0 && (top == entries.size() || entries[i].best.u > entries[top].best.u))
                top = i;
        if (top == entries.size())
            return out;
        Max(rules, entries[top], out);
        return out;
    }

private:
    double& Slot(std::size_t s, std::size_t side, std::size_t c, std::size_t force, bool upper) {
        CaseValues& v = values[(s * 2 + side) * model.Cases(member).size() + c];
        return force == 0 ? (upper ? v.nHi : v.nLo) : (upper ? v.mHi : v.mLo);
    }

    // Every term's pairs with the values.
    void Pairs(const Rule_& rule, const CaseValues* v, std::vector<std::vector<TermPair>>& pairs) const {
        pairs.resize(rule.terms.size());
        for (std::size_t t = 0; t < rule.terms.size(); ++t)
            PairsOf(rule.terms[t], v, pairs[t]);
    }

    void Keep(Best& best, double u, std::size_t r, const std::vector<std::uint32_t>& index,
              const std::vector<std::vector<TermPair>>& pairs, Point p) const {
        if (!(u > best.u))
            return;
        best.u = u;
        best.rule = r;
        best.ids.resize(index.size());
        for (std::size_t t = 0; t < index.size(); ++t)
            best.ids[t] = pairs[t][index[t]].id;
        best.pair = p;
    }

    void Finite(Point p, double at) const {
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            throw Error(Error::Kind::Data, label + "a combination's forces at x = " + Shortest(at) +
                                               " are beyond the range of doubles");
    }

    // The number of combinations of a rule; an error past the limit.
    std::size_t Count(const Rule_& rule) const {
        std::size_t count = 1;
        for (const Term_& t : rule.terms) {
            std::size_t k = 0;
            for (const Alternative_& a : t.alternatives)
                k += a.bounded ? 4 : 1;
            if (k != 0 && count > options.maxCombinations / k)
                count = options.maxCombinations + 1;
            else
                count *= k;
        }
        return count;
    }

    // The best pair of a rule at a section: the hull vertices of a convex curve, every combination otherwise.
    void AtSection(const Rule_& rule, std::size_t r, const CaseValues* v, double at, Best& best) {
        Pairs(rule, v, pairs);
        for (const auto& p : pairs) {
            if (p.empty())
                return; // a term without an alternative: no combination
            for (const TermPair& q : p)
                Finite({q.n, q.m}, at);
        }
        if (geometry.convex) {
            for (auto& p : pairs)
                ConvexHull(p);
            MinkowskiVertices(pairs, edges, index, [&](const std::vector<std::uint32_t>& i) {
                const Point p = SumOf(pairs, i);
                Keep(best, geometry.Of(method, p.x, p.y), r, i, pairs, p);
            });
            Finite(best.pair, at);
            return;
        }
        Limit(rule);
        Enumerate(pairs, [&](const std::vector<std::uint32_t>& i, Point p) {
            Keep(best, geometry.Of(method, p.x, p.y), r, i, pairs, p);
        });
        Finite(best.pair, at);
    }

    void Limit(const Rule_& rule) const {
        const std::size_t count = Count(rule);
        if (count > options.maxCombinations)
            throw Error(
                Error::Kind::Data,
                label + "section " + Quoted(section.name) +
                    " is not convex and a rule has more combinations at a section than the limit of " +
                    std::to_string(options.maxCombinations));
    }

    // Every combination of the terms' pairs: visit(index, pair), the pair added in term order.
    template <class Visit>
    void Enumerate(const std::vector<std::vector<TermPair>>& p, Visit visit) {
        const std::size_t terms = p.size();
        index.assign(terms, 0);
        partial.assign(terms + 1, Point{0.0, 0.0});
        if (terms == 0) {
            visit(index, partial[0]);
            return;
        }
        std::size_t t = 0;
        while (true) {
            partial[t + 1] = {partial[t].x + p[t][index[t]].n, partial[t].y + p[t][index[t]].m};
            if (t + 1 < terms) {
                ++t;
                index[t] = 0;
                continue;
            }
            visit(index, partial[terms]);
            while (true) {
                if (++index[t] < p[t].size())
                    break;
                if (t == 0)
                    return;
                --t;
            }
        }
    }

    // The largest utilisation of a pair moving from p0 to p1 strictly inside the stretch, at the places where
    // it can peak: where its ray passes a vertex of the curve (Ray), where its first force reaches a vertex's
    // or crosses the axis (AtFirstForce); `at` the pair there as computed. -1 where there is none; t the
    // place.
    // The ray utilisation of the curve's vertex k: 1 unless the curve crosses its ray nearer.
    double VertexRay(std::size_t k) const {
        if (vertexRay.empty())
            for (const Point& v : geometry.v)
                vertexRay.push_back(geometry.Of(CheckMethod::Ray, v.x, v.y));
        return vertexRay[k];
    }

    double Peak(Point p0, Point p1, double& t, Point& at) const {
        const Point w{p1.x - p0.x, p1.y - p0.y};
        double best = -1.0;
        if (method == CheckMethod::Ray) {
            for (std::size_t k = 0; k < geometry.v.size(); ++k) {
                const Point v = geometry.v[k];
                const double cw = w.x * v.y - w.y * v.x;
                if (cw == 0)
                    continue;
                const double s = -(p0.x * v.y - p0.y * v.x) / cw;
                if (!(s > 0 && s < 1))
                    continue;
                const Point p{p0.x + s * w.x, p0.y + s * w.y};
                const double along = p.x * v.x + p.y * v.y;
                if (along <= 0)
                    continue;
                // On the vertex's ray exactly: |p| over the first point of the curve on that ray, which the
                // utilisation along the segment reaches there and nowhere passes (it is upper
                // semicontinuous); the pair as computed may fall within rounding on either side of the ray.
                const double u = along / (v.x * v.x + v.y * v.y) * VertexRay(k);
                if (u > best)
                    best = u, t = s, at = p;
            }
            return best;
        }
        if (w.x == 0)
            return -1.0;
        const double lo = std::min(p0.x, p1.x), hi = std::max(p0.x, p1.x);
        // (N, 0) on the curve inside the stretch: infinite there.
        const auto axis = std::upper_bound(geometry.axis.begin(), geometry.axis.end(), lo);
        if (axis != geometry.axis.end() && *axis < hi) {
            t = (*axis - p0.x) / w.x;
            at = {*axis, p0.y + t * w.y};
            return kInf;
        }
        for (const Point& v : geometry.v) {
            if (!(v.x > lo && v.x < hi) || v.y == 0)
                continue;
            const double s = (v.x - p0.x) / w.x;
            const Point p{v.x, p0.y + s * w.y};
            const double u = geometry.Of(method, p.x, p.y);
            if (u > best)
                best = u, t = s, at = p;
        }
        return best;
    }

    // A curve that is not convex: every combination's peak inside each stretch between stations, entered in
    // the utilisation along the member where it passes both ends.
    void Stretches(const std::vector<Rule_>& rules, std::vector<Entry>& entries) {
        const std::size_t cases = model.Cases(member).size();
        std::vector<Entry> out;
        std::size_t e = 0;
        std::vector<std::vector<TermPair>> pairs0, pairs1;
        for (std::size_t s = 0; s + 1 < x.size(); ++s) {
            const std::size_t right = jump[s] ? 1 : 0;
            while (e < entries.size() && entries[e].x <= x[s])
                out.push_back(std::move(entries[e++]));
            const double ends = std::max(out.back().best.u, entries[e].best.u);
            Entry peak{0.0, CheckSide::None, {}};
            peak.from = s;
            for (std::size_t r = 0; r < rules.size(); ++r) {
                Pairs(rules[r], &values[(s * 2 + right) * cases], pairs0);
                Pairs(rules[r], &values[(s + 1) * 2 * cases], pairs1);
                if (std::any_of(pairs0.begin(), pairs0.end(), [](const auto& p) { return p.empty(); }))
                    continue;
                Limit(rules[r]);
                // The pairs at both ends come in the same order: one index picks a combination at both.
                Enumerate(pairs0, [&](const std::vector<std::uint32_t>& i, Point p0) {
                    const Point p1 = SumOf(pairs1, i);
                    double t = 0.0;
                    Point at{0.0, 0.0};
                    const double u = Peak(p0, p1, t, at);
                    if (u > peak.best.u) {
                        Keep(peak.best, u, r, i, pairs0, at);
                        peak.t = t;
                    }
                });
            }
            if (peak.best.u > ends && peak.best.u > 0) {
                peak.x = x[s] + peak.t * (x[s + 1] - x[s]);
                if (peak.x > x[s] && peak.x < x[s + 1])
                    out.push_back(std::move(peak));
            }
        }
        while (e < entries.size())
            out.push_back(std::move(entries[e++]));
        entries = std::move(out);
    }

    // The values of the cases at x inside a stretch (no jump there).
    std::vector<CaseValues> ValuesAt(double at) const {
        std::vector<CaseValues> v(model.Cases(member).size(), CaseValues{0, 0, 0, 0});
        for (const std::uint32_t c : used) {
            double* slots[2][2] = {{&v[c].nHi, &v[c].nLo}, {&v[c].mHi, &v[c].mLo}};
            for (std::size_t k = 0; k < 2; ++k) {
                diagrams[k][c].upper.f.GetOrdinate(at, *slots[k][0]);
                diagrams[k][c].Lower().f.GetOrdinate(at, *slots[k][1]);
            }
        }
        return v;
    }

    // The governing entry as the result: its combination, the bounds its bounded cases take, its pair (inside
    // a stretch the one its peak was found at), and the hull of every rule's pairs there.
    void Max(const std::vector<Rule_>& rules, const Entry& e, SituationCheck& out) {
        CheckMax& max = out.max;
        max.found = true;
        max.u = e.best.u;
        max.x = e.x;
        max.side = e.side;
        max.rule = e.best.rule;
        max.forces = {e.best.pair.x, e.best.pair.y};
        std::vector<CaseValues> inside;
        const CaseValues* v;
        if (e.t >= 0) {
            inside = ValuesAt(e.x);
            v = inside.data();
        } else {
            const std::size_t s =
                static_cast<std::size_t>(std::lower_bound(x.begin(), x.end(), e.x) - x.begin());
            v = &values[(s * 2 + (e.side == CheckSide::Right ? 1 : 0)) * model.Cases(member).size()];
        }
        const Rule_& rule = rules[e.best.rule];
        const std::vector<std::string>& cases = model.Cases(member);
        std::vector<std::pair<std::string, double>>& factors = max.combination.factors;
        for (std::size_t t = 0; t < rule.terms.size(); ++t) {
            const std::uint32_t id = e.best.ids[t];
            const Alternative_& alt = rule.terms[t].alternatives[id / 4];
            for (const auto& factor : alt.factors) {
                const std::uint32_t c = factor.first;
                const double f = factor.second;
                auto it = std::find_if(factors.begin(), factors.end(),
                                       [&](const auto& p) { return p.first == cases[c]; });
                if (it == factors.end())
                    factors.push_back({cases[c], f});
                else
                    it->second += f;
                if (!(diagrams[0][c].Bounded() || diagrams[1][c].Bounded()) ||
                    std::any_of(max.bounds.begin(), max.bounds.end(),
                                [&](const CaseBounds& b) { return b.loadCase == cases[c]; }))
                    continue;
                const CaseValues& cv = v[c];
                const bool nUpper = (id & 1) != 0, mUpper = (id & 2) != 0;
                max.bounds.push_back({cases[c],
                                      {(f * cv.nHi >= f * cv.nLo) == nUpper ? Bound::Max : Bound::Min,
                                       (f * cv.mHi >= f * cv.mLo) == mUpper ? Bound::Max : Bound::Min}});
            }
        }
        factors.erase(
            std::remove_if(factors.begin(), factors.end(), [](const auto& p) { return p.second == 0; }),
            factors.end());
        // Every rule's pairs there, their hull for the plots.
        std::vector<TermPair> all;
        for (std::size_t r = 0; r < rules.size(); ++r) {
            Pairs(rules[r], v, pairs);
            if (std::any_of(pairs.begin(), pairs.end(), [](const auto& p) { return p.empty(); }))
                continue;
            if (r == e.best.rule && e.t >= 0)
                Finite(e.best.pair, e.x);
            for (auto& p : pairs)
                ConvexHull(p);
            MinkowskiVertices(pairs, edges, index, [&](const std::vector<std::uint32_t>& i) {
                const Point p = SumOf(pairs, i);
                all.push_back({p.x, p.y, 0});
            });
        }
        ConvexHull(all);
        for (const TermPair& p : all)
            out.hull.push_back({p.n, p.m});
    }

    const Model& model;
    std::size_t member;
    const analysis::Section& section;
    const SectionCurve::Geometry& geometry;
    mutable std::vector<double> vertexRay; // VertexRay's, made on first use
    CheckMethod method;
    const CheckOptions& options;
    std::string label;
    std::vector<CaseDiagram> diagrams[2];
    std::vector<std::uint32_t> used; // the cases the rules name
    std::vector<double> x;           // the stations
    std::vector<bool> jump;          // whether a diagram jumps at each
    std::vector<CaseValues> values;
    // Scratch space.
    std::vector<std::vector<TermPair>> pairs;
    std::vector<HullEdge> edges;
    std::vector<std::uint32_t> index;
    std::vector<Point> partial;
};

// The load cases of a member as a situation: each a rule of its own.
SituationRules CaseRules(const std::vector<std::string>& cases) {
    SituationRules s;
    s.name = "cases";
    for (const std::string& c : cases)
        s.rules.push_back({c, "", {{c, {Alternative{{{c, 1.0}}}}}}});
    return s;
}

std::string ListOf(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names)
        out += (out.empty() ? "" : ", ") + n;
    return out;
}

} // namespace

SituationRules CombinationRules(const std::vector<Combination>& combinations) {
    SituationRules s;
    s.name = "combinations";
    for (const Combination& c : combinations) {
        Rule r;
        r.label = c.name;
        for (const Term& t : c.terms)
            r.terms.push_back({t.loadCase, {Alternative{{{t.loadCase, t.factor}}}}});
        s.rules.push_back(std::move(r));
    }
    return s;
}

CheckRun AnalyseChecks(const Model& model, const Capacity& capacity,
                       const std::vector<SituationRules>& situations, const CheckOptions& checkOptions,
                       const RunOptions& options) {
    CheckRun run;
    run.method = capacity.method;
    const std::vector<std::string>& forces = model.Forces();
    // Each section's forces in the model.
    std::vector<std::array<std::size_t, 2>> forceOf;
    for (const Section& s : capacity.sections) {
        std::array<std::size_t, 2> f{};
        for (std::size_t k = 0; k < 2; ++k) {
            f[k] = static_cast<std::size_t>(std::find(forces.begin(), forces.end(), s.forces[k]) -
                                            forces.begin());
            if (f[k] == forces.size())
                throw Error(Error::Kind::Data, s.place + "/forces/" + std::to_string(k) + ": no force " +
                                                   Quoted(s.forces[k]) + " in " + model.Source() +
                                                   "; its forces: " + ListOf(forces));
        }
        forceOf.push_back(f);
    }
    // Each member's section.
    std::vector<std::size_t> sectionOf(model.Size(), capacity.sections.size());
    std::vector<std::string> missing;
    for (const auto& [name, s] : capacity.members) {
        const std::size_t m = model.Find(name);
        if (m == model.Size())
            missing.push_back(Quoted(name));
        else
            sectionOf[m] = s;
    }
    for (std::size_t m = 0; m < model.Size(); ++m) {
        if (sectionOf[m] < capacity.sections.size())
            continue;
        if (!capacity.fallback)
            throw Error(Error::Kind::Data, capacity.membersPlace + ": member " + Quoted(model.MemberName(m)) +
                                               " of " + model.Source() +
                                               " has no section, and there is no default");
        sectionOf[m] = *capacity.fallback;
    }
    if (!missing.empty())
        run.notes.push_back((missing.size() == 1 ? "member " : "members ") + ListOf(missing) + " of " +
                            capacity.source + (missing.size() == 1 ? " is" : " are") + " not in " +
                            model.Source());
    std::vector<bool> reported(capacity.sections.size(), false);
    for (std::size_t m = 0; m < model.Size(); ++m) {
        const Section& s = capacity.sections[sectionOf[m]];
        if (!s.curve.Convex() && !reported[sectionOf[m]]) {
            reported[sectionOf[m]] = true;
            run.notes.push_back("section " + Quoted(s.name) + " of " + capacity.source +
                                " is not convex: its members are checked by enumerating every combination");
        }
    }
    // Every case a rule names is some member's.
    const std::vector<std::string> all = model.AllCases();
    const std::set<std::string> known(all.begin(), all.end());
    for (const SituationRules& s : situations)
        for (const Rule& r : s.rules)
            for (const RuleTerm& t : r.terms)
                for (const Alternative& a : t.alternatives)
                    for (const CaseFactor& f : a.factors)
                        if (known.count(f.loadCase) == 0)
                            throw Error(Error::Kind::Usage, "situation " + Quoted(s.name) + ", rule " +
                                                                Quoted(r.label) + ": no case " +
                                                                Quoted(f.loadCase) + " in " + model.Source());
    if (situations.empty())
        run.situations = {"cases"};
    for (const SituationRules& s : situations)
        run.situations.push_back(s.name);
    run.members = ForEachMember<MemberCheck>(model, options, [&](std::size_t m) {
        MemberCheck out;
        out.section = sectionOf[m];
        out.forces = forceOf[out.section];
        const Section& section = capacity.sections[out.section];
        out.exact = section.curve.Convex() ? CheckExactness::Hull : CheckExactness::Enumerated;
        MemberRun one(model, m, section, out.forces, capacity.method, checkOptions);
        std::vector<SituationRules> own;
        const std::vector<SituationRules>& list = situations.empty() ? own : situations;
        if (situations.empty())
            own.push_back(CaseRules(model.Cases(m)));
        std::vector<std::vector<Rule_>> resolved;
        for (const SituationRules& s : list)
            resolved.push_back(one.Resolve(s));
        const bool any = one.Prepare(resolved);
        for (std::size_t k = 0; k < list.size(); ++k) {
            if (any)
                out.situations.push_back(one.Run(list[k].name, resolved[k]));
            else
                out.situations.push_back(SituationCheck{list[k].name, {}, {}, {}});
        }
        return out;
    });
    return run;
}

} // namespace analysis
} // namespace vymath
