// Text the tool's outputs share.
#include "Text.h"

#include "analysis/Text.h"

#include <algorithm>
#include <cmath>

namespace vycli {

using namespace vymath::analysis;

std::string UnitOf(const std::string& label) {
    const std::size_t open = label.rfind('['), close = label.rfind(']');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return "";
    return label.substr(open + 1, close - open - 1);
}

std::string Plural(std::size_t n, const std::string& word) {
    return std::to_string(n) + " " + (n == 1 && word.back() == 's' ? word.substr(0, word.size() - 1) : word);
}

std::string ForceLabel(const Model& model, std::size_t f) {
    const std::string& unit = model.GetUnits().forces[f];
    return unit.empty() ? model.Forces()[f] : model.Forces()[f] + " [" + unit + "]";
}

std::string ForceList(const Model& model) {
    std::vector<std::string> labels;
    for (std::size_t f = 0; f < model.Forces().size(); ++f)
        labels.push_back(ForceLabel(model, f));
    return NameList(labels);
}

std::string NameList(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names)
        out += (out.empty() ? "" : ", ") + (n.find(',') == std::string::npos ? n : '"' + n + '"');
    return out;
}

std::string DiagramWord(DiagramKind kind) {
    return kind == DiagramKind::LoadCases ? "cases" : "combinations";
}

std::string CoincidentText(const SummaryExtreme& e, const std::vector<std::string>& forces) {
    std::string out;
    for (const Coincident& c : e.coincident) {
        out += (out.empty() ? "" : ", ") + forces[c.force] + " ";
        const auto value = [](double v) {
            return std::isnan(v) ? std::string("-") : vymath::text::Readable(v);
        };
        out += value(c.left);
        if (!(c.left == c.right || (std::isnan(c.left) && std::isnan(c.right))))
            out += "|" + value(c.right);
    }
    return out.empty() ? "-" : out;
}

std::string Subject(const EnvelopeRun& run) {
    if (run.kind == DiagramKind::LoadCases)
        return "envelopes of the load cases";
    const std::vector<std::string>& names = run.members.front().diagrams;
    return "envelopes of " + Plural(names.size(), "combinations") + ": " + NameList(names);
}

std::string Subject(const DesignRun& run) {
    return "design envelopes by " + (run.code.empty() ? std::string("the rules") : run.code) + " of " +
           Plural(run.actions.size(), "actions") + ": " + NameList(run.actions);
}

std::string Escaped(const std::string& s) {
    std::string out;
    for (char c : s)
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    return out;
}

std::size_t Characters(const std::string& s) {
    return static_cast<std::size_t>(std::count_if(
        s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

} // namespace vycli
