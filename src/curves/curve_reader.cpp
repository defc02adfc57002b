#include "curves/curve_reader.h"

#include <optional>

#include "curves/ellipse_curve.h"
#include "curves/spline_curve.h"
#include "support/numbers.h"

namespace quillmere {

namespace {

// Reads a number into `target`; a value that does not read marks `unreadable`.
void Store(double& target, std::string_view value, bool& unreadable) {
  if (const std::optional<double> number = ParseNumber(value)) {
    target = *number;
  } else {
    unreadable = true;
  }
}

void Append(std::vector<double>& list, std::string_view value, bool& unreadable) {
  if (const std::optional<double> number = ParseNumber(value)) {
    list.push_back(*number);
  } else {
    unreadable = true;
  }
}

void StoreWhole(int& target, std::string_view value, bool& unreadable) {
  if (const std::optional<std::int32_t> number = ParseWholeNumber(value)) {
    target = *number;
  } else {
    unreadable = true;
  }
}

void StoreCount(std::optional<int>& target, std::string_view value, bool& unreadable) {
  int count = 0;
  StoreWhole(count, value, unreadable);
  target = count;
}

// Component `axis` (0 for X codes, 1 for Y, 2 for Z) of a vector.
double& Component(SpaceVector& vector, int axis) {
  return axis == 0 ? vector.x : axis == 1 ? vector.y : vector.z;
}

void StoreTangent(std::optional<SpaceVector>& tangent, int axis, std::string_view value,
                  bool& unreadable) {
  if (!tangent) tangent = SpaceVector{};
  Store(Component(*tangent, axis), value, unreadable);
}

}  // namespace

void CurveReader::Take(int code, std::string_view value) {
  if (entity_ == CurveEntity::kSpline) {
    TakeSplinePair(code, value);
  } else {
    TakeEllipsePair(code, value);
  }
}

void CurveReader::TakeSplinePair(int code, std::string_view value) {
  bool& unreadable = spline_.unreadable;
  switch (code) {
    case 70: StoreWhole(spline_.flags, value, unreadable); break;
    case 71: StoreWhole(spline_.degree, value, unreadable); break;
    case 72: StoreCount(spline_.knot_count, value, unreadable); break;
    case 73: StoreCount(spline_.control_count, value, unreadable); break;
    case 74: StoreCount(spline_.fit_count, value, unreadable); break;
    case 40: Append(spline_.knots, value, unreadable); break;
    case 41: Append(spline_.weights, value, unreadable); break;
    case 42: Store(spline_.knot_tolerance, value, unreadable); break;
    case 43: Store(spline_.control_tolerance, value, unreadable); break;
    case 44: Store(spline_.fit_tolerance, value, unreadable); break;
    case 10: Append(spline_.control_points.x, value, unreadable); break;
    case 20: Append(spline_.control_points.y, value, unreadable); break;
    case 30: Append(spline_.control_points.z, value, unreadable); break;
    case 11: Append(spline_.fit_points.x, value, unreadable); break;
    case 21: Append(spline_.fit_points.y, value, unreadable); break;
    case 31: Append(spline_.fit_points.z, value, unreadable); break;
    case 12: StoreTangent(spline_.start_tangent, 0, value, unreadable); break;
    case 22: StoreTangent(spline_.start_tangent, 1, value, unreadable); break;
    case 32: StoreTangent(spline_.start_tangent, 2, value, unreadable); break;
    case 13: StoreTangent(spline_.end_tangent, 0, value, unreadable); break;
    case 23: StoreTangent(spline_.end_tangent, 1, value, unreadable); break;
    case 33: StoreTangent(spline_.end_tangent, 2, value, unreadable); break;
    case 210: Store(spline_.extrusion.x, value, unreadable); break;
    case 220: Store(spline_.extrusion.y, value, unreadable); break;
    case 230: Store(spline_.extrusion.z, value, unreadable); break;
    default: break;
  }
}

void CurveReader::TakeEllipsePair(int code, std::string_view value) {
  bool& unreadable = ellipse_.unreadable;
  switch (code) {
    case 10: Store(ellipse_.centre.x, value, unreadable); break;
    case 20: Store(ellipse_.centre.y, value, unreadable); break;
    case 30: Store(ellipse_.centre.z, value, unreadable); break;
    case 11: Store(ellipse_.major_axis.x, value, unreadable); break;
    case 21: Store(ellipse_.major_axis.y, value, unreadable); break;
    case 31: Store(ellipse_.major_axis.z, value, unreadable); break;
    case 40: Store(ellipse_.ratio, value, unreadable); break;
    case 41: Store(ellipse_.start_parameter, value, unreadable); break;
    case 42: Store(ellipse_.end_parameter, value, unreadable); break;
    case 210: Store(ellipse_.extrusion.x, value, unreadable); break;
    case 220: Store(ellipse_.extrusion.y, value, unreadable); break;
    case 230: Store(ellipse_.extrusion.z, value, unreadable); break;
    default: break;
  }
}

void CurveReader::Take(std::string_view code, std::string_view value) {
  Take(ParseWholeNumber(code).value_or(-1), value);
}

CurveReading CurveReader::Finish() const {
  return entity_ == CurveEntity::kSpline ? SplineCurve(spline_) : EllipseCurve(ellipse_);
}

}  // namespace quillmere
