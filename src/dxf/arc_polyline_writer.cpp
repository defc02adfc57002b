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
void WriteVertexWithBulge(OutputFile& output, const Tmypoi& vertex) {
  LineList::Cursor cursor(vertex.code);
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

void WriteArcPolylineBlock(OutputFile& output, const tpoly& record) {
  std::int32_t written = 0;
  for (std::int32_t i = 0; i < record.anzp; ++i) {
    if (!record.ps[static_cast<std::size_t>(i)].delit) ++written;
  }
  WriteHeaderWithCount(output, record.code, written);
  for (std::int32_t i = 0; i < record.anzp; ++i) {
    const Tmypoi& vertex = record.ps[static_cast<std::size_t>(i)];
    if (vertex.delit) continue;
    if (vertex.writebulge) {
      WriteVertexWithBulge(output, vertex);
    } else {
      output.Write(vertex.code.Text());
    }
  }
  output.Write(record.code2.Text());
}

void savedxf(const PolylineModel& model, const std::string& input_name,
             const std::string& output_name, MessageSink& messages) {
  CopyReplacingPolylines(input_name, output_name, model.anzpoly, messages,
                         [&model](OutputFile& output, std::int32_t index) {
                           WriteArcPolylineBlock(output, model.polys[static_cast<std::size_t>(index)]);
                         });
}

}  // namespace quillmere
