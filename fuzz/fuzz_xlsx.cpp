// Fuzzing of the xlsx reader. The input is read twice: as a whole workbook (no crash, no hang, memory
// within libFuzzer's bound, every failure an XlsxError), and as the XML of the one sheet of a workbook
// otherwise fixed, where the reader's scanner must agree with expat (fuzz/reference/ref_xlsx.cpp): the
// same rows wherever expat accepts the XML, and a refusal where the reference refuses a row or a cell
// (the scanner checks less than expat, so XML that expat refuses may still be read).
#include "formats/ZipWriter.h"
#include "reference/RefXlsx.h"

#include "formats/xlsx/Xlsx.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using vymath::formats::XlsxError;
using vymath::formats::XlsxWorkbook;
using Rows = std::vector<std::pair<std::size_t, std::vector<std::string>>>;

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "invariant broken: %s\n%s\n", what, detail.c_str());
    std::abort();
}

std::string Show(const Rows& rows) {
    std::string s;
    for (const auto& [n, cells] : rows) {
        s += std::to_string(n) + ":";
        for (const std::string& c : cells)
            s += " [" + c + "]";
        s += "\n";
    }
    return s;
}

// Every sheet of the workbook read; returns whether all of them were.
bool ReadAll(XlsxWorkbook& book, Rows* rows) {
    try {
        for (const std::string& sheet : book.SheetNames())
            book.ReadSheet(sheet, [&](std::size_t n, const std::vector<std::string_view>& cells) {
                if (rows)
                    rows->emplace_back(n, std::vector<std::string>(cells.begin(), cells.end()));
                return true;
            });
        return true;
    } catch (const XlsxError&) {
        return false;
    }
}

const std::vector<std::string> kStrings = {"G", "Q1", "", "a_x0041_b", "M3"};
const char* const kSharedStrings =
    "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>G</t></si>"
    "<si><r><t>Q</t></r><r><t>1</t></r></si><si><t/></si><si><t>a_x005F_x0041_b</t></si>"
    "<si><t>M3</t><rPh><t>x</t></rPh></si></sst>";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);

    try {
        XlsxWorkbook book = XlsxWorkbook::FromBytes(input, "fuzz.xlsx");
        ReadAll(book, nullptr);
    } catch (const XlsxError&) {
    }

    const std::string zip = ziptest::Zip(ziptest::Workbook({{"S", input}}, kSharedStrings, false));
    XlsxWorkbook book = XlsxWorkbook::FromBytes(zip, "sheet.xlsx");
    Rows rows;
    const bool read = ReadAll(book, &rows);
    const ref::SheetRows expected = ref::ReadSheetXml(input, kStrings);
    if (expected.status == ref::SheetRows::Status::Ok && (!read || rows != expected.rows))
        Fail("the rows differ from expat's", Show(rows) + "expected:\n" + Show(expected.rows));
    if (expected.status == ref::SheetRows::Status::Refused && (read || rows != expected.rows))
        Fail("the reference refuses the sheet, and the reader does not at the same row",
             Show(rows) + "expected:\n" + Show(expected.rows));
    return 0;
}
