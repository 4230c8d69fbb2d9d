// Reference: Integration, resultant, moment and eccentricity of RefFunction1D.
#include "RefFunction1D.h"

#include "RefInternal.h"

#include <cmath>

using ref::detail::IsFinite;
using ref::detail::IsNaN;

namespace {

constexpr int kMaxLevels = 20;
constexpr int kMinLevels = 6;
constexpr double kRelativeAccuracy = 1e-5;
// Trapzd refuses levels beyond this one (2^(n-2) new samples each).
constexpr int kMaxTrapzdLevel = 32;

// Signed area of the trapezoid under a segment. Ordinates summing to zero give no area, also on a
// segment that spans both open-end sentinels (where the width overflows to infinity).
double SegmentArea(const RefFunction1D::Point& p, const RefFunction1D::Point& q) {
    const double sum = p.y + q.y;
    if (sum == 0.0)
        return 0.0;
    return ((q.x - p.x) * sum) * 0.5;
}

} // namespace

double RefFunction1D::Trapzd(const RefFunction1D& f, double a, double b, int n, double& estimate) const {
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
    for (long long j = 0; j < it; ++j) {
        f.GetOrdinate(x, y);
        sum = sum + y;
        x = x + del;
    }
    estimate = 0.5 * (estimate + (b - a) * sum / tnm);
    return estimate;
}

double RefFunction1D::Trapzd(const RefFunction1D& f, double a, double b, int n) const {
    if (n < 1 || n > kMaxTrapzdLevel)
        return 0.0;
    double estimate = 0.0;
    for (int level = 1; level <= n; ++level)
        Trapzd(f, a, b, level, estimate);
    return estimate;
}

double RefFunction1D::Qtrap(double a, double b) const {
    if (points.empty() || IsNaN(a) || IsNaN(b))
        return 0.0;
    // Limits beyond the domain are brought back to its bounds: the function counts as 0 outside.
    if (ref::Smaller(a, xmin, Xtolerance))
        a = xmin;
    else if (ref::Greater(a, xmax, Xtolerance))
        a = xmax;
    if (ref::Smaller(b, xmin, Xtolerance))
        b = xmin;
    else if (ref::Greater(b, xmax, Xtolerance))
        b = xmax;
    if (!IsFinite(b - a))
        return 0.0;
    double estimate = 0.0; // the carried level estimate, owned by this run
    double olds = 0.0;
    for (int j = 1; j <= kMaxLevels; ++j) {
        const double s = Trapzd(*this, a, b, j, estimate);
        if (j >= kMinLevels &&
            (std::fabs(s - olds) < kRelativeAccuracy * std::fabs(olds) || (s == 0.0 && olds == 0.0)))
            return s;
        olds = s;
    }
    return 0.0;
}

double RefFunction1D::QtrapXFunc(double, double) const {
    return 0.0;
}

namespace {

// Sums over the segments: the signed areas into R, and the areas times the lever arm
// h - (middle - origin) into M, where middle is the middle of the segment's abscissas.
void SumSegments(const std::vector<RefFunction1D::Point>& pts, double h, double origin, double& R,
                 double& M) {
    R = 0.0;
    M = 0.0;
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        const double area = SegmentArea(pts[i], pts[i + 1]);
        const double middle = (pts[i].x + pts[i + 1].x) * 0.5;
        R = area + R;
        M = (h - (middle - origin)) * area + M;
    }
}

} // namespace

namespace {

// Runs body with both outputs set to 0 first; when it throws, both are 0 again and the result is 0.
template <typename Body>
int Guarded(double& first, double& second, Body body) {
    try {
        first = 0.0;
        second = 0.0;
        body();
        return 1;
    } catch (...) {
        first = 0.0;
        second = 0.0;
        return 0;
    }
}

} // namespace

int RefFunction1D::GetResultantAndMoment(double& resultant, double& moment) {
    return Guarded(resultant, moment, [&] {
        double R, M;
        SumSegments(points, 0.5 * std::fabs(xmin - xmax), xmin, R, M); // lever arm about the domain's middle
        if (!ref::IsNull(R, Xtolerance))
            resultant = R;
        moment = M;
    });
}

int RefFunction1D::GetExcentricityAndResultant(double& excentricity, double& resultant) {
    return Guarded(excentricity, resultant, [&] {
        const double h = 0.5 * std::fabs(xmin - xmax);
        double R, M0;
        SumSegments(points, h, 0.0, R, M0); // lever arm h - middle: xmin is not subtracted here
        if (!ref::IsNull(R, Xtolerance))
            excentricity = h - M0 / R;
        resultant = R;
    });
}

double RefFunction1D::Excentricity() const {
    double S = 0.0;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const double x0 = points[i].x, y0 = points[i].y;
        const double x1 = points[i + 1].x, y1 = points[i + 1].y;
        const double t1 = ((2 * ref::Sqr(x1) - ref::Sqr(x0)) - x0 * x1) * y1;
        const double t0 = ((ref::Sqr(x1) - 2 * ref::Sqr(x0)) + x1 * x0) * y0;
        S = (t0 + t1) + S;
    }
    return S;
}
