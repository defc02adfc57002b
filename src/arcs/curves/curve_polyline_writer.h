#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "arcs/curves/curve_entities.h"
#include "dxf/drawing_edits.h"
#include "dxf/polyline_entities.h"
#include "dxf/polyline_output.h"

namespace quillmere {

// Writes the polylines that stand in the place of converted curves, for the
// arc writer's copy (CopyReplacingPolylines with ReplacedParts).
//
// In a drawing that knows it the polyline is an LWPOLYLINE, otherwise a
// POLYLINE with VERTEX entities and SEQEND (CurveDrawing::Lightweight). It
// keeps the curve's pairs that belong to no curve (CurveRecord::kept: its
// handle, owner, 102 groups and properties, in their order, then its
// extended data last) and gets the curve's points in world coordinates at
// the curve's height (group 38, or the POLYLINE's 30), closed (70 bit 1)
// when the curve is. Subclass markers follow the curve's: with them the
// polyline is an AcDbEntity and an AcDbPolyline (AcDb2dPolyline), its
// VERTEX entities AcDbVertex and AcDb2dVertex, owned by the POLYLINE.
//
// In a drawing with handles, every VERTEX and SEQEND, and a polyline for a
// curve without a handle, gets a new one counted on from the largest
// handle, in file order, and the header's $HANDSEED (when it reads as a
// handle) becomes one above the last, as the line job does. A drawing
// without handles gets none.
class CurvePolylineWriter {
 public:
  // `edits`, when given, apply to the curves' kept pairs as to any entity
  // a writer passes on (EntityReferenceFilter).
  CurvePolylineWriter(const CurveDrawing& drawing, const DrawingEdits* edits);
  CurvePolylineWriter(const CurvePolylineWriter&) = delete;
  CurvePolylineWriter& operator=(const CurvePolylineWriter&) = delete;

  // The parts of the input the writer replaces: the converted curves and
  // the handle seed it raises, in file order. The writer must outlive them.
  const ReplacedParts& Parts() const { return parts_; }

  // How many new handles the output gets.
  std::int64_t NewHandles() const { return new_handles_; }

 private:
  void Write(PolylineOutput& output, std::size_t part);
  void WriteLightweight(PolylineOutput& output, const CurveRecord& curve);
  void WriteOldStyle(PolylineOutput& output, const CurveRecord& curve);
  // The curve's kept pairs as the edits leave them, with a new handle
  // behind the (0, ...) pair where the drawing has handles and the curve
  // has none.
  void WriteKeptPairs(PolylineOutput& output, const CurveRecord& curve);
  // A VERTEX or SEQEND of a POLYLINE whose own handle is `owner`.
  void WriteSubentityStart(PolylineOutput& output, const CurveRecord& curve,
                           std::string_view name, std::string_view owner);
  std::string NextHandle();

  const CurveDrawing& drawing_;
  const DrawingEdits* edits_;
  ReplacedParts parts_;
  std::vector<const CurveRecord*> curve_of_part_;  // nullptr for the handle seed
  std::int64_t new_handles_ = 0;
  std::int64_t last_handle_ = 0;  // the last handle handed out
};

}  // namespace quillmere
