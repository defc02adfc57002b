#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillmere {

// What the preview draws of a drawing: the entities of the ENTITIES section
// that carry lines and arcs, each as a path of vertices in world X/Y.

// A path vertex and the bulge of the segment from it to the next vertex:
// tan(sweep / 4), positive counter-clockwise, 0 for a straight segment.
struct PathVertex {
  double x = 0;
  double y = 0;
  double bulge = 0;
};

// SPLINE and ELLIPSE entities are paths of short straight segments, close
// enough to the true curve to look like it at any size a window shows them.
enum class EntityKind : std::uint8_t {
  kPolyline,
  kLwPolyline,
  kLine,
  kArc,
  kCircle,
  kSpline,
  kEllipse
};

// One entity as a path: the vertices [first, first + count) of the
// drawing's vertex list. A closed path has a segment from its last vertex
// back to its first, bent by the last vertex's bulge.
struct DrawnEntity {
  EntityKind kind = EntityKind::kLine;
  bool closed = false;
  // False for entities that are counted but not drawn: meshes, whose
  // vertices are no outline, entities of a paper-space layout, and curves
  // that do not lie flat or cannot be read.
  bool drawn = true;
  std::size_t first = 0;
  std::size_t count = 0;

  bool IsCurve() const { return kind == EntityKind::kSpline || kind == EntityKind::kEllipse; }
};

struct DrawingGeometry {
  std::vector<PathVertex> vertices;
  std::vector<DrawnEntity> entities;  // in file order
  // The POLYLINE and LWPOLYLINE entities, as indices into `entities`, in
  // file order: the numbering the jobs give the polylines they read.
  std::vector<std::size_t> polylines;
  std::size_t line_entities = 0;  // LINE entities read

  const PathVertex* VerticesOf(const DrawnEntity& entity) const {
    return vertices.data() + entity.first;
  }
  const DrawnEntity& Polyline(std::size_t number) const { return entities[polylines[number]]; }
};

}  // namespace quillmere
