#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "arcs/arc_engine.h"
#include "arcs/arc_search_settings.h"
#include "arcs/sampled/sampled_window_check.h"

namespace quillmere {

// The sampled engine, the arc job's default: from each start vertex it grows
// windows vertex by vertex, from three segments on, while they pass the
// sampled window check (SampledWindowCheck), and takes the longest window
// that passed as one arc. The next search starts at the last vertex of that
// arc, or one vertex further when no window passed. A closed outline is
// searched as an open one from its first to its last vertex.
//
// Not thread-safe; one object serves any number of paths.
class SampledArcSearch final : public ArcEngine {
 public:
  explicit SampledArcSearch(const ArcSearchSettings& settings) : window_check_(settings) {}

  void Find(const ArcPath& path, std::vector<FoundArc>& arcs) override;
  bool RunsOverClosingSegment() const override { return false; }

 private:
  // The longest window from `first` that passes, nothing when none does.
  std::optional<FoundArc> LongestFrom(const ArcPath& path, std::int32_t first);

  SampledWindowCheck window_check_;
};

}  // namespace quillmere
