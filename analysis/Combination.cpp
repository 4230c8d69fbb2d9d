// Parsing and forming load combinations.
#include "vymath/analysis/Combination.h"

#include "Text.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>

namespace vymath {
namespace analysis {

using text::Quoted;
using text::Shortest;

namespace {

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

class ExpressionParser {
public:
    explicit ExpressionParser(const std::string& arg) : arg(arg) {}

    Combination Parse() {
        const std::size_t eq = arg.find('=');
        Combination c;
        c.name = eq == std::string::npos ? "" : Trim(arg.substr(0, eq));
        if (c.name.empty())
            Fail(0, "expected NAME=EXPR, as in ULS=1.35*G+1.5*Q");
        pos = eq + 1;
        SkipSpaces();
        if (pos == arg.size())
            Fail(pos, "expected a sum of factored cases after '='");
        double sign = 1.0;
        if (arg[pos] == '+' || arg[pos] == '-')
            sign = Sign();
        for (;;) {
            c.terms.push_back(ParseTerm(sign));
            if (pos == arg.size())
                return c;
            if (arg[pos] != '+' && arg[pos] != '-')
                Fail(pos, "expected '+', '-' or the end");
            sign = Sign();
        }
    }

private:
    static std::string Trim(const std::string& s) {
        const std::size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
        return a == std::string::npos ? "" : s.substr(a, b - a + 1);
    }

    [[noreturn]] void Fail(std::size_t at, const std::string& what) const {
        throw Error(Error::Kind::Usage,
                    "combination " + Quoted(arg) + ", column " + std::to_string(at + 1) + ": " + what);
    }

    void SkipSpaces() {
        while (pos < arg.size() && IsSpace(arg[pos]))
            ++pos;
    }

    // The operator at pos, then the start of the next term.
    double Sign() {
        const char op = arg[pos++];
        SkipSpaces();
        if (pos == arg.size())
            Fail(pos, std::string("expected a term after '") + op + "'");
        return op == '-' ? -1.0 : 1.0;
    }

    // A quoted name, a number-like token (digits, '.', letters, a sign after an exponent's e), or a name.
    std::string Atom(bool& quoted) {
        const std::size_t start = pos;
        quoted = arg[pos] == '"';
        if (quoted) {
            const std::size_t close = arg.find('"', pos + 1);
            if (close == std::string::npos)
                Fail(pos, "the quote is not closed");
            pos = close + 1;
            return arg.substr(start + 1, close - start - 1);
        }
        const bool numeric = std::isdigit(static_cast<unsigned char>(arg[pos])) || arg[pos] == '.';
        while (pos < arg.size()) {
            const char ch = arg[pos];
            if (IsSpace(ch) || std::strchr("*\"", ch) ||
                ((ch == '+' || ch == '-') && !(numeric && (arg[pos - 1] == 'e' || arg[pos - 1] == 'E'))))
                break;
            ++pos;
        }
        return arg.substr(start, pos - start);
    }

    Term ParseTerm(double sign) {
        const std::size_t start = pos;
        bool quoted = false;
        std::string first = Atom(quoted);
        if (first.empty() && !quoted)
            Fail(start, "expected a factor or a case name");
        SkipSpaces();
        if (pos == arg.size() || arg[pos] != '*') {
            if (!quoted && (std::isdigit(static_cast<unsigned char>(first[0])) || first[0] == '.'))
                Fail(pos, "expected '*' and a case name after the factor " + first);
            return {sign, first};
        }
        double factor = 0.0;
        const text::ParseStatus status =
            quoted ? text::ParseStatus::NotANumber : text::ParseDouble(first, factor);
        if (status != text::ParseStatus::Ok)
            Fail(start, "the factor " + Quoted(first) + " " + text::Describe(status));
        ++pos; // '*'
        SkipSpaces();
        const std::size_t nameAt = pos;
        std::string name = pos < arg.size() ? Atom(quoted) : std::string();
        if (name.empty() && !quoted)
            Fail(nameAt, "expected a case name after '*'");
        SkipSpaces();
        return {sign * factor, name};
    }

    const std::string& arg;
    std::size_t pos = 0;
};

} // namespace

Combination ParseCombination(const std::string& text) {
    return ExpressionParser(text).Parse();
}

std::vector<Combination> ParseCombinations(const std::vector<std::string>& texts) {
    std::vector<Combination> out;
    std::set<std::string> names;
    for (const std::string& text : texts) {
        out.push_back(ParseCombination(text));
        if (!names.insert(out.back().name).second)
            throw Error(Error::Kind::Usage, "combination " + Quoted(out.back().name) + " is given twice");
    }
    return out;
}

Diagram FormCombination(const std::string& label, const Combination& c,
                        const std::vector<const Diagram*>& cases) {
    std::vector<const CVyMathFunction1D*> members;
    std::vector<double> factors;
    Diagram out;
    for (std::size_t k = 0; k < cases.size() && k < c.terms.size(); ++k) {
        members.push_back(&cases[k]->f);
        factors.push_back(c.terms[k].factor);
        out.jumps.insert(out.jumps.end(), cases[k]->jumps.begin(), cases[k]->jumps.end());
    }
    if (CVyMathFunction1D::Combine(members, factors, out.f) != CVyMathFunction1D::CombineDone)
        throw Error(Error::Kind::Data, label + ": its cases have no common domain");
    std::sort(out.jumps.begin(), out.jumps.end());
    out.jumps.erase(std::unique(out.jumps.begin(), out.jumps.end()), out.jumps.end());
    return out;
}

} // namespace analysis
} // namespace vymath
