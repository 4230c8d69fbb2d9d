// Rows of text fields into a model: the one parser base of every reader of tables (a CSV file's lines, a
// sheet's rows). A reader only turns its bytes into rows of fields; everything else is this reader's and the
// model's: the tables one after another (each starting with its title row, "TABLE:  Element Forces -
// Frames"), each one's header and units row, the column roles (an analysis program's layout recognised), the
// filters, the steps of each row (Max and Min rows the bounds of one case, Mode and Step rows numbered
// cases), the cases asked for, the numbers (a decimal comma, units converted), and every message.
#ifndef VYMATH_FORMATS_TABLE_H
#define VYMATH_FORMATS_TABLE_H

#include "Units.h"

#include <vymath/analysis/Columns.h>
#include <vymath/analysis/Model.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vymath {
namespace formats {

// How a table reader names its rows and fields: "moment.csv:12", "moment.csv:12: field 3 (y)".
struct TableNaming {
    std::string source;                                 // the input's name: "moment.csv"
    std::function<std::string(std::size_t origin)> row; // where a row stands
    // Where a row's field stands, by its column (position in the header) and its role there (as
    // analysis::Layout::Role words it).
    std::function<std::string(std::size_t origin, std::size_t column, const std::string& role)> field;
    std::string fields = "fields"; // what a row's parts are called: "fields", "cells"
    std::string hint;              // added to a header's fault: " (fields split at ';')"
};

// What a table reader is asked for.
struct TableOptions {
    analysis::ColumnRequest columns;
    std::string table;                // the table of this title only ("" for every table that fits)
    char decimal = '.';               // the decimal separator of the numbers
    std::set<std::string> cases;      // only these cases (empty: all); others are left out, unread
    std::optional<UnitSystem> units;  // every value and abscissa converted into these
    std::optional<UnitSystem> from;   // the input's units, where it has no units row
    std::vector<std::string> moments; // with `from`: the columns that are moments, beside a known layout's
    std::function<void(const std::string&)> note; // what the reader tells: columns or cases left out
};

// A row's case from its case name and step (the texts of its step type and step number columns): a Max
// or Min row a bound of the case, a Mode or Step row the case named "CASE:N", none or "Single Value" the
// case itself (letter case aside). Empty, or else what is wrong after the faulty field's place: "\"Foo\" is
// not a step type (Max, Min, Mode, Step, Single Value or none)", "\"\" is not a step number (a mode row
// needs one)"; `numberAt` tells which field is at fault then.
std::string CaseOf(std::string_view name, std::string_view step, std::string_view number,
                   std::string& loadCase, analysis::Bound& bound, bool& numberAt);

class TableReader {
public:
    TableReader(TableOptions options, TableNaming naming);
    ~TableReader();

    // A table's title row ("TABLE:  Element Forces - Frames"): the rows that follow, to the next title, are
    // that table, its header first. Rows before any title are a table without one.
    void Title(std::string_view title, std::size_t origin);
    // A row of the current table: its header, a units row, or data. Errors (analysis::Error) name the place.
    void Row(const std::vector<std::string_view>& fields, std::size_t origin);
    // The model of the rows kept, with the units they are in. "<source>: no rows after the header", "no row
    // matches the filters", "no table ... " where none fits, "no header row" after title rows alone. A table
    // without rows joins no model: the tables after it are read as if it were not there.
    std::unique_ptr<analysis::Model> Finish();

    // A title row: the text after "TABLE:" (trimmed), or none.
    static std::optional<std::string> TitleOf(const std::vector<std::string_view>& fields);

private:
    struct Table;
    std::unique_ptr<Table> table; // the current one
    std::vector<std::unique_ptr<Table>> done;
    TableOptions options;
    TableNaming naming;
    std::unique_ptr<analysis::Model> model;
    std::vector<std::string> titles;  // of the tables met, for messages
    std::vector<std::string> skipped; // why tables were left out, for the note
    std::set<std::string> leftOut;    // cases not asked for
    bool headed = false;              // a table wanted has a header
    std::size_t dataRows = 0;         // rows after a header, kept or not
    // The layout of each table read, by its first row: how the model names a field's place.
    std::shared_ptr<std::vector<std::pair<std::size_t, analysis::Layout>>> layouts;

    void Start(std::string title, std::size_t origin);
    void Header(const std::vector<std::string_view>& fields, std::size_t origin);
    bool Units(const std::vector<std::string_view>& fields, std::size_t origin);
    void Classify(); // the default forces from the rows held
    void Data(const std::vector<std::string_view>& fields, std::size_t origin);
    void Accept(); // the current table's layout joins the model
};

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_TABLE_H
