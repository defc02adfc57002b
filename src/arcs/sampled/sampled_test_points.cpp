#include "arcs/sampled/sampled_test_points.h"

#include <algorithm>
#include <cmath>

#include "arcs/arc_rounding.h"
#include "arcs/sampled/sampled_angles.h"

namespace quillmere {

namespace {

constexpr double kTwoPi = 2 * M_PI;

bool WithinRange(double value) { return std::abs(value) <= ArcTestPoints::kLargest; }

double Distance(PlanePoint a, PlanePoint b) {
  const double dx = a.x - b.x;
  const double dy = a.y - b.y;
  return std::sqrt(dx * dx + dy * dy);
}

// `angle` - `start` brought into 0 .. 2*pi, for angles within one turn of
// -pi .. pi.
double OffsetFrom(double start, double angle) {
  double offset = angle - start;
  if (offset < 0) offset += kTwoPi;
  if (offset >= kTwoPi) offset -= kTwoPi;
  return offset;
}

}  // namespace

ArcTestPoints::ArcTestPoints(const Deviation& deviation, std::int32_t count)
    : deviation_(deviation), count_(count) {
  const std::size_t size = static_cast<std::size_t>(count) + 1;
  xs_.resize(size);
  ys_.resize(size);
  stamps_.resize(size, 0);
}

void ArcTestPoints::Reset(const Arc& arc) {
  centre_x_ = arc.centre_x;
  centre_y_ = arc.centre_y;
  radius_ = arc.radius;
  start_ = arc.start_angle;
  sweep_ = CounterClockwiseSweep(arc.start_angle, arc.end_angle);
  step_ = sweep_ / count_;
  within_sweep_farthest_ = step_ / 2 + kAngleSlack;
  within_sweep_sin_half_ = std::sin(within_sweep_farthest_ / 2);
  // A test point is rounded once when it is put together from centre and
  // radius times cosine or sine, and the cosine and sine are within one unit
  // in the last place: together at most 9e-16 * (|cx| + |cy| + r).
  test_point_error_ = 2e-15 * (std::abs(centre_x_) + std::abs(centre_y_) + radius_);
  const double deviation = deviation_.Value();
  tame_ = WithinRange(centre_x_) && WithinRange(centre_y_) && radius_ >= kSmallest &&
          radius_ <= kLargest && deviation >= kSmallest && deviation <= kLargest &&
          std::isfinite(start_) && std::isfinite(sweep_);

  if (++stamp_ == 0) {
    std::fill(stamps_.begin(), stamps_.end(), 0);
    stamp_ = 1;
  }
}

PlanePoint ArcTestPoints::At(std::int32_t index) {
  const std::size_t i = static_cast<std::size_t>(index);
  if (stamps_[i] != stamp_) {
    const double angle = start_ + static_cast<double>(index) * sweep_ / count_;
    xs_[i] = centre_x_ + radius_ * std::cos(angle);
    ys_[i] = centre_y_ + radius_ * std::sin(angle);
    stamps_[i] = stamp_;
  }
  return {xs_[i], ys_[i]};
}

bool ArcTestPoints::IsCloser(std::int32_t index, PlanePoint p) {
  return deviation_.Closer(Distance(At(index), p));
}

bool ArcTestPoints::AcceptsByFullScan(PlanePoint p) {
  for (std::int32_t i = 0; i <= count_; ++i) {
    if (IsCloser(i, p)) return true;
  }
  return false;
}

std::int32_t ArcTestPoints::NearestIndex(double angle) const {
  const double offset = OffsetFrom(start_, angle);
  double index;
  if (offset <= sweep_) {
    index = std::round(offset / step_);
  } else {
    index = offset - sweep_ < kTwoPi - offset ? count_ : 0;
  }
  if (!(index > 0)) return 0;  // also when the sweep is 0 and the quotient NaN
  return index >= count_ ? count_ : static_cast<std::int32_t>(index);
}

ArcSample ArcTestPoints::LocateFrom(PlanePoint centre, PlanePoint p) {
  const double dx = p.x - centre.x;
  const double dy = p.y - centre.y;
  return {p, std::sqrt(dx * dx + dy * dy), std::atan2(dy, dx)};
}

double ArcTestPoints::OffsetOf(double angle) const { return OffsetFrom(start_, angle); }

bool ArcTestPoints::Accepts(const ArcSample& sample) {
  const PlanePoint p = sample.p;
  if (!tame_ || !WithinRange(p.x) || !WithinRange(p.y)) return AcceptsByFullScan(p);
  if (IsCloser(NearestIndex(sample.angle), p)) return true;

  // No other test point can be closer than the deviation unless its angle
  // lies within a narrow interval around the sample's. Let Q be the point at
  // the sample's distance rho and angle from the centre: it lies within
  // 4e-15 * rho of p. An exact circle point at the angular distance a from
  // that angle lies sqrt((rho - r)^2 + 4 rho r sin^2(a / 2)) from Q, and each
  // test point within test_point_error_ of its exact circle point. A test
  // point is therefore closer than the deviation only if that root is below
  // `reach`.
  const double rho = sample.rho;
  const double reach =
      (deviation_.Value() + test_point_error_ + 4e-15 * rho) * (1 + kRelativeSlack);
  const double radial = std::abs(rho - radius_);
  const double radial_sq = radial * radial * (1 - kRelativeSlack);
  const double reach_sq = reach * reach;
  if (radial_sq >= reach_sq) return false;  // too far from the circle itself
  const double sin_half =
      std::sqrt((reach_sq - radial_sq) / (4 * rho * radius_)) * (1 + kRelativeSlack);
  if (!(sin_half < 1)) return AcceptsByFullScan(p);  // near the centre: every angle
  return AcceptsNearAngle(p, sample.angle, 2 * std::asin(sin_half) + kAngleSlack);
}

bool ArcTestPoints::AcceptsNearAngle(PlanePoint p, double angle, double half_width) {
  // With a sweep of 0 every test point is the same point, and the nearest
  // one has been compared already.
  if (sweep_ == 0) return false;
  if (!(step_ > 0)) return AcceptsByFullScan(p);

  // Test point i lies at the offset i * step from the start; the point's
  // offset may match it directly or one turn earlier or later.
  const double offset = OffsetFrom(start_, angle);
  for (int turn = -1; turn <= 1; ++turn) {
    const double centre = offset + turn * kTwoPi;
    const double low = (centre - half_width) / step_;
    const double high = (centre + half_width) / step_;
    if (std::isnan(low) || std::isnan(high)) return AcceptsByFullScan(p);
    if (high < -1 || low > count_ + 1) continue;
    // One index more on each side absorbs the rounding of the quotients.
    const std::int32_t first = low <= 1 ? 0 : static_cast<std::int32_t>(std::floor(low)) - 1;
    const std::int32_t last =
        high >= count_ - 1 ? count_ : static_cast<std::int32_t>(std::ceil(high)) + 1;
    for (std::int32_t i = first; i <= last; ++i) {
      if (IsCloser(i, p)) return true;
    }
  }
  return false;
}

bool ArcTestPoints::OnePointCovers(const ArcSample& a, const ArcSample& b, double slack) {
  if (!tame_) return false;
  // The distance to a fixed point is convex along a segment, so the test
  // point that covers both ends with room to spare covers all between them.
  // The test point nearest in angle to the middle is the one to try.
  const double middle = a.angle + AngleBetween(a.angle, b.angle) / 2;
  const PlanePoint t = At(NearestIndex(middle));
  const double limit = deviation_.Value() * (1 - kRelativeSlack) - 2 * slack;
  return Distance(t, a.p) <= limit && Distance(t, b.p) <= limit;
}

double ArcTestPoints::FarthestAngleFromTestPoints(double from_offset, double to_offset) const {
  // Inside the sweep every offset has a test point within half a step;
  // before the start the first test point, after the end the last one is
  // within the overshoot.
  double farthest = within_sweep_farthest_;
  if (from_offset < 0) farthest = std::max(farthest, -from_offset + kAngleSlack);
  if (to_offset > sweep_) farthest = std::max(farthest, to_offset - sweep_ + kAngleSlack);
  return farthest;
}

std::optional<ArcTestPoints::RadialRange> ArcTestPoints::RadialRangeAround(PlanePoint centre,
                                                                          const ArcSample& a,
                                                                          const ArcSample& b) {
  // The largest distance is at an end; the smallest is found at the foot of
  // the perpendicular (or an end), which rounding can only move along the
  // segment, lengthening the distance by less than the allowance subtracted
  // here.
  const double rho_far = std::max(a.rho, b.rho) * (1 + kRelativeSlack);
  const double ax = a.p.x - centre.x;
  const double ay = a.p.y - centre.y;
  const double ux = b.p.x - a.p.x;
  const double uy = b.p.y - a.p.y;
  const double length_sq = ux * ux + uy * uy;
  double foot = 0;
  if (length_sq > 0) foot = std::clamp((-ax * ux - ay * uy) / length_sq, 0.0, 1.0);
  const double nx = ax + foot * ux;
  const double ny = ay + foot * uy;
  const double rho_near =
      std::sqrt(nx * nx + ny * ny) - 1e-13 * (rho_far + std::sqrt(length_sq));
  // Close to the centre the angles along the segment say little.
  if (!(rho_near > 1e-6 * rho_far)) return std::nullopt;
  return RadialRange{rho_near, rho_far};
}

inline bool ArcTestPoints::BandCoversInline(double low, double high, const RadialRange& range,
                                            double slack) const {
  if (!tame_) return false;
  const double rho_near = range.nearest;
  const double rho_far = range.farthest;
  // The stretch of offsets may be compared with the test points as it is or
  // one turn earlier or later; the best of the three bounds holds.
  const double farthest = std::min({FarthestAngleFromTestPoints(low, high),
                                    FarthestAngleFromTestPoints(low - kTwoPi, high - kTwoPi),
                                    FarthestAngleFromTestPoints(low + kTwoPi, high + kTwoPi)});
  if (!(farthest < M_PI)) return false;

  // A point at distance rho and at most `farthest` in angle from an exact
  // circle point lies at most sqrt((rho - r)^2 + 4 rho r sin^2(farthest / 2))
  // from it; the expression is convex in rho, so the larger of its values at
  // the nearest and farthest distance bounds the whole segment.
  const double sin_half =
      farthest == within_sweep_farthest_ ? within_sweep_sin_half_ : std::sin(farthest / 2);
  const double angular = 4 * radius_ * sin_half * sin_half;
  const auto worst = [&](double rho) {
    const double off = rho - radius_;
    return off * off + rho * angular;
  };
  const double bound = std::sqrt(std::max(worst(rho_near), worst(rho_far))) * (1 + kRelativeSlack);
  return deviation_.ProvenCloser(bound + slack + test_point_error_);
}

bool ArcTestPoints::BandCovers(double low, double high, const RadialRange& range,
                               double slack) const {
  return BandCoversInline(low, high, range, slack);
}

bool ArcTestPoints::ArcBandCovers(const ArcSample& a, const ArcSample& b, double slack) const {
  if (!tame_) return false;
  const std::optional<RadialRange> range = RadialRangeOf(a, b);
  return range && ArcBandCovers(a, b, *range, slack);
}

bool ArcTestPoints::ArcBandCovers(const ArcSample& a, const ArcSample& b,
                                  const RadialRange& range, double slack) const {
  if (!tame_) return false;
  // The angles seen from the centre run monotonically from a's to b's, over
  // less than half a turn (the centre is well off the segment).
  const double turn = AngleBetween(a.angle, b.angle);
  const double a_offset = OffsetFrom(start_, a.angle);
  const double low = std::min(a_offset, a_offset + turn) - kAngleSlack;
  const double high = std::max(a_offset, a_offset + turn) + kAngleSlack;
  return BandCoversInline(low, high, range, slack);
}


bool ArcTestPoints::BandsCanCover() const {
  // The least bound BandCovers can give: points at the radius, within the
  // sweep.
  const double least_bound = 2 * radius_ * within_sweep_sin_half_;
  return tame_ && deviation_.ProvenCloser(least_bound + test_point_error_);
}

inline int ArcTestPoints::IndicesWithinInline(double low, double high,
                                              IndexRange (&ranges)[3]) const {
  if (!tame_ || !(step_ > 0) || !(low <= high)) return 0;
  if (high - low >= kTwoPi) {
    ranges[0] = {0, count_};
    return 1;
  }
  // Test point offsets run from 0 to the sweep; offsets within less than a
  // turn of 0 .. 2*pi meet them as they are, one turn earlier or later.
  int written = 0;
  for (const double shift : {0.0, -kTwoPi, kTwoPi}) {
    if (high + shift < 0 || low + shift > sweep_) continue;
    const double first = std::ceil((low + shift) / step_);
    const double last = std::floor((high + shift) / step_);
    if (!(first <= last) || last < 0 || first > count_) continue;
    ranges[written++] = {first <= 0 ? 0 : static_cast<std::int32_t>(first),
                         last >= count_ ? count_ : static_cast<std::int32_t>(last)};
  }
  return written;
}

int ArcTestPoints::IndicesWithin(double low, double high, IndexRange (&ranges)[3]) const {
  return IndicesWithinInline(low, high, ranges);
}

std::optional<double> ArcTestPoints::RayProofSlack(const RadialRange& range,
                                                   double magnitude) const {
  // Along the ray, the test point lies at most this far from the crossing.
  const double radial =
      std::max(radius_ - range.nearest, range.farthest - radius_) + test_point_error_;
  if (!deviation_.ProvenCloser(radial + kScaleSlack * magnitude)) return std::nullopt;
  // The angles of the line's points are rounded in proportion to the
  // coordinates over their distance from the centre, and so is a test
  // point's angle.
  return kAngleSlack + 4e-15 * magnitude / std::min(range.nearest, radius_);
}

int ArcTestPoints::ProvenNearSegment(const ArcSample& a, const ArcSample& b,
                                     const RadialRange& range, IndexRange (&ranges)[3]) const {
  if (!tame_ || !(step_ > 0)) return 0;
  const double magnitude = std::abs(a.p.x) + std::abs(a.p.y) + std::abs(b.p.x) +
                           std::abs(b.p.y) + std::abs(centre_x_) + std::abs(centre_y_) + radius_;
  const std::optional<double> slack = RayProofSlack(range, magnitude);
  if (!slack) return 0;
  const double angle_slack = *slack;
  const double a_offset = OffsetFrom(start_, a.angle);
  const double turn = AngleBetween(a.angle, b.angle);
  const double low = std::min(a_offset, a_offset + turn) + angle_slack;
  const double high = std::max(a_offset, a_offset + turn) - angle_slack;
  return IndicesWithinInline(low, high, ranges);
}


}  // namespace quillmere
