// Storage and evaluation of CVyMathPolynom.
#include "vymath/CVyMathPolynom.h"

#include <stdexcept>

CVyMathPolynom::CVyMathPolynom() : degree(0) {}

CVyMathPolynom::CVyMathPolynom(int degree_) : degree(degree_) {}

CVyMathPolynom::CVyMathPolynom(const CVyMathPolynom& other) = default;

const CVyMathPolynom& CVyMathPolynom::operator=(const CVyMathPolynom& other) {
    if (this != &other)
        coefficients = other.coefficients;
    degree = other.degree;
    return *this;
}

CVyMathPolynom::~CVyMathPolynom() {
    coefficients.clear();
}

void CVyMathPolynom::SetCoeff(double c) {
    coefficients.push_back(c);
}

void CVyMathPolynom::SetCoeff(double* const values, int count) {
    if (count < 0)
        throw std::length_error("vector<T> too long");
    if (values == nullptr && count > 0)
        return;
    coefficients.assign(values, values + count);
}

double CVyMathPolynom::GetDegree() const {
    return static_cast<double>(degree);
}

const std::vector<double>& CVyMathPolynom::GetCoefficients() const {
    return coefficients;
}

double CVyMathPolynom::ValPoly(const double& x) const {
    double sum = 0.0;
    double p = 1.0;
    for (double c : coefficients) {
        sum = sum + c * p;
        p = p * x;
    }
    return sum;
}
