// Editing and transformation of CVyMathFunction1D.
#include "vymath/CVyMathFunction1D.h"

#include "vymath/CVyMath.h"

#include "Function1DInternal.h"

using vymath::detail::kOpenEnd;

void CVyMathFunction1D::GetListPoint(PointList& list, InfoGetList mode) {
    const std::size_t n = points.size();
    if (n == 0)
        return;
    const bool leftOpen = CVyMath::Equal(xmin, -kOpenEnd, Xtolerance);
    const bool rightOpen = CVyMath::Equal(xmax, kOpenEnd, Xtolerance);
    const bool finiteEnds = mode == ListFiniteEnds && n >= 3;
    const double d = finiteEnds ? (points[n - 2].x - points[1].x) / 10 : 0.0;

    if (!leftOpen || mode == ListAsStored)
        list.AddPoint(points.front());
    else if (finiteEnds)
        list.AddPoint({points[1].x - d, points[1].y});
    if (n == 1)
        return;
    for (std::size_t i = 1; i + 1 < n; ++i)
        list.AddPoint(points[i]);
    if (!rightOpen || mode == ListAsStored)
        list.AddPoint(points.back());
    else if (finiteEnds)
        list.AddPoint({points[n - 2].x + d, points[n - 2].y});
}
