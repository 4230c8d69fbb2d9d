// Differential fuzzing of the design envelopes by EN 1990: random load cases (with jumps) and actions of
// every type, acting and not_with, against every combination enumerated (fuzz/reference/ref_design.cpp)
// and enveloped with the exact envelope. The envelopes must agree within 1e-9 of the scale of the values,
// and every governing combination must be one of the enumerated ones and take the envelope's values. Inside
// a jump's window (j -+ 1e-5) the two differ by convention: there a combination of the library counts each
// case with its near side, the design envelope with the case's steep piece; such abscissas are skipped.
#include "FuzzCommon.h"
#include "TestAccess.h"
#include "reference/RefDesign.h"
#include "reference/RefInternal.h"

#include "vymath/analysis/Design.h"
#include "vymath/analysis/Diagram.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

std::vector<F::Point> Line(const std::vector<double>& x, const std::vector<double>& y) {
    std::vector<F::Point> out;
    for (std::size_t i = 0; i < x.size(); ++i)
        out.push_back({x[i], y[i]});
    return out;
}

// x lies strictly inside the window of a jump of a case.
bool InWindow(const std::vector<Diagram>& diagrams, double x) {
    for (const Diagram& d : diagrams)
        for (double j : d.jumps)
            if (std::fabs(x - j) < 1e-5)
                return true;
    return false;
}

