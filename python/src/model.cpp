// vymath._core's model analysis: a table in long form (as the columns of a pandas DataFrame) read into
// the analysis layer's Model and analysed there, with the GIL released from the first row to the summary.
// Everything but the conversion of arrays and results is the analysis layer's.
#include "bindings.h"

#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/Columns.h>
#include <vymath/analysis/Numbers.h>
#include <vymath/analysis/Summary.h>

#include <pybind11/stl.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>

using namespace pybind11::literals;
namespace va = vymath::analysis;

namespace vymath_py {

namespace {

using Codes = py::array_t<std::int64_t, py::array::c_style | py::array::forcecast>;

// Rows are named by their position in the frame, as DataFrame.iloc counts them.
std::string RowAt(std::size_t origin) {
    return "row " + std::to_string(origin);
}

// A column of names or texts as pandas.factorize gives it: a code a row (-1 for a missing value) and
// the distinct values.
struct Factorized {
    Codes codes;
    std::vector<std::string> names;
};

Factorized FactorizedOf(const py::tuple& t, std::size_t rows, const std::string& what) {
    Factorized f{t[0].cast<Codes>(), t[1].cast<std::vector<std::string>>()};
    if (f.codes.ndim() != 1 || static_cast<std::size_t>(f.codes.size()) != rows)
        throw py::value_error(what + ": one code a row expected");
    for (py::ssize_t i = 0; i < f.codes.size(); ++i)
        if (f.codes.data()[i] >= static_cast<std::int64_t>(f.names.size()))
            throw py::value_error(what + ": a code beyond the names");
    return f;
}

// The fields of one row that Layout::Keeps reads: the texts of the filter columns.
struct FilterFields {
    const std::vector<int>& slot; // the filter slot of each column, -1 for others
    const std::vector<Factorized>& columns;
    std::size_t row = 0;
    const std::string& operator[](std::size_t column) const {
        static const std::string missing;
        const Factorized& f = columns[static_cast<std::size_t>(slot[column])];
        const std::int64_t code = f.codes.data()[row];
        return code < 0 ? missing : f.names[static_cast<std::size_t>(code)];
    }
};

// Combinations: "NAME=EXPR" texts, (name, EXPR) pairs, or (name, [(case, factor), ...]).
std::vector<va::Combination> CombinationsOf(const py::list& items) {
    std::vector<va::Combination> out;
    for (py::handle item : items) {
        if (py::isinstance<py::str>(item)) {
            out.push_back(va::ParseCombination(item.cast<std::string>()));
            continue;
        }
        const auto [name, what] = item.cast<std::pair<std::string, py::object>>();
        if (py::isinstance<py::str>(what)) {
            if (name.find('=') != std::string::npos)
                throw py::value_error("combination " + va::Quoted(name) + ": a name holds no '='");
            out.push_back(va::ParseCombination(name + "=" + what.cast<std::string>()));
            out.back().name = name;
            continue;
        }
        va::Combination c{name, {}};
        for (const auto& [loadCase, factor] : what.cast<std::vector<std::pair<std::string, double>>>()) {
            RequireFinite(("combination " + va::Quoted(name) + ": factor of " + va::Quoted(loadCase)).c_str(),
                          factor);
            c.terms.push_back({factor, loadCase});
        }
        if (c.terms.empty())
            throw py::value_error("combination " + va::Quoted(name) + " has no case");
        out.push_back(std::move(c));
    }
    for (std::size_t i = 0; i < out.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (out[i].name == out[j].name)
                throw py::value_error("combination " + va::Quoted(out[i].name) + " is given twice");
    return out;
}

py::array_t<double> Doubles(const std::vector<double>& v) {
    py::array_t<double> a(static_cast<py::ssize_t>(v.size()));
    std::copy(v.begin(), v.end(), a.mutable_data());
    return a;
}

py::tuple LineOf(const std::vector<double>& x, const std::vector<double>& y,
                 const std::vector<int>& governing) {
    return py::make_tuple(Doubles(x), Doubles(y), IntArray(governing));
}

// The rows of a frame as read: one code a row for the member and the case, the abscissas, one array a
// force, and the filter columns.
struct Table {
    va::Layout layout;
    std::optional<Factorized> members;
    Factorized cases;
    DoubleArray x;
    std::vector<DoubleArray> values;
    std::vector<Factorized> filters; // in layout.filters order
};

// The model of the table's kept rows. Runs without the GIL: it touches no Python object.
std::unique_ptr<va::Model> Read(const Table& t) {
    const va::Layout& layout = t.layout;
    auto model = std::make_unique<va::Model>(layout.forceNames);
    std::vector<int> slot(layout.Columns(), -1);
    for (std::size_t k = 0; k < layout.filters.size(); ++k)
        slot[static_cast<std::size_t>(layout.filters[k].first)] = static_cast<int>(k);
    FilterFields fields{slot, t.filters};
    const std::size_t n = static_cast<std::size_t>(t.x.size()), forces = t.values.size();
    const auto column = [&layout](int c) {
        return "column " + va::Quoted(layout.columnNames[static_cast<std::size_t>(c)]) + " (" +
               layout.Role(static_cast<std::size_t>(c)) + ")";
    };
    const auto name = [&](const Factorized& f, int c, std::size_t r) -> const std::string& {
        const std::int64_t code = f.codes.data()[r];
        if (code < 0 || f.names[static_cast<std::size_t>(code)].empty())
            throw va::Error(va::Error::Kind::Data, RowAt(r) + ": " + column(c) + " is empty");
        return f.names[static_cast<std::size_t>(code)];
    };
    const auto number = [&](double v, int c, std::size_t r, bool mayBeMissing) {
        if (!std::isfinite(v) && !(mayBeMissing && std::isnan(v)))
            throw va::Error(va::Error::Kind::Data,
                            RowAt(r) + ": " + column(c) + " " + va::Shortest(v) + " is not a finite number");
    };
    static const std::string none;
    std::vector<double> row(forces);
    for (std::size_t r = 0; r < n; ++r) {
        fields.row = r;
        if (!layout.Keeps(fields))
            continue;
        const std::string& member = t.members ? name(*t.members, layout.member, r) : none;
        const std::string& loadCase = name(t.cases, layout.loadCase, r);
        const double x = t.x.data()[r];
        number(x, layout.x, r, false);
        for (std::size_t f = 0; f < forces; ++f) {
            row[f] = t.values[f].data()[r];
            number(row[f], layout.forces[f], r, true);
        }
        model->Add(member, loadCase, x, row.data(), r);
    }
    return model;
}

class ModelAnalysis {
public:
    ModelAnalysis(Table table, std::vector<va::Combination> combinations_,
                  std::optional<va::Actions> actions_, va::Options options)
        : named(table.members.has_value()), combinations(std::move(combinations_)),
          actions(std::move(actions_)) {
        if (actions)
            options.actions = &*actions;
        options.source = "the frame";
        py::gil_scoped_release release;
        model = Read(table);
        results = va::Analyse(*model, combinations, options, RowAt);
        rows = va::Summarise(*model, results);
    }

    std::vector<std::string> Members() const {
        std::vector<std::string> names;
        for (std::size_t m = 0; m < model->Size(); ++m)
            names.push_back(model->MemberName(m));
        return names;
    }

    // The summary as columns, named as SummaryColumns names them.
    py::dict Summary() const {
        const std::vector<std::string>& forces = model->Forces();
        const bool design = actions.has_value();
        const std::vector<std::string> names = va::SummaryColumns(forces, design);
        const py::ssize_t n = static_cast<py::ssize_t>(rows.size());
        py::list member(n), force(n), situation(n), maxCase(n), minCase(n);
        const std::size_t numbers = 4 + 4 * forces.size();
        std::vector<py::array_t<double>> value;
        for (std::size_t k = 0; k < numbers; ++k)
            value.emplace_back(n);
        const double nan = std::nan("");
        for (py::ssize_t i = 0; i < n; ++i) {
            const va::SummaryRow& r = rows[static_cast<std::size_t>(i)];
            member[i] = model->MemberName(r.member);
            force[i] = forces[r.force];
            if (design)
                situation[i] = results[r.member]
                                   .forces[r.force]
                                   .design[static_cast<std::size_t>(r.situation)]
                                   .situation.name;
            std::size_t k = 0;
            for (const va::SummaryExtreme* e : {&r.max, &r.min}) {
                value[k++].mutable_data()[i] = e->found ? e->y : nan;
                value[k++].mutable_data()[i] = e->found ? e->x : nan;
                (e == &r.max ? maxCase : minCase)[i] =
                    e->loadCase.empty() ? py::object(py::none()) : py::str(e->loadCase);
            }
            for (const va::SummaryExtreme* e : {&r.max, &r.min}) {
                std::vector<double> left(forces.size(), nan), right(forces.size(), nan);
                for (const va::Coincident& c : e->coincident) {
                    left[c.force] = c.left;
                    right[c.force] = c.right;
                }
                for (std::size_t f = 0; f < forces.size(); ++f) {
                    value[k++].mutable_data()[i] = left[f];
                    value[k++].mutable_data()[i] = right[f];
                }
            }
        }
        py::dict out;
        std::size_t k = 0;
        for (const std::string& c : names) {
            if (c == "member")
                out[py::str(c)] = member;
            else if (c == "force")
                out[py::str(c)] = force;
            else if (c == "situation")
                out[py::str(c)] = situation;
            else if (c == "max_case" || c == "max_combination")
                out[py::str(c)] = maxCase;
            else if (c == "min_case" || c == "min_combination")
                out[py::str(c)] = minCase;
            else
                out[py::str(c)] = value[k++];
        }
        return out;
    }

    const va::ForceResult& Result(std::size_t m, std::size_t f) const {
        if (m >= results.size() || f >= model->Forces().size())
            throw py::index_error("no member " + std::to_string(m) + ", force " + std::to_string(f));
        return results[m].forces[f];
    }

    py::tuple Envelope(std::size_t m, std::size_t f) const {
        const va::Envelope& e = Result(m, f).envelope;
        return py::make_tuple(LineOf(e.lower.x, e.lower.y, e.lower.member),
                              LineOf(e.upper.x, e.upper.y, e.upper.member));
    }

    // Each situation: (name, lower, upper, combinations as (text, [(case, factor), ...])).
    py::list Design(std::size_t m, std::size_t f) const {
        py::list out;
        for (const va::DesignResult& d : Result(m, f).design) {
            const va::DesignSituation& s = d.situation;
            py::list combinations;
            for (const va::DesignCombination& c : s.combinations)
                combinations.append(py::make_tuple(c.Text(), c.factors));
            out.append(py::make_tuple(s.name, LineOf(s.lower.x, s.lower.y, s.lower.combination),
                                      LineOf(s.upper.x, s.upper.y, s.upper.combination), combinations));
        }
        return out;
    }

    std::vector<Function> Diagrams(std::size_t m, std::size_t f) const {
        Result(m, f);
        std::vector<va::Diagram> diagrams;
        {
            py::gil_scoped_release release;
            diagrams = std::move(va::MemberDiagrams(*model, m, combinations, RowAt)[f]);
        }
        std::vector<Function> out;
        for (va::Diagram& d : diagrams)
            out.push_back(std::move(d.f));
        return out;
    }

    bool named;
    std::unique_ptr<va::Model> model;
    std::vector<va::Combination> combinations;
    std::optional<va::Actions> actions;
    std::vector<va::MemberResult> results;
    std::vector<va::SummaryRow> rows;
};

va::Layout Resolve(const std::vector<std::string>& header, const std::optional<std::string>& member,
                   const std::optional<std::string>& loadCase, const std::optional<std::string>& x,
                   const std::vector<std::string>& forces,
                   const std::vector<std::pair<std::string, std::vector<std::string>>>& filters) {
    va::ColumnRequest request;
    request.member = member.value_or("");
    request.loadCase = loadCase.value_or("");
    request.x = x.value_or("");
    request.forces = forces;
    for (const auto& [column, values] : filters)
        request.filters.push_back({column, values});
    return va::ResolveColumns(header, request);
}

ModelAnalysis Analyse(const va::Layout& layout, std::optional<py::tuple> members, py::tuple cases,
                      py::handle x, py::list values, py::list filters, py::list combinations,
                      const std::string& method, unsigned threads, std::optional<std::string> actions) {
    Table t{layout, std::nullopt, {}, RealVector("x", x), {}, {}};
    const std::size_t n = static_cast<std::size_t>(t.x.size());
    if ((layout.member >= 0) != members.has_value())
        throw py::value_error("members: codes are given exactly when the layout has a member column");
    if (members)
        t.members = FactorizedOf(*members, n, "members");
    t.cases = FactorizedOf(cases, n, "cases");
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
        t.filters.push_back(FactorizedOf(f.cast<py::tuple>(), n, "filters"));
    va::Options options;
    options.method = MethodOf(method);
    options.threads = threads;
    std::optional<va::Actions> parsed;
    if (actions)
        parsed = va::ParseActions(*actions, "actions");
    return ModelAnalysis(std::move(t), CombinationsOf(combinations), std::move(parsed), options);
}

} // namespace

void BindModel(py::module_& m) {
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
        .def_readonly("member", &va::Layout::member, "The member column, -1 for none (one member).")
        .def_readonly("case", &va::Layout::loadCase, "The load case column.")
        .def_readonly("x", &va::Layout::x, "The abscissa column.")
        .def_readonly("forces", &va::Layout::forces, "The force columns, in the order asked for.")
        .def_readonly("force_names", &va::Layout::forceNames, "The forces' column names, in the same order.")
        .def_readonly("filters", &va::Layout::filters, "(column, values kept) of each filtered column.");

    m.def("resolve_columns", &Resolve, "header"_a, "member"_a, "case"_a, "x"_a, "forces"_a, "filters"_a,
          "The roles of a header's columns: member, case and x default to the columns of those names (any "
          "letter case), the forces to every other column that is not filtered. ValueError as the tool "
          "reports a header.");

    m.def("summary_columns", &va::SummaryColumns, "forces"_a, "design"_a = false,
          "The summary's column names for these forces (with design results: a situation column, and "
          "max_combination and min_combination for max_case and min_case).");

    py::class_<ModelAnalysis>(m, "ModelAnalysis",
                              "A model's analysis: its members, envelopes, extremes and coincident values "
                              "(vymath.analyse_model wraps it).")
        .def_property_readonly("members", &ModelAnalysis::Members, "The member names, in input order.")
        .def_property_readonly(
            "forces", [](const ModelAnalysis& a) { return a.model->Forces(); }, "The force names, in order.")
        .def_readonly("named", &ModelAnalysis::named, "Whether the table has a member column.")
        .def_property_readonly(
            "rows", [](const ModelAnalysis& a) { return a.model->Rows(); }, "The number of rows kept.")
        .def(
            "diagram_names",
            [](const ModelAnalysis& a, std::size_t member) {
                if (member >= a.results.size())
                    throw py::index_error("no member " + std::to_string(member));
                return a.results[member].diagrams;
            },
            "member"_a, "The names of the member's enveloped diagrams: its cases, or the combinations.")
        .def("summary", &ModelAnalysis::Summary,
             "The summary as {column: values}, in the order of the analysis layer's SummaryColumns.")
        .def("envelope", &ModelAnalysis::Envelope, "member"_a, "force"_a,
             "((x, y, governing), (x, y, governing)): the lower and upper envelope's points; governing "
             "indexes "
             "diagram_names(member), -1 where none.")
        .def("design", &ModelAnalysis::Design, "member"_a, "force"_a,
             "[(situation, lower, upper, combinations)], lower and upper as (x, y, governing), governing "
             "indexing combinations, each (text, [(case, factor), ...]).")
        .def("diagrams", &ModelAnalysis::Diagrams, "member"_a, "force"_a,
             "The member's diagrams of the force as Function1D: its cases, or the combinations.");

    m.def("analyse_model", &Analyse, "layout"_a, "members"_a, "cases"_a, "x"_a, "values"_a, "filters"_a,
          "combinations"_a, "method"_a, "threads"_a, "actions"_a,
          "Reads a table in long form into a model and analyses it, the GIL released throughout: members "
          "and cases as (codes, names) with one code a row (-1: missing), x and one array a force (NaN: no "
          "value), filters as (codes, texts) of each filtered column, actions as JSON text. "
          "vymath.analyse_model gives it a DataFrame's columns.");
}

} // namespace vymath_py
