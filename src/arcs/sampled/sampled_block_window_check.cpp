#include "arcs/sampled/sampled_block_window_check.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "arcs/arc_rounding.h"
#include "arcs/sampled/sampled_angles.h"
#include "arcs/sampled/sampled_segment_checks.h"

namespace quillmere {

namespace {

// Each line test point lies within this many times the largest |x| + |y| of
// its segment's vertices from the segment (SegmentTestPoints).
constexpr double kLinePointError = 4e-15;

// A lower bound of asin(sine) for |sine| below 1/2: x <= asin(x) <=
// x / sqrt(1 - x^2) for x >= 0, and the bound holds the other way round for
// x < 0; rounded down by far more than the rounding of the quotient.
double AngleAtLeast(double sine) {
  const double angle = sine >= 0 ? sine : sine / std::sqrt(1 - sine * sine);
  return angle - 1e-15 * std::abs(angle);
}

// Work up to which a window counts as cheap: the blocks of the window in
// both directions, a few more, and the few test points at the ends.
std::int64_t WorkBudget(std::int32_t segments) {
  return 12 + 2 * std::popcount(static_cast<std::uint32_t>(segments));
}

}  // namespace

void BlockWindowCheck::Use(std::span<const PlanePoint> points) {
  points_ = points;
  blocks_.Clear();
  restart_first_ = -1;
  restart_wanted_ = false;
  unsuited_first_ = -1;
  unsuited_length_ = 0;
}

bool BlockWindowCheck::Passes(ArcTestPoints& test_points, std::int32_t line_tests,
                              bool counter_clockwise, std::int32_t first, std::int32_t last) {
  test_points_ = &test_points;
  line_tests_ = line_tests;
  counter_clockwise_ = counter_clockwise;
  work_ = 0;
  PrepareBlocks(first, last);
  const bool passes = Decide(first, last);
  // New summaries help only when the centre has moved; a window that is
  // costly although the centre stayed is costly for other reasons.
  restart_wanted_ = work_ > WorkBudget(last - first) &&
                    reference_distance_ > 1e-3 * deviation_.Value();
  // Splitting down to single segments everywhere costs more than testing
  // them one by one.
  if (work_ > 2 * static_cast<std::int64_t>(last - first)) {
    unsuited_first_ = first;
    unsuited_length_ = last - first;
  }
  return passes;
}

void BlockWindowCheck::PrepareBlocks(std::int32_t first, std::int32_t last) {
  // Blocks aligned with the window's first vertex make the fewest blocks
  // per window, so each run of windows from a new first vertex starts them
  // anew (its first long window is short), around the same reference
  // centre while that served well: a run that goes on along the same arc
  // has a better one there than the centre of its own first windows. If
  // the kept centre proves costly, the next window brings its own.
  // Otherwise blocks are summarised anew only once the window has doubled,
  // which costs at most two summaries per window on the way.
  const std::int32_t length = last - first;
  const bool new_run = first != restart_first_;
  const bool grown = length >= 2 * restart_length_;
  if (blocks_.Empty() || new_run || (restart_wanted_ && grown)) {
    const bool keep_centre = !blocks_.Empty() && new_run && !restart_wanted_;
    blocks_.Restart(points_, keep_centre ? blocks_.Centre() : test_points_->Centre(), first);
    restart_first_ = first;
    restart_length_ = keep_centre ? 0 : length;
    restart_wanted_ = false;
  }
  blocks_.ExtendTo(last);

  const auto count = static_cast<std::size_t>(blocks_.EndVertex() - blocks_.FirstVertex() + 1);
  if (samples_.size() < count) {
    samples_.resize(count);
    sample_stamps_.resize(count, 0);
  }
  if (++stamp_ == 0) {
    std::fill(sample_stamps_.begin(), sample_stamps_.end(), 0);
    stamp_ = 1;
  }
  // Each difference is rounded relatively, and so are the squares, their
  // sum and the root.
  const PlanePoint reference = blocks_.Centre();
  const PlanePoint centre = test_points_->Centre();
  displacement_ = {centre.x - reference.x, centre.y - reference.y};
  reference_distance_ =
      std::sqrt(displacement_.x * displacement_.x + displacement_.y * displacement_.y) *
      (1 + 1e-14);
}

const ArcSample& BlockWindowCheck::FromCentre(std::int32_t vertex) {
  const auto index = static_cast<std::size_t>(vertex - blocks_.FirstVertex());
  if (sample_stamps_[index] != stamp_) {
    samples_[index] = test_points_->Locate(points_[static_cast<std::size_t>(vertex)]);
    sample_stamps_[index] = stamp_;
  }
  return samples_[index];
}

bool BlockWindowCheck::Decide(std::int32_t first, std::int32_t last) {
  // The newest segment alone first: the likeliest to fail while a window
  // grows.
  if (!SegmentNearArc(last - 1)) return false;
  blocks_.Split(first, last, split_);
  for (const SegmentBlocks::Block block : split_) {
    if (!LineNearArc(block)) return false;
  }
  proven_.clear();
  for (const SegmentBlocks::Block block : split_) CollectNearTestPoints(block);
  return RemainingTestPointsNearLine(first, last);
}

bool BlockWindowCheck::LineNearArc(SegmentBlocks::Block block) {
  ++work_;
  if (block.level == 0) return SegmentNearArc(blocks_.FirstVertexOf(block));
  if (BlockProvenNearArc(block)) return true;
  // The second half holds the newer segments.
  return LineNearArc(SegmentBlocks::SecondHalf(block)) &&
         LineNearArc(SegmentBlocks::FirstHalf(block));
}

bool BlockWindowCheck::SegmentNearArc(std::int32_t k) {
  ++work_;
  return LineTestPointsNearArc(*test_points_, FromCentre(k), FromCentre(k + 1), line_tests_);
}

std::optional<BlockWindowCheck::BlockView> BlockWindowCheck::ViewFromCentre(
    const BlockSummary& summary) const {
  const double distance = reference_distance_;
  if (!summary.usable || !(distance <= 0.25 * summary.nearest)) return std::nullopt;
  // A point p at distance rho and in direction u from the reference centre
  // lies at sqrt(rho^2 - 2 rho along + |D|^2) from the arc's centre, with
  // along = D . u, and its angle seen from there is larger by
  // asin(across / that distance), with across = u_y D_x - u_x D_y. Over the
  // block u stays within half_spread of the middle direction, so `along`
  // and `across` stay within |D| half_spread of their values there (and
  // within |D| anyway). With |D| at most a quarter of rho, the distance
  // grows with rho and shrinks with `along`; each root below is rounded by
  // less than 1e-15 of its size.
  const double allowance = distance * summary.half_spread + 1e-12 * distance;
  const double along = displacement_.x * summary.middle_x + displacement_.y * summary.middle_y;
  const double across = summary.middle_y * displacement_.x - summary.middle_x * displacement_.y;
  const double along_high = std::min(along + allowance, distance);
  const double along_low = std::max(along - allowance, -distance);
  const double nearest = summary.nearest;
  const double farthest = summary.farthest;
  BlockView view;
  view.range = {std::sqrt(nearest * nearest - 2 * nearest * along_high) * (1 - 1e-13),
                std::sqrt(farthest * farthest - 2 * farthest * along_low + distance * distance) *
                    (1 + 1e-13)};
  const double across_low = std::max(across - allowance, -distance);
  const double across_high = std::min(across + allowance, distance);
  const double least_sine =
      across_low / (across_low >= 0 ? view.range.farthest : view.range.nearest);
  const double most_sine =
      across_high / (across_high >= 0 ? view.range.nearest : view.range.farthest);
  view.least_change = AngleAtLeast(least_sine);
  view.most_change = -AngleAtLeast(-most_sine);
  return view;
}

bool BlockWindowCheck::BlockProvenNearArc(SegmentBlocks::Block block) {
  const BlockSummary& summary = blocks_.Summary(block);
  const std::optional<BlockView> view = ViewFromCentre(summary);
  if (!view) return false;
  // Seen from the arc's centre, a point's angle is the one seen from the
  // reference centre plus the change.
  const double offset = test_points_->OffsetOf(summary.first_angle);
  const double slack = summary.turn_error + kAngleSlack;
  return test_points_->BandCovers(offset + summary.least_turn + view->least_change - slack,
                                  offset + summary.most_turn + view->most_change + slack,
                                  view->range, kLinePointError * summary.magnitude);
}

void BlockWindowCheck::CollectNearTestPoints(SegmentBlocks::Block block) {
  ++work_;
  if (block.level > 0) {
    if (BlockCoversTestPoints(block)) return;
    CollectNearTestPoints(SegmentBlocks::FirstHalf(block));
    CollectNearTestPoints(SegmentBlocks::SecondHalf(block));
    return;
  }
  const std::int32_t k = blocks_.FirstVertexOf(block);
  const ArcSample& a = FromCentre(k);
  const ArcSample& b = FromCentre(k + 1);
  const std::optional<ArcTestPoints::RadialRange> range = test_points_->RadialRangeOf(a, b);
  if (!range) return;
  ArcTestPoints::IndexRange ranges[3];
  const int count = test_points_->ProvenNearSegment(a, b, *range, ranges);
  proven_.insert(proven_.end(), ranges, ranges + count);
}

bool BlockWindowCheck::BlockCoversTestPoints(SegmentBlocks::Block block) {
  const BlockSummary& summary = blocks_.Summary(block);
  const std::optional<BlockView> view = ViewFromCentre(summary);
  if (!view) return false;
  // Every ray from the arc's centre at an angle that the block's line
  // sweeps over from its first to its last vertex meets the line at a
  // distance within the view's range; RayProofSlack tells whether a test
  // point on such a ray then lies within the deviation of the line.
  const double radius = test_points_->Radius();
  const PlanePoint centre = test_points_->Centre();
  const double magnitude =
      2 * summary.magnitude + std::abs(centre.x) + std::abs(centre.y) + radius;
  const std::optional<double> ray_slack = test_points_->RayProofSlack(view->range, magnitude);
  if (!ray_slack) return false;

  // Seen from the arc's centre the line sweeps from the first vertex's
  // angle to the last one's, turning by `turn` plus the difference of the
  // changes of their angles between the two views (each less than a
  // quarter turn).
  const ArcSample& first = FromCentre(blocks_.FirstVertexOf(block));
  const ArcSample& last = FromCentre(blocks_.LastVertexOf(block));
  const double turn = summary.turn + AngleBetween(summary.last_angle, last.angle) -
                      AngleBetween(summary.first_angle, first.angle);
  const double slack = *ray_slack + summary.turn_error + 1e-15 * (std::abs(summary.turn) + 4);
  const double offset = test_points_->OffsetOf(first.angle);
  ArcTestPoints::IndexRange ranges[3];
  const int count = test_points_->IndicesWithin(std::min(offset, offset + turn) + slack,
                                                std::max(offset, offset + turn) - slack, ranges);
  proven_.insert(proven_.end(), ranges, ranges + count);
  return true;
}

bool BlockWindowCheck::RemainingTestPointsNearLine(std::int32_t first, std::int32_t last) {
  std::sort(proven_.begin(), proven_.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::int32_t unproven = 0;
  const auto near_line = [&](std::int32_t until) {
    for (; unproven < until; ++unproven) {
      ++work_;
      if (!TestPointNearSomeSegment(*test_points_, deviation_, points_, first, last, unproven,
                                    counter_clockwise_)) {
        return false;
      }
    }
    return true;
  };
  for (const ArcTestPoints::IndexRange& range : proven_) {
    if (!near_line(range.first)) return false;
    unproven = std::max(unproven, range.last + 1);
  }
  return near_line(test_points_->Count() + 1);
}

}  // namespace quillmere
