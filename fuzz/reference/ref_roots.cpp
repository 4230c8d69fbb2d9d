// Reference: Roots and zeros of RefFunction1D.
#include "RefFunction1D.h"

#include "RefInternal.h"

#include <cfloat>
#include <cmath>

using ref::detail::IsFinite;

namespace {

constexpr int kHalvings = 40;
constexpr double kFailure = 0.0;

// Bracketing bisection oriented on the negative end: r starts at x1 when f1 < 0, else at x2, and
// moves to every midpoint whose value is not above 0. value(x, v) evaluates the curve and reports
// success. Stops at |dx| < xacc (strict) or an exactly zero value; false after 40 halvings or when a
// midpoint cannot be evaluated. The first halving is taken before the subtraction when x2 - x1
// would overflow (ends at -DBL_MAX and +DBL_MAX).
template <typename Value>
bool Bisect(double x1, double x2, bool negativeAtX1, double xacc, Value value, double& root) {
    double r = negativeAtX1 ? x1 : x2;
    const double other = negativeAtX1 ? x2 : x1;
    double dx = other - r;
    bool halved = false;
    if (!IsFinite(dx)) {
        dx = other * 0.5 - r * 0.5;
        halved = true;
    }
    for (int i = 0; i < kHalvings; ++i) {
        if (!halved)
            dx *= 0.5;
        halved = false;
        const double xm = r + dx;
        double fm;
        if (!value(xm, fm))
            return false;
        if (fm <= 0.0)
            r = xm;
        if (std::fabs(dx) < xacc || fm == 0.0) {
            root = r;
            return true;
        }
    }
    return false;
}

} // namespace

double RefFunction1D::RootBissection(double (*f)(double), double x1, double x2, double xacc) {
    if (f == nullptr || !IsFinite(x1) || !IsFinite(x2))
        return kFailure;
    const double f1 = f(x1);
    const double f2 = f(x2);
    if (!(f1 * f2 < 0.0)) // no sign change (a zero end included), or a NaN value
        return kFailure;
    double root = kFailure;
    const auto value = [f](double x, double& v) {
        v = f(x);
        return true;
    };
    return Bisect(x1, x2, f1 < 0.0, xacc, value, root) ? root : kFailure;
}

bool RefFunction1D::BisectOrdinates(double x1, double x2, double xacc, double& root) const {
    double f1, f2;
    if (!GetOrdinate(x1, f1) || !GetOrdinate(x2, f2))
        return false;
    if (!(f1 * f2 < 0.0))
        return false;
    const auto value = [this](double x, double& v) { return GetOrdinate(x, v); };
    return Bisect(x1, x2, f1 < 0.0, xacc, value, root);
}

double RefFunction1D::RootBissection(double x1, double x2, double xacc) {
    double root = kFailure;
    return BisectOrdinates(x1, x2, xacc, root) ? root : kFailure;
}

double RefFunction1D::RootBissectionUniqueAbscisse(double x1, double x2, double xacc) {
    if (!IsFinite(x2))
        return kFailure;
    double u1;
    if (!FindUniqueAbscissa(x1, u1))
        return kFailure; // x1 is not a stored abscissa: no ordinate to orient on
    double a = DBL_MAX;
    double b = 0.0;
    bool bFound = false;
    FindUniqueAbscissa(x2, a);
    const bool decreasing = x2 < x1;
    const auto value = [&](double xm, double& v) {
        const bool two = FindMultipleOrdinates(xm, a, b);
        bFound = bFound || two;
        if (!two && a == DBL_MAX)
            a = u1 < 0.0 ? u1 + (a - u1) * 0.5 : a + (u1 - a) * 0.5;
        v = (decreasing || !bFound) ? a : b;
        return true;
    };
    double root = kFailure;
    return Bisect(x1, x2, u1 < 0.0, xacc, value, root) ? root : kFailure;
}

void RefFunction1D::GetAllZero(PointList& zeros, double xacc) {
    const std::size_t n = points.size();
    for (std::size_t i = 1; i < n; ++i) {
        const Point prev = points[i - 1];
        const Point cur = points[i];
        if (ref::Equal(cur.y, 0.0, Ytolerance) && IsDefined(cur.x))
            zeros.AddPoint(cur);
        if (prev.y * cur.y < -1e-20) {
            double root;
            if (ref::Equal(cur.x, prev.x, Xtolerance)) {
                root = cur.x;
            } else if (!BisectOrdinates(cur.x, prev.x, xacc, root)) {
                // The bisection gave up: the crossing of the straight segment, exact for this curve.
                using W = long double;
                const W px = prev.x, py = prev.y, cx = cur.x, cy = cur.y;
                root = static_cast<double>(px + (cx - px) * py / (py - cy));
            }
            if (IsDefined(root))
                zeros.AddPoint({root, 0.0});
        }
    }
}

void RefFunction1D::GetAllZeroInteractionCurves(PointList& zeros, double /*xacc*/) {
    for (std::size_t i = 1; i < points.size(); ++i) {
        const Point& cur = points[i];
        if (ref::Equal(cur.y, 0.0, Ytolerance) && ref::SmallerEqual(cur.x, xmax, Xtolerance) &&
            ref::GreaterEqual(cur.x, xmin, Xtolerance))
            zeros.AddPoint(cur);
    }
}
