// The join job building contours: polylines used backwards, one layer at a
// time, loops closed.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/job_summary.h"
#include "job_test_fixture.h"
#include "join/join_job.h"
#include "test_support.h"
#include "named_input.h"

namespace quillmere {
namespace {

using ContourLines = std::vector<std::string>;

ContourLines ContourDrawing(std::initializer_list<ContourLines> entities) {
  ContourLines lines = {"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1015",
                        "  0", "ENDSEC", "  0", "SECTION", "  2", "ENTITIES"};
  for (const ContourLines& entity : entities) lines.insert(lines.end(), entity.begin(), entity.end());
  lines.insert(lines.end(), {"  0", "ENDSEC", "  0", "EOF"});
  return lines;
}

// An LWPOLYLINE on `layer` whose vertices are given as their pairs.
ContourLines LwContour(const std::string& handle, const std::string& layer,
                       std::initializer_list<ContourLines> vertices) {
  ContourLines lines = {"  0", "LWPOLYLINE", "  5", handle, "  8", layer, " 90",
                        std::to_string(vertices.size()), " 70", "0"};
  for (const ContourLines& vertex : vertices) lines.insert(lines.end(), vertex.begin(), vertex.end());
  return lines;
}

ContourLines At(const std::string& x, const std::string& y, ContourLines more = {}) {
  ContourLines lines = {" 10", x, " 20", y};
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

class JoinContourTest : public testing::JobFilesTest {
 protected:
  std::string Run(const ContourLines& input, double tolerance = 0.01) {
    testing::WriteFile(in_, testing::Lf(input));
    summary_ = RunJoinJob(tolerance, in_, out_, messages_, nullptr, true);
    return testing::ReadFile(out_);
  }
  std::optional<JoinJobSummary> summary_;
};

TEST_F(JoinContourTest, APolylineUsedBackwardsMovesItsBulgesAndSwapsItsWidths) {
  // B is stored from its far end to the joint: used backwards, its second
  // vertex starts the segment that its first vertex started, bulge negated
  // and widths swapped; its first vertex, now last, starts nothing. The
  // extended data of A, the head, ends the entity; B's goes with B.
  const std::string output = Run(ContourDrawing(
      {LwContour("A", "K", {At("0", "0", {" 40", "1", " 41", "2", " 42", "0.5"}),
                            At("10", "0", {"1001", "QUILL", "1000", "a"})}),
       LwContour("B", "K", {At("20", "0", {" 40", "3", " 41", "4", " 42", "0.25"}),
                            At("10.004", "0", {" 91", "7", "1001", "QUILL", "1000", "b"})})}));
  EXPECT_EQ(output, testing::CrLf(ContourDrawing(
                        {{"  0", "LWPOLYLINE", "  5", "A", "  8", "K", " 90", "3", " 70", "0",
                          " 10", "0", " 20", "0", " 40", "1", " 41", "2", " 42", "0.5",
                          " 10", "10.004", " 20", "0", " 91", "7", "40", "4", "41", "3", "42", "-0.25",
                          " 10", "20", " 20", "0", "1001", "QUILL", "1000", "a"}})));
  ASSERT_TRUE(summary_);
  EXPECT_EQ(SummaryLine(*summary_), "convert3: 2 polylines read, 1 joined, 1 written, 0 closed");
}

TEST_F(JoinContourTest, LoopsCloseAndLayersStayApart) {
  // A ring of two pieces closes without repeating its first vertex; a
  // polyline back at its own start closes alone; the same ring on another
  // layer touches both and joins neither. Two pieces out and back within
  // the tolerance enclose nothing: their chain stays open, its end kept.
  const std::string output = Run(ContourDrawing(
      {LwContour("A", "K", {At("0", "0"), At("10", "0"), At("10", "10")}),
       LwContour("B", "K", {At("0", "0"), At("0", "10"), At("10", "10")}),
       LwContour("C", "K", {At("50", "0"), At("60", "0"), At("60", "5"), At("50", "0.001")}),
       LwContour("D", "L", {At("10", "10"), At("0", "0")}),
       LwContour("E", "K", {At("80", "0"), At("80.004", "0")}),
       LwContour("F", "K", {At("80.0041", "0.001"), At("80.0001", "0.0002")})}));
  EXPECT_EQ(output, testing::CrLf(ContourDrawing(
                        {{"  0", "LWPOLYLINE", "  5", "A", "  8", "K", " 90", "4", " 70", "1",
                          " 10", "0", " 20", "0", " 10", "10", " 20", "0", " 10", "10", " 20",
                          "10", " 10", "0", " 20", "10"},
                         {"  0", "LWPOLYLINE", "  5", "C", "  8", "K", " 90", "3", " 70", "1",
                          " 10", "50", " 20", "0", " 10", "60", " 20", "0", " 10", "60", " 20",
                          "5"},
                         LwContour("D", "L", {At("10", "10"), At("0", "0")}),
                         LwContour("E", "K", {At("80", "0"), At("80.0041", "0.001"),
                                              At("80.0001", "0.0002")})})));
  ASSERT_TRUE(summary_);
  EXPECT_EQ(summary_->closed, 2);
  EXPECT_EQ(summary_->polylines_written, 4);
}

TEST_F(JoinContourTest, AnOldStylePolylineUsedBackwardsKeepsItsVertexEntities) {
  const ContourLines a = {"  0", "POLYLINE", "  5", "A", "  8", "0", " 66", "1",
                          "  0", "VERTEX", "  5", "A1", "  8", "0", " 10", "0", " 20", "0",
                          "  0", "VERTEX", "  5", "A2", "  8", "0", " 10", "5", " 20", "0",
                          "  0", "SEQEND", "  5", "A3", "  8", "0"};
  const ContourLines b = {"  0", "POLYLINE", "  5", "B", "  8", "0", " 66", "1",
                          "  0", "VERTEX", "  5", "B1", "  8", "0", " 10", "5", " 20", "5", " 42", "-1.0",
                          "  0", "VERTEX", "  5", "B2", "  8", "0", " 10", "5", " 20", "0",
                          "  0", "SEQEND", "  5", "B3", "  8", "0"};
  testing::WriteFile(in_, testing::Lf(ContourDrawing({a, b})));
  ASSERT_TRUE(RunJoinJob(0.01, in_, out_, messages_, nullptr, true));
  EXPECT_EQ(testing::ReadFile(out_),
            testing::CrLf(ContourDrawing(
                {{"  0", "POLYLINE", "  5", "A", "  8", "0", " 66", "1",
                  "  0", "VERTEX", "  5", "A1", "  8", "0", " 10", "0", " 20", "0",
                  "  0", "VERTEX", "  5", "B2", "  8", "0", " 10", "5", " 20", "0", "42", "1.0",
                  "  0", "VERTEX", "  5", "B1", "  8", "0", " 10", "5", " 20", "5",
                  "  0", "SEQEND", "  5", "A3", "  8", "0"}})));
  // Without contours the two only touch end to end and stay as they are.
  ASSERT_TRUE(RunJoinJob(0.01, in_, out_, messages_));
  EXPECT_EQ(testing::ReadFile(out_), testing::CrLf(ContourDrawing({a, b})));
}

}  // namespace
}  // namespace quillmere
