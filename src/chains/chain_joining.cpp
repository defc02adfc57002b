#include "chains/chain_joining.h"

#include <algorithm>
#include <cmath>

#include "chains/chain_end_index.h"
#include "chains/chain_lists.h"
#include "chains/space_point.h"

namespace quillmere {

namespace {

SpacePoint PointOf(const Vertex& vertex) { return {vertex.x, vertex.y, vertex.z}; }

// What the passes need of a record, gathered once so that a pass reads one
// small array instead of every record's vertices. The vertices stay where
// they are during the passes: a record that has not been attached still
// starts with its own first vertex, and the index knows every chain's
// current end.
struct Candidate {
  SpacePoint start;
  std::int32_t group = kNoJoinGroup;  // none also with fewer than 2 vertices
};

// The records that take part, with what the index needs of them once: their
// ends, and the largest magnitude among the finite coordinates it will
// store or look up.
struct Participants {
  std::vector<Candidate> candidates;  // by record
  std::vector<SpacePoint> ends;       // by record: the last vertex
  double extent = 0;

  void Widen(const SpacePoint& point) {
    for (const double coordinate : {point.x, point.y, point.z}) {
      if (std::isfinite(coordinate)) extent = std::max(extent, std::fabs(coordinate));
    }
  }
};

Participants Gather(const PolylineModel& model, std::span<const std::int32_t> groups) {
  Participants participants;
  participants.candidates.resize(model.polylines.size());
  participants.ends.resize(model.polylines.size());
  for (std::size_t record = 0; record < model.polylines.size(); ++record) {
    const Polyline& polyline = model.polylines[record];
    const std::int32_t group = record < groups.size() ? groups[record] : kNoJoinGroup;
    if (group == kNoJoinGroup || polyline.VertexCount() < 2) continue;
    participants.candidates[record] = {PointOf(polyline.vertices.front()), group};
    participants.ends[record] = PointOf(polyline.vertices.back());
    participants.Widen(participants.candidates[record].start);
    participants.Widen(participants.ends[record]);
  }
  return participants;
}

// The index of the chain ends as they stand before the first pass: every
// record that takes part heads a chain of its own.
ChainEndIndex IndexEnds(const Participants& participants, double tolerance) {
  const auto records = static_cast<std::int32_t>(participants.candidates.size());
  ChainEndIndex ends(tolerance, participants.extent, records);
  for (std::int32_t record = 0; record < records; ++record) {
    const std::int32_t group = participants.candidates[static_cast<std::size_t>(record)].group;
    if (group == kNoJoinGroup) continue;
    ends.Insert(record, group, participants.ends[static_cast<std::size_t>(record)]);
  }
  return ends;
}

// One pass over all records in ascending order. True when it joined any.
bool JoinPass(const std::vector<Candidate>& candidates, ChainEndIndex& ends,
              ChainLists& chains) {
  bool joined = false;
  for (std::int32_t record = 0; record < static_cast<std::int32_t>(candidates.size()); ++record) {
    const Candidate& candidate = candidates[static_cast<std::size_t>(record)];
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

int JoinChains(PolylineModel& model, double tolerance, std::span<const std::int32_t> groups,
               const ReceiverFinish& finish_receiver) {
  // No difference is below a tolerance of 0, below a negative one or below
  // NaN: the one pass joins nothing.
  if (!(tolerance > 0)) return 1;
  Participants participants = Gather(model, groups);
  ChainEndIndex ends = IndexEnds(participants, tolerance);
  participants.ends = {};  // from here on the index knows the ends
  ChainLists chains(model.PolylineCount());
  int passes = 0;
  do {
    ++passes;
  } while (JoinPass(participants.candidates, ends, chains));
  chains.MoveVertices(model, finish_receiver);
  return passes;
}

}  // namespace quillmere
