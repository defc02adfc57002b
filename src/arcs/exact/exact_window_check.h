#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "arcs/arc_through_points.h"
#include "arcs/deviation.h"
#include "arcs/exact/exact_bulge_search.h"

namespace quillmere {

// The window test of the exact mode: true distances and lengths instead of
// test points.
//
// An arc from the window's first to its last vertex with a given bulge
// (ArcPasses) passes when
// - its bulge is at least kSmallestBulge in magnitude,
// - the length of the window's path and the arc's length differ by at most
//   kLengthShare of the arc's length, so that corners, zig-zags and notches
//   that fit within the deviation are not rounded into arcs,
// - every point of every segment lies within the deviation of the arc, and
// - seen from the arc's centre, the path turns through the arc's angle and
//   not a full turn more or less.
// The last two together put every point of the arc within the deviation of
// the path as well: the path then meets every ray from the centre through
// the arc, at a point of the sector no further than the deviation from the
// arc, and that point lies on the ray as far from the arc's point as from
// the arc. So the test is the two-sided largest distance, measured exactly.
//
// A window passes (PassingBulge) when one arc through its two end vertices
// passes: the arc through its first, middle and last vertex (WindowArc)
// when that passes, otherwise the arc closest to the path that
// BalancedBulge finds among all that the length rule allows, or one of a
// few arcs beside it where the end points decide.
//
// Borderline cases fail: an arc passes only when its largest distance stays
// below the deviation by more than rounding can account for
// (Deviation::StrictLimit: kRelativeSlack of the deviation, and kScaleSlack
// of the size of the numbers involved), and its length difference below
// kLengthShare by kRelativeSlack of it, so that no independent measurement
// of the written arc finds either above its limit. A deviation of 0 accepts
// nothing. Everything is computed relative to the window's first vertex, so
// a window far from the origin passes as the same window near it.
//
// One object serves any number of windows of one polyline at a time; it is
// not thread-safe.
class ExactWindowCheck {
 public:
  static constexpr double kLengthShare = 0.05;

  explicit ExactWindowCheck(double deviation) : deviation_(deviation) {}

  // Starts on the windows of one polyline; `points` must stay as they are
  // while its windows are tested.
  void Use(std::span<const PlanePoint> points);

  // The bulge of a passing arc over the window [first, last] (first + 2 <=
  // last), nothing when no arc the search tries passes.
  std::optional<double> PassingBulge(std::int32_t first, std::int32_t last) const;

  // The bulge of the arc through the window's middle vertex when that
  // passes: the quick test, without the search for a better arc.
  std::optional<double> MiddleBulge(std::int32_t first, std::int32_t last) const;

  // Whether the arc from vertex `first` to vertex `last` with `bulge` passes.
  bool ArcPasses(std::int32_t first, std::int32_t last, double bulge) const;

  // The same test measured the plain way, every segment's turn by its angle:
  // ArcPasses decides most windows without those angles, always as this
  // does (for tests and benchmarks to hold it against).
  bool ArcPassesByAngles(std::int32_t first, std::int32_t last, double bulge) const;

 private:
  // The balanced arc when it passes, else the first of a few arcs beside it
  // that does.
  std::optional<double> PassingNear(std::int32_t first, std::int32_t last,
                                    const BalancedArc& balanced) const;

  Deviation deviation_;
  std::span<const PlanePoint> points_;
  std::vector<double> path_length_;  // from vertex 0 to each vertex
};

}  // namespace quillmere
