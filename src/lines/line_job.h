#pragma once

#include <string>

#include "support/notices.h"

namespace quillmere {

// The lines-to-polylines job: reads the LINE entities of `input_name`,
// chains them end to start within `tolerance` and writes every chain as one
// polyline to `output_name`.
void RunLineJob(double tolerance, const std::string& input_name, const std::string& output_name,
                NoticeSink& notices);

}  // namespace quillmere
