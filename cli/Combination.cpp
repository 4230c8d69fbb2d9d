// Parsing and forming load combinations.
#include "Combination.h"

#include "Failure.h"
#include "Numbers.h"

#include <cctype>
#include <cstring>
#include <set>
#include <unordered_map>

namespace vycli {

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
        UsageError("combination " + Quoted(arg) + ", column " + std::to_string(at + 1) + ": " + what);
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
        const ParseStatus status = quoted ? ParseStatus::NotANumber : ParseDouble(first, factor);
        if (status != ParseStatus::Ok)
            Fail(start, "the factor " + Quoted(first) + " " + Describe(status));
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

std::vector<Combination> ParseCombinations(const std::vector<std::string>& args) {
    std::vector<Combination> out;
    std::set<std::string> names;
    for (const std::string& arg : args) {
        out.push_back(ExpressionParser(arg).Parse());
        if (!names.insert(out.back().name).second)
            UsageError("combination " + Quoted(out.back().name) + " is given twice");
    }
    return out;
}

std::vector<Member> FormCombinations(const std::vector<Combination>& combinations,
                                     const std::vector<Member>& cases, const std::string& file) {
    std::unordered_map<std::string, const CVyMathFunction1D*> byName;
    for (const Member& m : cases)
        byName.emplace(m.name, &m.f);
    std::vector<Member> out;
    out.reserve(combinations.size());
    for (const Combination& c : combinations) {
        std::vector<const CVyMathFunction1D*> members;
        std::vector<double> factors;
        for (const Term& t : c.terms) {
            const auto it = byName.find(t.name);
            if (it == byName.end())
                UsageError("combination " + Quoted(c.name) + ": no case " + Quoted(t.name) + " in " + file);
            members.push_back(it->second);
            factors.push_back(t.factor);
        }
        out.push_back({c.name, CVyMathFunction1D()});
        if (CVyMathFunction1D::Combine(members, factors, out.back().f) != CVyMathFunction1D::CombineDone)
            DataError("combination " + Quoted(c.name) + ": its cases have no common domain");
    }
    return out;
}

} // namespace vycli
