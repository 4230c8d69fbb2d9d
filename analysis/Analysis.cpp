// A model's runs, member by member.
#include "vymath/analysis/Analysis.h"

#include "Stations.h"
#include "Text.h"

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <limits>
#include <mutex>
#include <unordered_map>

namespace vymath {
namespace analysis {

namespace {

using text::Quoted;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Runs one(m) for every member, in parallel, into results[m]; rethrows the first member's error in
// member order (members after a failed one need not run).
template <class Result, class One>
std::vector<Result> ForEachMember(const Model& model, const RunOptions& options, One one) {
    const std::size_t n = model.Size();
    std::vector<Result> results(n);
    std::vector<std::exception_ptr> errors(n);
    std::atomic<std::size_t> firstError{n};
    std::atomic<std::size_t> done{0};
    std::mutex progressLock;
    const auto run = [&](std::size_t m) {
        if (m > firstError.load())
            return;
        try {
            results[m] = one(m);
        } catch (...) {
            errors[m] = std::current_exception();
            std::size_t seen = firstError.load();
            while (m < seen && !firstError.compare_exchange_weak(seen, m)) {
            }
        }
        const std::size_t count = ++done;
        if (options.progress) {
            std::lock_guard<std::mutex> lock(progressLock);
            options.progress(count, n);
        }
    };
    const int threads =
        options.threads > 0 ? static_cast<int>(options.threads) : tbb::info::default_concurrency();
    if (threads == 1) {
        for (std::size_t m = 0; m < n; ++m)
            run(m);
    } else {
        tbb::task_arena arena(threads);
        arena.execute([&] {
            tbb::parallel_for(tbb::blocked_range<std::size_t>(0, n),
                              [&](const tbb::blocked_range<std::size_t>& r) {
                                  for (std::size_t m = r.begin(); m != r.end(); ++m)
                                      run(m);
                              });
        });
    }
    for (std::size_t m = 0; m < n; ++m)
        if (errors[m])
            std::rethrow_exception(errors[m]);
    return results;
}

// Every combination names cases that some member has.
void CheckCombinations(const Model& model, const std::vector<Combination>& combinations) {
    const std::vector<std::string> all = model.AllCases();
    for (const Combination& c : combinations)
        for (const Term& t : c.terms)
            if (std::find(all.begin(), all.end(), t.loadCase) == all.end())
                throw Error(Error::Kind::Usage, "combination " + Quoted(c.name) + ": no case " +
                                                    Quoted(t.loadCase) + " in " + model.Source());
}

std::vector<std::string> DiagramNames(const Model& model, std::size_t m,
                                      const std::vector<Combination>& combinations) {
    if (combinations.empty())
        return model.Cases(m);
    std::vector<std::string> names;
    for (const Combination& c : combinations)
        names.push_back(c.name);
    return names;
}

std::vector<const CVyMathFunction1D*> FunctionsOf(const std::vector<Diagram>& diagrams) {
    std::vector<const CVyMathFunction1D*> functions;
    for (const Diagram& d : diagrams)
        functions.push_back(&d.f);
    return functions;
}

// The extreme at point i of an envelope line, every force's values under what governs there given by
// sides(governing, x, force, left, right).
template <class Sides>
Extreme ExtremeAt(const EnvelopeLine& line, int i, std::size_t forces, Sides sides) {
    Extreme e;
    if (i < 0)
        return e;
    const std::size_t at = static_cast<std::size_t>(i);
    e.found = true;
    e.x = line.x[at];
    e.y = line.y[at];
    e.governing = line.GoverningOf(at);
    for (std::size_t f = 0; f < forces; ++f) {
        double left = kNaN, right = kNaN;
        if (e.governing >= 0)
            sides(static_cast<std::size_t>(e.governing), e.x, f, left, right);
        e.left.push_back(left);
        e.right.push_back(right);
    }
    return e;
}

// Every case an action names is one of the member's.
void CheckMemberCases(const Model& model, std::size_t m, const Actions& actions) {
    const std::vector<std::string>& cases = model.Cases(m);
    for (const Action& a : actions.actions)
        for (const std::string& c : a.cases)
            if (std::find(cases.begin(), cases.end(), c) == cases.end())
                throw Error(Error::Kind::Data,
                            (model.MemberName(m).empty() ? std::string()
                                                         : "member " + Quoted(model.MemberName(m)) + ": ") +
                                "no load case " + Quoted(c) + " of action " + Quoted(a.name));
}

// A member's diagrams: its cases of every force and, with combinations, the combinations formed of them.
struct Formed {
    std::vector<std::vector<Diagram>> cases;                        // [force][case]
    std::vector<std::vector<Diagram>> combined;                     // [force][combination]
    std::vector<std::vector<std::pair<std::size_t, double>>> terms; // each combination's (case, factor)

