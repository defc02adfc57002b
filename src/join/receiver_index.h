#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "join/cell_table.h"

namespace quillmere {

// The current last vertices of the polylines that can receive others, found
// by position: which receiver, lowest index first, has its end strictly
// inside the box of the tolerance around a start point?
//
// A hash grid over x, y and z. Each polyline belongs to a join group (only
// polylines of the same group join), which is part of the cell key. A query
// visits every cell that the open box can touch, at most two per axis, and
// within a cell the members in ascending index order, so that it can stop
// at the first member that passes the box test. The box test itself is the
// exact comparison of the coordinate differences with the tolerance; the
// cells only narrow down the candidates and never decide a join.
class ReceiverIndex {
 public:
  struct Point {
    double x = 0;
    double y = 0;
    double z = 0;
  };

  // `tolerance` must be greater than 0: with 0 nothing can join and no grid
  // is needed. Any greater value works, up to infinity. `polylines` is the
  // number of polylines that may be entered, to size the grid.
  ReceiverIndex(double tolerance, std::int32_t polylines);

  // Enters polyline `index` of join group `group` with its end point.
  // Entering in ascending index order takes constant time.
  void Insert(std::int32_t index, std::int32_t group, const Point& end);

  // `attached` has been attached to `receiver`: the receiver now ends where
  // `attached` ended, and `attached` no longer receives.
  void HandOverEnd(std::int32_t attached, std::int32_t receiver);

  // The lowest index other than `excluded` among the members of `group`
  // whose end differs from `start` by less than the tolerance on each axis.
  std::optional<std::int32_t> LowestReceiver(std::int32_t group, const Point& start,
                                             std::int32_t excluded) const;

 private:
  static constexpr std::int32_t kNone = -1;

  // A member's end and its place in the list of its cell, which holds the
  // members of the cell in ascending index order.
  struct Member {
    Point end;
    GridCell cell;
    std::int32_t previous = kNone;
    std::int32_t next = kNone;
  };

  std::int64_t CellCoordinate(double value) const;
  GridCell CellOf(std::int32_t group, const Point& point) const;
  bool InsideBox(const Point& start, const Point& end) const;
  // Links member `index` into the list of its cell, walking from `near`, a
  // member of that cell, or from the cell's last member.
  void EnterCell(std::int32_t index, std::int32_t near = kNone);
  void LeaveCell(std::int32_t index);
  // Lowers `best` to the first member of the list starting at `first` below
  // it, other than `excluded`, that passes the box test.
  void SearchCell(std::int32_t first, const Point& start, std::int32_t excluded,
                  std::optional<std::int32_t>& best) const;

  double tolerance_;
  double cell_size_;
  std::vector<Member> members_;  // by polyline index
  CellTable cells_;
};

}  // namespace quillmere
