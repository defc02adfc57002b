// The line job building contours: LINEs and ARCs in either direction, the
// nearest end first, one layer at a time, loops closed.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/job_summary.h"
#include "job_test_fixture.h"
#include "lines/line_chaining.h"
#include "lines/line_job.h"
#include "lines/line_reader.h"
#include "test_support.h"
#include "named_input.h"

namespace quillmere {
namespace {

using PieceLines = std::vector<std::string>;

PieceLines PieceDrawing(std::initializer_list<PieceLines> entities) {
  PieceLines lines = {"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1015",
                      "  0", "ENDSEC", "  0", "SECTION", "  2", "ENTITIES"};
  for (const PieceLines& entity : entities) lines.insert(lines.end(), entity.begin(), entity.end());
  lines.insert(lines.end(), {"  0", "ENDSEC", "  0", "EOF"});
  return lines;
}

std::string Text(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

PieceLines Segment(const std::string& layer, double x0, double y0, double x1, double y1) {
  return {"  0", "LINE", "100", "AcDbEntity", "  8", layer, "100", "AcDbLine", " 10", Text(x0),
          " 20", Text(y0), " 11", Text(x1), " 21", Text(y1)};
}

PieceLines Bow(const std::string& layer, double cx, double cy, double radius, double from,
               double to, const std::string& extrusion_z = "") {
  PieceLines lines = {"  0", "ARC", "100", "AcDbEntity", "  8", layer, "100", "AcDbCircle",
                      " 10", Text(cx), " 20", Text(cy), " 40", Text(radius), "100", "AcDbArc",
                      " 50", Text(from), " 51", Text(to)};
  if (!extrusion_z.empty()) lines.insert(lines.end(), {"210", "0", "220", "0", "230", extrusion_z});
  return lines;
}

class LineContourTest : public testing::JobFilesTest {
 protected:
  // The chains of the drawing as "record: x,y[bulge] ... closed".
  std::vector<std::string> Contours(std::initializer_list<PieceLines> entities,
                                    double tolerance = 0.01) {
    testing::WriteFile(in_, testing::Lf(PieceDrawing(entities)));
    Reported(ReadLines(model_, in_, nullptr, true), messages_);
    ChainLines(model_, tolerance, true);
    std::vector<std::string> chains;
    for (std::int32_t k = 0; k < model_.RecordCount(); ++k) {
      const LineRecord& record = model_.records[static_cast<std::size_t>(k)];
      if (record.dropped || record.kept_as_read) continue;
      std::string text = std::to_string(k) + ":";
      for (const LineVertex& vertex : record.vertices) {
        // Points of arcs come from sines and cosines: 1e-16 is 0 here.
        const auto rounded = [](double value) { return Text(std::round(value * 1e9) / 1e9 + 0.0); };
        text += " " + rounded(vertex.x) + "," + rounded(vertex.y);
        if (vertex.bulge != 0) text += "[" + Text(vertex.bulge) + "]";
      }
      chains.push_back(text + (record.closed ? " closed" : ""));
    }
    return chains;
  }
  LineModel model_;
};

TEST_F(LineContourTest, PiecesGoBackwardsLoopsCloseAndLayersStayApart) {
  EXPECT_EQ(Contours({Segment("K", 0, 0, 10, 0), Segment("K", 10, 10, 10, 0),
                      Segment("K", 10, 10, 0, 10), Segment("K", 0, 0, 0, 10),
                      Segment("B", 10, 0, 20, 0)}),
            (std::vector<std::string>{"0: 0,0 10,0 10,10 0,10 closed", "4: 10,0 20,0"}));
  // A chain also grows at its start: the head is the piece in front.
  EXPECT_EQ(Contours({Segment("K", 5, 0, 10, 0), Segment("K", 5, 0, 0, 0)}),
            (std::vector<std::string>{"1: 0,0 5,0 10,0"}));
}

TEST_F(LineContourTest, TheNearestEndThenTheLeastTurnNeverOutAndBack) {
  // An end 0.004 away, earlier in the file, loses to one exactly there.
  EXPECT_EQ(Contours({Segment("0", 0, 0, 10, 0), Segment("0", 10.004, 0, 10.004, 5),
                      Segment("0", 10, 0, 10, -5)}),
            (std::vector<std::string>{"0: 0,0 10,0 10,-5", "1: 10.004,0 10.004,5"}));
  // Equally near: straight on rather than the turn earlier in the file.
  EXPECT_EQ(Contours({Segment("0", 0, 0, 10, 0), Segment("0", 10, 0, 10, 10),
                      Segment("0", 10, 0, 20, 0)}),
            (std::vector<std::string>{"0: 0,0 10,0 20,0", "1: 10,0 10,10"}));
  // A line and its reverse twin would be a spike; so would a twin whose
  // ends lie within the tolerance of the first's.
  EXPECT_EQ(Contours({Segment("0", 0, 0, 10, 0), Segment("0", 10, 0, 0, 0)}),
            (std::vector<std::string>{"0: 0,0 10,0", "1: 10,0 0,0"}));
  EXPECT_EQ(Contours({Segment("0", 0, 0, 10, 0), Segment("0", 10.005, 0.005, 0.005, 0.004)}),
            (std::vector<std::string>{"0: 0,0 10,0", "1: 10.005,0.005 0.005,0.004"}));
}

TEST_F(LineContourTest, AChainBackAtItsStartClosesOnlyAroundSomething) {
  // A line shorter than the tolerance keeps its end point; so does a chain
  // of it and its twin, drawn the same way or reversed, although its ends
  // meet: closed, it would be a dot.
  EXPECT_EQ(Contours({Segment("0", 0, 0, 0.005, 0)}),
            (std::vector<std::string>{"0: 0,0 0.005,0"}));
  for (const PieceLines& twin : {Segment("0", 0, 0, 0.005, 0), Segment("0", 0.005, 0, 0, 0)}) {
    EXPECT_EQ(Contours({Segment("0", 0, 0, 0.005, 0), twin}),
              (std::vector<std::string>{"0: 0,0 0,0 0.005,0"}));
  }
  // Three points enclose a triangle, however small against the tolerance.
  EXPECT_EQ(Contours({Segment("0", 0, 0, 0.004, 0), Segment("0", 0.004, 0, 0.002, 0.003),
                      Segment("0", 0.002, 0.003, 0, 0)}),
            (std::vector<std::string>{"0: 0,0 0.004,0 0.002,0.003 closed"}));
}

TEST_F(LineContourTest, WhereManyLinesMeetTheWalkGoesStraightOn) {
  // 36 lines out from one point, every 10 degrees: each chain runs straight
  // through the centre, from a tip to the opposite one.
  PieceLines drawing = PieceDrawing({});
  for (int k = 0; k < 36; ++k) {
    const double angle = k * M_PI / 18;
    const PieceLines line = Segment("0", 0, 0, 10 * std::cos(angle), 10 * std::sin(angle));
    drawing.insert(drawing.end() - 4, line.begin(), line.end());
  }
  testing::WriteFile(in_, testing::Lf(drawing));
  Reported(ReadLines(model_, in_, nullptr, true), messages_);
  ChainLines(model_, 0.01, true);
  int chains = 0;
  for (const LineRecord& record : model_.records) {
    if (record.dropped) continue;
    ++chains;
    ASSERT_EQ(record.VertexCount(), 3);
    EXPECT_NEAR(record.vertices.front().x + record.vertices.back().x, 0, 1e-9);
    EXPECT_NEAR(record.vertices.front().y + record.vertices.back().y, 0, 1e-9);
  }
  EXPECT_EQ(chains, 18);
}

TEST_F(LineContourTest, ArcsArePiecesAndLoneArcsStayAsRead) {
  // A half circle closed by its diameter, the arc used backwards: its bulge
  // goes to its other end, negated.
  EXPECT_EQ(Contours({Segment("0", 1, 0, -1, 0), Bow("0", 0, 0, 1, 0, 180)}),
            (std::vector<std::string>{"0: 1,0 -1,0[-1] closed"}));
  // Seen from below (extrusion 0, 0, -1) an arc is mirrored in x; it joins
  // a line there. Arcs of other extrusions, or alone, stay ARCs.
  EXPECT_EQ(Contours({Bow("0", 5, 0, 1, 0, 90, "-1"), Segment("0", -5, 1, -5, 5),
                      Bow("0", 0, 0, 1, 0, 90, "0.5"), Bow("0", 9, 9, 1, 0, 90)}),
            (std::vector<std::string>{"0: -6,0[" + Text(-std::tan(M_PI / 8)) + "] -5,1 -5,5"}));
  EXPECT_TRUE(model_.records[2].kept_as_read);
  EXPECT_EQ(model_.records[2].VertexCount(), 0);
  EXPECT_TRUE(model_.records[3].kept_as_read);
}

TEST_F(LineContourTest, TheJobWritesClosedPolylinesAndCopiesLoneArcs) {
  const PieceLines lone_arc = Bow("K", 50, 50, 2, 10, 20);
  testing::WriteFile(in_, testing::Lf(PieceDrawing({Segment("K", 0, 0, 4, 0), lone_arc,
                                                    Segment("K", 4, 3, 4, 0),
                                                    Segment("K", 0, 0, 4, 3),
                                                    {"  0", "LINE", "  8", "K", " 10", "7", " 20", "7"}})));
  const auto summary = RunLineJob(0.01, in_, out_, messages_, nullptr, true);
  ASSERT_TRUE(summary);
  EXPECT_EQ(SummaryLine(*summary), "convert2: 4 lines, 1 arcs, 1 polylines written, 1 closed");
  EXPECT_EQ(testing::ReadFile(out_),
            testing::CrLf(PieceDrawing(
                {{"  0", "LWPOLYLINE", " 66", "1", "100", "AcDbEntity", "  8", "K", "100",
                  "AcDbPolyline", " 90", "3", " 70", "     1", " 10", "0", " 20", "0", " 10", "4",
                  " 20", "0", " 10", "4", " 20", "3"},
                 lone_arc, {"  0", "LINE", "  8", "K", " 10", "7", " 20", "7"}})));
  // Without contours the ARC is no piece and the summary keeps its words.
  const auto plain = RunLineJob(0.01, in_, out_, messages_);
  ASSERT_TRUE(plain);
  EXPECT_EQ(SummaryLine(*plain), "convert2: 4 lines, 2 polylines written");
}

// The drawings of loose lines and arcs that these contours are for.
TEST_F(LineContourTest, SampleDrawingsBecomeTheirOutlines) {
  struct Expected {
    const char* name;
    std::int64_t polylines;
    std::int64_t closed;
  };
  for (const Expected& sample : {Expected{"lines_and_arcs_ac1032.dxf", 10, 8},
                                 Expected{"openscad_lines_entities_only.dxf", 10, 10},
                                 Expected{"1997_lines_entities_only.dxf", 6, 6}}) {
    const std::string path = std::string(QUILLMERE_SAMPLES_DIR) + "/" + sample.name;
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "no sample drawing " << path;
    const auto summary = RunLineJob(0.01, path, out_, messages_, nullptr, true);
    ASSERT_TRUE(summary) << sample.name;
    EXPECT_EQ(summary->polylines_written, sample.polylines) << sample.name;
    EXPECT_EQ(summary->closed, sample.closed) << sample.name;
    // Every LINE and ARC went into a contour.
    LineModel left;
    Reported(ReadLines(left, out_, nullptr, true), messages_);
    EXPECT_EQ(left.RecordCount(), 0) << sample.name;
  }
  EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace quillmere
