// Differential fuzzing of the design envelopes under the shipped codes (EN 1990, ASCE 7-16 LRFD and ASD):
// random load cases (with jumps) and actions of every type, acting and not_with (Ev with Eh), against every
// combination enumerated (fuzz/reference/ref_design.cpp) and enveloped with the exact envelope, which must be
// the combinations DesignRules' rules give, none more. The envelopes
// must agree within 1e-9 of the scale of the values (on steep pieces, within what a shift of a few 1e-9 in x
// gives, the output's tolerance), and every governing combination must be one of the enumerated ones and take
// the envelope's values. The enumerated combinations sum the cases as plain polylines (tolerance 1e-9, a jump
// its steep piece), so that no value is taken from a neighbouring point within Combine's tolerance.
#include "FuzzCommon.h"
#include "foundation/Access.h"
#include "reference/RefDesign.h"
#include "reference/RefInternal.h"

#include "formats/Codes.h"
#include "vymath/analysis/Design.h"
#include "vymath/analysis/Diagram.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace vymath::analysis;
using F = CVyMathFunction1D;

bool Trace() {
    return std::getenv("VYMATH_FUZZ_TRACE") != nullptr;
}

// A polyline's value at x, on its segment, without snapping (the last segment's end included).
double ValueAt(const std::vector<F::Point>& p, double x) {
    std::size_t i = 0;
    while (i + 2 < p.size() && !(x < p[i + 1].x))
        ++i;
    if (x == p[i].x)
        return p[i].y;
    if (x == p[i + 1].x)
        return p[i + 1].y;
    return ref::detail::LagrangeLine(p[i].x, p[i].y, p[i + 1].x, p[i + 1].y, x);
}

// The steepest slope of the polyline's segments at x (the one it lies on, or the two it separates).
double Slope(const std::vector<F::Point>& p, double x) {
    double s = 0.0;
    for (std::size_t i = 0; i + 1 < p.size(); ++i)
        if (p[i].x <= x && x <= p[i + 1].x && p[i + 1].x > p[i].x)
            s = std::max(s, std::fabs((p[i + 1].y - p[i].y) / (p[i + 1].x - p[i].x)));
    return s;
}

std::vector<F::Point> Line(const std::vector<double>& x, const std::vector<double>& y) {
    std::vector<F::Point> out;
    for (std::size_t i = 0; i < x.size(); ++i)
        out.push_back({x[i], y[i]});
    return out;
}

// The shipped codes, read once: EN 1990, ASCE 7-16 LRFD and ASD.
const std::shared_ptr<const Code>& CodeNumber(int k) {
    static const std::shared_ptr<const Code> codes[] = {
        vymath::formats::LoadCode("EN1990", vymath::formats::DefaultCodeFolders()),
        vymath::formats::LoadCode("ASCE7-16-LRFD", vymath::formats::DefaultCodeFolders()),
        vymath::formats::LoadCode("ASCE7-16-ASD", vymath::formats::DefaultCodeFolders())};
    return codes[k];
}

const char* KindOf(ActionType t) {
    static const char* const kinds[] = {"permanent", "prestress", "variable", "accidental", "seismic"};
    return kinds[static_cast<int>(t)];
}

double Ordinate(FuzzedDataProvider& in) {
    return in.ConsumeBool() ? in.ConsumeIntegralInRange(-8, 8) * 2.5
                            : in.ConsumeFloatingPointInRange(-100.0, 100.0);
}

