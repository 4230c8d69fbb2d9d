// The design situations of an actions description under its code, as the envelope algebra evaluates them:
// each situation a list of variants (the code's rules that apply), each variant its always-present actions
// and its optional ones with their factors, the choices among them (the leading action; ASCE 7's "Lr or S
// or R") and the groups of optional actions that may act together. Formed from the code's data alone;
// DesignTerms.h evaluates it, DesignRules expands it into rules. Not installed.
#ifndef VYMATH_ANALYSIS_DESIGNPLAN_H
#define VYMATH_ANALYSIS_DESIGNPLAN_H

#include "vymath/analysis/Actions.h"
#include "vymath/analysis/Rules.h"

#include <cstddef>
#include <string>
#include <vector>

namespace vymath {
namespace analysis {
namespace plan {

// Load cases, each times its factor.
struct Arrangement {
    std::vector<CaseFactor> cases;
    bool direct = false; // one case at factor 1, taken as its own diagram
};

// How an always-present action is formed.
enum class FixedKind {
    Permanent,  // its cases summed, then at the upper or the lower factor
    Prestress,  // its cases at their factor
    Present,    // an accidental or seismic action: one arrangement of its cases (both signs: seismic)
    Components, // seismic components: each in turn at the factor, the others at `others` times it, any signs
    Parts       // parts summed, each one of its arrangements
};

struct Fixed {
    std::size_t action = 0;
    FixedKind kind = FixedKind::Permanent;
    std::vector<std::string> cases;              // Permanent, Prestress, Present, Components
    double sup = 1.0, inf = 1.0;                 // Permanent; the factor of the others (sup)
    Acting acting = Acting::Together;            // Present
    bool bothSigns = false;                      // Present
    double others = 0.0;                         // Components
    std::vector<std::vector<Arrangement>> parts; // Parts
};

// An action that may be absent: each of its parts is absent or one of its arrangements, the parts summed
// (one part a case of a free action). Uniform: the arrangements are `unit` (factors +-1) times one factor,
// `base` where it accompanies and `pick` where its choice picks it; else they carry their factors, atBase
// and atPick (categories of different psi, a companion).
struct Optional {
    std::size_t action = 0;
    bool free = false;   // the parts are summed
    bool nested = false; // the best arrangement of a part is formed before its absence
    bool uniform = true;
    std::vector<std::vector<Arrangement>> unit;
    std::vector<std::vector<Arrangement>> atBase, atPick;
    bool hasBase = false; // present in every combination of the variant at base (or absent)
    double base = 0.0, pick = 0.0;
    int choice = -1; // the choice it belongs to, -1 for none
};

// A choice among optional actions: one of its actions (in the group) at its pick factor.
struct Choice {
    bool leading = false; // the picked action is the leading one
};

struct Variant {
    std::string label;
    std::vector<Fixed> fixed;       // in the actions' order
    std::vector<Optional> optional; // in the actions' order
    std::vector<Choice> choices;    // as the rule gives them
    std::vector<std::vector<std::size_t>>
        groups; // the maximal groups (positions in optional) acting together
};

struct Situation {
    std::string name;
    std::vector<Variant> variants; // enveloped together
};

// The situations of the actions under their code. Throws Error (Usage) when the actions have no code, (Data)
// naming the code's place where a rule selects an action twice.
std::vector<Situation> Build(const Actions& actions);

} // namespace plan
} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_DESIGNPLAN_H
