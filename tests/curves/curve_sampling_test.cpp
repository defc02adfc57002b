#include "curves/curve_sampling.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "curve_pairs.h"
#include "curves/bezier_piece.h"

namespace quillmere {
namespace {

using testing::GroupPairs;
using testing::ReadCurve;
using testing::SplinePairs;

double SegmentDistance(CurvePoint p, CurvePoint a, CurvePoint b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double s = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  s = std::clamp(s, 0.0, 1.0);
  return std::hypot(p.x - a.x - s * dx, p.y - a.y - s * dy);
}

double PolylineDistance(CurvePoint p, const std::vector<CurvePoint>& line) {
  double best = INFINITY;
  for (std::size_t i = 1; i < line.size(); ++i) {
    best = std::min(best, SegmentDistance(p, line[i - 1], line[i]));
  }
  return best;
}

// The distance of the samples' polyline and the curve both ways, the curve
// taken as a polyline 20 times denser than the samples (its own chord
// error then about a four-hundredth of theirs).
double MeasuredDeviation(const PlaneCurve& curve, const std::vector<CurvePoint>& samples) {
  std::vector<CurvePoint> dense;
  const int steps = static_cast<int>(samples.size()) * 20;
  const double first = curve.FirstParameter();
  const double last = curve.LastParameter();
  for (int i = 0; i <= steps; ++i)
    dense.push_back(PointAt(curve, first + (last - first) * i / steps));
  double deviation = 0;
  for (const CurvePoint& p : dense) deviation = std::max(deviation, PolylineDistance(p, samples));
  for (std::size_t i = 1; i < samples.size(); ++i) {
    for (int k = 0; k <= 16; ++k) {
      const double s = k / 16.0;
      const CurvePoint p{samples[i - 1].x + s * (samples[i].x - samples[i - 1].x),
                         samples[i - 1].y + s * (samples[i].y - samples[i - 1].y)};
      deviation = std::max(deviation, PolylineDistance(p, dense));
    }
  }
  return deviation;
}

PlaneCurve RandomCubic(std::mt19937_64& random, bool rational) {
  std::uniform_real_distribution<double> coordinate(-10, 10);
  std::uniform_real_distribution<double> weight(0.3, 3);
  std::vector<std::vector<double>> points;
  std::vector<double> weights;
  for (int i = 0; i < 8; ++i) {
    points.push_back({coordinate(random), coordinate(random)});
    weights.push_back(rational ? weight(random) : 1);
  }
  const CurveReading reading =
      ReadCurve(CurveEntity::kSpline,
                SplinePairs(8, 3, {0, 0, 0, 0, 1, 2, 2.5, 4, 5, 5, 5, 5}, points, weights));
  EXPECT_TRUE(reading.ok());
  return reading.curve;
}

TEST(CurveSamplingTest, SamplesStayWithinTheChordErrorBothWays) {
  std::mt19937_64 random(30);
  std::vector<PlaneCurve> curves{RandomCubic(random, false), RandomCubic(random, true)};
  const GroupPairs ellipse{{10, "3"},   {20, "-2"}, {11, "6"},   {21, "8"},
                           {40, "0.3"}, {41, "1"},  {42, "0.5"}, {230, "-1"}};
  curves.push_back(ReadCurve(CurveEntity::kEllipse, ellipse).curve);
  const std::vector<std::vector<double>> ring{{0, 0},  {4, -1}, {8, 0},  {9, 4}, {4, 7},
                                              {-1, 4}, {0, 0},  {4, -1}, {8, 0}};
  curves.push_back(ReadCurve(CurveEntity::kSpline,
                             SplinePairs(11, 3, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, ring))
                       .curve);
  for (const double chord_error : {0.1, 0.01}) {
    for (const PlaneCurve& curve : curves) {
      std::vector<CurvePoint> samples;
      ASSERT_EQ(SampleCurve(curve, chord_error, samples), CurveRefusal::kNone);
      ASSERT_GE(samples.size(), 2u);
      const CurvePoint start = PointAt(curve, curve.FirstParameter());
      EXPECT_EQ(samples.front().x, start.x);
      EXPECT_EQ(samples.front().y, start.y);
      if (curve.closed) {
        EXPECT_EQ(samples.back().x, samples.front().x);
        EXPECT_EQ(samples.back().y, samples.front().y);
      } else {
        const CurvePoint end = PointAt(curve, curve.LastParameter());
        EXPECT_NEAR(samples.back().x, end.x, 1e-12);
        EXPECT_NEAR(samples.back().y, end.y, 1e-12);
      }
      const double deviation = MeasuredDeviation(curve, samples);
      EXPECT_LE(deviation, chord_error) << samples.size() << " samples";
      // And not needlessly many samples: the bound is used well.
      EXPECT_GT(deviation, chord_error / 2) << samples.size() << " samples";
    }
  }
}

TEST(CurveSamplingTest, QuadraticPiecesMeetTheirBoundExactly) {
  // A parabola's middle control point is twice as far from the chord as
  // the curve; a circle's quarter (weight cos 45 degrees) w / (1 + w) times.
  BezierPiece parabola;
  parabola.degree = 2;
  parabola.points = {HomogeneousPoint{0, 0, 1}, HomogeneousPoint{1, 2, 1},
                     HomogeneousPoint{2, 0, 1}};
  EXPECT_DOUBLE_EQ(DeviationBound(parabola), 1);
  const double w = std::sqrt(0.5);
  BezierPiece quarter;
  quarter.degree = 2;
  quarter.points = {HomogeneousPoint{1, 0, 1}, HomogeneousPoint{w, w, w},
                    HomogeneousPoint{0, 1, 1}};
  EXPECT_NEAR(DeviationBound(quarter), 1 - w, 1e-15);  // the arc's height over its chord
}

}  // namespace
}  // namespace quillmere
