// Test-only access to the private state of the VyMath classes (befriended by each class).
#ifndef VYMATH_TESTS_TESTACCESS_H
#define VYMATH_TESTS_TESTACCESS_H

#include "vymath/vymath.h"

#include <utility>
#include <vector>

struct VyMathTestAccess {
    using Point = CVyMathFunction1D::Point;

    static const std::vector<Point>& Points(const CVyMathFunction1D& f) { return f.points; }
    static const std::vector<double>& Jumps(const CVyMathFunction1D& f) { return f.jumpAbscissas; }
    static int ForceJumps(const CVyMathFunction1D& f) { return f.forceJumps; }
    static void SetPoints(CVyMathFunction1D& f, std::vector<Point> pts) { f.points = std::move(pts); }

    static std::vector<Point> Items(const CVyMathFunction1D::PointList& l) {
        return {l.points.begin(), l.points.end()};
    }

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
