#include "arcs/arc_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

#include "arc_shapes.h"
#include "support/numbers.h"

namespace quillmere {
namespace {

using testing::ArcVertices;
using testing::ModelOf;
using testing::PolylineOf;
using testing::Radians;

using testing::kStartValues;

using testing::PlainPolyline;
using testing::PlainVertex;

// The polyline after the arc search of a model holding just it.
PlainPolyline Searched(const PlainPolyline& polyline,
                       const ArcSearchSettings& settings = kStartValues) {
  PolylineModel model = ModelOf({polyline});
  FindArcs(model, settings);
  return testing::WithArcMarks({polyline}, model)[0];
}

PlainPolyline Searched(const std::vector<PlanePoint>& points,
               const ArcSearchSettings& settings = kStartValues) {
  return Searched(PolylineOf(points), settings);
}

// The vertices marked `dropped`.
std::vector<int> Removed(const PlainPolyline& polyline) {
  std::vector<int> removed;
  for (int v = 0; v < polyline.VertexCount(); ++v) {
    if (polyline.vertices[v].dropped) removed.push_back(v);
  }
  return removed;
}

// The vertices marked `gets_bulge`, with the bulge as the writer puts it.
std::vector<std::pair<int, std::string>> Bulges(const PlainPolyline& polyline) {
  std::vector<std::pair<int, std::string>> bulges;
  for (int v = 0; v < polyline.VertexCount(); ++v) {
    if (polyline.vertices[v].gets_bulge) bulges.emplace_back(v, FormatGeneral(polyline.vertices[v].bulge));
  }
  return bulges;
}

std::vector<int> Range(int first, int last) {
  std::vector<int> range;
  for (int v = first; v <= last; ++v) range.push_back(v);
  return range;
}

using Bulge = std::pair<int, std::string>;

TEST(ArcSearchTest, QuarterCircleBecomesOneArcInEitherDirection) {
  const auto quarter = ArcVertices(0, 0, 10, 0, 90, 8);
  const PlainPolyline forward = Searched(quarter);
  EXPECT_EQ(Removed(forward), Range(1, 7));
  EXPECT_EQ(Bulges(forward), (std::vector<Bulge>{{0, "0.414213562373095"}}));

  const PlainPolyline backward = Searched(ArcVertices(0, 0, 10, 90, 0, 8));
  EXPECT_EQ(Removed(backward), Range(1, 7));
  EXPECT_EQ(Bulges(backward), (std::vector<Bulge>{{0, "-0.414213562373095"}}));
}

TEST(ArcSearchTest, StraightRunThenClockwiseQuarterCircle) {
  std::vector<PlanePoint> points = {{-30, 10}, {-20, 10}, {-10, 10}};
  const auto quarter = ArcVertices(0, 0, 10, 90, 0, 8);
  points.insert(points.end(), quarter.begin(), quarter.end());
  const testing::PlainPolyline polyline = Searched(points);
  EXPECT_EQ(Removed(polyline), Range(4, 10));
  EXPECT_EQ(Bulges(polyline), (std::vector<Bulge>{{3, "-0.414213562373095"}}));
}

TEST(ArcSearchTest, NothingChangesWithoutAnArcOrWithoutDeviation) {
  std::vector<PlanePoint> line;
  for (int i = 0; i < 12; ++i) line.push_back({1.0 * i, 2.0 * i});
  PlainPolyline collinear = PolylineOf(line);
  for (PlainVertex& vertex : collinear.vertices) vertex.dropped = true;  // cleared by the search
  const PlainPolyline after = Searched(collinear);
  EXPECT_TRUE(Removed(after).empty());
  EXPECT_TRUE(Bulges(after).empty());

  const PlainPolyline strict = Searched(ArcVertices(0, 0, 10, 0, 90, 8), {0, 100, 100});
  EXPECT_TRUE(Removed(strict).empty());
  EXPECT_TRUE(Bulges(strict).empty());

  // Fewer than four vertices: no window at all, even on an arc.
  const PlainPolyline short_arc = Searched(ArcVertices(0, 0, 1, 0, 90, 2));
  EXPECT_TRUE(Removed(short_arc).empty());
  EXPECT_TRUE(Bulges(short_arc).empty());
}

TEST(ArcSearchTest, FewerArcTestPointsSplitTheQuarterCircle) {
  const testing::PlainPolyline polyline = Searched(ArcVertices(0, 0, 10, 0, 90, 8), {0.1, 50, 100});
  EXPECT_EQ(Removed(polyline), (std::vector<int>{1, 2, 3, 5, 6, 7}));
  EXPECT_EQ(Bulges(polyline),
            (std::vector<Bulge>{{0, "0.198912367379658"}, {4, "0.198912367379658"}}));
}

TEST(ArcSearchTest, ArcsOverAHalfCircleAndAcrossTheNegativeXDirection) {
  // 270 degrees in 25 steps, so that no window spans exactly a half circle.
  const PlainPolyline wide = Searched(ArcVertices(3, -1, 2, -30, 240, 25));
  EXPECT_EQ(Removed(wide), Range(1, 24));
  EXPECT_EQ(Bulges(wide), (std::vector<Bulge>{{0, FormatGeneral(std::tan(Radians(270) / 4))}}));
  const PlainPolyline wide_clockwise = Searched(ArcVertices(3, -1, 2, 240, -30, 25));
  EXPECT_EQ(Removed(wide_clockwise), Range(1, 24));
  EXPECT_EQ(Bulges(wide_clockwise),
            (std::vector<Bulge>{{0, FormatGeneral(-std::tan(Radians(270) / 4))}}));

  // tan(15 degrees) = 0.2679491924311227; the rounded vertices shift the
  // last digits.
  const PlainPolyline across = Searched(ArcVertices(5, 5, 3, 150, 210, 12));
  EXPECT_EQ(Removed(across), Range(1, 11));
  ASSERT_TRUE(across.vertices[0].gets_bulge);
  EXPECT_NEAR(across.vertices[0].bulge, std::tan(Radians(15)), 1e-14);
  const PlainPolyline across_clockwise = Searched(ArcVertices(5, 5, 3, 210, 150, 12));
  EXPECT_EQ(Removed(across_clockwise), Range(1, 11));
  ASSERT_TRUE(across_clockwise.vertices[0].gets_bulge);
  EXPECT_NEAR(across_clockwise.vertices[0].bulge, -std::tan(Radians(15)), 1e-14);
}

TEST(ArcSearchTest, ConsecutiveArcsShareTheirVertex) {
  // A quarter circle left, then a quarter circle right: an S.
  auto points = ArcVertices(0, 0, 5, 180, 90, 8);
  const auto second = ArcVertices(0, 10, 5, -90, 0, 8);
  points.insert(points.end(), second.begin() + 1, second.end());
  const PlainPolyline s_curve = Searched(points);
  std::vector<int> removed = Range(1, 7);
  for (int v : Range(9, 15)) removed.push_back(v);
  EXPECT_EQ(Removed(s_curve), removed);
  EXPECT_EQ(Bulges(s_curve), (std::vector<Bulge>{{0, "-0.414213562373095"},
                                                 {8, "0.414213562373095"}}));
}

TEST(ArcSearchTest, ClosedPolylineIsSearchedAsAnOpenOne) {
  // Eleven vertices 32 degrees apart: the closing segment would close the
  // circle, but it is never part of a window, so the arc ends at the last
  // vertex.
  PlainPolyline ring = PolylineOf(ArcVertices(0, 0, 1.5, 0, 320, 10), PolylineKind::kPolyline, 1);
  const PlainPolyline after = Searched(ring);
  EXPECT_EQ(Removed(after), Range(1, 9));
  EXPECT_EQ(Bulges(after), (std::vector<Bulge>{{0, FormatGeneral(std::tan(Radians(320) / 4))}}));
}

TEST(ArcSearchTest, FittedThreeDimensionalAndMeshPolylinesStayAsRead) {
  const auto quarter = ArcVertices(0, 0, 10, 0, 90, 8);
  for (const std::int32_t flags : {2, 4, 8, 16, 64, 8 | 1}) {
    PlainPolyline polyline = PolylineOf(quarter, PolylineKind::kPolyline, flags);
    polyline.vertices[3].dropped = true;  // not even cleared
    const PlainPolyline after = Searched(polyline);
    EXPECT_EQ(Removed(after), std::vector<int>{3}) << flags;
    EXPECT_TRUE(Bulges(after).empty()) << flags;
  }
  // Closed and linetype-pattern flags, and any flags of a lightweight
  // polyline, do not keep the search away.
  for (const auto& [kind, flags] : {std::pair{PolylineKind::kPolyline, 1 | 128},
                                    std::pair{PolylineKind::kLwPolyline, 8}}) {
    const PlainPolyline after = Searched(PolylineOf(quarter, kind, flags));
    EXPECT_EQ(Removed(after), Range(1, 7)) << flags;
  }
}

// Every vertex an arc replaces lies within the deviation of that arc, as
// the bulge describes it, and the arc stays near the line it replaces: no
// giant arcs or loops, also where zigzags and straight runs are shorter
// than the deviation.
TEST(ArcSearchTest, ArcsAndTheirLinesStayWithinTheDeviationOfEachOther) {
  testing::OutlineMaker maker(5);
  int arcs = 0;
  for (const ArcSearchSettings& settings :
       {kStartValues, ArcSearchSettings{0.5, 30, 10}, ArcSearchSettings{0.5, 50, 50},
        ArcSearchSettings{0.02, 1000, 3}}) {
    std::vector<testing::PlainPolyline> polylines;
    for (int p = 0; p < 60; ++p) {
      std::vector<PlanePoint> points;
      for (int piece = 0; piece < 5; ++piece) {
        const double kind = maker.Uniform(0, 1);
        if (kind < 0.5) {
          maker.AddArc(points, maker.Scale(0.5, 40), maker.Uniform(-340, 340),
                       maker.Whole(3, 30), settings.deviation * maker.Uniform(0, 0.5));
        } else if (kind < 0.8) {
          maker.AddStraight(points, maker.Uniform(0.2, 4), maker.Whole(1, 6), 0);
        } else {  // short wiggles, all within the deviation
          maker.AddStraight(points, settings.deviation * maker.Uniform(0.05, 0.5),
                            maker.Whole(3, 12), settings.deviation * maker.Uniform(0, 0.3));
        }
      }
      polylines.push_back(PolylineOf(points));
    }
    PolylineModel model = ModelOf(polylines);
    FindArcs(model, settings);
    const std::vector<PlainPolyline> searched = testing::WithArcMarks(polylines, model);
    for (std::size_t p = 0; p < polylines.size(); ++p) {
      const PlainPolyline& polyline = searched[p];
      const double deviation = testing::LargestArcDeviation(polyline);
      EXPECT_GE(deviation, 0);
      EXPECT_LT(deviation, settings.deviation * (1 + 1e-9));
      EXPECT_LE(testing::LargestArcStray(polylines[p], polyline, settings.deviation,
                                         settings.arc_tests),
                1 + 1e-6)
          << p;
      for (const PlainVertex& vertex : polyline.vertices) {
        arcs += vertex.gets_bulge ? 1 : 0;
        if (vertex.gets_bulge) {
          EXPECT_GE(std::abs(vertex.bulge), 1e-6);
        }
      }
    }
  }
  EXPECT_GT(arcs, 500);
}

// Map coordinates lie far from the origin: there the circle of a window
// must be the one its vertices describe, and the arcs the same as near it.
TEST(ArcSearchTest, ArcsFarFromTheOriginAreFoundAsNearIt) {
  for (const ArcSearchSettings& settings :
       {ArcSearchSettings{0.05, 100, 100}, ArcSearchSettings{0.1, 100, 100, true}}) {
    for (const double radius : {0.8, 9.0, 64.39}) {
      SCOPED_TRACE(::testing::Message() << radius << (settings.exact ? " exact" : ""));
      const PlainPolyline near = Searched(ArcVertices(0, 0, radius, 10, 350, 170), settings);
      const PlainPolyline far =
          Searched(ArcVertices(312345.678901, 541234.567891, radius, 10, 350, 170), settings);
      EXPECT_FALSE(Removed(near).empty());
      EXPECT_EQ(Removed(far), Removed(near));
      EXPECT_LT(testing::LargestArcDeviation(far), settings.deviation);
    }
  }
}

TEST(ArcSearchTest, VerticesOnOneLineShorterThanTheDeviationMakeNoArc) {
  // Ten vertices on x = 3.631329 over 0.086: rounding gives their triangles
  // tiny areas of either sign, which once made circles of radius 1e11.
  std::vector<PlanePoint> points;
  for (int i = 0; i < 10; ++i) points.push_back({3.631329, 12.402 + i * 0.0095555});
  for (const ArcSearchSettings& settings : {kStartValues, ArcSearchSettings{0.5, 50, 50}}) {
    EXPECT_TRUE(Bulges(Searched(points, settings)).empty());
  }
}

// A vertex read with a bulge already starts an arc: no window holds its
// segment, so it keeps its bulge and both neighbouring runs end at it.
TEST(ArcSearchTest, ExistingArcsAreKept) {
  PlainPolyline polyline = PolylineOf(ArcVertices(0, 0, 10, 0, 90, 8));
  polyline.vertices[3].carries_arc = true;
  const PlainPolyline searched = Searched(polyline);
  EXPECT_EQ(Removed(searched), (std::vector<int>{1, 2, 5, 6, 7}));
  EXPECT_EQ(Bulges(searched).size(), 2u);
  EXPECT_TRUE(searched.vertices[0].gets_bulge);
  EXPECT_FALSE(searched.vertices[3].gets_bulge);
  EXPECT_TRUE(searched.vertices[4].gets_bulge);
}

// 120 outlines of arcs and straight runs, enough vertices for two workers,
// and one polyline too short to compute anything.
std::vector<testing::PlainPolyline> MixedOutlines() {
  testing::OutlineMaker maker(11);
  std::vector<testing::PlainPolyline> polylines;
  for (int p = 0; p < 120; ++p) {
    std::vector<PlanePoint> points;
    for (int piece = 0; piece < 6; ++piece) {
      if (maker.Chance(0.5)) {
        maker.AddArc(points, maker.Scale(1, 20), maker.Uniform(-200, 200), maker.Whole(3, 12), 0);
      } else {
        maker.AddStraight(points, maker.Uniform(0.5, 3), maker.Whole(1, 6), 0.01);
      }
    }
    polylines.push_back(PolylineOf(points));
  }
  polylines.push_back(PolylineOf(ArcVertices(0, 0, 1, 0, 90, 2)));
  return polylines;
}

// The marks are the same whether polylines are searched one after the other
// or in parallel.
TEST(ArcSearchTest, MarksDoNotDependOnTheWorkers) {
  const std::vector<testing::PlainPolyline> polylines = MixedOutlines();

  PolylineModel sequential = ModelOf(polylines);
  PolylineModel parallel = ModelOf(polylines);
  FindArcs(sequential, kStartValues, 1);
  FindArcs(parallel, kStartValues, 4);
  EXPECT_EQ(testing::MarksOf(sequential), testing::MarksOf(parallel));

  // The workers' arcs come together by vertex, and a second search replaces
  // the arcs of the first instead of adding to them.
  const auto starts = [](const PolylineModel& model) {
    std::vector<std::pair<std::int64_t, double>> list;
    for (const ArcStart& start : model.arc_starts) list.emplace_back(start.vertex, start.bulge);
    return list;
  };
  ASSERT_FALSE(sequential.arc_starts.empty());
  EXPECT_EQ(starts(sequential), starts(parallel));
  FindArcs(parallel, kStartValues, 4);
  EXPECT_EQ(starts(sequential), starts(parallel));
}

// Notes every call and the thread it came from; asks the search to stop at
// the first progress once `stop_at` is set. Its state is plain: the contract
// is that the job's thread alone calls it.
class ThreadNotingObserver : public JobObserver {
 public:
  explicit ThreadNotingObserver(bool stop_at_first) : stop_at_first_(stop_at_first) {}
  void Progress(JobPhase phase, std::int64_t done, std::int64_t total) override {
    Note();
    EXPECT_EQ(phase, JobPhase::kSearching);
    EXPECT_LE(done, total);
    last_done = done;
    stop_ = stop_at_first_;
  }
  bool StopRequested() const override {
    const_cast<ThreadNotingObserver*>(this)->Note();
    return stop_;
  }
  std::vector<std::thread::id> callers;
  std::int64_t last_done = -1;

