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
  // The same with the code line as read.
  void Take(std::string_view code, std::string_view value);

  // The curve (SplineCurve, EllipseCurve), or why the entity is left as
  // read. A value that does not read as a number refuses the curve.
  CurveReading Finish() const;

  CurveEntity Entity() const { return entity_; }
  const SplineGroups& Spline() const { return spline_; }
  const EllipseGroups& Ellipse() const { return ellipse_; }

 private:
  void TakeSplinePair(int code, std::string_view value);
  void TakeEllipsePair(int code, std::string_view value);

  CurveEntity entity_;
  SplineGroups spline_;
  EllipseGroups ellipse_;
};

}  // namespace quillmere
