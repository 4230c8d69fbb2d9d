// Section checks of a model: vymath.check_model's engine.
#include "bindings.h"

#include "formats/Actions.h"
#include "formats/Capacity.h"
#include "formats/Results.h"

#include <vymath/analysis/Check.h>

#include <pybind11/stl.h>

#include <memory>
#include <optional>

namespace vymath_py {

namespace {

namespace va = vymath::analysis;
namespace vf = vymath::formats;
using namespace pybind11::literals;

struct CheckAnalysis {
    std::shared_ptr<va::Model> model;
    va::Capacity capacity;
    va::CheckRun run;
};

} // namespace

void BindCheck(py::module_& m) {
    py::class_<CheckAnalysis>(m, "CheckAnalysis", "The section checks of a model (a check run).")
        .def_property_readonly(
            "members",
            [](const CheckAnalysis& a) {
                std::vector<std::string> names;
                for (std::size_t k = 0; k < a.model->Size(); ++k)
                    names.push_back(a.model->MemberName(k));
                return names;
            },
            "The member names, in input order.")
        .def_property_readonly(
            "notes", [](const CheckAnalysis& a) { return a.run.notes; },
            "What the run left aside or did otherwise (members the model lacks, sections enumerated).")
        .def(
            "to_json", [](const CheckAnalysis& a) { return vf::ToJson(*a.model, a.capacity, a.run); },
            "The results as the tool's --json writes them.")
        .def(
            "to_csv", [](const CheckAnalysis& a) { return vf::ToCsv(*a.model, a.capacity, a.run); },
            "The results as the tool's --csv writes them.");

    m.def(
        "analyse_checks",
        [](std::shared_ptr<va::Model> model, const std::string& capacity, const std::string& source,
           py::list combinations, const std::optional<std::string>& actions,
           const std::optional<std::string>& method, std::size_t maxCombinations, unsigned threads) {
            CheckAnalysis a{std::move(model), vf::ReadCapacity(capacity, source), {}};
            if (method && !vf::ParseCheckMethod(*method, a.capacity.method))
                throw py::value_error("method must be \"ray\" or \"at-first-force\", got \"" + *method +
                                      "\"");
            if (maxCombinations == 0)
                throw py::value_error("max_combinations must be 1 or more");
            const std::vector<va::Combination> parsed = ParseCombinations(combinations);
            std::vector<va::SituationRules> situations;
            if (!parsed.empty())
                situations.push_back(va::CombinationRules(parsed));
            if (actions)
                situations = va::DesignRules(vf::ReadActions(*actions, "actions"));
            va::CheckOptions limits;
            limits.maxCombinations = maxCombinations;
            va::RunOptions options;
            options.threads = threads;
            py::gil_scoped_release release;
            a.run = va::AnalyseChecks(*a.model, a.capacity, situations, limits, options);
            return a;
        },
        "model"_a, "capacity"_a, "source"_a, "combinations"_a, "actions"_a, "method"_a, "max_combinations"_a,
        "threads"_a,
        "The section checks of every member against the capacity (JSON text, `source` naming it in messages) "
        "over its cases, the combinations or the design situations of the actions (JSON text), members in "
        "parallel, the GIL released.");
}

} // namespace vymath_py
