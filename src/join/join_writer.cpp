#include "join/join_writer.h"

#include <algorithm>
#include <vector>

#include "dxf/consumed_entities.h"
#include "dxf/polyline_entities.h"
#include "dxf/reference_cleanup.h"
#include "join/contour_writer.h"
#include "join/polyline_joining.h"

namespace quillmere {

namespace {

// Whether the contour writer writes `polyline`; WriteJoinedPolyline writes
// the others.
bool WrittenAsContour(const PolylineRecord& polyline, bool contours) {
  return contours && (polyline.Receives() || (polyline.closes_chain && !polyline.dropped));
}

// What the output of the join job no longer has, in a drawing whose
// objects could point at it: the dropped polylines, and the vertex each
// joint (and each closed contour's end) gives way, as both writers leave
// them out: at a joint the earlier piece's last vertex in the direction it
// is used.
ConsumedEntities ConsumedByJoins(const PolylineModel& model) {
  if (!model.has_objects) return {};
  std::vector<std::int64_t> left_out;
  for (const PolylineRecord& head : model.polylines) {
    if (head.dropped || !(head.Receives() || head.closes_chain)) continue;
    for (const PolylineRecord* piece = &head; piece != nullptr;) {
      const bool last = piece->next_in_chain < 0;
      if (!last || head.closes_chain) {
        left_out.push_back(piece->reversed_in_chain ? piece->first_vertex
                                                    : model.LastVertex(*piece));
      }
      piece = last ? nullptr : &model.polylines[static_cast<std::size_t>(piece->next_in_chain)];
    }
  }
  std::sort(left_out.begin(), left_out.end());
  return ConsumedPolylineEntities(model, left_out);
}

}  // namespace

void WriteJoinedPolyline(PolylineOutput& output, const PolylineModel& model, std::int32_t index) {
  const PolylineRecord& polyline = model.polylines[static_cast<std::size_t>(index)];
  if (polyline.dropped) return;
  output.WriteHeader(polyline, JoinedVertexCount(model, polyline));
  // At a joint the attached polyline's first vertex stays with all its
  // pairs: its bulge and widths are those of its first segment. The last
  // vertex before it gives way; its segment pairs would describe the
  // segment leaving the joint, which is now that first one.
  const bool chained = polyline.Receives();
  const auto vertices_end = [&output](const PolylineRecord& member, bool last) {
    return last ? member.place.extended_data : output.VertexOffset(member, member.vertex_count - 1);
  };
  output.CopyPairs(polyline, polyline.place.vertices, vertices_end(polyline, !chained));
  // Only the end of the file can cut a vertex short, and only the last one.
  if (!chained && polyline.VerticesLackValue() && polyline.value_line_supplied) {
    output.WriteLine("");
  }
  // The vertices of the chain come in front of the receiver's extended
  // data; an attached polyline's extended data goes with it, as its handle
  // does.
  for (std::int32_t next = polyline.next_in_chain; chained && next >= 0;) {
    const PolylineRecord& attached = model.polylines[static_cast<std::size_t>(next)];
    const bool last = attached.next_in_chain < 0;
    output.CopyPairs(attached, attached.place.vertices, vertices_end(attached, last), true);
    if (last && attached.VerticesLackValue()) output.WriteLine("");
    next = attached.next_in_chain;
  }
  output.CopyPairs(polyline, polyline.place.extended_data, polyline.place.trailer);
  output.WriteTrailer(polyline);
}

Status WriteJoinResult(const PolylineModel& model, const JobInput& input,
                       const std::string& output_name, JobObserver* observer, bool contours) {
  const Result<DrawingEdits> edits = FindDrawingEdits(input, ConsumedByJoins(model), observer);
  RETURN_IF_FAILED(edits);
  return CopyReplacingPolylines(
      model, input, output_name,
      [&model, contours](PolylineOutput& output, std::int32_t index) {
        const PolylineRecord& polyline = model.polylines[static_cast<std::size_t>(index)];
        if (WrittenAsContour(polyline, contours)) {
          WriteContourPolyline(output, model, index);
        } else {
          WriteJoinedPolyline(output, model, index);
        }
      },
      observer, &edits.value());
}

}  // namespace quillmere
