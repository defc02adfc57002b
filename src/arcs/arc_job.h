#pragma once

#include <cstdint>
#include <string>

#include "arcs/arc_through_points.h"
#include "dxf/polyline_model.h"
#include "support/message_sink.h"

namespace quillmere {

struct ArcSearchSettings {
  double deviation = 0.1;       // maximum deviation between line and arc
  std::int32_t arc_tests = 100;  // the arc is divided into this many parts
  std::int32_t line_tests = 100; // each segment is divided into this many parts
};

// The arc job: reads the polylines of `input_name`, replaces runs of
// vertices that lie on one arc by single arc segments, writes `output_name`.
void Convert(PolylineModel& model, ArcFields& arc, const ArcSearchSettings& settings,
             const std::string& input_name, const std::string& output_name,
             MessageSink& messages);

}  // namespace quillmere
