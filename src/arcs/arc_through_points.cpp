#include "arcs/arc_through_points.h"

#include <cmath>

namespace quillmere {

namespace {

// The circle through three points, relative to the first: far from the
// origin the squares of absolute coordinates would cancel each other and
// move the centre.
struct Circumcircle {
  double u2 = 0, v2 = 0;  // the middle point
  double u3 = 0, v3 = 0;  // the last point
  double area2 = 0;       // twice the triangle's signed area; exactly 0 when collinear
  double s3 = 0;          // the squared chord
  double cu = 0, cv = 0;  // the centre
  double radius = 0;
};

Circumcircle CircleThrough(PlanePoint first, PlanePoint middle, PlanePoint last) {
  Circumcircle c;
  c.u2 = middle.x - first.x;
  c.v2 = middle.y - first.y;
  c.u3 = last.x - first.x;
  c.v3 = last.y - first.y;
  c.area2 = c.u2 * c.v3 - c.u3 * c.v2;
  const double s2 = c.u2 * c.u2 + c.v2 * c.v2;
  c.s3 = c.u3 * c.u3 + c.v3 * c.v3;
  c.cu = (s2 * c.v3 - c.s3 * c.v2) * 0.5 / c.area2;
  c.cv = (c.s3 * c.u2 - s2 * c.u3) * 0.5 / c.area2;
  c.radius = std::sqrt(c.cu * c.cu + c.cv * c.cv);
  return c;
}

// The bulge's magnitude of the arc over the circle's chord: from the included
// angle `sweep` (known only where `beyond_half`), else from the chord, as the
// chord alone cannot tell an arc from its complement. Nothing where rounding
// put the chord above the diameter or the bulge is too small.
std::optional<double> BulgeMagnitude(const Circumcircle& c, bool beyond_half, double sweep,
                                     bool half_circle_by_rounding) {
  const double chord = std::sqrt(c.s3);
  const double q = 1 / (2 * c.radius / chord);  // sine of half the included angle
  double magnitude;
  if (beyond_half) {
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
  return magnitude;
}

// The angles of the first and the last point seen from the centre.
double FirstAngle(const Circumcircle& c) { return std::atan2(-c.cv, -c.cu); }
double LastAngle(const Circumcircle& c) { return std::atan2(c.v3 - c.cv, c.u3 - c.cu); }

// Whether the turn at the middle point, as ArcThroughPoints finds it from
// the middle point's direction, is counter-clockwise.
bool TurnsCounterClockwise(const Circumcircle& c) {
  // Distance of P3 from the line P1 -> P2, positive on its left.
  const double theta = std::atan2(c.v2, c.u2);
  return std::sin(-theta) * c.u3 + std::cos(-theta) * c.v3 > 0;
}

// Bounds of rounding, far above that of the few operations they cover
// (atan2, sin and cos to a few units in the last place), relative to the
// products of the sizes (|x| + |y|) of the vectors involved.
constexpr double kSideMargin = 1e-12;

}  // namespace

double CounterClockwiseSweep(double start, double end) {
  double sweep = end - start;
  if (sweep < 0) sweep += 2 * M_PI;
  return sweep;
}

std::optional<Arc> ArcThroughPoints(PlanePoint first, PlanePoint middle, PlanePoint last,
                                    bool half_circle_by_rounding) {
  const Circumcircle c = CircleThrough(first, middle, last);
  if (std::abs(c.area2) <= 0) return std::nullopt;
  Arc arc;
  arc.centre_x = first.x + c.cu;
  arc.centre_y = first.y + c.cv;
  arc.radius = c.radius;
  const double a1 = FirstAngle(c);
  const double a3 = LastAngle(c);
  const bool counter_clockwise = TurnsCounterClockwise(c);
  arc.start_angle = counter_clockwise ? a1 : a3;
  arc.end_angle = counter_clockwise ? a3 : a1;

  // For nearly collinear points the centre comes from a tiny area whose sign
  // rounding can flip. When it disagrees with the turn, the angles and the
  // bulge would describe the other arc of the circle, a loop far from the
  // points: no arc.
  if ((c.area2 > 0) != counter_clockwise) return std::nullopt;

  const double sweep = CounterClockwiseSweep(arc.start_angle, arc.end_angle);
  const std::optional<double> magnitude =
      BulgeMagnitude(c, sweep > M_PI, sweep, half_circle_by_rounding);
  if (!magnitude) return std::nullopt;
  arc.bulge = counter_clockwise ? *magnitude : -*magnitude;
  return arc;
}

std::optional<double> BulgeThroughPoints(PlanePoint first, PlanePoint middle, PlanePoint last,
                                         bool half_circle_by_rounding) {
  const Circumcircle c = CircleThrough(first, middle, last);
  if (std::abs(c.area2) <= 0) return std::nullopt;
  // Where the triangle's area is clear of rounding, the turn found from the
  // middle point's direction agrees with its sign; where the end points lie
  // clearly on one side of each other seen from the centre, the included
  // angle is clearly below or above a half circle. Otherwise the angles
  // decide, as ArcThroughPoints computes them.
  const double sizes2 = (std::abs(c.u2) + std::abs(c.v2)) * (std::abs(c.u3) + std::abs(c.v3));
  const PlanePoint to_first = {-c.cu, -c.cv};
  const PlanePoint to_last = {c.u3 - c.cu, c.v3 - c.cv};
  const double across = to_first.x * to_last.y - to_first.y * to_last.x;
  const double sizes = (std::abs(to_first.x) + std::abs(to_first.y)) *
                       (std::abs(to_last.x) + std::abs(to_last.y));
  if (!(std::abs(c.area2) > kSideMargin * sizes2) || !(std::abs(across) > kSideMargin * sizes)) {
    const std::optional<Arc> arc = ArcThroughPoints(first, middle, last, half_circle_by_rounding);
    if (!arc) return std::nullopt;
    return arc->bulge;
  }
  const bool counter_clockwise = c.area2 > 0;
  // Seen from the centre the arc runs from the first to the last point in
  // its own direction: beyond a half circle where it turns the other way.
  const bool beyond_half = counter_clockwise ? across < 0 : across > 0;
  double sweep = 0;
  if (beyond_half) {
    const double a1 = FirstAngle(c);
    const double a3 = LastAngle(c);
    sweep = counter_clockwise ? CounterClockwiseSweep(a1, a3) : CounterClockwiseSweep(a3, a1);
  }
  const std::optional<double> magnitude =
      BulgeMagnitude(c, beyond_half, sweep, half_circle_by_rounding);
  if (!magnitude) return std::nullopt;
  return counter_clockwise ? *magnitude : -*magnitude;
}

std::optional<Arc> WindowArc(std::span<const PlanePoint> points, std::int32_t first,
                             std::int32_t last, bool half_circle_by_rounding) {
  const auto at = [points](std::int32_t v) { return points[static_cast<std::size_t>(v)]; };
  return ArcThroughPoints(at(first), at(first + (last - first) / 2), at(last),
                          half_circle_by_rounding);
}

std::optional<double> WindowBulge(std::span<const PlanePoint> points, std::int32_t first,
                                  std::int32_t last, bool half_circle_by_rounding) {
  const auto at = [points](std::int32_t v) { return points[static_cast<std::size_t>(v)]; };
  return BulgeThroughPoints(at(first), at(first + (last - first) / 2), at(last),
                            half_circle_by_rounding);
}

}  // namespace quillmere
