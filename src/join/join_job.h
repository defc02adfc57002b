#pragma once

#include <string>

#include "dxf/polyline_model.h"
#include "support/message_sink.h"

namespace quillmere {

// The polyline joining job: reads the polylines of `input_name`, attaches
// each one whose start lies on another's end within `tolerance`, and writes
// the joined result to `output_name`.
void RunJoinJob(PolylineModel& model, const std::string& input_name,
              const std::string& output_name, double tolerance, MessageSink& messages);

}  // namespace quillmere
