#pragma once

// The exact tests of single segments against the arc test points, shared by
// the window checks: do a segment's line test points lie near the arc, and
// does an arc test point lie near one of a window's segments.

#include <cstdint>
#include <optional>
#include <span>

#include "arcs/sampled/sampled_test_points.h"

namespace quillmere {

// The line test points of one segment: from + ((to - from) / count) * j for
// j = 0 .. count, for x and y each.
class SegmentTestPoints {
 public:
  SegmentTestPoints(PlanePoint from, PlanePoint to, std::int32_t count)
      : from_(from),
        step_x_((to.x - from.x) / count),
        step_y_((to.y - from.y) / count),
        magnitude_(std::abs(from.x) + std::abs(from.y) + std::abs(to.x) + std::abs(to.y)) {}

  PlanePoint At(std::int32_t j) const { return {from_.x + step_x_ * j, from_.y + step_y_ * j}; }

  // The points from + step * j computed without rounding lie on one straight
  // line; each computed point lies within this distance of its exact one
  // (the three roundings of the expression stay below 3.5e-16 times the
  // coordinate magnitudes).
  double RoundingError() const { return 1e-15 * magnitude_; }

  // False when coordinates are beyond the range of the geometric shortcuts.
  bool Tame() const { return magnitude_ <= ArcTestPoints::kLargest; }

 private:
  PlanePoint from_;
  double step_x_;
  double step_y_;
  double magnitude_;
};

// True when every line test point of the segment from `a` to `b` (located
// from the arc's centre when the test points are tame; otherwise only their
// points are read) has an arc test point closer than the deviation. Where
// the shortcuts apply, `radial_range` (when given) receives the distances
// from the centre that the segment spans, for the test in the other
// direction.
bool LineTestPointsNearArc(ArcTestPoints& test_points, const ArcSample& a, const ArcSample& b,
                           std::int32_t line_tests,
                           std::optional<ArcTestPoints::RadialRange>* radial_range = nullptr);

// The distance from `q` to the straight segment from `a` to `b`, computed
// exactly this way: the decisions depend on its rounding.
double SegmentDistance(PlanePoint q, PlanePoint a, PlanePoint b);

// True when arc test point `index` lies closer than `deviation` to one of
// the segments of the window [first, last] of `points`. The segments are
// tried from the one at the test point's share of the window outwards.
bool TestPointNearSomeSegment(ArcTestPoints& test_points, const Deviation& deviation,
                              std::span<const PlanePoint> points, std::int32_t first,
                              std::int32_t last, std::int32_t index, bool counter_clockwise);

}  // namespace quillmere
