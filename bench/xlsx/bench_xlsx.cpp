// The xlsx reader on a sheet of 1,048,576 rows x 16 columns (bench/xlsx_generate.cpp writes it; the file
// is VYMATH_XLSX_BENCH_FILE, `bench/run.py xlsx` sets it): the sheet read to its last cell, in MB/s of its
// inflated XML, beside what its parts cost alone: inflating the entry (libzip), and inflating it through
// expat with handlers that only keep the values (the parser the reader does not use for sheets).
#include "formats/xlsx/Xlsx.h"

#include <benchmark/benchmark.h>
#include <expat.h>
#include <zip.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const char* Path() {
    const char* p = std::getenv("VYMATH_XLSX_BENCH_FILE");
    return p ? p : "build/bench/xlsx/forces.xlsx";
}

const char* const kSheetPart = "xl/worksheets/sheet1.xml";

// Calls sink(chunk, n) for the sheet part's inflated bytes; returns their number.
template <class Sink>
std::uint64_t Inflate(Sink sink) {
    int error = 0;
    zip_t* z = zip_open(Path(), ZIP_RDONLY, &error);
    if (!z)
        throw std::runtime_error(std::string("cannot open ") + Path());
    zip_file_t* f = zip_fopen(z, kSheetPart, 0);
    if (!f)
        throw std::runtime_error(std::string("no ") + kSheetPart);
    std::vector<char> buffer(1 << 18);
    std::uint64_t total = 0;
    for (zip_int64_t n; (n = zip_fread(f, buffer.data(), buffer.size())) > 0;) {
        sink(buffer.data(), static_cast<std::size_t>(n));
        total += static_cast<std::uint64_t>(n);
    }
    zip_fclose(f);
    zip_discard(z);
    return total;
}

std::uint64_t SheetBytes() {
    static const std::uint64_t bytes = [] {
        int error = 0;
        zip_t* z = zip_open(Path(), ZIP_RDONLY, &error);
        if (!z)
            return std::uint64_t{0};
        zip_stat_t st;
        zip_stat_init(&st);
        const std::uint64_t size = zip_stat(z, kSheetPart, 0, &st) == 0 ? st.size : 0;
        zip_discard(z);
        return size;
    }();
    return bytes;
}

void Finish(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * SheetBytes()));
    state.counters["xml_MB"] = static_cast<double>(SheetBytes()) / 1e6;
}

void BM_XlsxRead(benchmark::State& state) {
    std::size_t rows = 0, cells = 0, chars = 0;
    for (auto _ : state) {
        auto book = vymath::formats::XlsxWorkbook::Open(Path());
        rows = cells = chars = 0;
        book.ReadSheet(book.SheetNames().at(0), [&](std::size_t, const std::vector<std::string_view>& row) {
            ++rows;
            cells += row.size();
            for (std::string_view c : row)
                chars += c.size();
            return true;
        });
        benchmark::DoNotOptimize(chars);
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["cells"] = static_cast<double>(cells);
    Finish(state);
}

void BM_XlsxInflate(benchmark::State& state) {
    for (auto _ : state) {
        std::uint64_t sum = 0;
        Inflate([&](const char* p, std::size_t n) { sum += static_cast<unsigned char>(p[n - 1]); });
        benchmark::DoNotOptimize(sum);
    }
    Finish(state);
}

struct ExpatState {
    bool inValue = false;
    std::string value;
    std::size_t values = 0, chars = 0;
};

void XMLCALL ExpatStart(void* data, const XML_Char* name, const XML_Char**) {
    auto& s = *static_cast<ExpatState*>(data);
    if (name[0] == 'v' && name[1] == '\0') {
        s.inValue = true;
        s.value.clear();
    }
}

void XMLCALL ExpatEnd(void* data, const XML_Char* name) {
    auto& s = *static_cast<ExpatState*>(data);
    if (name[0] == 'v' && name[1] == '\0') {
        s.inValue = false;
        ++s.values;
        s.chars += s.value.size();
    }
}

void XMLCALL ExpatText(void* data, const XML_Char* text, int n) {
    auto& s = *static_cast<ExpatState*>(data);
    if (s.inValue)
        s.value.append(text, static_cast<std::size_t>(n));
}

void BM_XlsxExpat(benchmark::State& state) {
    ExpatState s;
    for (auto _ : state) {
        s = ExpatState{};
        XML_Parser p = XML_ParserCreate("UTF-8");
        XML_SetUserData(p, &s);
        XML_SetElementHandler(p, ExpatStart, ExpatEnd);
        XML_SetCharacterDataHandler(p, ExpatText);
        Inflate([&](const char* chunk, std::size_t n) {
            if (XML_Parse(p, chunk, static_cast<int>(n), XML_FALSE) != XML_STATUS_OK)
                throw std::runtime_error("expat refuses the sheet");
        });
        XML_Parse(p, nullptr, 0, XML_TRUE);
        XML_ParserFree(p);
        benchmark::DoNotOptimize(s.chars);
    }
    state.counters["values"] = static_cast<double>(s.values);
    Finish(state);
}

BENCHMARK(BM_XlsxRead)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_XlsxInflate)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_XlsxExpat)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
