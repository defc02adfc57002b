#include "curves/bezier_piece.h"

#include <algorithm>
#include <cassert>

namespace quillmere {

namespace {

HomogeneousPoint Blend(const HomogeneousPoint& a, const HomogeneousPoint& b, double s) {
  return {a.x + s * (b.x - a.x), a.y + s * (b.y - a.y), a.w + s * (b.w - a.w)};
}

}  // namespace

HomogeneousPoint Blossom(const PlaneCurve& curve, std::size_t span,
                         std::span<const double> arguments) {
  const std::size_t p = static_cast<std::size_t>(curve.degree);
  assert(arguments.size() == p && span >= p && span < curve.control_points.size());
  const std::vector<double>& t = curve.knots;
  std::array<HomogeneousPoint, kHighestCurveDegree + 1> d;
  for (std::size_t i = 0; i <= p; ++i) d[i] = Homogeneous(curve.control_points[span - p + i]);
  for (std::size_t r = 1; r <= p; ++r) {
    const double u = arguments[r - 1];
    for (std::size_t i = p; i >= r; --i) {
      const std::size_t k = span - p + i;
      // t[k] <= t[span] < t[span + 1] <= t[k + p + 1 - r]: never zero.
      const double alpha = (u - t[k]) / (t[k + p + 1 - r] - t[k]);
      d[i] = Blend(d[i - 1], d[i], alpha);
    }
  }
  return d[p];
}

BezierPiece BezierPieceOfSpan(const PlaneCurve& curve, std::size_t span) {
  const int p = curve.degree;
  const double a = curve.knots[span];
  const double b = curve.knots[span + 1];
  BezierPiece piece;
  piece.degree = p;
  std::array<double, kHighestCurveDegree> arguments;
  for (int j = 0; j <= p; ++j) {
    // Control point j is the blossom at p - j times the start, j times the end.
    for (int r = 0; r < p; ++r) arguments[static_cast<std::size_t>(r)] = r < p - j ? a : b;
    piece.points[static_cast<std::size_t>(j)] = Blossom(
        curve, span, std::span<const double>(arguments.data(), static_cast<std::size_t>(p)));
  }
  return piece;
}

void SplitBezier(const BezierPiece& piece, double s, BezierPiece& before, BezierPiece& after) {
  const std::size_t p = static_cast<std::size_t>(piece.degree);
  before.degree = after.degree = piece.degree;
  std::array<HomogeneousPoint, kHighestCurveDegree + 1> row;
  std::copy_n(piece.points.begin(), p + 1, row.begin());
  before.points[0] = row[0];
  after.points[p] = row[p];
  for (std::size_t level = 1; level <= p; ++level) {
    for (std::size_t i = 0; i + level <= p; ++i) row[i] = Blend(row[i], row[i + 1], s);
    before.points[level] = row[0];
    after.points[p - level] = row[p - level];
  }
}

}  // namespace quillmere
