/// @file
/// The error type of the matrix and tensor classes: CVyMathException.
#ifndef VYMATH_CVYMATHEXCEPTION_H
#define VYMATH_CVYMATHEXCEPTION_H

#include "vymath/VyMathExport.h"

#include <string>

/// The error the matrix and tensor classes throw, carrying a wide-character message.
///
/// The concrete errors are nested structs of the throwing classes (CVyMathMat33::InvalidateIndex,
/// CVyMathMat33::InvalidateDeterminant, CVyMathTensorSym2D::NoSolution, CVyMathTensorSym2D::InvalidateData,
/// CVyMathTensorSym2D::InvalidateBase), each with a fixed message. They are thrown by value and may be caught
/// as their own type or as CVyMathException, by reference or by value. Not derived from std::exception.
struct VYMATH_API CVyMathException {
    /// Stores a copy of the message. There is no default constructor.
    CVyMathException(const std::wstring& message);
    /// Copies the message.
    CVyMathException(const CVyMathException& other);
    /// Releases the message.
    virtual ~CVyMathException();

    /// The message given at construction; it never changes.
    const std::wstring& Message() const;

private:
    std::wstring message;
};

#endif // VYMATH_CVYMATHEXCEPTION_H
