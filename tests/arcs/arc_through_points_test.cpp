#include "arcs/arc_through_points.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "arc_shapes.h"

namespace quillmere {
namespace {

using testing::Radians;

TEST(ArcThroughPointsTest, QuarterCircleInBothDirections) {
  std::optional<Arc> arc = ArcThroughPoints({10, 0}, {7.0710678, 7.0710678}, {0, 10});
  ASSERT_TRUE(arc);
  EXPECT_NEAR(arc->centre_x, 0, 1e-6);
  EXPECT_NEAR(arc->centre_y, 0, 1e-6);
  EXPECT_NEAR(arc->radius, 10, 1e-6);
  EXPECT_NEAR(arc->start_angle, 0, 1e-6);
  EXPECT_NEAR(arc->end_angle, M_PI / 2, 1e-6);
  EXPECT_NEAR(arc->bulge, 0.414213562373095, 1e-8);  // the middle point is rounded

  // The same arc, walked clockwise: same angles, negative bulge.
  arc = ArcThroughPoints({0, 10}, {7.0710678, 7.0710678}, {10, 0});
  ASSERT_TRUE(arc);
  EXPECT_NEAR(arc->start_angle, 0, 1e-6);
  EXPECT_NEAR(arc->end_angle, M_PI / 2, 1e-6);
  EXPECT_NEAR(arc->bulge, -0.414213562373095, 1e-8);

  const double h = std::sqrt(50.0);
  EXPECT_NEAR(ArcThroughPoints({10, 0}, {h, h}, {0, 10})->bulge, 0.414213562373095, 1e-15);
}

TEST(ArcThroughPointsTest, HalfCircleHasBulgeOne) {
  const std::optional<Arc> arc = ArcThroughPoints({5, 0}, {0, 5}, {-5, 0});
  ASSERT_TRUE(arc);
  EXPECT_NEAR(arc->bulge, 1, 1e-12);
  EXPECT_NEAR(arc->radius, 5, 1e-12);
  EXPECT_NEAR(ArcThroughPoints({-5, 0}, {0, 5}, {5, 0})->bulge, -1, 1e-12);
}

TEST(ArcThroughPointsTest, NoArcThroughCollinearOrCoincidingPoints) {
  EXPECT_FALSE(ArcThroughPoints({0, 0}, {1, 1}, {2, 2}));
  EXPECT_FALSE(ArcThroughPoints({3, 4}, {7, -1}, {3, 4}));  // first and third coincide
}

TEST(ArcThroughPointsTest, NearlyStraightPointsGiveNoArc) {
  // A bulge below 1e-6 cannot be told from its chord.
  EXPECT_FALSE(ArcThroughPoints({0, 0}, {1, 1e-9}, {2, 0}));
  const std::optional<Arc> arc = ArcThroughPoints({0, 0}, {1, 1e-5}, {2, 0});
  ASSERT_TRUE(arc);
  EXPECT_LT(arc->bulge, -1e-6);  // (1, 1e-5) lies left of the way: clockwise

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
    EXPECT_FALSE(ArcThroughPoints({x, y1}, {x, y2}, {x, y3})) << i;
  }
  EXPECT_GT(nonzero_area, 100);
}

TEST(ArcThroughPointsTest, ArcsBeyondAHalfCircleGetTheBulgeOfTheirWholeAngle) {
  // 270 degrees about (3, -1), counter-clockwise from 0 via 135 to 270.
  const auto p = testing::ArcVertices(3, -1, 2, 0, 270, 2);
  std::optional<Arc> arc = ArcThroughPoints(p[0], p[1], p[2]);
  ASSERT_TRUE(arc);
  EXPECT_NEAR(arc->bulge, std::tan(Radians(270) / 4), 1e-12);
  EXPECT_NEAR(arc->start_angle, 0, 1e-12);
  EXPECT_NEAR(arc->end_angle, -M_PI / 2, 1e-12);
  arc = ArcThroughPoints(p[2], p[1], p[0]);
  ASSERT_TRUE(arc);
  EXPECT_NEAR(arc->bulge, -std::tan(Radians(270) / 4), 1e-12);
  EXPECT_NEAR(arc->start_angle, 0, 1e-12);

  // Just short of a half circle the chord formula still holds.
  const auto q = testing::ArcVertices(3, -1, 2, 10, 189, 2);
  EXPECT_NEAR(ArcThroughPoints(q[0], q[1], q[2])->bulge, std::tan(Radians(179) / 4), 1e-12);
}

TEST(ArcThroughPointsTest, ArcAcrossTheNegativeXDirection) {
  const auto p = testing::ArcVertices(5, 5, 3, 150, 210, 2);
  const std::optional<Arc> arc = ArcThroughPoints(p[0], p[1], p[2]);
  ASSERT_TRUE(arc);
  EXPECT_NEAR(arc->start_angle, Radians(150), 1e-12);
  EXPECT_NEAR(arc->end_angle, Radians(-150), 1e-12);
  EXPECT_NEAR(arc->bulge, std::tan(Radians(60) / 4), 1e-12);
  EXPECT_NEAR(CounterClockwiseSweep(arc->start_angle, arc->end_angle), Radians(60), 1e-12);
}

// Near a half circle rounding can put the chord above the diameter; at most
// a half circle, that is no arc. Such triples exist among nearly opposite
// points; every one found must be refused.
TEST(ArcThroughPointsTest, ChordAboveTheDiameterIsNoArc) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(-1, 1);
  int refused = 0;
  for (int i = 0; i < 200000 && refused < 20; ++i) {
    const double a = unit(random) * M_PI;
    const double r = std::exp(unit(random) * 5);
    const PlanePoint p1{r * std::cos(a), r * std::sin(a)};
    const PlanePoint p2{r * std::cos(a + M_PI / 2), r * std::sin(a + M_PI / 2)};
    const PlanePoint p3{-p1.x * (1 + unit(random) * 1e-15), -p1.y};
    const std::optional<Arc> arc = ArcThroughPoints(p1, p2, p3);
    if (!arc) {
      ++refused;
      continue;
    }
    // Whatever is formed is a half circle; at most half a turn, its chord
    // fits the diameter.
    EXPECT_NEAR(std::abs(arc->bulge), 1, 1e-7);
    const double chord =
        std::sqrt((p1.x - p3.x) * (p1.x - p3.x) + (p1.y - p3.y) * (p1.y - p3.y));
    if (CounterClockwiseSweep(arc->start_angle, arc->end_angle) <= M_PI) {
      EXPECT_LE(1 / (2 * arc->radius / chord), 1.0);
    }
  }
  EXPECT_GT(refused, 0);
}


