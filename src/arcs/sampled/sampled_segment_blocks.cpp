#include "arcs/sampled/sampled_segment_blocks.h"

#include <algorithm>
#include <cmath>

#include "arcs/sampled/sampled_angles.h"

namespace quillmere {

namespace {

// Allowance for the rounding of one segment's turn: the atan2 results of its
// ends are within 1e-15 of the exact angles of the exact differences (each
// difference is rounded relatively), and the difference of the two and the
// correction by a whole turn add two roundings of at most 4.5e-16.
constexpr double kSegmentTurnError = 1e-14;

// The summary of two adjacent runs, `second` starting where `first` ends.
BlockSummary Joined(const BlockSummary& first, const BlockSummary& second) {
  BlockSummary joined;
  joined.usable = first.usable && second.usable;
  if (!joined.usable) return joined;
  joined.nearest = std::min(first.nearest, second.nearest);
  joined.farthest = std::max(first.farthest, second.farthest);
  joined.first_angle = first.first_angle;
  joined.last_angle = second.last_angle;
  joined.turn = first.turn + second.turn;
  joined.least_turn = std::min(first.least_turn, first.turn + second.least_turn);
  joined.most_turn = std::max(first.most_turn, first.turn + second.most_turn);
  // Each of the three sums is rounded once, by at most 1.2e-16 of its size.
  joined.turn_error =
      first.turn_error + second.turn_error +
      1e-15 * (std::abs(first.turn) + std::abs(second.turn) + std::abs(second.least_turn) +
               std::abs(second.most_turn));
  joined.magnitude = std::max(first.magnitude, second.magnitude);
  // The middle angle is rounded by less than 3e-16 of its size, its cosine
  // and sine by less than 2e-16.
  const double middle = joined.first_angle + (joined.least_turn + joined.most_turn) / 2;
  joined.middle_x = std::cos(middle);
  joined.middle_y = std::sin(middle);
  joined.half_spread = (joined.most_turn - joined.least_turn) / 2 + joined.turn_error +
                       1e-15 * (std::abs(middle) + 10);
  return joined;
}

}  // namespace

void SegmentBlocks::Restart(std::span<const PlanePoint> points, PlanePoint centre,
                            std::int32_t first) {
  points_ = points;
  centre_ = centre;
  first_ = first;
  vertices_.clear();
  for (std::vector<BlockSummary>& level : levels_) level.clear();
  if (levels_.empty()) levels_.emplace_back();
  vertices_.push_back(
      ArcTestPoints::LocateFrom(centre_, points_[static_cast<std::size_t>(first_)]));
}

void SegmentBlocks::Clear() {
  points_ = {};
  vertices_.clear();
  for (std::vector<BlockSummary>& level : levels_) level.clear();
}

BlockSummary SegmentBlocks::SegmentSummary(const ArcSample& a, const ArcSample& b) const {
  BlockSummary summary;
  summary.magnitude =
      std::max(std::abs(a.p.x) + std::abs(a.p.y), std::abs(b.p.x) + std::abs(b.p.y));
  const std::optional<ArcTestPoints::RadialRange> range =
      ArcTestPoints::RadialRangeAround(centre_, a, b);
  // Closer to the centre, squares of distances come near the range of
  // subnormal numbers; such segments get no summary.
  summary.usable = range && range->nearest >= ArcTestPoints::kSmallest &&
                   range->farthest <= ArcTestPoints::kLargest &&
                   summary.magnitude <= ArcTestPoints::kLargest;
  if (!summary.usable) return summary;
  // The segment stays well away from the centre, so its angles run
  // monotonically from a's to b's, the short way round.
  summary.nearest = range->nearest;
  summary.farthest = range->farthest;
  summary.first_angle = a.angle;
  summary.last_angle = b.angle;
  summary.turn = AngleBetween(a.angle, b.angle);
  summary.least_turn = std::min(0.0, summary.turn);
  summary.most_turn = std::max(0.0, summary.turn);
  summary.turn_error = kSegmentTurnError;
  return summary;
}

void SegmentBlocks::ExtendTo(std::int32_t last) {
  while (EndVertex() < last) {
    const std::int32_t end = EndVertex();
    vertices_.push_back(
        ArcTestPoints::LocateFrom(centre_, points_[static_cast<std::size_t>(end + 1)]));
    const std::size_t v = vertices_.size();
    levels_[0].push_back(SegmentSummary(vertices_[v - 2], vertices_[v - 1]));
    // Every block that the new segment completes.
    const std::int32_t count = SegmentCount();
    for (std::size_t level = 1; (count & ((std::int64_t{1} << level) - 1)) == 0; ++level) {
      if (levels_.size() <= level) levels_.emplace_back();
      const std::vector<BlockSummary>& below = levels_[level - 1];
      levels_[level].push_back(Joined(below[below.size() - 2], below.back()));
    }
  }
}

void SegmentBlocks::Split(std::int32_t first, std::int32_t last,
                          std::vector<Block>& blocks) const {
  blocks.clear();
  std::int32_t low = first - first_;
  std::int32_t high = last - first_;
  // Blocks taken from the front, in order; those from the back go straight
  // into `blocks`, last one first.
  Block front[64];
  int front_count = 0;
  for (std::int32_t level = 0; low < high; ++level, low >>= 1, high >>= 1) {
    if (low & 1) front[front_count++] = {level, low++};
    if (high & 1) blocks.push_back({level, --high});
  }
  while (front_count > 0) blocks.push_back(front[--front_count]);
}

}  // namespace quillmere
