#pragma once

#include "curves/curve_groups.h"
#include "curves/plane_curve.h"

namespace quillmere {

// The curve of a SPLINE's groups, or why there is none. With control points
// it is the NURBS they define with the knots and weights read, over
// knots[degree] .. knots[control count] (fit points and tangents are then
// ignored); this is also how a closed periodic spline written with its
// first degree-many control points repeated and uniform knots is meant.
// Control points without any knots get clamped uniform ones. Without
// control points it is the cubic through the fit points
// (InterpolateFitPoints), fit points repeated in a row taken once.
//
// Closed when flag 1 is set and the curve's ends meet (within rounding);
// a flagged curve whose ends lie apart is taken as the open curve it is.
CurveReading SplineCurve(const SplineGroups& groups);

}  // namespace quillmere
