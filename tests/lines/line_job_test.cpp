#include "lines/line_job.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "dxf/polyline_reader.h"
#include "lines/line_chaining.h"
#include "lines/line_reader.h"
#include "lines/line_writer.h"
#include "job_test_fixture.h"
#include "line_drawings.h"
#include "test_support.h"
#include "named_input.h"

namespace quillmere {
namespace {

using testing::CrLf;
using testing::Lf;
using testing::ReadFile;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WithCrLf;
using testing::WriteFile;

using testing::Concat;
using testing::kLineA;
using testing::Lines;

// A drawing: header with the version (none when empty) and extra header
// pairs, a table whose layer has the largest handle 2F, a block with a LINE,
// and the entities.
Lines Drawing(const std::string& version, const Lines& entities, const Lines& header = {}) {
  Lines head = {"  0", "SECTION", "  2", "HEADER"};
  if (!version.empty()) head.insert(head.end(), {"  9", "$ACADVER", "  1", version});
  return Concat({head, header,
                 {"  0", "ENDSEC", "  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2",
                  "LAYER", "  0", "LAYER", "  5", "2F", "  2", "KONTUR", "  0", "ENDTAB", "  0",
                  "ENDSEC", "  0", "SECTION", "  2", "BLOCKS", "  0", "BLOCK", "  5", "20", "  0",
                  "LINE", "  5", "21", " 10", "0.0", " 20", "0.0", " 11", "0.0", " 21", "0.0",
                  "  0", "ENDBLK", "  5", "22", "  0", "ENDSEC", "  0", "SECTION", "  2",
                  "ENTITIES"},
                 entities, {"  0", "ENDSEC", "  0", "EOF"}});
}

// The other LINEs of the worked example, old style and with the subclass pairs of
// newer versions.
const Lines kLineB = {"  0", "LINE", "  5", "2B", "  8", "KONTUR", " 10", "10.0", " 20", "0.0",
                      " 30", "0.0", " 11", "10.0", " 21", "5.0", " 31", "0.0"};
const Lines kCircle = {"  0", "CIRCLE", "  5", "2C", "  8", "0", " 10", "3.0", " 20", "3.0",
                       " 40", "1.0"};
const Lines kLwLineA = {"  0", "LINE", "  5", "2A", "330", "1F", "100", "AcDbEntity", "  8",
                        "KONTUR", "100", "AcDbLine", " 10", "0.0", " 20", "0.0", " 30", "0.0",
                        " 11", "10.0", " 21", "0.0", " 31", "0.0"};
const Lines kLwLineB = {"  0", "LINE", "  5", "2B", "330", "1F", "100", "AcDbEntity", "  8",
                        "KONTUR", "100", "AcDbLine", " 10", "10.0", " 20", "0.0", " 30", "0.0",
                        " 11", "10.0", " 21", "5.0", " 31", "0.0"};

Lines Vertex(const std::string& handle, const std::string& x, const std::string& y) {
  return {" 0", "VERTEX", " 5", handle, " 8", "KONTUR", " 10", x, " 20", y, " 30", "0.0"};
}

class LineJobTest : public testing::JobFilesTest {
 protected:
  // Runs the job on `input` and returns the output file.
  std::string Run(const Lines& input, double tolerance = 0.01) {
    WriteFile(in_, Lf(input));
    RunLineJob(tolerance, in_, out_, messages_);
    return ReadFile(out_);
  }

};

TEST_F(LineJobTest, WorkedExampleOldStyle) {
  const std::string output = Run(Drawing("AC1009", Concat({kLineA, kCircle, kLineB})));
  const Lines at_a = Concat({{"  0", "POLYLINE", " 66", "1", "  5", "2A", "  8", "KONTUR"},
                             Vertex("30", "0.0", "0.0"), Vertex("31", "10.0", "0.0"),
                             Vertex("33", "10.0", "5.0"), {" 0", "SEQEND"}});
  ASSERT_EQ(at_a.size(), 46u);
  EXPECT_EQ(output, CrLf(Drawing("AC1009", Concat({at_a, kCircle}))));
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(LineJobTest, WorkedExampleLightweight) {
  const std::string output = Run(Drawing("AC1015", Concat({kLwLineA, kCircle, kLwLineB})));
  const Lines at_a = {"  0", "LWPOLYLINE", " 66", "1", "  5", "2A", "330", "1F", "100",
                      "AcDbEntity", "  8", "KONTUR", "100", "AcDbPolyline", " 90", "3",
                      " 10", "0.0", " 20", "0.0", " 30", "0.0",
                      " 10", "10.0", " 20", "0.0", " 30", "0.0",
                      " 10", "10.0", " 20", "5.0", " 30", "0.0"};
  EXPECT_EQ(output, CrLf(Drawing("AC1015", Concat({at_a, kCircle}))));
}

TEST_F(LineJobTest, HeadWithoutHandleGetsTheNextOne) {
  const Lines no_handle = {"  0", "LINE", "  8", "KONTUR", " 10", "1", " 20", "1", " 11", "2",
                           " 21", "2"};
  // Old style: the vertices took 30 and 31, the head gets 32 after its
  // entity lines.
  EXPECT_EQ(Run(Drawing("", no_handle)),
            CrLf(Drawing("", {"  0", "POLYLINE", " 66", "1", "  8", "KONTUR", " 5", "32", " 0",
                              "VERTEX", " 5", "30", " 8", "KONTUR", " 10", "1", " 20", "1", " 0",
                              "VERTEX", " 5", "31", " 8", "KONTUR", " 10", "2", " 20", "2", " 0",
                              "SEQEND"})));
  // Lightweight: after the vertex count. A handle of the tail goes with it.
  const Lines tail = {"  0", "LINE", "  5", "2B", " 10", "2", " 20", "2", " 11", "3", " 21", "3"};
  EXPECT_EQ(Run(Drawing("AC1018", Concat({no_handle, tail}))),
            CrLf(Drawing("AC1018", {"  0", "LWPOLYLINE", " 66", "1", "  8", "KONTUR", " 90", "3",
                                    " 5", "30", " 10", "1", " 20", "1", " 10", "2", " 20", "2",
                                    " 10", "3", " 20", "3"})));
  // A handle pair is only one at a code position: a value "5" is no handle.
  const Lines value_five = {"0", "LINE", "  8", "5", "11", "1"};
  const std::string output = Run(Drawing("AC1018", value_five));
  EXPECT_NE(output.find("  8\r\n5\r\n 90\r\n2\r\n 5\r\n30\r\n"), std::string::npos);
}

TEST_F(LineJobTest, ExtendedDataStaysAtTheEndOfTheEntity) {
  const Lines xdata = {"1001", "QUILL", "1000", "Text", "1070", "     1"};
  // Lightweight: behind the vertices, where an LWPOLYLINE carries it.
  EXPECT_EQ(Run(Drawing("AC1015", Concat({kLwLineA, xdata}))),
            CrLf(Drawing("AC1015",
                         Concat({{"  0", "LWPOLYLINE", " 66", "1", "  5", "2A", "330", "1F", "100",
                                  "AcDbEntity", "  8", "KONTUR", "100", "AcDbPolyline", " 90", "2",
                                  " 10", "0.0", " 20", "0.0", " 30", "0.0", " 10", "10.0", " 20",
                                  "0.0", " 30", "0.0"},
                                 xdata}))));
  // Old style: it ends the POLYLINE's own pairs; a new handle goes before it.
  const Lines no_handle = {"  0", "LINE", "  8", "KONTUR", " 10", "0.0", " 20", "0.0", " 30",
                           "0.0", " 11", "10.0", " 21", "0.0", " 31", "0.0"};
  EXPECT_EQ(Run(Drawing("AC1009", Concat({no_handle, xdata}))),
            CrLf(Drawing("AC1009", Concat({{"  0", "POLYLINE", " 66", "1", "  8", "KONTUR", " 5",
                                            "32"},
                                           xdata, Vertex("30", "0.0", "0.0"),
                                           Vertex("31", "10.0", "0.0"), {" 0", "SEQEND"}}))));
}

TEST_F(LineJobTest, OnlyLinesOfTheEntitiesSectionChange) {
  const Lines polyline = {"  0", "POLYLINE", " 66", "1", "  0", "VERTEX", " 10", "0.0", " 20",
                          "0.0", "  0", "VERTEX", " 10", "1.0", " 20", "0.0", "  0", "SEQEND"};
  const Lines lwpolyline = {"  0", "LWPOLYLINE", " 90", "2", " 10", "10.0", " 20", "0.0", " 10",
                            "12.0", " 20", "0.0"};
  const Lines without_end = {"  0", "LINE", "  5", "2D", " 10", "10.0", " 20", "0.0"};
  // The LINE without end point stays as read (its one vertex took handle
  // 30); the polylines and the block's LINE stay, even where they touch the
  // chain; nothing joins with tolerance 0.
  const std::string output =
      Run(Drawing("AC1009", Concat({polyline, without_end, kLineA, lwpolyline, kLineB})), 0);
  const Lines at_a = Concat({{"  0", "POLYLINE", " 66", "1", "  5", "2A", "  8", "KONTUR"},
                             Vertex("31", "0.0", "0.0"), Vertex("32", "10.0", "0.0"),
                             {" 0", "SEQEND"}});
  const Lines at_b = Concat({{"  0", "POLYLINE", " 66", "1", "  5", "2B", "  8", "KONTUR"},
                             Vertex("33", "10.0", "0.0"), Vertex("34", "10.0", "5.0"),
                             {" 0", "SEQEND"}});
  EXPECT_EQ(output,
            CrLf(Drawing("AC1009", Concat({polyline, without_end, at_a, lwpolyline, at_b}))));

  // A file that ends right after a LINE: the final pair is still copied. The
  // drawing has no handles, so the polyline gets none.
  WriteFile(in_, "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nLINE\r\n11\r\n1\r\n0\r\nEOF");
  RunLineJob(0.01, in_, out_, messages_);
  EXPECT_EQ(ReadFile(out_),
            CrLf({"0", "SECTION", "2", "ENTITIES", "0", "POLYLINE", " 66", "1", " 0", "VERTEX",
                  " 8", "0", " 0", "VERTEX", " 8", "0", " 10", "1", " 0", "SEQEND", "0", "EOF"}));
}

TEST_F(LineJobTest, HandleSeedStaysAboveTheNewHandles) {
  const auto seed_of = [](const std::string& output) {
    const std::size_t at = output.find("$HANDSEED\r\n");
    return output.substr(at, output.find("\r\n  0", at) - at);
  };
  // The seed is a handle itself: 30 is the largest, the vertices of A and B
  // take 31 to 34 (33 went with B), the seed becomes 35.
  EXPECT_EQ(seed_of(Run(Drawing("AC1009", Concat({kLineA, kLineB}), {"  9", "$HANDSEED", "  5",
                                                                     "30"}))),
            "$HANDSEED\r\n  5\r\n35");
  // Lightweight with handles everywhere: no new handle, the seed passes.
  EXPECT_EQ(seed_of(Run(Drawing("AC1015", kLwLineA, {"  9", "$HANDSEED", "  5", "0030 "}))),
            "$HANDSEED\r\n  5\r\n0030 ");
  // Lightweight with a head without handle: 30 is made, the seed becomes 31.
  EXPECT_EQ(seed_of(Run(Drawing("AC1015", {"0", "LINE", "11", "1"},
                                {"  9", "$HANDSEED", "  5", "2f"}))),
            "$HANDSEED\r\n  5\r\n31");
  // A seed that is no handle (not hexadecimal, or beyond 32 bits) passes.
  EXPECT_EQ(seed_of(Run(Drawing("AC1009", kLineA, {"  9", "$HANDSEED", "  5", "zz"}))),
            "$HANDSEED\r\n  5\r\nzz");
  EXPECT_EQ(seed_of(Run(Drawing("AC1009", kLineA, {"  9", "$HANDSEED", "  5", "80000000"}))),
            "$HANDSEED\r\n  5\r\n80000000");
  // Only the group-5 pair right after the variable name is the seed.
  EXPECT_EQ(seed_of(Run(Drawing("AC1009", kLineA, {"  9", "$HANDSEED", "  9", "$X", "  5",
                                                   "10"}))),
            "$HANDSEED\r\n  9\r\n$X\r\n  5\r\n10");
  // No LINE, no new handle: the whole file passes unchanged.
  const Lines plain = Drawing("AC1009", kCircle, {"  9", "$HANDSEED", "  5", "2D"});
  EXPECT_EQ(Run(plain), CrLf(plain));
}

TEST_F(LineJobTest, ReportsFiles) {
  // A missing input: text 6, once, and the previous output keeps every
  // byte; without one, none is created.
  WriteFile(out_, "previous");
  const std::string missing = dir_.File("missing.dxf");
  RunLineJob(0.01, missing, out_, messages_);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].Utf8Text(),
            "Folgende DXF Datei konnte nicht geöffnet werden: " + missing);
  EXPECT_TRUE(messages_.shown[0].is_error);
  EXPECT_EQ(ReadFile(out_), "previous");
  std::filesystem::remove(out_);
  RunLineJob(0.01, missing, out_, messages_);
  EXPECT_FALSE(std::filesystem::exists(out_));
  messages_.shown.resize(1);

