#include "vymath/CVyMathFunction2D.h"

CVyMathFunction2D::CVyMathFunction2D() = default;

CVyMathFunction2D::CVyMathFunction2D(const CVyMathFunction2D&) {}

CVyMathFunction2D::~CVyMathFunction2D() = default;

const CVyMathFunction2D& CVyMathFunction2D::operator=(const CVyMathFunction2D&) {
    return *this;
}
