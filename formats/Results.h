// The results of a run as files: JSON and CSV, built once here for every front-end, so that the tool's
// --json and --csv and the Python package's to_dict() and summary are the same documents by construction.
// Every double is written in its shortest form that reads back to the same bits. A model in the single
// form (SingleForm: one unnamed member, one force) gives the single form's documents; any other model a
// document by member and force.
#ifndef VYMATH_FORMATS_RESULTS_H
#define VYMATH_FORMATS_RESULTS_H

#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/Check.h>

#include <cstddef>
#include <string>
#include <vector>

namespace vymath {
namespace formats {

// Envelopes. Single form: {"members": [NAME, ...], "lower": {"x": [...], "y": [...], "case": [NAME or
// null, ...]}, "upper": {...}}. Model: {"model": {MEMBER: {FORCE: {"lower": {...}, "upper": {...}, "max":
// {"x", "y", "case", "coincident": {OTHER: [left, right]}} or null, "min": {...}}}}}.
std::string ToJson(const analysis::Model& model, const analysis::EnvelopeRun& run);
// Single form: envelope,x,y,case, the lower envelope's points then the upper's (case empty where none
// governs). Model: the summary's columns (analysis::SummaryColumns), a row a member and force.
std::string ToCsv(const analysis::Model& model, const analysis::EnvelopeRun& run);

// Design envelopes. Single form: {"situations": {NAME: {"lower": {"x", "y", "factors": [{CASE: factor,
// ...}, ...], "combination": [TEXT, ...]}, "upper": {...}, "max": {"x", "y", "combination", "factors"},
// "min": {...}}}}. Model: {"model": {MEMBER: {FORCE: {SITUATION: {the same, max and min with
// "coincident": {OTHER: [left, right]}}}}}}.
std::string ToJson(const analysis::Model& model, const analysis::DesignRun& run);
// Single form: situation,envelope,x,y,combination, then the factor of each load case (0 where left out):
// the lower envelope's points, then the upper's, situation by situation. Model: the summary's columns with
// the situation, a row a member, force and situation.
std::string ToCsv(const analysis::Model& model, const analysis::DesignRun& run);

// The combinations that govern any stretch of a design run's envelopes, member by member (distinct by
// situation and factors), each with the extremes (max and min of a force and situation) it governs and the
// coincident values of the other forces there: {"model": {MEMBER: [{"situation", "combination", "factors":
// {CASE: factor}, "extremes": [{"force", "extreme": "max" or "min", "x", "y", "coincident": {FORCE: [left,
// right]}}]}]}} (null where a force has no value).
std::string GoverningJson(const analysis::Model& model, const analysis::DesignRun& run);
// member,situation,combination,force,extreme,x,y, then FORCE left,FORCE right of every force: a row a
// member, combination and extreme it governs (one with the extreme's columns empty where it governs none).
std::string GoverningCsv(const analysis::Model& model, const analysis::DesignRun& run);

// The distinct combinations of design situations (analysis::DistinctCombinations): {"situations": {NAME:
// {"count": N, "combinations": [{RULE_WORD: "6.10b", "leading": "Q" or null, "combination": TEXT,
// "factors": {CASE: factor, ...}}, ...]}}}, `ruleWord` the code's word for its rules ("expression", "rule").
struct SituationCombinations {
    std::string name;
    std::size_t count = 0;
    std::vector<analysis::DesignCombination> combinations;
};
std::string ToJson(const std::vector<SituationCombinations>& situations, const std::string& ruleWord);

// Key figures. Single form: {"cases": {NAME: {"domain": [a, b], "points": n, "min": {"x", "y"}, "max":
// {...}, "zeros": [...], "resultant", "moment", "excentricity" (or null)}}}. Model: {"model": {MEMBER:
// {FORCE: {CASE: {the same}}}}}.
std::string ToJson(const analysis::Model& model, const analysis::KeyFigureRun& run);
// [member,force,]case,xmin,xmax,points,min_x,min_y,max_x,max_y,resultant,moment,excentricity,zeros.
std::string ToCsv(const analysis::Model& model, const analysis::KeyFigureRun& run);

// Section checks: {"model": {MEMBER: {"section", "forces": [FIRST, SECOND], "method", "exact": "hull" or
// "enumerated", "situations": {NAME: {"max": {"u", "outside": true where infinite, "x", "side": "left",
// "right" or null, "combination", "factors": {CASE: factor}, "bounds": {CASE: [FIRST's, SECOND's]} where
// a bounded case enters, "forces": [first, second]} or null, "along": {"x", "u", "side"}}}}}}; an infinite
// utilisation is null.
std::string ToJson(const analysis::Model& model, const analysis::Capacity& capacity,
                   const analysis::CheckRun& run);
// member,section,situation,method,exact,u,x,side,combination,first_force,first,second_force,second: a row a
// member and situation, its largest utilisation ("inf" where outside; empty where it has no combination).
std::string ToCsv(const analysis::Model& model, const analysis::Capacity& capacity,
                  const analysis::CheckRun& run);

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_RESULTS_H
