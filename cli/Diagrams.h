// One CVyMathFunction1D per case: the bounds constructor on the case's extent, then Set for each
// abscissa in increasing order; two rows of a case at one abscissa are a jump, left value first. At
// the first and the last abscissa only the side inside the domain is kept (the right value at the
// first, the left one at the last): the other lies outside the diagram.
#ifndef VYMATH_CLI_DIAGRAMS_H
#define VYMATH_CLI_DIAGRAMS_H

#include "Input.h"

#include <vymath/CVyMathFunction1D.h>

#include <string>
#include <vector>

namespace vycli {

class Progress;

// A diagram with its name: a case, or a combination of cases.
struct Member {
    std::string name;
    CVyMathFunction1D f;
};

// The diagrams of in's cases, in their order. Three rows of a case at one abscissa, a case with a
// single abscissa, and a point that the function does not store as given (an abscissa within the
// tolerance of another) are data errors naming the row.
std::vector<Member> BuildDiagrams(const Input& in, Progress& progress);

// The stored points of f.
std::vector<CVyMathFunction1D::Point> StoredPoints(CVyMathFunction1D& f);

} // namespace vycli

#endif // VYMATH_CLI_DIAGRAMS_H
