#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "arcs/exact_window_check.h"

namespace quillmere {

// An arc found over the vertices first .. last, written as `bulge` on
// vertex `first`.
struct FoundArc {
  std::int32_t first = 0;
  std::int32_t last = 0;
  double bulge = 0;
};

// The search of the exact mode on one polyline: as few segments as the
// exact window test (ExactWindowCheck) allows.
//
// From each start it takes the longest passing window it finds: windows of
// two and three segments first, then windows twice as long each time until
// one fails, then halving the gap between the longest that passed and the
// shortest that failed. The next arc starts at the last vertex of this
// one; a start without a passing window is a straight segment. Each arc
// costs a few tests of windows no longer than twice its own, so the work
// per vertex grows only with the logarithm of the arcs' lengths.
//
// Straight segments left between an arc and the next arc (or the end)
// are then offered to the arc: when the arc and the segments together pass
// as two arcs, they become those two. This removes the short straight tails
// that the longest first arc can leave, and turns a closed circle into two
// half circles instead of a near-full circle and its chord.
//
// Not thread-safe; one object serves any number of polylines.
class ExactArcSearch {
 public:
  explicit ExactArcSearch(double deviation) : window_check_(deviation) {}

  // The arcs over `points`, in order. No arc reaches beyond `reach[v]` from
  // its first vertex v (a segment read as an arc starts there). For a
  // closed outline `points` ends with its first vertex again, so that the
  // closing segment can be part of the last arc. One straight closing
  // segment after an arc is offered to it as well, also where an outline
  // ends on its first vertex without the flag.
  void Find(std::span<const PlanePoint> points, std::span<const std::int32_t> reach, bool closed,
            std::vector<FoundArc>& arcs);

 private:
  std::optional<FoundArc> Window(std::int32_t first, std::int32_t last) const;
  std::optional<FoundArc> LongestFrom(std::int32_t first, std::int32_t end) const;
  // Two arcs over first .. last, split near the middle, when both pass.
  bool SplitInTwo(std::int32_t first, std::int32_t last, std::span<const std::int32_t> reach,
                  FoundArc& before, FoundArc& after) const;
  void OfferStraightTails(std::int32_t vertex_count, std::span<const std::int32_t> reach,
                          bool closed, std::vector<FoundArc>& arcs) const;
  // An outline that ends on its start and came out as two arcs all round
  // becomes two halves where both pass.
  void BalanceWholeOutline(std::int32_t vertex_count, std::span<const std::int32_t> reach,
                           std::vector<FoundArc>& arcs) const;

  ExactWindowCheck window_check_;
  std::span<const PlanePoint> points_;
  std::int32_t wrapped_end_ = -1;  // a closed outline's first vertex again
};

}  // namespace quillmere
