#include "arcs/arc_window_test.h"

#include <algorithm>
#include <cmath>

namespace quillmere {

// The line test points of one segment: from + ((to - from) / count) * j for
// j = 0 .. count, for x and y each.
class ArcWindowTest::SegmentTestPoints {
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

ArcWindowTest::ArcWindowTest(const ArcSearchSettings& settings) : settings_(settings) {
  settings_.arc_tests = std::max(settings_.arc_tests, 1);
  settings_.line_tests = std::max(settings_.line_tests, 1);
}

bool ArcWindowTest::Passes(std::span<const PlanePoint> points, std::int32_t first,
                           std::int32_t last, ArcFields& arc) {
  const PlanePoint start = points[static_cast<std::size_t>(first)];
  const PlanePoint middle = points[static_cast<std::size_t>(first + (last - first) / 2)];
  const PlanePoint end = points[static_cast<std::size_t>(last)];
  if (!arc.ArcThroughPoints(start.x, start.y, middle.x, middle.y, end.x, end.y) ||
      arc.bulge == 0) {
    return false;
  }
  test_points_.Reset(arc, settings_.arc_tests, settings_.deviation);

  // Every segment must pass, so the order is free: the newest segment, the
  // likeliest to fail while a window grows, goes first.
  const auto segment_passes = [&](std::int32_t k) {
    return SegmentPasses(points[static_cast<std::size_t>(k)],
                         points[static_cast<std::size_t>(k + 1)]);
  };
  if (!segment_passes(last - 1)) return false;
  for (std::int32_t k = first; k < last - 1; ++k) {
    if (!segment_passes(k)) return false;
  }
  return true;
}

bool ArcWindowTest::SegmentPasses(PlanePoint from, PlanePoint to) {
  const std::int32_t count = settings_.line_tests;
  const SegmentTestPoints line(from, to, count);
  if (!test_points_.Tame() || !line.Tame()) {
    for (std::int32_t j = 0; j <= count; ++j) {
      if (!test_points_.Accepts(test_points_.Locate(line.At(j)))) return false;
    }
    return true;
  }

  // Each computed line test point lies within twice the rounding error of
  // the straight segment between the computed first and last one.
  const double point_error = 2 * line.RoundingError();
  const ArcSample first = test_points_.Locate(line.At(0));
  const ArcSample last = test_points_.Locate(line.At(count));
  if (test_points_.ArcBandCovers(first, last, point_error)) return true;
  if (!test_points_.Accepts(first) || !test_points_.Accepts(last)) return false;
  return StretchPasses(line, 0, first, count, last, point_error);
}

// The line test points strictly between `from_index` and `to_index`, whose
// own points are accepted already: accepted as a whole where one proof
// covers the stretch, otherwise halved at an accepted point.
bool ArcWindowTest::StretchPasses(const SegmentTestPoints& line, std::int32_t from_index,
                                  const ArcSample& from, std::int32_t to_index,
                                  const ArcSample& to, double point_error) {
  if (to_index - from_index < 2) return true;
  if (test_points_.ArcBandCovers(from, to, point_error) ||
      test_points_.OnePointCovers(from, to, point_error)) {
    return true;
  }
  const std::int32_t middle_index = from_index + (to_index - from_index) / 2;
  const ArcSample middle = test_points_.Locate(line.At(middle_index));
  if (!test_points_.Accepts(middle)) return false;
  return StretchPasses(line, from_index, from, middle_index, middle, point_error) &&
         StretchPasses(line, middle_index, middle, to_index, to, point_error);
}

}  // namespace quillmere
