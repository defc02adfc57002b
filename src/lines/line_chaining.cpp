#include "lines/line_chaining.h"

#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "lines/end_point_grid.h"

namespace quillmere {

namespace {

Point3 PointOf(const Vertex& vertex) { return {vertex.x, vertex.y, vertex.z}; }

Point3 FirstPoint(const Polyline& record) { return PointOf(record.vertices.front()); }

Point3 LastPoint(const Polyline& record) {
  return PointOf(record.vertices.back());
}

bool TakesPart(const Polyline& record) { return record.VertexCount() >= 2; }

// The largest magnitude among the finite coordinates of the points that the
// chaining stores or looks up: the first and last vertex of each record.
double Extent(const PolylineModel& model) {
  double extent = 0;
  const auto widen = [&extent](const Point3& point) {
    for (const double c : {point.x, point.y, point.z}) {
      if (std::isfinite(c) && std::fabs(c) > extent) extent = std::fabs(c);
    }
  };
  for (std::int32_t i = 0; i < model.PolylineCount(); ++i) {
    const Polyline& record = model.polylines[static_cast<std::size_t>(i)];
    if (!TakesPart(record)) continue;
    widen(FirstPoint(record));
    widen(LastPoint(record));
  }
  return extent;
}

// Chains as lists of records while the passes run: joining links two lists,
// and the vertices move once, when the passes are over.
class ChainLists {
 public:
  explicit ChainLists(const PolylineModel& model)
      : next_(static_cast<std::size_t>(model.PolylineCount()), -1),
        last_(static_cast<std::size_t>(model.PolylineCount())),
        vertices_(static_cast<std::size_t>(model.PolylineCount())) {
    for (std::int32_t i = 0; i < model.PolylineCount(); ++i) {
      const auto k = static_cast<std::size_t>(i);
      last_[k] = i;
      vertices_[k] = model.polylines[k].VertexCount();
    }
  }

  // Appends the chain headed by `tail_head` to the chain headed by `head`.
  // The first vertex of the appended chain repeats the last one of `head`.
  void Append(std::int32_t head, std::int32_t tail_head) {
    const auto h = static_cast<std::size_t>(head);
    const auto t = static_cast<std::size_t>(tail_head);
    next_[static_cast<std::size_t>(last_[h])] = tail_head;
    last_[h] = last_[t];
    vertices_[h] += vertices_[t] - 1;
  }

  // Moves the vertices of every record linked behind a head to the end of
  // the head, in chain order, each without its first vertex, and consumes
  // those records. `live` tells the heads: the records never appended.
  void MoveVertices(PolylineModel& model, const std::vector<bool>& live) const {
    for (std::int32_t head = 0; head < model.PolylineCount(); ++head) {
      const auto h = static_cast<std::size_t>(head);
      if (!live[h] || next_[h] < 0) continue;
      Polyline& receiver = model.polylines[h];
      receiver.vertices.reserve(static_cast<std::size_t>(vertices_[h]));
      for (std::int32_t r = next_[h]; r >= 0; r = next_[static_cast<std::size_t>(r)]) {
        Polyline& appended = model.polylines[static_cast<std::size_t>(r)];
        receiver.vertices.insert(receiver.vertices.end(), std::make_move_iterator(appended.vertices.begin() + 1),
                           std::make_move_iterator(appended.vertices.end()));
        appended.vertices = {};
        appended.dropped = true;
      }
    }
  }

 private:
  std::vector<std::int32_t> next_;      // the record linked behind, -1 at a chain's end
  std::vector<std::int32_t> last_;      // for a head: the last record of its chain
  std::vector<std::int32_t> vertices_;  // for a head: the vertex count of its chain
};

}  // namespace

int ChainLines(PolylineModel& model, double tolerance) {
  if (!(tolerance > 0)) return 1;  // no box is that small: the one pass joins nothing
  const std::int32_t records = model.PolylineCount();
  // Records of a drawing whose version changes half way can have both
  // styles. Chains join only their own style: VERTEX entities inside an
  // LWPOLYLINE, or its bare coordinate pairs inside a POLYLINE, would break
  // the drawing. Each style has its own ends; the second set is made only
  // when the drawing needs it.
  bool both_styles = false;
  for (std::int32_t j = 1; j < records && !both_styles; ++j) {
    both_styles = model.polylines[static_cast<std::size_t>(j)].kind != model.polylines.front().kind;
  }
  const double extent = Extent(model);
  EndPointGrid first_style_ends(tolerance, extent, records);
  EndPointGrid other_style_ends(tolerance, extent, both_styles ? records : 0);
  const auto ends_of = [&](std::int32_t record) -> EndPointGrid& {
    const bool first_style =
        model.polylines[static_cast<std::size_t>(record)].kind == model.polylines.front().kind;
    return first_style ? first_style_ends : other_style_ends;
  };
  std::vector<bool> live(static_cast<std::size_t>(records), false);
  // The first vertex of a chain is that of its head record for good.
  std::vector<Point3> starts(static_cast<std::size_t>(records));
  for (std::int32_t j = 0; j < records; ++j) {
    const Polyline& record = model.polylines[static_cast<std::size_t>(j)];
    if (!TakesPart(record)) continue;
    live[static_cast<std::size_t>(j)] = true;
    starts[static_cast<std::size_t>(j)] = FirstPoint(record);
    ends_of(j).Insert(j, LastPoint(record));
  }

  ChainLists chains(model);
  int passes = 0;
  bool joined = true;
  while (joined) {
    ++passes;
    joined = false;
    for (std::int32_t i = 0; i < records; ++i) {
      if (!live[static_cast<std::size_t>(i)]) continue;
      EndPointGrid& ends = ends_of(i);
      const std::int32_t j = ends.LowestMatch(starts[static_cast<std::size_t>(i)], i);
      if (j < 0) continue;
      ends.TakeOver(j, i);
      chains.Append(j, i);
      live[static_cast<std::size_t>(i)] = false;
      joined = true;
    }
  }
  chains.MoveVertices(model, live);
  return passes;
}

void AppendVertexCounts(PolylineModel& model) {
  for (std::int32_t i = 0; i < model.PolylineCount(); ++i) {
    Polyline& record = model.polylines[static_cast<std::size_t>(i)];
    if (record.kind != PolylineKind::kLwPolyline) continue;
    record.header.AddPair(" 90", std::to_string(record.VertexCount()));
  }
}

}  // namespace quillmere
