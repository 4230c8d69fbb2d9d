// The layouts of the tables analysis programs export, recognised by their headers: a frame-analysis
// program's "Element Forces" tables (Story, Beam | Column | Brace | Frame, Output Case, Step Type, Station,
// P, V2, V3, T, M2, M3, names written with or without spaces), and what each column is.
#ifndef VYMATH_FORMATS_LAYOUTS_H
#define VYMATH_FORMATS_LAYOUTS_H

#include <vymath/analysis/Columns.h>

#include <string>
#include <vector>

namespace vymath {
namespace formats {

// The request for a header: the caller's, with the roles of a recognised layout where the caller names
// none. An "Element Forces" table: the member the storey and the element's label where both exist (a label
// repeats on every storey: "Story1/B50"), the case "Output Case", the abscissa "Station", the forces those of
// P, V2, V3, T, M2, M3 that it has. Any other header: the caller's request as it is.
analysis::ColumnRequest Recognised(const std::vector<std::string>& header,
                                   const analysis::ColumnRequest& request);

// Whether a column of a known layout holds a moment: T, M2, M3, Mx, My, Mz (any letter case).
bool IsMoment(const std::string& column);

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_LAYOUTS_H
