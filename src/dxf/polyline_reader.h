#pragma once

#include <string>

#include "dxf/polyline_model.h"
#include "support/message_sink.h"

namespace quillmere {

// Fills `model` with one record for every POLYLINE and LWPOLYLINE entity of
// the ENTITIES section, in file order, keeping every line of each entity.
// A file that cannot be opened is reported (catalogue text 6) and leaves the
// model empty.
void ReadPolylines(PolylineModel& model, const std::string& file_name, MessageSink& messages);

}  // namespace quillmere

namespace quillmere {

// The information box of the jobs that found no polyline in their input:
// caption catalogue text 16, text catalogue text 15.
void ShowNoPolylines(MessageSink& messages);

}  // namespace quillmere
