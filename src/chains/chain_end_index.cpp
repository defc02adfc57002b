#include "chains/chain_end_index.h"

#include <algorithm>

namespace quillmere {

namespace {

// An end moving into a cell finds its place by walking the cell's list from
// the end it takes over. Beyond this many steps the cell finds places
// through an ordered set instead: a point where thousands of lines meet must
// not make every join there walk a long list.
constexpr std::int32_t kLongestWalk = 32;
constexpr std::int32_t kWalkCutShort = -2;

}  // namespace

// Ends move only to cells that other ends occupied before, so the grid never
// holds more cells than records were entered.
ChainEndIndex::ChainEndIndex(double tolerance, double extent, std::int32_t records)
    : tolerance_(tolerance),
      spacing_(tolerance, extent),
      members_(static_cast<std::size_t>(std::max(records, 0))),
      cells_(records) {}

void ChainEndIndex::Insert(std::int32_t record, std::int32_t group, const SpacePoint& end) {
  MemberOf(record).end = end;
  const CellKey key{spacing_.CellOf(end.x), spacing_.CellOf(end.y), spacing_.CellOf(end.z), group};
  EnterCell(record, cells_.FindOrAdd(key), -1);
}

// The receiver enters the cell before the attached end leaves it, so that
// its place there can be found from the attached one, usually close by.
void ChainEndIndex::HandOverEnd(std::int32_t attached, std::int32_t receiver) {
  const Member& from = MemberOf(attached);
  const SpacePoint end = from.end;
  const std::int32_t cell = from.cell;
  if (MemberOf(receiver).cell != cell) {
    LeaveCell(receiver);
    EnterCell(receiver, cell, attached);
  }
  MemberOf(receiver).end = end;
  LeaveCell(attached);
}

std::int32_t ChainEndIndex::WalkToMemberAbove(std::int32_t from, std::int32_t record) const {
  std::int32_t steps = 0;
  if (from > record) {
    std::int32_t above = from;
    for (std::int32_t below = MemberOf(above).previous; below > record;
         below = MemberOf(below).previous) {
      if (++steps > kLongestWalk) return kWalkCutShort;
      above = below;
    }
    return above;
  }
  std::int32_t above = MemberOf(from).next;
  for (; above >= 0 && above < record; above = MemberOf(above).next) {
    if (++steps > kLongestWalk) return kWalkCutShort;
  }
  return above;
}

// The set of a crowded cell holds every member, and also records that have
// left since: leaving costs nothing, and whoever meets a departed record
// while looking for a place removes it.
std::int32_t ChainEndIndex::CrowdMemberAbove(std::int32_t cell_number, std::int32_t record) {
  Cell& cell = cells_[cell_number];
  if (cell.crowd < 0) {
    cell.crowd = static_cast<std::int32_t>(crowds_.size());
    crowds_.emplace_back();
  }
  std::set<std::int32_t>& crowd = crowds_[static_cast<std::size_t>(cell.crowd)];
  if (crowd.empty() || crowd.size() > 2 * static_cast<std::size_t>(cell.count)) {
    crowd.clear();
    for (std::int32_t member = cell.first; member >= 0; member = MemberOf(member).next) {
      crowd.insert(crowd.end(), member);
    }
  }
  auto above = crowd.upper_bound(record);
  while (above != crowd.end() && MemberOf(*above).cell != cell_number) above = crowd.erase(above);
  return above == crowd.end() ? -1 : *above;
}

void ChainEndIndex::EnterCell(std::int32_t record, std::int32_t cell_number, std::int32_t near) {
  Cell& cell = cells_[cell_number];
  const std::int32_t from = near >= 0 ? near : cell.last;
  std::int32_t above = from < 0 ? -1 : WalkToMemberAbove(from, record);
  if (above == kWalkCutShort) above = CrowdMemberAbove(cell_number, record);
  const std::int32_t below = above < 0 ? cell.last : MemberOf(above).previous;
  Member& member = MemberOf(record);
  member.cell = cell_number;
  member.previous = below;
  member.next = above;
  (below < 0 ? cell.first : MemberOf(below).next) = record;
  (above < 0 ? cell.last : MemberOf(above).previous) = record;
  ++cell.count;
  if (cell.crowd >= 0) crowds_[static_cast<std::size_t>(cell.crowd)].insert(record);
}

void ChainEndIndex::LeaveCell(std::int32_t record) {
  Member& member = MemberOf(record);
  Cell& cell = cells_[member.cell];
  (member.previous < 0 ? cell.first : MemberOf(member.previous).next) = member.next;
  (member.next < 0 ? cell.last : MemberOf(member.next).previous) = member.previous;
  --cell.count;
  member.cell = member.previous = member.next = -1;
}

void ChainEndIndex::Remove(std::int32_t record) {
  if (MemberOf(record).cell >= 0) LeaveCell(record);
}

void ChainEndIndex::SearchCell(std::int32_t first, const SpacePoint& start,
                               std::int32_t excluded, std::int32_t& best) const {
  for (std::int32_t member = first; member >= 0 && (best < 0 || member < best);
       member = MemberOf(member).next) {
    if (member != excluded && WithinBox(start, MemberOf(member).end, tolerance_)) {
      best = member;
      return;
    }
  }
}

std::int32_t ChainEndIndex::LowestReceiver(std::int32_t group, const SpacePoint& start,
                                           std::int32_t excluded) const {
  // An infinite or NaN coordinate is within no box.
  if (!IsFinite(start)) return -1;
  const CellSpan xs = spacing_.SpanAround(start.x);
  const CellSpan ys = spacing_.SpanAround(start.y);
  const CellSpan zs = spacing_.SpanAround(start.z);
  std::int32_t best = -1;
  for (std::int64_t x = xs.first; x <= xs.last; ++x) {
    for (std::int64_t y = ys.first; y <= ys.last; ++y) {
      for (std::int64_t z = zs.first; z <= zs.last; ++z) {
        const std::int32_t cell = cells_.Find({x, y, z, group});
        if (cell >= 0) SearchCell(cells_[cell].first, start, excluded, best);
      }
    }
  }
  return best;
}

}  // namespace quillmere
