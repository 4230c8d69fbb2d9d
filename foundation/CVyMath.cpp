#include "vymath/CVyMath.h"

#include "foundation/VyMathInternal.h"

#include <cmath>
#include <limits>

using vymath::detail::IsNaN;
using vymath::detail::kQuietNaNBits;

namespace {

double QuietNaN() {
    double v;
    std::memcpy(&v, &kQuietNaNBits, sizeof v);
    return v;
}

constexpr double kInf = std::numeric_limits<double>::infinity();

// The rows of the NaN and infinity table, in the order they are tested.
enum Row { BothPlusInf, BothMinusInf, APlusInf, BMinusInf, AMinusInf, BPlusInf, Finite, AnyNaN };

Row Classify(double a, double b) {
    if (IsNaN(a) || IsNaN(b))
        return AnyNaN;
    if (a == kInf && b == kInf)
        return BothPlusInf;
    if (a == -kInf && b == -kInf)
        return BothMinusInf;
    if (a == kInf)
        return APlusInf;
    if (b == -kInf)
        return BMinusInf;
    if (a == -kInf)
        return AMinusInf;
    if (b == kInf)
        return BPlusInf;
    return Finite;
}

// Result of a comparison for the non-finite rows; `finite` is used for the last row.
bool Decide(Row row, bool sameInf, bool aAbove, bool aBelow, bool finite) {
    switch (row) {
    case AnyNaN:
        return false;
    case BothPlusInf:
    case BothMinusInf:
        return sameInf;
    case APlusInf:
    case BMinusInf:
        return aAbove;
    case AMinusInf:
    case BPlusInf:
        return aBelow;
    case Finite:
        break;
    }
    return finite;
}

} // namespace

const double CVyMath::dfPI = 3.141592653589793;
const double CVyMath::dfINFINITE = kInf;
const double CVyMath::dfNAN = QuietNaN();

bool CVyMath::Greater(double a, double b, double tol) {
    const Row row = Classify(a, b);
    return Decide(row, false, true, false, row == Finite && b + tol < a);
}

bool CVyMath::GreaterEqual(double a, double b, double tol) {
    const Row row = Classify(a, b);
    return Decide(row, true, true, false, row == Finite && (a + tol > b || std::fabs(a - b) < tol));
}

bool CVyMath::Smaller(double a, double b, double tol) {
    const Row row = Classify(a, b);
    return Decide(row, false, false, true, row == Finite && a + tol < b);
}

bool CVyMath::SmallerEqual(double a, double b, double tol) {
    const Row row = Classify(a, b);
    return Decide(row, true, false, true, row == Finite && (a + tol < b || std::fabs(a - b) < tol));
}

bool CVyMath::Equal(double a, double b, double tol) {
    const Row row = Classify(a, b);
    return Decide(row, true, false, false, row == Finite && std::fabs(a - b) < tol);
}

bool CVyMath::IsNull(double x, double tol) {
    return Equal(x, 0.0, tol);
}

int CVyMath::Signe(double x) {
    if (Equal(x, 0.0, 1e-20))
        return 0;
    if (Smaller(x, 0.0, 1e-20))
        return -1;
    return 1;
}

double CVyMath::Min(double a, double b) {
    if (IsNaN(a) && !IsNaN(b))
        return b;
    if (IsNaN(b) && !IsNaN(a))
        return a;
    return Smaller(a, b, 1e-20) ? a : b;
}

double CVyMath::Max(double a, double b) {
    if (IsNaN(a) && !IsNaN(b))
        return b;
    if (IsNaN(b) && !IsNaN(a))
        return a;
    return Greater(a, b, 1e-20) ? a : b;
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
    return Greater(x, 0.0, 1e-10) ? std::sqrt(x) : 0.0;
}

void CVyMath::Swap(double& a, double& b) {
    const double t = a;
    a = b;
    b = t;
}
