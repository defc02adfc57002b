// The join job on files: reading, joining, the count update, the removal of
// short polylines and the writer, as the user sees the result.

#include "join/join_job.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "dxf/dxf_text.h"
#include "dxf/polyline_reader.h"
#include "join/join_writer.h"
#include "join/polyline_joining.h"
#include "join_test_models.h"
#include "polyline_lines.h"
#include "reference_joining.h"
#include "job_test_fixture.h"
#include "test_support.h"
#include "named_input.h"

namespace quillmere {
namespace {

using testing::CrLf;
using testing::Lf;
using testing::ReadFile;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WriteFile;
using Lines = std::vector<std::string>;

Lines InEntities(const Lines& body) {
  Lines lines = {"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1015",
                 "  0", "ENDSEC", "  0", "SECTION", "  2", "ENTITIES"};
  lines.insert(lines.end(), body.begin(), body.end());
  lines.insert(lines.end(), {"  0", "ENDSEC", "  0", "EOF"});
  return lines;
}

Lines Concat(std::initializer_list<Lines> parts) {
  Lines lines;
  for (const Lines& part : parts) lines.insert(lines.end(), part.begin(), part.end());
  return lines;
}

// An LWPOLYLINE along y = `y` through the given x values, with the given
// group-90 value.
Lines LwEntity(const std::string& handle, const std::string& count, const Lines& xs,
               const std::string& y = "0") {
  Lines lines = {"  0", "LWPOLYLINE", "  5", handle, "  8", "0", " 90", count, " 70", "0"};
  for (const std::string& x : xs) lines.insert(lines.end(), {" 10", x, " 20", y});
  return lines;
}

Lines PolylineHeader(const std::string& handle, const std::string& flags = "0") {
  return {"  0", "POLYLINE", "  5", handle, "  8", "0", " 66", "1", " 70", flags};
}

Lines Vertex(const std::string& handle, const std::string& x, const std::string& y) {
  return {"  0", "VERTEX", "  5", handle, "  8", "0", " 10", x, " 20", y, " 30", "0"};
}

Lines Seqend(const std::string& handle) { return {"  0", "SEQEND", "  5", handle, "  8", "0"}; }

Lines LineEntity() {
  return {"  0", "LINE", "  8", "0", " 10", "0", " 20", "0", " 11", "5", " 21", "5"};
}

class JoinJobTest : public testing::JobFilesTest {
 protected:
  std::string Run(const Lines& input, double tolerance) {
    WriteFile(in_, Lf(input));
    RunJoinJob(tolerance, in_, out_, messages_);
    return ReadFile(out_);
  }

};

TEST_F(JoinJobTest, AnLwPolylineReceivesAndCarriesTheNewCount) {
  const std::string output =
      Run(InEntities(Concat({LwEntity("A1", "3", {"0", "1", "2"}), LineEntity(),
                             LwEntity("A2", "4", {"2.004", "3", "4", "5"})})),
          0.01);
  EXPECT_EQ(output, CrLf(InEntities(Concat({{"  0", "LWPOLYLINE", "  5", "A1", "  8", "0", " 90",
                                             "6", " 70", "0", " 10", "0", " 20", "0", " 10", "1",
                                             " 20", "0", " 10", "2.004", " 20", "0", " 10", "3", " 20",
                                             "0", " 10", "4", " 20", "0", " 10", "5", " 20", "0"},
                                            LineEntity()}))));
  EXPECT_TRUE(messages_.shown.empty());
}

// Extended data ends an entity: a receiver's stays behind all the vertices
// of its chain, an attached polyline's goes with it. The second receiver's
// file ends inside its extended data, which then still ends the file.
TEST_F(JoinJobTest, ExtendedDataStaysBehindTheVerticesOfTheChain) {
  const auto with_data = [](Lines polyline, const std::string& text) {
    polyline.insert(polyline.end(), {"1001", "QUILL", "1000", text});
    return polyline;
  };
  const std::string output =
      Run(InEntities(Concat({with_data(LwEntity("A1", "2", {"0", "1"}), "first"),
                             with_data(LwEntity("A2", "3", {"1", "2", "3"}), "second"),
                             with_data(LwEntity("A3", "2", {"3", "4"}), "third")})),
          0.01);
  EXPECT_EQ(output, CrLf(InEntities(with_data(LwEntity("A1", "5", {"0", "1", "2", "3", "4"}),
                                              "first"))));
  const std::string cut = "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n10\n5\n20\n0\n10\n6\n20\n0\n"
                          "0\nLWPOLYLINE\n10\n0\n20\n0\n10\n5\n20\n0\n1001\nQUILL\n1000";
  WriteFile(in_, cut);
  RunJoinJob(0.01, in_, out_, messages_);
  EXPECT_EQ(ReadFile(out_), "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nLWPOLYLINE\r\n10\r\n0\r\n"
                            "20\r\n0\r\n10\r\n5\r\n20\r\n0\r\n10\r\n6\r\n20\r\n0\r\n"
                            "1001\r\nQUILL\r\n1000\r\n");
  EXPECT_TRUE(messages_.shown.empty());
}

// At a joint the attached polyline's first vertex stays with every pair it
// was read with, so that its first segment keeps its arc and widths; the
// receiver's last vertex gives way, with the pairs of the segment that left
// it. Extended data stays last.
TEST_F(JoinJobTest, TheAttachedPolylinesFirstVertexStaysWithItsArcAndWidths) {
  const Lines arc_start = {" 40", "0.5", " 41", "0.75", " 42", "0.414"};
  const Lines xdata = {"1001", "QUILL", "1000", "receiver"};
  Lines attached_first = Vertex("B1", "10.005", "0");
  attached_first.insert(attached_first.end(), arc_start.begin(), arc_start.end());
  Lines receiver_last = Vertex("A2", "10", "0");
  receiver_last.insert(receiver_last.end(), {" 42", "-1"});
  Lines receiver_header = PolylineHeader("A0");
  receiver_header.insert(receiver_header.end(), xdata.begin(), xdata.end());
  std::string output = Run(InEntities(Concat({PolylineHeader("B0"), attached_first,
                                              Vertex("B2", "20", "0"), Seqend("B3"),
                                              receiver_header, Vertex("A1", "0", "0"),
                                              receiver_last, Seqend("A3")})),
                           0.01);
  EXPECT_EQ(output, CrLf(InEntities(Concat({receiver_header, Vertex("A1", "0", "0"),
                                            attached_first, Vertex("B2", "20", "0"),
                                            Seqend("A3")}))));

  Lines lw_receiver = LwEntity("A", "2", {"0", "10"});
  lw_receiver.insert(lw_receiver.end(), {" 42", "-1"});
  lw_receiver.insert(lw_receiver.end(), xdata.begin(), xdata.end());
  Lines lw_attached = LwEntity("B", "2", {"10.005"});
  lw_attached.insert(lw_attached.end(), arc_start.begin(), arc_start.end());
  lw_attached.insert(lw_attached.end(), {" 10", "20", " 20", "0", "1001", "QUILL", "1000", "gone"});
  output = Run(InEntities(Concat({lw_receiver, lw_attached})), 0.01);
  Lines joined = LwEntity("A", "3", {"0", "10.005"});
  joined.insert(joined.end(), arc_start.begin(), arc_start.end());
  joined.insert(joined.end(), {" 10", "20", " 20", "0"});
  joined.insert(joined.end(), xdata.begin(), xdata.end());
  EXPECT_EQ(output, CrLf(InEntities(joined)));
}

TEST_F(JoinJobTest, ShortPolylinesGoAndCountsAreWrittenEvenWithoutJoins) {
  const Lines input = InEntities(Concat({LwEntity("1", "0", {}), LwEntity("2", "  7", {"0", "1"}),
                                         PolylineHeader("3"), Vertex("4", "1", "0"), Seqend("5"),
                                         LwEntity("6", "1", {"1"}), PolylineHeader("7"),
                                         Seqend("8")}));
  const std::string output = Run(input, 0);
  EXPECT_EQ(output, CrLf(InEntities(LwEntity("2", "2", {"0", "1"}))));
}

TEST_F(JoinJobTest, TheFileMayEndRightAfterAPolyline) {
  // The last polyline is attached and disappears; the EOF after it stays.
  Lines input = {"0", "SECTION", "2", "ENTITIES"};
  input = Concat({input, LwEntity("1", "2", {"0", "1"}), LwEntity("2", "2", {"1", "2"}),
                  {"0", "EOF"}});
  const std::string output = Run(input, 0.01);
  EXPECT_EQ(output, CrLf(Concat({{"0", "SECTION", "2", "ENTITIES"},
                                 LwEntity("1", "3", {"0", "1", "2"}), {"0", "EOF"}})));

  // The same without a line end after EOF, and with an empty polyline last.
  WriteFile(in_, "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n0\nEOF");
  RunJoinJob(0.01, in_, out_, messages_);
  EXPECT_EQ(ReadFile(out_), "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nEOF\r\n");
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(JoinJobTest, AnInputWithoutPolylinesIsReportedAndNothingWritten) {
  // Polylines in a block do not count.
  const Lines input = Concat({{"  0", "SECTION", "  2", "BLOCKS", "  0", "BLOCK"},
                              LwEntity("1", "2", {"0", "1"}),
                              {"  0", "ENDBLK", "  0", "ENDSEC"},
                              InEntities(Concat({LineEntity(), LineEntity()}))});
  Run(input, 0.01);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_FALSE(messages_.shown[0].is_error);
  EXPECT_EQ(messages_.shown[0].caption, u"Keine Polylines");
  EXPECT_EQ(messages_.shown[0].text,
            u"Es konnte keine Polyline gefunden werden. Wenn es noch einzelen Linien sind führen "
            u"Sie bitte zunächst die Konvertierung in Polylinien aus.");
  EXPECT_FALSE(std::filesystem::exists(out_));

  // An output that already exists stays as it was.
  WriteFile(out_, "previous");
  RunJoinJob(0.01, in_, out_, messages_);
  EXPECT_EQ(ReadFile(out_), "previous");
}

TEST_F(JoinJobTest, AnInputThatCannotBeOpenedIsReportedOnce) {
  RunJoinJob(0.01, dir_.File("missing.dxf"), out_, messages_);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_TRUE(messages_.shown[0].is_error);
  EXPECT_EQ(messages_.shown[0].Utf8Text(),
            "Folgende DXF Datei konnte nicht geöffnet werden: " + dir_.File("missing.dxf"));
  EXPECT_FALSE(std::filesystem::exists(out_));
}

TEST_F(JoinJobTest, MixedKindsJoinEachWithItsOwn) {
  // A POLYLINE chain and an LWPOLYLINE chain over the same points, the
  // parts interleaved so that the first receiver of each start is of the
  // other kind.
  const Lines input = InEntities(Concat({
      LwEntity("10", "2", {"0", "1"}), PolylineHeader("20"), Vertex("21", "0", "0"),
      Vertex("22", "1", "0"), Seqend("23"), LwEntity("30", "2", {"1", "2"}),
      PolylineHeader("40"), Vertex("41", "1", "0"), Vertex("42", "2", "0"), Seqend("43"),
      PolylineHeader("50", "8"), Vertex("51", "2", "0"), Vertex("52", "3", "0"), Seqend("53")}));
  const std::string output = Run(input, 0.01);
  EXPECT_EQ(output, CrLf(InEntities(Concat({
                        LwEntity("10", "3", {"0", "1", "2"}), PolylineHeader("20"),
                        Vertex("21", "0", "0"), Vertex("41", "1", "0"), Vertex("42", "2", "0"),
                        Seqend("23"),
                        // a 3-D polyline stays apart from the 2-D chain
                        PolylineHeader("50", "8"), Vertex("51", "2", "0"),
                        Vertex("52", "3", "0"), Seqend("53")}))));
}

TEST_F(JoinJobTest, TheInputMayBeTheOutput) {
  WriteFile(in_, Lf(InEntities(Concat({LwEntity("1", "2", {"1", "2"}),
                                       LwEntity("2", "2", {"0", "1"})}))));
  RunJoinJob(0.01, in_, in_, messages_);
  EXPECT_TRUE(messages_.shown.empty());
  EXPECT_EQ(ReadFile(in_), CrLf(InEntities(LwEntity("2", "3", {"0", "1", "2"}))));
}

TEST_F(JoinJobTest, TheCommandLineModeUsesItsToleranceArgument) {
  WriteFile(in_, Lf(InEntities(Concat({LwEntity("1", "2", {"0.3", "1"}),
                                       LwEntity("2", "2", {"-1", "0"})}))));
  const std::string command = std::string(QUILLMERE_CLI_PATH) + " convert3 " + in_ + " " + out_;
  ASSERT_EQ(std::system((command + " 0.5").c_str()), 0);
  EXPECT_EQ(ReadFile(out_), CrLf(InEntities(LwEntity("2", "3", {"-1", "0.3", "1"}))));
  // The start value 0.01 does not join ends 0.3 apart.
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(ReadFile(out_), CrLf(InEntities(Concat({LwEntity("1", "2", {"0.3", "1"}),
                                                    LwEntity("2", "2", {"-1", "0"})}))));
}

// The number of "0"/"VERTEX" pairs among the lines of a vertex.
int VertexEntities(const testing::Lines& lines) {
  int count = 0;
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
    count += LineIs(lines[i], "0") && LineIs(lines[i + 1], "VERTEX") ? 1 : 0;
  }
  return count;
}

// Polylines with fewer than two vertices go, as DropShortPolylines does it.
void DropShort(testing::PlainModel& model) {
  for (testing::PlainPolyline& polyline : model.polylines) {
    if (polyline.VertexCount() < 2) polyline.dropped = true;
  }
}

TEST_F(JoinJobTest, SampleDrawingsJoinAsTheReferenceJoinsThem) {
  const std::vector<std::string> samples = testing::SampleDrawings();
  if (samples.empty()) GTEST_SKIP() << "no sample drawings in " << QUILLMERE_SAMPLES_DIR;
  for (const std::string& sample : samples) {
    for (const double tolerance : {0.01, 1.0}) {
      PolylineModel read;
      Reported(ReadPolylines(read, sample), messages_);
      if (read.PolylineCount() == 0) continue;
      testing::PlainModel expected = testing::ModelOf(testing::PlainPolylinesOf(read));
      testing::ReferenceJoinPolylines(expected, tolerance);
      DropShort(expected);

      testing::PlainModel joined = testing::ModelOf(testing::PlainPolylinesOf(read));
      testing::ProductionJoinPolylines(joined, tolerance);
      DropShort(joined);
      EXPECT_EQ(testing::FirstDifference(expected, joined), "") << sample;
      RunJoinJob(tolerance, sample, out_, messages_);

      // Read back, the output holds the joined polylines, each entity with
      // vertices of its own kind and its count.
      PolylineModel written;
      Reported(ReadPolylines(written, out_), messages_);
      int kept = 0;
      for (const testing::PlainPolyline& p : expected.polylines) kept += p.dropped ? 0 : 1;
      ASSERT_EQ(written.PolylineCount(), kept) << sample;
      for (std::int32_t n = 0; n < written.PolylineCount(); ++n) {
        const PolylineRecord& p = written.polylines[static_cast<std::size_t>(n)];
        EXPECT_GE(p.VertexCount(), 2) << sample;
        for (const testing::Lines& vertex : testing::LinesOf(written, n, out_).vertices) {
          EXPECT_EQ(VertexEntities(vertex), p.kind == PolylineKind::kPolyline ? 1 : 0) << sample;
        }
      }
    }
  }
  EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace quillmere
