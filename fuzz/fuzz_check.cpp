// Differential fuzzing of the section checks: random curves (convex, star-shaped and not convex, raw points
// that may cross), a member's load cases (some bounded, some with jumps) and situations of random rules,
// against every combination enumerated at every station and its utilisation by casting against every edge
// (fuzz/reference/ref_check.cpp). At every station the largest utilisation must agree within 1e-9 (either
// both infinite), the governing combination must be one the rules give, with the reported pair and
// utilisation, the hull must hold every pair, and no pair sampled between stations may pass the largest.
// The cases' rows stand at every station, so that the engine's values there are the rows' own.
#include "FuzzCommon.h"
#include "reference/RefCheck.h"

#include "vymath/analysis/Check.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace vymath::analysis;
using Point = CVyMathFunction1D::Point;

bool Trace() {
    return std::getenv("VYMATH_FUZZ_TRACE") != nullptr;
}

// Within 1e-9 relatively; a utilisation u is the ratio to a capacity u times smaller than the curve, whose
// rounding grows the relative error with u.
bool Close(double a, double b) {
    if (std::isinf(a) || std::isinf(b))
        return a == b;
    return std::fabs(a - b) <= (1e-9 + 1e-14 * std::fabs(b)) * (1.0 + std::fabs(b));
}

// The reference's utilisation of p: on a curve that is not convex a ray through a vertex within rounding
// may meet it or pass it, and a held N within rounding of the curve may be in or out, so the reference
// brackets those (the least, the greatest); equal otherwise.
struct Range {
    double lo, hi;
};

Range Reference(const std::vector<Point>& polygon, bool convex, CheckMethod method, Point p) {
    if (method == CheckMethod::AtFirstForce) {
        // Where (N, 0) lies within rounding of the curve, N is in or out as the doubles fall: bracketed by
        // the ratios a hair either side.
        const double d = 1e-12 * (std::fabs(p.x) + 1.0);
        const double u[] = {ref::HeldRatio(polygon, p), ref::HeldRatio(polygon, {p.x - d, p.y}),
                            ref::HeldRatio(polygon, {p.x + d, p.y})};
        return std::isinf(u[0]) == std::isinf(u[1]) && std::isinf(u[0]) == std::isinf(u[2])
                   ? Range{u[0], u[0]}
                   : Range{*std::min_element(u, u + 3), *std::max_element(u, u + 3)};
    }
    const double hi = ref::RayRatio(polygon, p);
    return {convex ? hi : ref::RayRatio(polygon, p, -1e-12), hi};
}

bool Within(double u, Range r) {
    return Close(u, r.lo) || Close(u, r.hi) || (u >= r.lo && u <= r.hi);
}

// A value on the grid of halves (exact arithmetic, ties and boundaries hit exactly), or any double.
double Value(FuzzedDataProvider& in, bool grid, double range) {
    if (grid)
        return in.ConsumeIntegralInRange(-static_cast<int>(2 * range), static_cast<int>(2 * range)) * 0.5;
    return in.ConsumeFloatingPointInRange(-range, range);
}

std::vector<Point> MakeCurve(FuzzedDataProvider& in, bool grid) {
    std::vector<Point> v;
    const int kind = in.ConsumeIntegralInRange(0, 3);
    const int count = in.ConsumeIntegralInRange(3, kind == 0 ? 24 : 12);
    if (kind <= 1) {
        // Angles around the origin, increasing: on an ellipse (convex) or at random radii (star-shaped).
        std::vector<double> steps;
        double total = 0.0;
        for (int k = 0; k < count; ++k)
            total += steps.emplace_back(in.ConsumeIntegralInRange(1, 8));
        const double a = in.ConsumeIntegralInRange(2, 20), b = in.ConsumeIntegralInRange(2, 20);
        double angle = in.ConsumeIntegralInRange(0, 7) * 0.25;
        for (int k = 0; k < count; ++k) {
            angle += 6.283185307179586 * steps[static_cast<std::size_t>(k)] / total;
            const double r = kind == 0 ? 1.0 : in.ConsumeIntegralInRange(2, 10) * 0.1;
            Point p{a * r * std::cos(angle), b * r * std::sin(angle)};
            if (grid)
                p = {std::round(2 * p.x) / 2, std::round(2 * p.y) / 2};
            v.push_back(p);
        }
    } else {
        for (int k = 0; k < count; ++k)
            v.push_back({Value(in, grid, 20), Value(in, grid, 10)});
    }
    if (kind == 3) // shifted: the origin near or beyond an edge
        for (Point& p : v)
            p.x += Value(in, true, 3);
    if (in.ConsumeBool())
        std::reverse(v.begin(), v.end());
    return v;
}

