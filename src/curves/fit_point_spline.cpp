#include "curves/fit_point_spline.h"

#include <array>
#include <cmath>
#include <vector>

namespace quillmere {

namespace {

constexpr int kCubic = 3;

CurvePoint Minus(CurvePoint a, CurvePoint b) { return {a.x - b.x, a.y - b.y}; }
CurvePoint Plus(CurvePoint a, CurvePoint b) { return {a.x + b.x, a.y + b.y}; }
CurvePoint Times(CurvePoint a, double s) { return {a.x * s, a.y * s}; }
double Length(CurvePoint a) { return std::hypot(a.x, a.y); }

// `direction` scaled to `length`; `fallback`'s direction when it has none.
CurvePoint WithLength(CurvePoint direction, double length, CurvePoint fallback) {
  double size = Length(direction);
  if (!(size > 0) || !std::isfinite(size)) {
    direction = fallback;
    size = Length(direction);
  }
  return Times(direction, length / size);
}

// The direction at `a` of the parabola through a, b, c at equal parameter
// steps, leaving a towards b: 3 (b - a) - (c - b), up to a factor.
CurvePoint EndDirection(CurvePoint a, CurvePoint b, CurvePoint c) {
  return Minus(Times(Minus(b, a), 3), Minus(c, b));
}

// The nonzero cubic basis functions N[span - 3 .. span] at t (The NURBS
// Book, A2.2).
std::array<double, kCubic + 1> CubicBasis(const std::vector<double>& knots, std::size_t span,
                                          double t) {
  std::array<double, kCubic + 1> n{1, 0, 0, 0};
  std::array<double, kCubic + 1> left{}, right{};
  for (std::size_t j = 1; j <= kCubic; ++j) {
    left[j] = t - knots[span + 1 - j];
    right[j] = knots[span + j] - t;
    double saved = 0;
    for (std::size_t r = 0; r < j; ++r) {
      const double share = n[r] / (right[r + 1] + left[j - r]);
      n[r] = saved + right[r + 1] * share;
      saved = left[j - r] * share;
    }
    n[j] = saved;
  }
  return n;
}

}  // namespace

PlaneCurve InterpolateFitPoints(std::span<const CurvePoint> points,
                                std::optional<CurvePoint> start_tangent,
                                std::optional<CurvePoint> end_tangent, bool closed) {
  const std::size_t m = points.size() - 1;  // the last fit point's index
  std::vector<double> chords(m);
  double total = 0;
  for (std::size_t k = 0; k < m; ++k) {
    chords[k] = Length(Minus(points[k + 1], points[k]));
    total += chords[k];
  }
  std::vector<double> u(m + 1, 0);
  for (std::size_t k = 1; k < m; ++k) u[k] = u[k - 1] + chords[k - 1] / total;
  u[m] = 1;

  // End derivatives by the chord-length parameter.
  const CurvePoint first_chord = Minus(points[1], points[0]);
  const CurvePoint last_chord = Minus(points[m], points[m - 1]);
  CurvePoint start_direction = first_chord;
  CurvePoint end_direction = last_chord;
  if (closed && m >= 3) {
    start_direction = end_direction = Minus(points[1], points[m - 1]);
  } else if (m >= 2) {
    start_direction = EndDirection(points[0], points[1], points[2]);
    end_direction = Times(EndDirection(points[m], points[m - 1], points[m - 2]), -1);
  }
  if (start_tangent) start_direction = *start_tangent;
  if (end_tangent) end_direction = *end_tangent;
  const CurvePoint start_derivative = WithLength(start_direction, total, first_chord);
  const CurvePoint end_derivative = WithLength(end_direction, total, last_chord);

  PlaneCurve curve;
  curve.degree = kCubic;
  curve.knots.assign(kCubic + 1, 0.0);
  curve.knots.insert(curve.knots.end(), u.begin() + 1, u.end() - 1);
  curve.knots.insert(curve.knots.end(), kCubic + 1, 1.0);

  // Control points P[0 .. m + 2]: the ends are the end fit points, the next
  // ones in follow from the end derivatives (C'(0) = 3 / u[1] (P[1] - P[0])),
  // the inner ones from passing through the inner fit points.
  std::vector<CurvePoint> p(m + 3);
  p[0] = points[0];
  p[1] = Plus(points[0], Times(start_derivative, u[1] / kCubic));
  p[m + 2] = points[m];
  p[m + 1] = Minus(points[m], Times(end_derivative, (1 - u[m - 1]) / kCubic));

  // Row k (fit point k, 1 <= k < m): a P[k] + b P[k + 1] + c P[k + 2] = Q[k],
  // tridiagonal in the unknowns P[2 .. m]. Its matrix is totally positive,
  // so elimination without pivoting is stable (Thomas algorithm).
  if (m >= 2) {
    std::vector<double> upper(m + 1, 0);
    std::vector<CurvePoint> right(m + 1);
    for (std::size_t k = 1; k < m; ++k) {
      const std::array<double, kCubic + 1> n = CubicBasis(curve.knots, k + kCubic, u[k]);
      double a = n[0], b = n[1], c = n[2];
      CurvePoint value = points[k];
      if (k == 1) value = Minus(value, Times(p[1], a)), a = 0;
      if (k == m - 1) value = Minus(value, Times(p[m + 1], c)), c = 0;
      // Eliminate the lower entry with the row before.
      const double pivot = b - a * upper[k - 1];
      upper[k] = c / pivot;
      right[k] = Times(Minus(value, Times(right[k - 1], a)), 1 / pivot);
    }
    for (std::size_t k = m - 1; k >= 1; --k) {
      p[k + 1] = Minus(right[k], Times(k + 1 < m ? p[k + 2] : CurvePoint{}, upper[k]));
    }
  }
  curve.control_points.reserve(p.size());
  for (const CurvePoint& point : p) curve.control_points.push_back({point.x, point.y, 1});
  return curve;
}

}  // namespace quillmere
