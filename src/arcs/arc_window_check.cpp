#include "arcs/arc_window_check.h"

#include <algorithm>
#include <cmath>

namespace quillmere {

// The line test points of one segment: from + ((to - from) / count) * j for
// j = 0 .. count, for x and y each.
class ArcWindowCheck::SegmentTestPoints {
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

ArcWindowCheck::ArcWindowCheck(const ArcSearchSettings& settings) : settings_(settings) {
  settings_.arc_tests = std::max(settings_.arc_tests, 1);
  settings_.line_tests = std::max(settings_.line_tests, 1);
}

bool ArcWindowCheck::Passes(std::span<const PlanePoint> points, std::int32_t first,
                            std::int32_t last) {
  const std::optional<Arc> arc =
      ArcThroughPoints(points[static_cast<std::size_t>(first)],
                       points[static_cast<std::size_t>(first + (last - first) / 2)],
                       points[static_cast<std::size_t>(last)]);
  if (!arc) return false;
  test_points_.Reset(*arc, settings_.arc_tests, settings_.deviation);
  counter_clockwise_ = arc->bulge > 0;
  LocateVertices(points, first, last);

  // Every segment must pass, so the order is free: the newest segment, the
  // likeliest to fail while a window grows, goes first.
  if (!SegmentPasses(points, last - 1)) return false;
  for (std::int32_t k = first; k < last - 1; ++k) {
    if (!SegmentPasses(points, k)) return false;
  }
  return ArcStaysNearLine(points, last);
}

void ArcWindowCheck::LocateVertices(std::span<const PlanePoint> points, std::int32_t first,
                                   std::int32_t last) {
  first_ = first;
  const auto count = static_cast<std::size_t>(last - first + 1);
  vertices_.resize(count);
  radial_ranges_.assign(count - 1, std::nullopt);
  if (!test_points_.Tame()) return;
  for (std::size_t v = 0; v < count; ++v) {
    vertices_[v] = test_points_.Locate(points[static_cast<std::size_t>(first) + v]);
  }
}

bool ArcWindowCheck::SegmentPasses(std::span<const PlanePoint> points, std::int32_t k) {
  const PlanePoint from = points[static_cast<std::size_t>(k)];
  const PlanePoint to = points[static_cast<std::size_t>(k + 1)];
  const std::int32_t count = settings_.line_tests;
  const SegmentTestPoints line(from, to, count);
  if (!test_points_.Tame() || !line.Tame()) {
    for (std::int32_t j = 0; j <= count; ++j) {
      if (!test_points_.Accepts(test_points_.Locate(line.At(j)))) return false;
    }
    return true;
  }

  // Each computed line test point lies within twice the rounding error of
  // the straight segment between the vertices, and of the one between the
  // computed first and last line test point. The segment's distances from
  // the centre serve the test in the other direction as well.
  const double point_error = 2 * line.RoundingError();
  const auto index = static_cast<std::size_t>(k - first_);
  const ArcSample& a = vertices_[index];
  const ArcSample& b = vertices_[index + 1];
  const std::optional<ArcTestPoints::RadialRange>& range =
      radial_ranges_[index] = test_points_.RadialRangeOf(a, b);
  if (range && test_points_.ArcBandCovers(a, b, *range, point_error)) return true;
  const PlanePoint end = line.At(count);
  const ArcSample last = end.x == to.x && end.y == to.y ? b : test_points_.Locate(end);
  if (!test_points_.Accepts(a) || !test_points_.Accepts(last)) return false;
  return StretchPasses(line, 0, a, count, last, point_error);
}

// The line test points strictly between `from_index` and `to_index`, whose
// own points are accepted already: accepted as a whole where one proof
// covers the stretch, otherwise halved at an accepted point.
bool ArcWindowCheck::StretchPasses(const SegmentTestPoints& line, std::int32_t from_index,
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


namespace {

// The distance from `q` to the straight segment from `a` to `b`, computed
// exactly this way: the decisions depend on its rounding.
double SegmentDistance(PlanePoint q, PlanePoint a, PlanePoint b) {
  const double ux = b.x - a.x;
  const double uy = b.y - a.y;
  const double ll = ux * ux + uy * uy;
  if (ll == 0) return std::sqrt((q.x - a.x) * (q.x - a.x) + (q.y - a.y) * (q.y - a.y));
  const double t = std::clamp(((q.x - a.x) * ux + (q.y - a.y) * uy) / ll, 0.0, 1.0);
  const double dx = q.x - (a.x + t * ux);
  const double dy = q.y - (a.y + t * uy);
  return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

bool ArcWindowCheck::ArcStaysNearLine(std::span<const PlanePoint> points, std::int32_t last) {
  // Most test points are proven near the segment whose angles, seen from the
  // centre, enclose theirs; the rest are compared with the segments one by
  // one, starting where they should be.
  proven_.clear();
  for (std::size_t k = 0; k < radial_ranges_.size(); ++k) {
    if (!radial_ranges_[k]) continue;
    ArcTestPoints::IndexRange ranges[3];
    const int count =
        test_points_.ProvenNearSegment(vertices_[k], vertices_[k + 1], *radial_ranges_[k], ranges);
    proven_.insert(proven_.end(), ranges, ranges + count);
  }
  std::sort(proven_.begin(), proven_.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::int32_t unproven = 0;
  const auto near_line = [&](std::int32_t until) {
    for (; unproven < until; ++unproven) {
      if (!NearSomeSegment(points, first_, last, unproven)) return false;
    }
    return true;
  };
  for (const ArcTestPoints::IndexRange& range : proven_) {
    if (!near_line(range.first)) return false;
    unproven = std::max(unproven, range.last + 1);
  }
  return near_line(test_points_.Count() + 1);
}

bool ArcWindowCheck::NearSomeSegment(std::span<const PlanePoint> points, std::int32_t first,
                                    std::int32_t last, std::int32_t index) {
  const PlanePoint q = test_points_.At(index);
  const double deviation = test_points_.Deviation();
  // Test points run counter-clockwise from the start angle, which is the
  // first vertex's for a counter-clockwise window and the last one's
  // otherwise; the segment at the same share of the window comes first.
  const std::int32_t segments = last - first;
  const double share = static_cast<double>(index) / test_points_.Count();
  const double along = counter_clockwise_ ? share : 1 - share;
  const std::int32_t guess =
      first + std::clamp(static_cast<std::int32_t>(along * segments), 0, segments - 1);
  const auto near = [&](std::int32_t k) {
    return SegmentDistance(q, points[static_cast<std::size_t>(k)],
                           points[static_cast<std::size_t>(k + 1)]) < deviation;
  };
  for (std::int32_t step = 0; step < segments; ++step) {
    if (guess + step < last && near(guess + step)) return true;
    if (step > 0 && guess - step >= first && near(guess - step)) return true;
  }
  return false;
}

}  // namespace quillmere
