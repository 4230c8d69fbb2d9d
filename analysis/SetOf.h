// Shared by the analysis sources: a function set of given functions. Not installed.
#ifndef VYMATH_ANALYSIS_SETOF_H
#define VYMATH_ANALYSIS_SETOF_H

#include "vymath/CVyMathSetFunction1D.h"

#include <vector>

namespace vymath {
namespace analysis {
namespace detail {

// Adds the functions to set in order; the set keeps the first of functions equal in value, so indexOf[p]
// is the position in `functions` of the set's member p.
inline void SetOf(const std::vector<const CVyMathFunction1D*>& functions, CVyMathSetFunction1D& set,
                  std::vector<int>& indexOf) {
    indexOf.clear();
    for (std::size_t k = 0; k < functions.size(); ++k) {
        set.AddFunction(const_cast<CVyMathFunction1D*>(functions[k])); // the set only reads its members
        if (set.GetNumber() > static_cast<int>(indexOf.size()))
            indexOf.push_back(static_cast<int>(k));
    }
}

} // namespace detail
} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_SETOF_H