double Ordinate(FuzzedDataProvider& in) {
    return in.ConsumeBool() ? in.ConsumeIntegralInRange(-8, 8) * 2.5 : in.ConsumeFloatingPointInRange(-100.0, 100.0);
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
    acts.uls610ab = in.ConsumeBool();
    acts.accidentalPsi1 = in.ConsumeBool();
    if (in.ConsumeBool()) {
        acts.factors.gammaGsup = in.ConsumeIntegralInRange(0, 20) * 0.1;
        acts.factors.gammaGinf = in.ConsumeIntegralInRange(0, 20) * 0.1;
        acts.factors.gammaQ = in.ConsumeIntegralInRange(0, 20) * 0.1;
        acts.factors.xi = in.ConsumeIntegralInRange(0, 10) * 0.1;
        acts.factors.gammaP = in.ConsumeIntegralInRange(0, 20) * 0.1;
    }
    const int actionCount = in.ConsumeIntegralInRange(1, std::min(count, 5));
    for (int a = 0; a < actionCount; ++a) {
        Action act;
        act.name = "A" + std::to_string(a);
        act.type = static_cast<ActionType>(in.ConsumeIntegralInRange(0, 4));
        if (act.type == ActionType::Variable) {
            static const double psi[] = {0.0, 0.2, 0.3, 0.5, 0.6, 0.7, 0.9, 1.0};
            act.psi0 = in.PickValueInArray(psi);
            act.psi1 = in.PickValueInArray(psi);
            act.psi2 = in.PickValueInArray(psi);
        }
        if (act.type != ActionType::Permanent && act.type != ActionType::Prestress)
            act.acting = static_cast<Acting>(in.ConsumeIntegralInRange(0, 2));
        acts.actions.push_back(act);
    }
    for (int c = 0; c < count; ++c)
        acts.actions[c < actionCount ? c : in.ConsumeIntegralInRange(0, actionCount - 1)].cases.push_back(names[c]);
    for (Action& a : acts.actions)
        if (a.type == ActionType::Variable)
            for (const Action& b : acts.actions)
                if (&a != &b && b.type == ActionType::Variable && in.ConsumeIntegralInRange(0, 3) == 0)
                    a.notWith.push_back(b.name);

    std::vector<const F*> functions;
    double scale = 1.0; // the largest magnitude a combination can reach, for the tolerance
    std::vector<std::vector<F::Point>> points;
    for (const Diagram& d : diagrams) {
        functions.push_back(&d.f);
        points.push_back(VyMathTestAccess::Points(d.f));
        for (const F::Point& p : points.back())
            scale += 3.0 * std::fabs(p.y);
    }
    if (Trace()) {
        for (std::size_t k = 0; k < points.size(); ++k)
            for (const F::Point& p : points[k])
                std::fprintf(stderr, "case %zu: %.17g %.17g\n", k, p.x, p.y);
        for (const Action& a : acts.actions) {
            std::fprintf(stderr, "action %s type %d acting %d psi %g %g %g cases", a.name.c_str(), static_cast<int>(a.type),
                         static_cast<int>(a.acting), a.psi0, a.psi1, a.psi2);
            for (const std::string& c : a.cases)
                std::fprintf(stderr, " %s", c.c_str());
            std::fprintf(stderr, "\n");
        }
    }
    const std::vector<DesignSituation> situations = DesignEnvelopes(acts, names, functions);
    for (const DesignSituation& s : situations) {
        const std::vector<std::vector<double>> combinations = ref::Combinations(acts, names, s.name);
        const std::set<std::vector<double>> allowed(combinations.begin(), combinations.end());
        std::vector<F> combined(combinations.size());
        CVyMathSetFunction1D set;
        for (std::size_t k = 0; k < combinations.size(); ++k) {
            F::Combine(functions, combinations[k], combined[k]);
            combined[k].SetYtolerance(1e-5 * static_cast<double>(k + 1)); // equal ones stay apart
            set.AddFunction(&combined[k]);
        }
        F refLower, refUpper;
        std::vector<int> lc, uc;
        set.ExactEnvelopes(refLower, refUpper, lc, uc);
        if (Trace())
            std::fprintf(stderr, "%s: %zu combinations enumerated, %zu found\n", s.name.c_str(), combinations.size(),
                         s.combinations.size());
        const double tol = 1e-9 * scale;
        for (bool upper : {false, true}) {
            const DesignLine& line = upper ? s.upper : s.lower;
            const std::vector<F::Point> mine = Line(line.x, line.y);
            const std::vector<F::Point> theirs = VyMathTestAccess::Points(upper ? refUpper : refLower);
            std::vector<double> xs;
            for (const auto* pts : {&mine, &theirs})
                for (std::size_t i = 0; i < pts->size(); ++i) {
                    xs.push_back((*pts)[i].x);
                    if (i + 1 < pts->size())
                        xs.push_back((*pts)[i].x + ((*pts)[i + 1].x - (*pts)[i].x) / 2);
                }
            for (double x : xs) {
                if (InWindow(diagrams, x))
                    continue;
                const double a = ValueAt(mine, x), b = ValueAt(theirs, x);
                if (Trace() && !(std::fabs(a - b) <= tol))
                    std::fprintf(stderr, "%s %s at %.17g: %.17g, enumerated %.17g\n", s.name.c_str(),
                                 upper ? "upper" : "lower", x, a, b);
                fuzz::Check(std::fabs(a - b) <= tol, "design envelope differs from the enumerated one");
            }
            // Every governing combination is one of the enumerated ones and takes the envelope's values.
            for (std::size_t i = 0; i < line.x.size(); ++i) {
                const DesignCombination& c = s.combinations[static_cast<std::size_t>(line.combination[i])];
                std::vector<double> f(names.size(), 0.0);
                for (const auto& term : c.factors)
                    f[static_cast<std::size_t>(std::find(names.begin(), names.end(), term.first) - names.begin())] = term.second;
                fuzz::Check(allowed.count(f) == 1, "a governing combination that the rules do not give");
                const std::size_t j = i + 1 < line.x.size() ? i : (i == 0 ? 0 : i - 1);
                for (double x : {line.x[j], j + 1 < line.x.size() ? line.x[j + 1] : line.x[j]}) {
                    if (InWindow(diagrams, x))
                        continue;
                    double v = 0.0;
                    for (std::size_t k = 0; k < f.size(); ++k)
                        v += f[k] * ValueAt(points[k], x);
                    if (Trace() && !(std::fabs(v - ValueAt(mine, x)) <= tol))
                        std::fprintf(stderr, "%s %s point %zu at %.17g: %s gives %.17g, envelope %.17g\n", s.name.c_str(),
                                     upper ? "upper" : "lower", i, x, c.Text().c_str(), v, ValueAt(mine, x));
                    fuzz::Check(std::fabs(v - ValueAt(mine, x)) <= tol, "a governing combination off the envelope");
                }
            }
        }
    }
    return 0;
}
