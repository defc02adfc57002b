#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "arcs/arc_engine.h"
#include "arcs/exact/exact_segment_plan.h"
#include "arcs/exact/exact_window_check.h"

namespace quillmere {

// The exact engine (`--exact`): on one path, as few segments as the exact
// window test (ExactWindowCheck) lets it find.
//
// From a start it grows a window as the search always did: windows of two
// and three segments first, then windows twice as long each time until one
// fails, then halving the gap between the longest that passed and the
// shortest that failed; the longest that passed is the start's reach. Each
// costs a few tests of windows no longer than twice its own, so the work
// per vertex grows only with the logarithm of the arcs' lengths. Where no
// short window passes it tries a few longer ones, up to 18 segments; once
// it has its longest it tries one half as long again (a vertex off the
// curve fails the windows that end near it, not those that run past it).
//
// Taking the reach from each start and starting again at its end is not
// always the fewest segments: a window can pass while a shorter one from the
// same start, or one from a later start to the same end, fails (a vertex off
// the curve, the length rule, the arc between the window's vertices). So the
// search goes by the number of segments: the vertices reached with k
// segments run up to a frontier, and from the frontier and from a few
// vertices before it (1, 2, 4, 8, ... back) it looks for a window that runs
// beyond the farthest found so far (most of those from before the frontier
// fail, so there the arc through the middle vertex alone decides), growing
// it to its reach. From the reaches found, SegmentPlan then picks the
// fewest segments.
//
// Straight segments left between an arc and the next arc (or the end)
// are then offered to the arc: when the arc and the segments together pass
// as two arcs, they become those two. This turns a closed circle into two
// half circles instead of a near-full circle and its chord.
//
// Not thread-safe; one object serves any number of paths.
class ExactArcSearch final : public ArcEngine {
 public:
  explicit ExactArcSearch(double deviation) : window_check_(deviation) {}

  // The arcs over `path`, in order: points in, found arcs out. No arc
  // reaches beyond `path.reach[v]` from its first vertex v (a segment read
  // as an arc starts there). For a closed outline `path.points` ends with
  // its first vertex again, so that the closing segment can be part of the
  // last arc. One straight closing segment after an arc is offered to it as
  // well, also where a path ends on its first vertex without being closed.
  void Find(const ArcPath& path, std::vector<FoundArc>& arcs) override;
  bool RunsOverClosingSegment() const override { return true; }

 private:
  // The last vertex an arc from `vertex` may reach.
  std::int32_t ReachFrom(std::int32_t vertex) const {
    return reach_.empty() ? static_cast<std::int32_t>(points_.size()) - 1
                          : reach_[static_cast<std::size_t>(vertex)];
  }
  bool MayEndAt(std::int32_t last) const;
  // The first vertex from `from` on, below `limit`, where an arc may end;
  // `limit` when there is none.
  std::int32_t FirstEndFrom(std::int32_t from, std::int32_t limit) const;
  std::optional<FoundArc> Window(std::int32_t first, std::int32_t last) const;
  // The longest window from `first` to at most `end` the growth finds,
  // from `passed` on when given.
  std::optional<FoundArc> LongestFrom(std::int32_t first, std::int32_t end,
                                      std::optional<FoundArc> passed = std::nullopt) const;
  // The reaches of the frontiers and of the vertices before them, by
  // first vertex.
  void FindReaches();
  // Two arcs over first .. last, split near the middle, when both pass.
  bool SplitInTwo(std::int32_t first, std::int32_t last, FoundArc& before, FoundArc& after) const;
  void OfferStraightTails(bool closed, std::vector<FoundArc>& arcs) const;
  // An outline that ends on its start and came out as two arcs all round
  // becomes two halves where both pass.
  void BalanceWholeOutline(std::vector<FoundArc>& arcs) const;

  ExactWindowCheck window_check_;
  SegmentPlan plan_;
  std::vector<FoundArc> reaches_;
  std::span<const PlanePoint> points_;
  std::span<const std::int32_t> reach_;
  std::int32_t wrapped_end_ = -1;  // a closed outline's first vertex again
};

}  // namespace quillmere
