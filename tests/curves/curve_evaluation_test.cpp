#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "curve_pairs.h"
#include "curves/plane_curve.h"

namespace quillmere {
namespace {

using testing::GroupPairs;
using testing::ReadCurve;
using testing::SplinePairs;

void ExpectPoint(CurvePoint point, double x, double y, double tolerance = 1e-12) {
  EXPECT_NEAR(point.x, x, tolerance);
  EXPECT_NEAR(point.y, y, tolerance);
}

TEST(CurveEvaluationTest, RationalQuadraticQuarterCircleIsExact) {
  const double w = std::sqrt(0.5);
  const CurveReading reading = ReadCurve(
      CurveEntity::kSpline,
      SplinePairs(12, 2, {0, 0, 0, 1, 1, 1}, {{1, 0, 7}, {1, 1, 7}, {0, 1, 7}}, {1, w, 1}));
  ASSERT_TRUE(reading.ok()) << RefusalName(reading.refusal);
  const PlaneCurve& curve = reading.curve;
  EXPECT_EQ(curve.elevation, 7);
  EXPECT_FALSE(curve.closed);
  ExpectPoint(PointAt(curve, 0.5), w, w, 1e-15);
  for (double t = 0; t <= 1; t += 1.0 / 64) {
    const CurvePoint p = PointAt(curve, t);
    EXPECT_NEAR(std::hypot(p.x, p.y), 1, 1e-15) << t;
  }
}

TEST(CurveEvaluationTest, ClampedCubicMatchesTheBasisFunctions) {
  // Knots 0 0 0 0 1/2 1 1 1 1: at 1/4 the basis is (1/8, 19/32, 1/4, 1/32, 0),
  // at 1/2 (0, 1/4, 1/2, 1/4, 0), at 3/4 the mirror of 1/4.
  const CurveReading reading = ReadCurve(
      CurveEntity::kSpline,
      SplinePairs(8, 3, {0, 0, 0, 0, 0.5, 1, 1, 1, 1}, {{0, 0}, {1, 2}, {3, 2}, {4, 0}, {6, 1}}));
  ASSERT_TRUE(reading.ok()) << RefusalName(reading.refusal);
  const PlaneCurve& curve = reading.curve;
  ExpectPoint(PointAt(curve, 0), 0, 0);
  ExpectPoint(PointAt(curve, 0.25), 1.46875, 1.6875);
  ExpectPoint(PointAt(curve, 0.5), 2.75, 1.5);
  ExpectPoint(PointAt(curve, 0.75), 3.90625, 0.6875);
  ExpectPoint(PointAt(curve, 1), 6, 1);
}

TEST(CurveEvaluationTest, PeriodicSplineRunsOverTheInnerKnotsAndCloses) {
  // Six points, the first three repeated, uniform knots 0 .. 12: the part
  // over knots 3 .. 9, starting at (P0 + 4 P1 + P2) / 6.
  const std::vector<std::vector<double>> ring{{0, 0},  {4, -1}, {8, 0},  {9, 4}, {4, 7},
                                              {-1, 4}, {0, 0},  {4, -1}, {8, 0}};
  std::vector<double> knots;
  for (int i = 0; i <= 12; ++i) knots.push_back(i);
  const CurveReading reading = ReadCurve(CurveEntity::kSpline, SplinePairs(11, 3, knots, ring));
  ASSERT_TRUE(reading.ok()) << RefusalName(reading.refusal);
  const PlaneCurve& curve = reading.curve;
  EXPECT_TRUE(curve.closed);
  EXPECT_EQ(curve.FirstParameter(), 3);
  EXPECT_EQ(curve.LastParameter(), 9);
  ExpectPoint(PointAt(curve, 3), 4, -4.0 / 6);
  ExpectPoint(PointAt(curve, 9), 4, -4.0 / 6);
  ExpectPoint(PointAt(curve, 5), (8 + 4 * 9 + 4) / 6.0, (0 + 16 + 7) / 6.0);

  // Unflagged, the same curve is open though its ends meet.
  EXPECT_FALSE(ReadCurve(CurveEntity::kSpline, SplinePairs(8, 3, knots, ring)).curve.closed);
}

TEST(CurveEvaluationTest, FitPointSplinePassesThroughItsFitPoints) {
  const std::vector<CurvePoint> fit{{0, 0}, {1, 2}, {3, 3}, {6, 1}, {8, 4}};
  for (const bool with_tangents : {false, true}) {
    GroupPairs pairs{{70, "8"}, {71, "3"}, {72, "0"}, {73, "0"}, {74, "5"}};
    for (const CurvePoint& point : fit) {
      pairs.emplace_back(11, testing::Text(point.x));
      pairs.emplace_back(21, testing::Text(point.y));
      pairs.emplace_back(31, "2.5");
    }
    if (with_tangents) {
      pairs.insert(pairs.end(), {{12, "1"}, {22, "0"}, {32, "0"}, {13, "0"}, {23, "3"}, {33, "0"}});
    }
    const CurveReading reading = ReadCurve(CurveEntity::kSpline, pairs);
    ASSERT_TRUE(reading.ok()) << RefusalName(reading.refusal);
    const PlaneCurve& curve = reading.curve;
    EXPECT_EQ(curve.degree, 3);
    EXPECT_EQ(curve.elevation, 2.5);
    // The fit points lie at the inner knots, the ends at the range's ends.
    ASSERT_EQ(curve.knots.size(), fit.size() + 6);
    for (std::size_t k = 0; k < fit.size(); ++k) {
      ExpectPoint(PointAt(curve, curve.knots[k + 3]), fit[k].x, fit[k].y, 1e-12);
    }
    const ControlPoint& second = curve.control_points[1];
    const ControlPoint& last_but_one = curve.control_points[curve.control_points.size() - 2];
    if (with_tangents) {
      // The start leaves along +X, the end arrives along +Y.
      EXPECT_NEAR(second.y, 0, 1e-12);
      EXPECT_GT(second.x, 0);
      EXPECT_NEAR(last_but_one.x, 8, 1e-12);
      EXPECT_LT(last_but_one.y, 4);
    } else {
      // Without tangents, the parabola through the first three points at
      // equal steps sets the start: along 3 (1, 2) - (2, 1) = (1, 5).
      EXPECT_NEAR(second.y / second.x, 5, 1e-12);
    }
  }

  // Flagged closed without the first point repeated, it still returns to it.
  GroupPairs closed{{70, "9"}, {71, "3"}, {74, "5"}};
  for (const CurvePoint& point : fit) {
    closed.insert(closed.end(), {{11, testing::Text(point.x)}, {21, testing::Text(point.y)}});
  }
  const CurveReading ring = ReadCurve(CurveEntity::kSpline, closed);
  ASSERT_TRUE(ring.ok()) << RefusalName(ring.refusal);
  EXPECT_TRUE(ring.curve.closed);
  ExpectPoint(PointAt(ring.curve, ring.curve.LastParameter()), 0, 0, 1e-12);
  ExpectPoint(PointAt(ring.curve, ring.curve.knots[3 + 4]), 8, 4, 1e-12);
}

TEST(CurveEvaluationTest, EllipseSeenFromBelowRunsClockwise) {
  // Centre (10, 5), major axis (4, 0), ratio 0.5, extrusion (0, 0, -1): the
  // minor axis is (0, 0, -1) x (4, 0, 0) * 0.5 = (0, -2).
  GroupPairs pairs{{10, "10"},  {20, "5"},   {30, "-3"}, {11, "4"},
                   {21, "0"},   {31, "0"},   {210, "0"}, {220, "0"},
                   {230, "-1"}, {40, "0.5"}, {41, "0"},  {42, testing::Text(std::numbers::pi / 2)}};
  CurveReading reading = ReadCurve(CurveEntity::kEllipse, pairs);
  ASSERT_TRUE(reading.ok()) << RefusalName(reading.refusal);
  EXPECT_EQ(reading.curve.elevation, -3);
  EXPECT_FALSE(reading.curve.closed);
  const PlaneCurve& quarter = reading.curve;
  ExpectPoint(PointAt(quarter, quarter.FirstParameter()), 14, 5);
  ExpectPoint(PointAt(quarter, quarter.LastParameter()), 10, 3);
  // One symmetric piece: its middle is the ellipse's point at pi / 4.
  ExpectPoint(PointAt(quarter, 0.5), 10 + 2 * std::sqrt(2.0), 5 - std::sqrt(2.0));

  // From 5.5 on to 0.5 it wraps past 0: the end is the point at 0.5. Every
  // point lies on the ellipse.
  pairs.back().second = "0.5";
  pairs[pairs.size() - 2].second = "5.5";
  reading = ReadCurve(CurveEntity::kEllipse, pairs);
  ASSERT_TRUE(reading.ok());
  const PlaneCurve& wrapped = reading.curve;
  ExpectPoint(PointAt(wrapped, wrapped.LastParameter()), 10 + 4 * std::cos(0.5),
              5 - 2 * std::sin(0.5));
  for (double t = wrapped.FirstParameter(); t <= wrapped.LastParameter(); t += 0.01) {
    const CurvePoint p = PointAt(wrapped, t);
    EXPECT_NEAR(std::pow((p.x - 10) / 4, 2) + std::pow((p.y - 5) / 2, 2), 1, 1e-12);
  }

  // A full ellipse is closed.
  pairs.back().second = testing::Text(2 * std::numbers::pi);
  pairs[pairs.size() - 2].second = "0";
  reading = ReadCurve(CurveEntity::kEllipse, pairs);
  EXPECT_TRUE(reading.curve.closed);
  EXPECT_EQ(reading.curve.control_points.size(), 9u);  // four quarter pieces
}

}  // namespace
}  // namespace quillmere
