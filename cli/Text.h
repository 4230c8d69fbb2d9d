// Text the tool's outputs share: axis labels, counted words, lists of names, the coincident forces at an
// extreme, what the envelopes are of.
#ifndef VYMATH_CLI_TEXT_H
#define VYMATH_CLI_TEXT_H

#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/Summary.h>

#include <string>
#include <vector>

namespace vycli {

struct Labels {
    std::string x = "x";
    std::string y = "y";
};

// The unit in a label's last [...] ("M [kNm]" gives "kNm"), empty without one.
std::string UnitOf(const std::string& label);

// "3 cases", "1 case".
std::string Plural(std::size_t n, const std::string& word);

// Names in a list, quoted where a comma would make it ambiguous.
std::string NameList(const std::vector<std::string>& names);

// A force's label: "M3 [kN-m]" where the input gives its unit, else "M3".
std::string ForceLabel(const vymath::analysis::Model& model, std::size_t f);
// The forces' labels in a list: "P [kN], M3 [kN-m]".
std::string ForceList(const vymath::analysis::Model& model);

// What a run's diagrams are called: "cases" or "combinations".
std::string DiagramWord(vymath::analysis::DiagramKind kind);

// "N -12, Vz 3.5|-21.5": the other forces at an extreme, left|right where they differ; "-" for none.
std::string CoincidentText(const vymath::analysis::SummaryExtreme& e, const std::vector<std::string>& forces);

// What the envelopes are of, for titles: "envelopes of the load cases", "envelopes of 2 combinations:
// ULS1, ULS2", "design envelopes by EN 1990 of 3 actions: G, Q, T".
std::string Subject(const vymath::analysis::EnvelopeRun& run);
std::string Subject(const vymath::analysis::DesignRun& run);

// s with & < > " written as XML entities, for SVG and HTML text and attributes.
std::string Escaped(const std::string& s);

// Characters (not bytes) of UTF-8 text.
std::size_t Characters(const std::string& s);

} // namespace vycli

#endif // VYMATH_CLI_TEXT_H
