// CSV text into rows of fields (RFC 4180 quoting, by libcsv; lines without quotes split directly, as
// libcsv would split them), fed a line at a time so that every row knows the line it starts on.
#ifndef VYMATH_FORMATS_CSV_H
#define VYMATH_FORMATS_CSV_H

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct csv_parser;

namespace vymath {
namespace formats {

class CsvSplitter {
public:
    // row(fields, line) gets each row: its fields (views valid during the call) and its first line. Fields
    // are trimmed of spaces and tabs; blank lines are skipped. `name` names the input in messages.
    using RowSink = std::function<void(const std::vector<std::string_view>& fields, std::size_t line)>;
    CsvSplitter(std::string name, RowSink row, char delimiter = ',');
    ~CsvSplitter();
    CsvSplitter(const CsvSplitter&) = delete;
    CsvSplitter& operator=(const CsvSplitter&) = delete;

    // The next line, with its '\n' (the last line may lack it). analysis::Error (Data) "<name>:<line>: a
    // quote in an unquoted field, or text after a closing quote".
    void Line(const char* s, std::size_t n);
    // After the last line: "<name>:<line>: a quote is not closed".
    void Finish();

    // libcsv's callbacks.
    void Field(const char* s, std::size_t len);
    void EndRow();

private:
    void Split(const char* s, std::size_t len);

    std::string name;
    RowSink sink;
    char delimiter;
    csv_parser* parser;
    std::size_t line = 0;
    std::size_t rowLine = 0;
    std::vector<std::string> fields;     // libcsv's fields of the current row
    std::size_t count = 0;               // fields of the current row
    std::vector<std::string_view> views; // the current row's fields
};

// Reads a stream of bytes line by line into `splitter`: read(buf, n) gives up to n bytes, 0 at the end;
// progress(bytes) after each block. Whether the input held anything but blanks.
bool FeedLines(CsvSplitter& splitter, const std::function<std::size_t(char*, std::size_t)>& read,
               const std::function<void(std::size_t)>& progress);

// The dialect of a table's text, told from its first lines: the delimiter (',', ';' or a tab: the one its
// header, the first line that is not a title "TABLE: ...", holds most of, outside quotes; ',' on ties) and
// the decimal separator (',' where the delimiter is not and the numbers of the lines after the header are
// written with a decimal comma and never a point).
struct Dialect {
    char delimiter = ',';
    char decimal = '.';
};
Dialect DialectOf(std::string_view start);

// A CSV field, quoted where needed.
std::string CsvField(std::string_view s);

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_CSV_H
