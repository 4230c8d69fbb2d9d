/// @file
/// The actions of EN 1990 (Eurocode 0) on a structure: which load cases make up each action, its type and
/// psi factors, how its cases act, the partial factors, and the rules the design situations follow.
#ifndef VYMATH_ANALYSIS_ACTIONS_H
#define VYMATH_ANALYSIS_ACTIONS_H

#include "vymath/analysis/Export.h"

#include <string>
#include <vector>

namespace vymath {
namespace analysis {

/// How an action enters the combinations.
enum class ActionType {
    Permanent,  ///< present in every combination, at its upper or lower factor as a whole
    Prestress,  ///< present in every combination at gamma_P, with no upper or lower choice
    Variable,   ///< imposed, snow, wind, temperature or explicit psi: counts where unfavourable
    Accidental, ///< present in its own accidental situation only
    Seismic     ///< present in the seismic situation only, with both signs
};

/// How an action's load cases act.
enum class Acting {
    Together, ///< one arrangement: all cases at once
    Free,     ///< any subset at once (patterns of an imposed load); each case counts where unfavourable
    Exclusive ///< one case at a time (wind directions)
};

/// One action.
struct Action {
    std::string name;                        ///< unique among the actions
    ActionType type = ActionType::Permanent; ///< how it enters the combinations
    std::string kind;                        ///< the type as written: "permanent", "imposed", "snow", ...
    double psi0 = 1.0;                       ///< combination value factor (variable actions only)
    double psi1 = 1.0;                       ///< frequent value factor
    double psi2 = 1.0;                       ///< quasi-permanent value factor
    std::vector<std::string> cases;          ///< the load cases it is made of, in order
    Acting acting = Acting::Together;        ///< how its cases act
    std::vector<std::string> notWith;        ///< variable actions never in a combination with this one
    std::string place;                       ///< where it stands in the source, for messages
};

/// Partial factors, EN 1990 Table A1.2(B) and EN 1992-1-1 2.4.2.2 by default.
struct DesignFactors {
    double gammaGsup = 1.35; ///< unfavourable permanent actions
    double gammaGinf = 1.0;  ///< favourable permanent actions
    double gammaQ = 1.5;     ///< unfavourable variable actions (0 where favourable)
    double xi = 0.85;        ///< reduction of unfavourable permanent actions in (6.10b)
    double gammaP = 1.0;     ///< prestress
};

/// A complete actions description.
struct Actions {
    bool uls610ab = false;       ///< ULS by (6.10a) and (6.10b) together; else by (6.10)
    bool accidentalPsi1 = true;  ///< psi1 on the leading variable action in accidental situations; else psi2
    DesignFactors factors;       ///< the partial factors
    std::vector<Action> actions; ///< in the order of the description
    std::string source;          ///< the description's name in messages ("actions.json")
};

/// EN 1990 Table A1.1 (buildings): the psi factors of a variable action of a named kind, psi[0] to psi[2].
/// kind "imposed" with its category "A" to "H" (EN 1991-1-1); "snow" with the category "high" (sites
/// above 1000 m, and Finland, Iceland, Norway, Sweden) or "low"; "wind"; "temperature" (not fire), whose
/// category is ignored. False, psi untouched, for a kind or category the table lacks.
VYMATH_ANALYSIS_API bool TablePsi(const std::string& kind, const std::string& category, double psi[3]);

/// Checks the actions against the load cases of the input: every case belongs to exactly one action.
/// Throws Error (Data) naming the place: a case of an action that the input lacks, a case that two
/// actions claim (checked when parsing), or a case of the input that no action claims.
VYMATH_ANALYSIS_API void CheckActions(const Actions& actions, const std::vector<std::string>& loadCases);

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_ACTIONS_H
