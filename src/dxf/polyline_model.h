#pragma once

#include <cstdint>
#include <vector>

#include "dxf/line_list.h"

namespace quillmere {

// One vertex: its coordinates and the exact lines of the file that make it up.
struct Vertex {
  double x = 0;
  double y = 0;
  double z = 0;
  // POLYLINE vertex: the whole VERTEX entity. LWPOLYLINE vertex: the pair
  // that started it (group 10) and every pair up to the next vertex.
  LineList pairs;
  bool dropped = false;     // the writer leaves this vertex out
  bool gets_bulge = false;  // the writer gives this vertex `bulge`
  double bulge = 0;
  // Read with a bulge (group 42) other than 0: the segment from this vertex
  // already is an arc.
  bool carries_arc = false;
};

// Which entity a polyline was read from or will be written as.
enum class PolylineKind : std::uint8_t { kPolyline, kLwPolyline };

// One polyline: its vertices and the exact lines of its entity.
struct Polyline {
  std::vector<Vertex> vertices;
  bool dropped = false;  // the writer leaves the whole polyline out
  LineList header;       // the entity's own pairs before its first vertex
  LineList trailer;      // the pairs after the last vertex (the SEQEND entity)

  PolylineKind kind = PolylineKind::kPolyline;
  // The last whole-number group-70 value among the header pairs (0 when
  // none): it tells closed outlines, and for a POLYLINE 3-D polylines,
  // fitted curves and meshes from plain outlines.
  std::int32_t header_flags = 0;

  std::int32_t VertexCount() const { return static_cast<std::int32_t>(vertices.size()); }
  Vertex& AddVertex() { return vertices.emplace_back(); }
};

// POLYLINE header flags (group 70) that mark closed outlines and entities
// whose vertices are not a plain 2-D outline.
enum PolylineFlags : std::int32_t {
  kFlagClosed = 1,
  kFlagCurveFit = 2,
  kFlagSplineFit = 4,
  kFlag3d = 8,
  kFlagPolygonMesh = 16,
  kFlagPolyfaceMesh = 64,
};

// The polylines of one file, in the order of their entities in the ENTITIES
// section, and the file-wide values of the line job.
struct PolylineModel {
  std::vector<Polyline> polylines;
  // Largest entity handle; wider than the file's 32-bit handles so that
  // handles counted on from it never overflow.
  std::int64_t largest_handle = 0;
  // Whether any group-5 value of the file reads as a handle. A drawing
  // without handles gets none from the line job either: readers would
  // otherwise find handles on a few entities only and repair the rest.
  bool has_handles = false;
  std::int32_t format_version = 0;  // from $ACADVER: 1015 for AC1015

  std::int32_t PolylineCount() const { return static_cast<std::int32_t>(polylines.size()); }
  Polyline& AddPolyline() { return polylines.emplace_back(); }
};

}  // namespace quillmere
