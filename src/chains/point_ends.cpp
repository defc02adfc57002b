#include "chains/point_ends.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace quillmere {

namespace {

// Up to this many ends a walk looks at each of them.
constexpr std::int32_t kFewEnds = 16;

bool HasDirection(const Heading& heading) { return heading.dx != 0 || heading.dy != 0; }

// The ends of the records that take part, sorted: equal points together.
std::vector<PlacedEnd> SortedEnds(std::span<const ChainRecord> records) {
  std::vector<PlacedEnd> placed;
  placed.reserve(2 * records.size());
  for (std::int32_t record = 0; record < static_cast<std::int32_t>(records.size()); ++record) {
    const ChainRecord& piece = records[static_cast<std::size_t>(record)];
    if (piece.group == kNoJoinGroup) continue;
    for (const std::int32_t member : {StartMember(record), StartMember(record) + 1}) {
      const SpacePoint& at = IsEndMember(member) ? piece.end : piece.start;
      placed.push_back({piece.group, std::bit_cast<std::uint64_t>(at.x),
                        std::bit_cast<std::uint64_t>(at.y), std::bit_cast<std::uint64_t>(at.z),
                        member});
    }
  }
  std::sort(placed.begin(), placed.end());
  return placed;
}

std::int32_t DistinctPoints(const std::vector<PlacedEnd>& placed) {
  std::int32_t points = 0;
  for (std::size_t k = 0; k < placed.size(); ++k) {
    points += k == 0 || !placed[k].SamePoint(placed[k - 1]) ? 1 : 0;
  }
  return points;
}

}  // namespace

PointEnds::PointEnds(std::span<const ChainRecord> records, double tolerance, double extent)
    : PointEnds(records, tolerance, extent, SortedEnds(records)) {}

// Points are numbered in the order of their sorted ends and enter the index
// in that order; the index is made for as many points as there are.
PointEnds::PointEnds(std::span<const ChainRecord> records, double tolerance, double extent,
                     const std::vector<PlacedEnd>& placed)
    : records_(records),
      index_(tolerance, extent, DistinctPoints(placed)),
      point_of_(2 * records.size(), -1),
      live_(2 * records.size(), 0) {
  for (std::size_t k = 0; k < placed.size(); ++k) {
    const PlacedEnd& end = placed[k];
    if (k == 0 || !end.SamePoint(placed[k - 1])) {
      const ChainRecord& piece = records[static_cast<std::size_t>(RecordOf(end.member))];
      const SpacePoint& at = IsEndMember(end.member) ? piece.end : piece.start;
      index_.Insert(static_cast<std::int32_t>(live_count_.size()), end.group, at);
      live_count_.push_back(0);
    }
    const std::int32_t point = static_cast<std::int32_t>(live_count_.size()) - 1;
    point_of_[static_cast<std::size_t>(end.member)] = point;
    live_[static_cast<std::size_t>(end.member)] = 1;
    ++live_count_[static_cast<std::size_t>(point)];
  }
  // The members point by point, each point's in ascending order.
  const std::size_t points = live_count_.size();
  first_end_.assign(points + 1, 0);
  for (std::size_t p = 0; p < points; ++p) first_end_[p + 1] = first_end_[p] + live_count_[p];
  ends_.resize(static_cast<std::size_t>(first_end_[points]));
  std::vector<std::int32_t> filled(first_end_.begin(), first_end_.end() - 1);
  for (std::int32_t member = 0; member < static_cast<std::int32_t>(point_of_.size()); ++member) {
    const std::int32_t point = point_of_[static_cast<std::size_t>(member)];
    if (point >= 0) ends_[static_cast<std::size_t>(filled[static_cast<std::size_t>(point)]++)] = member;
  }
  crowd_of_.assign(points, -1);
  for (std::size_t p = 0; p < points; ++p) {
    if (live_count_[p] <= kFewEnds) continue;
    crowd_of_[p] = static_cast<std::int32_t>(crowds_.size());
    Crowd& crowd = *crowds_.emplace_back(std::make_unique<Crowd>());
    for (std::int32_t k = first_end_[p]; k < first_end_[p + 1]; ++k) {
      const std::int32_t member = ends_[static_cast<std::size_t>(k)];
      crowd.members.insert(crowd.members.end(), member);
      const Heading leaving = LeavingThrough(records, member);
      if (HasDirection(leaving)) {
        crowd.by_direction.emplace(std::atan2(leaving.dy, leaving.dx), member);
      } else {
        crowd.without_direction.insert(crowd.without_direction.end(), member);
      }
    }
  }
}

PointEnds::EndsAt PointEnds::EndsOf(std::int32_t point) const {
  const auto p = static_cast<std::size_t>(point);
  const std::int32_t crowd = crowd_of_[p];
  return {std::span<const std::int32_t>(ends_).subspan(
              static_cast<std::size_t>(first_end_[p]),
              static_cast<std::size_t>(first_end_[p + 1] - first_end_[p])),
          crowd < 0 ? nullptr : crowds_[static_cast<std::size_t>(crowd)].get()};
}

void PointEnds::RemoveMember(std::int32_t member) {
  const auto m = static_cast<std::size_t>(member);
  if (live_[m] == 0) return;
  live_[m] = 0;
  const auto point = static_cast<std::size_t>(point_of_[m]);
  if (crowd_of_[point] >= 0) {
    Crowd& crowd = *crowds_[static_cast<std::size_t>(crowd_of_[point])];
    crowd.members.erase(member);
    const Heading leaving = LeavingThrough(records_, member);
    if (HasDirection(leaving)) {
      crowd.by_direction.erase({std::atan2(leaving.dy, leaving.dx), member});
    } else {
      crowd.without_direction.erase(member);
    }
  }
  if (--live_count_[point] == 0) index_.Remove(point_of_[m]);
}

void PointEnds::Remove(std::int32_t record) {
  RemoveMember(StartMember(record));
  RemoveMember(StartMember(record) + 1);
}

}  // namespace quillmere
