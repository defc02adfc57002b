#include "arcs/arc_through_points.h"

#include <cmath>

namespace quillmere {

double PointAngle(double x, double y, double cx, double cy) { return std::atan2(y - cy, x - cx); }

double CounterClockwiseSweep(double start, double end) {
  double sweep = end - start;
  if (sweep < 0) sweep += 2 * M_PI;
  return sweep;
}

bool ArcFields::ArcThroughPoints(double x1, double y1, double x2, double y2, double x3,
                                 double y3) {
  // Twice the signed area of the triangle; exactly 0 for collinear points.
  const double area2 = x1 * y2 + x2 * y3 + x3 * y1 - x1 * y3 - x2 * y1 - x3 * y2;
  if (std::abs(area2) <= 0) {
    arcwinkel1 = 0;
    arcwinkel2 = 0;
    bulge = 0;
    arcradius = 0;
    return false;
  }

  const double s1 = x1 * x1 + y1 * y1;
  const double s2 = x2 * x2 + y2 * y2;
  const double s3 = x3 * x3 + y3 * y3;
  const double cx = (s1 * (y2 - y3) + s2 * (y3 - y1) + s3 * (y1 - y2)) * 0.5 / area2;
  const double cy = (s1 * (x3 - x2) + s2 * (x1 - x3) + s3 * (x2 - x1)) * 0.5 / area2;
  const double r = std::sqrt((x1 - cx) * (x1 - cx) + (y1 - cy) * (y1 - cy));
  const double a1 = PointAngle(x1, y1, cx, cy);
  const double a3 = PointAngle(x3, y3, cx, cy);

  // Distance of P3 from the line P1 -> P2, positive on its left: the turn.
  const double theta = std::atan2(y2 - y1, x2 - x1);
  const double side = std::sin(-theta) * (x3 - x1) + std::cos(-theta) * (y3 - y1);

  arcmx = cx;
  arcmy = cy;
  arcradius = r;

  // For nearly collinear points the centre comes from a tiny area whose sign
  // rounding can flip. When it disagrees with the turn, the angles and the
  // bulge would describe the other arc of the circle, a loop far from the
  // points: no arc.
  const bool counter_clockwise = side > 0;
  arcwinkel1 = counter_clockwise ? a1 : a3;
  arcwinkel2 = counter_clockwise ? a3 : a1;
  if ((area2 > 0) != counter_clockwise) {
    bulge = 0;
    return false;
  }

  const double chord = std::sqrt((x1 - x3) * (x1 - x3) + (y1 - y3) * (y1 - y3));
  const double q = 1 / (2 * r / chord);  // sine of half the included angle

  // The chord alone cannot tell an arc from its complement, so beyond a half
  // circle the bulge comes from the included angle itself.
  const double sweep = CounterClockwiseSweep(arcwinkel1, arcwinkel2);
  bool formed = true;
  double magnitude;
  if (sweep > M_PI) {
    magnitude = std::tan(sweep / 4);
  } else if (q > 1) {
    magnitude = 0;
    formed = false;
  } else {
    magnitude = std::tan(std::asin(q) / 2);
  }
  // A bulge this small cannot be told from its chord, and readers draw some
  // of them as full circles: as good as collinear.
  if (magnitude < kSmallestBulge) formed = false;
  bulge = !formed ? 0 : counter_clockwise ? magnitude : -magnitude;
  return formed;
}

}  // namespace quillmere
