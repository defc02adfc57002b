#include "curves/plane_curve.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "curves/bezier_piece.h"

namespace quillmere {

const char* RefusalName(CurveRefusal refusal) {
  switch (refusal) {
    case CurveRefusal::kNone: return "none";
    case CurveRefusal::kNotFlat: return "not in a plane z = const";
    case CurveRefusal::kTiltedExtrusion: return "extrusion not (0, 0, 1) or (0, 0, -1)";
    case CurveRefusal::kCountsDisagree: return "counts disagree with the groups";
    case CurveRefusal::kBadKnots: return "bad knots";
    case CurveRefusal::kDegreeOutOfRange: return "degree out of range";
    case CurveRefusal::kNoPoints: return "no points";
    case CurveRefusal::kUnreadableNumber: return "unreadable number";
    case CurveRefusal::kNonPositiveWeight: return "weight not positive";
    case CurveRefusal::kDegenerate: return "degenerate";
    case CurveRefusal::kTooFine: return "chord error below the coordinates' resolution";
  }
  return "unknown";
}

std::size_t SpanOf(const PlaneCurve& curve, double t) {
  const std::size_t first = static_cast<std::size_t>(curve.degree);
  const std::size_t last = curve.control_points.size() - 1;
  // The first knot above t, among knots[first + 1 .. last]; the span ends there.
  const auto begin = curve.knots.begin() + static_cast<std::ptrdiff_t>(first + 1);
  const auto end = curve.knots.begin() + static_cast<std::ptrdiff_t>(last + 1);
  const auto above = std::upper_bound(begin, end, t);
  std::size_t span = static_cast<std::size_t>(above - curve.knots.begin()) - 1;
  // At the range's end the last span may be empty (an end knot repeated
  // fewer than degree + 1 times but more than once): take the one before.
  while (span > first && curve.knots[span] == curve.knots[span + 1]) --span;
  return span;
}

CurvePoint PointAt(const PlaneCurve& curve, double t) {
  std::array<double, kHighestCurveDegree> arguments;
  arguments.fill(t);
  return Blossom(curve, SpanOf(curve, t),
                 std::span<const double>(arguments.data(), static_cast<std::size_t>(curve.degree)))
      .Projected();
}

double CoordinateScale(std::span<const ControlPoint> points) {
  double scale = 0;
  for (const ControlPoint& point : points) {
    scale = std::max({scale, std::fabs(point.x), std::fabs(point.y)});
  }
  return scale;
}

}  // namespace quillmere
