// A large drawing is read by two threads, the second from a polyline near
// the middle. The halves must join into the model one reader makes: every
// polyline once, in order, with its vertices and its places in the file,
// also where the second reader's start turns out to lie in a block.

#include <gtest/gtest.h>

#include <string>

#include "arcs/arc_search.h"
#include "arcs/arc_writer.h"
#include "dxf/polyline_reader.h"
#include "job_test_fixture.h"
#include "named_input.h"

namespace quillmere {
namespace {

using testing::ReadFile;
using testing::WithCrLf;
using testing::WriteFile;

// 400-vertex LWPOLYLINEs whose vertex v of polyline p lies at (p, v);
// polylines alternate between LF and CR LF line ends.
std::string Polylines(int first, int count) {
  std::string text;
  for (int p = first; p < first + count; ++p) {
    const char* end = p % 2 == 0 ? "\n" : "\r\n";
    text += std::string("0") + end + "LWPOLYLINE" + end + "90" + end + "400" + end;
    for (int v = 0; v < 400; ++v) {
      text += std::string("10") + end + std::to_string(p) + end + "20" + end + std::to_string(v) +
              ".5" + end;
    }
  }
  return text;
}

class SplitReadingTest : public testing::JobFilesTest {
 protected:
  // Reads `input`, checks every polyline of the ENTITIES section and the
  // unchanged copy of the file.
  void Check(const std::string& input, const std::vector<int>& numbers) {
    ASSERT_GT(input.size(), 17u << 20);
    WriteFile(in_, input);
    PolylineModel model;
    Reported(ReadPolylines(model, in_), messages_);
    ASSERT_EQ(model.PolylineCount(), static_cast<std::int32_t>(numbers.size()));
    for (std::size_t n = 0; n < numbers.size(); ++n) {
      const PolylineRecord& polyline = model.polylines[n];
      ASSERT_EQ(polyline.VertexCount(), 400) << n;
      ASSERT_EQ(model.vertices.x[polyline.first_vertex], numbers[n]) << n;
      ASSERT_EQ(model.vertices.y[polyline.first_vertex + 399], 399.5) << n;
      ASSERT_EQ(polyline.entity_in_crlf, numbers[n] % 2 == 1) << n;
    }
    Reported(WriteArcResult(model, in_, out_), messages_);
    EXPECT_EQ(ReadFile(out_), WithCrLf(input));
    EXPECT_TRUE(messages_.shown.empty());
  }
};

TEST_F(SplitReadingTest, HalvesJoinIntoOneModel) {
  const std::string input = "0\nSECTION\n2\nENTITIES\n" + Polylines(0, 3000) + "0\nENDSEC\n0\nEOF";
  std::vector<int> numbers;
  for (int p = 0; p < 3000; ++p) numbers.push_back(p);
  Check(input, numbers);
}

TEST_F(SplitReadingTest, AStartInsideABlockIsGivenUp) {
  const std::string input = "0\nSECTION\n2\nENTITIES\n" + Polylines(0, 500) +
                            "0\nENDSEC\n0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n" + Polylines(500, 2000) +
                            "0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" +
                            Polylines(2500, 500) + "0\nENDSEC\n0\nEOF\n";
  std::vector<int> numbers;
  for (int p = 0; p < 500; ++p) numbers.push_back(p);
  for (int p = 2500; p < 3000; ++p) numbers.push_back(p);
  Check(input, numbers);
}

// The join job keeps only the ends of each polyline: the last vertex stands
// second, and its step spans the vertices between, so the writer still
// finds where it begins. Across the halves of a split reading too.
TEST_F(SplitReadingTest, EndsOnlyKeepTheFirstAndTheLastVertexOfEveryPolyline) {
  const std::string input = "0\nSECTION\n2\nENTITIES\n" + Polylines(0, 3000) + "0\nENDSEC\n0\nEOF";
  WriteFile(in_, input);
  PolylineModel whole;
  PolylineModel ends;
  Reported(ReadPolylines(whole, in_), messages_);
  const Result<JobInput> opened = JobInput::Open(in_);
  ASSERT_TRUE(opened);
  Reported(ReadPolylines(ends, *opened, nullptr, nullptr, true), messages_);
  ASSERT_EQ(ends.PolylineCount(), 3000);
  for (std::size_t n = 0; n < 3000; ++n) {
    const PolylineRecord& full = whole.polylines[n];
    const PolylineRecord& kept = ends.polylines[n];
    ASSERT_EQ(kept.VertexCount(), 400) << n;
    ASSERT_EQ(ends.StoredVertexCount(kept), 2) << n;
    ASSERT_EQ(ends.vertices.x[kept.first_vertex], static_cast<double>(n)) << n;
    ASSERT_EQ(ends.vertices.y[kept.first_vertex], 0.5) << n;
    ASSERT_EQ(ends.vertices.y[ends.LastVertex(kept)], 399.5) << n;
    std::int64_t last_start = full.place.vertices;
    for (std::int32_t v = 1; v < 400; ++v) last_start += whole.vertices.step[full.first_vertex + v];
    ASSERT_EQ(kept.place.vertices + ends.vertices.step[ends.LastVertex(kept)], last_start) << n;
  }
  EXPECT_TRUE(RunJoinJob(0, in_, out_, messages_));
  EXPECT_EQ(ReadFile(out_), WithCrLf(input));
  EXPECT_TRUE(messages_.shown.empty());
}

// The arc job searches each polyline as it is read, in both halves: its
// marks and arc starts (those of the second half moved behind the first's
// vertices) are those of a search over the whole model.
TEST_F(SplitReadingTest, ASearchWhileReadingMarksAsASearchOfTheWholeModel) {
  const std::string input = "0\nSECTION\n2\nENTITIES\n" + Polylines(0, 3000) + "0\nENDSEC\n0\nEOF";
  WriteFile(in_, input);
  const ArcSearchSettings exact{0.1, 100, 100, true};
  PolylineModel whole;
  Reported(ReadPolylines(whole, in_), messages_);
  FindArcs(whole, exact);
  const Result<JobInput> opened = JobInput::Open(in_);
  ASSERT_TRUE(opened);
  PolylineModel passing;
  const std::unique_ptr<PolylineVisitor> first = MakeArcSearchInPassing(exact);
  const std::unique_ptr<PolylineVisitor> second = MakeArcSearchInPassing(exact);
  Reported(ReadPolylines(passing, *opened, nullptr, nullptr, false, {first.get(), second.get()}),
           messages_);
  ASSERT_EQ(passing.PolylineCount(), 3000);
  ASSERT_EQ(passing.arc_starts.size(), whole.arc_starts.size());
  ASSERT_FALSE(whole.arc_starts.empty());
  for (std::size_t a = 0; a < whole.arc_starts.size(); ++a) {
    ASSERT_EQ(passing.arc_starts[a].vertex, whole.arc_starts[a].vertex) << a;
    ASSERT_EQ(passing.arc_starts[a].bulge, whole.arc_starts[a].bulge) << a;
  }
  for (std::size_t n = 0; n < 3000; ++n) {
    const PolylineRecord& read = passing.polylines[n];
    ASSERT_EQ(read.first_vertex, whole.polylines[n].first_vertex) << n;
    for (std::int32_t v = 0; v < 400; ++v) {
      const std::int64_t vertex = read.first_vertex + v;
      ASSERT_EQ(passing.vertices.marks[vertex], whole.vertices.marks[vertex]) << n << " " << v;
    }
  }
  EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace quillmere
