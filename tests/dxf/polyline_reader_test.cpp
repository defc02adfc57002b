#include "dxf/polyline_reader.h"

#include <gtest/gtest.h>

#include "polyline_lines.h"
#include "test_support.h"

namespace quillmere {
namespace {

using testing::Lf;
using testing::RecordingMessages;
using testing::TempDir;
using testing::WriteFile;

using Lines = std::vector<std::string>;

class PolylineReaderTest : public ::testing::Test {
 protected:
  PolylineModel Read(const std::string& text) {
    WriteFile(dir_.File("in.dxf"), text);
    PolylineModel model;
    Reported(ReadPolylines(model, dir_.File("in.dxf")), messages_);
    return model;
  }
  // The lines each part of polyline `p` reads back to.
  testing::PolylineLines PartsOf(const PolylineModel& model, std::int32_t p) const {
    return testing::LinesOf(model, p, dir_.File("in.dxf"));
  }
  double X(const PolylineModel& model, std::int32_t p, std::int32_t v) const {
    return model.vertices.x[model.VertexIndex(model.polylines[p], v)];
  }
  double Y(const PolylineModel& model, std::int32_t p, std::int32_t v) const {
    return model.vertices.y[model.VertexIndex(model.polylines[p], v)];
  }
  bool CarriesArc(const PolylineModel& model, std::int32_t p, std::int32_t v) const {
    return model.HasMark(model.VertexIndex(model.polylines[p], v), kVertexCarriesArc);
  }
  TempDir dir_;
  RecordingMessages messages_;
};

const std::vector<std::string> kOldStyle = {
    "  0", "SECTION", "  2", "ENTITIES",
    "  0", "POLYLINE", "  8", "KONTUR", " 66", "1", " 10", "0.0", " 20", "0.0", " 30", "0.0",
    " 70", "     1",
    "  0", "VERTEX", "  8", "KONTUR", " 10", "1.5", " 20", "2.5", " 30", "0.0",
    "  0", "VERTEX", "  8", "KONTUR", " 10", "3", " 20", "4", " 42", "0.5",
    "  0", "VERTEX", "  8", "KONTUR", " 10", "5", " 20", "6", " 30", "7",
    "  0", "SEQEND", "  8", "KONTUR",
    "  0", "ENDSEC", "  0", "EOF"};

TEST_F(PolylineReaderTest, DistributesThePairsOfAPolyline) {
  const PolylineModel model = Read(Lf(kOldStyle));
  ASSERT_EQ(model.PolylineCount(), 1);
  const PolylineRecord& p = model.polylines[0];
  EXPECT_EQ(p.kind, PolylineKind::kPolyline);
  EXPECT_EQ(p.VertexCount(), 3);
  EXPECT_EQ(p.header_flags, 1);
  const testing::PolylineLines parts = PartsOf(model, 0);
  EXPECT_EQ(parts.header, (Lines{"  0", "POLYLINE", "  8", "KONTUR", " 66", "1", " 10", "0.0",
                                 " 20", "0.0", " 30", "0.0", " 70", "     1"}));
  EXPECT_EQ(parts.vertices[1],
            (Lines{"  0", "VERTEX", "  8", "KONTUR", " 10", "3", " 20", "4", " 42", "0.5"}));
  EXPECT_EQ(parts.trailer, (Lines{"  0", "SEQEND", "  8", "KONTUR"}));
  EXPECT_EQ(X(model, 0, 0), 1.5);
  EXPECT_EQ(Y(model, 0, 0), 2.5);
  EXPECT_EQ(p.first_z, 0.0);
  EXPECT_EQ(p.last_z, 7.0);
  EXPECT_TRUE(model.arc_starts.empty());  // bulges of the file stay lines only ...
  EXPECT_TRUE(CarriesArc(model, 0, 1));   // ... that mark their segment as an arc
  EXPECT_FALSE(CarriesArc(model, 0, 0));
  EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(PolylineReaderTest, DistributesThePairsOfALightweightPolyline) {
  const PolylineModel model = Read(Lf({"0", "SECTION", "2", "ENTITIES", "0", "LWPOLYLINE", "5",
                                       "2A", "90", "4", "70", "1", "10", "0", "20", "0", "10", "1",
                                       "20", "0", "42", "0.25", "10", "xx", "20", "9", "10", "1",
                                       "20", "1", "10", "0", "20", "1", "0", "ENDSEC"}));
  ASSERT_EQ(model.PolylineCount(), 1);
  const PolylineRecord& p = model.polylines[0];
  EXPECT_EQ(p.kind, PolylineKind::kLwPolyline);
  EXPECT_EQ(p.VertexCount(), 4);
  const testing::PolylineLines parts = PartsOf(model, 0);
  EXPECT_EQ(parts.header, (Lines{"0", "LWPOLYLINE", "5", "2A", "90", "4", "70", "1"}));
  // The bulge stays in its vertex, after its 20 pair. A 10 pair that is no
  // number starts no vertex and is dropped, so its 20 goes to no vertex...
  EXPECT_EQ(parts.vertices[1], (Lines{"10", "1", "20", "0", "42", "0.25", "20", "9"}));
  // ...but still sets y of the vertex started last.
  EXPECT_EQ(Y(model, 0, 1), 9.0);
  EXPECT_EQ(X(model, 0, 3), 0.0);
  EXPECT_EQ(Y(model, 0, 3), 1.0);
  EXPECT_TRUE(parts.trailer.empty());
  EXPECT_EQ(p.header_flags, 1);  // closed, for the join job
  EXPECT_TRUE(CarriesArc(model, 0, 1));
  EXPECT_FALSE(CarriesArc(model, 0, 2));
}

// Extended data behind the last vertex is a part of its own; a 1001 pair
// with a vertex behind it (no valid file has one) stays with its vertex.
// Values with tabs or other control characters around are numbers.
TEST_F(PolylineReaderTest, ExtendedDataBehindTheLastVertexIsAPartOfItsOwn) {
  const PolylineModel model = Read(Lf({"0", "SECTION", "2", "ENTITIES", "0", "LWPOLYLINE",
                                       "1001", "H", "10", "0", "20", "0", "1001", "M", "10",
                                       "1.0\t", "20", "\t2", "70", "\t1\t", "1001", "Q",
                                       "1000", "a", "1002", "{", "0", "LWPOLYLINE", "10", "1",
                                       "1001", "R", "0", "ENDSEC"}));
  ASSERT_EQ(model.PolylineCount(), 2);
  const PolylineRecord& p = model.polylines[0];
  ASSERT_EQ(p.VertexCount(), 2);
  EXPECT_EQ(X(model, 0, 1), 1.0);
  EXPECT_EQ(Y(model, 0, 1), 2.0);
  const testing::PolylineLines parts = PartsOf(model, 0);
  EXPECT_EQ(parts.header, (Lines{"0", "LWPOLYLINE", "1001", "H"}));
  EXPECT_EQ(parts.vertices[0], (Lines{"10", "0", "20", "0", "1001", "M"}));
  EXPECT_EQ(parts.vertices[1], (Lines{"10", "1.0\t", "20", "\t2", "70", "\t1\t"}));
  EXPECT_EQ(parts.extended_data, (Lines{"1001", "Q", "1000", "a", "1002", "{"}));
  EXPECT_TRUE(p.HasExtendedData());
  EXPECT_EQ(PartsOf(model, 1).vertices[0], (Lines{"10", "1"}));
  EXPECT_EQ(PartsOf(model, 1).extended_data, (Lines{"1001", "R"}));
}

TEST_F(PolylineReaderTest, OnlyBulgesThatAreNumbersOtherThanZeroMarkArcs) {
  const PolylineModel model = Read(Lf({"0", "SECTION", "2", "ENTITIES", "0", "LWPOLYLINE", "42",
                                       "0.5", "70", "1", "70", "x", "10", "0", "20", "0", "42",
                                       "0", "10", "1", "20", "0", "42", "-0.0", "10", "2", "20",
                                       "0", "42", "nan", "10", "3", "20", "0", "42", "1e-300",
                                       "10", "4", "20", "0", "0", "ENDSEC"}));
  const PolylineRecord& p = model.polylines[0];
  ASSERT_EQ(p.VertexCount(), 5);
  // The header's 42 belongs to no vertex; the last whole-number 70 counts.
  EXPECT_EQ(p.header_flags, 1);
  for (int v = 0; v < 3; ++v) EXPECT_FALSE(CarriesArc(model, 0, v)) << v;
  EXPECT_TRUE(CarriesArc(model, 0, 3));
  EXPECT_FALSE(CarriesArc(model, 0, 4));
}

TEST_F(PolylineReaderTest, FollowsSectionsAndHeldPairs) {
  // A polyline in a block is not read; two polylines in a row both are; a
  // file ending with "0"/"POLYLINE" gives one more empty record.
  const PolylineModel model = Read(Lf({"0", "SECTION", "2", "BLOCKS", "0", "LWPOLYLINE", "10",
                                       "9", "20", "9", "0", "ENDSEC", "0", "SECTION", "2",
                                       "ENTITIES", "0", "LWPOLYLINE", "10", "1", "20", "2", "0",
                                       "LWPOLYLINE", "10", "3", "20", "4", "10", "5", "20", "6",
                                       "  0", "POLYLINE"}));
  ASSERT_EQ(model.PolylineCount(), 3);
  EXPECT_EQ(X(model, 0, 0), 1.0);
  EXPECT_EQ(model.polylines[1].VertexCount(), 2);
  EXPECT_EQ(model.polylines[2].VertexCount(), 0);
  EXPECT_EQ(PartsOf(model, 2).header, (Lines{"  0", "POLYLINE"}));
}

TEST_F(PolylineReaderTest, ComparesTrimmedAndCaseSensitive) {
  const PolylineModel model = Read(Lf({"0", "SECTION", "2", "ENTITIES", "0", "lwpolyline", "10",
                                       "1", "20", "1", "0\t", " LWPOLYLINE \r", "10", "1", "0",
                                       "EOF"}));
  ASSERT_EQ(model.PolylineCount(), 1);
  EXPECT_EQ(PartsOf(model, 0).header, (Lines{"0\t", " LWPOLYLINE "}));
}

TEST_F(PolylineReaderTest, MissingFileIsReportedAndEmptiesTheModel) {
  PolylineModel model = Read(Lf(kOldStyle));
  ASSERT_EQ(model.PolylineCount(), 1);
  Reported(ReadPolylines(model, dir_.File("missing.dxf")), messages_);
  EXPECT_EQ(model.PolylineCount(), 0);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_TRUE(messages_.shown[0].is_error);
  EXPECT_EQ(messages_.shown[0].Utf8Text(),
            "Folgende DXF Datei konnte nicht geöffnet werden: " + dir_.File("missing.dxf"));
  // A directory is no drawing either.
  Reported(ReadPolylines(model, dir_.path().string()), messages_);
  EXPECT_EQ(messages_.shown.size(), 2u);
}

TEST_F(PolylineReaderTest, ReadingTwiceGivesTheSameModel) {
  PolylineModel model = Read(Lf(kOldStyle));
  model.polylines[0].dropped = true;
  model.SetMark(0, kVertexDropped, true);
  Reported(ReadPolylines(model, dir_.File("in.dxf")), messages_);
  const PolylineModel fresh = Read(Lf(kOldStyle));
  ASSERT_EQ(model.PolylineCount(), fresh.PolylineCount());
  EXPECT_FALSE(model.polylines[0].dropped);
  EXPECT_FALSE(model.HasMark(0, kVertexDropped));
  EXPECT_EQ(model.vertices.Count(), fresh.vertices.Count());
  EXPECT_EQ(PartsOf(model, 0).header, PartsOf(fresh, 0).header);
}

TEST_F(PolylineReaderTest, TruncatedEntityKeepsWhatWasRead) {
  const PolylineModel model =
      Read("0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n0\nVERTEX\n10\n4\n20");
  ASSERT_EQ(model.PolylineCount(), 1);
  ASSERT_EQ(model.polylines[0].VertexCount(), 1);
  EXPECT_EQ(X(model, 0, 0), 4.0);
  EXPECT_EQ(PartsOf(model, 0).vertices[0], (Lines{"0", "VERTEX", "10", "4", "20"}));
  EXPECT_TRUE(model.polylines[0].last_vertex_lacks_value);
  EXPECT_FALSE(model.polylines[0].value_line_supplied);
}

}  // namespace
}  // namespace quillmere
