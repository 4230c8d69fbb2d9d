/// @file
/// A model's envelopes, extremes, coincident values and key figures, member by member, in parallel.
#ifndef VYMATH_ANALYSIS_ANALYSIS_H
#define VYMATH_ANALYSIS_ANALYSIS_H

#include "vymath/analysis/Actions.h"
#include "vymath/analysis/Combination.h"
#include "vymath/analysis/Design.h"
#include "vymath/analysis/Envelope.h"
#include "vymath/analysis/KeyFigures.h"
#include "vymath/analysis/Model.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace vymath {
namespace analysis {

/// The largest (smallest) value of a member's force over its envelope, with what goes with it.
struct Extreme {
    bool found = false; ///< false when the envelope has no point but placeholders
    double x = 0.0;     ///< where
    double y = 0.0;     ///< the value
    /// The governing diagram (MemberResult::diagrams); -1 where the fold has none. In a design result, the
    /// governing combination (DesignSituation::combinations).
    int diagram = -1;
    /// Every force's value of the governing diagram (or combination) left of x (it differs from the right
    /// one at a jump, as a shear force at a point load); NaN where it has no value. The force itself
    /// included.
    std::vector<double> left;
    std::vector<double> right; ///< the same right of x
};

/// One design situation of one member and force, with its extremes (Extreme::diagram indexes the
/// situation's combinations).
struct DesignResult {
    DesignSituation situation; ///< the envelopes and their governing combinations
    Extreme max;               ///< the largest value of the upper envelope
    Extreme min;               ///< the smallest value of the lower envelope
};

/// One force of one member.
struct ForceResult {
    Envelope envelope;                ///< the lower and upper envelopes, when asked for
    Extreme max;                      ///< the largest value of the upper envelope
    Extreme min;                      ///< the smallest value of the lower envelope
    std::vector<KeyFigures> figures;  ///< one a diagram, when asked for
    std::vector<DesignResult> design; ///< one a design situation, when actions are given
};

/// One member: the names of its enveloped diagrams (its load cases, or the combinations), then one
/// result a force in the model's order.
struct MemberResult {
    std::vector<std::string> diagrams; ///< the load cases, or the combinations, in order
    std::vector<ForceResult> forces;   ///< one a force of the model, in its order
};

/// What an analysis computes, and how.
struct Options {
    EnvelopeMethod method = EnvelopeMethod::Exact; ///< how the envelopes are formed
    unsigned threads = 0;                          ///< members in parallel on this many threads; 0: all cores
    bool envelopes = true;                         ///< envelopes, extremes and coincident values
    bool keyFigures = false;                       ///< the key figures of every diagram
    std::string source = "the input";              ///< the input's name in messages ("moment.csv")
    /// Design envelopes by EN 1990 of these actions instead of the envelopes of the load cases (not with
    /// combinations); null for none. Must outlive the call.
    const Actions* actions = nullptr;
    /// Called as members finish (done of total), one call at a time, from any thread; may be empty.
    std::function<void(std::size_t done, std::size_t total)> progress;
};

/// Member m's diagrams, one list a force in model order: its load cases in Model::Cases order, or the
/// combinations in their order. Throws Error (Data) as Analyse does for this member. O(r log r) for
/// the member's r rows, plus the combinations.
std::vector<std::vector<Diagram>> MemberDiagrams(const Model& model, std::size_t m,
                                                 const std::vector<Combination>& combinations,
                                                 const Locator& where);

/// Builds each member's diagrams (its load cases, or the combinations formed of them) and computes
/// what options ask, members in parallel (oneTBB). The results are in member order and the same for
/// any number of threads.
///
/// With actions, each member's design envelopes by DesignEnvelopes, one list a force, with their extremes
/// and the coincident forces under the governing combination.
///
/// Throws Error: Usage for a combination naming a case that no member has ("combination "ULS": no case
/// "W" in <source>"), or actions given with combinations; Data for a member lacking a case of a
/// combination or of an action, actions that do not fit the model's cases (CheckActions), a diagram that
/// cannot be built, or cases without a common domain. When several members fail, the first in member order is
/// reported. Memory: one member's diagrams a thread at a time, beside the model and the results.
std::vector<MemberResult> Analyse(const Model& model, const std::vector<Combination>& combinations,
                                  const Options& options, const Locator& where);

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_ANALYSIS_H
