// A model's runs, member by member.
#include "vymath/analysis/Analysis.h"

#include "Formed.h"
#include "Members.h"
#include "Stations.h"
#include "Text.h"

#include <tbb/enumerable_thread_specific.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
#include <limits>
#include <unordered_map>

namespace vymath {
namespace analysis {

namespace {

using text::Quoted;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

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

double ToleranceOf(const std::vector<const Diagram*>& diagrams) {
    return diagrams.empty() ? 0.0 : const_cast<CVyMathFunction1D&>(diagrams.front()->f).GetXtolerance();
}

// The jump stations of every bound of the diagrams.
std::vector<double> StationsOf(const std::vector<CaseDiagram>& diagrams) {
    std::vector<const Diagram*> all;
    for (const CaseDiagram& d : diagrams) {
        all.push_back(&d.upper);
        if (d.Bounded())
            all.push_back(&*d.lower);
    }
    return JumpStations(all);
}

std::vector<const CVyMathFunction1D*> FunctionsOf(const std::vector<const Diagram*>& diagrams) {
    std::vector<const CVyMathFunction1D*> functions;
    for (const Diagram* d : diagrams)
        functions.push_back(&d->f);
    return functions;
}

// The envelopes of a force's diagrams: of their upper bounds and of their lower ones where any is bounded.
Envelope EnvelopesOf(const Formed& formed, std::size_t f, EnvelopeMethod method) {
    if (!formed.AnyBounded())
        return EnvelopeOf(FunctionsOf(formed.Bounds(f, true)), method);
    const Envelope upper = EnvelopeOf(FunctionsOf(formed.Bounds(f, true)), method);
    const Envelope lower = EnvelopeOf(FunctionsOf(formed.Bounds(f, false)), method);
    return {lower.lower, upper.upper};
}

// One force's envelopes shown with their jumps at their stations, and their extremes. A bounded diagram's
// bounds do not act together: no coincident value is given under one.
ForceEnvelope ForceEnvelopeOf(const Formed& formed, std::size_t f, std::size_t forces,
                              EnvelopeMethod method) {
    const std::vector<CaseDiagram>& diagrams = formed.Of(f);
    ForceEnvelope r;
    r.envelope = EnvelopesOf(formed, f, method);
    const std::vector<double> stations = StationsOf(diagrams);
    const double tol = ToleranceOf(formed.Bounds(f, true));
    for (const bool upper : {true, false}) {
        const StationSides own = [&formed, f, upper](int d, double j, double& left, double& right) {
            return formed.Sides(static_cast<std::size_t>(d), j, f, upper, left, right);
        };
        StationChoice choice;
        choice.upper = upper;
        choice.count = diagrams.size();
        choice.slopes = [&formed, f, upper](int d, double j, double& left, double& right) {
            return formed.Slopes(static_cast<std::size_t>(d), j, f, upper, left, right);
        };
        EnvelopeLine& line = upper ? r.envelope.upper : r.envelope.lower;
        line = AtStations(line, stations, tol, own, choice);
        const auto sides = [&formed, upper](std::size_t d, double x, std::size_t g, double& left,
                                            double& right) {
            if (!formed.Of(g)[d].Bounded())
                formed.Sides(d, x, g, upper, left, right);
        };
        (upper ? r.max : r.min) =
            ExtremeAt(line, upper ? line.IndexOfMax() : line.IndexOfMin(), forces, sides);
    }
    return r;
}

// The design envelopes of one force's cases, (caseNames, uppers, lowers).
using DesignFunction = std::function<std::vector<DesignSituation>(
    const std::vector<std::string>&, const std::vector<const CVyMathFunction1D*>&,
    const std::vector<const CVyMathFunction1D*>&)>;

// One force's design situations with their extremes, the coincident forces summed case by case under the
// governing combination (none where a case of it is bounded).
std::vector<SituationResult> DesignOf(const DesignFunction& design, const std::vector<std::string>& cases,
                                      const Formed& formed, std::size_t force) {
    std::vector<SituationResult> out;
    const std::vector<double> stations = StationsOf(formed.cases[force]);
    const double tol = ToleranceOf(formed.Bounds(force, true));
    const std::vector<const CVyMathFunction1D*> uppers = FunctionsOf(formed.Bounds(force, true));
    const std::vector<const CVyMathFunction1D*> lowers = FunctionsOf(formed.Bounds(force, false));
    for (DesignSituation& s : design(cases, uppers, lowers)) {
        // Combination c's values of force f either side of x, each case on the side its factor takes.
        const auto sum = [&](std::size_t c, double x, std::size_t f, bool upper, double& left,
                             double& right) {
            left = right = 0.0;
            for (const auto& term : s.combinations[c].factors) {
                const std::size_t k = static_cast<std::size_t>(
                    std::find(cases.begin(), cases.end(), term.first) - cases.begin());
                double l = kNaN, r = kNaN;
                formed.cases[f][k].Side(upper, term.second).Sides(x, l, r);
                left += term.second * l;
                right += term.second * r;
            }
        };
        const auto bounded = [&](std::size_t c) {
            for (const auto& term : s.combinations[c].factors)
                if (formed
                        .cases[force][static_cast<std::size_t>(
                            std::find(cases.begin(), cases.end(), term.first) - cases.begin())]
                        .Bounded())
                    return true;
            return false;
        };
        for (const bool upper : {true, false}) {
            const StationSides own = [&](int c, double j, double& left, double& right) {
                sum(static_cast<std::size_t>(c), j, force, upper, left, right);
                return true;
            };
            EnvelopeLine& line = upper ? s.upper : s.lower;
            line = AtStations(line, stations, tol, own);
        }
        SituationResult r;
        for (const bool upper : {true, false}) {
            const auto sides = [&](std::size_t c, double x, std::size_t f, double& left, double& right) {
                if (!bounded(c))
                    sum(c, x, f, upper, left, right);
            };
            const EnvelopeLine& line = upper ? s.upper : s.lower;
            (upper ? r.max : r.min) =
                ExtremeAt(line, upper ? line.IndexOfMax() : line.IndexOfMin(), formed.cases.size(), sides);
        }
        r.situation = std::move(s);
        out.push_back(std::move(r));
    }
    return out;
}

} // namespace

std::vector<std::vector<CaseDiagram>> MemberDiagrams(const Model& model, std::size_t m,
                                                     const std::vector<Combination>& combinations) {
    Formed formed = Form(model, m, combinations);
    return combinations.empty() ? std::move(formed.cases) : std::move(formed.combined);
}

MemberValues::MemberValues(const Model& model, std::size_t m, const std::vector<Combination>& combinations)
    : formed(std::make_unique<Formed>(Form(model, m, combinations))) {}
MemberValues::~MemberValues() = default;
MemberValues::MemberValues(MemberValues&&) noexcept = default;
MemberValues& MemberValues::operator=(MemberValues&&) noexcept = default;

bool MemberValues::Sides(std::size_t d, double x, std::size_t f, bool upper, double& left,
                         double& right) const {
    return formed->Sides(d, x, f, upper, left, right);
}

bool MemberValues::Bounded(std::size_t d) const {
    return formed->Of(0)[d].Bounded();
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
        for (const CaseDiagram& d : formed.Of(0))
            result.bounded.push_back(d.Bounded());
        for (std::size_t f = 0; f < forces; ++f)
            result.forces.push_back(ForceEnvelopeOf(formed, f, forces, method));
        return result;
    });
    return run;
}

