// Shape queries of CVyMathFunction1D.
#include "vymath/CVyMathFunction1D.h"

#include "vymath/CVyMath.h"

#include "Function1DInternal.h"

bool CVyMathFunction1D::ConstantOrdinates() const {
    if (points.empty())
        return false;
    const double y0 = points.front().y;
    for (const Point& p : points)
        if (!CVyMath::Equal(y0, p.y, Ytolerance))
            return false;
    return true;
}

bool CVyMathFunction1D::IsConstant(void) { return ConstantOrdinates(); }
