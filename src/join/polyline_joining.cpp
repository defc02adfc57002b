#include "join/polyline_joining.h"

#include <vector>

#include "chains/chain_joining.h"

namespace quillmere {

namespace {

// Polylines join only within their group. A closed outline is whole: joined,
// it would stay closed, and its new closing segment would cut across the
// drawing. Attaching an LWPOLYLINE's vertex pairs to a POLYLINE (or VERTEX
// entities to an LWPOLYLINE) would corrupt the drawing, and so would mixing
// 2-D and 3-D POLYLINEs. The vertices of fitted curves and meshes are
// control points or mesh nodes, not an outline.
constexpr std::int32_t kLwPolylineGroup = 0;
constexpr std::int32_t kPolyline2dGroup = 1;
constexpr std::int32_t kPolyline3dGroup = 2;

std::int32_t JoinGroup(const PolylineRecord& polyline) {
  if (polyline.vertex_count < 2) return kNoJoinGroup;
  if ((polyline.header_flags & kFlagClosed) != 0) return kNoJoinGroup;
  if (polyline.kind == PolylineKind::kLwPolyline) return kLwPolylineGroup;
  constexpr std::int32_t kNotAnOutline =
      kFlagCurveFit | kFlagSplineFit | kFlagPolygonMesh | kFlagPolyfaceMesh;
  if ((polyline.header_flags & kNotAnOutline) != 0) return kNoJoinGroup;
  return (polyline.header_flags & kFlag3d) != 0 ? kPolyline3dGroup : kPolyline2dGroup;
}

std::vector<ChainRecord> ChainRecords(const PolylineModel& model) {
  std::vector<ChainRecord> records;
  records.reserve(model.polylines.size());
  for (const PolylineRecord& polyline : model.polylines) {
    ChainRecord& record = records.emplace_back();
    record.group = JoinGroup(polyline);
    if (record.group == kNoJoinGroup) continue;
    const std::int64_t first = polyline.first_vertex;
    const std::int64_t last = first + polyline.vertex_count - 1;
    record.start = {model.vertices.x[first], model.vertices.y[first], polyline.first_z};
    record.end = {model.vertices.x[last], model.vertices.y[last], polyline.last_z};
  }
  return records;
}

}  // namespace

void JoinPolylines(PolylineModel& model, double tolerance) {
  const std::vector<ChainRecord> records = ChainRecords(model);
  ChainLists chains(0);
  JoinChains(records, tolerance, chains);
  for (std::int32_t n = 0; n < model.PolylineCount(); ++n) {
    PolylineRecord& polyline = model.polylines[static_cast<std::size_t>(n)];
    polyline.next_in_chain = chains.Next(n);
    if (chains.IsAttached(n)) polyline.dropped = true;
  }
}

std::int64_t JoinedVertexCount(const PolylineModel& model, const PolylineRecord& polyline) {
  std::int64_t count = polyline.vertex_count;
  for (std::int32_t next = polyline.next_in_chain; next >= 0;) {
    const PolylineRecord& attached = model.polylines[static_cast<std::size_t>(next)];
    count += attached.vertex_count - 1;
    next = attached.next_in_chain;
  }
  return count;
}

void DropShortPolylines(PolylineModel& model) {
  for (PolylineRecord& polyline : model.polylines) {
    if (!polyline.dropped && JoinedVertexCount(model, polyline) < 2) polyline.dropped = true;
  }
}

}  // namespace quillmere
