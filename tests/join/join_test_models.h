#pragma once

// Polyline models built in memory the way the polyline reader builds them,
// and a field-by-field comparison of two models.

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "dxf/dxf_number.h"
#include "dxf/polyline_model.h"

namespace quillmere::testing {

using Point3 = std::array<double, 3>;

// A polyline of `kind` through `points`, its pairs laid out as the reader
// stores them. Every vertex carries a "999" comment `label`-i, so that the
// origin of each vertex stays visible after joins.
inline tpoly MakePolyline(PolylineKind kind, const std::vector<Point3>& points,
                          const std::string& label = "", std::int32_t flags = 0) {
  tpoly polyline;
  polyline.kind = kind;
  polyline.headerflags = flags;
  const bool lw = kind == PolylineKind::kLwPolyline;
  polyline.code.AddPair("  0", lw ? "LWPOLYLINE" : "POLYLINE");
  polyline.code.AddPair("  8", "0");
  if (lw) {
    polyline.code.AddPair(" 90", std::to_string(points.size()));
    polyline.code.AddPair(" 70", std::to_string(flags));
  } else {
    polyline.code.AddPair(" 66", "1");
    polyline.code.AddPair(" 70", std::to_string(flags));
    polyline.code2.AddPair("  0", "SEQEND");
    polyline.code2.AddPair("  8", "0");
  }
  for (std::size_t i = 0; i < points.size(); ++i) {
    Tmypoi& vertex = polyline.StartVertex();
    vertex.x = points[i][0];
    vertex.y = points[i][1];
    vertex.z = points[i][2];
    if (!lw) vertex.code.AddPair("  0", "VERTEX");
    vertex.code.AddPair(" 10", FormatGeneral(vertex.x));
    vertex.code.AddPair(" 20", FormatGeneral(vertex.y));
    vertex.code.AddPair(" 30", FormatGeneral(vertex.z));
    vertex.code.AddPair("999", label + "-" + std::to_string(i));
  }
  polyline.isclosed = !lw && (flags & kFlagClosed) != 0;
  polyline.Complete();
  return polyline;
}

inline tpoly Lw(const std::vector<Point3>& points, const std::string& label = "",
               std::int32_t flags = 0) {
  return MakePolyline(PolylineKind::kLwPolyline, points, label, flags);
}

inline tpoly Poly(const std::vector<Point3>& points, const std::string& label = "",
                  std::int32_t flags = 0) {
  return MakePolyline(PolylineKind::kPolyline, points, label, flags);
}

inline PolylineModel ModelOf(std::vector<tpoly> polylines) {
  PolylineModel model;
  model.anzpoly = static_cast<std::int32_t>(polylines.size());
  model.polys = std::move(polylines);
  return model;
}

// The valid vertices of a polyline as coordinates.
inline std::vector<Point3> Vertices(const tpoly& polyline) {
  std::vector<Point3> points;
  for (std::int32_t i = 0; i < polyline.anzp; ++i) {
    const Tmypoi& v = polyline.ps[static_cast<std::size_t>(i)];
    points.push_back({v.x, v.y, v.z});
  }
  return points;
}

// The labels of the valid vertices (the value of their "999" pair).
inline std::vector<std::string> VertexLabels(const tpoly& polyline) {
  std::vector<std::string> labels;
  for (std::int32_t i = 0; i < polyline.anzp; ++i) {
    LineList::Cursor cursor(polyline.ps[static_cast<std::size_t>(i)].code);
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
// see; otherwise where they first differ. Vertex slots beyond `anzp` carry
// no meaning and are not compared.
inline std::string FirstDifference(const PolylineModel& a, const PolylineModel& b) {
  if (a.anzpoly != b.anzpoly) return "anzpoly";
  for (std::int32_t n = 0; n < a.anzpoly; ++n) {
    const tpoly& p = a.polys[static_cast<std::size_t>(n)];
    const tpoly& q = b.polys[static_cast<std::size_t>(n)];
    const std::string where = "polyline " + std::to_string(n) + ": ";
    if (p.anzp != q.anzp) {
      return where + "anzp " + std::to_string(p.anzp) + " vs " + std::to_string(q.anzp);
    }
    if (p.delpoly != q.delpoly) return where + "delpoly";
    if (!(p.code == q.code) || !(p.code2 == q.code2)) return where + "header or closing lines";
    if (p.kind != q.kind || p.headerflags != q.headerflags || p.isclosed != q.isclosed) {
      return where + "kind or flags";
    }
    for (std::int32_t i = 0; i < p.anzp; ++i) {
      const Tmypoi& v = p.ps[static_cast<std::size_t>(i)];
      const Tmypoi& w = q.ps[static_cast<std::size_t>(i)];
      // Bitwise on the coordinates: -0 and 0 must not be confused.
      const auto same = [](double s, double t) {
        return std::signbit(s) == std::signbit(t) && (s == t || (s != s && t != t));
      };
      if (!same(v.x, w.x) || !same(v.y, w.y) || !same(v.z, w.z) || !(v.code == w.code) ||
          v.delit != w.delit || v.writebulge != w.writebulge || v.bulge != w.bulge) {
        return where + "vertex " + std::to_string(i);
      }
    }
  }
  return "";
}

}  // namespace quillmere::testing
