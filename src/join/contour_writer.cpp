#include "join/contour_writer.h"

#include "join/polyline_joining.h"

namespace quillmere {

namespace {

// The vertices of `piece` from its first on, `count` of them, in the
// direction the contour uses it. An LWPOLYLINE's extended data, inside its
// last vertex's pairs, is left out: the contour writes the head's at its end.
void WritePiece(PolylineOutput& output, const PolylineRecord& piece, std::int32_t count,
                bool elsewhere) {
  if (piece.reversed_in_chain) {
    output.WriteReversedVertices(piece, count);
    return;
  }
  const bool whole = count == piece.vertex_count;
  const bool lightweight = piece.kind == PolylineKind::kLwPolyline;
  const std::int32_t copied = whole && lightweight ? count - 1 : count;
  output.CopyPairs(piece, output.VertexOffset(piece, 0), output.VertexOffset(piece, copied),
                   elsewhere);
  if (copied < count) {
    output.WritePairsAroundExtendedData(piece, output.VertexOffset(piece, copied),
                                        piece.place.trailer, false);
  }
  // Only the end of the file cuts a vertex short; more lines follow it.
  if (whole && piece.last_vertex_lacks_value) output.WriteLine("");
}

}  // namespace

void WriteContourPolyline(PolylineOutput& output, const PolylineModel& model, std::int32_t index) {
  const PolylineRecord& head = model.polylines[static_cast<std::size_t>(index)];
  output.WriteHeader(head, JoinedVertexCount(model, head), head.closes_chain);
  for (std::int32_t n = index; n >= 0;) {
    const PolylineRecord& piece = model.polylines[static_cast<std::size_t>(n)];
    const bool whole = piece.next_in_chain < 0 && !head.closes_chain;
    WritePiece(output, piece, piece.vertex_count - (whole ? 0 : 1), n != index);
    n = piece.next_in_chain;
  }
  if (head.kind == PolylineKind::kLwPolyline) {
    output.WritePairsAroundExtendedData(head, output.VertexOffset(head, head.vertex_count - 1),
                                        head.place.trailer, true);
  }
  output.WriteTrailer(head);
}

}  // namespace quillmere
