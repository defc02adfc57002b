#include "join/polyline_joining.h"

#include <optional>
#include <string>
#include <vector>

#include "chains/chain_joining.h"
#include "dxf/dxf_text.h"

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

std::int32_t JoinGroup(const Polyline& polyline) {
  if ((polyline.header_flags & kFlagClosed) != 0) return kNoJoinGroup;
  if (polyline.kind == PolylineKind::kLwPolyline) return kLwPolylineGroup;
  constexpr std::int32_t kNotAnOutline =
      kFlagCurveFit | kFlagSplineFit | kFlagPolygonMesh | kFlagPolyfaceMesh;
  if ((polyline.header_flags & kNotAnOutline) != 0) return kNoJoinGroup;
  return (polyline.header_flags & kFlag3d) != 0 ? kPolyline3dGroup : kPolyline2dGroup;
}

std::vector<std::int32_t> JoinGroups(const PolylineModel& model) {
  std::vector<std::int32_t> groups;
  groups.reserve(model.polylines.size());
  for (const Polyline& polyline : model.polylines) groups.push_back(JoinGroup(polyline));
  return groups;
}

// Only the last line of the input can be a code line without its value
// line. Inside a receiver more lines follow it, so it gets an empty one.
void CompleteOddPairs(Polyline& receiver) {
  for (Vertex& vertex : receiver.vertices) {
    if (vertex.pairs.Count() % 2 == 1) vertex.pairs.Add("");
  }
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
  JoinChains(model, tolerance, JoinGroups(model), CompleteOddPairs);
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
