#include "Xml.h"

#include "Failure.h"
#include "Zip.h"

#include <expat.h>

#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>

namespace vymath {
namespace formats {
namespace detail {

namespace {

struct Context {
    XML_Parser parser;
    XmlHandler& handler;
    std::exception_ptr error;
    bool dtd = false;
};

void Stop(Context& c) {
    c.error = std::current_exception();
    XML_StopParser(c.parser, XML_FALSE);
}

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto& c = *static_cast<Context*>(data);
    try {
        c.handler.Start(LocalName(name), attributes);
    } catch (...) {
        Stop(c);
    }
}

void XMLCALL OnEnd(void* data, const XML_Char* name) {
    auto& c = *static_cast<Context*>(data);
    try {
        c.handler.End(LocalName(name));
    } catch (...) {
        Stop(c);
    }
}

void XMLCALL OnText(void* data, const XML_Char* s, int len) {
    auto& c = *static_cast<Context*>(data);
    try {
        c.handler.Text(std::string_view(s, static_cast<std::size_t>(len)));
    } catch (...) {
        Stop(c);
    }
}

void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    auto& c = *static_cast<Context*>(data);
    c.dtd = true;
    XML_StopParser(c.parser, XML_FALSE);
}

// The code unit of the escape _xHHHH_ at text[i], or -1.
long EscapeAt(std::string_view text, std::size_t i) {
    if (i + 7 > text.size() || text[i] != '_' || text[i + 1] != 'x' || text[i + 6] != '_')
        return -1;
    long unit = 0;
    for (std::size_t k = i + 2; k < i + 6; ++k) {
        const char ch = text[k];
        int d;
        if (ch >= '0' && ch <= '9')
            d = ch - '0';
        else if (ch >= 'a' && ch <= 'f')
            d = ch - 'a' + 10;
        else if (ch >= 'A' && ch <= 'F')
            d = ch - 'A' + 10;
        else
            return -1;
        unit = unit * 16 + d;
    }
    return unit;
}

} // namespace

std::string_view LocalName(std::string_view name) {
    const std::size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

const char* Attribute(const char** attributes, std::string_view local, bool prefixed) {
    for (; *attributes; attributes += 2) {
        const std::string_view name = attributes[0];
        if (LocalName(name) == local && (name.size() > local.size()) == prefixed)
            return attributes[1];
    }
    return nullptr;
}

void AppendUtf8(std::string& out, unsigned long cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void AppendUnescaped(std::string& out, std::string_view text) {
    std::size_t done = 0;
    for (std::size_t i = text.find("_x"); i != std::string_view::npos; i = text.find("_x", i)) {
        const long unit = EscapeAt(text, i);
        if (unit < 0) {
            ++i;
            continue;
        }
        std::size_t length = 7;
        unsigned long cp = static_cast<unsigned long>(unit);
        if (unit >= 0xD800 && unit < 0xDC00) {
            const long low = EscapeAt(text, i + 7);
            if (low < 0xDC00 || low >= 0xE000) {
                i += 7;
                continue;
            }
            cp = 0x10000 + ((cp - 0xD800) << 10) + static_cast<unsigned long>(low - 0xDC00);
            length = 14;
        } else if (unit >= 0xDC00 && unit < 0xE000) {
            i += 7;
            continue;
        }
        out.append(text.data() + done, i - done);
        AppendUtf8(out, cp);
        i += length;
        done = i;
    }
    out.append(text.data() + done, text.size() - done);
}

void ParseXml(ZipEntry& entry, XmlHandler& handler) {
    std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(XML_ParserCreate("UTF-8"),
                                                                        &XML_ParserFree);
    if (!parser)
        throw Failure("out of memory");
    Context c{parser.get(), handler, nullptr};
    XML_SetUserData(parser.get(), &c);
    XML_SetElementHandler(parser.get(), OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser.get(), OnText);
    XML_SetStartDoctypeDeclHandler(parser.get(), OnDoctype);
    constexpr int kChunk = 1 << 16;
    for (;;) {
        void* buffer = XML_GetBuffer(parser.get(), kChunk);
        if (!buffer)
            throw Failure("out of memory");
        const std::size_t n = entry.Read(static_cast<char*>(buffer), kChunk);
        if (XML_ParseBuffer(parser.get(), static_cast<int>(n), n == 0) != XML_STATUS_OK) {
            if (c.error)
                std::rethrow_exception(c.error);
            if (c.dtd)
                throw Failure("XML with a document type declaration (DTD), refused");
            const std::string where = "line " + std::to_string(XML_GetCurrentLineNumber(parser.get())) +
                                      ", column " +
                                      std::to_string(XML_GetCurrentColumnNumber(parser.get()) + 1);
            throw Failure(std::string("malformed XML (") + XML_ErrorString(XML_GetErrorCode(parser.get())) +
                              ")",
                          where);
        }
        if (n == 0)
            return;
    }
}

bool AppendCharacterReference(std::string& out, std::string_view ref) {
    if (ref == "lt")
        out += '<';
    else if (ref == "gt")
        out += '>';
    else if (ref == "amp")
        out += '&';
    else if (ref == "quot")
        out += '"';
    else if (ref == "apos")
        out += '\'';
    else if (ref.size() >= 2 && ref[0] == '#') {
        const bool hex = ref[1] == 'x';
        const std::size_t first = hex ? 2 : 1;
        if (first == ref.size() || ref.size() - first > 8)
            return false;
        std::uint32_t cp = 0;
        for (std::size_t i = first; i < ref.size(); ++i) {
            const char c = ref[i];
            std::uint32_t d;
            if (c >= '0' && c <= '9')
                d = static_cast<std::uint32_t>(c - '0');
            else if (hex && c >= 'a' && c <= 'f')
                d = static_cast<std::uint32_t>(c - 'a' + 10);
            else if (hex && c >= 'A' && c <= 'F')
                d = static_cast<std::uint32_t>(c - 'A' + 10);
            else
                return false;
            cp = cp * (hex ? 16 : 10) + d;
        }
        if (cp == 0 || (cp >= 0xD800 && cp < 0xE000) || cp > 0x10FFFF)
            return false;
        AppendUtf8(out, cp);
    } else {
        return false;
    }
    return true;
}

} // namespace detail
} // namespace formats
} // namespace vymath
