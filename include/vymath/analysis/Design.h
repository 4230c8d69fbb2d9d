/// @file
/// Design envelopes from the characteristic load cases: the envelope of every combination a design code's
/// rules form of the actions (EN 1990, ASCE 7, any code file), exact and with its governing combination on
/// every stretch, without enumerating them; and the rules themselves, as data.
///
/// For linear results the worst combination at an abscissa is chosen action by action: a situation is the
/// envelope of its rules (6.10a and 6.10b, ASCE 7's numbered combinations); in a rule each permanent action
/// takes its upper or lower factor, each variable action its best arrangement at its factor or its absence
/// (max(0, Qi) for cases acting together, the sum of the unfavourable cases of a free action, the best case
/// of an exclusive one), and a choice among actions (the leading one; ASCE 7's "Lr or S or R") adds the
/// best of their bonuses: the upper envelope of (6.10) is sum_j max(gG,sup Gj, gG,inf Gj) + gP P +
/// sum_i gQ psi0,i Q+i + max_i gQ (1 - psi0,i) Q+i. Each term is piecewise linear with breakpoints where a
/// case crosses zero or another case; each is formed exactly by CVyMathSetFunction1D::ExactEnvelopes and
/// summed by CVyMathFunction1D::Combine, so the design envelope is exact, and the governing member of every
/// term gives the governing combination. Actions that exclude each other (not_with) split the variable
/// actions into their maximal compatible groups, each enveloped the same way.
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
    std::string rule;    ///< the rule that forms it: "6.10b", "LRFD 3"; empty where none is known
    std::string leading; ///< the leading variable action's name; empty for none
    /// The combination as text, factors to 4 significant digits: "1.35*G1 + 1*G2 + 1.5*Q1 + 1.05*S",
    /// a negative factor as "- 1*Ex"; "0" for no case.
    std::string Text() const;
    /// The rule and the leading action for people: "6.10b, Q leading", "LRFD 3"; empty where neither is
    /// known.
    std::string Label() const;
    /// The same cases with the same factors, in the same order (whatever rule formed them).
    bool operator==(const DesignCombination& other) const { return factors == other.factors; }
};

/// One design situation, named by its code ("ULS", "SLS characteristic", "accidental <action>", "seismic",
/// "ULS EQU", "LRFD"), with its lower and upper envelopes and the combinations that govern them:
/// EnvelopeLine::governing indexes `combinations`, the combination governing the stretch from each point
/// (at the last point, the stretch that ends there); a design envelope has no placeholder.
struct DesignSituation {
    std::string name;                            ///< as above
    EnvelopeLine lower;                          ///< the least design value of every combination
    EnvelopeLine upper;                          ///< the greatest
    std::vector<DesignCombination> combinations; ///< those that govern a stretch, as they come
};

/// The rules of every design situation the actions form under their code, in the code's order: each rule a
/// sum of terms, a term what one action (or one case of a free action, or one part of a reversible one)
/// contributes, its alternatives the arrangements it may take with their factors, the empty alternative
/// where it may be absent (or counts 0 where favourable). A rule per leading action, per group of actions
/// that act together (not_with), per pick of a choice ("Lr or S or R") and per case of a free accidental or
/// seismic action that is present (and sign, for a seismic one) or leading seismic component; identical
/// rules once. The envelopes of the combinations they hold are those of DesignEnvelopes. Throws Error
/// (Usage) for actions without a code. Cost: O(rules x terms), no combination enumerated.
VYMATH_ANALYSIS_API std::vector<SituationRules> DesignRules(const Actions& actions);

/// The design envelopes of every situation the actions form under their code (DesignRules), from the
/// diagrams of the load cases (diagrams[k] is the case caseNames[k]; every case the actions name must be
/// there). For EN 1990: ULS by (6.10), or by (6.10a) and (6.10b) together, by the sets the actions verify
/// (STR, EQU, GEO); SLS characteristic (6.14b), frequent (6.15b) and quasi-permanent (6.16b); accidental
/// (6.11b) with psi1 or psi2 on the leading variable action; seismic (6.12b) with the seismic action at both
/// signs, or its components by the 100/30 rule. For ASCE 7: the envelope of every numbered combination of
/// the method. Variable actions count where unfavourable; an accidental or seismic action is always present
/// in its situation (exclusive: one case; free: a non-empty subset). Each combination names its rule and
/// leading action.
///
/// Throws Error (Data) when the diagrams do not share one domain, (Usage) for actions without a code. Cost
/// O(P A log A) for A actions of P points in all, whatever the number of combinations (each situation is a
/// few exact envelopes of A terms a rule of the code); not_with multiplies it by the number of maximal groups
/// of compatible variable actions.
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

/// The design envelopes of situations given as rules (a code's, or made by hand), with bounded cases as
/// above: each rule the sum of its terms' envelopes, each term the envelope of its alternatives, a situation
/// the envelope of its rules. Exact; nothing is shared between rules: O(P T log T) a rule of T terms, so a
/// code's actions are better served by the overloads above. A combination's factors come in the order the
/// cases first appear in the situations. Throws Error (Data) for a case missing from caseNames or diagrams
/// without a common domain.
VYMATH_ANALYSIS_API std::vector<DesignSituation>
DesignEnvelopes(const std::vector<SituationRules>& situations, const std::vector<std::string>& caseNames,
                const std::vector<const CVyMathFunction1D*>& uppers,
                const std::vector<const CVyMathFunction1D*>& lowers);

/// The distinct combinations (by their factors) of a situation's rules, each rule's in the order of its
/// terms' alternatives (the first term's changing slowest), at most `limit` of them, with its rule and
/// leading action; `count` is set to how many distinct combinations the situation holds. A case in two
/// terms takes the sum of its factors; factors of 0 are left out; the cases come in the order they first
/// appear in the rules. Cost: every combination is formed, the product over the rules of their terms'
/// numbers of alternatives, each compared in O(log N) for the N distinct ones; memory O(N) combinations.
VYMATH_ANALYSIS_API std::vector<DesignCombination>
DistinctCombinations(const SituationRules& situation, std::size_t limit, std::size_t& count);

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_DESIGN_H
