#pragma once

#include <string>

#include "preview/drawing_geometry.h"
#include "support/result.h"

namespace quillmere {

// Fills `geometry` with the drawn entities of the ENTITIES section of
// `file_name` (see EntityCollector); entities in blocks are not drawn, as
// the jobs do not touch them either. A file that is no DXF text drawing
// (CheckTextDrawing), cannot be opened or fails part way through leaves
// `geometry` empty and gives the failure.
Status ReadDrawingGeometry(const std::string& file_name, DrawingGeometry& geometry);

}  // namespace quillmere
