#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "curves/curve_reader.h"

#include "preview/drawing_geometry.h"

namespace quillmere {

// Builds the drawn entities of the ENTITIES section from its pairs, one
// pair at a time, so that the reader never copies a line.
//
// Drawn are LINE, ARC, CIRCLE, LWPOLYLINE and POLYLINE (with its VERTEX
// entities up to SEQEND), and SPLINE and ELLIPSE as their true curves
// (curves/curve_reader.h), flattened finely; other entities are passed
// over. Every SPLINE and ELLIPSE is recorded, drawn or not, so that the
// entities of an input and of the arc job's output pair up. A number that
// does not read never becomes a coordinate: a vertex without readable X and
// Y is left out, as is a LINE, ARC or CIRCLE without its points or radius;
// an unreadable bulge leaves the segment straight. Every polyline entity is
// recorded, drawn or not, so that the polyline numbering is the jobs' own.
class EntityCollector {
 public:
  explicit EntityCollector(DrawingGeometry& geometry) : geometry_(geometry) {}

  // Takes the next pair of the section; `code` is the group code, -1 when
  // the code line is no number.
  void Take(int code, std::string_view value);
  // The section ended: completes the entity being read.
  void Finish();

 private:
  enum class Reading { kNothing, kLine, kArc, kCircle, kLwPolyline, kPolyline, kCurve };

  // A vertex as read; X and Y count only once read.
  struct ReadVertex {
    PathVertex point;
    bool has_x = false;
    bool has_y = false;
    bool frame_point = false;  // a spline's control point, not on the curve
  };

  // The groups of the entity being read.
  struct Fields {
    double x = 0, y = 0, end_x = 0, end_y = 0;
    bool has_x = false, has_y = false, has_end_x = false, has_end_y = false;
    double radius = 0, start_angle = 0, end_angle = 0, elevation = 0;
    bool has_radius = false;
    double extrusion[3] = {0, 0, 1};
    int flags = 0;
    bool paper_space = false;
  };

  void StartEntity(std::string_view type);
  void TakeCommon(int code, std::string_view value);
  void TakeLwPolylinePair(int code, std::string_view value);
  void TakePolylinePair(int code, std::string_view value);
  void TakeVertexPair(ReadVertex& vertex, int code, std::string_view value);
  void CompleteEntity();
  void CompletePolyline();
  void CompleteCurve();
  void CompleteSplineOrEllipse();
  void AddEntity(EntityKind kind, std::vector<PathVertex>& path, bool closed, bool drawn);

  DrawingGeometry& geometry_;
  Reading reading_ = Reading::kNothing;
  EntityKind polyline_kind_ = EntityKind::kPolyline;
  Fields fields_;
  std::vector<ReadVertex> vertices_;
  bool in_vertex_ = false;  // a POLYLINE's VERTEX entity is being read
  bool after_seqend_ = false;
  std::vector<PathVertex> path_;  // reused for every entity
  std::optional<CurveReader> curve_;  // the SPLINE or ELLIPSE being read
};

}  // namespace quillmere