  // An output that cannot be created: text 10 with the system's reason,
  // nothing written.
  WriteFile(in_, Lf(Drawing("", kLineA)));
  const std::string nowhere = dir_.File("no/such/folder/out.dxf");
  RunLineJob(0.01, in_, nowhere, messages_);
  ASSERT_EQ(messages_.shown.size(), 2u);
  EXPECT_EQ(messages_.shown[1].Utf8Text(), "Folgende DXF Datei konnte nicht angelegt werden: " +
                                               nowhere + " (No such file or directory)");
  EXPECT_FALSE(std::filesystem::exists(nowhere));
}

TEST_F(LineJobTest, InputMayBeTheOutput) {
  WriteFile(in_, Lf(Drawing("AC1015", Concat({kLwLineA, kLwLineB}))));
  RunLineJob(0.01, in_, in_, messages_);
  EXPECT_TRUE(messages_.shown.empty());
  const std::string written = ReadFile(in_);
  EXPECT_NE(written.find("LWPOLYLINE\r\n 66\r\n1\r\n  5\r\n2A\r\n"), std::string::npos);
  EXPECT_EQ(written.find("2B"), std::string::npos);
}

TEST_F(LineJobTest, CommandLineRunsTheJobWithItsTolerance) {
  // 10,0 and 10.2,0 meet with tolerance 0.5 but not with the default 0.01.
  Lines b = kLineB;
  b[7] = "10.2";
  WriteFile(in_, Lf(Drawing("AC1015", Concat({kLineA, b}))));
  const std::string command = std::string(QUILLMERE_CLI_PATH) + " convert2 \"" + in_ + "\" \"" +
                              out_ + "\" 0.5";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_NE(ReadFile(out_).find(" 90\r\n3\r\n"), std::string::npos);
  ASSERT_EQ(std::system((std::string(QUILLMERE_CLI_PATH) + " convert2 \"" + in_ + "\" \"" + out_ +
                         "\"")
                            .c_str()),
            0);
  EXPECT_EQ(ReadFile(out_).find(" 90\r\n3\r\n"), std::string::npos);
}

// The number of vertex steps (segments) of all polylines of a model.
std::int64_t Steps(const PolylineModel& model) {
  std::int64_t steps = 0;
  for (const PolylineRecord& polyline : model.polylines) {
    steps += std::max(polyline.VertexCount() - 1, 0);
  }
  return steps;
}

std::int64_t Steps(const LineModel& model) {
  std::int64_t steps = 0;
  for (const LineRecord& record : model.records) steps += std::max(record.VertexCount() - 1, 0);
  return steps;
}

// Every LINE of a real drawing with an end point ends up as one segment of
// one new polyline, one polyline per chain; no LINE is left in the ENTITIES
// section, and the polylines that were there stay.
TEST_F(LineJobTest, SampleDrawingsKeepEveryLine) {
  const std::vector<std::string> samples = testing::SampleDrawings();
  if (samples.empty()) GTEST_SKIP() << "no sample drawings in " << QUILLMERE_SAMPLES_DIR;
  for (const std::string& sample : samples) {
    LineModel lines;
    Reported(ReadLines(lines, sample), messages_);
    const std::int64_t line_steps = Steps(lines);
    ChainLines(lines, 0.01);
    std::int32_t chains = 0;
    for (const LineRecord& record : lines.records) {
      if (!record.dropped && record.VertexCount() >= 2) ++chains;
    }
    PolylineModel before;
    Reported(ReadPolylines(before, sample), messages_);

    RunLineJob(0.01, sample, out_, messages_);
    PolylineModel after;
    Reported(ReadPolylines(after, out_), messages_);
    EXPECT_EQ(after.PolylineCount(), before.PolylineCount() + chains) << sample;
    EXPECT_EQ(Steps(after), Steps(before) + line_steps) << sample;
    LineModel left;
    Reported(ReadLines(left, out_), messages_);
    EXPECT_EQ(left.RecordCount(), 0) << sample;
    EXPECT_EQ(left.format_version, lines.format_version) << sample;
  }
  EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace quillmere
