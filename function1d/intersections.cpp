// Crossings of two CVyMathFunction1D and the envelope of one function through its extrema.
#include "vymath/CVyMathFunction1D.h"

#include "vymath/CVyMath.h"

#include "function1d/Queries.h"
#include "function1d/Search.h"
#include "function1d/Storage.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

using vymath::detail::Tolerant;

using vymath::detail::IsFinite;

namespace {

constexpr double kMergeTolerance = 1e-10;
constexpr double kCrossingThreshold = 0.001;

// The abscissas of the crossing walk: `base` (increasing), and each of `others` inserted in turn
// before the first entry not below it by more than the merge tolerance, unless that entry is within the
// tolerance of it. Each insertion walks on from where the previous one stopped when it is not below
// it (everything passed then is passed again), else from the first entry: linear for increasing
// `others`. The list is kept as the entries passed for good, the inserted entries not yet passed
// (`pending`, last in front) and the rest of `base`.
std::vector<double> MergeAbscissas(std::vector<double> base,
                                   const std::vector<CVyMathFunction1D::Point>& others) {
    std::vector<double> done, pending;
    done.reserve(base.size() + others.size());
    std::size_t k = 0; // next entry of base
    double previous = -DBL_MAX;
    for (const CVyMathFunction1D::Point& p : others) {
        const double x = p.x;
        if (!(x >= previous)) {
            // Back to the first entry: the list as it stands becomes the base.
            done.insert(done.end(), pending.rbegin(), pending.rend());
            done.insert(done.end(), base.begin() + static_cast<std::ptrdiff_t>(k), base.end());
            base.swap(done);
            done.clear();
            pending.clear();
            k = 0;
        }
        previous = x;
        for (;;) {
            const bool fromPending = !pending.empty();
            if (!fromPending && k == base.size())
                break;
            const double e = fromPending ? pending.back() : base[k];
            if (!Tolerant::Smaller(e, x, kMergeTolerance))
                break;
            done.push_back(e);
            if (fromPending)
                pending.pop_back();
            else
                ++k;
        }
        const bool atEnd = pending.empty() && k == base.size();
        if (!atEnd && Tolerant::Equal(pending.empty() ? base[k] : pending.back(), x, kMergeTolerance))
            continue;
        pending.push_back(x);
    }
    done.insert(done.end(), pending.rbegin(), pending.rend());
    done.insert(done.end(), base.begin() + static_cast<std::ptrdiff_t>(k), base.end());
    return done;
}

// Zero of the line through (xa, fa - ga) and (xb, fb - gb). When the double form overflows (differences
// of ordinates next to +-DBL_MAX), the differences and the quotient are formed with wide intermediates;
// the result is kept inside [xa, xb].
double CrossingAbscissa(double xa, double fa, double ga, double xb, double fb, double gb) {
    const double da = fa - ga;
    const double db = fb - gb;
    const double xi = (xa * db - xb * da) / (db - da);
    if (IsFinite(xi))
        return xi;
    using W = long double;
    const W wa = W(fa) - ga, wb = W(fb) - gb;
    const W w = (W(xa) * wb - W(xb) * wa) / (wb - wa);
    const W lo = xa < xb ? xa : xb, hi = xa < xb ? xb : xa;
    return static_cast<double>(w < lo ? lo : (w > hi ? hi : w));
}

} // namespace

