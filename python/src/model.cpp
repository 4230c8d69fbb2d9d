// vymath._core's model runs (envelopes, design envelopes, key figures), each a result type of its own whose
// JSON and summary columns are the formats' (the tool's --json and --csv), run with the GIL released.
#include "bindings.h"

#include "analysis/Text.h"
#include "formats/Actions.h"
#include "formats/Results.h"

#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/Columns.h>
#include <vymath/analysis/Summary.h>

#include <pybind11/stl.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>

using namespace pybind11::literals;
namespace va = vymath::analysis;
namespace vf = vymath::formats;

namespace vymath_py {

namespace {

using vymath::text::Quoted;

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
                throw py::value_error("combination " + Quoted(name) + ": a name holds no '='");
            out.push_back(va::ParseCombination(name + "=" + what.cast<std::string>()));
            out.back().name = name;
            continue;
        }
        va::Combination c{name, {}};
        for (const auto& [loadCase, factor] : what.cast<std::vector<std::pair<std::string, double>>>()) {
            RequireFinite(("combination " + Quoted(name) + ": factor of " + Quoted(loadCase)).c_str(),
                          factor);
            c.terms.push_back({factor, loadCase});
        }
        if (c.terms.empty())
            throw py::value_error("combination " + Quoted(name) + " has no case");
        out.push_back(std::move(c));
    }
    for (std::size_t i = 0; i < out.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (out[i].name == out[j].name)
                throw py::value_error("combination " + Quoted(out[i].name) + " is given twice");
    return out;
}

py::array_t<double> Doubles(const std::vector<double>& v) {
    py::array_t<double> a(static_cast<py::ssize_t>(v.size()));
    std::copy(v.begin(), v.end(), a.mutable_data());
    return a;
}

py::tuple LineOf(const va::EnvelopeLine& e) {
    return py::make_tuple(Doubles(e.x), Doubles(e.y), IntArray(e.governing));
}

// Columns as Python values: texts as lists (None for no value), numbers as arrays.
py::dict ColumnsOf(const std::vector<va::Column>& columns) {
    py::dict out;
    for (const va::Column& c : columns) {
        if (!c.text) {
            out[py::str(c.name)] = Doubles(c.numbers);
            continue;
        }
        py::list texts(c.texts.size());
        for (std::size_t i = 0; i < c.texts.size(); ++i)
            texts[i] = c.optional && c.texts[i].empty() ? py::object(py::none()) : py::str(c.texts[i]);
        out[py::str(c.name)] = texts;
    }
    return out;
}

// What every result holds: the model and the combinations its diagrams are formed of.
class Analysis {
public:
    Analysis(std::shared_ptr<va::Model> model, std::vector<va::Combination> combinations)
        : model(std::move(model)), combinations(std::move(combinations)) {}

    std::vector<std::string> Members() const {
        std::vector<std::string> names;
        for (std::size_t m = 0; m < model->Size(); ++m)
            names.push_back(model->MemberName(m));
        return names;
    }

    void Check(std::size_t m, std::size_t f) const {
        if (m >= model->Size() || f >= model->Forces().size())
            throw py::index_error("no member " + std::to_string(m) + ", force " + std::to_string(f));
    }

    // Each diagram as a Function1D, a bounded one as the pair (upper bound, lower bound).
    py::list Diagrams(std::size_t m, std::size_t f) const {
        Check(m, f);
        std::vector<va::CaseDiagram> diagrams;
        {
            py::gil_scoped_release release;
            diagrams = std::move(va::MemberDiagrams(*model, m, combinations)[f]);
        }
        py::list out;
        for (va::CaseDiagram& d : diagrams) {
            if (d.Bounded())
                out.append(py::make_tuple(Function(std::move(d.upper.f)), Function(std::move(d.lower->f))));
            else
                out.append(Function(std::move(d.upper.f)));
        }
        return out;
    }

    std::shared_ptr<va::Model> model;
    std::vector<va::Combination> combinations;
};

struct EnvelopeAnalysis : Analysis {
    using Analysis::Analysis;
    va::EnvelopeRun run;
};

struct DesignAnalysis : Analysis {
    using Analysis::Analysis;
    va::DesignRun run;
};

struct KeyFigureAnalysis : Analysis {
    using Analysis::Analysis;
    va::KeyFigureRun run;
};

va::RunOptions Threads(unsigned threads) {
    va::RunOptions options;
    options.threads = threads;
    return options;
}

template <class Result>
void BindCommon(py::class_<Result>& c) {
    c.def_property_readonly("members", &Result::Members, "The member names, in input order.")
        .def_property_readonly(
            "forces", [](const Result& a) { return a.model->Forces(); }, "The force names, in order.")
        .def_property_readonly(
            "named", [](const Result& a) { return a.model->Named(); },
            "Whether the frame has a member column.")
        .def_property_readonly(
            "rows", [](const Result& a) { return a.model->Rows(); }, "The number of rows kept.")
        .def(
            "to_json", [](const Result& a) { return vf::ToJson(*a.model, a.run); },
            "The results as the tool's --json writes them.")
        .def(
            "to_csv", [](const Result& a) { return vf::ToCsv(*a.model, a.run); },
            "The results as the tool's --csv writes them.")
        .def("diagrams", &Result::Diagrams, "member"_a, "force"_a,
             "The member's diagrams of the force as Function1D: its cases, or the combinations.");
}

} // namespace

std::vector<va::Combination> ParseCombinations(const py::list& items) {
    return CombinationsOf(items);
}

