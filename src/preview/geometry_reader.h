#pragma once

#include <string>

#include "dxf/job_input.h"
#include "preview/drawing_geometry.h"
#include "support/result.h"

namespace quillmere {

// Fills `geometry` with the drawn entities of the ENTITIES section of
// `input` (see EntityCollector); entities in blocks are not drawn, as the
// jobs do not touch them either. An input that grew shorter under the
// reading leaves `geometry` empty and gives the failure.
Status ReadDrawingGeometry(const JobInput& input, DrawingGeometry& geometry);

// ReadDrawingGeometry of the file `file_name`, opened as a job's input
// (JobInput::Open, whose failures it gives).
Status ReadDrawingGeometry(const std::string& file_name, DrawingGeometry& geometry);

}  // namespace quillmere
