/// @file
/// Design envelopes by EN 1990 from the characteristic load cases: the envelope of every combination the
/// actions allow, exact and with its governing combination on every stretch, without enumerating them.
///
/// For linear results the worst combination at an abscissa is chosen action by action: the upper envelope
/// of (6.10) is sum_j max(gG,sup Gj, gG,inf Gj) + gP P + sum_i gQ psi0,i Q+i + max_i gQ (1 - psi0,i) Q+i,
/// with Q+i the action's best unfavourable arrangement or its absence (max(0, Qi) for cases acting
/// together, the sum of the positive cases of a free action, max(0, the largest case) of an exclusive one),
/// and the minimum for the lower envelope; one variable action leads, present or not (psi0 >= psi1 >= psi2
/// keeps its leading factor at or above its accompanying one). Each term is piecewise linear with breakpoints
/// where a case crosses zero or another case; each is formed exactly by CVyMathSetFunction1D::ExactEnvelopes
/// and summed by CVyMathFunction1D::Combine, so the design envelope is exact, and the governing member of
/// every term gives the governing combination. Actions that exclude each other (not_with) split the variable
/// actions into their maximal compatible groups, each enveloped the same way; (6.10a) and (6.10b) are
/// enveloped together.
#ifndef VYMATH_ANALYSIS_DESIGN_H
#define VYMATH_ANALYSIS_DESIGN_H

#include "vymath/CVyMathFunction1D.h"
#include "vymath/analysis/Actions.h"
#include "vymath/analysis/Envelope.h"
#include "vymath/analysis/Export.h"
#include "vymath/analysis/Rules.h"

#include <string>
#include <utility>
#include <vector>

namespace vymath {
namespace analysis {

/// A combination: the factor of each load case in it (cases at factor 0 left out), in the order of the
/// actions and of their cases. Factors are the doubles the rules give (gamma_Q * psi0 as 1.5 * 0.7 is).
struct VYMATH_ANALYSIS_API DesignCombination {
    std::vector<std::pair<std::string, double>> factors; ///< (load case, factor), none of them 0
    /// The combination as text, factors to 4 significant digits: "1.35*G1 + 1*G2 + 1.5*Q1 + 1.05*S",
    /// a negative factor as "- 1*Ex"; "0" for no case.
    std::string Text() const;
    /// The same cases with the same factors, in the same order.
    bool operator==(const DesignCombination& other) const { return factors == other.factors; }
};

/// One design situation: "ULS", "SLS characteristic", "SLS frequent", "SLS quasi-permanent",
/// "accidental <action>" for each accidental action, "seismic" (or "seismic <action>" when there are
/// several seismic actions), with its lower and upper envelopes and the combinations that govern them:
/// EnvelopeLine::governing indexes `combinations`, the combination governing the stretch from each point
/// (at the last point, the stretch that ends there); a design envelope has no placeholder.
struct DesignSituation {
    std::string name;                            ///< as above
    EnvelopeLine lower;                          ///< the least design value of every combination
    EnvelopeLine upper;                          ///< the greatest
    std::vector<DesignCombination> combinations; ///< those that govern a stretch, as they come
};

/// The design envelopes of every situation the actions allow (ULS and SLS when there is a permanent,
/// prestress or variable action; one accidental situation per accidental action; seismic ones), from
/// the diagrams of the load cases (diagrams[k] is the case caseNames[k]; every case the actions name must
/// be there). ULS by (6.10), or by (6.10a) and (6.10b) together; SLS characteristic (6.14b), frequent
/// (6.15b) and quasi-permanent (6.16b) with permanent actions at 1.0; accidental (6.11b) with psi1 or psi2
/// on the leading variable action; seismic (6.12b) with the seismic action at both signs. Permanent and
/// prestress actions are at 1.0 outside ULS. Variable actions count where unfavourable; an accidental or
/// seismic action is always present in its situation (exclusive: one case; free: a non-empty subset).
///
/// Throws Error (Data) when the diagrams do not share one domain. Cost O(P A log A) for A actions of P
/// points in all, whatever the number of combinations (each situation is a few exact envelopes of A terms);
/// not_with multiplies it by the number of maximal groups of compatible variable actions.
VYMATH_ANALYSIS_API std::vector<DesignSituation>
DesignEnvelopes(const Actions& actions, const std::vector<std::string>& caseNames,
                const std::vector<const CVyMathFunction1D*>& diagrams);

/// The same with bounded cases: uppers[k] and lowers[k] are the upper and lower bound of case k (the same
/// function for a case that is not bounded). Where a case enters with a positive factor the upper side
/// takes its upper bound and the lower side its lower one, a negative factor the other way; the governing
/// combinations name the case. Same cost.
VYMATH_ANALYSIS_API std::vector<DesignSituation>
DesignEnvelopes(const Actions& actions, const std::vector<std::string>& caseNames,
                const std::vector<const CVyMathFunction1D*>& uppers,
                const std::vector<const CVyMathFunction1D*>& lowers);

/// The combinations DesignEnvelopes envelopes, as rules: the same situations with the same names, each
/// expression a rule per group of variable actions that may act together (not_with) and per leading action
/// of the group (label "6.10b", leading its name), and, where there are several groups, one of the group's
/// actions accompanying alone (an action of another group leads, absent); seismic: that one only. A term is
/// what one action contributes: a permanent action all its cases at its upper or lower factor; prestress its
/// cases at its factor; a variable action absent or at its leading or accompanying factor (together: all
/// cases; exclusive: one case; free: a term per case); an accidental or seismic action present in its own
/// situation (exclusive: one case; free: a non-empty subset; seismic at both signs). Enumerating every rule's
/// combinations gives every combination the design envelopes cover, and no other.
///
/// Throws Error (Data) for an accidental or seismic action whose cases act freely and are more than 12
/// (its alternatives, every non-empty subset, would be too many). Cost: O(R A) for R rules of A actions.
VYMATH_ANALYSIS_API std::vector<SituationRules> DesignRules(const Actions& actions);

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_DESIGN_H
