#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "arcs/arc_through_points.h"

namespace quillmere {

// The vertices of one polyline as an arc engine searches them, in order.
struct ArcPath {
  std::span<const PlanePoint> points;
  // No arc that starts at vertex v runs beyond vertex reach[v]: there a
  // segment read as an arc begins, and existing arcs are never refitted.
  // Empty when the path has no arcs of its own.
  std::span<const std::int32_t> reach = {};
  // A closed outline whose `points` end with its first vertex again, so
  // that its last arc may run over the closing segment (engines that do
  // that only).
  bool closed = false;
};

// An arc found over the vertices first .. last of a path, written as
// `bulge` on vertex `first`; the vertices between are dropped.
struct FoundArc {
  std::int32_t first = 0;
  std::int32_t last = 0;
  double bulge = 0;
};

// One way of finding arcs in a path: points in, found arcs out. An engine
// keeps its buffers from one path to the next; it is not thread-safe, so
// each thread of a search has its own.
class ArcEngine {
 public:
  virtual ~ArcEngine() = default;

  // The arcs over `path`, in order, none overlapping another; replaces the
  // contents of `arcs`.
  virtual void Find(const ArcPath& path, std::vector<FoundArc>& arcs) = 0;

  // Whether the last arc of a closed outline may run over its closing
  // segment; the paths of closed outlines then end with their first vertex
  // again.
  virtual bool RunsOverClosingSegment() const = 0;
};

}  // namespace quillmere
