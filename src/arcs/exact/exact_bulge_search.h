#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <span>

#include "arcs/arc_through_points.h"
#include "arcs/deviation.h"

namespace quillmere {

// The vertices first .. last of a path and the length of the path between
// them.
struct WindowPath {
  std::span<const PlanePoint> points;
  std::int32_t first = 0;
  std::int32_t last = 0;
  double length = 0;
};

// The arc through a window's first and last vertex that lies closest to its
// path, where the arc through its middle vertex fails: on a curve whose
// curvature changes (ellipses, spirals, splines) another circle through the
// same two ends often passes.
//
// The arcs through two points form a pencil: each sweep gives one arc on
// the side of the chord the path lies on, a larger sweep an arc further
// out, and two of them meet only at the ends. So the path's largest
// distance outside the circle (at a vertex) falls as the sweep grows, its
// largest distance inside (at the point of a segment nearest to the centre)
// grows, and where the two are equal the larger of them is least. The
// search finds that sweep by secant steps kept within a shrinking bracket,
// and gives up as soon as one sweep has both distances at the deviation:
// then every sweep fails.
//
// It searches every sweep that the length rule allows (`length_share` of
// the arc's length), down to the flattest arc there is (kSmallestBulge):
// a run of nearly collinear vertices may become one very flat arc. Where no
// circle of the pencil passes within the deviation of every vertex (the
// window runs on past its curve), it fails before measuring any. With
// vertices on both sides of the chord it searches the arcs on either side.
// The distances are radial, which is the true distance within the arc's
// sector: the caller measures the arc found exactly (ExactWindowCheck).
//
// `middle_bulge`, the bulge of the arc through the middle vertex (0 when
// there is none), is where the search starts. Returns the arc found when
// both distances stay below the deviation there, nothing otherwise, and
// nothing where NoArcFits shows that no arc through the ends can pass.
// It searches the middle vertex's side first; with `other_side_only`, only
// the other side, where an arc there may pass.
struct BalancedArc {
  double side = 1;   // the sign of the bulges
  double sweep = 0;  // the arc found
  double low = 0;    // the sweeps searched
  double high = 0;
  bool middle_side = true;  // on the middle vertex's side, searched first

  double Bulge(double at) const { return side * std::tan(at / 4); }
};
std::optional<BalancedArc> BalancedBulge(const WindowPath& window, const Deviation& deviation,
                                         double length_share, double middle_bulge,
                                         bool other_side_only = false);

// True when no arc through the window's first and last vertex can pass the
// exact test at `deviation` with the length rule `length_share`, shown
// from bounds alone, before any arc is searched: a segment of length L
// whose ends and middle lie within the deviation d of an arc needs a
// radius of at least L^2 / (16 d) (for L >= 4 d), an arc that large
// beyond a half circle is longer than the path allows, and short of it
// strays no further from its chord than its sagitta, which every vertex
// must come within d of. All bounds keep a wide margin, so that rounding
// never rules out an arc that passes. False where the bounds leave it open.
bool NoArcFits(const WindowPath& window, double deviation, double length_share);

// The sweep in (0, 2 pi) of the arc whose length is `ratio` times its chord
// (0 for a ratio of 1 or less).
double SweepOfLengthRatio(double ratio);

}  // namespace quillmere
