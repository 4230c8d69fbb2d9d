#include "Zip.h"

#include "Failure.h"

#include <isa-l/igzip_lib.h>
#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace vymath {
namespace formats {
namespace detail {

namespace {

constexpr std::size_t kInput = std::size_t{1} << 16; // raw bytes read at a time

// Refuses what cannot be a workbook's zip by its first bytes.
void CheckMagic(const unsigned char* head, std::size_t n) {
    static const unsigned char ole[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    if (n == 0)
        throw Failure("an empty file, not an .xlsx workbook");
    if (n >= 8 && std::memcmp(head, ole, 8) == 0)
        throw Failure("a password-protected (encrypted) workbook, or an old .xls one: an OLE compound file, "
                      "not the zip archive of an .xlsx workbook");
    if (n < 2 || head[0] != 'P' || head[1] != 'K')
        throw Failure("not an .xlsx workbook (not a zip archive)");
}

std::string ErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

[[noreturn]] void OpenFailed(int code) {
    if (code == ZIP_ER_MEMORY)
        throw Failure("out of memory reading the zip directory");
    throw Failure("a damaged or truncated zip archive (" + ErrorText(code) + ")");
}

} // namespace

ZipArchive::ZipArchive(zip* archive, std::uint64_t size, std::unique_ptr<std::string> bytes)
    : archive(archive), size(size), bytes(std::move(bytes)) {}

ZipArchive::ZipArchive(ZipArchive&& other) noexcept
    : archive(std::exchange(other.archive, nullptr)), size(other.size), bytes(std::move(other.bytes)) {}

ZipArchive& ZipArchive::operator=(ZipArchive&& other) noexcept {
    if (this != &other) {
        if (archive)
            zip_discard(archive);
        archive = std::exchange(other.archive, nullptr);
        size = other.size;
        bytes = std::move(other.bytes);
    }
    return *this;
}

ZipArchive::~ZipArchive() {
    if (archive)
        zip_discard(archive);
}

ZipArchive ZipArchive::Open(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        throw Failure(std::string("cannot open: ") + std::strerror(errno));
    unsigned char head[8];
    const std::size_t n = std::fread(head, 1, sizeof head, f);
    long end = -1;
    if (std::fseek(f, 0, SEEK_END) == 0)
        end = std::ftell(f);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed || end < 0)
        throw Failure("cannot read the file");
    CheckMagic(head, n);
    int code = 0;
    zip* archive = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (!archive)
        OpenFailed(code);
    return ZipArchive(archive, static_cast<std::uint64_t>(end), nullptr);
}

ZipArchive ZipArchive::FromBytes(std::string data) {
    auto bytes = std::make_unique<std::string>(std::move(data));
    CheckMagic(reinterpret_cast<const unsigned char*>(bytes->data()), bytes->size());
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes->data(), bytes->size(), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        throw Failure("out of memory");
    }
    zip* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!archive) {
        zip_source_free(source);
        const int code = zip_error_code_zip(&error);
        zip_error_fini(&error);
        OpenFailed(code);
    }
    zip_error_fini(&error);
    const std::uint64_t size = bytes->size();
    return ZipArchive(archive, size, std::move(bytes));
}

