// A model's results as rows and as columns.
#include "vymath/analysis/Summary.h"

#include <limits>
#include <utility>

namespace vymath {
namespace analysis {

namespace {

// name: what governs, empty where none is known.
SummaryExtreme SummaryOf(const Extreme& e, std::string name, std::size_t force) {
    SummaryExtreme s;
    s.found = e.found;
    if (!e.found)
        return s;
    s.x = e.x;
    s.y = e.y;
    s.governing = std::move(name);
    for (std::size_t f = 0; f < e.left.size(); ++f)
        if (f != force)
            s.coincident.push_back({f, e.left[f], e.right[f]});
    return s;
}

std::string NameOf(const Extreme& e, const std::vector<std::string>& names) {
    return e.governing >= 0 ? names[static_cast<std::size_t>(e.governing)] : std::string();
}

std::string CombinationOf(const Extreme& e, const DesignSituation& s) {
    return e.found ? s.combinations[static_cast<std::size_t>(e.governing)].Text() : std::string();
}

// Columns of the rows, with the situation column where `situations` is given.
template <class Row>
std::vector<Column> ColumnsOf(const Model& model, const std::vector<Row>& rows,
                              const std::vector<std::string>* situations) {
    const std::vector<std::string>& forces = model.Forces();
    const std::size_t n = rows.size(), nf = forces.size();
    const std::vector<std::string> names = SummaryColumns(forces, situations != nullptr);
    const std::size_t first = situations ? 3 : 2; // the max column
    std::vector<Column> out(names.size());
    for (std::size_t k = 0; k < names.size(); ++k) {
        Column& c = out[k];
        c.name = names[k];
        // member, force [, situation], then max, max_x, max_case, min, min_x, min_case, then numbers
        c.text = k < first || (k >= first && k < first + 6 && (k - first) % 3 == 2);
        c.optional = c.text && k >= first;
        if (c.text)
            c.texts.reserve(n);
        else
            c.numbers.assign(n, std::numeric_limits<double>::quiet_NaN());
    }
    for (std::size_t i = 0; i < n; ++i) {
        const SummaryRow& r = rows[i];
        out[0].texts.push_back(model.MemberName(r.member));
        out[1].texts.push_back(forces[r.force]);
        if (situations)
            out[2].texts.push_back((*situations)[i]);
        std::size_t k = first;
        for (const SummaryExtreme* e : {&r.max, &r.min}) {
            if (e->found) {
                out[k].numbers[i] = e->y;
                out[k + 1].numbers[i] = e->x;
            }
            out[k + 2].texts.push_back(e->governing);
            k += 3;
        }
        for (const SummaryExtreme* e : {&r.max, &r.min}) {
            for (const Coincident& c : e->coincident) {
                out[k + 2 * c.force].numbers[i] = c.left;
                out[k + 2 * c.force + 1].numbers[i] = c.right;
            }
            k += 2 * nf;
        }
    }
    return out;
}

} // namespace

std::vector<SummaryRow> Summarise(const Model& model, const EnvelopeRun& run) {
    std::vector<SummaryRow> rows;
    rows.reserve(run.members.size() * model.Forces().size());
    for (std::size_t m = 0; m < run.members.size(); ++m) {
        const MemberEnvelopes& member = run.members[m];
        for (std::size_t f = 0; f < member.forces.size(); ++f) {
            const ForceEnvelope& r = member.forces[f];
            rows.push_back({m, f, SummaryOf(r.max, NameOf(r.max, member.diagrams), f),
                            SummaryOf(r.min, NameOf(r.min, member.diagrams), f)});
        }
    }
    return rows;
}

std::vector<DesignSummaryRow> Summarise(const Model& model, const DesignRun& run) {
    std::vector<DesignSummaryRow> rows;
    rows.reserve(run.members.size() * model.Forces().size());
    for (std::size_t m = 0; m < run.members.size(); ++m)
        for (std::size_t f = 0; f < run.members[m].forces.size(); ++f) {
            const std::vector<SituationResult>& situations = run.members[m].forces[f];
            for (std::size_t s = 0; s < situations.size(); ++s) {
                const SituationResult& d = situations[s];
                DesignSummaryRow row;
                row.member = m;
                row.force = f;
                row.max = SummaryOf(d.max, CombinationOf(d.max, d.situation), f);
                row.min = SummaryOf(d.min, CombinationOf(d.min, d.situation), f);
                row.situation = s;
                row.name = d.situation.name;
                rows.push_back(std::move(row));
            }
        }
    return rows;
}

std::vector<std::string> SummaryColumns(const std::vector<std::string>& forces, bool design) {
    std::vector<std::string> names = {"member",   "force", "max",   "max_x",
                                      "max_case", "min",   "min_x", "min_case"};
    if (design) {
        names.insert(names.begin() + 2, "situation");
        names[5] = "max_combination";
        names[8] = "min_combination";
    }
    for (const char* extreme : {"max_", "min_"})
        for (const std::string& f : forces) {
            names.push_back(extreme + f + "_left");
            names.push_back(extreme + f + "_right");
        }
    return names;
}

std::vector<Column> Tabulate(const Model& model, const std::vector<SummaryRow>& rows) {
    return ColumnsOf(model, rows, nullptr);
}

std::vector<Column> Tabulate(const Model& model, const std::vector<DesignSummaryRow>& rows) {
    std::vector<std::string> situations;
    situations.reserve(rows.size());
    for (const DesignSummaryRow& r : rows)
        situations.push_back(r.name);
    return ColumnsOf(model, rows, &situations);
}

} // namespace analysis
} // namespace vymath
