// A workbook of one sheet, written whole into bytes: rows of cells, each a text, a number or empty. A number
// is written in its shortest form that reads back to the same bits, so that what a reader takes from the
// sheet is the double written (libxlsxwriter writes 16 significant digits, which a double may need 17 of).
#ifndef VYMATH_FORMATS_XLSX_WRITER_H
#define VYMATH_FORMATS_XLSX_WRITER_H

#include <string>
#include <vector>

namespace vymath {
namespace formats {

struct XlsxCell {
    enum class Kind { Empty, Text, Number };
    Kind kind = Kind::Empty;
    std::string text;
    double number = 0.0;

    static XlsxCell Text(std::string s) { return {Kind::Text, std::move(s), 0.0}; }
    static XlsxCell Number(double v) { return {Kind::Number, {}, v}; }
};

class XlsxSheetWriter {
public:
    explicit XlsxSheetWriter(std::string sheet);
    // The next row (rows 1, 2, ... in order); a non-finite number is written as an empty cell.
    void Row(const std::vector<XlsxCell>& cells);
    // The workbook: a zip of its parts (content types, relationships, workbook, styles, the sheet with
    // inline strings). Throws std::runtime_error where libzip fails.
    std::string Bytes() const;

private:
    std::string sheet;
    std::string data; // the sheet's rows, as XML
    std::size_t rows = 0;
};

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_XLSX_WRITER_H
