#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "curves/curve_reader.h"
#include "curves/plane_curve.h"
#include "dxf/dxf_text.h"
#include "dxf/header_variables.h"
#include "dxf/line_list.h"
#include "dxf/pair_watch.h"
#include "dxf/polyline_model.h"

namespace quillmere {

// The SPLINE and ELLIPSE entities of a drawing's ENTITIES section as the
// arc job converts them (--curves), and what it needs of the drawing to
// write polylines in their place.

// A vertex of a converted curve's polyline: its point and the bulge of the
// segment from it to the next.
struct ConvertedVertex {
  double x = 0;
  double y = 0;
  double bulge = 0;
};

struct CurveRecord {
  CurveEntity entity = CurveEntity::kSpline;
  ByteRange place;         // its pairs in the input, up to the pair that ends it
  std::string start_code;  // the code line of its (0, SPLINE) pair, as read
  // The pairs a polyline in its place keeps, in the order read: handle,
  // owner, 102 groups, the entity's properties (layer, linetype, colour,
  // true colour, lineweight, linetype scale, visibility, transparency,
  // space, ...), and its extended data (group 1001 on), which stays last.
  LineList kept;
  LineList extended_data;
  std::string handle;  // its group-5 value, trimmed; empty when none
  std::string layer = "0";  // its last group-8 value as read
  std::string space;   // its group-67 value as read; empty when none
  // The entity carries subclass markers (group 100): the polyline gets
  // its own, as readers of such drawings expect.
  bool subclass_markers = false;
  // A pair without its value line (the file ended inside the entity): the
  // entity stays as read.
  bool cut_off = false;
  // The curve read, or why it stays as read; the curve is let go once
  // converted.
  CurveReading reading;
  // The conversion: the polyline's vertices and whether it is closed, at
  // the curve's height.
  bool converted = false;
  bool closed = false;
  double elevation = 0;
  std::vector<ConvertedVertex> vertices;
};

struct CurveDrawing {
  std::vector<CurveRecord> curves;  // in file order
  std::int32_t format_version = 0;  // from $ACADVER: 1015 for AC1015; 0 when none
  std::int64_t largest_handle = 0;  // of every group-5 value that reads as a handle
  bool has_handles = false;         // any group-5 value reads as a handle
  // The value pair of $HANDSEED and its value as read, when the header
  // has one.
  std::optional<ByteRange> handle_seed;
  std::string handle_seed_code;
  std::string handle_seed_value;

  // Whether polylines take the lightweight form (LWPOLYLINE), which
  // drawings of format AC1014 on know; older ones, and those without a
  // version, get POLYLINE with VERTEX entities and SEQEND.
  bool Lightweight() const { return format_version >= 1014; }
};

// Reads the drawing's SPLINE and ELLIPSE entities, its version and handles
// while the polyline reader's pass goes through the file (dxf/pair_watch.h).
// Only entities of the ENTITIES section count, not those of blocks.
class CurveEntityReader : public PairWatch {
 public:
  explicit CurveEntityReader(CurveDrawing& drawing) : drawing_(drawing) {}

  void Take(const PairView& pair) override;
  void Finish(std::int64_t end) override;

 private:
  void StartCurve(const PairView& pair, CurveEntity entity);
  void TakeCurvePair(std::string_view code, const PairView& pair);
  void EndCurve(std::int64_t end);

  CurveDrawing& drawing_;
  SectionState section_;
  HandleTally handles_;
  HandleSeedSpotter seed_;
  VersionCapture version_;
  // The entity being read, when it is a curve.
  std::optional<CurveReader> reader_;
  bool in_group_ = false;          // inside a 102 group
  bool in_extended_data_ = false;  // from its first 1001 pair on
};

// Marks the curve- and spline-fitted POLYLINEs of the model that the arc
// job converts: 2-D ones (no 3-D or mesh flag) with at least two vertices
// on the curve (those that are no spline frame points). Returns how many.
std::int64_t MarkFittedCurves(PolylineModel& model);

}  // namespace quillmere
