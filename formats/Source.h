// The bytes of an input: a file, or standard input for "-", read in blocks.
#ifndef VYMATH_FORMATS_SOURCE_H
#define VYMATH_FORMATS_SOURCE_H

#include <cstddef>
#include <cstdio>
#include <string>

namespace vymath {
namespace formats {

class Source {
public:
    // Opens path ("-": standard input); `name` names it in messages. analysis::Error (Data) "<name>:
    // cannot read: <reason>" when it cannot be opened or read.
    Source(const std::string& path, std::string name);
    ~Source();
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;

    // Up to n bytes into buf; 0 at the end.
    std::size_t Read(char* buf, std::size_t n);
    // Everything left.
    std::string All();
    const std::string& Name() const { return name; }

private:
    std::string name;
    std::FILE* in = nullptr;
    bool owned = false;
};

// The name of path in messages: the path, or <stdin> for "-".
std::string NameOf(const std::string& path);

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_SOURCE_H
