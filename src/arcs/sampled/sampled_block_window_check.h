#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "arcs/sampled/sampled_segment_blocks.h"
#include "arcs/sampled/sampled_test_points.h"

namespace quillmere {

// The window test for long windows, whose work grows with the logarithm of
// the window's length instead of the length itself.
//
// While a window grows along an arc, the circle through its first, middle
// and last vertex stays close to the line, and most segments lie far inside
// the deviation. The segments are summarised in blocks (SegmentBlocks) seen
// from a reference centre near the circles' centres. Moving the centre by D
// moves a point at distance rho in direction u to the distance
// sqrt(rho^2 - 2 rho (D . u) + |D|^2) and turns its angle by
// asin((u x -D) / that distance), and u varies little over a block: whole
// blocks are thus shown to lie near the arc, and every arc test point whose
// angle the block's line sweeps over to lie near the line, even while the
// centres of short noisy windows jump about.
// Only where such a bound is not conclusive are the segments tested one by
// one, exactly as FullWindowCheck tests them; the decisions are the same.
//
// The reference centre is the centre of the window that first needed the
// blocks; when windows grow costly while their centres have moved away
// from it, the blocks are summarised anew around a newer centre, at most
// once per doubling of a window. Not thread-safe.
class BlockWindowCheck {
 public:
  // Windows held against `deviation`, which must outlive the object.
  explicit BlockWindowCheck(const Deviation& deviation) : deviation_(deviation) {}

  // Starts on the windows of one polyline; `points` must stay as they are
  // while its windows are tested.
  void Use(std::span<const PlanePoint> points);

  // Tests the window [first, last] against the arc that `test_points` were
  // reset to (its bulge positive when `counter_clockwise`); the test points
  // must be tame.
  bool Passes(ArcTestPoints& test_points, std::int32_t line_tests, bool counter_clockwise,
              std::int32_t first, std::int32_t last);

  // Whether the window [first, last] is worth testing in blocks. Where the
  // circles' centres jump by a good part of their radius from window to
  // window (nearly straight lines), no reference centre serves and blocks
  // cost more than testing segment by segment: once a window of a run has
  // shown that, blocks are tried again only when the window has doubled.
  bool Suits(std::int32_t first, std::int32_t last) const {
    return first != unsuited_first_ || last - first >= 2 * unsuited_length_;
  }

 private:
  bool Decide(std::int32_t first, std::int32_t last);
  void PrepareBlocks(std::int32_t first, std::int32_t last);

  // The vertex seen from the arc's centre, computed once per window.
  const ArcSample& FromCentre(std::int32_t vertex);

  // A block seen from the arc's centre: the distances of its points, and
  // how much their angles differ from those seen from the reference centre.
  struct BlockView {
    ArcTestPoints::RadialRange range;
    double least_change;
    double most_change;
  };
  std::optional<BlockView> ViewFromCentre(const BlockSummary& summary) const;

  // Line near arc: every line test point of the block's segments.
  bool LineNearArc(SegmentBlocks::Block block);
  bool SegmentNearArc(std::int32_t k);
  bool BlockProvenNearArc(SegmentBlocks::Block block);

  // Arc near line: the test points shown near some segment of the block.
  void CollectNearTestPoints(SegmentBlocks::Block block);
  bool BlockCoversTestPoints(SegmentBlocks::Block block);
  bool RemainingTestPointsNearLine(std::int32_t first, std::int32_t last);

  const Deviation& deviation_;
  std::span<const PlanePoint> points_;
  SegmentBlocks blocks_;

  // The window being tested.
  ArcTestPoints* test_points_ = nullptr;
  std::int32_t line_tests_ = 1;
  bool counter_clockwise_ = false;
  PlanePoint displacement_;        // from the blocks' centre to the arc's
  double reference_distance_ = 0;  // its length, rounded up
  std::vector<SegmentBlocks::Block> split_;
  std::vector<ArcTestPoints::IndexRange> proven_;
  std::vector<ArcSample> samples_;  // vertices from the blocks' first on
  std::vector<std::uint32_t> sample_stamps_;
  std::uint32_t stamp_ = 0;
  std::int64_t work_ = 0;

  // When the blocks were last summarised anew, and whether the last window
  // asks for it.
  std::int32_t restart_first_ = -1;
  std::int32_t restart_length_ = 0;
  bool restart_wanted_ = false;
  // The run and window length where blocks last proved no help.
  std::int32_t unsuited_first_ = -1;
  std::int32_t unsuited_length_ = 0;
};

}  // namespace quillmere
