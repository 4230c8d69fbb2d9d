// The results of a run as files: JSON and CSV, built once here for every front-end, so that the tool's
// --json and --csv and the Python package's to_dict() and summary are the same documents by construction.
// Every double is written in its shortest form that reads back to the same bits. A model in the single
// form (SingleForm: one unnamed member, one force) gives the single form's documents; any other model a
// document by member and force.
#ifndef VYMATH_FORMATS_RESULTS_H
#define VYMATH_FORMATS_RESULTS_H

#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/Check.h>

#include <string>

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
