// The join passes on models built in memory. Every case runs against the
// production passes and against the plain reference, so that the reference
// the differential tests trust is itself held to the same cases.

#include <gtest/gtest.h>

#include <functional>

#include "dxf/polyline_reader.h"
#include "join/join_writer.h"
#include "join/polyline_joining.h"
#include "join_test_models.h"
#include "reference_joining.h"
#include "test_support.h"
#include "named_input.h"

namespace quillmere {
namespace {

using testing::Lw;
using testing::ModelOf;
using testing::Point3;
using testing::PlainModel;
using testing::PlainPolyline;
using testing::Poly;
using testing::VertexLabels;
using testing::Vertices;

struct Implementation {
  const char* name;
  std::function<void(PlainModel&, double)> join;
};

class JoinPassesTest : public ::testing::TestWithParam<Implementation> {
 protected:
  PlainModel Joined(std::vector<PlainPolyline> polylines, double tolerance) {
    PlainModel model = ModelOf(std::move(polylines));
    GetParam().join(model, tolerance);
    return model;
  }
};

using Points = std::vector<Point3>;

void ExpectAttached(const PlainPolyline& polyline) {
  EXPECT_EQ(polyline.VertexCount(), 0);
  EXPECT_TRUE(polyline.dropped);
}

void ExpectKept(const PlainPolyline& polyline, const Points& points) {
  EXPECT_EQ(Vertices(polyline), points);
  EXPECT_FALSE(polyline.dropped);
}

TEST_P(JoinPassesTest, LaterPolylinesAttachToAReceiverThatGrew) {
  // K (1,0)-(2,0) goes to L, whose end then lies where M starts.
  const PlainModel model = Joined({Lw({{1, 0, 0}, {2, 0, 0}}, "K"),
                                      Lw({{0, 0, 0}, {1, 0, 0}}, "L"),
                                      Lw({{2, 0, 0}, {3, 0, 0}}, "M")},
                                     0.01);
  ExpectAttached(model.polylines[0]);
  ExpectKept(model.polylines[1], {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}});
  ExpectAttached(model.polylines[2]);
  // Each joint is the attached polyline's first vertex.
  EXPECT_EQ(VertexLabels(model.polylines[1]),
            (std::vector<std::string>{"L-0", "K-0", "M-0", "M-1"}));
}

TEST_P(JoinPassesTest, AReceiverIsItselfAttachedWithWhatItReceived) {
  // K (2,0)-(3,0) goes to M, then M with K's vertices goes to L.
  const PlainModel model = Joined({Lw({{2, 0, 0}, {3, 0, 0}}, "K"),
                                      Lw({{0, 0, 0}, {1, 0, 0}}, "L"),
                                      Lw({{1, 0, 0}, {2, 0, 0}}, "M")},
                                     0.01);
  ExpectAttached(model.polylines[0]);
  ExpectKept(model.polylines[1], {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}});
  ExpectAttached(model.polylines[2]);
  EXPECT_EQ(VertexLabels(model.polylines[1]),
            (std::vector<std::string>{"L-0", "M-0", "K-0", "K-1"}));
}

TEST_P(JoinPassesTest, TheLowestReceiverWinsAmongEqualEnds) {
  // Polyline 0 starts at X = (1,1); 1 and 2 both end there.
  const PlainModel model = Joined({Lw({{1, 1, 0}, {9, 9, 0}}),
                                      Lw({{5, 5, 0}, {1, 1, 0}}),
                                      Lw({{3, 3, 0}, {1, 1, 0}})},
                                     0.01);
  ExpectAttached(model.polylines[0]);
  ExpectKept(model.polylines[1], {{5, 5, 0}, {1, 1, 0}, {9, 9, 0}});
  ExpectKept(model.polylines[2], {{3, 3, 0}, {1, 1, 0}});
}

TEST_P(JoinPassesTest, ClosedOutlinesStayWhole) {
  // A ring that ends where it starts is not joined to itself.
  const Points ring = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}};
  PlainModel model = Joined({Lw(ring)}, 1);
  ExpectKept(model.polylines[0], ring);

  // Flagged closed, of either kind, a polyline neither attaches to another
  // nor receives one, although the ends meet.
  for (const auto make : {&Lw, &Poly}) {
    model = Joined({make({{0, 0, 0}, {1, 0, 0}}, "closed", kFlagClosed),
                    make({{1, 0, 0}, {2, 0, 0}}, "open", 0),
                    make({{-1, 0, 0}, {0, 0, 0}}, "before", 0),
                    make({{2, 0, 0}, {3, 0, 0}}, "after", 0)},
                   0.01);
    ExpectKept(model.polylines[0], {{0, 0, 0}, {1, 0, 0}});
    ExpectKept(model.polylines[1], {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}});
    ExpectKept(model.polylines[2], {{-1, 0, 0}, {0, 0, 0}});
    ExpectAttached(model.polylines[3]);
  }
}

