#include "arcs/exact/exact_window_check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "arcs/exact/exact_bulge_search.h"
#include "arcs/exact/plane_vectors.h"
#include "arcs/exact/turn_bounds.h"

namespace quillmere {

namespace {

// Arcs tried on either side of a balanced arc that fails the exact test.
constexpr int kOtherArcs = 4;

// Vertices before a window's end measured first.
constexpr std::int32_t kEndVertices = 4;

using plane::Along;
using plane::Cross;
using plane::Dot;
using plane::Minus;
using plane::Norm;

// The distance from the origin to the segment from `a` to `b`.
double DistanceFromOrigin(PlanePoint a, PlanePoint b) {
  const PlanePoint d = Minus(b, a);
  const double length2 = Dot(d, d);
  const double t = length2 > 0 ? std::clamp(-Dot(a, d) / length2, 0.0, 1.0) : 0.0;
  return Norm(Along(a, b, t));
}

// The arc as the writer writes it, from the first to the last vertex with
// the bulge found, seen from its centre: its ends relative to the centre,
// its radius, and its included angle, positive in the arc's direction.
struct CentredArc {
  PlanePoint centre;
  PlanePoint start;
  PlanePoint end;
  double radius = 0;
  double sweep = 0;       // 0 .. 2 pi
  double direction = 1;   // +1 counter-clockwise, -1 clockwise

  // Points of the sector lie at their radial distance from the arc, the
  // others at their distance from the nearer end.
  double EndDistance(PlanePoint q) const {
    return std::min(Norm(Minus(q, start)), Norm(Minus(q, end)));
  }

