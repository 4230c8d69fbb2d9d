// Reading a model: CSV in long form (a header naming the member, case and abscissa columns and one
// column a force, as "member,case,x,N,V,M" or today's "case,x,y"; RFC 4180 quoting), read as a
// stream, or JSON {"model": {MEMBER: {"cases": {CASE: {"x": [...], FORCE: [...]}}}}} and today's
// {"cases": {CASE: {"x": [...], "y": [...]}}}.
#ifndef VYMATH_CLI_INPUT_H
#define VYMATH_CLI_INPUT_H

#include <vymath/analysis/Actions.h>
#include <vymath/analysis/Columns.h>
#include <vymath/analysis/Model.h>

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vycli {

class Progress;

enum class Format { Auto, Csv, Json };

struct ModelInput {
    std::string file; // as named in messages: the path, or <stdin>
    Format format = Format::Csv;
    std::unique_ptr<vymath::analysis::Model> model;
    bool named = false; // a member column, or the JSON model form: the members have names
    // JSON: the first origin of each case's rows and the case's JSON Pointer, in origin order.
    std::vector<std::pair<std::size_t, std::string>> blocks;

    // Where a row stands: "cases.csv:12" (origin: the line) or "cases.json: /cases/G/x/3".
    std::string Where(std::size_t origin) const;
};

// The format of path: `requested` unless Auto; else by the extension (.csv, .json, any case), CSV for
// standard input ("-"). An unknown extension is a usage error.
Format FormatOf(const std::string& path, Format requested);

// Reads path ("-": standard input) with the columns of `columns` (CSV; JSON takes no column options).
// Every problem is a data error naming the file and the line (CSV) or the place in the document (JSON);
// a column named in `columns` that the header lacks is a usage error.
ModelInput ReadModel(const std::string& path, Format format, const vymath::analysis::ColumnRequest& columns,
                     Progress& progress);

// Reads an actions description (vymath::analysis::ParseActions) from path. A file that cannot be read,
// is empty or is not a valid description is a data error naming the file and the place in it.
vymath::analysis::Actions ReadActions(const std::string& path);

} // namespace vycli

#endif // VYMATH_CLI_INPUT_H
