// Domain setting and clearing of CVyMathFunction1D.
#include "vymath/CVyMathFunction1D.h"

#include "function1d/Function1DInternal.h"

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
    const bool emptied = SetLowerEnd(a, b, valueAtB);
    SetUpperEnd(b, emptied, valueAtB);
}

bool CVyMathFunction1D::SetLowerEnd(double a, double b, double& valueAtB) {
    bool emptied = false;
    if (Tolerant::GreaterEqual(a, xmin, Xtolerance)) {
        double v = 0.0;
        GetOrdinate(a, v);
        const std::size_t cut = vymath::detail::FirstNotBelow(View(), a, Xtolerance);
        if (cut == points.size()) {
            // Every point lies below a: the upper end takes the value the curve had at b.
            emptied = true;
            GetOrdinate(b, valueAtB);
        }
        points.Erase(0, cut);
        if (DefinedAt(a))
            points.Set(0, {a, v});
        else
            points.Insert(0, {a, v});
    } else {
        points.Insert(0, {a, -kOpenEnd});
    }
    xmin = a;
    return emptied;
}

void CVyMathFunction1D::SetUpperEnd(double b, bool emptied, double valueAtB) {
    if (!Tolerant::Greater(b, xmax, Xtolerance)) {
        double w = valueAtB;
        if (!emptied)
            GetOrdinate(b, w);
        while (!points.empty() && Tolerant::Greater(points.back().x, b, Xtolerance))
            points.PopBack();
        if (DefinedAt(b))
            points.Set(points.size() - 1, {b, w});
        else
            points.PushBack({b, w});
    } else {
        points.PushBack({b, -kOpenEnd});
    }
    xmax = b;
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
