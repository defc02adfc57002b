// The arc job with curves (--curves): one curve of each kind through the
// job, what stands in its place and the groups it keeps.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "arcs/arc_job.h"
#include "job_test_fixture.h"
#include "support/numbers.h"
#include "test_support.h"

namespace quillmere {
namespace {

using testing::CrLf;
using testing::ReadFile;
using testing::WriteFile;

using Lines = std::vector<std::string>;
using Pairs = std::vector<std::pair<std::string, std::string>>;

Lines Header(const std::string& version) {
  return {"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", version, "  9", "$HANDSEED",
          "  5", "30",      "  0", "ENDSEC", "  0", "SECTION", "  2", "ENTITIES", "  0", "LINE",
          "  5", "10",      "  8", "0",      " 10", "0",       " 20", "0",      " 11", "1",
          " 21", "1"};
}

const Lines kEnd = {"  0", "LINE", "  5", "11", "  8", "0", " 10", "1", " 20", "1", " 11", "2",
                    " 21", "2", "  0", "ENDSEC", "  0", "EOF"};

Lines Drawing(const std::string& version, const Lines& entities) {
  Lines lines = Header(version);
  lines.insert(lines.end(), entities.begin(), entities.end());
  lines.insert(lines.end(), kEnd.begin(), kEnd.end());
  return lines;
}

// The pairs of `text` from its first pair (0, `name`) up to the next LINE.
Pairs EntityPairs(const std::string& text, const std::string& name) {
  Pairs pairs;
  std::size_t pos = 0;
  bool inside = false;
  while (pos < text.size()) {
    const std::size_t code_end = text.find("\r\n", pos);
    const std::size_t value_end = text.find("\r\n", code_end + 2);
    std::string code = text.substr(pos, code_end - pos);
    std::string value = text.substr(code_end + 2, value_end - code_end - 2);
    pos = value_end + 2;
    if (code == "  0" && value == name) inside = true;
    if (code == "  0" && value == "LINE" && inside) break;
    if (inside) pairs.emplace_back(std::move(code), std::move(value));
  }
  return pairs;
}

double Number(const std::string& value) { return ParseNumber(value).value_or(NAN); }

// The groups of an entity that every polyline in a curve's place keeps.
const Lines kKeptGroups = {"  5", "2A",       "102", "{ACAD_REACTORS", "330", "1F",  "102", "}",
                           "330", "1F",       "100", "AcDbEntity",     "  8", "CURVES", "  6",
                           "DASHED", " 62",   "3",   "420", "255",     "370", "35",  " 48", "2.0",
                           " 60", "0",        "440", "33554560"};

class CurveJobTest : public testing::JobFilesTest {
 protected:
  Pairs Run(const Lines& input, const std::string& name, double deviation = 0.01) {
    WriteFile(in_, CrLf(input));
    const std::optional<ArcJobSummary> result =
        RunArcJob({deviation, 100, 100, false, true}, in_, out_, messages_);
    EXPECT_TRUE(result.has_value());
    if (result) summary_ = *result;
    output_ = ReadFile(out_);
    // Every line behind the entity stays as read.
    EXPECT_EQ(output_.substr(output_.size() - CrLf(kEnd).size()), CrLf(kEnd));
    return EntityPairs(output_, name);
  }

