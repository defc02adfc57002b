#include "arcs/exact/exact_bulge_search.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "arcs/exact/plane_vectors.h"

namespace quillmere {

namespace {

using plane::Cross;
using plane::Dot;
using plane::Minus;

// The secant steps stop once the two distances differ by less than this
// share of the deviation: the larger is then within half of it of the least.
constexpr double kBalanced = 0.05;
// Secant steps within a shrinking bracket take a handful; bisection, where
// they stall, at most some fifty to the bracket's end.
constexpr int kMostSteps = 60;

// The arcs through the window's first vertex, at the origin, and its last
// vertex `end`, on the side `side` of the chord: +1 for the arcs that run
// counter-clockwise (the path lies right of the chord), -1 clockwise.
struct Pencil {
  PlanePoint end;
  double chord = 0;
  PlanePoint left;  // unit normal left of the chord
  double side = 1;
};

// One arc of the pencil: its centre `offset` along the chord's left normal
// from the chord's middle, and its radius.
struct PencilCircle {
  PlanePoint centre;
  double offset = 0;
  double radius = 0;
  double bulge = 0;

  PencilCircle(const Pencil& pencil, double sweep) {
    bulge = pencil.side * std::tan(sweep / 4);
    offset = pencil.chord * (1 - bulge * bulge) / (4 * bulge);
    radius = pencil.chord * (1 + bulge * bulge) / (4 * std::abs(bulge));
    centre = {pencil.end.x / 2 + offset * pencil.left.x, pencil.end.y / 2 + offset * pencil.left.y};
  }

  // How far `q` lies outside the circle (negative inside), from its power
  // |q - centre|^2 - radius^2 = q . (q - end) - 2 offset (q . left), which
  // stays accurate for the huge circles of nearly straight arcs.
  double Outside(const Pencil& pencil, PlanePoint q) const {
    const double power = Dot(q, Minus(q, pencil.end)) - 2 * offset * Dot(q, pencil.left);
    const double distance = std::sqrt(std::max(0.0, radius * radius + power));
    return power / (distance + radius);
  }
};

// The path's largest distance outside the circle and inside it.
struct Balance {
  double outside = -std::numeric_limits<double>::infinity();
  double inside = 0;
};

// Measures the window against one circle; stops early once both distances
// reach `limit`.
Balance Measure(const WindowPath& window, const Pencil& pencil, const PencilCircle& circle,
                double limit) {
  const PlanePoint origin = window.points[static_cast<std::size_t>(window.first)];
  const auto at = [&](std::int32_t v) {
    return Minus(window.points[static_cast<std::size_t>(v)], origin);
  };
  Balance balance;
  PlanePoint a = {0, 0};
  for (std::int32_t k = window.first; k < window.last; ++k) {
    const PlanePoint b = at(k + 1);
    if (k + 1 < window.last) balance.outside = std::max(balance.outside, circle.Outside(pencil, b));
    // Inside, the segment's point nearest to the centre lies furthest.
    const PlanePoint d = Minus(b, a);
    const double length2 = Dot(d, d);
    const double t =
        length2 > 0 ? std::clamp(Dot(Minus(circle.centre, a), d) / length2, 0.0, 1.0) : 0.0;
    const PlanePoint nearest = {a.x + d.x * t, a.y + d.y * t};
    balance.inside = std::max(balance.inside, -circle.Outside(pencil, nearest));
    if (balance.outside >= limit && balance.inside >= limit) break;
    a = b;
  }
  return balance;
}

// An interval of sweeps on the pencil's side.
struct SweepRange {
  double low = 0;
  double high = 0;
};

// The sweep of the pencil's arc whose centre lies `offset` along the left
// normal from the chord's middle: its bulge solves chord (1 - b^2) / (4 b)
// = offset.
double SweepOfOffset(const Pencil& pencil, double offset) {
  const double half = 2 * pencil.side * offset / pencil.chord;
  const double bulge = half > 0 ? 1 / (half + std::sqrt(half * half + 1))
                                : std::sqrt(half * half + 1) - half;
  return 4 * std::atan(bulge);
}

// The circles of the pencil that pass within a tolerance t of vertices, as
// an interval of their centres' offsets times the pencil's side.
class NearCircles {
 public:
  NearCircles(const Pencil& pencil, double tolerance) : pencil_(pencil), t_(tolerance) {}