struct CaseRows {
    std::string name;
    bool bounded;
    // At every station, each bound's values (P, M) left and right.
    std::vector<std::array<Point, 2>> upper, lower;
    std::vector<bool> jump;
};

// The values of every case at station s on one side.
std::map<std::string, ref::CaseAt> ValuesAt(const std::vector<CaseRows>& cases, std::size_t s, int side) {
    std::map<std::string, ref::CaseAt> out;
    for (const CaseRows& c : cases) {
        const Point hi = c.upper[s][static_cast<std::size_t>(side)],
                    lo = c.lower[s][static_cast<std::size_t>(side)];
        out[c.name] = {hi.x, lo.x, hi.y, lo.y};
    }
    return out;
}

// The factors of a combination summed by case in term order, zeros left out; the bounds of its bounded cases.
DesignCombination FactorsOf(const SituationRules& s, const ref::Combination& c) {
    DesignCombination out;
    const auto& terms = s.rules[c.rule].terms;
    for (std::size_t t = 0; t < terms.size(); ++t)
        for (const CaseFactor& f : terms[t].alternatives[c.alternative[t]].factors) {
            auto it = std::find_if(out.factors.begin(), out.factors.end(),
                                   [&](const auto& p) { return p.first == f.loadCase; });
            if (it == out.factors.end())
                out.factors.push_back({f.loadCase, f.factor});
            else
                it->second += f.factor;
        }
    out.factors.erase(
        std::remove_if(out.factors.begin(), out.factors.end(), [](const auto& p) { return p.second == 0; }),
        out.factors.end());
    return out;
}

std::vector<CaseBounds> BoundsOf(const SituationRules& s, const ref::Combination& c,
                                 const std::map<std::string, ref::CaseAt>& values,
                                 const std::set<std::string>& bounded) {
    std::vector<CaseBounds> out;
    const auto& terms = s.rules[c.rule].terms;
    for (std::size_t t = 0; t < terms.size(); ++t)
        for (const CaseFactor& f : terms[t].alternatives[c.alternative[t]].factors) {
            if (!bounded.count(f.loadCase) || std::any_of(out.begin(), out.end(), [&](const CaseBounds& b) {
                    return b.loadCase == f.loadCase;
                }))
                continue;
            const ref::CaseAt& v = values.at(f.loadCase);
            const bool n = (c.corner[t] & 1) != 0, m = (c.corner[t] & 2) != 0;
            out.push_back({f.loadCase,
                           {(f.factor * v.nHi >= f.factor * v.nLo) == n ? Bound::Max : Bound::Min,
                            (f.factor * v.mHi >= f.factor * v.mLo) == m ? Bound::Max : Bound::Min}});
        }
    return out;
}

