#include "lines/line_chaining.h"

#include <string>
#include <vector>

#include "chains/chain_joining.h"

namespace quillmere {

namespace {

// Records of a drawing whose version changes half way can have both output
// styles. Chains join only their own style: VERTEX entities inside an
// LWPOLYLINE, or its bare coordinate pairs inside a POLYLINE, would break
// the drawing.
std::vector<std::int32_t> StyleGroups(const PolylineModel& model) {
  std::vector<std::int32_t> groups;
  groups.reserve(model.polylines.size());
  for (const Polyline& record : model.polylines) {
    groups.push_back(static_cast<std::int32_t>(record.kind));
  }
  return groups;
}

}  // namespace

int ChainLines(PolylineModel& model, double tolerance) {
  return JoinChains(model, tolerance, StyleGroups(model));
}

void AppendVertexCounts(PolylineModel& model) {
  for (std::int32_t i = 0; i < model.PolylineCount(); ++i) {
    Polyline& record = model.polylines[static_cast<std::size_t>(i)];
    if (record.kind != PolylineKind::kLwPolyline) continue;
    record.header.AddPair(" 90", std::to_string(record.VertexCount()));
  }
}

}  // namespace quillmere
