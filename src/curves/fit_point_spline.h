#pragma once

#include <optional>
#include <span>

#include "curves/plane_curve.h"

namespace quillmere {

// The cubic through fit points, as writers that store a SPLINE by its fit
// points alone mean it: the clamped cubic B-spline that passes through
// every point at its chord-length parameter (the fit points' running
// distance over their total length, so the parameters run from 0 to 1),
// with those parameters as its inner knots and the given end derivatives.
//
// An end tangent that is given (groups 12/22/32, 13/23/33) sets the
// direction there. One that is not is estimated as the direction of the
// parabola through the first (last) three fit points at equal parameter
// steps: 3 (Q1 - Q0) - (Q2 - Q1) at the start, Akima's end rule, which
// other CAD readers use too (the straight line for two points). A `closed`
// curve, whose last fit point is its first again, gets at both ends the
// direction of the parabola through the last-but-one, the first and the
// second fit point, Q1 - Q[m-1], so that it closes smoothly. The length of
// both derivatives is the total chord length, which makes them derivatives
// by the chord-length parameter.
//
// `points` holds at least two points, no two consecutive ones equal; the
// tangents are directions in the plan, of any length but 0.
PlaneCurve InterpolateFitPoints(std::span<const CurvePoint> points,
                                std::optional<CurvePoint> start_tangent,
                                std::optional<CurvePoint> end_tangent, bool closed);

}  // namespace quillmere
