// The results as text: aligned tables for people, CSV and JSON for scripts (every double in its
// shortest form that reads back to the same bits). One member with one force gives today's outputs;
// a model (a member column, or several forces) gives a summary a member and force.
#ifndef VYMATH_CLI_REPORT_H
#define VYMATH_CLI_REPORT_H

#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/Summary.h>

#include <string>
#include <vector>

namespace vycli {

struct Labels {
    std::string x = "x";
    std::string y = "y";
    std::string members = "cases"; // what the diagrams are: cases or combinations
};

// The unit in a label's last [...] ("M [kNm]" gives "kNm"), empty without one.
std::string UnitOf(const std::string& label);

// JSON text pieces shared by the reports.
void AppendJsonString(std::string& out, const std::string& s);
void AppendJsonNumber(std::string& out, double v); // null for a NaN or an infinity
// A CSV field, quoted where needed.
std::string CsvField(const std::string& s);

// One member, one force. `names` are the enveloped diagrams (MemberResult::diagrams).
std::string EnvelopeTable(const std::vector<std::string>& names, const vymath::analysis::Envelope& e,
                          const Labels& labels);
// envelope,x,y,case: the lower envelope's points, then the upper's; case empty where none governs.
std::string EnvelopeCsv(const std::vector<std::string>& names, const vymath::analysis::Envelope& e);
// {"members": [...], "lower": {"x": [...], "y": [...], "case": [NAME or null, ...]}, "upper": {...}}
std::string EnvelopeJson(const std::vector<std::string>& names, const vymath::analysis::Envelope& e);

// Key figures of one force's diagrams, named by `names`.
std::string InspectTable(const std::vector<std::string>& names,
                         const std::vector<vymath::analysis::KeyFigures>& r, const Labels& labels);
std::string InspectCsv(const std::vector<std::string>& names,
                       const std::vector<vymath::analysis::KeyFigures>& r);
// {"cases": {NAME: {"domain": [a, b], "points": n, "min": {"x": .., "y": ..}, "max": {...},
//  "zeros": [...], "resultant": .., "moment": .., "excentricity": .. or null}}}
std::string InspectJson(const std::vector<std::string>& names,
                        const std::vector<vymath::analysis::KeyFigures>& r);

// What the envelopes are of, for titles: "envelopes of the load cases", "envelopes of 2 combinations:
// ULS1, ULS2", "design envelopes by EN 1990 of 3 actions: G, Q, T".
std::string Subject(const std::vector<std::string>& combinations, const vymath::analysis::Actions* actions);

// A model: the summary a member and force (and design situation, with actions).
std::string SummaryTable(const vymath::analysis::Model& model,
                         const std::vector<vymath::analysis::MemberResult>& results,
                         const std::vector<vymath::analysis::SummaryRow>& rows, const Labels& labels,
                         const std::string& subject);
// The columns of vymath::analysis::SummaryColumns, with a header row.
std::string SummaryCsv(const vymath::analysis::Model& model,
                       const std::vector<vymath::analysis::MemberResult>& results,
                       const std::vector<vymath::analysis::SummaryRow>& rows);
// {"model": {MEMBER: {FORCE: {"lower": {...}, "upper": {...}, "max": {"x", "y", "case", "coincident":
//  {OTHER: [left, right]}}, "min": {...}}}}}
std::string ModelJson(const vymath::analysis::Model& model,
                      const std::vector<vymath::analysis::MemberResult>& results,
                      const std::vector<vymath::analysis::SummaryRow>& rows);
// Design envelopes of one member and force (ForceResult::design): the extremes of every situation with
// their combination, then each envelope's stretches, each with the combination governing it.
std::string DesignTable(const std::vector<vymath::analysis::DesignResult>& design, const Labels& labels,
                        const std::string& subject);
// situation,envelope,x,y,combination, then the factor of each of `cases` (0 where left out): the lower
// envelope's points, then the upper's, situation by situation.
std::string DesignCsv(const std::vector<vymath::analysis::DesignResult>& design,
                      const std::vector<std::string>& cases);
// {"situations": {NAME: {"lower": {"x": [...], "y": [...], "factors": [{CASE: factor, ...}, ...],
//  "combination": [TEXT, ...]}, "upper": {...}, "max": {"x", "y", "combination", "factors"}, "min": {...}}}}
std::string DesignJson(const std::vector<vymath::analysis::DesignResult>& design);
// {"model": {MEMBER: {FORCE: {SITUATION: {as DesignJson, max and min with "coincident": {OTHER: [left,
//  right]}}}}}}
std::string ModelDesignJson(const vymath::analysis::Model& model,
                            const std::vector<vymath::analysis::MemberResult>& results);
// Key figures of a model: one row (JSON entry) a member, force and case.
std::string ModelInspectTable(const vymath::analysis::Model& model,
                              const std::vector<vymath::analysis::MemberResult>& results,
                              const Labels& labels);
std::string ModelInspectCsv(const vymath::analysis::Model& model,
                            const std::vector<vymath::analysis::MemberResult>& results);
// {"model": {MEMBER: {FORCE: {CASE: {key figures as InspectJson}}}}}
std::string ModelInspectJson(const vymath::analysis::Model& model,
                             const std::vector<vymath::analysis::MemberResult>& results);

} // namespace vycli

#endif // VYMATH_CLI_REPORT_H
