#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace quillmere {

struct PlanePoint {
  double x = 0;
  double y = 0;
};

// Bulges below this magnitude are no arcs: too flat to tell from the chord.
inline constexpr double kSmallestBulge = 1e-6;

// The circle through three points and the arc that runs from the first
// through the second to the third.
struct Arc {
  double centre_x = 0;
  double centre_y = 0;
  double start_angle = 0;  // radians in -pi..pi
  double end_angle = 0;    // the arc runs counter-clockwise from the start angle
  double bulge = 0;        // bulge from the first to the third point
  double radius = 0;
};

// The arc through the three points. Nothing when no arc can be formed: the
// points lie on one straight line (or two coincide); the sign of the
// triangle's area and the turn from the first to the third point disagree,
// as rounding makes them for nearly collinear points; rounding puts the
// first and the third point further apart than the diameter; or the bulge
// would be smaller in magnitude than kSmallestBulge.
//
// With `half_circle_by_rounding`, a chord above the diameter by no more than
// rounding (kHalfCircleRounding of it) is a half circle, bulge 1, instead:
// the exact mode measures the arc it gets and needs the exact half circles
// of a closed circle split at opposite vertices.
inline constexpr double kHalfCircleRounding = 1e-12;
std::optional<Arc> ArcThroughPoints(PlanePoint first, PlanePoint middle, PlanePoint last,
                                    bool half_circle_by_rounding = false);

// The bulge of ArcThroughPoints' arc alone, always the same, at a fraction
// of the cost: the angles that ArcThroughPoints computes decide it only
// near its borderline cases (nearly collinear points, nearly half circles),
// so elsewhere signs of products decide instead.
std::optional<double> BulgeThroughPoints(PlanePoint first, PlanePoint middle, PlanePoint last,
                                         bool half_circle_by_rounding = false);

// The circle of a window of consecutive vertices, the one rule of both
// engines: the arc through the window's first, middle (first + (last -
// first) / 2) and last vertex of `points`, as ArcThroughPoints finds it.
std::optional<Arc> WindowArc(std::span<const PlanePoint> points, std::int32_t first,
                             std::int32_t last, bool half_circle_by_rounding = false);
// The bulge of WindowArc's arc, by BulgeThroughPoints.
std::optional<double> WindowBulge(std::span<const PlanePoint> points, std::int32_t first,
                                  std::int32_t last, bool half_circle_by_rounding = false);

// The counter-clockwise angle swept from `start` to `end`, both in -pi..pi:
// their difference taken modulo 2*pi, in 0..2*pi.
double CounterClockwiseSweep(double start, double end);

}  // namespace quillmere
