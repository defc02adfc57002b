#include "join/polyline_joining.h"

#include <optional>
#include <string>
#include <vector>

#include "dxf/dxf_text.h"
#include "join/attachment_lists.h"
#include "join/receiver_index.h"

namespace quillmere {

namespace {

// Polylines join only within their group. A closed outline is whole: joined,
// it would stay closed, and its new closing segment would cut across the
// drawing. Attaching an LWPOLYLINE's vertex
// pairs to a POLYLINE (or VERTEX entities to an LWPOLYLINE) would corrupt the
// drawing, and so would mixing 2-D and 3-D POLYLINEs. The vertices of fitted
// curves and meshes are control points or mesh nodes, not an outline.
constexpr std::int32_t kNoGroup = -1;
constexpr std::int32_t kLwPolylineGroup = 0;
constexpr std::int32_t kPolyline2dGroup = 1;
constexpr std::int32_t kPolyline3dGroup = 2;

std::int32_t JoinGroup(const Polyline& polyline) {
  if ((polyline.header_flags & kFlagClosed) != 0) return kNoGroup;
  if (polyline.kind == PolylineKind::kLwPolyline) return kLwPolylineGroup;
  constexpr std::int32_t kNotAnOutline =
      kFlagCurveFit | kFlagSplineFit | kFlagPolygonMesh | kFlagPolyfaceMesh;
  if ((polyline.header_flags & kNotAnOutline) != 0) return kNoGroup;
  return (polyline.header_flags & kFlag3d) != 0 ? kPolyline3dGroup : kPolyline2dGroup;
}

ReceiverIndex::Point PointOf(const Vertex& vertex) {
  return ReceiverIndex::Point{vertex.x, vertex.y, vertex.z};
}

// What the passes need of a polyline, gathered once so that a pass reads one
// small array instead of every polyline's vertices. The vertices stay where
// they are during the passes: a polyline that has not been attached still
// starts with its own first vertex, the index knows every receiver's current
// end, and a vertex count matters only as "at least 2", which no join
// changes for a polyline that keeps its vertices.
struct Candidate {
  ReceiverIndex::Point start;
  std::int32_t group = kNoGroup;  // none also when it has fewer than 2 vertices
};

// The candidates of all polylines; enters each one that can receive with its
// end.
std::vector<Candidate> EnterPolylines(const PolylineModel& model, ReceiverIndex& receivers) {
  std::vector<Candidate> candidates(static_cast<std::size_t>(model.PolylineCount()));
  for (std::int32_t index = 0; index < model.PolylineCount(); ++index) {
    const Polyline& polyline = model.polylines[static_cast<std::size_t>(index)];
    const std::int32_t group = JoinGroup(polyline);
    if (group == kNoGroup || polyline.VertexCount() < 2) continue;
    candidates[static_cast<std::size_t>(index)] = {PointOf(polyline.vertices.front()), group};
    receivers.Insert(index, group,
                     PointOf(polyline.vertices.back()));
  }
  return candidates;
}

// One pass over all polylines in index order. True when it joined any.
bool JoinPass(const std::vector<Candidate>& candidates, ReceiverIndex& receivers,
              AttachmentLists& attachments) {
  bool joined = false;
  for (std::int32_t index = 0; index < static_cast<std::int32_t>(candidates.size()); ++index) {
    const Candidate& candidate = candidates[static_cast<std::size_t>(index)];
    if (candidate.group == kNoGroup || attachments.IsAttached(index)) continue;
    const std::optional<std::int32_t> receiver =
        receivers.LowestReceiver(candidate.group, candidate.start, index);
    if (!receiver) continue;
    receivers.HandOverEnd(index, *receiver);
    attachments.Attach(index, *receiver);
    joined = true;
  }
  return joined;
}

// The header with the value of every group-90 pair replaced by `count`;
// nothing when the header has no such pair.
std::optional<LineList> WithVertexCount(const LineList& header, std::int32_t count) {
  const std::string count_text = std::to_string(count);
  LineList updated;
  bool changed = false;
  LineList::Cursor cursor(header);
  std::string_view code;
  std::string_view value;
  while (cursor.Next(code)) {
    updated.Add(code);
    if (!cursor.Next(value)) break;  // a code line without its value: left as read
    const bool is_count = LineIs(code, "90");
    updated.Add(is_count ? std::string_view(count_text) : value);
    changed = changed || is_count;
  }
  if (!changed) return std::nullopt;
  return updated;
}

}  // namespace

void JoinPolylines(PolylineModel& model, double tolerance) {
  // No difference is below a tolerance of 0 (or below a negative one, or
  // NaN), so nothing can join.
  if (!(tolerance > 0)) return;
  ReceiverIndex receivers(tolerance, model.PolylineCount());
  const std::vector<Candidate> candidates = EnterPolylines(model, receivers);
  AttachmentLists attachments(model.PolylineCount());
  while (JoinPass(candidates, receivers, attachments)) {
  }
  attachments.ApplyTo(model);
}

void UpdateCountsAndDropShortPolylines(PolylineModel& model) {
  for (std::int32_t index = 0; index < model.PolylineCount(); ++index) {
    Polyline& polyline = model.polylines[static_cast<std::size_t>(index)];
    if (std::optional<LineList> updated = WithVertexCount(polyline.header, polyline.VertexCount())) {
      polyline.header = std::move(*updated);
    }
    if (polyline.VertexCount() < 2) polyline.dropped = true;
  }
}

}  // namespace quillmere
