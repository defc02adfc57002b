#pragma once

namespace quillmere {

// Bulges below this magnitude are no arcs: too flat to tell from the chord.
inline constexpr double kSmallestBulge = 1e-6;

// The result of the last circle computation: the circle through three points
// and the arc that runs from the first through the second to the third.
struct ArcFields {
  double arcmx = 0;       // centre
  double arcmy = 0;
  double arcwinkel1 = 0;  // start angle, radians in -pi..pi
  double arcwinkel2 = 0;  // end angle; the arc runs counter-clockwise
  double bulge = 0;       // bulge from the first to the third point
  double arcradius = 0;

  // Computes the circle and arc through the three points into the fields
  // above. False, with bulge 0, when no arc can be formed: the points lie on
  // one straight line (or two coincide); the sign of the triangle's area and
  // the turn from the first to the third point disagree, as rounding makes
  // them for nearly collinear points; rounding puts the first and the third
  // point further apart than the diameter; or the bulge would be smaller in
  // magnitude than kSmallestBulge.
  bool ArcThroughPoints(double x1, double y1, double x2, double y2, double x3, double y3);
};

// The angle of the point (x, y) seen from the centre (cx, cy): atan2 of the
// difference, in -pi..pi.
double PointAngle(double x, double y, double cx, double cy);

// The counter-clockwise angle swept from `start` to `end`, both in -pi..pi:
// their difference taken modulo 2*pi, in 0..2*pi.
double CounterClockwiseSweep(double start, double end);

}  // namespace quillmere
