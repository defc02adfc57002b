#include "arcs/exact/exact_arc_search.h"

#include <algorithm>
#include <array>

namespace quillmere {

namespace {

// The windows tried from a start until one passes: two and three segments
// first (three vertices define the arc, a fourth can give a better middle
// vertex), then a few longer ones, for starts whose short windows fail on a
// jitter that a longer window evens out (hand-drawn curves, their ends).
constexpr std::array<std::int32_t, 6> kFirstWindows = {2, 3, 4, 6, 10, 18};

// How often the growth looks past the longest window it found.
constexpr int kLooksPastFailure = 1;

}  // namespace

bool ExactArcSearch::MayEndAt(std::int32_t last) const {
  // An arc ends where the path arrives, on the first of repeated vertices:
  // the repeat stays as a segment without length, so that no vertex kept
  // could be taken for the dropped one before it. A closed outline's last
  // vertex repeating its first is dropped all the same: the first stays.
  if (last < 1) return false;
  const PlanePoint end = points_[static_cast<std::size_t>(last)];
  const PlanePoint before = points_[static_cast<std::size_t>(last - 1)];
  return end.x != before.x || end.y != before.y || last == wrapped_end_;
}

std::int32_t ExactArcSearch::FirstEndFrom(std::int32_t from, std::int32_t limit) const {
  while (from < limit && !MayEndAt(from)) ++from;
  return from;
}

std::optional<FoundArc> ExactArcSearch::Window(std::int32_t first, std::int32_t last) const {
  if (!MayEndAt(last)) return std::nullopt;
  const std::optional<double> bulge = window_check_.PassingBulge(first, last);
  if (!bulge) return std::nullopt;
  return FoundArc{first, last, *bulge};
}

std::optional<FoundArc> ExactArcSearch::LongestFrom(std::int32_t first, std::int32_t end,
                                                    std::optional<FoundArc> passed) const {
  for (const std::int32_t segments : kFirstWindows) {
    if (passed || first + segments > end) break;
    passed = Window(first, first + segments);
  }
  if (!passed) return std::nullopt;
  for (int look = 0;; ++look) {
    std::int32_t failed = -1;
    // Repeated vertices are passed over: no arc ends on them, but one may
    // run on past them.
    while (passed->last < end) {
      const std::int32_t longer =
          FirstEndFrom(std::min(end, first + 2 * (passed->last - first)), end);
      const std::optional<FoundArc> next = Window(first, longer);
      if (!next) {
        failed = longer;
        break;
      }
      passed = next;
    }
    if (failed < 0) return passed;
    while (failed - passed->last > 1) {
      const std::int32_t middle = passed->last + (failed - passed->last) / 2;
      const std::int32_t between = FirstEndFrom(middle, failed);
      if (between == failed) {
        failed = middle;
        continue;
      }
      const std::optional<FoundArc> next = Window(first, between);
      if (next) {
        passed = next;
      } else {
        failed = between;
      }
    }
    // A vertex off the curve fails the windows that end on it and a few
    // after it; a window half as long again can pass all the same.
    if (look == kLooksPastFailure) return passed;
    const std::int32_t past =
        FirstEndFrom(std::min(end, passed->last + std::max(2, (passed->last - first) / 2)), end);
    if (past <= failed) return passed;
    const std::optional<FoundArc> beyond = Window(first, past);
    if (!beyond) return passed;
    passed = beyond;
  }
}

void ExactArcSearch::FindReaches() {
  reaches_.clear();
  const auto last = static_cast<std::int32_t>(points_.size()) - 1;
  // The vertices after `previous` up to `frontier` are reached with k
  // segments and no fewer; `farthest` is the farthest reached with k + 1.
  std::int32_t previous = -1;
  std::int32_t frontier = 0;
  while (frontier < last) {
    std::int32_t farthest = frontier + 1;
    if (const std::optional<FoundArc> arc =
            LongestFrom(frontier, std::min(last, ReachFrom(frontier)))) {
      reaches_.push_back(*arc);
      farthest = std::max(farthest, arc->last);
    }
    for (std::int32_t back = 1; frontier - back > previous; back *= 2) {
      const std::int32_t start = frontier - back;
      const std::int32_t end = std::min(last, ReachFrom(start));
      if (farthest + 1 > end) continue;
      // Most of these windows fail: the quick test alone decides.
      if (!MayEndAt(farthest + 1)) continue;
      const std::optional<double> bulge = window_check_.MiddleBulge(start, farthest + 1);
      if (!bulge) continue;
      const std::optional<FoundArc> arc =
          LongestFrom(start, end, FoundArc{start, farthest + 1, *bulge});
      reaches_.push_back(*arc);
      farthest = arc->last;
    }
    previous = frontier;
    frontier = farthest;
  }
  std::sort(reaches_.begin(), reaches_.end(),
            [](const FoundArc& a, const FoundArc& b) { return a.first < b.first; });
}

bool ExactArcSearch::SplitInTwo(std::int32_t first, std::int32_t last, FoundArc& before,
                                FoundArc& after) const {
  const std::int32_t middle = first + (last - first) / 2;
  // The middle itself can fail by rounding where the halves are exact half
  // circles; its neighbours then serve as well.
  for (const std::int32_t offset : {0, 1, -1, 2, -2}) {
    const std::int32_t split = middle + offset;
    if (split < first + 2 || split > last - 2) continue;
    if (split > ReachFrom(first) || last > ReachFrom(split)) continue;
    const std::optional<FoundArc> one = Window(first, split);
    if (!one) continue;
    const std::optional<FoundArc> two = Window(split, last);
    if (!two) continue;
    before = *one;
    after = *two;
    return true;
  }
  return false;
}

void ExactArcSearch::OfferStraightTails(bool closed, std::vector<FoundArc>& arcs) const {
  const auto last = static_cast<std::int32_t>(points_.size()) - 1;
  // Closed by its flag, or by ending where it starts.
  const PlanePoint start = points_.front();
  const PlanePoint end = points_.back();
  const bool round = closed || (start.x == end.x && start.y == end.y);
  std::vector<FoundArc> offered;
  offered.reserve(arcs.size() + 1);
  for (std::size_t a = 0; a < arcs.size(); ++a) {
    const FoundArc arc = arcs[a];
    const std::int32_t straight_end = a + 1 < arcs.size() ? arcs[a + 1].first : last;
    const std::int32_t straight = straight_end - arc.last;
    // Two arcs for one arc and two or more segments leave fewer vertices;
    // for one closing segment as many, but the outline is then arcs all
    // round.
    const bool worth = straight >= 2 || (straight == 1 && straight_end == last && round);
    FoundArc before, after;
    if (worth && SplitInTwo(arc.first, straight_end, before, after)) {
      offered.push_back(before);
      offered.push_back(after);
    } else {
      offered.push_back(arc);
    }
  }
  arcs = std::move(offered);
}

void ExactArcSearch::Find(const ArcPath& path, std::vector<FoundArc>& arcs) {
  arcs.clear();
  window_check_.Use(path.points);
  points_ = path.points;
  reach_ = path.reach;
  const auto last = static_cast<std::int32_t>(points_.size()) - 1;
  wrapped_end_ = path.closed ? last : -1;
  if (last < 2) return;
  FindReaches();
  plan_.Choose(
      last, reaches_, [this](std::int32_t vertex) { return MayEndAt(vertex); },
      [this](std::int32_t first, std::int32_t end) { return window_check_.PassingBulge(first, end); },
      arcs);
  OfferStraightTails(path.closed, arcs);
  BalanceWholeOutline(arcs);
}

void ExactArcSearch::BalanceWholeOutline(std::vector<FoundArc>& arcs) const {
  const auto last = static_cast<std::int32_t>(points_.size()) - 1;
  const PlanePoint start = points_.front();
  const PlanePoint end = points_.back();
  if (start.x != end.x || start.y != end.y) return;
  if (arcs.size() != 2 || arcs[0].first != 0 || arcs[1].last != last ||
      arcs[0].last != arcs[1].first) {
    return;
  }
  // A near-full arc and a sliver draw the same circle as two halves, but the
  // sliver's radius hangs on a few vertices and the long arc's bulge grows
  // without bound; CAD and CAM programs take the halves better.
  FoundArc before, after;
  if (SplitInTwo(0, last, before, after)) arcs = {before, after};
}

}  // namespace quillmere
