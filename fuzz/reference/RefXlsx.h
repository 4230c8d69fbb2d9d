// Reference: a worksheet's XML read by expat into a tree, then walked to its rows, the test oracle of the
// xlsx reader's own scanner.
#ifndef VYMATH_FUZZ_REFXLSX_H
#define VYMATH_FUZZ_REFXLSX_H

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace ref {

struct SheetRows {
    enum class Status {
        Ok,        // every row read
        Malformed, // expat refuses the XML
        Refused    // a DTD, or a row or cell the reader refuses; `rows` are those before it
    };
    Status status = Status::Ok;
    std::vector<std::pair<std::size_t, std::vector<std::string>>> rows;
};

// The rows of the worksheet XML `xml` by the reader's rules (formats/xlsx/Xlsx.h), with the shared
// strings `strings`.
SheetRows ReadSheetXml(const std::string& xml, const std::vector<std::string>& strings);

} // namespace ref

#endif // VYMATH_FUZZ_REFXLSX_H
