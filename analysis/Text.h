// Doubles and names as text: the shortest round-trip form for files, a fixed number of significant digits
// for people, strict parsing of input fields, quoting and UTF-8 checks for messages. Shared by the analysis
// layer and the formats below the front-ends (compiled into each: never exported, never installed).
#ifndef VYMATH_ANALYSIS_TEXT_H
#define VYMATH_ANALYSIS_TEXT_H

#include <string>
#include <string_view>
#include <vector>

namespace vymath {
namespace text {

// Appends the shortest text that reads back to the same bits ("0.1", "-0", "1e-05", "12").
void AppendShortest(std::string& out, double v);
// The shortest text that reads back to the same bits.
std::string Shortest(double v);

// v with at most `digits` significant digits, -0 shown as 0 (for tables, labels and messages).
std::string Readable(double v, int digits = 7);

// The outcome of ParseDouble.
enum class ParseStatus { Ok, NotANumber, NotFinite, OutOfRange };

// The whole of text as a double (one leading '+' allowed, no spaces); v is written only on Ok.
// "nan" and "inf" parse as numbers but give NotFinite.
ParseStatus ParseDouble(std::string_view text, double& v);

// Why a field is not accepted, for messages: "is not a number", "is not a finite number", ...
const char* Describe(ParseStatus status);

// text with each control character written as an escape ("\n", "\r", "\t", "\x01"), quotes and
// backslashes as they are: a name from the input that keeps a message on one line.
std::string Escaped(std::string_view text);
// text escaped, in double quotes, for messages.
std::string Quoted(std::string_view text);

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view s);

// A column's name without letter case, spaces and underscores: "Step Type", "StepType" and "step_type" alike.
std::string Folded(std::string_view s);

// "a", "b" or "c" (each quoted when asked); single letters in a row, unquoted: "A to H".
std::string Choices(const std::vector<std::string>& names, bool quoted);

} // namespace text
} // namespace vymath

#endif // VYMATH_ANALYSIS_TEXT_H
