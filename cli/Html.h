// The HTML report of a model: one self-contained page (no network) with the summary table, sortable by
// any column, and each member's envelope plot drawn on demand (a click on its row).
#ifndef VYMATH_CLI_HTML_H
#define VYMATH_CLI_HTML_H

#include "Text.h"

#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/Check.h>

#include <string>

namespace vycli {

// A row a member and force; source names the input in the title.
std::string HtmlReport(const vymath::analysis::Model& model, const vymath::analysis::EnvelopeRun& run,
                       const Labels& labels, const std::string& source);
// A row a member, force and situation, each drawing that situation's envelopes in the colour of the
// governing combination.
std::string HtmlReport(const vymath::analysis::Model& model, const vymath::analysis::DesignRun& run,
                       const Labels& labels, const std::string& source);

// Section checks: a row a member and situation, then each member's plots (CheckSvg) inline, folded.
std::string HtmlReport(const vymath::analysis::Model& model, const vymath::analysis::Capacity& capacity,
                       const vymath::analysis::CheckRun& run, const Labels& labels,
                       const std::string& source);

} // namespace vycli

#endif // VYMATH_CLI_HTML_H
