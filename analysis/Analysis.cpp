// A model's analysis, member by member.
#include "vymath/analysis/Analysis.h"

#include "vymath/analysis/Numbers.h"

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

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Every combination names cases that some member has.
void CheckCombinations(const Model& model, const std::vector<Combination>& combinations,
                       const std::string& source) {
    for (const Combination& c : combinations)
        for (const Term& t : c.terms) {
            bool found = false;
            for (std::size_t m = 0; m < model.Size() && !found; ++m)
                for (const std::string& name : model.Cases(m))
                    found = found || name == t.loadCase;
            if (!found)
                throw Error(Error::Kind::Usage, "combination " + Quoted(c.name) + ": no case " +
                                                    Quoted(t.loadCase) + " in " + source);
        }
}

// The extreme at point i of an envelope line, with every force's values of its governing diagram.
Extreme ExtremeAt(const EnvelopeLine& line, int i, const std::vector<std::vector<Diagram>>& byForce) {
    Extreme e;
    if (i < 0)
        return e;
    e.found = true;
    e.x = line.x[static_cast<std::size_t>(i)];
    e.y = line.y[static_cast<std::size_t>(i)];
    e.diagram = line.member[static_cast<std::size_t>(i)];
    for (const std::vector<Diagram>& diagrams : byForce) {
        double left = kNaN, right = kNaN;
        if (e.diagram >= 0)
            diagrams[static_cast<std::size_t>(e.diagram)].Sides(e.x, left, right);
        e.left.push_back(left);
        e.right.push_back(right);
    }
    return e;
}

// The extreme at point i of a design line: the combination's values of every force at x.
Extreme DesignExtremeAt(const DesignLine& line, int i, const DesignSituation& s,
                        const std::vector<std::string>& cases,
                        const std::vector<std::vector<Diagram>>& byForce) {
    Extreme e;
    if (i < 0)
        return e;
    const std::size_t at = static_cast<std::size_t>(i);
    e.found = true;
    e.x = line.x[at];
    e.y = line.y[at];
    e.diagram = line.combination[at];
    const DesignCombination& c = s.combinations[static_cast<std::size_t>(e.diagram)];
    for (const std::vector<Diagram>& diagrams : byForce) {
        double left = 0.0, right = 0.0;
        for (const auto& term : c.factors) {
            const std::size_t k =
                static_cast<std::size_t>(std::find(cases.begin(), cases.end(), term.first) - cases.begin());
            double l = kNaN, r = kNaN;
            diagrams[k].Sides(e.x, l, r);
            left += term.second * l;
            right += term.second * r;
        }
        e.left.push_back(left);
        e.right.push_back(right);
    }
    return e;
}

int DesignIndex(const DesignLine& line, bool largest) {
    int best = -1;
    for (std::size_t i = 0; i < line.y.size(); ++i)
        if (best < 0 || (largest ? line.y[i] > line.y[static_cast<std::size_t>(best)]
                                 : line.y[i] < line.y[static_cast<std::size_t>(best)]))
            best = static_cast<int>(i);
    return best;
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

MemberResult AnalyseMember(const Model& model, std::size_t m, const std::vector<Combination>& combinations,
                           const Options& options, const Locator& where) {
    MemberResult result;
    const std::size_t forces = model.Forces().size();
    const std::vector<std::vector<Diagram>> byForce = MemberDiagrams(model, m, combinations, where);
    if (combinations.empty())
        result.diagrams = model.Cases(m);
    else
        for (const Combination& c : combinations)
            result.diagrams.push_back(c.name);
    result.forces.resize(forces);
    if (options.actions != nullptr)
        CheckMemberCases(model, m, *options.actions);
    for (std::size_t f = 0; f < forces; ++f) {
        ForceResult& r = result.forces[f];
        if (options.actions != nullptr) {
            std::vector<const CVyMathFunction1D*> functions;
            for (const Diagram& d : byForce[f])
                functions.push_back(&d.f);
            const std::string label =
                model.MemberName(m).empty() ? "" : "member " + Quoted(model.MemberName(m)) + ": ";
            try {
                for (DesignSituation& s : DesignEnvelopes(*options.actions, result.diagrams, functions)) {
                    DesignResult d;
                    d.max = DesignExtremeAt(s.upper, DesignIndex(s.upper, true), s, result.diagrams, byForce);
                    d.min =
                        DesignExtremeAt(s.lower, DesignIndex(s.lower, false), s, result.diagrams, byForce);
                    d.situation = std::move(s);
                    r.design.push_back(std::move(d));
                }
            } catch (const Error& e) {
                throw Error(e.GetKind(), label + e.what());
            }
        } else if (options.envelopes) {
            std::vector<const CVyMathFunction1D*> functions;
            for (const Diagram& d : byForce[f])
                functions.push_back(&d.f);
            r.envelope = EnvelopeOf(functions, options.method);
            r.max = ExtremeAt(r.envelope.upper, r.envelope.upper.IndexOfMax(), byForce);
            r.min = ExtremeAt(r.envelope.lower, r.envelope.lower.IndexOfMin(), byForce);
        }
        if (options.keyFigures)
            for (const Diagram& d : byForce[f])
                r.figures.push_back(Inspect(d.f));
    }
    return result;
}

} // namespace

