// The writers of the arc and the join job copy the input's bytes where
// nothing changes. These cases hold what the byte ranges of the model must
// get right: lines that already end with CR LF next to lines that do not,
// pairs the reader set aside, vertices behind a SEQEND, and the vertices of
// attached polylines fetched from before and behind their receiver.

#include <gtest/gtest.h>

#include "arcs/arc_writer.h"
#include "dxf/polyline_reader.h"
#include "join/join_job.h"
#include "job_test_fixture.h"
#include "named_input.h"

namespace quillmere {
namespace {

using testing::CrLf;
using testing::ReadFile;
using testing::WithCrLf;
using testing::WriteFile;

class PolylineOutputTest : public testing::JobFilesTest {
 protected:
  std::string Joined(const std::string& input, double tolerance) {
    WriteFile(in_, input);
    RunJoinJob(tolerance, in_, out_, messages_);
    EXPECT_TRUE(messages_.shown.empty());
    return ReadFile(out_);
  }
};

TEST_F(PolylineOutputTest, RangesInCrLfAndOthersAreCopiedAlike) {
  // An entity in CR LF after lines in LF, one in LF with a lone CR and a CR
  // in front of CR LF, lines in CR LF behind it, and no line end at the end.
  const std::string input =
      "0\nSECTION\n2\nENTITIES\n"
      "0\r\nLWPOLYLINE\r\n90\r\n2\r\n10\r\n1\r\n20\r\n2\r\n10\r\n3\r\n20\r\n4\r\n"
      "0\nLWPOLYLINE\n90\n2\n10\n5\r\n20\n6\n999\nCR\r\r\n999\nlone\rCR\n10\n7\n20\n8\n"
      "0\r\nENDSEC\r\n0\r\nEOF";
  WriteFile(in_, input);
  PolylineModel model;
  Reported(ReadPolylines(model, in_), messages_);
  ASSERT_EQ(model.PolylineCount(), 2);
  EXPECT_FALSE(model.polylines[0].gap_in_crlf);
  EXPECT_TRUE(model.polylines[0].entity_in_crlf);
  EXPECT_TRUE(model.polylines[1].gap_in_crlf);
  EXPECT_FALSE(model.polylines[1].entity_in_crlf);
  EXPECT_FALSE(model.final_gap_in_crlf);
  Reported(WriteArcResult(model, in_, out_), messages_);
  EXPECT_EQ(ReadFile(out_), WithCrLf(input));
  EXPECT_EQ(Joined(input, 0), WithCrLf(input));
}

TEST_F(PolylineOutputTest, AttachedVerticesComeFromBeforeAndBehindWithoutSetAsidePairs) {
  // The receiver B lies between A, which attaches to it, and C, which
  // attaches to A; both leave out their coordinate pairs without numbers.
  // A's last vertex, with the comment in its pairs, gives way to C's first.
  const std::string input =
      "0\nSECTION\n2\nENTITIES\n"
      "0\nLWPOLYLINE\n90\n2\n20\nnone\n10\n1\n20\n0\n10\nx\n10\n2\n20\n0\n999\nA\n"
      "0\r\nLWPOLYLINE\r\n90\r\n2\r\n10\r\n0\r\n20\r\n0\r\n10\r\n1\r\n20\r\n0\r\n"
      "0\nLWPOLYLINE\n90\n3\n10\n2\n20\n0\n30\n?\n10\n3\n20\n0\n10\n4\n20\n1\n"
      "0\nENDSEC\n0\nEOF\n";
  EXPECT_EQ(Joined(input, 0.5),
            CrLf({"0", "SECTION", "2", "ENTITIES", "0", "LWPOLYLINE", "90", "5", "10", "0", "20",
                  "0", "10", "1", "20", "0", "10", "2", "20", "0", "10", "3", "20", "0", "10",
                  "4", "20", "1", "0", "ENDSEC", "0", "EOF"}));
}

TEST_F(PolylineOutputTest, VerticesBehindASeqendGoInFrontOfTheClosingLines) {
  // The receiver has a vertex behind its SEQEND; the polyline attached to
  // it ends the file right after a code line inside its last vertex.
  const std::string input =
      "0\nSECTION\n2\nENTITIES\n"
      "0\nPOLYLINE\n70\n0\n0\nVERTEX\n10\n0\n20\n0\n0\nSEQEND\n8\nL\n0\nVERTEX\n10\n1\n20\n0\n"
      "0\nPOLYLINE\n70\n0\n0\nVERTEX\n10\n1\n20\n0\n0\nVERTEX\n10\n2\n20\n0\n42";
  EXPECT_EQ(Joined(input, 0.5),
            CrLf({"0", "SECTION", "2", "ENTITIES", "0", "POLYLINE", "70", "0", "0", "VERTEX",
                  "10", "0", "20", "0", "0", "VERTEX", "10", "1", "20", "0", "0", "VERTEX", "10",
                  "2", "20", "0", "42", "", "0", "SEQEND", "8", "L"}));
  // Not joined, the receiver still writes its late vertex in front of its
  // closing lines, and the last polyline ends as the file does.
  EXPECT_EQ(Joined(input, 0),
            CrLf({"0", "SECTION", "2", "ENTITIES", "0", "POLYLINE", "70", "0", "0", "VERTEX",
                  "10", "0", "20", "0", "0", "VERTEX", "10", "1", "20", "0", "0", "SEQEND", "8",
                  "L", "0", "POLYLINE", "70", "0", "0", "VERTEX", "10", "1", "20", "0", "0",
                  "VERTEX", "10", "2", "20", "0", "42"}));
}

}  // namespace
}  // namespace quillmere
