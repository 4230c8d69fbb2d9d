// Construction and copying of CVyMathFunction1D.
#include "vymath/CVyMathFunction1D.h"

#include "foundation/VyMathInternal.h"
#include "vymath/CVyMathPolynom.h"

#include <cmath>

using vymath::detail::Tolerant;

using vymath::detail::IsFinite;
using vymath::detail::IsNaN;
using vymath::detail::kOpenEnd;
using vymath::detail::ValidateValue;

namespace {

constexpr double kDefaultTolerance = 1e-5;

// A domain bound as stored: infinities become the open-end value, a NaN the open end on its side.
double BoundOrOpen(double v, double openEnd) {
    if (IsNaN(v))
        return openEnd;
    ValidateValue(v);
    return v;
}

} // namespace

// ---- Construction and copying -----------------------------------------------------------------

CVyMathFunction1D::CVyMathFunction1D()
    : points{{-kOpenEnd, 0.0}, {kOpenEnd, 0.0}}, xmin(-kOpenEnd), xmax(kOpenEnd),
      Xtolerance(kDefaultTolerance), Ytolerance(kDefaultTolerance), forceJumps(0) {}

CVyMathFunction1D::CVyMathFunction1D(double xmin_, double xmax_, int forceJumps_)
    : xmin(BoundOrOpen(xmin_, -kOpenEnd)), xmax(BoundOrOpen(xmax_, kOpenEnd)), Xtolerance(kDefaultTolerance),
      Ytolerance(kDefaultTolerance), forceJumps(forceJumps_) {
    points = PointArray{{xmin, 0.0}, {xmax, 0.0}};
}

namespace {

// n + 1 samples of `value` upwards from x0 by |x1 - x0| / n, by repeated addition of the step.
template <typename Points, typename F>
void SampleUpwards(Points& points, double x0, double x1, int n, F value) {
    if (n <= 0 || !IsFinite(x0) || !IsFinite(x1))
        return;
    const double step = std::fabs(x1 - x0) / n;
    points.Reserve(static_cast<std::size_t>(n) + 1);
    double x = x0;
    for (int i = 0; i <= n; ++i) {
        double y = value(x);
        if (ValidateValue(y))
            points.PushBack({x, y});
        x += step;
        if (!IsFinite(x))
            break; // beyond the double range
    }
}

} // namespace

CVyMathFunction1D::CVyMathFunction1D(CVyMathPolynom& p, double x0, double x1, int n)
    : xmin(BoundOrOpen(x0, -kOpenEnd)), xmax(BoundOrOpen(x1, kOpenEnd)), Xtolerance(kDefaultTolerance),
      Ytolerance(kDefaultTolerance), forceJumps(0) {
    SampleUpwards(points, x0, x1, n, [&p](double x) { return p.ValPoly(x); });
}

CVyMathFunction1D::CVyMathFunction1D(double (*f)(double), double x0, double x1, int n)
    : xmin(BoundOrOpen(x0, -kOpenEnd)), xmax(BoundOrOpen(x1, kOpenEnd)), Xtolerance(kDefaultTolerance),
      Ytolerance(kDefaultTolerance), forceJumps(0) {
    if (f != nullptr)
        SampleUpwards(points, x0, x1, n, f);
}

CVyMathFunction1D::CVyMathFunction1D(const CVyMathFunction1D& g, double x0, double x1, int n)
    : xmin(BoundOrOpen(x0, -kOpenEnd)), xmax(BoundOrOpen(x1, kOpenEnd)), Xtolerance(kDefaultTolerance),
      Ytolerance(kDefaultTolerance), forceJumps(0) {
    if (n <= 0)
        return;
    const double step = std::fabs(x1 - x0) / n;
    double x = x0;
    for (int i = 0; i <= n; ++i) {
        double y;
        if (g.GetOrdinate(x, y)) {
            points.PushBack({x, y});
            x += step;
            if (!IsFinite(x))
                break;
        }
    }
}

CVyMathFunction1D::CVyMathFunction1D(const CVyMathFunction1D& g, double length)
    : Xtolerance(kDefaultTolerance), Ytolerance(kDefaultTolerance), forceJumps(0) {
    double a, b;
    g.GetFullRange(a, b);
    xmin = a;
    xmax = BoundOrOpen(a + length, kOpenEnd);
    const int m = g.GetNumberElement();
    if (m == 0 || !IsFinite(length))
        return;
    const double sourceStep = std::fabs(b - a) / m;
    const double targetStep = std::fabs(length) / m;
    double xs = a, xt = a;
    for (int i = 0; i <= m; ++i) {
        double y;
        if (g.GetOrdinate(xs, y)) {
            points.PushBack({xt, y});
            xs += sourceStep;
            xt += targetStep;
            if (!IsFinite(xs) || !IsFinite(xt))
                break;
        }
    }
}

CVyMathFunction1D::CVyMathFunction1D(const double& amplitude, const double& pulsation, const double& phase,
                                     double xmin_, double xmax_, double step)
    : xmin(BoundOrOpen(xmin_, -kOpenEnd)), xmax(BoundOrOpen(xmax_, kOpenEnd)), Xtolerance(kDefaultTolerance),
      Ytolerance(kDefaultTolerance), forceJumps(0) {
    if (Tolerant::Smaller(step, 0.0, 1e-5) || Tolerant::Greater(step, xmax_, 1e-5) ||
        Tolerant::Greater(0.0, xmax_, 1e-5))
        return;
    if (!(step > 0.0) || !IsFinite(xmax_))
        return; // would never pass xmax
    const double expected = (xmax_ + Xtolerance) / step;
    if (expected < 1e7)
        points.Reserve(static_cast<std::size_t>(expected) + 2);
    double x = 0.0;
    while (!Tolerant::Greater(x, xmax_, Xtolerance)) {
        double y = amplitude * std::sin(x * pulsation + phase);
        if (ValidateValue(y))
            points.PushBack({x, y});
        const double next = x + step;
        if (next == x)
            break; // the step is lost in the abscissa: no progress possible
        x = next;
    }
}

CVyMathFunction1D::CVyMathFunction1D(const CVyMathFunction1D& other) = default;

const CVyMathFunction1D& CVyMathFunction1D::operator=(const CVyMathFunction1D& other) {
    if (this != &other) {
        points = other.points;
        jumpAbscissas = other.jumpAbscissas;
    }
    xmin = other.xmin;
    xmax = other.xmax;
    Xtolerance = other.Xtolerance;
    Ytolerance = other.Ytolerance;
    forceJumps = other.forceJumps;
    return *this;
}

CVyMathFunction1D::~CVyMathFunction1D() = default;
