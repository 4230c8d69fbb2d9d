#include "vymath/CVyMathBasis.h"

CVyMathBasis::CVyMathBasis() : CVyMathMat33(), secondBlock{} {}

CVyMathBasis::CVyMathBasis(const CVyMathBasis& other) : CVyMathMat33(other) {
    for (int k = 0; k < 9; ++k)
        secondBlock[k] = other.secondBlock[k];
}

CVyMathBasis::~CVyMathBasis() = default;

CVyMathBasis& CVyMathBasis::operator=(const CVyMathBasis& other) {
    CVyMathMat33::operator=(other);
    for (int k = 0; k < 9; ++k)
        secondBlock[k] = other.secondBlock[k];
    return *this;
}
