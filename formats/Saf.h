// SAF, the open Structural Analysis Format (an xlsx workbook, a sheet a kind of object): the internal forces
// of 1D members, sheet ResultInternalForce1D, read as a model and written from a run's results.
#ifndef VYMATH_FORMATS_SAF_H
#define VYMATH_FORMATS_SAF_H

#include "Input.h"
#include "xlsx/Xlsx.h"

#include <vymath/analysis/Model.h>

#include <memory>

namespace vymath {
namespace formats {

constexpr const char* kSafSheet = "ResultInternalForce1D";

// The sheet's rows as a model: a member each Member (or Member Rib for ribs), a case each load case or
// load combination (by Result for), the abscissa Section at [m], the forces N, Vy, Vz, Mx, My, Mz in kN and
// kNm; two rows at one section a jump, the lower Index left; tables continued to the right of the first,
// one empty column between them, read as well. Errors name the sheet's cell.
std::unique_ptr<analysis::Model> ReadSaf(XlsxWorkbook& book, const ReadOptions& options);

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_SAF_H