    const std::vector<Diagram>& Of(std::size_t f) const { return combined.empty() ? cases[f] : combined[f]; }

    // Diagram d of force f either side of x: its own values, but at a case's jump a combination's values are
    // its cases' sides summed (its stored jump holds the other cases read at the jump's window ends).
    bool Sides(std::size_t d, double x, std::size_t f, double& left, double& right) const {
        const Diagram& own = Of(f)[d];
        if (combined.empty() || !std::binary_search(own.jumps.begin(), own.jumps.end(), x))
            return own.Sides(x, left, right);
        return Sum(d, f, left, right,
                   [x](const Diagram& c, double& l, double& r) { return c.Sides(x, l, r); });
    }

    // The slopes of its input lines either side of x: a combination's, its cases' summed.
    bool Slopes(std::size_t d, double x, std::size_t f, double& left, double& right) const {
        if (combined.empty())
            return cases[f][d].Slopes(x, left, right);
        return Sum(d, f, left, right,
                   [x](const Diagram& c, double& l, double& r) { return c.Slopes(x, l, r); });
    }

private:
    template <class Read>
    bool Sum(std::size_t d, std::size_t f, double& left, double& right, Read read) const {
        double l = 0.0, r = 0.0;
        for (const auto& [c, factor] : terms[d]) {
            double cl, cr;
            if (!read(cases[f][c], cl, cr))
                return false;
            l += factor * cl;
            r += factor * cr;
        }
        left = l;
        right = r;
        return true;
    }
};

Formed Form(const Model& model, std::size_t m, const std::vector<Combination>& combinations) {
    Formed out;
    const std::size_t forces = model.Forces().size();
    for (std::size_t f = 0; f < forces; ++f)
        out.cases.push_back(model.Diagrams(m, f));
    if (combinations.empty())
        return out;
    const std::vector<std::string>& cases = model.Cases(m);
    std::unordered_map<std::string, std::size_t> caseIndex;
    for (std::size_t c = 0; c < cases.size(); ++c)
        caseIndex.emplace(cases[c], c);
    const std::string member =
        model.MemberName(m).empty() ? "" : "member " + Quoted(model.MemberName(m)) + ": ";
    for (const Combination& c : combinations) {
        out.terms.emplace_back();
        for (const Term& t : c.terms) {
            const auto it = caseIndex.find(t.loadCase);
            if (it == caseIndex.end())
                throw Error(Error::Kind::Data,
                            member + "combination " + Quoted(c.name) + ": no case " + Quoted(t.loadCase));
            out.terms.back().push_back({it->second, t.factor});
        }
    }
    for (std::size_t f = 0; f < forces; ++f) {
        std::vector<Diagram> combined;
        for (std::size_t k = 0; k < combinations.size(); ++k) {
            std::vector<const Diagram*> parts;
            for (const auto& term : out.terms[k])
                parts.push_back(&out.cases[f][term.first]);
            std::string label = member + "combination " + Quoted(combinations[k].name);
            if (forces > 1)
                label += ", force " + Quoted(model.Forces()[f]);
            combined.push_back(FormCombination(label, combinations[k], parts));
        }
        out.combined.push_back(std::move(combined));
    }
    return out;
}

double ToleranceOf(const std::vector<Diagram>& diagrams) {
    return diagrams.empty() ? 0.0 : const_cast<CVyMathFunction1D&>(diagrams.front().f).GetXtolerance();
}

std::vector<double> StationsOf(const std::vector<Diagram>& diagrams) {
    std::vector<const Diagram*> all;
    for (const Diagram& d : diagrams)
        all.push_back(&d);
    return JumpStations(all);
}

// One force's design situations with their extremes, the coincident forces summed case by case under the
// governing combination.
std::vector<SituationResult> DesignOf(const Actions& actions, const std::vector<std::string>& cases,
                                      const std::vector<std::vector<Diagram>>& byForce, std::size_t force) {
    std::vector<SituationResult> out;
    const std::vector<double> stations = StationsOf(byForce[force]);
    const double tol = ToleranceOf(byForce[force]);
    for (DesignSituation& s : DesignEnvelopes(actions, cases, FunctionsOf(byForce[force]))) {
        const auto sides = [&](std::size_t c, double x, std::size_t f, double& left, double& right) {
            left = right = 0.0;
            for (const auto& term : s.combinations[c].factors) {
                const std::size_t k = static_cast<std::size_t>(
                    std::find(cases.begin(), cases.end(), term.first) - cases.begin());
                double l = kNaN, r = kNaN;
                byForce[f][k].Sides(x, l, r);
                left += term.second * l;
                right += term.second * r;
            }
        };
        const StationSides own = [&](int c, double j, double& left, double& right) {
            sides(static_cast<std::size_t>(c), j, force, left, right);
            return true;
        };
        s.lower = AtStations(s.lower, stations, tol, own);
        s.upper = AtStations(s.upper, stations, tol, own);
        SituationResult r;
        r.max = ExtremeAt(s.upper, s.upper.IndexOfMax(), byForce.size(), sides);
        r.min = ExtremeAt(s.lower, s.lower.IndexOfMin(), byForce.size(), sides);
        r.situation = std::move(s);
        out.push_back(std::move(r));
    }
    return out;
}

} // namespace

std::vector<std::vector<Diagram>> MemberDiagrams(const Model& model, std::size_t m,
                                                 const std::vector<Combination>& combinations) {
    Formed formed = Form(model, m, combinations);
    return combinations.empty() ? std::move(formed.cases) : std::move(formed.combined);
}

EnvelopeRun AnalyseEnvelopes(const Model& model, const std::vector<Combination>& combinations,
                             EnvelopeMethod method, const RunOptions& options) {
    CheckCombinations(model, combinations);
    EnvelopeRun run;
    run.kind = combinations.empty() ? DiagramKind::LoadCases : DiagramKind::Combinations;
    run.method = method;
    run.members = ForEachMember<MemberEnvelopes>(model, options, [&](std::size_t m) {
        const Formed formed = Form(model, m, combinations);
        const std::size_t forces = model.Forces().size();
        MemberEnvelopes result;
        result.diagrams = DiagramNames(model, m, combinations);
        for (std::size_t f = 0; f < forces; ++f) {
            const std::vector<Diagram>& diagrams = formed.Of(f);
            ForceEnvelope r;
            r.envelope = EnvelopeOf(FunctionsOf(diagrams), method);
            const StationSides own = [&formed, f](int d, double j, double& left, double& right) {
                return formed.Sides(static_cast<std::size_t>(d), j, f, left, right);
            };
            const std::vector<double> stations = StationsOf(diagrams);
            StationChoice choice;
            choice.count = diagrams.size();
            choice.slopes = [&formed, f](int d, double j, double& left, double& right) {
                return formed.Slopes(static_cast<std::size_t>(d), j, f, left, right);
            };
            r.envelope.upper = AtStations(r.envelope.upper, stations, ToleranceOf(diagrams), own, choice);
            choice.upper = false;
            r.envelope.lower = AtStations(r.envelope.lower, stations, ToleranceOf(diagrams), own, choice);
            const auto sides = [&formed](std::size_t d, double x, std::size_t g, double& left,
                                         double& right) { formed.Sides(d, x, g, left, right); };
            r.max = ExtremeAt(r.envelope.upper, r.envelope.upper.IndexOfMax(), forces, sides);
            r.min = ExtremeAt(r.envelope.lower, r.envelope.lower.IndexOfMin(), forces, sides);
            result.forces.push_back(std::move(r));
        }
        return result;
    });
    return run;
}

DesignRun AnalyseDesign(const Model& model, const Actions& actions, const RunOptions& options) {
    CheckActions(actions, model.AllCases());
    DesignRun run;
    for (const Action& a : actions.actions)
        run.actions.push_back(a.name);
    run.members = ForEachMember<MemberDesign>(model, options, [&](std::size_t m) {
        const std::vector<std::vector<Diagram>> byForce = MemberDiagrams(model, m, {});
        CheckMemberCases(model, m, actions);
        MemberDesign result;
        result.cases = model.Cases(m);
        const std::string label =
            model.MemberName(m).empty() ? "" : "member " + Quoted(model.MemberName(m)) + ": ";
        for (std::size_t f = 0; f < byForce.size(); ++f) {
            try {
                result.forces.push_back(DesignOf(actions, result.cases, byForce, f));
            } catch (const Error& e) {
                throw Error(e.GetKind(), label + e.what());
            }
        }
        return result;
    });
    return run;
}

KeyFigureRun AnalyseKeyFigures(const Model& model, const std::vector<Combination>& combinations,
                               const RunOptions& options) {
    CheckCombinations(model, combinations);
    KeyFigureRun run;
    run.kind = combinations.empty() ? DiagramKind::LoadCases : DiagramKind::Combinations;
    run.members = ForEachMember<MemberFigures>(model, options, [&](std::size_t m) {
        MemberFigures result;
        result.diagrams = DiagramNames(model, m, combinations);
        for (const std::vector<Diagram>& diagrams : MemberDiagrams(model, m, combinations)) {
            result.forces.emplace_back();
            for (const Diagram& d : diagrams)
                result.forces.back().push_back(Inspect(d.f));
        }
        return result;
    });
    return run;
}

} // namespace analysis
} // namespace vymath
