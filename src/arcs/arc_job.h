#pragma once

#include <string>

#include "arcs/arc_search_settings.h"
#include "dxf/polyline_model.h"
#include "support/message_sink.h"

namespace quillmere {

// The arc job: reads the polylines of `input_name`, replaces runs of
// vertices that lie on one arc by single arc segments, writes `output_name`.
// An input without polylines is reported and creates no output.
void RunArcJob(PolylineModel& model, const ArcSearchSettings& settings,
               const std::string& input_name, const std::string& output_name,
               MessageSink& messages);

}  // namespace quillmere
