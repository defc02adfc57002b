#include "lines/line_reader.h"

#include <gtest/gtest.h>

#include "dxf/handle_text.h"
#include "line_drawings.h"
#include "test_support.h"

namespace quillmere {
namespace {

using testing::Lf;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WriteFile;

using testing::Concat;
using testing::kLineA;
using testing::Lines;

Lines LinesOf(const LineList& list) {
  Lines lines;
  LineList::Cursor cursor(list);
  std::string_view line;
  while (cursor.Next(line)) lines.emplace_back(line);
  return lines;
}

Lines Header(const std::string& version) {
  if (version.empty()) return {"  0", "SECTION", "  2", "HEADER", "  0", "ENDSEC"};
  return {"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", version, "  0", "ENDSEC"};
}

Lines Entities(const Lines& body) {
  return Concat({{"  0", "SECTION", "  2", "ENTITIES"}, body, {"  0", "ENDSEC", "  0", "EOF"}});
}


class LineReaderTest : public ::testing::Test {
 protected:
  LineModel& Read(const Lines& lines) {
    WriteFile(dir_.File("in.dxf"), Lf(lines));
    Reported(ReadLines(model_, dir_.File("in.dxf")), messages_);
    return model_;
  }
  TempDir dir_;
  RecordingMessages messages_;
  LineModel model_;
};

TEST_F(LineReaderTest, OldStyleRecordOfALine) {
  const LineModel& model =
      Read(Concat({Header(""), {"  0", "SECTION", "  2", "TABLES", "  0", "LAYER", "  5", "2f",
                                "  0", "ENDSEC"},
                   Entities(kLineA)}));
  EXPECT_EQ(model.format_version, 0);
  ASSERT_EQ(model.RecordCount(), 1);
  const LineRecord& line = model.records[0];
  EXPECT_EQ(line.kind, PolylineKind::kPolyline);
  EXPECT_EQ(LinesOf(line.header),
            (Lines{"  0", "POLYLINE", " 66", "1", "  5", "2A", "  8", "KONTUR"}));
  EXPECT_EQ(LinesOf(line.trailer), (Lines{" 0", "SEQEND"}));
  ASSERT_EQ(line.VertexCount(), 2);
  EXPECT_EQ(LinesOf(line.vertices[0].pairs), (Lines{" 0", "VERTEX", " 5", "30", " 8", "KONTUR", " 10",
                                             "0.0", " 20", "0.0", " 30", "0.0"}));
  EXPECT_EQ(LinesOf(line.vertices[1].pairs), (Lines{" 0", "VERTEX", " 5", "31", " 8", "KONTUR", " 10",
                                             "10.0", " 20", "0.0", " 30", "0.0"}));
  EXPECT_EQ(line.vertices[1].x, 10.0);
  EXPECT_FALSE(line.dropped);
  EXPECT_EQ(model.largest_handle, 0x31);
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(LineReaderTest, LightweightRecordOfALine) {
  const Lines line = {"0",   "LINE",   "5",   "1C",      "330", "1F",       "100",
                      "AcDbEntity",    "8",   "Mauer ",  "100", "AcDbLine", "10",
                      "1",   "20",     "2",   "30",      "3",   "11",       "4.5e1",
                      "21",  "-5",     "31",  "6"};
  const LineModel& model = Read(Concat({Header("AC1015"), Entities(line)}));
  EXPECT_EQ(model.format_version, 1015);
  ASSERT_EQ(model.RecordCount(), 1);
  const LineRecord& record = model.records[0];
  EXPECT_EQ(record.kind, PolylineKind::kLwPolyline);
  EXPECT_EQ(LinesOf(record.header),
            (Lines{"0", "LWPOLYLINE", " 66", "1", "5", "1C", "330", "1F", "100", "AcDbEntity", "8",
                   "Mauer ", "100", "AcDbPolyline"}));
  EXPECT_TRUE(record.trailer.Empty());
  EXPECT_EQ(LinesOf(record.vertices[0].pairs), (Lines{"10", "1", "20", "2", "30", "3"}));
  EXPECT_EQ(LinesOf(record.vertices[1].pairs), (Lines{" 10", "4.5e1", " 20", "-5", " 30", "6"}));
  EXPECT_EQ(record.vertices[1].x, 45);
  EXPECT_EQ(record.vertices[1].y, -5);
  EXPECT_EQ(record.vertices[1].z, 6);
  // Only group 5 holds handles (330 is a pointer), and none are handed out.
  EXPECT_EQ(model.largest_handle, 0x1C);
}

TEST_F(LineReaderTest, VersionDecidesTheStyle) {
  const std::vector<std::pair<std::string, std::int32_t>> versions = {
      {"AC1009", 1009}, {"AC1012", 1012}, {"AC1032", 1032}, {"  AC1010 ", 1010},
      {"AC", 0},        {"ACxy", 0},      {"", 0}};
  for (const auto& [value, expected] : versions) {
    const LineModel& model = Read(Concat({Header(value), Entities(kLineA)}));
    EXPECT_EQ(model.format_version, expected) << value;
    EXPECT_EQ(model.records[0].kind, expected >= 1010 ? PolylineKind::kLwPolyline
                                                    : PolylineKind::kPolyline)
        << value;
  }
  // Only the group-1 pair of $ACADVER counts, not one of another variable.
  const LineModel& model =
      Read(Concat({{"0", "SECTION", "2", "HEADER", "9", "$ACADVER", "9", "$DWGCODEPAGE", "1",
                    "AC1015", "0", "ENDSEC"},
                   Entities(kLineA)}));
  EXPECT_EQ(model.format_version, 0);
}

TEST_F(LineReaderTest, LargestHandleIsReadAsHexadecimalAnywhere) {
  // Block handles count as well; case does not matter; A0 beats 9F; leading
  // zeros do not count as digits; values beyond 32 bits are passed over.
  const Lines blocks = {"0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "5", "9F", "0", "LINE",
                        "5", "a0",      "0", "ENDSEC"};
  EXPECT_EQ(Read(Concat({blocks, Entities({})})).largest_handle, 0xA0);
  EXPECT_EQ(model_.RecordCount(), 0);  // the LINE in the block is not read
  EXPECT_EQ(Read(Entities({"0", "CIRCLE", "5", "00000000007FFFFFFF", "0", "CIRCLE", "5",
                           "80000000"}))
                .largest_handle,
            0x7FFFFFFF);
  EXPECT_EQ(Read(Entities({"0", "CIRCLE", "5", "100000000", "0", "CIRCLE", "5", "FFFFFFFF", "0",
                           "CIRCLE", "5", "0x10", "0", "CIRCLE", "5", "G1", "0", "CIRCLE", "5",
                           " 1b "}))
                .largest_handle,
            0x1B);
  // Handles count up from there, two per LINE in the old style.
  const LineModel& model =
      Read(Entities(Concat({{"0", "LINE", "5", "2F", "11", "1"}, kLineA})));
  EXPECT_EQ(model.records[0].vertices[0].pairs.Line(3), "30");
  EXPECT_EQ(model.records[0].vertices[1].pairs.Line(3), "31");
  EXPECT_EQ(model.records[1].vertices[0].pairs.Line(3), "32");
  EXPECT_EQ(model.records[1].vertices[1].pairs.Line(3), "33");
  EXPECT_EQ(model.largest_handle, 0x33);
}

TEST_F(LineReaderTest, HandlesAreFormattedUppercaseWithTwoDigits) {
  EXPECT_EQ(FormatHandle(5), "05");
  EXPECT_EQ(FormatHandle(0), "00");
  EXPECT_EQ(FormatHandle(300), "12C");
  EXPECT_EQ(FormatHandle(0x7FFFFFFF + std::int64_t{1}), "80000000");
  const LineModel& model = Read(Entities(Concat({{"0", "TEXT", "5", "7ffffffe"}, kLineA})));
  EXPECT_EQ(model.records[0].vertices[1].pairs.Line(3), "80000000");
}

TEST_F(LineReaderTest, BodyDetails) {
  const Lines odd = {
      "  0", "LINE", "8", "A", "100", "AcDbLine ",  // not exactly AcDbLine: stays
      "11",  "7",    "21", "8",                     // end point before start point
      "10",  "x1",   "20", "2", "8", " B\t",        // the last layer counts, as read
      "0",   "LINE", "10", "1", "20", "1",          // no end point at all
      "0",   "LINE", "100", "AcDbLine"};
  const LineModel& model = Read(Entities(odd));
  ASSERT_EQ(model.RecordCount(), 3);
  const LineRecord& first = model.records[0];
  EXPECT_EQ(LinesOf(first.header),
            (Lines{"  0", "POLYLINE", " 66", "1", "8", "A", "100", "AcDbLine ", "8", " B\t"}));
  ASSERT_EQ(first.VertexCount(), 2);
  // The start point goes to the first vertex whatever the order of the
  // groups; the value that is no number changed nothing. The drawing has no
  // handles, so the VERTEX entities get none either.
  EXPECT_EQ(first.vertices[0].x, 0);
  EXPECT_EQ(first.vertices[0].y, 2);
  EXPECT_EQ(LinesOf(first.vertices[0].pairs),
            (Lines{" 0", "VERTEX", " 8", " B\t", "10", "x1", "20", "2"}));
  EXPECT_EQ(first.vertices[1].x, 7);
  EXPECT_EQ(first.vertices[1].y, 8);
  EXPECT_EQ(LinesOf(first.vertices[1].pairs), (Lines{" 0", "VERTEX", " 8", " B\t", " 10", "7", " 20", "8"}));
  EXPECT_FALSE(model.has_handles);
  EXPECT_EQ(model.records[1].VertexCount(), 1);
  EXPECT_EQ(LinesOf(model.records[1].vertices[0].pairs).back(), "1");
  EXPECT_EQ(LinesOf(model.records[2].header).back(), "AcDbPolyline");
  EXPECT_EQ(model.records[2].vertices[0].pairs.Line(3), "0");  // the default layer

  // With handles in the drawing, the end point first: the second vertex is
  // made first but still takes the second handle.
  const LineModel& handled =
      Read(Entities({"0", "LINE", "5", "1F", "11", "3", "21", "4", "10", "1", "20", "2"}));
  EXPECT_TRUE(handled.has_handles);
  EXPECT_EQ(LinesOf(handled.records[0].vertices[0].pairs),
            (Lines{" 0", "VERTEX", " 5", "20", " 8", "0", "10", "1", "20", "2"}));
  EXPECT_EQ(LinesOf(handled.records[0].vertices[1].pairs),
            (Lines{" 0", "VERTEX", " 5", "21", " 8", "0", " 10", "3", " 20", "4"}));
}

TEST_F(LineReaderTest, LinesDirectlyAfterEachOtherAndAtTheEndOfTheFile) {
  const Lines back_to_back = {"0", "SECTION", "2", "ENTITIES", "0", "LINE", "11", "1",
                              "0", "LINE", "11", "2", "0", "LINE"};
  const LineModel& model = Read(back_to_back);
  ASSERT_EQ(model.RecordCount(), 3);
  EXPECT_EQ(model.records[1].vertices[1].x, 2);
  EXPECT_EQ(model.records[2].VertexCount(), 1);
  // A file that ends right after a code line: the value reads as empty.
  WriteFile(dir_.File("in.dxf"), "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\nL\n62");
  Reported(ReadLines(model_, dir_.File("in.dxf")), messages_);
  ASSERT_EQ(model_.RecordCount(), 1);
  EXPECT_EQ(LinesOf(model_.records[0].header).back(), "");
  EXPECT_EQ(model_.records[0].header.Count() % 2, 0u);
}

TEST_F(LineReaderTest, EachReadStartsAfresh) {
  Read(Concat({Header("AC1009"), Entities(Concat({kLineA, kLineA, kLineA}))}));
  ASSERT_EQ(model_.RecordCount(), 3);
  model_.records[0].dropped = true;
  model_.records[1].vertices.clear();
  const Lines second = Concat({Header("AC1018"), Entities({"0", "LINE", "10", "3", "11", "4"})});
  LineModel fresh;
  WriteFile(dir_.File("second.dxf"), Lf(second));
  Reported(ReadLines(fresh, dir_.File("second.dxf")), messages_);
  Read(second);
  ASSERT_EQ(model_.RecordCount(), 1);
  EXPECT_EQ(model_.format_version, fresh.format_version);
  EXPECT_EQ(model_.largest_handle, fresh.largest_handle);
  EXPECT_FALSE(model_.records[0].dropped);
  EXPECT_TRUE(model_.records[0].header == fresh.records[0].header);
  EXPECT_TRUE(model_.records[0].vertices[1].pairs == fresh.records[0].vertices[1].pairs);

  // A file that cannot be opened: text 6, and nothing of the last file stays.
  Reported(ReadLines(model_, dir_.File("missing.dxf")), messages_);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_TRUE(messages_.shown[0].is_error);
  EXPECT_EQ(messages_.shown[0].Utf8Text(),
            "Folgende DXF Datei konnte nicht geöffnet werden: " + dir_.File("missing.dxf"));
  EXPECT_EQ(model_.RecordCount(), 0);
  EXPECT_EQ(model_.format_version, 0);
  EXPECT_EQ(model_.largest_handle, 0);
}

}  // namespace
}  // namespace quillmere
