/// @file
/// A model's runs, member by member, in parallel: its envelopes with their extremes and coincident values
/// (an envelope run), the design envelopes of every design situation (a design run), the key figures of
/// every diagram (a key-figure run), a moving load's extremes on many influence lines. Each run's result type
/// says what it holds.
#ifndef VYMATH_ANALYSIS_ANALYSIS_H
#define VYMATH_ANALYSIS_ANALYSIS_H

#include "vymath/analysis/Actions.h"
#include "vymath/analysis/Combination.h"
#include "vymath/analysis/Design.h"
#include "vymath/analysis/Envelope.h"
#include "vymath/analysis/Export.h"
#include "vymath/analysis/KeyFigures.h"
#include "vymath/analysis/Model.h"
#include "vymath/analysis/MovingLoad.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vymath {
namespace analysis {

/// How a run goes: on how many threads, and whom it tells of its progress.
struct RunOptions {
    unsigned threads = 0; ///< members in parallel on this many threads; 0: all cores
    /// Called as members finish (done of total), one call at a time, from any thread; may be empty.
    std::function<void(std::size_t done, std::size_t total)> progress;
};

/// What a member's diagrams are: its load cases, or the combinations formed of them.
enum class DiagramKind {
    LoadCases,   ///< each member's load cases, in Model::Cases order
    Combinations ///< the combinations, in their order, for every member
};

/// The largest (smallest) value of a member's force over an envelope, with what goes with it.
struct Extreme {
    bool found = false; ///< false when the envelope has no point but placeholders
    double x = 0.0;     ///< where
    double y = 0.0;     ///< the value
    /// What governs there: the diagram (an envelope run's MemberEnvelopes::diagrams), or the combination
    /// (a design situation's DesignSituation::combinations); -1 where the fold has none.
    int governing = -1;
    /// Every force's value under what governs, left of x (it differs from the right one at a jump, as a
    /// shear force at a point load); NaN where it has no value. The force itself included.
    std::vector<double> left;
    std::vector<double> right; ///< the same right of x
};

/// The envelopes of one member's force, with their extremes.
struct ForceEnvelope {
    Envelope envelope; ///< the lower and upper envelopes
    Extreme max;       ///< the largest value of the upper envelope
    Extreme min;       ///< the smallest value of the lower envelope
};

/// One member of an envelope run: the names of its diagrams, then one result a force in model order.
struct MemberEnvelopes {
    std::vector<std::string> diagrams; ///< its load cases, or the combinations, in order
    /// Whether each diagram is bounded (Max and Min rows, or a combination of such a case): its upper bound
    /// forms the upper envelope, its lower bound the lower one, and no coincident value is given under it.
    std::vector<bool> bounded;
    std::vector<ForceEnvelope> forces; ///< one a force of the model, in its order
};

/// An envelope run: the envelopes of every member's load cases or combinations.
struct EnvelopeRun {
    DiagramKind kind = DiagramKind::LoadCases;     ///< what is enveloped
    EnvelopeMethod method = EnvelopeMethod::Exact; ///< how
    std::vector<MemberEnvelopes> members;          ///< in model order
};

/// One design situation of one member's force, with its extremes (Extreme::governing indexes the
/// situation's combinations; the coincident forces are those of the governing combination).
struct SituationResult {
    DesignSituation situation; ///< the envelopes and their governing combinations
    Extreme max;               ///< the largest value of the upper envelope
    Extreme min;               ///< the smallest value of the lower envelope
};

/// One member of a design run: its load cases, then one list of situations a force in model order.
struct MemberDesign {
    std::vector<std::string> cases;                   ///< its load cases, in Model::Cases order
    std::vector<bool> bounded;                        ///< whether each case is bounded (Max and Min rows)
    std::vector<std::vector<SituationResult>> forces; ///< [force][situation]
};

/// A design run: the design envelopes by EN 1990 of every member, force and situation.
struct DesignRun {
    std::vector<std::string> actions;  ///< the actions' names, in the description's order
    std::vector<MemberDesign> members; ///< in model order
};

/// One member of a key-figure run: the names of its diagrams, then one list of key figures a force.
struct MemberFigures {
    /// Its load cases, or the combinations, in order; a bounded one's bounds each "NAME (Max)", "NAME (Min)".
    std::vector<std::string> diagrams;
    std::vector<std::vector<KeyFigures>> forces; ///< [force][diagram]
};

/// A key-figure run: the key figures of every member's diagrams.
struct KeyFigureRun {
    DiagramKind kind = DiagramKind::LoadCases; ///< what the diagrams are
    std::vector<MemberFigures> members;        ///< in model order
};

/// Member m's diagrams, one list a force in model order: its load cases in Model::Cases order, or the
/// combinations in their order (a combination of a bounded case is bounded: each side of it takes the bound
/// its factor's sign gives there). Throws Error (Data) as the runs do for this member. O(r log r) for the
/// member's r rows, plus the combinations.
VYMATH_ANALYSIS_API std::vector<std::vector<CaseDiagram>>
MemberDiagrams(const Model& model, std::size_t m, const std::vector<Combination>& combinations);

struct Formed;

/// A member's diagrams kept to be read anywhere: every force's value of a case or combination either side of
/// an abscissa, as the runs read the coincident forces at an extreme (a combination's values at a case's
/// jump are its cases' sides summed, not its stored window's ends). For a writer that needs more than the
/// extremes.
class VYMATH_ANALYSIS_API MemberValues {
public:
    /// Member m's diagrams: its cases, or the combinations. Errors as MemberDiagrams.
    MemberValues(const Model& model, std::size_t m, const std::vector<Combination>& combinations);
    ~MemberValues();
    /// Moves the diagrams. O(1).
    MemberValues(MemberValues&&) noexcept;
    /// Moves the diagrams. O(1).
    MemberValues& operator=(MemberValues&&) noexcept;

