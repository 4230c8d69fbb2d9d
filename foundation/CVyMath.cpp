#include "vymath/CVyMath.h"

#include "foundation/VyMathInternal.h"

#include <cmath>
#include <limits>

using vymath::detail::kQuietNaNBits;
using vymath::detail::Tolerant;

namespace {

double QuietNaN() {
    double v;
    std::memcpy(&v, &kQuietNaNBits, sizeof v);
    return v;
}

} // namespace

const double CVyMath::dfPI = 3.141592653589793;
const double CVyMath::dfINFINITE = std::numeric_limits<double>::infinity();
const double CVyMath::dfNAN = QuietNaN();

bool CVyMath::Greater(double a, double b, double tol) {
    return Tolerant::Greater(a, b, tol);
}

bool CVyMath::GreaterEqual(double a, double b, double tol) {
    return Tolerant::GreaterEqual(a, b, tol);
}

bool CVyMath::Smaller(double a, double b, double tol) {
    return Tolerant::Smaller(a, b, tol);
}

bool CVyMath::SmallerEqual(double a, double b, double tol) {
    return Tolerant::SmallerEqual(a, b, tol);
}

bool CVyMath::Equal(double a, double b, double tol) {
    return Tolerant::Equal(a, b, tol);
}

bool CVyMath::IsNull(double x, double tol) {
    return Tolerant::IsNull(x, tol);
}

int CVyMath::Signe(double x) {
    return Tolerant::Signe(x);
}

double CVyMath::Min(double a, double b) {
    return Tolerant::Min(a, b);
}

double CVyMath::Max(double a, double b) {
    return Tolerant::Max(a, b);
}

double CVyMath::MinAbs(double a, double b) {
    return std::fabs(a) < std::fabs(b) ? a : b;
}

double CVyMath::MaxAbs(double a, double b) {
    return std::fabs(a) > std::fabs(b) ? a : b;
}

double CVyMath::Sqr(double x) {
    return x * x;
}

double CVyMath::Cube(double x) {
    return x * (x * x);
}

double CVyMath::Sqrt(double x) {
    return Tolerant::Greater(x, 0.0, 1e-10) ? std::sqrt(x) : 0.0;
}

void CVyMath::Swap(double& a, double& b) {
    const double t = a;
    a = b;
    b = t;
}
