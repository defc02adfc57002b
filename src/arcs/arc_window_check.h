#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "arcs/arc_search_settings.h"
#include "arcs/arc_test_points.h"
#include "arcs/arc_through_points.h"

namespace quillmere {

// The test whether a window of consecutive vertices lies on one arc.
//
// The window [first, last] is tested against the arc through its first, its
// middle (first + (last - first) / 2) and its last vertex. It passes when
// that arc exists with a bulge other than 0, every line test point of every
// segment in it has an arc test point closer than the deviation, and every
// arc test point lies closer than the deviation to one of its segments: the
// line stays near the arc and the arc near the line. The line test points
// of the segment from P to Q are P + ((Q - P) / Nl) * j for j = 0 .. Nl; the
// arc test points are those of ArcTestPoints with Na parts.
//
// The decision is that of comparing every line test point with every arc
// test point, and every arc test point with every segment; most segments
// and test points are settled by bounds without a single comparison. One
// object serves any number of windows; it is not thread-safe.
class ArcWindowCheck {
 public:
  explicit ArcWindowCheck(const ArcSearchSettings& settings);

  // Tests the window [first, last] of `points` (first < last).
  bool Passes(std::span<const PlanePoint> points, std::int32_t first, std::int32_t last);

 private:
  class SegmentTestPoints;

  // Each vertex of the window [first, last] seen from the centre.
  void LocateVertices(std::span<const PlanePoint> points, std::int32_t first, std::int32_t last);
  bool SegmentPasses(std::span<const PlanePoint> points, std::int32_t k);
  // Whether every arc test point lies closer than the deviation to one of
  // the segments of the window, once all its segments passed.
  bool ArcStaysNearLine(std::span<const PlanePoint> points, std::int32_t last);
  bool NearSomeSegment(std::span<const PlanePoint> points, std::int32_t first,
                       std::int32_t last, std::int32_t index);
  bool StretchPasses(const SegmentTestPoints& line, std::int32_t from_index,
                     const ArcSample& from, std::int32_t to_index, const ArcSample& to,
                     double point_error);

  ArcSearchSettings settings_;
  ArcTestPoints test_points_;
  bool counter_clockwise_ = false;
  // The window being tested: its first vertex, its vertices seen from the
  // centre and the distances from the centre that each segment spans
  // (nothing where the segment passes too close to the centre, or where
  // the geometric shortcuts are not used).
  std::int32_t first_ = 0;
  std::vector<ArcSample> vertices_;
  std::vector<std::optional<ArcTestPoints::RadialRange>> radial_ranges_;
  std::vector<ArcTestPoints::IndexRange> proven_;  // test points proven near the line
};

}  // namespace quillmere
