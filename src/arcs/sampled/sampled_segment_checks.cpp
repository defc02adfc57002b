#include "arcs/sampled/sampled_segment_checks.h"

#include <algorithm>
#include <cmath>

namespace quillmere {

namespace {

// The line test points strictly between `from_index` and `to_index`, whose
// own points are accepted already: accepted as a whole where one proof
// covers the stretch, otherwise halved at an accepted point.
bool StretchPasses(ArcTestPoints& test_points, const SegmentTestPoints& line,
                   std::int32_t from_index, const ArcSample& from, std::int32_t to_index,
                   const ArcSample& to, double point_error) {
  if (to_index - from_index < 2) return true;
  if (test_points.ArcBandCovers(from, to, point_error) ||
      test_points.OnePointCovers(from, to, point_error)) {
    return true;
  }
  const std::int32_t middle_index = from_index + (to_index - from_index) / 2;
  const ArcSample middle = test_points.Locate(line.At(middle_index));
  if (!test_points.Accepts(middle)) return false;
  return StretchPasses(test_points, line, from_index, from, middle_index, middle, point_error) &&
         StretchPasses(test_points, line, middle_index, middle, to_index, to, point_error);
}

}  // namespace

bool LineTestPointsNearArc(ArcTestPoints& test_points, const ArcSample& a, const ArcSample& b,
                           std::int32_t line_tests,
                           std::optional<ArcTestPoints::RadialRange>* radial_range) {
  const std::int32_t count = line_tests;
  const SegmentTestPoints line(a.p, b.p, count);
  if (!test_points.Tame() || !line.Tame()) {
    for (std::int32_t j = 0; j <= count; ++j) {
      if (!test_points.Accepts(test_points.Locate(line.At(j)))) return false;
    }
    return true;
  }

  // Each computed line test point lies within twice the rounding error of
  // the straight segment between the vertices, and of the one between the
  // computed first and last line test point. The segment's distances from
  // the centre serve the test in the other direction as well.
  const double point_error = 2 * line.RoundingError();
  const std::optional<ArcTestPoints::RadialRange> range = test_points.RadialRangeOf(a, b);
  if (radial_range) *radial_range = range;
  if (range && test_points.ArcBandCovers(a, b, *range, point_error)) return true;
  const PlanePoint end = line.At(count);
  const ArcSample last = end.x == b.p.x && end.y == b.p.y ? b : test_points.Locate(end);
  if (!test_points.Accepts(a) || !test_points.Accepts(last)) return false;
  return StretchPasses(test_points, line, 0, a, count, last, point_error);
}

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

bool TestPointNearSomeSegment(ArcTestPoints& test_points, const Deviation& deviation,
                              std::span<const PlanePoint> points, std::int32_t first,
                              std::int32_t last, std::int32_t index, bool counter_clockwise) {
  const PlanePoint q = test_points.At(index);
  // Test points run counter-clockwise from the start angle, which is the
  // first vertex's for a counter-clockwise window and the last one's
  // otherwise; the segment at the same share of the window comes first.
  const std::int32_t segments = last - first;
  const double share = static_cast<double>(index) / test_points.Count();
  const double along = counter_clockwise ? share : 1 - share;
  const std::int32_t guess =
      first + std::clamp(static_cast<std::int32_t>(along * segments), 0, segments - 1);
  const auto near = [&](std::int32_t k) {
    return deviation.Closer(SegmentDistance(q, points[static_cast<std::size_t>(k)],
                                            points[static_cast<std::size_t>(k + 1)]));
  };
  for (std::int32_t step = 0; step < segments; ++step) {
    if (guess + step < last && near(guess + step)) return true;
    if (step > 0 && guess - step >= first && near(guess - step)) return true;
  }
  return false;
}

}  // namespace quillmere
