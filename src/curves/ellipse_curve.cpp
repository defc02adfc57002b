#include "curves/ellipse_curve.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "curves/plan_checks.h"

namespace quillmere {

namespace {

constexpr double kFullTurn = 2 * std::numbers::pi;
constexpr double kQuarterTurn = std::numbers::pi / 2;
// Parameter ranges this close to 0 or a full turn are the full ellipse.
constexpr double kWholeTurnRounding = 1e-9;

CurveReading Refused(CurveRefusal refusal) {
  CurveReading reading;
  reading.refusal = refusal;
  return reading;
}

bool WithinRange(const SpaceVector& v) {
  return std::fabs(v.x) <= kLargestCurveValue && std::fabs(v.y) <= kLargestCurveValue &&
         std::fabs(v.z) <= kLargestCurveValue;
}

// The ellipse in the plan: centre + cos(t) major + sin(t) minor.
struct PlanEllipse {
  CurvePoint centre, major, minor;

  ControlPoint At(double t, double scale, double weight) const {
    const double c = std::cos(t) * scale;
    const double s = std::sin(t) * scale;
    return {centre.x + c * major.x + s * minor.x, centre.y + c * major.y + s * minor.y, weight};
  }
};

// The swept parameter range in (0, 2 pi]: the end lies that far past the
// start, running on past 2 pi when it is below the start.
double Sweep(double start, double end) {
  double sweep = std::fmod(end - start, kFullTurn);
  if (sweep < 0) sweep += kFullTurn;
  if (sweep <= kWholeTurnRounding || sweep >= kFullTurn - kWholeTurnRounding) return kFullTurn;
  return sweep;
}

}  // namespace

CurveReading EllipseCurve(const EllipseGroups& groups) {
  const bool in_range = WithinRange(groups.centre) && WithinRange(groups.major_axis) &&
                        std::fabs(groups.ratio) <= kLargestCurveValue &&
                        std::fabs(groups.start_parameter) <= kLargestCurveValue &&
                        std::fabs(groups.end_parameter) <= kLargestCurveValue;
  if (groups.unreadable || !in_range) return Refused(CurveRefusal::kUnreadableNumber);
  const std::optional<bool> down = ExtrusionPointsDown(groups.extrusion);
  if (!down) return Refused(CurveRefusal::kTiltedExtrusion);
  const SpaceVector& axis = groups.major_axis;
  const double axis_length = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
  if (!(axis_length > 0) || !(groups.ratio > 0)) return Refused(CurveRefusal::kDegenerate);
  if (std::fabs(axis.z) > FlatTolerance(axis_length)) return Refused(CurveRefusal::kNotFlat);

  // The minor axis is the extrusion crossed with the major axis, times the
  // ratio: a quarter turn on from the major axis counter-clockwise in plan
  // seen along (0, 0, 1), clockwise along (0, 0, -1).
  const double turn = *down ? -groups.ratio : groups.ratio;
  const PlanEllipse ellipse{
      {groups.centre.x, groups.centre.y}, {axis.x, axis.y}, {-axis.y * turn, axis.x * turn}};
  const double sweep = Sweep(groups.start_parameter, groups.end_parameter);
  // Pieces of at most a quarter turn: exact rational quadratic Beziers
  // whose middle weight cos(half the piece's angle) stays at least 0.7.
  const int pieces = std::max(1, static_cast<int>(std::ceil(sweep / kQuarterTurn - 1e-9)));
  const double step = sweep / pieces;
  const double middle_weight = std::cos(step / 2);

  PlaneCurve curve;
  curve.degree = 2;
  curve.elevation = groups.centre.z;
  curve.closed = sweep == kFullTurn;
  curve.knots = {0, 0, 0};
  for (int i = 0; i < pieces; ++i) {
    const double t = groups.start_parameter + i * step;
    curve.control_points.push_back(ellipse.At(t, 1, 1));
    // The corner where the tangents at the piece's ends meet.
    curve.control_points.push_back(ellipse.At(t + step / 2, 1 / middle_weight, middle_weight));
    const double knot = i + 1;
    curve.knots.insert(curve.knots.end(), i + 1 < pieces ? 2 : 3, knot);
  }
  curve.control_points.push_back(curve.closed ? curve.control_points.front()
                                              : ellipse.At(groups.start_parameter + sweep, 1, 1));
  return CurveReading{std::move(curve)};
}

}  // namespace quillmere
