/// @file
/// The actions of EN 1990 (Eurocode 0) on a structure: which load cases make up each action, its type and
/// psi factors, how its cases act, the partial factors, and the rules the design situations follow.
#ifndef VYMATH_ANALYSIS_ACTIONS_H
#define VYMATH_ANALYSIS_ACTIONS_H

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

/// Reads an actions description from JSON text:
/// {"uls": "6.10" | "6.10a/b", "accidental_leading_psi": "psi1" | "psi2",
///  "factors": {"gamma_G_sup": 1.35, "gamma_G_inf": 1.0, "gamma_Q": 1.5, "xi": 0.85, "gamma_P": 1.0},
///  "actions": [{"name": "Q", "type": "imposed", "category": "B", "cases": ["Q1", "Q2"], "acting": "free",
///               "not_with": ["S"], "psi": [0.7, 0.5, 0.3]}, ...]}.
/// Types: permanent, prestress, imposed (category A to H), snow ("altitude_over_1000m": true or false, or
/// "country": FI, IS, NO or SE), wind, temperature, variable (explicit "psi"), accidental, seismic. The psi
/// factors default to EN 1990 Table A1.1 and "psi" overrides them; only "uls", "actions" and each action's
/// "name", "type" and "cases" are required. Throws Error (Data) "<source>: <JSON pointer>: <what>" for
/// malformed JSON, an unknown key, type or category, a psi outside [0, 1] or psi0 >= psi1 >= psi2 not
/// holding (so that a leading action never has a smaller factor than when accompanying), a negative or
/// non-finite factor, an action name given twice, a case listed twice, acting other than together for
/// permanent and prestress actions, or not_with naming an unknown action or one that is not variable.
Actions ParseActions(const std::string& json, const std::string& source);

/// Checks the actions against the load cases of the input: every case belongs to exactly one action.
/// Throws Error (Data) naming the place: a case of an action that the input lacks, a case that two
/// actions claim (checked when parsing), or a case of the input that no action claims.
void CheckActions(const Actions& actions, const std::vector<std::string>& loadCases);

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_ACTIONS_H
