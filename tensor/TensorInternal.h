// Shared constants and helpers of the tensor sources. Not installed, not exported.
#ifndef VYMATH_TENSOR_INTERNAL_H
#define VYMATH_TENSOR_INTERNAL_H

#include "vymath/CVyMathMat33.h"
#include "vymath/CVyMathTensorSym2D.h"

namespace vymath {
namespace detail {

// Tolerance of every comparison the tensor code makes.
constexpr double kTensorTolerance = 1e-10;

// Packed position of Tij for 0 <= i <= j <= 2.
constexpr int PackedPosition(int i, int j) {
    return j * (j + 1) / 2 + i;
}

// Packed positions of the six components.
enum TensorPosition { T00 = 0, T01 = 1, T11 = 2, T02 = 3, T12 = 4, T22 = 5 };

// Throws CVyMathMat33::InvalidateIndex unless 0 <= i, j <= 2.
void CheckIndex(int i, int j);

// Throws CVyMathTensorSym2D::InvalidateBase unless the bases of a and b are equal (CVyMathMat33's
// operator==, within 1e-10 per element).
void CheckBasis(const CVyMathTensorSym2D& a, const CVyMathTensorSym2D& b);

} // namespace detail
} // namespace vymath

#endif // VYMATH_TENSOR_INTERNAL_H
