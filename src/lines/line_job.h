#pragma once

#include <string>

#include "dxf/polyline_model.h"
#include "support/message_sink.h"

namespace quillmere {

// The lines-to-polylines job: reads the LINE entities of `input_name`,
// chains them end to start within `tolerance` and writes every chain as one
// polyline to `output_name`.
void RunLineJob(PolylineModel& model, const std::string& input_name,
              const std::string& output_name, double tolerance, MessageSink& messages);

}  // namespace quillmere
