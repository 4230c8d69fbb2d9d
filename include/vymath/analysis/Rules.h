/// @file
/// Combination rules in the form every engine reads them: a design situation is a set of rules, a rule a
/// sum of terms, a term the alternatives one action may take in that rule, an alternative a factor for
/// each of some load cases. A combination picks one alternative of every term of one rule; the situation
/// holds every combination of every rule. The design envelopes and the section checks take situations in
/// this form, whatever code (or combinations given by hand) made them.
#ifndef VYMATH_ANALYSIS_RULES_H
#define VYMATH_ANALYSIS_RULES_H

#include <string>
#include <vector>

namespace vymath {
namespace analysis {

/// A load case times a factor (a negative factor: the case acting the other way).
struct CaseFactor {
    std::string loadCase; ///< the case's name, as the model names it
    double factor;        ///< the product applied to the case: 1.35, 0.9 (1.5 x 0.6), -1
};

/// One way an action may act in a combination: each of its listed cases times its factor. No factors:
/// the action absent (or at factor 0 where favourable).
struct Alternative {
    std::vector<CaseFactor> factors; ///< summed; empty: absent
};

/// What one action contributes to a rule's combinations: exactly one of its alternatives.
struct RuleTerm {
    std::string action;                    ///< the action's name, for messages and the combination's text
    std::vector<Alternative> alternatives; ///< at least one
};

/// A combination rule: the sum of its terms, one alternative each.
struct Rule {
    std::string label;           ///< what the rule is: "6.10a", "6.10", "LRFD 3"
    std::string leading;         ///< the leading variable action's name, "" for none
    std::vector<RuleTerm> terms; ///< summed
};

/// A design situation: every combination of every one of its rules.
struct SituationRules {
    std::string name;        ///< "ULS", "SLS characteristic", "LRFD", "combinations"
    std::vector<Rule> rules; ///< at least one
};

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_RULES_H
