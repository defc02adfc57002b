#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "arcs/arc_through_points.h"
#include "arcs/deviation.h"

namespace quillmere {

// A point together with its distance and angle seen from a centre (mostly
// the arc's), computed once and used by every test on it.
struct ArcSample {
  PlanePoint p;
  double rho = 0;    // distance from the centre
  double angle = 0;  // atan2 seen from the centre, -pi .. pi
};

// The test points of one arc: count + 1 points spread evenly over the
// counter-clockwise sweep from `start_angle` to `end_angle`, both ends
// included. Point i lies at the angle
//   phi_i = start_angle + (i * sweep) / count
// and at (centre_x + radius * cos(phi_i), centre_y + radius * sin(phi_i)).
// A point is accepted when one of them lies closer than the deviation, the
// distance being sqrt(dx * dx + dy * dy).
//
// The answers are exactly those of comparing the point with every test point
// in turn, but found with few comparisons: the test points are computed only
// when needed and kept for the arc, a point is compared only with the test
// points near it in angle, and whole stretches of a segment are accepted at
// once where the geometry proves that every point on them is accepted. Every
// proof keeps a safe margin over the rounding errors of the computation;
// where none can be given (values beyond the ranges below, a point near the
// centre) the class compares with every test point.
class ArcTestPoints {
 public:
  // Distances from the centre: the nearest and the farthest.
  struct RadialRange {
    double nearest;
    double farthest;
  };
  // Test point indices first .. last.
  struct IndexRange {
    std::int32_t first;
    std::int32_t last;
  };

  // Test points of arcs in `count` parts (count >= 1), held against
  // `deviation`, which must outlive the object.
  ArcTestPoints(const Deviation& deviation, std::int32_t count);

  // Starts on the arc in `arc`.
  void Reset(const Arc& arc);

  // True when the geometric shortcuts may be used for this arc.
  bool Tame() const { return tame_; }

  // `p` with its distance and angle seen from the centre.
  ArcSample Locate(PlanePoint p) const { return LocateFrom({centre_x_, centre_y_}, p); }
  // `p` with its distance and angle seen from `centre`.
  static ArcSample LocateFrom(PlanePoint centre, PlanePoint p);

  // True when some test point lies closer than the deviation to `sample`.
  bool Accepts(const ArcSample& sample);

  // True when one test point lies closer than the deviation to every point
  // within `slack` of the straight segment from `a` to `b`. False proves
  // nothing.
  bool OnePointCovers(const ArcSample& a, const ArcSample& b, double slack);

  // True when every point within `slack` of the straight segment from `a`
  // to `b` has a test point closer than the deviation, shown from the
  // segment's distances and angles seen from the centre alone, without
  // computing a single test point. False proves nothing.
  bool ArcBandCovers(const ArcSample& a, const ArcSample& b, double slack) const;

  // Test point `index` (0 .. count), exactly as defined above.
  PlanePoint At(std::int32_t index);

  std::int32_t Count() const { return count_; }

  // The distances from the centre that the points of the straight segment
  // from `a` to `b` can have: the nearest (at the foot of the perpendicular
  // or an end) and the farthest (at an end), widened for rounding. Nothing
  // when the segment passes so close to the centre that the angles along it
  // say little.
  std::optional<RadialRange> RadialRangeOf(const ArcSample& a, const ArcSample& b) const {
    return RadialRangeAround({centre_x_, centre_y_}, a, b);
  }
  // The same seen from any `centre`, `a` and `b` located from it.
  static std::optional<RadialRange> RadialRangeAround(PlanePoint centre, const ArcSample& a,
                                                      const ArcSample& b);

  // The allowance for the rounding of angles seen from the centre, for
  // proofs that the test points on the rays from the centre through a line
  // lie closer than the deviation to it: nothing when the line's distances
  // from the centre (`range`) lie too far from the radius for that. Finding
  // where a ray meets a line rounds in proportion to `magnitude`, the size
  // of the coordinates involved.
  std::optional<double> RayProofSlack(const RadialRange& range, double magnitude) const;

