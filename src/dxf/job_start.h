#pragma once

#include <string>

#include "support/result.h"

namespace quillmere {

// What every job checks before its work starts, so that a job that cannot
// end well fails at once and tells one thing: the input is a DXF text
// drawing (CheckTextDrawing), and the output can be created (its folder
// exists and takes a new file; kCannotCreateOutput with the system's reason).
Status CheckJobFiles(const std::string& input_name, const std::string& output_name);

}  // namespace quillmere
