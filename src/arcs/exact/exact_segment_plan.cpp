#include "arcs/exact/exact_segment_plan.h"

#include <algorithm>

namespace quillmere {

namespace {

// After this many plans made again, windows short of a reach are no longer
// trusted: the plan then uses the reaches themselves only, which passed.
constexpr int kMostPlans = 32;

}  // namespace

bool SegmentPlan::StruckOff(std::int32_t first, std::int32_t last) const {
  return !struck_off_.empty() &&
         std::binary_search(struck_off_.begin(), struck_off_.end(), std::pair{first, last});
}

void SegmentPlan::CountFromEnd(std::int32_t last, std::span<const FoundArc> reaches,
                               bool trusting) {
  fewest_.assign(static_cast<std::size_t>(last) + 1, 0);
  for (std::int32_t v = last - 1; v >= 0; --v) {
    std::int32_t best = fewest_[static_cast<std::size_t>(v) + 1] + 1;
    const std::int32_t r = reach_of_[static_cast<std::size_t>(v)];
    if (r >= 0) {
      const std::int32_t reach = reaches[static_cast<std::size_t>(r)].last;
      best = std::min(best, fewest_[static_cast<std::size_t>(reach)] + 1);
      if (trusting && struck_off_.empty()) {
        // Nothing struck off yet: a plain minimum over the ends allowed,
        // which the compiler runs several at a time.
        std::int32_t least = best - 1;
        for (std::int32_t e = v + 2; e < reach; ++e) {
          const auto end = static_cast<std::size_t>(e);
          least = std::min(least, ends_[end] != 0 ? fewest_[end] : least);
        }
        best = least + 1;
      } else if (trusting) {
        for (std::int32_t e = v + 2; e < reach; ++e) {
          if (ends_[static_cast<std::size_t>(e)] == 0 || StruckOff(v, e)) continue;
          best = std::min(best, fewest_[static_cast<std::size_t>(e)] + 1);
        }
      }
    }
    fewest_[static_cast<std::size_t>(v)] = best;
  }
}

bool SegmentPlan::Walk(std::int32_t last, std::span<const FoundArc> reaches,
                       const WindowTest& passes, bool trusting, std::vector<FoundArc>& arcs) {
  arcs.clear();
  std::int32_t v = 0;
  while (v < last) {
    const std::int32_t want = fewest_[static_cast<std::size_t>(v)] - 1;
    const std::int32_t r = reach_of_[static_cast<std::size_t>(v)];
    std::optional<FoundArc> chosen;
    if (r >= 0) {
      const FoundArc& reach = reaches[static_cast<std::size_t>(r)];
      if (fewest_[static_cast<std::size_t>(reach.last)] == want) chosen = reach;
      for (std::int32_t e = reach.last - 1; !chosen && trusting && e >= v + 2; --e) {
        if (fewest_[static_cast<std::size_t>(e)] != want || ends_[static_cast<std::size_t>(e)] == 0 ||
            StruckOff(v, e)) {
          continue;
        }
        if (const std::optional<double> bulge = passes(v, e)) {
          chosen = FoundArc{v, e, *bulge};
        } else {
          struck_off_.insert(std::upper_bound(struck_off_.begin(), struck_off_.end(), std::pair{v, e}),
                             {v, e});
        }
      }
    }
    if (chosen) {
      arcs.push_back(*chosen);
      v = chosen->last;
    } else if (fewest_[static_cast<std::size_t>(v) + 1] == want) {
      ++v;
    } else {
      return false;  // the count at v came from windows struck off since
    }
  }
  return true;
}

void SegmentPlan::Choose(std::int32_t last, std::span<const FoundArc> reaches,
                         const EndTest& may_end, const WindowTest& passes,
                         std::vector<FoundArc>& arcs) {
  arcs.clear();
  struck_off_.clear();
  if (last < 2) return;
  reach_of_.assign(static_cast<std::size_t>(last) + 1, -1);
  for (std::size_t r = 0; r < reaches.size(); ++r) {
    reach_of_[static_cast<std::size_t>(reaches[r].first)] = static_cast<std::int32_t>(r);
  }
  ends_.resize(static_cast<std::size_t>(last) + 1);
  for (std::int32_t e = 0; e <= last; ++e) ends_[static_cast<std::size_t>(e)] = may_end(e) ? 1 : 0;
  for (int plan = 0;; ++plan) {
    const bool trusting = plan < kMostPlans;
    CountFromEnd(last, reaches, trusting);
    if (Walk(last, reaches, passes, trusting, arcs)) return;
  }
}

}  // namespace quillmere
