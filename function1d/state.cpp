// The stored state of CVyMathFunction1D as its getters give it.
#include "vymath/CVyMathFunction1D.h"

std::vector<CVyMathFunction1D::Point> CVyMathFunction1D::GetPoints() const {
    return points.ToVector();
}

const std::vector<double>& CVyMathFunction1D::GetJumpAbscissas() const {
    return jumpAbscissas;
}

int CVyMathFunction1D::GetForceJumps() const {
    return forceJumps;
}
