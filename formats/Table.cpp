// Rows of text fields into a model.
#include "Table.h"

#include "Layouts.h"
#include "analysis/Text.h"

#include <vymath/analysis/Error.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vymath {
namespace formats {

namespace {

using analysis::Bound;
using analysis::Error;
using analysis::Field;
using text::Quoted;

constexpr std::size_t kHeld = 1000; // rows held at most to tell numeric columns from text ones

[[noreturn]] void Fail(const std::string& message) {
    throw Error(Error::Kind::Data, message);
}

std::string Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return std::string(s);
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Names from the input in a message: escaped, one line.
std::string Joined(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names)
        out += (out.empty() ? "" : ", ") + text::Escaped(n);
    return out;
}

} // namespace

std::string CaseOf(std::string_view name, std::string_view step, std::string_view number,
                   std::string& loadCase, Bound& bound, bool& numberAt) {
    loadCase.assign(name);
    bound = Bound::None;
    numberAt = false;
    const std::string kind = Lower(Trimmed(step));
    if (kind.empty() || kind == "single value")
        return "";
    if (kind == "max" || kind == "min") {
        bound = kind == "max" ? Bound::Max : Bound::Min;
        return "";
    }
    if (kind == "mode" || kind == "step") {
        const std::string n = Trimmed(number);
        double v = 0.0;
        if (text::ParseDouble(n, v) != text::ParseStatus::Ok || v != std::floor(v) || v < 0) {
            numberAt = true;
            return Quoted(n) + " is not a step number (a " + kind + " row needs one)";
        }
        loadCase += ":" + text::Shortest(v);
        return "";
    }
    return Quoted(Trimmed(step)) + " is not a step type (Max, Min, Mode, Step, Single Value or none)";
}

struct TableReader::Table {
    std::string title;
    std::size_t first = 0;  // the origin of its first row
    std::size_t header = 0; // of its header
    bool wanted = true;
    bool touched = false; // a row came
    bool headed = false;
    bool unitsSeen = false; // the row after the header was looked at
    bool pending = false;   // the default forces wait for the rows' types
    bool accepted = false;
    analysis::ColumnRequest request;
    analysis::Layout layout;
    std::string joined;
    std::vector<std::string> units; // a column's unit, as its units row gives it
    double xFactor = 1.0;
    std::vector<double> factors; // each force's
    std::vector<double> values;
    std::vector<std::pair<std::vector<std::string>, std::size_t>> held;
};

TableReader::TableReader(TableOptions options_, TableNaming naming_)
    : options(std::move(options_)), naming(std::move(naming_)) {}

TableReader::~TableReader() = default;

std::optional<std::string> TableReader::TitleOf(const std::vector<std::string_view>& fields) {
    if (fields.empty())
        return std::nullopt;
    const std::string first = Trimmed(fields[0]);
    if (first.rfind("TABLE:", 0) != 0)
        return std::nullopt;
    for (std::size_t k = 1; k < fields.size(); ++k)
        if (!Trimmed(fields[k]).empty())
            return std::nullopt;
    return Trimmed(std::string_view(first).substr(6));
}

void TableReader::Start(std::string title, std::size_t origin) {
    if (table) {
        if (table->pending && !table->held.empty()) // a table without rows joins no model
            Classify();
        done.push_back(std::move(table));
    }
    table = std::make_unique<Table>();
    table->title = std::move(title);
    table->first = origin;
    table->wanted = options.table.empty() || table->title == options.table;
    if (!table->title.empty())
        titles.push_back(table->title);
}

void TableReader::Title(std::string_view title, std::size_t origin) {
    if (table && !table->touched && !table->title.empty()) { // a sheet's name, then its title row
        titles.pop_back();
        table.reset();
    }
    Start(std::string(title), origin);
}

