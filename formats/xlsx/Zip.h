// The zip archive of a workbook (libzip): entries found by name, read as streams whose inflated bytes are
// counted against the bounds below while they are inflated. A deflated entry's raw bytes come from libzip
// and are inflated by ISA-L (three times zlib's speed, its CRC-32 checked at the end); other entries are
// libzip's to read.
#ifndef VYMATH_FORMATS_XLSX_ZIP_H
#define VYMATH_FORMATS_XLSX_ZIP_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct zip;
struct zip_file;
struct inflate_state;

namespace vymath {
namespace formats {
namespace detail {

// What one entry may inflate to: a sheet of 1,048,576 rows of 16 cells is 0.6 to 1 GiB of XML, and sheet
// XML compresses 5 to 30 times (deflate reaches 1032 on a run of one byte). The ratio applies past the
// first 16 MiB.
constexpr std::uint64_t kMaxEntryBytes = std::uint64_t{4} << 30;
constexpr std::uint64_t kMaxRatio = 100;
constexpr std::uint64_t kRatioGrace = std::uint64_t{16} << 20;

class ZipArchive {
public:
    // Throws Failure: an empty file, an OLE compound file (a password-protected workbook), not a zip,
    // a damaged or truncated zip.
    static ZipArchive Open(const std::string& path);
    static ZipArchive FromBytes(std::string bytes);
    ZipArchive(ZipArchive&&) noexcept;
    ZipArchive& operator=(ZipArchive&&) noexcept;
    ~ZipArchive();

    // The index of the entry `name` (no leading '/'), matched exactly, else ignoring letter case.
    std::optional<std::uint64_t> Find(const std::string& name) const;
    zip* Handle() const { return archive; }
    std::uint64_t Size() const { return size; }

private:
    ZipArchive(zip* archive, std::uint64_t size, std::unique_ptr<std::string> bytes);
    zip* archive = nullptr;
    std::uint64_t size = 0;             // of the archive, bounding every declared compressed size
    std::unique_ptr<std::string> bytes; // the archive in memory, if it came as bytes
};

// One entry read as a stream.
class ZipEntry {
public:
    // Throws Failure for an encrypted entry, an unknown compression method, a damaged entry.
    ZipEntry(const ZipArchive& archive, std::uint64_t index, std::string name);
    ZipEntry(const ZipEntry&) = delete;
    ZipEntry& operator=(const ZipEntry&) = delete;
    ~ZipEntry();

    // Up to `capacity` further bytes into `out`; 0 at the end. Throws Failure for a damaged entry (a CRC
    // error, a truncated one) and for one past the bounds.
    std::size_t Read(char* out, std::size_t capacity);
    const std::string& Name() const { return name; }

private:
    std::size_t Inflate(char* out, std::size_t capacity);

    zip_file* file = nullptr;
    std::string name;
    std::uint64_t compressed = 0; // as declared, at most the archive's size
    std::uint64_t inflated = 0;   // counted
    // Inflating a deflated entry's raw bytes here (else libzip inflates): the state, its input, the CRC-32
    // the directory declares.
    std::unique_ptr<inflate_state> raw;
    std::unique_ptr<unsigned char[]> input;
    std::uint32_t crc = 0;
    bool crcKnown = false;
    bool ended = false;
};

} // namespace detail
} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_XLSX_ZIP_H
