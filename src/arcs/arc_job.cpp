#include "arcs/arc_job.h"

#include "arcs/arc_search.h"
#include "dxf/arc_polyline_writer.h"
#include "dxf/polyline_reader.h"

namespace quillmere {

void RunArcJob(PolylineModel& model, const ArcSearchSettings& settings,
               const std::string& input_name, const std::string& output_name,
               MessageSink& messages) {
  ReadPolylines(model, input_name, messages);
  if (model.PolylineCount() == 0) {
    ShowNoPolylines(messages);
    return;
  }
  FindArcs(model, settings);
  WriteArcResult(model, input_name, output_name, messages);
}

}  // namespace quillmere
