// Reference: Envelopes of a function set.
#include "RefSetFunction1D.h"

#include "RefInternal.h"

#include <cfloat>
#include <set>

using ref::detail::IsNaN;

namespace {

constexpr double kEnvelopeXTolerance = 1e-9;

// Adds the abscissas of a point list to s (a NaN has no place in an ordered set and is left out).
void CollectAbscissas(RefFunction1D::PointList& list, std::set<double>& s) {
    double x, y;
    list.ResetCursor();
    while (list.GetNext(x, y))
        if (!IsNaN(x))
            s.insert(x);
}

// A work function: the two end points of [a, b] at ordinate 0, abscissa tolerance 1e-9.
RefFunction1D WorkFunction(double a, double b) {
    RefFunction1D w;
    w.SetDomain(a, b);
    w.SetXtolerance(kEnvelopeXTolerance);
    return w;
}

} // namespace

void RefSetFunction1D::EnveloppeMaxMin(RefFunction1D* f1, RefFunction1D* f2, RefFunction1D* lower,
                                       RefFunction1D* upper) const {
    if (f1 == nullptr || f2 == nullptr)
        return;
    std::set<double> abscissas;
    for (RefFunction1D* g : {f1, f2}) {
        RefFunction1D::PointList list;
        g->GetListPoint(list, RefFunction1D::ListFiniteEnds);
        CollectAbscissas(list, abscissas);
    }
    RefFunction1D::PointList crossings;
    if (f1->GetIntersectionAbscissas(f2, crossings) != 0)
        CollectAbscissas(crossings, abscissas);

    for (double x : abscissas) {
        double lo = DBL_MAX;
        double hi = -DBL_MAX;
        for (RefFunction1D* g : {f1, f2}) {
            double y;
            if (g->GetOrdinate(x, y)) {
                if (ref::Greater(y, hi, 1e-10))
                    hi = y;
                if (ref::Smaller(y, lo, 1e-10))
                    lo = y;
            }
        }
        if (lower != nullptr)
            lower->Set(x, lo);
        if (upper != nullptr)
            upper->Set(x, hi);
    }
}

bool RefSetFunction1D::EnvelopMaxMin(RefFunction1D& lower, RefFunction1D& upper) const {
    if (functions.empty())
        return false;
    for (RefFunction1D* out : {&lower, &upper}) {
        out->SetDomain(rangeMin, rangeMax);
        out->SetXtolerance(kEnvelopeXTolerance);
    }
    int k = 0;
    for (RefFunction1D* e : functions) {
        if (k == 0) {
            lower = *e;
            ++k;
            continue;
        }
        RefFunction1D w1 = WorkFunction(rangeMin, rangeMax);
        RefFunction1D w2 = WorkFunction(rangeMin, rangeMax);
        if (k == 1) {
            upper = *e;
            EnveloppeMaxMin(&lower, &upper, &w1, &w2);
            lower = w1;
            upper = w2;
        } else {
            EnveloppeMaxMin(&lower, e, &w1, nullptr);
            lower = w1;
            EnveloppeMaxMin(e, &upper, nullptr, &w2);
            upper = w2;
        }
        ++k;
    }
    return true;
}

double RefSetFunction1D::FindMinimalStep() const {
    bool any = false;
    double step = 0.0;
    for (RefFunction1D* m : functions) {
        const int n = m->GetNumberElement();
        if (n < 2)
            continue;
        double a, b;
        m->GetFullRange(a, b);
        const double candidate = (b - a) / (n - 1);
        step = any ? ref::Min(step, candidate) : candidate;
        any = true;
    }
    return step;
}

bool RefSetFunction1D::EnvelopMaxMin(RefFunction1D& lower, RefFunction1D& upper, std::vector<int>& lowerCase,
                                     std::vector<int>& upperCase) const {
    if (!EnvelopMaxMin(lower, upper))
        return false;
    const auto governing = [this](RefFunction1D& envelope, std::vector<int>& cases) {
        RefFunction1D::PointList list;
        envelope.GetListPoint(list, RefFunction1D::ListAsStored);
        cases.clear();
        double x, y;
        list.ResetCursor();
        while (list.GetNext(x, y)) {
            int found = -1, k = 0;
            for (RefFunction1D* m : functions) {
                double v;
                if (m->GetOrdinate(x, v) && ref::Equal(v, y, 1e-10)) {
                    found = k;
                    break;
                }
                ++k;
            }
            cases.push_back(found);
        }
    };
    governing(lower, lowerCase);
    governing(upper, upperCase);
    return true;
}
