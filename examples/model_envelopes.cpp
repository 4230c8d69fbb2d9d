// The analysis layer on a small frame: two beams, each with its shear V and moment M under a dead load G
// and a live load Q, given as rows as an analysis program exports them. The envelopes of two load
// combinations with the extremes, the combination governing each and the shear that comes with the
// largest moment; then the design envelopes of the same cases under combination rules given as data.
#include "beam_diagrams.h"

#include <vymath/analysis/Analysis.h>
#include <vymath/analysis/Summary.h>

#include <cstdio>

namespace va = vymath::analysis;

int main() {
    const double span = 6.0;
    // Rows: member, case, x, then V and M. Q is a point load at midspan: V jumps there (two rows at one x,
    // the left value first).
    va::Model model({"V", "M"});
    for (const char* member : {"B1", "B2"}) {
        const double q = member[1] == '1' ? 10.0 : 14.0; // kN/m of G on each beam
        for (int i = 0; i <= 12; ++i) {
            const double x = span * i / 12, g[2] = {q * (span / 2 - x), beam::Uniform(span, q)(x)};
            model.Add(member, "G", x, g, 0);
        }
        const double left[2] = {25.0, 75.0}, right[2] = {-25.0, 75.0}, end[2] = {-25.0, 0.0},
                     start[2] = {25.0, 0.0};
        model.Add(member, "Q", 0.0, start, 0);
        model.Add(member, "Q", span / 2, left, 0);
        model.Add(member, "Q", span / 2, right, 0);
        model.Add(member, "Q", span, end, 0);
    }

    // Envelopes of two combinations, every member in parallel; a row a member and force.
    const std::vector<va::Combination> combinations =
        va::ParseCombinations({"ULS=1.35*G + 1.5*Q", "SLS=G + Q"});
    const va::EnvelopeRun run = va::AnalyseEnvelopes(model, combinations, va::EnvelopeMethod::Exact);
    for (const va::SummaryRow& row : va::Summarise(model, run)) {
        std::printf("%s %s: max %8.2f at x = %.2f (%s), min %8.2f at x = %.2f (%s)",
                    model.MemberName(row.member).c_str(), model.Forces()[row.force].c_str(), row.max.y,
                    row.max.x, row.max.governing.c_str(), row.min.y, row.min.x, row.min.governing.c_str());
        for (const va::Coincident& c : row.max.coincident) // the other force where the maximum is
            std::printf("; with it %s %.2f|%.2f", model.Forces()[c.force].c_str(), c.left, c.right);
        std::printf("\n");
    }

    // The same cases as the rules of a design situation: G at 1.35 where unfavourable, 1.0 where
    // favourable; Q at 1.5 or absent. Every combination of the terms counts, none is listed.
    const va::Alternative g135{{{"G", 1.35}}}, g100{{{"G", 1.0}}}, q150{{{"Q", 1.5}}}, none{};
    const std::vector<va::SituationRules> rules{
        {"ULS", {{"6.10", "Q", {{"G", {g135, g100}}, {"Q", {q150, none}}}}}}};
    const va::DesignRun design = va::AnalyseDesign(model, rules);
    for (const va::DesignSummaryRow& row : va::Summarise(model, design))
        std::printf("%s %s %-19s max %8.2f at x = %.2f by %s\n", model.MemberName(row.member).c_str(),
                    model.Forces()[row.force].c_str(), row.name.c_str(), row.max.y, row.max.x,
                    row.max.governing.c_str());
    return 0;
}
