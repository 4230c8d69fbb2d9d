// The envelopes and the key figures, from the library's operations.
#include "Results.h"

#include "Progress.h"

#include <vymath/CVyMath.h>
#include <vymath/CVyMathSetFunction1D.h>

#include <cfloat>
#include <cmath>

namespace vycli {

namespace {

using Point = CVyMathFunction1D::Point;

int Extreme(const EnvelopeLine& e, bool largest) {
    int best = -1;
    for (std::size_t i = 0; i < e.y.size(); ++i)
        if (!e.Placeholder(i) && (best < 0 || (largest ? e.y[i] > e.y[best] : e.y[i] < e.y[best])))
            best = static_cast<int>(i);
    return best;
}

// The stored points of f with their governing members (positions in the set mapped to members).
EnvelopeLine LineOf(CVyMathFunction1D& f, const std::vector<int>& governing,
                    const std::vector<int>& memberAt) {
    EnvelopeLine line;
    const std::vector<Point> points = StoredPoints(f);
    for (std::size_t i = 0; i < points.size(); ++i) {
        line.x.push_back(points[i].x);
        line.y.push_back(points[i].y);
        const int position = i < governing.size() ? governing[i] : -1;
        line.member.push_back(position < 0 ? -1 : memberAt[position]);
    }
    return line;
}

// The first point of the list, (0, 0) if it is empty.
Extremum FirstOf(CVyMathFunction1D::PointList& list) {
    Extremum e{0.0, 0.0};
    list.ResetCursor();
    list.GetNext(e.x, e.y);
    return e;
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

EnvelopeResult Envelope(std::vector<Member>& members, Progress& progress) {
    EnvelopeResult result;
    CVyMathSetFunction1D set;
    // The set keeps one of members equal in value: its positions map to the first of them.
    std::vector<int> memberAt;
    for (std::size_t k = 0; k < members.size(); ++k) {
        result.members.push_back(members[k].name);
        set.AddFunction(&members[k].f);
        if (set.GetNumber() > static_cast<int>(memberAt.size()))
            memberAt.push_back(static_cast<int>(k));
    }
    progress.Stage("enveloping " + std::to_string(members.size()) + " diagrams");
    CVyMathFunction1D lower, upper;
    std::vector<int> lowerCase, upperCase;
    if (set.GetNumber() == 1) {
        // The set's envelope of one member leaves the upper one without points: the member is both.
        CVyMathFunction1D& only = members.front().f;
        const std::vector<int> first(StoredPoints(only).size(), 0);
        result.lower = LineOf(only, first, memberAt);
        result.upper = result.lower;
        return result;
    }
    set.EnvelopMaxMin(lower, upper, lowerCase, upperCase);
    result.lower = LineOf(lower, lowerCase, memberAt);
    result.upper = LineOf(upper, upperCase, memberAt);
    return result;
}

std::vector<Inspection> Inspect(std::vector<Member>& members) {
    std::vector<Inspection> out;
    for (Member& m : members) {
        CVyMathFunction1D& f = m.f;
        Inspection r;
        r.name = m.name;
        f.GetFullRange(r.xmin, r.xmax);
        r.points = f.GetNumberElement();
        CVyMathFunction1D::PointList minima, maxima, zeros;
        f.GlobalMinMax(minima, maxima);
        r.min = FirstOf(minima);
        r.max = FirstOf(maxima);
        // GetAllZero does not examine the first point: a zero there is added here.
        const std::vector<Point> points = StoredPoints(f);
        if (CVyMath::IsNull(points.front().y, f.GetYtolerance()))
            r.zeros.push_back(points.front().x);
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
        out.push_back(r);
    }
    return out;
}

} // namespace vycli
