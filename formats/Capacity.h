// A capacity file read from JSON: each section an interaction curve of two of the model's forces.
#ifndef VYMATH_FORMATS_CAPACITY_H
#define VYMATH_FORMATS_CAPACITY_H

#include <vymath/analysis/Check.h>

#include <string>

namespace vymath {
namespace formats {

// Reads {"sections": {NAME: {"forces": [FIRST, SECOND], "curve": [[first, second], ...]}}, "members":
// {MEMBER: SECTION, ...}, "default": SECTION, "method": "ray" | "at-first-force"}: the curve closed (its
// first point repeated last) and read into the library's closed curve (analysis::ClosedCurve,
// analysis::SectionCurve); "members" and "default" optional, "method" "ray" by default. The forces are
// checked against the model later (analysis::AnalyseChecks names the section's place). Throws analysis::Error
// (Data) "<source>: <JSON pointer>: <what>" for malformed JSON, an unknown key, no section, a section's
// forces not two distinct names, a curve that is not a list of [first, second] pairs of finite numbers, a
// curve the section cannot take (not closed, fewer than 3 vertices, crossing itself, not around the origin:
// SectionCurve's message), a member or default naming no section, an unknown method. O(n^2) a curve of n
// vertices.
analysis::Capacity ReadCapacity(const std::string& text, const std::string& source);

// The method named as the file and --method name it: "ray" or "at-first-force"; false for any other name.
bool ParseCheckMethod(const std::string& name, analysis::CheckMethod& method);
// Its name.
const char* CheckMethodName(analysis::CheckMethod method);

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_CAPACITY_H
