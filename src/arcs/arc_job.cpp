#include "arcs/arc_job.h"

#include "arcs/arc_search.h"
#include "arcs/arc_writer.h"
#include "dxf/polyline_reader.h"

namespace quillmere {

void RunArcJob(const ArcSearchSettings& settings, const std::string& input_name,
               const std::string& output_name, NoticeSink& notices) {
  PolylineModel model;
  ReadPolylines(model, input_name, notices);
  if (model.PolylineCount() == 0) {
    // Also after an input that could not be opened: the reader has told so.
    notices.Notify(Notice::kNoPolylines, {});
    return;
  }
  FindArcs(model, settings);
  WriteArcResult(model, input_name, output_name, notices);
}

}  // namespace quillmere
