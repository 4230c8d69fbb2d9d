// vymath._core's frames: a table in long form (the columns of a pandas DataFrame) turned into rows of the
// analysis layer's Model. The text columns' strings are read while the GIL is held, as views of the frame's
// own string objects; the rows are added with the GIL released.
#include "bindings.h"

#include "analysis/Text.h"
#include "formats/Layouts.h"
#include "formats/Table.h"

#include <vymath/analysis/Columns.h>
#include <vymath/analysis/Model.h>

#include <pybind11/stl.h>

#include <cmath>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>

using namespace pybind11::literals;
namespace va = vymath::analysis;
namespace vf = vymath::formats;

namespace vymath_py {

namespace {

using vymath::text::Quoted;
using Codes = py::array_t<std::int64_t, py::array::c_style | py::array::forcecast>;

// A column of names or texts, one view a row: either a numpy array of objects (a str each, None or NaN for
// no value, anything else as its str()), read while the GIL is held, or (codes, names) as pandas.factorize
// gives them (code -1: no value). The views point into the frame's strings, kept alive here.
class TextColumn {
public:
    TextColumn(py::handle column, std::size_t rows, const std::string& what) {
        if (py::isinstance<py::tuple>(column)) {
            const py::tuple t = column.cast<py::tuple>();
            const Codes codes = t[0].cast<Codes>();
            const std::vector<std::string> names = t[1].cast<std::vector<std::string>>();
            if (codes.ndim() != 1 || static_cast<std::size_t>(codes.size()) != rows)
                throw py::value_error(what + ": one code a row expected");
            owned.assign(names.begin(), names.end());
            for (py::ssize_t i = 0; i < codes.size(); ++i) {
                const std::int64_t c = codes.data()[i];
                if (c >= static_cast<std::int64_t>(owned.size()))
                    throw py::value_error(what + ": a code beyond the names");
                views.push_back(c < 0 ? std::string_view()
                                      : std::string_view(owned[static_cast<std::size_t>(c)]));
            }
            return;
        }
        array = py::reinterpret_borrow<py::array>(column);
        if (array.ndim() != 1 || static_cast<std::size_t>(array.size()) != rows ||
            !array.dtype().is(py::dtype("O")))
            throw py::value_error(what + ": an array of objects, one a row, expected");
        views.reserve(rows);
        PyObject* const* items = static_cast<PyObject* const*>(array.data());
        for (std::size_t i = 0; i < rows; ++i) {
            PyObject* o = items[i];
            Py_ssize_t n = 0;
            const char* s = PyUnicode_Check(o) ? PyUnicode_AsUTF8AndSize(o, &n) : nullptr;
            if (s != nullptr) {
                views.emplace_back(s, static_cast<std::size_t>(n));
                continue;
            }
            if (PyErr_Occurred()) // not UTF-8 (a lone surrogate)
                throw py::error_already_set();
            const bool missing = o == Py_None || (PyFloat_Check(o) && std::isnan(PyFloat_AS_DOUBLE(o)));
            owned.push_back(missing ? std::string() : py::str(o).cast<std::string>());
            views.emplace_back(owned.back());
        }
    }

