// A section's interaction curve prepared for checks: the polygon counter-clockwise, each edge's vector,
// cross product and slope, and for a convex curve the vertices' directions in angular order and the lower
// and upper chains. Not installed.
#ifndef VYMATH_ANALYSIS_CURVE_H
#define VYMATH_ANALYSIS_CURVE_H

#include "vymath/analysis/Check.h"

#include <cstddef>
#include <vector>

namespace vymath {
namespace analysis {

struct SectionCurve::Geometry {
    using Point = CVyMathFunction1D::Point;

    CVyMathFunction1D curve;  // as given
    std::vector<Point> given; // its vertices in the given order, without the closing repetition
    std::vector<Point> v;     // counter-clockwise
    std::vector<Point> d;     // d[e] = v[e + 1] - v[e]
    std::vector<double> c; // c[e] = cross(v[e], v[e + 1]) > 0 for an edge that does not point at the origin
    std::vector<double> slope; // of edge e, (dy / dx); unused on a vertical edge
    bool convex = false;
    double xmin = 0.0, xmax = 0.0;
    // A convex curve: the diamond angles of the vertices' directions, increasing from vertex `first` on.
    std::vector<double> keys;
    std::size_t first = 0;
    // A convex curve: the lower and the upper chain's abscissas, increasing, and the edge between entries
    // k and k + 1.
    std::vector<double> lowerX, upperX;
    std::vector<std::size_t> lowerEdge, upperEdge;
    // Where the curve meets the first force's axis (M = 0), increasing.
    std::vector<double> axis;

    std::size_t Next(std::size_t e) const { return e + 1 == v.size() ? 0 : e + 1; }
    // The second force of edge e at first force n (n within its abscissas; an end's own value at an end).
    double EdgeY(std::size_t e, double n) const {
        const Point a = v[e], b = v[Next(e)];
        if (n == a.x)
            return a.y;
        if (n == b.x)
            return b.y;
        return a.y + (n - a.x) * slope[e];
    }
    // The ray's ratio on edge e, |(n, m)| / |where the ray meets it|, when the ray from the origin through
    // (n, m) meets the edge; 0 when it does not.
    double RayOn(std::size_t e, double n, double m) const {
        const Point a = v[e], b = v[Next(e)];
        const double da = n * a.y - m * a.x, db = n * b.y - m * b.x;
        if ((da > 0 && db > 0) || (da < 0 && db < 0) || (da == 0 && db == 0) || c[e] == 0)
            return 0.0;
        const double r = (n * d[e].y - m * d[e].x) / c[e];
        return r > 0 ? r : 0.0;
    }
    // Every edge's crossing tested: what the convex forms must agree with.
    double RayAll(double n, double m) const;
    double AtFirstForceAll(double n, double m) const;
    // The utilisation by the method, by the convex forms where the curve is convex.
    double Ray(double n, double m) const;
    double AtFirstForce(double n, double m) const;
    double Of(CheckMethod method, double n, double m) const {
        return method == CheckMethod::Ray ? Ray(n, m) : AtFirstForce(n, m);
    }
};

// The diamond angle of direction (x, y) (not both 0): increasing with the polar angle, in [0, 4).
inline double DiamondAngle(double x, double y) {
    if (y >= 0)
        return x >= 0 ? y / (x + y) : 1 - x / (-x + y);
    return x < 0 ? 2 - y / (-x - y) : 3 + x / (x - y);
}

} // namespace analysis
} // namespace vymath

#endif // VYMATH_ANALYSIS_CURVE_H
