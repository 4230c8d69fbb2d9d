// Load combinations given on the command line as NAME=EXPR, EXPR a sum of factored cases:
// "ULS=1.35*G + 1.5*Q1 - 0.5*W". A case name is a run of characters other than spaces, quotes
// and + - *, or any text in double quotes ("Q span 1").
#ifndef VYMATH_CLI_COMBINATION_H
#define VYMATH_CLI_COMBINATION_H

#include "Diagrams.h"

#include <string>
#include <vector>

namespace vycli {

struct Term {
    double factor;
    std::string name; // of a case
};

struct Combination {
    std::string name;
    std::vector<Term> terms;
};

// Parses each argument; a malformed one, or a name given twice, is a usage error.
std::vector<Combination> ParseCombinations(const std::vector<std::string>& args);

// The combinations formed from the cases with the library's combination on merged abscissas. A case
// that the input lacks is a usage error, cases without a common domain a data error.
std::vector<Member> FormCombinations(const std::vector<Combination>& combinations,
                                     const std::vector<Member>& cases, const std::string& file);

} // namespace vycli

#endif // VYMATH_CLI_COMBINATION_H
