// Key figures of a diagram.
#include "vymath/analysis/KeyFigures.h"

#include "vymath/CVyMath.h"

#include <algorithm>

namespace vymath {
namespace analysis {

namespace {

// The first point of the list, (0, 0) if it is empty.
Extremum FirstOf(CVyMathFunction1D::PointList& list) {
    Extremum e{0.0, 0.0};
    list.ResetCursor();
    list.GetNext(e.x, e.y);
    return e;
}

} // namespace

KeyFigures Inspect(const CVyMathFunction1D& diagram) {
    CVyMathFunction1D f(diagram); // several of the operations are not const
    KeyFigures r;
    f.GetFullRange(r.xmin, r.xmax);
    r.points = f.GetNumberElement();
    CVyMathFunction1D::PointList minima, maxima, zeros, all;
    f.GlobalMinMax(minima, maxima);
    r.min = FirstOf(minima);
    r.max = FirstOf(maxima);
    // GetAllZero does not examine the first point: a zero there is added here.
    f.GetListPoint(all, CVyMathFunction1D::ListAsStored);
    const Extremum first = FirstOf(all);
    if (f.GetNumberElement() > 0 && CVyMath::IsNull(first.y, f.GetYtolerance()))
        r.zeros.push_back(first.x);
    f.GetAllZero(zeros, 1e-9);
    double x, y;
    zeros.ResetCursor();
    while (zeros.GetNext(x, y))
        r.zeros.push_back(x);
    f.GetResultantAndMoment(r.resultant, r.moment);
    double excentricity = 0.0, resultant = 0.0;
    f.GetExcentricityAndResultant(excentricity, resultant);
    if (r.resultant != 0.0)
        r.excentricity = excentricity;
    return r;
}

KeyFigures Inspect(const Diagram& d) {
    KeyFigures r = Inspect(d.f);
    if (d.jumps.empty())
        return r;
    const double tol = const_cast<CVyMathFunction1D&>(d.f).GetXtolerance() + 1e-9;
    const auto station = [&](double x) {
        const auto j = std::lower_bound(d.jumps.begin(), d.jumps.end(), x - tol);
        return j != d.jumps.end() && *j <= x + tol ? *j : x;
    };
    r.min.x = station(r.min.x);
    r.max.x = station(r.max.x);
    for (double& z : r.zeros)
        z = station(z);
    r.zeros.erase(std::unique(r.zeros.begin(), r.zeros.end()), r.zeros.end());
    return r;
}

} // namespace analysis
} // namespace vymath
