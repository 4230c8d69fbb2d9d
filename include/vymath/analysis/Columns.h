/// @file
/// Which columns of a table in long form hold the member, the load case, the abscissa and the forces,
/// and which rows a front-end keeps.
#ifndef VYMATH_ANALYSIS_COLUMNS_H
#define VYMATH_ANALYSIS_COLUMNS_H

#include "vymath/analysis/Export.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vymath {
namespace analysis {

/// Rows kept: those whose column `column` holds one of `values`.
struct Filter {
    std::string column;              ///< the column's name in the header
    std::vector<std::string> values; ///< the texts kept, compared exactly
};

/// The columns a caller names; an empty name (or list) takes the default.
struct ColumnRequest {
    /// The member's columns, their texts joined by "/" ("Story", "Beam": "Story1/B50"); default: a column
    /// "member" if there is one (none: one member).
    std::vector<std::string> members;
    std::string loadCase; ///< default: "case"
    std::string x;        ///< default: "x"
    /// The step's column (a row's step type: none, Max, Min, Mode, Step, Single Value); default: a column
    /// named "Step Type" if there is one (any letter case, with or without the space or an underscore).
    std::string step;
    std::string stepNumber;          ///< the step number's column; default: "Step Number" as "Step Type"
    std::vector<std::string> forces; ///< default: every column that is neither named nor filtered
    std::vector<Filter> filters;     ///< all must match; several values of one column: any of them
    /// The default names of the load case's column, the first the header has (any letter case) taking the
    /// role; empty: "case". Messages about a header name the first of them.
    std::vector<std::string> caseNames;
};

/// Column positions in a header.
struct VYMATH_ANALYSIS_API Layout {
    std::vector<int> members;             ///< the member's columns, none for one member
    int loadCase = 0;                     ///< the load case column
    int x = 0;                            ///< the abscissa column
    int step = -1;                        ///< the step type's column, -1 for none
    int stepNumber = -1;                  ///< the step number's column, -1 for none
    std::vector<int> forces;              ///< in the order asked for (default: header order)
    std::vector<std::string> forceNames;  ///< the forces' column names, in the same order
    std::vector<std::string> columnNames; ///< the header as given
    std::vector<std::pair<int, std::vector<std::string>>> filters; ///< column position, values kept

    /// The number of columns the header has.
    std::size_t Columns() const { return columnNames.size(); }
    /// Whether the members have names (a member column).
    bool Named() const { return !members.empty(); }
    /// The role of column c in messages: "member", "case", "x", "step", "step number", the force's name,
    /// or the column's name (a name's control characters escaped, as "\n": one line).
    std::string Role(std::size_t c) const;
    /// Whether a row passes the filters; fields[k] is column k's text (fields.size() == Columns()).
    template <class Fields>
    bool Keeps(const Fields& fields) const {
        for (const auto& [column, values] : filters) {
            bool any = false;
            for (const std::string& v : values)
                any = any || fields[static_cast<std::size_t>(column)] == v;
            if (!any)
                return false;
        }
        return true;
    }
};

/// Parses "COLUMN=VALUE" (the first '=' splits; the value may be empty) and gathers the filters by
/// column, in order of first appearance. Throws Error (Usage) for a text without '=' or a column name.
VYMATH_ANALYSIS_API std::vector<Filter> ParseFilters(const std::vector<std::string>& texts);

/// Places the request in a header. Default names match whatever the case of their letters ("Case"),
/// names a caller gives match exactly. A filter's column may also have a role. Throws Error: Data when a
/// default column is missing (the header does not look like one: "expected the header ..."); Usage when a
/// column the caller names is missing or is given two roles; Data when a header names a used column twice
/// or leaves no force. The messages name neither the file nor the line: the front-end puts them first.
VYMATH_ANALYSIS_API Layout ResolveColumns(const std::vector<std::string>& header,
                                          const ColumnRequest& request);

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_COLUMNS_H
