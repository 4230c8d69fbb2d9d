// Units of lengths, forces and moments.
#include "Units.h"

#include <algorithm>
#include <cctype>

namespace vymath {
namespace formats {

namespace {

struct Known {
    const char* name;
    long double value;
};

// Lengths in m, forces in kN, by their definitions (the international foot, yard and pound; the
// standard acceleration of gravity 9.80665 m/s2 for the tonne-force and kilogram-force).
const Known kLengths[] = {{"m", 1.0L}, {"cm", 0.01L}, {"mm", 0.001L}, {"ft", 0.3048L}, {"in", 0.0254L}};
const Known kForces[] = {{"kN", 1.0L},
                         {"N", 0.001L},
                         {"MN", 1000.0L},
                         {"tonf", 9.80665L},
                         {"kgf", 0.00980665L},
                         {"kip", 4.4482216152605L},
                         {"lb", 0.0044482216152605L},
                         {"lbf", 0.0044482216152605L}};

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char p, char q) {
               return std::tolower(static_cast<unsigned char>(p)) ==
                      std::tolower(static_cast<unsigned char>(q));
           });
}

// The unit of a table by its name: exactly as written, or else ignoring letter case (but "MN" and "mN",
// "mm" and "Mm": only exact there).
template <std::size_t N>
const Known* Find(const Known (&table)[N], std::string_view name) {
    for (const Known& k : table)
        if (name == k.name)
            return &k;
    for (const Known& k : table)
        if (SameLetters(name, k.name) && std::string_view(k.name) != "MN")
            return &k;
    return nullptr;
}

} // namespace

bool ParseUnit(std::string_view name, Unit& unit) {
    if (const Known* k = Find(kLengths, name)) {
        unit = {std::string(name), Dimension::Length, k->value};
        return true;
    }
    if (const Known* k = Find(kForces, name)) {
        unit = {std::string(name), Dimension::Force, k->value};
        return true;
    }
    // A moment: a force, then a length, joined or not.
    for (std::size_t split = 1; split < name.size(); ++split) {
        std::string_view force = name.substr(0, split), length = name.substr(split);
        if (length.front() == '-' || length.front() == '*' || length.front() == '.')
            length.remove_prefix(1);
        const Known* f = Find(kForces, force);
        const Known* l = Find(kLengths, length);
        if (f && l && !length.empty()) {
            unit = {std::string(name), Dimension::Moment, f->value * l->value};
            return true;
        }
    }
    return false;
}

double Factor(const Unit& from, const Unit& to) {
    return static_cast<double>(from.value / to.value);
}

bool ParseUnitSystem(std::string_view text, UnitSystem& system) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return false;
    if (!ParseUnit(text.substr(0, comma), system.force) || system.force.dimension != Dimension::Force ||
        !ParseUnit(text.substr(comma + 1), system.length) || system.length.dimension != Dimension::Length)
        return false;
    system.moment = {system.force.name + "-" + system.length.name, Dimension::Moment,
                     system.force.value * system.length.value};
    return true;
}

} // namespace formats
} // namespace vymath