namespace {

// The design run of every member: each member's cases (all of `needed` there, each named by `owner` in
// messages) enveloped by `design`.
DesignRun DesignMembers(const Model& model, const std::vector<std::pair<std::string, std::string>>& needed,
                        const DesignFunction& design, DesignRun run, const RunOptions& options) {
    run.members = ForEachMember<MemberDesign>(model, options, [&](std::size_t m) {
        const Formed formed = Form(model, m, {});
        const std::vector<std::string>& cases = model.Cases(m);
        for (const auto& n : needed)
            if (std::find(cases.begin(), cases.end(), n.first) == cases.end())
                throw Error(Error::Kind::Data,
                            (model.MemberName(m).empty() ? std::string()
                                                         : "member " + Quoted(model.MemberName(m)) + ": ") +
                                "no load case " + Quoted(n.first) + " of " + n.second);
        MemberDesign result;
        result.cases = model.Cases(m);
        for (const CaseDiagram& d : formed.cases[0])
            result.bounded.push_back(d.Bounded());
        const std::string label =
            model.MemberName(m).empty() ? "" : "member " + Quoted(model.MemberName(m)) + ": ";
        for (std::size_t f = 0; f < formed.cases.size(); ++f) {
            try {
                result.forces.push_back(DesignOf(design, result.cases, formed, f));
            } catch (const Error& e) {
                throw Error(e.GetKind(), label + e.what());
            }
        }
        return result;
    });
    return run;
}

} // namespace

