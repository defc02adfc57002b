#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dxf/line_list.h"
#include "dxf/polyline_model.h"

namespace quillmere {

// The line job's own model: one record for every LINE entity, each already
// holding the lines of the polyline entity it becomes. Records are small and
// their lines are made, not copied, so they are kept as text.

// One vertex of a record: its point and its lines.
struct LineVertex {
  double x = 0;
  double y = 0;
  double z = 0;
  // Contours: the bulge of the segment the vertex starts, written as a
  // group-42 pair once the chains stand.
  double bulge = 0;
  // The pairs of the vertex: a whole VERTEX entity in the old style, its
  // coordinate pairs in the lightweight one.
  LineList pairs;
};

// The entity a record was read from.
enum class PieceKind : std::uint8_t { kLine, kArc };

struct LineRecord {
  std::vector<LineVertex> vertices;
  bool dropped = false;  // appended to another chain: the writer leaves it out
  // The writer copies the entity as it was read: a LINE that gives fewer
  // than two points, an ARC that cannot be a piece or that joined nothing.
  bool kept_as_read = false;
  bool closed = false;  // a contour back at its start: written with flag 1
  PieceKind piece = PieceKind::kLine;
  std::string layer = "0";  // the value of its last group-8 pair, as read
  LineList header;       // the entity's own pairs before its first vertex
  LineList trailer;      // the pairs after the last vertex
  PolylineKind kind = PolylineKind::kPolyline;  // the style it is written in
  std::int64_t entity_offset = 0;  // where its LINE or ARC begins in the input

  std::int32_t VertexCount() const { return static_cast<std::int32_t>(vertices.size()); }
  LineVertex& AddVertex() { return vertices.emplace_back(); }
};

struct LineModel {
  std::vector<LineRecord> records;  // in the order of their LINE entities
  // Largest entity handle; wider than the file's 32-bit handles so that
  // handles counted on from it never overflow.
  std::int64_t largest_handle = 0;
  // Whether any group-5 value of the file reads as a handle. A drawing
  // without handles gets none from the line job either: readers would
  // otherwise find handles on a few entities only and repair the rest.
  bool has_handles = false;
  std::int32_t format_version = 0;  // from $ACADVER: 1015 for AC1015
  // Contours: ARC entities are records too, in file order among the LINEs.
  bool with_arcs = false;
  // The drawing has an OBJECTS section, where the objects that entities
  // own or that point at them live.
  bool has_objects = false;

  std::int32_t RecordCount() const { return static_cast<std::int32_t>(records.size()); }
  LineRecord& AddRecord() { return records.emplace_back(); }
};

}  // namespace quillmere
