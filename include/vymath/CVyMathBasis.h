/// @file
/// The class CVyMathBasis.
#ifndef VYMATH_CVYMATHBASIS_H
#define VYMATH_CVYMATHBASIS_H

#include "vymath/CVyMathMat33.h"
#include "vymath/VyMathExport.h"

namespace vymath {
namespace detail {
struct Access; // the library's one access point to private state (not installed)
} // namespace detail
} // namespace vymath

/// A CVyMathMat33 that carries a second block of nine doubles after the matrix.
///
/// Every matrix operation is inherited and works on the matrix only. The second block is reserved
/// data: no operation of the library computes with it.
class VYMATH_API CVyMathBasis : public CVyMathMat33 {
public:
    /// The identity matrix; the second block is nine zeros.
    CVyMathBasis();
    /// Copies the matrix and the second block.
    CVyMathBasis(const CVyMathBasis& other);
    /// Nothing to release.
    virtual ~CVyMathBasis();

    /// Assigns the matrix, then copies the nine doubles of the second block; returns the left operand.
    CVyMathBasis& operator=(const CVyMathBasis& other);

private:
    friend struct vymath::detail::Access;

    double secondBlock[9];
};

#endif // VYMATH_CVYMATHBASIS_H