// Every combination of every rule of the situation, as factors of the cases.
std::set<std::vector<double>> RuleCombinations(const SituationRules& s,
                                               const std::vector<std::string>& names) {
    std::set<std::vector<double>> out;
    for (const Rule& r : s.rules) {
        std::vector<std::size_t> pick(r.terms.size(), 0);
        for (;;) {
            std::vector<double> f(names.size(), 0.0);
            for (std::size_t t = 0; t < r.terms.size(); ++t)
                for (const CaseFactor& c : r.terms[t].alternatives[pick[t]].factors)
                    f[static_cast<std::size_t>(std::find(names.begin(), names.end(), c.loadCase) -
                                               names.begin())] += c.factor;
            out.insert(f);
            std::size_t t = 0;
            while (t < pick.size() && ++pick[t] == r.terms[t].alternatives.size())
                pick[t++] = 0;
            if (t == pick.size())
                break;
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    // Load cases on the stations of one member, some with a jump.
    std::vector<double> stations{0.0, 10.0};
    for (int k = in.ConsumeIntegralInRange(0, 8); k > 0; --k)
        stations.push_back(in.ConsumeIntegralInRange(1, 39) * 0.25);
    std::sort(stations.begin(), stations.end());
    stations.erase(std::unique(stations.begin(), stations.end()), stations.end());
    const int count = in.ConsumeIntegralInRange(1, 6);
    std::vector<std::string> names;
    std::vector<Diagram> diagrams;
    const Locator where = [](std::size_t) { return std::string("row"); };
    for (int c = 0; c < count; ++c) {
        std::vector<Row> rows;
        for (double x : stations) {
            rows.push_back({x, Ordinate(in), 0});
            if (x > 0.0 && x < 10.0 && in.ConsumeIntegralInRange(0, 5) == 0)
                rows.push_back({x, Ordinate(in), 0});
        }
        names.push_back("C" + std::to_string(c));
        diagrams.push_back(BuildDiagram("case", rows, where));
    }
    // Actions: every case in exactly one.
    Actions acts;
    acts.source = "fuzz";
    const int code = in.ConsumeIntegralInRange(0, 2);
    const bool en1990 = code == 0;
    acts.code = CodeNumber(code);
    acts.values = acts.code->values;
    for (const CodeOption& o : acts.code->options)
        acts.options[o.name] = o.defaults;
    if (!en1990) {
        if (code == 1 && in.ConsumeBool()) {
            acts.options["L_factor_0.5"] = {"true"};
            acts.values["L_factor"] = 0.5;
        }
    } else {
        acts.options["uls"] = {in.ConsumeBool() ? "6.10a/b" : "6.10"};
        acts.options["accidental_leading_psi"] = {in.ConsumeBool() ? "psi1" : "psi2"};
    }
    if (en1990 && in.ConsumeBool()) {
        acts.values["gamma_G_sup"] = in.ConsumeIntegralInRange(0, 20) * 0.1;
        acts.values["gamma_G_inf"] = in.ConsumeIntegralInRange(0, 20) * 0.1;
        acts.values["gamma_Q"] = in.ConsumeIntegralInRange(0, 20) * 0.1;
        acts.values["xi"] = in.ConsumeIntegralInRange(0, 10) * 0.1;
        acts.values["gamma_P"] = in.ConsumeIntegralInRange(0, 20) * 0.1;
    }
    const int actionCount = in.ConsumeIntegralInRange(1, std::min(count, 5));
    for (int a = 0; a < actionCount; ++a) {
        Action act;
        act.name = "A" + std::to_string(a);
        if (en1990) {
            act.type = static_cast<ActionType>(in.ConsumeIntegralInRange(0, 4));
            act.kind = KindOf(act.type);
        } else {
            static const char* const kinds[] = {"D", "L", "Lr", "S", "R", "W", "Eh"};
            act.kind = in.PickValueInArray(kinds);
            act.type = acts.code->Type(act.kind)->role;
            if (act.type == ActionType::Permanent && in.ConsumeBool())
                act.acting = Acting::Exclusive;
        }
        if (act.type == ActionType::Variable) {
            static const double psi[] = {0.0, 0.2, 0.3, 0.5, 0.6, 0.7, 0.9, 1.0};
            double p[3] = {in.PickValueInArray(psi), in.PickValueInArray(psi), in.PickValueInArray(psi)};
            std::sort(p, p + 3); // psi0 >= psi1 >= psi2, as the actions description requires
            act.psi0 = p[2];
            act.psi1 = p[1];
            act.psi2 = p[0];
        }
        if (act.type != ActionType::Permanent && act.type != ActionType::Prestress)
            act.acting = static_cast<Acting>(in.ConsumeIntegralInRange(0, 2));
        acts.actions.push_back(act);
    }
    for (int c = 0; c < count; ++c)
        acts.actions[c < actionCount ? c : in.ConsumeIntegralInRange(0, actionCount - 1)].cases.push_back(
            names[c]);
    for (Action& a : acts.actions)
        if (a.type == ActionType::Variable)
            for (const Action& b : acts.actions)
                if (&a != &b && b.type == ActionType::Variable && in.ConsumeIntegralInRange(0, 3) == 0)
                    a.notWith.push_back(b.name);
    // ASCE 7: Ev as a factor of a D acting together, with the one Eh (not free).
    if (!en1990 && in.ConsumeBool()) {
        const auto of = [&](const char* kind) {
            return std::count_if(acts.actions.begin(), acts.actions.end(),
                                 [&](const Action& a) { return a.kind == kind; });
        };
        const auto d = std::find_if(acts.actions.begin(), acts.actions.end(), [](const Action& a) {
            return a.kind == "D" && a.acting == Acting::Together;
        });
        const auto eh = std::find_if(acts.actions.begin(), acts.actions.end(),
                                     [](const Action& a) { return a.kind == "Eh"; });
        if (d != acts.actions.end() && of("Eh") == 1 && eh->acting != Acting::Free) {
            Action ev;
            ev.name = "Ev";
            ev.kind = "Ev";
            ev.type = ActionType::Companion;
            ev.of = d->name;
            ev.ofFactor = in.ConsumeIntegralInRange(1, 6) * 0.05;
            acts.actions.push_back(ev);
        }
    }

    std::vector<const F*> functions, plains;
    std::vector<F> plain;
    plain.reserve(diagrams.size());
    double scale = 1.0; // the largest magnitude a combination can reach, for the tolerance
    std::vector<std::vector<F::Point>> points;
    for (const Diagram& d : diagrams) {
        functions.push_back(&d.f);
        points.push_back(d.f.GetPoints());
        plain.push_back(F(0.0, 10.0, 0));
        plain.back().SetXtolerance(1e-9);
        vymath::detail::Access::SetPoints(plain.back(), points.back());
        plains.push_back(&plain.back());
        for (const F::Point& p : points.back())
            scale += 3.0 * std::fabs(p.y);
    }
    if (Trace()) {
        for (std::size_t k = 0; k < points.size(); ++k)
            for (const F::Point& p : points[k])
                std::fprintf(stderr, "case %zu: %.17g %.17g\n", k, p.x, p.y);
        for (const Action& a : acts.actions) {
            std::fprintf(stderr, "action %s %s acting %d psi %g %g %g of %s %g cases", a.name.c_str(),
                         a.kind.c_str(), static_cast<int>(a.acting), a.psi0, a.psi1, a.psi2, a.of.c_str(),
                         a.ofFactor);
            for (const std::string& c : a.cases)
                std::fprintf(stderr, " %s", c.c_str());
            std::fprintf(stderr, "\n");
        }
    }
    const std::vector<DesignSituation> situations = DesignEnvelopes(acts, names, functions);
    const std::vector<SituationRules> rules = DesignRules(acts);
    fuzz::Check(rules.size() == situations.size(), "the rules form other situations");
    for (std::size_t si = 0; si < situations.size(); ++si) {
        const DesignSituation& s = situations[si];
        const std::vector<std::vector<double>> combinations = ref::Combinations(acts, names, s.name);
        const std::set<std::vector<double>> given(combinations.begin(), combinations.end());
        fuzz::Check(rules[si].name == s.name, "the rules name a situation otherwise");
        fuzz::Check(RuleCombinations(rules[si], names) == given, "the rules give other combinations");
        std::vector<F> combined(combinations.size());
        CVyMathSetFunction1D set;
        for (std::size_t k = 0; k < combinations.size(); ++k) {
            F::Combine(plains, combinations[k], combined[k]);
            combined[k].SetYtolerance(1e-5 * static_cast<double>(k + 1)); // equal ones stay apart
            set.AddFunction(&combined[k]);
        }
        F refLower, refUpper;
        std::vector<int> lc, uc;
        set.ExactEnvelopes(refLower, refUpper, lc, uc);
        if (Trace())
            std::fprintf(stderr, "%s: %zu combinations enumerated, %zu found\n", s.name.c_str(),
                         combinations.size(), s.combinations.size());
        const double tol = 1e-9 * scale;
        for (bool upper : {false, true}) {
            const EnvelopeLine& line = upper ? s.upper : s.lower;
            const std::vector<F::Point> mine = Line(line.x, line.y);
            const std::vector<F::Point> theirs = (upper ? refUpper : refLower).GetPoints();
            std::vector<double> xs;
            for (const auto* pts : {&mine, &theirs})
                for (std::size_t i = 0; i < pts->size(); ++i) {
                    xs.push_back((*pts)[i].x);
                    if (i + 1 < pts->size())
                        xs.push_back((*pts)[i].x + ((*pts)[i + 1].x - (*pts)[i].x) / 2);
                }
            for (double x : xs) {
                // Either envelope may place a point up to its tolerance 1e-9 away: steep pieces allow that.
                const double a = ValueAt(mine, x), b = ValueAt(theirs, x);
                const double allowed = tol + 4e-9 * std::max(Slope(mine, x), Slope(theirs, x));
                if (Trace() && !(std::fabs(a - b) <= allowed))
                    std::fprintf(stderr, "%s %s at %.17g: %.17g, enumerated %.17g\n", s.name.c_str(),
                                 upper ? "upper" : "lower", x, a, b);
                fuzz::Check(std::fabs(a - b) <= allowed, "design envelope differs from the enumerated one");
            }
            // Every governing combination is one of the enumerated ones and takes the envelope's values.
            for (std::size_t i = 0; i < line.x.size(); ++i) {
                const DesignCombination& c = s.combinations[static_cast<std::size_t>(line.governing[i])];
                if (Trace())
                    std::fprintf(stderr, "%s %s %zu: %.17g %.17g %s\n", s.name.c_str(),
                                 upper ? "upper" : "lower", i, line.x[i], line.y[i], c.Text().c_str());
                std::vector<double> f(names.size(), 0.0);
                for (const auto& term : c.factors)
                    f[static_cast<std::size_t>(std::find(names.begin(), names.end(), term.first) -
                                               names.begin())] = term.second;
                fuzz::Check(given.count(f) == 1, "a governing combination that the rules do not give");
                // At the point, and at the stretch's end unless the stretch is a step (as wide as the
                // output's tolerance: there the next member's value ends it).
                const bool last = i + 1 == line.x.size();
                const bool step = !last && line.x[i + 1] - line.x[i] < 4e-9;
                for (double x : {line.x[i], last || step ? line.x[i] : line.x[i + 1]}) {
                    double v = 0.0;
                    for (std::size_t k = 0; k < f.size(); ++k)
                        v += f[k] * ValueAt(points[k], x);
                    const double near = tol + 4e-9 * Slope(mine, x); // the point may have moved by 1e-9
                    if (Trace() && !(std::fabs(v - ValueAt(mine, x)) <= near))
                        std::fprintf(stderr, "%s %s point %zu at %.17g: %s gives %.17g, envelope %.17g\n",
                                     s.name.c_str(), upper ? "upper" : "lower", i, x, c.Text().c_str(), v,
                                     ValueAt(mine, x));
                    fuzz::Check(std::fabs(v - ValueAt(mine, x)) <= near,
                                "a governing combination off the envelope");
                }
            }
        }
    }
    return 0;
}
