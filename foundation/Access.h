// The one access point to the private state of the VyMath classes, befriended by each of them: the
// set's envelopes read a function's point arrays through it, the tests and fuzz targets the private
// numerics and the storage they set up directly. Not installed, not exported.
#ifndef VYMATH_ACCESS_H
#define VYMATH_ACCESS_H

#include "vymath/vymath.h"

#include "function1d/Function1DInternal.h"

#include <ostream>
#include <vector>

namespace vymath {
namespace detail {

struct Access {
    using Function = CVyMathFunction1D;
    using Point = Function::Point;
    using PointArray = Function::PointArray;
    using CrossingSamples = Function::CrossingSamples;

    // ---- Function1D: what the searches and the envelopes read -----------------------------------
    static CurveView View(const Function& f) { return f.View(); }
    static const PointArray& Points(const Function& f) { return f.points; }
    static PointArray& Points(Function& f) { return f.points; }
    static std::vector<Point> ListPoints(const Function& f, Function::InfoGetList mode) {
        return f.ListPoints(mode);
    }
    static std::vector<Point> Crossings(const Function& f, const Function& other,
                                        CrossingSamples* samples = nullptr) {
        return f.Crossings(other, samples);
    }
    // m == f in value, as operator== decides, without copying f.
    static bool SameValue(const Function& m, const Function& f) { return m.SameValue(f); }
    // Replaces the points as they are, unsorted or duplicated alike (jumps and domain untouched).
    static void SetPoints(Function& f, const std::vector<Point>& pts) { f.points.Assign(pts); }

    // ---- Function1D: private numerics -----------------------------------------------------------
    static void LuDecomp(double** a, int n, int* indx) { Function().LuDecomp(a, n, indx); }
    static void LuBackSubstitution(double** a, int n, int* indx, double* b) {
        Function().LuBackSubstitution(a, n, indx, b);
    }
    static void Spline(double* x, double* y, int n, double yp1, double ypn, double* y2) {
        Function().Spline(x, y, n, yp1, ypn, y2);
    }
    static double Trapzd(const Function& f, double a, double b, int n) { return f.Trapzd(f, a, b, n); }
    static double Trapzd(const Function& f, double a, double b, int n, double& estimate) {
        return f.Trapzd(f, a, b, n, estimate);
    }

    // ---- Set, polynomial, basis and tensor --------------------------------------------------------
    static double MinimalStep(const CVyMathSetFunction1D& s) { return s.FindMinimalStep(); }
    static void FormatMonomial(std::ostream& os, double r, wchar_t v, int prec, double tol) {
        CVyMathPolynom().FormatMonomial(os, r, v, prec, tol);
    }
    static const double* SecondBlock(const CVyMathBasis& b) { return b.secondBlock; }
    static double* SecondBlock(CVyMathBasis& b) { return b.secondBlock; }
    static double Hydrostatic(const CVyMathTensorSym2D& t) { return t.HydrostaticConstraint(); }
    static double OctahedralShear(const CVyMathTensorSym2D& t) { return t.ShearingStressOctaedric(); }
    static void EigenVector(const CVyMathTensorSym2D& t, double lambda, double* v) {
        t.GetEigenVector(lambda, v);
    }
    static void Jacobi(CVyMathTensorSym2D& t, double** a, int n, double* d, double** v, int* nrot) {
        t.Jacobi(a, n, d, v, nrot);
    }
};

} // namespace detail
} // namespace vymath

#endif // VYMATH_ACCESS_H
