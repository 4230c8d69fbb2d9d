// Bending-moment diagrams of a simply supported beam, sampled into VyMath functions.
// Sagging moments are positive; loads act downwards unless said otherwise.
#ifndef VYMATH_EXAMPLES_BEAM_DIAGRAMS_H
#define VYMATH_EXAMPLES_BEAM_DIAGRAMS_H

#include <vymath/vymath.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace beam {

struct LoadCase {
    std::string name;
    std::function<double(double)> moment; // M(x) in kNm, x in m from the left support
};

// Uniform load q (kN/m) on the whole span.
inline std::function<double(double)> Uniform(double span, double q) {
    return [=](double x) { return q * x * (span - x) / 2.0; };
}

// Point load p (kN) at a (m).
inline std::function<double(double)> Point(double span, double p, double a) {
    return [=](double x) { return x <= a ? p * (span - a) * x / span : p * a * (span - x) / span; };
}

// Uniform load q (kN/m) on [c, d].
inline std::function<double(double)> Partial(double span, double q, double c, double d) {
    const double reaction = q * (d - c) * (span - (c + d) / 2.0) / span;
    return [=](double x) {
        const double loaded = std::max(0.0, std::min(x, d) - c);
        return reaction * x - q * loaded * (x - c - loaded / 2.0);
    };
}

inline std::function<double(double)> Sum(std::vector<std::function<double(double)>> parts) {
    return [=](double x) {
        double m = 0.0;
        for (const auto& part : parts)
            m += part(x);
        return m;
    };
}

// The four load cases of a 10 m beam.
inline std::vector<LoadCase> LoadCases(double span) {
    return {
        {"uniform 10 kN/m", Uniform(span, 10.0)},
        {"50 kN at 3 m, 30 kN at 7.5 m", Sum({Point(span, 50.0, 3.0), Point(span, 30.0, 7.5)})},
        {"20 kN/m on [2 m, 5 m]", Partial(span, 20.0, 2.0, 5.0)},
        {"dead 5 kN/m, uplift 32 kN at 2 m", Sum({Uniform(span, 5.0), Point(span, -32.0, 2.0)})},
    };
}

// The diagram on [0, span]: the bounds constructor holds the supports at 0, Set adds the samples.
inline CVyMathFunction1D Diagram(double span, int intervals, const std::function<double(double)>& moment) {
    CVyMathFunction1D f(0.0, span, 0);
    for (int i = 1; i < intervals; ++i) {
        const double x = span * i / intervals;
        f.Set(x, moment(x));
    }
    return f;
}

} // namespace beam

#endif // VYMATH_EXAMPLES_BEAM_DIAGRAMS_H
