#pragma once

#include <optional>

#include "curves/curve_groups.h"

namespace quillmere {

// The rules by which a curve counts as lying flat in the plan, shared by
// SPLINE and ELLIPSE.

// Where the extrusion direction (scaled to length 1) points: false for
// (0, 0, 1), true for (0, 0, -1), nothing for any other direction. A
// direction of length 0 is the default (0, 0, 1). Writers round, so X and Y
// up to 1e-9 still count as 0.
std::optional<bool> ExtrusionPointsDown(const SpaceVector& extrusion);

// How far heights, or ends that are to meet, may differ by rounding in a
// curve whose coordinates reach `scale`.
double FlatTolerance(double scale);

// Coordinates, knots and weights beyond this magnitude would overflow the
// curve's arithmetic; such values count as unreadable.
inline constexpr double kLargestCurveValue = 1e100;

}  // namespace quillmere
