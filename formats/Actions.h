// An actions description read from JSON, under the design code it names.
#ifndef VYMATH_FORMATS_ACTIONS_H
#define VYMATH_FORMATS_ACTIONS_H

#include "Codes.h"

#include <vymath/analysis/Actions.h>

#include <string>
#include <vector>

namespace vymath {
namespace formats {

// Reads an actions description from JSON text:
// {"code": "EN1990", "annex": "annex.json", "factors": {...}, OPTION: CHOICE, ...,
//  "actions": [{"name": "Q", "type": "imposed", "category": "B", "cases": ["Q1", "Q2"], "acting": "free",
//               "not_with": ["S"], "psi": [0.7, 0.5, 0.3]}, ...]}.
// The code ("EN1990" by default; found in codeFolders, or a file relative to the description's folder)
// gives the types, their psi factors, the values, the options (EN 1990's "uls", "verifications",
// "accidental_leading_psi"; ASCE 7's "L_factor_0.5") and the action keys that apply: "category" or
// "categories" ({CASE: CATEGORY} in place of "cases"), "altitude_over_1000m" and "country" (snow), "psi",
// own values ("gamma_sup", "gamma_inf", "gamma"), "acting" (together, free, exclusive; permanent actions
// together, exclusive or reversible, with "cases": {"sup": [...], "inf": [...]} acting together), "not_with",
// "leading_psi" and "replaces" (accidental), "components" with "rule" (seismic), "of" and "factor"
// (a companion made of another action's cases). The annex, a file named relative to the description:
// {"psi": {ENTRY or TYPE: [psi0, psi1, psi2]}, "gamma": {"G_sup": v, ...} (the values gamma_G_sup, ...),
// VALUE: v, OPTION: CHOICE}, each key optional.
// Throws analysis::Error (Data) "<file>: <JSON pointer>: <what>" for malformed JSON, an unknown code, key,
// type, category, country, choice or rule, a value out of its range (psi outside [0, 1] or psi1 < psi2, a
// negative or non-finite factor), an action name given twice, a case listed twice or in two actions, a
// component list of one, a key that does not apply to the action's type, or a name of another action
// that is not there or not of the role it needs.
analysis::Actions ReadActions(const std::string& text, const std::string& source,
                              const std::vector<std::string>& codeFolders = DefaultCodeFolders());

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_ACTIONS_H
