#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "arcs/arc_engine.h"

namespace quillmere {

// The fewest segments over a path of vertices 0 .. last, from the windows a
// search found: for some starts the longest window that passed from there
// (its reach). Every window from such a start that ends before its reach is
// taken to pass as well, which holds on most curves but not on all (a
// vertex far off the curve can make a shorter window fail), so each window
// the plan picks short of a reach is tested, and one that fails is struck
// off and the plan made again. The rest of the path is straight segments.
//
// Among plans of as few segments it picks, from the first vertex on, the
// longest arc at each step: as long as the search's own longest windows.
//
// One object serves any number of paths; it keeps its buffers.
class SegmentPlan {
 public:
  // Whether an arc may end on a vertex.
  using EndTest = std::function<bool(std::int32_t vertex)>;
  // The bulge of the window [first, last] when it passes.
  using WindowTest = std::function<std::optional<double>(std::int32_t first, std::int32_t last)>;

  // The arcs of the plan, in order. `reaches` holds passing windows, sorted
  // by their first vertex, at most one from each.
  void Choose(std::int32_t last, std::span<const FoundArc> reaches, const EndTest& may_end,
              const WindowTest& passes, std::vector<FoundArc>& arcs);

 private:
  // The fewest segments from each vertex to the end, with the windows short
  // of a reach that are not struck off when `trusting`, else with the
  // reaches alone.
  void CountFromEnd(std::int32_t last, std::span<const FoundArc> reaches, bool trusting);
  // The arcs of the plan the counts describe; false when a window it
  // needed failed its test and was struck off.
  bool Walk(std::int32_t last, std::span<const FoundArc> reaches, const WindowTest& passes,
            bool trusting, std::vector<FoundArc>& arcs);
  bool StruckOff(std::int32_t first, std::int32_t last) const;

  std::vector<std::int32_t> fewest_;
  std::vector<std::int32_t> reach_of_;  // index into the reaches by first vertex, -1 for none
  std::vector<std::uint8_t> ends_;      // whether an arc may end on each vertex (1) or not
  std::vector<std::pair<std::int32_t, std::int32_t>> struck_off_;  // sorted
};

}  // namespace quillmere
