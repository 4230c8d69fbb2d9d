// Envelopes of diagrams with their governing diagrams.
#include "vymath/analysis/Envelope.h"

#include "vymath/CVyMathSetFunction1D.h"
#include "vymath/analysis/Error.h"

#include "SetOf.h"

#include <cfloat>
#include <cmath>

namespace vymath {
namespace analysis {

namespace {

using Point = CVyMathFunction1D::Point;

int Extreme(const EnvelopeLine& e, bool largest) {
    int best = -1;
    for (std::size_t i = 0; i < e.y.size(); ++i)
        if (!e.Placeholder(i) && (best < 0 || (largest ? e.y[i] > e.y[best] : e.y[i] < e.y[best])))
            best = static_cast<int>(i);
    return best;
}

// The stored points of f with their governing diagrams.
EnvelopeLine LineOf(const CVyMathFunction1D& f, const std::vector<int>& governing) {
    EnvelopeLine line;
    const std::vector<Point> points = f.GetPoints();
    line.x.reserve(points.size());
    line.y.reserve(points.size());
    line.governing.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        line.x.push_back(points[i].x);
        line.y.push_back(points[i].y);
        line.governing.push_back(i < governing.size() ? governing[i] : -1);
    }
    return line;
}

} // namespace

bool EnvelopeLine::Placeholder(std::size_t i) const {
    return governing[i] < 0 && std::fabs(y[i]) == DBL_MAX;
}

int EnvelopeLine::IndexOfMax() const {
    return Extreme(*this, true);
}

int EnvelopeLine::IndexOfMin() const {
    return Extreme(*this, false);
}

EnvelopeFunctions EnvelopeFunctionsOf(const std::vector<const CVyMathFunction1D*>& diagrams,
                                      EnvelopeMethod method) {
    EnvelopeFunctions result;
    if (diagrams.empty())
        return result;
    CVyMathSetFunction1D set;
    std::vector<int> diagramAt; // a diagram equal in value to an earlier one is not a member
    detail::SetOf(diagrams, set, diagramAt);
    if (method == EnvelopeMethod::Exact) {
        if (!set.ExactEnvelopes(result.lower, result.upper, result.lowerGoverning, result.upperGoverning))
            throw Error(Error::Kind::Data,
                        "a diagram's points are not in increasing abscissa order (a closed "
                        "curve): it has no exact envelope");
    } else if (set.GetNumber() == 1) {
        // The fold of one member leaves the upper envelope without points: the member is both.
        result.lower = *diagrams.front();
        result.upper = result.lower;
        result.lowerGoverning.assign(result.lower.GetPoints().size(), 0);
        result.upperGoverning = result.lowerGoverning;
    } else {
        set.EnvelopMaxMin(result.lower, result.upper, result.lowerGoverning, result.upperGoverning);
    }
    for (std::vector<int>* governing : {&result.lowerGoverning, &result.upperGoverning})
        for (int& k : *governing)
            k = k < 0 ? -1 : diagramAt[static_cast<std::size_t>(k)];
    return result;
}

Envelope LinesOf(const EnvelopeFunctions& f) {
    return {LineOf(f.lower, f.lowerGoverning), LineOf(f.upper, f.upperGoverning)};
}

Envelope EnvelopeOf(const std::vector<const CVyMathFunction1D*>& diagrams, EnvelopeMethod method) {
    return LinesOf(EnvelopeFunctionsOf(diagrams, method));
}

} // namespace analysis
} // namespace vymath
