#include "reference_joining.h"

#include <cmath>

namespace quillmere::testing {

namespace {

bool IsOutline(const tpoly& polyline) {
  return (polyline.headerflags &
          (kFlagCurveFit | kFlagSplineFit | kFlagPolygonMesh | kFlagPolyfaceMesh)) == 0;
}

bool IsClosed(const tpoly& polyline) { return (polyline.headerflags & kFlagClosed) != 0; }

// Whether `attached` may be attached to `receiver` at all: neither is a
// closed outline, both are of the same entity kind, and POLYLINEs are plain
// outlines of the same dimension.
bool SameKind(const tpoly& attached, const tpoly& receiver) {
  if (IsClosed(attached) || IsClosed(receiver)) return false;
  if (attached.kind != receiver.kind) return false;
  if (attached.kind == PolylineKind::kLwPolyline) return true;
  return IsOutline(attached) && IsOutline(receiver) &&
         (attached.headerflags & kFlag3d) == (receiver.headerflags & kFlag3d);
}

bool StartMeetsEnd(const tpoly& attached, const tpoly& receiver, double tolerance) {
  const Tmypoi& start = attached.ps[0];
  const Tmypoi& end = receiver.ps[static_cast<std::size_t>(receiver.anzp - 1)];
  return std::fabs(start.x - end.x) < tolerance && std::fabs(start.y - end.y) < tolerance &&
         std::fabs(start.z - end.z) < tolerance;
}

// Room for the new count plus 10 spare slots when the slots run short; the
// vertices from the second on are copied behind the receiver's last one.
void Attach(tpoly& attached, tpoly& receiver) {
  const std::int32_t count = receiver.anzp + attached.anzp - 1;
  if (static_cast<std::int64_t>(receiver.ps.size()) - 1 <= count) {
    receiver.ps.resize(static_cast<std::size_t>(count) + 10);
  }
  for (std::int32_t i = 1; i < attached.anzp; ++i) {
    receiver.ps[static_cast<std::size_t>(receiver.anzp + i - 1)] =
        attached.ps[static_cast<std::size_t>(i)];
  }
  attached.anzp = 0;
  attached.delpoly = true;
  receiver.anzp = count;
}

}  // namespace

void ReferenceJoinPolylines(PolylineModel& model, double tolerance) {
  bool joined = true;
  while (joined) {
    joined = false;
    for (std::int32_t p = 0; p < model.anzpoly; ++p) {
      tpoly& attached = model.polys[static_cast<std::size_t>(p)];
      if (attached.anzp < 2) continue;
      for (std::int32_t r = 0; r < model.anzpoly; ++r) {
        tpoly& receiver = model.polys[static_cast<std::size_t>(r)];
        if (r == p || receiver.anzp < 2 || !SameKind(attached, receiver)) continue;
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
