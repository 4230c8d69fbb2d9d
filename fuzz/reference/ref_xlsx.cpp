#include "RefXlsx.h"

#include <expat.h>

#include <memory>
#include <string_view>

namespace ref {

namespace {

struct Node {
    std::string name; // local name
    std::vector<std::pair<std::string, std::string>> attributes;
    std::string text; // character data directly inside
    std::vector<std::unique_ptr<Node>> children;
    const std::string* Attribute(const std::string& a) const {
        for (const auto& [k, v] : attributes)
            if (k == a)
                return &v;
        return nullptr;
    }
};

struct Builder {
    XML_Parser parser;
    std::unique_ptr<Node> root;
    std::vector<Node*> path;
    bool dtd = false;
};

std::string Local(const char* name) {
    const std::string s = name;
    const std::size_t colon = s.rfind(':');
    return colon == std::string::npos ? s : s.substr(colon + 1);
}

void XMLCALL Start(void* data, const XML_Char* name, const XML_Char** atts) {
    auto& b = *static_cast<Builder*>(data);
    auto node = std::make_unique<Node>();
    node->name = Local(name);
    for (int i = 0; atts[i]; i += 2)
        node->attributes.emplace_back(atts[i], atts[i + 1]);
    Node* raw = node.get();
    if (b.path.empty())
        b.root = std::move(node);
    else
        b.path.back()->children.push_back(std::move(node));
    b.path.push_back(raw);
}

void XMLCALL End(void* data, const XML_Char*) {
    static_cast<Builder*>(data)->path.pop_back();
}

void XMLCALL Chars(void* data, const XML_Char* s, int len) {
    auto& b = *static_cast<Builder*>(data);
    if (!b.path.empty())
        b.path.back()->text.append(s, static_cast<std::size_t>(len));
}

void XMLCALL Doctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    auto& b = *static_cast<Builder*>(data);
    b.dtd = true;
    XML_StopParser(b.parser, XML_FALSE);
}

void Utf8(std::string& out, unsigned long c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The UTF-16 unit of "_xHHHH_" at s[i], or -1.
long Unit(const std::string& s, std::size_t i) {
    if (i + 7 > s.size() || s.compare(i, 2, "_x") != 0 || s[i + 6] != '_')
        return -1;
    const std::string hex = s.substr(i + 2, 4);
    if (hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return -1;
    return std::stol(hex, nullptr, 16);
}

std::string Unescape(const std::string& s) {
    std::string out;
    std::size_t i = 0;
    while (i < s.size()) {
        const long u = Unit(s, i);
        if (u >= 0 && (u < 0xD800 || u >= 0xE000)) {
            Utf8(out, static_cast<unsigned long>(u));
            i += 7;
        } else if (u >= 0xD800 && u < 0xDC00 && Unit(s, i + 7) >= 0xDC00 && Unit(s, i + 7) < 0xE000) {
            Utf8(out, 0x10000 + ((static_cast<unsigned long>(u) - 0xD800) << 10) +
                          static_cast<unsigned long>(Unit(s, i + 7) - 0xDC00));
            i += 14;
        } else if (u >= 0) {
            out += s.substr(i, 7);
            i += 7;
        } else {
            out += s[i++];
        }
    }
    return out;
}

bool Number(const std::string& s, unsigned long long limit, unsigned long long& n) {
    if (s.empty() || s.find_first_not_of("0123456789") != std::string::npos)
        return false;
    n = 0;
    for (char c : s) {
        n = n * 10 + static_cast<unsigned long long>(c - '0');
        if (n > limit)
            n = limit + 1; // saturates
    }
    return true;
}

// A cell's text, or false for a cell the reader refuses.
bool CellText(const Node& c, const std::vector<std::string>& strings, std::string& out) {
    const std::string* t = c.Attribute("t");
    const std::string type = t ? *t : "";
    std::string v, is;
    bool hasV = false;
    for (const auto& k : c.children) {
        if (k->name == "v") {
            v += k->text;
            hasV = true;
        } else if (k->name == "is") {
            for (const auto& part : k->children) {
                if (part->name == "t")
                    is += part->text;
                else if (part->name == "r")
                    for (const auto& run : part->children)
                        if (run->name == "t")
                            is += run->text;
            }
        }
    }
    if (type.empty() || type == "n") {
        out = v;
    } else if (type == "s") {
        out.clear();
        if (!hasV)
            return true;
        unsigned long long i = 0;
        if (!Number(v, strings.size(), i) || i >= strings.size())
            return false;
        out = strings[i];
    } else if (type == "inlineStr") {
        out = Unescape(is);
    } else if (type == "str") {
        out = Unescape(v);
    } else if (type == "b") {
        out.clear();
        if (!hasV)
            return true;
        if (v == "1" || v == "true")
            out = "TRUE";
        else if (v == "0" || v == "false")
            out = "FALSE";
        else
            return false;
    } else {
        return false;
    }
    return true;
}

} // namespace

SheetRows ReadSheetXml(const std::string& xml, const std::vector<std::string>& strings) {
    SheetRows result;
    Builder b;
    b.parser = XML_ParserCreate("UTF-8");
    XML_SetUserData(b.parser, &b);
    XML_SetElementHandler(b.parser, Start, End);
    XML_SetCharacterDataHandler(b.parser, Chars);
    XML_SetStartDoctypeDeclHandler(b.parser, Doctype);
    const bool parsed =
        XML_Parse(b.parser, xml.data(), static_cast<int>(xml.size()), XML_TRUE) == XML_STATUS_OK;
    XML_ParserFree(b.parser);
    if (b.dtd) {
        result.status = SheetRows::Status::Refused;
        return result;
    }
    if (!parsed) {
        result.status = SheetRows::Status::Malformed;
        return result;
    }

    const unsigned long long maxRow = 1048576, maxColumn = 16384;
    unsigned long long rowNumber = 0;
    for (const auto& data : b.root->children) {
        if (data->name != "sheetData")
            continue;
        for (const auto& row : data->children) {
            if (row->name != "row")
                continue;
            unsigned long long number = rowNumber + 1;
            if (const std::string* r = row->Attribute("r")) {
                if (!Number(*r, maxRow, number) || number == 0 || number <= rowNumber)
                    number = maxRow + 1;
            }
            if (number > maxRow) {
                result.status = SheetRows::Status::Refused;
                return result;
            }
            rowNumber = number;
            std::vector<std::string> cells;
            for (const auto& c : row->children) {
                if (c->name != "c")
                    continue;
                unsigned long long column = cells.size() + 1;
                if (const std::string* r = c->Attribute("r")) {
                    const std::size_t letters = r->find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
                    unsigned long long cellRow = 0;
                    column = 0;
                    if (letters == std::string::npos || letters == 0 || letters > 3 ||
                        !Number(r->substr(letters), maxRow, cellRow) || cellRow != number) {
                        result.status = SheetRows::Status::Refused;
                        return result;
                    }
                    for (std::size_t i = 0; i < letters; ++i)
                        column = column * 26 + static_cast<unsigned long long>((*r)[i] - 'A' + 1);
                    if (column <= cells.size())
                        column = maxColumn + 1;
                }
                std::string text;
                if (column > maxColumn || !CellText(*c, strings, text)) {
                    result.status = SheetRows::Status::Refused;
                    return result;
                }
                cells.resize(column - 1);
                cells.push_back(text);
            }
            result.rows.emplace_back(number, std::move(cells));
        }
    }
    return result;
}

} // namespace ref
