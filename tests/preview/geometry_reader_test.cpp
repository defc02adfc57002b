// The preview's reading of a drawing: which entities it draws, with which
// vertices, and which way their arcs turn.

#include "preview/geometry_reader.h"

#include <gtest/gtest.h>

#include <cmath>

#include "preview/flat_drawing.h"
#include "test_support.h"

namespace quillmere {
namespace {

using testing::Lf;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WriteFile;

std::vector<std::string> Entities(const std::vector<std::string>& body) {
  std::vector<std::string> lines = {"  0", "SECTION", "  2", "ENTITIES"};
  lines.insert(lines.end(), body.begin(), body.end());
  lines.insert(lines.end(), {"  0", "ENDSEC", "  0", "EOF"});
  return lines;
}

class GeometryReaderTest : public ::testing::Test {
 protected:
  DrawingGeometry Read(const std::vector<std::string>& lines) {
    WriteFile(dir_.File("in.dxf"), Lf(lines));
    DrawingGeometry geometry;
    EXPECT_TRUE(Reported(ReadDrawingGeometry(dir_.File("in.dxf"), geometry), messages_));
    return geometry;
  }
  TempDir dir_;
  RecordingMessages messages_;
};

std::vector<PathVertex> Path(const DrawingGeometry& geometry, std::size_t entity) {
  const DrawnEntity& e = geometry.entities[entity];
  return {geometry.VerticesOf(e), geometry.VerticesOf(e) + e.count};
}

// The point of the drawn arc farthest from its chord: the arc's middle, to
// within one flattening step (0.04 radians) along the arc.
PathVertex ArcMiddle(const PathVertex& from, const PathVertex& to) {
  std::vector<PathVertex> points;
  AppendSegmentPoints(points, from, to);
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  PathVertex farthest = points.front();
  double largest = -1;
  for (const PathVertex& p : points) {
    const double distance = std::fabs((p.x - from.x) * dy - (p.y - from.y) * dx);
    if (distance > largest) {
      largest = distance;
      farthest = p;
    }
  }
  return farthest;
}

void ExpectPoint(const PathVertex& p, double x, double y, double tolerance = 1e-9) {
  EXPECT_NEAR(p.x, x, tolerance);
  EXPECT_NEAR(p.y, y, tolerance);
}

TEST(SegmentPointsTest, PositiveBulgeTurnsCounterClockwise) {
  // From (0,0) to (2,0) counter-clockwise, the half circle passes below.
  ExpectPoint(ArcMiddle({0, 0, 1}, {2, 0, 0}), 1, -1, 0.03);
  ExpectPoint(ArcMiddle({0, 0, -1}, {2, 0, 0}), 1, 1, 0.03);
  // A quarter circle (bulge tan 22.5°) around the origin from (1,0) to (0,1).
  std::vector<PathVertex> points;
  AppendSegmentPoints(points, {1, 0, std::tan(std::atan(1.0) / 2)}, {0, 1, 0});
  for (const PathVertex& p : points) EXPECT_NEAR(std::hypot(p.x, p.y), 1, 1e-12);
  ExpectPoint(points.back(), 0, 1);
  EXPECT_GT(points.size(), 30u);
}

TEST_F(GeometryReaderTest, ClosedLwPolylineClosesWithTheLastVertexBulge) {
  const DrawingGeometry g = Read(Entities({"  0", "LWPOLYLINE", " 90", "4", " 70", "1",
                                           " 10", "0", " 20", "0", " 10", "4", " 20", "0",
                                           " 10", "4", " 20", "4", " 10", "0", " 20", "4",
                                           " 42", "1"}));
  ASSERT_EQ(g.entities.size(), 1u);
  ASSERT_EQ(g.polylines.size(), 1u);
  EXPECT_TRUE(g.entities[0].closed);
  const std::vector<PathVertex> path = Path(g, 0);
  ASSERT_EQ(path.size(), 4u);
  // The closing segment from (0,4) down to (0,0), counter-clockwise: a half
  // circle outside the square, through (-2,2).
  ExpectPoint(ArcMiddle(path[3], path[0]), -2, 2, 0.05);
  const FlatDrawing flat = FlattenDrawing(g, NaturalStrokes(g));
  ASSERT_EQ(flat.pieces.size(), 2u);
  EXPECT_EQ(flat.pieces[0].stroke, Stroke::kLine);
  EXPECT_EQ(flat.pieces[1].stroke, Stroke::kArc);
  EXPECT_NEAR(flat.bounds.min_x + flat.origin_x, -2, 1e-3);
  EXPECT_FLOAT_EQ(flat.points.back().x + static_cast<float>(flat.origin_x), 0);
  EXPECT_FLOAT_EQ(flat.points.back().y + static_cast<float>(flat.origin_y), 0);
}

TEST_F(GeometryReaderTest, ArcRunsCounterClockwiseFromStartToEndAngle) {
  const DrawingGeometry g = Read(Entities({"  0", "ARC", " 10", "10", " 20", "5", " 40", "2",
                                           " 50", "350", " 51", "10",
                                           "  0", "CIRCLE", " 10", "0", " 20", "0", " 40", "1",
                                           "  0", "ARC", " 10", "0", " 20", "0", " 40", "1",
                                           " 50", "0", " 51", "360"}));
  ASSERT_EQ(g.entities.size(), 3u);
  EXPECT_TRUE(g.polylines.empty());
  // From 350° to 10° is the short way through 0°, not 340° around.
  const std::vector<PathVertex> arc = Path(g, 0);
  ASSERT_EQ(arc.size(), 2u);
  const double rad = std::atan(1.0) / 45;
  ExpectPoint(arc[0], 10 + 2 * std::cos(-10 * rad), 5 + 2 * std::sin(-10 * rad));
  ExpectPoint(arc[1], 10 + 2 * std::cos(10 * rad), 5 + 2 * std::sin(10 * rad));
  EXPECT_NEAR(arc[0].bulge, std::tan(20 * rad / 4), 1e-12);
  ExpectPoint(ArcMiddle(arc[0], arc[1]), 12, 5, 0.05);
  // A circle, and an arc whose angles are a whole turn apart, go all round.
  for (const std::size_t entity : {1u, 2u}) {
    const std::vector<PathVertex> circle = Path(g, entity);
    ExpectPoint(circle.front(), 1, 0);
    ExpectPoint(circle.back(), 1, 0);
    double sweep = 0;
    for (std::size_t i = 0; i + 1 < circle.size(); ++i) sweep += 4 * std::atan(circle[i].bulge);
    EXPECT_NEAR(sweep, 360 * rad, 1e-12);
  }
}

TEST_F(GeometryReaderTest, MirroredPlaneTurnsArcsTheOtherWay) {
  // Extrusion (0,0,-1): the entity's X axis is the world's -X.
  const DrawingGeometry g = Read(Entities({"  0", "ARC", " 10", "5", " 20", "0", " 40", "1",
                                           " 50", "0", " 51", "90", "230", "-1"}));
  const std::vector<PathVertex> arc = Path(g, 0);
  ExpectPoint(arc.front(), -6, 0);
  ExpectPoint(arc.back(), -5, 1);
  EXPECT_LT(arc.front().bulge, 0);
  ExpectPoint(ArcMiddle(arc.front(), arc.back()), -5 - std::sqrt(0.5), std::sqrt(0.5), 0.03);
}

TEST_F(GeometryReaderTest, PolylineAndLwPolylineGiveTheSamePath) {
  const DrawingGeometry g = Read(Entities({
      "  0", "POLYLINE", " 66", "1", " 10", "0", " 20", "0", " 30", "0", " 70", "0",
      "  0", "VERTEX", " 10", "1", " 20", "2", " 42", "0.5",
      "  0", "VERTEX", " 10", "3", " 20", "4",
      "  0", "SEQEND",
      "  0", "LWPOLYLINE", " 90", "2", " 70", "0", " 10", "1", " 20", "2", " 42", "0.5",
      " 10", "3", " 20", "4",
      "  0", "LINE", " 11", "3", " 21", "4", " 10", "1", " 20", "2"}));
  ASSERT_EQ(g.entities.size(), 3u);
  EXPECT_EQ(g.polylines, (std::vector<std::size_t>{0, 1}));
  EXPECT_EQ(g.entities[0].kind, EntityKind::kPolyline);
  EXPECT_EQ(g.entities[1].kind, EntityKind::kLwPolyline);
  EXPECT_EQ(g.line_entities, 1u);
  for (const std::size_t entity : {0u, 1u, 2u}) {
    const std::vector<PathVertex> path = Path(g, entity);
    ASSERT_EQ(path.size(), 2u) << entity;
    ExpectPoint(path[0], 1, 2);
    ExpectPoint(path[1], 3, 4);
    EXPECT_EQ(path[0].bulge, entity == 2 ? 0 : 0.5);
    EXPECT_FALSE(g.entities[entity].closed);
  }
}

TEST_F(GeometryReaderTest, SplineFrameMeshesAndPaperSpaceAreNotDrawn) {
  const DrawingGeometry g = Read(Entities({
      // spline-fit: the frame's control point is no point of the curve
      "  0", "POLYLINE", " 70", "4",
      "  0", "VERTEX", " 10", "0", " 20", "0", " 70", "8",
      "  0", "VERTEX", " 10", "5", " 20", "9", " 70", "16",
      "  0", "VERTEX", " 10", "1", " 20", "1", " 70", "8",
      "  0", "SEQEND",
      // polyface mesh: counted as a polyline, drawn not at all
      "  0", "POLYLINE", " 70", "64",
      "  0", "VERTEX", " 10", "7", " 20", "7", " 70", "192",
      "  0", "SEQEND",
      // 3-D polyline: its bulges mean nothing
      "  0", "POLYLINE", " 70", "8",
      "  0", "VERTEX", " 10", "0", " 20", "0", " 42", "1", " 70", "32",
      "  0", "VERTEX", " 10", "2", " 20", "0", " 70", "32",
      "  0", "SEQEND",
      "  0", "LINE", " 67", "1", " 10", "0", " 20", "0", " 11", "100", " 21", "100"}));
  ASSERT_EQ(g.polylines.size(), 3u);
  EXPECT_EQ(Path(g, 0).size(), 2u);
  EXPECT_TRUE(g.entities[0].drawn);
  EXPECT_FALSE(g.entities[1].drawn);
  EXPECT_EQ(Path(g, 2)[0].bulge, 0);
  EXPECT_FALSE(g.entities[3].drawn);
  const FlatDrawing flat = FlattenDrawing(g, NaturalStrokes(g));
  EXPECT_NEAR(flat.bounds.max_x + flat.origin_x, 2, 1e-6);
  EXPECT_NEAR(flat.bounds.max_y + flat.origin_y, 1, 1e-6);
}

TEST_F(GeometryReaderTest, OnlyTheEntitiesSectionIsRead) {
  const DrawingGeometry g = Read({
      "  0", "SECTION", "  2", "BLOCKS", "  0", "BLOCK", "  2", "B",
      "  0", "LINE", " 10", "0", " 20", "0", " 11", "1", " 21", "1",
      "  0", "LWPOLYLINE", " 10", "0", " 20", "0", " 10", "1", " 20", "1",
      "  0", "ENDBLK", "  0", "ENDSEC",
      "  0", "SECTION", "  2", "ENTITIES",
      "  0", "INSERT", "  2", "B", " 10", "50", " 20", "50",
      "  0", "CIRCLE", " 10", "0", " 20", "0", " 40", "3",
      "  0", "SECTION", "  2", "OBJECTS",
      "  0", "LINE", " 10", "0", " 20", "0", " 11", "1", " 21", "1",
      "  0", "ENDSEC", "  0", "EOF"});
  ASSERT_EQ(g.entities.size(), 1u);
  EXPECT_EQ(g.entities[0].kind, EntityKind::kCircle);
  EXPECT_EQ(g.line_entities, 0u);
}

TEST_F(GeometryReaderTest, NumbersThatDoNotReadNeverBecomeCoordinates) {
  const DrawingGeometry g = Read(Entities({
      "  0", "LWPOLYLINE", " 10", "0", " 20", "0",
      " 10", "1,5", " 20", "99", " 42", "1",  // left out with its Y and bulge
      " 10", "2", " 20", "0", " 42", "x",    // straight
      " 10", "3", " 20", "nan",              // left out
      " 10", " 4.0 ", " 20", "1e1",
      "  0", "LINE", " 10", "0", " 20", "0", " 11", "abc", " 21", "1",
      "  0", "CIRCLE", " 10", "0", " 20", "0", " 40", "-2",
      "  0", "ARC", " 10", "0", " 20", "0", " 40", "",
      "  0", "POLYLINE", " 70", "one",
      "  0", "VERTEX", " 10", "0", " 20", "0",
      "  0", "VERTEX", " 10", "1", " 20", "1e999",
      "  0", "SEQEND"}));
  ASSERT_EQ(g.entities.size(), 2u);
  const std::vector<PathVertex> path = Path(g, 0);
  ASSERT_EQ(path.size(), 3u);
  ExpectPoint(path[1], 2, 0);
  EXPECT_EQ(path[1].bulge, 0);
  ExpectPoint(path[2], 4, 10);
  EXPECT_EQ(Path(g, 1).size(), 1u);
  EXPECT_FALSE(g.entities[1].closed);
  EXPECT_EQ(g.line_entities, 1u);
}

TEST_F(GeometryReaderTest, AFileThatCannotBeOpenedIsReported) {
  DrawingGeometry geometry;
  EXPECT_FALSE(Reported(ReadDrawingGeometry(dir_.File("missing.dxf"), geometry), messages_));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].Utf8Text(), "Folgende DXF Datei konnte nicht geöffnet werden: " +
                                               dir_.File("missing.dxf"));
  EXPECT_FALSE(Reported(ReadDrawingGeometry(dir_.path().string(), geometry), messages_));
}

}  // namespace
}  // namespace quillmere
