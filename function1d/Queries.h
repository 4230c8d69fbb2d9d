// Helpers of the query operations of a function: constancy, the bisection on its ordinates, the crossings
// of two functions and the levels of the trapezoidal rule. Not installed, not exported.
#ifndef VYMATH_FUNCTION1D_QUERIES_H
#define VYMATH_FUNCTION1D_QUERIES_H

#include "vymath/CVyMathFunction1D.h"

#include "function1d/Search.h"

#include <vector>

namespace vymath {
namespace detail {

// f.IsConstant() for const callers.
bool ConstantOrdinates(const CVyMathFunction1D& f);

// f.RootBissection(x1, x2, xacc) that also reports success (root written only then).
bool BisectOrdinates(const CVyMathFunction1D& f, double x1, double x2, double xacc, double& root);

// The abscissas of a crossing walk in its order, with both functions' GetOrdinate there (a NaN where it
// fails: a value found is never one), for callers that evaluate them at the same abscissas again.
struct CrossingSamples {
    std::vector<double> x, f, g;
};

// The crossings f.GetIntersectionAbscissas(g) appends, in order; samples (optional) receives the walk's
// abscissas with both functions' values there.
std::vector<CVyMathFunction1D::Point> Crossings(const CVyMathFunction1D& f, const CVyMathFunction1D& g,
                                                CrossingSamples* samples = nullptr);

// Level n of the extended trapezoidal rule for f on [a, b] from the level n - 1 estimate, which it
// replaces; levels must come in the order 1, 2, ... A sample where f has no value repeats the previous
// one of its sweep (0 before any). Level n costs 2^(n-2) evaluations in one sweep.
inline double TrapzdLevel(const CVyMathFunction1D& f, double a, double b, int n, double& estimate) {
    if (n == 1) {
        double ya = 0.0, yb = 0.0;
        f.GetOrdinate(a, ya);
        f.GetOrdinate(b, yb);
        estimate = (b - a) * 0.5 * (yb + ya);
        return estimate;
    }
    long long it = 1;
    for (int j = 1; j < n - 1; ++j)
        it <<= 1;
    const double tnm = static_cast<double>(it);
    const double del = (b - a) / tnm;
    double x = a + 0.5 * del;
    double sum = 0.0;
    double y = 0.0; // a sample where f has no value repeats the previous one of this sweep
    Sweep sweep(View(f));
    for (long long j = 0; j < it; ++j) {
        sweep.At(x, y);
        sum = sum + y;
        x = x + del;
    }
    estimate = 0.5 * (estimate + (b - a) * sum / tnm);
    return estimate;
}

} // namespace detail
} // namespace vymath

#endif // VYMATH_FUNCTION1D_QUERIES_H
