#include "join/join_job.h"

#include "dxf/polyline_reader.h"
#include "join/join_writer.h"
#include "join/polyline_joining.h"

namespace quillmere {

void RunJoinJob(PolylineModel& model, const std::string& input_name,
              const std::string& output_name, double tolerance, MessageSink& messages) {
  ReadPolylines(model, input_name, messages);
  if (model.PolylineCount() == 0) {
    // Also after an input that could not be opened: the reader has reported
    // that, and the model is empty.
    ShowNoPolylines(messages);
    return;
  }
  JoinPolylines(model, tolerance);
  UpdateCountsAndDropShortPolylines(model);
  WriteJoinResult(model, input_name, output_name, messages);
}

}  // namespace quillmere
