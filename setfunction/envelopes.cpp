// Envelopes of a function set.
#include "vymath/CVyMathSetFunction1D.h"

#include "vymath/CVyMath.h"

#include "foundation/VyMathInternal.h"

#include <cfloat>
#include <set>

using vymath::detail::IsNaN;

namespace {

constexpr double kEnvelopeXTolerance = 1e-9;

// Adds the abscissas of a point list to s (a NaN has no place in an ordered set and is left out).
void CollectAbscissas(CVyMathFunction1D::PointList& list, std::set<double>& s) {
    double x, y;
    list.ResetCursor();
    while (list.GetNext(x, y))
        if (!IsNaN(x))
            s.insert(x);
}

// A work function: the two end points of [a, b] at ordinate 0, abscissa tolerance 1e-9.
CVyMathFunction1D WorkFunction(double a, double b) {
    CVyMathFunction1D w;
    w.SetDomain(a, b);
    w.SetXtolerance(kEnvelopeXTolerance);
    return w;
}

} // namespace

void CVyMathSetFunction1D::EnveloppeMaxMin(CVyMathFunction1D* f1, CVyMathFunction1D* f2,
                                           CVyMathFunction1D* lower, CVyMathFunction1D* upper) const {
    if (f1 == nullptr || f2 == nullptr)
        return;
    std::set<double> abscissas;
    for (CVyMathFunction1D* g : {f1, f2}) {
        CVyMathFunction1D::PointList list;
        g->GetListPoint(list, CVyMathFunction1D::ListFiniteEnds);
        CollectAbscissas(list, abscissas);
    }
    CVyMathFunction1D::PointList crossings;
    if (f1->GetIntersectionAbscissas(f2, crossings) != 0)
        CollectAbscissas(crossings, abscissas);

    for (double x : abscissas) {
        double lo = DBL_MAX;
        double hi = -DBL_MAX;
        for (CVyMathFunction1D* g : {f1, f2}) {
            double y;
            if (g->GetOrdinate(x, y)) {
                if (CVyMath::Greater(y, hi, 1e-10))
                    hi = y;
                if (CVyMath::Smaller(y, lo, 1e-10))
                    lo = y;
            }
        }
        if (lower != nullptr)
            lower->Set(x, lo);
        if (upper != nullptr)
            upper->Set(x, hi);
    }
}

bool CVyMathSetFunction1D::EnvelopMaxMin(CVyMathFunction1D& lower, CVyMathFunction1D& upper) const {
    if (functions.empty())
        return false;
    for (CVyMathFunction1D* out : {&lower, &upper}) {
        out->SetDomain(rangeMin, rangeMax);
        out->SetXtolerance(kEnvelopeXTolerance);
    }
    int k = 0;
    for (CVyMathFunction1D* e : functions) {
        if (k == 0) {
            lower = *e;
            ++k;
            continue;
        }
        CVyMathFunction1D w1 = WorkFunction(rangeMin, rangeMax);
        CVyMathFunction1D w2 = WorkFunction(rangeMin, rangeMax);
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

double CVyMathSetFunction1D::FindMinimalStep() const {
    bool any = false;
    double step = 0.0;
    for (CVyMathFunction1D* m : functions) {
        const int n = m->GetNumberElement();
        if (n < 2)
            continue;
        double a, b;
        m->GetFullRange(a, b);
        const double candidate = (b - a) / (n - 1);
        step = any ? CVyMath::Min(step, candidate) : candidate;
        any = true;
    }
    return step;
}

bool CVyMathSetFunction1D::EnvelopMaxMin(CVyMathFunction1D& lower, CVyMathFunction1D& upper,
                                         std::vector<int>& lowerCase, std::vector<int>& upperCase) const {
    if (!EnvelopMaxMin(lower, upper))
        return false;
    const auto governing = [this](CVyMathFunction1D& envelope, std::vector<int>& cases) {
        CVyMathFunction1D::PointList list;
        envelope.GetListPoint(list, CVyMathFunction1D::ListAsStored);
        cases.clear();
        double x, y;
        list.ResetCursor();
        while (list.GetNext(x, y)) {
            int found = -1, k = 0;
            for (CVyMathFunction1D* m : functions) {
                double v;
                if (m->GetOrdinate(x, v) && CVyMath::Equal(v, y, 1e-10)) {
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
