/// @file
/// Reading the sheets of an .xlsx workbook as rows of cell texts, streamed.
#ifndef VYMATH_FORMATS_XLSX_H
#define VYMATH_FORMATS_XLSX_H

#include <cstddef>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vymath {
namespace formats {

/// A workbook or sheet that cannot be read, with a one-line message that starts with the workbook's name
/// and names the sheet and the cell or row where there is one:
/// `book.xlsx: sheet "Forces" cell C12: the error value #DIV/0!`.
class XlsxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Receives one row of a sheet: its 1-based number and its cells' texts in column order (cells[0] is column
/// A). Cells the sheet leaves out are empty texts; the row ends at its last cell written, so rows differ in
/// length, and a row written without cells has none. The texts are valid during the call only. Returns
/// false to stop the read.
using XlsxRowHandler = std::function<bool(std::size_t row, const std::vector<std::string_view>& cells)>;

/// An .xlsx workbook open for reading. Opening reads the zip's directory and the workbook's list of
/// sheets (found through the package's relationships, never by assumed part names); reading a sheet
/// streams its XML, one row at a time, with the shared-strings table (read once, at the first sheet)
/// as the only other thing held in memory.
///
/// Cell texts: a shared or inline string its text (rich-text runs joined, phonetic runs left out, Excel's
/// `_xHHHH_` escapes decoded), a number the text of its value exactly as written ("-2.7000000000000001E-3"),
/// a boolean "TRUE" or "FALSE", a formula's cached value (its string for t="str"), an empty cell "". An
/// error value (t="e") or any other cell type is an error naming the cell.
///
/// Refused, each with its own message: a file that is not a zip archive, a damaged or truncated one, a
/// password-protected workbook (an OLE compound file), a zip entry that inflates past 4 GiB or past 100
/// times its compressed size (counted while inflating: declared sizes are not trusted), XML with a
/// document type declaration (entities are never expanded), malformed XML, a package without a workbook
/// part, rows or cells out of order, a cell reference beyond XFD1048576.
class XlsxWorkbook {
public:
    /// Opens the workbook at `path`, named by that path in messages. Reads the zip's directory, the
    /// relationships and the workbook part; the sheets' data is read by ReadSheet. Throws XlsxError.
    static XlsxWorkbook Open(const std::string& path);
    /// Opens a workbook from its bytes, named `name` in messages. Throws XlsxError.
    static XlsxWorkbook FromBytes(std::string bytes, std::string name);

    XlsxWorkbook(XlsxWorkbook&&) noexcept;
    XlsxWorkbook& operator=(XlsxWorkbook&&) noexcept;
    ~XlsxWorkbook();

    /// The workbook's name in messages.
    const std::string& Name() const;
    /// The names of its worksheets in workbook order (chart sheets are left out).
    const std::vector<std::string>& SheetNames() const;

    /// Streams the sheet named `sheet` (exactly, letter case included) to `onRow`, row by row in
    /// increasing order; rows the sheet leaves out are skipped. A row or cell without its `r` attribute
    /// follows the previous one, as in Excel. Stops when `onRow` returns false. Time linear in the sheet's
    /// XML; memory: one row, and the shared-strings table. Throws XlsxError for a sheet that is not there
    /// (the message lists those that are) and for every problem met on the way: rows already passed to
    /// `onRow` stand, so a caller that must not act on part of a sheet waits for the return. An exception
    /// thrown by `onRow` passes through unchanged.
    void ReadSheet(std::string_view sheet, const XlsxRowHandler& onRow);

private:
    struct Impl;
    explicit XlsxWorkbook(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl;
};

/// Excel's 1-based column number of the letters `letters` ("A" 1, "Z" 26, "AA" 27, "XFD" 16384); 0 for
/// an empty text, letters other than A-Z, or a column past XFD.
std::size_t XlsxColumnNumber(std::string_view letters);

/// The letters of Excel's 1-based column `column` (1 "A", 27 "AA"); column must be at least 1.
std::string XlsxColumnName(std::size_t column);

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_XLSX_H
