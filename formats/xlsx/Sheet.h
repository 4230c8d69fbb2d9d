// A worksheet's XML read as rows: a scanner of its own for the sheet (sheets are most of a workbook's
// bytes; expat reads them at a fraction of the speed), and the cells' rules.
#ifndef VYMATH_FORMATS_XLSX_SHEET_H
#define VYMATH_FORMATS_XLSX_SHEET_H

#include "formats/xlsx/Xlsx.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vymath {
namespace formats {
namespace detail {

// The workbook's shared strings, in order, held as one text.
class SharedStrings {
public:
    void Add(std::string_view s) {
        text.append(s);
        ends.push_back(text.size());
    }
    std::size_t Size() const { return ends.size(); }
    std::string_view At(std::size_t i) const {
        const std::size_t start = i == 0 ? 0 : ends[i - 1];
        return std::string_view(text).substr(start, ends[i] - start);
    }

private:
    std::string text;
    std::vector<std::size_t> ends;
};

// Up to `capacity` further bytes of the XML into the buffer; 0 at its end.
using ByteSource = std::function<std::size_t(char* out, std::size_t capacity)>;

// Reads a worksheet's XML to its end, or until onRow returns false, passing each row of its sheetData.
// The XML is checked as it is read: elements nest and close, entity and character references are the
// predefined ones, a DTD is refused; it is not validated further (characters, names, attributes that
// appear twice). Throws Failure with the row or the cell where there is one.
void ScanSheet(const ByteSource& read, const SharedStrings& strings, const XlsxRowHandler& onRow);

} // namespace detail
} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_XLSX_SHEET_H
