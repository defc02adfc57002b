#include "plain_polylines.h"

#include <algorithm>

namespace quillmere::testing {

PolylineModel CompactModelOf(const std::vector<PlainPolyline>& polylines) {
  PolylineModel model;
  for (const PlainPolyline& polyline : polylines) {
    model.AddPolyline(polyline.kind, polyline.header_flags);
    for (const PlainVertex& vertex : polyline.vertices) {
      model.AddVertex(vertex.x, vertex.y, vertex.z);
      const std::int64_t index = model.vertices.Count() - 1;
      model.SetMark(index, kVertexCarriesArc, vertex.carries_arc);
      model.SetMark(index, kVertexDropped, vertex.dropped);
      model.SetMark(index, kVertexGetsBulge, vertex.gets_bulge);
      if (vertex.gets_bulge) model.arc_starts.push_back({index, vertex.bulge});
    }
  }
  return model;
}

std::vector<PlainPolyline> PlainPolylinesOf(const PolylineModel& model) {
  std::vector<PlainPolyline> polylines;
  for (std::int32_t p = 0; p < model.PolylineCount(); ++p) {
    const PolylineRecord& record = model.polylines[static_cast<std::size_t>(p)];
    PlainPolyline& polyline = polylines.emplace_back();
    polyline.kind = record.kind;
    polyline.header_flags = record.header_flags;
    polyline.dropped = record.dropped;
    for (std::int32_t v = 0; v < record.vertex_count; ++v) {
      const std::int64_t index = model.VertexIndex(record, v);
      PlainVertex& vertex = polyline.AddVertex();
      vertex.x = model.vertices.x[index];
      vertex.y = model.vertices.y[index];
      vertex.z = v == 0 ? record.first_z : v + 1 == record.vertex_count ? record.last_z : 0;
      vertex.carries_arc = model.HasMark(index, kVertexCarriesArc);
      vertex.label = std::to_string(p) + "-" + std::to_string(v);
    }
  }
  return polylines;
}

std::vector<PlainPolyline> WithArcMarks(std::vector<PlainPolyline> original,
                                        const PolylineModel& model) {
  for (std::size_t p = 0; p < original.size(); ++p) {
    const PolylineRecord& record = model.polylines[p];
    for (std::int32_t v = 0; v < record.vertex_count; ++v) {
      PlainVertex& vertex = original[p].vertices[static_cast<std::size_t>(v)];
      const std::int64_t index = model.VertexIndex(record, v);
      vertex.dropped = model.HasMark(index, kVertexDropped);
      vertex.gets_bulge = model.HasMark(index, kVertexGetsBulge);
      vertex.bulge = model.Bulge(index);
    }
  }
  return original;
}

std::vector<PlainPolyline> WithChains(const std::vector<PlainPolyline>& original,
                                      const PolylineModel& model) {
  std::vector<PlainPolyline> joined = original;
  for (std::size_t p = 0; p < original.size(); ++p) {
    const PolylineRecord& record = model.polylines[p];
    PlainPolyline& polyline = joined[p];
    polyline.dropped = record.dropped;
    if (record.dropped) {
      polyline.vertices.clear();
      continue;
    }
    for (std::int32_t next = record.next_in_chain; next >= 0;
         next = model.polylines[static_cast<std::size_t>(next)].next_in_chain) {
      const std::vector<PlainVertex>& attached = original[static_cast<std::size_t>(next)].vertices;
      polyline.vertices.pop_back();
      polyline.vertices.insert(polyline.vertices.end(), attached.begin(), attached.end());
    }
  }
  return joined;
}

void MarkDropped(PolylineModel& model, std::int32_t p, std::int32_t v) {
  model.SetMark(model.VertexIndex(model.polylines[static_cast<std::size_t>(p)], v), kVertexDropped,
                true);
}

void MarkArcStart(PolylineModel& model, std::int32_t p, std::int32_t v, double bulge) {
  const std::int64_t vertex = model.VertexIndex(model.polylines[static_cast<std::size_t>(p)], v);
  model.SetMark(vertex, kVertexGetsBulge, true);
  model.arc_starts.push_back({vertex, bulge});
  std::sort(model.arc_starts.begin(), model.arc_starts.end(),
            [](const ArcStart& a, const ArcStart& b) { return a.vertex < b.vertex; });
}

}  // namespace quillmere::testing
