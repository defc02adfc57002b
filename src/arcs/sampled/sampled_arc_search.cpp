#include "arcs/sampled/sampled_arc_search.h"

namespace quillmere {

std::optional<FoundArc> SampledArcSearch::LongestFrom(const ArcPath& path, std::int32_t first) {
  const auto last_vertex = static_cast<std::int32_t>(path.points.size()) - 1;
  const std::int32_t reach =
      path.reach.empty() ? last_vertex : path.reach[static_cast<std::size_t>(first)];
  std::optional<FoundArc> longest;
  // Growth ends at the first window that fails or holds an arc read from
  // the drawing.
  for (std::int32_t last = first + 3; last <= last_vertex && last <= reach; ++last) {
    const std::optional<double> bulge = window_check_.PassingBulge(first, last);
    if (!bulge) break;
    longest = FoundArc{first, last, *bulge};
  }
  return longest;
}

void SampledArcSearch::Find(const ArcPath& path, std::vector<FoundArc>& arcs) {
  arcs.clear();
  window_check_.Use(path.points);
  const auto last_vertex = static_cast<std::int32_t>(path.points.size()) - 1;
  for (std::int32_t s = 0; s + 3 <= last_vertex;) {
    const std::optional<FoundArc> arc = LongestFrom(path, s);
    if (arc) {
      arcs.push_back(*arc);
      s = arc->last;
    } else {
      ++s;
    }
  }
}

}  // namespace quillmere
