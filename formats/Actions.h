// An actions description (EN 1990) read from JSON.
#ifndef VYMATH_FORMATS_ACTIONS_H
#define VYMATH_FORMATS_ACTIONS_H

#include <vymath/analysis/Actions.h>

#include <string>

namespace vymath {
namespace formats {

// Reads an actions description from JSON text:
// {"uls": "6.10" | "6.10a/b", "accidental_leading_psi": "psi1" | "psi2",
//  "factors": {"gamma_G_sup": 1.35, "gamma_G_inf": 1.0, "gamma_Q": 1.5, "xi": 0.85, "gamma_P": 1.0},
//  "actions": [{"name": "Q", "type": "imposed", "category": "B", "cases": ["Q1", "Q2"], "acting": "free",
//               "not_with": ["S"], "psi": [0.7, 0.5, 0.3]}, ...]}.
// Types: permanent, prestress, imposed (category A to H), snow ("altitude_over_1000m": true or false, or
// "country": FI, IS, NO or SE), wind, temperature, variable (explicit "psi"), accidental, seismic. The psi
// factors default to EN 1990 Table A1.1 (analysis::TablePsi) and "psi" overrides them; only "actions" and
// each action's "name", "type" and "cases" are required. Throws analysis::Error (Data) "<source>: <JSON
// pointer>: <what>" for malformed JSON (json::Parse), an unknown key, type or category, a psi outside
// [0, 1] or psi0 >= psi1 >= psi2 not holding, a negative or non-finite factor, an action name given
// twice, a case listed twice, acting other than together for permanent and prestress actions, or not_with
// naming an unknown action or one that is not variable.
analysis::Actions ReadActions(const std::string& text, const std::string& source);

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_ACTIONS_H
