// The HTML report of a model: one self-contained page (no network) with the summary table, sortable by
// any column, and each member's envelope plot drawn on demand (a click on its row).
#ifndef VYMATH_CLI_HTML_H
#define VYMATH_CLI_HTML_H

#include "Report.h"

#include <string>
#include <vector>

namespace vycli {

// source names the input in the title; combinations are the names given with -c (empty: load cases).
std::string HtmlReport(const vymath::analysis::Model& model,
                       const std::vector<vymath::analysis::MemberResult>& results,
                       const std::vector<vymath::analysis::SummaryRow>& rows, const Labels& labels,
                       const std::string& source, const std::vector<std::string>& combinations);

} // namespace vycli

#endif // VYMATH_CLI_HTML_H
