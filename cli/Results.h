// What the two commands compute: the envelopes of a set of diagrams with the governing member of
// each point, and the key figures of each diagram.
#ifndef VYMATH_CLI_RESULTS_H
#define VYMATH_CLI_RESULTS_H

#include "Diagrams.h"

#include <optional>
#include <string>
#include <vector>

namespace vycli {

class Progress;

// An envelope's stored points; member[i] indexes the members' names, -1 where no member passes
// through the point (within 1e-10): where the folded envelope interpolates, or where no member is
// defined and the library stores +-DBL_MAX.
struct EnvelopeLine {
    std::vector<double> x, y;
    std::vector<int> member;
    // No member is defined at point i: its ordinate is the library's +-DBL_MAX.
    bool Placeholder(std::size_t i) const;
    // The index of the largest (smallest) ordinate but placeholders, the first one on ties; -1 if none.
    int IndexOfMax() const;
    int IndexOfMin() const;
};

struct EnvelopeResult {
    std::vector<std::string> members;
    EnvelopeLine lower, upper;
};

// The envelopes of the members. A single member (or members all equal in value) is both envelopes.
EnvelopeResult Envelope(std::vector<Member>& members, Progress& progress);

struct Extremum {
    double x, y;
};

struct Inspection {
    std::string name;
    double xmin, xmax;
    int points;
    Extremum min, max;
    std::vector<double> zeros;
    double resultant, moment;
    std::optional<double> excentricity; // none when the resultant is null
};

std::vector<Inspection> Inspect(std::vector<Member>& members);

} // namespace vycli

#endif // VYMATH_CLI_RESULTS_H
