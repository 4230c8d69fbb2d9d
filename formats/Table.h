// Rows of text fields into a model: the one parser base of every reader of tables (a CSV file's lines, a
// sheet's rows). A reader only turns its bytes into rows of fields; the header's columns, the filters, the
// numbers and names of each row, and every message about them are this reader's and the model's.
#ifndef VYMATH_FORMATS_TABLE_H
#define VYMATH_FORMATS_TABLE_H

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

// How a table reader names its rows and fields: "moment.csv:12", "moment.csv:12: field 3 (y)".
struct TableNaming {
    std::string source;                                 // the input's name: "moment.csv"
    std::function<std::string(std::size_t origin)> row; // where a row stands
    // Where a row's field stands, by its column (position in the header) and its role there (as
    // analysis::Layout::Role words it).
    std::function<std::string(std::size_t origin, std::size_t column, const std::string& role)> field;
};

class TableReader {
public:
    TableReader(const analysis::ColumnRequest& request, TableNaming naming);

    // The header (a byte-order mark before the first name is dropped). analysis::Error as
    // analysis::ResolveColumns throws it, its message preceded by the row's place.
    void Header(const std::vector<std::string_view>& fields, std::size_t origin);
    bool HasHeader() const { return model != nullptr; }

    // A row after the header: of the header's width ("<row>: 2 fields, expected 3 (case,x,y)"), kept or
    // not by the filters, its numbers parsed ("<field> "12kN" is not a number"; an empty force field is
    // no value), then added to the model (which checks the names).
    void Row(const std::vector<std::string_view>& fields, std::size_t origin);

    // The model of the rows kept. "<source>: no rows after the header", "<source>: no row matches the
    // filters".
    std::unique_ptr<analysis::Model> Finish();

private:
    double Number(std::size_t column, std::size_t origin, bool mayBeEmpty) const;
    std::string FieldAt(std::size_t origin, std::size_t column) const;

    const analysis::ColumnRequest& request;
    TableNaming naming;
    analysis::Layout layout;
    std::string joined; // the header, for messages
    std::unique_ptr<analysis::Model> model;
    const std::vector<std::string_view>* fields = nullptr; // the current row
    std::vector<double> values;
    std::size_t rows = 0; // data rows, kept or not
};

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_TABLE_H