  // ArcBandCovers for a segment whose radial range is known.
  bool ArcBandCovers(const ArcSample& a, const ArcSample& b, const RadialRange& range,
                     double slack) const;

  // The test points that lie closer than the deviation to the straight
  // segment from `a` to `b`, as far as its distances and angles seen from
  // the centre prove it: every test point whose angle lies within the
  // segment's is on the ray from the centre that crosses the segment. The
  // indices form up to three ranges (the segment's angles compared with the
  // sweep as they are and one turn earlier or later); returns how many were
  // written to `ranges`.
  int ProvenNearSegment(const ArcSample& a, const ArcSample& b, const RadialRange& range,
                        IndexRange (&ranges)[3]) const;

  // For proofs over many segments at once. Offsets are angles measured
  // counter-clockwise from the start angle (not brought into one turn).
  //
  // True when every point within `slack` of a point whose distance from
  // the centre lies in `range` and whose offset lies in [low, high] has a
  // test point closer than the deviation. False proves nothing.
  bool BandCovers(double low, double high, const RadialRange& range, double slack) const;
  // The test points whose offsets, as they are or one turn earlier or
  // later, lie in [low, high] (all of them when that spans a whole turn);
  // returns how many ranges were written.
  int IndicesWithin(double low, double high, IndexRange (&ranges)[3]) const;
  // False when the test points lie so far apart that BandCovers cannot
  // succeed even for points on the circle itself.
  bool BandsCanCover() const;
  // `angle` (-pi .. pi) as an offset in 0 .. 2*pi.
  double OffsetOf(double angle) const;

  PlanePoint Centre() const { return {centre_x_, centre_y_}; }
  double Radius() const { return radius_; }
  // How far a computed test point may lie from its exact circle point.
  double TestPointError() const { return test_point_error_; }

  // The largest coordinate magnitude for which the shortcuts are safe.
  static constexpr double kLargest = 1e100;
  // Below this, radii, deviations and distances from a centre get too close
  // to the underflow range: squares of distances from 1e-150 up stay normal
  // numbers, so that the absolute error of a computed distance (below
  // 1e-161 from underflow) is far inside the allowance kRelativeSlack *
  // deviation. The shortcuts are not used for smaller values.
  static constexpr double kSmallest = 1e-140;

 private:
  bool IsCloser(std::int32_t index, PlanePoint p);
  bool AcceptsByFullScan(PlanePoint p);
  bool AcceptsNearAngle(PlanePoint p, double angle, double half_width);
  std::int32_t NearestIndex(double angle) const;
  double FarthestAngleFromTestPoints(double from_offset, double to_offset) const;
  // The work of BandCovers and IndicesWithin, kept inline for the tests of
  // single segments that use them most.
  bool BandCoversInline(double low, double high, const RadialRange& range, double slack) const;
  int IndicesWithinInline(double low, double high, IndexRange (&ranges)[3]) const;

  double centre_x_ = 0;
  double centre_y_ = 0;
  double radius_ = 0;
  double start_ = 0;   // start_angle
  double sweep_ = 0;   // counter-clockwise sweep, 0 .. 2*pi
  double step_ = 0;    // sweep / count
  const Deviation& deviation_;
  const std::int32_t count_;
  // Every angle within the sweep is at most this far from a test point's
  // angle (half a step, with the allowance for rounding); and the sine of
  // half of it.
  double within_sweep_farthest_ = 0;
  double within_sweep_sin_half_ = 0;
  // How far a computed test point may lie from the exact circle point.
  double test_point_error_ = 0;
  bool tame_ = false;

  // Test points computed so far for the current arc: those whose stamp is
  // the current one.
  std::vector<double> xs_;
  std::vector<double> ys_;
  std::vector<std::uint32_t> stamps_;
  std::uint32_t stamp_ = 0;
};

}  // namespace quillmere