  // The signed angle the segment from `a` to `b` turns through, seen from
  // the centre, positive in the arc's direction.
  double Turn(PlanePoint a, PlanePoint b) const {
    return std::atan2(direction * Cross(a, b), Dot(a, b));
  }
};

CentredArc ArcFromBulge(PlanePoint first, PlanePoint last, double bulge) {
  const PlanePoint chord = Minus(last, first);
  const double length = Norm(chord);
  const PlanePoint left = {-chord.y / length, chord.x / length};
  const double offset = length * (1 - bulge * bulge) / (4 * bulge);  // signed, along `left`
  CentredArc arc;
  arc.centre = {(first.x + last.x) / 2 + offset * left.x, (first.y + last.y) / 2 + offset * left.y};
  arc.start = Minus(first, arc.centre);
  arc.end = Minus(last, arc.centre);
  arc.radius = length * (1 + bulge * bulge) / (4 * std::abs(bulge));
  arc.sweep = 4 * std::atan(std::abs(bulge));
  arc.direction = bulge > 0 ? 1 : -1;
  return arc;
}

// The largest distance to the arc of the points between `p` and `q`, all
// of them outside the sector. Each lies nearest to the arc end on its side
// of the line through the centre that halves the chord, and its distance
// from that end is largest at the piece's ends: split the piece there.
double OutsideDistance(const CentredArc& arc, PlanePoint p, PlanePoint q) {
  const PlanePoint chord = Minus(arc.end, arc.start);
  const PlanePoint middle = {(arc.start.x + arc.end.x) / 2, (arc.start.y + arc.end.y) / 2};
  const double side_p = Dot(Minus(p, middle), chord);
  const double side_q = Dot(Minus(q, middle), chord);
  double largest = std::max(arc.EndDistance(p), arc.EndDistance(q));
  if ((side_p < 0) != (side_q < 0)) {
    largest = std::max(largest, arc.EndDistance(Along(p, q, side_p / (side_p - side_q))));
  }
  return largest;
}

// The largest distance to the arc of the points between `p` and `q`, all
// of them inside the sector: |distance from the centre - radius|. The
// distance from the centre is convex along a segment, so its largest value
// is at an end and its smallest that of the segment.
double InsideDistance(const CentredArc& arc, PlanePoint p, PlanePoint q) {
  return std::max({Norm(p) - arc.radius, Norm(q) - arc.radius,
                   arc.radius - DistanceFromOrigin(p, q)});
}

// Where the segment from `a` to `b` crosses the line through the centre
// and `ray`: the share of the way, 0 where they run parallel.
double RayCrossing(PlanePoint a, PlanePoint b, PlanePoint ray) {
  const double across = Cross(Minus(b, a), ray);
  return across != 0 ? std::clamp(-Cross(a, ray) / across, 0.0, 1.0) : 0.0;
}

// The largest distance to the arc of any point of the segment from `a` to
// `b` (relative to the centre), whose ends lie at the angles `angle_a` and
// `angle_b` from the arc's start. Seen from the centre, the angle runs one
// way along a segment, so the segment enters and leaves the sector at most
// once at each of its two rays: it is measured piece by piece between them.
// Angles beyond a full turn are taken as outside, which can only overstate
// the distance.
double SegmentDistance(const CentredArc& arc, PlanePoint a, PlanePoint b, double angle_a,
                       double angle_b) {
  const auto inside = [&arc](double angle) { return angle >= 0 && angle <= arc.sweep; };
  if (inside(angle_a) && inside(angle_b)) return InsideDistance(arc, a, b);

  struct Break {
    double t;
    double angle;
  };
  const auto crossing = [&](PlanePoint ray, double angle) {
    return Break{RayCrossing(a, b, ray), angle};
  };
  const double low = std::min(angle_a, angle_b);
  const double high = std::max(angle_a, angle_b);
  std::array<Break, 4> breaks;
  std::size_t count = 0;
  breaks[count++] = {0, angle_a};
  std::array<Break, 2> rays;
  std::size_t ray_count = 0;
  if (low < 0 && 0 < high) rays[ray_count++] = crossing(arc.start, 0);
  if (low < arc.sweep && arc.sweep < high) rays[ray_count++] = crossing(arc.end, arc.sweep);
  if (ray_count == 2 && angle_a > angle_b) std::swap(rays[0], rays[1]);
  for (std::size_t r = 0; r < ray_count; ++r) breaks[count++] = rays[r];
  breaks[count++] = {1, angle_b};

  double largest = 0;
  for (std::size_t k = 0; k + 1 < count; ++k) {
    const PlanePoint p = Along(a, b, breaks[k].t);
    const PlanePoint q = Along(a, b, breaks[k + 1].t);
    const bool piece_inside = inside((breaks[k].angle + breaks[k + 1].angle) / 2);
    largest = std::max(largest, piece_inside ? InsideDistance(arc, p, q) : OutsideDistance(arc, p, q));
  }
  return largest;
}

// The radial part of measuring a segment inside the sector, decided from
// squares where they decide it for certain: no square root and no division
// for most segments. What InsideDistance computes, as computed, is then at
// most `limit` and the segment no nearer to the centre than half the radius.
//
// Every bound is moved by far more than its own rounding and that of the
// distances as computed (a few units in the last place of the coordinates),
// so that a square within a bound puts the distance within the bound
// itself.
class RadialBand {
 public:
  RadialBand(double radius, double limit) : limit_(limit) {
    const double nearest = std::max(radius / 2, radius - limit) * (1 + kMargin);
    nearest_squared_ = nearest * nearest;
    farthest_squared_ = (radius + limit) * (radius + limit) * (1 - kMargin);
    // SegmentClear's margin for ends within the band: there aa + bb + dd is
    // at most six times the band's squared radius.
    clear_within_squared_ = nearest_squared_ + 6 * kMargin * farthest_squared_;
    size_ = std::sqrt(farthest_squared_) * (1 + kMargin);
  }

  // At least the norm of any vertex within the band.
  double Size() const { return size_; }

  // Whether every point of the segment from `a` to `b` lies at least
  // max(radius / 2, radius - limit) from the centre, from their squared
  // norms and the segment's squared length: along a segment the squared
  // distance is a quadratic whose least value lies at most a quarter of
  // the squared length below the smaller one at the ends.
  bool SegmentClear(double aa, double bb, double dd) const {
    return std::min(aa, bb) - dd / 4 >= nearest_squared_ + kMargin * (aa + bb + dd);
  }
  // SegmentClear where both ends are within the band (VertexWithin).
  bool SegmentClearWithin(double aa, double bb, double dd) const {
    return std::min(aa, bb) - dd / 4 >= clear_within_squared_;
  }
  // Whether a vertex with squared norm `bb` lies at most radius + limit
  // from the centre.
  bool VertexWithin(double bb) const { return bb <= farthest_squared_; }

  // Whether InsideDistance of the segment from `p` to `q` is at most the
  // limit, with `p_within` telling whether p's part of it is.
  bool PieceWithin(PlanePoint p, double pp, bool p_within, PlanePoint q, double qq) const {
    const PlanePoint d = Minus(q, p);
    return p_within && VertexWithin(qq) && SegmentClear(pp, qq, Dot(d, d));
  }

