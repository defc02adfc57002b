#pragma once

// Points of the plane as vectors, for the exact engine's geometry.

#include <cmath>

#include "arcs/arc_through_points.h"

namespace quillmere::plane {

inline PlanePoint Minus(PlanePoint a, PlanePoint b) { return {a.x - b.x, a.y - b.y}; }
inline double Cross(PlanePoint a, PlanePoint b) { return a.x * b.y - a.y * b.x; }
inline double Dot(PlanePoint a, PlanePoint b) { return a.x * b.x + a.y * b.y; }
inline double Norm(PlanePoint a) { return std::sqrt(Dot(a, a)); }
// The point at the share `t` of the way from `a` to `b`.
inline PlanePoint Along(PlanePoint a, PlanePoint b, double t) {
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

}  // namespace quillmere::plane