DesignRun AnalyseDesign(const Model& model, const Actions& actions, const RunOptions& options) {
    CheckActions(actions, model.AllCases());
    DesignRun run;
    if (!actions.code)
        throw Error(Error::Kind::Usage, actions.source + ": the actions name no design code");
    run.code = actions.code->title;
    run.ruleWord = actions.code->ruleWord;
    std::vector<std::pair<std::string, std::string>> needed;
    for (const Action& a : actions.actions) {
        run.actions.push_back(a.name);
        for (const std::string& c : a.cases)
            needed.push_back({c, "action " + Quoted(a.name)});
        for (const std::string& c : a.casesInf)
            needed.push_back({c, "action " + Quoted(a.name)});
    }
    const DesignFunction design = [&actions](const std::vector<std::string>& cases,
                                             const std::vector<const CVyMathFunction1D*>& uppers,
                                             const std::vector<const CVyMathFunction1D*>& lowers) {
        return DesignEnvelopes(actions, cases, uppers, lowers);
    };
    return DesignMembers(model, needed, design, std::move(run), options);
}

DesignRun AnalyseDesign(const Model& model, const std::vector<SituationRules>& situations,
                        const RunOptions& options) {
    DesignRun run;
    std::vector<std::pair<std::string, std::string>> needed;
    for (const SituationRules& s : situations)
        for (const Rule& r : s.rules)
            for (const RuleTerm& t : r.terms) {
                if (std::find(run.actions.begin(), run.actions.end(), t.action) == run.actions.end())
                    run.actions.push_back(t.action);
                for (const Alternative& a : t.alternatives)
                    for (const CaseFactor& c : a.factors)
                        if (std::find_if(needed.begin(), needed.end(), [&](const auto& n) {
                                return n.first == c.loadCase;
                            }) == needed.end())
                            needed.push_back({c.loadCase, "rule " + Quoted(r.label)});
            }
    const DesignFunction design = [&situations](const std::vector<std::string>& cases,
                                                const std::vector<const CVyMathFunction1D*>& uppers,
                                                const std::vector<const CVyMathFunction1D*>& lowers) {
        return DesignEnvelopes(situations, cases, uppers, lowers);
    };
    return DesignMembers(model, needed, design, std::move(run), options);
}

KeyFigureRun AnalyseKeyFigures(const Model& model, const std::vector<Combination>& combinations,
                               const RunOptions& options) {
    CheckCombinations(model, combinations);
    KeyFigureRun run;
    run.kind = combinations.empty() ? DiagramKind::LoadCases : DiagramKind::Combinations;
    run.members = ForEachMember<MemberFigures>(model, options, [&](std::size_t m) {
        MemberFigures result;
        const std::vector<std::vector<CaseDiagram>> byForce = MemberDiagrams(model, m, combinations);
        const std::vector<std::string> names = DiagramNames(model, m, combinations);
        for (std::size_t d = 0; d < names.size(); ++d) // a bounded diagram's bounds, each its own
            if (byForce[0][d].Bounded())
                result.diagrams.insert(result.diagrams.end(), {names[d] + " (Max)", names[d] + " (Min)"});
            else
                result.diagrams.push_back(names[d]);
        for (const std::vector<CaseDiagram>& diagrams : byForce) {
            result.forces.emplace_back();
            for (const CaseDiagram& d : diagrams) {
                result.forces.back().push_back(Inspect(d.upper));
                if (d.Bounded())
                    result.forces.back().push_back(Inspect(*d.lower));
            }
        }
        return result;
    });
    return run;
}

std::vector<MovingResult> AnalyseMoving(const std::vector<const Diagram*>& lines, const MovingLoad& load,
                                        const RunOptions& options) {
    tbb::enumerable_thread_specific<MovingWorkspace> work;
    return ForEach<MovingResult>(
        lines.size(), options, [&](std::size_t k) { return MovingExtremes(*lines[k], load, work.local()); });
}

} // namespace analysis
} // namespace vymath