// Inside or on the counter-clockwise hull, within tol.
bool InHull(const std::vector<Point>& hull, Point p, double tol) {
    if (hull.size() == 1)
        return std::fabs(p.x - hull[0].x) <= tol && std::fabs(p.y - hull[0].y) <= tol;
    for (std::size_t i = 0; i < hull.size(); ++i) {
        const Point a = hull[i], b = hull[(i + 1) % hull.size()];
        const double len = std::hypot(b.x - a.x, b.y - a.y);
        if (((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / len < -tol)
            return false;
        if (hull.size() == 2) { // a segment: within its length
            const double along = ((p.x - a.x) * (b.x - a.x) + (p.y - a.y) * (b.y - a.y)) / len;
            return std::fabs(((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / len) <= tol &&
                   along >= -tol && along <= len + tol;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const bool grid = in.ConsumeBool();
    const CheckMethod method = in.ConsumeBool() ? CheckMethod::Ray : CheckMethod::AtFirstForce;
    std::vector<Point> polygon = MakeCurve(in, grid);
    std::vector<Point> closed = polygon;
    closed.push_back(polygon.front());
    Capacity capacity;
    try {
        capacity.sections.push_back({"S", {"P", "M"}, SectionCurve(ClosedCurve(closed)), "fuzz"});
    } catch (const Error&) {
        return 0; // a curve refused: crossing itself, not around the origin, ...
    }
    // A curve passing within rounding of the origin: every utilisation is ill-conditioned there.
    double scale = 0.0, gap = 1e300;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        const Point d{b.x - a.x, b.y - a.y};
        const double l = std::clamp(-(a.x * d.x + a.y * d.y) / (d.x * d.x + d.y * d.y), 0.0, 1.0);
        gap = std::min(gap, std::hypot(a.x + l * d.x, a.y + l * d.y));
        scale = std::max({scale, std::fabs(a.x), std::fabs(a.y)});
    }
    if (gap < 1e-6 * scale)
        return 0;
    capacity.fallback = 0;
    capacity.method = method;
    const SectionCurve& curve = capacity.sections[0].curve;
    if (Trace()) {
        std::fprintf(stderr, "%s curve, %s:", curve.Convex() ? "convex" : "non-convex",
                     method == CheckMethod::Ray ? "ray" : "held N");
        for (const Point& p : polygon)
            std::fprintf(stderr, " (%.17g, %.17g)", p.x, p.y);
        std::fprintf(stderr, "\n");
    }
    // The utilisation of single pairs: vertices, points on edges and on the axis, and any.
    for (int k = in.ConsumeIntegralInRange(0, 6); k > 0; --k) {
        Point p{Value(in, grid, 25), Value(in, grid, 12)};
        if (in.ConsumeBool()) {
            const Point a = polygon[in.ConsumeIntegralInRange<std::size_t>(0, polygon.size() - 1)];
            const double f = in.ConsumeIntegralInRange(0, 8) * 0.25;
            p = {a.x * f, in.ConsumeBool() ? a.y * f : 0.0};
        }
        const double mine = curve.Utilisation(method, p.x, p.y);
        const Range theirs = Reference(polygon, curve.Convex(), method, p);
        if (Trace() && !Within(mine, theirs))
            std::fprintf(stderr, "pair (%.17g, %.17g): %.17g, reference %.17g to %.17g\n", p.x, p.y, mine,
                         theirs.lo, theirs.hi);
        fuzz::Check(Within(mine, theirs), "the utilisation of a pair differs from the reference");
    }

    // The member: stations on [0, 10], cases with rows at every station.
    std::vector<double> stations{0.0, 10.0};
    for (int k = in.ConsumeIntegralInRange(0, 5); k > 0; --k)
        stations.push_back(in.ConsumeIntegralInRange(1, 39) * 0.25);
    std::sort(stations.begin(), stations.end());
    stations.erase(std::unique(stations.begin(), stations.end()), stations.end());
    const std::size_t n = stations.size();
    std::vector<CaseRows> cases(static_cast<std::size_t>(in.ConsumeIntegralInRange(1, 4)));
    Model model({"P", "M"});
    std::set<std::string> bounded;
    std::size_t origin = 0;
    for (std::size_t c = 0; c < cases.size(); ++c) {
        CaseRows& r = cases[c];
        r.name = "C" + std::to_string(c);
        r.bounded = in.ConsumeIntegralInRange(0, 3) == 0;
        if (r.bounded)
            bounded.insert(r.name);
        for (std::size_t s = 0; s < n; ++s) {
            const bool jump = s > 0 && s + 1 < n && in.ConsumeIntegralInRange(0, 5) == 0;
            const Point left{Value(in, grid, 8), Value(in, grid, 6)};
            // A jump's sides equal, or apart by far more than the library's tolerance.
            const auto other = [&](Point p) {
                return in.ConsumeBool()
                           ? p
                           : Point{p.x + (in.ConsumeBool() ? 1 : -1) * in.ConsumeIntegralInRange(1, 8) * 0.5,
                                   p.y + (in.ConsumeBool() ? 1 : -1) * in.ConsumeIntegralInRange(1, 8) * 0.5};
            };
            const Point right = jump ? other(left) : left;
            r.upper.push_back({left, right});
            const Point below{in.ConsumeIntegralInRange(0, 6) * 0.5, in.ConsumeIntegralInRange(0, 6) * 0.5};
            r.lower.push_back(r.bounded ? std::array<Point, 2>{Point{left.x - below.x, left.y - below.y},
                                                               Point{right.x - below.x, right.y - below.y}}
                                        : std::array<Point, 2>{left, right});
            // A jump where a side differs (equal sides are one point of the diagrams).
            r.jump.push_back(left.x != right.x || left.y != right.y);
            for (const bool upper : {true, false}) {
                if (!upper && !r.bounded)
                    break;
                const auto& v = upper ? r.upper.back() : r.lower.back();
                const Bound b = !r.bounded ? Bound::None : upper ? Bound::Max : Bound::Min;
                for (std::size_t side = 0; side < (jump ? 2u : 1u); ++side) {
                    const double values[2] = {v[side].x, v[side].y};
                    model.Add("B1", r.name, b, stations[s], values, origin++);
                }
            }
        }
    }
    // A situation of random rules; or the load cases.
    std::vector<SituationRules> situations;
    SituationRules cased;
    cased.name = "cases";
    for (const CaseRows& r : cases)
        cased.rules.push_back({r.name, "", {{r.name, {Alternative{{{r.name, 1.0}}}}}}});
    if (in.ConsumeBool()) {
        SituationRules s;
        s.name = "S";
        static const double factors[] = {1.0, 1.5, 1.35, 0.5, -1.0, 0.7, 2.0, 1.05};
        for (int r = in.ConsumeIntegralInRange(1, 3); r > 0; --r) {
            Rule rule;
            rule.label = "r" + std::to_string(r);
            for (int t = in.ConsumeIntegralInRange(1, 4); t > 0; --t) {
                RuleTerm term;
                for (int a = in.ConsumeIntegralInRange(1, 3); a > 0; --a) {
                    Alternative alt;
                    for (int f = in.ConsumeIntegralInRange(0, 2); f > 0; --f)
                        alt.factors.push_back(
                            {cases[in.ConsumeIntegralInRange<std::size_t>(0, cases.size() - 1)].name,
                             grid ? in.PickValueInArray(factors)
                                  : in.ConsumeFloatingPointInRange(-2.0, 2.0)});
                    term.alternatives.push_back(alt);
                }
                rule.terms.push_back(term);
            }
            s.rules.push_back(rule);
        }
        situations.push_back(s);
    }
    const SituationRules& rules = situations.empty() ? cased : situations[0];
    // The reference enumerates: a few thousand combinations a station at most, so that a run stays short.
    double count = 0.0;
    for (const Rule& r : rules.rules) {
        double product = 1.0;
        for (const RuleTerm& t : r.terms) {
            double choices = 0.0;
            for (const Alternative& a : t.alternatives)
                choices += std::any_of(a.factors.begin(), a.factors.end(),
                                       [&](const CaseFactor& f) { return bounded.count(f.loadCase) > 0; })
                               ? 4
                               : 1;
            product *= choices;
        }
        count += product;
    }
    if (count > 2000)
        return 0;

    CheckRun run;
    try {
        run = AnalyseChecks(model, capacity, situations);
    } catch (const Error& e) {
        if (Trace())
            std::fprintf(stderr, "error: %s\n", e.what());
        fuzz::Fail("the check refused a valid member");
    }
    const SituationCheck& mine = run.members[0].situations[0];
    fuzz::Check(run.members[0].exact == (curve.Convex() ? CheckExactness::Hull : CheckExactness::Enumerated),
                "the method follows the curve's convexity");

    // Every station (each side of a jump) against the enumeration there.
    // The cases the rules name give the stations and their jumps; none: nothing along the member.
    std::set<std::string> named;
    for (const Rule& r : rules.rules)
        for (const RuleTerm& t : r.terms)
            for (const Alternative& a : t.alternatives)
                for (const CaseFactor& f : a.factors)
                    named.insert(f.loadCase);
    if (named.empty()) {
        fuzz::Check(mine.along.x.empty() && !mine.max.found, "values for rules that name no case");
        return 0;
    }
    if (Trace()) {
        for (std::size_t s = 0; s < n; ++s) {
            std::fprintf(stderr, "station %g:", stations[s]);
            for (const CaseRows& r : cases)
                std::fprintf(stderr, " %s%s", r.name.c_str(), r.jump[s] ? " jumps" : "");
            std::fprintf(stderr, "\n");
        }
        for (std::size_t k = 0; k < mine.along.x.size(); ++k)
            std::fprintf(stderr, "along x = %.17g side %d u = %.17g\n", mine.along.x[k],
                         static_cast<int>(mine.along.side[k]), mine.along.u[k]);
    }
    double largest = -1.0, largestHi = -1.0; // the reference's largest at the stations
    std::size_t e = 0;
    for (std::size_t s = 0; s < n; ++s) {
        bool jump = false;
        for (const CaseRows& r : cases)
            jump = jump || (r.jump[s] && named.count(r.name));
        for (int side = 0; side < (jump ? 2 : 1); ++side) {
            while (e < mine.along.x.size() && mine.along.x[e] < stations[s])
                fuzz::Check(mine.along.side[e++] == CheckSide::None && !curve.Convex(),
                            "an entry between stations, on a convex curve or at a jump");
            fuzz::Check(e < mine.along.x.size() && mine.along.x[e] == stations[s], "a station is missing");
            fuzz::Check(mine.along.side[e] == (!jump       ? CheckSide::None
                                               : side == 0 ? CheckSide::Left
                                                           : CheckSide::Right),
                        "a station's side");
            const std::map<std::string, ref::CaseAt> values = ValuesAt(cases, s, side);
            Range best{-1.0, -1.0};
            for (const ref::Combination& c : ref::Combinations(rules, values, bounded)) {
                const Range u = Reference(polygon, curve.Convex(), method, c.pair);
                if (Trace())
                    std::fprintf(stderr, "  pair (%.17g, %.17g): %.17g to %.17g\n", c.pair.x, c.pair.y, u.lo,
                                 u.hi);
                best = {std::max(best.lo, u.lo), std::max(best.hi, u.hi)};
            }
            if (Trace())
                std::fprintf(stderr, "x = %g side %d: %.17g, reference %.17g to %.17g\n", stations[s], side,
                             mine.along.u[e], best.lo, best.hi);
            fuzz::Check(Within(mine.along.u[e], best), "the largest utilisation at a station differs");
            largest = std::max(largest, best.lo);
            largestHi = std::max(largestHi, best.hi);
            ++e;
        }
    }
    fuzz::Check(e == mine.along.x.size(), "entries after the last station");
    if (largest < 0) {
        fuzz::Check(!mine.max.found, "a largest utilisation without a combination");
        return 0;
    }
    fuzz::Check(mine.max.found, "no largest utilisation");
    if (Trace())
        std::fprintf(stderr,
                     "largest %.17g at x = %.17g side %d (%.17g, %.17g); reference at stations %.17g\n",
                     mine.max.u, mine.max.x, static_cast<int>(mine.max.side), mine.max.forces[0],
                     mine.max.forces[1], largest);
    fuzz::Check(*std::max_element(mine.along.u.begin(), mine.along.u.end()) == mine.max.u ||
                    (mine.max.side == CheckSide::None && !curve.Convex()),
                "the largest is not the largest along the member");
    fuzz::Check(curve.Convex() ? Within(mine.max.u, {largest, largestHi})
                               : mine.max.u >= largest || Close(mine.max.u, largest),
                "the largest utilisation differs from the enumeration's");
    const Point pair{mine.max.forces[0], mine.max.forces[1]};
    fuzz::Check(Within(mine.max.u, Reference(polygon, curve.Convex(), method, pair)) ||
                    std::isinf(mine.max.u),
                "the governing pair's utilisation");

    // The governing combination is one of the rules', with that pair at its station.
    const auto station = std::find(stations.begin(), stations.end(), mine.max.x);
    if (station != stations.end()) {
        const std::size_t s = static_cast<std::size_t>(station - stations.begin());
        const std::map<std::string, ref::CaseAt> values =
            ValuesAt(cases, s, mine.max.side == CheckSide::Right ? 1 : 0);
        bool found = false;
        std::vector<Point> pairs;
        for (const ref::Combination& c : ref::Combinations(rules, values, bounded)) {
            pairs.push_back(c.pair);
            found = found || (c.rule == mine.max.rule && c.pair.x == pair.x && c.pair.y == pair.y &&
                              FactorsOf(rules, c) == mine.max.combination &&
                              BoundsOf(rules, c, values, bounded).size() == mine.max.bounds.size() &&
                              std::equal(mine.max.bounds.begin(), mine.max.bounds.end(),
                                         BoundsOf(rules, c, values, bounded).begin(),
                                         [](const CaseBounds& a, const CaseBounds& b) {
                                             return a.loadCase == b.loadCase && a.forces == b.forces;
                                         }));
        }
        if (Trace())
            std::fprintf(stderr, "governing: rule %zu %s (%.17g, %.17g) at %g\n", mine.max.rule,
                         mine.max.combination.Text().c_str(), pair.x, pair.y, mine.max.x);
        fuzz::Check(found, "the governing combination is not one the rules give with that pair");
        double scale = 1.0;
        for (const Point& p : pairs)
            scale = std::max({scale, std::fabs(p.x), std::fabs(p.y)});
        for (const Point& p : pairs)
            fuzz::Check(InHull(mine.hull, p, 1e-9 * scale), "a pair outside the hull");
        for (const Point& h : mine.hull)
            fuzz::Check(std::any_of(pairs.begin(), pairs.end(),
                                    [&](const Point& p) {
                                        return std::fabs(p.x - h.x) <= 1e-9 * scale &&
                                               std::fabs(p.y - h.y) <= 1e-9 * scale;
                                    }),
                        "a hull vertex that is no combination's pair");
    } else {
        fuzz::Check(!curve.Convex() && mine.max.side == CheckSide::None, "the largest between stations");
    }

    // No pair between stations passes the largest.
    std::size_t budget = 4000;
    for (std::size_t s = 0; s + 1 < n && budget > 0; ++s) {
        bool jump = false;
        for (const CaseRows& r : cases)
            jump = jump || (r.jump[s] && named.count(r.name));
        const std::vector<ref::Combination> from =
            ref::Combinations(rules, ValuesAt(cases, s, jump ? 1 : 0), bounded);
        const std::vector<ref::Combination> to = ref::Combinations(rules, ValuesAt(cases, s + 1, 0), bounded);
        for (std::size_t k = 0; k < from.size() && budget > 0; ++k, --budget)
            for (const double t : {0.125, 0.375, 0.5, 0.625, 0.875}) {
                const Point a = from[k].pair, b = to[k].pair;
                const Point p{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
                const double u = Reference(polygon, curve.Convex(), method, p).lo;
                if (Trace() && !(u <= mine.max.u || Close(u, mine.max.u)))
                    std::fprintf(stderr, "between %g and %g at t = %g: (%.17g, %.17g) gives %.17g\n",
                                 stations[s], stations[s + 1], t, p.x, p.y, u);
                fuzz::Check(u <= mine.max.u || Close(u, mine.max.u),
                            "a pair between stations passes the largest");
            }
    }
    return 0;
}
