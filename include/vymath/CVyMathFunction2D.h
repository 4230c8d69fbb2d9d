/// @file
/// The class CVyMathFunction2D.
#ifndef VYMATH_CVYMATHFUNCTION2D_H
#define VYMATH_CVYMATHFUNCTION2D_H

#include "vymath/VyMathExport.h"

/// A placeholder class without data or operations of its own.
class VYMATH_API CVyMathFunction2D {
public:
    /// Nothing beyond making the object.
    CVyMathFunction2D();
    /// Nothing beyond making the object.
    CVyMathFunction2D(const CVyMathFunction2D& other);
    /// Does nothing.
    virtual ~CVyMathFunction2D();

    /// Changes nothing; returns the object itself.
    const CVyMathFunction2D& operator=(const CVyMathFunction2D& other);
};

#endif // VYMATH_CVYMATHFUNCTION2D_H
