// Zip archives written by hand (zlib for CRC and deflate), for workbooks made in the tests and the fuzz
// target, malformed ones included.
#ifndef VYMATH_TESTS_ZIPWRITER_H
#define VYMATH_TESTS_ZIPWRITER_H

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ziptest {

struct Entry {
    Entry(std::string name, std::string data, bool deflate = true)
        : name(std::move(name)), data(std::move(data)), deflate(deflate) {}
    std::string name;
    std::string data;
    bool deflate = true;
    std::optional<std::uint32_t> declaredSize; // the inflated size written in the headers (default: true)
    std::optional<std::string> body;           // the bytes stored (default: the data, deflated if asked)
};

inline void Put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Raw deflate (no zlib header) at the best compression.
inline std::string Deflate(const std::string& data) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// The archive of the entries, in order.
inline std::string Zip(const std::vector<Entry>& entries) {
    std::string out, directory;
    for (const Entry& e : entries) {
        const std::uint32_t crc = static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size())));
        const std::string body = e.body ? *e.body : e.deflate ? Deflate(e.data) : e.data;
        const std::uint32_t size =
            e.declaredSize ? *e.declaredSize : static_cast<std::uint32_t>(e.data.size());
        const std::uint32_t offset = static_cast<std::uint32_t>(out.size());
        std::string common;
        Put(common, 20, 2);                // version needed
        Put(common, 0, 2);                 // flags
        Put(common, e.deflate ? 8 : 0, 2); // method
        Put(common, 0, 2);                 // time
        Put(common, 0x21, 2);              // date: 1980-01-01
        Put(common, crc, 4);               //
        Put(common, static_cast<std::uint32_t>(body.size()), 4);
        Put(common, size, 4);
        Put(common, static_cast<std::uint32_t>(e.name.size()), 2);
        Put(common, 0, 2); // extra field
        Put(out, 0x04034b50, 4);
        out += common + e.name + body;
        Put(directory, 0x02014b50, 4);
        Put(directory, 20, 2); // version made by
        directory += common;
        Put(directory, 0, 2); // comment
        Put(directory, 0, 2); // disk
        Put(directory, 0, 2); // internal attributes
        Put(directory, 0, 4); // external attributes
        Put(directory, offset, 4);
        directory += e.name;
    }
    const std::uint32_t start = static_cast<std::uint32_t>(out.size());
    out += directory;
    Put(out, 0x06054b50, 4);
    Put(out, 0, 2);
    Put(out, 0, 2);
    Put(out, static_cast<std::uint32_t>(entries.size()), 2);
    Put(out, static_cast<std::uint32_t>(entries.size()), 2);
    Put(out, static_cast<std::uint32_t>(directory.size()), 4);
    Put(out, start, 4);
    Put(out, 0, 2);
    return out;
}

// The parts of a workbook with the given sheets (name, sheet XML) and shared strings (the XML of
// xl/sharedStrings.xml; none if empty), stored or deflated.
inline std::vector<Entry> Workbook(const std::vector<std::pair<std::string, std::string>>& sheets,
                                   const std::string& sharedStrings = {}, bool deflate = true) {
    const std::string ns = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    std::string book = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                       "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                       "xmlns:r=\"" +
                       ns + "\"><sheets>";
    std::string rels =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    std::vector<Entry> parts;
    parts.push_back({"[Content_Types].xml", "<Types/>", deflate});
    parts.push_back({"_rels/.rels",
                     "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                     "<Relationship Id=\"rId1\" Type=\"" +
                         ns +
                         "/officeDocument\" Target=\"xl/workbook.xml\"/>"
                         "</Relationships>",
                     deflate});
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::string id = "rId" + std::to_string(i + 1);
        const std::string file = "sheet" + std::to_string(i + 1) + ".xml";
        book += "<sheet name=\"" + sheets[i].first + "\" sheetId=\"" + std::to_string(i + 1) + "\" r:id=\"" +
                id + "\"/>";
        rels += "<Relationship Id=\"" + id + "\" Type=\"" + ns + "/worksheet\" Target=\"worksheets/" + file +
                "\"/>";
        parts.push_back({"xl/worksheets/" + file, sheets[i].second, deflate});
    }
    if (!sharedStrings.empty()) {
        rels += "<Relationship Id=\"rIdS\" Type=\"" + ns + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
        parts.push_back({"xl/sharedStrings.xml", sharedStrings, deflate});
    }
    parts.push_back({"xl/workbook.xml", book + "</sheets></workbook>", deflate});
    parts.push_back({"xl/_rels/workbook.xml.rels", rels + "</Relationships>", deflate});
    return parts;
}

} // namespace ziptest

#endif // VYMATH_TESTS_ZIPWRITER_H
