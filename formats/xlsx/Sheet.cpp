#include "Sheet.h"

#include "Failure.h"
#include "Xml.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace vymath {
namespace formats {
namespace detail {

namespace {

constexpr std::size_t kMaxRow = 1048576;
constexpr std::size_t kMaxColumn = 16384;

// What an open element is to the reader, from its local name and its parent's role.
enum class Role : unsigned char { Other, Root, SheetData, Row, Cell, Value, Inline, Run, Text };

Role RoleOf(Role parent, std::string_view name) {
    switch (parent) {
    case Role::Root:
        return name == "sheetData" ? Role::SheetData : Role::Other;
    case Role::SheetData:
        return name == "row" ? Role::Row : Role::Other;
    case Role::Row:
        return name == "c" ? Role::Cell : Role::Other;
    case Role::Cell:
        return name == "v" ? Role::Value : name == "is" ? Role::Inline : Role::Other;
    case Role::Inline:
        return name == "t" ? Role::Text : name == "r" ? Role::Run : Role::Other;
    case Role::Run:
        return name == "t" ? Role::Text : Role::Other;
    default:
        return Role::Other;
    }
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Parses Excel's reference "AB12" into its column and row; false if it is not one, or lies past XFD1048576.
bool ParseReference(std::string_view r, std::size_t& column, std::size_t& row) {
    std::size_t i = 0;
    while (i < r.size() && r[i] >= 'A' && r[i] <= 'Z')
        ++i;
    if (i == 0 || i > 3 || i == r.size())
        return false;
    column = XlsxColumnNumber(r.substr(0, i));
    row = 0;
    for (std::size_t k = i; k < r.size(); ++k) {
        if (r[k] < '0' || r[k] > '9' || row > kMaxRow)
            return false;
        row = row * 10 + static_cast<std::size_t>(r[k] - '0');
    }
    return column != 0 && row >= 1 && row <= kMaxRow;
}

class Scanner {
public:
    Scanner(const ByteSource& read, const SharedStrings& strings, const XlsxRowHandler& onRow)
        : read(read), strings(strings), onRow(onRow), buffer(std::size_t{1} << 18) {}

    void Run();

private:
    // Input: the unread bytes are [pos, end) of buffer.
    const ByteSource& read;
    const SharedStrings& strings;
    const XlsxRowHandler& onRow;
    std::vector<char> buffer;
    std::size_t pos = 0, end = 0;
    bool eof = false;

    // Open elements: their names, one after another, and where each starts with its role.
    std::string names;
    std::vector<std::pair<std::size_t, Role>> open;
    bool rootSeen = false;

    // The row being read.
    std::size_t rowNumber = 0;  // of the current or last row
    std::size_t lastColumn = 0; // of the row's last cell
    std::string texts;          // the row's own texts
    struct Span {
        const char* external; // a shared or constant text, else nullptr: texts[offset, offset + length)
        std::size_t offset;
        std::size_t length;
    };
    std::vector<Span> spans;
    std::vector<std::string_view> cells;

    // The cell being read.
    enum class Type : unsigned char { Number, Shared, Inline, Formula, Boolean, Error, Other };
    std::size_t column = 0;
    Type type = Type::Number;
    std::string otherType; // the t attribute of a type not read
    std::size_t valueStart = 0;
    bool hasValue = false;
    std::string inlineText;
    std::string decoded[2]; // the r and t attributes' values where they hold references or blanks

    bool stopped = false;

    [[noreturn]] void Malformed(const std::string& what) const {
        throw Failure("malformed XML: " + what, rowNumber ? "row " + std::to_string(rowNumber) : "");
    }
    [[noreturn]] void CellFailure(const std::string& what) const {
        throw Failure(what, "cell " + XlsxColumnName(column) + std::to_string(rowNumber));
    }

    bool Refill();
    const char* Token(const char* p, const char* e);
    const char* StartTag(const char* p, const char* e);
    const char* EndTag(const char* p, const char* e);
    void Text(const char* p, const char* e, bool cdata);
    std::string_view Attribute(const char* p, const char* e, std::string& decoded);
    const char* Attributes(const char* q, const char* e, std::string_view name, Role role,
                           std::string_view* values, bool* has, bool& empty);
    const char* FastCell(const char* p, const char* e);

    void StartRow(const std::string_view* r);
    void StartCell(const std::string_view* r, const std::string_view* t);
    void EndCell();
    void EndRow();
};

// Keeps [pos, end), reads more behind it (growing the buffer if it is full). False at the end of the input.
bool Scanner::Refill() {
    if (eof)
        return false;
    if (pos > 0) {
        std::memmove(buffer.data(), buffer.data() + pos, end - pos);
        end -= pos;
        pos = 0;
    }
    if (end == buffer.size())
        buffer.resize(buffer.size() * 2);
    const std::size_t n = read(buffer.data() + end, buffer.size() - end);
    if (n == 0)
        eof = true;
    end += n;
    return n > 0;
}

void Scanner::Run() {
    while (end < 3 && Refill()) {
    }
    if (end >= 3 && std::memcmp(buffer.data(), "\xEF\xBB\xBF", 3) == 0)
        pos = 3;
    for (;;) {
        if (pos == end && !Refill())
            break;
        const char* const p = buffer.data() + pos;
        const char* const next = Token(p, buffer.data() + end);
        if (stopped)
            return;
        if (next) {
            pos += static_cast<std::size_t>(next - p);
        } else if (eof) {
            Malformed("the XML ends inside a tag or a text");
        } else {
            Refill(); // at the end, a text runs to it: the token is tried once more
        }
    }
    if (!open.empty())
        Malformed("the XML ends inside <" + names.substr(open.back().first) + ">");
    if (!rootSeen)
        Malformed("no element");
}

// One tag, text, comment, CDATA section or processing instruction at p; returns the pointer past it, or
// nullptr if it does not end before e.
const char* Scanner::Token(const char* p, const char* e) {
    if (*p != '<') {
        const char* q = static_cast<const char*>(std::memchr(p, '<', static_cast<std::size_t>(e - p)));
        if (!q) {
            if (!eof)
                return nullptr;
            q = e;
        }
        Text(p, q, false);
        return q;
    }
    if (e - p < 2)
        return nullptr;
    if (p[1] == '/')
        return EndTag(p, e);
    if (p[1] == '?') {
        for (const char* q = p + 2; q + 1 < e; ++q)
            if (q[0] == '?' && q[1] == '>')
                return q + 2;
        return nullptr;
    }
    if (p[1] == '!') {
        const std::size_t n = static_cast<std::size_t>(e - p);
        if (n >= 4 && std::memcmp(p, "<!--", 4) == 0) {
            for (const char* q = p + 4; q + 2 < e; ++q)
                if (q[0] == '-' && q[1] == '-' && q[2] == '>')
                    return q + 3;
            return nullptr;
        }
        if (n >= 9 && std::memcmp(p, "<![CDATA[", 9) == 0) {
            for (const char* q = p + 9; q + 2 < e; ++q)
                if (q[0] == ']' && q[1] == ']' && q[2] == '>') {
                    if (open.empty())
                        Malformed("CDATA outside the root element");
                    Text(p + 9, q, true);
                    return q + 3;
                }
            return nullptr;
        }
        if (n < 9)
            return nullptr;
        if (std::memcmp(p, "<!DOCTYPE", 9) == 0)
            throw Failure("XML with a document type declaration (DTD), refused");
        Malformed("a markup declaration");
    }
    if (!open.empty() && open.back().second == Role::Row && p[1] == 'c' && e - p > 2 &&
        (IsSpace(p[2]) || p[2] == '>' || p[2] == '/'))
        if (const char* q = FastCell(p, e))
            return q;
    return StartTag(p, e);
}

// The attributes of a start tag from q to its end, the values of r and t (of a row or cell) in values[0]
// and values[1]. Returns the pointer past the tag (`empty`: it ends with "/>"), or nullptr if it does not
// end before e.
const char* Scanner::Attributes(const char* q, const char* e, std::string_view name, Role role,
                                std::string_view* values, bool* has, bool& empty) {
    const bool wanted = role == Role::Row || role == Role::Cell;
    for (;;) {
        while (q < e && IsSpace(*q))
            ++q;
        if (q == e)
            return nullptr;
        if (*q == '>')
            return q + 1;
        if (*q == '/') {
            if (q + 1 == e)
                return nullptr;
            if (q[1] != '>')
                Malformed("'/' inside the tag <" + std::string(name) + ">");
            empty = true;
            return q + 2;
        }
        const char* a = q;
        while (q < e && !IsSpace(*q) && *q != '=' && *q != '>' && *q != '/')
            ++q;
        const std::string_view attributeName(a, static_cast<std::size_t>(q - a));
        while (q < e && IsSpace(*q))
            ++q;
        if (q == e)
            return nullptr;
        if (*q != '=' || attributeName.empty())
            Malformed("an attribute without a value in <" + std::string(name) + ">");
        ++q;
        while (q < e && IsSpace(*q))
            ++q;
        if (q == e)
            return nullptr;
        if (*q != '"' && *q != '\'')
            Malformed("an attribute value without quotes in <" + std::string(name) + ">");
        const char* v = q + 1;
        q = static_cast<const char*>(std::memchr(v, *q, static_cast<std::size_t>(e - v)));
        if (!q)
            return nullptr;
        if (wanted && attributeName.size() == 1 &&
            (attributeName[0] == 'r' || (role == Role::Cell && attributeName[0] == 't'))) {
            const int k = attributeName[0] == 'r' ? 0 : 1;
            values[k] = Attribute(v, q, decoded[k]);
            has[k] = true;
        }
        ++q;
    }
}

// The usual cell in one go: <c ...> with <v>TEXT</v></c> (TEXT without references or carriage returns),
// or <c .../>. Returns nullptr for anything else, and for a cell that does not end before e: the
// general path reads those.
const char* Scanner::FastCell(const char* p, const char* e) {
    std::string_view values[2];
    bool has[2] = {false, false};
    bool empty = false;
    const char* q = Attributes(p + 2, e, "c", Role::Cell, values, has, empty);
    if (!q)
        return nullptr;
    const char *text = nullptr, *textEnd = nullptr;
    if (!empty) {
        if (e - q < 3 || std::memcmp(q, "<v>", 3) != 0)
            return nullptr;
        text = q + 3;
        textEnd = static_cast<const char*>(std::memchr(text, '<', static_cast<std::size_t>(e - text)));
        if (!textEnd || e - textEnd < 8 || std::memcmp(textEnd, "</v></c>", 8) != 0)
            return nullptr;
        for (const char* k = text; k < textEnd; ++k)
            if (*k == '&' || *k == '\r')
                return nullptr;
        q = textEnd + 8;
    }
    StartCell(has[0] ? &values[0] : nullptr, has[1] ? &values[1] : nullptr);
    if (text) {
        hasValue = true;
        texts.append(text, static_cast<std::size_t>(textEnd - text));
    }
    EndCell();
    return q;
}

const char* Scanner::StartTag(const char* p, const char* e) {
    const char* q = p + 1;
    while (q < e && !IsSpace(*q) && *q != '/' && *q != '>')
        ++q;
    if (q == e)
        return nullptr;
    const std::string_view name(p + 1, static_cast<std::size_t>(q - p - 1));
    if (name.empty())
        Malformed("a tag without a name");
    if (open.empty() && rootSeen)
        Malformed("a second root element <" + std::string(name) + ">");
    const Role role = open.empty() ? Role::Root : RoleOf(open.back().second, LocalName(name));

    // Attributes; of a row its r, of a cell its r and t.
    std::string_view values[2];
    bool has[2] = {false, false};
    bool empty = false;
    q = Attributes(q, e, name, role, values, has, empty);
    if (!q)
        return nullptr;

    rootSeen = true;
    switch (role) {
    case Role::Row:
        StartRow(has[0] ? &values[0] : nullptr);
        break;
    case Role::Cell:
        StartCell(has[0] ? &values[0] : nullptr, has[1] ? &values[1] : nullptr);
        break;
    case Role::Value:
        hasValue = true;
        break;
    default:
        break;
    }
    if (empty) {
        if (role == Role::Cell)
            EndCell();
        else if (role == Role::Row)
            EndRow();
    } else {
        open.emplace_back(names.size(), role);
        names.append(name);
    }
    return q;
}

const char* Scanner::EndTag(const char* p, const char* e) {
    const char* q = static_cast<const char*>(std::memchr(p, '>', static_cast<std::size_t>(e - p)));
    if (!q)
        return nullptr;
    const char* n = q;
    while (n > p + 2 && IsSpace(n[-1]))
        --n;
    const std::string_view name(p + 2, static_cast<std::size_t>(n - p - 2));
    if (open.empty())
        Malformed("an end tag </" + std::string(name) + "> outside the root element");
    const auto [at, role] = open.back();
    if (names.size() - at != name.size() || std::memcmp(names.data() + at, name.data(), name.size()) != 0)
        Malformed("</" + std::string(name) + "> closes <" + names.substr(at) + ">");
    names.resize(at);
    open.pop_back();
    if (role == Role::Cell)
        EndCell();
    else if (role == Role::Row)
        EndRow();
    return q + 1;
}

// Text between tags: kept inside a cell's <v> and an inline string's <t>, decoded (references,
// line ends as \n); elsewhere only checked to be blank outside the root.
void Scanner::Text(const char* p, const char* e, bool cdata) {
    const Role role = open.empty() ? Role::Other : open.back().second;
    if (role != Role::Value && role != Role::Text) {
        if (open.empty())
            for (const char* q = p; q < e; ++q)
                if (!IsSpace(*q))
                    Malformed("text outside the root element");
        return;
    }
    std::string& out = role == Role::Value ? texts : inlineText;
    while (p < e) {
        const char* q = p;
        while (q < e && *q != '&' && *q != '\r')
            ++q;
        out.append(p, static_cast<std::size_t>(q - p));
        if (q == e)
            return;
        if (*q == '\r') {
            out += '\n';
            p = q + 1 < e && q[1] == '\n' ? q + 2 : q + 1;
        } else if (cdata) {
            out += '&';
            p = q + 1;
        } else {
            const char* semi = static_cast<const char*>(std::memchr(q, ';', static_cast<std::size_t>(e - q)));
            if (!semi || !AppendCharacterReference(
                             out, std::string_view(q + 1, static_cast<std::size_t>(semi - q - 1))))
                Malformed("a reference that is not a character or one of &lt; &gt; &amp; &quot; &apos;");
            p = semi + 1;
        }
    }
}

// An attribute's value: references decoded, each blank character a space (into `decoded` if that changes
// it, else the text as it stands in the buffer).
std::string_view Scanner::Attribute(const char* p, const char* e, std::string& decoded) {
    const char* q = p;
    while (q < e && *q != '&' && *q != '<' && *q != '\r' && *q != '\n' && *q != '\t')
        ++q;
    if (q == e)
        return std::string_view(p, static_cast<std::size_t>(e - p));
    std::string& attribute = decoded;
    attribute.clear();
    while (p < e) {
        const char* q = p;
        while (q < e && *q != '&' && *q != '<' && *q != '\r' && *q != '\n' && *q != '\t')
            ++q;
        attribute.append(p, static_cast<std::size_t>(q - p));
        if (q == e)
            break;
        if (*q == '<')
            Malformed("'<' in an attribute value");
        if (*q == '&') {
            const char* semi = static_cast<const char*>(std::memchr(q, ';', static_cast<std::size_t>(e - q)));
            if (!semi || !AppendCharacterReference(
                             attribute, std::string_view(q + 1, static_cast<std::size_t>(semi - q - 1))))
                Malformed("a reference that is not a character or one of &lt; &gt; &amp; &quot; &apos;");
            p = semi + 1;
        } else {
            attribute += ' ';
            p = *q == '\r' && q + 1 < e && q[1] == '\n' ? q + 2 : q + 1;
        }
    }
    return attribute;
}

void Scanner::StartRow(const std::string_view* r) {
    std::size_t number = rowNumber + 1;
    if (r) {
        const std::string_view text = *r;
        number = 0;
        bool digits = !text.empty();
        for (char c : text) {
            digits = digits && c >= '0' && c <= '9' && number <= kMaxRow;
            if (digits)
                number = number * 10 + static_cast<std::size_t>(c - '0');
        }
        if (!digits || number == 0 || number > kMaxRow)
            throw Failure("a row number r=\"" + std::string(text) + "\" outside 1 to 1048576",
                          rowNumber ? "after row " + std::to_string(rowNumber) : "");
        if (number <= rowNumber)
            throw Failure("rows out of order (row " + std::to_string(number) + " after row " +
                              std::to_string(rowNumber) + ")",
                          "row " + std::to_string(number));
    } else if (number > kMaxRow) {
        throw Failure("a row past row 1048576", "row " + std::to_string(rowNumber));
    }
    rowNumber = number;
    lastColumn = 0;
    texts.clear();
    spans.clear();
}

void Scanner::StartCell(const std::string_view* r, const std::string_view* t) {
    column = lastColumn + 1;
    if (r) {
        std::size_t row = 0;
        if (!ParseReference(*r, column, row))
            throw Failure("a cell reference r=\"" + std::string(*r) +
                              "\" that is not one of A1 to XFD1048576",
                          "row " + std::to_string(rowNumber));
        if (row != rowNumber)
            throw Failure("a cell in row " + std::to_string(rowNumber), "cell " + std::string(*r));
        if (column <= lastColumn)
            CellFailure("cells out of order (after " + XlsxColumnName(lastColumn) +
                        std::to_string(rowNumber) + ")");
    } else if (column > kMaxColumn) {
        throw Failure("a cell past column XFD", "row " + std::to_string(rowNumber));
    }
    type = Type::Number;
    if (t && !t->empty() && *t != "n") {
        const std::string_view v = *t;
        type = v == "s"           ? Type::Shared
               : v == "inlineStr" ? Type::Inline
               : v == "str"       ? Type::Formula
               : v == "b"         ? Type::Boolean
               : v == "e"         ? Type::Error
                                  : Type::Other;
        if (type == Type::Other)
            otherType = v;
    }
    valueStart = texts.size();
    hasValue = false;
    inlineText.clear();
}

void Scanner::EndCell() {
    static constexpr std::string_view kTrue = "TRUE", kFalse = "FALSE";
    Span span{nullptr, valueStart, texts.size() - valueStart};
    if (type == Type::Number) {
        // the value as written
    } else if (type == Type::Shared) {
        const std::string_view v(texts.data() + valueStart, span.length);
        if (hasValue) {
            std::size_t index = 0;
            bool digits = !v.empty();
            for (char c : v) {
                digits = digits && c >= '0' && c <= '9' && index <= strings.Size();
                if (digits)
                    index = index * 10 + static_cast<std::size_t>(c - '0');
            }
            if (!digits)
                CellFailure("a shared-string index \"" + std::string(v) + "\" that is not a number");
            if (index >= strings.Size())
                CellFailure("shared string " + std::string(v) + " of a table of " +
                            std::to_string(strings.Size()));
            const std::string_view s = strings.At(index);
            span = Span{s.data(), 0, s.size()};
        }
        texts.resize(valueStart);
    } else if (type == Type::Inline || type == Type::Formula) {
        std::string_view source = inlineText;
        if (type == Type::Formula) {
            inlineText.assign(texts, valueStart, std::string::npos);
            source = inlineText;
        }
        texts.resize(valueStart);
        AppendUnescaped(texts, source);
        span.length = texts.size() - valueStart;
    } else if (type == Type::Boolean) {
        const std::string_view v(texts.data() + valueStart, span.length);
        if (hasValue) {
            if (v == "1" || v == "true")
                span = Span{kTrue.data(), 0, kTrue.size()};
            else if (v == "0" || v == "false")
                span = Span{kFalse.data(), 0, kFalse.size()};
            else
                CellFailure("a boolean \"" + std::string(v) + "\" that is neither 0 nor 1");
        }
        texts.resize(valueStart);
    } else if (type == Type::Error) {
        CellFailure("the error value " + texts.substr(valueStart));
    } else {
        CellFailure("a cell of type t=\"" + otherType + "\", not read (numbers, strings and booleans are)");
    }
    spans.resize(column - 1, Span{nullptr, 0, 0});
    spans.push_back(span);
    lastColumn = column;
}

void Scanner::EndRow() {
    cells.clear();
    for (const Span& s : spans)
        cells.emplace_back(s.external ? s.external : texts.data() + s.offset, s.length);
    if (!onRow(rowNumber, cells))
        stopped = true;
}

} // namespace

void ScanSheet(const ByteSource& read, const SharedStrings& strings, const XlsxRowHandler& onRow) {
    Scanner(read, strings, onRow).Run();
}

} // namespace detail
} // namespace formats
} // namespace vymath
