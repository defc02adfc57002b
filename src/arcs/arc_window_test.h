#pragma once

#include <cstdint>
#include <span>

#include "arcs/arc_search_settings.h"
#include "arcs/arc_test_points.h"
#include "arcs/arc_through_points.h"

namespace quillmere {

// The test whether a window of consecutive vertices lies on one arc.
//
// The window [first, last] is tested against the arc through its first, its
// middle (first + (last - first) / 2) and its last vertex. It passes when
// that arc exists with a bulge other than 0 and every line test point of
// every segment in it has an arc test point closer than the deviation. The
// line test points of the segment from P to Q are P + ((Q - P) / Nl) * j for
// j = 0 .. Nl; the arc test points are those of ArcTestPoints with Na parts.
//
// The decision is that of comparing every line test point with every arc
// test point; most segments are settled without computing a single test
// point. One object serves any number of windows; it is not thread-safe.
class ArcWindowTest {
 public:
  explicit ArcWindowTest(const ArcSearchSettings& settings);

  // Tests the window [first, last] of `points` (first < last). Leaves the
  // arc through its three vertices in `arc`.
  bool Passes(std::span<const PlanePoint> points, std::int32_t first, std::int32_t last,
              ArcFields& arc);

 private:
  class SegmentTestPoints;

  bool SegmentPasses(PlanePoint from, PlanePoint to);
  bool StretchPasses(const SegmentTestPoints& line, std::int32_t from_index,
                     const ArcSample& from, std::int32_t to_index, const ArcSample& to,
                     double point_error);

  ArcSearchSettings settings_;
  ArcTestPoints test_points_;
};

}  // namespace quillmere
