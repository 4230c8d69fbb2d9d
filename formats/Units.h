// Units of the values a table gives: lengths, forces and moments, by the names analysis programs write
// in their units rows and headers ("m", "kN", "tonf-m", "kip-ft", "kNm"), and the exact factors between
// them (1 tonf = 9.80665 kN, 1 kip = 4.4482216152605 kN, 1 ft = 0.3048 m, 1 in = 0.0254 m).
#ifndef VYMATH_FORMATS_UNITS_H
#define VYMATH_FORMATS_UNITS_H

#include <string>
#include <string_view>

namespace vymath {
namespace formats {

enum class Dimension { Length, Force, Moment };

struct Unit {
    std::string name; // as written
    Dimension dimension;
    long double value; // in m, kN or kN-m
};

// The unit a name writes: a length (m, cm, mm, ft, in), a force (kN, N, MN, tonf, kgf, kip, lb, lbf) or a
// moment, a force and a length joined by "-", "*", "." or nothing ("kN-m", "kNm", "tonf-m", "kip-ft",
// "N-mm"). Names are compared as written, then ignoring letter case. False for anything else.
bool ParseUnit(std::string_view name, Unit& unit);

// The factor that turns a value in `from` into one in `to` (of one dimension): from.value / to.value,
// rounded once to a double.
double Factor(const Unit& from, const Unit& to);

// The target units of a conversion: a force and a length ("kN,m"), the moment their product.
struct UnitSystem {
    Unit force, length, moment;
    // The unit of the dimension.
    const Unit& Of(Dimension d) const {
        return d == Dimension::Length ? length : d == Dimension::Force ? force : moment;
    }
};

// "FORCE,LENGTH" as a unit system; false where either is not a unit of its dimension.
bool ParseUnitSystem(std::string_view text, UnitSystem& system);

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_UNITS_H