void BindModel(py::module_& m) {
    m.def(
        "combination_cases",
        [](py::list combinations) {
            std::set<std::string> cases;
            for (const va::Combination& c : CombinationsOf(combinations))
                for (const va::Term& t : c.terms)
                    cases.insert(t.loadCase);
            return cases;
        },
        "combinations"_a, "The load cases the combinations name (what a model with them reads).");

    m.def("summary_columns", &va::SummaryColumns, "forces"_a, "design"_a = false,
          "The summary's column names for these forces (with design results: a situation column, and "
          "max_combination and min_combination for max_case and min_case).");

    py::class_<EnvelopeAnalysis> envelopes(
        m, "EnvelopeAnalysis", "The envelopes of a model's cases or combinations (an envelope run).");
    BindCommon(envelopes);
    envelopes
        .def(
            "diagram_names",
            [](const EnvelopeAnalysis& a, std::size_t member) {
                a.Check(member, 0);
                return a.run.members[member].diagrams;
            },
            "member"_a, "The names of the member's enveloped diagrams: its cases, or the combinations.")
        .def(
            "summary",
            [](const EnvelopeAnalysis& a) {
                return ColumnsOf(va::Tabulate(*a.model, va::Summarise(*a.model, a.run)));
            },
            "The summary as {column: values}, in the order of the analysis layer's SummaryColumns.")
        .def(
            "envelope",
            [](const EnvelopeAnalysis& a, std::size_t member, std::size_t force) {
                a.Check(member, force);
                const va::Envelope& e = a.run.members[member].forces[force].envelope;
                return py::make_tuple(LineOf(e.lower), LineOf(e.upper));
            },
            "member"_a, "force"_a,
            "((x, y, governing), (x, y, governing)): the lower and upper envelope's points; governing "
            "indexes "
            "diagram_names(member), -1 where none.");

    py::class_<DesignAnalysis> design(m, "DesignAnalysis", "The design envelopes of a model (a design run).");
    BindCommon(design);
    design
        .def(
            "diagram_names",
            [](const DesignAnalysis& a, std::size_t member) {
                a.Check(member, 0);
                return a.run.members[member].cases;
            },
            "member"_a, "The member's load cases.")
        .def(
            "summary",
            [](const DesignAnalysis& a) {
                return ColumnsOf(va::Tabulate(*a.model, va::Summarise(*a.model, a.run)));
            },
            "The summary as {column: values}: a row a member, force and situation.")
        .def(
            "design",
            [](const DesignAnalysis& a, std::size_t member, std::size_t force) {
                a.Check(member, force);
                py::list out;
                for (const va::SituationResult& d : a.run.members[member].forces[force]) {
                    const va::DesignSituation& s = d.situation;
                    py::list combinations;
                    for (const va::DesignCombination& c : s.combinations)
                        combinations.append(py::make_tuple(c.Text(), c.factors));
                    out.append(py::make_tuple(s.name, LineOf(s.lower), LineOf(s.upper), combinations));
                }
                return out;
            },
            "member"_a, "force"_a,
            "[(situation, lower, upper, combinations)], lower and upper as (x, y, governing), governing "
            "indexing combinations, each (text, [(case, factor), ...]).");

    py::class_<KeyFigureAnalysis> figures(m, "KeyFigureAnalysis",
                                          "The key figures of a model's diagrams (a key-figure run).");
    BindCommon(figures);
    figures.def(
        "diagram_names",
        [](const KeyFigureAnalysis& a, std::size_t member) {
            a.Check(member, 0);
            return a.run.members[member].diagrams;
        },
        "member"_a, "The names of the member's diagrams: its cases, or the combinations.");

    m.def(
        "analyse_envelopes",
        [](std::shared_ptr<va::Model> model, py::list combinations, const std::string& method,
           unsigned threads) {
            EnvelopeAnalysis a(std::move(model), CombinationsOf(combinations));
            const va::EnvelopeMethod how = MethodOf(method);
            py::gil_scoped_release release;
            a.run = va::AnalyseEnvelopes(*a.model, a.combinations, how, Threads(threads));
            return a;
        },
        "model"_a, "combinations"_a, "method"_a, "threads"_a,
        "The envelopes of every member's cases or combinations, members in parallel, the GIL released.");
    m.def(
        "analyse_design",
        [](std::shared_ptr<va::Model> model, const std::string& actions, unsigned threads) {
            DesignAnalysis a(std::move(model), {});
            // The shipped codes in the package's folder codes/, then where the tool's installation has them.
            const std::string core = py::module_::import("vymath._core").attr("__file__").cast<std::string>();
            std::vector<std::string> folders{core.substr(0, core.find_last_of('/') + 1) + "codes"};
            for (const std::string& f : vf::DefaultCodeFolders())
                folders.push_back(f);
            const va::Actions parsed = vf::ReadActions(actions, "actions", folders);
            py::gil_scoped_release release;
            a.run = va::AnalyseDesign(*a.model, parsed, Threads(threads));
            return a;
        },
        "model"_a, "actions"_a, "threads"_a,
        "The design envelopes of the actions (JSON text) under their code, members in parallel, the GIL "
        "released.");
    m.def(
        "analyse_key_figures",
        [](std::shared_ptr<va::Model> model, py::list combinations, unsigned threads) {
            KeyFigureAnalysis a(std::move(model), CombinationsOf(combinations));
            py::gil_scoped_release release;
            a.run = va::AnalyseKeyFigures(*a.model, a.combinations, Threads(threads));
            return a;
        },
        "model"_a, "combinations"_a, "threads"_a,
        "The key figures of every member's cases or combinations, members in parallel, the GIL released.");
}

} // namespace vymath_py
