#pragma once

#include <string>

#include "dxf/output_file.h"
#include "dxf/polyline_model.h"
#include "support/message_sink.h"

namespace quillmere {

// Writes the result of the arc job: a copy of the input in which every
// polyline entity of the ENTITIES section is replaced by its model entry,
// without the vertices marked `dropped` and with the bulges of the vertices
// marked `gets_bulge`.
void WriteArcResult(const PolylineModel& model, const std::string& input_name,
             const std::string& output_name, MessageSink& messages);

// The lines of one polyline as the arc job writes it.
void WriteArcPolylineBlock(OutputFile& output, const Polyline& record);

}  // namespace quillmere
