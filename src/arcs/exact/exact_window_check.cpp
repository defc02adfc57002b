#include "arcs/exact/exact_window_check.h"

#include <algorithm>
#include <array>
#include <cmath>

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
  if (!(std::abs(bulge) >= kSmallestBulge) || !std::isfinite(bulge)) return false;
  // Relative to the first vertex: differences of nearby coordinates are
  // exact, so far from the origin the window is measured as near it.
  const PlanePoint origin = points_[static_cast<std::size_t>(first)];
  const auto at = [this, origin](std::int32_t v) {
    return Minus(points_[static_cast<std::size_t>(v)], origin);
  };
  const PlanePoint end = at(last);
  if (end.x == 0 && end.y == 0) return false;
  const CentredArc arc = ArcFromBulge({0, 0}, end, bulge);

  const double arc_length = arc.radius * arc.sweep;
  const double path_length = path_length_[static_cast<std::size_t>(last)] -
                             path_length_[static_cast<std::size_t>(first)];
  const double length_limit = kLengthShare * arc_length * (1 - kRelativeSlack);
  if (!(std::abs(path_length - arc_length) <= length_limit)) return false;

  const double scale = std::abs(arc.centre.x) + std::abs(arc.centre.y) + arc.radius;
  const double limit = deviation_.StrictLimit(scale);
  if (!(limit > 0)) return false;
  // A window that runs on past its curve strays near its end: no point is
  // nearer to the arc than to its circle, so the last few vertices' radial
  // distances reject it before the whole path is measured.
  for (std::int32_t k = last - 1; k > first && k >= last - kEndVertices; --k) {
    if (!(std::abs(Norm(Minus(at(k), arc.centre)) - arc.radius) <= limit)) return false;
  }
  PlanePoint a = arc.start;
  double angle_a = 0;
  for (std::int32_t k = first; k < last; ++k) {
    const PlanePoint b = Minus(at(k + 1), arc.centre);
    // A path that passes near the centre is no arc, and its turn seen from
    // there is not to be trusted.
    if (DistanceFromOrigin(a, b) < arc.radius / 2) return false;
    const double angle_b = angle_a + arc.Turn(a, b);
    if (!(SegmentDistance(arc, a, b, angle_a, angle_b) <= limit)) return false;
    a = b;
    angle_a = angle_b;
  }
  // Ending on the arc's end ray a whole turn more or less, the path would
  // leave part of the arc far from it.
  return std::abs(angle_a - arc.sweep) < M_PI;
}

}  // namespace quillmere
