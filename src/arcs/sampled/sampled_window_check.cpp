#include "arcs/sampled/sampled_window_check.h"

#include <algorithm>

namespace quillmere {

namespace {

// From this many segments on, a window is tested in blocks: below it, the
// bookkeeping of blocks costs more than testing segment by segment.
constexpr std::int32_t kLongWindow = 32;

}  // namespace

// Counts below 1 are taken as 1.
SampledWindowCheck::SampledWindowCheck(const ArcSearchSettings& settings)
    : line_tests_(std::max(settings.line_tests, 1)),
      deviation_(settings.deviation),
      test_points_(deviation_, std::max(settings.arc_tests, 1)),
      full_check_(deviation_),
      block_check_(deviation_) {}

void SampledWindowCheck::Use(std::span<const PlanePoint> points) {
  points_ = points;
  block_check_.Use(points);
}

std::optional<double> SampledWindowCheck::PassingBulge(std::int32_t first, std::int32_t last) {
  const std::optional<Arc> arc = WindowArc(points_, first, last);
  if (!arc) return std::nullopt;
  test_points_.Reset(*arc);
  const bool counter_clockwise = arc->bulge > 0;
  // Where the test points lie too far apart for any band to be covered,
  // every segment needs its own test anyway.
  const bool passes =
      last - first >= kLongWindow && test_points_.BandsCanCover() &&
              block_check_.Suits(first, last)
          ? block_check_.Passes(test_points_, line_tests_, counter_clockwise, first, last)
          : full_check_.Passes(test_points_, line_tests_, counter_clockwise, points_, first,
                               last);
  if (!passes) return std::nullopt;
  return arc->bulge;
}

}  // namespace quillmere
