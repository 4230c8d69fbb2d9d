// Design codes read from their JSON files (data/codes/), found by name in a list of folders.
#ifndef VYMATH_FORMATS_CODES_H
#define VYMATH_FORMATS_CODES_H

#include "Json.h"

#include <vymath/analysis/Code.h>

#include <memory>
#include <string>
#include <vector>

namespace vymath {
namespace formats {

// The folders the shipped code files are looked for in when no other is given: where the installation
// puts them (<prefix>/share/vymath/codes), then the source tree's data/codes.
std::vector<std::string> DefaultCodeFolders();

// A code from the JSON text of a code file: {"code", "title", "rule_word", "annex", "psi", "values",
// "action_values", "file_factors", "options", "types", "situations"}, "_source" beside any value (text,
// ignored). Throws analysis::Error (Data) "<source>: <JSON pointer>: <what>" for malformed JSON, an unknown
// key, role, type, psi entry, value name or option, a value outside its range, psi outside [0, 1] or
// psi1 < psi2, a term without the factors its role needs.
analysis::Code ReadCode(const std::string& text, const std::string& source);

// The code named `name` (the file NAME.json in the first folder that has it; a name with a '/' or ending in
// ".json" is that file, relative to `base`). Throws analysis::Error (Data) "unknown code "X" (the codes
// found)" where no folder has it, or as ReadCode.
std::shared_ptr<const analysis::Code>
LoadCode(const std::string& name, const std::vector<std::string>& folders, const std::string& base = "");

// psi as [psi0, psi1, psi2] at `pointer`: each in [0, 1], psi1 >= psi2, else analysis::Error (Data)
// "<source>: <pointer>: <what>".
analysis::Psi ReadPsi(const json::Json& v, const std::string& pointer, const std::string& source);

// "[0, 1]", "[0, inf]".
std::string RangeText(const std::pair<double, double>& range);

// The names of the codes in the folders, sorted.
std::vector<std::string> CodeNames(const std::vector<std::string>& folders);

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_CODES_H
