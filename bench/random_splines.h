#pragma once

// What the curve benchmarks share: random cubic SPLINEs of 12 control
// points (a random walk in a 200 x 200 drawing, steps of 3 to 15, clamped
// uniform knots) as their group pairs, and the plain reference flattening.

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "curves/bezier_piece.h"
#include "curves/plane_curve.h"
#include "support/numbers.h"

namespace quillmere::bench {

using Pairs = std::vector<std::pair<int, std::string>>;

inline constexpr int kControlPoints = 12;
inline constexpr int kDegree = 3;

// The pairs of one SPLINE after its (0, SPLINE) pair.
inline Pairs RandomSpline(std::mt19937_64& random) {
  std::uniform_real_distribution<double> start(0, 200);
  std::uniform_real_distribution<double> step(3, 15);
  std::uniform_real_distribution<double> turn(-1.2, 1.2);
  Pairs pairs{{100, "AcDbSpline"},
              {210, "0"},
              {220, "0"},
              {230, "1"},
              {70, "8"},
              {71, std::to_string(kDegree)},
              {72, std::to_string(kControlPoints + kDegree + 1)},
              {73, std::to_string(kControlPoints)},
              {74, "0"}};
  const int spans = kControlPoints - kDegree;
  for (int i = 0; i < kControlPoints + kDegree + 1; ++i) {
    pairs.emplace_back(40, FormatGeneral(std::clamp(i - kDegree, 0, spans)));
  }
  double x = start(random), y = start(random), heading = turn(random) * 3;
  for (int i = 0; i < kControlPoints; ++i) {
    pairs.emplace_back(10, FormatGeneral(x));
    pairs.emplace_back(20, FormatGeneral(y));
    pairs.emplace_back(30, "0");
    const double length = step(random);
    heading += turn(random);
    x += length * std::cos(heading);
    y += length * std::sin(heading);
  }
  return pairs;
}

// The plain reference: each Bezier piece at evenly spaced parameters, as
// many as Wang's bound asks for the chord error (n >= sqrt(p (p - 1) M /
// (8 chord_error)), M the largest second difference of the piece's
// control points), each point evaluated on its own.
inline void FlattenUniformly(const PlaneCurve& curve, double chord_error,
                             std::vector<CurvePoint>& points) {
  points.clear();
  points.push_back(PointAt(curve, curve.FirstParameter()));
  const std::size_t p = static_cast<std::size_t>(curve.degree);
  for (std::size_t span = p; span < curve.control_points.size(); ++span) {
    const double a = curve.knots[span];
    const double b = curve.knots[span + 1];
    if (!(a < b)) continue;
    const BezierPiece piece = BezierPieceOfSpan(curve, span);
    double most = 0;
    for (std::size_t j = 0; j + 2 <= p; ++j) {
      const CurvePoint q0 = piece.points[j].Projected();
      const CurvePoint q1 = piece.points[j + 1].Projected();
      const CurvePoint q2 = piece.points[j + 2].Projected();
      most = std::max(most, std::hypot(q0.x - 2 * q1.x + q2.x, q0.y - 2 * q1.y + q2.y));
    }
    const int count = std::max(
        1, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(p * (p - 1)) * most /
                                                (8 * chord_error)))));
    for (int i = 1; i <= count; ++i) points.push_back(PointAt(curve, a + (b - a) * i / count));
  }
}

}  // namespace quillmere::bench
