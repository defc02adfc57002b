#include "reference_joining.h"

#include <cmath>

namespace quillmere::testing {

namespace {

bool IsOutline(const Polyline& polyline) {
  return (polyline.header_flags &
          (kFlagCurveFit | kFlagSplineFit | kFlagPolygonMesh | kFlagPolyfaceMesh)) == 0;
}

bool IsClosed(const Polyline& polyline) { return (polyline.header_flags & kFlagClosed) != 0; }

// Whether `attached` may be attached to `receiver` at all: neither is a
// closed outline, both are of the same entity kind, and POLYLINEs are plain
// outlines of the same dimension.
bool SameKind(const Polyline& attached, const Polyline& receiver) {
  if (IsClosed(attached) || IsClosed(receiver)) return false;
  if (attached.kind != receiver.kind) return false;
  if (attached.kind == PolylineKind::kLwPolyline) return true;
  return IsOutline(attached) && IsOutline(receiver) &&
         (attached.header_flags & kFlag3d) == (receiver.header_flags & kFlag3d);
}

bool StartMeetsEnd(const Polyline& attached, const Polyline& receiver, double tolerance) {
  const Vertex& start = attached.vertices[0];
  const Vertex& end = receiver.vertices.back();
  return std::fabs(start.x - end.x) < tolerance && std::fabs(start.y - end.y) < tolerance &&
         std::fabs(start.z - end.z) < tolerance;
}

// The vertices from the second on are copied behind the receiver's last
// one; the attached polyline is left empty.
void Attach(Polyline& attached, Polyline& receiver) {
  for (std::int32_t i = 1; i < attached.VertexCount(); ++i) {
    receiver.vertices.push_back(attached.vertices[static_cast<std::size_t>(i)]);
  }
  attached.vertices.clear();
  attached.dropped = true;
}

}  // namespace

void ReferenceJoinPolylines(PolylineModel& model, double tolerance) {
  bool joined = true;
  while (joined) {
    joined = false;
    for (std::int32_t p = 0; p < model.PolylineCount(); ++p) {
      Polyline& attached = model.polylines[static_cast<std::size_t>(p)];
      if (attached.VertexCount() < 2) continue;
      for (std::int32_t r = 0; r < model.PolylineCount(); ++r) {
        Polyline& receiver = model.polylines[static_cast<std::size_t>(r)];
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
