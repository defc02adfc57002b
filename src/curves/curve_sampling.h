#pragma once

#include <vector>

#include "curves/plane_curve.h"

namespace quillmere {

// Points on the curve such that the polyline through them and the curve
// lie within `chord_error` of each other both ways: every point of the
// polyline is within `chord_error` of the curve and every point of the
// curve within `chord_error` of the polyline. The first and last point are
// the curve's ends; a closed curve's last point is its first again.
//
// How it is proven: the curve is cut into its Bezier pieces (one per knot
// span), and each piece into parts (de Casteljau) whose deviation bound
// (DeviationBound) is within the chord error; only the parts' ends are
// taken. Few points result: along each piece every part is about as long as
// the bound allows (the bound of a short part grows with the square of its
// length, so the last part's bound tells the next one's length), and the
// parts left at a piece's end are made equal.
//
// The bound is kept a little below `chord_error` for the rounding of the
// computation (1e-12 of the coordinates' size) and, for a closed curve, by
// how far apart its computed ends lie (its last point becomes its first).
// Gives kTooFine, and no
// points, when that leaves less than half of it, or when the cutting would
// not end (a chord error far below what the coordinates resolve).
CurveRefusal SampleCurve(const PlaneCurve& curve, double chord_error,
                         std::vector<CurvePoint>& samples);

struct BezierPiece;

// A bound on how far the piece and its chord (the segment between its ends)
// are apart, both ways. With positive weights the piece lies in the convex
// hull of its control points, so within their largest distance from the
// chord segment; and as the piece runs continuously from one end of the
// chord to the other, every chord point has a piece point on its
// perpendicular, no further away. Where every inner control point projects
// onto the chord between its ends, the sharper bound of the Bernstein form
// applies: the piece's distance from the chord line is the weighted mean of
// the control points' distances, and the inner points' share of that mean
// is at most 1 / (1 + r x / (1 - x)) with x = 2^(1 - degree) and r the end
// weight over the largest inner weight (the weights brought to equal ends
// first, which leaves the curve as it is). For polynomial quadratics this
// is exact (half the middle point's distance), as for rational ones in
// the form of conic arcs.
double DeviationBound(const BezierPiece& piece);

}  // namespace quillmere
