#include "arcs/arc_through_points.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "arc_shapes.h"

namespace quillmere {
namespace {

using testing::Radians;

TEST(ArcThroughPointsTest, QuarterCircleInBothDirections) {
  ArcFields arc;
  ASSERT_TRUE(arc.ArcThroughPoints(10, 0, 7.0710678, 7.0710678, 0, 10));
  EXPECT_NEAR(arc.arcmx, 0, 1e-6);
  EXPECT_NEAR(arc.arcmy, 0, 1e-6);
  EXPECT_NEAR(arc.arcradius, 10, 1e-6);
  EXPECT_NEAR(arc.arcwinkel1, 0, 1e-6);
  EXPECT_NEAR(arc.arcwinkel2, M_PI / 2, 1e-6);
  EXPECT_NEAR(arc.bulge, 0.414213562373095, 1e-8);  // the middle point is rounded

  // The same arc, walked clockwise: same angles, negative bulge.
  ASSERT_TRUE(arc.ArcThroughPoints(0, 10, 7.0710678, 7.0710678, 10, 0));
  EXPECT_NEAR(arc.arcwinkel1, 0, 1e-6);
  EXPECT_NEAR(arc.arcwinkel2, M_PI / 2, 1e-6);
  EXPECT_NEAR(arc.bulge, -0.414213562373095, 1e-8);

  const double h = std::sqrt(50.0);
  ASSERT_TRUE(arc.ArcThroughPoints(10, 0, h, h, 0, 10));
  EXPECT_NEAR(arc.bulge, 0.414213562373095, 1e-15);
}

TEST(ArcThroughPointsTest, HalfCircleHasBulgeOne) {
  ArcFields arc;
  ASSERT_TRUE(arc.ArcThroughPoints(5, 0, 0, 5, -5, 0));
  EXPECT_NEAR(arc.bulge, 1, 1e-12);
  EXPECT_NEAR(arc.arcradius, 5, 1e-12);
  ASSERT_TRUE(arc.ArcThroughPoints(-5, 0, 0, 5, 5, 0));
  EXPECT_NEAR(arc.bulge, -1, 1e-12);
}

TEST(ArcThroughPointsTest, NoArcThroughCollinearOrCoincidingPoints) {
  ArcFields arc{1, 2, 3, 4, 5, 6};
  EXPECT_FALSE(arc.ArcThroughPoints(0, 0, 1, 1, 2, 2));
  EXPECT_EQ(arc.arcwinkel1, 0);
  EXPECT_EQ(arc.arcwinkel2, 0);
  EXPECT_EQ(arc.bulge, 0);
  EXPECT_EQ(arc.arcradius, 0);

  arc = {1, 2, 3, 4, 5, 6};
  EXPECT_FALSE(arc.ArcThroughPoints(3, 4, 7, -1, 3, 4));  // first and third coincide
  EXPECT_EQ(arc.bulge, 0);
  EXPECT_EQ(arc.arcradius, 0);
}

TEST(ArcThroughPointsTest, NearlyStraightPointsGiveNoArc) {
  ArcFields arc;
  // A bulge below 1e-6 cannot be told from its chord.
  EXPECT_FALSE(arc.ArcThroughPoints(0, 0, 1, 1e-9, 2, 0));
  EXPECT_EQ(arc.bulge, 0);
  ASSERT_TRUE(arc.ArcThroughPoints(0, 0, 1, 1e-5, 2, 0));
  EXPECT_LT(arc.bulge, -1e-6);  // (1, 1e-5) lies left of the way: clockwise

  // Points on one vertical line: the area comes out of rounding, with
  // either sign, and must not make an arc, let alone the far side of a
  // giant circle.
  std::mt19937_64 random(3);
  std::uniform_real_distribution<double> step(0.001, 0.05);
  int nonzero_area = 0;
  for (int i = 0; i < 2000; ++i) {
    const double x = 3.631329 + i * 1e-3;
    const double y1 = step(random) * 100;
    const double y2 = y1 + step(random);
    const double y3 = y2 + step(random);
    const double area2 = x * y2 + x * y3 + x * y1 - x * y3 - x * y1 - x * y2;
    nonzero_area += area2 != 0 ? 1 : 0;
    EXPECT_FALSE(arc.ArcThroughPoints(x, y1, x, y2, x, y3)) << i;
    EXPECT_EQ(arc.bulge, 0);
  }
  EXPECT_GT(nonzero_area, 100);
}

TEST(ArcThroughPointsTest, ArcsBeyondAHalfCircleGetTheBulgeOfTheirWholeAngle) {
  ArcFields arc;
  // 270 degrees about (3, -1), counter-clockwise from 0 via 135 to 270.
  const auto p = testing::ArcVertices(3, -1, 2, 0, 270, 2);
  ASSERT_TRUE(arc.ArcThroughPoints(p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y));
  EXPECT_NEAR(arc.bulge, std::tan(Radians(270) / 4), 1e-12);
  EXPECT_NEAR(arc.arcwinkel1, 0, 1e-12);
  EXPECT_NEAR(arc.arcwinkel2, -M_PI / 2, 1e-12);
  ASSERT_TRUE(arc.ArcThroughPoints(p[2].x, p[2].y, p[1].x, p[1].y, p[0].x, p[0].y));
  EXPECT_NEAR(arc.bulge, -std::tan(Radians(270) / 4), 1e-12);
  EXPECT_NEAR(arc.arcwinkel1, 0, 1e-12);

  // Just short of a half circle the chord formula still holds.
  const auto q = testing::ArcVertices(3, -1, 2, 10, 189, 2);
  ASSERT_TRUE(arc.ArcThroughPoints(q[0].x, q[0].y, q[1].x, q[1].y, q[2].x, q[2].y));
  EXPECT_NEAR(arc.bulge, std::tan(Radians(179) / 4), 1e-12);
}

TEST(ArcThroughPointsTest, ArcAcrossTheNegativeXDirection) {
  ArcFields arc;
  const auto p = testing::ArcVertices(5, 5, 3, 150, 210, 2);
  ASSERT_TRUE(arc.ArcThroughPoints(p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y));
  EXPECT_NEAR(arc.arcwinkel1, Radians(150), 1e-12);
  EXPECT_NEAR(arc.arcwinkel2, Radians(-150), 1e-12);
  EXPECT_NEAR(arc.bulge, std::tan(Radians(60) / 4), 1e-12);
  EXPECT_NEAR(CounterClockwiseSweep(arc.arcwinkel1, arc.arcwinkel2), Radians(60), 1e-12);
}

// Near a half circle rounding can put the chord above the diameter; at most
// a half circle, that is no arc. Such triples exist among nearly opposite
// points; every one found must be refused with bulge 0.
TEST(ArcThroughPointsTest, ChordAboveTheDiameterIsNoArc) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(-1, 1);
  int refused = 0;
  for (int i = 0; i < 200000 && refused < 20; ++i) {
    const double a = unit(random) * M_PI;
    const double r = std::exp(unit(random) * 5);
    const double x1 = r * std::cos(a), y1 = r * std::sin(a);
    const double x2 = r * std::cos(a + M_PI / 2), y2 = r * std::sin(a + M_PI / 2);
    const double x3 = -x1 * (1 + unit(random) * 1e-15), y3 = -y1;
    ArcFields arc;
    const bool formed = arc.ArcThroughPoints(x1, y1, x2, y2, x3, y3);
    const double chord = std::sqrt((x1 - x3) * (x1 - x3) + (y1 - y3) * (y1 - y3));
    const double q = 1 / (2 * arc.arcradius / chord);
    const double sweep = CounterClockwiseSweep(arc.arcwinkel1, arc.arcwinkel2);
    if (q > 1 && sweep <= M_PI) {
      EXPECT_FALSE(formed);
      EXPECT_EQ(arc.bulge, 0);
      ++refused;
    } else {
      EXPECT_TRUE(formed);
      EXPECT_NEAR(std::abs(arc.bulge), 1, 1e-7);
    }
  }
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace quillmere
