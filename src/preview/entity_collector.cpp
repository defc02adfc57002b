#include "preview/entity_collector.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "curves/curve_sampling.h"
#include "dxf/dxf_text.h"
#include "preview/entity_paths.h"
#include "preview/object_coordinates.h"
#include "support/numbers.h"

namespace quillmere {

namespace {

// POLYLINE header flags (group 70).
constexpr int kClosed = 1;
constexpr int kThreeDimensional = 8;
constexpr int kPolygonMesh = 16;
constexpr int kPolyfaceMesh = 64;
// VERTEX flag of a spline's frame control point.
constexpr int kFrameControlPoint = 16;

std::optional<double> Number(std::string_view value) { return ParseNumber(value); }

// Stores a number that reads; tells whether it did.
bool Store(double& target, std::string_view value) {
  const std::optional<double> number = Number(value);
  if (number) target = *number;
  return number.has_value();
}

int Flags(std::string_view value) { return ParseWholeNumber(value).value_or(0); }

// A curve's points within a ten-thousandth of its extent, as arcs are
// drawn; coarser where its coordinates cannot resolve that (a tiny curve
// far from the origin). Nothing when even that fails.
void SampleFinely(const PlaneCurve& curve, std::vector<CurvePoint>& points) {
  double min_x = INFINITY, min_y = INFINITY, max_x = -INFINITY, max_y = -INFINITY;
  for (const ControlPoint& point : curve.control_points) {
    min_x = std::min(min_x, point.x);
    min_y = std::min(min_y, point.y);
    max_x = std::max(max_x, point.x);
    max_y = std::max(max_y, point.y);
  }
  double chord_error = std::hypot(max_x - min_x, max_y - min_y) * 1e-4;
  for (int attempt = 0; attempt < 8; ++attempt, chord_error *= 16) {
    if (SampleCurve(curve, chord_error, points) == CurveRefusal::kNone) return;
  }
  points.clear();
}

}  // namespace

void EntityCollector::Take(int code, std::string_view value) {
  if (code == 0) {
    const std::string_view type = Trimmed(value);
    if (reading_ == Reading::kPolyline && type == "VERTEX") {
      // A VERTEX after the SEQEND still belongs to the polyline, as the
      // jobs read it.
      vertices_.emplace_back();
      in_vertex_ = true;
      return;
    }
    if (reading_ == Reading::kPolyline && type == "SEQEND") {
      in_vertex_ = false;
      after_seqend_ = true;
      return;
    }
    CompleteEntity();
    StartEntity(type);
    return;
  }
  switch (reading_) {
    case Reading::kNothing:
      return;
    case Reading::kLwPolyline:
      TakeLwPolylinePair(code, value);
      return;
    case Reading::kPolyline:
      TakePolylinePair(code, value);
      return;
    case Reading::kCurve:
      curve_->Take(code, value);
      TakeCommon(code, value);
      return;
    case Reading::kLine:
      if (code == 11) fields_.has_end_x = Store(fields_.end_x, value);
      if (code == 21) fields_.has_end_y = Store(fields_.end_y, value);
      break;
    case Reading::kArc:
    case Reading::kCircle:
      if (code == 30) Store(fields_.elevation, value);
      if (code == 40) fields_.has_radius = Store(fields_.radius, value);
      if (code == 50) Store(fields_.start_angle, value);
      if (code == 51) Store(fields_.end_angle, value);
      break;
  }
  if (code == 10) fields_.has_x = Store(fields_.x, value);
  if (code == 20) fields_.has_y = Store(fields_.y, value);
  TakeCommon(code, value);
}

void EntityCollector::Finish() {
  CompleteEntity();
  reading_ = Reading::kNothing;
}

void EntityCollector::StartEntity(std::string_view type) {
  fields_ = Fields{};
  vertices_.clear();
  in_vertex_ = false;
  after_seqend_ = false;
  reading_ = Reading::kNothing;
  if (type == "LINE") {
    reading_ = Reading::kLine;
    ++geometry_.line_entities;
  } else if (type == "ARC") {
    reading_ = Reading::kArc;
  } else if (type == "CIRCLE") {
    reading_ = Reading::kCircle;
  } else if (type == "LWPOLYLINE") {
    reading_ = Reading::kLwPolyline;
    polyline_kind_ = EntityKind::kLwPolyline;
  } else if (type == "POLYLINE") {
    reading_ = Reading::kPolyline;
    polyline_kind_ = EntityKind::kPolyline;
  } else if (type == "SPLINE" || type == "ELLIPSE") {
    reading_ = Reading::kCurve;
    curve_.emplace(type == "SPLINE" ? CurveEntity::kSpline : CurveEntity::kEllipse);
  }
}

void EntityCollector::TakeCommon(int code, std::string_view value) {
  if (code == 67) fields_.paper_space = Flags(value) == 1;
  if (code >= 210 && code <= 230 && code % 10 == 0) Store(fields_.extrusion[(code - 210) / 10], value);
}

void EntityCollector::TakeLwPolylinePair(int code, std::string_view value) {
  if (code == 10) {
    // A vertex whose X does not read still takes its Y and bulge, so that
    // they do not land on the vertex before; it is left out later.
    ReadVertex& vertex = vertices_.emplace_back();
    vertex.has_x = Store(vertex.point.x, value);
  } else if (!vertices_.empty() && (code == 20 || code == 42)) {
    TakeVertexPair(vertices_.back(), code, value);
  } else if (code == 70) {
    fields_.flags = Flags(value);
  } else if (code == 38) {
    Store(fields_.elevation, value);
  } else {
    TakeCommon(code, value);
  }
}

void EntityCollector::TakePolylinePair(int code, std::string_view value) {
  if (after_seqend_ && !in_vertex_) return;  // the SEQEND's own pairs
  if (in_vertex_) {
    TakeVertexPair(vertices_.back(), code, value);
  } else if (code == 70) {
    fields_.flags = Flags(value);  // the last one counts, as for the jobs
  } else if (code == 30) {
    Store(fields_.elevation, value);  // the header's 10 and 20 are no point
  } else {
    TakeCommon(code, value);
  }
}

void EntityCollector::TakeVertexPair(ReadVertex& vertex, int code, std::string_view value) {
  if (code == 10) vertex.has_x = Store(vertex.point.x, value);
  if (code == 20) vertex.has_y = Store(vertex.point.y, value);
  if (code == 42 && !Store(vertex.point.bulge, value)) vertex.point.bulge = 0;
  if (code == 70) vertex.frame_point = (Flags(value) & kFrameControlPoint) != 0;
}

void EntityCollector::CompleteEntity() {
  switch (reading_) {
    case Reading::kNothing:
      return;
    case Reading::kLwPolyline:
    case Reading::kPolyline:
      CompletePolyline();
      return;
    case Reading::kLine:
      path_.clear();
      if (fields_.has_x && fields_.has_y && fields_.has_end_x && fields_.has_end_y) {
        path_.push_back({fields_.x, fields_.y, 0});
        path_.push_back({fields_.end_x, fields_.end_y, 0});
        AddEntity(EntityKind::kLine, path_, false, !fields_.paper_space);
      }
      return;
    case Reading::kArc:
    case Reading::kCircle:
      CompleteCurve();
      return;
    case Reading::kCurve:
      CompleteSplineOrEllipse();
      return;
  }
}

void EntityCollector::CompletePolyline() {
  const int flags = fields_.flags;
  const bool old_style = polyline_kind_ == EntityKind::kPolyline;
  const bool mesh = old_style && (flags & (kPolygonMesh | kPolyfaceMesh)) != 0;
  path_.clear();
  if (!mesh) {
    for (const ReadVertex& vertex : vertices_) {
      if (vertex.has_x && vertex.has_y && !vertex.frame_point) path_.push_back(vertex.point);
    }
  }
  if (old_style && (flags & kThreeDimensional) != 0) {
    // World coordinates already; a bulge means nothing on a 3-D polyline.
    for (PathVertex& vertex : path_) vertex.bulge = 0;
  } else {
    const auto& e = fields_.extrusion;
    ObjectCoordinates(e[0], e[1], e[2]).ToWorld(path_, fields_.elevation);
  }
  geometry_.polylines.push_back(geometry_.entities.size());
  AddEntity(polyline_kind_, path_, (flags & kClosed) != 0, !mesh && !fields_.paper_space);
}

void EntityCollector::CompleteCurve() {
  if (!fields_.has_x || !fields_.has_y || !fields_.has_radius || !(fields_.radius > 0)) return;
  path_.clear();
  if (reading_ == Reading::kArc) {
    AppendArcPath(path_, fields_.x, fields_.y, fields_.radius, fields_.start_angle,
                  fields_.end_angle);
  } else {
    AppendCirclePath(path_, fields_.x, fields_.y, fields_.radius);
  }
  if (path_.empty()) return;
  const auto& e = fields_.extrusion;
  ObjectCoordinates(e[0], e[1], e[2]).ToWorld(path_, fields_.elevation);
  AddEntity(reading_ == Reading::kArc ? EntityKind::kArc : EntityKind::kCircle, path_, false,
            !fields_.paper_space);
}

void EntityCollector::CompleteSplineOrEllipse() {
  const CurveEntity entity = curve_->Entity();
  const CurveReading reading = curve_->Finish();
  curve_.reset();
  path_.clear();
  std::vector<CurvePoint> points;
  if (reading.ok()) SampleFinely(reading.curve, points);
  for (const CurvePoint& point : points) path_.push_back({point.x, point.y, 0});
  AddEntity(entity == CurveEntity::kSpline ? EntityKind::kSpline : EntityKind::kEllipse, path_,
            false, !points.empty() && !fields_.paper_space);
}

void EntityCollector::AddEntity(EntityKind kind, std::vector<PathVertex>& path, bool closed,
                                bool drawn) {
  DrawnEntity& entity = geometry_.entities.emplace_back();
  entity.kind = kind;
  entity.closed = closed;
  entity.drawn = drawn;
  entity.first = geometry_.vertices.size();
  entity.count = path.size();
  geometry_.vertices.insert(geometry_.vertices.end(), path.begin(), path.end());
}

}  // namespace quillmere
