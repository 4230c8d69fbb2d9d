// Whole-or-nothing output files.
#include "Output.h"

#include "Failure.h"

#include "Posix.h"

#include "analysis/Text.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace vycli {

namespace {

using vymath::text::Quoted;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// An existing target that is not a plain file: a link (/dev/stdout), a pipe, a device. Renaming onto
// it would replace the link or the device node itself.
bool IsSpecial(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

[[noreturn]] void CannotWrite(const std::string& path, int error) {
    DataError(path + ": cannot write: " + std::strerror(error));
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Temporary files not yet renamed; removed when the write fails.
class Temporaries {
public:
    ~Temporaries() {
        for (const std::string& t : paths)
            std::remove(t.c_str());
    }
    void Add(const std::string& path) { paths.push_back(path); }
    void Release() { paths.clear(); }

private:
    std::vector<std::string> paths;
};

} // namespace

void CheckFolder(const std::string& option, const std::string& path) {
    struct stat st;
    const std::string folder = FolderOf(path);
    if (path.empty() || path.back() == '/')
        UsageError(option + " " + Quoted(path) + ": not a file name");
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        UsageError(option + " " + Quoted(path) + ": the folder " + Quoted(folder) + " does not exist");
}

void MakeFolder(const std::string& option, const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error || !std::filesystem::is_directory(path))
        UsageError(option + " " + Quoted(path) +
                   ": cannot make the folder: " + (error ? error.message() : "a file of that name is there"));
}

std::string PlotFileName(const std::string& name, std::set<std::string>& taken) {
    std::string base = name;
    for (char& c : base)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_'))
            c = '_';
    std::string file = base;
    for (int k = 2; !taken.insert(file).second; ++k)
        file = base + "-" + std::to_string(k);
    return file + ".svg";
}

void WriteFiles(const std::vector<OutputFile>& files) {
    // New files get the permissions that the umask leaves, as with any other program.
    const mode_t mask = umask(0);
    umask(mask);
    Temporaries temporaries;
    std::vector<std::pair<std::string, std::string>> renames;
    for (const OutputFile& f : files) {
        if (IsSpecial(f.path)) {
            std::FILE* out = std::fopen(f.path.c_str(), "wb");
            if (out == nullptr || std::fwrite(f.text.data(), 1, f.text.size(), out) != f.text.size() ||
                std::fclose(out) != 0)
                CannotWrite(f.path, errno);
            continue;
        }
        std::string temp = FolderOf(f.path) + "/.vymath-XXXXXX";
        const int fd = mkstemp(temp.data());
        if (fd < 0)
            CannotWrite(f.path, errno);
        temporaries.Add(temp);
        const bool written = WriteAll(fd, f.text) && fchmod(fd, 0666 & ~mask) == 0;
        const int error = errno;
        if (close(fd) != 0 || !written)
            CannotWrite(f.path, written ? errno : error);
        renames.emplace_back(temp, f.path);
    }
    for (const auto& [temp, target] : renames)
        if (std::rename(temp.c_str(), target.c_str()) != 0)
            CannotWrite(target, errno);
    temporaries.Release();
}

} // namespace vycli
