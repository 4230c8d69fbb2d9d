// Reading the diagrams of the load cases: CSV in long form (a header "case,x,y", one row a point,
// cases in any order, RFC 4180 quoting) or JSON {"cases": {"G": {"x": [...], "y": [...]}, ...}}.
#ifndef VYMATH_CLI_INPUT_H
#define VYMATH_CLI_INPUT_H

#include <cstddef>
#include <string>
#include <vector>

namespace vycli {

class Progress;

enum class Format { Auto, Csv, Json };

// One point as read: origin is its line (CSV) or its index in the arrays (JSON), for messages.
struct Row {
    double x;
    double y;
    std::size_t origin;
};

// A case's rows in input order.
struct CaseRows {
    std::string name;
    std::vector<Row> rows;
};

struct Input {
    std::string file; // as named in messages: the path, or <stdin>
    Format format = Format::Csv;
    std::vector<CaseRows> cases; // in order of first appearance

    // Where a row of a case stands: "cases.csv:12" or "cases.json: /cases/G/x/3".
    std::string Where(const CaseRows& c, std::size_t origin) const;
};

// The format of path: `requested` unless Auto; else by the extension (.csv, .json, any case), CSV for
// standard input ("-"). An unknown extension is a usage error.
Format FormatOf(const std::string& path, Format requested);

// Reads path ("-": standard input). Every problem is a data error naming the file and the line
// (CSV) or the place in the document (JSON).
Input ReadCases(const std::string& path, Format format, Progress& progress);

} // namespace vycli

#endif // VYMATH_CLI_INPUT_H
