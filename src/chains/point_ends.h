#pragma once

#include <compare>
#include <cstdint>
#include <memory>
#include <set>
#include <span>
#include <utility>
#include <vector>

#include "chains/chain_end_index.h"
#include "chains/chain_joining.h"

namespace quillmere {

// The ends of the records, as the contour walk uses them: the start of
// record r is member 2r, its end member 2r + 1. Ordering the members orders
// the records, each start before its end.
inline std::int32_t StartMember(std::int32_t record) { return 2 * record; }
inline std::int32_t RecordOf(std::int32_t member) { return member / 2; }
inline bool IsEndMember(std::int32_t member) { return (member & 1) != 0; }

// How a walk leaves through `member`: along the record from its start, or
// backwards from its end.
inline Heading LeavingThrough(std::span<const ChainRecord> records, std::int32_t member) {
  const ChainRecord& record = records[static_cast<std::size_t>(RecordOf(member))];
  return IsEndMember(member) ? Reversed(record.arriving) : record.leaving;
}

// An end and the point it lies at, exactly as stored, with its join group:
// sorted, equal points come together.
struct PlacedEnd {
  std::int32_t group = 0;
  std::uint64_t x = 0;
  std::uint64_t y = 0;
  std::uint64_t z = 0;
  std::int32_t member = 0;

  bool SamePoint(const PlacedEnd& other) const {
    return group == other.group && x == other.x && y == other.y && z == other.z;
  }
  friend auto operator<=>(const PlacedEnd&, const PlacedEnd&) = default;
};

// The ends of the records that take part, gathered by the exact point where
// they lie, and those points found by position. Most points hold one or two
// ends; where many lines meet, the ends are also kept by the direction a
// walk leaves through them, so that a walk arriving there looks at the few
// that leave nearly its way (or right back), not at a thousand ends.
class PointEnds {
 public:
  // The ends at a crowded point that are still there.
  struct Crowd {
    // Ends with a direction, by the angle a walk leaves through them
    // (-pi to pi) and then by member.
    std::set<std::pair<double, std::int32_t>> by_direction;
    // Ends of records without length there.
    std::set<std::int32_t> without_direction;
    std::set<std::int32_t> members;  // all of them
  };

  // What a walk sees at one point: its ends in ascending order, those
  // already taken included (IsLive tells), and for a crowded point the
  // ends still there by direction.
  struct EndsAt {
    std::span<const std::int32_t> members;
    const Crowd* crowd = nullptr;
  };

  // `tolerance` and `extent` as for the ChainEndIndex.
  PointEnds(std::span<const ChainRecord> records, double tolerance, double extent);

  // Takes both ends of `record` out.
  void Remove(std::int32_t record);

  bool IsLive(std::int32_t member) const { return live_[static_cast<std::size_t>(member)] != 0; }

  // Calls `visit(point, ends)` for every point of `group` that still holds
  // ends and lies strictly inside the box of the tolerance around `around`.
  template <typename Visit>
  void ForEachPointWithin(std::int32_t group, const SpacePoint& around, Visit visit) const {
    index_.ForEachWithin(group, around, [&](std::int32_t point, const SpacePoint& at) {
      visit(at, EndsOf(point));
    });
  }

 private:
  PointEnds(std::span<const ChainRecord> records, double tolerance, double extent,
            const std::vector<PlacedEnd>& placed);
  EndsAt EndsOf(std::int32_t point) const;
  void RemoveMember(std::int32_t member);

  std::span<const ChainRecord> records_;
  ChainEndIndex index_;                  // by point number
  std::vector<std::int32_t> point_of_;   // by member; -1 for none
  std::vector<std::uint8_t> live_;       // by member
  std::vector<std::int32_t> first_end_;  // by point: where its ends begin in `ends_`
  std::vector<std::int32_t> ends_;       // the members, point by point
  std::vector<std::int32_t> live_count_;  // by point
  std::vector<std::int32_t> crowd_of_;    // by point; -1 for none
  std::vector<std::unique_ptr<Crowd>> crowds_;
};

}  // namespace quillmere
