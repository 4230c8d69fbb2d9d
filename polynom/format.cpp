#include "vymath/CVyMathPolynom.h"