void TableReader::Row(const std::vector<std::string_view>& fields, std::size_t origin) {
    if (!table)
        Start("", origin);
    table->touched = true;
    if (!table->wanted)
        return;
    if (!table->headed) {
        Header(fields, origin);
        return;
    }
    if (!table->unitsSeen) {
        table->unitsSeen = true;
        if (Units(fields, origin))
            return;
    }
    if (!table->pending && !table->accepted)
        Accept();
    if (!table->wanted)
        return;
    if (table->pending) {
        table->held.emplace_back(std::vector<std::string>(fields.begin(), fields.end()), origin);
        bool known = table->held.size() >= kHeld;
        if (!known) { // every candidate has a value somewhere
            known = true;
            for (std::size_t c = 0; c < table->layout.Columns() && known; ++c)
                if (std::find(table->layout.forces.begin(), table->layout.forces.end(),
                              static_cast<int>(c)) != table->layout.forces.end()) {
                    bool any = false;
                    for (const auto& h : table->held)
                        any = any || (c < h.first.size() && !h.first[c].empty());
                    known = any;
                }
        }
        if (known)
            Classify();
        return;
    }
    Data(fields, origin);
}

void TableReader::Header(const std::vector<std::string_view>& fields, std::size_t origin) {
    Table& t = *table;
    std::vector<std::string> header;
    for (std::string_view f : fields)
        header.push_back(Trimmed(f));
    if (!header.empty() && header[0].rfind("\xEF\xBB\xBF", 0) == 0)
        header[0].erase(0, 3); // a byte-order mark, as spreadsheets write it
    while (!header.empty() && header.back().empty() && naming.fields == "cells")
        header.pop_back(); // a sheet's row ends where its cells do
    t.request = Recognised(header, options.columns);
    try {
        t.layout = analysis::ResolveColumns(header, t.request);
    } catch (const Error& e) {
        if (t.title.empty() || !options.table.empty())
            throw Error(e.GetKind(), naming.row(origin) + ": " + e.what() + naming.hint);
        skipped.push_back(Quoted(t.title) + " (" + e.what() + ")");
        t.wanted = false;
        return;
    }
    t.headed = true;
    headed = true;
    for (const std::string& h : header)
        t.joined += (t.joined.empty() ? "" : ",") + h;
    // Forces by default, outside a known layout: the columns whose values are numbers, once rows tell. The
    // table joins the model at its first row of data, the units row before it seen.
    t.pending = options.columns.forces.empty() && t.request.forces.empty();
    t.header = origin;
}

bool TableReader::Units(const std::vector<std::string_view>& fields, std::size_t origin) {
    Table& t = *table;
    const std::size_t x = static_cast<std::size_t>(t.layout.x);
    Unit unit;
    if (x >= fields.size() || !ParseUnit(Trimmed(fields[x]), unit) || unit.dimension != Dimension::Length)
        return false;
    for (std::size_t c = 0; c < t.layout.Columns(); ++c)
        t.units.push_back(c < fields.size() ? Trimmed(fields[c]) : "");
    (void)origin;
    return true;
}

void TableReader::Classify() {
    Table& t = *table;
    std::vector<int> numeric;
    std::vector<std::string> names, text;
    for (int c : t.layout.forces) {
        bool any = false, numbers = true;
        for (const auto& [fields, origin] : t.held) {
            const std::size_t k = static_cast<std::size_t>(c);
            if (k >= fields.size() || fields[k].empty())
                continue;
            any = true;
            std::string s = fields[k];
            if (options.decimal != '.')
                std::replace(s.begin(), s.end(), options.decimal, '.');
            double v;
            numbers = numbers && text::ParseDouble(s, v) != text::ParseStatus::NotANumber;
        }
        if (any && numbers) {
            numeric.push_back(c);
            names.push_back(t.layout.columnNames[static_cast<std::size_t>(c)]);
        } else {
            text.push_back(t.layout.columnNames[static_cast<std::size_t>(c)]);
        }
    }
    if (numeric.empty())
        Fail(naming.row(t.header) + ": no column of numbers for a force in the header " + Quoted(t.joined) +
             naming.hint);
    if (!text.empty() && options.note)
        options.note(naming.source + ": columns left out, not numbers: " + Joined(text));
    t.layout.forces = numeric;
    t.layout.forceNames = names;
    t.pending = false;
    Accept();
    const auto held = std::move(t.held);
    for (const auto& [fields, origin] : held)
        Data(std::vector<std::string_view>(fields.begin(), fields.end()), origin);
}

