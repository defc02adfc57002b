#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quillmere {

// A point in the plan (world X/Y) of a flat curve.
struct CurvePoint {
  double x = 0;
  double y = 0;
};

// A control point of a rational curve and its weight (1 when the curve is
// not rational).
struct ControlPoint {
  double x = 0;
  double y = 0;
  double weight = 1;
};

// Highest degree of a curve the program converts. Higher degrees occur in no
// drawing program's output we know of; taking them would only let a
// damaged file cost time.
inline constexpr int kHighestCurveDegree = 15;

// A curve that lies in a plane z = const, seen from above: the NURBS of
// `degree` over `control_points` with `knots`
// (control_points.size() + degree + 1 of them, nondecreasing), taken over
// knots[degree] .. knots[control_points.size()]. Every weight is positive.
// SPLINE and ELLIPSE entities both become one (an ellipse as rational
// quadratic pieces, exactly), so one evaluation and one sampling serve both.
struct PlaneCurve {
  int degree = 1;
  std::vector<double> knots;
  std::vector<ControlPoint> control_points;
  double elevation = 0;  // the curve's z
  // The entity is closed (SPLINE flag 1 or a full ELLIPSE) and the curve
  // ends where it starts: it is to become a closed polyline.
  bool closed = false;

  double FirstParameter() const { return knots[static_cast<std::size_t>(degree)]; }
  double LastParameter() const { return knots[control_points.size()]; }
};

// Why an entity's curve is not converted but left as read.
enum class CurveRefusal : std::uint8_t {
  kNone,
  kNotFlat,            // its points do not lie in one plane z = const
  kTiltedExtrusion,    // its extrusion direction is not (0, 0, 1) or (0, 0, -1)
  kCountsDisagree,     // counts (72, 73, 74) or weights disagree with the groups read
  kBadKnots,           // knots decrease, leave no parameter range, or break the curve
  kDegreeOutOfRange,   // degree below 1, above kHighestCurveDegree, or not below the point count
  kNoPoints,           // no control points and fewer than two distinct fit points
  kUnreadableNumber,   // a value that reads as no finite number
  kNonPositiveWeight,  // a weight of zero or below
  kDegenerate,         // all control points in one place; an ELLIPSE without an axis or ratio
  kTooFine,            // the chord error is below what the coordinates can resolve
};

// A curve read from an entity, or why there is none.
struct CurveReading {
  PlaneCurve curve;
  CurveRefusal refusal = CurveRefusal::kNone;

  bool ok() const { return refusal == CurveRefusal::kNone; }
};

// A short English name of the reason, for logs and test messages.
const char* RefusalName(CurveRefusal refusal);

// The point at parameter `t` (within the curve's parameter range).
CurvePoint PointAt(const PlaneCurve& curve, double t);

// The index k of the knot span [knots[k], knots[k + 1]) that holds `t`,
// with degree <= k < control_points.size(); the last span for t at the
// range's end.
std::size_t SpanOf(const PlaneCurve& curve, double t);

// The largest distance of the control points from the origin: the scale
// against which rounding of the curve's computations is measured.
double CoordinateScale(std::span<const ControlPoint> points);

}  // namespace quillmere
