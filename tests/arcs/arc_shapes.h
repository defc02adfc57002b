#pragma once

// Polylines for the arc tests and the arc benchmark: vertices on arcs and
// straight runs, random outlines that mix them, and the marks the arc
// search leaves, for comparing two searches.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "arcs/arc_search_settings.h"
#include "arcs/sampled/sampled_test_points.h"
#include "dxf/polyline_model.h"
#include "plain_polylines.h"

namespace quillmere::testing {

// The settings a new user starts with.
inline const ArcSearchSettings kStartValues{0.1, 100, 100};

inline double Radians(double degrees) { return degrees * M_PI / 180; }

// `segments` + 1 vertices on the circle about (cx, cy), from the angle
// `from_degrees` to `to_degrees` in equal steps (clockwise when `to` is
// smaller).
inline std::vector<PlanePoint> ArcVertices(double cx, double cy, double radius,
                                           double from_degrees, double to_degrees,
                                           int segments) {
  std::vector<PlanePoint> points;
  for (int i = 0; i <= segments; ++i) {
    const double angle = Radians(from_degrees + (to_degrees - from_degrees) * i / segments);
    points.push_back({cx + radius * std::cos(angle), cy + radius * std::sin(angle)});
  }
  return points;
}

// A polyline record with these vertices and nothing else.
inline PlainPolyline PolylineOf(const std::vector<PlanePoint>& points,
                        PolylineKind kind = PolylineKind::kLwPolyline,
                        std::int32_t header_flags = 0) {
  PlainPolyline polyline;
  polyline.kind = kind;
  polyline.header_flags = header_flags;
  for (const PlanePoint& p : points) {
    PlainVertex& vertex = polyline.AddVertex();
    vertex.x = p.x;
    vertex.y = p.y;
  }
  return polyline;
}

// The compact model of these polylines, for the arc search.
inline PolylineModel ModelOf(const std::vector<PlainPolyline>& polylines) {
  return CompactModelOf(polylines);
}

// What the arc search leaves on one vertex.
struct VertexMarks {
  bool dropped = false;
  bool gets_bulge = false;
  double bulge = 0;
  friend bool operator==(const VertexMarks&, const VertexMarks&) = default;
};

inline std::vector<std::vector<VertexMarks>> MarksOf(const PolylineModel& model) {
  std::vector<std::vector<VertexMarks>> marks;
  for (const PolylineRecord& polyline : model.polylines) {
    auto& row = marks.emplace_back();
    for (std::int32_t v = 0; v < polyline.VertexCount(); ++v) {
      const std::int64_t vertex = model.VertexIndex(polyline, v);
      row.push_back({model.HasMark(vertex, kVertexDropped), model.HasMark(vertex, kVertexGetsBulge),
                     model.Bulge(vertex)});
    }
  }
  return marks;
}

inline std::vector<std::vector<VertexMarks>> MarksOf(const std::vector<PlainPolyline>& polylines) {
  std::vector<std::vector<VertexMarks>> marks;
  for (const PlainPolyline& polyline : polylines) {
    auto& row = marks.emplace_back();
    for (const PlainVertex& vertex : polyline.vertices) {
      row.push_back({vertex.dropped, vertex.gets_bulge, vertex.bulge});
    }
  }
  return marks;
}

// Random outlines made of arcs and straight runs, for comparing searches
// and for the benchmark.
class OutlineMaker {
 public:
  explicit OutlineMaker(std::uint64_t seed) : random_(seed) {}

