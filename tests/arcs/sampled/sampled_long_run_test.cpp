// Long runs against the literal reference: windows of hundreds to
// thousands of segments at high arc test counts, tested the way the search
// tests them (one polyline, windows growing from one first vertex, so that
// blocks summarised around an older centre serve), at the deciding
// deviation and next to it; and the marks of whole long polylines.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "arcs/arc_search.h"
#include "arcs/arc_shapes.h"
#include "arcs/sampled/sampled_full_window_check.h"
#include "arcs/sampled/sampled_window_check.h"
#include "reference_arc_search.h"

namespace quillmere {
namespace {

using testing::OutlineMaker;

// The long polylines: mostly long arcs that a search follows for hundreds
// of vertices, each with what makes some windows hard to decide.
enum class Shape {
  kCamExport,     // radius 50, noise 1e-4
  kCleanArc,      // no noise at all
  kUneven,        // vertices unevenly spaced along the arc
  kSpiral,        // the radius grows slowly
  kHairpin,       // turns back along the same circle
  kTwoTurns,      // the circle twice
  kFarAway,       // a million units from the origin
  kZigzag,        // vertices alternately inside and outside the circle
  kCoarse,        // few vertices for the arc test points: the arc's
                  // distance from the chords decides
  kHooks,         // the line runs back against the sweep at the start and
                  // beyond it at the end: the line beyond the arc decides
};
constexpr int kShapes = 10;

Shape ShapeOf(int round) { return static_cast<Shape>(round % kShapes); }

int VertexCount(OutlineMaker& maker, Shape shape) {
  return shape == Shape::kCoarse ? maker.Whole(40, 150) : maker.Whole(300, 2000);
}

std::vector<PlanePoint> LongPolyline(OutlineMaker& maker, Shape shape) {
  const int vertices = VertexCount(maker, shape);
  const double radius = shape == Shape::kCamExport ? 50 : maker.Scale(0.5, 2000);
  const double start = maker.Uniform(-180, 180);
  const double turn = maker.Chance(0.5) ? 1 : -1;
  const double sweep = turn * (shape == Shape::kTwoTurns ? 720 : maker.Uniform(30, 340));
  const double offset = shape == Shape::kFarAway ? maker.Uniform(-1e6, 1e6) : maker.Uniform(-100, 100);
  double noise = radius * maker.Scale(1e-7, 1e-3);
  if (shape == Shape::kCamExport) noise = 1e-4;
  if (shape == Shape::kCleanArc) noise = 0;
  if (shape == Shape::kCoarse || shape == Shape::kHooks) noise = radius * maker.Scale(1e-8, 1e-5);
  const double hook = shape == Shape::kHooks ? maker.Uniform(0.5, 3) / (vertices - 1) : 0;
  std::vector<PlanePoint> points;
  for (int i = 0; i < vertices; ++i) {
    double share = static_cast<double>(i) / (vertices - 1);
    if (shape == Shape::kUneven && i > 0 && i < vertices - 1) {
      share += maker.Uniform(-0.4, 0.4) / (vertices - 1);
    }
    if (shape == Shape::kHairpin && share > 0.7) share = 1.4 - share;
    if (i == 1) share -= hook;
    if (i == vertices - 2) share += hook;
    const double angle = testing::Radians(start + sweep * share);
    double rho = radius;
    if (shape == Shape::kSpiral) rho *= 1 + 0.02 * share;
    if (shape == Shape::kZigzag) rho += (i % 2 == 0 ? 1 : -1) * noise * 3;
    points.push_back({offset + rho * std::cos(angle) + maker.Uniform(-noise, noise),
                      offset + rho * std::sin(angle) + maker.Uniform(-noise, noise)});
  }
  if (shape == Shape::kHairpin || maker.Chance(0.15)) {  // one vertex thrown off
    PlanePoint& p = points[static_cast<std::size_t>(maker.Whole(1, vertices - 2))];
    p.x += radius * maker.Uniform(-0.01, 0.01);
  }
  return points;
}

// The work of the literal reference on a window: every line test point
// against every arc test point.
double ReferenceWork(std::int32_t segments, const ArcSearchSettings& settings) {
  return static_cast<double>(segments) * (settings.line_tests + 1) * (settings.arc_tests + 1);
}

// The production decision on [s, e] after the windows [s, s + 3] .. below
// e were tested by the same check, in steps of `step`.
bool DecisionAfterGrowth(const std::vector<PlanePoint>& points, const ArcSearchSettings& settings,
                         std::int32_t s, std::int32_t e, std::int32_t step) {
  SampledWindowCheck window_check(settings);
  window_check.Use(points);
  for (std::int32_t grown = s + 3; grown < e; grown += step) window_check.Passes(s, grown);
  return window_check.Passes(s, e);
}

TEST(ArcLongRunTest, LongWindowsMatchTheReferenceAtTheDecidingDistance) {
  OutlineMaker maker(1414);
  static constexpr std::int32_t kArcTests[] = {300, 1000, 2000, 4000};
  int compared = 0, passed = 0, failed = 0, knife_edges = 0;
  // Coarse arcs cost the reference little and are the ones where the
  // distance from the arc to the line decides: they get extra rounds.
  for (int round = 0; round < 100; ++round) {
    const Shape shape = round < 60 ? ShapeOf(round) : Shape::kCoarse;
    const std::vector<PlanePoint> points = LongPolyline(maker, shape);
    const testing::PlainPolyline polyline = testing::PolylineOf(points);
    const auto n = static_cast<std::int32_t>(points.size());
    const bool coarse = shape == Shape::kCoarse;
    ArcSearchSettings settings{0, kArcTests[maker.Whole(coarse ? 2 : 0, coarse ? 3 : 2)],
                               maker.Whole(1, 3)};
    // Windows as long as the reference can afford, from 32 segments on;
    // hooks from end to end where affordable.
    const bool hooks = shape == Shape::kHooks;
    const std::int32_t s = hooks ? 0 : maker.Whole(0, n / 4);
    const double affordable = 4e6 / ReferenceWork(1, settings);
    const double longest = std::min<double>(n - 1 - s, affordable);
    // A coarse polyline can leave fewer than 32 segments after s: the
    // window then takes them all.
    const auto e = hooks && longest == n - 1 - s
                       ? n - 1
                       : s + static_cast<std::int32_t>(maker.Scale(std::min(32.0, longest), longest));

    // The window passes exactly for deviations above the deciding one.
    const double critical = reference::CriticalDeviation(polyline, s, e, settings);
    settings.deviation = std::isfinite(critical) ? critical * maker.Uniform(0.5, 2) : 1;
    ASSERT_EQ(reference::WindowPasses(polyline, s, e, settings), critical < settings.deviation);
    std::vector<double> deviations = {settings.deviation};
    if (std::isfinite(critical) && critical > 0) {
      deviations.insert(deviations.end(),
                        {critical, std::nextafter(critical, INFINITY), std::nextafter(critical, 0.0),
                         critical * (1 + 1e-12), critical * (1 - 1e-12), critical * (1 + 1e-9),
                         critical * (1 - 1e-9), critical * 1.001});
    }
    for (const double deviation : deviations) {
      settings.deviation = deviation;
      const bool expected = critical < deviation;
      const std::int32_t step = maker.Whole(1, std::max(1, (e - s) / 8));
      ASSERT_EQ(DecisionAfterGrowth(points, settings, s, e, step), expected)
          << "round " << round << " window " << s << ".." << e << " deviation " << deviation
          << " critical " << critical;
      ++compared;
      (expected ? passed : failed) += 1;
      knife_edges += deviation == critical ? 1 : 0;
    }
  }
  EXPECT_GT(compared, 450);
  EXPECT_GT(passed, 200);
  EXPECT_GT(failed, 200);
  EXPECT_GT(knife_edges, 50);
}

// The search on one polyline with the window test segment by segment,
// whose decisions on the windows that end growth (the first one that fails
// and the last one that passed) are checked against the literal reference
// where it can afford them.
struct CheckedSearch {
  testing::PlainPolyline polyline;
  int deciding_windows_checked = 0;
};

CheckedSearch SearchCheckedByTheReference(const testing::PlainPolyline& original,
                                          const ArcSearchSettings& settings) {
  CheckedSearch result{original};
  std::vector<PlanePoint> points;
  for (const testing::PlainVertex& vertex : original.vertices) points.push_back({vertex.x, vertex.y});
  const Deviation deviation(settings.deviation);
  ArcTestPoints test_points(deviation, settings.arc_tests);
  FullWindowCheck full_check(deviation);
  struct Decision {
    std::int32_t s, e;
    bool passed;
  };
  std::vector<Decision> decisions;
  reference::SearchPolyline(result.polyline, settings,
                            [&](const testing::PlainPolyline&, std::int32_t s, std::int32_t e) {
                              const std::optional<Arc> arc = WindowArc(points, s, e);
                              bool passed = false;
                              if (arc) {
                                test_points.Reset(*arc);
                                passed = full_check.Passes(test_points, settings.line_tests,
                                                           arc->bulge > 0, points, s, e);
                              }
                              decisions.push_back({s, e, passed});
                              return passed;
                            });
  for (std::size_t d = 0; d < decisions.size(); ++d) {
    const bool ends_growth = !decisions[d].passed ||
                             (d + 1 < decisions.size() && !decisions[d + 1].passed &&
                              decisions[d + 1].s == decisions[d].s);
    const Decision& decision = decisions[d];
    if (!ends_growth || ReferenceWork(decision.e - decision.s, settings) > 3e6) continue;
    EXPECT_EQ(reference::WindowPasses(original, decision.s, decision.e, settings),
              decision.passed)
        << "window " << decision.s << ".." << decision.e;
    ++result.deciding_windows_checked;
  }
  return result;
}

TEST(ArcLongRunTest, MarksOfLongPolylinesMatchASearchCheckedByTheReference) {
  OutlineMaker maker(2718);
  int arcs = 0, longest_arc = 0, checked = 0;
  for (int round = 0; round < 20; ++round) {
    const std::vector<PlanePoint> points = LongPolyline(maker, ShapeOf(round));
    const testing::PlainPolyline polyline = testing::PolylineOf(points);
    const double size = std::hypot(points.back().x - points.front().x,
                                   points.back().y - points.front().y) + 1e-3;
    const ArcSearchSettings settings{size * maker.Scale(1e-5, 1e-2), maker.Chance(0.5) ? 1000 : 100,
                                     maker.Whole(1, 4)};
    PolylineModel production = testing::ModelOf({polyline});
    FindArcs(production, settings);
    const CheckedSearch expected = SearchCheckedByTheReference(polyline, settings);
    ASSERT_EQ(testing::MarksOf(production), testing::MarksOf({expected.polyline}))
        << "round " << round;
    checked += expected.deciding_windows_checked;
    std::int32_t last_start = 0;
    for (std::int32_t v = 0; v < polyline.VertexCount(); ++v) {
      const std::int64_t vertex = production.VertexIndex(production.polylines[0], v);
      if (production.HasMark(vertex, kVertexDropped)) continue;
      longest_arc = std::max(longest_arc, v - last_start);
      last_start = v;
      arcs += production.HasMark(vertex, kVertexGetsBulge) ? 1 : 0;
    }
  }
  EXPECT_GT(arcs, 100);
  EXPECT_GT(longest_arc, 600);
  EXPECT_GT(checked, 3000);
}

}  // namespace
}  // namespace quillmere
