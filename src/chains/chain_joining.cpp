#include "chains/chain_joining.h"

#include <algorithm>
#include <cmath>

#include "chains/chain_end_index.h"
#include "chains/contour_walk.h"
#include "chains/space_point.h"

namespace quillmere {

namespace {

// The largest magnitude among the finite coordinates that the index will
// store or look up.
double Extent(std::span<const ChainRecord> records) {
  double extent = 0;
  for (const ChainRecord& record : records) {
    if (record.group == kNoJoinGroup) continue;
    for (const SpacePoint& point : {record.start, record.end}) {
      for (const double coordinate : {point.x, point.y, point.z}) {
        if (std::isfinite(coordinate)) extent = std::max(extent, std::fabs(coordinate));
      }
    }
  }
  return extent;
}

// The index of the chain ends as they stand before the first pass: every
// record that takes part heads a chain of its own.
ChainEndIndex IndexEnds(std::span<const ChainRecord> records, double tolerance) {
  const auto count = static_cast<std::int32_t>(records.size());
  ChainEndIndex ends(tolerance, Extent(records), count);
  for (std::int32_t record = 0; record < count; ++record) {
    const ChainRecord& chain = records[static_cast<std::size_t>(record)];
    if (chain.group == kNoJoinGroup) continue;
    ends.Insert(record, chain.group, chain.end);
  }
  return ends;
}

// One pass over all records in ascending order. True when it joined any.
// A record that has not been attached still starts where it did, and the
// index knows every chain's current end.
bool JoinPass(std::span<const ChainRecord> candidates, ChainEndIndex& ends, ChainLists& chains) {
  bool joined = false;
  for (std::int32_t record = 0; record < static_cast<std::int32_t>(candidates.size()); ++record) {
    const ChainRecord& candidate = candidates[static_cast<std::size_t>(record)];
    if (candidate.group == kNoJoinGroup || chains.IsAttached(record)) continue;
    const std::int32_t receiver = ends.LowestReceiver(candidate.group, candidate.start, record);
    if (receiver < 0) continue;
    ends.HandOverEnd(record, receiver);
    chains.Attach(record, receiver);
    joined = true;
  }
  return joined;
}

}  // namespace

int JoinChains(std::span<const ChainRecord> records, double tolerance, ChainLists& chains,
               JoinRule rule, std::span<const PlanePoints> inner_points) {
  chains = ChainLists(static_cast<std::int32_t>(records.size()));
  // No difference is below a tolerance of 0, below a negative one or below
  // NaN: the one pass joins nothing.
  if (!(tolerance > 0)) return 1;
  if (rule == JoinRule::kContours) {
    WalkContours(records, inner_points, tolerance, Extent(records), chains);
    return 1;
  }
  ChainEndIndex ends = IndexEnds(records, tolerance);
  int passes = 0;
  do {
    ++passes;
  } while (JoinPass(records, ends, chains));
  return passes;
}

}  // namespace quillmere
