// SAF's internal forces of 1D members.
#include "Saf.h"

#include "Table.h"
#include "Units.h"
#include "analysis/Text.h"
#include "xlsx/Writer.h"

#include <vymath/analysis/Error.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <map>

namespace vymath {
namespace formats {

namespace {

using analysis::Error;
using text::Quoted;

[[noreturn]] void Fail(const std::string& message) {
    throw Error(Error::Kind::Data, message);
}

// The columns read, in the order of the rows given to the table reader; their units as SAF writes them.
const char* const kForces[] = {"N [kN]", "Vy [kN]", "Vz [kN]", "Mx [kNm]", "My [kNm]", "Mz [kNm]"};
const char* const kNames[] = {"N", "Vy", "Vz", "Mx", "My", "Mz"};
const char* const kUnits[] = {"kN", "kN", "kN", "kNm", "kNm", "kNm"};
constexpr std::size_t kBlocks = 64; // tables side by side in one sheet, at most

// One table of the sheet: where each column read stands.
struct Block {
    std::size_t first = 0; // its first column
    int resultOn = -1, member = -1, rib = -1, resultFor = -1, loadCase = -1, combination = -1, section = -1,
        index = -1;
    int forces[6] = {-1, -1, -1, -1, -1, -1};
    std::size_t width = 0;
};

// A row of one block, as read.
struct Record {
    std::size_t member, loadCase; // in order of first appearance
    double index;
    std::size_t origin;              // row * kBlocks + block
    std::vector<std::string> fields; // member, case, x, then the forces
};

// The factors into SAF's units: the abscissa's, and each SAF force column's from its model force's unit.
struct Factors {
    double x = 1.0;
    double forces[6] = {1, 1, 1, 1, 1, 1};
};

Factors FactorsOf(const analysis::Model& model, const std::vector<int>& columns,
                  const std::function<void(const std::string&)>& note) {
    Factors out;
    const analysis::Model::Units& units = model.GetUnits();
    if (!units.Any()) {
        note("SAF: the input gives no units: its values are written as they are, taken for m, kN and kNm");
        return out;
    }
    const auto factor = [&](const std::string& from, const char* to, const std::string& what) {
        Unit a, b;
        if (from.empty() || !ParseUnit(from, a) || !ParseUnit(to, b) || a.dimension != b.dimension) {
            note("SAF: " + what + " has no unit this tool converts from (" + Quoted(from) +
                 "): written as it is");
            return 1.0;
        }
        return Factor(a, b);
    };
    out.x = factor(units.x, "m", "the abscissa");
    for (std::size_t k = 0; k < 6; ++k)
        if (columns[k] >= 0)
            out.forces[k] = factor(units.forces[static_cast<std::size_t>(columns[k])], k < 3 ? "kN" : "kNm",
                                   model.Forces()[static_cast<std::size_t>(columns[k])]);
    return out;
}

std::vector<XlsxCell> HeaderRow() {
    std::vector<XlsxCell> row;
    for (const char* name : {"Result on", "Member", "Member Rib", "Result for", "Load case",
                             "Load combination", "Combination key", "Section at [m]", "Index"})
        row.push_back(XlsxCell::Text(name));
    for (const char* name : kForces)
        row.push_back(XlsxCell::Text(name));
    return row;
}

// The rows of one envelope line: sides(point, column of the model's force, left, right) gives the other
// forces where the line's own force is not theirs. A point where one of them jumps is two rows, its left
// values first, as a jump of the line is.
template <class Sides>
void LineRows(XlsxSheetWriter& sheet, const std::string& member, const std::string& name,
              const analysis::EnvelopeLine& line, std::size_t force, const std::vector<int>& columns,
              const Factors& factors, const std::function<std::string(std::size_t point)>& key, Sides sides) {
    std::size_t index = 0;
    double left[6], right[6];
    const auto row = [&](std::size_t i, const double* values) {
        std::vector<XlsxCell> cells = {XlsxCell::Text("On beam"),
                                       XlsxCell::Text(member),
                                       {},
                                       XlsxCell::Text("Load combination"),
                                       {},
                                       XlsxCell::Text(name),
                                       XlsxCell::Text(key(i)),
                                       XlsxCell::Number(line.x[i] * factors.x),
                                       XlsxCell::Number(static_cast<double>(++index))};
        for (std::size_t k = 0; k < 6; ++k) {
            const double v = values[k];
            cells.push_back(columns[k] >= 0
                                ? XlsxCell::Number(factors.forces[k] == 1.0 ? v : v * factors.forces[k])
                                : XlsxCell());
        }
        sheet.Row(cells);
    };
    for (std::size_t i = 0; i < line.x.size(); ++i) {
        if (line.Placeholder(i))
            continue;
        const bool jumpRight = i > 0 && line.JumpLeft(i - 1);
        bool split = false;
        for (std::size_t k = 0; k < 6; ++k) {
            const int f = columns[k];
            left[k] = right[k] = std::numeric_limits<double>::quiet_NaN();
            if (f < 0)
                continue;
            if (static_cast<std::size_t>(f) == force) {
                left[k] = right[k] = line.y[i];
                continue;
            }
            sides(i, static_cast<std::size_t>(f), left[k], right[k]);
            if (line.JumpLeft(i))
                right[k] = left[k];
            else if (jumpRight)
                left[k] = right[k];
            split = split || !(left[k] == right[k] || (std::isnan(left[k]) && std::isnan(right[k])));
        }
        if (split)
            row(i, left);
        row(i, right);
    }
}

std::string ForceNote(const analysis::Model& model, const std::vector<int>& columns) {
    std::string left;
    for (std::size_t f = 0; f < model.Forces().size(); ++f)
        if (std::find(columns.begin(), columns.end(), static_cast<int>(f)) == columns.end())
            left += (left.empty() ? "" : ", ") + model.Forces()[f];
    return left.empty() ? "" : "SAF: no column for " + left + ": left out";
}

std::string Bytes(const XlsxSheetWriter& sheet) {
    try {
        return sheet.Bytes();
    } catch (const std::exception& e) {
        throw Error(Error::Kind::Data, e.what());
    }
}

std::string KeyOf(const std::vector<std::pair<std::string, double>>& terms) {
    std::string key;
    for (const auto& [name, factor] : terms) {
        if (!key.empty() && factor >= 0)
            key += '+';
        key += text::Shortest(factor) + "*" + name;
    }
    return key;
}

// A results sheet being written: the model's forces in SAF's columns, in SAF's units.
struct SafWriter {
    SafWriter(const analysis::Model& model_, const std::function<void(const std::string&)>& note_)
        : model(model_), note(note_), columns(SafForces(model.Forces())), sheet(kSafSheet) {
        if (const std::string left = ForceNote(model, columns); !left.empty())
            note(left);
        factors = FactorsOf(model, columns, note);
        sheet.Row(HeaderRow());
    }

