#pragma once

#include <cmath>

namespace quillmere {

// A point in the drawing: where a chain starts or ends.
struct SpacePoint {
  double x = 0;
  double y = 0;
  double z = 0;
};

// The join test: `start` meets `end` when they differ by less than
// `tolerance` on each axis on its own (a box, not a distance). A difference
// that overflows to infinity, or involves an infinite or NaN coordinate,
// never passes, whatever the tolerance.
inline bool WithinBox(const SpacePoint& start, const SpacePoint& end, double tolerance) {
  return std::fabs(start.x - end.x) < tolerance && std::fabs(start.y - end.y) < tolerance &&
         std::fabs(start.z - end.z) < tolerance;
}

inline bool IsFinite(const SpacePoint& point) {
  return std::isfinite(point.x) && std::isfinite(point.y) && std::isfinite(point.z);
}

}  // namespace quillmere