  ArcJobSummary summary_;
  std::string output_;
};

// A rational quadratic quarter circle of radius 10 at height 5 becomes one
// arc segment; its handle, owners, reactors, properties and extended data
// stay, the extended data last.
TEST_F(CurveJobTest, SplineBecomesAnLwPolylineWithItsGroups) {
  Lines spline = {"  0", "SPLINE"};
  spline.insert(spline.end(), kKeptGroups.begin(), kKeptGroups.end());
  for (const char* line :
       {"100", "AcDbSpline", "210", "0", "220", "0", "230", "1", " 70", "12", " 71", "2", " 72", "6",
        " 73", "3", " 74", "0", " 40", "0", " 40", "0", " 40", "0", " 40", "1", " 40", "1", " 40",
        "1", " 41", "1", " 41", "0.7071067811865476", " 41", "1", " 10", "10", " 20", "0", " 30",
        "5", " 10", "10", " 20", "10", " 30", "5", " 10", "0", " 20", "10", " 30", "5", "1001",
        "APP", "1000", "note"}) {
    spline.push_back(line);
  }
  const Pairs pairs = Run(Drawing("AC1015", spline), "LWPOLYLINE");
  EXPECT_EQ(output_.substr(0, CrLf(Header("AC1015")).size()), CrLf(Header("AC1015")));
  ASSERT_EQ(pairs.size(), 26u);
  Lines kept;
  for (std::size_t k = 1; k <= 14; ++k) {
    kept.push_back(pairs[k].first);
    kept.push_back(pairs[k].second);
  }
  EXPECT_EQ(kept, kKeptGroups);
  EXPECT_EQ(pairs[15], (std::pair<std::string, std::string>{"100", "AcDbPolyline"}));
  EXPECT_EQ(pairs[16], (std::pair<std::string, std::string>{" 90", "2"}));
  EXPECT_EQ(pairs[17], (std::pair<std::string, std::string>{" 70", "0"}));
  EXPECT_EQ(pairs[18], (std::pair<std::string, std::string>{" 38", "5"}));
  EXPECT_NEAR(Number(pairs[19].second), 10, 1e-12);
  EXPECT_NEAR(Number(pairs[20].second), 0, 1e-12);
  EXPECT_EQ(pairs[21].first, " 42");
  EXPECT_NEAR(Number(pairs[21].second), std::tan(M_PI / 8), 1e-9);
  EXPECT_NEAR(Number(pairs[22].second), 0, 1e-12);
  EXPECT_NEAR(Number(pairs[23].second), 10, 1e-12);
  EXPECT_EQ(pairs[24], (std::pair<std::string, std::string>{"1001", "APP"}));
  EXPECT_EQ(pairs[25], (std::pair<std::string, std::string>{"1000", "note"}));
  EXPECT_EQ(summary_.polylines, 0);  // a drawing of curves alone is work
  EXPECT_EQ(summary_.curves_converted, 1);
  EXPECT_EQ(summary_.arcs, 1);
}

// In a drawing without LWPOLYLINE a full ELLIPSE (here a circle of radius
// 10, mirrored) becomes a closed POLYLINE with VERTEX entities and SEQEND,
// which get new handles above the largest; $HANDSEED goes above them.
TEST_F(CurveJobTest, EllipseBecomesAClosedPolylineWithNewHandles) {
  const Pairs pairs = Run(
      Drawing("AC1012", {"  0", "ELLIPSE", "  5", "2A", "330", "1F", "100", "AcDbEntity", "  8",
                         "CURVES", "100", "AcDbEllipse", " 10", "5", " 20", "5", " 30", "0", " 11",
                         "10", " 21", "0", " 31", "0", "210", "0", "220", "0", "230", "-1", " 40",
                         "1", " 41", "0", " 42", "6.283185307179586"}),
      "POLYLINE");
  ASSERT_GE(pairs.size(), 12u);
  const Pairs header(pairs.begin(), pairs.begin() + 12);
  EXPECT_EQ(header, (Pairs{{"  0", "POLYLINE"}, {"  5", "2A"}, {"330", "1F"},
                           {"100", "AcDbEntity"}, {"  8", "CURVES"}, {"100", "AcDb2dPolyline"},
                           {" 66", "1"}, {" 10", "0"}, {" 20", "0"}, {" 30", "0"}, {" 70", "1"},
                           {"  0", "VERTEX"}}));
  int vertices = 0;
  std::int64_t handle = 0x30;
  for (std::size_t k = 11; k < pairs.size(); ++k) {
    if (pairs[k].first != "  0") continue;
    ASSERT_LT(k + 2, pairs.size());
    EXPECT_EQ(std::stoll(pairs[k + 1].second, nullptr, 16), ++handle);
    EXPECT_EQ(pairs[k + 2], (std::pair<std::string, std::string>{"330", "2A"}));
    vertices += pairs[k].second == "VERTEX" ? 1 : 0;
  }
  EXPECT_EQ(pairs[pairs.size() - 5].second, "SEQEND");
  EXPECT_EQ(vertices, 2);  // two half circles
  EXPECT_NE(output_.find("$HANDSEED\r\n  5\r\n34\r\n"), std::string::npos);
  EXPECT_EQ(summary_.curves_converted, 1);
}

// A VERTEX of a POLYLINE in the old style: flags, point, optional bulge.
Lines Vertex(const std::string& handle, int flags, double x, double y, const std::string& bulge = "") {
  Lines lines = {"  0", "VERTEX", "  5", handle, "  8", "0", " 10", FormatGeneral(x), " 20",
                 FormatGeneral(y), " 70", std::to_string(flags)};
  if (!bulge.empty()) lines.insert(lines.end(), {" 42", bulge});
  return lines;
}

Lines FittedPolyline(int flags, const Lines& vertices) {
  Lines lines = {"  0", "POLYLINE", "  5", "2A", "  8", "0", " 66", "1", " 70",
                 "     " + std::to_string(flags), " 75", "6"};
  lines.insert(lines.end(), vertices.begin(), vertices.end());
  lines.insert(lines.end(), {"  0", "SEQEND", "  5", "2F", "  8", "0"});
  return lines;
}

// A spline-fit POLYLINE is its fit vertices: the frame vertices go, the
// fit vertices on a quarter circle become one arc, the header loses its
// fit flag and surface type.
TEST_F(CurveJobTest, SplineFitPolylineLosesItsFrame) {
  Lines vertices = Vertex("2B", 16, 10, 0);
  for (int k = 0; k <= 8; ++k) {
    const double angle = M_PI / 2 * k / 8;
    const Lines fit = Vertex(FormatGeneral(0x40 + k), 8, 10 * std::cos(angle), 10 * std::sin(angle));
    vertices.insert(vertices.end(), fit.begin(), fit.end());
  }
  for (const Lines& frame : {Vertex("2C", 16, 10, 10), Vertex("2D", 16, 0, 10)}) {
    vertices.insert(vertices.end(), frame.begin(), frame.end());
  }
  const Pairs pairs = Run(Drawing("AC1009", FittedPolyline(4, vertices)), "POLYLINE", 0.1);
  std::vector<std::string> kept_handles;
  for (std::size_t k = 0; k + 1 < pairs.size(); ++k) {
    if (pairs[k].second == "VERTEX") kept_handles.push_back(pairs[k + 1].second);
  }
  EXPECT_EQ(kept_handles, (std::vector<std::string>{"64", "72"}));
  EXPECT_EQ(pairs[4], (std::pair<std::string, std::string>{" 70", "     0"}));
  EXPECT_EQ(pairs[5], (std::pair<std::string, std::string>{"  0", "VERTEX"}));  // no 75
  EXPECT_EQ(summary_.curves_converted, 1);
  EXPECT_EQ(summary_.vertices_removed, 10);
}

// A curve-fit POLYLINE keeps the arcs it has; the straight run behind them
// is searched, and the header loses its fit flag.
TEST_F(CurveJobTest, CurveFitPolylineKeepsItsArcs) {
  Lines vertices = Vertex("30", 0, -10, 0, "1");
  for (int k = 0; k <= 8; ++k) {
    const double angle = M_PI / 2 * k / 8;
    const Lines run = Vertex(FormatGeneral(0x40 + k), 1, 10 * std::cos(angle), 10 * std::sin(angle));
    vertices.insert(vertices.end(), run.begin(), run.end());
  }
  const Pairs pairs = Run(Drawing("AC1009", FittedPolyline(3, vertices)), "POLYLINE", 0.1);
  Lines bulges;
  for (const auto& [code, value] : pairs) {
    if (code == " 42" || code == "42") bulges.push_back(value);
  }
  ASSERT_EQ(bulges.size(), 2u);
  EXPECT_EQ(bulges[0], "1");
  EXPECT_NEAR(Number(bulges[1]), std::tan(M_PI / 8), 1e-9);
  EXPECT_EQ(pairs[4], (std::pair<std::string, std::string>{" 70", "     1"}));
  EXPECT_EQ(summary_.curves_converted, 1);
}

}  // namespace
}  // namespace quillmere