void TableReader::Accept() {
    Table& t = *table;
    // The units: the units row's, else the ones given; converted where asked.
    std::vector<std::string> forceUnits(t.layout.forces.size());
    std::string xUnit;
    if (!t.units.empty()) {
        xUnit = t.units[static_cast<std::size_t>(t.layout.x)];
        for (std::size_t f = 0; f < forceUnits.size(); ++f)
            forceUnits[f] = t.units[static_cast<std::size_t>(t.layout.forces[f])];
    } else if (options.from) {
        xUnit = options.from->length.name;
        for (std::size_t f = 0; f < forceUnits.size(); ++f) {
            const std::string& name = t.layout.forceNames[f];
            const bool moment = IsMoment(name) || std::find(options.moments.begin(), options.moments.end(),
                                                            name) != options.moments.end();
            forceUnits[f] = moment ? options.from->moment.name : options.from->force.name;
        }
    }
    t.factors.assign(forceUnits.size(), 1.0);
    if (options.units) {
        const auto factor = [&](const std::string& unit, std::size_t column, bool length) {
            Unit u;
            const std::string at = naming.row(t.header) + ": column " + Quoted(t.layout.columnNames[column]);
            if (unit.empty())
                Fail(at + ": no unit to convert from (a units row, or --from-units)");
            if (!ParseUnit(unit, u))
                Fail(at + ": unit " + Quoted(unit) + " is not one this reader knows");
            if ((u.dimension == Dimension::Length) != length)
                Fail(at + ": unit " + Quoted(unit) +
                     (length ? " is not a length" : " is not a force or a moment"));
            return Factor(u, options.units->Of(u.dimension));
        };
        t.xFactor = factor(xUnit, static_cast<std::size_t>(t.layout.x), true);
        xUnit = options.units->length.name;
        for (std::size_t f = 0; f < forceUnits.size(); ++f) {
            Unit u;
            t.factors[f] = factor(forceUnits[f], static_cast<std::size_t>(t.layout.forces[f]), false);
            ParseUnit(forceUnits[f], u);
            forceUnits[f] = options.units->Of(u.dimension).name;
        }
    }
    t.values.assign(t.layout.forces.size(), 0.0);
    if (!model) {
        auto tables = std::make_shared<std::vector<std::pair<std::size_t, analysis::Layout>>>();
        analysis::Places places;
        places.source = naming.source;
        places.row = naming.row;
        places.field = [naming = naming, tables](std::size_t origin, const Field& f) {
            auto it = std::upper_bound(tables->begin(), tables->end(), origin,
                                       [](std::size_t o, const auto& e) { return o < e.first; });
            const analysis::Layout& layout = std::prev(it)->second;
            const int column = f.role == Field::Role::Member ? layout.members.front()
                               : f.role == Field::Role::Case ? layout.loadCase
                               : f.role == Field::Role::X    ? layout.x
                                                             : layout.forces[f.force];
            const std::size_t c = static_cast<std::size_t>(column);
            return naming.field(origin, c, layout.Role(c));
        };
        model = std::make_unique<analysis::Model>(t.layout.forceNames, std::move(places), t.layout.Named());
        model->SetUnits({xUnit, forceUnits});
        layouts = tables;
    } else {
        // Tables read together: the same forces, in the same units.
        std::string why;
        if (t.layout.forceNames != model->Forces())
            why = "its forces " + Joined(t.layout.forceNames) + " are not " + Joined(model->Forces());
        else if (t.layout.Named() != model->Named())
            why = t.layout.Named() ? "it names members" : "it names no member";
        else if (xUnit != model->GetUnits().x || forceUnits != model->GetUnits().forces)
            why = "its units differ";
        if (!why.empty()) {
            if (!options.table.empty() || t.title.empty())
                Fail(naming.row(t.header) + ": the table cannot be read with the one before: " + why);
            skipped.push_back(Quoted(t.title) + " (" + why + ")");
            t.wanted = false;
            return;
        }
    }
    layouts->emplace_back(t.first, t.layout);
    t.accepted = true;
}

