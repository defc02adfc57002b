#include "arcs/arc_job.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "arc_shapes.h"
#include "polyline_lines.h"
#include "support/numbers.h"
#include "dxf/dxf_text.h"
#include "arcs/arc_search.h"
#include "dxf/polyline_reader.h"
#include "i18n/catalogue.h"
#include "job_test_fixture.h"
#include "test_support.h"
#include "named_input.h"

namespace quillmere {
namespace {

using testing::ArcVertices;
using testing::CrLf;
using testing::Lf;
using testing::ReadFile;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WriteFile;

using testing::kStartValues;

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

using Lines = std::vector<std::string>;

void Append(Lines& lines, const Lines& more) { lines.insert(lines.end(), more.begin(), more.end()); }

// A drawing with a header, a LINE, `entities`, and another LINE.
Lines Drawing(const Lines& entities) {
  Lines lines = {"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1015",
                 "  0", "ENDSEC", "  0", "SECTION", "  2", "ENTITIES", "  0", "LINE",
                 "  8", "0", " 10", "1", " 20", "2", " 11", "3", " 21", "4"};
  Append(lines, entities);
  Append(lines, {"  0", "LINE", "  8", "0", " 10", "5", " 20", "6", " 11", "7", " 21", "8",
                 "  0", "ENDSEC", "  0", "EOF"});
  return lines;
}

// The pairs of one LWPOLYLINE vertex, with the bulge pair after them when
// `bulge` is not empty.
Lines LwVertex(PlanePoint p, const std::string& bulge = "") {
  Lines lines = {" 10", Number(p.x), " 20", Number(p.y)};
  if (!bulge.empty()) Append(lines, {"42", bulge});
  return lines;
}

Lines LwPolyline(const std::string& count) {
  return {"  0", "LWPOLYLINE", "  5", "2A", "100", "AcDbPolyline", " 90", count, " 70", "0"};
}

class ArcJobTest : public testing::JobFilesTest {
 protected:
  // Runs the job on `input` and returns the output file's text.
  std::string RunArcJob(const std::string& input, const ArcSearchSettings& settings = kStartValues) {
    WriteFile(in_, input);
    quillmere::RunArcJob(settings, in_, out_, messages_);
    return ReadFile(out_);
  }
};

TEST_F(ArcJobTest, QuarterCircleLightweightPolylineBecomesOneArc) {
  const auto quarter = ArcVertices(0, 0, 10, 0, 90, 8);
  Lines input = LwPolyline("9");
  for (const PlanePoint& p : quarter) Append(input, LwVertex(p));
  Lines expected = LwPolyline("2");
  Append(expected, LwVertex(quarter[0], "0.414213562373095"));
  Append(expected, LwVertex(quarter[8]));

  EXPECT_EQ(RunArcJob(Lf(Drawing(input))), CrLf(Drawing(expected)));
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ArcJobTest, ReversedQuarterCirclePolylineWithVertexEntities) {
  const auto quarter = ArcVertices(0, 0, 10, 90, 0, 8);
  const Lines header = {"  0", "POLYLINE", "  8", "Kontur", " 66", "1", " 10", "0", " 20", "0",
                        " 30", "0", " 70", "0"};
  const auto vertex = [](PlanePoint p) {
    return Lines{"  0", "VERTEX", "  8", "Kontur", " 10", Number(p.x), " 20", Number(p.y),
                 " 30", "0"};
  };
  const Lines seqend = {"  0", "SEQEND", "  8", "Kontur"};
  Lines input = header, expected = header;
  for (const PlanePoint& p : quarter) Append(input, vertex(p));
  Append(input, seqend);
  Append(expected, vertex(quarter[0]));
  Append(expected, {"42", "-0.414213562373095"});
  Append(expected, vertex(quarter[8]));
  Append(expected, seqend);

  EXPECT_EQ(RunArcJob(CrLf(Drawing(input))), CrLf(Drawing(expected)));
}

// Extended data ends an entity. The new bulge of a VERTEX goes in front of
// the VERTEX's extended data, in place of its old bulge; an LWPOLYLINE's extended data stays behind its last vertex. A
// value "1.0<TAB>" is a number like any other.
TEST_F(ArcJobTest, BulgesGoInFrontOfExtendedData) {
  const auto quarter = ArcVertices(0, 0, 10, 0, 90, 8);
  const Lines data = {"1001", "QUILL", "1000", "kept"};
  const auto vertex = [&data](PlanePoint p, const Lines& after = {}) {
    Lines lines = {"  0", "VERTEX", "  8", "0", " 10", Number(p.x), " 20", Number(p.y)};
    Append(lines, after);
    Append(lines, data);
    return lines;
  };
  Lines input = {"  0", "POLYLINE", " 66", "1", " 70", "0"};
  Lines expected = input;
  Append(input, vertex(quarter[0], {" 42", "0"}));
  for (std::size_t v = 1; v < quarter.size(); ++v) Append(input, vertex(quarter[v]));
  Append(input, {"  0", "SEQEND"});
  Append(expected, vertex(quarter[0], {"42", "0.414213562373095"}));
  Append(expected, vertex(quarter[8]));
  Append(expected, {"  0", "SEQEND"});
  EXPECT_EQ(RunArcJob(Lf(Drawing(input))), CrLf(Drawing(expected)));

  Lines lightweight = LwPolyline("9");
  for (const PlanePoint& p : quarter) Append(lightweight, LwVertex(p));
  lightweight[lightweight.size() - 3] += "\t";  // the last x value
  Append(lightweight, data);
  Lines arc = LwPolyline("2");
  Append(arc, LwVertex(quarter[0], "0.414213562373095"));
  Append(arc, {" 10", Number(quarter[8].x) + "\t", " 20", Number(quarter[8].y)});
  Append(arc, data);
  EXPECT_EQ(RunArcJob(Lf(Drawing(lightweight))), CrLf(Drawing(arc)));
}

TEST_F(ArcJobTest, FewerArcTestPointsGiveTwoArcs) {
  const auto quarter = ArcVertices(0, 0, 10, 0, 90, 8);
  Lines input = LwPolyline("9");
  for (const PlanePoint& p : quarter) Append(input, LwVertex(p));
  Lines expected = LwPolyline("3");
  Append(expected, LwVertex(quarter[0], "0.198912367379658"));
  Append(expected, LwVertex(quarter[4], "0.198912367379658"));
  Append(expected, LwVertex(quarter[8]));
  EXPECT_EQ(RunArcJob(Lf(Drawing(input)), {0.1, 50, 100}), CrLf(Drawing(expected)));
}

// The exact mode writes a closed circle as two half circles: the second
// arc's bulge sits on the last vertex kept and runs over the closing
// segment back to the first vertex, which stays first.
TEST_F(ArcJobTest, ExactModeWritesAClosedCircleAsTwoHalfCircles) {
  std::vector<PlanePoint> circle = ArcVertices(0, 0, 100, 0, 360, 360);
  circle.pop_back();
  Lines input = {"  0", "LWPOLYLINE", "  5", "2A", "100", "AcDbPolyline", " 90", "360", " 70", "1"};
  for (const PlanePoint& p : circle) Append(input, LwVertex(p));
  const std::string output = RunArcJob(Lf(Drawing(input)), {0.01, 100, 100, true});

  Lines lines;
  for (std::size_t begin = 0, end; (end = output.find("\r\n", begin)) != std::string::npos;
       begin = end + 2) {
    lines.push_back(output.substr(begin, end - begin));
  }
  const auto at = std::find(lines.begin(), lines.end(), "LWPOLYLINE");
  ASSERT_GT(lines.end() - at, 22);
  Lines header = {"  0", "LWPOLYLINE", "  5", "2A", "100", "AcDbPolyline", " 90", "2", " 70", "1"};
  // Each vertex as read, then its bulge: a half circle within rounding.
  Append(header, LwVertex(circle[0]));
  EXPECT_EQ(Lines(at - 1, at + 13), header);
  EXPECT_EQ(*(at + 13), "42");
  EXPECT_NEAR(std::stod(*(at + 14)), 1, 1e-6);
  EXPECT_EQ(Lines(at + 15, at + 19), LwVertex(circle[180]));
  EXPECT_EQ(*(at + 19), "42");
  EXPECT_NEAR(std::stod(*(at + 20)), 1, 1e-6);
  EXPECT_EQ(*(at + 21), "  0");  // the LINE after it: no third vertex
}

TEST_F(ArcJobTest, ThreeDimensionalPolylineIsCopiedAsItIs) {
  Lines input = {"  0", "POLYLINE", " 66", "1", " 70", "8"};
  for (const PlanePoint& p : ArcVertices(0, 0, 10, 0, 90, 8)) {
    Append(input, {"  0", "VERTEX", " 10", Number(p.x), " 20", Number(p.y), " 30", "1",
                   " 70", "32"});
  }
  Append(input, {"  0", "SEQEND"});
  EXPECT_EQ(RunArcJob(Lf(Drawing(input))), CrLf(Drawing(input)));
}

TEST_F(ArcJobTest, InputWithoutPolylinesIsReportedAndWritesNothing) {
  RunArcJob(Lf(Drawing({})));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_FALSE(messages_.shown[0].is_error);
  EXPECT_EQ(messages_.shown[0].caption, CatalogueText(kTextNoPolylinesTitle));
  EXPECT_EQ(messages_.shown[0].text, CatalogueText(kTextNoPolylines));
  EXPECT_FALSE(std::filesystem::exists(out_));

  // A polyline outside the ENTITIES section does not count either.
  messages_.shown.clear();
  RunArcJob(Lf({"0", "SECTION", "2", "BLOCKS", "0", "LWPOLYLINE", "90", "1", "10", "0", "20", "0",
              "0", "ENDSEC", "0", "EOF"}));
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].caption, CatalogueText(kTextNoPolylinesTitle));
  EXPECT_FALSE(std::filesystem::exists(out_));
}

