#include "join/contour_writer.h"

#include "join/polyline_joining.h"

namespace quillmere {

void WriteContourPolyline(PolylineOutput& output, const PolylineModel& model, std::int32_t index) {
  const PolylineRecord& head = model.polylines[static_cast<std::size_t>(index)];
  output.WriteHeader(head, JoinedVertexCount(model, head), head.closes_chain);
  for (std::int32_t n = index; n >= 0;) {
    const PolylineRecord& piece = model.polylines[static_cast<std::size_t>(n)];
    const bool whole = piece.next_in_chain < 0 && !head.closes_chain;
    const std::int32_t count = piece.vertex_count - (whole ? 0 : 1);
    if (piece.reversed_in_chain) {
      output.WriteReversedVertices(piece, count);
    } else {
      output.CopyPairs(piece, output.VertexOffset(piece, 0), output.VertexOffset(piece, count),
                       n != index);
      // Only the end of the file cuts a vertex short; more lines follow it.
      if (whole && piece.last_vertex_lacks_value) output.WriteLine("");
    }
    n = piece.next_in_chain;
  }
  output.WriteTrailer(head);
}

}  // namespace quillmere
