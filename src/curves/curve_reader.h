#pragma once

#include <string_view>

#include "curves/curve_groups.h"
#include "curves/plane_curve.h"

namespace quillmere {

enum class CurveEntity { kSpline, kEllipse };

// Reads the curve of one SPLINE or ELLIPSE entity from its group pairs, one
// pair at a time as a reader of the ENTITIES section meets them, without
// copying a line. Groups outside the curve's definition (layer, colour,
// handles, 102 groups, extended data) are passed over.
//
//   CurveReader reader(CurveEntity::kSpline);
//   for (each pair of the entity after its (0, SPLINE) pair) reader.Take(code, value);
//   const CurveReading reading = reader.Finish();
class CurveReader {
 public:
  explicit CurveReader(CurveEntity entity) : entity_(entity) {}

  // `code` is the group code, -1 when the code line is no number; `value`
  // the value line as read.
  void Take(int code, std::string_view value);

  // The curve, or why the entity is left as read.
  CurveReading Finish() const;

  const SplineGroups& Spline() const { return spline_; }
  const EllipseGroups& Ellipse() const { return ellipse_; }

 private:
  void TakeSplinePair(int code, std::string_view value);
  void TakeEllipsePair(int code, std::string_view value);

  CurveEntity entity_;
  SplineGroups spline_;
  EllipseGroups ellipse_;
};

// The curve of a SPLINE's groups: with control points the NURBS they define
// (fit points and tangents then ignored), otherwise the cubic through the
// fit points (InterpolateFitPoints). Or why there is none.
CurveReading SplineCurve(const SplineGroups& groups);

// The curve of an ELLIPSE's groups, as rational quadratic pieces of at most
// a quarter turn each, or why there is none.
CurveReading EllipseCurve(const EllipseGroups& groups);

}  // namespace quillmere
