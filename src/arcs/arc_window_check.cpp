#include "arcs/arc_window_check.h"

#include <algorithm>

namespace quillmere {

namespace {

// From this many segments on, a window is tested in blocks: below it, the
// bookkeeping of blocks costs more than testing segment by segment.
constexpr std::int32_t kLongWindow = 32;

}  // namespace

ArcWindowCheck::ArcWindowCheck(const ArcSearchSettings& settings) : settings_(settings) {
  settings_.arc_tests = std::max(settings_.arc_tests, 1);
  settings_.line_tests = std::max(settings_.line_tests, 1);
}

void ArcWindowCheck::Use(std::span<const PlanePoint> points) {
  points_ = points;
  block_check_.Use(points);
}

bool ArcWindowCheck::Passes(std::int32_t first, std::int32_t last) {
  const std::optional<Arc> arc =
      ArcThroughPoints(points_[static_cast<std::size_t>(first)],
                       points_[static_cast<std::size_t>(first + (last - first) / 2)],
                       points_[static_cast<std::size_t>(last)]);
  if (!arc) return false;
  test_points_.Reset(*arc, settings_.arc_tests, settings_.deviation);
  const bool counter_clockwise = arc->bulge > 0;
  // Where the test points lie too far apart for any band to be covered,
  // every segment needs its own test anyway.
  if (last - first >= kLongWindow && test_points_.BandsCanCover() &&
      block_check_.Suits(first, last)) {
    return block_check_.Passes(test_points_, settings_.line_tests, counter_clockwise, first, last);
  }
  return full_check_.Passes(test_points_, settings_.line_tests, counter_clockwise, points_, first,
                            last);
}

}  // namespace quillmere
