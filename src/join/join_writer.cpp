#include "join/join_writer.h"

#include "dxf/dxf_copy.h"

namespace quillmere {

void WriteJoinedPolylineBlock(OutputFile& output, const tpoly& record) {
  if (record.delpoly) return;
  output.Write(record.code.Text());
  for (std::int32_t i = 0; i < record.anzp; ++i) {
    output.Write(record.ps[static_cast<std::size_t>(i)].code.Text());
  }
  output.Write(record.code2.Text());
}

void savedxf4(const PolylineModel& model, const std::string& input_name,
              const std::string& output_name, MessageSink& messages) {
  CopyReplacingPolylines(input_name, output_name, model.anzpoly, messages,
                         [&model](OutputFile& output, std::int32_t index) {
                           WriteJoinedPolylineBlock(output,
                                                    model.polys[static_cast<std::size_t>(index)]);
                         });
}

}  // namespace quillmere
