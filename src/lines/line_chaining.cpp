#include "lines/line_chaining.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "chains/chain_joining.h"
#include "dxf/dxf_text.h"
#include "support/numbers.h"

namespace quillmere {

namespace {

SpacePoint PointOf(const LineVertex& vertex) { return {vertex.x, vertex.y, vertex.z}; }

// Records of a drawing whose version changes half way can have both output
// styles. Chains join only their own style: VERTEX entities inside an
// LWPOLYLINE, or its bare coordinate pairs inside a POLYLINE, would break
// the drawing.
std::vector<ChainRecord> ChainRecords(const LineModel& model) {
  std::vector<ChainRecord> records;
  records.reserve(model.records.size());
  for (const LineRecord& line : model.records) {
    ChainRecord& record = records.emplace_back();
    if (line.VertexCount() < 2) continue;
    record.group = static_cast<std::int32_t>(line.kind);
    record.start = PointOf(line.vertices.front());
    record.end = PointOf(line.vertices.back());
  }
  return records;
}

// Contours join within a layer too: a group for each layer and style. The
// layer is compared as the entity states it, blanks around it aside.
std::vector<ChainRecord> ContourRecords(const LineModel& model) {
  std::vector<ChainRecord> records = ChainRecords(model);
  std::map<std::string, std::int32_t, std::less<>> layers;
  std::string_view last_layer;
  std::int32_t last_number = -1;
  for (std::size_t k = 0; k < records.size(); ++k) {
    const LineRecord& line = model.records[k];
    ChainRecord& record = records[k];
    if (record.group == kNoJoinGroup || line.kept_as_read) {
      record.group = kNoJoinGroup;
      continue;
    }
    const std::string_view layer = Trimmed(line.layer);
    // Lines of one layer mostly come together.
    if (last_number < 0 || layer != last_layer) {
      auto known = layers.find(layer);
      if (known == layers.end()) {
        known = layers.emplace(std::string(layer), static_cast<std::int32_t>(layers.size())).first;
      }
      last_layer = known->first;
      last_number = known->second;
    }
    record.group = 2 * last_number + record.group;
    const double bulge = line.vertices[0].bulge;
    const SegmentHeadings headings = HeadingsOf(record.start, record.end, bulge);
    record.leaving = headings.leaving;
    record.arriving = headings.arriving;
    record.has_arc = bulge != 0 && std::isfinite(bulge) &&
                     (record.start.x != record.end.x || record.start.y != record.end.y);
  }
  return records;
}

// Moves the vertices of the chain behind `head` to `head`, reserving the
// room for all of them first.
void MoveChain(LineModel& model, const ChainLists& chains, std::int32_t head) {
  const auto at = [&model](std::int32_t record) -> LineRecord& {
    return model.records[static_cast<std::size_t>(record)];
  };
  std::vector<LineVertex>& vertices = at(head).vertices;
  std::size_t count = vertices.size();
  for (std::int32_t record = chains.Next(head); record >= 0; record = chains.Next(record)) {
    count += at(record).vertices.size() - 1;
  }
  vertices.reserve(count);
  for (std::int32_t record = chains.Next(head); record >= 0; record = chains.Next(record)) {
    LineRecord& appended = at(record);
    vertices.insert(vertices.end(), std::make_move_iterator(appended.vertices.begin() + 1),
                    std::make_move_iterator(appended.vertices.end()));
    appended.vertices = {};
    appended.dropped = true;
  }
}

// A piece used backwards: its vertices in reverse order, each bulge moved to
// the vertex that now starts its segment and negated.
void Reverse(std::vector<LineVertex>& vertices) {
  std::reverse(vertices.begin(), vertices.end());
  // Vertex k now carries the bulge of the segment that ends at it.
  for (std::size_t k = 0; k + 1 < vertices.size(); ++k) vertices[k].bulge = -vertices[k + 1].bulge;
  if (!vertices.empty()) vertices.back().bulge = 0;
}

// Puts the contour of `head` together. At a joint the later piece's first
// vertex stays, since it carries the bulge of the segment that leaves it;
// a closed chain leaves out its last vertex, which repeats its first.
void MoveContour(LineModel& model, const ChainLists& chains, std::int32_t head) {
  std::vector<LineVertex> contour;
  for (std::int32_t record = head; record >= 0; record = chains.Next(record)) {
    LineRecord& piece = model.records[static_cast<std::size_t>(record)];
    if (chains.IsReversed(record)) Reverse(piece.vertices);
    const bool last = chains.Next(record) < 0 && !chains.IsClosed(head);
    const auto end = last ? piece.vertices.end() : piece.vertices.end() - 1;
    contour.insert(contour.end(), std::make_move_iterator(piece.vertices.begin()),
                   std::make_move_iterator(end));
    piece.vertices = {};
    piece.dropped = record != head;
  }
  LineRecord& polyline = model.records[static_cast<std::size_t>(head)];
  polyline.vertices = std::move(contour);
  polyline.closed = chains.IsClosed(head);
}

// The bulges go into the vertex pairs once the vertices stand where they
// are written.
void AddBulgePairs(LineRecord& record) {
  for (LineVertex& vertex : record.vertices) {
    if (vertex.bulge != 0) vertex.pairs.AddPair(" 42", FormatGeneral(vertex.bulge));
  }
}

int ChainContours(LineModel& model, double tolerance) {
  ChainLists chains(0);
  JoinChains(ContourRecords(model), tolerance, chains, JoinRule::kContours);
  for (std::int32_t head = 0; head < model.RecordCount(); ++head) {
    LineRecord& record = model.records[static_cast<std::size_t>(head)];
    if (chains.Receives(head) || chains.IsClosed(head)) {
      MoveContour(model, chains, head);
    } else if (!chains.IsAttached(head) && record.piece == PieceKind::kArc) {
      // An arc that joins nothing stays the ARC it was.
      record.kept_as_read = true;
    }
  }
  for (LineRecord& record : model.records) {
    if (!record.dropped && !record.kept_as_read) AddBulgePairs(record);
  }
  return 1;
}

// Inserts a pair in front of extended data (group 1001 on), which must end
// an entity's own pairs, or at the end.
void InsertBeforeExtendedData(LineList& lines, std::string_view code, std::string_view value) {
  LineList result;
  bool inserted = false;
  LineList::Cursor cursor(lines);
  std::string_view line;
  for (bool code_line = true; cursor.Next(line); code_line = !code_line) {
    if (code_line && !inserted && LineIs(line, "1001")) {
      result.AddPair(code, value);
      inserted = true;
    }
    result.Add(line);
  }
  if (!inserted) result.AddPair(code, value);
  lines = std::move(result);
}

}  // namespace

int ChainLines(LineModel& model, double tolerance, bool contours) {
  if (contours) return ChainContours(model, tolerance);
  ChainLists chains(0);
  const int passes = JoinChains(ChainRecords(model), tolerance, chains);
  for (std::int32_t head = 0; head < model.RecordCount(); ++head) {
    if (chains.Receives(head)) MoveChain(model, chains, head);
  }
  return passes;
}

void AppendVertexCounts(LineModel& model) {
  for (LineRecord& record : model.records) {
    if (record.kind != PolylineKind::kLwPolyline) {
      if (record.closed) InsertBeforeExtendedData(record.header, " 70", "     1");
      continue;
    }
    record.header.AddPair(" 90", std::to_string(record.VertexCount()));
    if (record.closed) record.header.AddPair(" 70", "     1");
  }
}

}  // namespace quillmere
