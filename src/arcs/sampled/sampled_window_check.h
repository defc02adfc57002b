#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "arcs/arc_search_settings.h"
#include "arcs/deviation.h"
#include "arcs/sampled/sampled_block_window_check.h"
#include "arcs/sampled/sampled_full_window_check.h"
#include "arcs/sampled/sampled_test_points.h"

namespace quillmere {

// The sampled test whether a window of consecutive vertices lies on one arc.
//
// The window [first, last] is tested against its circle (WindowArc: the arc
// through its first, its middle and its last vertex). It passes when that
// arc exists with a bulge other than 0, every line test point of every
// segment in it has an arc test point closer than the deviation, and every
// arc test point lies closer than the deviation to one of its segments: the
// line stays near the arc and the arc near the line. The line test points
// of the segment from P to Q are P + ((Q - P) / Nl) * j for j = 0 .. Nl; the
// arc test points are those of ArcTestPoints with Na parts.
//
// The decision is that of comparing every line test point with every arc
// test point, and every arc test point with every segment; most segments
// and test points are settled by bounds without a single comparison, and
// in long windows whole blocks of segments at once, so that a window
// growing vertex by vertex costs about the logarithm of its length per
// step. One object serves any number of windows; it is not thread-safe, and
// its checks share its deviation, so it is neither copied nor moved.
class SampledWindowCheck {
 public:
  explicit SampledWindowCheck(const ArcSearchSettings& settings);
  SampledWindowCheck(const SampledWindowCheck&) = delete;
  SampledWindowCheck& operator=(const SampledWindowCheck&) = delete;

  // Starts on the windows of one polyline; `points` must stay as they are
  // while its windows are tested.
  void Use(std::span<const PlanePoint> points);

  // The bulge of the window's arc when the window [first, last] of the
  // polyline in use passes (first < last), nothing when it fails.
  std::optional<double> PassingBulge(std::int32_t first, std::int32_t last);

  // Tests the window [first, last] of the polyline in use.
  bool Passes(std::int32_t first, std::int32_t last) {
    return PassingBulge(first, last).has_value();
  }

  // Tests the window [first, last] of `points` on its own.
  bool Passes(std::span<const PlanePoint> points, std::int32_t first, std::int32_t last) {
    Use(points);
    return Passes(first, last);
  }

 private:
  const std::int32_t line_tests_;
  const Deviation deviation_;
  std::span<const PlanePoint> points_;
  ArcTestPoints test_points_;
  FullWindowCheck full_check_;   // short windows, and arcs beyond the shortcuts
  BlockWindowCheck block_check_;  // long windows
};

}  // namespace quillmere
