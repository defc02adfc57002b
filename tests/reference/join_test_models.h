#pragma once

// Polylines built in memory for the join tests, the join passes of the
// production code run on them, and a field-by-field comparison of two
// models.

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "join/polyline_joining.h"
#include "plain_polylines.h"

namespace quillmere::testing {

using Point3 = std::array<double, 3>;

// A polyline of `kind` through `points`. Every vertex carries the label
// `label`-i, so that the origin of each vertex stays visible after joins.
inline PlainPolyline MakePolyline(PolylineKind kind, const std::vector<Point3>& points,
                                  const std::string& label = "", std::int32_t flags = 0) {
  PlainPolyline polyline;
  polyline.kind = kind;
  polyline.header_flags = flags;
  for (std::size_t i = 0; i < points.size(); ++i) {
    PlainVertex& vertex = polyline.AddVertex();
    vertex.x = points[i][0];
    vertex.y = points[i][1];
    vertex.z = points[i][2];
    vertex.label = label + "-" + std::to_string(i);
  }
  return polyline;
}

inline PlainPolyline Lw(const std::vector<Point3>& points, const std::string& label = "",
                        std::int32_t flags = 0) {
  return MakePolyline(PolylineKind::kLwPolyline, points, label, flags);
}

inline PlainPolyline Poly(const std::vector<Point3>& points, const std::string& label = "",
                          std::int32_t flags = 0) {
  return MakePolyline(PolylineKind::kPolyline, points, label, flags);
}

inline PlainModel ModelOf(std::vector<PlainPolyline> polylines) {
  PlainModel model;
  model.polylines = std::move(polylines);
  return model;
}

// The join passes of the production code on `model`: its compact model
// joined, and the chains applied to the polylines.
inline void ProductionJoinPolylines(PlainModel& model, double tolerance) {
  PolylineModel compact = CompactModelOf(model.polylines);
  JoinPolylines(compact, tolerance);
  model.polylines = WithChains(model.polylines, compact);
}

// The vertices of a polyline as coordinates.
inline std::vector<Point3> Vertices(const PlainPolyline& polyline) {
  std::vector<Point3> points;
  for (const PlainVertex& v : polyline.vertices) points.push_back({v.x, v.y, v.z});
  return points;
}

// The labels of the vertices: where each came from.
inline std::vector<std::string> VertexLabels(const PlainPolyline& polyline) {
  std::vector<std::string> labels;
  for (const PlainVertex& v : polyline.vertices) labels.push_back(v.label);
  return labels;
}

// Empty when both models agree in everything a writer or a later job can
// see; otherwise where they first differ.
inline std::string FirstDifference(const PlainModel& a, const PlainModel& b) {
  if (a.PolylineCount() != b.PolylineCount()) return "polyline count";
  for (std::int32_t n = 0; n < a.PolylineCount(); ++n) {
    const PlainPolyline& p = a.polylines[static_cast<std::size_t>(n)];
    const PlainPolyline& q = b.polylines[static_cast<std::size_t>(n)];
    const std::string where = "polyline " + std::to_string(n) + ": ";
    if (p.VertexCount() != q.VertexCount()) {
      return where + "vertex count " + std::to_string(p.VertexCount()) + " vs " + std::to_string(q.VertexCount());
    }
    if (p.dropped != q.dropped) return where + "dropped";
    if (p.kind != q.kind || p.header_flags != q.header_flags) {
      return where + "kind or flags";
    }
    for (std::int32_t i = 0; i < p.VertexCount(); ++i) {
      const PlainVertex& v = p.vertices[static_cast<std::size_t>(i)];
      const PlainVertex& w = q.vertices[static_cast<std::size_t>(i)];
      // Bitwise on the coordinates: -0 and 0 must not be confused.
      const auto same = [](double s, double t) {
        return std::signbit(s) == std::signbit(t) && (s == t || (s != s && t != t));
      };
      if (!same(v.x, w.x) || !same(v.y, w.y) || !same(v.z, w.z) || v.label != w.label ||
          v.dropped != w.dropped || v.gets_bulge != w.gets_bulge || v.bulge != w.bulge) {
        return where + "vertex " + std::to_string(i);
      }
    }
  }
  return "";
}

}  // namespace quillmere::testing