    /// Diagram d's value of force f either side of x, of its upper (or lower) bound; false outside its
    /// domain. O(log n), and O(terms log n) at a combination's jump.
    bool Sides(std::size_t d, double x, std::size_t f, bool upper, double& left, double& right) const;
    /// Whether diagram d is bounded (its bounds do not act together).
    bool Bounded(std::size_t d) const;

private:
    std::unique_ptr<Formed> formed;
};

/// The envelopes of every member's load cases (no combinations) or combinations, with the extremes of each
/// force and, at each extreme, every force's value under the governing diagram. A bounded case (Max and Min
/// rows) gives the upper envelope its upper bound and the lower envelope its lower one. Every output shows a
/// jump at the abscissa the input gave it (see EnvelopeLine::JumpLeft). Exact envelopes cost
/// O(P log K) a force for K diagrams of P points; Fold O(K P).
///
/// Throws Error: Usage for a combination naming a case that no member has ("combination "ULS": no case
/// "W" in <source>"); Data for a member lacking a case of a combination, a diagram that cannot be built,
/// cases without a common domain. When several members fail, the first in member order is reported.
/// Members run in parallel (oneTBB); the results are in member order and the same for any number of
/// threads. Memory: one member's diagrams a thread at a time, beside the model and the results.
VYMATH_ANALYSIS_API EnvelopeRun AnalyseEnvelopes(const Model& model,
                                                 const std::vector<Combination>& combinations,
                                                 EnvelopeMethod method, const RunOptions& options = {});

/// The design envelopes by EN 1990 (DesignEnvelopes) of every member's force and design situation, with
/// the extremes of each and the coincident forces under the governing combination. Throws Error (Data) for
/// actions that do not fit the model's cases (CheckActions), a member lacking a case of an action ("member
/// "B2": no load case "Q" of action "Q"), a diagram that cannot be built, cases without a common domain;
/// in parallel as AnalyseEnvelopes. Cost O(P A log A) a force for A actions of P points.
VYMATH_ANALYSIS_API DesignRun AnalyseDesign(const Model& model, const Actions& actions,
                                            const RunOptions& options = {});

/// The key figures (Inspect) of every member's diagrams: its load cases, or the combinations. Errors and
/// parallel runs as AnalyseEnvelopes. O(P) a diagram of P points, plus the zeros' bisections.
VYMATH_ANALYSIS_API KeyFigureRun AnalyseKeyFigures(const Model& model,
                                                   const std::vector<Combination>& combinations,
                                                   const RunOptions& options = {});

/// The extremes of a moving load on many influence lines, in parallel on the options' threads (progress:
/// lines done of all): results[k] is MovingExtremes(*lines[k], load), bit for bit whatever the threads,
/// with one MovingWorkspace a thread. Throws the error of the first line (in order) that fails. Cost: the
/// lines' MovingExtremes shared among the threads.
VYMATH_ANALYSIS_API std::vector<MovingResult> AnalyseMoving(const std::vector<const Diagram*>& lines,
                                                            const MovingLoad& load,
                                                            const RunOptions& options = {});

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_ANALYSIS_H
