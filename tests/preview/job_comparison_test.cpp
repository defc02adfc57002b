// The counts and highlights of the preview, from the real jobs' input and
// output.

#include "preview/job_comparison.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>

#include "arcs/arc_job.h"
#include "dxf/polyline_reader.h"
#include "join/join_job.h"
#include "lines/line_job.h"
#include "preview/geometry_reader.h"
#include "support/numbers.h"
#include "test_support.h"
#include "named_input.h"

namespace quillmere {
namespace {

using testing::Lf;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WriteFile;

std::vector<std::string> Drawing(const std::vector<std::vector<std::string>>& entities) {
  std::vector<std::string> lines = {"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER",
                                    "  1", "AC1015", "  0", "ENDSEC",
                                    "  0", "SECTION", "  2", "ENTITIES"};
  for (const auto& entity : entities) lines.insert(lines.end(), entity.begin(), entity.end());
  lines.insert(lines.end(), {"  0", "ENDSEC", "  0", "EOF"});
  return lines;
}

std::vector<std::string> LwPolyline(const std::vector<std::array<double, 2>>& points,
                                    double first_bulge = 0) {
  std::vector<std::string> lines = {"  0", "LWPOLYLINE", "  8", "0", " 90",
                                    std::to_string(points.size()), " 70", "0"};
  for (std::size_t i = 0; i < points.size(); ++i) {
    lines.insert(lines.end(), {" 10", FormatGeneral(points[i][0]), " 20", FormatGeneral(points[i][1])});
    if (i == 0 && first_bulge != 0) lines.insert(lines.end(), {" 42", FormatGeneral(first_bulge)});
  }
  return lines;
}

std::vector<std::string> Line(double x0, double y0, double x1, double y1) {
  return {"  0", "LINE", "  8", "0", " 10", FormatGeneral(x0), " 20", FormatGeneral(y0),
          " 11", FormatGeneral(x1), " 21", FormatGeneral(y1)};
}

// A quarter circle of radius 10 in 12 segments, then a straight tail.
std::vector<std::array<double, 2>> RoundedCorner() {
  std::vector<std::array<double, 2>> points;
  for (int i = 0; i <= 12; ++i) {
    const double angle = std::atan(1.0) * 2 * i / 12;
    points.push_back({10 * std::cos(angle), 10 * std::sin(angle)});
  }
  points.push_back({-20, 10});
  return points;
}

class JobComparisonTest : public ::testing::Test {
 protected:
  JobComparison Compare(ComparedJob job, const std::vector<std::string>& input) {
    WriteFile(in_, Lf(input));
    switch (job) {
      case ComparedJob::kFindArcs:
        RunArcJob({}, in_, out_, messages_);
        break;
      case ComparedJob::kChainLines:
        RunLineJob(0.01, in_, out_, messages_);
        break;
      case ComparedJob::kJoinPolylines:
        RunJoinJob(0.01, in_, out_, messages_);
        break;
    }
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_TRUE(Reported(ReadDrawingGeometry(in_, before_), messages_));
    EXPECT_TRUE(Reported(ReadDrawingGeometry(out_, after_), messages_));
    return CompareJobDrawings(job, before_, after_);
  }
  std::size_t StrokeCount(const JobComparison& comparison, Stroke stroke) const {
    return static_cast<std::size_t>(
        std::count(comparison.output_strokes.begin(), comparison.output_strokes.end(), stroke));
  }

