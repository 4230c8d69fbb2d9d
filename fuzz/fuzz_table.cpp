// Fuzzing of the table reader on CSV text: dialects, title rows and several tables, units rows, recognised
// layouts, steps (Max, Min, Mode, Step), the cases asked for, decimal commas and units conversion. The first
// four bytes choose the options (columns named from a small vocabulary, filters, the table, the cases, the
// units, the delimiter and the decimal given or told), the rest is the text, read as a CSV file is.
// Oracles: no crash, hang or runaway memory; every failure an analysis::Error with a one-line message; a
// model of at most as many rows as the text has lines after its header, of the cases asked for only, in the
// units asked for; each member's diagrams built or refused with an analysis::Error, their points finite, a
// bounded case's Max and Min diagrams at the same abscissas; every note one line.
#include "formats/Input.h"

#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/Error.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace vymath;

bool Trace() {
    return std::getenv("VYMATH_FUZZ_TRACE") != nullptr;
}

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "invariant broken: %s\n%s\n", what, detail.c_str());
    std::abort();
}

void OneLine(const std::string& message) {
    if (message.empty() || message.find_first_of("\r\n") != std::string::npos)
        Fail("a message is not one line", "[" + message + "]");
}

// The lines of the text (ended by "\n", "\r\n" or "\r") that hold anything: a row takes one at least.
std::size_t Lines(std::string_view text) {
    std::size_t lines = 0;
    bool content = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n' || c == '\r') {
            lines += content;
            content = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            content = true;
        }
    }
    return lines + content;
}

formats::UnitSystem System(const char* text) {
    formats::UnitSystem s;
    if (!formats::ParseUnitSystem(text, s))
        Fail("a unit system of the fuzzer is not read", text);
    return s;
}

// The options from four bytes.
formats::ReadOptions Options(const std::uint8_t* b) {
    formats::ReadOptions o;
    analysis::ColumnRequest& c = o.table.columns;
    static const std::vector<std::string> members[] = {{}, {"member"}, {"Frame"}, {"Story", "Beam"}};
    static const char* const caseX[][2] = {
        {"", ""}, {"case", "x"}, {"OutputCase", "Station"}, {"Output Case", "Station"}};
    static const char* const steps[][2] = {
        {"", ""}, {"StepType", "StepNumber"}, {"Step Type", "Step Number"}, {"Location", ""}};
    static const std::vector<std::string> forces[] = {{}, {"M3"}, {"M3", "V2"}, {"y"}};
    c.members = members[b[0] & 3];
    c.loadCase = caseX[(b[0] >> 2) & 3][0];
    c.x = caseX[(b[0] >> 2) & 3][1];
    c.step = steps[(b[0] >> 4) & 3][0];
    c.stepNumber = steps[(b[0] >> 4) & 3][1];
    c.forces = forces[(b[0] >> 6) & 3];
    static const std::vector<analysis::Filter> filters[] = {
        {}, {{"StepType", {"Max", ""}}}, {{"Step Type", {"Min"}}}, {{"Case Type", {"LinStatic"}}}};
    c.filters = filters[b[1] & 3];
    static const char* const tables[] = {"", "Element Forces - Beams", "Element Forces - Columns", "x"};
    o.table.table = tables[(b[1] >> 2) & 3];
    static const char* const cases[] = {"Dead", "Q", "ENV", "Modal:1"};
    for (int k = 0; k < 4; ++k)
        if (b[1] & (16 << k))
            o.table.cases.insert(cases[k]);
    static const char* const systems[] = {"kN,m", "tonf,m", "kip,ft"};
    if (b[2] & 3)
        o.table.units = System(systems[(b[2] & 3) - 1]);
    if ((b[2] >> 2) & 3)
        o.table.from = System(systems[((b[2] >> 2) & 3) - 1]);
    if (b[2] & 16)
        o.table.moments = {"M", "y"};
    static const char delimiters[] = {0, ',', ';', '\t'};
    o.delimiter = delimiters[(b[2] >> 5) & 3];
    o.decimalGiven = (b[2] & 128) != 0;
    o.table.decimal = (b[3] & 1) ? ',' : '.';
    if (b[3] & 2)
        o.table.note = [](const std::string& note) {
            OneLine(note);
            if (Trace())
                std::fprintf(stderr, "note: %s\n", note.c_str());
        };
    return o;
}

// Each member's diagrams of every force: refused with an analysis::Error, or finite points, a bounded
// case's two bounds at the same abscissas.
void CheckDiagrams(const analysis::Model& model) {
    for (std::size_t m = 0; m < model.Size(); ++m) {
        std::vector<std::vector<analysis::CaseDiagram>> byForce;
        try {
            byForce = analysis::MemberDiagrams(model, m, {});
        } catch (const analysis::Error& e) {
            OneLine(e.what());
            if (Trace())
                std::fprintf(stderr, "member %zu: %s\n", m, e.what());
            continue;
        }
        for (const auto& diagrams : byForce) {
            if (diagrams.size() != model.Cases(m).size())
                Fail("not one diagram a case", model.MemberName(m));
            for (std::size_t c = 0; c < diagrams.size(); ++c) {
                const analysis::CaseDiagram& d = diagrams[c];
                if (d.Bounded() != model.Bounded(m, c))
                    Fail("a case's bounds differ from the model's", model.Label(m, c));
                const auto upper = d.upper.Points();
                for (const auto& p : upper)
                    if (!std::isfinite(p.x) || !std::isfinite(p.y))
                        Fail("a point is not finite", model.Label(m, c));
                if (!d.Bounded())
                    continue;
                const auto lower = d.lower->Points();
                bool same = lower.size() == upper.size() && d.lower->jumps == d.upper.jumps;
                for (std::size_t k = 0; same && k < lower.size(); ++k)
                    same = lower[k].x == upper[k].x && std::isfinite(lower[k].y);
                if (!same)
                    Fail("a bounded case's Max and Min diagrams are not at the same abscissas",
                         model.Label(m, c));
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    const formats::ReadOptions options = Options(data);
    const std::string_view text(reinterpret_cast<const char*>(data) + 4, size - 4);
    std::unique_ptr<analysis::Model> model;
    try {
        model = formats::ReadModelCsv(text, "fuzz.csv", options);
    } catch (const analysis::Error& e) {
        OneLine(e.what());
        if (Trace())
            std::fprintf(stderr, "refused: %s\n", e.what());
        return 0;
    } catch (const std::exception& e) {
        Fail("an exception other than analysis::Error", e.what());
    }
    if (!model)
        Fail("no model and no error", "");
    const std::size_t lines = Lines(text);
    if (lines == 0 || model->Rows() > lines - 1)
        Fail("more rows than lines after a header",
             std::to_string(model->Rows()) + " rows, " + std::to_string(lines) + " lines");
    if (!options.table.cases.empty())
        for (const std::string& c : model->AllCases())
            if (options.table.cases.count(c) == 0)
                Fail("a case not asked for is read", c);
    if (options.table.units) {
        const analysis::Model::Units& units = model->GetUnits();
        bool ok = units.x == options.table.units->length.name;
        for (const std::string& u : units.forces)
            ok = ok && (u == options.table.units->force.name || u == options.table.units->moment.name);
        if (!ok)
            Fail("the units are not the ones asked for", units.x);
    }
    if (Trace())
        std::fprintf(stderr, "model: %zu members, %zu forces, %zu rows\n", model->Size(),
                     model->Forces().size(), model->Rows());
    try {
        CheckDiagrams(*model);
    } catch (const std::exception& e) {
        Fail("an exception other than analysis::Error from the diagrams", e.what());
    }
    return 0;
}
