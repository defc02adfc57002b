#pragma once

#include "chains/space_point.h"

namespace quillmere {

// How a piece leaves its start or arrives at its end, as the contour walk
// compares the pieces that meet at a point: the direction of travel there
// and the signed curvature (positive when the piece turns left).
//
// For a straight segment the direction is the whole segment, so that a
// piece running back along it can be told within the join tolerance; for
// an arc it is the tangent, scaled to the chord.
struct Heading {
  double dx = 0;
  double dy = 0;
  double curvature = 0;
};

// The heading of travelling the other way through the same point.
inline Heading Reversed(const Heading& heading) {
  return {-heading.dx, -heading.dy, -heading.curvature};
}

// How a segment from `from` to `to` with `bulge` (DXF group 42: the tangent
// of a quarter of its sweep, positive counter-clockwise) leaves and arrives.
struct SegmentHeadings {
  Heading leaving;
  Heading arriving;
};
SegmentHeadings HeadingsOf(const SpacePoint& from, const SpacePoint& to, double bulge);

// The angle, 0 to pi, between arriving along `from` and leaving along `to`.
// A piece without length has no direction: it counts as a right angle,
// neither the straightest nor the sharpest turn.
double TurnAngle(const Heading& from, const Heading& to);

// Whether leaving along `to` runs straight back along the segment that
// arrived along `from`, `gap` (x, y) from where that segment ends to where
// `to` starts. The joint keeps the start of `to`, so the first segment is
// drawn up to it. Both straight: the second heads exactly against the
// first as drawn, or, both at least `tolerance` long, ends back within the
// tolerance box of the first's start (a spike once drawn). Both arcs: of
// one circle, reversed.
bool RunsBack(const Heading& from, const Heading& to, double gap_x, double gap_y,
              double tolerance);

}  // namespace quillmere
