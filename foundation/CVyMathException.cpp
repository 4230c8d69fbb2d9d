#include "vymath/CVyMathException.h"

CVyMathException::CVyMathException(const std::wstring& message) : message(message) {}

CVyMathException::CVyMathException(const CVyMathException& other) : message(other.message) {}

CVyMathException::~CVyMathException() = default;

const std::wstring& CVyMathException::Message() const {
    return message;
}
