#pragma once

#include <string>

#include "support/notices.h"

namespace quillmere {

// The polyline joining job: reads the polylines of `input_name`, attaches
// each one whose start lies on another's end within `tolerance`, and writes
// the joined result to `output_name`. An input without polylines is
// notified (kNoPolylines) and creates no output.
void RunJoinJob(double tolerance, const std::string& input_name, const std::string& output_name,
                NoticeSink& notices);

}  // namespace quillmere
