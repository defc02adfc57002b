#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "dxf/polyline_model.h"

namespace quillmere {

// The entities of the input that a job's output no longer has, and those it
// moves into another entity: what the clean-up of references starts from
// (dxf/reference_cleanup.h).
struct ConsumedEntities {
  // Where each of them begins: the offsets of their (0, type) pairs,
  // ascending.
  std::vector<std::int64_t> starts;

  // The entities beginning in [begin, end) become part of the entity that
  // begins at `owner`, which then owns them (group 330).
  struct NewOwner {
    std::int64_t begin = 0;
    std::int64_t end = 0;
    std::int64_t owner = 0;
  };
  std::vector<NewOwner> new_owners;  // ascending, none overlapping another

  bool Empty() const { return starts.empty() && new_owners.empty(); }
};

// What the polyline writers consume: every polyline marked `dropped`, with
// its closing SEQEND and those of its VERTEX entities that no chain takes
// on, and the VERTEX entities of `vertices_left_out` (vertex indices) of the
// polylines that are written. The VERTEX entities of a polyline attached to
// a chain move to the POLYLINE at the chain's head.
ConsumedEntities ConsumedPolylineEntities(const PolylineModel& model,
                                          std::span<const std::int64_t> vertices_left_out);

}  // namespace quillmere