  double Uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random_);
  }
  // Log-uniform between `low` and `high`.
  double Scale(double low, double high) {
    return std::exp(Uniform(std::log(low), std::log(high)));
  }
  int Whole(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(double p) { return Uniform(0, 1) < p; }
  std::mt19937_64& engine() { return random_; }

  // Appends an arc that starts at the last point of `points` (or at `start`
  // when empty), leaving it tangentially or at a corner, with `segments`
  // segments over `sweep_degrees` (negative: clockwise) on `radius`.
  void AddArc(std::vector<PlanePoint>& points, double radius, double sweep_degrees,
              int segments, double noise) {
    if (points.empty()) points.push_back({0, 0});
    const PlanePoint from = points.back();
    const double heading = Heading(points) + (Chance(0.3) ? Uniform(-1.5, 1.5) : 0);
    const double turn = sweep_degrees >= 0 ? 1 : -1;
    // The centre lies to the left of the heading for a counter-clockwise arc.
    const double cx = from.x - turn * radius * std::sin(heading);
    const double cy = from.y + turn * radius * std::cos(heading);
    const double start = std::atan2(from.y - cy, from.x - cx);
    for (int i = 1; i <= segments; ++i) {
      const double angle = start + Radians(sweep_degrees) * i / segments;
      points.push_back({cx + radius * std::cos(angle) + Uniform(-noise, noise),
                        cy + radius * std::sin(angle) + Uniform(-noise, noise)});
    }
  }

  // Appends a straight run of `segments` segments of about `length` each.
  void AddStraight(std::vector<PlanePoint>& points, double length, int segments, double noise) {
    if (points.empty()) points.push_back({0, 0});
    const double heading = Heading(points) + (Chance(0.7) ? Uniform(-2.5, 2.5) : 0);
    PlanePoint at = points.back();
    for (int i = 0; i < segments; ++i) {
      const double step = length * Uniform(0.5, 1.5);
      at = {at.x + step * std::cos(heading), at.y + step * std::sin(heading)};
      points.push_back({at.x + Uniform(-noise, noise), at.y + Uniform(-noise, noise)});
    }
  }

 private:
  static double Heading(const std::vector<PlanePoint>& points) {
    if (points.size() < 2) return 0;
    const PlanePoint a = points[points.size() - 2];
    const PlanePoint b = points.back();
    return std::atan2(b.y - a.y, b.x - a.x);
  }

  std::mt19937_64 random_;
};

}  // namespace quillmere::testing

