// Results made by hand for the writers' tests: envelopes with the points that no member governs (a
// placeholder where no member is defined, +-DBL_MAX, and a folded value that no member passes through), as
// the run of a model in the single form.
#ifndef VYMATH_TESTS_SAMPLERUNS_H
#define VYMATH_TESTS_SAMPLERUNS_H

#include <vymath/analysis/Analysis.h>

#include <cfloat>
#include <memory>
#include <string>
#include <vector>

namespace vymath {
namespace test {

const std::vector<std::string> kNames = {"G", "Q \"1\""};

inline analysis::Envelope Sample() {
    analysis::Envelope r;
    r.lower = analysis::EnvelopeLine{{0, 1, 2, 3}, {-1, -DBL_MAX, 0.1 + 0.2, -2}, {0, -1, -1, 1}};
    r.upper = analysis::EnvelopeLine{{0, 1, 2, 3}, {1, DBL_MAX, 5, -0.0}, {1, -1, 0, 0}};
    return r;
}

// A model of one unnamed member and one force, and a run of the given envelopes of kNames.
struct SingleRun {
    explicit SingleRun(const analysis::Envelope& e, std::vector<analysis::KeyFigures> figures = {}) {
        model = std::make_unique<analysis::Model>(std::vector<std::string>{"y"}, analysis::Places(), false);
        const double y = 0.0;
        model->Add("", "G", 0.0, &y, 0);
        run.members.push_back({kNames, {false, false}, {{e, {}, {}}}});
        keyFigures.members.push_back({kNames, {std::move(figures)}});
    }
    std::unique_ptr<analysis::Model> model;
    analysis::EnvelopeRun run;
    analysis::KeyFigureRun keyFigures;
};

} // namespace test
} // namespace vymath

#endif // VYMATH_TESTS_SAMPLERUNS_H
