// Output files written whole or not at all: each goes to a temporary file beside its target, and
// the temporary files are renamed onto the targets only once all of them are written.
#ifndef VYMATH_CLI_OUTPUT_H
#define VYMATH_CLI_OUTPUT_H

#include <set>
#include <string>
#include <vector>

namespace vycli {

struct OutputFile {
    std::string option; // that named it, for messages: "--json"
    std::string path;
    std::string text;
};

// Usage error unless the folder of path exists (checked before any work is done).
void CheckFolder(const std::string& option, const std::string& path);

// Makes the folder with its parents where it is not there (--plots); a usage error where it cannot.
void MakeFolder(const std::string& option, const std::string& path);

// A plot's file name from a name: letters, digits, '.', '-' and '_' kept, others '_'; "-2", "-3", ...
// where `taken` holds it already; ".svg" added.
std::string PlotFileName(const std::string& name, std::set<std::string>& taken);

// Writes every file; on an error none of the targets is changed (data error). A target that exists
// and is not a regular file (a symbolic link such as /dev/stdout, a pipe) is written in place.
void WriteFiles(const std::vector<OutputFile>& files);

} // namespace vycli

#endif // VYMATH_CLI_OUTPUT_H
