/// @file
/// Doubles as text: the shortest round-trip form for files, a fixed number of significant digits for
/// people, and strict parsing of input fields.
#ifndef VYMATH_ANALYSIS_NUMBERS_H
#define VYMATH_ANALYSIS_NUMBERS_H

#include <string>
#include <string_view>

namespace vymath {
namespace analysis {

/// Appends the shortest text that reads back to the same bits ("0.1", "-0", "1e-05", "12").
void AppendShortest(std::string& out, double v);
/// The shortest text that reads back to the same bits.
std::string Shortest(double v);

/// v with at most `digits` significant digits, -0 shown as 0 (for tables, labels and messages).
std::string Readable(double v, int digits = 7);

/// The outcome of ParseDouble.
enum class ParseStatus { Ok, NotANumber, NotFinite, OutOfRange };

/// The whole of text as a double (one leading '+' allowed, no spaces); v is written only on Ok.
/// "nan" and "inf" parse as numbers but give NotFinite.
ParseStatus ParseDouble(std::string_view text, double& v);

/// Why a field is not accepted, for messages: "is not a number", "is not a finite number", ...
const char* Describe(ParseStatus status);

/// text in double quotes, for messages.
inline std::string Quoted(const std::string& text) {
    return '"' + text + '"';
}

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_NUMBERS_H
