#include "lines/piece_lines.h"

#include <utility>

namespace quillmere {

void StartPolylineHeader(LineRecord& record, std::string_view code_line, PolylineKind style) {
  record.kind = style;
  record.header.AddPair(code_line, style == PolylineKind::kPolyline ? "POLYLINE" : "LWPOLYLINE");
  record.header.AddPair(" 66", "1");
}

void MakeVertexEntity(LineVertex& vertex, const std::string* handle, std::string_view layer) {
  LineList lines;
  lines.AddPair(" 0", "VERTEX");
  if (handle != nullptr) lines.AddPair(" 5", *handle);
  lines.AddPair(" 8", layer);
  lines.Append(vertex.pairs);
  vertex.pairs = std::move(lines);
}

}  // namespace quillmere
