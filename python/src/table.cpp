// vymath._core's files: a file read by the formats' readers, as the tool reads it (CSV dialects, analysis
// programs' tables, xlsx, SAF, JSON), its model's rows given back as columns for a DataFrame in long form.
#include "bindings.h"

#include "formats/Input.h"

#include <vymath/analysis/Model.h>

#include <pybind11/stl.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <unordered_map>

using namespace pybind11::literals;
namespace va = vymath::analysis;
namespace vf = vymath::formats;

namespace vymath_py {

namespace {

using Codes = py::array_t<std::int32_t>;

// Texts one a row as (codes, names), code -1 for none: what pandas.Categorical.from_codes takes.
class Coded {
public:
    explicit Coded(std::size_t rows) : codes(static_cast<py::ssize_t>(rows)), at(codes.mutable_data()) {}
    void Add(const std::string& name) {
        const auto [it, added] = index.emplace(name, static_cast<std::int32_t>(names.size()));
        if (added)
            names.push_back(name);
        *at++ = it->second;
    }
    void None() { *at++ = -1; }
    py::tuple Take() { return py::make_tuple(std::move(codes), std::move(names)); }

private:
    Codes codes;
    std::int32_t* at;
    std::vector<std::string> names;
    std::unordered_map<std::string, std::int32_t> index;
};

py::dict ReadTable(const std::string& path, const vf::ReadWords& words,
                   const std::vector<std::pair<std::string, std::vector<std::string>>>& filters) {
    vf::ReadWords w = words;
    w.spelling = [](std::string option) {
        std::replace(option.begin(), option.end(), '-', '_');
        return option;
    };
    for (const auto& [column, values] : filters)
        w.columns.filters.push_back({column, values});
    std::vector<std::string> notes;
    std::unique_ptr<va::Model> model;
    {
        py::gil_scoped_release release;
        vf::ReadOptions read = vf::OptionsOf(w);
        read.table.note = [&notes](const std::string& text) { notes.push_back(text); };
        model = vf::ReadModel(path, read);
    }
    const std::size_t rows = model->Rows(), forces = model->Forces().size();
    bool bounded = false;
    for (std::size_t m = 0; m < model->Size(); ++m)
        for (std::size_t c = 0; c < model->Cases(m).size(); ++c)
            bounded = bounded || model->Bounded(m, c);
    Coded members(rows), cases(rows), steps(rows);
    py::array_t<double> x(static_cast<py::ssize_t>(rows));
    std::vector<py::array_t<double>> values;
    for (std::size_t f = 0; f < forces; ++f)
        values.emplace_back(static_cast<py::ssize_t>(rows));
    std::size_t r = 0;
    for (std::size_t m = 0; m < model->Size(); ++m) {
        const va::Model::RowView view = model->MemberRows(m);
        for (std::size_t i = 0; i < view.count; ++i, ++r) {
            members.Add(model->MemberName(m));
            cases.Add(model->Cases(m)[view.cases[i]]);
            if (view.bounds[i] == va::Bound::None)
                steps.None();
            else
                steps.Add(view.bounds[i] == va::Bound::Max ? "Max" : "Min");
            x.mutable_data()[r] = view.x[i];
            for (std::size_t f = 0; f < forces; ++f)
                values[f].mutable_data()[r] = view.values[i * forces + f];
        }
    }
    const va::Model::Units& u = model->GetUnits();
    py::dict units;
    if (!u.x.empty())
        units["x"] = u.x;
    py::list columns;
    for (std::size_t f = 0; f < forces; ++f) {
        columns.append(py::make_tuple(model->Forces()[f], values[f]));
        if (!u.forces.empty() && !u.forces[f].empty())
            units[py::str(model->Forces()[f])] = u.forces[f];
    }
    return py::dict("member"_a = model->Named() ? py::object(members.Take()) : py::none(),
                    "case"_a = cases.Take(), "step"_a = bounded ? py::object(steps.Take()) : py::none(),
                    "x"_a = x, "forces"_a = columns, "units"_a = units, "notes"_a = notes);
}

} // namespace

void BindTable(py::module_& m) {
    m.def(
        "read_table",
        [](const std::string& path, const std::string& format, const std::string& delimiter,
           const std::string& decimal, const std::string& sheet, const std::string& table,
           const std::string& units, const std::string& fromUnits, const std::vector<std::string>& moments,
           const std::vector<std::string>& members, const std::optional<std::string>& loadCase,
           const std::optional<std::string>& x, const std::optional<std::string>& step,
           const std::optional<std::string>& stepNumber, const std::vector<std::string>& forces,
           const std::vector<std::pair<std::string, std::vector<std::string>>>& filters) {
            va::ColumnRequest columns{members,
                                      loadCase.value_or(""),
                                      x.value_or(""),
                                      step.value_or(""),
                                      stepNumber.value_or(""),
                                      forces,
                                      {},
                                      {}};
            return ReadTable(path,
                             vf::ReadWords{format, delimiter, decimal, sheet, table, units, fromUnits,
                                           moments, columns, nullptr},
                             filters);
        },
        "path"_a, "format"_a, "delimiter"_a, "decimal"_a, "sheet"_a, "table"_a, "units"_a, "from_units"_a,
        "moments"_a, "members"_a, "case"_a, "x"_a, "step"_a, "step_number"_a, "forces"_a, "filters"_a,
        "Reads a file as the tool does; its rows as {member, case, step: (codes, names) or None, x, forces: "
        "[(name, values)], units: {column: unit}, notes: [text]}. The GIL is released while reading.");
}

} // namespace vymath_py
