// Reference: the combinations of EN 1990 and ASCE 7-16 enumerated one by one (the Cartesian product of
// every action's choices), the test oracle of the design envelopes.
#ifndef VYMATH_FUZZ_REFDESIGN_H
#define VYMATH_FUZZ_REFDESIGN_H

#include "vymath/analysis/Actions.h"

#include <string>
#include <vector>

namespace ref {

// Every combination of the named situation ("ULS", "SLS characteristic", "SLS frequent",
// "SLS quasi-permanent", "accidental <action>", "seismic" or "seismic <action>" of EN 1990; "LRFD" or "ASD"
// of ASCE 7-16, each action's type its kind, Ev acting with Eh), each as the factor of
// every load case (caseNames order; 0 for a case left out). Duplicates are kept.
std::vector<std::vector<double>> Combinations(const vymath::analysis::Actions& actions,
                                              const std::vector<std::string>& caseNames,
                                              const std::string& situation);

} // namespace ref

#endif // VYMATH_FUZZ_REFDESIGN_H
