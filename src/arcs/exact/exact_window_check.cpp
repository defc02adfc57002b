#include "arcs/exact/exact_window_check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "arcs/exact/exact_bulge_search.h"
#include "arcs/exact/plane_vectors.h"

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
  const PlanePoint d = Minus(b, a);
  const auto crossing = [&](PlanePoint ray, double angle) {
    const double across = Cross(d, ray);
    const double t = across != 0 ? std::clamp(-Cross(a, ray) / across, 0.0, 1.0) : 0.0;
    return Break{t, angle};
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

// The angle PassesByAngles adds up, turn by turn, known within an error
// without the turns' atan2. Up to 45 degrees a turn's tangent r = y / x
// bounds it: atan r = r - r^3/3 + r^5/5 - ... runs in alternating, falling
// terms, so it lies between r - r^3/3 and that plus r^5/5; the bound takes
// the middle and half the gap. The error allows the rounding of the
// library's atan2 and of both sums with ample margin, and is doubled again
// where it decides, so that where the bound decides a comparison, the sum
// itself decides it the same way.
class AngleBound {
 public:
  // Adds atan2(y, x) as PassesByAngles computes it; false when the turn is
  // too large to bound this way (or the bound grew useless).
  bool Add(double y, double x) {
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

  // Whether the sum lies strictly within (0, sweep) whatever its rounding.
  bool StrictlyWithin(double sweep) const {
    return value_ - 2 * error_ > 0 && value_ + 2 * error_ < sweep;
  }
  bool Positive() const { return value_ - 2 * error_ > 0; }
  // Whether the sum can lie at or below `angle`, and above it.
  bool MayBeAtMost(double angle) const { return value_ - 2 * error_ <= angle; }
  bool MayExceed(double angle) const { return value_ + 2 * error_ > angle; }
  // Whether the sum lies less than half a turn from `angle` for certain.
  bool Near(double angle) const { return std::abs(value_ - angle) + 2 * error_ < 3; }

 private:
  // The library's atan2, the tangent's division and the series' own
  // arithmetic each round by a few units in the last place of the turn.
  static constexpr double kTurnRounding = 1e-13;
  // Both sums round by half a unit in the last place of their value.
  static constexpr double kSumRounding = 1e-15;
  // Results too small for a relative bound (subnormal turns).
  static constexpr double kTinyTurn = 1e-300;
  static constexpr double kUsefulError = 1e-3;
  static constexpr double kThird = 1.0 / 3;
  static constexpr double kTenth = 0.1;
  static constexpr double kEighth = 0.125;

  double value_ = 0;
  double error_ = 0;
};

// How the measurement of the last segment, which ends on the arc's end ray,
// comes out, with `angle` the bound of the sum at its end and the sum at
// its start strictly within [0, sweep). By rounding the sum at the end lies
// at the sweep or beyond it: within, the segment is measured as lying
// inside the sector; beyond, it leaves the sector at the end ray, with its
// piece beyond measured as inside or outside as rounding of the angle half
// way decides. Each way that can happen is measured as SegmentDistance
// measures it; the verdict stands when all agree.
enum class Verdict { kPasses, kFails, kUndecided };

Verdict LastSegmentVerdict(const CentredArc& arc, PlanePoint a, PlanePoint b,
                           const AngleBound& angle, double limit) {
  if (!angle.Positive()) return Verdict::kUndecided;
  // Any start within [0, sweep) measures alike.
  const double start = arc.sweep / 2;
  std::array<double, 3> ends;
  std::size_t count = 0;
  if (angle.MayBeAtMost(arc.sweep)) ends[count++] = arc.sweep;
  if (angle.MayExceed(arc.sweep)) {
    // The nearest end beyond the sweep is the one whose half way can round
    // back onto the sweep; a far one's never does.
    ends[count++] = std::nextafter(arc.sweep, std::numeric_limits<double>::infinity());
    ends[count++] = 2 * arc.sweep;
  }
  std::size_t passed = 0;
  for (std::size_t e = 0; e < count; ++e) {
    if (SegmentDistance(arc, a, b, start, ends[e]) <= limit) ++passed;
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
// exact search's time: the angles are bounded (AngleBound), and as long as
// every inner vertex lies strictly within the sector for certain, each
// segment is measured as PassesByAngles measures a segment inside it. The
// last segment ends on the end ray, where rounding decides:
// LastSegmentVerdict. Undecided where the bound does not decide a
// comparison (a path that leaves the sector, a large turn): the walk by
// angles then decides.
Verdict QuickVerdict(const WindowAndArc& window) {
  const CentredArc& arc = window.arc;
  AngleBound angle;
  PlanePoint a = arc.start;
  double norm_a = Norm(a);
  for (std::int32_t k = window.first; k < window.last; ++k) {
    const PlanePoint b = Minus(window.At(k + 1), arc.centre);
    const double nearest = DistanceFromOrigin(a, b);
    if (nearest < arc.radius / 2) return Verdict::kFails;
    if (!angle.Add(arc.direction * Cross(a, b), Dot(a, b))) return Verdict::kUndecided;
    const double norm_b = Norm(b);
    if (k + 1 < window.last) {
      if (!angle.StrictlyWithin(arc.sweep)) return Verdict::kUndecided;
      // InsideDistance, with the norms and the nearest distance at hand.
      if (!(std::max({norm_a - arc.radius, norm_b - arc.radius, arc.radius - nearest}) <=
            window.limit)) {
        return Verdict::kFails;
      }
    } else {
      const Verdict end = LastSegmentVerdict(arc, a, b, angle, window.limit);
      if (end != Verdict::kPasses) return end;
    }
    a = b;
    norm_a = norm_b;
  }
  return angle.Near(arc.sweep) ? Verdict::kPasses : Verdict::kUndecided;
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
  const std::optional<Arc> middle = WindowArc(points_, first, last, true);
  if (middle && ArcPasses(first, last, middle->bulge)) return middle->bulge;
  return std::nullopt;
}

std::optional<double> ExactWindowCheck::PassingBulge(std::int32_t first, std::int32_t last) const {
  const std::optional<Arc> middle = WindowArc(points_, first, last, true);
  if (middle && ArcPasses(first, last, middle->bulge)) return middle->bulge;
  const double path_length = path_length_[static_cast<std::size_t>(last)] -
                             path_length_[static_cast<std::size_t>(first)];
  const std::optional<BalancedArc> balanced =
      BalancedBulge({points_, first, last, path_length}, deviation_, kLengthShare,
                    middle ? middle->bulge : 0);
  if (!balanced) return std::nullopt;
  if (ArcPasses(first, last, balanced->Bulge(balanced->sweep))) {
    return balanced->Bulge(balanced->sweep);
  }
  // Radially the balanced arc is the best, but beyond its ends the path is
  // measured to the arc's end points, and at the lengths' limits rounding
  // decides: arcs on either side of it, nearer ones first, may pass.
  const double step = (balanced->high - balanced->low) / (2 * kOtherArcs);
  for (int k = 1; k <= kOtherArcs; ++k) {
    for (const double sweep : {balanced->sweep - k * step, balanced->sweep + k * step}) {
      if (sweep < balanced->low || sweep > balanced->high) continue;
      if (ArcPasses(first, last, balanced->Bulge(sweep))) return balanced->Bulge(sweep);
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
