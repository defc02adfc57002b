#include "join/join_writer.h"

#include "dxf/polyline_entities.h"

namespace quillmere {

void WriteJoinedPolyline(OutputFile& output, const Polyline& polyline) {
  if (polyline.dropped) return;
  WriteHeaderWithCount(output, polyline.header, polyline.VertexCount());
  for (const Vertex& vertex : polyline.vertices) output.Write(vertex.pairs.Text());
  output.Write(polyline.trailer.Text());
}

bool WriteJoinResult(const PolylineModel& model, const std::string& input_name,
                     const std::string& output_name, NoticeSink& notices, JobObserver* observer) {
  return CopyReplacingPolylines(input_name, output_name, model.PolylineCount(), notices,
                                [&model](OutputFile& output, std::int32_t index) {
                                  WriteJoinedPolyline(
                                      output, model.polylines[static_cast<std::size_t>(index)]);
                                },
                                observer);
}

}  // namespace quillmere
