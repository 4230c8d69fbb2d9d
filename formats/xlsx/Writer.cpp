// A workbook of one sheet, written whole.
#include "Writer.h"

#include "Xlsx.h"

#include <zip.h>

#include <charconv>
#include <cmath>
#include <memory>
#include <stdexcept>

namespace vymath {
namespace formats {

namespace {

// XML text: & < > and the quote escaped; control characters other than tab and line ends left out.
std::string Escaped(const std::string& s) {
    std::string out;
    for (char c : s) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"')
            out += "&quot;";
        else if (u >= 0x20 || c == '\t' || c == '\n' || c == '\r')
            out += c;
    }
    return out;
}

const char* kContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/><Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/><Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/></Types>)";
const char* kRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)";
const char* kWorkbookRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/></Relationships>)";
const char* kStyles =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><fonts count="1"><font><sz val="11"/><name val="Calibri"/></font></fonts><fills count="2"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill></fills><borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders><cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs><cellXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/></cellXfs></styleSheet>)";

struct SourceCloser {
    void operator()(zip_source_t* s) const { zip_source_free(s); }
};

[[noreturn]] void Fail(const std::string& what, zip_error_t* error) {
    throw std::runtime_error("the workbook cannot be written: " + what + ": " + zip_error_strerror(error));
}

} // namespace

XlsxSheetWriter::XlsxSheetWriter(std::string sheet_) : sheet(std::move(sheet_)) {}

void XlsxSheetWriter::Row(const std::vector<XlsxCell>& cells) {
    ++rows;
    const std::string r = std::to_string(rows);
    data += "<row r=\"" + r + "\">";
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const XlsxCell& cell = cells[c];
        const std::string ref = XlsxColumnName(c + 1) + r;
        if (cell.kind == XlsxCell::Kind::Text) {
            data += "<c r=\"" + ref + "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">" +
                    Escaped(cell.text) + "</t></is></c>";
        } else if (cell.kind == XlsxCell::Kind::Number && std::isfinite(cell.number)) {
            char buf[32];
            const auto end = std::to_chars(buf, buf + sizeof buf, cell.number).ptr;
            data += "<c r=\"" + ref + "\"><v>" + std::string(buf, end) + "</v></c>";
        }
    }
    data += "</row>";
}

std::string XlsxSheetWriter::Bytes() const {
    const std::string workbook =
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name=")" +
        Escaped(sheet) + R"(" sheetId="1" r:id="rId1"/></sheets></workbook>)";
    const std::string worksheet =
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)" +
        data + "</sheetData></worksheet>";
    const std::pair<const char*, std::string> parts[] = {{"[Content_Types].xml", kContentTypes},
                                                         {"_rels/.rels", kRels},
                                                         {"xl/workbook.xml", workbook},
                                                         {"xl/_rels/workbook.xml.rels", kWorkbookRels},
                                                         {"xl/styles.xml", kStyles},
                                                         {"xl/worksheets/sheet1.xml", worksheet}};
    zip_error_t error;
    zip_error_init(&error);
    std::unique_ptr<zip_source_t, SourceCloser> buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!buffer)
        Fail("a buffer", &error);
    zip_source_keep(buffer.get());
    zip_t* archive = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error);
    if (archive == nullptr)
        Fail("the archive", &error);
    for (const auto& [name, text] : parts) {
        zip_source_t* part = zip_source_buffer(archive, text.data(), text.size(), 0);
        if (part == nullptr || zip_file_add(archive, name, part, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
            if (part != nullptr)
                zip_source_free(part);
            zip_discard(archive);
            throw std::runtime_error(std::string("the workbook cannot be written: ") + name);
        }
    }
    if (zip_close(archive) < 0) { // writes the parts while they are still alive
        zip_discard(archive);
        throw std::runtime_error("the workbook cannot be written");
    }
    zip_stat_t stat;
    if (zip_source_stat(buffer.get(), &stat) < 0 || zip_source_open(buffer.get()) < 0)
        Fail("its bytes", zip_source_error(buffer.get()));
    std::string bytes(static_cast<std::size_t>(stat.size), '\0');
    const zip_int64_t got = zip_source_read(buffer.get(), bytes.data(), stat.size);
    zip_source_close(buffer.get());
    if (got != static_cast<zip_int64_t>(stat.size))
        Fail("its bytes", zip_source_error(buffer.get()));
    return bytes;
}

} // namespace formats
} // namespace vymath
