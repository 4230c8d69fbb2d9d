// SAF, the open Structural Analysis Format (an xlsx workbook, a sheet a kind of object): the internal forces
// of 1D members, sheet ResultInternalForce1D, read as a model and written from a run's results.
#ifndef VYMATH_FORMATS_SAF_H
#define VYMATH_FORMATS_SAF_H

#include "Input.h"
#include "xlsx/Xlsx.h"

#include <vymath/analysis/Model.h>

#include <vymath/analysis/Analysis.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vymath {
namespace formats {

constexpr const char* kSafSheet = "ResultInternalForce1D";

// SAF's force columns, and the model's force each takes: P or N to N, V2 or Vz or V to Vz, V3 or Vy to Vy,
// T or Mx to Mx, M3 or My or M to My, M2 or Mz to Mz (a frame-analysis program's axis 2 the member's z, its
// axis 3 y; letter case aside). -1 where the model has none.
std::vector<int> SafForces(const std::vector<std::string>& forces);

// The envelopes of a run as a SAF results workbook (its bytes): sheet ResultInternalForce1D, per member, for
// each force SAF has a column for and each side, a load combination named "max M3" ("ULS max M3" for a design
// situation) of a row a section: the enveloped force's value there, the other forces' under what governs
// there, and that case or combination as the Combination key ("1.35*G+1.5*Q1"); a jump two rows at its
// section, the left one's Index lower. In m, kN and kNm, converted from the model's units (as they are where
// it has none, with a note). Where a case with Max and Min rows governs, the other forces are its bound's on
// that side, with a note; a force SAF has no column for is left out with a note.
std::string SafOf(const analysis::Model& model, const analysis::EnvelopeRun& run,
                  const std::vector<analysis::Combination>& combinations,
                  const std::function<void(const std::string&)>& note);
std::string SafOf(const analysis::Model& model, const analysis::DesignRun& run,
                  const std::function<void(const std::string&)>& note);

// The sheet's rows as a model: a member each Member (or Member Rib for ribs), a case each load case or
// load combination (by Result for), the abscissa Section at [m], the forces N, Vy, Vz, Mx, My, Mz in kN and
// kNm; two rows at one section a jump, the lower Index left; tables continued to the right of the first,
// one empty column between them, read as well. Errors name the sheet's cell.
std::unique_ptr<analysis::Model> ReadSaf(XlsxWorkbook& book, const ReadOptions& options);

} // namespace formats
} // namespace vymath

#endif // VYMATH_FORMATS_SAF_H
