#include "arcs/sampled/sampled_full_window_check.h"

#include <algorithm>

#include "arcs/sampled/sampled_segment_checks.h"

namespace quillmere {

bool FullWindowCheck::Passes(ArcTestPoints& test_points, std::int32_t line_tests,
                             bool counter_clockwise, std::span<const PlanePoint> points,
                             std::int32_t first, std::int32_t last) {
  LocateVertices(test_points, points, first, last);
  // Every segment must pass, so the order is free: the newest segment, the
  // likeliest to fail while a window grows, goes first.
  if (!SegmentPasses(test_points, line_tests, last - 1)) return false;
  for (std::int32_t k = first; k < last - 1; ++k) {
    if (!SegmentPasses(test_points, line_tests, k)) return false;
  }
  return ArcStaysNearLine(test_points, counter_clockwise, points, last);
}

void FullWindowCheck::LocateVertices(const ArcTestPoints& test_points,
                                     std::span<const PlanePoint> points, std::int32_t first,
                                     std::int32_t last) {
  first_ = first;
  const auto count = static_cast<std::size_t>(last - first + 1);
  vertices_.resize(count);
  radial_ranges_.assign(count - 1, std::nullopt);
  const bool tame = test_points.Tame();
  for (std::size_t v = 0; v < count; ++v) {
    const PlanePoint p = points[static_cast<std::size_t>(first) + v];
    vertices_[v] = tame ? test_points.Locate(p) : ArcSample{p};
  }
}

bool FullWindowCheck::SegmentPasses(ArcTestPoints& test_points, std::int32_t line_tests,
                                    std::int32_t k) {
  const auto index = static_cast<std::size_t>(k - first_);
  return LineTestPointsNearArc(test_points, vertices_[index], vertices_[index + 1], line_tests,
                               &radial_ranges_[index]);
}

bool FullWindowCheck::ArcStaysNearLine(ArcTestPoints& test_points, bool counter_clockwise,
                                       std::span<const PlanePoint> points, std::int32_t last) {
  // Most test points are proven near the segment whose angles, seen from the
  // centre, enclose theirs; the rest are compared with the segments one by
  // one, starting where they should be.
  proven_.clear();
  for (std::size_t k = 0; k < radial_ranges_.size(); ++k) {
    if (!radial_ranges_[k]) continue;
    ArcTestPoints::IndexRange ranges[3];
    const int count =
        test_points.ProvenNearSegment(vertices_[k], vertices_[k + 1], *radial_ranges_[k], ranges);
    proven_.insert(proven_.end(), ranges, ranges + count);
  }
  std::sort(proven_.begin(), proven_.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::int32_t unproven = 0;
  const auto near_line = [&](std::int32_t until) {
    for (; unproven < until; ++unproven) {
      if (!TestPointNearSomeSegment(test_points, deviation_, points, first_, last, unproven,
                                    counter_clockwise)) {
        return false;
      }
    }
    return true;
  };
  for (const ArcTestPoints::IndexRange& range : proven_) {
    if (!near_line(range.first)) return false;
    unproven = std::max(unproven, range.last + 1);
  }
  return near_line(test_points.Count() + 1);
}

}  // namespace quillmere
