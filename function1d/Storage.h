// The stored points of a function: the point array's transforms, where an insertion goes, the ends of
// SetDomain, the point listing and the comparison by value. Not installed, not exported.
#ifndef VYMATH_FUNCTION1D_STORAGE_H
#define VYMATH_FUNCTION1D_STORAGE_H

#include "vymath/CVyMathFunction1D.h"

#include "foundation/VyMathInternal.h"

#include <cstddef>
#include <vector>

template <typename Fn>
void CVyMathFunction1D::PointArray::TransformX(Fn f) {
    for (double& x : xs)
        x = f(x);
    Recount();
}

template <typename Fn>
void CVyMathFunction1D::PointArray::TransformY(Fn f) {
    for (double& y : ys)
        y = f(y);
}

namespace vymath {
namespace detail {

// The insertion walk's stop test: x goes before (or onto) the stored abscissa p. A point exactly tol
// above x is neither within tol of it nor beyond it by the tolerant test; x still goes before it, so
// the points stay sorted.
inline bool InsertsBefore(double x, double p, double tol) {
    return Tolerant::Equal(p, x, tol) || Tolerant::SmallerEqual(x, p, tol) || x < p;
}

// Where Set puts x in f: the index of the first point within Xtolerance of x (found = true), or of the
// first point that x goes before (found = false; n when x goes after the last point). The first such
// point in storage order: found by bisection on sorted points, by a walk otherwise.
std::size_t LocateInsertion(const CVyMathFunction1D& f, double x, bool& found);

// The two ends of f.SetDomain(a, b) on a function with points: the lower end (true when it cut away
// every point, valueAtB then holding the curve's value at b from before the cut), then the upper end.
bool SetLowerEnd(CVyMathFunction1D& f, double a, double b, double& valueAtB);
void SetUpperEnd(CVyMathFunction1D& f, double b, bool emptied, double valueAtB);

// What f.GetListPoint(list, mode) appends.
std::vector<CVyMathFunction1D::Point> ListPoints(const CVyMathFunction1D& f,
                                                 CVyMathFunction1D::InfoGetList mode);

// f.GetOrdinate at x, or else the ordinate of f's stored point at x, or else 0.
double OrdinateAtStored(const CVyMathFunction1D& f, double x);

// What m == f answers, without its copy of f: the same domain and tolerances, then the finite point
// lists equal within 1e-10. Without an open end the lists are the stored points, compared in place with
// the first difference ending it; O(n) and no allocation then.
bool SameValue(const CVyMathFunction1D& m, const CVyMathFunction1D& f);

} // namespace detail
} // namespace vymath

#endif // VYMATH_FUNCTION1D_STORAGE_H
