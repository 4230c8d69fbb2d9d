#include "vymath/CVyMathFunction1D.h"
