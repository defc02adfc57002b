#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "arcs/sampled/sampled_test_points.h"

namespace quillmere {

// What every point of a run of consecutive segments looks like from one
// reference centre. While the points are walked along the segments, their
// angle seen from the centre changes continuously (no segment passes
// through the centre): by `turn` from the first vertex to the last, and
// within least_turn .. most_turn of the first vertex's angle on the way.
// Every bound keeps a margin over the rounding of its computation.
struct BlockSummary {
  // Every point of every segment lies at least `nearest` and at most
  // `farthest` from the centre.
  double nearest = 0;
  double farthest = 0;
  // The angles of the first and last vertex (atan2 from the centre).
  double first_angle = 0;
  double last_angle = 0;
  double turn = 0;
  double least_turn = 0;  // at most 0
  double most_turn = 0;   // at least 0
  double turn_error = 0;  // bound on the rounding of the three turns
  // The unit vector at the middle of the block's angles, and an angle that
  // every point's direction from the centre lies within of it (blocks of
  // more than one segment only).
  double middle_x = 0;
  double middle_y = 0;
  double half_spread = 0;
  double magnitude = 0;   // largest |x| + |y| of the vertices
  // False when a segment passes too close to the centre for its angles to
  // mean much, or values lie beyond the range of the shortcuts; the other
  // fields then mean nothing.
  bool usable = false;
};

// Summaries of the segments of one polyline from a given first segment on,
// seen from one reference centre: one per segment and one per aligned block
// of 2, 4, 8 ... segments, so that any run of them is the union of a few
// blocks. Segments are added at the end as windows grow; a new reference
// centre means starting again.
class SegmentBlocks {
 public:
  // A block: level 0 is one segment, level L holds 2^L segments; its index
  // counts blocks of its level from the first segment.
  struct Block {
    std::int32_t level;
    std::int32_t index;
  };

  // Forgets every summary; the next ones are seen from `centre` and start
  // with the segment from vertex `first` of `points`.
  void Restart(std::span<const PlanePoint> points, PlanePoint centre, std::int32_t first);
  // Forgets everything, including the points.
  void Clear();

  bool Empty() const { return levels_.empty() || levels_[0].empty(); }
  PlanePoint Centre() const { return centre_; }
  // The first vertex of the first segment, and the vertex after the last.
  std::int32_t FirstVertex() const { return first_; }
  std::int32_t EndVertex() const { return first_ + SegmentCount(); }

  // Adds segments until the one ending at vertex `last` is summarised.
  void ExtendTo(std::int32_t last);

  // The blocks that together hold exactly the segments of the window
  // [first, last] (both within FirstVertex() .. EndVertex()), the last
  // segments' first. Replaces the contents of `blocks`.
  void Split(std::int32_t first, std::int32_t last, std::vector<Block>& blocks) const;

  const BlockSummary& Summary(Block block) const {
    return levels_[static_cast<std::size_t>(block.level)][static_cast<std::size_t>(block.index)];
  }
  std::int32_t FirstVertexOf(Block block) const { return first_ + (block.index << block.level); }
  std::int32_t LastVertexOf(Block block) const {
    return first_ + ((block.index + 1) << block.level);
  }
  static Block FirstHalf(Block block) { return {block.level - 1, 2 * block.index}; }
  static Block SecondHalf(Block block) { return {block.level - 1, 2 * block.index + 1}; }

 private:
  std::int32_t SegmentCount() const {
    return levels_.empty() ? 0 : static_cast<std::int32_t>(levels_[0].size());
  }
  BlockSummary SegmentSummary(const ArcSample& a, const ArcSample& b) const;

  std::span<const PlanePoint> points_;
  PlanePoint centre_;
  std::int32_t first_ = 0;
  std::vector<ArcSample> vertices_;  // seen from the centre, from vertex first_ on
  std::vector<std::vector<BlockSummary>> levels_;
};

}  // namespace quillmere
