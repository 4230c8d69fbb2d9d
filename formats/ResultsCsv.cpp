// The results as CSV.
#include "Csv.h"
#include "Input.h"
#include "Results.h"
#include "analysis/Text.h"

#include <vymath/analysis/Summary.h>

#include <cmath>

namespace vymath {
namespace formats {

namespace {

using namespace analysis;
using text::AppendShortest;

// A flat table: the header, then a row a line; a NaN is an empty field.
std::string CsvOf(const std::vector<Column>& columns) {
    std::string out;
    for (const Column& c : columns)
        out += (out.empty() ? "" : ",") + CsvField(c.name);
    out += '\n';
    const std::size_t n = columns.empty() ? 0 : columns[0].texts.size();
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t k = 0; k < columns.size(); ++k) {
            if (k)
                out += ',';
            if (columns[k].text)
                out += CsvField(columns[k].texts[i]);
            else if (!std::isnan(columns[k].numbers[i]))
                AppendShortest(out, columns[k].numbers[i]);
        }
        out += '\n';
    }
    return out;
}

const char* kFigureColumns = "xmin,xmax,points,min_x,min_y,max_x,max_y,resultant,moment,excentricity,zeros\n";

void AppendFigures(std::string& out, const KeyFigures& c) {
    for (double v : {c.xmin, c.xmax})
        AppendShortest(out += ',', v);
    out += ',' + std::to_string(c.points);
    for (double v : {c.min.x, c.min.y, c.max.x, c.max.y, c.resultant, c.moment})
        AppendShortest(out += ',', v);
    out += ',';
    if (c.excentricity)
        AppendShortest(out, *c.excentricity);
    out += ',';
    for (std::size_t i = 0; i < c.zeros.size(); ++i)
        AppendShortest(out += (i ? " " : ""), c.zeros[i]);
    out += '\n';
}

} // namespace

std::string ToCsv(const Model& model, const EnvelopeRun& run) {
    if (!SingleForm(model))
        return CsvOf(Tabulate(model, Summarise(model, run)));
    const MemberEnvelopes& m = run.members[0];
    const Envelope& r = m.forces[0].envelope;
    std::string out = "envelope,x,y,case\n";
    for (const auto& [name, e] : {std::pair{"lower", &r.lower}, std::pair{"upper", &r.upper}})
        for (std::size_t i = 0; i < e->x.size(); ++i) {
            out += name;
            out += ',';
            AppendShortest(out, e->x[i]);
            out += ',';
            AppendShortest(out, e->y[i]);
            const int g = e->governing[i];
            out += ',' + (g < 0 ? std::string() : CsvField(m.diagrams[static_cast<std::size_t>(g)])) + '\n';
        }
    return out;
}

std::string ToCsv(const Model& model, const DesignRun& run) {
    if (!SingleForm(model))
        return CsvOf(Tabulate(model, Summarise(model, run)));
    const std::vector<std::string>& cases = run.members[0].cases;
    std::string out = "situation,envelope,x,y,combination";
    for (const std::string& c : cases)
        out += ',' + CsvField(c);
    out += '\n';
    for (const SituationResult& d : run.members[0].forces[0]) {
        const DesignSituation& s = d.situation;
        // Each combination's text and factors, one cell a case.
        std::vector<std::string> cells;
        for (const DesignCombination& c : s.combinations) {
            std::string row = ',' + CsvField(c.Text());
            for (const std::string& name : cases) {
                double v = 0.0;
                for (const auto& f : c.factors)
                    if (f.first == name)
                        v = f.second;
                AppendShortest(row += ',', v);
            }
            cells.push_back(row + '\n');
        }
        cells.push_back(std::string(cases.size() + 1, ',') + '\n'); // a jump's zero-width stretch: none
        for (const auto& [name, e] : {std::pair{"lower", &s.lower}, std::pair{"upper", &s.upper}})
            for (std::size_t i = 0; i < e->x.size(); ++i) {
                out += CsvField(s.name) + ',' + name + ',';
                AppendShortest(out, e->x[i]);
                out += ',';
                AppendShortest(out, e->y[i]);
                const int g = e->governing[i];
                out += cells[g < 0 ? cells.size() - 1 : static_cast<std::size_t>(g)];
            }
    }
    return out;
}

std::string ToCsv(const Model& model, const KeyFigureRun& run) {
    const bool single = SingleForm(model);
    std::string out = std::string(single ? "case," : "member,force,case,") + kFigureColumns;
    for (std::size_t m = 0; m < run.members.size(); ++m)
        for (std::size_t f = 0; f < run.members[m].forces.size(); ++f)
            for (std::size_t c = 0; c < run.members[m].diagrams.size(); ++c) {
                if (!single)
                    out += CsvField(model.MemberName(m)) + ',' + CsvField(model.Forces()[f]) + ',';
                out += CsvField(run.members[m].diagrams[c]);
                AppendFigures(out, run.members[m].forces[f][c]);
            }
    return out;
}

} // namespace formats
} // namespace vymath
