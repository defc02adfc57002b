#pragma once

#include <string>

#include "preview/drawing_geometry.h"
#include "support/notices.h"

namespace quillmere {

// Fills `geometry` with the drawn entities of the ENTITIES section of
// `file_name` (see EntityCollector); entities in blocks are not drawn, as
// the jobs do not touch them either. A file that cannot be opened or read
// is notified (kCannotOpenInput) and leaves `geometry` empty; returns
// whether the file was read.
bool ReadDrawingGeometry(const std::string& file_name, DrawingGeometry& geometry,
                         NoticeSink& notices);

}  // namespace quillmere