std::vector<CVyMathFunction1D::Point>
vymath::detail::Crossings(const CVyMathFunction1D& f, const CVyMathFunction1D& g, CrossingSamples* samples) {
    using Point = CVyMathFunction1D::Point;
    std::vector<Point> crossings;
    const Access::PointArray& points = Access::Points(f);
    if (points.empty() || Access::Points(g).empty())
        return crossings;

    // f's abscissas in storage order; a closed curve's are sorted first (entries within the merge
    // tolerance of their predecessor dropped), so that the list is always increasing.
    std::vector<double> own(points.X(), points.X() + points.size());
    if (!points.Sorted()) {
        std::sort(own.begin(), own.end());
        std::vector<double> distinct;
        for (double x : own)
            if (distinct.empty() || !Tolerant::Equal(distinct.back(), x, kMergeTolerance))
                distinct.push_back(x);
        own.swap(distinct);
    }
    const std::vector<double> merged =
        MergeAbscissas(std::move(own), ListPoints(g, CVyMathFunction1D::ListFiniteEnds));

    // Each abscissa is evaluated once, in increasing order; a value that cannot be found counts as 0.
    const Definedness fDefined(View(f), Access::Jumps(f)), gDefined(View(g), Access::Jumps(g));
    Sweep crossingSweep(View(g));
    struct Sample {
        bool defined;
        double f, g;
    };
    if (samples != nullptr) {
        samples->x = merged;
        samples->f.resize(merged.size());
        samples->g.resize(merged.size());
    }
    // Both functions at every abscissa at once (batch evaluation).
    std::vector<double> fAll(merged.size()), gAll(merged.size());
    const std::unique_ptr<bool[]> fAt(new bool[merged.size()]), gAt(new bool[merged.size()]);
    EvaluateAll(View(f), merged.data(), fAll.data(), merged.size(), fAt.get());
    EvaluateAll(View(g), merged.data(), gAll.data(), merged.size(), gAt.get());
    std::size_t index = 0;
    const auto sample = [&](double x) {
        Sample s{fDefined.At(x) && gDefined.At(x), 0.0, 0.0};
        const bool fFound = fAt[index], gFound = gAt[index];
        if (fFound)
            s.f = fAll[index];
        if (gFound)
            s.g = gAll[index];
        if (samples != nullptr) {
            samples->f[index] = fFound ? s.f : CVyMath::dfNAN;
            samples->g[index] = gFound ? s.g : CVyMath::dfNAN;
        }
        ++index;
        if (!fFound)
            s.f = 0.0;
        if (!gFound)
            s.g = 0.0;
        return s;
    };
    if (merged.empty())
        return crossings;
    Sample a = sample(merged[0]);
    for (std::size_t i = 0; i + 1 < merged.size(); ++i) {
        const double xa = merged[i], xb = merged[i + 1];
        const Sample b = sample(xb);
        if (a.defined && b.defined) {
            const double da = a.f - a.g;
            const double db = b.f - b.g;
            if (Tolerant::Smaller(db * da, 0.0, kCrossingThreshold)) {
                const double xi = CrossingAbscissa(xa, a.f, a.g, xb, b.f, b.g);
                double yi = 0.0;
                crossingSweep.At(xi, yi);
                try {
                    crossings.push_back({xi, yi});
                } catch (...) {
                    // A failure on one pair (allocation when appending) does not stop the walk.
                }
            }
        }
        a = b;
    }
    return crossings;
}

int CVyMathFunction1D::GetIntersectionAbscissas(CVyMathFunction1D* other, PointList& result) {
    result.ResetCursor();
    if (other != nullptr) {
        for (const Point& p : vymath::detail::Crossings(*this, *other)) {
            try {
                result.AddPoint(p);
            } catch (...) {
                // As on the walk: a crossing that cannot be appended is left out.
            }
        }
    }
    double lastX, lastY;
    return result.GetLast(lastX, lastY) ? 1 : 0;
}

void CVyMathFunction1D::EnvelopeMaxMin(CVyMathFunction1D& upper, CVyMathFunction1D& lower) const {
    // The extrema are taken before the targets change, so that this function may be one of them.
    PointList minima, maxima;
    LocalMinMax(minima, maxima);
    const double a = xmin, b = xmax;
    upper.SetDomain(a, b);
    lower.SetDomain(a, b);
    double x, y;
    minima.ResetCursor();
    while (minima.GetNext(x, y))
        lower.Set(x, y);
    maxima.ResetCursor();
    while (maxima.GetNext(x, y))
        upper.Set(x, y);
}
