// The HTML report of a model: one self-contained page (no network) with the summary table, sortable by
// any column, and each member's envelope plot drawn on demand (a click on its row).
#ifndef VYMATH_CLI_HTML_H
#define VYMATH_CLI_HTML_H

#include "Report.h"

#include <string>
#include <vector>

namespace vycli {

// source names the input in the title; subject tells what the envelopes are of (Subject). With design
// envelopes, one row a member, force and situation, each drawing that situation's envelopes in the
// colour of the governing combination.
std::string HtmlReport(const vymath::analysis::Model& model,
                       const std::vector<vymath::analysis::MemberResult>& results,
                       const std::vector<vymath::analysis::SummaryRow>& rows, const Labels& labels,
                       const std::string& source, const std::string& subject);

} // namespace vycli

#endif // VYMATH_CLI_HTML_H