TEST_P(JoinPassesTest, OnlyAStartMeetsAnEnd) {
  // End to end and start to start.
  const Points a = {{0, 0, 0}, {1, 0, 0}};
  const Points b = {{2, 0, 0}, {1, 0, 0}};
  const Points c = {{0, 0, 0}, {0, 1, 0}};
  const PlainModel model = Joined({Lw(a), Lw(b), Lw(c)}, 0.5);
  ExpectKept(model.polylines[0], a);
  ExpectKept(model.polylines[1], b);
  ExpectKept(model.polylines[2], c);
}

TEST_P(JoinPassesTest, TheTestIsAnOpenBoxOnEachAxis) {
  // Whether polyline 0, starting at `start`, attaches to polyline 1, ending
  // at `end`. (With a huge tolerance 1 may attach to 0 instead; 0 then
  // receives and keeps its place.)
  const auto joins = [this](const Point3& end, const Point3& start, double tolerance) {
    const PlainModel model =
        Joined({Lw({start, {7, 7, 7}}), Lw({{-7, -7, -7}, end})}, tolerance);
    return model.polylines[0].dropped;
  };
  // 0.9 apart on x and y, about 1.27 in distance: inside the box.
  EXPECT_TRUE(joins({0, 0, 0}, {0.9, 0.9, 0}, 1));
  EXPECT_TRUE(joins({0, 0, 0}, {-0.9, -0.9, -0.9}, 1));
  // A difference equal to the tolerance is outside, on any axis.
  EXPECT_FALSE(joins({0, 0, 0}, {0.5, 0, 0}, 0.5));
  EXPECT_FALSE(joins({0, 0, 0}, {0, -0.5, 0}, 0.5));
  EXPECT_FALSE(joins({0, 0, 0}, {0, 0, 0.5}, 0.5));
  EXPECT_FALSE(joins({0, 0, 0}, {0, 0, 3}, 0.5));
  // A tolerance of 0 joins nothing, not even equal points; neither does a
  // negative one.
  EXPECT_FALSE(joins({1, 1, 1}, {1, 1, 1}, 0));
  EXPECT_FALSE(joins({1, 1, 1}, {1, 1, 1}, -1));
  // -0 and 0 are the same point.
  EXPECT_TRUE(joins({-0.0, 0, -0.0}, {0, -0.0, 0}, 1e-300));
  // Far from the origin the tolerance still counts, and differences that
  // overflow never pass, whatever the tolerance.
  EXPECT_TRUE(joins({1e15, -1e15, 0}, {1e15 + 0.125, -1e15, 0}, 0.2));
  EXPECT_FALSE(joins({1e15, -1e15, 0}, {1e15 + 0.25, -1e15, 0}, 0.2));
  EXPECT_TRUE(joins({1.7e308, 0, 0}, {1.7e308, 0, 0}, 1e-300));
  EXPECT_TRUE(joins({0.8e308, 0, 0}, {-0.8e308, 0, 0}, 1.7e308));
  EXPECT_FALSE(joins({0.8e308, 0, 0}, {-0.8e308, 0, 0}, 1.6e308));
  EXPECT_FALSE(joins({1.7e308, 0, 0}, {-1.7e308, 0, 0}, INFINITY));
  EXPECT_TRUE(joins({1e300, 5, 0}, {-1e300, 0, 0}, INFINITY));
}

TEST_P(JoinPassesTest, PolylinesWithFewerThanTwoVerticesTakeNoPart) {
  const PlainModel model = Joined({Lw({{1, 1, 0}}), Lw({{0, 0, 0}, {1, 1, 0}}),
                                      Lw({}), Lw({{1, 1, 0}, {2, 2, 0}})},
                                     0.01);
  ExpectKept(model.polylines[0], {{1, 1, 0}});
  ExpectKept(model.polylines[1], {{0, 0, 0}, {1, 1, 0}, {2, 2, 0}});
  ExpectKept(model.polylines[2], {});
  ExpectAttached(model.polylines[3]);
}

