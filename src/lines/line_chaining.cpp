#include "lines/line_chaining.h"

#include <iterator>
#include <string>
#include <vector>

#include "chains/chain_joining.h"

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

}  // namespace

int ChainLines(LineModel& model, double tolerance) {
  ChainLists chains(0);
  const int passes = JoinChains(ChainRecords(model), tolerance, chains);
  for (std::int32_t head = 0; head < model.RecordCount(); ++head) {
    if (chains.Receives(head)) MoveChain(model, chains, head);
  }
  return passes;
}

void AppendVertexCounts(LineModel& model) {
  for (LineRecord& record : model.records) {
    if (record.kind != PolylineKind::kLwPolyline) continue;
    record.header.AddPair(" 90", std::to_string(record.VertexCount()));
  }
}

}  // namespace quillmere
