// The error the reader's parts throw: a message and, where there is one, the place (a cell, a row, a line
// of XML) that XlsxWorkbook puts after the workbook's and the sheet's names.
#ifndef VYMATH_FORMATS_XLSX_FAILURE_H
#define VYMATH_FORMATS_XLSX_FAILURE_H

#include <stdexcept>
#include <string>
#include <utility>

namespace vymath {
namespace formats {
namespace detail {

struct Failure : std::runtime_error {
    explicit Failure(const std::string& message, std::string where = {})
        : std::runtime_error(message), where(std::move(where)) {}
    std::string where; // "cell C12", "row 7", "line 3, column 10", or empty
};

} // namespace detail
} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_XLSX_FAILURE_H
