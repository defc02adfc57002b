// The production search against the straightforward one: random windows and
// polylines, many of them with the deviation put right at the distance that
// decides them, must get the same decisions, marks, bulges and arcs.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "arcs/arc_search.h"
#include "arcs/arc_shapes.h"
#include "arcs/sampled/sampled_window_check.h"
#include "reference_arc_search.h"

namespace quillmere {
namespace {

using testing::OutlineMaker;
using testing::PolylineOf;

// The counts are mostly small, to keep the straightforward test fast, with
// the start values now and then.
std::int32_t RandomCount(OutlineMaker& maker) {
  static constexpr std::int32_t kCounts[] = {1, 2, 3, 4, 5, 7, 10, 16, 25, 40, 100};
  return kCounts[maker.Whole(0, std::size(kCounts) - 1)];
}

// The vertices of one random window of `segments` segments.
std::vector<PlanePoint> RandomWindow(OutlineMaker& maker, int segments) {
  std::vector<PlanePoint> points;
  const double offset_x = maker.Chance(0.2) ? maker.Uniform(-1e6, 1e6) : maker.Uniform(-50, 50);
  const double offset_y = maker.Chance(0.2) ? maker.Uniform(-1e6, 1e6) : maker.Uniform(-50, 50);
  switch (maker.Whole(0, 4)) {
    case 0:  // an arc anywhere, also across the negative x direction and
             // beyond a half circle, with tiny to huge radii
    case 1: {
      const double radius = maker.Chance(0.2) ? maker.Scale(1e-6, 1e7) : maker.Scale(0.5, 100);
      const double start = maker.Uniform(-180, 180);
      const double sweep = maker.Uniform(-340, 340);
      const double noise = maker.Chance(0.5) ? 0 : radius * maker.Scale(1e-9, 3e-2);
      for (int i = 0; i <= segments; ++i) {
        const double jitter = maker.Chance(0.3) ? maker.Uniform(-0.3, 0.3) : 0;
        const double angle = testing::Radians(start + sweep * (i + (i > 0 && i < segments ? jitter : 0)) / segments);
        points.push_back({offset_x + radius * std::cos(angle) + maker.Uniform(-noise, noise),
                          offset_y + radius * std::sin(angle) + maker.Uniform(-noise, noise)});
      }
      break;
    }
    case 2: {  // nearly straight
      const double heading = maker.Uniform(-M_PI, M_PI);
      const double step = maker.Scale(1e-3, 10);
      const double noise = step * maker.Scale(1e-13, 1e-2);
      for (int i = 0; i <= segments; ++i) {
        const double along = step * i;
        points.push_back({offset_x + along * std::cos(heading) + maker.Uniform(-noise, noise),
                          offset_y + along * std::sin(heading) + maker.Uniform(-noise, noise)});
      }
      break;
    }
    case 3: {  // a random zigzag
      const double size = maker.Scale(1e-3, 100);
      for (int i = 0; i <= segments; ++i) {
        points.push_back({offset_x + maker.Uniform(-size, size), offset_y + maker.Uniform(-size, size)});
      }
      break;
    }
    default: {  // an arc with a repeated vertex or a vertex thrown off
      const double radius = maker.Scale(0.5, 20);
      const double start = maker.Uniform(-180, 180);
      const double sweep = maker.Uniform(-200, 200);
      for (int i = 0; i <= segments; ++i) {
        const double angle = testing::Radians(start + sweep * i / segments);
        points.push_back({offset_x + radius * std::cos(angle), offset_y + radius * std::sin(angle)});
      }
      const int v = maker.Whole(1, segments);
      if (maker.Chance(0.5)) {
        points[v] = points[v - 1];
      } else {
        points[v].x += maker.Uniform(-0.1, 0.1) * radius;
      }
      break;
    }
  }
  return points;
}

TEST(ArcDifferentialTest, WindowDecisionsMatchAtTheDecidingDistance) {
  OutlineMaker maker(20240917);
  int passed = 0, failed = 0, knife_edges = 0;
  for (int round = 0; round < 4000; ++round) {
    ArcSearchSettings settings{0, RandomCount(maker), RandomCount(maker)};
    const bool large = settings.arc_tests * settings.line_tests > 1000;
    const int segments = maker.Whole(1, large ? 4 : 9);
    const std::vector<PlanePoint> points = RandomWindow(maker, segments);
    const testing::PlainPolyline polyline = PolylineOf(points);

    const double critical = reference::CriticalDeviation(polyline, 0, segments, settings);
    std::vector<double> deviations = {maker.Scale(1e-4, 10)};
    if (std::isfinite(critical) && critical > 0) {
      deviations.insert(deviations.end(),
                        {critical, std::nextafter(critical, INFINITY),
                         std::nextafter(critical, 0.0), critical * (1 + 1e-12),
                         critical * (1 + 1e-9), critical * (1 - 1e-9), critical * 1.01,
                         critical * 0.9});
    }
    for (const double deviation : deviations) {
      settings.deviation = deviation;
      const bool expected = reference::WindowPasses(polyline, 0, segments, settings);
      SampledWindowCheck window_check(settings);
      const bool found = window_check.Passes(points, 0, segments);
      ASSERT_EQ(found, expected) << "round " << round << " deviation " << deviation;
      (expected ? passed : failed) += 1;
      if (deviation == critical) knife_edges += expected ? 0 : 1;
    }
    // The helper itself: the window fails at the deciding distance and
    // passes just above it, whenever the arc exists.
    if (std::isfinite(critical) && critical > 0) {
      settings.deviation = std::nextafter(critical, INFINITY);
      EXPECT_TRUE(reference::WindowPasses(polyline, 0, segments, settings)) << round;
    }
  }
  EXPECT_GT(passed, 5000);
  EXPECT_GT(failed, 5000);
  EXPECT_GT(knife_edges, 1500);
}

// Deviations and coordinates outside the ranges the shortcuts are made for:
// the production test must still decide as the straightforward one.
TEST(ArcDifferentialTest, ExtremeValuesMatch) {
  OutlineMaker maker(3);
  const double kDeviations[] = {std::numeric_limits<double>::quiet_NaN(), INFINITY, 1e300, 1e-250,
                                std::numeric_limits<double>::denorm_min(), -1, 0};
  const double kScales[] = {1e-300, 1e-120, 1, 1e90, 1e120, 1e200, 1e300};
  int passed = 0;
  for (int round = 0; round < 400; ++round) {
    const double scale = kScales[maker.Whole(0, std::size(kScales) - 1)];
    std::vector<PlanePoint> points = RandomWindow(maker, maker.Whole(3, 5));
    for (PlanePoint& p : points) p = {p.x * scale, p.y * scale};
    const int segments = static_cast<int>(points.size()) - 1;
    const testing::PlainPolyline polyline = PolylineOf(points);
    ArcSearchSettings settings{0, maker.Whole(1, 12), maker.Whole(1, 12)};
    settings.deviation = maker.Chance(0.5) ? kDeviations[maker.Whole(0, std::size(kDeviations) - 1)]
                                           : scale * maker.Scale(1e-3, 10);
    const bool expected = reference::WindowPasses(polyline, 0, segments, settings);
    SampledWindowCheck window_check(settings);
    ASSERT_EQ(window_check.Passes(points, 0, segments), expected)
        << "round " << round << " scale " << scale << " deviation " << settings.deviation;
    passed += expected ? 1 : 0;
  }
  EXPECT_GT(passed, 20);
}

// A random outline of arcs, straight runs and corners, scaled and moved.
std::vector<PlanePoint> RandomOutline(OutlineMaker& maker, double scale, double deviation) {
  std::vector<PlanePoint> points;
  const int pieces = maker.Whole(1, 5);
  for (int piece = 0; piece < pieces; ++piece) {
    const double noise = maker.Chance(0.3) ? deviation * maker.Uniform(0, 0.8) : 0;
    if (maker.Chance(0.6)) {
      maker.AddArc(points, maker.Scale(0.3, 30), maker.Uniform(-330, 330), maker.Whole(2, 14),
                   noise);
    } else {
      maker.AddStraight(points, maker.Scale(0.1, 5), maker.Whole(1, 6), noise);
    }
  }
  const double dx = maker.Chance(0.2) ? maker.Uniform(-1e6, 1e6) : 0;
  const double dy = maker.Chance(0.2) ? maker.Uniform(-1e6, 1e6) : 0;
  for (PlanePoint& p : points) p = {p.x * scale + dx, p.y * scale + dy};
  return points;
}

TEST(ArcDifferentialTest, PolylineMarksMatch) {
  OutlineMaker maker(77);
  int arcs = 0;
  for (int round = 0; round < 30; ++round) {
    const double scale = maker.Chance(0.3) ? maker.Scale(1e-4, 1e4) : 1;
    const ArcSearchSettings settings{scale * maker.Scale(0.02, 0.5), maker.Whole(3, 40),
                                     maker.Whole(1, 40)};
    std::vector<testing::PlainPolyline> polylines;
    for (int p = 0; p < 40; ++p) {
      polylines.push_back(PolylineOf(RandomOutline(maker, scale, settings.deviation / scale)));
    }
    PolylineModel production = testing::ModelOf(polylines);
    reference::PlainModel expected{polylines};
    FindArcs(production, settings);
    reference::FindArcs(expected, settings);
    ASSERT_EQ(testing::MarksOf(production), testing::MarksOf(expected.polylines)) << "round " << round;
    for (const auto& row : testing::MarksOf(production)) {
      for (const auto& marks : row) arcs += marks.gets_bulge ? 1 : 0;
    }
  }
  EXPECT_GT(arcs, 1000);
}

}  // namespace
}  // namespace quillmere
