#include "dxf/consumed_entities.h"

#include <algorithm>

namespace quillmere {

namespace {

// Where the vertices of the model begin in the input, asked for by
// ascending vertex index: a walk along the polylines and their vertices.
class VertexStarts {
 public:
  explicit VertexStarts(const PolylineModel& model) : model_(model) {}

  // The polyline vertex `vertex` belongs to.
  const PolylineRecord& PolylineOf(std::int64_t vertex) {
    while (next_ + 1 < model_.polylines.size() &&
           model_.polylines[next_ + 1].first_vertex <= vertex) {
      ++next_;
      at_ = -1;
    }
    return model_.polylines[next_];
  }

  std::int64_t Of(std::int64_t vertex) {
    const PolylineRecord& polyline = PolylineOf(vertex);
    if (at_ < 0) {
      at_ = polyline.first_vertex;
      offset_ = polyline.place.vertices;
    }
    for (; at_ < vertex; ++at_) offset_ += model_.vertices.step[at_ + 1];
    return offset_;
  }

 private:
  const PolylineModel& model_;
  std::size_t next_ = 0;
  std::int64_t at_ = -1;  // the vertex at `offset_`; -1 before the first of a polyline
  std::int64_t offset_ = 0;
};

}  // namespace

ConsumedEntities ConsumedPolylineEntities(const PolylineModel& model,
                                          std::span<const std::int64_t> vertices_left_out) {
  ConsumedEntities consumed;
  // The members of chains, which keep their vertices under their head.
  std::vector<bool> in_chain(model.polylines.size(), false);
  for (const PolylineRecord& head : model.polylines) {
    if (!head.Receives()) continue;
    for (std::int32_t next = head.next_in_chain; next >= 0;) {
      const PolylineRecord& member = model.polylines[static_cast<std::size_t>(next)];
      in_chain[static_cast<std::size_t>(next)] = true;
      if (member.kind == PolylineKind::kPolyline && member.vertex_count > 0) {
        consumed.new_owners.push_back(
            {member.place.vertices, member.place.trailer, head.place.start});
      }
      next = member.next_in_chain;
    }
  }
  VertexStarts whole(model);
  for (std::size_t n = 0; n < model.polylines.size(); ++n) {
    const PolylineRecord& polyline = model.polylines[n];
    if (!polyline.dropped) continue;
    consumed.starts.push_back(polyline.place.start);
    if (polyline.kind != PolylineKind::kPolyline) continue;
    if (polyline.place.trailer < polyline.place.end) consumed.starts.push_back(polyline.place.trailer);
    if (in_chain[n]) continue;
    for (std::int32_t v = 0; v < model.StoredVertexCount(polyline); ++v) {
      consumed.starts.push_back(whole.Of(polyline.first_vertex + v));
    }
  }
  VertexStarts starts(model);
  for (const std::int64_t vertex : vertices_left_out) {
    const PolylineRecord& polyline = starts.PolylineOf(vertex);
    const auto n = static_cast<std::size_t>(&polyline - model.polylines.data());
    const bool taken_whole = polyline.dropped && !in_chain[n];
    if (polyline.kind == PolylineKind::kPolyline && !taken_whole) {
      consumed.starts.push_back(starts.Of(vertex));
    }
  }
  std::sort(consumed.starts.begin(), consumed.starts.end());
  consumed.starts.erase(std::unique(consumed.starts.begin(), consumed.starts.end()),
                        consumed.starts.end());
  std::sort(consumed.new_owners.begin(), consumed.new_owners.end(),
            [](const auto& a, const auto& b) { return a.begin < b.begin; });
  return consumed;
}

}  // namespace quillmere
