#pragma once

// Where the exact window test's angles lie, known without computing them.
//
// The walk along a window (ExactWindowCheck) adds up, segment by segment,
// the turn seen from the arc's centre, atan2(direction * cross, dot) of the
// segment's ends relative to the centre, starting from 0 at the arc's
// start, and compares the sum at each vertex with 0 and with the arc's
// sweep. Those atan2 calls cost most of the walk. The bounds below tell,
// from products and sums alone, whether the sum as computed lies strictly
// within (0, sweep) at an inner vertex, and what range it lies in at the
// last vertex. Their margins are far wider than the rounding of the
// library's atan2 (a few units in the last place), of the cross and dot
// products and of the sums, so where a bound decides a comparison, the
// computed sum decides it the same way; where it cannot, the caller
// computes the sum.

#include <cmath>
#include <cstdint>
#include <optional>

#include "arcs/arc_through_points.h"
#include "arcs/exact/plane_vectors.h"

namespace quillmere {

// Bounds of the sum at the window's last vertex.
struct SumRange {
  double low = 0;
  double high = 0;
};

// Any arc, from the turns' tangents: up to 45 degrees a turn's tangent r =
// y / x bounds it, as atan r = r - r^3/3 + r^5/5 - ... runs in alternating,
// falling terms: it lies between r - r^3/3 and that plus r^5/5. The bound
// keeps the middle and half the gap, and the rounding besides.
class TangentTurns {
 public:
  TangentTurns(double sweep, double direction) : sweep_(sweep), direction_(direction) {}

  // Adds the turn from `a` to `b` (relative to the centre); whether the sum
  // then lies strictly within (0, sweep).
  bool InnerVertex(PlanePoint a, PlanePoint b) {
    return Add(a, b) && value_ - 2 * error_ > 0 && value_ + 2 * error_ < sweep_;
  }
  bool InnerVertexInBand(PlanePoint a, PlanePoint b) { return InnerVertex(a, b); }
  // Adds the last turn: the range of the sum when it is known to be
  // positive and less than half a turn from the sweep.
  std::optional<SumRange> LastVertex(PlanePoint a, PlanePoint b) {
    if (!Add(a, b) || !(std::abs(value_ - sweep_) + 2 * error_ < 3)) return std::nullopt;
    const SumRange range{value_ - 2 * error_, value_ + 2 * error_};
    if (!(range.low > 0)) return std::nullopt;
    return range;
  }

 private:
  bool Add(PlanePoint a, PlanePoint b) {
    const double y = direction_ * plane::Cross(a, b);
    const double x = plane::Dot(a, b);
    if (!(x > 0) || !(std::abs(y) <= x)) return false;
    const double r = y / x;
    const double r2 = r * r;
    // Products with the series' constants (r^5/8 for r^5/10): a division
    // would cost as much as the rest together, and their rounding is within
    // kTurnRounding.
    value_ += r - r * r2 * kThird + r * r2 * r2 * kTenth;
    error_ += std::abs(r) * r2 * r2 * kEighth + kTurnRounding * std::abs(r) +
              kSumRounding * (std::abs(value_) + 2) + kTinyTurn;
    return error_ < kUsefulError;
  }

  // atan2 itself, the tangent's division and the series' own arithmetic
  // each round by a few units in the last place of the turn.
  static constexpr double kTurnRounding = 1e-13;
  // Both sums round by half a unit in the last place of their value.
  static constexpr double kSumRounding = 1e-15;
  // Results too small for a relative bound (subnormal turns).
  static constexpr double kTinyTurn = 1e-300;
  static constexpr double kUsefulError = 1e-3;
  static constexpr double kThird = 1.0 / 3;
  static constexpr double kTenth = 0.1;
  static constexpr double kEighth = 0.125;

