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

std::vector<Point> StoredPoints(const CVyMathFunction1D& f) {
    return f.GetPoints();
}

// The stored points of f with their governing diagrams (set positions mapped to diagram indexes).
EnvelopeLine LineOf(const CVyMathFunction1D& f, const std::vector<int>& governing,
                    const std::vector<int>& diagramAt) {
    EnvelopeLine line;
    const std::vector<Point> points = StoredPoints(f);
    line.x.reserve(points.size());
    line.y.reserve(points.size());
    line.member.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        line.x.push_back(points[i].x);
        line.y.push_back(points[i].y);
        const int position = i < governing.size() ? governing[i] : -1;
        line.member.push_back(position < 0 ? -1 : diagramAt[static_cast<std::size_t>(position)]);
    }
    return line;
}

} // namespace

bool EnvelopeLine::Placeholder(std::size_t i) const {
    return member[i] < 0 && std::fabs(y[i]) == DBL_MAX;
}

int EnvelopeLine::IndexOfMax() const {
    return Extreme(*this, true);
}

int EnvelopeLine::IndexOfMin() const {
    return Extreme(*this, false);
}

Envelope EnvelopeOf(const std::vector<const CVyMathFunction1D*>& diagrams, EnvelopeMethod method) {
    Envelope result;
    if (diagrams.empty())
        return result;
    CVyMathSetFunction1D set;
    std::vector<int> diagramAt; // a diagram equal in value to an earlier one is not a member
    detail::SetOf(diagrams, set, diagramAt);
    CVyMathFunction1D lower, upper;
    std::vector<int> lowerCase, upperCase;
    if (method == EnvelopeMethod::Exact) {
        if (!set.ExactEnvelopes(lower, upper, lowerCase, upperCase))
            throw Error(Error::Kind::Data,
                        "a diagram's points are not in increasing abscissa order (a closed "
                        "curve): it has no exact envelope");
    } else if (set.GetNumber() == 1) {
        // The fold of one member leaves the upper envelope without points: the member is both.
        const CVyMathFunction1D& only = *diagrams.front();
        const std::vector<int> first(StoredPoints(only).size(), 0);
        result.lower = LineOf(only, first, diagramAt);
        result.upper = result.lower;
        return result;
    } else {
        set.EnvelopMaxMin(lower, upper, lowerCase, upperCase);
    }
    result.lower = LineOf(lower, lowerCase, diagramAt);
    result.upper = LineOf(upper, upperCase, diagramAt);
    return result;
}

} // namespace analysis
} // namespace vymath
