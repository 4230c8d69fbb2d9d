// JSON in and out, the one way the formats read and write it: documents parsed with the place of every
// fault (a syntax error's line and column, a key given twice or a number beyond the doubles as a JSON
// pointer), and the pieces of JSON text the writers share.
#ifndef VYMATH_FORMATS_JSON_H
#define VYMATH_FORMATS_JSON_H

#include <nlohmann/json.hpp>

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace vymath {
namespace formats {
namespace json {

using Json = nlohmann::ordered_json;

// A JSON pointer segment: '~' and '/' escaped, after a '/'.
std::string Segment(std::string_view key);

// What a key given twice is, from its path (the keys and array indexes down to it): "case", "member";
// the default says "key".
using Noun = std::function<std::string(const std::vector<std::string>& path)>;

// The document in `text`, keys in their order. Throws analysis::Error (Data): "<source>:<line>:<column>:
// <what>" for a syntax error, "<source>: <pointer>: "1e400" is out of the range of doubles", "<source>:
// <pointer>: the key is given twice" (the noun's word for it), "<source>: the file is empty".
Json Parse(const std::string& text, const std::string& source, const Noun& noun = nullptr);

// The base of a document's reader: its faults as analysis::Error (Data) "<source>: <pointer>: <what>"
// ("<source>: <what>" at the root), and the keys an object may hold.
class DocumentReader {
public:
    explicit DocumentReader(const std::string& source) : source(source) {}

    [[noreturn]] void Fail(const std::string& pointer, const std::string& what) const;
    // Fails at the first key of `object` not in `allowed`: "unknown key "name"".
    void Keys(const Json& object, const std::string& pointer,
              std::initializer_list<std::string_view> allowed) const;

    const std::string& source;
};

// JSON text: a string (invalid UTF-8 replaced), a number in its shortest form (null for a NaN or an
// infinity), an array of values each appended by `append`.
void AppendString(std::string& out, std::string_view s);
void AppendNumber(std::string& out, double v);
template <class T, class F>
void AppendArray(std::string& out, const std::vector<T>& values, F append) {
    out += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i)
            out += ',';
        append(out, values[i]);
    }
    out += ']';
}

} // namespace json
} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_JSON_H
