#include "reference_joining.h"

#include <cmath>

namespace quillmere::testing {

namespace {

bool IsOutline(const PlainPolyline& polyline) {
  return (polyline.header_flags &
          (kFlagCurveFit | kFlagSplineFit | kFlagPolygonMesh | kFlagPolyfaceMesh)) == 0;
}

bool IsClosed(const PlainPolyline& polyline) { return (polyline.header_flags & kFlagClosed) != 0; }

// Whether `attached` may be attached to `receiver` at all: neither is a
// closed outline, both are of the same entity kind, and POLYLINEs are plain
// outlines of the same dimension.
bool SameKind(const PlainPolyline& attached, const PlainPolyline& receiver) {
  if (IsClosed(attached) || IsClosed(receiver)) return false;
  if (attached.kind != receiver.kind) return false;
  if (attached.kind == PolylineKind::kLwPolyline) return true;
  return IsOutline(attached) && IsOutline(receiver) &&
         (attached.header_flags & kFlag3d) == (receiver.header_flags & kFlag3d);
}

bool StartMeetsEnd(const PlainPolyline& attached, const PlainPolyline& receiver, double tolerance) {
  const PlainVertex& start = attached.vertices[0];
  const PlainVertex& end = receiver.vertices.back();
  return std::fabs(start.x - end.x) < tolerance && std::fabs(start.y - end.y) < tolerance &&
         std::fabs(start.z - end.z) < tolerance;
}

// The vertices are copied in place of the receiver's last one, which lay
// within the tolerance of the first; the attached polyline is left empty.
void Attach(PlainPolyline& attached, PlainPolyline& receiver) {
  receiver.vertices.pop_back();
  for (std::int32_t i = 0; i < attached.VertexCount(); ++i) {
    receiver.vertices.push_back(attached.vertices[static_cast<std::size_t>(i)]);
  }
  attached.vertices.clear();
  attached.dropped = true;
}

}  // namespace

void ReferenceJoinPolylines(PlainModel& model, double tolerance) {
  bool joined = true;
  while (joined) {
    joined = false;
    for (std::int32_t p = 0; p < model.PolylineCount(); ++p) {
      PlainPolyline& attached = model.polylines[static_cast<std::size_t>(p)];
      if (attached.VertexCount() < 2) continue;
      for (std::int32_t r = 0; r < model.PolylineCount(); ++r) {
        PlainPolyline& receiver = model.polylines[static_cast<std::size_t>(r)];
        if (r == p || receiver.VertexCount() < 2 || !SameKind(attached, receiver)) continue;
        if (StartMeetsEnd(attached, receiver, tolerance)) {
          Attach(attached, receiver);
          joined = true;
          break;
        }
      }
    }
  }
}

}  // namespace quillmere::testing