TEST_P(JoinPassesTest, EachKindJoinsOnlyItsOwn) {
  // LWPOLYLINE and POLYLINE chains meeting end to start; the first receiver
  // in index order is of the other kind and is passed over.
  const PlainModel model = Joined({Poly({{0, 0, 0}, {1, 0, 0}}, "P0"),
                                      Lw({{0, 0, 0}, {1, 0, 0}}, "L1"),
                                      Lw({{1, 0, 0}, {2, 0, 0}}, "L2"),
                                      Poly({{1, 0, 0}, {2, 0, 0}}, "P3")},
                                     0.01);
  EXPECT_EQ(VertexLabels(model.polylines[0]), (std::vector<std::string>{"P0-0", "P3-0", "P3-1"}));
  EXPECT_EQ(VertexLabels(model.polylines[1]), (std::vector<std::string>{"L1-0", "L2-0", "L2-1"}));
  ExpectAttached(model.polylines[2]);
  ExpectAttached(model.polylines[3]);
}

TEST_P(JoinPassesTest, PolylinesJoinOnlyOfTheSameDimensionAndAsOutlines) {
  const Points first = {{0, 0, 0}, {1, 0, 0}};
  const Points second = {{1, 0, 0}, {2, 0, 0}};
  // 3-D with 3-D joins (with other flags such as continuous linetype
  // beside), 3-D with 2-D does not.
  PlainModel model = Joined({Poly(second, "", kFlag3d | 128),
                                Poly(first, "", kFlag3d)},
                               0.01);
  EXPECT_EQ(model.polylines[1].VertexCount(), 3);
  model = Joined({Poly(second, "", kFlag3d), Poly(first)}, 0.01);
  ExpectKept(model.polylines[0], second);
  model = Joined({Poly(second), Poly(first, "", kFlag3d)}, 0.01);
  ExpectKept(model.polylines[0], second);

  // Fitted curves and meshes neither attach nor receive.
  for (const std::int32_t flag :
       {kFlagCurveFit, kFlagSplineFit, kFlagPolygonMesh, kFlagPolyfaceMesh}) {
    model = Joined({Poly(second, "", flag), Poly(first)}, 0.01);
    ExpectKept(model.polylines[0], second);
    model = Joined({Poly(second), Poly(first, "", flag)}, 0.01);
    ExpectKept(model.polylines[0], second);
    model = Joined({Poly(second, "", flag), Poly(first, "", flag)}, 0.01);
    ExpectKept(model.polylines[0], second);
  }
}

INSTANTIATE_TEST_SUITE_P(
    BothImplementations, JoinPassesTest,
    ::testing::Values(Implementation{"Production", testing::ProductionJoinPolylines},
                      Implementation{"Reference", testing::ReferenceJoinPolylines}),
    [](const ::testing::TestParamInfo<Implementation>& info) { return info.param.name; });

TEST(CountUpdate, WritesEveryCountAndDropsShortPolylines) {
  // A second count pair, a count pair in a POLYLINE header, polylines of one
  // and of no vertex, and a last code line without its value.
  const std::string drawing = testing::Lf(
      {"0", "SECTION", "2", "ENTITIES", "0", "LWPOLYLINE", " 90", "3", "90", " 17", "10", "0",
       "20", "0", "10", "1", "20", "0", "10", "2", "20", "0", "0", "LWPOLYLINE", " 90", "7",
       "10", "5", "20", "5", "0", "POLYLINE", "0", "SEQEND", "0", "POLYLINE", " 90", "x", "0",
       "VERTEX", "10", "0", "20", "0", "0", "VERTEX", "10", "1", "20", "1", "0", "SEQEND",
       "0", "ENDSEC", "0", "LWPOLYLINE", "90"});
  testing::TempDir dir;
  testing::RecordingMessages messages;
  testing::WriteFile(dir.File("in.dxf"), drawing);
  PolylineModel model;
  Reported(ReadPolylines(model, dir.File("in.dxf")), messages);
  JoinPolylines(model, 0.01);
  DropShortPolylines(model);
  EXPECT_FALSE(model.polylines[0].dropped);
  EXPECT_TRUE(model.polylines[1].dropped);
  EXPECT_TRUE(model.polylines[2].dropped);
  EXPECT_FALSE(model.polylines[3].dropped);
  Reported(WriteJoinResult(model, dir.File("in.dxf"), dir.File("out.dxf")), messages);
  EXPECT_EQ(testing::ReadFile(dir.File("out.dxf")),
            testing::CrLf({"0", "SECTION", "2", "ENTITIES", "0", "LWPOLYLINE", " 90", "3", "90",
                           "3", "10", "0", "20", "0", "10", "1", "20", "0", "10", "2", "20", "0",
                           "0", "POLYLINE", " 90", "2", "0", "VERTEX", "10", "0", "20", "0", "0",
                           "VERTEX", "10", "1", "20", "1", "0", "SEQEND", "0", "ENDSEC", "0",
                           "LWPOLYLINE", "90"}));
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace quillmere