  // Narrows the interval to the circles near `q` (relative to the first
  // vertex); false once it is empty.
  bool Add(PlanePoint q) {
    // |q - centre| - radius lies within t where q's power p(o) = a - 2 o
    // across satisfies |p - t^2| <= 2 t radius(o), radius(o)^2 = chord^2 / 4
    // + o^2: squared, a quadratic in o, open upwards unless q lies within t
    // of the chord's line (then q bounds nothing here).
    const double a = Dot(q, Minus(q, pencil_.end)) - t_ * t_;
    const double across = Dot(q, pencil_.left);
    const double quadratic = 4 * (across * across - t_ * t_);
    if (!(quadratic > 0)) return low_ <= high_;
    const double linear = -4 * a * across;
    const double constant = a * a - t_ * t_ * pencil_.chord * pencil_.chord;
    const double discriminant = linear * linear - 4 * quadratic * constant;
    if (discriminant < 0) {
      low_ = kInfinity;  // no circle of the pencil passes near q
      return false;
    }
    const double root = std::sqrt(discriminant);
    const double first = (-linear - root) / (2 * quadratic) * pencil_.side;
    const double second = (-linear + root) / (2 * quadratic) * pencil_.side;
    low_ = std::max(low_, std::min(first, second));
    high_ = std::min(high_, std::max(first, second));
    return low_ <= high_;
  }

  // The interval as sweeps on the pencil's side (empty: low above high).
  SweepRange Sweeps() const {
    if (!(low_ <= high_)) return {1, 0};
    return {high_ == kInfinity ? 0 : SweepOfOffset(pencil_, pencil_.side * high_),
            low_ == -kInfinity ? 2 * M_PI : SweepOfOffset(pencil_, pencil_.side * low_)};
  }

 private:
  static constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const Pencil& pencil_;
  double t_;
  double low_ = -kInfinity;
  double high_ = kInfinity;
};

// What the window's inner vertices allow on the pencil's side: the sweeps
// whose circles pass within `tolerance` of every one of them (none passes
// near the vertices of a window that runs on past its curve: that usually
// shows on a few of them, so every eighth and the last few are tried
// first), and whether an arc on the other side of the chord may pass: a
// vertex lies there, or every vertex lies within the tolerance of the
// chord's line (an arc on the other side keeps at least that distance from
// a vertex on this side).
struct VertexSweeps {
  SweepRange near{1, 0};
  bool other_side = false;

