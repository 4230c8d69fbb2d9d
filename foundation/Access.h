// The one access point to the private state of the VyMath classes, befriended by each of them: the
// internal helpers of the sources (vymath::detail) read and change an object's state through it, the
// tests and fuzz targets reach the private numerics and set up storage directly. Not installed, not
// exported.
#ifndef VYMATH_ACCESS_H
#define VYMATH_ACCESS_H

#include "vymath/vymath.h"

#include <ostream>
#include <vector>

namespace vymath {
namespace detail {

struct Access {
    using Function = CVyMathFunction1D;
    using Point = Function::Point;
    using PointArray = Function::PointArray;
    using Members = CVyMathSetFunction1D::List;

    // ---- Function1D: the stored state --------------------------------------------------------------
    static const PointArray& Points(const Function& f) { return f.points; }
    static PointArray& Points(Function& f) { return f.points; }
    static double Xmin(const Function& f) { return f.xmin; }
    static double Xmax(const Function& f) { return f.xmax; }
    static double Xtolerance(const Function& f) { return f.Xtolerance; }
    static double Ytolerance(const Function& f) { return f.Ytolerance; }
    static const std::vector<double>& Jumps(const Function& f) { return f.jumpAbscissas; }
    // Moves one bound of the domain; the points are not touched.
    static void SetXmin(Function& f, double a) { f.xmin = a; }
    static void SetXmax(Function& f, double b) { f.xmax = b; }
    // Replaces the points as they are, unsorted or duplicated alike (jumps and domain untouched).
    static void SetPoints(Function& f, const std::vector<Point>& pts) { f.points.Assign(pts); }

    // ---- Function1D: private numerics ---------------------------------------------------------------
    static void LuDecomp(double** a, int n, int* indx) { Function().LuDecomp(a, n, indx); }
    static void LuBackSubstitution(double** a, int n, int* indx, double* b) {
        Function().LuBackSubstitution(a, n, indx, b);
    }
    static void Spline(double* x, double* y, int n, double yp1, double ypn, double* y2) {
        Function().Spline(x, y, n, yp1, ypn, y2);
    }
    static double Trapzd(const Function& f, double a, double b, int n) { return f.Trapzd(f, a, b, n); }

    // ---- Set ----------------------------------------------------------------------------------------
    static Members& Functions(CVyMathSetFunction1D& s) { return s.functions; }
    static const Members& Functions(const CVyMathSetFunction1D& s) { return s.functions; }
    static double MinimalStep(const CVyMathSetFunction1D& s) { return s.FindMinimalStep(); }

    // ---- Polynomial, basis and tensor -----------------------------------------------------------------
    static void FormatMonomial(std::ostream& os, double r, wchar_t v, int prec, double tol) {
        CVyMathPolynom().FormatMonomial(os, r, v, prec, tol);
    }
    static const double* SecondBlock(const CVyMathBasis& b) { return b.secondBlock; }
    static double* SecondBlock(CVyMathBasis& b) { return b.secondBlock; }
    // The tensor's own basis, as its operations compare it (CVyMathMat33's comparisons are not const).
    static CVyMathMat33& Basis(const CVyMathTensorSym2D& t) { return *t.basis; }
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
