#include "join/receiver_index.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace quillmere {

namespace {

// Cell coordinates stay within ±2^62, so that neighbouring cells never
// overflow. Coordinates beyond share the outermost cells, which only makes
// those cells fuller.
constexpr double kCellLimit = 4611686018427387904.0;

// A box reaches at most two cells per axis (see the constructor). A query
// that finds more, which finite arithmetic should never produce, searches
// all cells instead of trusting the bound.
constexpr std::int64_t kMaxCellSpan = 1;

}  // namespace

// The box around a start point is 2 × tolerance wide; cells of 3 × tolerance
// keep it within two cells per axis. Cell 0 is centred on 0, so that a flat
// drawing (z = 0 throughout) touches a single layer of cells in z. A
// tolerance so large that the cell size overflows puts everything in cell 0.
ReceiverIndex::ReceiverIndex(double tolerance, std::int32_t polylines)
    : tolerance_(tolerance),
      cell_size_(3 * tolerance),
      members_(static_cast<std::size_t>(std::max(polylines, 0))),
      cells_(members_.size()) {}

// Every step is monotone (clamping, division by a positive size, rounded
// addition, floor), so a < b gives CellCoordinate(a) <= CellCoordinate(b).
// A coordinate that passes the box test lies strictly between start −
// tolerance and start + tolerance, and the rounded bounds still enclose it,
// so its cell lies between the cells of the two bounds.
std::int64_t ReceiverIndex::CellCoordinate(double value) const {
  const double finite = std::clamp(value, -DBL_MAX, DBL_MAX);
  const double cell = std::floor(finite / cell_size_ + 0.5);
  return static_cast<std::int64_t>(std::clamp(cell, -kCellLimit, kCellLimit));
}

GridCell ReceiverIndex::CellOf(std::int32_t group, const Point& point) const {
  return GridCell{CellCoordinate(point.x), CellCoordinate(point.y), CellCoordinate(point.z), group};
}

// The join test: each difference on its own strictly below the tolerance.
// A difference that overflows to infinity never passes.
bool ReceiverIndex::InsideBox(const Point& start, const Point& end) const {
  return std::fabs(start.x - end.x) < tolerance_ && std::fabs(start.y - end.y) < tolerance_ &&
         std::fabs(start.z - end.z) < tolerance_;
}

void ReceiverIndex::Insert(std::int32_t index, std::int32_t group, const Point& end) {
  const auto slot = static_cast<std::size_t>(index);
  if (members_.size() <= slot) members_.resize(slot + 1);
  Member& member = members_[slot];
  member.end = end;
  member.cell = CellOf(group, end);
  EnterCell(index);
}

void ReceiverIndex::EnterCell(std::int32_t index, std::int32_t near) {
  Member& member = members_[static_cast<std::size_t>(index)];
  CellMembers& ends = cells_.FindOrAdd(member.cell);
  if (ends.first == kNone) {
    member.previous = member.next = kNone;
    ends.first = ends.last = index;
    return;
  }
  // Find the neighbours: `before` < index < `after`, either may be none.
  std::int32_t before = near == kNone ? ends.last : near;
  std::int32_t after = kNone;
  if (before > index) {
    after = before;
    before = members_[static_cast<std::size_t>(after)].previous;
    while (before != kNone && before > index) {
      after = before;
      before = members_[static_cast<std::size_t>(after)].previous;
    }
  } else {
    after = members_[static_cast<std::size_t>(before)].next;
    while (after != kNone && after < index) {
      before = after;
      after = members_[static_cast<std::size_t>(before)].next;
    }
  }
  member.previous = before;
  member.next = after;
  (before == kNone ? ends.first : members_[static_cast<std::size_t>(before)].next) = index;
  (after == kNone ? ends.last : members_[static_cast<std::size_t>(after)].previous) = index;
}

void ReceiverIndex::LeaveCell(std::int32_t index) {
  const Member& member = members_[static_cast<std::size_t>(index)];
  CellMembers& ends = *cells_.Find(member.cell);
  (member.previous == kNone ? ends.first
                            : members_[static_cast<std::size_t>(member.previous)].next) =
      member.next;
  (member.next == kNone ? ends.last
                        : members_[static_cast<std::size_t>(member.next)].previous) =
      member.previous;
}

void ReceiverIndex::HandOverEnd(std::int32_t attached, std::int32_t receiver) {
  Member& from = members_[static_cast<std::size_t>(attached)];
  Member& to = members_[static_cast<std::size_t>(receiver)];
  if (!(to.cell == from.cell)) {
    LeaveCell(receiver);
    to.cell = from.cell;
    EnterCell(receiver, attached);  // the attached polyline is a member of that cell
  }
  to.end = from.end;
  LeaveCell(attached);
}

void ReceiverIndex::SearchCell(std::int32_t first, const Point& start, std::int32_t excluded,
                               std::optional<std::int32_t>& best) const {
  for (std::int32_t index = first; index != kNone;
       index = members_[static_cast<std::size_t>(index)].next) {
    if (best && index >= *best) return;
    if (index == excluded) continue;
    if (InsideBox(start, members_[static_cast<std::size_t>(index)].end)) {
      best = index;
      return;
    }
  }
}

std::optional<std::int32_t> ReceiverIndex::LowestReceiver(std::int32_t group,
                                                         const Point& start,
                                                         std::int32_t excluded) const {
  const GridCell low = CellOf(group, {start.x - tolerance_, start.y - tolerance_,
                                     start.z - tolerance_});
  const GridCell high = CellOf(group, {start.x + tolerance_, start.y + tolerance_,
                                      start.z + tolerance_});
  std::optional<std::int32_t> best;
  if (high.x - low.x > kMaxCellSpan || high.y - low.y > kMaxCellSpan ||
      high.z - low.z > kMaxCellSpan) {
    cells_.ForEach([&](const GridCell& cell, const CellMembers& members) {
      if (cell.group == group) SearchCell(members.first, start, excluded, best);
    });
    return best;
  }
  for (std::int64_t x = low.x; x <= high.x; ++x) {
    for (std::int64_t y = low.y; y <= high.y; ++y) {
      for (std::int64_t z = low.z; z <= high.z; ++z) {
        if (const CellMembers* members = cells_.Find(GridCell{x, y, z, group})) {
          SearchCell(members->first, start, excluded, best);
        }
      }
    }
  }
  return best;
}

}  // namespace quillmere