  VertexSweeps(const WindowPath& window, const Pencil& pencil, double tolerance) {
    const PlanePoint origin = window.points[static_cast<std::size_t>(window.first)];
    const auto at = [&](std::int32_t k) {
      return Minus(window.points[static_cast<std::size_t>(k)], origin);
    };
    // Circles smaller than the tolerance are not worth bounding.
    const bool bounded = pencil.chord > 2 * tolerance;
    NearCircles near_circles(pencil, bounded ? tolerance : 0);
    if (bounded) {
      for (std::int32_t k = window.last - 1; k > window.first; k -= k + 4 > window.last ? 1 : 8) {
        if (!near_circles.Add(at(k))) return;
      }
    }
    double farthest = 0;  // on this side, from the chord's line
    for (std::int32_t k = window.first + 1; k < window.last; ++k) {
      const PlanePoint q = at(k);
      if (bounded && !near_circles.Add(q)) return;
      const double across = pencil.side * Dot(q, pencil.left);
      other_side = other_side || across > 0;
      farthest = std::max(farthest, -across);
    }
    other_side = other_side || farthest < tolerance;
    near = near_circles.Sweeps();
  }
};

}  // namespace

bool NoArcFits(const WindowPath& window, double deviation, double length_share) {
  // Every bound is loosened by far more than the rounding of the arc test's
  // distances and of the bounds' own arithmetic.
  constexpr double kLoose = 1e-3;
  const double reach = deviation * (1 + kLoose);
  const PlanePoint origin = window.points[static_cast<std::size_t>(window.first)];
  const auto at = [&](std::int32_t v) {
    return Minus(window.points[static_cast<std::size_t>(v)], origin);
  };
  const PlanePoint end = at(window.last);
  const double chord = std::hypot(end.x, end.y);
  if (!(chord > 0)) return false;
  double longest_squared = 0;
  double farthest_across = 0;  // times the chord
  PlanePoint a = {0, 0};
  for (std::int32_t k = window.first + 1; k <= window.last; ++k) {
    const PlanePoint b = at(k);
    const PlanePoint d = Minus(b, a);
    longest_squared = std::max(longest_squared, Dot(d, d));
    if (k < window.last) farthest_across = std::max(farthest_across, std::abs(Cross(end, b)));
    a = b;
  }
  if (!(longest_squared >= 16 * reach * reach)) return false;
  const double half = chord / 2;
  const double radius = std::max(half, longest_squared / (16 * reach) * (1 - kLoose));
  if (!(window.length / (1 - length_share) * (1 + kLoose) < M_PI * radius)) return false;
  const double sagitta = half * half / (radius + std::sqrt(radius * radius - half * half));
  return farthest_across / chord > (sagitta + reach) * (1 + kLoose);
}

double SweepOfLengthRatio(double ratio) {
  // The arc of sweep 2x over a chord c is c x / sin x long: x - ratio sin x
  // is convex on (0, pi), so Newton's steps from the right of its root,
  // where x / sin x >= 1 + x^2 / 6 puts this start, fall to it steadily.
  if (!(ratio > 1)) return 0;
  constexpr int kMostSteps = 100;
  double x = std::min(M_PI, std::sqrt(6 * (ratio - 1)));
  double before = std::numeric_limits<double>::quiet_NaN();  // x one step earlier
  for (int step = 0; step < kMostSteps; ++step) {
    const double change = (x - ratio * std::sin(x)) / (1 - ratio * std::cos(x));
    const double next = x - change;
    if (!(std::abs(change) > 1e-15 * next)) return 2 * next;
    // Rounding can leave the steps going back and forth between two
    // neighbours of the root without ever stopping: they would do so up to
    // the last step, so its value is known now.
    if (next == before) return 2 * ((kMostSteps - 1 - step) % 2 == 0 ? next : x);
    before = x;
    x = next;
  }
  return 2 * x;
}

namespace {

std::optional<Pencil> PencilOf(const WindowPath& window) {
  const PlanePoint origin = window.points[static_cast<std::size_t>(window.first)];
  const auto at = [&](std::int32_t v) {
    return Minus(window.points[static_cast<std::size_t>(v)], origin);
  };
  Pencil pencil;
  pencil.end = at(window.last);
  pencil.chord = std::hypot(pencil.end.x, pencil.end.y);
  if (!(pencil.chord > 0)) return std::nullopt;
  pencil.left = {-pencil.end.y / pencil.chord, pencil.end.x / pencil.chord};
  // The side of the middle vertex: right of the chord for arcs that run
  // counter-clockwise.
  const double middle_side = Cross(pencil.end, at(window.first + (window.last - window.first) / 2));
  pencil.side = middle_side > 0 ? -1 : 1;
  return pencil;
}

// The sweeps whose arcs are as long as the path within `share`, kept a
// little inside so that the measurement of the arc found agrees, and whose
// bulge is not too small.
SweepRange LengthSweeps(const WindowPath& window, const Pencil& pencil, double length_share) {
  const double share = length_share * (1 - 1e-6);
  const double ratio = window.length / pencil.chord;
  return {std::max(SweepOfLengthRatio(ratio / (1 + share)),
                   4 * std::atan(kSmallestBulge) * (1 + 1e-9)),
          SweepOfLengthRatio(ratio / (1 - share))};
}

// One sweep measured.
struct Probe {
  double sweep = 0;
  double limit = 0;
  Balance balance;

