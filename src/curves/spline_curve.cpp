#include "curves/spline_curve.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "curves/fit_point_spline.h"
#include "curves/plan_checks.h"

namespace quillmere {

namespace {

constexpr int kClosedFlag = 1;

CurveReading RefusedSpline(CurveRefusal refusal) {
  CurveReading reading;
  reading.refusal = refusal;
  return reading;
}

bool ValueInRange(double value) { return std::fabs(value) <= kLargestCurveValue; }

bool AllWithinRange(const std::vector<double>& values) {
  return std::all_of(values.begin(), values.end(), ValueInRange);
}

// Each point has one X and one Y value, and one Z value or none at all.
bool PointsComplete(const CoordinateLists& lists) {
  return lists.y.size() == lists.x.size() && (lists.z.empty() || lists.z.size() == lists.x.size());
}

// The points' common height, or nothing when they are not level.
std::optional<double> CommonHeight(const CoordinateLists& lists) {
  if (lists.z.empty()) return 0.0;
  double scale = 0;
  for (std::size_t i = 0; i < lists.x.size(); ++i) {
    scale = std::max({scale, std::fabs(lists.x[i]), std::fabs(lists.y[i]), std::fabs(lists.z[i])});
  }
  const double tolerance = FlatTolerance(scale);
  const double height = lists.z.front();
  for (const double z : lists.z) {
    if (std::fabs(z - height) > tolerance) return std::nullopt;
  }
  return height;
}

// Knots that make a curve: nondecreasing, a parameter range of some length,
// no knot repeated more than degree + 1 times, none inside the range more
// than degree times (the curve would break apart there).
bool KnotsMakeCurve(const std::vector<double>& knots, int degree, std::size_t control_count) {
  if (!std::is_sorted(knots.begin(), knots.end())) return false;
  const double first = knots[static_cast<std::size_t>(degree)];
  const double last = knots[control_count];
  if (!(first < last)) return false;
  std::size_t run = 0;
  for (std::size_t i = 0; i < knots.size(); ++i) {
    run = i > 0 && knots[i] == knots[i - 1] ? run + 1 : 1;
    const bool inside = knots[i] > first && knots[i] < last;
    if (run > static_cast<std::size_t>(degree) + (inside ? 0 : 1)) return false;
  }
  return true;
}

// Clamped knots with uniform inner spacing: what a spline with control
// points but no knots at all is taken to mean.
std::vector<double> ClampedUniformKnots(int degree, std::size_t control_count) {
  const std::size_t p = static_cast<std::size_t>(degree);
  std::vector<double> knots(p + 1, 0.0);
  const std::size_t inner = control_count - p - 1;
  for (std::size_t i = 1; i <= inner; ++i) knots.push_back(static_cast<double>(i));
  knots.insert(knots.end(), p + 1, static_cast<double>(inner + 1));
  return knots;
}

double PointDistance(CurvePoint a, CurvePoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Closed when the entity says so and the curve's ends meet.
bool ClosesUp(const PlaneCurve& curve, bool flagged) {
  if (!flagged) return false;
  const CurvePoint start = PointAt(curve, curve.FirstParameter());
  const CurvePoint end = PointAt(curve, curve.LastParameter());
  return PointDistance(start, end) <= FlatTolerance(CoordinateScale(curve.control_points));
}

CurveReading ControlPointCurve(const SplineGroups& groups, double elevation) {
  const CoordinateLists& points = groups.control_points;
  const std::size_t count = points.x.size();
  if (groups.degree < 1 || groups.degree > kHighestCurveDegree ||
      count <= static_cast<std::size_t>(groups.degree)) {
    return RefusedSpline(CurveRefusal::kDegreeOutOfRange);
  }
  const std::size_t knot_count = count + static_cast<std::size_t>(groups.degree) + 1;
  const bool no_knots = groups.knots.empty() && groups.knot_count.value_or(0) == 0;
  if (!no_knots &&
      (groups.knots.size() != knot_count ||
       groups.knot_count.value_or(static_cast<int>(knot_count)) != static_cast<int>(knot_count))) {
    return RefusedSpline(CurveRefusal::kCountsDisagree);
  }
  if (!groups.weights.empty() && groups.weights.size() != count) {
    return RefusedSpline(CurveRefusal::kCountsDisagree);
  }
  PlaneCurve curve;
  curve.degree = groups.degree;
  curve.knots = no_knots ? ClampedUniformKnots(groups.degree, count) : groups.knots;
  if (!KnotsMakeCurve(curve.knots, curve.degree, count)) return RefusedSpline(CurveRefusal::kBadKnots);
  for (const double weight : groups.weights) {
    if (!(weight > 0)) return RefusedSpline(CurveRefusal::kNonPositiveWeight);
  }
  if (!AllWithinRange(groups.weights) ||
      std::any_of(groups.weights.begin(), groups.weights.end(),
                  [](double weight) { return weight < 1 / kLargestCurveValue; })) {
    return RefusedSpline(CurveRefusal::kUnreadableNumber);
  }
  curve.control_points.reserve(count);
  bool one_place = true;  // a curve of no length: nothing to draw it with
  for (std::size_t i = 0; i < count; ++i) {
    const double weight = groups.weights.empty() ? 1 : groups.weights[i];
    curve.control_points.push_back({points.x[i], points.y[i], weight});
    one_place = one_place && points.x[i] == points.x[0] && points.y[i] == points.y[0];
  }
  if (one_place) return RefusedSpline(CurveRefusal::kDegenerate);
  curve.elevation = elevation;
  curve.closed = ClosesUp(curve, (groups.flags & kClosedFlag) != 0);
  return CurveReading{std::move(curve)};
}

// A tangent's direction in the plan, when it has one.
std::optional<CurvePoint> PlanDirection(const std::optional<SpaceVector>& tangent) {
  if (!tangent || (tangent->x == 0 && tangent->y == 0)) return std::nullopt;
  return CurvePoint{tangent->x, tangent->y};
}

CurveReading FitPointCurve(const SplineGroups& groups, double elevation) {
  const CoordinateLists& lists = groups.fit_points;
  std::vector<CurvePoint> points;
  for (std::size_t i = 0; i < lists.x.size(); ++i) {
    const CurvePoint point{lists.x[i], lists.y[i]};
    // A point repeated in a row adds nothing to pass through.
    if (points.empty() || point.x != points.back().x || point.y != points.back().y) {
      points.push_back(point);
    }
  }
  if (points.size() < 2) return RefusedSpline(CurveRefusal::kNoPoints);
  double scale = 0;
  for (const CurvePoint& point : points)
    scale = std::max({scale, std::fabs(point.x), std::fabs(point.y)});
  const bool ends_meet = PointDistance(points.front(), points.back()) <= FlatTolerance(scale);
  // A closed spline's writer may or may not repeat the first fit point at
  // the end; either way the curve returns to it.
  const bool flagged = (groups.flags & kClosedFlag) != 0;
  if (flagged && !ends_meet && points.size() >= 3) points.push_back(points.front());
  const bool closed = flagged && points.size() >= 4;
  if (closed) points.back() = points.front();
  PlaneCurve curve = InterpolateFitPoints(points, PlanDirection(groups.start_tangent),
                                          PlanDirection(groups.end_tangent), closed);
  curve.elevation = elevation;
  curve.closed = closed;
  return CurveReading{std::move(curve)};
}

}  // namespace

CurveReading SplineCurve(const SplineGroups& groups) {
  const bool in_range = AllWithinRange(groups.knots) && AllWithinRange(groups.control_points.x) &&
                        AllWithinRange(groups.control_points.y) &&
                        AllWithinRange(groups.control_points.z) &&
                        AllWithinRange(groups.fit_points.x) &&
                        AllWithinRange(groups.fit_points.y) && AllWithinRange(groups.fit_points.z);
  if (groups.unreadable || !in_range) return RefusedSpline(CurveRefusal::kUnreadableNumber);
  if (!ExtrusionPointsDown(groups.extrusion)) return RefusedSpline(CurveRefusal::kTiltedExtrusion);
  const CoordinateLists& control = groups.control_points;
  const CoordinateLists& fit = groups.fit_points;
  if (!PointsComplete(control) || !PointsComplete(fit) ||
      groups.control_count.value_or(static_cast<int>(control.x.size())) !=
          static_cast<int>(control.x.size()) ||
      groups.fit_count.value_or(static_cast<int>(fit.x.size())) != static_cast<int>(fit.x.size())) {
    return RefusedSpline(CurveRefusal::kCountsDisagree);
  }
  const bool by_control_points = !control.x.empty();
  if (!by_control_points && fit.x.empty()) return RefusedSpline(CurveRefusal::kNoPoints);
  const std::optional<double> height = CommonHeight(by_control_points ? control : fit);
  if (!height) return RefusedSpline(CurveRefusal::kNotFlat);
  return by_control_points ? ControlPointCurve(groups, *height) : FitPointCurve(groups, *height);
}

}  // namespace quillmere
