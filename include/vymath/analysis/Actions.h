/// @file
/// The actions on a structure under a design code: which load cases make up each action, its load type,
/// psi factors and own partial factors, how its cases act, and the code with the values and choices that
/// hold for the description (a national annex's and the file's own).
#ifndef VYMATH_ANALYSIS_ACTIONS_H
#define VYMATH_ANALYSIS_ACTIONS_H

#include "vymath/analysis/Code.h"
#include "vymath/analysis/Export.h"

#include <array>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace vymath {
namespace analysis {

/// How an action's load cases act.
enum class Acting {
    Together,  ///< one arrangement: all cases at once
    Free,      ///< any subset at once (patterns of an imposed load); each case counts where unfavourable
    Exclusive, ///< one case at a time (wind directions; permanent alternatives)
    Reversible ///< permanent: each case at either sign (an imperfection either way)
};

/// One action.
struct Action {
    std::string name;                        ///< unique among the actions
    ActionType type = ActionType::Permanent; ///< its load type's role
    std::string kind;                        ///< the load type as written: "permanent", "imposed", "D", "Eh"
    double psi0 = 1.0;                       ///< combination value factor (variable actions)
    double psi1 = 1.0;                       ///< frequent value factor
    double psi2 = 1.0;                       ///< quasi-permanent value factor
    /// The load cases it is made of, in order: a permanent action's upper characteristic values where it
    /// also has lower ones (casesInf); a seismic action's components (components).
    std::vector<std::string> cases;
    std::vector<std::string> casesInf; ///< a permanent action's lower characteristic values, or none
    /// psi of each case where the cases are of several categories (one entry a case), else empty.
    std::vector<Psi> casePsi;
    Acting acting = Acting::Together;           ///< how its cases act
    std::vector<std::string> notWith;           ///< variable actions never in a combination with this one
    std::map<std::string, double> values;       ///< its own values of the code's action values ("gamma_sup")
    std::map<std::string, std::string> options; ///< its choice of a per-action option, by the option's name
    std::vector<std::string> replaces;          ///< accidental: variable actions absent from its situation
    bool components = false;                    ///< seismic: its cases are components, combined by a rule
    double componentFactor = 0.0;               ///< with components: the factor of the other components (0.3)
    std::string of;        ///< companion: the action whose cases it is made of ("D"), or empty
    double ofFactor = 1.0; ///< companion with `of`: its factor on those cases (0.2 S_DS)
    std::string place;     ///< where it stands in the source, for messages
};

/// A complete actions description.
struct Actions {
    std::shared_ptr<const Code> code;                        ///< the design code
    std::map<std::string, double> values;                    ///< the code's values as they hold here
    std::map<std::string, std::vector<std::string>> options; ///< every option's choice (or choices)
    std::set<std::string> given;                             ///< the options the description gives
    std::vector<Action> actions;                             ///< in the order of the description
    std::string source;                                      ///< the description's name in messages
};

/// Checks the actions against the load cases of the input: every case belongs to exactly one action.
/// Throws Error (Data) naming the place: a case of an action that the input lacks, a case that two
/// actions claim (checked when parsing), or a case of the input that no action claims.
VYMATH_ANALYSIS_API void CheckActions(const Actions& actions, const std::vector<std::string>& loadCases);

/// Every load case the actions name, each once, in the actions' order (an action's cases, then its lower
/// characteristic values).
VYMATH_ANALYSIS_API std::vector<std::string> CasesOf(const Actions& actions);

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_ACTIONS_H
