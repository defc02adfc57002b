#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>
#include <vector>

#include "arcs/arc_shapes.h"
#include "arcs/exact/exact_bulge_search.h"
#include "arcs/exact/exact_window_check.h"
#include "fewest_segments.h"

namespace quillmere::exact_window_check_test {
namespace {

// Noisy arcs of every size, near the origin and far from it, either way
// round, some with repeated vertices: windows of them measured against the
// arc through their middle vertex and arcs a little rounder and flatter.
// For each, the deviation where the walk by angles turns from failing to
// passing is found, and both ways of measuring are held against each other
// there and a rounding step or two either side, where the end ray and the
// limit are decided by the last bits.
TEST(ExactWindowCheckTest, DecidesAsTheWalkByAnglesAtTheEdgeOfPassing) {
  std::mt19937 random(20261210);
  std::uniform_real_distribution<double> unit(0, 1);
  int windows = 0, agreed = 0, passed = 0, failed = 0;
  for (int shape = 0; shape < 200; ++shape) {
    const double radius = std::pow(10, -1 + 5 * unit(random));
    const double noise = radius * std::pow(10, -7 + 5 * unit(random));
    const double from = 360 * unit(random);
    const double sweep = (10 + 340 * unit(random)) * (unit(random) < 0.5 ? 1 : -1);
    const int segments = 3 + static_cast<int>(60 * unit(random));
    const bool far = unit(random) < 0.3;
    std::vector<PlanePoint> points =
        testing::ArcVertices(far ? 300000 : 0, far ? 5000000 : 0, radius, from, from + sweep, segments);
    for (PlanePoint& p : points) {
      p = {p.x + noise * (2 * unit(random) - 1), p.y + noise * (2 * unit(random) - 1)};
    }
    if (shape % 7 == 0) points[points.size() / 3] = points[points.size() / 3 - 1];
    if (shape % 5 == 1) {
      // Every third vertex followed by one straight out from the centre or
      // in towards it: windows that end on them end on a radial segment.
      std::vector<PlanePoint> stepped;
      const PlanePoint centre = {far ? 300000.0 : 0.0, far ? 5000000.0 : 0.0};
      for (std::size_t v = 0; v < points.size(); ++v) {
        stepped.push_back(points[v]);
        if (v % 3 != 1) continue;
        const double out = 1 + (2 * unit(random) - 1) * noise / radius * 20;
        stepped.push_back({centre.x + (points[v].x - centre.x) * out,
                           centre.y + (points[v].y - centre.y) * out});
      }
      points = stepped;
    }
    const auto last = static_cast<std::int32_t>(points.size()) - 1;
    for (std::int32_t first = 0; first + 2 <= last; first += 1 + last / 4) {
      for (std::int32_t end = first + 2; end <= last; end += 1 + (end - first) / 2) {
        const std::optional<Arc> middle = WindowArc(points, first, end, true);
        if (!middle) continue;
        for (const double factor : {1.0, 1.001, 0.999, 1.05}) {
          const double bulge = middle->bulge * factor;
          const auto passes_by_angles = [&](double deviation) {
            ExactWindowCheck check(deviation);
            check.Use(points);
            return check.ArcPassesByAngles(first, end, bulge);
          };
          // Passing grows with the deviation: bisection finds its edge.
          double low = 0, high = 2 * radius;
          if (!passes_by_angles(high)) high = 0;
          for (int step = 0; step < 200 && high > 0 && std::nextafter(low, high) < high; ++step) {
            const double between = low + (high - low) / 2;
            (passes_by_angles(between) ? high : low) = between;
          }
          for (const double deviation :
               {low, high, std::nextafter(high, 2 * high), high * (1 + 1e-15), low * 0.5,
                high * 2, radius}) {
            ExactWindowCheck check(deviation);
            check.Use(points);
            const bool expected = check.ArcPassesByAngles(first, end, bulge);
            ++windows;
            agreed += check.ArcPasses(first, end, bulge) == expected ? 1 : 0;
            (expected ? passed : failed) += 1;
          }
        }
      }
    }
  }
  EXPECT_EQ(agreed, windows);
  // The edges were found: both outcomes are well represented.
  EXPECT_GT(passed, windows / 4);
  EXPECT_GT(failed, windows / 4);
}

// The sweep for a length ratio cuts short Newton's steps that rounding
// leaves going back and forth; the result must be that of every step.
TEST(ExactWindowCheckTest, TheSweepOfALengthRatioIsThatOfEveryNewtonStep) {
  const auto every_step = [](double ratio) {
    double x = std::min(M_PI, std::sqrt(6 * (ratio - 1)));
    for (int step = 0; step < 100; ++step) {
      const double change = (x - ratio * std::sin(x)) / (1 - ratio * std::cos(x));
      x -= change;
      if (!(std::abs(change) > 1e-15 * x)) break;
    }
    return 2 * x;
  };
  std::mt19937 random(5);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int i = 0; i < 20000; ++i) {
    const double ratio = 1 + std::pow(10, -12 + 13 * unit(random));
    ASSERT_EQ(SweepOfLengthRatio(ratio), every_step(ratio)) << ratio;
  }
}

// Windows of arcs sampled coarsely for the deviation, some with a vertex
// pushed off: wherever NoArcFits rules every arc out, none of a dense scan
// of the arcs through the window's ends passes, on either side.
TEST(ExactWindowCheckTest, NoArcPassesWhereNoneFits) {
  std::mt19937 random(17);
  std::uniform_real_distribution<double> unit(0, 1);
  int ruled_out = 0, scanned = 0;
  for (int shape = 0; shape < 60; ++shape) {
    const double radius = std::pow(10, 3 * unit(random));
    const int segments = 4 + static_cast<int>(30 * unit(random));
    const double step = 1 + 10 * unit(random);
    std::vector<PlanePoint> points = testing::ArcVertices(0, 0, radius, 0, step * segments, segments);
    if (shape % 3 == 0) points[points.size() / 2].x += radius * 0.01 * unit(random);
    const double deviation = radius * std::pow(10, -5 + 3 * unit(random));
    ExactWindowCheck check(deviation);
    check.Use(points);
    const auto last = static_cast<std::int32_t>(points.size()) - 1;
    for (std::int32_t end = 2; end <= last; ++end) {
      double length = 0;
      for (std::int32_t k = 0; k < end; ++k) {
        length += std::hypot(points[k + 1].x - points[k].x, points[k + 1].y - points[k].y);
      }
      if (!NoArcFits({points, 0, end, length}, deviation, ExactWindowCheck::kLengthShare)) continue;
      ++ruled_out;
      for (int k = 1; k < 4000; ++k) {
        const double bulge = std::tan(2 * M_PI * k / 4000 / 4);
        for (const double side : {1.0, -1.0}) {
          ++scanned;
          ASSERT_FALSE(check.ArcPassesByAngles(0, end, side * bulge)) << shape << " " << end;
        }
      }
    }
  }
  EXPECT_GT(ruled_out, 50);
}

}  // namespace
// Small wandering paths, S-bends and zig-zags of a few deviations: every
// window that a plain scan of arcs over the whole of the length rule passes,
// on either side of the chord, the window test passes too.
TEST(ExactWindowCheckTest, PassesEveryWindowThatAPlainScanPasses) {
  std::mt19937 random(20261211);
  std::uniform_real_distribution<double> unit(0, 1);
  const double deviation = 0.1;
  int scanned_passes = 0, other_side = 0;
  for (int shape = 0; shape < 300; ++shape) {
    std::vector<PlanePoint> points = {{0, 0}};
    double heading = 0;
    const double step = 0.02 + 0.2 * unit(random);
    for (int k = 0; k < 10; ++k) {
      heading += (unit(random) - 0.5) * 2.5;
      points.push_back({points.back().x + step * std::cos(heading),
                        points.back().y + step * std::sin(heading)});
    }
    const ArcPath path{points, {}, false};
    const reference::PassingArc scanned = reference::ScannedPassingArc(path, deviation, 64);
    ExactWindowCheck check(deviation);
    check.Use(points);
    for (std::int32_t first = 0; first + 2 < static_cast<std::int32_t>(points.size()); ++first) {
      for (std::int32_t last = first + 2; last < static_cast<std::int32_t>(points.size()); ++last) {
        const std::optional<double> bulge = scanned(first, last);
        if (!bulge) continue;
        ++scanned_passes;
        const std::optional<double> middle = WindowBulge(points, first, last, true);
        other_side += middle && *middle * *bulge < 0 ? 1 : 0;
        EXPECT_TRUE(check.PassingBulge(first, last)) << shape << ": " << first << ".." << last;
      }
    }
  }
  // The paths hold such windows, some passing only on the far side.
  EXPECT_GT(scanned_passes, 100);
  EXPECT_GT(other_side, 0);
}

}  // namespace quillmere::exact_window_check_test
