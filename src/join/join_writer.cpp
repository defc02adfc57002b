#include "join/join_writer.h"

#include "dxf/dxf_copy.h"

namespace quillmere {

void WriteJoinedPolylineBlock(OutputFile& output, const Polyline& record) {
  if (record.dropped) return;
  output.Write(record.header.Text());
  for (std::int32_t i = 0; i < record.VertexCount(); ++i) {
    output.Write(record.vertices[static_cast<std::size_t>(i)].pairs.Text());
  }
  output.Write(record.trailer.Text());
}

void WriteJoinResult(const PolylineModel& model, const std::string& input_name,
              const std::string& output_name, MessageSink& messages) {
  CopyReplacingPolylines(input_name, output_name, model.PolylineCount(), messages,
                         [&model](OutputFile& output, std::int32_t index) {
                           WriteJoinedPolylineBlock(output,
                                                    model.polylines[static_cast<std::size_t>(index)]);
                         });
}

}  // namespace quillmere
