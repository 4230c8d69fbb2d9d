// The HTML report of a model: one self-contained page (no network) with the summary table, sortable by
// any column, and each member's envelope plot drawn on demand (a click on its row).
#ifndef VYMATH_CLI_HTML_H
#define VYMATH_CLI_HTML_H

#include "Text.h"

#include "formats/Moving.h"

#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/Check.h>

#include <functional>

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

// A moving load's report: a row a line with its extremes, and each line's plot (plot(k), SVG text) under
// its row, opened by a click.
std::string MovingReport(const vymath::formats::MovingLines& lines,
                         const std::vector<vymath::analysis::MovingResult>& results,
                         const vymath::analysis::MovingLoad& load,
                         const std::function<std::string(std::size_t)>& plot);

} // namespace vycli

#endif // VYMATH_CLI_HTML_H
