// What consumed entities owned goes with them, and nothing keeps pointing at
// them: one drawing whose LINEs, POLYLINEs and VERTEX entities own
// extension dictionaries, sit in a group and bound an associative hatch,
// run through each job.

#include "dxf/reference_cleanup.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "arcs/arc_job.h"
#include "join/join_job.h"
#include "lines/line_job.h"
#include "job_test_fixture.h"
#include "support/trimmed.h"
#include "test_support.h"

namespace quillmere {
namespace {

using Lines = std::vector<std::string>;

void Add(Lines& lines, const Lines& more) { lines.insert(lines.end(), more.begin(), more.end()); }

Lines Vertex(const std::string& handle, const std::string& owner, const std::string& x,
             const std::string& y, const Lines& xdictionary = {}) {
  Lines vertex = {"  0", "VERTEX", "  5", handle};
  Add(vertex, xdictionary);
  Add(vertex, {"330", owner, "100", "AcDbEntity", "  8", "0", "100", "AcDbVertex", "100",
               "AcDb2dVertex", " 10", x, " 20", y, " 30", "0.0"});
  return vertex;
}

Lines Xdictionary(const std::string& handle) {
  return {"102", "{ACAD_XDICTIONARY", "360", handle, "102", "}"};
}

Lines Dictionary(const std::string& handle, const std::string& owner, const Lines& entries) {
  Lines dictionary = {"  0", "DICTIONARY", "  5", handle, "330", owner, "100", "AcDbDictionary",
                      "280", "1"};
  Add(dictionary, entries);
  return dictionary;
}

Lines Xrecord(const std::string& handle, const std::string& owner) {
  return {"  0", "XRECORD", "  5", handle, "330", owner, "100", "AcDbXrecord", "  1", "data"};
}

// LINEs 20 and 21 in a row, bounding hatch 50 and in group 40 with POLYLINE
// 64; POLYLINE 64 starts where POLYLINE 60 ends; POLYLINE 70 is a quarter
// circle whose vertex 73 lies inside its arc. LINE 21 owns dictionary 31
// (an XRECORD and a nested dictionary with another), LINE 20 dictionary 30,
// POLYLINE 64 dictionary 32, its vertex 65 dictionary 33, vertex 73
// dictionary 35.
std::string OwnedObjectsDrawing() {
  Lines lines = {"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1015", "  9",
                 "$HANDSEED", "  5", "FF", "  0", "ENDSEC", "  0", "SECTION", "  2", "TABLES",
                 "  0", "TABLE", "  2", "BLOCK_RECORD", "  5", "1", "330", "0", "  0",
                 "BLOCK_RECORD", "  5", "1F", "330", "1", "  2", "*Model_Space", "  0", "ENDTAB",
                 "  0", "ENDSEC", "  0", "SECTION", "  2", "ENTITIES"};
  Add(lines, {"  0", "LINE", "  5", "20", "102", "{ACAD_REACTORS", "330", "40", "330", "50", "102",
              "}"});
  Add(lines, Xdictionary("30"));
  Add(lines, {"330", "1F", "100", "AcDbEntity", "  8", "0", "100", "AcDbLine", " 10", "0.0", " 20",
              "0.0", " 11", "1.0", " 21", "0.0"});
  Add(lines, {"  0", "LINE", "  5", "21", "102", "{ACAD_REACTORS", "330", "40", "330", "50", "102",
              "}"});
  Add(lines, Xdictionary("31"));
  Add(lines, {"330", "1F", "100", "AcDbEntity", "  8", "0", "100", "AcDbLine", " 10", "1.0", " 20",
              "0.0", " 11", "2.0", " 21", "0.0"});
  Add(lines, {"  0", "HATCH", "  5", "50", "330", "1F", "100", "AcDbEntity", "  8", "0", "100",
              "AcDbHatch", " 10", "0.0", " 20", "0.0", "  2", "SOLID", " 70", "1", " 71", "1",
              " 91", "1", " 92", "1", " 93", "2", " 72", "1", " 10", "0.0", " 20", "0.0", " 11",
              "1.0", " 21", "0.0", " 72", "1", " 10", "1.0", " 20", "0.0", " 11", "2.0", " 21",
              "0.0", " 97", "2", "330", "20", "330", "21", " 75", "0", " 76", "1", " 98", "0"});
  const auto polyline = [&lines](const std::string& handle, const Lines& xdictionary) {
    Add(lines, {"  0", "POLYLINE", "  5", handle});
    Add(lines, xdictionary);
    Add(lines, {"330", "1F", "100", "AcDbEntity", "  8", "0", "100", "AcDb2dPolyline", " 66", "1",
                " 70", "0"});
  };
  const auto seqend = [&lines](const std::string& handle, const std::string& owner) {
    Add(lines, {"  0", "SEQEND", "  5", handle, "330", owner, "100", "AcDbEntity", "  8", "0"});
  };
  polyline("60", {});
  Add(lines, Vertex("61", "60", "0.0", "20.0"));
  Add(lines, Vertex("62", "60", "5.0", "20.0"));
  seqend("63", "60");
  polyline("64", Xdictionary("32"));
  Add(lines, Vertex("65", "64", "5.0", "20.0", Xdictionary("33")));
  Add(lines, Vertex("66", "64", "10.0", "20.0"));
  seqend("67", "64");
  polyline("70", {});
  const char* const circle[][2] = {{"110.0", "0.0"}, {"109.807852804032", "1.950903220161"},
                                   {"109.238795325113", "3.826834323651"},
                                   {"108.314696123025", "5.555702330196"},
                                   {"107.071067811865", "7.071067811865"}};
  for (int v = 0; v < 5; ++v) {
    Add(lines, Vertex(std::to_string(71 + v), "70", circle[v][0], circle[v][1],
                      v == 2 ? Xdictionary("35") : Lines{}));
  }
  seqend("76", "70");
  Add(lines, {"  0", "ENDSEC", "  0", "SECTION", "  2", "OBJECTS"});
  Add(lines, Dictionary("C", "0", {"  3", "ACAD_GROUP", "350", "D"}));
  Add(lines, Dictionary("D", "C", {"  3", "G1", "350", "40"}));
  Add(lines, {"  0", "GROUP", "  5", "40", "102", "{ACAD_REACTORS", "330", "D", "102", "}", "330",
              "D", "100", "AcDbGroup", "300", "", " 70", "0", " 71", "1", "340", "20", "340", "21",
              "340", "64"});
  Add(lines, Dictionary("30", "20", {"  3", "QM", "360", "36"}));
  Add(lines, Xrecord("36", "30"));
  Add(lines, Dictionary("31", "21", {"  3", "QM", "360", "37", "  3", "SUB", "360", "3B"}));
  Add(lines, Xrecord("37", "31"));
  Add(lines, Dictionary("3B", "31", {"  3", "DEEP", "360", "3C"}));
  Add(lines, Xrecord("3C", "3B"));
  Add(lines, Dictionary("32", "64", {"  3", "QM", "360", "3A"}));
  Add(lines, Xrecord("3A", "32"));
  Add(lines, Dictionary("33", "65", {"  3", "QM", "360", "38"}));
  Add(lines, Xrecord("38", "33"));
  Add(lines, Dictionary("35", "73", {"  3", "QM", "360", "39"}));
  Add(lines, Xrecord("39", "35"));
  Add(lines, {"  0", "ENDSEC", "  0", "EOF"});
  return testing::CrLf(lines);
}

// An output as records: each a list of pairs, trimmed.
using Pair = std::pair<std::string, std::string>;
using Record = std::vector<Pair>;

std::vector<Record> Records(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t lf = text.find('\n', pos);
    lines.emplace_back(Trimmed(std::string_view(text).substr(pos, lf - pos)));
    pos = lf == std::string::npos ? text.size() : lf + 1;
  }
  std::vector<Record> records;
  for (std::size_t k = 0; k + 1 < lines.size(); k += 2) {
    if (lines[k] == "0" || records.empty()) records.emplace_back();
    records.back().emplace_back(lines[k], lines[k + 1]);
  }
  return records;
}

std::string HandleOf(const Record& record) {
  for (const auto& [code, value] : record) {
    if (code == "5") return value;
  }
  return {};
}

const Record* Find(const std::vector<Record>& records, const std::string& handle) {
  for (const Record& record : records) {
    if (HandleOf(record) == handle) return &record;
  }
  return nullptr;
}

// Every reference (groups 330 to 369) of the output to a handle it lacks.
std::vector<std::string> DanglingReferences(const std::vector<Record>& records) {
  std::set<std::string> defined;
  for (const Record& record : records) defined.insert(HandleOf(record));
  std::vector<std::string> dangling;
  for (const Record& record : records) {
    for (const auto& [code, value] : record) {
      const bool reference = code.size() == 3 && code >= "330" && code <= "369";
      if (reference && value != "0" && !defined.contains(value)) {
        dangling.push_back(record.front().second + " " + HandleOf(record) + ": " + code + " " + value);
      }
    }
  }
  return dangling;
}

bool Holds(const Record& record, const std::string& code, const std::string& value) {
  for (const Pair& pair : record) {
    if (pair == Pair(code, value)) return true;
  }
  return false;
}

class ReferenceCleanupTest : public testing::JobFilesTest {
 protected:
  void SetUp() override { testing::WriteFile(in_, OwnedObjectsDrawing()); }
  std::vector<Record> Output() const { return Records(testing::ReadFile(out_)); }
};

TEST_F(ReferenceCleanupTest, ChainedLinesTakeTheirObjectsAndTheHatchLetsGo) {
  for (const bool contours : {false, true}) {
    SCOPED_TRACE(contours ? "contours" : "default");
    ASSERT_TRUE(RunLineJob(0.01, in_, out_, messages_, nullptr, contours));
    const std::vector<Record> records = Output();
    EXPECT_EQ(DanglingReferences(records), std::vector<std::string>());
    for (const char* gone : {"21", "31", "37", "3B", "3C"}) EXPECT_EQ(Find(records, gone), nullptr) << gone;
    for (const char* kept : {"20", "30", "36"}) EXPECT_NE(Find(records, kept), nullptr) << kept;
    const Record* group = Find(records, "40");
    ASSERT_NE(group, nullptr);
    EXPECT_FALSE(Holds(*group, "340", "21"));
    EXPECT_TRUE(Holds(*group, "340", "20"));
    const Record* hatch = Find(records, "50");
    ASSERT_NE(hatch, nullptr);
    EXPECT_TRUE(Holds(*hatch, "71", "0"));
    EXPECT_TRUE(Holds(*hatch, "97", "0"));
    EXPECT_FALSE(Holds(*hatch, "330", "20"));
    // The polyline made of the LINEs no longer reacts for the hatch.
    EXPECT_FALSE(Holds(*Find(records, "20"), "330", "50"));
  }
}

TEST_F(ReferenceCleanupTest, AttachedPolylineTakesItsObjectsAndItsVerticesMove) {
  for (const bool contours : {false, true}) {
    SCOPED_TRACE(contours ? "contours" : "default");
    ASSERT_TRUE(RunJoinJob(0.01, in_, out_, messages_, nullptr, contours));
    const std::vector<Record> records = Output();
    EXPECT_EQ(DanglingReferences(records), std::vector<std::string>());
    for (const char* gone : {"64", "67", "32", "3A"}) EXPECT_EQ(Find(records, gone), nullptr) << gone;
    EXPECT_FALSE(Holds(*Find(records, "40"), "340", "64"));
    const Record* moved = Find(records, "66");
    ASSERT_NE(moved, nullptr);
    EXPECT_TRUE(Holds(*moved, "330", "60"));
  }
}

TEST_F(ReferenceCleanupTest, VertexLeftOutByTheArcJobTakesItsObjects) {
  ASSERT_TRUE(RunArcJob(ArcSearchSettings{}, in_, out_, messages_));
  const std::vector<Record> records = Output();
  EXPECT_EQ(DanglingReferences(records), std::vector<std::string>());
  for (const char* gone : {"73", "35", "39"}) EXPECT_EQ(Find(records, gone), nullptr) << gone;
  EXPECT_NE(Find(records, "33"), nullptr);
}

}  // namespace
}  // namespace quillmere
