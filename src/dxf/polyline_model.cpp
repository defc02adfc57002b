#include "dxf/polyline_model.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace quillmere {

PolylineRecord& PolylineModel::AddPolyline(PolylineKind kind, std::int32_t header_flags) {
  PolylineRecord& record = polylines.emplace_back();
  record.kind = kind;
  record.header_flags = header_flags;
  record.first_vertex = vertices.Count();
  record.set_aside_first = static_cast<std::uint32_t>(set_aside.size());
  passing_x.clear();
  passing_y.clear();
  return record;
}

void PolylineModel::AddVertex(double x, double y, double z, std::uint32_t step) {
  PolylineRecord& record = polylines.back();
  if (ends_only && record.vertex_count >= 2) {
    // The new last vertex takes the place of the one before it.
    const std::int64_t last = record.first_vertex + 1;
    vertices.x[last] = x;
    vertices.y[last] = y;
    std::uint32_t& span = vertices.step[last];
    if (step > std::numeric_limits<std::uint32_t>::max() - span) {
      throw std::length_error("a polyline of more than 4 GiB");
    }
    span += step;
    vertices.marks[last] = 0;
    record.last_z = z;
    ++record.vertex_count;
    return;
  }
  if (visitor != nullptr) {
    passing_x.push_back(x);
    passing_y.push_back(y);
  } else {
    vertices.x.PushBack(x);
    vertices.y.PushBack(y);
  }
  vertices.step.PushBack(step);
  vertices.marks.PushBack(0);
  if (record.vertex_count == 0) record.first_z = z;
  record.last_z = z;
  ++record.vertex_count;
}

std::int64_t PolylineModel::VertexTotal() const {
  std::int64_t total = 0;
  for (const PolylineRecord& polyline : polylines) total += polyline.vertex_count;
  return total;
}

void PolylineModel::SetMark(std::int64_t vertex, VertexMark mark, bool on) {
  std::uint8_t& marks = vertices.marks[vertex];
  marks = static_cast<std::uint8_t>(on ? (marks | mark) : (marks & ~mark));
}

double PolylineModel::Bulge(std::int64_t vertex) const {
  const auto found = std::lower_bound(
      arc_starts.begin(), arc_starts.end(), vertex,
      [](const ArcStart& start, std::int64_t index) { return start.vertex < index; });
  return found != arc_starts.end() && found->vertex == vertex ? found->bulge : 0;
}

}  // namespace quillmere
