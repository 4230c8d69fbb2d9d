// Test-only access to the private state of the VyMath classes (befriended by each class).
#ifndef VYMATH_TESTS_TESTACCESS_H
#define VYMATH_TESTS_TESTACCESS_H

#include "vymath/vymath.h"

#include <ostream>
#include <utility>
#include <vector>

struct VyMathTestAccess {
    using Point = CVyMathFunction1D::Point;

    static std::vector<Point> Points(const CVyMathFunction1D& f) { return f.points.ToVector(); }
    static const std::vector<double>& Jumps(const CVyMathFunction1D& f) { return f.jumpAbscissas; }
    static int ForceJumps(const CVyMathFunction1D& f) { return f.forceJumps; }
    static void SetPoints(CVyMathFunction1D& f, const std::vector<Point>& pts) { f.points.Assign(pts); }

    static double MinimalStep(const CVyMathSetFunction1D& s) { return s.FindMinimalStep(); }

    static std::vector<Point> Items(const CVyMathFunction1D::PointList& l) {
        return {l.points.begin(), l.points.end()};
    }

    // -- Numerics and polynomial formatting --
    static void LuDecomp(double** a, int n, int* indx) { CVyMathFunction1D().LuDecomp(a, n, indx); }
    static void LuBackSubstitution(double** a, int n, int* indx, double* b) {
        CVyMathFunction1D().LuBackSubstitution(a, n, indx, b);
    }
    static void Spline(double* x, double* y, int n, double yp1, double ypn, double* y2) {
        CVyMathFunction1D().Spline(x, y, n, yp1, ypn, y2);
    }
    static void FormatMonomial(std::ostream& os, double r, wchar_t v, int prec, double tol) {
        CVyMathPolynom().FormatMonomial(os, r, v, prec, tol);
    }
    static const std::vector<double>& PolynomCoefficients(const CVyMathPolynom& p) { return p.coefficients; }
    // -- end numerics and polynomial formatting --
    // --- matrices and tensors ---
    static const double* SecondBlock(const CVyMathBasis& b) { return b.secondBlock; }
    static double* SecondBlock(CVyMathBasis& b) { return b.secondBlock; }
    static const CVyMathMat33* BasisPtr(const CVyMathTensorSym2D& t) { return t.basis.get(); }
    static double Hydrostatic(const CVyMathTensorSym2D& t) { return t.HydrostaticConstraint(); }
    static double OctahedralShear(const CVyMathTensorSym2D& t) { return t.ShearingStressOctaedric(); }
    static void EigenVector(const CVyMathTensorSym2D& t, double lambda, double* v) {
        t.GetEigenVector(lambda, v);
    }
    static void Jacobi(CVyMathTensorSym2D& t, double** a, int n, double* d, double** v, int* nrot) {
        t.Jacobi(a, n, d, v, nrot);
    }
    // --- end matrices and tensors ---
    // Integration (trapezoidal levels).
    static double Trapzd(const CVyMathFunction1D& f, double a, double b, int n) {
        return f.Trapzd(f, a, b, n);
    }
    static double Trapzd(const CVyMathFunction1D& f, double a, double b, int n, double& estimate) {
        return f.Trapzd(f, a, b, n, estimate);
    }
};

// Points as (x, y) pairs, for compact expectations.
inline std::vector<std::pair<double, double>> Pairs(const std::vector<CVyMathFunction1D::Point>& pts) {
    std::vector<std::pair<double, double>> out;
    for (const auto& p : pts)
        out.emplace_back(p.x, p.y);
    return out;
}

inline std::vector<std::pair<double, double>> PointsOf(const CVyMathFunction1D& f) {
    return Pairs(VyMathTestAccess::Points(f));
}

inline std::vector<std::pair<double, double>> ItemsOf(const CVyMathFunction1D::PointList& l) {
    return Pairs(VyMathTestAccess::Items(l));
}

// A function on [xmin, xmax] holding exactly the given points.
inline CVyMathFunction1D MakeFunction(std::vector<CVyMathFunction1D::Point> pts, double xmin, double xmax) {
    CVyMathFunction1D f(xmin, xmax, 0);
    VyMathTestAccess::SetPoints(f, std::move(pts));
    return f;
}

#endif // VYMATH_TESTS_TESTACCESS_H
