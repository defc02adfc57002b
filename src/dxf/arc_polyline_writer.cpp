#include "dxf/arc_polyline_writer.h"

#include "dxf/dxf_copy.h"
#include "dxf/dxf_number.h"
#include "dxf/dxf_text.h"

namespace quillmere {

namespace {

// Writes the pairs of `list`; the value of every group-90 pair becomes
// `vertex_count`.
void WriteHeaderWithCount(OutputFile& output, const LineList& list, std::int32_t vertex_count) {
  LineList::Cursor cursor(list);
  std::string_view code;
  std::string_view value;
  while (cursor.Next(code)) {
    output.WriteLine(code);
    if (!cursor.Next(value)) break;
    if (LineIs(code, "90")) {
      output.WriteLine(std::to_string(vertex_count));
    } else {
      output.WriteLine(value);
    }
  }
}

// Writes a vertex's pairs without its own bulge, then the new bulge pair.
void WriteVertexWithBulge(OutputFile& output, const Vertex& vertex) {
  LineList::Cursor cursor(vertex.pairs);
  std::string_view code;
  std::string_view value;
  while (cursor.Next(code)) {
    const bool has_value = cursor.Next(value);
    if (LineIs(code, "42")) continue;
    output.WriteLine(code);
    if (has_value) output.WriteLine(value);
  }
  output.WriteLine("42");
  output.WriteLine(FormatGeneral(vertex.bulge));
}

}  // namespace

void WriteArcPolylineBlock(OutputFile& output, const Polyline& record) {
  std::int32_t written = 0;
  for (std::int32_t i = 0; i < record.VertexCount(); ++i) {
    if (!record.vertices[static_cast<std::size_t>(i)].dropped) ++written;
  }
  WriteHeaderWithCount(output, record.header, written);
  for (std::int32_t i = 0; i < record.VertexCount(); ++i) {
    const Vertex& vertex = record.vertices[static_cast<std::size_t>(i)];
    if (vertex.dropped) continue;
    if (vertex.gets_bulge) {
      WriteVertexWithBulge(output, vertex);
    } else {
      output.Write(vertex.pairs.Text());
    }
  }
  output.Write(record.trailer.Text());
}

void WriteArcResult(const PolylineModel& model, const std::string& input_name,
             const std::string& output_name, MessageSink& messages) {
  CopyReplacingPolylines(input_name, output_name, model.PolylineCount(), messages,
                         [&model](OutputFile& output, std::int32_t index) {
                           WriteArcPolylineBlock(output, model.polylines[static_cast<std::size_t>(index)]);
                         });
}

}  // namespace quillmere
