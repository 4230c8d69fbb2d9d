// Tolerances, range, lookup and evaluation of CVyMathFunction1D.
#include "vymath/CVyMathFunction1D.h"

#include "function1d/Function1DInternal.h"

using vymath::detail::Tolerant;

using vymath::detail::IsNaN;
using vymath::detail::kOpenEnd;

// ---- Tolerances, range, lookup ----------------------------------------------------------------

void CVyMathFunction1D::SetXtolerance(double t) {
    if (!IsNaN(t))
        Xtolerance = t;
}

void CVyMathFunction1D::SetYtolerance(double t) {
    if (!IsNaN(t))
        Ytolerance = t;
}

double CVyMathFunction1D::GetXtolerance() {
    return Xtolerance;
}

double CVyMathFunction1D::GetYtolerance() {
    return Ytolerance;
}

void CVyMathFunction1D::GetFullRange(double& xmin_, double& xmax_) const {
    xmin_ = xmin;
    xmax_ = xmax;
}

int CVyMathFunction1D::GetNumberElement() const {
    int n = static_cast<int>(points.size());
    if (n < 2)
        return n;
    if (Tolerant::Equal(xmin, -kOpenEnd, Xtolerance))
        --n;
    if (Tolerant::Equal(xmax, kOpenEnd, Xtolerance))
        --n;
    return n;
}

vymath::detail::CurveView CVyMathFunction1D::View() const {
    return {points.X(), points.Y(), points.size(), points.Sorted(), xmin, xmax, Xtolerance};
}

bool CVyMathFunction1D::Find(double x) {
    return vymath::detail::FirstWithin(View(), x, Xtolerance) < points.size();
}

void CVyMathFunction1D::Find(double x, int& lo, int& hi) const {
    vymath::detail::Bracket(View(), x, lo, hi);
}

bool CVyMathFunction1D::GetOrdinate(double x, double& y) const {
    return vymath::detail::Evaluate(View(), x, y);
}

// ---- Definedness and replacement --------------------------------------------------------------

bool CVyMathFunction1D::DefinedAt(double x) const {
    if (points.empty())
        return false;
    if (Tolerant::Smaller(x, points.front().x, Xtolerance))
        return false;
    if (Tolerant::Greater(x, points.back().x, Xtolerance))
        return false;
    for (double j : jumpAbscissas)
        if (vymath::detail::InJumpWindow(x, j, Xtolerance))
            return false;
    return true;
}

bool CVyMathFunction1D::IsDefined(double x) {
    return DefinedAt(x);
}

std::size_t CVyMathFunction1D::GetOrdinates(const double* x, double* y, std::size_t n) const {
    if (x == nullptr || y == nullptr)
        return 0;
    std::size_t found = 0;
    const vymath::detail::CurveView view = View();
    vymath::detail::SweepHint hint;
    std::size_t run = 0; // queries in increasing order so far: a run of them follows the cursor
    for (std::size_t i = 0; i < n; ++i) {
        run = i > 0 && x[i] >= x[i - 1] ? run + 1 : 0;
        double v;
        if (vymath::detail::Evaluate(view, x[i], v, &hint, run >= 4)) {
            y[i] = v;
            ++found;
        } else {
            y[i] = CVyMath::dfNAN;
        }
    }
    return found;
}
