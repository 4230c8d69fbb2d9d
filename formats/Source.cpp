// Input bytes.
#include "Source.h"

#include <vymath/analysis/Error.h>

#include <cerrno>
#include <cstring>

namespace vymath {
namespace formats {

namespace {

[[noreturn]] void CannotRead(const std::string& name) {
    throw analysis::Error(analysis::Error::Kind::Data, name + ": cannot read: " + std::strerror(errno));
}

} // namespace

std::string NameOf(const std::string& path) {
    return path == "-" ? "<stdin>" : path;
}

Source::Source(const std::string& path, std::string name_) : name(std::move(name_)) {
    if (path == "-") {
        in = stdin;
        return;
    }
    in = std::fopen(path.c_str(), "rb");
    if (in == nullptr)
        CannotRead(name);
    owned = true;
}

Source::~Source() {
    if (owned)
        std::fclose(in);
}

std::size_t Source::Read(char* buf, std::size_t n) {
    const std::size_t got = std::fread(buf, 1, n, in);
    if (got == 0 && std::ferror(in))
        CannotRead(name);
    return got;
}

std::string Source::All() {
    std::string text;
    char buf[1 << 16];
    std::size_t n;
    while ((n = Read(buf, sizeof buf)) > 0)
        text.append(buf, n);
    return text;
}

} // namespace formats
} // namespace vymath
