// A moving load (a vehicle and a lane load, or alternatives of them) read from JSON.
#ifndef VYMATH_FORMATS_MOVINGLOAD_H
#define VYMATH_FORMATS_MOVINGLOAD_H

#include <vymath/analysis/MovingLoad.h>

#include <string>

namespace vymath {
namespace formats {

// Reads a load from JSON text: one model {"loads": [kN, ...], "spacings": [m | [min, max | null], ...],
// "factor": 1.0, "lane": kN/m, "lane_factor": 1.0, "directions": "both" | "forward" | "backward"}, or
// {"alternatives": [model, ...]}; "loads" is required, the rest optional (defaults as in
// analysis::LoadModel), "_source" (a note, any string) allowed at both levels. Throws analysis::Error
// (Data) "<source>: <JSON pointer>: <what>" for malformed JSON (json::Parse), an unknown key, a negative
// or non-finite number, a spacing range upside down, loads and spacings that do not make a train (n
// loads, n - 1 spacings), or no alternative.
analysis::MovingLoad ReadMovingLoad(const std::string& text, const std::string& source);

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_MOVINGLOAD_H