  // Whether OutsideDistance of the segment from `p` to `q` is at most the
  // limit, from their squared distances to the arc's end `end`: every point
  // of the segment lies no further from it than the farther of the two,
  // give or take the rounding of a point between them.
  bool PieceNearEnd(PlanePoint p, PlanePoint q, PlanePoint end) const {
    const PlanePoint d = Minus(q, p);
    const double rounding =
        kRounding * (std::abs(p.x) + std::abs(p.y) + std::abs(d.x) + std::abs(d.y));
    const double within = limit_ * (1 - kMargin) - rounding;
    const PlanePoint from_p = Minus(p, end);
    const PlanePoint from_q = Minus(q, end);
    return within > 0 &&
           std::max(Dot(from_p, from_p), Dot(from_q, from_q)) <= within * within * (1 - kMargin);
  }

 private:
  static constexpr double kMargin = 1e-12;
  static constexpr double kRounding = 1e-15;
  double limit_;
  double nearest_squared_ = 0;
  double farthest_squared_ = 0;
  double clear_within_squared_ = 0;
  double size_ = 0;
};

// How the measurement of the last segment, which ends on the arc's end ray,
// comes out, with the sum of the turns at its start strictly within [0,
// sweep) and at its end within `sum` (positive). By rounding the sum at the
// end lies at the sweep or beyond it: within, the segment is measured as
// lying inside the sector; beyond, it leaves the sector at the end ray, with
// its piece beyond measured as inside or outside as rounding of the angle
// half way decides. Each way that can happen is measured as SegmentDistance
// measures it, by squares (RadialBand) where they decide; the verdict
// stands when all agree.
enum class Verdict { kPasses, kFails, kUndecided };

// The last segment as the walk found it.
struct LastSegment {
  PlanePoint a;
  PlanePoint b;
  double aa = 0;          // squared norms
  double bb = 0;
  bool clear = false;     // RadialBand::SegmentClear of the two
  bool a_within = false;  // a's distance from the circle within the limit
};

Verdict LastSegmentVerdict(const CentredArc& arc, const RadialBand& band,
                           const LastSegment& last, SumRange sum, double limit) {
  // Any start within [0, sweep) measures alike.
  const double start = arc.sweep / 2;
  int count = 0, passed = 0;
  const auto measure = [&](double end_angle, bool passes_for_certain) {
    ++count;
    if (passes_for_certain ||
        SegmentDistance(arc, last.a, last.b, start, end_angle) <= limit) {
      ++passed;
    }
  };
  if (sum.low <= arc.sweep) {
    measure(arc.sweep, last.clear && last.a_within && band.VertexWithin(last.bb));
  }
  if (sum.high > arc.sweep) {
    // The pieces SegmentDistance measures: before the end ray, and after it.
    const PlanePoint cut = Along(last.a, last.b, RayCrossing(last.a, last.b, arc.end));
    const PlanePoint after = Along(last.a, last.b, 1);
    const double cut_squared = Dot(cut, cut);
    const bool before_within =
        band.PieceWithin(last.a, last.aa, last.a_within, cut, cut_squared);
    const bool after_outside = band.PieceNearEnd(cut, after, arc.end);
    const bool after_inside = band.PieceWithin(cut, cut_squared, band.VertexWithin(cut_squared),
                                               after, Dot(after, after));
    // The nearest end beyond the sweep is the one whose half way can round
    // back onto the sweep, the piece after then inside; a far one's never
    // does.
    measure(std::nextafter(arc.sweep, std::numeric_limits<double>::infinity()),
            before_within && after_inside && after_outside);
    measure(2 * arc.sweep, before_within && after_outside);
  }
  if (passed == count) return Verdict::kPasses;
  return passed == 0 ? Verdict::kFails : Verdict::kUndecided;
}

// A window and the arc it is measured against, relative to the window's
// first vertex: differences of nearby coordinates are exact, so far from
// the origin the window is measured as near it.
struct WindowAndArc {
  std::span<const PlanePoint> points;
  std::int32_t first = 0;
  std::int32_t last = 0;
  CentredArc arc;
  double limit = 0;  // the largest distance that passes

