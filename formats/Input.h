// Reading a model: a table in long form (a header naming the member, case and abscissa columns and one
// column a force, as "member,case,x,N,V,M", or "case,x,y" for the single form: one member, one force), as
// CSV (read as a stream, its dialect told from its text) or as the sheets of an xlsx workbook, an analysis
// program's exports among them (title and units rows, several tables); a SAF workbook's internal forces;
// or JSON {"model": {MEMBER: {"cases": {CASE: {"x": [...], FORCE: [...]}}}}}, or {"cases": {CASE: {"x":
// [...], "y": [...]}}} for the single form.
#ifndef VYMATH_FORMATS_INPUT_H
#define VYMATH_FORMATS_INPUT_H

#include "Table.h"

#include <vymath/analysis/Columns.h>
#include <vymath/analysis/Model.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vymath {
namespace formats {

enum class Format { Auto, Csv, Json, Xlsx, Saf };

// How to read a model: the format (Auto: by the extension, and an xlsx workbook with the sheet
// ResultInternalForce1D is SAF), the tables' options (columns, the table wanted, the cases, units, notes),
// the CSV dialect (0: told from the text) and the xlsx sheet wanted ("": every sheet that fits).
struct ReadOptions {
    Format format = Format::Auto;
    TableOptions table;
    char delimiter = 0;
    bool decimalGiven = false; // table.decimal as given, else told from the text
    std::string sheet;
    std::function<void(std::size_t bytes)> progress;
};

// The reading options as a front-end takes them, in words, each "" for its default: the format ("auto",
// "csv", "json", "xlsx", "saf"), the delimiter (",", ";", "tab"), the decimal separator ("." or ","), the
// sheet, the table's title, the units to convert to and the file's units ("kN,m"), and the columns.
struct ReadWords {
    std::string format, delimiter, decimal, sheet, table, units, fromUnits;
    std::vector<std::string> moments;
    analysis::ColumnRequest columns;
    // How the front-end spells an option in messages: "units" -> "--units" (the tool), "units" (Python),
    // "from-units" -> "--from-units" or "from_units".
    std::function<std::string(const std::string& option)> spelling;
};

// The ReadOptions the words say (without notes, cases or progress). A value none of the above is an
// analysis::Error (Usage): --units "kN;m": expected FORCE,LENGTH in units this tool knows, as kN,m or
// kip,ft; format "xls": expected one of auto, csv, json, xlsx, saf.
ReadOptions OptionsOf(const ReadWords& words);

// The format of path: `requested` unless Auto; else by the extension (.csv, .tsv, .txt: CSV; .json;
// .xlsx: a workbook, SAF where it has the sheet ResultInternalForce1D), any letter case, CSV for standard
// input ("-"). An unknown extension is an analysis::Error (Usage).
Format FormatOf(const std::string& path, Format requested);

// Reads path ("-": standard input). CSV and xlsx go through the table reader (TableReader: titles, units
// rows, layouts, steps, units), SAF through its own sheet; the model names its places as the file does:
// "beam.csv:12", "beam.csv:12: field 3 (y)", "book.xlsx: sheet "Forces" cell C12 (M3)", "beam.json:
// /cases/G/y/3 (y)"; its source is the path (<stdin> for "-"). Every problem is an analysis::Error (Data)
// naming the file and the line, cell or place; a column named in the options that the header lacks is a
// Usage error.
std::unique_ptr<analysis::Model> ReadModel(const std::string& path, const ReadOptions& options);

// The same with the columns alone (CSV or JSON, the dialect told from the text).
std::unique_ptr<analysis::Model> ReadModel(const std::string& path, Format format,
                                           const analysis::ColumnRequest& columns,
                                           const std::function<void(std::size_t bytes)>& progress = nullptr);

// A model from CSV text, read as a file named `source` would be (ReadModel's CSV path: the dialect told
// from the text where not given, the table reader); options.format and options.sheet are not looked at.
std::unique_ptr<analysis::Model> ReadModelCsv(std::string_view text, const std::string& source,
                                              const ReadOptions& options);

// A model from JSON text (the JSON form above); `source` names it in messages.
std::unique_ptr<analysis::Model> ReadModelJson(const std::string& text, const std::string& source);

// Whether a model takes the single form in its outputs: one member without a name, one force.
inline bool SingleForm(const analysis::Model& model) {
    return !model.Named() && model.Forces().size() == 1;
}

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_INPUT_H
