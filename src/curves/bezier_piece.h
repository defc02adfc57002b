#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "curves/plane_curve.h"

namespace quillmere {

// A control point in homogeneous form: (w x, w y, w). Rational curves are
// subdivided and blended in this form, where they are polynomial.
struct HomogeneousPoint {
  double x = 0;
  double y = 0;
  double w = 1;

  CurvePoint Projected() const { return {x / w, y / w}; }
};

inline HomogeneousPoint Homogeneous(const ControlPoint& point) {
  return {point.x * point.weight, point.y * point.weight, point.weight};
}

// One (rational) Bezier piece of a curve: degree + 1 control points. With
// positive weights it lies in the convex hull of its projected control
// points and runs from the first to the last.
struct BezierPiece {
  int degree = 0;
  std::array<HomogeneousPoint, kHighestCurveDegree + 1> points;

  CurvePoint Start() const { return points[0].Projected(); }
  CurvePoint End() const { return points[static_cast<std::size_t>(degree)].Projected(); }
};

// The blossom of the curve's polynomial piece on knot span `span` at the
// `degree` arguments (de Boor's algorithm with one argument per level).
// With every argument t it is the curve's point at t; with the span's ends
// it gives the Bezier control points of the span.
HomogeneousPoint Blossom(const PlaneCurve& curve, std::size_t span,
                         std::span<const double> arguments);

// The Bezier piece of the curve over knot span `span` (which must not be
// empty): its control points are the blossoms at the span's ends.
BezierPiece BezierPieceOfSpan(const PlaneCurve& curve, std::size_t span);

// Splits the piece at `s` in 0..1 (de Casteljau) into the part before and
// the part after.
void SplitBezier(const BezierPiece& piece, double s, BezierPiece& before, BezierPiece& after);

}  // namespace quillmere
