/// @file
/// VyMath: all public headers at once.
#ifndef VYMATH_VYMATH_H
#define VYMATH_VYMATH_H

#include "vymath/VyMathVersion.h"

#include "vymath/CVyMath.h"
#include "vymath/CVyMathBasis.h"
#include "vymath/CVyMathException.h"
#include "vymath/CVyMathFunction1D.h"
#include "vymath/CVyMathFunction2D.h"
#include "vymath/CVyMathMat33.h"
#include "vymath/CVyMathPolynom.h"
#include "vymath/CVyMathSetFunction1D.h"
#include "vymath/CVyMathTensorSym2D.h"

#endif // VYMATH_VYMATH_H