std::vector<std::vector<Diagram>> MemberDiagrams(const Model& model, std::size_t m,
                                                 const std::vector<Combination>& combinations,
                                                 const Locator& where) {
    const std::size_t forces = model.Forces().size();
    std::vector<std::vector<Diagram>> byForce(forces);
    for (std::size_t f = 0; f < forces; ++f)
        byForce[f] = model.Diagrams(m, f, where);
    if (combinations.empty())
        return byForce;
    const std::vector<std::string>& cases = model.Cases(m);
    std::unordered_map<std::string, std::size_t> caseIndex;
    for (std::size_t c = 0; c < cases.size(); ++c)
        caseIndex.emplace(cases[c], c);
    const std::string member =
        model.MemberName(m).empty() ? "" : "member " + Quoted(model.MemberName(m)) + ": ";
    std::vector<std::vector<std::size_t>> termCases;
    for (const Combination& c : combinations) {
        termCases.emplace_back();
        for (const Term& t : c.terms) {
            const auto it = caseIndex.find(t.loadCase);
            if (it == caseIndex.end())
                throw Error(Error::Kind::Data,
                            member + "combination " + Quoted(c.name) + ": no case " + Quoted(t.loadCase));
            termCases.back().push_back(it->second);
        }
    }
    for (std::size_t f = 0; f < forces; ++f) {
        std::vector<Diagram> combined;
        for (std::size_t k = 0; k < combinations.size(); ++k) {
            std::vector<const Diagram*> parts;
            for (std::size_t c : termCases[k])
                parts.push_back(&byForce[f][c]);
            std::string label = member + "combination " + Quoted(combinations[k].name);
            if (forces > 1)
                label += ", force " + Quoted(model.Forces()[f]);
            combined.push_back(FormCombination(label, combinations[k], parts));
        }
        byForce[f] = std::move(combined);
    }
    return byForce;
}

std::vector<MemberResult> Analyse(const Model& model, const std::vector<Combination>& combinations,
                                  const Options& options, const Locator& where) {
    CheckCombinations(model, combinations, options.source);
    if (options.actions != nullptr) {
        if (!combinations.empty())
            throw Error(Error::Kind::Usage,
                        "design envelopes of actions and combinations exclude each other");
        std::vector<std::string> all; // every case of the model, in order of first appearance
        for (std::size_t m = 0; m < model.Size(); ++m)
            for (const std::string& c : model.Cases(m))
                if (std::find(all.begin(), all.end(), c) == all.end())
                    all.push_back(c);
        CheckActions(*options.actions, all);
    }
    const std::size_t n = model.Size();
    std::vector<MemberResult> results(n);
    std::vector<std::exception_ptr> errors(n);
    std::atomic<std::size_t> firstError{n}; // members after a failed one need not run
    std::atomic<std::size_t> done{0};
    std::mutex progressLock;
    const auto run = [&](std::size_t m) {
        if (m > firstError.load())
            return;
        try {
            results[m] = AnalyseMember(model, m, combinations, options, where);
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

} // namespace analysis
} // namespace vymath
