#include "join/polyline_joining.h"

#include <map>
#include <string>
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
    const std::int64_t last = model.LastVertex(polyline);
    record.start = {model.vertices.x[first], model.vertices.y[first], polyline.first_z};
    record.end = {model.vertices.x[last], model.vertices.y[last], polyline.last_z};
  }
  return records;
}

constexpr std::int32_t kGroupsPerLayer = 3;

SpacePoint VertexPoint(const PolylineModel& model, std::int64_t vertex, double z) {
  return {model.vertices.x[vertex], model.vertices.y[vertex], z};
}

// Whether one of the polyline's segments is an arc between two different
// points.
bool HasArc(const PolylineModel& model, const PolylineRecord& polyline) {
  const std::int64_t last = polyline.first_vertex + polyline.vertex_count - 1;
  for (std::int64_t v = polyline.first_vertex; v < last; ++v) {
    const bool apart = model.vertices.x[v] != model.vertices.x[v + 1] ||
                       model.vertices.y[v] != model.vertices.y[v + 1];
    if (apart && model.HasMark(v, kVertexCarriesArc)) return true;
  }
  return false;
}

// The points of a polyline's vertices between its ends: whether a contour
// through it, closed, encloses something.
std::vector<PlanePoints> InnerPoints(const PolylineModel& model) {
  std::vector<PlanePoints> inner(model.polylines.size());
  for (std::size_t n = 0; n < inner.size(); ++n) {
    const PolylineRecord& polyline = model.polylines[n];
    const std::int64_t last = polyline.first_vertex + polyline.vertex_count - 1;
    for (std::int64_t v = polyline.first_vertex + 1; v < last && inner[n].Count() < 3; ++v) {
      inner[n].Add(VertexPoint(model, v, 0));
    }
  }
  return inner;
}

// Contours join within a layer too, and compare how the pieces leave their
// start and arrive at their end.
std::vector<ChainRecord> ContourRecords(const PolylineModel& model,
                                        std::span<const PieceEnds> ends) {
  std::vector<ChainRecord> records = ChainRecords(model);
  std::map<std::string, std::int32_t, std::less<>> layers;
  for (std::size_t n = 0; n < records.size(); ++n) {
    ChainRecord& record = records[n];
    if (record.group == kNoJoinGroup) continue;
    const PolylineRecord& polyline = model.polylines[n];
    const PieceEnds& piece = ends[n];
    auto known = layers.find(piece.layer);
    if (known == layers.end()) {
      known = layers.emplace(piece.layer, static_cast<std::int32_t>(layers.size())).first;
    }
    record.group += kGroupsPerLayer * known->second;
    const std::int64_t first = polyline.first_vertex;
    const std::int64_t last = first + polyline.vertex_count - 1;
    record.leaving = HeadingsOf(record.start, VertexPoint(model, first + 1, 0), piece.first_bulge).leaving;
    record.arriving = HeadingsOf(VertexPoint(model, last - 1, 0), record.end, piece.last_bulge).arriving;
    record.has_arc = HasArc(model, polyline);
  }
  return records;
}

}  // namespace

void JoinPolylines(PolylineModel& model, double tolerance, std::span<const PieceEnds> contours) {
  const bool building_contours = contours.size() == model.polylines.size() && !contours.empty();
  const std::vector<ChainRecord> records =
      building_contours ? ContourRecords(model, contours) : ChainRecords(model);
  ChainLists chains(0);
  if (building_contours) {
    JoinChains(records, tolerance, chains, JoinRule::kContours, InnerPoints(model));
  } else {
    JoinChains(records, tolerance, chains);
  }
  for (std::int32_t n = 0; n < model.PolylineCount(); ++n) {
    PolylineRecord& polyline = model.polylines[static_cast<std::size_t>(n)];
    polyline.next_in_chain = chains.Next(n);
    if (chains.IsAttached(n)) polyline.dropped = true;
    polyline.reversed_in_chain = chains.IsReversed(n);
    polyline.closes_chain = !chains.IsAttached(n) && chains.IsClosed(n);
  }
}

std::int64_t JoinedVertexCount(const PolylineModel& model, const PolylineRecord& polyline) {
  // A closed contour does not repeat its first vertex at its end.
  std::int64_t count = polyline.vertex_count - (polyline.closes_chain ? 1 : 0);
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