void TableReader::Data(const std::vector<std::string_view>& row, std::size_t origin) {
    Table& t = *table;
    if (!t.wanted)
        return;
    const analysis::Layout& layout = t.layout;
    const std::size_t n = row.size();
    if (n != layout.Columns() && !(naming.fields == "cells" && n < layout.Columns()))
        Fail(naming.row(origin) + ": " + std::to_string(n) + " " +
             (n == 1 ? naming.fields.substr(0, naming.fields.size() - 1) : naming.fields) + ", expected " +
             std::to_string(layout.Columns()) + " (" + text::Escaped(t.joined) + ")");
    static const std::string_view none;
    const auto field = [&](int c) -> std::string_view {
        return static_cast<std::size_t>(c) < n ? row[static_cast<std::size_t>(c)] : none;
    };
    ++dataRows;
    for (const auto& [column, values] : layout.filters) {
        bool any = false;
        for (const std::string& v : values)
            any = any || field(column) == v;
        if (!any)
            return;
    }
    const auto at = [&](int c) {
        const std::size_t k = static_cast<std::size_t>(c);
        return naming.field(origin, k, layout.Role(k));
    };
    // The case: its name, numbered by its step where it has one; the bound of a Max or Min row.
    std::string name;
    Bound bound = Bound::None;
    bool numberAt = false;
    const std::string fault =
        CaseOf(field(layout.loadCase), layout.step >= 0 ? field(layout.step) : none,
               layout.stepNumber >= 0 ? field(layout.stepNumber) : none, name, bound, numberAt);
    if (!fault.empty())
        Fail((numberAt ? (layout.stepNumber >= 0 ? at(layout.stepNumber) : naming.row(origin))
                       : at(layout.step)) +
             " " + fault);
    if (!options.cases.empty() && options.cases.count(name) == 0) {
        leftOut.insert(name);
        return;
    }
    // The member: its columns' texts joined.
    std::string member;
    for (std::size_t k = 0; k < layout.members.size(); ++k) {
        const std::string_view part = field(layout.members[k]);
        if (part.empty())
            Fail(at(layout.members[k]) + " is empty");
        if (k > 0)
            member += '/';
        member += part;
    }
    const auto number = [&](int c, bool mayBeEmpty, double factor) {
        std::string_view s = field(c);
        std::string copy;
        if (options.decimal != '.' && s.find(options.decimal) != std::string_view::npos) {
            copy.assign(s);
            std::replace(copy.begin(), copy.end(), options.decimal, '.');
            s = copy;
        }
        if (mayBeEmpty && s.empty())
            return std::numeric_limits<double>::quiet_NaN();
        double v = 0.0;
        const text::ParseStatus status = text::ParseDouble(s, v);
        if (status != text::ParseStatus::Ok)
            Fail(at(c) + " " + Quoted(field(c)) + " " + text::Describe(status));
        return factor == 1.0 ? v : v * factor;
    };
    const double x = number(layout.x, false, t.xFactor);
    for (std::size_t f = 0; f < layout.forces.size(); ++f)
        t.values[f] = number(layout.forces[f], true, t.factors[f]);
    model->Add(member, name, bound, x, t.values.data(), origin);
}

std::unique_ptr<analysis::Model> TableReader::Finish() {
    if (table && table->pending && !table->held.empty())
        Classify();
    if (!model) {
        if (!options.table.empty() && std::find(titles.begin(), titles.end(), options.table) == titles.end())
            Fail(naming.source + ": no table " + Quoted(options.table) +
                 "; the tables: " + (titles.empty() ? "none" : Joined(titles)));
        if (headed)
            Fail(naming.source + ": no rows after the header");
        if (!skipped.empty())
            Fail(naming.source + ": no table holds the columns needed: " + Joined(skipped));
        Fail(naming.source + (table ? ": no header row" : ": the file is empty"));
    }
    if (dataRows == 0)
        Fail(naming.source + ": no rows after the header");
    if (options.note && !skipped.empty())
        options.note(naming.source + ": tables left out: " + Joined(skipped));
    if (options.note && !leftOut.empty())
        options.note(naming.source + ": cases left out (no combination or action names them): " +
                     Joined(std::vector<std::string>(leftOut.begin(), leftOut.end())));
    if (model->Rows() == 0)
        Fail(naming.source +
             (leftOut.empty() ? ": no row matches the filters" : ": no row of the cases asked for"));
    return std::move(model);
}

} // namespace formats
} // namespace vymath