// Random triples of every kind, among them the borderline ones where
// rounding decides: nearly collinear, nearly half circles either side,
// nearly full circles, far from the origin. The bulge alone must be the
// bulge of the whole arc, bit for bit, and nothing where that is nothing.
TEST(ArcThroughPointsTest, TheBulgeAloneIsTheArcsBulge) {
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> unit(-1, 1);
  int arcs = 0, none = 0;
  for (int i = 0; i < 300000; ++i) {
    const double r = std::exp(unit(random) * 8);
    const double centre = i % 3 == 0 ? 5e6 : 0;
    const double a = unit(random) * M_PI;
    // Angles to the middle and last point: anything, a half circle, or a
    // full one, each give or take a trace.
    const double trace = std::pow(10, -16 + 14 * (unit(random) + 1) / 2) * unit(random);
    const double kinds[] = {unit(random) * M_PI, M_PI + trace, 2 * M_PI + trace, trace};
    const double to_last = kinds[i % 4];
    const double to_middle = i % 8 < 4 ? to_last / 2 : to_last * (unit(random) + 1) / 2;
    const auto on_circle = [&](double angle) {
      return PlanePoint{centre + r * std::cos(a + angle), centre + r * std::sin(a + angle)};
    };
    const PlanePoint p1 = on_circle(0), p2 = on_circle(to_middle), p3 = on_circle(to_last);
    for (const bool half : {false, true}) {
      const std::optional<Arc> arc = ArcThroughPoints(p1, p2, p3, half);
      const std::optional<double> bulge = BulgeThroughPoints(p1, p2, p3, half);
      ASSERT_EQ(arc.has_value(), bulge.has_value()) << i;
      if (!arc) {
        ++none;
        continue;
      }
      ++arcs;
      ASSERT_EQ(arc->bulge, *bulge) << i;
    }
  }
  EXPECT_GT(arcs, 100000);
  EXPECT_GT(none, 1000);
}

}  // namespace
}  // namespace quillmere
