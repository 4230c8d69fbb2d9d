// The lookup of a set's members by value. Not installed, not exported.
#ifndef VYMATH_SETFUNCTION_LOOKUP_H
#define VYMATH_SETFUNCTION_LOOKUP_H

#include "vymath/CVyMathSetFunction1D.h"

#include "foundation/Access.h"

namespace vymath {
namespace detail {

// The first member of s equal to f in value (as the member's operator== decides), or the end of its
// list. O(members x points).
Access::Members::iterator FindByValue(CVyMathSetFunction1D& s, CVyMathFunction1D* f);
Access::Members::const_iterator FindByValue(const CVyMathSetFunction1D& s, CVyMathFunction1D* f);

} // namespace detail
} // namespace vymath

#endif // VYMATH_SETFUNCTION_LOOKUP_H
