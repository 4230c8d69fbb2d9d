// A simply supported 10 m beam under four load cases: for each bending-moment diagram the maximum
// moment and where it occurs, the points of zero moment and the resultant (the area of the diagram);
// then the lower and upper envelopes of all cases.
#include "beam_diagrams.h"

#include <cstdio>
#include <list>

int main() {
    const double span = 10.0;
    const int intervals = 200; // samples every 5 cm

    std::list<CVyMathFunction1D> diagrams; // the set points to these: they must outlive it
    CVyMathSetFunction1D cases;

    for (const beam::LoadCase& lc : beam::LoadCases(span)) {
        diagrams.push_back(beam::Diagram(span, intervals, lc.moment));
        CVyMathFunction1D& m = diagrams.back();
        std::printf("%s\n", lc.name.c_str());

        CVyMathFunction1D::PointList minima, maxima;
        m.GlobalMinMax(minima, maxima);
        double x, y;
        maxima.ResetCursor();
        while (maxima.GetNext(x, y))
            std::printf("  max moment %9.3f kNm at x = %6.3f m\n", y, x);
        minima.ResetCursor();
        while (minima.GetNext(x, y))
            std::printf("  min moment %9.3f kNm at x = %6.3f m\n", y, x);

        CVyMathFunction1D::PointList zeros;
        m.GetAllZero(zeros, 1e-9);
        std::printf("  zero moment at x =");
        zeros.ResetCursor();
        while (zeros.GetNext(x, y))
            std::printf(" %.3f", x);
        std::printf(" m (the left support is not examined)\n");

        double resultant = 0.0, moment = 0.0;
        m.GetResultantAndMoment(resultant, moment);
        std::printf("  resultant %.3f kNm.m\n", resultant);

        cases.AddFunction(&m);
    }

    CVyMathFunction1D lower, upper;
    if (!cases.EnvelopMaxMin(lower, upper))
        return 1;
    std::printf("\nEnvelopes of %d load cases\n     x [m]   lower [kNm]   upper [kNm]\n", cases.GetNumber());
    for (int i = 0; i <= 10; ++i) {
        const double x = span * i / 10;
        double lo = 0.0, hi = 0.0;
        lower.GetOrdinate(x, lo);
        upper.GetOrdinate(x, hi);
        std::printf("  %8.2f  %12.3f  %12.3f\n", x, lo, hi);
    }
    return 0;
}
