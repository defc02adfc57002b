#include "fewest_segments.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "arcs/exact/exact_bulge_search.h"
#include "arcs/exact/exact_window_check.h"

namespace quillmere::reference {

namespace {

PlanePoint At(const ArcPath& path, std::int32_t v) { return path.points[static_cast<std::size_t>(v)]; }

std::int32_t Last(const ArcPath& path) { return static_cast<std::int32_t>(path.points.size()) - 1; }

bool MayEndAt(const ArcPath& path, std::int32_t last) {
  const PlanePoint end = At(path, last);
  const PlanePoint before = At(path, last - 1);
  const bool repeated = end.x == before.x && end.y == before.y;
  return !repeated || (path.closed && last == Last(path));
}

bool WithinReach(const ArcPath& path, std::int32_t first, std::int32_t last) {
  return path.reach.empty() || last <= path.reach[static_cast<std::size_t>(first)];
}

}  // namespace

std::vector<FoundArc> FewestSegments(const ArcPath& path, const PassingArc& passing_arc) {
  const std::int32_t last = Last(path);
  if (last < 2) return {};
  // fewest[v]: the fewest segments from vertex v to the end; the arc that
  // starts there, if any.
  constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::max();
  std::vector<std::int64_t> fewest(static_cast<std::size_t>(last) + 1, kNone);
  std::vector<std::optional<FoundArc>> step(static_cast<std::size_t>(last) + 1);
  fewest[static_cast<std::size_t>(last)] = 0;
  for (std::int32_t v = last - 1; v >= 0; --v) {
    std::int64_t best = fewest[static_cast<std::size_t>(v) + 1] + 1;
    std::optional<FoundArc> arc;
    for (std::int32_t e = v + 2; e <= last; ++e) {
      if (!WithinReach(path, v, e) || !MayEndAt(path, e)) continue;
      if (fewest[static_cast<std::size_t>(e)] + 1 >= best) continue;
      const std::optional<double> bulge = passing_arc(v, e);
      if (!bulge) continue;
      best = fewest[static_cast<std::size_t>(e)] + 1;
      arc = FoundArc{v, e, *bulge};
    }
    fewest[static_cast<std::size_t>(v)] = best;
    step[static_cast<std::size_t>(v)] = arc;
  }
  std::vector<FoundArc> arcs;
  for (std::int32_t v = 0; v < last;) {
    if (const std::optional<FoundArc>& arc = step[static_cast<std::size_t>(v)]) {
      arcs.push_back(*arc);
      v = arc->last;
    } else {
      ++v;
    }
  }
  return arcs;
}

std::int64_t SegmentCount(const ArcPath& path, const std::vector<FoundArc>& arcs) {
  std::int64_t segments = std::max(0, Last(path));
  for (const FoundArc& arc : arcs) segments -= arc.last - arc.first - 1;
  return segments;
}

PassingArc ExactPassingArc(const ArcPath& path, double deviation) {
  auto check = std::make_shared<ExactWindowCheck>(deviation);
  check->Use(path.points);
  return [check](std::int32_t first, std::int32_t last) { return check->PassingBulge(first, last); };
}

PassingArc ScannedPassingArc(const ArcPath& path, double deviation, int tries) {
  auto check = std::make_shared<ExactWindowCheck>(deviation);
  check->Use(path.points);
  return [check, path, tries](std::int32_t first, std::int32_t last) -> std::optional<double> {
    const std::optional<Arc> middle = WindowArc(path.points, first, last, true);
    if (middle && check->ArcPasses(first, last, middle->bulge)) return middle->bulge;
    const PlanePoint a = At(path, first);
    const PlanePoint b = At(path, last);
    const double chord = std::hypot(b.x - a.x, b.y - a.y);
    if (chord == 0) return std::nullopt;
    double length = 0;
    for (std::int32_t k = first; k < last; ++k) {
      length += std::hypot(At(path, k + 1).x - At(path, k).x, At(path, k + 1).y - At(path, k).y);
    }
    // The sweeps the length rule allows, down to the flattest arc, on
    // either side of the chord.
    const double share = ExactWindowCheck::kLengthShare;
    const double low = std::max(SweepOfLengthRatio(length / chord / (1 + share)),
                                4 * std::atan(kSmallestBulge) * (1 + 1e-9));
    const double high = SweepOfLengthRatio(length / chord / (1 - share));
    for (int t = 0; t <= tries && low <= high; ++t) {
      const double bulge = std::tan((low + (high - low) * (t + 0.5) / (tries + 1)) / 4);
      for (const double side : {1.0, -1.0}) {
        if (check->ArcPasses(first, last, side * bulge)) return side * bulge;
      }
    }
    return std::nullopt;
  };
}

}  // namespace quillmere::reference
