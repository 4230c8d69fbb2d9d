// Domain setting and clearing of CVyMathFunction1D.
#include "vymath/CVyMathFunction1D.h"

#include "function1d/Search.h"
#include "function1d/Storage.h"

using vymath::detail::Tolerant;

using vymath::detail::IsNaN;
using vymath::detail::kOpenEnd;
using vymath::detail::ValidateValue;

// ---- Domain and clearing ----------------------------------------------------------------------

void CVyMathFunction1D::SetDomain(double a, double b) {
    if (IsNaN(a) || IsNaN(b))
        return;
    ValidateValue(a);
    ValidateValue(b);
    if (b < a)
        return;
    if (points.empty()) {
        points.PushBack({a, -kOpenEnd});
        points.PushBack({b, kOpenEnd});
        return;
    }
    double valueAtB = 0.0;
    const bool emptied = vymath::detail::SetLowerEnd(*this, a, b, valueAtB);
    vymath::detail::SetUpperEnd(*this, b, emptied, valueAtB);
}

bool vymath::detail::SetLowerEnd(CVyMathFunction1D& f, double a, double b, double& valueAtB) {
    Access::PointArray& points = Access::Points(f);
    const double tol = Access::Xtolerance(f);
    bool emptied = false;
    if (Tolerant::GreaterEqual(a, Access::Xmin(f), tol)) {
        double v = 0.0;
        f.GetOrdinate(a, v);
        const std::size_t cut = FirstNotBelow(View(f), a, tol);
        if (cut == points.size()) {
            // Every point lies below a: the upper end takes the value the curve had at b.
            emptied = true;
            f.GetOrdinate(b, valueAtB);
        }
        points.Erase(0, cut);
        if (DefinedAt(f, a))
            points.Set(0, {a, v});
        else
            points.Insert(0, {a, v});
    } else {
        points.Insert(0, {a, -kOpenEnd});
    }
    Access::SetXmin(f, a);
    return emptied;
}

void vymath::detail::SetUpperEnd(CVyMathFunction1D& f, double b, bool emptied, double valueAtB) {
    Access::PointArray& points = Access::Points(f);
    const double tol = Access::Xtolerance(f);
    if (!Tolerant::Greater(b, Access::Xmax(f), tol)) {
        double w = valueAtB;
        if (!emptied)
            f.GetOrdinate(b, w);
        while (!points.empty() && Tolerant::Greater(points.back().x, b, tol))
            points.PopBack();
        if (DefinedAt(f, b))
            points.Set(points.size() - 1, {b, w});
        else
            points.PushBack({b, w});
    } else {
        points.PushBack({b, -kOpenEnd});
    }
    Access::SetXmax(f, b);
}

void CVyMathFunction1D::Clear(bool all) {
    if (all || points.empty()) {
        points.Clear();
        return;
    }
    const Point first = points.front();
    const Point last = points.back();
    points.Clear();
    points.PushBack(first);
    points.PushBack(last);
}
