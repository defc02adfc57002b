#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "arcs/sampled/sampled_test_points.h"

namespace quillmere {

// The window test segment by segment: every vertex of the window is located
// from the arc's centre, every segment's line test points are compared with
// the arc, then every arc test point with the segments. Its work grows with
// the window's length, so the window check uses it for short windows and
// where the summaries of long runs cannot be used. Not thread-safe.
class FullWindowCheck {
 public:
  // Windows held against `deviation`, which must outlive the object.
  explicit FullWindowCheck(const Deviation& deviation) : deviation_(deviation) {}

  // Tests the window [first, last] of `points` against the arc that
  // `test_points` were reset to (its bulge positive when
  // `counter_clockwise`).
  bool Passes(ArcTestPoints& test_points, std::int32_t line_tests, bool counter_clockwise,
              std::span<const PlanePoint> points, std::int32_t first, std::int32_t last);

 private:
  // Each vertex of the window [first, last] seen from the centre.
  void LocateVertices(const ArcTestPoints& test_points, std::span<const PlanePoint> points,
                      std::int32_t first, std::int32_t last);
  bool SegmentPasses(ArcTestPoints& test_points, std::int32_t line_tests, std::int32_t k);
  // Whether every arc test point lies closer than the deviation to one of
  // the segments of the window, once all its segments passed.
  bool ArcStaysNearLine(ArcTestPoints& test_points, bool counter_clockwise,
                        std::span<const PlanePoint> points, std::int32_t last);

  // The window being tested: its first vertex, its vertices seen from the
  // centre and the distances from the centre that each segment spans
  // (nothing where the segment passes too close to the centre, or where
  // the geometric shortcuts are not used).
  const Deviation& deviation_;
  std::int32_t first_ = 0;
  std::vector<ArcSample> vertices_;
  std::vector<std::optional<ArcTestPoints::RadialRange>> radial_ranges_;
  std::vector<ArcTestPoints::IndexRange> proven_;  // test points proven near the line
};

}  // namespace quillmere