  Probe(const WindowPath& window, const Pencil& pencil, const Deviation& deviation, double at)
      : sweep(at) {
    const PencilCircle circle(pencil, sweep);
    limit = deviation.StrictLimit(std::abs(circle.centre.x) + std::abs(circle.centre.y) +
                                  circle.radius);
    balance = Measure(window, pencil, circle, limit);
  }
  // A larger sweep takes the outside nearer and the inside further, a
  // smaller one the other way round: both too far fails everywhere.
  bool FailsEverywhere() const {
    return !(limit > 0) || (balance.outside >= limit && balance.inside >= limit);
  }
  double Excess() const { return std::max(balance.outside, balance.inside) - limit; }
  double Gap() const { return balance.outside - balance.inside; }
};

// Secant steps on the gap between the two distances within `range`,
// starting from `probe`: the sweep whose larger distance was least, when
// that passes.
std::optional<double> BalanceWithin(const WindowPath& window, const Pencil& pencil,
                         const Deviation& deviation, SweepRange range, Probe probe) {
  double low = range.low, high = range.high;
  bool low_measured = false, high_measured = false;
  double best_sweep = 0, best_excess = std::numeric_limits<double>::infinity();
  double previous_sweep = 0, previous_gap = 0;
  bool has_previous = false;
  for (int step = 0; step < kMostSteps; ++step) {
    if (step > 0) probe = Probe(window, pencil, deviation, probe.sweep);
    if (probe.FailsEverywhere()) return std::nullopt;
    const double sweep = probe.sweep;
    const double excess = probe.Excess();
    if (excess < best_excess) {
      best_excess = excess;
      best_sweep = sweep;
    }
    const double gap = probe.Gap();
    low_measured = low_measured || sweep == range.low;
    high_measured = high_measured || sweep == range.high;
    (gap > 0 ? low : high) = sweep;
    if (excess < 0 && std::abs(gap) <= kBalanced * probe.limit) break;
    // The two distances would meet beyond an end of the range: the larger
    // of them is least at that end, which is measured now.
    if ((sweep == range.high && gap > 0) || (sweep == range.low && gap < 0)) break;
    if (!(high - low > 1e-12 * high)) break;
    // The first step from the middle of the chord, which moves by about a
    // quarter of the chord per radian of sweep; then secant steps.
    double next = has_previous && gap != previous_gap
                      ? sweep - gap * (sweep - previous_sweep) / (gap - previous_gap)
                      : sweep + gap / (pencil.chord / 4);
    if (!(next < high)) next = high == range.high && !high_measured ? high : (low + high) / 2;
    if (!(next > low)) next = low == range.low && !low_measured ? low : (low + high) / 2;
    // Kept off the bracket's ends, so that it shrinks every time.
    const double margin = (high - low) / 64;
    if (next != range.low && next != range.high) next = std::clamp(next, low + margin, high - margin);
    previous_sweep = sweep;
    previous_gap = gap;
    has_previous = true;
    probe.sweep = next;
  }
  if (!(best_excess < 0)) return std::nullopt;
  return best_sweep;
}

}  // namespace

std::optional<BalancedArc> BalancedBulge(const WindowPath& window, const Deviation& deviation,
                                         double length_share, double middle_bulge,
                                         bool other_side_only) {
  std::optional<Pencil> pencil = PencilOf(window);
  if (!pencil) return std::nullopt;
  // Vertices on both sides of the chord: the arcs on the other side are
  // searched too.
  std::optional<SweepRange> lengths;
  for (int side = 0; side < 2; ++side) {
    // A little more than the deviation, so that rounding near a tangent
    // circle never rules out an arc that passes.
    const VertexSweeps vertices(window, *pencil, deviation.Value() * (1 + 1e-6));
    // No circle of the pencil near every vertex: none on either side. Most
    // windows end here, before the lengths' sweeps are worked out.
    if (!(vertices.near.low <= vertices.near.high)) return std::nullopt;
    if (!lengths) {
      // Where bounds show that no arc can pass, none is searched for.
      if (NoArcFits(window, deviation.Value(), length_share)) return std::nullopt;
      lengths = LengthSweeps(window, *pencil, length_share);
    }
    const SweepRange range{std::max(lengths->low, vertices.near.low),
                           std::min(lengths->high, vertices.near.high)};
    if (range.low <= range.high && !(other_side_only && side == 0)) {
      // From the middle vertex's circle, where it lies on this side.
      const bool from_middle = middle_bulge * pencil->side > 0;
      const double start = from_middle ? 4 * std::atan(std::abs(middle_bulge)) : range.low;
      const Probe probe(window, *pencil, deviation, std::clamp(start, range.low, range.high));
      const std::optional<double> found = BalanceWithin(window, *pencil, deviation, range, probe);
      if (found) return BalancedArc{pencil->side, *found, range.low, range.high, side == 0};
    }
    // The path's distances from one side's arcs say nothing of the other
    // side's: an S-bend's arcs may lie either way, and so may those of a
    // window within the deviation of its chord.
    if (!vertices.other_side) return std::nullopt;
    pencil->side = -pencil->side;
  }
  return std::nullopt;
}

}  // namespace quillmere
