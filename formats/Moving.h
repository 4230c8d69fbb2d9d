// Moving loads in the front-ends: influence lines from a model's rows, a load by its shipped name or its
// file, and the results as text (JSON, CSV, a bounded case), built once here for the tool and Python.
#ifndef VYMATH_FORMATS_MOVING_H
#define VYMATH_FORMATS_MOVING_H

#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/MovingLoad.h>

#include <cstddef>
#include <string>
#include <vector>

namespace vymath {
namespace formats {

// Influence lines: a line is a load case of a member and force of a model (the form "line,x,y": the cases of
// one unnamed member; "member,section,x,FORCE": a member x section pair), with its section's abscissa along
// the member where the input gives one.
struct MovingLines {
    std::vector<std::string> names;       // "L1"; "B1/3" for a named member; "/M" added for several forces
    std::vector<std::string> members;     // each line's member ("" unnamed)
    std::vector<std::size_t> forces;      // each line's force, a position in forceNames
    std::vector<double> sectionX;         // NaN where the input gives none
    std::vector<analysis::Diagram> lines; // the influence lines
    std::vector<std::string> forceNames;  // the model's forces, the section's column left out
    bool named = false;                   // the input names its members
    bool sections = false;                // every line has its section's abscissa
    std::string source;                   // the input's name
};

// The lines of a model, member by member, force by force, case by case. sectionColumn ("" for none) is
// one of the model's forces that holds each line's section abscissa: one value in every row of a line,
// else an analysis::Error (Data) naming the line ("lines.csv: line "B1/3": the section abscissa
// (column "xs") is 2 and 4: one a line"); option names it in a Usage error where the model lacks it. A
// case with Max and Min rows is a Data error. O(rows log rows).
MovingLines LinesOf(const analysis::Model& model, const std::string& sectionColumn,
                    const std::string& option);

// The JSON text of a load: `load` itself when it names a file (it holds a '/' or a '\\' or ends in
// .json), else the shipped load of that name in the first of `folders` that has it. `source` gets the
// name used in messages. An unknown name is an analysis::Error (Usage) that lists the shipped ones; a
// file that cannot be read a Data error.
std::string LoadText(const std::string& load, const std::vector<std::string>& folders, std::string& source);

// The envelope along a member: the extremes at each section, by increasing abscissa.
struct MovingEnvelope {
    std::string member;
    std::size_t force = 0;
    std::vector<double> x, max, min;
};
// The envelopes of every member and force whose lines have sections, in the order they first appear.
std::vector<MovingEnvelope> EnvelopesOf(const MovingLines& lines,
                                        const std::vector<analysis::MovingResult>& results);

// {"load": SOURCE, "lines": {LINE: {"section_x": x | null, "max": {"value", "lane_value", "position",
// "side", "direction", "alternative", "spacings", "lane": [[a, b], ...]} and "sides" (each axle's) where
// axles read both sides, "min": {...}}}} and, with sections, "envelope": [{"member", "force", "x", "max",
// "min"}]. A not found extreme: value 0, its placement null.
std::string MovingJson(const MovingLines& lines, const std::vector<analysis::MovingResult>& results,
                       const analysis::MovingLoad& load);

// line,section_x,extreme,value,lane_value,position,side,direction,alternative,spacings,lane: two rows a line
// (max, min); spacings space-separated, the lane's stretches as "a..b" space-separated.
std::string MovingCsv(const MovingLines& lines, const std::vector<analysis::MovingResult>& results);

// The results as the bounded case `name`: [member,]case,step_type,x,FORCE... with a Max row and a Min row
// for every member and section abscissa, the long form `vymath envelope` reads. Every line needs its
// section (Usage error), and several forces need a line of each at every section (Data error).
std::string MovingCase(const MovingLines& lines, const std::vector<analysis::MovingResult>& results,
                       const std::string& name);

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_MOVING_H
