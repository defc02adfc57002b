#include "arcs/arc_through_points.h"

#include <cmath>

namespace quillmere {

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
  // Everything relative to the first point: far from the origin the squares
  // of absolute coordinates cancel each other and move the centre.
  const double u2 = x2 - x1, v2 = y2 - y1;
  const double u3 = x3 - x1, v3 = y3 - y1;
  // Twice the signed area of the triangle; exactly 0 for collinear points.
  const double area2 = u2 * v3 - u3 * v2;
  if (std::abs(area2) <= 0) return std::nullopt;

  const double s2 = u2 * u2 + v2 * v2;
  const double s3 = u3 * u3 + v3 * v3;
  const double cu = (s2 * v3 - s3 * v2) * 0.5 / area2;
  const double cv = (s3 * u2 - s2 * u3) * 0.5 / area2;
  Arc arc;
  arc.centre_x = x1 + cu;
  arc.centre_y = y1 + cv;
  arc.radius = std::sqrt(cu * cu + cv * cv);
  const double a1 = std::atan2(-cv, -cu);
  const double a3 = std::atan2(v3 - cv, u3 - cu);

  // Distance of P3 from the line P1 -> P2, positive on its left: the turn.
  const double theta = std::atan2(v2, u2);
  const double side = std::sin(-theta) * u3 + std::cos(-theta) * v3;
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
  const double chord = std::sqrt(s3);
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

std::optional<Arc> WindowArc(std::span<const PlanePoint> points, std::int32_t first,
                             std::int32_t last, bool half_circle_by_rounding) {
  const auto at = [points](std::int32_t v) { return points[static_cast<std::size_t>(v)]; };
  return ArcThroughPoints(at(first), at(first + (last - first) / 2), at(last),
                          half_circle_by_rounding);
}

}  // namespace quillmere
