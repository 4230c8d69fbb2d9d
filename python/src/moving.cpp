// vymath._core's moving loads: influence lines from arrays or a frame's model, the load's text, the run
// (lines in parallel, the GIL released) and its results as the tool's JSON and CSV.
#include "bindings.h"

#include "analysis/Text.h"
#include "formats/Moving.h"
#include "formats/MovingLoad.h"

#include <vymath/analysis/Analysis.h>

#include <pybind11/stl.h>

#include <algorithm>
#include <memory>
#include <utility>

using namespace pybind11::literals;
namespace va = vymath::analysis;
namespace vf = vymath::formats;

namespace vymath_py {

namespace {

struct MovingAnalysis {
    vf::MovingLines lines;
    va::MovingLoad load;
    std::vector<va::MovingResult> results;
};

// The lines named `names`, line k's points (xs[k], ys[k]), as a model of one unnamed member whose cases
// are the lines: "line "A": point 3" in messages.
std::shared_ptr<va::Model> LinesModel(const std::vector<std::string>& names,
                                      const std::vector<DoubleArray>& xs,
                                      const std::vector<DoubleArray>& ys) {
    if (xs.size() != names.size() || ys.size() != names.size())
        throw py::value_error("lines: one x and one y array a line");
    std::vector<std::size_t> first{0}; // each line's first origin
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (xs[k].ndim() != 1 || ys[k].ndim() != 1 || xs[k].size() != ys[k].size())
            throw py::value_error("line " + vymath::text::Quoted(names[k]) +
                                  ": x and y must be one-dimensional arrays of one length");
        first.push_back(first.back() + static_cast<std::size_t>(xs[k].size()));
    }
    va::Places places;
    places.source = "lines";
    places.row = [names, first](std::size_t origin) {
        const std::size_t k =
            static_cast<std::size_t>(std::upper_bound(first.begin(), first.end(), origin) - first.begin()) -
            1;
        return "line " + vymath::text::Quoted(names[k]) + ": point " + std::to_string(origin - first[k]);
    };
    auto model = std::make_shared<va::Model>(std::vector<std::string>{"y"}, std::move(places), false);
    for (std::size_t k = 0; k < names.size(); ++k) {
        const double* x = xs[k].data();
        const double* y = ys[k].data();
        for (std::size_t i = 0; i < static_cast<std::size_t>(xs[k].size()); ++i)
            model->Add("", names[k], x[i], y + i, first[k] + i);
    }
    return model;
}

} // namespace

void BindMoving(py::module_& m) {
    m.def("lines_model", &LinesModel, "names"_a, "xs"_a, "ys"_a,
          "The influence lines named `names`, each (xs[k], ys[k]), as a model whose cases are the lines.");
    m.def(
        "load_text",
        [](const std::string& load, const std::vector<std::string>& folders) {
            std::string source;
            std::string text = vf::LoadText(load, folders, source);
            return std::make_pair(std::move(text), std::move(source));
        },
        "load"_a, "folders"_a,
        "(text, source): the JSON of a load file, or of the shipped load so named in the first folder that "
        "has it.");

    py::class_<MovingAnalysis>(m, "MovingAnalysis", "A moving load's extremes on influence lines.")
        .def_property_readonly(
            "names", [](const MovingAnalysis& a) { return a.lines.names; }, "The lines' names, in order.")
        .def(
            "to_json", [](const MovingAnalysis& a) { return vf::MovingJson(a.lines, a.results, a.load); },
            "The results as the tool's --json writes them.")
        .def(
            "to_csv", [](const MovingAnalysis& a) { return vf::MovingCsv(a.lines, a.results); },
            "The results as the tool's --csv writes them.")
        .def(
            "to_case",
            [](const MovingAnalysis& a, const std::string& name) {
                return vf::MovingCase(a.lines, a.results, name);
            },
            "name"_a, "The extremes as the bounded case `name`, as the tool's --write-case writes it.");

    m.def(
        "analyse_moving",
        [](std::shared_ptr<va::Model> model, const std::string& sectionX, const std::string& load,
           const std::string& source, unsigned threads) {
            MovingAnalysis a;
            a.load = vf::ReadMovingLoad(load, source);
            py::gil_scoped_release release;
            a.lines = vf::LinesOf(*model, sectionX, "section_x");
            std::vector<const va::Diagram*> lines;
            for (const va::Diagram& d : a.lines.lines)
                lines.push_back(&d);
            va::RunOptions options;
            options.threads = threads;
            a.results = va::AnalyseMoving(lines, a.load, options);
            return a;
        },
        "model"_a, "section_x"_a, "load"_a, "source"_a, "threads"_a,
        "The extremes of the load (JSON text, named `source` in messages) on the model's lines, in parallel, "
        "the GIL released.");
}

} // namespace vymath_py
