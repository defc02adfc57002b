#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "arcs/arc_search.h"
#include "arcs/arc_shapes.h"
#include "arcs/exact/exact_arc_search.h"
#include "arcs/exact/exact_window_check.h"
#include "fewest_segments.h"

namespace quillmere::exact_mode_test {
namespace {

using testing::ArcVertices;
using testing::ModelOf;
using testing::PlainPolyline;
using testing::PlainVertex;
using testing::PolylineOf;

ArcSearchSettings Exact(double deviation) { return {deviation, 100, 100, true}; }

PlainPolyline Searched(const PlainPolyline& polyline, const ArcSearchSettings& settings) {
  PolylineModel model = ModelOf({polyline});
  FindArcs(model, settings);
  return testing::WithArcMarks({polyline}, model)[0];
}

PlainPolyline Closed(const std::vector<PlanePoint>& points) {
  return PolylineOf(points, PolylineKind::kLwPolyline, kFlagClosed);
}

// A full circle of `count` vertices, the first at `from_degrees`.
std::vector<PlanePoint> Circle(double radius, int count, double from_degrees) {
  std::vector<PlanePoint> points = ArcVertices(0, 0, radius, from_degrees, from_degrees + 360, count);
  points.pop_back();  // the last would repeat the first
  return points;
}

std::vector<int> Kept(const PlainPolyline& polyline) {
  std::vector<int> kept;
  for (int v = 0; v < polyline.VertexCount(); ++v) {
    if (!polyline.vertices[v].dropped) kept.push_back(v);
  }
  return kept;
}

int Arcs(const PlainPolyline& polyline) {
  return static_cast<int>(std::count_if(polyline.vertices.begin(), polyline.vertices.end(),
                                        [](const PlainVertex& v) { return v.gets_bulge; }));
}

TEST(ExactArcSearchTest, ClosedCirclesBecomeTwoHalfCirclesAndOpenArcsOneArc) {
  for (const double deviation : {0.01, 0.1}) {
    for (const double from : {0.0, 7.0, 45.5, 180.0}) {
      SCOPED_TRACE(::testing::Message() << "deviation " << deviation << ", from " << from);
      const PlainPolyline circle = Searched(Closed(Circle(100, 360, from)), Exact(deviation));
      ASSERT_EQ(Kept(circle), (std::vector<int>{0, 180}));
      for (const int v : {0, 180}) {
        EXPECT_TRUE(circle.vertices[v].gets_bulge);
        EXPECT_NEAR(circle.vertices[v].bulge, 1, 1e-6);
      }
    }
  }
  // Radius 3, 1,000 vertices, deviation 0.001: the segments are 0.019 long.
  EXPECT_EQ(Arcs(Searched(Closed(Circle(3, 1000, 10)), Exact(0.001))), 2);

  // A traced circle, its vertices off the circle by a little: still two
  // halves, not a near-full arc and a sliver.
  std::vector<PlanePoint> traced = Circle(50, 270, 0);
  for (std::size_t v = 0; v < traced.size(); ++v) {
    const double off = 1 + 0.00006 * std::sin(0.7 * static_cast<double>(v));
    traced[v] = {traced[v].x * off, traced[v].y * off};
  }
  const PlainPolyline halves = Searched(Closed(traced), Exact(0.01));
  ASSERT_EQ(Arcs(halves), 2);
  for (const int v : Kept(halves)) EXPECT_NEAR(std::abs(halves.vertices[v].bulge), 1, 0.05);

  // Open arcs of 270 degrees, both ways round: one arc beyond a half circle.
  for (const double sweep : {270.0, -270.0}) {
    const PlainPolyline arc = Searched(PolylineOf(ArcVertices(5, -3, 100, 30, 30 + sweep, 359)),
                                       Exact(0.01));
    EXPECT_EQ(Kept(arc), (std::vector<int>{0, 359}));
    EXPECT_NEAR(arc.vertices[0].bulge, std::tan(testing::Radians(sweep) / 4), 1e-9);
  }

  // Vertices repeated in a run, as some writers leave them: passed over,
  // not taken for the end of the arcs.
  std::vector<PlanePoint> repeated = ArcVertices(0, 0, 10, 0, 90, 20);
  repeated.insert(repeated.begin() + 3, 3, repeated[3]);
  const PlainPolyline passed_over = Searched(PolylineOf(repeated), Exact(0.01));
  EXPECT_EQ(Kept(passed_over), (std::vector<int>{0, static_cast<int>(repeated.size()) - 1}));

  // Without the closed flag the closing segment is not the outline's: the
  // last vertex stays.
  const PlainPolyline open = Searched(PolylineOf(Circle(100, 360, 0)), Exact(0.01));
  EXPECT_FALSE(open.vertices.back().dropped);
  EXPECT_FALSE(open.vertices.back().gets_bulge);
}

// A point of the arc from `from` to `to` with `bulge`, at the share `t` of
// its sweep.
PlanePoint ArcPoint(PlanePoint from, PlanePoint to, double bulge, double t) {
  const double dx = to.x - from.x, dy = to.y - from.y;
  const double along_normal = (1 - bulge * bulge) / (4 * bulge);
  const double cx = (from.x + to.x) / 2 - dy * along_normal;
  const double cy = (from.y + to.y) / 2 + dx * along_normal;
  const double radius = std::hypot(from.x - cx, from.y - cy);
  const double angle = std::atan2(from.y - cy, from.x - cx) + 4 * std::atan(bulge) * t;
  return {cx + radius * std::cos(angle), cy + radius * std::sin(angle)};
}

double SegmentDistance(PlanePoint q, PlanePoint a, PlanePoint b) {
  const double ux = b.x - a.x, uy = b.y - a.y;
  const double ll = ux * ux + uy * uy;
  const double t = ll == 0 ? 0 : std::clamp(((q.x - a.x) * ux + (q.y - a.y) * uy) / ll, 0.0, 1.0);
  return std::hypot(q.x - a.x - t * ux, q.y - a.y - t * uy);
}

// An arc over the vertices s .. e of `points` (indices taken round a
// closed outline), measured densely and independently of the search: the
// farthest point of the segments from the arc, the farthest point of the
// arc from the segments, and the difference of their lengths as a share of
// the arc's.
struct ArcMeasure {
  double from_arc = 0;
  double from_path = 0;
  double length_share = 0;
};

ArcMeasure Measure(const std::vector<PlanePoint>& points, int s, int e, double bulge) {
  const auto at = [&](int v) { return points[static_cast<std::size_t>(v) % points.size()]; };
  ArcMeasure measure;
  double path = 0;
  for (int k = s; k < e; ++k) {
    path += std::hypot(at(k + 1).x - at(k).x, at(k + 1).y - at(k).y);
    for (int j = 0; j <= 50; ++j) {
      const PlanePoint q = {at(k).x + (at(k + 1).x - at(k).x) * j / 50,
                            at(k).y + (at(k + 1).y - at(k).y) * j / 50};
      measure.from_arc =
          std::max(measure.from_arc, testing::DistanceToBulgeArc(at(s), at(e), bulge, q));
    }
  }
  for (int j = 0; j <= 2000; ++j) {
    const PlanePoint q = ArcPoint(at(s), at(e), bulge, j / 2000.0);
    double nearest = 1e300;
    for (int k = s; k < e; ++k) nearest = std::min(nearest, SegmentDistance(q, at(k), at(k + 1)));
    measure.from_path = std::max(measure.from_path, nearest);
  }
  const double chord = std::hypot(at(e).x - at(s).x, at(e).y - at(s).y);
  const double sweep = 4 * std::atan(std::abs(bulge));
  const double arc_length = chord / (2 * std::sin(sweep / 2)) * sweep;
  measure.length_share = std::abs(path - arc_length) / arc_length;
  return measure;
}

void ExpectWithin(const ArcMeasure& measure, double deviation) {
  EXPECT_LE(measure.from_arc, deviation);
  EXPECT_LE(measure.from_path, deviation);
  EXPECT_LE(measure.length_share, 0.05);
}

// Every arc found lies within the deviation of the segments it replaces,
// both ways, and their lengths differ by at most 5 % of the arc's.
TEST(ExactArcSearchTest, ArcsStayWithinTheDeviationBothWaysAndKeepTheirLength) {
  testing::OutlineMaker maker(2026);
  for (const double deviation : {0.1, 0.01}) {
    int arcs = 0;
    for (int outline = 0; outline < 12; ++outline) {
      std::vector<PlanePoint> points;
      for (int piece = 0; piece < 6; ++piece) {
        if (maker.Chance(0.6)) {
          maker.AddArc(points, maker.Scale(1, 200), maker.Uniform(-300, 300), maker.Whole(3, 200),
                       maker.Uniform(0, 0.3) * deviation);
        } else {
          maker.AddStraight(points, maker.Scale(0.05, 5), maker.Whole(1, 20), 0.2 * deviation);
        }
      }
      const PlainPolyline input = maker.Chance(0.5) ? Closed(points) : PolylineOf(points);
      const PlainPolyline searched = Searched(input, Exact(deviation));
      const int n = input.VertexCount();
      const bool closed = input.header_flags != 0;
      for (int s = 0; s < n; ++s) {
        if (!searched.vertices[s].gets_bulge) continue;
        int e = s + 1;
        while (e < n && searched.vertices[e].dropped) ++e;
        ASSERT_TRUE(e < n || closed);
        ++arcs;
        SCOPED_TRACE(::testing::Message() << "outline " << outline << ", arc " << s << ".." << e);
        ExpectWithin(Measure(points, s, e, searched.vertices[s].bulge), deviation);
      }
    }
    EXPECT_GT(arcs, 30) << "deviation " << deviation;
  }
}

// The vertices an engine keeps on a path, and how many segments it writes.
struct EngineResult {
  std::vector<int> kept;
  std::int64_t segments = 0;
};

EngineResult SearchedPath(const ArcPath& path, double deviation) {
  ExactArcSearch engine(deviation);
  std::vector<FoundArc> arcs;
  engine.Find(path, arcs);
  EngineResult result{{0}, reference::SegmentCount(path, arcs)};
  for (int v = 0, a = 0; v + 1 < static_cast<int>(path.points.size()); ++v) {
    const bool inside = a < static_cast<int>(arcs.size()) && arcs[a].first < v + 1 && v + 1 < arcs[a].last;
    if (!inside) result.kept.push_back(v + 1);
    if (a < static_cast<int>(arcs.size()) && v + 1 == arcs[a].last) ++a;
  }
  return result;
}

std::int64_t LeastCount(const ArcPath& path, double deviation) {
  return reference::SegmentCount(
      path, reference::FewestSegments(path, reference::ExactPassingArc(path, deviation)));
}

// An ellipse of 80 by 40, a vertex every 2 degrees: its curvature changes
// along every window, so the circle through a window's middle vertex often
// strays where another circle through the same two ends fits.
TEST(ExactArcSearchTest, AWindowWhoseMiddleVertexCircleFailsPassesThroughABetterOne) {
  std::vector<PlanePoint> ellipse;
  for (int degrees = 0; degrees < 360; degrees += 2) {
    ellipse.push_back({40 * std::cos(testing::Radians(degrees)), 20 * std::sin(testing::Radians(degrees))});
  }
  ellipse.push_back(ellipse.front());
  ExactWindowCheck check(0.01);
  check.Use(ellipse);
  // Through vertex 3 the arc over 0 .. 7 strays 0.0123, through a better
  // circle less than 0.01.
  const std::optional<Arc> middle = WindowArc(ellipse, 0, 7);
  ASSERT_TRUE(middle);
  EXPECT_FALSE(check.ArcPasses(0, 7, middle->bulge));
  EXPECT_GT(Measure(ellipse, 0, 7, middle->bulge).from_arc, 0.012);
  const std::optional<double> better = check.PassingBulge(0, 7);
  ASSERT_TRUE(better);
  ExpectWithin(Measure(ellipse, 0, 7, *better), 0.01);

  // The whole outline takes the least count the rules allow, also far from
  // the origin.
  std::vector<PlanePoint> far = ellipse;
  for (PlanePoint& p : far) p = {p.x + 300000, p.y + 5000000};
  for (const double deviation : {0.1, 0.01}) {
    SCOPED_TRACE(::testing::Message() << "deviation " << deviation);
    const ArcPath path{ellipse, {}, true};
    const EngineResult near_result = SearchedPath(path, deviation);
    EXPECT_EQ(near_result.segments, LeastCount(path, deviation));
    EXPECT_EQ(SearchedPath({far, {}, true}, deviation).kept, near_result.kept);
  }
  EXPECT_EQ(SearchedPath({ellipse, {}, true}, 0.01).segments, 21);
}

// A quarter circle of radius 10 turning into a circle of radius 20, a
// vertex every 3 degrees, the first vertex after the joint 0.009 inside its
// circle. The longest window from the start ends at the joint (30), and no
// arc from there to the end passes that vertex: longest first takes three
// segments. An arc ending one vertex earlier leaves a start from which the
// rest is one arc: two segments.
TEST(ExactArcSearchTest, TheFewestSegmentsWhereTheLongestFirstArcLeavesMore) {
  std::vector<PlanePoint> points = ArcVertices(0, 10, 10, -90, 0, 30);
  const std::vector<PlanePoint> wider = ArcVertices(-10, 10, 20, 0, 60, 20);
  points.insert(points.end(), wider.begin() + 1, wider.end());
  points[31] = {points[31].x - 0.009 * std::cos(testing::Radians(3)),
                points[31].y - 0.009 * std::sin(testing::Radians(3))};
  const double deviation = 0.01;
  ExactWindowCheck check(deviation);
  check.Use(points);
  const int last = static_cast<int>(points.size()) - 1;
  EXPECT_TRUE(check.PassingBulge(0, 30));
  for (int end = 31; end <= last; ++end) EXPECT_FALSE(check.PassingBulge(0, end)) << end;
  EXPECT_FALSE(check.PassingBulge(30, last));
  // Longest first, every window tried: from each start the longest arc.
  int longest_first = 0;
  for (int start = 0; start < last; ++longest_first) {
    int end = start + 1;
    for (int e = start + 2; e <= last; ++e) end = check.PassingBulge(start, e) ? e : end;
    start = end;
  }
  EXPECT_EQ(longest_first, 3);

  const ArcPath path{points};
  const EngineResult result = SearchedPath(path, deviation);
  EXPECT_EQ(result.segments, 2);
  EXPECT_EQ(result.segments, LeastCount(path, deviation));
  ASSERT_EQ(result.kept.size(), 3u);
  ExactArcSearch engine(deviation);
  std::vector<FoundArc> arcs;
  engine.Find(path, arcs);
  for (const FoundArc& arc : arcs) ExpectWithin(Measure(points, arc.first, arc.last, arc.bulge), deviation);
}

// Corners many times the deviation across stay: every arc within the
// deviation would be shorter or longer than their path by more than 5 %.
// The same shapes at a twentieth of the size lie within the deviation of
// arcs as long as they are, and become arcs within it; so does a straight
// run.
TEST(ExactArcSearchTest, CornersStayWhereNoArcOfTheirLengthFitsAndSmallerFeaturesRound) {
  const auto shapes = [](double f) {
    std::vector<PlanePoint> zigzag;
    for (int k = 0; k < 10; ++k) zigzag.push_back({0.3 * f * k, 0.3 * f * (k % 2)});
    return std::vector<std::pair<std::vector<PlanePoint>, bool>>{
        {{{0, 0}, {f, 0}, {f, f}, {0, f}}, true},                          // a square post
        {{{0, 0}, {2 * f, 0}, {f, 1.732 * f}}, true},                      // a triangular hole
        {{{0, 0}, {3 * f, 0}, {3 * f, 0.3 * f}, {0, 0.3 * f}}, true},      // a fence post
        {{{0, 0}, {2 * f, 0}, {2 * f, f}, {3 * f, f}, {3 * f, 0}, {5 * f, 0}}, false},  // a notch
        {zigzag, false}};
  };
  const double deviation = 0.1;
  for (const auto& [points, closed] : shapes(2.0)) {
    const PlainPolyline polyline = closed ? Closed(points) : PolylineOf(points);
    EXPECT_EQ(Kept(Searched(polyline, Exact(deviation))).size(), points.size());
  }
  for (const auto& [points, closed] : shapes(0.1)) {
    const PlainPolyline searched = Searched(closed ? Closed(points) : PolylineOf(points),
                                            Exact(deviation));
    const std::vector<int> kept = Kept(searched);
    EXPECT_LT(kept.size(), points.size());
    for (std::size_t k = 0; k + 1 < kept.size(); ++k) {
      const int s = kept[k], e = kept[k + 1];
      if (e > s + 1) ExpectWithin(Measure(points, s, e, searched.vertices[s].bulge), deviation);
    }
  }
  std::vector<PlanePoint> straight;
  for (int k = 0; k <= 10; ++k) straight.push_back({k * 1.0, 0});
  const PlainPolyline searched = Searched(PolylineOf(straight), Exact(deviation));
  ASSERT_EQ(Kept(searched), (std::vector<int>{0, 10}));
  EXPECT_GE(std::abs(searched.vertices[0].bulge), kSmallestBulge);
  ExpectWithin(Measure(straight, 0, 10, searched.vertices[0].bulge), deviation);
}

// Three vertices over a chord of 2: the arc through them strays furthest
// from its two segments over their middles, by exactly the radius less the
// segments' distance from the centre. That distance as the deviation is a
// borderline case and fails; a little more passes. A flatter arc through
// the ends, nearer to the middle vertex's segments, passes at that distance.
TEST(ExactArcSearchTest, ADistanceEqualToTheDeviationFails) {
  const double h = 0.1;
  const std::vector<PlanePoint> points = {{-1, 0}, {0, h}, {1, 0}};
  const double centre_y = (h * h - 1) / (2 * h);
  const double radius = h - centre_y;
  // The segment from (-1, 0) to (0, h) lies on h x - y + h = 0.
  const double farthest = radius - std::abs(-centre_y + h) / std::hypot(h, 1);
  const double middle = *WindowBulge(points, 0, 2);
  ExactWindowCheck at_distance(farthest);
  at_distance.Use(points);
  EXPECT_FALSE(at_distance.ArcPasses(0, 2, middle));
  const std::optional<double> flatter = at_distance.PassingBulge(0, 2);
  ASSERT_TRUE(flatter);
  EXPECT_LT(std::abs(*flatter), std::abs(middle));
  ExactWindowCheck above(farthest * (1 + 1e-6));
  above.Use(points);
  EXPECT_TRUE(above.ArcPasses(0, 2, middle));
  ExactWindowCheck none(0);
  none.Use(points);
  EXPECT_FALSE(none.PassingBulge(0, 2));
}

TEST(ExactArcSearchTest, ArcsReadFromTheDrawingAreKept) {
  PlainPolyline circle = Closed(Circle(100, 360, 0));
  circle.vertices[100].carries_arc = true;
  circle.vertices[100].bulge = 0.01;
  // The closing segment is an arc of its own: no arc runs over it.
  circle.vertices[359].carries_arc = true;
  circle.vertices[359].bulge = 0.004;
  const PlainPolyline searched = Searched(circle, Exact(0.1));
  for (const int v : {100, 101, 359}) {
    EXPECT_FALSE(searched.vertices[v].dropped) << v;
  }
  EXPECT_FALSE(searched.vertices[100].gets_bulge);
  EXPECT_FALSE(searched.vertices[359].gets_bulge);
  EXPECT_GE(Arcs(searched), 2);
}

}  // namespace
}  // namespace quillmere::exact_mode_test
