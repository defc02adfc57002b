#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "chains/cell_spacing.h"
#include "chains/cell_table.h"
#include "chains/space_point.h"

namespace quillmere {

// The current ends of the chains, found by position: which chain of a join
// group, lowest record first, ends strictly inside the tolerance box around
// a start point?
//
// A hash grid over x, y and z whose cells also carry the join group. A
// search visits the cells that the box can touch, at most two per axis, and
// within a cell the members in ascending record order, so that it can stop
// at the first one that passes the box test. Most cells hold one or two
// ends; a cell where an end moving in would walk a long list to find its
// place also keeps its members in an ordered set.
class ChainEndIndex {
 public:
  // `tolerance` must be greater than 0 (infinity included); `extent` is the
  // largest magnitude of any finite coordinate that will be entered or
  // looked up. Records are numbered 0 .. records-1; each is entered at most
  // once.
  ChainEndIndex(double tolerance, double extent, std::int32_t records);

  // Enters the chain of `record`, of join group `group`, ending at `end`.
  // Entering in ascending record order takes constant time.
  void Insert(std::int32_t record, std::int32_t group, const SpacePoint& end);

  // The chain of `attached` now follows that of `receiver`: the receiver's
  // chain ends where the attached one ended, and `attached` leaves.
  void HandOverEnd(std::int32_t attached, std::int32_t receiver);

  // The lowest record other than `excluded` in `group` whose chain ends
  // strictly inside the box of the tolerance around `start`; -1 for none.
  std::int32_t LowestReceiver(std::int32_t group, const SpacePoint& start,
                              std::int32_t excluded) const;

  // Takes `record` out of the index, if it is in.
  void Remove(std::int32_t record);

  // Calls `visit(record, end)` for every record in `group` whose end lies
  // strictly inside the box of the tolerance around `point`, a cell at a
  // time, within a cell in ascending record order. `visit` must not change
  // the index.
  template <typename Visit>
  void ForEachWithin(std::int32_t group, const SpacePoint& point, Visit visit) const {
    if (!IsFinite(point)) return;
    const CellSpan xs = spacing_.SpanAround(point.x);
    const CellSpan ys = spacing_.SpanAround(point.y);
    const CellSpan zs = spacing_.SpanAround(point.z);
    for (std::int64_t x = xs.first; x <= xs.last; ++x) {
      for (std::int64_t y = ys.first; y <= ys.last; ++y) {
        for (std::int64_t z = zs.first; z <= zs.last; ++z) {
          const std::int32_t cell = cells_.Find({x, y, z, group});
          if (cell < 0) continue;
          for (std::int32_t member = cells_[cell].first; member >= 0;
               member = MemberOf(member).next) {
            const SpacePoint& end = MemberOf(member).end;
            if (WithinBox(point, end, tolerance_)) visit(member, end);
          }
        }
      }
    }
  }

 private:
  struct Member {
    SpacePoint end;
    std::int32_t cell = -1;      // -1 while outside the index
    std::int32_t previous = -1;  // the next lower member of the cell
    std::int32_t next = -1;      // the next higher member of the cell
  };

  Member& MemberOf(std::int32_t record) { return members_[static_cast<std::size_t>(record)]; }
  const Member& MemberOf(std::int32_t record) const {
    return members_[static_cast<std::size_t>(record)];
  }
  // Links `record` into the list of `cell`, finding its place from `near`,
  // a member of that cell, or from the cell's highest member when -1.
  void EnterCell(std::int32_t record, std::int32_t cell, std::int32_t near);
  void LeaveCell(std::int32_t record);
  // The lowest member above `record` of the cell that `from` belongs to,
  // walking the list from `from`; -1 when there is none, kWalkCutShort
  // when the walk grew too long.
  std::int32_t WalkToMemberAbove(std::int32_t from, std::int32_t record) const;
  // The same through the ordered set of the cell, made when first needed.
  std::int32_t CrowdMemberAbove(std::int32_t cell, std::int32_t record);
  // Lowers `best` to the first member from `first` on, below `best`, other
  // than `excluded`, whose end passes the box test.
  void SearchCell(std::int32_t first, const SpacePoint& start, std::int32_t excluded,
                  std::int32_t& best) const;

  double tolerance_;
  CellSpacing spacing_;
  std::vector<Member> members_;  // by record
  CellTable cells_;
  std::vector<std::set<std::int32_t>> crowds_;
};

}  // namespace quillmere
