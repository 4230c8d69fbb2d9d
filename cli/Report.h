// The results as text: an aligned table for people, CSV and JSON for scripts (every double in its
// shortest form that reads back to the same bits).
#ifndef VYMATH_CLI_REPORT_H
#define VYMATH_CLI_REPORT_H

#include "Results.h"

#include <string>

namespace vycli {

struct Labels {
    std::string x = "x";
    std::string y = "y";
    std::string members = "cases"; // what the members are: cases or combinations
};

// The unit in a label's last [...] ("M [kNm]" gives "kNm"), empty without one.
std::string UnitOf(const std::string& label);

std::string EnvelopeTable(const EnvelopeResult& r, const Labels& labels);
// envelope,x,y,case: the lower envelope's points, then the upper's; case empty where none governs.
std::string EnvelopeCsv(const EnvelopeResult& r);
// {"members": [...], "lower": {"x": [...], "y": [...], "case": [NAME or null, ...]}, "upper": {...}}
std::string EnvelopeJson(const EnvelopeResult& r);

std::string InspectTable(const std::vector<Inspection>& r, const Labels& labels);
std::string InspectCsv(const std::vector<Inspection>& r);
// {"cases": {NAME: {"domain": [a, b], "points": n, "min": {"x": .., "y": ..}, "max": {...},
//  "zeros": [...], "resultant": .., "moment": .., "excentricity": .. or null}}}
std::string InspectJson(const std::vector<Inspection>& r);

} // namespace vycli

#endif // VYMATH_CLI_REPORT_H