std::optional<std::uint64_t> ZipArchive::Find(const std::string& name) const {
    zip_int64_t i = zip_name_locate(archive, name.c_str(), ZIP_FL_ENC_RAW);
    if (i < 0)
        i = zip_name_locate(archive, name.c_str(), ZIP_FL_ENC_RAW | ZIP_FL_NOCASE);
    if (i < 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(i);
}

ZipEntry::ZipEntry(const ZipArchive& archive, std::uint64_t index, std::string entryName)
    : name(std::move(entryName)) {
    zip_stat_t st;
    zip_stat_init(&st);
    compressed = archive.Size();
    const bool stat = zip_stat_index(archive.Handle(), index, 0, &st) == 0;
    if (stat && (st.valid & ZIP_STAT_COMP_SIZE))
        compressed = std::min<std::uint64_t>(st.comp_size, archive.Size());
    // Deflated and not encrypted: its raw bytes, inflated here. Anything else goes through libzip, which
    // names what it cannot read.
    const std::uint64_t known = ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD;
    const bool deflated = stat && (st.valid & known) == known && st.comp_method == ZIP_CM_DEFLATE &&
                          st.encryption_method == ZIP_EM_NONE;
    file = zip_fopen_index(archive.Handle(), index, deflated ? ZIP_FL_COMPRESSED : 0);
    if (!file) {
        const int code = zip_error_code_zip(zip_get_error(archive.Handle()));
        if (code == ZIP_ER_NOPASSWD || code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_ENCRNOTSUPP)
            throw Failure("the zip entry " + name + " is encrypted");
        if (code == ZIP_ER_COMPNOTSUPP)
            throw Failure("the zip entry " + name + " has a compression method other than deflate");
        throw Failure("the zip entry " + name + " is damaged (" + ErrorText(code) + ")");
    }
    if (deflated) {
        raw = std::make_unique<inflate_state>();
        isal_inflate_init(raw.get());
        raw->crc_flag = ISAL_GZIP_NO_HDR; // a raw deflate stream; the CRC-32 of what it inflates to
        input.reset(new unsigned char[kInput]);
        crcKnown = (st.valid & ZIP_STAT_CRC) != 0;
        crc = st.crc;
    }
}

ZipEntry::~ZipEntry() {
    if (file)
        zip_fclose(file);
}

// Inflates until some bytes come out or the stream ends (its CRC checked then).
std::size_t ZipEntry::Inflate(char* out, std::size_t capacity) {
    inflate_state& s = *raw;
    const auto damaged = [this](int code) {
        return Failure("the zip entry " + name + " is damaged or truncated (" + ErrorText(code) + ")");
    };
    const std::uint32_t room = static_cast<std::uint32_t>(std::min<std::size_t>(capacity, UINT32_MAX));
    s.next_out = reinterpret_cast<std::uint8_t*>(out);
    s.avail_out = room;
    while (!ended && s.avail_out == room) {
        if (s.block_state == ISAL_BLOCK_FINISH)
            break;
        if (s.avail_in == 0) {
            const zip_int64_t n = zip_fread(file, input.get(), kInput);
            if (n < 0)
                throw damaged(zip_error_code_zip(zip_file_get_error(file)));
            if (n == 0)
                throw damaged(ZIP_ER_EOF); // the raw bytes end before the stream does
            s.next_in = input.get();
            s.avail_in = static_cast<std::uint32_t>(n);
        }
        const std::uint32_t before = s.avail_in;
        if (isal_inflate(&s) != ISAL_DECOMP_OK ||
            (s.avail_in == before && s.avail_out == room && s.block_state != ISAL_BLOCK_FINISH))
            throw damaged(ZIP_ER_COMPRESSED_DATA);
    }
    if (!ended && s.block_state == ISAL_BLOCK_FINISH) {
        ended = true;
        if (crcKnown && s.crc != crc)
            throw damaged(ZIP_ER_CRC);
    }
    return room - s.avail_out;
}

std::size_t ZipEntry::Read(char* out, std::size_t capacity) {
    zip_int64_t n = 0;
    if (raw) {
        n = capacity == 0 ? 0 : static_cast<zip_int64_t>(Inflate(out, capacity));
    } else {
        n = zip_fread(file, out, capacity);
        if (n < 0) {
            const int code = zip_error_code_zip(zip_file_get_error(file));
            throw Failure("the zip entry " + name + " is damaged or truncated (" + ErrorText(code) + ")");
        }
    }
    inflated += static_cast<std::uint64_t>(n);
    if (inflated > kMaxEntryBytes)
        throw Failure("the zip entry " + name + " inflates past 4 GiB (a zip bomb?)");
    if (inflated > kRatioGrace && inflated / kMaxRatio > compressed)
        throw Failure("the zip entry " + name + " inflates past " + std::to_string(kMaxRatio) +
                      " times its compressed size (a zip bomb?)");
    return static_cast<std::size_t>(n);
}

} // namespace detail
} // namespace formats
} // namespace vymath
