#include "join/join_job.h"

#include "dxf/polyline_reader.h"
#include "join/join_writer.h"
#include "join/polyline_joining.h"

namespace quillmere {

void RunJoinJob(double tolerance, const std::string& input_name, const std::string& output_name,
                NoticeSink& notices) {
  PolylineModel model;
  ReadPolylines(model, input_name, notices);
  if (model.PolylineCount() == 0) {
    // Also after an input that could not be opened: the reader has told so.
    notices.Notify(Notice::kNoPolylines, {});
    return;
  }
  JoinPolylines(model, tolerance);
  UpdateCountsAndDropShortPolylines(model);
  WriteJoinResult(model, input_name, output_name, notices);
}

}  // namespace quillmere
