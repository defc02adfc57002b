#include "arcs/arc_through_points.h"

#include <cmath>

namespace quillmere {

double PointAngle(double x, double y, double cx, double cy) { return std::atan2(y - cy, x - cx); }

double CounterClockwiseSweep(double start, double end) {
  double sweep = end - start;
  if (sweep < 0) sweep += 2 * M_PI;
  return sweep;
}

std::optional<Arc> ArcThroughPoints(PlanePoint first, PlanePoint middle, PlanePoint last,
                                    bool half_circle_by_rounding) {
  const double x1 = first.x, y1 = first.y;
  const double x2 = middle.x, y2 = middle.y;
  const double x3 = last.x, y3 = last.y;
  // Twice the signed area of the triangle; exactly 0 for collinear points.
  const double area2 = x1 * y2 + x2 * y3 + x3 * y1 - x1 * y3 - x2 * y1 - x3 * y2;
  if (std::abs(area2) <= 0) return std::nullopt;

  const double s1 = x1 * x1 + y1 * y1;
  const double s2 = x2 * x2 + y2 * y2;
  const double s3 = x3 * x3 + y3 * y3;
  Arc arc;
  arc.centre_x = (s1 * (y2 - y3) + s2 * (y3 - y1) + s3 * (y1 - y2)) * 0.5 / area2;
  arc.centre_y = (s1 * (x3 - x2) + s2 * (x1 - x3) + s3 * (x2 - x1)) * 0.5 / area2;
  const double cx = arc.centre_x;
  const double cy = arc.centre_y;
  arc.radius = std::sqrt((x1 - cx) * (x1 - cx) + (y1 - cy) * (y1 - cy));
  const double a1 = PointAngle(x1, y1, cx, cy);
  const double a3 = PointAngle(x3, y3, cx, cy);

  // Distance of P3 from the line P1 -> P2, positive on its left: the turn.
  const double theta = std::atan2(y2 - y1, x2 - x1);
  const double side = std::sin(-theta) * (x3 - x1) + std::cos(-theta) * (y3 - y1);
  const bool counter_clockwise = side > 0;
  arc.start_angle = counter_clockwise ? a1 : a3;
  arc.end_angle = counter_clockwise ? a3 : a1;

  // For nearly collinear points the centre comes from a tiny area whose sign
  // rounding can flip. When it disagrees with the turn, the angles and the
  // bulge would describe the other arc of the circle, a loop far from the
  // points: no arc.
  if ((area2 > 0) != counter_clockwise) return std::nullopt;

  // The chord alone cannot tell an arc from its complement, so beyond a half
  // circle the bulge comes from the included angle itself.
  const double chord = std::sqrt((x1 - x3) * (x1 - x3) + (y1 - y3) * (y1 - y3));
  const double q = 1 / (2 * arc.radius / chord);  // sine of half the included angle
  const double sweep = CounterClockwiseSweep(arc.start_angle, arc.end_angle);
  double magnitude;
  if (sweep > M_PI) {
    magnitude = std::tan(sweep / 4);
  } else if (q > 1 && half_circle_by_rounding && q <= 1 + kHalfCircleRounding) {
    magnitude = 1;
  } else if (q > 1) {
    return std::nullopt;  // rounding put the chord above the diameter
  } else {
    magnitude = std::tan(std::asin(q) / 2);
  }
  // A bulge this small cannot be told from its chord, and readers draw some
  // of them as full circles: as good as collinear.
  if (magnitude < kSmallestBulge) return std::nullopt;
  arc.bulge = counter_clockwise ? magnitude : -magnitude;
  return arc;
}

}  // namespace quillmere
