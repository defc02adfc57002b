// Damaged drawings that once made a job write a broken file: a file that
// ends right after a code line whose pair the job moves elsewhere, and a
// file whose format version changes half way. The written pairs must stay
// pairs: every code line of the output stands at a code position.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dxf/dxf_text.h"
#include "faults/job_faults.h"

namespace quillmere::faults {
namespace {

using testing::ReadFile;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WriteFile;

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t end = text.find("\r\n", begin);
    lines.push_back(text.substr(begin, end - begin));
    begin = end + 2;
  }
  return lines;
}

class DamagedDrawingTest : public ::testing::Test {
 protected:
  // Runs job number `job` (0 arc, 1 line, 2 join job) on `input` and
  // returns the output lines.
  std::vector<std::string> Run(int job, const std::string& input) {
    WriteFile(in_, input);
    AllJobs()[static_cast<std::size_t>(job)].run(in_, out_, messages_);
    EXPECT_TRUE(messages_.shown.empty());
    return LinesOf(ReadFile(out_));
  }

  TempDir dir_;
  const std::string in_ = dir_.File("in.dxf");
  const std::string out_ = dir_.File("out.dxf");
  RecordingMessages messages_;
};

TEST_F(DamagedDrawingTest, VertexAfterSeqendEndingAfterACodeLineGetsItsValueLine) {
  // The VERTEX after the SEQEND is written in front of it; its last code
  // line, cut off by the end of the file, needs a value line there.
  const std::string input =
      "2\nENTITIES\n0\nPOLYLINE\n0\nVERTEX\n10\n1\n0\nSEQEND\n0\nVERTEX\n10\n2\n8";
  for (const int job : {0, 2}) {
    SCOPED_TRACE(job);
    const std::vector<std::string> expected = {"2", "ENTITIES", "0", "POLYLINE", "0", "VERTEX",
                                               "10", "1", "0", "VERTEX", "10", "2", "8", "",
                                               "0", "SEQEND"};
    EXPECT_EQ(Run(job, input), expected);
  }
}

TEST_F(DamagedDrawingTest, JoinedPolylineEndingAfterACodeLineKeepsThePairsBehindIt) {
  // The second polyline ends the file after the code line "42" and is
  // attached to the first, so that the CIRCLE follows its vertices.
  const std::string input =
      "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n90\n2\n10\n0\n20\n0\n10\n1\n20\n0\n"
      "0\nCIRCLE\n8\n0\n0\nLWPOLYLINE\n90\n2\n10\n1\n20\n0\n10\n2\n20\n0\n42";
  const std::vector<std::string> expected = {
      "0",  "SECTION", "2",  "ENTITIES", "0",  "LWPOLYLINE", "90", "3",  "10", "0", "20", "0",
      "10", "1",       "20", "0",        "10", "2",          "20", "0",  "42", "",  "0",  "CIRCLE",
      "8",  "0"};
  EXPECT_EQ(Run(2, input), expected);

  // A receiver that ends the file so: its cut last vertex gives way to the
  // attached polyline's first, and nothing of it is left behind.
  const std::string receiver_last =
      "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n90\n2\n10\n1\n20\n0\n10\n2\n20\n0\n"
      "0\nLWPOLYLINE\n90\n2\n10\n0\n20\n0\n10\n1\n20\n0\n42";
  const std::vector<std::string> joined = {
      "0",  "SECTION", "2",  "ENTITIES", "0",  "LWPOLYLINE", "90", "3", "10", "0", "20", "0",
      "10", "1",       "20", "0",        "10", "2",          "20", "0"};
  EXPECT_EQ(Run(2, receiver_last), joined);
}

TEST_F(DamagedDrawingTest, LineEndingAfterACodeLineIsWrittenWithAnEmptyValue) {
  const std::string input = "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\n0\n20\n0\n11\n1\n21\n0\n62";
  const std::vector<std::string> output = Run(1, input);
  ASSERT_EQ(output.size() % 2, 0u);
  const auto code = std::find(output.begin(), output.end(), "62");
  ASSERT_NE(code, output.end());
  EXPECT_EQ((code - output.begin()) % 2, 0);
  EXPECT_EQ(*(code + 1), "");
  EXPECT_EQ(output.back(), "SEQEND");
}

TEST_F(DamagedDrawingTest, EachLineKeepsTheStyleOfTheVersionReadBeforeIt) {
  // A second $ACADVER after the first LINE: that LINE was read for the
  // lightweight style and is written as an LWPOLYLINE with its count; the
  // LINE after it becomes a POLYLINE without one. Though the second starts
  // where the first ends, the two styles do not chain.
  const std::string input =
      "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n0\nENDSEC\n"
      "0\nSECTION\n2\nENTITIES\n0\nLINE\n5\n2A\n10\n0\n20\n0\n11\n1\n21\n0\n"
      "0\nCIRCLE\n9\n$ACADVER\n1\nAC1009\n"
      "0\nLINE\n5\n2B\n10\n1\n20\n0\n11\n2\n21\n0\n0\nENDSEC\n0\nEOF\n";
  const std::vector<std::string> output = Run(1, input);
  std::string text;
  for (const std::string& line : output) text += line + "|";
  EXPECT_NE(text.find("0|LWPOLYLINE| 66|1|5|2A| 90|2|10|0|20|0| 10|1| 20|0|0|CIRCLE|"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("0|POLYLINE| 66|1|5|2B| 0|VERTEX|"), std::string::npos) << text;
  const std::vector<testing::PlainPolyline> model = AllJobs()[1].model_of(in_, messages_);
  EXPECT_EQ(model[0].VertexCount(), 2);
  EXPECT_EQ(model[1].VertexCount(), 2);
  EXPECT_EQ(text.find("2B| 90|"), std::string::npos) << text;
}

}  // namespace
}  // namespace quillmere::faults
