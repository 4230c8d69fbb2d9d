// SAF's internal forces of 1D members.
#include "Saf.h"

#include "Table.h"
#include "analysis/Text.h"

#include <vymath/analysis/Error.h>

#include <algorithm>
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

} // namespace

std::unique_ptr<analysis::Model> ReadSaf(XlsxWorkbook& book, const ReadOptions& options) {
    const std::string sheet = kSafSheet;
    const std::string at = book.Name() + ": sheet " + Quoted(sheet);
    std::vector<Block> blocks;
    std::vector<Record> records;
    std::map<std::string, std::size_t> members, cases;
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
            for (int f : b.forces)
                r.fields.emplace_back(cell(f));
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
    if (table.columns.forces.empty())
        table.columns.forces.assign(std::begin(kNames), std::end(kNames));
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
