// Reference: the exact envelopes of a set of polylines by brute force, the test oracle of the exact
// envelope's differential fuzz target.
#ifndef VYMATH_FUZZ_REFEXACTENVELOPE_H
#define VYMATH_FUZZ_REFEXACTENVELOPE_H

#include <vector>

namespace ref {

struct Polyline {
    std::vector<double> x, y;
};

// One envelope (upper or lower) of the members over [lo, hi], with the governing member of each point.
// False for a member whose abscissas are not finite and increasing (equal neighbours allowed), or lo > hi.
bool ExactEnvelope(const std::vector<Polyline>& members, double lo, double hi, bool upper,
                   std::vector<double>& xs, std::vector<double>& ys, std::vector<int>& cases);

} // namespace ref

#endif // VYMATH_FUZZ_REFEXACTENVELOPE_H
