#include "arcs/arc_job.h"

#include "arcs/arc_search.h"
#include "dxf/arc_polyline_writer.h"
#include "dxf/polyline_reader.h"

namespace quillmere {

void Convert(PolylineModel& model, ArcFields& arc, const ArcSearchSettings& settings,
             const std::string& input_name, const std::string& output_name,
             MessageSink& messages) {
  LoadDxf(model, input_name, messages);
  if (model.anzpoly == 0) {
    ShowNoPolylines(messages);
    return;
  }
  ArcSearch(model, settings, arc);
  savedxf(model, input_name, output_name, messages);
}

}  // namespace quillmere