    // The workbook's bytes, with the note on bounds where a bound's forces were written as coincident.
    std::string Finish() {
        if (boundsNoted)
            note(
                "SAF: where a case with Max and Min rows governs, a row's other forces are that bound's, not "
                "forces acting together");
        return Bytes(sheet);
    }

    const analysis::Model& model;
    const std::function<void(const std::string&)>& note;
    const std::vector<int> columns;
    Factors factors;
    XlsxSheetWriter sheet;
    bool boundsNoted = false;
};

} // namespace

std::vector<int> SafForces(const std::vector<std::string>& forces) {
    static const std::vector<std::vector<const char*>> names = {
        {"n", "p"}, {"vy", "v3"}, {"vz", "v2", "v"}, {"mx", "t"}, {"my", "m3", "m"}, {"mz", "m2"}};
    std::vector<int> out(6, -1);
    for (std::size_t k = 0; k < 6; ++k)
        for (const char* n : names[k])
            for (std::size_t f = 0; f < forces.size() && out[k] < 0; ++f) {
                std::string lower;
                for (char c : forces[f])
                    lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                if (lower == n)
                    out[k] = static_cast<int>(f);
            }
    return out;
}

std::string SafOf(const analysis::Model& model, const analysis::EnvelopeRun& run,
                  const std::vector<analysis::Combination>& combinations,
                  const std::function<void(const std::string&)>& note) {
    SafWriter out(model, note);
    const std::vector<int>& columns = out.columns;
    for (std::size_t m = 0; m < run.members.size(); ++m) {
        const analysis::MemberValues values(model, m, combinations);
        const analysis::MemberEnvelopes& member = run.members[m];
        for (std::size_t f : columns) {
            if (static_cast<int>(f) < 0)
                continue;
            for (const bool upper : {true, false}) {
                const analysis::EnvelopeLine& line =
                    upper ? member.forces[f].envelope.upper : member.forces[f].envelope.lower;
                const auto key = [&](std::size_t i) {
                    const int g = line.GoverningOf(i);
                    if (g < 0)
                        return std::string();
                    const std::size_t d = static_cast<std::size_t>(g);
                    if (combinations.empty())
                        return member.diagrams[d];
                    std::vector<std::pair<std::string, double>> terms;
                    for (const analysis::Term& t : combinations[d].terms)
                        terms.push_back({t.loadCase, t.factor});
                    return KeyOf(terms);
                };
                LineRows(out.sheet, model.MemberName(m),
                         std::string(upper ? "max " : "min ") + model.Forces()[f], line, f, columns,
                         out.factors, key,
                         [&](std::size_t i, std::size_t other, double& left, double& right) {
                             const int g = line.GoverningOf(i);
                             if (g < 0)
                                 return;
                             out.boundsNoted = out.boundsNoted || values.Bounded(static_cast<std::size_t>(g));
                             values.Sides(static_cast<std::size_t>(g), line.x[i], other, upper, left, right);
                         });
            }
        }
    }
    return out.Finish();
}

std::string SafOf(const analysis::Model& model, const analysis::DesignRun& run,
                  const std::function<void(const std::string&)>& note) {
    SafWriter out(model, note);
    const std::vector<int>& columns = out.columns;
    for (std::size_t m = 0; m < run.members.size(); ++m) {
        const analysis::MemberValues values(model, m, {});
        const analysis::MemberDesign& member = run.members[m];
        const auto caseIndex = [&](const std::string& name) {
            return static_cast<std::size_t>(std::find(member.cases.begin(), member.cases.end(), name) -
                                            member.cases.begin());
        };
        for (std::size_t f : columns) {
            if (static_cast<int>(f) < 0)
                continue;
            for (const analysis::SituationResult& s : member.forces[f])
                for (const bool upper : {true, false}) {
                    const analysis::EnvelopeLine& line = upper ? s.situation.upper : s.situation.lower;
                    const auto key = [&](std::size_t i) {
                        const int g = line.GoverningOf(i);
                        return g < 0 ? std::string()
                                     : KeyOf(s.situation.combinations[static_cast<std::size_t>(g)].factors);
                    };
                    LineRows(out.sheet, model.MemberName(m),
                             s.situation.name + (upper ? " max " : " min ") + model.Forces()[f], line, f,
                             columns, out.factors, key,
                             [&](std::size_t i, std::size_t other, double& left, double& right) {
                                 const int g = line.GoverningOf(i);
                                 if (g < 0)
                                     return;
                                 left = right = 0.0;
                                 for (const auto& [name, factor] :
                                      s.situation.combinations[static_cast<std::size_t>(g)].factors) {
                                     const std::size_t c = caseIndex(name);
                                     out.boundsNoted = out.boundsNoted || values.Bounded(c);
                                     double l = 0.0, r = 0.0;
                                     values.Sides(c, line.x[i], other, (factor >= 0) == upper, l, r);
                                     left += factor * l;
                                     right += factor * r;
                                 }
                             });
                }
        }
    }
    return out.Finish();
}

std::unique_ptr<analysis::Model> ReadSaf(XlsxWorkbook& book, const ReadOptions& options) {
    const std::string sheet = kSafSheet;
    const std::string at = book.Name() + ": sheet " + Quoted(sheet);
    std::vector<Block> blocks;
    std::vector<Record> records;
    std::map<std::string, std::size_t> members, cases;
    bool filled[6] = {};
    const auto cellName = [&](std::size_t row, std::size_t column) {
        return at + " cell " + XlsxColumnName(column + 1) + std::to_string(row);
    };
    book.ReadSheet(sheet, [&](std::size_t row, const std::vector<std::string_view>& cells) {
        if (blocks.empty()) { // the header: blocks of names, an empty column between them
            for (std::size_t c = 0; c < cells.size();) {
                if (cells[c].empty()) {
                    ++c;
                    continue;
                }
                Block b;
                b.first = c;
                for (; c < cells.size() && !cells[c].empty(); ++c) {
                    const std::string_view name = cells[c];
                    const int k = static_cast<int>(c);
                    if (name == "Result on")
                        b.resultOn = k;
                    else if (name == "Member")
                        b.member = k;
                    else if (name == "Member Rib")
                        b.rib = k;
                    else if (name == "Result for")
                        b.resultFor = k;
                    else if (name == "Load case")
                        b.loadCase = k;
                    else if (name == "Load combination")
                        b.combination = k;
                    else if (name == "Section at [m]")
                        b.section = k;
                    else if (name == "Index")
                        b.index = k;
                    for (std::size_t f = 0; f < 6; ++f)
                        if (name == kForces[f])
                            b.forces[f] = k;
                }
                b.width = c - b.first;
                std::string missing;
                const std::pair<const char*, int> needed[] = {
                    {"Member", b.member},      {"Result for", b.resultFor}, {"Section at [m]", b.section},
                    {"Index", b.index},        {kForces[0], b.forces[0]},   {kForces[1], b.forces[1]},
                    {kForces[2], b.forces[2]}, {kForces[3], b.forces[3]},   {kForces[4], b.forces[4]},
                    {kForces[5], b.forces[5]}};
                for (const auto& [name, column] : needed)
                    if (column < 0)
                        missing += (missing.empty() ? "" : ", ") + Quoted(name);
                if (!missing.empty())
                    Fail(at + " row " + std::to_string(row) + ": the table at column " +
                         XlsxColumnName(b.first + 1) + " has no column " + missing);
                blocks.push_back(b);
                if (blocks.size() > kBlocks)
                    Fail(at + ": more than " + std::to_string(kBlocks) + " tables side by side");
            }
            if (blocks.empty())
                Fail(at + ": no header in row " + std::to_string(row));
            return true;
        }
        for (std::size_t k = 0; k < blocks.size(); ++k) {
            const Block& b = blocks[k];
            const auto cell = [&](int c) -> std::string_view {
                return c >= 0 && static_cast<std::size_t>(c) < cells.size()
                           ? cells[static_cast<std::size_t>(c)]
                           : std::string_view();
            };
            bool any = false;
            for (std::size_t c = b.first; c < b.first + b.width; ++c)
                any = any || !cell(static_cast<int>(c)).empty();
            if (!any) // a table that ended before the others
                continue;
            const bool rib = b.resultOn >= 0 && cell(b.resultOn) == "On rib";
            const int memberColumn = rib ? b.rib : b.member;
            if (memberColumn < 0)
                Fail(cellName(row, static_cast<std::size_t>(b.resultOn)) +
                     ": a rib's result, and no column Member Rib");
            const std::string_view resultFor = cell(b.resultFor);
            int caseColumn = -1;
            if (resultFor == "Load case")
                caseColumn = b.loadCase;
            else if (resultFor == "Load combination")
                caseColumn = b.combination;
            else
                Fail(cellName(row, static_cast<std::size_t>(b.resultFor)) + " " + Quoted(resultFor) +
                     " is not \"Load case\" or \"Load combination\"");
            if (caseColumn < 0)
                Fail(cellName(row, static_cast<std::size_t>(b.resultFor)) + ": no column " +
                     Quoted(resultFor));
            Record r;
            const std::string member(cell(memberColumn)), loadCase(cell(caseColumn));
            r.member = members.emplace(member, members.size()).first->second;
            r.loadCase = cases.emplace(loadCase, cases.size()).first->second;
            if (text::ParseDouble(cell(b.index), r.index) != text::ParseStatus::Ok)
                Fail(cellName(row, static_cast<std::size_t>(b.index)) + " " + Quoted(cell(b.index)) +
                     " is not a number (Index)");
            r.origin = row * kBlocks + k;
            r.fields = {member, loadCase, std::string(cell(b.section))};
            for (std::size_t f = 0; f < 6; ++f) {
                r.fields.emplace_back(cell(b.forces[f]));
                filled[f] = filled[f] || !r.fields.back().empty();
            }
            records.push_back(std::move(r));
        }
        return true;
    });
    if (blocks.empty())
        Fail(at + ": the sheet is empty");
    // Each member's and case's rows by Index: the lower Index is the left side of a jump.
    std::stable_sort(records.begin(), records.end(), [](const Record& a, const Record& b) {
        return std::tie(a.member, a.loadCase, a.index) < std::tie(b.member, b.loadCase, b.index);
    });
    // The columns given to the table reader, and where each stands in the sheet.
    const auto columnOf = [blocks](std::size_t origin, std::size_t column) {
        const Block& b = blocks[origin % kBlocks];
        const int c = column == 0   ? b.member
                      : column == 1 ? b.loadCase
                      : column == 2 ? b.section
                                    : b.forces[column - 3];
        return static_cast<std::size_t>(c < 0 ? static_cast<int>(b.first) : c);
    };
    TableNaming naming;
    naming.source = book.Name();
    naming.row = [at](std::size_t origin) { return at + " row " + std::to_string(origin / kBlocks); };
    naming.field = [at, columnOf](std::size_t origin, std::size_t column, const std::string& role) {
        return at + " cell " + XlsxColumnName(columnOf(origin, column) + 1) +
               std::to_string(origin / kBlocks) + " (" + role + ")";
    };
    TableOptions table = options.table;
    table.columns.members = {"member"};
    table.columns.loadCase = "case";
    table.columns.x = "x";
    table.columns.step.clear();
    table.columns.stepNumber.clear();
    if (table.columns.forces.empty()) { // the forces given: a column empty in every row is left out
        std::string empty;
        for (std::size_t f = 0; f < 6; ++f)
            if (filled[f] || records.empty())
                table.columns.forces.push_back(kNames[f]);
            else
                empty += (empty.empty() ? "" : ", ") + std::string(kNames[f]);
        if (!empty.empty() && !table.columns.forces.empty() && table.note)
            table.note(at + ": no values for " + empty + ": left out");
    }
    table.decimal = '.';
    TableReader reader(table, naming);
    std::vector<std::string_view> header = {"member", "case", "x"}, units = {"", "", "m"};
    header.insert(header.end(), std::begin(kNames), std::end(kNames));
    units.insert(units.end(), std::begin(kUnits), std::end(kUnits));
    reader.Row(header, kBlocks);
    reader.Row(units, kBlocks);
    for (const Record& r : records)
        reader.Row(std::vector<std::string_view>(r.fields.begin(), r.fields.end()), r.origin);
    return reader.Finish();
}

} // namespace formats
} // namespace vymath
