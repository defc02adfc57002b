#include "join/join_writer.h"

#include "dxf/polyline_entities.h"
#include "join/contour_writer.h"
#include "join/polyline_joining.h"

namespace quillmere {

void WriteJoinedPolyline(PolylineOutput& output, const PolylineModel& model, std::int32_t index) {
  const PolylineRecord& polyline = model.polylines[static_cast<std::size_t>(index)];
  if (polyline.dropped) return;
  output.WriteHeader(polyline, JoinedVertexCount(model, polyline));
  output.CopyPairs(polyline, polyline.place.vertices, polyline.place.extended_data);
  // Only the end of the file can cut a vertex short; inside a chain more
  // lines follow it.
  const bool chained = polyline.Receives();
  if (polyline.VerticesLackValue() && (polyline.value_line_supplied || chained)) {
    output.WriteLine("");
  }
  // The vertices of the chain come in front of the receiver's extended
  // data; an attached polyline's extended data goes with it, as its handle
  // does.
  for (std::int32_t next = polyline.next_in_chain; chained && next >= 0;) {
    const PolylineRecord& attached = model.polylines[static_cast<std::size_t>(next)];
    output.CopyPairs(attached, output.VertexOffset(attached, 1), attached.place.extended_data,
                     true);
    if (attached.VerticesLackValue()) output.WriteLine("");
    next = attached.next_in_chain;
  }
  output.CopyPairs(polyline, polyline.place.extended_data, polyline.place.trailer);
  output.WriteTrailer(polyline);
}

Status WriteJoinResult(const PolylineModel& model, const std::string& input_name,
                       const std::string& output_name, JobObserver* observer, bool contours) {
  return CopyReplacingPolylines(
      model, input_name, output_name,
      [&model, contours](PolylineOutput& output, std::int32_t index) {
        const PolylineRecord& polyline = model.polylines[static_cast<std::size_t>(index)];
        const bool contour = polyline.Receives() || (polyline.closes_chain && !polyline.dropped);
        if (contours && contour) {
          WriteContourPolyline(output, model, index);
        } else {
          WriteJoinedPolyline(output, model, index);
        }
      },
      observer);
}

}  // namespace quillmere