  double sweep_;
  double direction_;
  double value_ = 0;
  double error_ = 0;
};

// Arcs below a half circle, from each vertex's side of the arc's two end
// rays: without a division or a square root. A vertex strictly within the
// sector by more than the sum's error lies within it in the sum too, as
// long as the sum followed the vertices: each turn between two vertices of
// a sector narrower than a half circle is the difference of their angles,
// so the sum at each vertex is its angle from the start ray, up to
// rounding. The end ray's angle is known up to rounding from one atan2.
class SectorTurns {
 public:
  // For a window of `segments` segments whose vertices mostly lie within
  // `band_size` of the centre; nothing for arcs too near a half circle or
  // larger.
  static std::optional<SectorTurns> For(PlanePoint start, PlanePoint end, double sweep,
                                        double direction, std::int32_t segments,
                                        double band_size) {
    if (!(sweep < kLargestSweep)) return std::nullopt;
    // The end rays turned so that the arc runs counter-clockwise: negating
    // a cross product's factor only changes its sign.
    start = {direction * start.x, direction * start.y};
    end = {direction * end.x, direction * end.y};
    // The angle between the end rays, as the sum would find it in one turn.
    const double between = std::atan2(plane::Cross(start, end), plane::Dot(start, end));
    if (!(between > 0 && between < kLargestSweep)) return std::nullopt;
    // The sum's error at any vertex, and how far the sweep and the true
    // angle between the end rays lie apart.
    const double sum_error = (segments + 1) * kTurnError;
    const double margin = sum_error + std::abs(between - sweep) + kTurnError + kCrossRounding;
    return SectorTurns(start, end, margin, band_size,
                       SumRange{between - 2 * (sum_error + kTurnError),
                                between + 2 * (sum_error + kTurnError)});
  }

  // Whether the sum at `b`, one turn further from `a`, lies strictly
  // within (0, sweep).
  bool InnerVertex(PlanePoint /*a*/, PlanePoint b) const {
    const double b_size = std::abs(b.x) + std::abs(b.y);
    return plane::Cross(start_, b) > start_margin_ * b_size &&
           plane::Cross(b, end_) > end_margin_ * b_size;
  }
  // The same for `b` no further than the band size from the centre.
  bool InnerVertexInBand(PlanePoint /*a*/, PlanePoint b) const {
    return plane::Cross(start_, b) > start_band_margin_ && plane::Cross(b, end_) > end_band_margin_;
  }
  // The range of the sum at the end vertex when it is known to be positive.
  std::optional<SumRange> LastVertex(PlanePoint /*a*/, PlanePoint /*b*/) const {
    if (!(end_sum_.low > 0)) return std::nullopt;
    return end_sum_;
  }

 private:
  // `margin` is the least sine of a vertex's angle from either end ray; a
  // cross product's factors are taken at sizes no smaller than their norms
  // nor any of their coordinates (|x| + |y|, or the band size).
  SectorTurns(PlanePoint start, PlanePoint end, double margin, double band_size,
              SumRange end_sum)
      : start_(start),
        end_(end),
        start_margin_(margin * (std::abs(start.x) + std::abs(start.y))),
        end_margin_(margin * (std::abs(end.x) + std::abs(end.y))),
        start_band_margin_(start_margin_ * band_size),
        end_band_margin_(end_margin_ * band_size),
        end_sum_(end_sum) {}

  // Below a half circle by a margin that keeps every turn away from the
  // half turn, where atan2 changes sign.
  static constexpr double kLargestSweep = 3.0;
  // A turn as the sum adds it, against the true angle between its
  // vertices: atan2's rounding, the cross and dot products' and the sum's,
  // a few units in the last place of 2 pi.
  static constexpr double kTurnError = 1e-13;
  // Cross products against the sizes of their factors.
  static constexpr double kCrossRounding = 1e-15;

  PlanePoint start_;
  PlanePoint end_;
  double start_margin_;
  double end_margin_;
  double start_band_margin_;
  double end_band_margin_;
  SumRange end_sum_;
};

}  // namespace quillmere