    std::string_view operator[](std::size_t row) const { return views[row]; }

private:
    py::array array;               // keeps the strings alive
    std::deque<std::string> owned; // names, and texts of objects that are not str
    std::vector<std::string_view> views;
};

// The fields Layout::Keeps reads of one row: the texts of the filter columns.
struct FilterFields {
    const std::vector<int>& slot; // the filter slot of each column, -1 for others
    const std::vector<TextColumn>& columns;
    std::size_t row = 0;
    std::string_view operator[](std::size_t column) const {
        return columns[static_cast<std::size_t>(slot[column])][row];
    }
};

// A frame's columns by role, as read.
struct Frame {
    va::Layout layout;
    std::vector<TextColumn> members; // none: one member
    std::optional<TextColumn> cases;
    std::optional<TextColumn> step, stepNumber;
    DoubleArray x;
    std::vector<DoubleArray> values;
    std::vector<TextColumn> filters; // in layout.filters order
    std::set<std::string> only;      // the cases read (empty: all)
};

// The model of the frame's kept rows, named "row N" and `row N: column "M" (M)` as DataFrame.iloc counts.
// Runs without the GIL: it touches no Python object.
std::shared_ptr<va::Model> Read(const Frame& t) {
    const va::Layout& layout = t.layout;
    va::Places places;
    places.source = "the frame";
    places.row = [](std::size_t r) { return "row " + std::to_string(r); };
    places.field = [layout](std::size_t r, const va::Field& f) {
        const int c = f.role == va::Field::Role::Member ? layout.members.front()
                      : f.role == va::Field::Role::Case ? layout.loadCase
                      : f.role == va::Field::Role::X    ? layout.x
                                                        : layout.forces[f.force];
        const std::size_t k = static_cast<std::size_t>(c);
        return "row " + std::to_string(r) + ": column " + Quoted(layout.columnNames[k]) + " (" +
               layout.Role(k) + ")";
    };
    const auto at = [&layout](std::size_t r, int c) {
        const std::size_t k = static_cast<std::size_t>(c);
        return "row " + std::to_string(r) + ": column " + Quoted(layout.columnNames[k]) + " (" +
               layout.Role(k) + ")";
    };
    auto model = std::make_shared<va::Model>(layout.forceNames, std::move(places), !t.members.empty());
    std::vector<int> slot(layout.Columns(), -1);
    for (std::size_t k = 0; k < layout.filters.size(); ++k)
        slot[static_cast<std::size_t>(layout.filters[k].first)] = static_cast<int>(k);
    FilterFields fields{slot, t.filters};
    const std::size_t n = static_cast<std::size_t>(t.x.size()), forces = t.values.size();
    std::vector<double> row(forces);
    std::string loadCase, member;
    for (std::size_t r = 0; r < n; ++r) {
        fields.row = r;
        if (!layout.Keeps(fields))
            continue;
        va::Bound bound = va::Bound::None;
        bool numberAt = false;
        const std::string fault =
            vf::CaseOf((*t.cases)[r], t.step ? (*t.step)[r] : std::string_view(),
                       t.stepNumber ? (*t.stepNumber)[r] : std::string_view(), loadCase, bound, numberAt);
        if (!fault.empty())
            throw va::Error(va::Error::Kind::Data,
                            (numberAt && layout.stepNumber >= 0 ? at(r, layout.stepNumber)
                             : numberAt                         ? "row " + std::to_string(r)
                                                                : at(r, layout.step)) +
                                " " + fault);
        if (!t.only.empty() && t.only.count(loadCase) == 0)
            continue;
        std::string_view name;
        if (t.members.size() == 1) {
            name = t.members.front()[r];
        } else if (!t.members.empty()) { // the member's columns joined
            member.clear();
            for (std::size_t k = 0; k < t.members.size(); ++k) {
                if (t.members[k][r].empty())
                    throw va::Error(va::Error::Kind::Data, at(r, layout.members[k]) + " is empty");
                member += (k ? "/" : "");
                member += t.members[k][r];
            }
            name = member;
        }
        for (std::size_t f = 0; f < forces; ++f)
            row[f] = t.values[f].data()[r];
        model->Add(name, loadCase, bound, t.x.data()[r], row.data(), r);
    }
    return model;
}

// The frame's columns by role read into a model: members and cases as TextColumn, x and one array a force
// (NaN: no value), each filter column as a TextColumn.
std::shared_ptr<va::Model> ModelOf(const va::Layout& layout, py::list members, py::object cases,
                                   py::object step, py::object stepNumber, py::handle x, py::list values,
                                   py::list filters, const std::set<std::string>& only,
                                   const std::map<std::string, std::string>& units) {
    Frame t{layout, {}, std::nullopt, std::nullopt, std::nullopt, RealVector("x", x), {}, {}, only};
    const std::size_t n = static_cast<std::size_t>(t.x.size());
    if (members.size() != layout.members.size())
        throw py::value_error("members: one column a member column of the layout expected");
    for (py::handle m : members)
        t.members.emplace_back(m, n, "members");
    t.cases.emplace(cases, n, "cases");
    if ((layout.step >= 0) != !step.is_none() || (layout.stepNumber >= 0) != !stepNumber.is_none())
        throw py::value_error("step, step_number: a column is given exactly where the layout has one");
    if (!step.is_none())
        t.step.emplace(step, n, "step");
    if (!stepNumber.is_none())
        t.stepNumber.emplace(stepNumber, n, "step_number");
    if (values.size() != layout.forces.size())
        throw py::value_error("values: one array a force expected");
    for (py::handle v : values) {
        t.values.push_back(RealVector("values", v));
        if (static_cast<std::size_t>(t.values.back().size()) != n)
            throw py::value_error("values: one value a row expected");
    }
    if (filters.size() != layout.filters.size())
        throw py::value_error("filters: one column a filter expected");
    for (py::handle f : filters)
        t.filters.emplace_back(f, n, "filters");
    std::shared_ptr<va::Model> model;
    {
        py::gil_scoped_release release;
        model = Read(t);
    }
    // The units the frame carries: its columns' (frame.attrs["units"]).
    const auto unitOf = [&](int c) {
        const auto it = units.find(layout.columnNames[static_cast<std::size_t>(c)]);
        return it == units.end() ? std::string() : it->second;
    };
    va::Model::Units u{unitOf(layout.x), {}};
    for (int c : layout.forces)
        u.forces.push_back(unitOf(c));
    model->SetUnits(u);
    return model;
}

va::Layout Resolve(const std::vector<std::string>& header, const std::vector<std::string>& members,
                   const std::optional<std::string>& loadCase, const std::optional<std::string>& x,
                   const std::optional<std::string>& step, const std::optional<std::string>& stepNumber,
                   const std::vector<std::string>& forces,
                   const std::vector<std::pair<std::string, std::vector<std::string>>>& filters) {
    va::ColumnRequest request;
    request.members = members;
    request.loadCase = loadCase.value_or("");
    request.x = x.value_or("");
    request.step = step.value_or("");
    request.stepNumber = stepNumber.value_or("");
    request.forces = forces;
    for (const auto& [column, values] : filters)
        request.filters.push_back({column, values});
    return va::ResolveColumns(header, vf::Recognised(header, request));
}

} // namespace

void BindFrame(py::module_& m) {
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p)
                std::rethrow_exception(p);
        } catch (const va::Error& e) {
            PyErr_SetString(PyExc_ValueError, e.what());
        }
    });

    py::class_<va::Layout>(m, "Layout",
                           "The positions of a table's columns by role (vymath.analysis's Layout).")
        .def_readonly("members", &va::Layout::members, "The member's columns, none for one member.")
        .def_readonly("case", &va::Layout::loadCase, "The load case column.")
        .def_readonly("x", &va::Layout::x, "The abscissa column.")
        .def_readonly("step", &va::Layout::step, "The step type's column, -1 for none.")
        .def_readonly("step_number", &va::Layout::stepNumber, "The step number's column, -1 for none.")
        .def_readonly("forces", &va::Layout::forces, "The force columns, in the order asked for.")
        .def_readonly("force_names", &va::Layout::forceNames, "The forces' column names, in the same order.")
        .def_readonly("filters", &va::Layout::filters, "(column, values kept) of each filtered column.");

    m.def("resolve_columns", &Resolve, "header"_a, "members"_a, "case"_a, "x"_a, "step"_a, "step_number"_a,
          "forces"_a, "filters"_a,
          "The roles of a header's columns: member, case and x default to the columns of those names (any "
          "letter case), the forces to every other column that is not filtered. ValueError as the tool "
          "reports a header.");

    py::class_<va::Model, std::shared_ptr<va::Model>>(m, "Model",
                                                      "A model's rows (the analysis layer's Model).");

    m.def(
        "read_model", &ModelOf, "layout"_a, "members"_a, "cases"_a, "step"_a, "step_number"_a, "x"_a,
        "values"_a, "filters"_a, "only"_a, "units"_a,
        "Reads a table in long form into a model: members, cases and each filter column as an array of "
        "objects (str; None or NaN: no value) or as (codes, names); x and one array a force (NaN: no value). "
        "The strings are read with the GIL held, the rows added without it.");
}

} // namespace vymath_py