  TempDir dir_;
  std::string in_ = dir_.File("in.dxf");
  std::string out_ = dir_.File("out.dxf");
  RecordingMessages messages_;
  DrawingGeometry before_;
  DrawingGeometry after_;
};

TEST_F(JobComparisonTest, ArcJobCountsTheArcsFoundAndTheVerticesRemoved) {
  const JobComparison c = Compare(
      ComparedJob::kFindArcs,
      Drawing({Line(0, 0, 5, 5), LwPolyline({{0, -5}, {4, -5}}, 0.5), LwPolyline(RoundedCorner())}));
  ASSERT_EQ(after_.polylines.size(), 2u);
  const DrawnEntity& corner = after_.Polyline(1);
  ASSERT_EQ(corner.count, 3u);  // start and end of the arc, end of the tail
  EXPECT_EQ(c.counts.arcs_found, 1u);
  EXPECT_EQ(c.counts.vertices_removed, 11u);
  ASSERT_EQ(c.removed_vertices.size(), 11u);
  EXPECT_NEAR(std::hypot(c.removed_vertices[5].x, c.removed_vertices[5].y), 10, 1e-9);
  EXPECT_EQ(c.output_strokes[corner.first], Stroke::kFoundArc);
  EXPECT_EQ(c.output_strokes[corner.first + 1], Stroke::kLine);
  // The arc the drawing had keeps its own stroke, the LINE is left alone.
  EXPECT_EQ(c.output_strokes[after_.Polyline(0).first], Stroke::kArc);
  EXPECT_EQ(StrokeCount(c, Stroke::kFoundArc), 1u);
  EXPECT_EQ(c.counts.polylines_made + c.counts.polylines_attached + c.counts.lines_chained, 0u);
}

TEST_F(JobComparisonTest, DrawingsThatDoNotBelongTogetherCountNothing) {
  WriteFile(in_, Lf(Drawing({LwPolyline({{0, 0}, {1, 0}, {2, 0}})})));
  WriteFile(out_, Lf(Drawing({LwPolyline({{0, 0}, {1, 1}}, 0.3)})));
  ASSERT_TRUE(Reported(ReadDrawingGeometry(in_, before_), messages_));
  ASSERT_TRUE(Reported(ReadDrawingGeometry(out_, after_), messages_));
  const JobComparison c = CompareJobDrawings(ComparedJob::kFindArcs, before_, after_);
  EXPECT_EQ(c.counts.arcs_found, 0u);
  EXPECT_EQ(c.counts.vertices_removed, 0u);
  EXPECT_TRUE(c.removed_vertices.empty());
  EXPECT_EQ(StrokeCount(c, Stroke::kArc), 1u);
}

TEST_F(JobComparisonTest, LineJobMarksThePolylinesItMade) {
  const JobComparison c = Compare(
      ComparedJob::kChainLines,
      Drawing({Line(0, 0, 10, 0), LwPolyline({{50, 50}, {60, 60}}), Line(10, 0, 10, 10),
               Line(10, 10, 0, 10), Line(100, 0, 110, 0)}));
  EXPECT_EQ(c.counts.lines_chained, 4u);
  EXPECT_EQ(c.counts.polylines_made, 2u);
  ASSERT_EQ(after_.polylines.size(), 3u);
  std::size_t unchanged = 0;
  for (std::size_t k = 0; k < after_.polylines.size(); ++k) {
    const DrawnEntity& polyline = after_.Polyline(k);
    const bool made = c.output_strokes[polyline.first] == Stroke::kChangedPolyline;
    if (made) continue;
    ++unchanged;
    EXPECT_EQ(after_.VerticesOf(polyline)->x, 50);
  }
  EXPECT_EQ(unchanged, 1u);
}

TEST_F(JobComparisonTest, ContoursThatCloseAreCounted) {
  // A square of lines drawn in both directions and a lone line: one closed
  // contour; the preview of a job without contours counts none.
  const auto square = Drawing({Line(0, 0, 10, 0), Line(10, 10, 10, 0), Line(10, 10, 0, 10),
                               Line(0, 0, 0, 10), Line(50, 0, 60, 0)});
  WriteFile(in_, Lf(square));
  RunLineJob(0.01, in_, out_, messages_, nullptr, true);
  ASSERT_TRUE(ReadDrawingGeometry(in_, before_));
  ASSERT_TRUE(ReadDrawingGeometry(out_, after_));
  const JobComparison contours = CompareJobDrawings(ComparedJob::kChainLines, before_, after_);
  EXPECT_EQ(contours.counts.polylines_made, 2u);
  EXPECT_EQ(contours.counts.contours_closed, 1u);
  EXPECT_EQ(Compare(ComparedJob::kChainLines, square).counts.contours_closed, 0u);
}

TEST_F(JobComparisonTest, JoinJobCountsThePolylinesAttachedAndExtended) {
  const JobComparison c = Compare(
      ComparedJob::kJoinPolylines,
      Drawing({LwPolyline({{0, 0}, {10, 0}}), LwPolyline({{10, 0}, {10, 10}}),
               LwPolyline({{10, 10}, {0, 10}}), LwPolyline({{50, 50}, {60, 60}})}));
  ASSERT_EQ(after_.polylines.size(), 2u);
  EXPECT_EQ(c.counts.polylines_attached, 2u);
  EXPECT_EQ(c.counts.polylines_extended, 1u);
  EXPECT_EQ(StrokeCount(c, Stroke::kChangedPolyline), 4u);
  // Each output polyline's two ends, and no joint between its pieces.
  ASSERT_EQ(c.polyline_ends.size(), 4u);
  const std::pair<double, double> ends[] = {{0, 0}, {0, 10}, {50, 50}, {60, 60}};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(c.polyline_ends[i].x, ends[i].first);
    EXPECT_EQ(c.polyline_ends[i].y, ends[i].second);
  }
}

// The vertices and the arc segments of a file's polylines as the jobs
// themselves read them.
struct JobReaderTotals {
  std::size_t polylines = 0;
  std::size_t vertices = 0;
  std::size_t arcs = 0;
};

JobReaderTotals ReadTotals(const std::string& file) {
  PolylineModel model;
  RecordingMessages messages;
  Reported(ReadPolylines(model, file), messages);
  JobReaderTotals totals;
  totals.polylines = model.polylines.size();
  totals.vertices = static_cast<std::size_t>(model.VertexTotal());
  for (const PolylineRecord& polyline : model.polylines) {
    for (std::int32_t v = 0; v < polyline.vertex_count; ++v) {
      totals.arcs += model.HasMark(model.VertexIndex(polyline, v), kVertexCarriesArc) ? 1 : 0;
    }
  }
  return totals;
}

// On real drawings (the examples, and the shared samples where present),
// the preview numbers the polylines as the jobs do, and its counts agree
// with what the arc job's own reader finds in input and output.
TEST_F(JobComparisonTest, ArcJobCountsAgreeWithTheJobsReaderOnRealDrawings) {
  std::vector<std::string> files = testing::SampleDrawings();
  const std::filesystem::path examples =
      std::filesystem::path(QUILLMERE_TEST_DATA_DIR).parent_path().parent_path() / "examples";
  for (const auto& entry : std::filesystem::directory_iterator(examples)) {
    if (entry.path().extension() == ".dxf") files.push_back(entry.path().string());
  }
  std::size_t compared = 0;
  for (const std::string& file : files) {
    std::filesystem::remove(out_);
    RunArcJob({}, file, out_, messages_);
    if (!std::filesystem::exists(out_)) continue;  // no polylines to work on
    ASSERT_TRUE(Reported(ReadDrawingGeometry(file, before_), messages_));
    ASSERT_TRUE(Reported(ReadDrawingGeometry(out_, after_), messages_));
    const JobReaderTotals input = ReadTotals(file);
    const JobReaderTotals output = ReadTotals(out_);
    EXPECT_EQ(before_.polylines.size(), input.polylines) << file;
    EXPECT_EQ(after_.polylines.size(), output.polylines) << file;
    const JobComparison c = CompareJobDrawings(ComparedJob::kFindArcs, before_, after_);
    EXPECT_EQ(c.counts.vertices_removed, input.vertices - output.vertices) << file;
    EXPECT_EQ(c.counts.arcs_found, output.arcs - input.arcs) << file;
    ++compared;
  }
  EXPECT_GE(compared, 2u);  // the two polyline examples at least
}

}  // namespace
}  // namespace quillmere
