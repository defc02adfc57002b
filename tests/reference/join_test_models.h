#pragma once

// Polyline models built in memory the way the polyline reader builds them,
// and a field-by-field comparison of two models.

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "support/numbers.h"
#include "dxf/polyline_model.h"

namespace quillmere::testing {

using Point3 = std::array<double, 3>;

// A polyline of `kind` through `points`, its pairs laid out as the reader
// stores them. Every vertex carries a "999" comment `label`-i, so that the
// origin of each vertex stays visible after joins.
inline Polyline MakePolyline(PolylineKind kind, const std::vector<Point3>& points,
                          const std::string& label = "", std::int32_t flags = 0) {
  Polyline polyline;
  polyline.kind = kind;
  polyline.header_flags = flags;
  const bool lw = kind == PolylineKind::kLwPolyline;
  polyline.header.AddPair("  0", lw ? "LWPOLYLINE" : "POLYLINE");
  polyline.header.AddPair("  8", "0");
  if (lw) {
    polyline.header.AddPair(" 90", std::to_string(points.size()));
    polyline.header.AddPair(" 70", std::to_string(flags));
  } else {
    polyline.header.AddPair(" 66", "1");
    polyline.header.AddPair(" 70", std::to_string(flags));
    polyline.trailer.AddPair("  0", "SEQEND");
    polyline.trailer.AddPair("  8", "0");
  }
  for (std::size_t i = 0; i < points.size(); ++i) {
    Vertex& vertex = polyline.AddVertex();
    vertex.x = points[i][0];
    vertex.y = points[i][1];
    vertex.z = points[i][2];
    if (!lw) vertex.pairs.AddPair("  0", "VERTEX");
    vertex.pairs.AddPair(" 10", FormatGeneral(vertex.x));
    vertex.pairs.AddPair(" 20", FormatGeneral(vertex.y));
    vertex.pairs.AddPair(" 30", FormatGeneral(vertex.z));
    vertex.pairs.AddPair("999", label + "-" + std::to_string(i));
  }
  return polyline;
}

inline Polyline Lw(const std::vector<Point3>& points, const std::string& label = "",
               std::int32_t flags = 0) {
  return MakePolyline(PolylineKind::kLwPolyline, points, label, flags);
}

inline Polyline Poly(const std::vector<Point3>& points, const std::string& label = "",
                  std::int32_t flags = 0) {
  return MakePolyline(PolylineKind::kPolyline, points, label, flags);
}

inline PolylineModel ModelOf(std::vector<Polyline> polylines) {
  PolylineModel model;
  model.polylines = std::move(polylines);
  return model;
}

// The valid vertices of a polyline as coordinates.
inline std::vector<Point3> Vertices(const Polyline& polyline) {
  std::vector<Point3> points;
  for (std::int32_t i = 0; i < polyline.VertexCount(); ++i) {
    const Vertex& v = polyline.vertices[static_cast<std::size_t>(i)];
    points.push_back({v.x, v.y, v.z});
  }
  return points;
}

// The labels of the valid vertices (the value of their "999" pair).
inline std::vector<std::string> VertexLabels(const Polyline& polyline) {
  std::vector<std::string> labels;
  for (std::int32_t i = 0; i < polyline.VertexCount(); ++i) {
    LineList::Cursor cursor(polyline.vertices[static_cast<std::size_t>(i)].pairs);
    std::string_view line;
    bool next_is_label = false;
    while (cursor.Next(line)) {
      if (next_is_label) labels.emplace_back(line);
      next_is_label = line == "999";
    }
  }
  return labels;
}

// Empty when both models agree in everything a writer or a later job can
// see; otherwise where they first differ.
inline std::string FirstDifference(const PolylineModel& a, const PolylineModel& b) {
  if (a.PolylineCount() != b.PolylineCount()) return "polyline count";
  for (std::int32_t n = 0; n < a.PolylineCount(); ++n) {
    const Polyline& p = a.polylines[static_cast<std::size_t>(n)];
    const Polyline& q = b.polylines[static_cast<std::size_t>(n)];
    const std::string where = "polyline " + std::to_string(n) + ": ";
    if (p.VertexCount() != q.VertexCount()) {
      return where + "vertex count " + std::to_string(p.VertexCount()) + " vs " + std::to_string(q.VertexCount());
    }
    if (p.dropped != q.dropped) return where + "dropped";
    if (!(p.header == q.header) || !(p.trailer == q.trailer)) return where + "header or closing lines";
    if (p.kind != q.kind || p.header_flags != q.header_flags) {
      return where + "kind or flags";
    }
    for (std::int32_t i = 0; i < p.VertexCount(); ++i) {
      const Vertex& v = p.vertices[static_cast<std::size_t>(i)];
      const Vertex& w = q.vertices[static_cast<std::size_t>(i)];
      // Bitwise on the coordinates: -0 and 0 must not be confused.
      const auto same = [](double s, double t) {
        return std::signbit(s) == std::signbit(t) && (s == t || (s != s && t != t));
      };
      if (!same(v.x, w.x) || !same(v.y, w.y) || !same(v.z, w.z) || !(v.pairs == w.pairs) ||
          v.dropped != w.dropped || v.gets_bulge != w.gets_bulge || v.bulge != w.bulge) {
        return where + "vertex " + std::to_string(i);
      }
    }
  }
  return "";
}

}  // namespace quillmere::testing
