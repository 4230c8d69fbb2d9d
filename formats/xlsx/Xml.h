// The workbook's XML parts other than sheets, parsed with expat: the relationships, the workbook part and
// the shared strings. A document type declaration is refused before anything in it is read.
#ifndef VYMATH_FORMATS_XLSX_XML_H
#define VYMATH_FORMATS_XLSX_XML_H

#include <string>
#include <string_view>

namespace vymath {
namespace formats {
namespace detail {

class ZipEntry;

// Receives a document's elements by local name (the part after a namespace prefix). May throw.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual void Start(std::string_view name, const char** attributes) = 0;
    virtual void End(std::string_view name) = 0;
    virtual void Text(std::string_view) {}
};

// Parses the entry to its end. Throws Failure (the place: "line L, column C") for malformed XML or a
// DTD, and what the handler throws.
void ParseXml(ZipEntry& entry, XmlHandler& handler);

// The part of an XML name after its prefix.
std::string_view LocalName(std::string_view name);

// The value of the attribute with local name `local` (and a prefix if `prefixed`), or nullptr.
const char* Attribute(const char** attributes, std::string_view local, bool prefixed = false);

// Appends `text` to `out` with Excel's escapes decoded: _xHHHH_ is the UTF-16 code unit HHHH (a surrogate
// pair one character beyond the BMP), written as UTF-8; a lone surrogate stays as written. Read left to
// right, "_x005F_x0041_" is "_x0041_".
void AppendUnescaped(std::string& out, std::string_view text);

// The character reference or predefined entity `ref` (the text between '&' and ';': "amp", "#x41")
// appended decoded to out; false for one that is not predefined or not a valid character.
bool AppendCharacterReference(std::string& out, std::string_view ref);

// Code point cp (at most U+10FFFF) appended as UTF-8.
void AppendUtf8(std::string& out, unsigned long cp);

} // namespace detail
} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_XLSX_XML_H