TEST_F(ArcJobTest, UnreadableInputIsReportedOnceAndWritesNothing) {
  (void)quillmere::RunArcJob(kStartValues, dir_.File("missing.dxf"), out_, messages_);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_TRUE(messages_.shown[0].is_error);
  EXPECT_EQ(messages_.shown[0].text, FileMessage(kTextCannotOpen, dir_.File("missing.dxf")));
  EXPECT_FALSE(std::filesystem::exists(out_));
}

// Runs the tool through a POSIX shell; the Windows build compares the
// tool's outputs with the Linux ones instead (scripts/windows).
#ifndef _WIN32
TEST_F(ArcJobTest, CommandLineModeConvert1TakesDeviationAndTestCounts) {
  Lines input = LwPolyline("9");
  for (const PlanePoint& p : ArcVertices(0, 0, 10, 0, 90, 8)) Append(input, LwVertex(p));
  WriteFile(in_, Lf(Drawing(input)));
  const std::string command = std::string("\"") + QUILLMERE_CLI_PATH + "\" convert1 \"" + in_ +
                              "\" \"" + out_ + "\" 0.1 50 100";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  const std::string output = ReadFile(out_);
  const std::string bulge = "42\r\n0.198912367379658\r\n";
  const std::size_t first = output.find(bulge);
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(output.find(bulge, first + 1), std::string::npos);
  EXPECT_NE(output.find(" 90\r\n3\r\n"), std::string::npos);
}
#endif

