/// @file
/// Errors of the analysis layer, and how a front-end names the place of a row in its input.
#ifndef VYMATH_ANALYSIS_ERROR_H
#define VYMATH_ANALYSIS_ERROR_H

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>

namespace vymath {
namespace analysis {

/// A problem that stops an analysis, with a one-line message (no program name, no trailing period).
/// Data: the input's contents are wrong (a diagram that cannot be built, a member without a case).
/// Usage: the request does not fit the input (a combination naming a case that no member has).
class Error : public std::runtime_error {
public: /// What went wrong: the data, or the request.
    enum class Kind {
        Data, ///< the input's contents are wrong
        Usage ///< the request does not fit the input
    };
    /// An error of the given kind with its message.
    Error(Kind kind, const std::string& message) : std::runtime_error(message), kind(kind) {}
    /// Data or Usage.
    Kind GetKind() const { return kind; }

private:
    Kind kind;
};

/// Where the row with the given origin stands in the input, as the front-end names it in messages
/// ("moment.csv:12", "cases.json: /cases/G/x/3"). The origin is the front-end's own row number.
using Locator = std::function<std::string(std::size_t origin)>;

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_ERROR_H
