#include "chains/heading.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillmere {

namespace {

// Segments that run back along each other, and arcs of one circle
// reversed, meet with directions and curvatures that agree to rounding;
// this much relative difference still counts as agreement.
constexpr double kSameCircle = 1e-6;

Heading Rotated(double x, double y, double angle, double curvature) {
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  return {x * c - y * s, x * s + y * c, curvature};
}

}  // namespace

SegmentHeadings HeadingsOf(const SpacePoint& from, const SpacePoint& to, double bulge) {
  const double x = to.x - from.x;
  const double y = to.y - from.y;
  if (bulge == 0 || !std::isfinite(bulge)) return {{x, y, 0}, {x, y, 0}};
  // A counter-clockwise arc leaves its start turned clockwise from the
  // chord by half its sweep and arrives turned as far the other way.
  const double half_sweep = 2 * std::atan(bulge);
  const double chord = std::hypot(x, y);
  const double curvature = chord > 0 ? 4 * bulge / ((1 + bulge * bulge) * chord) : 0;
  return {Rotated(x, y, -half_sweep, curvature), Rotated(x, y, half_sweep, curvature)};
}

double TurnAngle(const Heading& from, const Heading& to) {
  const bool without_direction = (from.dx == 0 && from.dy == 0) || (to.dx == 0 && to.dy == 0);
  if (without_direction) return std::numbers::pi / 2;
  const double cross = from.dx * to.dy - from.dy * to.dx;
  const double dot = from.dx * to.dx + from.dy * to.dy;
  return std::atan2(std::fabs(cross), dot);
}

bool RunsBack(const Heading& from, const Heading& to, double gap_x, double gap_y,
              double tolerance) {
  if (from.curvature == 0 && to.curvature == 0) {
    // The joint keeps the start of `to`: the first segment is drawn to it.
    const double x = from.dx + gap_x;
    const double y = from.dy + gap_y;
    const double dot = x * to.dx + y * to.dy;
    if (!(dot < 0)) return false;
    const double drawn = std::hypot(x, y);
    const double next = std::hypot(to.dx, to.dy);
    const bool reversed = std::fabs(x * to.dy - y * to.dx) <= kSameCircle * drawn * next;
    // Segments shorter than the tolerance end near where they began anyway.
    const bool back_at_start = drawn >= tolerance && next >= tolerance &&
                               std::fabs(x + to.dx) < tolerance && std::fabs(y + to.dy) < tolerance;
    return reversed || back_at_start;
  }
  const double cross = from.dx * to.dy - from.dy * to.dx;
  const double dot = from.dx * to.dx + from.dy * to.dy;
  if (!(dot < 0)) return false;
  const double largest = std::max(std::fabs(from.curvature), std::fabs(to.curvature));
  const bool one_circle = std::fabs(from.curvature + to.curvature) <= kSameCircle * largest;
  const double lengths = std::hypot(from.dx, from.dy) * std::hypot(to.dx, to.dy);
  return one_circle && std::fabs(cross) <= kSameCircle * lengths;
}

}  // namespace quillmere
