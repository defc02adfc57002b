#pragma once

#include <string>

#include "dxf/output_file.h"
#include "dxf/polyline_model.h"
#include "support/message_sink.h"

namespace quillmere {

// Writes the result of the join job: a copy of the input in which every
// polyline entity of the ENTITIES section is replaced by its model entry as
// it stands, and left out when the entry is marked `dropped`.
void WriteJoinResult(const PolylineModel& model, const std::string& input_name,
              const std::string& output_name, MessageSink& messages);

// The lines of one polyline as the join job writes it: its header, the pairs
// of its valid vertices, its closing lines; nothing when marked `dropped`.
void WriteJoinedPolylineBlock(OutputFile& output, const Polyline& record);

}  // namespace quillmere
