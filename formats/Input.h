// Reading a model: CSV in long form (a header naming the member, case and abscissa columns and one
// column a force, as "member,case,x,N,V,M", or "case,x,y" for the single form: one member, one force),
// read as a stream; or JSON {"model": {MEMBER: {"cases": {CASE: {"x": [...], FORCE: [...]}}}}}, or
// {"cases": {CASE: {"x": [...], "y": [...]}}} for the single form.
#ifndef VYMATH_FORMATS_INPUT_H
#define VYMATH_FORMATS_INPUT_H

#include <vymath/analysis/Columns.h>
#include <vymath/analysis/Model.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace vymath {
namespace formats {

enum class Format { Auto, Csv, Json };

// The format of path: `requested` unless Auto; else by the extension (.csv, .json, any letter case), CSV
// for standard input ("-"). An unknown extension is an analysis::Error (Usage).
Format FormatOf(const std::string& path, Format requested);

// Reads path ("-": standard input) with the columns of `columns` (CSV; JSON takes no column options);
// progress(bytes) as the file is read. The model names its places as the file does: "beam.csv:12",
// "beam.csv:12: field 3 (y)", "beam.json: /cases/G/y/3 (y)"; its source is the path (<stdin> for "-").
// Every problem is an analysis::Error (Data) naming the file and the line (CSV) or the place in the
// document (JSON); a column named in `columns` that the header lacks is a Usage error.
std::unique_ptr<analysis::Model> ReadModel(const std::string& path, Format format,
                                           const analysis::ColumnRequest& columns,
                                           const std::function<void(std::size_t bytes)>& progress = nullptr);

// A model from JSON text (the JSON form above); `source` names it in messages.
std::unique_ptr<analysis::Model> ReadModelJson(const std::string& text, const std::string& source);

// Whether a model takes the single form in its outputs: one member without a name, one force.
inline bool SingleForm(const analysis::Model& model) {
    return !model.Named() && model.Forces().size() == 1;
}

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_INPUT_H
