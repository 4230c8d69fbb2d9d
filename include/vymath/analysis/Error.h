/// @file
/// Errors of the analysis layer, and how a front-end names the places of its input in messages.
#ifndef VYMATH_ANALYSIS_ERROR_H
#define VYMATH_ANALYSIS_ERROR_H

#include "vymath/analysis/Export.h"

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>

namespace vymath {
namespace analysis {

/// A problem that stops an analysis, with a one-line message (no program name, no trailing period).
/// Data: the input's contents are wrong (a diagram that cannot be built, a member without a case).
/// Usage: the request does not fit the input (a combination naming a case that no member has).
class VYMATH_ANALYSIS_API Error : public std::runtime_error {
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
/// ("moment.csv:12", "row 5", "cases.json: /cases/G/x/3"). The origin is the front-end's own row number.
using Locator = std::function<std::string(std::size_t origin)>;

/// A field of a row, by its role in the model.
struct Field {
    /// What the field holds.
    enum class Role {
        Member, ///< the member's name
        Case,   ///< the load case's name
        X,      ///< the abscissa
        Force   ///< the value of a force
    };
    Role role;             ///< what the field holds
    std::size_t force = 0; ///< with Role::Force, the force's position in Model::Forces()
};

/// How a front-end names the places of its input, for messages: the input, a row, a field. Every reader
/// gives its own and the messages are the same for all: "<field> is empty", "<field> <value> is not a
/// finite number", "<row>: case "G" has a third row at x = 2".
struct Places {
    std::string source = "the input"; ///< the input's name: "moment.csv", "the frame"
    Locator row;                      ///< "moment.csv:12"; empty: "row <origin>"
    /// A field of a row, with its role: "moment.csv:12: field 3 (y)", "row 5: column "M" (M)",
    /// "cases.json: /cases/G/y/3 (y)"; empty: the row, then the role.
    std::function<std::string(std::size_t origin, const Field& field)> field;
};

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_ERROR_H
