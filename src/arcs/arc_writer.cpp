#include "arcs/arc_writer.h"

#include "dxf/dxf_text.h"
#include "dxf/polyline_entities.h"
#include "support/numbers.h"

namespace quillmere {

namespace {

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

void WriteArcPolyline(OutputFile& output, const Polyline& polyline) {
  std::int32_t written = 0;
  for (const Vertex& vertex : polyline.vertices) written += vertex.dropped ? 0 : 1;
  WriteHeaderWithCount(output, polyline.header, written);
  for (const Vertex& vertex : polyline.vertices) {
    if (vertex.dropped) continue;
    if (vertex.gets_bulge) {
      WriteVertexWithBulge(output, vertex);
    } else {
      output.Write(vertex.pairs.Text());
    }
  }
  output.Write(polyline.trailer.Text());
}

bool WriteArcResult(const PolylineModel& model, const std::string& input_name,
                    const std::string& output_name, NoticeSink& notices, JobObserver* observer) {
  return CopyReplacingPolylines(input_name, output_name, model.PolylineCount(), notices,
                                [&model](OutputFile& output, std::int32_t index) {
                                  WriteArcPolyline(output,
                                                   model.polylines[static_cast<std::size_t>(index)]);
                                },
                                observer);
}

}  // namespace quillmere
