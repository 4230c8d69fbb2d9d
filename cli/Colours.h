// The colours of the plots and the report: one palette, and the order in which a design situation's
// combinations take its colours.
#ifndef VYMATH_CLI_COLOURS_H
#define VYMATH_CLI_COLOURS_H

#include <vymath/analysis/Analysis.h>

#include <cstddef>
#include <string>
#include <vector>

namespace vycli {

// The palette, in the order colours are given out (they repeat after the last).
const std::vector<std::string>& Palette();

// The colour of diagram k (its position in the legend); -1, where no diagram governs, is grey.
const char* ColourOf(int k);

// A situation's combinations (DesignSituation::combinations positions) in the order the plots colour and
// list them: those of the two extremes (the lower's least, the upper's greatest) first, then by the
// length of envelope they govern, longest first; ties in the situation's order.
std::vector<std::size_t> CombinationOrder(const vymath::analysis::SituationResult& d);

// A situation's envelopes with each governing combination replaced by its rank in CombinationOrder, and
// the combinations' texts in that order.
struct RankedSituation {
    vymath::analysis::Envelope envelope;
    std::vector<std::string> names;
};
RankedSituation Ranked(const vymath::analysis::SituationResult& d);

} // namespace vycli

#endif // VYMATH_CLI_COLOURS_H