// The sample drawings: the output reads back with the same polylines, each
// keeping exactly the vertices the search kept, the arcs carrying their
// bulges, and every removed vertex lies within the deviation of its arc.
TEST_F(ArcJobTest, SampleDrawingsKeepTheirShapeWithinTheDeviation) {
  const std::vector<std::string> samples = testing::SampleDrawings();
  if (samples.empty()) GTEST_SKIP() << "no sample drawings in " << QUILLMERE_SAMPLES_DIR;
  for (const std::string& sample : samples) {
    RecordingMessages messages;
    const std::string output = dir_.File("sample.dxf");
    std::filesystem::remove(output);
    quillmere::RunArcJob(kStartValues, sample, output, messages);
    // The marks the job wrote, found again.
    PolylineModel model;
    RecordingMessages reading;
    Reported(ReadPolylines(model, sample), reading);
    FindArcs(model, kStartValues);
    if (model.PolylineCount() == 0) {
      EXPECT_EQ(messages.shown.size(), 1u) << sample;
      EXPECT_FALSE(std::filesystem::exists(output)) << sample;
      continue;
    }
    EXPECT_TRUE(messages.shown.empty()) << sample;

    PolylineModel written;
    Reported(ReadPolylines(written, output), messages);
    ASSERT_EQ(written.PolylineCount(), model.PolylineCount()) << sample;
    const std::vector<testing::PlainPolyline> searched =
        testing::WithArcMarks(testing::PlainPolylinesOf(model), model);
    const std::vector<testing::PlainPolyline> copies = testing::PlainPolylinesOf(written);
    for (std::int32_t p = 0; p < model.PolylineCount(); ++p) {
      const testing::PlainPolyline& before = searched[p];
      const testing::PlainPolyline& after = copies[p];
      EXPECT_LE(testing::LargestArcDeviation(before), kStartValues.deviation) << sample << p;
      EXPECT_GE(testing::LargestArcDeviation(before), 0) << sample << p;
      const testing::PolylineLines lines = testing::LinesOf(written, p, output);
      std::int32_t w = 0;
      for (std::int32_t v = 0; v < before.VertexCount(); ++v) {
        const testing::PlainVertex& vertex = before.vertices[v];
        if (vertex.dropped) continue;
        ASSERT_LT(w, after.VertexCount()) << sample << p;
        const testing::PlainVertex& copy = after.vertices[w];
        EXPECT_EQ(copy.x, vertex.x);
        EXPECT_EQ(copy.y, vertex.y);
        if (vertex.gets_bulge) {
          const testing::Lines& pairs = lines.vertices[static_cast<std::size_t>(w)];
          ASSERT_GE(pairs.size(), 2u);
          EXPECT_EQ(pairs[pairs.size() - 2], "42") << sample << p;
          EXPECT_EQ(pairs.back(), FormatGeneral(vertex.bulge)) << sample << p;
        }
        ++w;
      }
      EXPECT_EQ(w, after.VertexCount()) << sample << p;
    }
  }
}

}  // namespace
}  // namespace quillmere