namespace quillmere::testing {

// Distance from `p` to the arc that runs from `from` to `to` with `bulge`
// as DXF defines it (tangent of a quarter of the included angle, positive
// counter-clockwise): to the circle where p lies within the arc's angles,
// to the nearer end elsewhere. Worked out independently of the search.
// Nearly straight arcs get an upper bound instead.
inline double DistanceToBulgeArc(PlanePoint from, PlanePoint to, double bulge, PlanePoint p) {
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  const double chord = std::hypot(dx, dy);
  if (std::abs(bulge) < 1e-4) {
    // A nearly straight arc: its centre is too far away to compute with; it
    // strays from the chord by at most its sagitta, |bulge| * chord / 2. The
    // result is then an upper bound.
    const double t = std::clamp(((p.x - from.x) * dx + (p.y - from.y) * dy) / (chord * chord), 0.0, 1.0);
    return std::hypot(p.x - from.x - t * dx, p.y - from.y - t * dy) + std::abs(bulge) * chord / 2;
  }
  // The centre lies on the chord's left normal, (1 - b^2) / (2 b) half
  // chords from its middle.
  const double along_normal = (1 - bulge * bulge) / (2 * bulge) / 2;
  const double cx = (from.x + to.x) / 2 - dy * along_normal;
  const double cy = (from.y + to.y) / 2 + dx * along_normal;
  const double radius = std::hypot(from.x - cx, from.y - cy);
  const double sweep = 4 * std::atan(std::abs(bulge));
  // Counter-clockwise from `first` over `sweep`.
  const PlanePoint first = bulge > 0 ? from : to;
  const double start = std::atan2(first.y - cy, first.x - cx);
  double offset = std::atan2(p.y - cy, p.x - cx) - start;
  while (offset < 0) offset += 2 * M_PI;
  if (offset <= sweep) return std::abs(std::hypot(p.x - cx, p.y - cy) - radius);
  return std::min(std::hypot(p.x - from.x, p.y - from.y), std::hypot(p.x - to.x, p.y - to.y));
}

// The largest distance from a vertex removed by the arc search to the arc
// that replaces it, over all arcs of `polyline`; -1 when a removed vertex
// belongs to no arc.
inline double LargestArcDeviation(const PlainPolyline& polyline) {
  double largest = 0;
  std::int32_t start = -1;
  for (std::int32_t v = 0; v < polyline.VertexCount(); ++v) {
    const PlainVertex& vertex = polyline.vertices[static_cast<std::size_t>(v)];
    if (vertex.dropped) {
      if (start < 0) return -1;
      continue;
    }
    if (start >= 0 && v > start + 1) {
      const PlainVertex& first = polyline.vertices[static_cast<std::size_t>(start)];
      for (std::int32_t inner = start + 1; inner < v; ++inner) {
        const PlainVertex& removed = polyline.vertices[static_cast<std::size_t>(inner)];
        largest = std::max(largest, DistanceToBulgeArc({first.x, first.y}, {vertex.x, vertex.y},
                                                       first.bulge, {removed.x, removed.y}));
      }
    }
    start = vertex.gets_bulge ? v : -1;
  }
  return largest;
}

// The largest distance from the arcs of `searched` (as their bulges
// describe them, sampled densely) to the segments of `original` that each
// arc replaces, relative to what the search allows: the deviation plus half
// the spacing of `arc_tests` test points along the arc. Above 1 an arc
// strays from its line.
inline double LargestArcStray(const PlainPolyline& original, const PlainPolyline& searched, double deviation,
                              std::int32_t arc_tests) {
  const auto segment_distance = [](PlanePoint q, const PlainVertex& a, const PlainVertex& b) {
    const double ux = b.x - a.x, uy = b.y - a.y;
    const double ll = ux * ux + uy * uy;
    const double t = ll == 0 ? 0 : std::clamp(((q.x - a.x) * ux + (q.y - a.y) * uy) / ll, 0.0, 1.0);
    return std::hypot(q.x - a.x - t * ux, q.y - a.y - t * uy);
  };
  double largest = 0;
  for (std::int32_t s = 0; s < searched.VertexCount(); ++s) {
    const PlainVertex& first = searched.vertices[static_cast<std::size_t>(s)];
    if (!first.gets_bulge) continue;
    std::int32_t e = s + 1;
    while (searched.vertices[static_cast<std::size_t>(e)].dropped) ++e;
    const PlainVertex& last = searched.vertices[static_cast<std::size_t>(e)];
    const double dx = last.x - first.x, dy = last.y - first.y;
    const double along_normal = (1 - first.bulge * first.bulge) / (2 * first.bulge) / 2;
    const double cx = (first.x + last.x) / 2 - dy * along_normal;
    const double cy = (first.y + last.y) / 2 + dx * along_normal;
    const double radius = std::hypot(first.x - cx, first.y - cy);
    const double sweep = 4 * std::atan(first.bulge);  // signed: negative clockwise
    const double start = std::atan2(first.y - cy, first.x - cx);
    const double allowed = deviation + radius * std::abs(sweep) / arc_tests / 2;
    for (int i = 0; i <= 400; ++i) {
      const double angle = start + sweep * i / 400;
      const PlanePoint q{cx + radius * std::cos(angle), cy + radius * std::sin(angle)};
      double nearest = std::numeric_limits<double>::infinity();
      for (std::int32_t k = s; k < e; ++k) {
        nearest = std::min(nearest, segment_distance(q, original.vertices[static_cast<std::size_t>(k)],
                                                     original.vertices[static_cast<std::size_t>(k + 1)]));
      }
      largest = std::max(largest, nearest / allowed);
    }
  }
  return largest;
}

}  // namespace quillmere::testing