  // Vertex `v` relative to the first vertex.
  PlanePoint At(std::int32_t v) const {
    return Minus(points[static_cast<std::size_t>(v)], points[static_cast<std::size_t>(first)]);
  }
};

// The arc from the window's first to its last vertex with `bulge`, when it
// passes what needs no walk along the path: its bulge, its length against
// the path's, and the radial distances of the last few vertices.
std::optional<WindowAndArc> ArcToMeasure(std::span<const PlanePoint> points,
                                         std::span<const double> path_length,
                                         const Deviation& deviation, std::int32_t first,
                                         std::int32_t last, double bulge) {
  if (!(std::abs(bulge) >= kSmallestBulge) || !std::isfinite(bulge)) return std::nullopt;
  WindowAndArc window{points, first, last, {}, 0};
  const PlanePoint end = window.At(last);
  if (end.x == 0 && end.y == 0) return std::nullopt;
  window.arc = ArcFromBulge({0, 0}, end, bulge);
  const CentredArc& arc = window.arc;

  const double arc_length = arc.radius * arc.sweep;
  const double window_length = path_length[static_cast<std::size_t>(last)] -
                               path_length[static_cast<std::size_t>(first)];
  const double length_limit = ExactWindowCheck::kLengthShare * arc_length * (1 - kRelativeSlack);
  if (!(std::abs(window_length - arc_length) <= length_limit)) return std::nullopt;

  const double scale = std::abs(arc.centre.x) + std::abs(arc.centre.y) + arc.radius;
  window.limit = deviation.StrictLimit(scale);
  if (!(window.limit > 0)) return std::nullopt;
  // A window that runs on past its curve strays near its end: no point is
  // nearer to the arc than to its circle, so the last few vertices' radial
  // distances reject it before the whole path is measured.
  for (std::int32_t k = last - 1; k > first && k >= last - kEndVertices; --k) {
    if (!(std::abs(Norm(Minus(window.At(k), arc.centre)) - arc.radius) <= window.limit)) {
      return std::nullopt;
    }
  }
  return window;
}

// The walk along the path that decides the test: each segment measured
// between the angles of its ends seen from the centre, added up turn by
// turn from the arc's start.
bool PassesByAngles(const WindowAndArc& window) {
  const CentredArc& arc = window.arc;
  PlanePoint a = arc.start;
  double angle_a = 0;
  for (std::int32_t k = window.first; k < window.last; ++k) {
    const PlanePoint b = Minus(window.At(k + 1), arc.centre);
    // A path that passes near the centre is no arc, and its turn seen from
    // there is not to be trusted.
    if (DistanceFromOrigin(a, b) < arc.radius / 2) return false;
    const double angle_b = angle_a + arc.Turn(a, b);
    if (!(SegmentDistance(arc, a, b, angle_a, angle_b) <= window.limit)) return false;
    a = b;
    angle_a = angle_b;
  }
  // Ending on the arc's end ray a whole turn more or less, the path would
  // leave part of the arc far from it.
  return std::abs(angle_a - arc.sweep) < M_PI;
}

// The same walk's verdict without the turns' atan2, which cost most of the
// exact search's time: the sums of the turns are bounded (`Turns`: a
// SectorTurns or TangentTurns), and as long as every inner vertex lies
// strictly within the sector for certain, each segment is measured as
// PassesByAngles measures a segment inside it, by squares (RadialBand)
// where they decide. The last segment ends on the end ray, where rounding
// decides: LastSegmentVerdict. Undecided where the bounds do not decide a
// comparison (a path that leaves the sector, a large turn): the walk by
// angles then decides.
template <typename Turns>
Verdict QuickVerdict(const WindowAndArc& window, const RadialBand& band, Turns turns) {
  const CentredArc& arc = window.arc;
  PlanePoint a = arc.start;
  double aa = Dot(a, a);
  // Whether a lies within the band, and whether its part of InsideDistance,
  // Norm(a) - radius as computed, is at most the limit.
  bool a_in_band = band.VertexWithin(aa);
  bool a_within = a_in_band || Norm(a) - arc.radius <= window.limit;
  for (std::int32_t k = window.first; k < window.last; ++k) {
    const PlanePoint b = Minus(window.At(k + 1), arc.centre);
    const double bb = Dot(b, b);
    const PlanePoint d = Minus(b, a);
    const double dd = Dot(d, d);
    const bool b_in_band = band.VertexWithin(bb);
    const bool clear = a_in_band && b_in_band ? band.SegmentClearWithin(aa, bb, dd)
                                              : band.SegmentClear(aa, bb, dd);
    if (!clear && DistanceFromOrigin(a, b) < arc.radius / 2) return Verdict::kFails;
    if (k + 1 < window.last) {
      if (!(b_in_band ? turns.InnerVertexInBand(a, b) : turns.InnerVertex(a, b))) {
        return Verdict::kUndecided;
      }
      // InsideDistance, computed where the squares leave it open.
      if (!(clear && a_within && b_in_band) && !(InsideDistance(arc, a, b) <= window.limit)) {
        return Verdict::kFails;
      }
    } else {
      const std::optional<SumRange> sum = turns.LastVertex(a, b);
      if (!sum) return Verdict::kUndecided;
      return LastSegmentVerdict(arc, band, {a, b, aa, bb, clear, a_within}, *sum, window.limit);
    }
    a = b;
    aa = bb;
    a_in_band = b_in_band;
    a_within = true;  // b's distance passed with the segment
  }
  return Verdict::kUndecided;  // no segment
}

Verdict QuickVerdict(const WindowAndArc& window) {
  const CentredArc& arc = window.arc;
  const RadialBand band(arc.radius, window.limit);
  if (const std::optional<SectorTurns> sector =
          SectorTurns::For(arc.start, arc.end, arc.sweep, arc.direction,
                           window.last - window.first, band.Size())) {
    return QuickVerdict(window, band, *sector);
  }
  return QuickVerdict(window, band, TangentTurns(arc.sweep, arc.direction));
}

}  // namespace

void ExactWindowCheck::Use(std::span<const PlanePoint> points) {
  points_ = points;
  path_length_.resize(points.size());
  double length = 0;
  for (std::size_t v = 0; v < points.size(); ++v) {
    if (v > 0) length += Norm(Minus(points[v], points[v - 1]));
    path_length_[v] = length;
  }
}

std::optional<double> ExactWindowCheck::MiddleBulge(std::int32_t first, std::int32_t last) const {
  const std::optional<double> middle = WindowBulge(points_, first, last, true);
  if (middle && ArcPasses(first, last, *middle)) return middle;
  return std::nullopt;
}

std::optional<double> ExactWindowCheck::PassingBulge(std::int32_t first, std::int32_t last) const {
  const std::optional<double> middle = WindowBulge(points_, first, last, true);
  if (middle && ArcPasses(first, last, *middle)) return middle;
  const double path_length = path_length_[static_cast<std::size_t>(last)] -
                             path_length_[static_cast<std::size_t>(first)];
  const WindowPath window{points_, first, last, path_length};
  const double start = middle ? *middle : 0;
  const std::optional<BalancedArc> balanced =
      BalancedBulge(window, deviation_, kLengthShare, start);
  if (!balanced) return std::nullopt;
  if (const std::optional<double> bulge = PassingNear(first, last, *balanced)) return bulge;
  // A window within the deviation of its chord may pass with an arc on the
  // side its middle vertex does not lie on, where the nearest one fails at
  // its ends.
  const std::optional<BalancedArc> other =
      balanced->middle_side ? BalancedBulge(window, deviation_, kLengthShare, start, true)
                            : std::nullopt;
  return other ? PassingNear(first, last, *other) : std::nullopt;
}

std::optional<double> ExactWindowCheck::PassingNear(std::int32_t first, std::int32_t last,
                                                    const BalancedArc& balanced) const {
  if (ArcPasses(first, last, balanced.Bulge(balanced.sweep))) {
    return balanced.Bulge(balanced.sweep);
  }
  // Radially the balanced arc is the best, but beyond its ends the path is
  // measured to the arc's end points, and at the lengths' limits rounding
  // decides: arcs on either side of it, nearer ones first, may pass.
  const double step = (balanced.high - balanced.low) / (2 * kOtherArcs);
  for (int k = 1; k <= kOtherArcs; ++k) {
    for (const double sweep : {balanced.sweep - k * step, balanced.sweep + k * step}) {
      if (sweep < balanced.low || sweep > balanced.high) continue;
      if (ArcPasses(first, last, balanced.Bulge(sweep))) return balanced.Bulge(sweep);
    }
  }
  return std::nullopt;
}

bool ExactWindowCheck::ArcPasses(std::int32_t first, std::int32_t last, double bulge) const {
  const std::optional<WindowAndArc> window =
      ArcToMeasure(points_, path_length_, deviation_, first, last, bulge);
  if (!window) return false;
  switch (QuickVerdict(*window)) {
    case Verdict::kPasses:
      return true;
    case Verdict::kFails:
      return false;
    case Verdict::kUndecided:
      break;
  }
  return PassesByAngles(*window);
}

bool ExactWindowCheck::ArcPassesByAngles(std::int32_t first, std::int32_t last,
                                         double bulge) const {
  const std::optional<WindowAndArc> window =
      ArcToMeasure(points_, path_length_, deviation_, first, last, bulge);
  return window && PassesByAngles(*window);
}

}  // namespace quillmere
