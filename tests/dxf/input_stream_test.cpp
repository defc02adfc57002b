// The readers' walks read the input as a stream, a block at a time into a
// buffer of their own. Lines that cross the blocks, a line longer than
// several of them and CR LF pairs split between two reads must come out as
// lines read straight from the whole file do, with the same offsets.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "dxf/input_lines.h"
#include "dxf/pair_stream.h"
#include "job_test_fixture.h"

namespace quillmere {
namespace {

using testing::WriteFile;

struct LineSeen {
  std::string text;
  LineEnd ending;
  std::int64_t next;
  bool operator==(const LineSeen&) const = default;
};

std::vector<LineSeen> LinesOf(InputLines& lines) {
  std::vector<LineSeen> seen;
  for (std::string_view line; lines.Next(line);) {
    seen.push_back({std::string(line), lines.Ending(), lines.Offset()});
  }
  return seen;
}

class InputStreamTest : public testing::JobFilesTest {};

TEST_F(InputStreamTest, StreamedLinesAreTheLinesOfTheFile) {
  // Lines of 0 to 40 bytes ending in LF or CR LF, with a line of 700 KB
  // among them, and a last line without a line end.
  std::mt19937 random(3);
  std::string text = "0\n";  // a drawing's first line
  while (text.size() < (3u << 20)) {
    if (text.size() > (1u << 20) && text.size() < (1u << 20) + 64) text += std::string(700 << 10, 'x');
    text += std::string(random() % 41, static_cast<char>('a' + random() % 26));
    text += random() % 2 == 0 ? "\n" : "\r\n";
  }
  text += "last";
  WriteFile(in_, text);
  const Result<JobInput> input = JobInput::Open(in_);
  ASSERT_TRUE(input);
  if (!input->IsMapped()) GTEST_SKIP() << "inputs are read into memory here: none is streamed";
  for (const std::int64_t from : {std::int64_t{0}, std::int64_t{1234567}}) {
    InputLines whole(*input, from);
    InputLines streamed(*input, from);
    streamed.Stream();
    const std::vector<LineSeen> expected = LinesOf(whole);
    ASSERT_GT(expected.size(), 50000u);
    EXPECT_EQ(LinesOf(streamed), expected) << from;
  }
}

// A pair's code line stays readable after its value line made the buffer
// move on.
TEST_F(InputStreamTest, PairsKeepTheirCodeLineAcrossReads) {
  std::string text;
  for (int n = 0; text.size() < (2u << 20); ++n) {
    text += std::string(n % 7, ' ') + std::to_string(n % 1000) + "\n" +
            std::string(static_cast<std::size_t>(n % 97), 'v') + "\r\n";
  }
  WriteFile(in_, text);
  const Result<JobInput> input = JobInput::Open(in_);
  ASSERT_TRUE(input);
  PairStream pairs(*input);
  InputLines whole(*input);
  int count = 0;
  for (PairView pair; pairs.ReadPairView(pair); ++count) {
    std::string_view code;
    std::string_view value;
    ASSERT_TRUE(whole.Next(code));
    ASSERT_TRUE(whole.Next(value));
    ASSERT_EQ(pair.code, code) << count;
    ASSERT_EQ(pair.value, value) << count;
    ASSERT_EQ(pair.end, whole.Offset()) << count;
  }
  EXPECT_GT(count, 30000);
}

}  // namespace
}  // namespace quillmere
