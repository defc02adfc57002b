#pragma once

#include <string_view>

#include "lines/line_records.h"

namespace quillmere {

// The lines that every record of the line job begins and ends with, whether
// it was read from a LINE or an ARC.

// The entity lines of a new record in `style`: the code line of the
// entity's (0, ...) pair as read, the polyline's entity name, and " 66" /
// "1".
void StartPolylineHeader(LineRecord& record, std::string_view code_line, PolylineKind style);

// In the old style a vertex is a VERTEX entity: its coordinate pairs get
// " 0" / "VERTEX", the handle when the drawing has handles, and the layer
// in front of them.
void MakeVertexEntity(LineVertex& vertex, const std::string* handle, std::string_view layer);

}  // namespace quillmere
