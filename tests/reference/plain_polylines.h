#pragma once

// Polylines kept plainly in memory, vertex by vertex, for the tests, the
// references and the benchmarks: built by hand, handed to the production
// code as its compact model, and read back from it with the marks of the
// arc search or the chains of the join passes.

#include <cstdint>
#include <string>
#include <vector>

#include "dxf/polyline_model.h"

namespace quillmere::testing {

struct PlainVertex {
  double x = 0;
  double y = 0;
  double z = 0;
  bool dropped = false;
  bool gets_bulge = false;
  double bulge = 0;
  bool carries_arc = false;
  std::string label;  // tells a vertex's origin after joins
};

struct PlainPolyline {
  std::vector<PlainVertex> vertices;
  bool dropped = false;
  PolylineKind kind = PolylineKind::kPolyline;
  std::int32_t header_flags = 0;

  std::int32_t VertexCount() const { return static_cast<std::int32_t>(vertices.size()); }
  PlainVertex& AddVertex() { return vertices.emplace_back(); }
};

struct PlainModel {
  std::vector<PlainPolyline> polylines;
  std::int32_t PolylineCount() const { return static_cast<std::int32_t>(polylines.size()); }
};

// The compact model of `polylines`, with their coordinates, flags, existing
// arcs and marks; they lie nowhere in a file, so it is not for writing.
PolylineModel CompactModelOf(const std::vector<PlainPolyline>& polylines);

// The polylines of `model` plainly: their x and y, z of their ends (the
// model keeps no other), existing arcs, and the label "p-v" for vertex v of
// polyline p.
std::vector<PlainPolyline> PlainPolylinesOf(const PolylineModel& model);

// `original` with the marks and bulges the arc search left in `model`,
// its compact model.
std::vector<PlainPolyline> WithArcMarks(std::vector<PlainPolyline> original,
                                        const PolylineModel& model);

// `original` joined as the chains in `model`, its compact model, say: each
// polyline with its own vertices and those of its chain, each joint once as
// the later polyline's first vertex; attached ones without vertices and
// `dropped`.
std::vector<PlainPolyline> WithChains(const std::vector<PlainPolyline>& original,
                                      const PolylineModel& model);

// Marks vertex v of polyline p as the arc search would: left out, or the
// start of an arc with `bulge`.
void MarkDropped(PolylineModel& model, std::int32_t p, std::int32_t v);
void MarkArcStart(PolylineModel& model, std::int32_t p, std::int32_t v, double bulge);

}  // namespace quillmere::testing
