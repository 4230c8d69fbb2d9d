// The results as aligned tables for people, on standard output. A model in the single form (one unnamed
// member, one force) gives the single form's tables; any other model a summary a member and force.
#ifndef VYMATH_CLI_TABLE_H
#define VYMATH_CLI_TABLE_H

#include "Text.h"

#include "formats/Moving.h"

#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/Check.h>

#include <string>

namespace vycli {

// Single form: the extremes of each envelope with the governing case, then each envelope's points. Model:
// a row a member and force, with the extremes and the coincident values of the other forces.
std::string EnvelopeTable(const vymath::analysis::Model& model, const vymath::analysis::EnvelopeRun& run,
                          const Labels& labels);

// Single form: the extremes of every situation with their combination, then each envelope's stretches,
// each with the combination governing it. Model: a row a member, force and situation.
std::string DesignTable(const vymath::analysis::Model& model, const vymath::analysis::DesignRun& run,
                        const Labels& labels);

// A row a diagram (single form) or a member, force and diagram: domain, points, extrema, resultant,
// moment, excentricity, zeros.
std::string KeyFigureTable(const vymath::analysis::Model& model, const vymath::analysis::KeyFigureRun& run,
                           const Labels& labels);

// A row a member and situation: its section, the largest utilisation ("inf" where the pair is outside), where
// (a jump's side), the governing case or combination and the force pair there.
std::string CheckTable(const vymath::analysis::Model& model, const vymath::analysis::Capacity& capacity,
                       const vymath::analysis::CheckRun& run);

// The extremes of a moving load on every line: value, lane part, position, side, direction, alternative,
// spacings and the lane's stretches; then, with sections, the envelope along each member.
std::string MovingTable(const vymath::formats::MovingLines& lines,
                        const std::vector<vymath::analysis::MovingResult>& results,
                        const vymath::analysis::MovingLoad& load);

} // namespace vycli

#endif // VYMATH_CLI_TABLE_H