 private:
  void Note() {
    EXPECT_FALSE(in_call_);  // never two calls at once
    in_call_ = true;
    callers.push_back(std::this_thread::get_id());
    in_call_ = false;
  }
  const bool stop_at_first_;
  bool stop_ = false;
  bool in_call_ = false;
};

// While several workers search, the observer hears from the job's thread
// only, sees the search to its end, and stops it when asked.
TEST(ArcSearchTest, WorkersReportThroughTheJobsThread) {
  const std::vector<testing::PlainPolyline> polylines = MixedOutlines();
  PolylineModel model = ModelOf(polylines);
  ThreadNotingObserver watching(false);
  FindArcs(model, kStartValues, 2, &watching);
  ASSERT_FALSE(watching.callers.empty());
  for (const std::thread::id caller : watching.callers) EXPECT_EQ(caller, std::this_thread::get_id());
  EXPECT_EQ(watching.last_done, model.PolylineCount());

  PolylineModel again = ModelOf(polylines);
  ThreadNotingObserver stopping(true);
  EXPECT_THROW(FindArcs(again, kStartValues, 2, &stopping), JobStopped);
  for (const std::thread::id caller : stopping.callers) EXPECT_EQ(caller, std::this_thread::get_id());
}

}  // namespace
}  // namespace quillmere
